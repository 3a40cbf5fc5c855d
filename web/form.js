// The window: the start page with the nomograph picture and the settings, the input page with
// the input table and its commands, the result page with the result table. Each button runs
// one command of the window's rules in the engine on what the user set in the controls, and
// the page shows what the command leaves to show; a failure of the page's own steps (a file
// the browser cannot read or write, memory it does not give) shows its message in the error
// box, and a fault of the program says that it stopped the command.

import * as dialogs from "./dialogs.js";
import { kInputTable, kResultTable } from "./engine.js";
import { fitTexts, widenToShow } from "./look.js";
import { CurvesView } from "./curves_view.js";
import { NomographView } from "./nomograph_view.js";
import { keepHalfWidthNumbers } from "./number_input.js";
import { PageControl } from "./page_control.js";
import { curvesPicture, drawnPicture, nomographPicture } from "./picture.js";
import {
  ListingSurface,
  ListingView,
  nextTask,
  openPrintDialog,
  PrintProgress,
  showPicturePage,
} from "./print_view.js";
import { StringGrid } from "./string_grid.js";

function control(name) {
  return document.getElementById(name);
}

// A file name box: its text, its end in view where a long name folds, and the button-face
// colour once a command has written it.
function showFileName(box, name) {
  box.value = name;
  box.scrollTop = box.scrollHeight;
  box.classList.remove("light3d");
}

// A command on this many rows runs for about a tenth of a second or longer in a browser.
const kLongCommandRows = 20000;
// A record of a data file takes about this many bytes.
const kRecordBytes = 50;
// How long a browser takes to draw a cursor set by the page.
const kCursorShownAfter = 60;
// The most pages of a listing the print view takes. A browser's print preview of a listing
// takes longer than in proportion to its pages: Chromium needs about 16 s for 1,200 of them,
// 50 s for 2,400 and 5 minutes for 4,800.
const kMostPrintedPages = 2500;
// A listing is drawn in parts of about this many milliseconds, the page answering between them.
const kListingPartTime = 30;
const kFirstListingPartRows = 200;
const kMostListingPartRows = 2000;

export class TForm1 {
  constructor(engine) {
    this.engine = engine;
    // The window's state and rules.
    this.session = engine.session;
    this.running = false;

    for (const name of document.querySelectorAll("[id]")) this[name.id] = name;
    this.PageControl1 = new PageControl(control("PageControl1"), (page) =>
      this.run(() => this.PageControl1Change(page)),
    );
    this.PageControl1.showPages(this.session.pages());
    const halfWidth = (text) => engine.module.halfWidthNumberText(text);
    this.StringGrid1 = new StringGrid(control("StringGrid1"), engine.table(kInputTable), {
      editable: true,
      halfWidth,
      onPaste: (text) => this.pasteFromClipboard(text),
      onUndo: () => this.run(() => this.StringGrid1Undo()),
    });
    this.StringGrid2 = new StringGrid(control("StringGrid2"), engine.table(kResultTable), {
      onContextMenu: (x, y, byKeyboard) => this.showPopupMenu(x, y, byKeyboard),
      onOpenRow: () => this.run(() => this.StringGrid2DblClick()),
      onOpenCurves: () => this.run(() => this.Curves1Click()),
    });
    for (const box of [this.Edit1, this.Edit2, this.Edit3, this.Edit4]) keepHalfWidthNumbers(box, halfWidth);
    this.nomographView = new NomographView(control("NomographView"), {
      buttons: engine.module.nomographViewButtons(),
      behind: [this.Form1, control("PopupMenu1")],
      onClose: () => this.StringGrid2.focus(),
    });
    this.curvesView = new CurvesView(control("CurvesView"), engine.module.curvesViewControls(), {
      behind: [this.Form1, control("PopupMenu1")],
      onClose: () => this.StringGrid2.focus(),
      onApply: () => this.run(() => this.CurvesApplyClick()),
    });
    this.drawPictures();
    fitTexts(document);
    widenToShow(this.Edit4, String(engine.module.maxDataCountLimit()));
    this.connectCommands();
  }

