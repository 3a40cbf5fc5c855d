// A text grid over one of the engine's cell tables: the table's row 0 and column 0 are the
// fixed header row and column, drawn in the button-face colour; rows are 24 pixels high. Only
// the rows in view exist in the page, so a table of a million rows scrolls as one of fifty. The
// data columns keep the table's widths: texts too wide for a cell are cut at its edge, and the
// headers take a smaller font where they need one to show whole. The fixed column widens where
// its widest row number needs more room than the table gives; a horizontal scroll bar shows
// where the columns are then wider than the grid, the fixed column staying in place. It scrolls
// by whole columns, so that no cell shows cut beside the fixed column (184.6 as "84.6"), as far
// as the last columns show whole. The current cell is framed.
//
// An editable grid keeps its cell editor open on the current cell, so typing goes straight in
// (full-width numbers as ASCII), the editor named by its column's header and its row; Tab moves
// from cell to cell through the filled rows and on into the row after them, where a new row is
// typed, and from a row past the filled rows it leaves the grid. In the read-only grid Enter
// opens the current row, and the menu key or Shift+F10 opens the context menu. Dragging across cells selects a range; dragging a fixed cell
// onto another moves its whole row or column, which the table carries out so that commands
// read by position. Ctrl+C copies the selected cells as tab-separated rows, Ctrl+A selects the
// filled rows; in the editable grid Ctrl+V with a block of cells on the clipboard and Ctrl+Z
// ask the window to paste and to take the paste back (a single value goes into the open cell
// editor, and Ctrl+Z undoes typing there first).

import { rules } from "./engine.js";
import { fittedSize, textWidth, kWindowPixelSize } from "./look.js";
import { applyHalfWidth } from "./number_input.js";

export const kRowHeight = 24;
// The most pixels the scrolled content takes; taller tables are scrolled in proportion, as
// browsers cap the height of an element.
const kTallestContent = 4000000;
const kHeaderMargins = 8;
const kFrameWidth = 2; // of the frame around the current cell
// Where a browser does not say when a scroll ends, it has ended after this many milliseconds
// without another.
const kScrollEndAfter = 150;

