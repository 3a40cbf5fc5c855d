// The window by keyboard and for assistive technology: the result table's rows, its menu and
// the nomograph view worked with keys alone, Tab out of the input table after its filled rows,
// the names of the inputs, and axe-core's critical rules on every page and box.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { join } from "node:path";
import { inWindow, kFirefox, kRoot, launch } from "./browser.mjs";

let browser;
before(async () => {
  browser = await launch();
});
after(() => browser?.close());

const withWindow = (body) => inWindow(browser, body);

const kRows = [
  ["80", "50", "1", "0", "12", "4"],
  ["80", "50", "0.02", "10", "12", "4"],
  ["60", "50", "0.02", "25", "12", "4"],
];

async function runRows(window) {
  await window.start();
  await window.typeRows(kRows);
  await window.click("BitBtn4");
  await window.idle();
}

const viewShown = (window) =>
  window.page.evaluate(() => {
    const view = document.getElementById("NomographView");
    return view.hidden ? null : view.querySelector(".view-title").textContent;
  });

// Each way to the view from row 2 of the result table: Enter, or the menu opened by a key and
// its item chosen with the arrows (Down from the first item, Up round from it) and Enter.
// WebDriver has no menu key: Firefox gets Shift+F10 only.
test("the nomograph view opens from the result table by keys and keeps the keys until Escape", async () => {
  const ways = [
    ["Enter", [["Enter"]]],
    ["Shift+F10, Down, Down, Enter", [["F10", ["Shift"]], ["ArrowDown"], ["ArrowDown"], ["Enter"]]],
    ...(kFirefox ? [] : [["menu key, Up, Up, Enter", [["ContextMenu"], ["ArrowUp"], ["ArrowUp"], ["Enter"]]]]),
  ];
  await withWindow(async (window) => {
    await runRows(window);
    for (const [way, keys] of ways) {
      await window.clickCell("StringGrid2", 2, 2);
      for (const [key, modifiers] of keys) await window.press(key, modifiers);
      await window.idle();
      assert.equal(await viewShown(window), "ノモグラフで確認 - No. 2", way);
      const walk = [await window.focused()];
      for (const [key, modifiers] of [["Tab"], ["Tab"], ["Tab"], ["Tab", ["Shift"]], ["Tab", ["Shift"]]]) {
        await window.press(key, modifiers);
        walk.push(await window.focused());
      }
      assert.deepEqual(
        walk,
        ["CloseButton", "SavePngButton", "PrintButton", "CurvesButton", "PrintButton", "SavePngButton"],
        way,
      );
      // A click on the picture takes the focus off the buttons; the keys still stay in the view.
      await window.page.click("#NomographView .view-canvas");
      await window.press("Tab");
      assert.equal(await window.focused(), "SavePngButton", `${way}: Tab after a click on the picture`);
      if (way === "Enter") await window.screenshot("nomograph-view-keys");
      await window.press("Escape");
      assert.equal(await viewShown(window), null, way);
      assert.equal(await window.focused(), "StringGrid2", `${way}: the keys back in the result table`);
    }

    // The menu's other items by keys; Escape closes it, the keys back in the table.
    await window.press("F10", ["Shift"]);
    assert.equal(await window.focused(), "Copy1", "the first item active");
    await window.screenshot("result-menu-keys");
    await window.press("Escape");
    assert.deepEqual(
      [await window.page.$eval("#PopupMenu1", (menu) => menu.hidden), await window.focused()],
      [true, "StringGrid2"],
    );
    await window.press("F10", ["Shift"]);
    for (const key of ["ArrowDown", "Enter"]) await window.press(key);
    await window.idle();
    assert.equal(
      await window.page.$$eval("#StringGrid2 .cell.selected", (cells) => cells.length),
      3 * 8,
      "all filled rows selected",
    );
  });
});

// The curves view by Shift+Enter, by the menu by keys and from the nomograph view: Tab goes round
// its boxes and buttons, Escape closes it and gives the keys back to the result table.
test("the curves view opens by keys and from the nomograph view and keeps the keys until Escape", async () => {
  const ways = [
    ["Shift+Enter", [["Enter", ["Shift"]]]],
    ["Shift+F10, Up, Enter", [["F10", ["Shift"]], ["ArrowUp"], ["Enter"]]],
    ["the nomograph view's button", [["Enter"], ["Tab"], ["Tab"], ["Tab"], ["Enter"]]],
  ];
  const curvesShown = (window) =>
    window.page.evaluate(() => {
      const view = document.getElementById("CurvesView");
      return view.hidden ? null : view.querySelector(".view-title").textContent;
    });
  await withWindow(async (window) => {
    await runRows(window);
    for (const [way, keys] of ways) {
      await window.clickCell("StringGrid2", 2, 3);
      for (const [key, modifiers] of keys) await window.press(key, modifiers);
      await window.idle();
      assert.equal(await curvesShown(window), "スティフネス曲線 - No. 3", way);
      assert.equal(await viewShown(window), null, way);
      const walk = [await window.focused()];
      for (const modifiers of [[], [], ["Shift"], ["Shift"]]) {
        await window.press("Tab", modifiers);
        walk.push(await window.focused());
      }
      assert.deepEqual(
        walk,
        ["CurvesCloseButton", "TemperatureFromBox", "TemperatureToBox", "TemperatureFromBox", "CurvesCloseButton"],
        way,
      );
      await window.press("Escape");
      assert.equal(await curvesShown(window), null, way);
      assert.equal(await window.focused(), "StringGrid2", `${way}: the keys back in the result table`);
    }
  });
});

