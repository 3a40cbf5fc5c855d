// The WebAssembly module through its JavaScript interface, as a front end calls it.
// Usage: node engine_module_test.js path/to/talveno-engine.js
"use strict";
const assert = require("node:assert/strict");
const createTalvenoEngine = require(process.argv[2]);

const kInput = 0,
  kResult = 1;
const kMpa = 0,
  kKgf = 1;

// The failure's message and the row it names, or null when the call does not fail; a fault of
// the program (a call made wrongly) as "fault: " and its text.
function failureOf(call) {
  try {
    call();
  } catch (error) {
    assert.ok(error instanceof Error, "failures arrive as Errors");
    if (error.name !== "Failure") return `fault: ${error.message}`;
    return error.row === undefined ? error.message : `${error.message} @${error.row}`;
  }
  return null;
}

// The controls as the page gives them to a command: the maximum data count, then the rest.
function counted(maxCountText, more = {}) {
  return { rowText: "", firstRowText: "", lastRowText: "", maxCountText, unit: kMpa, vanDraat: false, ...more };
}

// The error box's text a command's outcome opens, or null.
function errorOf(outcome) {
  return outcome.box === "error" ? outcome.boxText : null;
}

function fill(session, rows) {
  rows.forEach((cells, r) => cells.forEach((text, c) => session.setCell(kInput, c + 1, r + 1, text)));
}

const kWorkedRow = ["80", "50", "1", "0", "12", "4"];
const kWorkedResult = ["80", "50", "0.00", "1", "0", "87.5", "2.151E+01", "5.002E+03"];
// The input data file's header lines in CP932: "　" is 81 40, "℃" 81 8E and "秒" 95 62.
const kInputHeader = Buffer.concat([
  Buffer.from([0x81, 0x40]),
  Buffer.from("No "),
  Buffer.from([0x81, 0x40]),
  Buffer.from(" pen   soft   loadtime"),
  Buffer.from([0x81, 0x40]),
  Buffer.from("temp "),
  Buffer.from([0x81, 0x40]),
  Buffer.from("asvol"),
  Buffer.from([0x81, 0x40]),
  Buffer.from(" void\r\n"),
  Buffer.from("  "),
  Buffer.from([0x81, 0x40, 0x81, 0x40]),
  Buffer.from(" 0.1mm   "),
  Buffer.from([0x81, 0x8e]),
  Buffer.from("  "),
  Buffer.from([0x81, 0x40]),
  Buffer.from("   "),
  Buffer.from([0x95, 0x62]),
  Buffer.from("      "),
  Buffer.from([0x81, 0x8e]),
  Buffer.from("   "),
  Buffer.from([0x81, 0x40]),
  Buffer.from("% "),
  Buffer.from([0x81, 0x40]),
  Buffer.from("    %\r\n"),
]);

