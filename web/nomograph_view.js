// The view that shows a result row's look-up on the nomograph, a window of its own over the
// page, with buttons to save it as a PNG image and to print it. It keeps the page it was given
// until it is given another. While it is open the keys stay in it: Tab goes round its buttons,
// Escape closes it; what lies behind it takes neither keys nor clicks.

export class NomographView {
  // behind: the elements the view covers; onClose(): where the keys go when it closes.
  constructor(element, { behind = [], onClose = () => {} } = {}) {
    this.element = element;
    this.behind = behind;
    this.onClose = onClose;
    this.buttons = [...element.querySelectorAll(".view-buttons button")];
    this.canvas = element.querySelector(".view-canvas");
    this.title = element.querySelector(".view-title");
    this.picture = null;
    this.row = 0;
    for (const close of element.querySelectorAll(".view-close, #CloseButton")) {
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
    for (const element of this.behind) element.inert = true;
    this.element.querySelector("#CloseButton").focus();
  }

  // The next or previous button, round from the last to the first.
  focusNext(way) {
    const at = this.buttons.indexOf(document.activeElement);
    const next =
      at < 0 ? (way > 0 ? 0 : this.buttons.length - 1) : (at + way + this.buttons.length) % this.buttons.length;
    this.buttons[next].focus();
  }

  close() {
    if (!this.isOpen()) return;
    this.element.hidden = true;
    for (const element of this.behind) element.inert = false;
    this.onClose();
  }

  // The page as a PNG image, twice its own size in pixels.
  pngBytes() {
    const canvas = document.createElement("canvas");
    canvas.width = this.picture.width * 2;
    canvas.height = this.picture.height * 2;
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
