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
      filledRowsSelection: () => session.filledRowsSelection(table),
    };
  }

  withFullStop(message) {
    return this.module.withFullStop(message);
  }

  // The error box's text of a failure, naming the row of a failing calculation.
  errorBoxText(failure) {
    return this.module.errorBoxText(failure.message, failure.row ?? 0);
  }

  // The error box's text for a fault of the program, not of the user's data or files.
  internalErrorMessage() {
    return this.module.withFullStop(this.windowTexts.internalError);
  }

  // The error box's text where a command needs more memory than the browser gives.
  outOfMemoryMessage() {
    return this.module.withFullStop(this.windowTexts.outOfMemory);
  }

  // Whether an error thrown by a command is a failure with a message for the user.
  isFailure(error) {
    return error?.name === "Failure";
  }

  // Full-width numbers in their ASCII forms, character for character.
  halfWidthNumberText(text) {
    return this.module.halfWidthNumberText(text);
  }

  maxDataCountLimit() {
    return this.module.maxDataCountLimit();
  }

  // The message a desktop shows for a file the system cannot read or write, by the error's
  // POSIX name.
  fileFailureMessage(error) {
    return this.module.fileFailureMessage(error);
  }

  close() {
    this.session.delete();
  }
}
