// The commands in the browser: the calculation run, the row editing, the data files through
// the file chooser and the save-file picker or a download, the printed listings as the print
// view's PDF pages, the clipboard and the nomograph view.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, truncateSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";
import { pathToFileURL } from "node:url";
import { inWindow, kBatch, kFirefox, kPage, launch, waitForFile } from "./browser.mjs";

let browser;
let folder;
before(async () => {
  browser = await launch();
  folder = mkdtempSync(join(tmpdir(), "talveno-web-"));
});
after(async () => {
  await browser?.close();
  rmSync(folder, { recursive: true, force: true });
});

const withWindow = (body) => inWindow(browser, body);

const kWorkedRow = ["80", "50", "1", "0", "12", "4"];
const kWorkedResult = "80|50|0.00|1|0|87.5|2.151E+01|5.002E+03";

// A file of CP932 bytes with CR LF line ends, written from its lines.
function cp932File(name, lines) {
  const path = join(folder, name);
  writeFileSync(
    path,
    execFileSync("iconv", ["-f", "UTF-8", "-t", "CP932"], { input: lines.map((line) => `${line}\r\n`).join("") }),
  );
  return path;
}

const kInputHeader = [
  "　No 　 pen   soft   loadtime　temp 　asvol　 void",
  "  　　 0.1mm   ℃  　   秒      ℃   　% 　    %",
];

// An input data file as the program saves it: rows of pen, soft, t, T, Vb, Va in their fields.
function inputFile(name, count) {
  const lines = [...kInputHeader];
  for (let k = 1; k <= count; k += 1) {
    const values = [
      40 + (k % 9) * 10,
      45 + (k % 11),
      [0.02, 0.1, 1][k % 3],
      (k % 5) * 10,
      10 + (k % 4),
      3 + (k % 4) * 0.5,
    ];
    const fields = values.map((value, index) => value.toFixed(index === 2 ? 3 : 1).padStart(index === 2 ? 10 : 7));
    lines.push(`${String(k).padStart(3)} ${fields.join("")}`);
  }
  return cp932File(name, lines);
}

function batch(args) {
  return execFileSync(kBatch, ["--quiet", ...args], { cwd: folder });
}

test("the run computes the worked rows in both units, with and without the correction", async () => {
  const cases = [
    [0, 0, "87.5", "Sbit(MPa)", "Smix(MPa)", "*.mpa", "2.151E+01"],
    [0, 1, "86.6", "Sbit(MPa)", "Smix(MPa)", "*.mpa", "2.151E+01"],
    [1, 0, "87.5", "Sbit(kgf/cm2)", "Smix(kgf/cm2)", "*.kgf", "2.193E+02"],
    [1, 1, "86.6", "Sbit(kgf/cm2)", "Smix(kgf/cm2)", "*.kgf", "2.193E+02"],
  ];
  await withWindow(async (window) => {
    for (const [unit, correction, cv, sbitHeader, smixHeader, pattern, sbit] of cases) {
      const what = `${sbitHeader}${correction ? " with the correction" : ""}`;
      await window.page.reload();
      await window.page.waitForFunction(() => document.documentElement.dataset.ready);
      await window.choose("RadioGroup1", unit);
      await window.choose("RadioGroup2", correction);
      await window.start();
      await window.typeRows([kWorkedRow, [" 60 ", "50", "0.02", "25", "12", "4"]]);
      await window.click("BitBtn4");
      assert.deepEqual(await window.shownTabs(), ["スタート", "データ入力と計算", "結果の出力と表示"], what);
      assert.equal(await window.currentPage(), "TabSheet3", what);
      assert.deepEqual([await window.cell(1, 7, 0), await window.cell(1, 8, 0)], [sbitHeader, smixHeader], what);
      assert.equal(await window.cell(1, 0, 50), "50", what);
      assert.equal(await window.text("Label12"), pattern, what);
      assert.equal(await window.text("Memo2"), "", what);
      assert.equal(await window.row(1, 1, 6), `80|50|0.00|1|0|${cv}`, what);
      assert.equal(await window.cell(1, 1, 2), " 60 ", `${what}: copied as typed`);
      assert.equal(await window.cell(1, 3, 2), "-0.77", what);
      assert.equal(await window.cell(1, 7, 1), sbit, what);
      // The grid shows what the engine holds.
      const shown = await window.page.$$eval("#StringGrid2 .grid-row[data-row='1'] .cell", (cells) =>
        cells.map((cell) => cell.textContent),
      );
      assert.deepEqual(shown.slice(0, 8), ["1", "80", "50", "0.00", "1", "0", cv, sbit], what);
      await window.screenshot(`result-page-${unit}${correction}`);
    }
  });
});

test("a failing row keeps the rows before it, the result page in front", async () => {
  await withWindow(async (window) => {
    await window.start();
    await window.typeRows([kWorkedRow, kWorkedRow, ["80", "50", "1", "0", "12", "4x"], kWorkedRow]);
    await window.click("BitBtn4");
    assert.equal((await window.waitForBox()).text, "'4x' は浮動小数点数ではありません.\n(No. 3)");
    await window.answer("Enter");
    assert.equal(await window.currentPage(), "TabSheet3");
    assert.equal(await window.row(1, 2, 8), kWorkedResult);
    assert.equal(await window.row(1, 3, 8), "|||||||");
  });
});

