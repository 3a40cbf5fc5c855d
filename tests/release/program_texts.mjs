// The fixed texts the program can show, read from its own sources: every Japanese text of the
// engine, the window, the page and the executables (messages, notes, questions, captions,
// headers, help texts), and the English messages and usage of the two commands. A text that is
// put together at run time gives its fixed parts: the pieces between its placeholders and
// between the values joined to it. Node: `node program_texts.mjs` lists them.
import { readdirSync, readFileSync, statSync } from "node:fs";
import { dirname, join, relative, resolve } from "node:path";
import { fileURLToPath } from "node:url";

export const kRoot = resolve(dirname(fileURLToPath(import.meta.url)), "../..");

// The program's source folders; the tests, benchmarks and scripts show nothing to a user.
const kFolders = [
  "app",
  "core",
  "disk",
  "formats",
  "module",
  "posix",
  "print",
  "qt_paint",
  "tables",
  "ui",
  "web",
  "window",
];
// The CP932 table is data, and the icon drawer runs at build time only.
const kSkipped = new Set(["core/cp932_table.cpp", "app/icon_files.cpp"]);
// The commands' own English texts: their usage, usage errors and reports.
const kCommandFolder = "app/";

const kJapanese = /[\u3000-\u30ff\u3400-\u9fff\uff00-\uffef℃■※〜]/u;

function* sourceFiles(folder) {
  for (const name of readdirSync(join(kRoot, folder)).sort()) {
    const path = join(folder, name);
    if (statSync(join(kRoot, path)).isDirectory()) yield* sourceFiles(path);
    else if (/\.(cpp|h|js|html)$/.test(name) && !kSkipped.has(path)) yield path;
  }
}

function unescaped(body) {
  return body.replace(/\\(x[0-9a-fA-F]{2}|u[0-9a-fA-F]{4}|.)/g, (_, code) => {
    if (code[0] === "x" || code[0] === "u") return String.fromCharCode(parseInt(code.slice(1), 16));
    return { n: "\n", r: "\r", t: "\t", 0: "\0" }[code] ?? code;
  });
}

// The string literals of C++ or JavaScript source, comments left out; literals with nothing but
// blanks between them are one text, as in C++; a template literal's substitutions count as
// placeholders.
function literals(source) {
  const found = [];
  const token = /\/\/[^\n]*|\/\*[\s\S]*?\*\/|'(?:[^'\\\n]|\\.)*'|"((?:[^"\\\n]|\\.)*)"|`((?:[^`\\]|\\.)*)`/g;
  let end = -1;
  for (const match of source.matchAll(token)) {
    if (match[1] !== undefined) {
      const text = unescaped(match[1]);
      if (end >= 0 && /^\s*$/.test(source.slice(end, match.index))) found[found.length - 1] += text;
      else found.push(text);
      end = match.index + match[0].length;
      continue;
    }
    end = -1;
    if (match[2] !== undefined) found.push(unescaped(match[2].replace(/\$\{[^}]*\}/g, "\0")));
  }
  return found;
}

// The texts between the tags of a page, entities read.
function pageTexts(source) {
  const body = source.replace(/<!--[\s\S]*?-->/g, "").replace(/<(script|style)[\s\S]*?<\/\1>/g, "");
  return [...body.matchAll(/>([^<]+)</g)].map((match) =>
    match[1].replace(/&#x([0-9a-f]+);/gi, (_, code) => String.fromCodePoint(parseInt(code, 16))),
  );
}

// Where a text is cut into its fixed parts: line breaks and other control characters,
// placeholders (%s, %d, %1, %lld, %%) and the bars of file dialog filters.
// eslint-disable-next-line no-control-regex -- the control characters are what cuts
const kCuts = /[\0-\x1f|]|%(?:l{0,2}[sd]|\d|%)/;

// The fixed parts of a text, each trimmed.
function parts(text) {
  return text
    .split(kCuts)
    .map((part) => part.trim())
    .filter((part) => part.length > 0);
}

// Whether a part is a text a user reads: Japanese anywhere, or from the commands two English
// words or more.
function shown(part, path) {
  if (kJapanese.test(part)) return true;
  return path.startsWith(kCommandFolder) && /[A-Za-z][A-Za-z'-]* +[A-Za-z0-9(]/.test(part);
}

// Every fixed part with the files it comes from, in the order of first appearance.
export function programTexts() {
  const texts = new Map();
  for (const folder of kFolders) {
    for (const path of sourceFiles(folder)) {
      const source = readFileSync(join(kRoot, path), "utf8");
      const found = path.endsWith(".html") ? pageTexts(source) : literals(source);
      for (const part of found.flatMap(parts)) {
        if (!shown(part, path)) continue;
        if (!texts.has(part)) texts.set(part, new Set());
        texts.get(part).add(relative(kRoot, join(kRoot, path)));
      }
    }
  }
  return texts;
}

// A text as compared with a document's text: without any blank, since a document breaks and
// spaces its lines as it likes.
export function compact(text) {
  return text.replace(/\s+/gu, "");
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  for (const [text, paths] of programTexts()) console.log(`${text}\t${[...paths].join(" ")}`);
}
