// The WebAssembly module under node: an input data file of 10,000 and of 1,000,000 rows read
// from its bytes, computed by the run and saved to the result file's bytes, as a page does.
// Usage: node bench/module_bench.js build-wasm/module/talveno-engine.js [ROWS...]
"use strict";
const path = require("node:path");

const [modulePath, ...counts] = process.argv.slice(2);
const rowCounts = counts.length > 0 ? counts.map(Number) : [10000, 1000000];

// Rows of the kind the batch benchmarks use, from a fixed seed.
function inputBytes(rows) {
  let seed = 42;
  const uniform = (low, high) => {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return low + (high - low) * (seed / 2147483648);
  };
  const lines = ["header", "units"];
  for (let k = 1; k <= rows; ++k) {
    lines.push(
      `${k} ${uniform(30, 180).toFixed(1)} ${uniform(40, 65).toFixed(1)} ` +
        `${(10 ** uniform(-2, 1)).toFixed(3)} ${uniform(-10, 50).toFixed(1)} ` +
        `${uniform(8, 16).toFixed(1)} ${uniform(2, 8).toFixed(1)}`,
    );
  }
  return new Uint8Array(Buffer.from(lines.join("\r\n") + "\r\n", "latin1"));
}

function seconds(call) {
  const start = process.hrtime.bigint();
  const value = call();
  return [Number(process.hrtime.bigint() - start) / 1e9, value];
}

require(path.resolve(modulePath))().then((engine) => {
  for (const rows of rowCounts) {
    const bytes = inputBytes(rows);
    const form = new engine.Form();
    const controls = { maxCountText: "50", unit: 0, vanDraat: true };
    const [read] = seconds(() => form.readFile(0, bytes, "bench.dat", controls));
    const [run] = seconds(() => form.run(controls));
    const [save, result] = seconds(() => form.resultFileBytes(0));
    form.delete();
    const total = read + run + save;
    console.log(
      `${rows} rows: read ${read.toFixed(3)} s, run ${run.toFixed(3)} s, ` +
        `save ${save.toFixed(3)} s; ${total.toFixed(3)} s in all, ` +
        `${((total / rows) * 1e6).toFixed(2)} µs a row; result file ${(result.length / 1e6).toFixed(1)} MB; ` +
        `module memory ${(engine.HEAPU8.length / 2 ** 20).toFixed(0)} MiB`,
    );
  }
});
