// The window's controls as the page's HTML, written from the window's layout in the engine's
// module (windowLayout) and from the pages a new window shows (Form's pages): each control
// placed as left, top, width x height within its parent. The controls of a parent stand in
// their focus order, those that take no focus first, since the Tab key follows the order of the
// page; which of them lies on top is the style sheet's.

function escaped(text) {
  return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/"/g, "&quot;");
}

function placed(control, sized = true) {
  const size = sized ? `;width:${control.width}px;height:${control.height}px` : "";
  return `style="left:${control.left}px;top:${control.top}px${size}"`;
}

const kCursorClasses = { Arrow: "", PointingHand: " pointing", Help: " help" };
const kLabelClasses = { Large: " large", Red: " red" };

export function controlsHtml(layout, pages) {
  const childrenOf = (parent) =>
    layout.controls.filter((control) => control.parent === parent).sort((a, b) => a.focus - b.focus);
  const inside = (control) => childrenOf(control.name).map(html).join("\n");
  const sheets = (control) => childrenOf(control.name);

  function html(control) {
    const id = `id="${control.name}"`;
    const text = escaped(control.text);
    const described = `aria-label="${escaped(control.description)}"`;
    switch (control.kind) {
      case "PageControl": {
        const tabs = sheets(control).map((sheet, index) => {
          const selected = index === pages.current ? " selected" : "";
          const hidden = pages.tabShown[index] ? "" : " hidden";
          const caption = escaped(sheet.text);
          return `<div class="tab${selected}" role="tab" id="Tab${index + 1}" data-page="${sheet.name}"${hidden}>${caption}</div>`;
        });
        const pagesHtml = sheets(control).map((sheet, index) => {
          const shown = index === pages.current ? " shown" : "";
          return `<div id="${sheet.name}" class="tab-sheet${shown}" role="tabpanel">\n${inside(sheet)}\n</div>`;
        });
        return [
          `<div ${id} class="page-control" ${placed(control)}>`,
          `<div class="tab-row" id="TabRow" role="tablist">\n${tabs.join("\n")}\n</div>`,
          `<div class="page-frame">\n${pagesHtml.join("\n")}\n</div>\n</div>`,
        ].join("\n");
      }
      case "PushButton":
        return `<button ${id} class="push${kCursorClasses[control.cursor]}" data-room="${control.room}" ${placed(control)}>${text}</button>`;
      case "Image":
        return `<div ${id} class="image${control.look === "Centred" ? " centred" : ""}" ${placed(control)}></div>`;
      case "Panel":
        return `<div ${id} class="plain-panel" ${placed(control)}>\n${inside(control)}\n</div>`;
      case "FramedPanel":
        return `<div ${id} class="framed-panel" ${placed(control)}>${inside(control)}</div>`;
      case "GroupBox":
      case "RadioGroup": {
        const silver = control.look === "Silver" ? " silver" : "";
        const radio = control.kind === "RadioGroup";
        const items = control.items.map((item, index) => {
          const top = layout.radioItemTop + index * layout.radioItemHeight;
          const checked = index === 0 ? " checked" : "";
          return `<label class="radio-item" style="top:${top}px"><input type="radio" name="${control.name}" value="${index}"${checked}><span>${escaped(item)}</span></label>`;
        });
        const role = radio ? ` role="radiogroup"` : "";
        const title = `<span class="group-title">${text}</span>`;
        const content = radio ? items.join("\n") : inside(control);
        return `<div ${id} class="group${silver}${radio ? " radio-group" : ""}"${role} ${placed(control)}>\n${title}\n${content}\n</div>`;
      }
      case "Edit": {
        const value = control.text ? ` value="${text}"` : "";
        return `<input ${id} class="edit" type="text"${value} ${described} autocomplete="off" spellcheck="false" ${placed(control)}>`;
      }
      case "Label": {
        const fitted = control.fontOf
          ? ` data-font-of="${control.fontOf}"`
          : control.room > 0
            ? ` data-room="${control.room}"`
            : "";
        return `<span ${id} class="label${kLabelClasses[control.look] ?? ""}"${fitted} ${placed(control, false)}>${text}</span>`;
      }
      case "FileNameBox":
        return `<textarea ${id} class="memo light3d" ${described} readonly spellcheck="false" ${placed(control)}>${text}</textarea>`;
      case "EditableGrid":
      case "ReadOnlyGrid": {
        const editable = control.kind === "EditableGrid" ? " editable" : "";
        return `<div ${id} class="string-grid${editable}" ${placed(control)}></div>`;
      }
      default:
        throw new Error(`${control.name}: no HTML for a ${control.kind}`);
    }
  }

  return childrenOf(layout.window).map(html).join("\n");
}

// The result table's context menu, each item with the keys that do the same beside it.
export function popupMenuHtml(layout) {
  const items = layout.popupMenu.map(({ name, text, keys }) =>
    name
      ? `  <div class="menu-item" role="menuitem" id="${name}"><span>${escaped(text)}</span><span class="keys">${escaped(keys)}</span></div>`
      : '  <div class="menu-separator" role="separator"></div>',
  );
  return ['<div id="PopupMenu1" class="popup-menu" role="menu" tabindex="-1" hidden>', ...items, "</div>"].join("\n");
}
