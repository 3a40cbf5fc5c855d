// The user guide, which sits beside the page in the release bundle: a link in the page's frame,
// outside the window, and F1 wherever the page has the keys, each opening it in a new tab.

export function offerGuide(texts) {
  const link = document.createElement("a");
  link.id = "GuideLink";
  link.className = "guide-link";
  link.href = texts.guideFile;
  link.target = "_blank";
  link.rel = "noopener";
  link.textContent = texts.guideLink;
  document.body.append(link);
  document.addEventListener("keydown", (event) => {
    if (event.key !== "F1" || event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
    event.preventDefault();
    window.open(link.href, "_blank", "noopener");
  });
}
