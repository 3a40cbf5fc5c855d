// The window in the browser: its controls, the tab order, the page rules with real keys, the
// message boxes and the exit.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { inWindow, kFirefox, launch } from "./browser.mjs";

let browser;
before(async () => {
  browser = await launch();
});
after(() => browser?.close());

const withWindow = (body) => inWindow(browser, body);

const kStart = "スタート";
const kInput = "データ入力と計算";
const kResult = "結果の出力と表示";

// Every control of the window's layout at its place within its parent: left, top, width,
// height (labels size themselves and give their place only); the window's own controls are
// those of its client area.
test("every control has its place, size, text, colour and cursor", async () => {
  await withWindow(async (window) => {
    const layout = await window.page.evaluate(() => talveno.engine.module.windowLayout());
    const kPlaces = layout.controls
      .filter((control) => control.kind !== "TabSheet")
      .map(({ name, kind, parent, left, top, width, height }) => {
        const place = [name, parent === layout.window ? "Client" : parent, left, top];
        return kind === "Label" ? place : [...place, width, height];
      });
    assert.equal(kPlaces.length, 53);
    const found = await window.page.evaluate((places) => {
      for (const sheet of document.querySelectorAll(".tab-sheet")) sheet.classList.add("shown");
      return places.map(([id, parent]) => {
        const element = document.getElementById(id);
        if (!element) return [id, "missing"];
        const box = element.getBoundingClientRect();
        const origin = document.getElementById(parent).getBoundingClientRect();
        return [
          id,
          element.offsetParent?.id ?? null,
          box.left - origin.left,
          box.top - origin.top,
          box.width,
          box.height,
        ];
      });
    }, kPlaces);
    for (const [index, place] of kPlaces.entries()) {
      const [id, parent, left, top, width, height] = place;
      const [, , l, t, w, h] = found[index];
      if (id === "Edit4") {
        // It grows to the left where the face needs more room to show 1000000 whole.
        assert.deepEqual([l + w, t, h], [left + width, top, height], `${id} in ${parent}`);
        assert.ok(w >= width, `${id} size`);
        continue;
      }
      assert.deepEqual([l, t], [left, top], `${id} in ${parent}`);
      if (width !== undefined) assert.deepEqual([w, h], [width, height], `${id} size`);
    }

    const named = (look) => layout.controls.filter((control) => control.look === look).map(({ name }) => name);
    const looks = await window.page.evaluate(
      (silver, red) => {
        const style = (id, property) => getComputedStyle(document.getElementById(id))[property];
        const ids = [...document.querySelectorAll(".client button")].map((button) => button.id);
        return {
          cursors: Object.fromEntries(ids.map((id) => [id, style(id, "cursor")])),
          silver: silver.map((id) => style(id, "backgroundColor")),
          red: red.map((id) => style(id, "color")),
          cream: style("StringGrid2", "backgroundColor"),
          white: style("StringGrid1", "backgroundColor"),
          // Texts take a smaller size where the face runs wider than the designed one.
          fitted: [...document.querySelectorAll(".label[data-room], .client .push")].map((element) => [
            element.id,
            parseFloat(getComputedStyle(element).fontSize),
            element.classList.contains("label") ? element.getBoundingClientRect().width : element.scrollWidth,
            element.classList.contains("label") ? Number(element.dataset.room) : element.clientWidth,
          ]),
          font: style("Form1", "fontFamily"),
          caption: document.getElementById("CaptionText").textContent,
          title: document.title.replace(/\u00a0/g, " "),
          frame: [document.getElementById("Form1").offsetWidth, document.getElementById("Form1").offsetHeight],
          centre: (() => {
            const box = document.getElementById("Form1").getBoundingClientRect();
            return [box.left + box.width / 2 - innerWidth / 2, box.top + box.height / 2 - innerHeight / 2];
          })(),
          memo: [document.getElementById("Memo1").value, document.getElementById("Memo2").value],
        };
      },
      named("Silver"),
      named("Red"),
    );
    const cursors = { Help: "help", Arrow: "default", PointingHand: "pointer" };
    for (const [id, cursor] of Object.entries(looks.cursors)) {
      const designed = layout.controls.find((control) => control.name === id).cursor;
      assert.equal(cursor, cursors[designed], id);
    }
    assert.deepEqual(looks.silver, Array(3).fill("rgb(192, 192, 192)"));
    assert.deepEqual(looks.red, Array(4).fill("rgb(255, 0, 0)"));
    assert.equal(looks.cream, "rgb(255, 251, 240)");
    assert.equal(looks.white, "rgb(255, 255, 255)");
    for (const [id, size, width, room] of looks.fitted) {
      assert.ok(size <= (id === "Label4" || id === "Label7" ? 16 : 12) && size >= 8, `${id} at ${size}px`);
      assert.ok(width <= room, `${id} shows whole: ${width} in ${room}`);
    }
    assert.match(
      looks.font,
      /^"ＭＳ Ｐゴシック", "MS PGothic", "Yu Gothic",.*"?Meiryo"?, "Hiragino Sans",.*"Noto Sans CJK JP", "?IPAPGothic"?/,
    );
    assert.equal(looks.caption, "Talveno ver1.7  2008.03.02");
    assert.equal(looks.title, "Talveno ver1.7  2008.03.02");
    assert.deepEqual(looks.frame, [783, 459]);
    assert.deepEqual(looks.centre.map(Math.round), [0, 0]);
    assert.deepEqual(looks.memo, ["Memo1", "Memo2"]);
  });
});

