// The engine's WebAssembly module, as the page uses it: one session, the window's state and
// rules (the two tables, the commands and what they leave to show, the file bytes, the listings
// and the look-ups), and the window's drawings (picture.js). Every failure is a JS Error named
// "Failure" whose message is the engine's system message; any other error is a fault of the
// program.

export const kInputTable = 0;
export const kResultTable = 1;

// The engine's module once open, for the page's parts that follow its rules.
let opened = null;
export const rules = () => opened;

export async function openEngine() {
  const module = await globalThis.createTalvenoEngine();
  opened = module;
  return new Engine(module);
}

class Engine {
  constructor(module) {
    this.module = module;
    this.session = new module.Form();
    this.windowTexts = module.windowTexts();
  }

  // The cells of one table, as a grid reads and writes them.
  table(table) {
    const session = this.session;
    return {
      columnCount: () => session.columnCount(table),
      rowCount: () => session.rowCount(table),
      columnWidth: (column) => session.columnWidth(table, column),
      cell: (column, row) => session.cell(table, column, row),
      setCell: (column, row, text) => session.setCell(table, column, row, text),
      rows: (first, count) => session.cellsOfRows(table, first, count),
      filledRowCount: () => session.filledRowCount(table),
      widestRowNumber: () => session.widestRowNumber(table),
      moveRow: (from, to) => session.moveRow(table, from, to),
      moveColumn: (from, to) => session.moveColumn(table, from, to),
      copyText: (left, top, right, bottom) => session.copyText(table, left, top, right, bottom),
    };
  }

  close() {
    this.session.delete();
  }
}
