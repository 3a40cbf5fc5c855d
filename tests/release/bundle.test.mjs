// The unzipped release bundle (TALVENO_BUNDLE; TALVENO_PAGE its talveno.html): its page opened
// from file:// in Chromium computes the example file into the example result file, byte for
// byte, its link and F1 open the HTML guide beside it, and its PDF guide has its pages and
// shows every fixed text of the program.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { after, before, test } from "node:test";
import { inWindow, launch } from "../web/browser.mjs";
import { missingTexts, pdfText } from "./guide_texts.mjs";

const kBundle = process.env.TALVENO_BUNDLE;
const kGuide = join(kBundle, "talveno-guide-ja.pdf");

let browser;
before(async () => {
  browser = await launch();
});
after(async () => {
  await browser?.close();
});

test("the bundle's page reads cases.dat, computes it and saves cases.mpa byte for byte", async () => {
  await inWindow(browser, async (window) => {
    await window.start();
    await window.readFile("BitBtn2", join(kBundle, "examples/cases.dat"));
    await window.idle();
    assert.equal(await window.text("Memo1"), "cases.dat");
    await window.click("BitBtn4");
    await window.idle();
    await window.keepSavedFiles("cases.mpa");
    await window.click("BitBtn6");
    assert.deepEqual(await window.savedFile("cases.mpa"), readFileSync(join(kBundle, "examples/cases.mpa")));
  });
});

test("the page's link and F1 open the HTML guide beside it in a new tab", async () => {
  await inWindow(browser, async (window) => {
    const guide = pathToFileURL(join(kBundle, "talveno-guide-ja.html")).href;
    for (const open of [() => window.click("GuideLink"), () => window.press("F1")]) {
      const [tab] = await Promise.all([window.context.waitForTarget((target) => target.url() === guide), open()]);
      const page = await tab.page();
      await page.waitForFunction(() => document.readyState === "complete");
      assert.equal(await page.title(), "Talveno 利用の手引き");
      await page.close();
    }
  });
});

test("the PDF guide has its pages, each with text", () => {
  const info = execFileSync("pdfinfo", [kGuide]).toString();
  const pages = Number(/^Pages:\s+(\d+)/m.exec(info)?.[1]);
  assert.ok(pages >= 30, `${pages} pages`);
  assert.match(info, /^Page size:.*\(A4\)/m);
  const texts = pdfText(kGuide).split("\f").slice(0, pages);
  const blank = texts.flatMap((text, page) => (text.trim() === "" ? [page + 1] : []));
  assert.deepEqual(blank, [], "pages without text");
});

test("the PDF guide shows every message and text of the program", () => {
  const missing = missingTexts(pdfText(kGuide));
  assert.deepEqual(
    missing.map(([text, paths]) => `${text} (${[...paths].join(", ")})`),
    [],
  );
});