test("the window at start shows the start page only, with 50, MPa and なし", async () => {
  await withWindow(async (window) => {
    assert.deepEqual(await window.shownTabs(), [kStart]);
    assert.equal(await window.currentPage(), "TabSheet1");
    assert.equal(await window.text("Edit4"), "50");
    const checked = await window.page.$$eval("input[type=radio]:checked", (items) =>
      items.map((item) => item.nextElementSibling.textContent),
    );
    assert.deepEqual(checked, ["MPa", "なし"]);
    await window.screenshot("start-page");
  });
});

// Tab moves through each page's controls in their focus order, then the exit button and the
// tab row; a radio group is one stop, on its checked item, and the result table one control.
test("tab moves through the controls in their focus order", async () => {
  await withWindow(async (window) => {
    const walk = async (from, steps) => {
      await window.page.focus(`#${from}`);
      const names = [await window.focused()];
      for (let step = 1; step < steps; step += 1) {
        await window.press("Tab");
        names.push(await window.focused());
      }
      return names.join(" ");
    };
    assert.equal(await walk("TabRow", 8), "TabRow BitBtn1 RadioGroup1:0 RadioGroup2:0 Button11 Edit4 Button12 Button1");
    await window.start();
    assert.equal(
      await walk("BitBtn2", 15),
      "BitBtn2 BitBtn3 BitBtn4 Button2 Memo1 Button3 Button6 Button7 Button8 Button9 Edit1 Edit2 Edit3 Button10 Button1",
    );
    assert.equal(await walk("TabRow", 2), "TabRow StringGrid1:editor");
    await window.typeRows([["80", "50", "1", "0", "12", "4"]]);
    await window.click("BitBtn4");
    assert.equal(await walk("BitBtn5", 6), "BitBtn5 BitBtn6 Memo2 Button4 Button5 Button1");
    await window.clickCell("StringGrid2", 3, 1);
    assert.equal(
      await walk("TabRow", 8),
      "TabRow StringGrid2 BitBtn5 BitBtn6 Memo2 Button4 Button5 Button1",
      "Tab leaves the result table",
    );
  });
});

test("typing goes straight into the cell and Tab moves on", async () => {
  await withWindow(async (window) => {
    await window.start();
    assert.equal(await window.focused(), "StringGrid1:editor", "the start puts the keys in the table");
    await window.type("60");
    await window.press("Tab");
    await window.type("50");
    await window.press("Tab");
    await window.type("0.02");
    await window.click("Edit1"); // leaving keeps the text
    assert.equal(await window.row(0, 1, 4), "60|50|0.02|");
    await window.clickCell("StringGrid1", 2, 1);
    await window.type("47.5"); // the cell's text is selected and replaced
    await window.press("Enter");
    await window.type("9");
    await window.press("Escape");
    assert.equal(await window.cell(0, 2, 1), "47.5");
    await window.clickCell("StringGrid1", 6, 1);
    await window.press("Tab"); // from the last column to the next row
    await window.type("x");
    assert.equal(await window.cell(0, 1, 2), "x");
    await window.screenshot("input-page");
  });
});

