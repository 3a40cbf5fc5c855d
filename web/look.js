// The window's fonts: the designed face where the system has it, else a Japanese Gothic face of
// the same pixel height, a little smaller where a text would not fit its designed place.

export const kWindowPixelSize = 12;
export const kLargePixelSize = 16;
const kSmallestPixelSize = 8;

// The faces, as the style sheet lists them.
export function windowFamily() {
  return getComputedStyle(document.documentElement).getPropertyValue("--window-font").trim();
}

// The faces of the printed listings.
export function listingFamily() {
  return getComputedStyle(document.documentElement).getPropertyValue("--listing-font").trim();
}

let measuring = null;

function measured(text, pixelSize, bold, italic = false) {
  if (!measuring) measuring = document.createElement("canvas").getContext("2d");
  measuring.font = `${italic ? "italic " : ""}${bold ? "bold " : ""}${pixelSize}px ${windowFamily()}`;
  return measuring.measureText(text);
}

// The width in pixels of a text in the window's face at a pixel size (bold, italic when asked).
export function textWidth(text, pixelSize, bold = false, italic = false) {
  return measured(text, pixelSize, bold, italic).width;
}

// The face's ascent and descent in pixels at a pixel size, as a line of text takes them.
export function textHeights(pixelSize, bold = false) {
  const metrics = measured("X", pixelSize, bold);
  return { ascent: metrics.fontBoundingBoxAscent, descent: metrics.fontBoundingBoxDescent };
}

// The largest pixel size, not above the given one and never below 8, at which every text fits
// its room: [{text, room}].
export function fittedSize(pixelSize, texts) {
  let size = pixelSize;
  const allFit = () => texts.every(({ text, room }) => textWidth(text, size) <= room);
  while (size > kSmallestPixelSize && !allFit()) size -= 1;
  return size;
}

// Widens an edit box to the left, its right edge kept, where the face needs more room than its
// designed width for the text to show whole.
export function widenToShow(box, text) {
  const style = getComputedStyle(box);
  const kCaretWidth = 1;
  const needed =
    Math.ceil(textWidth(text, kWindowPixelSize)) +
    parseFloat(style.paddingLeft) +
    parseFloat(style.paddingRight) +
    kCaretWidth;
  const width = parseFloat(box.style.width);
  if (needed <= width) return;
  box.style.left = `${parseFloat(box.style.left) - (needed - width)}px`;
  box.style.width = `${needed}px`;
}

// An item of a radio group: its indicator and the room around the text.
const kRadioItemMargin = 31;

// Fits the captions, labels and radio items of the window to their places.
export function fitTexts(root) {
  for (const control of root.querySelectorAll(".client [data-room]")) {
    const base = control.classList.contains("large") ? kLargePixelSize : kWindowPixelSize;
    const size = fittedSize(base, [{ text: control.textContent, room: Number(control.dataset.room) }]);
    control.style.fontSize = `${size}px`;
    if (control.classList.contains("label")) control.style.lineHeight = `${size}px`;
  }
  for (const label of root.querySelectorAll(".label[data-font-of]")) {
    const model = root.querySelector(`#${label.dataset.fontOf}`);
    label.style.fontSize = model.style.fontSize;
    label.style.lineHeight = model.style.lineHeight;
  }
  for (const group of root.querySelectorAll(".radio-group")) {
    const room = parseFloat(group.style.width) - kRadioItemMargin;
    const items = [...group.querySelectorAll(".radio-item span")];
    const size = fittedSize(
      kWindowPixelSize,
      items.map((item) => ({ text: item.textContent, room })),
    );
    for (const item of items) item.style.fontSize = `${size}px`;
  }
}
