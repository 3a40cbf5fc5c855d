// Makes the one self-contained page: web/talveno.html with the window's controls written from
// the window's layout in the engine's module, its style sheet, the engine's module and the
// page's JavaScript modules inlined, so that it opens from a disk or a shared folder with no
// server and no network (a browser loads no module file from file://).
//
// Usage: node scripts/inline-web.mjs WEB_FOLDER ENGINE_JS OUTPUT_HTML
//
// Each module becomes a function that returns its exports, called once in the order of its
// imports; an import becomes a constant taken from the module it names. Only what the page's
// modules use is taken: named imports and exports of declarations, from "./name.js".
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { join, resolve } from "node:path";
import * as acorn from "/usr/share/nodejs/acorn/dist/acorn.mjs";
import { controlsHtml, popupMenuHtml } from "./window-controls.mjs";

const [webFolder, engineFile, output] = process.argv.slice(2);
if (!output) {
  console.error("usage: inline-web.mjs WEB_FOLDER ENGINE_JS OUTPUT_HTML");
  process.exit(2);
}

function fail(message) {
  console.error(`inline-web: ${message}`);
  process.exit(1);
}

// A module's code as a function body, with the modules it imports.
function translate(name) {
  const source = readFileSync(join(webFolder, name), "utf8");
  const program = acorn.parse(source, { ecmaVersion: "latest", sourceType: "module" });
  const edits = [];
  const imports = [];
  const exports = [];
  for (const node of program.body) {
    if (node.type === "ImportDeclaration") {
      const from = node.source.value;
      if (!/^\.\/[\w-]+\.js$/.test(from)) fail(`${name}: import from ${from}`);
      const imported = from.slice(2);
      imports.push(imported);
      const parts = node.specifiers.map((specifier) => {
        if (specifier.type === "ImportNamespaceSpecifier") return null;
        if (specifier.type !== "ImportSpecifier") fail(`${name}: default import from ${from}`);
        const outer = specifier.imported.name;
        const inner = specifier.local.name;
        return outer === inner ? outer : `${outer}: ${inner}`;
      });
      const namespace = node.specifiers.find((specifier) => specifier.type === "ImportNamespaceSpecifier");
      const text = namespace
        ? `const ${namespace.local.name} = modules[${JSON.stringify(imported)}];`
        : `const { ${parts.join(", ")} } = modules[${JSON.stringify(imported)}];`;
      edits.push([node.start, node.end, text]);
    } else if (node.type === "ExportNamedDeclaration") {
      if (node.source) fail(`${name}: re-export`);
      const declaration = node.declaration;
      if (!declaration) {
        for (const specifier of node.specifiers) exports.push([specifier.exported.name, specifier.local.name]);
        edits.push([node.start, node.end, ""]);
        continue;
      }
      if (declaration.type === "VariableDeclaration") {
        if (declaration.kind !== "const") fail(`${name}: exported ${declaration.kind}`);
        for (const variable of declaration.declarations) exports.push([variable.id.name, variable.id.name]);
      } else {
        exports.push([declaration.id.name, declaration.id.name]);
      }
      edits.push([node.start, declaration.start, ""]);
    } else if (node.type === "ExportDefaultDeclaration" || node.type === "ExportAllDeclaration") {
      fail(`${name}: ${node.type}`);
    }
  }
  let code = source;
  for (const [start, end, text] of edits.sort((a, b) => b[0] - a[0])) {
    code = code.slice(0, start) + text + code.slice(end);
  }
  const returned = exports.map(([outer, inner]) => (outer === inner ? outer : `${outer}: ${inner}`));
  return { imports, code: `${code}\nreturn { ${returned.join(", ")} };` };
}

// The modules from main.js on, each after those it imports.
const order = [];
const translated = new Map();
function visit(name, path) {
  if (translated.has(name)) return;
  if (path.includes(name)) fail(`import cycle: ${[...path, name].join(" -> ")}`);
  const module = translate(name);
  for (const imported of module.imports) visit(imported, [...path, name]);
  translated.set(name, module);
  order.push(name);
}
visit("main.js", []);

const bundle = [
  '"use strict";',
  "(() => {",
  "const modules = {};",
  ...order.map((name) => `modules[${JSON.stringify(name)}] = (() => {\n${translated.get(name).code}\n})();`),
  "})();",
].join("\n");

// Inline script text must not end its element early.
function scriptText(code, what) {
  const text = code.replace(/<\/(script)/gi, "<\\/$1");
  if (/<!--|<script/i.test(text)) fail(`${what} holds "<!--" or "<script"`);
  return text;
}

let page = readFileSync(join(webFolder, "talveno.html"), "utf8");
const controlsPlace = "<!-- The window's controls, written from the window's layout when the page is built. -->";
const menuPlace = "<!-- The result table's context menu, written from the window's layout when the page is built. -->";
if (!page.includes(controlsPlace) || !page.includes(menuPlace)) fail("talveno.html lacks the place of its controls");
const module = await createRequire(import.meta.url)(resolve(engineFile))();
const form = new module.Form();
const layout = module.windowLayout();
page = page.replace(controlsPlace, () => controlsHtml(layout, form.pages()));
page = page.replace(menuPlace, () => popupMenuHtml(layout));
form.delete();
const styleLink = '<link rel="stylesheet" href="talveno.css">';
const moduleScript = '<script type="module" src="main.js"></script>';
if (!page.includes(styleLink) || !page.includes(moduleScript)) fail("talveno.html lacks its style or script");
const style = readFileSync(join(webFolder, "talveno.css"), "utf8");
const engine = readFileSync(engineFile, "utf8");
page = page.replace(styleLink, () => `<style>\n${style}</style>`);
page = page.replace(
  moduleScript,
  () =>
    `<script>\n${scriptText(engine, "the engine")}\n</script>\n<script>\n${scriptText(bundle, "the page")}\n</script>`,
);
writeFileSync(output, page);
console.log(`${output}: ${page.length} characters, ${order.length} modules`);