export class StringGrid {
  // source: the table's cells (see engine.js); hooks: onPaste(text), false when the text is
  // one value for the open editor; onUndo(), onContextMenu(x, y, byKeyboard), onOpenRow() on a
  // double click or Enter, onOpenCurves() on Shift+Enter; halfWidth,
  // the rule the cell editor keeps full-width numbers as ASCII by.
  constructor(element, source, { editable = false, halfWidth = (text) => text, ...hooks } = {}) {
    this.element = element;
    this.source = source;
    this.editable = editable;
    this.hooks = hooks;
    this.columns = source.columnCount();
    this.widths = [];
    // The current cell, the anchor and the selected range, in table cells.
    this.cursor = new (rules().GridCursor)(this.columns, source.rowCount(), editable);
    this.drag = null;
    this.rowPool = [];
    this.scrolledAcross = 0; // the whole-column place the grid was last scrolled across to

    this.scroller = div("grid-scroller");
    this.view = div("grid-view");
    this.rowsLayer = div("grid-rows");
    this.header = div("grid-row grid-header");
    this.spacer = div("grid-spacer");
    this.dropMark = div("drop-mark");
    this.dropMark.hidden = true;
    this.frame = div("current-frame");
    this.view.append(this.rowsLayer, this.frame, this.header, this.dropMark);
    this.scroller.append(this.view, this.spacer);
    element.append(this.scroller);
    this.scroller.tabIndex = editable ? -1 : 0;

    if (editable) {
      this.editor = document.createElement("input");
      this.editor.type = "text";
      this.editor.className = "cell-editor";
      this.editor.autocomplete = "off";
      this.editor.spellcheck = false;
      this.editor.tabIndex = 0;
      this.view.append(this.editor);
      const typed = () => {
        this.source.setCell(this.current.column, this.current.row, this.editor.value);
        this.renderRows();
      };
      this.editor.addEventListener("input", (event) => {
        if (!event.isComposing) applyHalfWidth(this.editor, halfWidth);
        typed();
      });
      this.editor.addEventListener("compositionend", () => {
        if (applyHalfWidth(this.editor, halfWidth)) typed();
      });
      this.editor.addEventListener("keydown", (event) => this.editorKey(event));
      // Reached by Tab or by a page coming to the front, the editor holds its cell's text selected.
      this.editor.addEventListener("focus", () => {
        this.refreshEditor();
        this.openedText = this.editor.value;
        this.editor.select();
      });
      this.editor.addEventListener("paste", (event) => this.paste(event));
    }
    this.scroller.addEventListener("keydown", (event) => {
      if (event.target === this.scroller) this.gridKey(event);
    });
    this.scroller.addEventListener("paste", (event) => {
      if (event.target === this.scroller) this.paste(event);
    });
    element.addEventListener("copy", (event) => this.copy(event));
    this.scroller.addEventListener("scroll", () => this.renderRows());
    // A scroll across is taken on to a whole column once it ends: a smooth one goes through the
    // places in between.
    if ("onscrollend" in window) {
      this.scroller.addEventListener("scrollend", () => this.snapAcross());
    } else {
      this.scroller.addEventListener("scroll", () => {
        clearTimeout(this.snapTimer);
        this.snapTimer = setTimeout(() => this.snapAcross(), kScrollEndAfter);
      });
    }
    this.view.addEventListener("mousedown", (event) => this.mouseDown(event));
    this.view.addEventListener("dblclick", (event) => {
      const at = this.cellAt(event);
      if (at && at.column >= 1 && at.row >= this.cursor.firstRow()) this.hooks.onOpenRow?.();
    });
    this.view.addEventListener("contextmenu", (event) => {
      event.preventDefault();
      if (!this.hooks.onContextMenu) return;
      const at = this.cellAt(event);
      if (at && at.column >= 1 && at.row >= this.cursor.firstRow() && !contains(this.cursor.selectedArea(), at)) {
        this.setCurrent(at.column, at.row, false);
      }
      this.hooks.onContextMenu(event.clientX, event.clientY, false);
    });
    // The menu the browser asks for by a key, on the focused grid.
    this.scroller.addEventListener("contextmenu", (event) => {
      if (event.target !== this.scroller) return;
      event.preventDefault();
      this.contextMenuByKey();
    });
    this.showTable();
  }

  // The current cell, {column, row}.
  get current() {
    return this.cursor.current();
  }

  headerHeight() {
    return this.cursor.firstRow() === 1 ? kRowHeight : 0;
  }

  // Shows the table as a command left it: row count, texts and column widths.
  showTable() {
    this.rowCount = this.source.rowCount();
    this.cursor.setRowCount(this.rowCount);
    const first = this.cursor.firstRow();
    const widths = [this.fixedColumnWidth()];
    for (let column = 1; column < this.columns; column += 1) widths.push(this.source.columnWidth(column));
    if (widths.join() !== this.widths.join()) {
      this.widths = widths;
      for (const row of [this.header, ...this.rowPool]) this.applyWidths(row);
    }
    this.header.hidden = first !== 1;
    if (first === 1) this.renderHeader();
    this.layOut();
    this.renderRows();
    this.refreshEditor();
  }

  // The open editor shows what a command wrote into its cell.
  refreshEditor() {
    if (!this.editable || this.editor.hidden || this.cursor.dataRows() <= 0) return;
    const text = this.source.cell(this.current.column, this.current.row);
    if (text === this.editor.value) return;
    this.editor.value = text;
    this.openedText = text;
  }

  // The table's width of column 0, or the room of the widest row number.
  fixedColumnWidth() {
    const room = Math.ceil(textWidth(this.source.widestRowNumber(), kWindowPixelSize)) + kHeaderMargins;
    return Math.max(this.source.columnWidth(0), room);
  }

  renderHeader() {
    const headers = rules().headerRooms(this.source.rows(0, 1)[0], this.widths, kHeaderMargins);
    this.header.style.fontSize = `${fittedSize(kWindowPixelSize, headers)}px`;
    const texts = headers.map((header) => header.text);
    fillRow(this.header, texts);
  }

