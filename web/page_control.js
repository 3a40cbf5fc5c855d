// The page container: a row of tabs, each of which can be shown and hidden, over the pages.
// The user turns pages by a click on a tab, by the arrow keys on the focused tab row, by
// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp, and by the mouse wheel over the tab
// row; none of them reaches a page whose tab is hidden. The pages and tabs a command shows are
// no page change of the user.
import { rules } from "./engine.js";

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
    this.row.addEventListener(
      "wheel",
      (event) => {
        if (event.deltaY === 0) return;
        event.preventDefault();
        this.userKey(event.deltaY > 0 ? "ArrowDown" : "ArrowUp", {}, true);
      },
      { passive: false },
    );
    // Ctrl+Tab and the like anywhere in the window, where the browser leaves them to the page,
    // and the arrows, Home and End on the tab row.
    element.ownerDocument.getElementById("Client").addEventListener("keydown", (event) => {
      if (!this.userKey(event.key, event, event.target === this.row)) return;
      event.preventDefault();
      event.stopPropagation();
    });
    this.show();
  }

  // A key, or the wheel as the arrows, that turns pages as the window's rules say: false for
  // another key.
  userKey(key, { ctrlKey = false, shiftKey = false, altKey = false, metaKey = false }, onTabRow) {
    const tabShown = this.tabs.map((tab) => !tab.hidden);
    const to = rules().pageTurnedTo(tabShown, this.current, key, ctrlKey, shiftKey, altKey || metaKey, onTabRow);
    if (to === null) return false;
    this.userSelect(to);
    return true;
  }

  // The page in front and the tabs shown, as the window's rules give them: {current, tabShown}.
  showPages(pages) {
    for (const [index, tab] of this.tabs.entries()) tab.hidden = !pages.tabShown[index];
    this.current = pages.current;
    this.show();
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
