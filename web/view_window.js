// A view of its own over the page, showing one of the engine's drawings with buttons under it
// (and boxes above it, where it has them). While it is open the keys stay in it: Tab goes round
// its boxes and buttons, Escape closes it; what lies behind it takes neither keys nor clicks.

import { rules } from "./engine.js";

export class ViewWindow {
  // buttons: the engine's [{name, caption}], written but the PDF one, which the print dialog
  // stands for; behind: the elements the view covers; onClose(): where the keys go when it closes.
  constructor(element, { buttons = [], behind = [], onClose = () => {} } = {}) {
    for (const { name, caption } of buttons) {
      if (name.endsWith("PdfButton")) continue;
      const button = document.createElement("button");
      button.id = name;
      button.className = "push pointing";
      if (name.endsWith("CloseButton")) button.classList.add("close-button");
      button.textContent = caption;
      element.querySelector(".view-buttons").append(button);
    }
    this.element = element;
    this.behind = behind;
    this.onClose = onClose;
    this.canvas = element.querySelector(".view-canvas");
    this.title = element.querySelector(".view-title");
    this.picture = null;
    for (const close of element.querySelectorAll(".view-close, .close-button")) {
      close.addEventListener("click", () => this.close());
    }
    // On the document, so that the keys reach the view wherever the focus went (a box over the
    // view, which takes its own keys, gives it back when it closes).
    document.addEventListener("keydown", (event) => {
      if (!this.isOpen() || document.querySelector("dialog[open]")) return;
      if (event.key === "Escape") this.close();
      else if (event.key === "Tab" && !event.ctrlKey && !event.altKey) this.focusNext(event.shiftKey ? -1 : 1);
      else return;
      event.preventDefault();
      event.stopPropagation();
    });
    // The PNG file dialog the view keeps between uses.
    this.pngDialog = rules().viewDialog("png");
  }

  // The boxes and buttons, in their order.
  get controls() {
    return [...this.element.querySelectorAll(".view-boxes input, .view-buttons button")];
  }

  get closeButton() {
    return this.element.querySelector(".view-buttons .close-button");
  }

  isOpen() {
    return !this.element.hidden;
  }

  // Shows the picture under the title, the view brought to the front with the keys on its close
  // button.
  showPicture(title, picture) {
    this.picture = picture;
    this.title.textContent = title;
    this.canvas.innerHTML = picture.svg();
    const svg = this.canvas.firstElementChild;
    svg.setAttribute("preserveAspectRatio", "xMidYMid meet");
    svg.setAttribute("role", "img");
    svg.setAttribute("aria-label", title);
    svg.removeAttribute("width");
    svg.removeAttribute("height");
    if (this.isOpen()) return;
    this.element.hidden = false;
    for (const element of this.behind) element.inert = true;
    this.closeButton.focus();
  }

  // The next or previous control, round from the last to the first.
  focusNext(way) {
    const controls = this.controls;
    const at = controls.indexOf(document.activeElement);
    const next = at < 0 ? (way > 0 ? 0 : controls.length - 1) : (at + way + controls.length) % controls.length;
    controls[next].focus();
  }

  close() {
    if (!this.isOpen()) return;
    this.element.hidden = true;
    for (const element of this.behind) element.inert = false;
    this.onClose();
  }

  // The picture as a PNG image, twice its own size in pixels: its SVG, as the view shows it,
  // drawn onto a canvas.
  async pngBytes() {
    const image = new Image();
    image.src = `data:image/svg+xml;charset=utf-8,${encodeURIComponent(this.picture.svg(2))}`;
    await image.decode();
    const canvas = document.createElement("canvas");
    canvas.width = this.picture.width * 2;
    canvas.height = this.picture.height * 2;
    canvas.getContext("2d").drawImage(image, 0, 0);
    const blob = await new Promise((resolve) => canvas.toBlob(resolve, "image/png"));
    if (!blob) throw new Error("PNG");
    return new Uint8Array(await blob.arrayBuffer());
  }
}
