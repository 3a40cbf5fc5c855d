// The same results everywhere: input data files of thousands of varied rows, computed by the
// desktop build's batch command, by the WebAssembly module through its bytes interface and by
// the arm64 build's batch command under qemu, in both units, with and without the Van Draat
// correction. The result files must be byte-identical, and a failing row must fail with the
// same message. Every difference is printed, row by row; the status is 1 when there is one.
//
// Usage: node equivalence.js FOLDER MODULE.js DESKTOP_BATCH [ARM64_BATCH]
"use strict";
const fs = require("node:fs");
const path = require("node:path");
const { spawnSync } = require("node:child_process");

const [folder, modulePath, desktopBatch, arm64Batch] = process.argv.slice(2);

// A deterministic source of numbers (xorshift64*), so that the inputs are the same every run.
class Random {
  constructor(seed) {
    this.state = BigInt(seed);
  }
  next() {
    let x = this.state;
    x ^= x >> 12n;
    x ^= (x << 25n) & 0xffffffffffffffffn;
    x ^= x >> 27n;
    this.state = x;
    return Number(((x * 0x2545f4914f6cdd1dn) & 0xffffffffffffffffn) >> 11n) / 2 ** 53;
  }
  between(low, high) {
    return low + (high - low) * this.next();
  }
  pick(items) {
    return items[Math.floor(this.next() * items.length)];
  }
}