  drawPictures() {
    const module = this.engine.module;
    control("Image3").innerHTML = drawnPicture(module, "schematic").svg();
    control("Image1").innerHTML = drawnPicture(module, "logo").svg();
    const icon = drawnPicture(module, "icon");
    control("Image5").innerHTML = icon.svg();
    control("CaptionIcon").innerHTML = icon.svg(0.5);
    const link = document.createElement("link");
    link.rel = "icon";
    link.href = `data:image/svg+xml,${encodeURIComponent(icon.svg())}`;
    document.head.append(link);
  }

  // Each button runs the handler named after it (BitBtn4: BitBtn4Click, CurvesApplyButton:
  // CurvesApplyClick), the nomograph view's buttons the view's handlers.
  connectCommands() {
    const viewButtons = {
      SavePngButton: this.ViewSavePngClick,
      PrintButton: this.ViewPrintClick,
      CurvesButton: this.ViewCurvesClick,
    };
    for (const button of document.querySelectorAll("#Client button, .view-window button")) {
      const command = viewButtons[button.id] ?? this[`${button.id.replace(/Button$/, "")}Click`];
      if (command) button.addEventListener("click", () => this.run(() => command.call(this)));
    }
    control("CloseBox").addEventListener("click", () => this.endProgram());
    // A right click on the input page opens no menu, neither on the page nor on its controls.
    control("TabSheet2").addEventListener("contextmenu", (event) => event.preventDefault());
    const menu = control("PopupMenu1");
    // Each item runs the handler named after it: Copy1 runs Copy1Click.
    for (const item of menu.querySelectorAll(".menu-item")) {
      const command = this[`${item.id}Click`];
      item.tabIndex = -1;
      item.addEventListener("click", () => {
        this.hidePopupMenu();
        this.run(() => command.call(this));
      });
      item.addEventListener("mousemove", () => this.activateMenuItem(item));
    }
    menu.addEventListener("keydown", (event) => this.popupMenuKey(event));
    document.addEventListener("mousedown", (event) => {
      if (!menu.hidden && !menu.contains(event.target)) this.hidePopupMenu();
    });
  }

  // Runs a command: any failure ends it and shows its message in the error box. One command
  // runs at a time; the grids show what it wrote when it ends, also when it fails half way.
  async run(command) {
    if (this.running || this.ended) return;
    this.running = true;
    try {
      await command();
      if (!this.ended) this.showTables();
    } catch (failure) {
      this.endWaiting();
      const message = this.messageOf(failure);
      this.showTables();
      await dialogs.error(message);
    } finally {
      this.endWaiting();
      this.running = false;
    }
  }

  // The error box's text: a failure's message, memory that the browser does not give, a file it
  // could not read or write, or for a fault of the program the internal error message, the
  // fault itself going to the console.
  messageOf(failure) {
    const boxText = (stop, detail = "", row = 0) => this.engine.module.errorBoxTextOf(stop, detail, row);
    if (dialogs.isAllocationFailure(failure)) return boxText("memory");
    if (failure?.systemError) return boxText("system", failure.systemError);
    if (failure?.name === "Failure") return boxText("failure", failure.message, failure.row ?? 0);
    console.error(`talveno: internal error: ${failure}`, failure);
    return boxText("fault");
  }

  // The wait cursor until the command ends or opens a box; a command on many rows first gives
  // the browser the time to draw it.
  async waitOn(rows) {
    document.documentElement.classList.add("waiting");
    if (rows >= kLongCommandRows) await new Promise((resolve) => setTimeout(resolve, kCursorShownAfter));
  }

  endWaiting() {
    document.documentElement.classList.remove("waiting");
  }

  // The rows a command goes through, known before it runs.
  rowsOf(work) {
    return this.session.rowsOf(work, this.controls());
  }