  applyWidths(row) {
    if (row.children.length === 0) {
      for (let column = 0; column < this.columns; column += 1) {
        const cell = div(column === 0 || row === this.header ? "cell fixed" : "cell");
        cell.dataset.column = String(column);
        row.append(cell);
      }
    }
    let width = 0;
    for (const [column, cell] of [...row.children].entries()) {
      cell.style.width = `${this.widths[column]}px`;
      width += this.widths[column];
    }
    row.style.width = `${width}px`;
  }

  columnLeft(column) {
    let left = 0;
    for (let c = 0; c < column; c += 1) left += this.widths[c];
    return left;
  }

  // A scroll across that stops between two places goes on to the next one in its direction.
  snapAcross() {
    const shown = this.scroller.scrollLeft;
    if (Math.abs(shown - this.scrolledAcross) < 1) return;
    const width = this.scroller.clientWidth;
    this.scrollAcrossTo(rules().snappedStop(this.widths, width, Math.round(shown), this.scrolledAcross));
  }

  scrollAcrossTo(stop) {
    this.scrolledAcross = stop;
    if (Math.abs(this.scroller.scrollLeft - stop) >= 1) this.scroller.scrollLeft = stop;
  }

  // The scrolled content's size and the view's: where the columns are wider than the grid, as
  // wide as the grid scrolled across to its last place, which shows the last columns whole.
  layOut() {
    const columnsWidth = this.columnLeft(this.columns);
    const lastStop = rules().acrossStops(this.widths, this.scroller.clientWidth).at(-1);
    this.view.style.width = `${Math.max(columnsWidth, lastStop + this.scroller.clientWidth)}px`;
    this.viewHeight = this.scroller.clientHeight || this.element.clientHeight - 3;
    const content = this.cursor.dataRows() * kRowHeight;
    this.view.style.height = `${this.viewHeight}px`;
    const scrolled = this.headerHeight() + Math.min(content, kTallestContent);
    this.spacer.style.height = `${Math.max(0, scrolled - this.viewHeight)}px`;
  }

  rowsHeight() {
    return this.viewHeight - this.headerHeight();
  }

  // The most the rows scroll, in pixels of the whole table, and the scroller's own range.
  scrollRanges() {
    const whole = Math.max(0, this.cursor.dataRows() * kRowHeight - this.rowsHeight());
    const own = Math.max(0, this.scroller.scrollHeight - this.scroller.clientHeight);
    return { whole, own };
  }

  // How far the rows are scrolled, in pixels of the whole table.
  scrolledBy() {
    const { whole, own } = this.scrollRanges();
    if (own <= 0 || whole <= 0) return 0;
    return Math.min(whole, Math.round((this.scroller.scrollTop / own) * whole));
  }

  scrollTo(pixels) {
    const { whole, own } = this.scrollRanges();
    this.scroller.scrollTop = whole > 0 ? (clamp(pixels, 0, whole) / whole) * own : 0;
    this.renderRows();
  }

  renderRows() {
    const scrolled = this.scrolledBy();
    const firstShown = Math.floor(scrolled / kRowHeight);
    const offset = scrolled - firstShown * kRowHeight;
    const count = Math.max(
      0,
      Math.min(this.cursor.dataRows() - firstShown, Math.ceil((this.rowsHeight() + offset) / kRowHeight)),
    );
    while (this.rowPool.length < count) {
      const row = div("grid-row");
      this.applyWidths(row);
      this.rowsLayer.append(row);
      this.rowPool.push(row);
    }
    const first = this.cursor.firstRow() + firstShown;
    const texts = count > 0 ? this.source.rows(first, count) : [];
    const selected = this.cursor.selectedArea();
    for (const [index, row] of this.rowPool.entries()) {
      row.hidden = index >= count;
      if (row.hidden) continue;
      const tableRow = first + index;
      row.dataset.row = String(tableRow);
      row.style.top = `${this.headerHeight() + index * kRowHeight - offset}px`;
      fillRow(row, texts[index]);
      for (const cell of row.children) {
        const column = Number(cell.dataset.column);
        if (column === 0) continue;
        cell.classList.toggle("selected", contains(selected, { column, row: tableRow }));
      }
    }
    this.placeFrame(scrolled);
    this.placeEditor(scrolled);
  }