// Rows of tokens: penetration, softening point, loading time, temperature, asphalt volume, voids.
// Candidates of the spread, the boundaries and the halves that fail in any setting (a stiffness
// beyond 40000 MPa with B below 0, say) leave their file, which must stay whole, for a file of
// their own after a good row.
function inputFiles(engine) {
  const random = new Random(20080302);
  const fixed = (value, decimals) => value.toFixed(decimals);
  const files = {};

  // The worked examples, then rows of every region of the nomograph the inputs reach.
  const worked = [
    ["80", "50", "1", "0", "12", "4"],
    ["60", "50", "0.02", "25", "12", "4"],
    ["80", "47.5", "0.02", "25", "12.3", "4"],
    ["80", "50", "0.02", "10", "12", "4"],
    ["109.5", "50", "0.02", "20", "12", "4"],
    ["80", "50", "100", "28", "12", "4"],
    ["80", "50", "0.02", "-50", "12", "4"],
    ["80", "50", "0.02", "55", "12", "4"],
    ["800", "26", "1", "0", "12", "4"],
    ["60", "50", "0.02", "25", "12", "3"],
    ["60", "50", "0.02", "25", "12", "3.5"],
    ["60", "50", "0.02", "25", "0", "5"],
  ];
  const spread = [];
  for (let k = 0; k < 6000; ++k) {
    spread.push([
      fixed(random.between(20, 250), 1),
      fixed(random.between(38, 70), 1),
      fixed(10 ** random.between(-3, 3), 3),
      fixed(random.between(-25, 55), 1),
      fixed(random.between(4, 20), 1),
      fixed(random.between(0, 12), 1),
    ]);
  }
  files["worked-and-spread"] = worked.filter((row) => row[4] !== "0").concat(spread);

  // The ends of the scales and the axis: temperature differences on every step of the table
  // and at its ends, loading times from a millisecond to a day, penetration indices far out,
  // points beyond the stiffest curve (extrapolated), voids at and around 3 %.
  const boundaries = [];
  for (let difference = -130; difference <= 200; difference += 5) {
    for (const time of ["0.001", "0.010", "0.020", "1.000", "100.000", "86400.000"]) {
      const soft = random.pick([40, 50, 60]);
      boundaries.push([
        random.pick(["20", "80", "200"]),
        String(soft),
        time,
        fixed(soft - difference, 1),
        "12.0",
        random.pick(["2.9", "3.0", "3.1", "3.5", "8.0"]),
      ]);
    }
  }
  for (const pen of ["5", "10", "400", "700", "799.9", "800", "800.1", "1500", "3000"]) {
    for (const soft of ["26", "30", "45", "90", "120"]) {
      boundaries.push([pen, soft, "0.020", fixed(Number(soft) - 40, 1), "11.5", "4.5"]);
    }
  }
  files.boundaries = boundaries;

  // Texts that fall on halves when the file is read into cells (one decimal, three for the
  // loading time) or that carry more digits than the cells keep.
  const halves = [];
  const halfTexts = [
    "12.25",
    "12.35",
    "12.45",
    "-0.05",
    "-0.04",
    "0.05",
    "47.55",
    "2.675",
    "80.05",
    "9.95",
    "99.95",
    "1e1",
    "1.25E+01",
    ".5",
    "5.",
  ];
  for (let k = 0; k < 2000; ++k) {
    halves.push([
      random.pick(["60.05", "80.15", "100.25", "79.95", "8.5e1"]),
      random.pick(["47.55", "50.05", "52.45", "49.95"]),
      random.pick(["0.0125", "0.0205", "1.0005", "0.1235", "10.0015", "0.0015"]),
      random.pick(halfTexts.concat(["25.05", "-10.05"])),
      random.pick(["12.25", "11.95", "10.05"]),
      random.pick(["3.05", "2.95", "4.25", "6.15"]),
    ]);
  }
  files["text-halves"] = halves;

  // Concentrations whose thousandfold value is within the last bits of the intermediate format
  // of a half, so that they might round either way by platform (see core/extended.h); one
  // file each, after a good row, as some round to a Cv of 1, which fails.
  [
    ["80", "50", "1", "0", "79.8", "20"],
    ["80", "50", "1", "0", "1", "-1900"],
    ["80", "50", "1", "0", "3", "-1900"],
    ["80", "50", "1", "0", "0.2", "60"],
    ["80", "50", "1", "0", "12.5", "0"],
    ["80", "50", "1", "0", "87.5", "-150"],
    ["80", "50", "1", "0", "0.5", "-900"],
    ["80", "50", "1", "0", "0.1", "80"],
  ].forEach((row, k) => {
    files[`concentration-half-${k + 1}`] = [worked[0], row];
  });

  // Rows that fail, each after good rows and before one more.
  const failing = {
    "pen-zero": ["0", "50", "1", "0", "12", "4"],
    "pen-negative": ["-10", "50", "1", "0", "12", "4"],
    "softening-25": ["60", "25", "1", "0", "12", "4"],
    "softening-25-pen-800": ["800", "25", "1", "0", "12", "4"],
    "voids-100": ["60", "50", "1", "0", "5", "100"],
    "voids-100-asphalt-0": ["60", "50", "1", "0", "0", "100"],
    "concentration-1": ["60", "50", "1", "0", "0", "5"],
    "concentration-above-1": ["60", "50", "1", "0", "-10", "5"],
    "time-zero": ["60", "50", "0", "0", "12", "4"],
    "time-rounds-to-zero": ["60", "50", "0.0004", "0", "12", "4"],
    "time-negative": ["60", "50", "-1", "0", "12", "4"],
    "difference-below": ["60", "50", "1", "190", "12", "4"],
    "difference-above": ["60", "50", "1", "-160", "12", "4"],
    "left-of-every-curve": ["80", "50", "1e12", "180", "12", "4"],
  };
  for (const [name, row] of Object.entries(failing)) {
    files[`fails-${name}`] = [worked[0], worked[1], row, worked[2]];
  }
  for (const name of ["worked-and-spread", "boundaries", "text-halves"]) {
    const failed = files[name].filter((row) => !passes(engine, row));
    files[name] = files[name].filter((row) => passes(engine, row));
    failed.slice(0, 10).forEach((row, k) => {
      files[`fails-${name}-${k + 1}`] = [worked[0], row];
    });
  }
  return files;
}

function passes(engine, row) {
  return kSettings.every((settings) => moduleOutcome(engine, fileBytes([row]), settings).bytes);
}

// The input data file's bytes: its two header lines (skipped by the reader) and a line per row.
function fileBytes(rows) {
  const lines = ["header", "units"];
  rows.forEach((row, k) => lines.push(`${k + 1} ${row.join(" ")}`));
  return Buffer.from(lines.join("\r\n") + "\r\n", "latin1");
}