// A look-up fault leaves its row empty and in view; the rows before it save and print.
test("a run stopped by a row names it, shows it and saves and prints the rows before", async () => {
  await withWindow(async (window) => {
    await window.start();
    await window.page.evaluate((worked) => {
      const rows = Array.from({ length: 31 }, (_, k) => (k === 29 ? ["80", "50", "0", "0", "12", "4"] : worked));
      talveno.engine.session.pasteBlock(1, 1, rows.map((row) => row.join("\t")).join("\n"));
      talveno.form.showTables();
      window.print = () => (window.printed = (window.printed ?? 0) + 1);
    }, kWorkedRow);
    await window.click("BitBtn4");
    assert.equal((await window.waitForBox()).text, "0 による浮動小数点数除算.\n(No. 30)");
    await window.answer("Enter");
    assert.equal(await window.row(1, 29, 8), kWorkedResult);
    assert.equal(await window.row(1, 30, 8), "|||||||");
    const inView = await window.page.evaluate(() => {
      const row = document.querySelector("#StringGrid2 .grid-row[data-row='30']:not([hidden])");
      const shown = document.querySelector("#StringGrid2 .grid-scroller").getBoundingClientRect();
      const box = row?.getBoundingClientRect();
      return box !== undefined && box.top >= shown.top && box.bottom <= shown.bottom;
    });
    assert.ok(inView, "row 30 in view");
    await window.keepSavedFiles("before.mpa");
    await window.click("BitBtn6");
    assert.equal((await window.savedFile("before.mpa")).toString("latin1").split("\r\n").length, 2 + 29 + 1);
    await window.click("Button4");
    await window.idle();
    assert.equal(await window.page.evaluate(() => window.printed), 1);
  });
});

test("the row editing commands copy, compact and clear rows", async () => {
  await withWindow(async (window) => {
    await window.start();
    const rows = [1, 2, 3, 4, 5].map((k) => [String(10 * k), "50", "1", "0", "12", "4"]);
    await window.typeRows(rows);
    await window.click("Button7");
    assert.equal(await window.cell(0, 1, 6), "10", "row 1 copied after the filled rows");
    await window.setText("Edit1", "3");
    await window.click("Button9");
    assert.equal(await window.cell(0, 1, 7), "30", "row 3 copied");
    await window.setText("Edit2", "2");
    await window.setText("Edit3", "4");
    await window.click("Button8");
    const first = [];
    for (let row = 1; row <= 5; row += 1) first.push(await window.cell(0, 1, row));
    assert.deepEqual(first, ["10", "50", "10", "30", ""], "rows 2 to 4 removed, those below moved up");
    assert.equal(await window.cell(0, 0, 2), "2", "the row numbers stay");
    await window.setText("Edit2", "");
    await window.click("Button8");
    assert.equal((await window.waitForBox()).text, "'' は整数ではありません.");
    await window.answer("Enter");
  });
});

// The copy commands bring the row written into view when it is one of the rows shown.
test("a copied row comes into view when it is one of the rows shown", async () => {
  const cases = [
    [8, "Button7", "", 9, true],
    [9, "Button9", "2", 10, true],
    [50, "Button7", "", 51, false], // below the rows shown: the table stays where it was
  ];
  await withWindow(async (window) => {
    await window.start("50");
    for (const [filled, button, chosen, written, shown] of cases) {
      await window.click("Button2");
      await window.waitForBox();
      await window.answer("Enter");
      await window.page.evaluate((rows) => {
        for (let row = 1; row <= rows; row += 1) talveno.engine.session.setCell(0, 1, row, String(row));
        talveno.form.showTables();
        document.querySelector("#StringGrid1 .grid-scroller").scrollTop = 0;
      }, filled);
      await window.clickCell("StringGrid1", 1, 1);
      await window.setText("Edit1", chosen);
      await window.click(button);
      await window.idle();
      assert.equal(await window.cell(0, 1, written), chosen || "1", `row ${written} written`);
      const inView = await window.page.evaluate((row) => {
        const cell = document.querySelector(`#StringGrid1 .grid-row[data-row="${row}"]`);
        const scroller = document.querySelector("#StringGrid1 .grid-scroller");
        if (!cell || cell.hidden) return { inView: false, scrolled: scroller.scrollTop > 0 };
        const box = cell.getBoundingClientRect();
        const view = scroller.getBoundingClientRect();
        return { inView: box.top >= view.top + 24 && box.bottom <= view.bottom, scrolled: scroller.scrollTop > 0 };
      }, written);
      assert.deepEqual(inView, { inView: shown, scrolled: shown }, `row ${written}`);
    }
  });
});

