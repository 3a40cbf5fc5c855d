// Numbers typed by a Japanese input method in full-width mode, taken as the numbers they mean:
// a box's text goes through the engine's rule (halfWidth) as it is typed, pasted or committed
// by an input method, its caret and selection where they were (each character stays one).

// Applies the rule to the box's text now; true when it changed the text.
export function applyHalfWidth(box, halfWidth) {
  const text = halfWidth(box.value);
  if (text === box.value) return false;
  const { selectionStart, selectionEnd, selectionDirection } = box;
  box.value = text;
  box.setSelectionRange(selectionStart, selectionEnd, selectionDirection ?? "none");
  return true;
}

// An edit box that keeps full-width numbers as ASCII; a composition is left alone until the
// input method commits it.
export function keepHalfWidthNumbers(box, halfWidth) {
  box.addEventListener("input", (event) => {
    if (!event.isComposing) applyHalfWidth(box, halfWidth);
  });
  box.addEventListener("compositionend", () => applyHalfWidth(box, halfWidth));
}
