// A drawing recorded as shapes, shown as SVG in the page and drawn onto a canvas for a PNG
// image: lines, paths, rings, boxes and texts in the window's face.

import { textHeights, textWidth, windowFamily } from "./look.js";

export class Picture {
  constructor(width, height, background = null) {
    this.width = width;
    this.height = height;
    this.background = background;
    this.shapes = [];
    this.clips = [];
  }

  line(x1, y1, x2, y2, pen) {
    this.polyline(
      [
        [x1, y1],
        [x2, y2],
      ],
      pen,
    );
  }

  polyline(points, pen) {
    this.shapes.push({ kind: "path", points, pen, clip: this.clip });
  }

  // A ring or disc: pen for its outline, fill for its inside.
  circle(x, y, radius, { pen = null, fill = null } = {}) {
    this.shapes.push({ kind: "circle", x, y, radius, pen, fill, clip: this.clip });
  }

  rect(x, y, width, height, { pen = null, fill = null } = {}) {
    this.shapes.push({ kind: "rect", x, y, width, height, pen, fill, clip: this.clip });
  }

  // A text with its base line at y, starting at x ("start"), centred on it ("middle") or
  // ending there ("end"); middle: true centres it vertically on y instead.
  // A role names what the text is in the SVG (its class), for readers of the drawing.
  text(
    x,
    y,
    text,
    {
      size = 12,
      bold = false,
      italic = false,
      colour = "#000",
      anchor = "start",
      middle = false,
      rotate = 0,
      role = "",
    } = {},
  ) {
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
      middle,
      rotate,
      role,
      clip: this.clip,
    });
  }

  // A text in a box, aligned "left", "center" or "right" and centred vertically.
  textInBox(box, align, text, style = {}) {
    const x = align === "left" ? box.x : align === "right" ? box.x + box.width : box.x + box.width / 2;
    const anchor = align === "left" ? "start" : align === "right" ? "end" : "middle";
    this.text(x, box.y + box.height / 2, text, { ...style, anchor, middle: true });
  }

  // Shapes added while the clip is set are cut at its box.
  setClip(box) {
    this.clip = box;
    if (box) this.clips.push(box);
  }

  measure(text, size, bold = false) {
    return textWidth(text, size, bold);
  }

  // How far the face's texts reach above and below their base line at a size.
  heights(size, bold = false) {
    return textHeights(size, bold);
  }

  svg() {
    const family = escape(windowFamily());
    const clipIds = new Map(this.clips.map((box, index) => [box, `clip${index}`]));
    const parts = [
      `<svg xmlns="http://www.w3.org/2000/svg" width="${this.width}" height="${this.height}" ` +
        `viewBox="0 0 ${this.width} ${this.height}" font-family="${family}">`,
      "<defs>",
      ...[...clipIds].map(
        ([box, id]) =>
          `<clipPath id="${id}"><rect x="${n(box.x)}" y="${n(box.y)}" width="${n(box.width)}" height="${n(box.height)}"/></clipPath>`,
      ),
      "</defs>",
    ];
    if (this.background) parts.push(`<rect width="100%" height="100%" fill="${this.background}"/>`);
    for (const shape of this.shapes) {
      const clip = shape.clip ? ` clip-path="url(#${clipIds.get(shape.clip)})"` : "";
      parts.push(svgShape(shape, clip));
    }
    parts.push("</svg>");
    return parts.join("");
  }

  // Draws the picture scaled into a canvas's 2-D context.
  draw(context, scale = 1) {
    const family = windowFamily();
    context.save();
    context.scale(scale, scale);
    if (this.background) {
      context.fillStyle = this.background;
      context.fillRect(0, 0, this.width, this.height);
    }
    for (const shape of this.shapes) {
      context.save();
      if (shape.clip) {
        context.beginPath();
        context.rect(shape.clip.x, shape.clip.y, shape.clip.width, shape.clip.height);
        context.clip();
      }
      drawShape(context, shape, family);
      context.restore();
    }
    context.restore();
  }
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

function svgShape(shape, clip) {
  switch (shape.kind) {
    case "path":
      return (
        `<polyline points="${shape.points.map(([x, y]) => `${n(x)},${n(y)}`).join(" ")}" fill="none"` +
        `${strokeAttributes(shape.pen)}${clip}/>`
      );
    case "circle":
      return (
        `<circle cx="${n(shape.x)}" cy="${n(shape.y)}" r="${n(shape.radius)}" fill="${shape.fill ?? "none"}"` +
        `${strokeAttributes(shape.pen)}${clip}/>`
      );
    case "rect":
      return (
        `<rect x="${n(shape.x)}" y="${n(shape.y)}" width="${n(shape.width)}" height="${n(shape.height)}" ` +
        `fill="${shape.fill ?? "none"}"${strokeAttributes(shape.pen)}${clip}/>`
      );
    default: {
      const turn = shape.rotate ? ` transform="rotate(${shape.rotate} ${n(shape.x)} ${n(shape.y)})"` : "";
      return (
        `<text${shape.role ? ` class="${shape.role}"` : ""} x="${n(shape.x)}" y="${n(shape.y)}" font-size="${shape.size}"` +
        `${shape.bold ? ' font-weight="bold"' : ""}${shape.italic ? ' font-style="italic"' : ""} fill="${shape.colour}" text-anchor="${shape.anchor}"` +
        `${shape.middle ? ' dominant-baseline="central"' : ""} xml:space="preserve"${turn}${clip}>` +
        `${escape(shape.text)}</text>`
      );
    }
  }
}

function drawShape(context, shape, family) {
  const stroke = () => {
    if (!shape.pen) return;
    context.strokeStyle = shape.pen.colour;
    context.lineWidth = shape.pen.width;
    context.setLineDash(dashes(shape.pen));
    context.stroke();
  };
  switch (shape.kind) {
    case "path":
      context.beginPath();
      shape.points.forEach(([x, y], index) => (index === 0 ? context.moveTo(x, y) : context.lineTo(x, y)));
      stroke();
      break;
    case "circle":
      context.beginPath();
      context.arc(shape.x, shape.y, shape.radius, 0, 2 * Math.PI);
      if (shape.fill) {
        context.fillStyle = shape.fill;
        context.fill();
      }
      stroke();
      break;
    case "rect":
      context.beginPath();
      context.rect(shape.x, shape.y, shape.width, shape.height);
      if (shape.fill) {
        context.fillStyle = shape.fill;
        context.fill();
      }
      stroke();
      break;
    default:
      context.font = `${shape.italic ? "italic " : ""}${shape.bold ? "bold " : ""}${shape.size}px ${family}`;
      context.fillStyle = shape.colour;
      context.textAlign = shape.anchor === "middle" ? "center" : shape.anchor;
      context.textBaseline = shape.middle ? "middle" : "alphabetic";
      context.translate(shape.x, shape.y);
      if (shape.rotate) context.rotate((shape.rotate * Math.PI) / 180);
      context.fillText(shape.text, 0, 0);
  }
}