// What an input method in full-width mode sends: text composed, then committed. Puppeteer
// composes through Chromium's protocol only; Firefox gets the text typed instead.
async function compose(window, text) {
  if (kFirefox) return window.type(text);
  const session = await window.page.createCDPSession();
  await session.send("Input.imeSetComposition", { text, selectionStart: text.length, selectionEnd: text.length });
  await session.send("Input.insertText", { text });
  await session.detach();
}

test("full-width numbers are kept in their ASCII forms, typed, pasted or composed", async () => {
  await withWindow(async (window) => {
    await window.allowClipboard();
    const put = (text) => window.page.evaluate((t) => navigator.clipboard.writeText(t), text);
    await window.start();
    const boxes = {
      cell: {
        focus: async () => {
          await window.clickCell("StringGrid1", 1, 1);
          await window.clickCell("StringGrid1", 2, 1); // the editor opens with the text selected
        },
        text: () => window.cell(0, 2, 1),
      },
      ...Object.fromEntries(
        ["Edit1", "Edit2", "Edit3"].map((id) => [
          id,
          { focus: () => window.setText(id, ""), text: () => window.text(id) },
        ]),
      ),
    };
    const ways = {
      typed: (text) => window.type(text),
      pasted: async (text) => {
        await put(text);
        await window.press("v", ["Control"]);
        await window.idle();
      },
      ...(kFirefox ? {} : { composed: (text) => compose(window, text) }),
    };
    for (const [box, { focus, text }] of Object.entries(boxes)) {
      for (const [way, enter] of Object.entries(ways)) {
        await focus();
        await enter("－１２．５Ｅ＋０２");
        if (way === "typed") await window.type("８"); // the caret stays at the end
        assert.equal(await text(), way === "typed" ? "-12.5E+028" : "-12.5E+02", `${box}, ${way}`);
      }
    }
    await window.clickCell("StringGrid1", 1, 2);
    await put("８０\t５０\r\n６０\t４７．５\r\n");
    await window.press("v", ["Control"]);
    await window.idle();
    assert.deepEqual([await window.row(0, 2, 2), await window.row(0, 3, 2)], ["80|50", "60|47.5"], "a pasted block");
    await window.clickTab(kStart);
    await window.setText("Edit4", "");
    await compose(window, "１２０");
    await window.click("BitBtn1");
    await window.idle();
    assert.equal(await window.page.evaluate(() => talveno.engine.session.rowCount(0)), 121, "Edit4 = １２０");
  });
});

// The current cell of either grid is framed, the cell editor inside the frame; a click inside
// an earlier range selects the clicked cell alone.
test("the current cell is framed and an old selection goes when the current cell moves", async () => {
  await withWindow(async (window) => {
    await window.start();
    await window.typeRows([
      ["80", "50", "1", "0", "12", "4"],
      ["60", "50", "0.02", "25", "12", "4"],
      ["40", "55", "1", "30", "10", "6"],
    ]);
    await window.click("BitBtn4");
    const cellSelector = (grid, column, row) => `#${grid} .grid-row[data-row="${row}"] .cell[data-column="${column}"]`;
    for (const [grid, page] of [
      ["StringGrid2", kResult],
      ["StringGrid1", kInput],
    ]) {
      if (grid === "StringGrid1") await window.clickTab(page);
      await window.clickCell(grid, 2, 1);
      await window.page.keyboard.down("Shift");
      await window.page.click(cellSelector(grid, 4, 3));
      await window.page.keyboard.up("Shift");
      assert.equal(await window.page.$$eval(`#${grid} .cell.selected`, (cells) => cells.length), 9, `${grid}: a range`);
      await window.clickCell(grid, 3, 2);
      const shown = await window.page.evaluate(
        (id, selector) => {
          const box = (element) => element && !element.hidden && element.getBoundingClientRect().toJSON();
          const grid = document.getElementById(id);
          return {
            selected: [...grid.querySelectorAll(".cell.selected")].map(
              (cell) => `${cell.parentElement.dataset.row}:${cell.dataset.column}`,
            ),
            frame: box(grid.querySelector(".current-frame")),
            frameWidth: getComputedStyle(grid.querySelector(".current-frame")).borderTopWidth,
            cell: box(document.querySelector(selector)),
            editor: box(grid.querySelector(".cell-editor")),
          };
        },
        grid,
        cellSelector(grid, 3, 2),
      );
      assert.deepEqual(shown.selected, grid === "StringGrid2" ? ["2:3"] : [], `${grid}: the old range gone`);
      assert.deepEqual(
        [shown.frame.left, shown.frame.top, shown.frame.width, shown.frame.height],
        [shown.cell.left, shown.cell.top, shown.cell.width, shown.cell.height],
        `${grid}: the frame around the current cell`,
      );
      assert.equal(shown.frameWidth, "2px");
      if (grid === "StringGrid1") {
        assert.deepEqual(
          [shown.editor.left, shown.editor.top, shown.editor.right, shown.editor.bottom],
          [shown.frame.left + 2, shown.frame.top + 2, shown.frame.right - 2, shown.frame.bottom - 2],
          "the editor inside the frame",
        );
      }
    }
    await window.screenshot("current-cell");
  });
});