// A fault of the program, in the page's own code or in the engine, is no message for the
// user: the box says that an internal error stopped the command, the fault goes to the console.
test("a fault of the program shows the internal error message and goes to the console", async () => {
  await withWindow(async (window) => {
    const logged = [];
    window.page.on("console", (message) => {
      if (message.type() === "error") logged.push(message.text());
    });
    const faults = [
      ["Button7", () => (talveno.engine.session.copyFirstRow = () => null.row), "null"],
      [
        "Button8",
        () => (talveno.engine.session.partialClear = () => talveno.engine.session.cell(2, 0, 0)),
        "table: 0 (input) or 1 (result)",
      ],
    ];
    await window.start();
    for (const [button, fault, text] of faults) {
      await window.page.evaluate(fault);
      await window.click(button);
      const box = await window.waitForBox();
      assert.deepEqual([box.text, box.icon], ["プログラムの内部エラーのため、処理を中止しました.", true], button);
      await window.answer("Enter");
      assert.ok(
        logged.some((line) => line.includes("talveno: internal error") && line.includes(text)),
        `${button}: ${logged.join(" | ")}`,
      );
    }
  });
});

test("an input data file read from CP932 saves back byte for byte, through the picker or a download", async () => {
  const path = inputFile("cases.dat", 60);
  const bytes = readFileSync(path);
  await withWindow(async (window) => {
    await window.start();
    await window.readFile("BitBtn2", path);
    await window.idle();
    assert.equal(await window.text("Memo1"), "cases.dat", "the file's name, no path");
    assert.equal(await window.row(0, 60, 6), "100.0|50.0|0.020|0.0|10.0|3.0");
    assert.equal(
      await window.page.evaluate(() => talveno.engine.session.rowCount(0)),
      51,
      "rows beyond 50 are kept hidden",
    );

    await window.keepSavedFiles("again.dat");
    await window.click("BitBtn3");
    assert.deepEqual(await window.savedFile("again.dat"), bytes);
    assert.equal(await window.text("Memo1"), "again.dat");
    const options = await window.page.evaluate(() => window.pickerOptions);
    assert.deepEqual(options.types, [{ description: "*.dat", accept: { "application/octet-stream": [".dat"] } }]);
    assert.equal(options.suggestedName, undefined, "the dialog opens with no name at first");

    // Where the browser has no picker: the save box, its default extension, a download.
    const downloads = await window.allowDownloads(mkdtempSync(join(folder, "downloads-")));
    await window.click("BitBtn3");
    await window.page.waitForSelector("#SaveBox[open]");
    assert.equal(
      await window.page.$eval("#SaveBox .save-name", (name) => name.value),
      "again.dat",
      "the name last chosen",
    );
    await window.setText("SaveBox .save-name", "typed");
    await window.press("Enter");
    assert.deepEqual(await waitForFile(join(downloads, "typed.dat")), bytes);
    await window.idle();
    assert.equal(await window.text("Memo1"), "typed.dat");
  });
});

// Reading a file empties every row the table holds, and a run every result row, so that no row
// of an earlier, longer file or run stays behind to be computed, printed or saved; a long file
// name shows its end in the name box.
test("a file read or a run after a longer one leaves none of its rows behind", async () => {
  const long = inputFile("long-study.dat", 1100);
  const name = "舗装の配合試験その二・改質アスファルトのスティフネス確認用データ（長い名前のファイル）.dat";
  const short = inputFile(name, 60);
  batch(["-o", "long-study.mpa", "long-study.dat"]);
  batch(["-o", "short.mpa", name]);
  await withWindow(async (window) => {
    await window.start("50");
    const read = async (button, path) => {
      await window.readFile(button, path);
      await window.idle();
    };
    const saved = async (button, as) => {
      await window.keepSavedFiles(as);
      await window.click(button);
      return window.savedFile(as);
    };
    await read("BitBtn2", long);
    await window.click("BitBtn4");
    await window.idle();
    await window.clickTab("データ入力と計算");
    await read("BitBtn2", short);
    const memo = await window.page.$eval("#Memo1", (box) => [
      box.value,
      box.scrollHeight > box.clientHeight,
      box.scrollTop + box.clientHeight >= box.scrollHeight - 1,
    ]);
    assert.deepEqual(memo, [name, true, true], "the name's end in view");
    await window.screenshot("long-file-name");
    assert.deepEqual(
      await saved("BitBtn3", "again.dat"),
      readFileSync(short),
      "the input file of the second file alone",
    );
    await window.click("BitBtn4");
    await window.idle();
    assert.deepEqual(
      await saved("BitBtn6", "short.mpa"),
      readFileSync(join(folder, "short.mpa")),
      "no results of the first run",
    );
    await read("BitBtn5", join(folder, "long-study.mpa"));
    await read("BitBtn5", join(folder, "short.mpa"));
    assert.deepEqual(
      await saved("BitBtn6", "again.mpa"),
      readFileSync(join(folder, "short.mpa")),
      "no rows of the first result file",
    );
  });
});

