// Linting of the page's modules and of the scripts and tests that run under node.
import js from "@eslint/js";
import globals from "globals";

export default [
  { ignores: ["build*/", "node_modules/"] },
  js.configs.recommended,
  {
    files: ["web/**/*.js"],
    languageOptions: { sourceType: "module", globals: globals.browser },
  },
  {
    // Functions the tests hand to the page see its own objects: the page's window and axe-core.
    files: ["**/*.mjs"],
    languageOptions: {
      sourceType: "module",
      globals: { ...globals.node, ...globals.browser, talveno: "readonly", axe: "readonly" },
    },
  },
  {
    files: ["tests/module/*.js", "tests/equivalence/*.js", "bench/*.js"],
    languageOptions: { sourceType: "commonjs", globals: globals.node },
  },
  {
    rules: {
      "no-unused-vars": ["error", { args: "none", caughtErrors: "none" }],
      // The interface's Japanese texts hold ideographic spaces.
      "no-irregular-whitespace": ["error", { skipStrings: true, skipComments: true, skipTemplates: true }],
    },
  },
];