// A count of 1,000,000 widens the row-number column so that the columns are wider than the
// tables: then, and only then, they scroll across, by whole columns, the row numbers staying in
// place and no cell cut beside them (184.6 read as "84.6"); Edit4 shows the count whole.
test("a horizontal scroll bar shows only where the columns are wider than the table", async () => {
  // How the grid shows row 1 once a scroll across has ended, by the keys or by the scroll bar.
  const shownAcross = (window, grid, toEnd) =>
    window.page.evaluate(
      async (id, end) => {
        const scroller = document.querySelector(`#${id} .grid-scroller`);
        if (end) scroller.scrollLeft = scroller.scrollWidth;
        await new Promise((resolve) => setTimeout(resolve, 300));
        const edge = scroller.getBoundingClientRect();
        const [number, ...cells] = document.querySelector(`#${id} .grid-row[data-row="1"]`).children;
        const fixedEdge = number.getBoundingClientRect().right;
        const cut = cells.filter((cell) => {
          const box = cell.getBoundingClientRect();
          return box.left < fixedEdge && box.right > fixedEdge;
        });
        const last = cells[cells.length - 1].getBoundingClientRect();
        return {
          wider: scroller.scrollWidth > scroller.clientWidth,
          lastInside: last.right <= edge.right,
          cut: cut.map((cell) => cell.textContent),
          numberAt: number.getBoundingClientRect().left - edge.left,
        };
      },
      grid,
      toEnd,
    );
  await withWindow(async (window) => {
    for (const [count, across] of [
      ["50", false],
      ["1000000", true],
      ["50", false],
    ]) {
      await window.clickTab(kStart);
      await window.setText("Edit4", count);
      assert.ok(
        await window.page.$eval("#Edit4", (box) => box.scrollWidth <= box.clientWidth),
        `Edit4 shows ${count} whole`,
      );
      await window.start(count);
      // Typed from the first column to the last.
      await window.clickCell("StringGrid1", 1, 1);
      for (const [column, text] of ["184.6", "50", "1", "0", "12", "4"].entries()) {
        if (column > 0) await window.press("Tab");
        await window.type(text);
      }
      const expected = { wider: across, lastInside: true, cut: [], numberAt: 0 };
      assert.deepEqual(await shownAcross(window, "StringGrid1", false), expected, `input table, count ${count}`);
      await window.click("BitBtn4");
      await window.idle();
      assert.deepEqual(await shownAcross(window, "StringGrid2", true), expected, `result table, count ${count}`);
    }
  });
});

// A command on many rows shows the wait cursor from its start, the page first giving the
// browser the time to draw it; the cursor is gone when the command ends or opens a box.
test("the wait cursor shows while a long command runs, and never over a box", async () => {
  await withWindow(async (window) => {
    await window.page.evaluate(() => {
      window.seen = [];
      document.addEventListener("click", () => (window.clickedAt = performance.now()), true);
      const session = talveno.engine.session;
      for (const name of ["start", "run"]) {
        const command = session[name].bind(session);
        session[name] = (...args) => {
          window.seen.push([
            name,
            getComputedStyle(document.getElementById("BitBtn1")).cursor,
            performance.now() - window.clickedAt >= 50,
          ]);
          return command(...args);
        };
      }
    });
    await window.start("1000000");
    await window.typeRows([["80", "50", "1", "0", "12", "4x"]]);
    await window.click("BitBtn4");
    await window.waitForBox();
    const cursor = () => window.page.$eval("#Button1", (button) => getComputedStyle(button).cursor);
    assert.equal(await cursor(), "pointer", "no wait cursor over the error box");
    await window.answer("Enter");
    assert.deepEqual(await window.page.evaluate(() => window.seen), [
      ["start", "wait", true],
      ["run", "wait", true],
    ]);
    assert.equal(await cursor(), "pointer");
  });
});

