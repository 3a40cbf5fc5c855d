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

// The drawing surface the engine's print stream draws a listing on: page size in device
// units, text widths measured in the page in the listing font, the texts recorded per page.
export class ListingSurface {
  constructor() {
    this.width = units(kPageWidthPt - 2 * kMarginLeftPt);
    this.height = units(kPageHeightPt - 2 * kMarginTopPt);
    this.fontPixels = (kListingPoints * kUnitsPerInch) / kPointsPerInch;
    this.context = document.createElement("canvas").getContext("2d");
    this.context.font = `${this.fontPixels}px ${listingFamily()}`;
    const metrics = this.context.measureText("Mg");
    this.lineHeight = Math.round(metrics.fontBoundingBoxAscent) + Math.round(metrics.fontBoundingBoxDescent);
    this.pages = [[]];
  }

  pageWidth() {
    return this.width;
  }

  pageHeight() {
    return this.height;
  }

  textWidth(text) {
    return Math.round(this.context.measureText(text).width);
  }

  characterHeight() {
    return this.lineHeight;
  }

  drawText(x, y, text) {
    this.pages[this.pages.length - 1].push({ x, y, text });
  }

  newPage() {
    this.pages.push([]);
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

// Lays the recorded pages out in the print view, replacing what it held.
export function showListingPages(surface) {
  usePaper("A4");
  const view = document.getElementById("PrintView");
  view.replaceChildren();
  for (const texts of surface.pages) {
    const page = document.createElement("div");
    page.className = "print-page";
    const area = document.createElement("div");
    area.className = "print-area";
    Object.assign(area.style, {
      left: `${kMarginLeftPt}pt`,
      top: `${kMarginTopPt}pt`,
      width: inches(surface.width),
      height: inches(surface.height),
      fontFamily: listingFamily(),
      fontSize: `${kListingPoints}pt`,
    });
    for (const { x, y, text } of texts) {
      const span = document.createElement("span");
      span.className = "print-text";
      span.style.left = inches(x);
      span.style.top = inches(y);
      span.textContent = text;
      area.append(span);
    }
    page.append(area);
    view.append(page);
  }
  view.dataset.kind = "listing";
  return view;
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