const tests = {
  "the tables start as the window holds them"(engine) {
    const s = new engine.Form();
    assert.deepEqual([s.columnCount(kInput), s.rowCount(kInput), s.columnWidth(kInput, 1)], [7, 51, 100]);
    assert.deepEqual([s.columnCount(kResult), s.rowCount(kResult), s.columnWidth(kResult, 1)], [9, 51, 85]);
    assert.deepEqual(s.pages(), { current: 0, tabShown: [true, false, false] });
    assert.deepEqual(s.start(counted("20")).pages, { current: 1, tabShown: [true, true, false] });
    assert.equal(s.rowCount(kInput), 21);
    assert.deepEqual(s.cellsOfRows(kInput, 0, 2), [
      ["No.", "針入度(1/10mm)", "軟化点(℃)", "載荷時間(秒)", "温　度(℃)", "アス容積率(％)", "空隙率(％)"],
      ["1", "", "", "", "", "", ""],
    ]);
    assert.equal(s.rowCount(kResult), 21);
    assert.equal(errorOf(s.start(counted("abc"))), "'abc' は整数ではありません.");
    assert.equal(
      failureOf(() => s.cell(2, 0, 0)),
      "fault: table: 0 (input) or 1 (result)",
    );
    s.delete();
  },

  "the run computes the filled rows and stops at the first failure"(engine) {
    const s = new engine.Form();
    s.start(counted("50"));
    fill(s, [kWorkedRow, kWorkedRow, ["60", "x", "1", "0", "12", "4"], kWorkedRow]);
    const failed = s.run(counted("50"));
    assert.deepEqual(
      [errorOf(failed), failed.rowInView],
      ["'x' は浮動小数点数ではありません.\n(No. 3)", { table: kResult, row: 3 }],
    );
    assert.deepEqual(
      s.cellsOfRows(kResult, 2, 2).map((cells) => cells.slice(1)),
      [kWorkedResult, ["", "", "", "", "", "", "", ""]],
    );
    assert.equal(s.cell(kResult, 7, 0), "Sbit(MPa)");
    s.setCell(kInput, 2, 3, "50");
    assert.deepEqual(s.run(counted("50", { unit: kKgf, vanDraat: true })).texts, [
      { control: "Label12", text: "*.kgf" },
      { control: "Memo2", text: "" },
    ]);
    assert.equal(s.cell(kResult, 8, 0), "Smix(kgf/cm2)");
    assert.equal(s.cell(kResult, 7, 4), "2.193E+02");
    assert.equal(s.filledRowCount(kResult), 4);
    assert.equal(errorOf(s.run(counted("x"))), "'x' は整数ではありません.");
    assert.equal(
      failureOf(() => s.run(counted("50", { unit: 2 }))),
      "fault: unit: 0 (MPa) or 1 (kgf/cm2)",
    );
    s.delete();
  },

  "row editing, pasting and copying work on the input table"(engine) {
    const s = new engine.Form();
    s.start(counted("10"));
    fill(s, [
      ["1", "2", "3", "4", "5", "6"],
      ["7", "8", "9", "10", "11", "12"],
    ]);
    assert.deepEqual(
      [s.copyFirstRow().rowInView.row, s.copyChosenRow(counted("10", { rowText: "2" })).rowInView.row],
      [3, 4],
      "the rows written",
    );
    assert.deepEqual(
      s.cellsOfRows(kInput, 3, 2).map((cells) => cells[1]),
      ["1", "7"],
    );
    assert.equal(
      errorOf(s.copyChosenRow(counted("10", { rowText: "-1" }))),
      "リストのインデックスが範囲を超えています (-1)",
    );
    s.partialClear(counted("10", { firstRowText: "1", lastRowText: "2" }));
    assert.equal(s.copyText(kInput, 1, 1, 2, 2), "1\t2\n7\t8\n");
    assert.equal(s.pasteBlock(2, 1, "a\tb\r\nc\td\r\n").tablesChanged, true);
    assert.equal(s.copyText(kInput, 1, 1, 3, 2), "1\ta\tb\n7\tc\td\n");
    assert.deepEqual([engine.isCellBlock("one value"), engine.isCellBlock("a\nb")], [false, true]);
    assert.equal(s.undoPaste().tablesChanged, true);
    assert.equal(s.undoPaste().tablesChanged, false);
    assert.equal(s.cell(kInput, 2, 1), "2");
    assert.equal(errorOf(s.pasteBlock(6, 1, "a\tb\n")), "貼り付けるデータが6列目を超えます（7 列目まで）.");
    assert.deepEqual(s.filledRowsSelection(kInput), { left: 1, top: 1, right: 6, bottom: 2 });
    s.clearAll(counted("10"));
    assert.equal(s.filledRowsSelection(kInput), null);
    s.moveColumn(kInput, 1, 2);
    assert.equal(s.cell(kInput, 2, 0), "針入度(1/10mm)");
    s.delete();
  },

  "files are read from and saved to CP932 bytes"(engine) {
    const s = new engine.Form();
    s.start(counted("50"));
    fill(s, [["80", "47.5", "0.02", "25", "12.3", "4"]]);
    const bytes = Buffer.from(s.inputFileBytes());
    assert.ok(s.inputFileBytes() instanceof Uint8Array);
    assert.deepEqual(
      bytes,
      Buffer.concat([kInputHeader, Buffer.from("  1    80.0   47.5     0.020   25.0   12.3    4.0\r\n")]),
    );
    const read = (table, bytes, name, count = "50") => s.readFile(table, bytes, name, counted(count));
    assert.equal(
      read(kInput, new Uint8Array(Buffer.concat([kInputHeader, Buffer.from("1 60 50 1 0 12 4\r\n")])), "a.dat").texts[0]
        .text,
      "a.dat",
    );
    assert.deepEqual(s.cellsOfRows(kInput, 1, 1)[0].slice(1), ["60.0", "50.0", "1.000", "0.0", "12.0", "4.0"]);
    assert.equal(
      errorOf(read(kInput, Buffer.concat([kInputHeader, Buffer.from("1 6x 1 1 1 1 1\r\n")]), "a.dat")),
      "入力値が数値ではありません.\n(3 行目)",
    );
    assert.equal(s.cell(kInput, 1, 1), "60.0", "a failing read changes nothing");
    // Files beyond the module's memory, also beyond what a 32-bit length holds.
    for (const length of [3.5e9, 5e9]) {
      assert.equal(
        failureOf(() => read(kInput, { length }, "a.dat")),
        engine.windowTexts().outOfMemory,
      );
      assert.equal(s.cell(kInput, 1, 1), "60.0", "a read out of memory changes nothing");
    }
    assert.equal(errorOf(read(kInput, bytes, "a.dat", "n")), "'n' は整数ではありません.");
    assert.equal(errorOf(read(kInput, new Uint8Array(0), "b.dat")), "'b.dat' は空のファイルです.");
    s.run(counted("50"));
    const result = Buffer.from(s.resultFileBytes(kKgf));
    assert.equal(
      result.toString("latin1").split("\r\n")[2],
      "  1    60.0   50.0  -0.77     1.000    0.0   87.5 5.777E+0001 8.780E+0003",
    );
    assert.ok(result.toString("latin1").split("\r\n")[1].endsWith("kgf/cm2     kgf/cm2"));
    const other = new engine.Form();
    other.readFile(kResult, result, "a.kgf", counted("50"));
    assert.deepEqual(other.cellsOfRows(kResult, 1, 1)[0].slice(1), [
      "60.0",
      "50.0",
      "-0.77",
      "1.000",
      "0.0",
      "87.5",
      "5.777E+01",
      "8.780E+03",
    ]);
    s.delete();
    other.delete();
  },

  "listings come as lines and as drawings on a surface"(engine) {
    const s = new engine.Form();
    s.start(counted("50"));
    fill(s, [kWorkedRow]);
    const lines = s.listingLines(0, "in.dat", kMpa);
    assert.equal(lines.length, 12);
    assert.equal(lines[7], "               入力データ名： in.dat");
    assert.equal(lines[11], "                 1       80.0      50.0     1.000       0.0      12.0       4.0");
    // Texts 5 units a character, lines 10 high: a page of 1000 holds the listing, one of 40
    // breaks it three times.
    const drawnOn = (height) => {
      const drawn = [];
      s.printListing(0, "in.dat", kMpa, {
        pageWidth: () => 10000,
        pageHeight: () => height,
        characterHeight: () => 10,
        textWidth: (text) => 5 * [...text].length,
        drawText: (x, y, text) => drawn.push(`${x},${y} ${text}`),
        newPage: () => drawn.push("--"),
      });
      return drawn;
    };
    assert.deepEqual(drawnOn(1000).slice(1, 3), ["75,70 入力データ名： ", "115,70 in.dat"]);
    assert.equal(drawnOn(1000).at(-1), "345,116        4.0");
    assert.equal(drawnOn(40).filter((item) => item === "--").length, 3);
    s.setCell(kInput, 3, 1, "fast");
    assert.equal(
      failureOf(() => s.listingLines(0, "", kMpa)),
      "'fast' は浮動小数点数ではありません",
    );
    s.delete();
  },

  "a result row gives the look-up the nomograph view draws"(engine) {
    const s = new engine.Form();
    s.start(counted("50"));
    fill(s, [kWorkedRow, ["80", "50", "0", "0", "12", "4"]]);
    assert.equal(errorOf(s.run(counted("50"))), "0 による浮動小数点数除算.\n(No. 2)");
    const taken = s.lookUpResultRow(1);
    assert.equal(taken.reason, "");
    assert.deepEqual(taken.inputs, { penetrationIndex: 0, loadingTime: 1, temperatureDifference: 50 });
    assert.equal(taken.reading.upperCurve, 39);
    assert.equal(engine.exponentText(taken.reading.stiffnessMpa, 5, 2), "2.1507E+01");
    assert.equal(taken.figure.lowerCurve, 38);
    assert.equal(taken.figure.reading.x, taken.reading.x);
    assert.equal(taken.figure.loadingTime.x, engine.loadingTimeX(1));
    assert.equal(taken.figure.upperCurveX, engine.curveXs(taken.figure.reading.y)[39]);
    assert.deepEqual(taken.notes, [], "a reading, no extrapolation");
    const failed = s.lookUpResultRow(2);
    assert.deepEqual(
      [failed.reason, failed.reading],
      ["この行には計算結果がありません", null],
      "the failing row is left empty",
    );
    assert.equal(s.lookUpResultRow(3).reason, "この行には計算結果がありません");
    const outside = new engine.Form();
    outside.start(counted("50"));
    fill(outside, [["80", "70", "1", "30", "12", "4"]]);
    outside.run(counted("50"));
    assert.deepEqual(
      outside.lookUpResultRow(1).notes,
      ["PI は図の針入度指数の範囲（-3 〜 +3）の外にあり、Sbit は外挿値です"],
      "PI 4.21",
    );
    outside.delete();
    const tables = engine.nomographTables();
    assert.equal(tables.curveStiffnessesPa.length, 45);
    assert.equal(tables.temperatureDifferenceX[33], 3290.3);
    assert.equal(engine.penetrationIndexHeight(0), tables.penetrationIndexHeight[0]);
    assert.equal(engine.temperatureDifferenceX(45), 2395.7);
    assert.equal(
      failureOf(() => engine.loadingTimeX(-1)),
      "不正な浮動小数点数演算命令",
    );
    s.delete();
  },

  "a result row gives its stiffness curves, each point the run's row at that point"(engine) {
    const s = new engine.Form();
    s.start(counted("50"));
    fill(s, [kWorkedRow, ["80", "50", "0.02", "-50", "12", "4"], ["80", "50", "1", "300", "12", "4"]]);
    const offScale = "軟化点と温度の差が -130～200℃ の範囲外です (-250)";
    assert.equal(errorOf(s.run(counted("50", { unit: kKgf }))), `${offScale}\n(No. 3)`);
    const curves = s.stiffnessCurves(1, [0, -50, 300], [1, 0.02], kKgf);
    assert.deepEqual(
      [curves.reason, curves.penetrationIndex, curves.concentration, curves.points.length],
      ["", 0, 0.875, 6],
    );
    // Point 0 is row 1 at its own temperature and loading time, point 3 row 2.
    for (const [point, row] of [
      [0, 1],
      [3, 2],
    ]) {
      assert.equal(engine.exponentText(curves.points[point].bitumenStiffness, 4, 2), s.cell(kResult, 7, row));
      assert.equal(engine.exponentText(curves.points[point].mixtureStiffness, 4, 2), s.cell(kResult, 8, row));
    }
    assert.deepEqual(curves.points[3].notes, ["X は最も硬い曲線（2000 MPa）の外にあり、Sbit はその先への外挿値です"]);
    assert.deepEqual(curves.points[4], {
      temperature: 300,
      loadingTime: 1,
      bitumenStiffness: null,
      mixtureStiffness: null,
      failure: offScale,
      notes: [],
    });
    const none = s.stiffnessCurves(4, [0], [1], kMpa);
    assert.deepEqual([none.reason, none.points], ["この行には計算結果がありません", []]);
    assert.equal(
      failureOf(() => s.stiffnessCurves(1, [0], [1], 2)),
      "fault: unit: 0 (MPa) or 1 (kgf/cm2)",
    );
    s.delete();
  },

  "the texts of numbers and of the error box are the engine's"(engine) {
    const cases = [
      [engine.fixedText(2.675, 2), "2.68"],
      [engine.fixedText(-0.04, 1), "-0.0"],
      [engine.exponentText(1234.5, 4, 4), "1.235E+0003"],
      [engine.shortestText(0.1 + 0.2), "0.30000000000000004"],
      [engine.shortestText(1e300), "1e+300"],
      [engine.withFullStop("0 による浮動小数点数除算"), "0 による浮動小数点数除算."],
      [
        engine.withFullStop("リストのインデックスが範囲を超えています (-1)"),
        "リストのインデックスが範囲を超えています (-1)",
      ],
    ];
    for (const [actual, expected] of cases) assert.equal(actual, expected);
  },

  "the page reads counts, help texts, file messages and a look-up from the engine"(engine) {
    const cases = [
      [engine.maxDataCount(" $10"), 16],
      [failureOf(() => engine.maxDataCount("5 ")), "'5 ' は整数ではありません"],
      [engine.fileFailureMessage("ENOENT"), "ファイルが見つかりません"],
      [engine.fileFailureMessage("EACCES"), "ファイルへのアクセスが拒否されました"],
      [/^I\/O エラー \(\d+\)$/.test(engine.fileFailureMessage("ENOSPC")), true],
      [engine.helpText(3).split("\n\r").length, 9],
      [engine.helpText(5).endsWith("このままでOKです。\n\r"), true],
      [failureOf(() => engine.helpText(6)), "fault: help message: 1 to 5"],
      [engine.halfWidthNumberText("－１．２５Ｅ＋０３\u3000ＡＢ"), "-1.25E+03 ＡＢ"],
      [engine.windowTexts().internalError, "プログラムの内部エラーのため、処理を中止しました"],
      [engine.windowTexts().outOfMemory, "メモリが不足しているため、処理を中止しました"],
      [engine.errorBoxTextOf("failure", "'x' は整数ではありません", 3), "'x' は整数ではありません.\n(No. 3)"],
      [engine.errorBoxTextOf("memory", "", 0), "メモリが不足しているため、処理を中止しました."],
      [engine.errorBoxTextOf("system", "ENOENT", 0), "ファイルが見つかりません."],
      [engine.errorBoxTextOf("fault", "", 0), "プログラムの内部エラーのため、処理を中止しました."],
      [engine.viewDialog("csv"), { filter: "CSV|*.csv", defaultExtension: "csv", fileName: "" }],
      [
        engine
          .windowLayout()
          .popupMenu.map((item) => item.keys)
          .join(),
        "Ctrl+C,Ctrl+A,,,Shift+Enter",
      ],
      [engine.help(3).boxText.split("\n").length, 9],
      [engine.windowLayout().controls.filter((control) => control.kind !== "TabSheet").length, 53],
      [engine.read(0, 0.02, 40).upperCurve, 39],
      [engine.fixedText(engine.read(0, 0.02, 40).x, 4), "2317.6559"],
    ];
    for (const [actual, expected] of cases) assert.deepEqual(actual, expected);
  },
};

createTalvenoEngine().then((engine) => {
  let failed = 0;
  for (const [name, test] of Object.entries(tests)) {
    try {
      test(engine);
      console.log(`ok ${name}`);
    } catch (error) {
      ++failed;
      console.log(`FAILED ${name}\n${error.stack}`);
    }
  }
  process.exitCode = failed === 0 ? 0 : 1;
});