// The ways a user turns pages: Ctrl+Tab and Ctrl+Shift+Tab in a control, Ctrl+PageDown and
// Ctrl+PageUp, the arrow keys on the focused tab row, the mouse wheel over it.
async function turn(window, way, direction) {
  const controls = { TabSheet1: "Edit4", TabSheet2: "Edit1", TabSheet3: "BitBtn6" };
  if (way === "ctrl+tab" || way === "ctrl+page") {
    await window.page.focus(`#${controls[await window.currentPage()]}`);
    if (way === "ctrl+tab") await window.press("Tab", direction > 0 ? ["Control"] : ["Control", "Shift"]);
    else await window.press(direction > 0 ? "PageDown" : "PageUp", ["Control"]);
  } else if (way === "arrows") {
    await window.page.focus("#TabRow");
    await window.press(direction > 0 ? "ArrowRight" : "ArrowLeft");
  } else {
    const box = await (await window.page.$(".tab.selected")).boundingBox();
    await window.page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await window.page.mouse.wheel({ deltaY: 100 * direction });
  }
  await window.idle();
}

test("no key, wheel or click brings a hidden page to the front", async () => {
  await withWindow(async (window) => {
    for (const state of ["fresh", "started", "run", "back from the results"]) {
      for (const way of ["ctrl+tab", "ctrl+page", "arrows", "wheel"]) {
        for (const direction of [1, -1]) {
          await window.page.reload();
          await window.page.waitForFunction(() => document.documentElement.dataset.ready);
          if (state !== "fresh") await window.start();
          if (state === "run" || state === "back from the results") await window.click("BitBtn4");
          if (state === "back from the results") await window.clickTab(kInput);
          for (let step = 0; step < 4; step += 1) {
            await turn(window, way, direction);
            const what = `${state}, ${way} ${direction > 0 ? "on" : "back"} ${step + 1}`;
            const tabs = await window.shownTabs();
            const page = await window.currentPage();
            const ok =
              (tabs.join() === kStart && page === "TabSheet1") ||
              (tabs.join() === [kStart, kInput].join() && page !== "TabSheet3") ||
              (tabs.length === 3 && page === "TabSheet3");
            assert.ok(ok, `${what}: ${tabs} with ${page} in front`);
          }
        }
      }
    }
    // The tabs still turn to the pages shown.
    await window.clickTab(kStart);
    for (const way of ["ctrl+tab", "ctrl+page", "arrows", "wheel"]) {
      await turn(window, way, 1);
      assert.equal(await window.currentPage(), "TabSheet2", way);
      await turn(window, way, -1);
      assert.equal(await window.currentPage(), "TabSheet1", way);
    }
  });
});

test("the three tab states follow the start, the run and the page changes", async () => {
  await withWindow(async (window) => {
    await window.start("050");
    assert.deepEqual(await window.shownTabs(), [kStart, kInput]);
    assert.equal(await window.currentPage(), "TabSheet2");
    assert.deepEqual([await window.text("Label17"), await window.text("Label18")], ["050", "050"]);
    assert.equal(await window.page.evaluate(() => talveno.engine.session.rowCount(0)), 51);
    await window.click("BitBtn4");
    assert.deepEqual(await window.shownTabs(), [kStart, kInput, kResult]);
    assert.equal(await window.currentPage(), "TabSheet3");
    await window.clickTab(kInput);
    assert.deepEqual(await window.shownTabs(), [kStart, kInput]);
    await window.clickTab(kStart);
    assert.deepEqual(await window.shownTabs(), [kStart, kInput]);
    await window.click("BitBtn1");
    assert.equal(await window.currentPage(), "TabSheet2");
  });
});