  // What the user set in the controls, as the commands read it.
  controls() {
    return {
      rowText: this.Edit1.value,
      firstRowText: this.Edit2.value,
      lastRowText: this.Edit3.value,
      maxCountText: this.Edit4.value,
      unit: this.chosenUnit(),
      vanDraat: this.vanDraatChosen(),
    };
  }

  // Shows a command's outcome: the pages, the texts written, the row brought into view, then,
  // the wait cursor gone, its box.
  async show(outcome) {
    if (outcome.pages) this.PageControl1.showPages(outcome.pages);
    for (const { control: name, text } of outcome.texts) {
      const element = this[name];
      if (element.classList.contains("memo")) showFileName(element, text);
      else if (element.tagName === "INPUT") element.value = text;
      else element.textContent = text;
    }
    if (outcome.rowInView) {
      this.showTables();
      const grid = outcome.rowInView.table === kInputTable ? this.StringGrid1 : this.StringGrid2;
      grid.scrollToTableRow(outcome.rowInView.row);
    }
    if (outcome.box === "information") await dialogs.information(outcome.boxText);
    if (outcome.box !== "error") return;
    this.endWaiting();
    this.showTables();
    await dialogs.error(outcome.boxText);
  }

  showTables() {
    this.StringGrid1.showTable();
    this.StringGrid2.showTable();
  }

  // The unit chosen now: 0 MPa, 1 kgf/cm2.
  chosenUnit() {
    return Number(document.querySelector("input[name=RadioGroup1]:checked").value);
  }

  vanDraatChosen() {
    return document.querySelector("input[name=RadioGroup2]:checked").value === "1";
  }

  // The start command: the input page in front, the tables sized to the maximum data count.
  async BitBtn1Click() {
    await this.waitOn(this.rowsOf("start"));
    await this.show(this.session.start(this.controls()));
  }

  // The calculation run: the result page in front, the failing row in view.
  async BitBtn4Click() {
    await this.waitOn(this.rowsOf("run"));
    await this.show(this.session.run(this.controls()));
  }

  // The copy commands bring the row written into view when it is one of the rows shown.
  Button7Click() {
    return this.show(this.session.copyFirstRow());
  }

  Button9Click() {
    return this.show(this.session.copyChosenRow(this.controls()));
  }

  async Button8Click() {
    await this.waitOn(this.rowsOf("partialClear"));
    await this.show(this.session.partialClear(this.controls()));
  }

  async Button2Click() {
    if (!(await dialogs.confirm(this.engine.windowTexts.clearAllQuestion))) return;
    await this.waitOn(this.rowsOf("clearAll"));
    await this.show(this.session.clearAll(this.controls()));
  }

  Button6Click() {
    return this.show(this.engine.module.help(1));
  }

  Button5Click() {
    return this.show(this.engine.module.help(2));
  }

  Button10Click() {
    return this.show(this.engine.module.help(3));
  }

  Button11Click() {
    return this.show(this.engine.module.help(4));
  }

  Button12Click() {
    return this.show(this.engine.module.help(5));
  }

  // The exit: after "OK" the program's page ends; nothing is saved and nothing else is asked.
  async Button1Click() {
    if (await dialogs.confirm(this.engine.windowTexts.exitQuestion)) this.endProgram();
  }

  // A browser tab cannot close itself: the page shows that the program has ended.
  endProgram() {
    this.ended = true;
    this.engine.close();
    for (const child of document.body.children) if (child.id !== "Ended") child.hidden = true;
    control("Form1").remove();
    control("Ended").hidden = false;
    document.documentElement.dataset.ended = "1";
  }

  // The user chose a page.
  PageControl1Change(page) {
    return this.show(this.session.changePage(page));
  }

  // The file chosen in a file dialog the engine keeps, which keeps its name; null when the user
  // cancels. Asked for before the command waits for anything.
  async chooseFileToOpen(dialog) {
    const file = await dialogs.chooseFileToOpen(this.session.dialog(dialog).filter);
    if (file) this.session.fileChosen(dialog, file.name);
    return file;
  }

  async chooseFileToSave(dialog) {
    const place = await dialogs.chooseFileToSave(this.session.dialog(dialog));
    if (place) this.session.fileChosen(dialog, place.name);
    return place;
  }

