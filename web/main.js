// The program's start: the engine's module, then the window with its pages, the start page in
// front.
import { openEngine } from "./engine.js";
import { TForm1 } from "./form.js";
import { offerGuide } from "./guide.js";

async function start() {
  const engine = await openEngine();
  performance.mark("talveno-engine");
  const form = new TForm1(engine);
  offerGuide(engine.windowTexts);
  // What the browser tests reach the window through, beside its controls.
  globalThis.talveno = { form, engine };
  performance.mark("talveno-ready");
  document.documentElement.dataset.ready = "1";
}

start().catch((failure) => {
  document.documentElement.dataset.failed = String(failure?.message ?? failure);
  throw failure;
});
