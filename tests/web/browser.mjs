// The page under test in Debian's Chromium, headless, driven by puppeteer-core (or, with
// TALVENO_BROWSER=firefox, in Debian's Firefox ESR through WebDriver BiDi): a fresh browser
// profile per run, a fresh browser context per test, the controls reached by their ids and
// worked with the real mouse and keys.
import { mkdtempSync, readFileSync, rmSync, existsSync, mkdirSync, statSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

export const kRoot = resolve(dirname(fileURLToPath(import.meta.url)), "../..");
export const kPage = process.env.TALVENO_PAGE ?? join(kRoot, "build-web/talveno.html");
export const kBatch = resolve(process.env.TALVENO_BATCH ?? join(kRoot, "build-test/app/talveno-batch"));
export const kBrowser = process.env.TALVENO_BROWSER ?? "chromium";
export const kFirefox = kBrowser === "firefox";
export const kShots = join(kRoot, "build-web/shots", kFirefox ? "firefox" : "");

const kArgs = [
  "--no-sandbox",
  "--disable-gpu",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
  "--no-first-run",
  "--no-default-browser-check",
  "--lang=ja-JP",
];

// Firefox's downloads go into one folder per run, without asking.
const kDownloads = kFirefox ? mkdtempSync(join(tmpdir(), "talveno-firefox-downloads-")) : null;
const kFirefoxPrefs = {
  "intl.accept_languages": "ja-JP",
  "browser.download.folderList": 2,
  "browser.download.dir": kDownloads,
  "browser.download.useDownloadDir": true,
  "browser.download.always_ask_before_handling_new_types": false,
  "browser.download.start_downloads_in_tmp_dir": false,
  "dom.events.testing.asyncClipboard": true,
};

export async function launch({ scrollbars = false } = {}) {
  const defaultViewport = { width: 1000, height: 620 };
  if (kFirefox) {
    const browser = await puppeteer.launch({
      browser: "firefox",
      protocol: "webDriverBiDi",
      executablePath: process.env.TALVENO_FIREFOX ?? "/usr/bin/firefox-esr",
      headless: true,
      extraPrefsFirefox: kFirefoxPrefs,
      defaultViewport,
    });
    browser.once("disconnected", () => rmSync(kDownloads, { recursive: true, force: true }));
    return browser;
  }
  const profile = mkdtempSync(join(tmpdir(), "talveno-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.TALVENO_CHROMIUM ?? "/usr/bin/chromium",
    headless: true,
    args: [...kArgs, `--user-data-dir=${profile}`],
    ignoreDefaultArgs: scrollbars ? ["--hide-scrollbars"] : [],
    defaultViewport,
  });
  browser.once("disconnected", () => {
    try {
      rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
    } catch {
      // what the browser still writes as it ends stays behind in the temporary folder
    }
  });
  return browser;
}

// The page opened from its file, ready: the engine's module started and the window built.
export async function open(browser, { viewport } = {}) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  if (viewport) await page.setViewport(viewport);
  page.problems = [];
  page.on("pageerror", (failure) => page.problems.push(failure.message));
  await page.goto(pathToFileURL(kPage).href);
  await page.waitForFunction(() => document.documentElement.dataset.ready || document.documentElement.dataset.failed);
  const failed = await page.evaluate(() => document.documentElement.dataset.failed);
  if (failed) throw new Error(`the page failed to start: ${failed}`);
  return new Window(page, context);
}

// A test's work in a page of its own, which no script failure may have ended.
export async function inWindow(browser, body) {
  const window = await open(browser);
  try {
    await body(window);
    if (window.page.problems.length > 0) throw new Error(`script failures: ${window.page.problems.join("; ")}`);
  } finally {
    await window.close();
  }
}

// The window in the page, as a user works it.
export class Window {
  constructor(page, context) {
    this.page = page;
    this.context = context;
  }

  close() {
    return this.context.close();
  }

  // The page may read and write the clipboard (Firefox allows it for the run, by a preference).
  async allowClipboard() {
    if (kFirefox) return;
    await this.context.overridePermissions("file://", [
      "clipboard-read",
      "clipboard-write",
      "clipboard-sanitized-write",
    ]);
  }

  async click(id, options = {}) {
    await this.page.click(`#${id}`, options);
  }

  // Types into an edit box, replacing its text.
  async setText(id, text) {
    await this.page.click(`#${id}`, { count: 3 });
    await this.page.keyboard.down("Control");
    await this.page.keyboard.press("a");
    await this.page.keyboard.up("Control");
    await this.page.keyboard.press("Backspace");
    if (text) await this.page.keyboard.type(text);
  }

  async press(key, modifiers = []) {
    for (const modifier of modifiers) await this.page.keyboard.down(modifier);
    await this.page.keyboard.press(key);
    for (const modifier of [...modifiers].reverse()) await this.page.keyboard.up(modifier);
  }

  async type(text) {
    await this.page.keyboard.type(text);
  }

  text(id) {
    return this.page.$eval(`#${id}`, (element) =>
      "value" in element && element.tagName !== "BUTTON" ? element.value : element.textContent,
    );
  }

  focused() {
    return this.page.evaluate(() => {
      const element = document.activeElement;
      if (element?.classList.contains("cell-editor")) return `${element.closest(".string-grid").id}:editor`;
      if (element?.classList.contains("grid-scroller")) return element.closest(".string-grid").id;
      if (element?.type === "radio") return `${element.name}:${element.value}`;
      return element?.id || element?.className || "";
    });
  }

  shownTabs() {
    return this.page.$$eval(".tab:not([hidden])", (tabs) => tabs.map((tab) => tab.textContent));
  }