const kSettings = [
  { name: "mpa", unit: 0, vanDraat: false, options: [] },
  { name: "mpa-van-draat", unit: 0, vanDraat: true, options: ["--van-draat"] },
  { name: "kgf", unit: 1, vanDraat: false, options: ["--unit", "kgf/cm2"] },
  { name: "kgf-van-draat", unit: 1, vanDraat: true, options: ["--unit", "kgf/cm2", "--van-draat"] },
];

// The result file's bytes, or the failure as the batch command reports it: the error box's
// text and the row, without the line naming the input file.
function batchOutcome(command, input, settings) {
  const run = spawnSync(command[0], command.slice(1).concat(["--quiet", ...settings.options, "-o", "-", input]), {
    maxBuffer: 1 << 30,
  });
  if (run.status === 0) return { bytes: run.stdout };
  const lines = run.stderr
    .toString()
    .trimEnd()
    .split("\n")
    .filter((line) => !line.startsWith("(入力ファイル: "));
  return { failure: lines.join("\n") };
}

// The window's read and run in the module; a failure as its error box shows it.
function moduleOutcome(engine, bytes, settings) {
  const form = new engine.Form();
  const controls = { maxCountText: "50", unit: settings.unit, vanDraat: settings.vanDraat };
  try {
    const read = form.readFile(0, new Uint8Array(bytes), "input.dat", controls);
    const outcome = read.box === "error" ? read : form.run(controls);
    if (outcome.box === "error") return { failure: outcome.boxText };
    return { bytes: Buffer.from(form.resultFileBytes(settings.unit)) };
  } catch (error) {
    return { failure: engine.errorBoxText(error.message, error.row ?? 0) };
  } finally {
    form.delete();
  }
}

// The differences of two outcomes, a line each: the rows whose lines differ.
function differences(expected, actual) {
  if (expected.failure !== undefined || actual.failure !== undefined) {
    return expected.failure === actual.failure
      ? []
      : [`  ${JSON.stringify(expected.failure ?? "result file")} / ${JSON.stringify(actual.failure ?? "result file")}`];
  }
  if (expected.bytes.equals(actual.bytes)) return [];
  const a = expected.bytes.toString("latin1").split("\r\n");
  const b = actual.bytes.toString("latin1").split("\r\n");
  const found = [];
  for (let line = 0; line < Math.max(a.length, b.length); ++line) {
    if (a[line] !== b[line]) found.push(`  line ${line + 1}: ${a[line]} / ${b[line]}`);
  }
  return found;
}

require(path.resolve(modulePath))().then((engine) => {
  fs.mkdirSync(folder, { recursive: true });
  const desktop = [desktopBatch];
  const arm64 = arm64Batch ? ["qemu-aarch64", "-L", "/usr/aarch64-linux-gnu", arm64Batch] : null;
  let rows = 0,
    outcomes = 0,
    different = 0;
  const files = inputFiles(engine);
  for (const [name, fileRows] of Object.entries(files)) {
    const input = path.join(folder, `${name}.dat`);
    const bytes = fileBytes(fileRows);
    fs.writeFileSync(input, bytes);
    rows += fileRows.length;
    for (const settings of kSettings) {
      const expected = batchOutcome(desktop, input, settings);
      const others = [["module", moduleOutcome(engine, bytes, settings)]];
      if (arm64) others.push(["arm64", batchOutcome(arm64, input, settings)]);
      for (const [where, outcome] of others) {
        ++outcomes;
        const found = differences(expected, outcome);
        if (found.length === 0) continue;
        ++different;
        console.log(`${name} ${settings.name}: desktop / ${where}\n${found.join("\n")}`);
      }
    }
  }
  console.log(
    `Equivalence: ${rows} rows in ${Object.keys(files).length} files, 4 settings, ` +
      `${outcomes} outcomes compared with the desktop's, ${different} different`,
  );
  process.exitCode = different === 0 ? 0 : 1;
});