  // The frame lies around the current cell, the open editor inside it.
  placeFrame(scrolled) {
    this.frame.hidden = this.cursor.dataRows() <= 0;
    if (this.frame.hidden) return;
    const { column, row } = this.current;
    Object.assign(this.frame.style, {
      left: `${this.columnLeft(column)}px`,
      top: `${this.headerHeight() + (row - this.cursor.firstRow()) * kRowHeight - scrolled}px`,
      width: `${this.widths[column]}px`,
      height: `${kRowHeight}px`,
    });
  }

  // The editor lies over the current cell, also when that cell is scrolled out of view.
  placeEditor(scrolled) {
    if (!this.editable) return;
    const open = !this.cursor.hasSelection() && this.cursor.dataRows() > 0;
    this.editor.hidden = !open;
    if (!open) return;
    const { column, row } = this.current;
    const top = this.headerHeight() + (row - this.cursor.firstRow()) * kRowHeight - scrolled;
    this.editor.setAttribute("aria-label", `${this.source.cell(column, 0)} No. ${this.source.cell(0, row)}`);
    Object.assign(this.editor.style, {
      left: `${this.columnLeft(column) + kFrameWidth}px`,
      top: `${top + kFrameWidth}px`,
      width: `${this.widths[column] - 2 * kFrameWidth}px`,
      height: `${kRowHeight - 2 * kFrameWidth}px`,
    });
  }

  // The editor on the current cell with its text selected, so that typing replaces it.
  openEditor() {
    if (!this.editable) return;
    this.cursor.clearSelection();
    this.editor.value = this.source.cell(this.current.column, this.current.row);
    this.openedText = this.editor.value;
    this.renderRows();
    this.editor.focus({ preventScroll: true });
    this.editor.select();
  }

  // A range selected closes the editor, its text kept.
  closeEditorForRange() {
    if (!this.editable || this.editor.hidden) return;
    const hadFocus = document.activeElement === this.editor;
    this.editor.hidden = true;
    if (hadFocus) this.scroller.focus({ preventScroll: true });
  }

  focus() {
    if (this.editable && !this.cursor.hasSelection()) this.openEditor();
    else this.scroller.focus({ preventScroll: true });
  }

  setCurrent(column, row, extend) {
    this.cursor.moveTo(column, row, extend);
    const next = this.current;
    if (extend) this.closeEditorForRange();
    this.ensureVisible(next.row);
    this.ensureColumnVisible(next.column);
    if (this.editable && !extend) this.openEditor();
    else this.renderRows();
  }

  ensureVisible(row) {
    const top = (row - this.cursor.firstRow()) * kRowHeight;
    const scrolled = this.scrolledBy();
    if (top < scrolled) this.scrollTo(top);
    else if (top + kRowHeight > scrolled + this.rowsHeight()) this.scrollTo(top + kRowHeight - this.rowsHeight());
  }

  // Scrolls across by whole columns so that a data column shows whole beside the fixed column.
  ensureColumnVisible(column) {
    const stop = rules().stopShowing(this.widths, this.scroller.clientWidth, column, this.scrolledAcross);
    if (stop !== null) this.scrollAcrossTo(stop);
  }

  // Brings a table row into view when it is one of the rows shown.
  scrollToTableRow(row) {
    if (row >= this.cursor.firstRow() && row < this.rowCount) this.ensureVisible(row);
  }

  // The table column and row of the current cell; row 0 when there is none.
  currentColumn() {
    return this.cursor.currentColumn();
  }

  currentRow() {
    return this.cursor.currentRow();
  }

  // Selects the data cells of the filled rows shown; false when there are none.
  selectFilledRows() {
    if (!this.cursor.selectFilledRows(this.source.filledRowCount())) return false;
    this.closeEditorForRange();
    this.renderRows();
    return true;
  }

  // The text Ctrl+C puts on the clipboard: the selected cells, else the current one.
  selectionText() {
    const area = this.cursor.copiedArea();
    return area && this.source.copyText(area.left, area.top, area.right, area.bottom);
  }