  currentPage() {
    return this.page.$eval(".tab-sheet.shown", (sheet) => sheet.id);
  }

  async clickTab(caption) {
    const tabs = await this.page.$$(".tab:not([hidden])");
    for (const tab of tabs) {
      if ((await tab.evaluate((element) => element.textContent)) === caption) return tab.click();
    }
    throw new Error(`no tab ${caption}`);
  }

  // A cell of the engine's table: 0 input, 1 result.
  cell(table, column, row) {
    return this.page.evaluate((t, c, r) => talveno.engine.session.cell(t, c, r), table, column, row);
  }

  // Cells from column 1 to `to` of a row, joined by "|".
  async row(table, row, to) {
    const cells = [];
    for (let column = 1; column <= to; column += 1) cells.push(await this.cell(table, column, row));
    return cells.join("|");
  }

  // The cell editor on a cell of the input table, by a click.
  async clickCell(grid, column, row) {
    const cell = await this.page.waitForSelector(
      `#${grid} .grid-row[data-row="${row}"] .cell[data-column="${column}"]`,
    );
    await cell.click();
  }

  async choose(group, item) {
    await this.page.click(`#${group} input[value="${item}"]`);
  }

  // Starts with a maximum data count and types rows from row 1 on, Tab from cell to cell.
  async start(count = "50") {
    await this.setText("Edit4", count);
    await this.click("BitBtn1");
    await this.idle();
  }

  async typeRows(rows, firstRow = 1) {
    await this.clickCell("StringGrid1", 1, firstRow);
    for (const cells of rows) {
      for (const text of cells) {
        await this.type(text);
        await this.press("Tab");
      }
    }
  }

  // The open message box: its title, text and buttons; null when none is open.
  box() {
    return this.page.evaluate(() => {
      const box = document.querySelector("dialog.message-box[open]");
      if (!box) return null;
      return {
        id: box.id,
        title: box.querySelector(".box-title").textContent,
        text: box.querySelector(".box-text")?.textContent ?? "",
        icon: box.querySelector(".box-icon")?.innerHTML ? true : false,
        buttons: [...box.querySelectorAll(".box-buttons button")].map((button) => button.textContent),
        focused: document.activeElement?.textContent ?? "",
      };
    });
  }

  async waitForBox() {
    await this.page.waitForSelector("dialog.message-box[open]");
    return this.box();
  }

  async waitForNoBox() {
    await this.page.waitForFunction(() => !document.querySelector("dialog.message-box[open]"));
  }

  // The box's answer by a key, waiting until the box has gone and its command ended.
  async answer(key) {
    await this.press(key);
    await this.waitForNoBox();
    await this.idle();
  }

  idle() {
    return this.page.waitForFunction(() => !talveno.form.running);
  }

  // Reads a file through a button's file chooser.
  async readFile(button, path) {
    const [chooser] = await Promise.all([this.page.waitForFileChooser(), this.click(button)]);
    await chooser.accept([path]);
    await this.page.waitForFunction(() => !talveno.form.running || document.querySelector("dialog[open]"));
  }

  // The browser's save-file picker stood in for by one that keeps the bytes written, by name.
  async keepSavedFiles(name) {
    await this.page.evaluate((chosen) => {
      window.savedFiles = {};
      window.showSaveFilePicker = async (options) => {
        window.pickerOptions = options;
        if (chosen === null) throw new DOMException("cancelled", "AbortError");
        return {
          name: chosen,
          async createWritable() {
            let parts = [];
            return {
              write: async (bytes) => {
                parts = parts.concat(Array.from(bytes));
              },
              close: async () => {
                window.savedFiles[chosen] = parts;
              },
            };
          },
        };
      };
    }, name);
  }

  async savedFile(name) {
    await this.idle();
    const bytes = await this.page.evaluate((n) => window.savedFiles?.[n] ?? null, name);
    return bytes === null ? null : Buffer.from(bytes);
  }

  // Downloads go into a folder of their own, which it answers; the page has no save-file
  // picker. Firefox keeps one folder for the run.
  async allowDownloads(folder) {
    await this.page.evaluate(() => {
      delete window.showSaveFilePicker;
      window.showSaveFilePicker = undefined;
    });
    if (kFirefox) return kDownloads;
    const session = await this.page.createCDPSession();
    await session.send("Browser.setDownloadBehavior", {
      behavior: "allow",
      downloadPath: folder,
      browserContextId: this.context.id,
    });
    return folder;
  }

  async screenshot(name) {
    mkdirSync(kShots, { recursive: true });
    await this.page.screenshot({ path: join(kShots, `${name}.png`) });
  }

  // The page as printed; puppeteer emulates the print medium through Chromium's protocol only.
  async printScreenshot(name) {
    if (kFirefox) return;
    await this.page.emulateMediaType("print");
    await this.screenshot(name);
    await this.page.emulateMediaType(null);
  }
}

// A downloaded file once the browser has written it: Chromium writes it as NAME.crdownload,
// Firefox as NAME.part beside an empty NAME.
export function waitForFile(path, timeout = 10000) {
  const until = Date.now() + timeout;
  return new Promise((resolvePromise, reject) => {
    const look = () => {
      const partial = existsSync(`${path}.crdownload`) || existsSync(`${path}.part`);
      if (existsSync(path) && !partial && statSync(path).size > 0) return resolvePromise(readFileSync(path));
      if (Date.now() > until) return reject(new Error(`no file ${path}`));
      setTimeout(look, 50);
    };
    look();
  });
}
