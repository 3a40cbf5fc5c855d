// The modal boxes and the file dialogs the commands open: the information, confirmation and
// error boxes drawn in the page, the browser's file chooser for reading, and its save-file
// picker (or a download) for saving.

import { rules } from "./engine.js";
import { drawnPicture } from "./picture.js";

// One box at a time, of a kind the engine describes ("information", "confirmation" or
// "error"): its title, its icon, its buttons of which the first is the default (Enter), and the
// answer Escape or closing it stands for; the text given. The answer chosen.
function messageBox(kind, text) {
  const { title, icon, buttons, escapeAnswer } = rules().messageBox(kind);
  const box = document.getElementById("MessageBox");
  box.querySelector(".box-title").textContent = title;
  box.querySelector(".box-icon").innerHTML = icon ? drawnPicture(rules(), icon).svg() : "";
  box.querySelector(".box-text").textContent = text;
  const row = box.querySelector(".box-buttons");
  row.replaceChildren();
  for (const { caption, answer } of buttons) {
    const button = document.createElement("button");
    button.className = "push box-button";
    button.textContent = caption;
    button.value = answer;
    button.addEventListener("click", () => box.close(answer));
    row.append(button);
  }
  box.returnValue = escapeAnswer;
  return new Promise((resolve) => {
    const closed = () => {
      box.removeEventListener("close", closed);
      resolve(box.returnValue || escapeAnswer);
    };
    box.addEventListener("close", closed);
    box.showModal();
    row.firstElementChild.focus();
  });
}

// The information box: the text, OK; Enter and Escape both close it.
export const information = (text) => messageBox("information", text);

// The confirmation box: true for "OK", false for "キャンセル", Escape or closing it.
export const confirm = async (question) => (await messageBox("confirmation", question)) === "ok";

// The error box: a failure's message as shown, error icon, OK.
export const error = (message) => messageBox("error", message);

// How long a cancel waits for a file chosen after it: a browser driven by automation (Firefox
// through WebDriver BiDi) reports `cancel` before the `change` of the file it sets.
const kChoiceAfterCancel = 1000;

// The browser's file chooser, opened from the command's click: the file chosen, or null when
// the user cancels it. It must be asked for before the command waits for anything. A cancel
// stands once no file follows it within the wait, or once the user presses a key or a button.
export function chooseFileToOpen(filter) {
  const input = document.createElement("input");
  input.type = "file";
  input.accept = rules()
    .filterEntries(filter)
    .flatMap((entry) => entry.extensions.map((extension) => `.${extension}`))
    .join(",");
  return new Promise((resolve) => {
    let settled = false;
    let waiting = null;
    const userBack = () => settle(null);
    const settle = (file) => {
      if (settled) return;
      settled = true;
      clearTimeout(waiting);
      document.removeEventListener("pointerdown", userBack, true);
      document.removeEventListener("keydown", userBack, true);
      resolve(file);
    };
    input.addEventListener("change", () => settle(input.files[0] ?? null));
    input.addEventListener("cancel", () => {
      if (settled || waiting !== null) return;
      waiting = setTimeout(userBack, kChoiceAfterCancel);
      document.addEventListener("pointerdown", userBack, true);
      document.addEventListener("keydown", userBack, true);
    });
    input.click();
  });
}

// A browser's failure to read or write a file as the system error a desktop meets, named as
// POSIX names it; the engine gives its message.
function systemError(failure) {
  const errors = {
    NotFoundError: "ENOENT",
    NotReadableError: "EACCES",
    NotAllowedError: "EACCES",
    SecurityError: "EACCES",
    QuotaExceededError: "ENOSPC",
  };
  return Object.assign(new Error(failure?.message ?? String(failure)), {
    systemError: errors[failure?.name] ?? "EIO",
  });
}

// The engine's module holds at most 2 GiB, the bytes of a file read among them; browsers
// refuse to read larger files into memory at all.
const kLargestFileRead = 2 ** 31;

// Whether an error says that there is no memory for what a command needs (a file too large for
// the page, an array buffer the browser did not give), rather than a fault of the program.
export function isAllocationFailure(failure) {
  return failure?.outOfMemory === true || (failure instanceof RangeError && /alloc|memory/i.test(failure.message));
}

// The bytes of a chosen file.
export async function fileBytes(file) {
  if (file.size >= kLargestFileRead)
    throw Object.assign(new Error(`${file.name}: ${file.size} bytes`), { outOfMemory: true });
  try {
    return new Uint8Array(await file.arrayBuffer());
  } catch (failure) {
    if (isAllocationFailure(failure)) throw failure;
    throw systemError(failure);
  }
}

// The in-page save box, where the browser has no save-file picker: the name typed (the
// default extension added), or null when cancelled.
function saveBox(dialog) {
  const box = document.getElementById("SaveBox");
  const name = box.querySelector(".save-name");
  name.value = dialog.fileName;
  box.querySelector(".save-filter").textContent = rules()
    .filterEntries(dialog.filter)
    .map((entry) => entry.description)
    .join("  ");
  const buttons = [...box.querySelectorAll(".box-button")];
  return new Promise((resolve) => {
    const answer = (value) => {
      for (const button of buttons) button.onclick = null;
      name.onkeydown = null;
      box.close(value);
    };
    for (const button of buttons) button.onclick = () => answer(button.value);
    name.onkeydown = (event) => {
      if (event.key === "Enter") {
        event.preventDefault();
        answer("ok");
      }
    };
    const closed = () => {
      box.removeEventListener("close", closed);
      const typed = name.value.trim();
      resolve(box.returnValue === "ok" && typed ? rules().withDefaultExtension(typed, dialog.defaultExtension) : null);
    };
    box.returnValue = "cancel";
    box.addEventListener("close", closed);
    box.showModal();
    name.focus();
    name.select();
  });
}

// A place to save into: {name, write(bytes)}, or null when the user cancels. The browser's
// save-file picker where it has one, else the save box and a download. It must be asked for
// before the command waits for anything.
export async function chooseFileToSave(dialog) {
  if (typeof window.showSaveFilePicker === "function") {
    const types = rules()
      .filterEntries(dialog.filter)
      .filter((entry) => entry.extensions.length > 0)
      .map((entry) => ({
        description: entry.description,
        accept: { "application/octet-stream": entry.extensions.map((extension) => `.${extension}`) },
      }));
    let handle;
    try {
      handle = await window.showSaveFilePicker({
        suggestedName: dialog.fileName || undefined,
        types,
      });
    } catch (failure) {
      if (failure?.name === "AbortError") return null;
      throw failure;
    }
    return {
      name: handle.name,
      async write(bytes) {
        try {
          const writable = await handle.createWritable();
          await writable.write(bytes);
          await writable.close();
        } catch (failure) {
          throw systemError(failure);
        }
      },
    };
  }
  const name = await saveBox(dialog);
  if (name === null) return null;
  return {
    name,
    async write(bytes) {
      const link = document.createElement("a");
      link.href = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
      link.download = name;
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    },
  };
}