// Tab from cell to cell through the filled rows and into the row after them, where a new row
// is typed; from a row past them the focus goes on to the next control.
test("Tab past the filled rows leaves the input table", async () => {
  const tab = ["Tab"];
  const cases = [
    // what, count, rows filled, the cell the keys start from, text typed there, the keys, the
    // focus after each key
    ["into the new row, then out", "50", 2, [5, 2], "", [tab, tab, tab], ["6,2", "1,3", "BitBtn2"]],
    ["an empty table", "50", 0, [1, 1], "", [tab], ["BitBtn2"]],
    ["a new row begun at its second cell", "50", 2, [2, 3], "50", [tab], ["BitBtn2"]],
    ["Shift+Tab back into the rows", "50", 2, [1, 3], "", [["Tab", ["Shift"]]], ["6,2"]],
    ["a full table", "2", 2, [6, 2], "", [tab], ["BitBtn2"]],
  ];
  await withWindow(async (window) => {
    const at = () =>
      window.page.evaluate(() => {
        if (!document.activeElement.classList.contains("cell-editor")) return document.activeElement.id;
        const { column, row } = talveno.form.StringGrid1.current;
        return `${column},${row}`;
      });
    for (const [what, count, filled, [column, row], typed, keys, expected] of cases) {
      await window.page.reload();
      await window.page.waitForFunction(() => document.documentElement.dataset.ready);
      await window.start(count);
      await window.typeRows(kRows.slice(0, filled));
      await window.clickCell("StringGrid1", column, row);
      await window.type(typed);
      const seen = [];
      for (const [key, modifiers] of keys) {
        await window.press(key, modifiers);
        seen.push(await at());
      }
      assert.deepEqual(seen, expected, what);
    }
  });
});

// The accessible names of the elements shown that take input, as axe-core computes them:
// [id or class, name]. An open box blocks all else.
function accessibleNames(window, selector) {
  return window.page.evaluate((chosen) => {
    axe.setup(document);
    try {
      return [...(document.querySelector("dialog[open]") ?? document).querySelectorAll(chosen)]
        .filter((element) => element.getClientRects().length > 0 && !element.closest("[inert]"))
        .map((element) => [
          element.id || element.className,
          axe.commons.text.accessibleTextVirtual(axe.utils.getNodeFromTree(element)),
        ]);
    } finally {
      axe.teardown();
    }
  }, selector);
}

// The rules of axe-core of critical impact that a page breaks: "rule: element, ...".
async function criticalViolations(window) {
  const results = await window.page.evaluate(() => axe.run(document, { resultTypes: ["violations"] }));
  return results.violations
    .filter((violation) => violation.impact === "critical")
    .map((violation) => `${violation.id}: ${violation.nodes.map((node) => node.target.join(" ")).join(", ")}`);
}

test("every input has a name and axe-core's critical rules pass on every page and box", async () => {
  const states = [
    ["start page", async () => {}],
    [
      "input page",
      async (window) => {
        await runRows(window);
        await window.clickTab("データ入力と計算");
        await window.clickCell("StringGrid1", 2, 3);
      },
    ],
    ["result page", async (window) => window.click("BitBtn4")],
    [
      "result menu",
      async (window) => {
        await window.clickCell("StringGrid2", 2, 1);
        await window.press("F10", ["Shift"]);
      },
    ],
    [
      "nomograph view",
      async (window) => {
        await window.press("Escape");
        await window.press("Enter");
      },
    ],
    [
      "curves view",
      async (window) => {
        await window.press("Escape");
        await window.press("Enter", ["Shift"]);
        await window.idle();
      },
    ],
    [
      "nomograph view again",
      async (window) => {
        await window.press("Escape");
        await window.press("Enter");
      },
    ],
    [
      "save box",
      async (window) => {
        await window.page.evaluate(() => (window.showSaveFilePicker = undefined));
        await window.click("SavePngButton");
        await window.page.waitForSelector("#SaveBox[open]");
      },
    ],
    [
      "information box",
      async (window) => {
        await window.press("Escape");
        await window.idle();
        await window.press("Escape");
        await window.click("Button5");
        await window.waitForBox();
      },
    ],
    [
      "confirmation box",
      async (window) => {
        await window.answer("Enter");
        await window.click("Button1");
        await window.waitForBox();
      },
    ],
    [
      "error box",
      async (window) => {
        await window.answer("Escape");
        await window.clickTab("データ入力と計算");
        await window.setText("Edit1", "x");
        await window.click("Button9");
        await window.waitForBox();
      },
    ],
  ];
  await withWindow(async (window) => {
    await window.page.addScriptTag({ path: join(kRoot, "node_modules/axe-core/axe.min.js") });
    const named = new Map();
    for (const [state, reach] of states) {
      await reach(window);
      assert.deepEqual(await criticalViolations(window), [], state);
      for (const [input, name] of await accessibleNames(window, "input:not([type=radio]), textarea")) {
        assert.ok(name.trim() !== "", `${state}: ${input} has no name`);
        named.set(input, name);
      }
    }
    const expected = ["Edit4", "Edit1", "Edit2", "Edit3", "Memo1", "Memo2", "cell-editor", "save-name"];
    const curvesBoxes = await window.page.$$eval("#CurvesView .view-boxes input", (boxes) =>
      boxes.map((box) => box.id),
    );
    assert.equal(curvesBoxes.length, 8);
    expected.push(...curvesBoxes);
    assert.deepEqual([...named.keys()].sort(), expected.sort(), "every input seen");
    assert.equal(named.get("cell-editor"), "軟化点(℃) No. 3", "the cell editor named by its column and row");
    await window.answer("Enter");
    assert.deepEqual(
      await accessibleNames(window, "[role=application]"),
      [["Form1", "Talveno ver1.7 2008.03.02"]],
      "the window is one application",
    );
  });
});