  // Saving the input data file: the name box shows the file only once it is written.
  async BitBtn3Click() {
    const place = await this.chooseFileToSave("SaveDialog1");
    if (!place) return;
    await this.waitOn(this.rowsOf("saveInput"));
    await place.write(this.session.inputFileBytes());
    await this.show(this.session.fileSaved(kInputTable, place.name));
  }

  // Reading the input data file: the count checked before the dialog opens.
  async BitBtn2Click() {
    const refused = this.session.checkCount(this.controls());
    if (refused.box) return this.show(refused);
    const file = await this.chooseFileToOpen("OpenDialog1");
    if (!file) return;
    await this.waitOn(file.size / kRecordBytes);
    const bytes = await dialogs.fileBytes(file);
    await this.show(this.session.readFile(kInputTable, bytes, file.name, this.controls()));
  }

  // Saving the result file, with the unit line of the unit chosen now.
  async BitBtn6Click() {
    const place = await this.chooseFileToSave("SaveDialog2");
    if (!place) return;
    await this.waitOn(this.rowsOf("saveResults"));
    await place.write(this.session.resultFileBytes(this.chosenUnit()));
    await this.show(this.session.fileSaved(kResultTable, place.name));
  }

  async BitBtn5Click() {
    const file = await this.chooseFileToOpen("OpenDialog2");
    if (!file) return;
    await this.waitOn(file.size / kRecordBytes);
    const bytes = await dialogs.fileBytes(file);
    await this.show(this.session.readFile(kResultTable, bytes, file.name, this.controls()));
  }

  // A listing drawn by the engine's print stream onto the print view's pages, then the print
  // dialog. A listing of more pages than a browser prints is refused before it is drawn; a
  // long one is drawn in parts, the page answering between them, with a box that shows how far
  // it has come and can stop it. A listing stopped, or stopped by a bad cell, is not printed.
  async printListing(table, unit) {
    const session = this.session;
    const surface = new ListingSurface();
    const pages = session.beginListing(table, unit, surface, kMostPrintedPages);
    const view = new ListingView(surface);
    const progress = new PrintProgress(pages);
    let done = false;
    try {
      for (let rows = kFirstListingPartRows; ;) {
        const started = performance.now();
        const part = session.continueListing(rows);
        view.add(part);
        if (!part.more) break;
        progress.show(view.pageCount);
        await nextTask();
        if (progress.cancelled) return;
        const time = Math.max(1, performance.now() - started);
        rows = Math.min(2 * rows, kMostListingPartRows, Math.max(100, Math.round((rows * kListingPartTime) / time)));
      }
      done = true;
    } finally {
      progress.close();
      session.endListing();
      if (!done) view.clear();
    }
    openPrintDialog();
  }

  // Printing a table, titled with its file name box's text, the result listing's unit line in
  // the unit chosen now.
  Button3Click() {
    return this.printListing(kInputTable, this.chosenUnit());
  }

  Button4Click() {
    return this.printListing(kResultTable, this.chosenUnit());
  }

  // Ctrl+V in the input table: false when the text is one value, which the open editor takes.
  pasteFromClipboard(text) {
    if (!this.engine.module.isCellBlock(text)) return false;
    this.run(() => this.StringGrid1Paste(text));
    return true;
  }

  StringGrid1Paste(text) {
    return this.show(this.session.pasteBlock(this.StringGrid1.currentColumn(), this.StringGrid1.currentRow(), text));
  }

  StringGrid1Undo() {
    return this.show(this.session.undoPaste());
  }

  // The result table's menu takes the keys: opened by a key, with its first item active.
  showPopupMenu(x, y, byKeyboard) {
    const menu = control("PopupMenu1");
    menu.hidden = false;
    menu.style.left = `${Math.min(x, window.innerWidth - menu.offsetWidth - 2)}px`;
    menu.style.top = `${Math.min(y, window.innerHeight - menu.offsetHeight - 2)}px`;
    const first = menu.querySelector(".menu-item");
    this.activateMenuItem(byKeyboard ? first : null);
    (byKeyboard ? first : menu).focus({ preventScroll: true });
  }

