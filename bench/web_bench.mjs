// Benchmarks of the browser edition in headless Chromium (figures, not tests): the time until
// the page is ready after opening its file, a calculation run of 10,000 rows, the input listing
// of 100,000 rows on its way to the print dialog, scrolling a table of 1,000,000 rows, and the
// size of the file.
//
// Usage: node bench/web_bench.mjs [PAGE]   (default build-web/talveno.html; run it on a quiet
// machine after scripts/build-web.sh)
import { statSync } from "node:fs";
import { pathToFileURL } from "node:url";
import { kPage, launch } from "../tests/web/browser.mjs";

const page = process.argv[2] ?? kPage;
const url = pathToFileURL(page).href;
const browser = await launch();

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

async function openPage() {
  const context = await browser.createBrowserContext();
  const tab = await context.newPage();
  await tab.setViewport({ width: 1000, height: 620 });
  await tab.goto(url);
  await tab.waitForFunction(() => document.documentElement.dataset.ready);
  return { tab, context };
}

// Ready: from the start of the navigation to the window built with the engine started; and
// the engine's share of it.
const ready = [];
const engineReady = [];
for (let run = 0; run < 7; run += 1) {
  const { tab, context } = await openPage();
  const [all, engine] = await tab.evaluate(() =>
    ["talveno-ready", "talveno-engine"].map((name) => performance.getEntriesByName(name)[0].startTime),
  );
  ready.push(all);
  engineReady.push(engine);
  await context.close();
}

const { tab, context } = await openPage();

// Rows of varied inputs put into the input table by a paste.
await tab.evaluate(() => {
  window.pasteRows = (count) => {
    const rows = [];
    for (let k = 1; k <= count; k += 1) {
      rows.push(
        [40 + (k % 9) * 10, 45 + (k % 11), [0.02, 0.1, 1][k % 3], (k % 5) * 10, 10 + (k % 4), 3 + (k % 4) * 0.5].join(
          "\t",
        ),
      );
    }
    talveno.engine.session.pasteBlock(1, 1, `${rows.join("\n")}\n`);
    talveno.form.showTables();
  };
});

// A calculation run of 10,000 rows typed in by a paste, from the click to the tables shown.
const runs = await tab.evaluate(async () => {
  const { form } = talveno;
  document.getElementById("Edit4").value = "10000";
  await form.run(() => form.BitBtn1Click());
  window.pasteRows(10000);
  const times = [];
  for (let run = 0; run < 7; run += 1) {
    form.PageControl1.select(document.getElementById("TabSheet2"));
    const started = performance.now();
    await form.run(() => form.BitBtn4Click());
    await new Promise((frame) => requestAnimationFrame(() => setTimeout(frame, 0)));
    times.push(performance.now() - started);
  }
  return { times, last: talveno.engine.session.cell(1, 8, 10000) };
});

// The input listing of 100,000 rows: from the click to the print dialog, the print view's
// pages and elements, and the longest the page did not answer meanwhile (a timer due every
// 10 ms).
const listing = await tab.evaluate(async () => {
  const { form } = talveno;
  form.PageControl1.select(document.getElementById("TabSheet1"));
  document.getElementById("Edit4").value = "100000";
  await form.run(() => form.BitBtn1Click());
  window.pasteRows(100000);
  let printed = null;
  window.print = () => (printed = performance.now());
  const pauses = [];
  let last = performance.now();
  const timer = setInterval(() => {
    const now = performance.now();
    pauses.push(now - last);
    last = now;
  }, 10);
  const started = performance.now();
  await form.run(() => form.Button3Click());
  clearInterval(timer);
  const view = document.getElementById("PrintView");
  return {
    time: printed - started,
    pages: view.querySelectorAll(".print-page").length,
    elements: view.querySelectorAll("*").length,
    longestPause: Math.max(...pauses),
    pauses: pauses.length,
  };
});

// Scrolling a table of 1,000,000 rows: the frames while the wheel turns it and while its
// scroll bar is dragged from end to end.
const scrolling = await tab.evaluate(async () => {
  const { form } = talveno;
  form.PageControl1.select(document.getElementById("TabSheet1"));
  document.getElementById("Edit4").value = "1000000";
  let started = performance.now();
  await form.run(() => form.BitBtn1Click());
  const startCommand = performance.now() - started;
  const scroller = document.querySelector("#StringGrid1 .grid-scroller");
  const frames = [];
  const frame = () => new Promise((resolve) => requestAnimationFrame(resolve));
  let last = await frame();
  const step = async (move) => {
    move();
    const now = await frame();
    frames.push(now - last);
    last = now;
  };
  for (let i = 0; i < 300; i += 1) await step(() => scroller.scrollBy(0, 240));
  const range = scroller.scrollHeight - scroller.clientHeight;
  for (let i = 0; i <= 300; i += 1) await step(() => (scroller.scrollTop = (range * i) / 300));
  const shown = [...document.querySelectorAll("#StringGrid1 .grid-rows .grid-row:not([hidden])")];
  const lastRow = shown[shown.length - 1]?.dataset.row;
  started = performance.now();
  const shownRows = document.querySelectorAll("#StringGrid1 .grid-row").length;
  const slow = frames.flatMap((time, index) => (time > 50 ? [`${index}: ${time.toFixed(0)} ms`] : []));
  return { startCommand, frames, lastRow, shownRows, slow };
});
await context.close();
await browser.close();

const frames = scrolling.frames;
console.log(`page file: ${(statSync(page).size / 1048576).toFixed(2)} MB (${statSync(page).size} bytes)`);
console.log(
  `ready after opening: median ${median(ready).toFixed(0)} ms, slowest ${Math.max(...ready).toFixed(0)} ms of ` +
    `${ready.length} (the engine started at ${median(engineReady).toFixed(0)} ms)`,
);
console.log(
  `run of 10,000 rows: median ${median(runs.times).toFixed(1)} ms, fastest ${Math.min(...runs.times).toFixed(1)} ms (row 10000 Smix ${runs.last})`,
);
console.log(
  `input listing of 100,000 rows: the print dialog after ${listing.time.toFixed(0)} ms, ${listing.pages} pages of ` +
    `${listing.elements} elements; the longest the page did not answer ${listing.longestPause.toFixed(0)} ms ` +
    `(${listing.pauses} timer turns)`,
);
console.log(`start command with 1,000,000 rows: ${scrolling.startCommand.toFixed(0)} ms`);
console.log(
  `scrolling 1,000,000 rows: ${frames.length} frames, median ${median(frames).toFixed(1)} ms, ` +
    `slowest ${Math.max(...frames).toFixed(1)} ms, ${frames.filter((f) => f > 50).length} over 50 ms; ` +
    `rows in the page ${scrolling.shownRows}, last row shown ${scrolling.lastRow}` +
    (scrolling.slow.length ? ` (slow frames ${scrolling.slow.join(", ")})` : ""),
);