test("a bad file, one that is no data file or a cancelled chooser leaves the table as it was", async () => {
  const bad = cp932File("bad.dat", ["h1", "h2", "  1 80 50 1 0 12 4", "  2 x"]);
  const empty = join(folder, "empty.dat");
  writeFileSync(empty, "");
  const picture = join(folder, "picture.png");
  writeFileSync(
    picture,
    Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0, 0, 0, 0x0d, 0x49, 0x48, 0x44, 0x52]),
  );
  const cases = [
    [bad, "入力値が数値ではありません.\n(4 行目)"],
    [empty, "'empty.dat' は空のファイルです."],
    [picture, "'picture.png' は Shift-JIS のテキスト ファイルではありません."],
  ];
  await withWindow(async (window) => {
    await window.start();
    await window.typeRows([kWorkedRow]);
    for (const [path, message] of cases) {
      await window.readFile("BitBtn2", path);
      assert.equal((await window.waitForBox()).text, message);
      await window.answer("Enter");
    }
    const [chooser] = await Promise.all([window.page.waitForFileChooser(), window.click("BitBtn2")]);
    await chooser.cancel();
    await window.idle();
    assert.equal(await window.row(0, 1, 6), kWorkedRow.join("|"));
    assert.equal(await window.text("Memo1"), "");
    // A file of 3.5 GB (sparse), more than the engine's memory holds and the browser reads.
    const huge = join(folder, "huge.dat");
    writeFileSync(huge, "");
    truncateSync(huge, 3.5e9);
    await window.readFile("BitBtn2", huge);
    assert.equal((await window.waitForBox()).text, "メモリが不足しているため、処理を中止しました.");
    await window.answer("Enter");
    assert.equal(await window.row(0, 1, 6), kWorkedRow.join("|"));
    assert.equal(await window.text("Memo1"), "");
  });
});

test("result files are those of talveno-batch on the same input", async () => {
  const path = inputFile("study.dat", 120);
  const cases = [
    [0, 0, "study.mpa", ["--unit", "MPa"]],
    [1, 0, "study.kgf", ["--unit", "kgf/cm2"]],
    [0, 1, "vandraat.mpa", ["--van-draat"]],
  ];
  await withWindow(async (window) => {
    for (const [unit, correction, name, options] of cases) {
      await window.choose("RadioGroup1", unit);
      await window.choose("RadioGroup2", correction);
      await window.start("200");
      await window.readFile("BitBtn2", path);
      await window.idle();
      await window.click("BitBtn4");
      await window.keepSavedFiles(name);
      await window.click("BitBtn6");
      const saved = await window.savedFile(name);
      batch([...options, "-o", name, "study.dat"]);
      assert.deepEqual(saved, readFileSync(join(folder, name)), name);
      assert.equal(await window.text("Memo2"), name);
      // Read back, the file gives the same file again.
      await window.readFile("BitBtn5", join(folder, name));
      await window.idle();
      await window.keepSavedFiles(`again-${name}`);
      await window.click("BitBtn6");
      assert.deepEqual(await window.savedFile(`again-${name}`), saved, `${name} read back`);
      await window.clickTab("スタート");
    }
  });
});

// A printed line with its runs of blanks, ideographic spaces included, folded into one blank
// and none at either end: the positions of a proportional font do not give the blanks back.
function folded(line) {
  return line.replace(/[ \t\f\u3000]+/g, " ").trim();
}

function foldedLines(text) {
  return text
    .split("\n")
    .map(folded)
    .filter((line) => line !== "");
}

// The pages Chromium prints of the print view, read back with pdftotext, each page's lines
// folded, as the desktop's listing tests read them.
function pdfPages(pdf) {
  const path = join(folder, `pages-${Date.now()}.pdf`);
  writeFileSync(path, pdf);
  const count = Number(/Pages:\s+(\d+)/.exec(execFileSync("pdfinfo", [path], { encoding: "utf8" }))[1]);
  const pages = [];
  for (let page = 1; page <= count; page += 1) {
    pages.push(
      foldedLines(
        execFileSync("pdftotext", ["-layout", "-f", String(page), "-l", String(page), path, "-"], { encoding: "utf8" }),
      ),
    );
  }
  return pages;
}

// The pages as the print stream laid them out in the print view: per page its lines, top to
// bottom.
function viewPages(window) {
  return window.page.$$eval(".print-page", (pages) =>
    pages.map((page) => [...page.querySelectorAll(".print-lines")].flatMap((lines) => lines.textContent.split("\n"))),
  );
}

// What the print dialog would print: the print view in Chromium's PDF, its pages and lines as
// the print stream placed them, its lines those of the desktop's listing.
async function expectPrinted(window, desktopListing, what) {
  const printed = pdfPages(await window.page.pdf({ preferCSSPageSize: true }));
  const laidOut = (await viewPages(window)).map((lines) => lines.map(folded).filter((line) => line !== ""));
  assert.deepEqual(printed, laidOut, `${what}: the pages of the print stream`);
  assert.deepEqual(
    printed.flat(),
    foldedLines(readFileSync(join(folder, desktopListing), "utf8")),
    `${what}: the lines`,
  );
  return printed;
}