  // The menu closed; the keys go back to the result table where the menu had them.
  hidePopupMenu() {
    const menu = control("PopupMenu1");
    if (menu.hidden) return;
    const hadFocus = menu.contains(document.activeElement);
    menu.hidden = true;
    if (hadFocus) this.StringGrid2.focus();
  }

  activateMenuItem(item) {
    for (const each of control("PopupMenu1").querySelectorAll(".menu-item")) {
      each.classList.toggle("active", each === item);
    }
    item?.focus({ preventScroll: true });
  }

  // The keys in the menu, as the window's rules say.
  popupMenuKey(event) {
    const items = [...control("PopupMenu1").querySelectorAll(".menu-item")];
    const at = items.findIndex((item) => item.classList.contains("active"));
    const { action, item } = this.engine.module.menuKey(items.length, at, event.key);
    if (action === "activate") this.activateMenuItem(items[item]);
    else if (action === "run") items[item].click();
    else if (action === "close") this.hidePopupMenu();
    else return;
    event.preventDefault();
    event.stopPropagation();
  }

  async Copy1Click() {
    const text = this.StringGrid2.selectionText();
    if (text !== null) await navigator.clipboard.writeText(text);
  }

  SelectAll1Click() {
    this.StringGrid2.selectFilledRows();
  }

  // The view shows the look-up the engine makes for the row's cells, or why there is none.
  StringGrid2DblClick() {
    const row = this.StringGrid2.currentRow();
    if (row < 1) return;
    const lookUp = this.session.lookUpResultRow(row);
    this.nomographView.showPage(row, nomographPicture(this.engine.module, row, lookUp));
  }

  Nomograph1Click() {
    return this.StringGrid2DblClick();
  }

  ViewSavePngClick() {
    return savePng(this.nomographView);
  }

  ViewPrintClick() {
    printPicture(this.nomographView);
  }

  // The current result row's stiffness curves, from the menu or by Shift+Enter.
  Curves1Click() {
    const row = this.StringGrid2.currentRow();
    if (row >= 1) this.showCurves(row);
  }

  // The nomograph view gives way to the curves of its row.
  ViewCurvesClick() {
    const row = this.nomographView.row;
    this.nomographView.close();
    this.showCurves(row);
  }

  // The curves the engine computes for the row's cells in the unit chosen, or why there are none.
  showCurves(row) {
    const curves = new this.engine.module.CurvesView(this.session, row, this.chosenUnit());
    this.curvesView.showCurves(curves, curvesPicture(this.engine.module, curves));
  }

  // The curves drawn anew over the ranges in the boxes; a bad box keeps them as they were.
  CurvesApplyClick() {
    const curves = this.curvesView.curves;
    curves.setTexts(this.curvesView.texts());
    this.curvesView.showCurves(curves, curvesPicture(this.engine.module, curves));
  }

  async CurvesCsvClick() {
    const place = await dialogs.chooseFileToSave(this.curvesView.csvDialog);
    if (!place) return;
    this.curvesView.csvDialog.fileName = place.name;
    await place.write(this.curvesView.curves.csvBytes());
  }

  async CurvesCopyClick() {
    await navigator.clipboard.writeText(this.curvesView.curves.tabSeparated());
  }

  CurvesPngClick() {
    return savePng(this.curvesView);
  }

  CurvesPrintClick() {
    printPicture(this.curvesView);
  }
}

// A view's picture saved as a PNG image, through its own file dialog.
async function savePng(view) {
  const place = await dialogs.chooseFileToSave(view.pngDialog);
  if (!place) return;
  view.pngDialog.fileName = place.name;
  await place.write(await view.pngBytes());
}

// A view's picture on a landscape page, through the browser's print dialog.
function printPicture(view) {
  showPicturePage(view.picture.svg());
  openPrintDialog();
}
