// The page container: a row of tabs, each of which can be shown and hidden, over the pages.
// The user turns pages by a click on a tab, by the arrow keys on the focused tab row, by
// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp, and by the mouse wheel over the tab
// row; none of them reaches a page whose tab is hidden. The pages and tabs a command shows are
// no page change of the user.
export class PageControl {
  constructor(element, onUserChange) {
    this.element = element;
    this.row = element.querySelector(".tab-row");
    this.tabs = [...this.row.querySelectorAll(".tab")];
    this.pages = this.tabs.map((tab) => document.getElementById(tab.dataset.page));
    this.onUserChange = onUserChange;
    this.current = 0;
    this.row.tabIndex = 0;

    for (const [index, tab] of this.tabs.entries()) {
      tab.addEventListener("mousedown", (event) => {
        if (event.button !== 0) return;
        event.preventDefault();
        this.row.focus();
        this.userSelect(index);
      });
    }
    this.row.addEventListener("keydown", (event) => {
      const keys = { ArrowLeft: -1, ArrowUp: -1, ArrowRight: 1, ArrowDown: 1 };
      if (keys[event.key] && !event.ctrlKey && !event.altKey) {
        event.preventDefault();
        this.turn(keys[event.key], false);
      } else if (event.key === "Home" || event.key === "End") {
        event.preventDefault();
        const shown = this.shownIndices();
        this.userSelect(event.key === "Home" ? shown[0] : shown[shown.length - 1]);
      }
    });
    this.row.addEventListener(
      "wheel",
      (event) => {
        if (event.deltaY === 0) return;
        event.preventDefault();
        this.turn(event.deltaY > 0 ? 1 : -1, false);
      },
      { passive: false },
    );
    // Ctrl+Tab and the like anywhere in the window, where the browser leaves them to the page.
    element.ownerDocument.getElementById("Client").addEventListener("keydown", (event) => {
      if (!event.ctrlKey || event.altKey || event.metaKey) return;
      let way = 0;
      if (event.key === "Tab") way = event.shiftKey ? -1 : 1;
      else if (event.key === "PageDown" && !event.shiftKey) way = 1;
      else if (event.key === "PageUp" && !event.shiftKey) way = -1;
      if (way === 0) return;
      event.preventDefault();
      event.stopPropagation();
      this.turn(way, true);
    });
    this.show();
  }

  shownIndices() {
    return this.tabs.flatMap((tab, index) => (tab.hidden ? [] : [index]));
  }

  // The page in front and the tabs shown, as the window's rules give them: {current, tabShown}.
  showPages(pages) {
    for (const [index, tab] of this.tabs.entries()) tab.hidden = !pages.tabShown[index];
    this.current = pages.current;
    this.show();
  }

  // The next or previous shown tab; Ctrl+Tab goes round, the arrows and the wheel stop at
  // the ends.
  turn(way, round) {
    const shown = this.shownIndices();
    let at = shown.indexOf(this.current) + way;
    if (round) at = (at + shown.length) % shown.length;
    if (at < 0 || at >= shown.length) return;
    this.userSelect(shown[at]);
  }

  userSelect(index) {
    if (this.tabs[index].hidden || index === this.current) return;
    this.current = index;
    this.show();
    this.onUserChange(index);
  }

  // A page in front; the keyboard focus, where it was on a page now behind, goes to the first
  // control of the page in front.
  show() {
    const focused = document.activeElement;
    const leaving = this.pages.find((page, index) => index !== this.current && page.contains(focused));
    for (const [index, tab] of this.tabs.entries()) {
      const selected = index === this.current;
      tab.classList.toggle("selected", selected);
      tab.setAttribute("aria-selected", String(selected));
      this.pages[index].classList.toggle("shown", selected);
    }
    if (leaving) firstFocusable(this.pages[this.current])?.focus();
  }
}

function firstFocusable(page) {
  return page.querySelector("button, input:not([type=radio]), input[type=radio]:checked, textarea, [tabindex='0']");
}