test("the printed listings have the desktop listing's lines, on pages as the print stream breaks them", async () => {
  const path = inputFile("long.dat", 130);
  batch(["-o", "long.mpa", "--listing", "result-listing.txt", "--input-listing", "input-listing.txt", "long.dat"]);
  await withWindow(async (window) => {
    await window.page.evaluate(() => {
      window.printed = 0;
      window.print = () => {
        window.printed += 1;
      };
    });
    await window.start("200");
    await window.readFile("BitBtn2", path);
    await window.idle();
    await window.click("Button3");
    await window.idle();
    assert.equal(await window.page.evaluate(() => window.printed), 1, "the print dialog opened");
    const inputPages = await expectPrinted(window, "input-listing.txt", "input listing");
    assert.ok(inputPages.length >= 2, "a listing longer than a page");
    assert.equal(inputPages[0][0], "入力データ名： long.dat");

    await window.click("BitBtn4");
    await window.keepSavedFiles("long.mpa");
    await window.click("BitBtn6");
    await window.savedFile("long.mpa");
    await window.click("Button4");
    await window.idle();
    await expectPrinted(window, "result-listing.txt", "result listing");
    await window.printScreenshot("print-view");

    // A listing that stops at a bad cell shows its message and is not printed.
    await window.clickTab("データ入力と計算");
    await window.clickCell("StringGrid1", 2, 3);
    await window.type("x");
    await window.click("Button3");
    assert.equal((await window.waitForBox()).text, "'x' は浮動小数点数ではありません.");
    await window.answer("Enter");
    assert.equal(await window.page.evaluate(() => window.printed), 2);
  });
});

// Rows of the worked input in the input table, put in as one block from the clipboard.
async function pasteRows(window, count) {
  await window.page.evaluate((rows) => {
    const line = "80\t50\t1\t0\t12\t4\n";
    talveno.engine.session.pasteBlock(1, 1, line.repeat(rows));
    talveno.form.showTables();
  }, count);
}

// A long listing is drawn in parts under a box that shows how far it has come and can stop it,
// a few elements a page; one too long for a browser to print says so before it is drawn.
test("a long listing reaches the print dialog in parts; one too long to print says so first", async () => {
  await withWindow(async (window) => {
    await window.page.evaluate(() => {
      window.printed = 0;
      window.print = () => (window.printed += 1);
      // The pages counted before the listing is drawn.
      const session = talveno.engine.session;
      const begin = session.beginListing.bind(session);
      session.beginListing = (...args) => (window.counted = begin(...args));
    });
    await window.start("1000000");
    await pasteRows(window, 100000);
    const printView = () =>
      window.page.$eval("#PrintView", (view) => ({
        pages: view.querySelectorAll(".print-page").length,
        elements: view.querySelectorAll("*").length,
        last: view.lastElementChild?.textContent.split("\n").at(-1).trim().split(/ +/)[0],
      }));
    await window.click("Button3");
    await window.page.waitForSelector("#PrintProgress[open]");
    await window.idle();
    assert.equal(await window.page.evaluate(() => window.printed), 1, "the print dialog opened");
    const shown = await printView();
    const counted = await window.page.evaluate(() => window.counted);
    assert.deepEqual([shown.pages, shown.last], [counted, "100000"], "the pages counted, the last row on the last");
    assert.ok(counted > 1000 && shown.elements <= 4 * shown.pages, `${counted} pages of ${shown.elements} elements`);

    // Stopped as soon as its box shows, it prints nothing.
    await window.page.evaluate(() => {
      const box = document.getElementById("PrintProgress");
      new MutationObserver((_, observer) => {
        if (!box.open) return;
        observer.disconnect();
        box.querySelector(".box-button").click();
      }).observe(box, { attributes: true });
    });
    await window.click("Button3");
    await window.idle();
    assert.equal(await window.page.evaluate(() => window.printed), 1, "nothing printed");
    assert.equal((await printView()).pages, 0);
    assert.equal(await window.page.$("#PrintProgress[open]"), null);

    await pasteRows(window, 1000000);
    await window.click("Button3");
    const refused = /^印刷するページが多すぎます \((\d+) ページ、上限 2500 ページ\)$/.exec(
      (await window.waitForBox()).text,
    );
    assert.ok(
      refused && Math.abs(Number(refused[1]) / counted - 10) < 0.1,
      `refused with its page count: ${refused?.[0]}`,
    );
    await window.answer("Enter");
    assert.equal(await window.page.evaluate(() => window.printed), 1);
  });
});

// The words of the first page of a PDF by line, top to bottom, each with its centre.
function pdfWordLines(pdf) {
  const path = join(folder, `words-${Date.now()}.pdf`);
  writeFileSync(path, pdf);
  const page = execFileSync("pdftotext", ["-bbox", "-f", "1", "-l", "1", path, "-"], { encoding: "utf8" });
  const lines = new Map();
  for (const [, left, top, right, text] of page.matchAll(
    /<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)<\/word>/g,
  )) {
    const line = Math.round(Number(top));
    lines.set(line, [...(lines.get(line) ?? []), { text, centre: (Number(left) + Number(right)) / 2 }]);
  }
  return [...lines.keys()].sort((a, b) => a - b).map((line) => lines.get(line).sort((a, b) => a.centre - b.centre));
}