// Each help button shows its text in the information box, the lines as stored (LF CR each).
test("the help buttons show their texts; Enter and Escape close the box", async () => {
  await withWindow(async (window) => {
    const expected = await window.page.evaluate(() =>
      [1, 2, 3, 4, 5].map((n) => talveno.engine.module.helpText(n).split("\n\r")),
    );
    assert.equal(expected[2].length, 9, "help message 3 shows nine lines");
    assert.deepEqual(expected[1].slice(8, 10), ["", ""], "two blank lines before the last paragraph of help 2");
    await window.start();
    await window.click("BitBtn4");
    const cases = [
      ["Button11", kStart, 4, "Enter"],
      ["Button12", kStart, 5, "Escape"],
      ["Button6", kInput, 1, "Enter"],
      ["Button10", kInput, 3, "Escape"],
      ["Button5", null, 2, "Enter"],
    ];
    for (const [button, tab, number, key] of cases) {
      if (tab) await window.clickTab(tab);
      else {
        await window.click("BitBtn4");
      }
      await window.click(button);
      const box = await window.waitForBox();
      assert.deepEqual(
        { title: box.title, lines: box.text.split("\n"), buttons: box.buttons, icon: box.icon },
        { title: "talveno", lines: expected[number - 1], buttons: ["OK"], icon: false },
        button,
      );
      if (number === 2) await window.screenshot("help-box");
      await window.answer(key);
    }
  });
});

// The guide sits beside the page in the release bundle; its link lies in the page's frame, clear
// of the window, and F1 opens it too, also from the cell editor, each in a new tab.
test("the guide's link beside the window and F1 open the guide beside the page", async () => {
  await withWindow(async (window) => {
    const guide = new URL("talveno-guide-ja.html", window.page.url()).href;
    const link = await window.page.$eval("#GuideLink", (element) => {
      const box = element.getBoundingClientRect();
      const frame = document.getElementById("Form1").getBoundingClientRect();
      const clear = box.top >= frame.bottom || box.left >= frame.right || box.bottom <= frame.top;
      return { href: element.href, target: element.target, text: element.textContent, clear };
    });
    assert.deepEqual(link, { href: guide, target: "_blank", text: "利用の手引き (F1)", clear: true });
    await window.page.evaluate(() => {
      globalThis.opened = [];
      globalThis.open = (...args) => globalThis.opened.push(args.slice(0, 2));
    });
    await window.press("F1");
    await window.start();
    assert.equal(await window.focused(), "StringGrid1:editor");
    await window.press("F1");
    assert.deepEqual(await window.page.evaluate(() => globalThis.opened), [
      [guide, "_blank"],
      [guide, "_blank"],
    ]);
  });
});

test("the error box shows a failure's message with the full-stop rule", async () => {
  await withWindow(async (window) => {
    const cases = [
      ["Edit4", "abc", "BitBtn1", "'abc' は整数ではありません."],
      ["Edit4", "", "BitBtn1", "'' は整数ではありません."],
    ];
    for (const [box, text, button, message] of cases) {
      await window.setText(box, text);
      await window.click(button);
      const shown = await window.waitForBox();
      assert.deepEqual([shown.title, shown.text, shown.buttons, shown.icon], ["talveno", message, ["OK"], true]);
      if (text) await window.screenshot("error-box");
      await window.answer("Enter");
      assert.deepEqual(await window.shownTabs(), [kStart], "the tabs stay as they were");
    }
    await window.start();
    await window.setText("Edit1", "-1");
    await window.click("Button9");
    assert.equal((await window.waitForBox()).text, "リストのインデックスが範囲を超えています (-1)");
    await window.answer("Escape");
  });
});

test("clear all and the exit ask first; キャンセル and Escape change nothing", async () => {
  await withWindow(async (window) => {
    await window.start();
    await window.typeRows([["80", "50", "1", "0", "12", "4"]]);
    for (const answer of ["Escape", "Tab Enter"]) {
      await window.click("Button2");
      const box = await window.waitForBox();
      assert.deepEqual(
        [box.title, box.text, box.buttons, box.focused, box.icon],
        ["確認", "データをクリアします！よろしいですか？", ["OK", "キャンセル"], "OK", true],
      );
      await window.screenshot("confirmation-box");
      for (const key of answer.split(" ")) await window.press(key);
      await window.waitForNoBox();
      await window.idle();
      assert.equal(await window.cell(0, 1, 1), "80", answer);
    }
    await window.click("Button2");
    await window.waitForBox();
    await window.answer("Enter");
    assert.equal(await window.row(0, 1, 6), "|||||");

    await window.click("Button1");
    assert.equal((await window.waitForBox()).text, "プログラムを終了してよろしいですか？");
    await window.answer("Escape");
    assert.equal(await window.page.evaluate(() => document.documentElement.dataset.ended ?? ""), "");
    await window.click("Button1");
    await window.waitForBox();
    await window.press("Enter");
    await window.page.waitForFunction(() => document.documentElement.dataset.ended === "1");
    assert.equal(await window.page.$("#Form1"), null, "the window is gone");
    assert.match(await window.page.$eval("#Ended", (ended) => ended.textContent), /プログラムを終了しました/);
    await window.screenshot("ended-page");
  });
});

