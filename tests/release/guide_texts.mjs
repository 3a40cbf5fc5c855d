// The guide's PDF read back as text (poppler's pdftotext), and the program's fixed texts that it
// does not show. Node: `node guide_texts.mjs GUIDE.pdf` lists the missing ones.
import { execFileSync } from "node:child_process";
import { fileURLToPath } from "node:url";
import { compact, programTexts } from "./program_texts.mjs";

// The pages' text in the order it is drawn, without the page numbers at their feet.
export function pdfText(path) {
  const text = execFileSync("pdftotext", ["-raw", "-enc", "UTF-8", path, "-"], { maxBuffer: 64 << 20 }).toString();
  return text
    .split("\n")
    .map((line) => line.replace(/^(\f?)[ \t]*—[ \t]*\d+[ \t]*—[ \t]*$/, "$1"))
    .join("\n");
}

// The program's texts that the document's text does not hold, blanks aside.
export function missingTexts(documentText) {
  const shown = compact(documentText);
  return [...programTexts()].filter(([text]) => !shown.includes(compact(text)));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const missing = missingTexts(pdfText(process.argv[2]));
  for (const [text, paths] of missing) console.log(`${text}\t${[...paths].join(" ")}`);
  process.exitCode = missing.length > 0 ? 1 : 0;
}
