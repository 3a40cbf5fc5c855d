// The window's drawings in the page. The engine draws each on a picture, which records what it
// is given, measures texts in the window's face for it, and shows the shapes as SVG: in the page,
// in print, and drawn onto a canvas for a PNG image.

import { textHeights, textWidth, windowFamily } from "./look.js";

export class Picture {
  constructor(width, height) {
    this.width = width;
    this.height = height;
    this.shapes = [];
    this.clips = [];
    this.clipBox = null;
  }

  // points: x, y, x, y, ...
  polyline(points, pen) {
    this.shapes.push({ kind: "path", points: [...points], pen, clip: this.clipBox });
  }

  // A ring or disc: outline a pen, fill a colour, either null.
  circle(x, y, radius, outline, fill) {
    this.shapes.push({ kind: "circle", x, y, radius, pen: outline, fill, clip: this.clipBox });
  }

  rectangle(x, y, width, height, outline, fill, corner) {
    this.shapes.push({ kind: "rect", x, y, width, height, corner, pen: outline, fill, clip: this.clipBox });
  }

  // A text with its base line through (x, y), anchored there at its "start", "middle" or
  // "end", turned about it by rotate degrees. A role names what the text is in the SVG (its
  // class), for readers of the drawing.
  text(x, y, text, { size, bold, italic, colour, anchor, rotate, role }) {
    this.shapes.push({
      kind: "text",
      x,
      y,
      text,
      size,
      bold,
      italic,
      colour,
      anchor,
      rotate,
      role,
      clip: this.clipBox,
    });
  }

  // Shapes added while the clip is set are cut at its box ({x, y, width, height}); null clears it.
  clip(box) {
    this.clipBox = box;
    if (box) this.clips.push(box);
  }

  // How far a text reaches along its base line, and the face's reach above and below it.
  measure(text, size, bold, italic) {
    return { width: textWidth(text, size, bold, italic), ...textHeights(size, bold) };
  }

  // The picture as an SVG document, shown scale times its own size.
  svg(scale = 1) {
    const family = escape(windowFamily());
    const clipIds = new Map(this.clips.map((box, index) => [box, `clip${index}`]));
    const parts = [
      `<svg xmlns="http://www.w3.org/2000/svg" width="${this.width * scale}" height="${this.height * scale}" ` +
        `viewBox="0 0 ${this.width} ${this.height}" font-family="${family}">`,
      "<defs>",
      ...[...clipIds].map(
        ([box, id]) =>
          `<clipPath id="${id}"><rect x="${n(box.x)}" y="${n(box.y)}" width="${n(box.width)}" height="${n(box.height)}"/></clipPath>`,
      ),
      "</defs>",
    ];
    for (const shape of this.shapes) {
      const clip = shape.clip ? ` clip-path="url(#${clipIds.get(shape.clip)})"` : "";
      parts.push(svgShape(shape, clip));
    }
    parts.push("</svg>");
    return parts.join("");
  }
}

// A picture of the window drawn by the engine's module: "schematic", "logo", "icon", or a
// message box's icon, "question" or "error".
export function drawnPicture(module, name) {
  const { width, height } = module.pictureSize(name);
  const picture = new Picture(width, height);
  module.drawPicture(name, picture);
  return picture;
}

// The nomograph view's page of a result row, from the engine's look-up of its cells.
export function nomographPicture(module, row, lookUp) {
  const { width, height } = module.nomographPageSize();
  const picture = new Picture(width, height);
  module.drawNomographPage(row, lookUp, picture);
  return picture;
}

// The curves view's page of the engine's view of a row's curves.
export function curvesPicture(module, curves) {
  const { width, height } = module.curvesPageSize();
  const picture = new Picture(width, height);
  module.drawCurvesPage(curves, picture);
  return picture;
}

function n(value) {
  return Number(value.toFixed(2)).toString();
}

function escape(text) {
  return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
}

// Qt's dash line: dashes four pen widths long with gaps of two.
function dashes(pen) {
  return pen.dash ? [4 * pen.width, 2 * pen.width] : [];
}

function strokeAttributes(pen) {
  if (!pen) return ' stroke="none"';
  const dash = dashes(pen);
  return (
    ` stroke="${pen.colour}" stroke-width="${n(pen.width)}"` +
    (dash.length ? ` stroke-dasharray="${dash.map(n).join(" ")}"` : "")
  );
}

function pairs(points) {
  const all = [];
  for (let i = 0; i < points.length; i += 2) all.push(`${n(points[i])},${n(points[i + 1])}`);
  return all.join(" ");
}

function svgShape(shape, clip) {
  switch (shape.kind) {
    case "path":
      return `<polyline points="${pairs(shape.points)}" fill="none"${strokeAttributes(shape.pen)}${clip}/>`;
    case "circle":
      return (
        `<circle cx="${n(shape.x)}" cy="${n(shape.y)}" r="${n(shape.radius)}" fill="${shape.fill ?? "none"}"` +
        `${strokeAttributes(shape.pen)}${clip}/>`
      );
    case "rect":
      return (
        `<rect x="${n(shape.x)}" y="${n(shape.y)}" width="${n(shape.width)}" height="${n(shape.height)}"` +
        `${shape.corner ? ` rx="${n(shape.corner)}"` : ""} fill="${shape.fill ?? "none"}"${strokeAttributes(shape.pen)}${clip}/>`
      );
    default: {
      const turn = shape.rotate ? ` transform="rotate(${shape.rotate} ${n(shape.x)} ${n(shape.y)})"` : "";
      return (
        `<text${shape.role ? ` class="${shape.role}"` : ""} x="${n(shape.x)}" y="${n(shape.y)}" font-size="${shape.size}"` +
        `${shape.bold ? ' font-weight="bold"' : ""}${shape.italic ? ' font-style="italic"' : ""} fill="${shape.colour}" text-anchor="${shape.anchor}"` +
        ` xml:space="preserve"${turn}${clip}>${escape(shape.text)}</text>`
      );
    }
  }
}
