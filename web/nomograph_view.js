// The view that shows a result row's look-up on the nomograph, with buttons to save it as a PNG
// image, to print it and to open the row's stiffness curves. It keeps the page it was given
// until it is given another.

import { rules } from "./engine.js";
import { ViewWindow } from "./view_window.js";

export class NomographView extends ViewWindow {
  constructor(element, options) {
    super(element, options);
    this.row = 0;
  }

  showPage(row, picture) {
    this.row = row;
    this.showPicture(rules().nomographTitle(row), picture);
  }
}