// The listings align their columns with blanks, their header lines spaced for the designed face:
// in the face the print view takes where that one is missing, each header word stands nearer
// to the values of its own column than to any other, over rows of narrow and of wide values.
test("every header word of the printed listings stands over its column", async () => {
  const input = [
    ["80", "47.5", "0.02", "25", "12.3", "4"],
    ["1234.5", "-12.5", "1000", "-5", "100", "0"],
  ];
  const result = [
    ["80", "47.5", "-0.52", "0.02", "25", "85.3", "12.34", "5678"],
    ["1234.5", "100", "-2.5", "1000", "-25", "99.9", "0.00001", "1e7"],
  ];
  const all = (count) => [...Array(count).keys()];
  const cases = [
    ["input", 0, "Button3", 0, input, all(7), [1, 2, 3, 4, 5, 6]],
    ["result MPa", 1, "Button4", 0, result, all(9), [1, 2, 4, 5, 6, 7, 8]],
    ["result kgf/cm2", 1, "Button4", 1, result, all(9), [1, 2, 4, 5, 6, 7, 8]],
  ];
  await withWindow(async (window) => {
    for (const [what, table, button, unit, rows, headerColumns, unitColumns] of cases) {
      await window.page.reload();
      await window.page.waitForFunction(() => document.documentElement.dataset.ready);
      await window.page.evaluate(() => (window.print = () => {}));
      await window.choose("RadioGroup1", unit);
      await window.start();
      if (table === 1) await window.click("BitBtn4");
      await window.page.evaluate(
        (t, cells) => {
          cells.forEach((texts, r) =>
            texts.forEach((text, c) => talveno.engine.session.setCell(t, c + 1, r + 1, text)),
          );
          talveno.form.showTables();
        },
        table,
        rows,
      );
      await window.click(button);
      await window.idle();
      if (table === 1) await window.printScreenshot(`print-view-columns-${unit}`);
      const lines = pdfWordLines(await window.page.pdf({ preferCSSPageSize: true }));
      assert.equal(lines.length, 5, `${what}: the title, two header lines, two rows`);
      for (const values of lines.slice(3)) {
        assert.equal(values.length, headerColumns.length, what);
        for (const [header, columns] of [
          [lines[1], headerColumns],
          [lines[2], unitColumns],
        ]) {
          assert.equal(header.length, columns.length, `${what}: ${header.map((word) => word.text)}`);
          header.forEach((word, i) => {
            const distance = (v) => Math.abs(values[v].centre - word.centre);
            const nearest = values.reduce((best, _, v) => (distance(v) < distance(best) ? v : best), 0);
            assert.equal(nearest, columns[i], `${what}: ${word.text} over ${values[nearest].text}`);
          });
        }
      }
    }
  });
});

test("a spreadsheet block pastes from the current cell, Ctrl+Z takes it back, Ctrl+C copies", async () => {
  await withWindow(async (window) => {
    await window.allowClipboard();
    const clipboard = {
      put: (text) => window.page.evaluate((t) => navigator.clipboard.writeText(t), text),
      get: () => window.page.evaluate(() => navigator.clipboard.readText()),
    };
    await window.start("3");
    await window.typeRows([kWorkedRow, kWorkedRow]);
    await window.clickCell("StringGrid1", 2, 2);
    await clipboard.put("47.5\t0.02\r\n48\t\r\n");
    await window.press("v", ["Control"]);
    await window.idle();
    assert.equal(await window.row(0, 2, 6), "80|47.5|0.02|0|12|4");
    assert.equal(await window.row(0, 3, 6), "|48||||");
    await window.press("z", ["Control"]);
    await window.idle();
    assert.equal(await window.row(0, 2, 6), kWorkedRow.join("|"));
    assert.equal(await window.row(0, 3, 6), "|||||");

    await clipboard.put("1\n2\n3\n");
    await window.press("v", ["Control"]);
    assert.equal((await window.waitForBox()).text, "貼り付けるデータが最大データ数 3 行を超えます（4 行目まで）.");
    await window.answer("Enter");

    await window.clickCell("StringGrid1", 3, 3);
    await clipboard.put("0.02");
    await window.press("v", ["Control"]);
    assert.equal(await window.cell(0, 3, 3), "0.02", "a single value goes into the open editor");

    await window.clickCell("StringGrid1", 4, 1);
    await window.press("a", ["Control"]);
    await window.press("c", ["Control"]);
    assert.equal(await clipboard.get(), "80\t50\t1\t0\t12\t4\n80\t50\t1\t0\t12\t4\n", "the filled rows");

    await window.click("BitBtn4");
    await window.page.click("#StringGrid2 .grid-row[data-row='2'] .cell[data-column='3']", { button: "right" });
    await window.page.click("#Copy1");
    await window.idle();
    assert.equal(await clipboard.get(), "0.00\n");
  });
});

