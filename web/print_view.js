// The print view: what goes to the browser's print dialog. A listing reaches it through the
// engine's print stream, drawn onto A4 pages in the printer's font, each text at the place the
// stream gives it; the nomograph view goes as one landscape page.

import { listingFamily } from "./look.js";

// Device units of the pages: 1200 per inch, as a printer at its high resolution.
const kUnitsPerInch = 1200;
const kPointsPerInch = 72;
// The printable area of an A4 page, in points: the page less margins of 18 points left and
// right and 36 points top and bottom.
const kPageWidthPt = 595.28;
const kPageHeightPt = 841.89;
const kMarginLeftPt = 18;
const kMarginTopPt = 36;
// The listing font at 9 points.
const kListingPoints = 9;

function units(points) {
  return Math.round((points * kUnitsPerInch) / kPointsPerInch);
}

// The printer's side of a listing: page size in device units, and the listing font's character
// height and widths measured in the page. The engine's print stream lays the listing out by
// them and hands over its lines.
export class ListingSurface {
  constructor() {
    this.width = units(kPageWidthPt - 2 * kMarginLeftPt);
    this.height = units(kPageHeightPt - 2 * kMarginTopPt);
    this.fontPixels = (kListingPoints * kUnitsPerInch) / kPointsPerInch;
    this.context = document.createElement("canvas").getContext("2d");
    this.context.font = `${this.fontPixels}px ${listingFamily()}`;
    const metrics = this.context.measureText("Mg");
    this.lineHeight = Math.round(metrics.fontBoundingBoxAscent) + Math.round(metrics.fontBoundingBoxDescent);
  }

  pageWidth() {
    return this.width;
  }

  pageHeight() {
    return this.height;
  }

  characterHeight() {
    return this.lineHeight;
  }

  characterWidth(character) {
    return this.context.measureText(character).width;
  }
}

function inches(deviceUnits) {
  return `${deviceUnits / kUnitsPerInch}in`;
}

// The paper of the print view, for the whole document: browsers that give every page the size
// of the first (Firefox) take no paper of a page's own.
function usePaper(size) {
  let style = document.getElementById("PrintPaper");
  if (!style) {
    style = document.createElement("style");
    style.id = "PrintPaper";
    document.head.append(style);
  }
  style.textContent = `@page { size: ${size}; margin: 0; }`;
}

// The print view of a listing: its pages, each a printable area in which the lines that follow
// one another at one spacing make one element, each line where the print stream put it. A
// browser lays out and prints pages of a few elements many times faster than pages of an
// element per line or per field. Added a part at a time as the engine draws them.
export class ListingView {
  constructor(surface) {
    usePaper("A4");
    this.view = document.getElementById("PrintView");
    this.view.replaceChildren();
    this.view.dataset.kind = "listing";
    const area = {
      "--area-left": `${kMarginLeftPt}pt`,
      "--area-top": `${kMarginTopPt}pt`,
      "--area-width": inches(surface.width),
      "--area-height": inches(surface.height),
      "--listing-family": listingFamily(),
      "--listing-size": `${kListingPoints}pt`,
    };
    for (const [name, value] of Object.entries(area)) this.view.style.setProperty(name, value);
    this.characterHeight = surface.characterHeight();
    this.pageCount = 0;
    this.area = null;
    this.run = null; // the lines of the element last added: {element, top, spacing, last}
  }

  // A part of the engine's lines: {text, lengths, lefts, tops, pageStarts}.
  add({ text, lengths, lefts, tops, pageStarts }) {
    let start = 0;
    for (let i = 0; i < lengths.length; i += 1) {
      if (this.area === null || pageStarts[i]) this.newPage();
      this.addLine(lefts[i], tops[i], text.slice(start, start + lengths[i]));
      start += lengths[i];
    }
  }

  addLine(x, y, text) {
    const run = this.run;
    if (run && x === 0 && (run.spacing === null || y - run.last === run.spacing)) {
      if (run.spacing === null) {
        // A line of text sits in the middle of its line box: the box begins half the leading
        // above where the stream put the text's top.
        run.spacing = y - run.last;
        run.element.style.lineHeight = inches(run.spacing);
        run.element.style.top = inches(run.top - (run.spacing - this.characterHeight) / 2);
      }
      run.element.append(`\n${text}`);
      run.last = y;
      return;
    }
    const element = document.createElement("pre");
    element.className = "print-lines";
    element.style.top = inches(y);
    if (x !== 0) element.style.left = inches(x);
    element.textContent = text;
    this.area.append(element);
    this.run = x === 0 ? { element, top: y, spacing: null, last: y } : null;
  }

  newPage() {
    const page = document.createElement("div");
    page.className = "print-page";
    this.area = document.createElement("div");
    this.area.className = "print-area";
    page.append(this.area);
    this.view.append(page);
    this.pageCount += 1;
    this.run = null;
  }

  clear() {
    this.view.replaceChildren();
  }
}

// The box that shows how far a long listing has come, with a button that stops it; it opens
// only once the listing takes longer than a moment.
export class PrintProgress {
  constructor(pages) {
    this.box = document.getElementById("PrintProgress");
    this.pages = pages;
    this.cancelled = false;
    this.cancel = () => {
      this.cancelled = true;
    };
    this.box.querySelector(".box-button").addEventListener("click", this.cancel);
    this.box.addEventListener("cancel", this.cancel);
  }

  show(done) {
    this.box.querySelector("progress").max = this.pages;
    this.box.querySelector("progress").value = done;
    this.box.querySelector(".progress-text").textContent = `印刷の準備をしています (${done} / ${this.pages} ページ)`;
    if (!this.box.open) {
      this.box.showModal();
      this.box.querySelector(".box-button").focus();
    }
  }

  close() {
    this.box.querySelector(".box-button").removeEventListener("click", this.cancel);
    this.box.removeEventListener("cancel", this.cancel);
    if (this.box.open) this.box.close();
  }
}

// A turn of the event loop: what the user did meanwhile is answered, and the page is drawn.
export function nextTask() {
  return new Promise((resolve) => setTimeout(resolve, 0));
}

// One landscape page holding a picture's SVG, fitted to the page less its margins.
export function showPicturePage(svg) {
  usePaper("A4 landscape");
  const view = document.getElementById("PrintView");
  view.replaceChildren();
  const page = document.createElement("div");
  page.className = "print-page landscape";
  page.innerHTML = svg;
  const picture = page.firstElementChild;
  Object.assign(picture.style, { left: "12mm", top: "12mm", width: "273mm", height: "186mm" });
  picture.setAttribute("preserveAspectRatio", "xMidYMid meet");
  view.append(page);
  view.dataset.kind = "picture";
  return view;
}

// The browser's print dialog over the print view.
export function openPrintDialog() {
  window.print();
}