  copy(event) {
    if (
      this.editable &&
      document.activeElement === this.editor &&
      this.editor.selectionStart !== this.editor.selectionEnd
    )
      return;
    const text = this.selectionText();
    if (text === null) return;
    event.preventDefault();
    event.clipboardData.setData("text/plain", text);
  }

  paste(event) {
    if (!this.editable) return;
    const text = event.clipboardData?.getData("text/plain") ?? "";
    if (this.hooks.onPaste?.(text) !== false) {
      event.preventDefault();
      return;
    }
    if (event.target === this.editor) return; // a single value goes into the open editor
    event.preventDefault();
    this.openEditor();
    this.editor.value = text;
    this.editor.dispatchEvent(new Event("input"));
  }

  // Keys that move the current cell, for both grids; true when the key was one of them. Left and
  // Right move it where the cell editor is closed or leaves them.
  navigate(event, across = !this.editable || this.cursor.hasSelection()) {
    const page = Math.max(1, Math.floor(this.rowsHeight() / kRowHeight));
    const { column, row } = this.current;
    const target = rules().keyTarget(this.columns, this.rowCount, column, row, event.key, event.ctrlKey, page, across);
    if (!target || event.altKey || event.metaKey) return false;
    event.preventDefault();
    this.setCurrent(target.column, target.row, event.shiftKey);
    return true;
  }

  clipboardKey(event) {
    const ctrl = (event.ctrlKey || event.metaKey) && !event.altKey;
    if (!ctrl) return false;
    const key = event.key.toLowerCase();
    if (key === "a") {
      if (this.selectFilledRows()) {
        event.preventDefault();
        return true;
      }
      return false;
    }
    if (key === "z" && !event.shiftKey && this.editable) {
      if (document.activeElement === this.editor && this.editor.value !== this.openedText) return false;
      event.preventDefault();
      this.hooks.onUndo?.();
      return true;
    }
    return false;
  }

  editorKey(event) {
    if (event.isComposing || this.clipboardKey(event)) return;
    if (event.key === "Tab" && !event.ctrlKey && !event.altKey) {
      const { column, row } = this.current;
      const way = event.shiftKey ? -1 : 1;
      const next = rules().tabTarget(this.columns, this.rowCount, column, row, way, this.source.filledRowCount());
      if (!next) return; // the focus leaves the grid
      event.preventDefault();
      this.setCurrent(next.column, next.row, false);
      return;
    }
    if (event.key === "Enter") {
      event.preventDefault();
      this.openEditor();
      return;
    }
    if (event.key === "Escape") {
      event.preventDefault();
      event.stopPropagation();
      this.source.setCell(this.current.column, this.current.row, this.openedText);
      this.openEditor();
      return;
    }
    const { selectionStart, selectionEnd, value } = this.editor;
    const { key, shiftKey, ctrlKey } = event;
    if (!rules().editorKeeps(key, shiftKey, ctrlKey, selectionStart, selectionEnd, value.length))
      this.navigate(event, true);
  }

  // The context menu opened by a key, at the current cell.
  contextMenuByKey() {
    if (!this.hooks.onContextMenu) return;
    this.ensureVisible(this.current.row);
    const frame = this.frame.getBoundingClientRect();
    this.hooks.onContextMenu(frame.left + frame.width / 2, frame.bottom, true);
  }

  gridKey(event) {
    if (this.clipboardKey(event)) return;
    if (this.navigate(event)) return;
    const action = rules().gridKeyAction(event.key, event.shiftKey, event.ctrlKey, event.altKey);
    if (action === "contextMenu") {
      event.preventDefault();
      this.contextMenuByKey();
      return;
    }
    if (!this.editable && action !== "" && this.cursor.dataRows() > 0) {
      event.preventDefault();
      if (action === "openCurves") this.hooks.onOpenCurves?.();
      else this.hooks.onOpenRow?.();
      return;
    }
    // A key typed over a range opens the editor again on the current cell and goes into it.
    if (this.editable && event.key.length === 1 && !event.ctrlKey && !event.metaKey && !event.altKey) {
      this.openEditor();
    } else if (this.editable && event.key === "Tab") {
      event.preventDefault();
      this.openEditor();
    }
  }

