// The view that shows a result row's stiffness curves, with the boxes of their ranges above
// them (written from the engine's table of them as the page starts) and buttons to draw them
// anew, to save the points as CSV, to copy them, to save the charts as PNG and to print them.
// The engine's view holds the ranges and the points; this one holds the boxes and the picture.

import { rules } from "./engine.js";
import { ViewWindow } from "./view_window.js";

// The boxes of each chart on a line of their own.
const kBoxesPerLine = 4;

export class CurvesView extends ViewWindow {
  // controls: the engine's boxes and buttons; onApply(): Enter in a box.
  constructor(element, controls, { onApply = () => {}, ...options } = {}) {
    buildBoxes(element, controls.boxes);
    super(element, { buttons: controls.buttons, ...options });
    this.curves = null;
    for (const box of this.boxes) {
      box.addEventListener("keydown", (event) => {
        if (event.key !== "Enter") return;
        event.preventDefault();
        onApply();
      });
    }
    this.csvDialog = rules().viewDialog("csv");
  }

  get boxes() {
    return [...this.element.querySelectorAll(".view-boxes input")];
  }

  // Shows the engine's view of a row, its ranges in the boxes; another shown before goes.
  showCurves(curves, picture) {
    if (this.curves && this.curves !== curves) this.curves.delete();
    this.curves = curves;
    const texts = curves.texts();
    this.boxes.forEach((box, index) => (box.value = texts[index]));
    this.showPicture(curves.title(), picture);
  }

  // The boxes' texts, as the engine's view takes them.
  texts() {
    return this.boxes.map((box) => box.value);
  }
}

// The boxes, each labelled, four to a line.
function buildBoxes(element, boxes) {
  const lines = element.querySelector(".view-boxes");
  let line = null;
  boxes.forEach(({ name, label, unit }, index) => {
    if (index % kBoxesPerLine === 0) {
      line = document.createElement("div");
      line.className = "view-box-line";
      lines.append(line);
    }
    const field = document.createElement("label");
    field.className = "view-box";
    const input = document.createElement("input");
    Object.assign(input, { type: "text", id: name, autocomplete: "off", spellcheck: false });
    if (name.startsWith("Further")) input.classList.add("wide");
    const before = document.createElement("span");
    before.textContent = label;
    const after = document.createElement("span");
    after.textContent = unit;
    field.append(before, input, after);
    if (!label) input.setAttribute("aria-label", unit);
    line.append(field);
  });
}