test("the nomograph view shows a row's look-up, saves it as PNG and prints it", async () => {
  await withWindow(async (window) => {
    await window.start();
    await window.typeRows([
      ["60", "50", "1", "0", "12", "4"],
      ["80", "50", "0.02", "10", "12", "4"],
    ]);
    await window.click("BitBtn4");
    await window.page.click("#StringGrid2 .grid-row[data-row='2'] .cell[data-column='1']", { count: 2 });
    await window.page.waitForSelector("#NomographView:not([hidden]) svg");
    const texts = await window.page.$$eval("#NomographView svg text", (list) => list.map((text) => text.textContent));
    for (const expected of [
      "ノモグラフによる Sbit の読み取り　No. 2",
      "2317.6559",
      "38, 39",
      "0.77308",
      "4.0614E+01",
    ]) {
      assert.ok(texts.includes(expected), `the view shows ${expected}`);
    }
    await window.screenshot("nomograph-view");
    await window.keepSavedFiles("row2.png");
    await window.click("SavePngButton");
    const png = await window.savedFile("row2.png");
    assert.equal(png.subarray(1, 4).toString(), "PNG");
    assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [2400, 1240]);
    await window.page.evaluate(() => {
      window.print = () => {
        window.printed = true;
      };
    });
    await window.click("PrintButton");
    assert.equal(await window.page.evaluate(() => window.printed), true);
    const pdf = await window.page.pdf({ preferCSSPageSize: true });
    const printed = pdfPages(pdf);
    assert.equal(printed.length, 1, "one page");
    writeFileSync(join(folder, "view.pdf"), pdf);
    const [width, height] = /Page size:\s+([\d.]+) x ([\d.]+) pts/
      .exec(execFileSync("pdfinfo", [join(folder, "view.pdf")], { encoding: "utf8" }))
      .slice(1)
      .map(Number);
    assert.ok(
      Math.abs(width - 841.89) < 1 && Math.abs(height - 595.28) < 1,
      `an A4 page in landscape: ${width} x ${height}`,
    );
    assert.ok(printed[0].some((line) => line.includes("2317.6559")));
    await window.click("CloseButton");

    // A row that was never computed shows why.
    await window.page.click("#StringGrid2 .grid-row[data-row='3'] .cell[data-column='1']", { count: 2 });
    await window.page.waitForSelector("#NomographView:not([hidden]) svg");
    const reason = await window.page.$$eval("#NomographView svg text", (list) =>
      list.map((text) => text.textContent).join(" "),
    );
    assert.match(reason, /読み取れません/);
  });
});

// An extrapolated Sbit is no reading: the view says so in words beside the numbers. The curve
// labels stay readable: none lies under the ring at X or its letter, also where X lies on the
// highest or lowest index line drawn, beside the labels.
test("the nomograph view says when Sbit is extrapolated and keeps its labels clear of X", async () => {
  const notes = [
    [["80", "50", "1", "0", "12", "4"], []],
    [["80", "50", "0.02", "-50", "12", "4"], ["最も硬い曲線（2000 MPa）の外"]], // g 1.9 on the last pair
    [["80", "63.25", "0.02", "10", "12", "4"], []], // PI 3.00, on the axis' last line
    [["80", "70", "1", "30", "12", "4"], ["範囲（-3 〜 +3）の外"]], // PI 4.21
    [["20", "40", "1", "0", "12", "4"], ["範囲（-3 〜 +3）の外"]], // PI -5.27
  ];
  const rows = notes.map(([cells]) => cells);
  for (const temperature of ["-40", "-20", "0", "10", "20", "40"]) {
    rows.push(["80", "63.25", "0.02", temperature, "12", "4"], ["80", "40.22", "0.02", temperature, "12", "4"]); // PI ±3.00
  }
  await withWindow(async (window) => {
    await window.start();
    await window.page.evaluate((cells) => {
      cells.forEach((texts, r) => texts.forEach((text, c) => talveno.engine.session.setCell(0, c + 1, r + 1, text)));
    }, rows);
    await window.click("BitBtn4");
    await window.idle();
    for (const [index] of rows.entries()) {
      const row = index + 1;
      await window.page.evaluate((r) => talveno.form.StringGrid2.scrollToTableRow(r), row);
      await window.page.click(`#StringGrid2 .grid-row[data-row='${row}'] .cell[data-column='1']`, { count: 2 });
      await window.page.waitForSelector("#NomographView:not([hidden]) svg");
      const drawn = await window.page.evaluate(() => {
        const svg = document.querySelector("#NomographView svg");
        const box = (element) => {
          const { x, y, width, height } = element.getBBox();
          return { left: x, top: y, right: x + width, bottom: y + height };
        };
        const ring = box(svg.querySelector('circle[r="8"]'));
        const letter = box([...svg.querySelectorAll("text")].find((text) => text.textContent === "X"));
        const over = (a, b) => a.left < b.right && a.right > b.left && a.top < b.bottom && a.bottom > b.top;
        const labels = [...svg.querySelectorAll("text.curve-label")];
        return {
          notes: [...svg.querySelectorAll("text.extrapolation")].map((text) => text.textContent).join(""),
          labels: labels.length,
          under: labels
            .filter((label) => over(box(label), ring) || over(box(label), letter))
            .map((label) => label.textContent),
        };
      });
      if (index < notes.length) {
        const expected = notes[index][1];
        assert.equal(drawn.notes.split("※ 外挿：").length - 1, expected.length, `row ${row}: ${drawn.notes}`);
        for (const note of expected) assert.ok(drawn.notes.includes(note), `row ${row}: ${drawn.notes}`);
        if (index === 3) await window.screenshot("nomograph-extrapolated");
      }
      assert.ok(drawn.labels > 10, `row ${row}: ${drawn.labels} labels`);
      assert.deepEqual(drawn.under, [], `row ${row}: labels under the ring at X`);
      await window.click("CloseButton");
    }
  });
});