  // The cell under the mouse: {column, row} in table cells, or {fixed: "row"|"column"}.
  cellAt(event) {
    const cell = event.target.closest?.(".cell");
    if (!cell) return null;
    const row = cell.parentElement === this.header ? 0 : Number(cell.parentElement.dataset.row);
    return { column: Number(cell.dataset.column), row, header: cell.parentElement === this.header };
  }

  mouseDown(event) {
    if (event.button !== 0) return;
    const at = this.cellAt(event);
    if (!at || event.target === this.editor) return;
    event.preventDefault();
    if (at.header && at.column === 0) return;
    if (at.header || at.column === 0) {
      this.fixedCellDown(at, event);
      return;
    }
    this.setCurrent(at.column, at.row, event.shiftKey);
    if (!this.editable || this.cursor.hasSelection()) this.scroller.focus({ preventScroll: true });
    this.drag = { kind: "cells" };
    this.trackMouse((moved) => {
      const over = this.cellUnder(moved);
      if (!over || over.column < 1 || over.header) return;
      if (over.column === this.current.column && over.row === this.current.row) return;
      this.setCurrent(over.column, over.row, true);
    });
  }

  // A fixed cell pressed: a click selects its row or column; in the editable grid a drag onto
  // another fixed cell moves the row or column there.
  fixedCellDown(at, event) {
    const kind = at.header ? "column" : "row";
    const from = at.header ? at.column : at.row;
    let to = from;
    const pressed = event.target.closest(".cell");
    pressed.classList.add("dragging");
    this.trackMouse(
      (moved) => {
        if (!this.editable) return;
        const over = this.cellUnder(moved);
        if (!over) return;
        to = kind === "column" ? Math.max(1, over.column) : over.header ? this.cursor.firstRow() : over.row;
        this.showDropMark(kind, to, from);
      },
      () => {
        pressed.classList.remove("dragging");
        this.dropMark.hidden = true;
        if (this.editable && to !== from) {
          if (kind === "row") this.source.moveRow(from, to);
          else this.source.moveColumn(from, to);
          this.showTable();
        }
        this.cursor.selectLine(kind === "row", to);
        this.closeEditorForRange();
        this.scroller.focus({ preventScroll: true });
        this.renderRows();
      },
    );
  }

  showDropMark(kind, to, from) {
    this.dropMark.hidden = to === from;
    if (kind === "row") {
      const top =
        this.headerHeight() + (to - this.cursor.firstRow() + (to > from ? 1 : 0)) * kRowHeight - this.scrolledBy();
      Object.assign(this.dropMark.style, { left: "0px", top: `${top - 1}px`, width: "100%", height: "2px" });
    } else {
      const left = this.columnLeft(to + (to > from ? 1 : 0));
      Object.assign(this.dropMark.style, { left: `${left - 1}px`, top: "0px", width: "2px", height: "100%" });
    }
  }

  cellUnder(event) {
    const target = document.elementFromPoint(event.clientX, event.clientY);
    if (!target || !this.view.contains(target)) return null;
    return this.cellAt({ target });
  }

  trackMouse(onMove, onUp) {
    const move = (moved) => onMove(moved);
    const up = () => {
      window.removeEventListener("mousemove", move);
      window.removeEventListener("mouseup", up);
      this.drag = null;
      onUp?.();
    };
    window.addEventListener("mousemove", move);
    window.addEventListener("mouseup", up);
  }
}

function div(className) {
  const element = document.createElement("div");
  element.className = className;
  return element;
}

function fillRow(row, texts) {
  for (const [column, cell] of [...row.children].entries()) {
    const text = texts[column] ?? "";
    if (cell.textContent !== text) cell.textContent = text;
  }
}

function clamp(value, low, high) {
  return Math.max(low, Math.min(high, value));
}

// Whether a range, or none, holds a cell.
function contains(area, { column, row }) {
  return area !== null && column >= area.left && column <= area.right && row >= area.top && row <= area.bottom;
}
