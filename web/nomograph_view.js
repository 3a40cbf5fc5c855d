// The view that shows a result row's look-up on the nomograph, a window of its own over the
// page, with buttons to save it as a PNG image and to print it. It keeps the page it was given
// until it is given another.

import { kPageHeight, kPageWidth } from "./nomograph_page.js";

export class NomographView {
  constructor(element) {
    this.element = element;
    this.canvas = element.querySelector(".view-canvas");
    this.title = element.querySelector(".view-title");
    this.picture = null;
    this.row = 0;
    for (const close of element.querySelectorAll(".view-close, #CloseButton")) {
      close.addEventListener("click", () => this.close());
    }
    element.addEventListener("keydown", (event) => {
      if (event.key === "Escape") {
        event.preventDefault();
        this.close();
      }
    });
    // The PNG file dialog the view keeps between uses.
    this.pngDialog = { filter: "PNG 画像|*.png", defaultExtension: "png", fileName: "" };
  }

  isOpen() {
    return !this.element.hidden;
  }

  // Shows the page, the view brought to the front.
  showPage(row, picture) {
    this.row = row;
    this.picture = picture;
    this.title.textContent = `ノモグラフで確認 - No. ${row}`;
    this.canvas.innerHTML = picture.svg();
    const svg = this.canvas.firstElementChild;
    svg.setAttribute("preserveAspectRatio", "xMidYMid meet");
    svg.removeAttribute("width");
    svg.removeAttribute("height");
    this.element.hidden = false;
    this.element.querySelector("#CloseButton").focus();
  }

  close() {
    this.element.hidden = true;
  }

  // The page as a PNG image, twice its own size in pixels.
  pngBytes() {
    const canvas = document.createElement("canvas");
    canvas.width = kPageWidth * 2;
    canvas.height = kPageHeight * 2;
    const context = canvas.getContext("2d");
    this.picture.draw(context, 2);
    return new Promise((resolve, reject) => {
      canvas.toBlob(async (blob) => {
        if (!blob) reject(new Error("PNG"));
        else resolve(new Uint8Array(await blob.arrayBuffer()));
      }, "image/png");
    });
  }
}