// The curves view of a row over ranges typed in its boxes, with points off the nomograph's
// scale and extrapolated ones: its CSV is the batch command's for the same grids, its copy the
// same columns parted by tabs, its PNG twice the page's size.
test("the curves view saves the batch command's CSV, copies the points and saves a PNG", async () => {
  const row = ["80", "50", "0.02", "10", "12", "4"];
  cp932File("curves.dat", [...kInputHeader, "  1    80.0   50.0     0.020   10.0   12.0    4.0"]);
  await withWindow(async (window) => {
    await window.allowClipboard();
    await window.start();
    await window.typeRows([row]);
    await window.click("BitBtn4");
    await window.clickCell("StringGrid2", 2, 1);
    await window.page.click("#StringGrid2 .grid-row[data-row='1'] .cell[data-column='2']", { button: "right" });
    await window.click("Curves1");
    await window.page.waitForSelector("#CurvesView:not([hidden]) svg");
    const boxes = {
      TemperatureFromBox: "-170",
      TemperatureToBox: "200",
      TemperatureStepBox: "10",
      FurtherLoadingTimesBox: "0.1, 1",
      LoadingTimeFromBox: "0.001",
      LoadingTimeToBox: "1000",
      PointsPerDecadeBox: "2",
      FurtherTemperaturesBox: "250",
    };
    for (const [box, text] of Object.entries(boxes)) await window.setText(box, text);
    await window.press("Enter");
    await window.idle();
    const notes = await window.page.$$eval("#CurvesView svg text", (list) =>
      list
        .filter((text) => ["extrapolation", "failure-note"].includes(text.getAttribute("class")))
        .map((text) => text.textContent)
        .join(""),
    );
    assert.match(notes, /温度 -170 〜 -160 ℃（t = 0.02, 0.1, 1 秒）の点は描けません：軟化点と温度の差/);
    assert.match(notes, /T = 250 ℃/);
    assert.match(notes, /最も硬い曲線（2000 MPa）の外/);
    await window.screenshot("curves-view");

    await window.keepSavedFiles("curves.csv");
    await window.click("CurvesCsvButton");
    const csv = await window.savedFile("curves.csv");
    assert.deepEqual([...csv.subarray(0, 3)], [0xef, 0xbb, 0xbf]);
    const lines = csv.toString("utf8").split("\r\n");
    const overTemperature = 38 * 3;
    const times = lines.slice(1 + overTemperature, 1 + overTemperature + 13).map((line) => line.split(",")[2]);
    const expected = [];
    for (const [temperatures, loadingTimes] of [
      ["-170:200:10", "0.02,0.1,1"],
      ["10:10:1", times.join(",")],
      ["250:250:1", times.join(",")],
    ]) {
      batch([
        "--curves",
        "c.csv",
        "--temperatures",
        temperatures,
        "--loading-times",
        loadingTimes,
        "-o",
        "c.mpa",
        "curves.dat",
      ]);
      const written = readFileSync(join(folder, "c.csv"), "utf8").split("\r\n");
      if (expected.length === 0) expected.push(written[0]);
      expected.push(...written.slice(1, -1));
    }
    // Smix is computed in the engine's widest format, which in WebAssembly takes its logarithm
    // and exponential in double precision: its last bits may differ from the desktop's.
    const smix = 6;
    const fields = (all) => all.map((line) => line.split(",").map((field, at) => (at === smix ? "" : field)));
    assert.deepEqual(fields(lines.slice(0, -1)), fields(expected));
    lines.slice(1, -1).forEach((line, index) => {
      const [own, desktop] = [line, expected[index + 1]].map((each) => Number(each.split(",")[smix]));
      assert.ok(Math.abs(own - desktop) <= Math.abs(desktop) * 1e-12, `${line} / ${expected[index + 1]}`);
    });

    await window.click("CurvesCopyButton");
    await window.idle();
    const copied = await window.page.evaluate(() => navigator.clipboard.readText());
    assert.equal(copied, lines.join("\r\n").slice(1).replaceAll(",", "\t"));

    await window.keepSavedFiles("curves.png");
    await window.click("CurvesPngButton");
    const png = await window.savedFile("curves.png");
    assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [2400, 1440]);
  });
});

test("the page opens from its file with no other request", async () => {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const requests = [];
  page.on("request", (request) => requests.push(request.url()));
  const own = pathToFileURL(kPage).href;
  await page.goto(own);
  await page.waitForFunction(() => document.documentElement.dataset.ready);
  const resources = await page.evaluate(() => performance.getEntriesByType("resource").map((entry) => entry.name));
  await context.close();
  const others = (urls) => urls.filter((url) => !url.startsWith("data:") && url !== own);
  assert.deepEqual([others(requests), others(resources)], [[], []]);
  // Firefox reports no requests of file: addresses to puppeteer.
  if (!kFirefox)
    assert.deepEqual(
      requests.filter((url) => !url.startsWith("data:")),
      [own],
    );
});
