// The README's picture of the browser edition: the page in headless Chromium, the five worked
// rows read from a data file and computed, the result page in front.
//
// Usage: node scripts/web-screenshot.mjs [OUTPUT]   (default docs/browser-page.png; after
// scripts/build-web.sh)
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { kRoot, launch, open } from "../tests/web/browser.mjs";

const output = process.argv[2] ?? join(kRoot, "docs/browser-page.png");
const folder = mkdtempSync(join(tmpdir(), "talveno-shot-"));
const rows = [
  [60, 50, 0.02, 25, 12, 4],
  [80, 47.5, 0.1, 10, 12.3, 4.5],
  [40, 55, 1, 30, 10, 6],
  [120, 45, 0.02, 40, 13, 3],
  [100, 46, 0.05, 20, 11.5, 5],
];
const lines = ["　No 　 pen   soft   loadtime　temp 　asvol　 void", "  　　 0.1mm   ℃  　   秒      ℃   　% 　    %"];
for (const [index, row] of rows.entries()) {
  const fields = row.map((value, column) => value.toFixed(column === 2 ? 3 : 1).padStart(column === 2 ? 10 : 7));
  lines.push(`${String(index + 1).padStart(3)} ${fields.join("")}`);
}
const path = join(folder, "cases.dat");
writeFileSync(
  path,
  execFileSync("iconv", ["-f", "UTF-8", "-t", "CP932"], { input: lines.map((line) => `${line}\r\n`).join("") }),
);

const browser = await launch({ scrollbars: true });
const window = await open(browser, { viewport: { width: 900, height: 540 } });
await window.start();
await window.readFile("BitBtn2", path);
await window.idle();
await window.click("BitBtn4");
await window.idle();
await window.page.screenshot({ path: output });
await browser.close();
rmSync(folder, { recursive: true, force: true });
console.log(output);