test("the menu and the boxes use the window's font", async () => {
  await withWindow(async (window) => {
    const families = await window.page.evaluate(() =>
      [
        "#Form1",
        "#PopupMenu1 .menu-item",
        "#MessageBox .box-text",
        "#SaveBox .save-name",
        "#SaveBox .box-button",
        "#NomographView .push",
      ].map((selector) => getComputedStyle(document.querySelector(selector)).fontFamily),
    );
    assert.deepEqual(families.slice(1), Array(families.length - 1).fill(families[0]));
  });
});

test("a right click on the input page opens no menu; on the result table its menu", async () => {
  await withWindow(async (window) => {
    await window.start();
    const prevented = await window.page.evaluate(() =>
      [...document.querySelectorAll("#TabSheet2, #TabSheet2 *")].every((element) => {
        const request = new MouseEvent("contextmenu", { bubbles: true, cancelable: true });
        return !element.dispatchEvent(request);
      }),
    );
    assert.ok(prevented, "every context menu request on the input page is refused");
    await window.click("BitBtn4");
    await window.page.click("#StringGrid2 .grid-row .cell[data-column='2']", { button: "right" });
    const items = await window.page.$$eval("#PopupMenu1:not([hidden]) .menu-item", (list) =>
      list.map((item) => item.textContent),
    );
    assert.deepEqual(items, ["コピーCtrl+C", "すべて選択Ctrl+A", "ノモグラフで確認", "スティフネス曲線Shift+Enter"]);
    await window.screenshot("result-menu");
    await window.press("Escape");
  });
});

test("fixed cells dragged move rows and columns; a drag across cells selects a range", async () => {
  await withWindow(async (window) => {
    await window.start();
    await window.typeRows([
      ["80", "50", "1", "0", "12", "4"],
      ["60", "50", "0.02", "25", "12", "4"],
      ["40", "55", "1", "30", "10", "6"],
    ]);
    const centre = async (selector) => {
      const box = await (await window.page.$(selector)).boundingBox();
      return [box.x + box.width / 2, box.y + box.height / 2];
    };
    const drag = async (from, to) => {
      const [x1, y1] = await centre(from);
      const [x2, y2] = await centre(to);
      await window.page.mouse.move(x1, y1);
      await window.page.mouse.down();
      await window.page.mouse.move((x1 + x2) / 2, (y1 + y2) / 2, { steps: 4 });
      await window.page.mouse.move(x2, y2, { steps: 4 });
      await window.page.mouse.up();
    };
    const cellOf = (row, column) => `#StringGrid1 .grid-row[data-row="${row}"] .cell[data-column="${column}"]`;
    await drag(cellOf(1, 0), cellOf(3, 0)); // row 1 dropped on row 3
    assert.deepEqual([await window.cell(0, 0, 1), await window.cell(0, 0, 3)], ["2", "1"]);
    assert.equal(await window.row(0, 3, 6), "80|50|1|0|12|4");
    await drag("#StringGrid1 .grid-header .cell[data-column='2']", "#StringGrid1 .grid-header .cell[data-column='1']");
    assert.deepEqual([await window.cell(0, 1, 0), await window.cell(0, 2, 0)], ["軟化点(℃)", "針入度(1/10mm)"]);
    assert.equal(await window.row(0, 3, 2), "50|80", "a moved column is read at its new place");

    await drag(cellOf(1, 1), cellOf(2, 3));
    const selected = await window.page.$$eval("#StringGrid1 .cell.selected", (cells) => cells.length);
    assert.equal(selected, 6);
    assert.equal(await window.focused(), "StringGrid1", "the range closed the editor");

    // A table of a million rows keeps only the rows in view in the page.
    await window.clickTab("スタート");
    await window.start("1000000");
    await window.page.$eval("#StringGrid1 .grid-scroller", (scroller) => {
      scroller.scrollTop = scroller.scrollHeight;
    });
    await window.page.waitForFunction(() => document.querySelector("#StringGrid1 .grid-row[data-row='1000000']"));
    const rows = await window.page.$$eval("#StringGrid1 .grid-rows .grid-row", (list) => list.length);
    assert.ok(rows <= 10, `${rows} rows in the page`);
  });
});
