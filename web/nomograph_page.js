// A result row's look-up as a page: the nomograph drawn from the engine's own tables at true
// scale (a unit of x as long as a unit of y), the row's look-up over it, and its numbers beside
// it; the reason instead of the look-up for a row that has none.

import { Picture } from "./picture.js";

export const kPageWidth = 1200;
export const kPageHeight = 620;

// The page: the title on top, the plot at the left, the numbers at the right.
const kPlot = { x: 12, y: 44, width: 920, height: 564 };
const kNumbers = { x: 950, y: 44, width: 238, height: 564 };
// Room inside the plot around the nomograph for the labels and captions of the axes.
const kRoomLeft = 52;
const kRoomRight = 8;
const kRoomTop = 40;
const kRoomBottom = 52;

// The part of the plane always shown: from the penetration-index axis, left of the softest
// curve, to past the ends of both scales; from the loading-time scale up to the highest index.
const kAxisX = 1050;
const kRightX = 3350;
const kFarthestIndex = 10; // a row's index beyond this widens the curves no further
const kStepsPerIndex = 10;

const kInk = "rgb(0,0,0)";
const kGrid = "rgb(200,200,200)";
const kCurve = "rgb(160,160,160)";
const kPair = "rgb(0,90,210)";
const kLookUp = "rgb(210,0,0)";
const kLabel = "rgb(90,90,90)";

// A stiffness in Pa as a label in MPa: "0.002", "50", "2000", and "1E-10" below 0.001 MPa.
function megapascals(stiffnessPa) {
  const mpa = stiffnessPa / 1e6;
  if (mpa >= 1e-3) return String(Number(mpa.toPrecision(6)));
  const exponent = Math.floor(Math.log10(mpa) + 1e-9);
  const mantissa = Math.round(mpa / 10 ** exponent);
  return `${mantissa}E${exponent}`;
}

// "0.001" to "1000" for the decades near 1 s, "1E-6" and "1E5" beyond.
function decadeText(decade) {
  if (decade < -3 || decade > 3) return `1E${decade}`;
  return (10 ** decade).toFixed(Math.max(0, -decade));
}

// Labels along a line, each kept only where it overlaps none placed before and no mark of the
// look-up ({left, top, right, bottom}).
class LabelRow {
  constructor(marks = []) {
    this.taken = [];
    this.marks = marks;
  }

  place(from, to, top = 0, bottom = 0) {
    const gap = 4;
    if (this.taken.some(([left, right]) => from < right + gap && to > left - gap)) return false;
    const overMark = (mark) =>
      from - gap < mark.right && to + gap > mark.left && top < mark.bottom && bottom > mark.top;
    if (this.marks.some(overMark)) return false;
    this.taken.push([from, to]);
    return true;
  }
}

const kCurveLabelSize = 10;
const kRingRadius = 8;
const kLetterSize = 13;
const kLetterOffset = { x: -22, y: -8 }; // of the letter X's base line from X

// The ring drawn around X and the letter beside it, which no curve label may cover.
function ringBox(picture, reading) {
  const [x, y] = reading;
  const letter = { x: x + kLetterOffset.x, y: y + kLetterOffset.y };
  const { ascent, descent } = picture.heights(kLetterSize, true);
  return {
    left: Math.min(x - kRingRadius - 1, letter.x),
    top: Math.min(y - kRingRadius - 1, letter.y - ascent),
    right: Math.max(x + kRingRadius + 1, letter.x + picture.measure("X", kLetterSize, true)),
    bottom: Math.max(y + kRingRadius + 1, letter.y + descent),
  };
}

// A text broken into lines no wider than the room, between any two characters.
function wrapped(picture, text, size, room) {
  const lines = [];
  let line = "";
  for (const character of text) {
    if (line !== "" && picture.measure(line + character, size) > room) {
      lines.push(line);
      line = "";
    }
    line += character;
  }
  if (line !== "") lines.push(line);
  return lines;
}

// The page of a row: nomo gives the engine's tables, texts its number forms, lookUp the
// engine's look-up of the row's cells ({inputs, reading, reason}).
export function nomographPage(row, lookUp, nomo, texts) {
  const picture = new Picture(kPageWidth, kPageHeight, "#ffffff");
  const height = (index) => nomo.indexHeight(index);
  let lowestIndex = nomo.lowestIndexShown;
  let highestIndex = nomo.highestIndexShown;
  let lowestDecade = -6;
  let highestDecade = 6;
  let figure = null;
  if (lookUp.inputs && lookUp.reading) {
    const { penetrationIndex, loadingTime, temperatureDifference } = lookUp.inputs;
    const upper = lookUp.reading.upperCurve;
    figure = {
      loadingTime: { x: nomo.loadingTimeX(loadingTime), y: nomo.loadingTimeY },
      temperatureDifference: { x: nomo.differenceX(temperatureDifference), y: nomo.differenceY },
      reading: { x: lookUp.reading.x, y: height(penetrationIndex) },
      lowerCurve: upper - 1,
      upperCurve: upper,
    };
    if (Math.abs(penetrationIndex) <= kFarthestIndex) {
      lowestIndex = Math.min(lowestIndex, Math.floor(penetrationIndex));
      highestIndex = Math.max(highestIndex, Math.ceil(penetrationIndex));
    }
    const decade = Math.log10(loadingTime);
    lowestDecade = Math.max(-300, Math.min(-6, Math.floor(decade)));
    highestDecade = Math.min(300, Math.max(6, Math.ceil(decade)));
  }
  let left = kAxisX;
  let right = kRightX;
  let bottom = nomo.loadingTimeY;
  let top = height(highestIndex);
  if (figure) {
    for (const point of [figure.loadingTime, figure.temperatureDifference, figure.reading]) {
      left = Math.min(left, point.x);
      right = Math.max(right, point.x);
      bottom = Math.min(bottom, point.y);
      top = Math.max(top, point.y);
    }
  }
  const width = kPlot.width - kRoomLeft - kRoomRight;
  const plotHeight = kPlot.height - kRoomTop - kRoomBottom;
  const scale = Math.min(width / (right - left), plotHeight / (top - bottom));
  const origin = { x: kPlot.x + kRoomLeft, y: kPlot.y + kRoomTop + (plotHeight + scale * (top - bottom)) / 2 };
  const onPage = (x, y) => [origin.x + (x - left) * scale, origin.y - (y - bottom) * scale];
  const inPair = (curve) => figure !== null && (curve === figure.lowerCurve || curve === figure.upperCurve);

  // The title.
  picture.textInBox(
    { x: kPlot.x, y: 8, width: kPlot.width, height: 28 },
    "left",
    `ノモグラフによる Sbit の読み取り　No. ${row}`,
    {
      size: 18,
      bold: true,
      colour: kInk,
    },
  );

  // The penetration-index axis at the left edge, with the index levels across the plane.
  {
    const axis = onPage(left, 0)[0];
    const lowest = onPage(left, height(lowestIndex))[1];
    const highest = onPage(left, height(highestIndex))[1];
    const end = onPage(right, 0)[0];
    const spacing = (lowest - highest) / (highestIndex - lowestIndex);
    const labelStep = spacing >= 12 ? 1 : spacing >= 6 ? 2 : 5;
    for (let index = lowestIndex; index <= highestIndex; index += 1) {
      const y = onPage(left, height(index))[1];
      picture.line(axis, y, end, y, { colour: kGrid, width: 0.6, dash: true });
      picture.line(axis - 4, y, axis, y, { colour: kInk, width: 1 });
      if (index % labelStep !== 0) continue;
      picture.textInBox(
        { x: axis - 36, y: y - 8, width: 30, height: 16 },
        "right",
        index > 0 ? `+${index}` : String(index),
        {
          size: 11,
          colour: kInk,
        },
      );
    }
    picture.line(axis, lowest + 6, axis, highest - 6, { colour: kInk, width: 1.2 });
    picture.text(axis - 42, (lowest + highest) / 2, "針入度指数", {
      size: 12,
      colour: kInk,
      anchor: "middle",
      middle: true,
      rotate: -90,
    });
  }

  // The 45 stiffness curves over the index levels drawn, clipped to the plane shown, each
  // named in MPa at its upper end, else at its lower end, where a label has room.
  {
    const [frameLeft, frameTop] = onPage(left, top);
    const [frameRight, frameBottom] = onPage(right, bottom);
    const lowHeight = height(lowestIndex);
    const highHeight = height(highestIndex);
    const steps = kStepsPerIndex * (highestIndex - lowestIndex);
    picture.setClip({ x: frameLeft, y: frameTop, width: frameRight - frameLeft, height: frameBottom - frameTop });
    for (let curve = 0; curve < nomo.curveCount; curve += 1) {
      const points = [];
      for (let step = 0; step <= steps; step += 1) {
        const y = height(lowestIndex + step / kStepsPerIndex);
        points.push(onPage(nomo.curveX(curve, y), y));
      }
      picture.polyline(points, inPair(curve) ? { colour: kPair, width: 2.2 } : { colour: kCurve, width: 0.8 });
    }
    picture.setClip(null);

    // The pair's labels first, so they show where any can; none under the ring at X.
    const order = figure ? [figure.lowerCurve, figure.upperCurve] : [];
    for (let curve = 0; curve < nomo.curveCount; curve += 1) if (!order.includes(curve)) order.push(curve);
    const marks = figure ? [ringBox(picture, onPage(figure.reading.x, figure.reading.y))] : [];
    const above = new LabelRow(marks);
    const below = new LabelRow(marks);
    const aboveY = onPage(left, highHeight)[1] - 6;
    const belowY = onPage(left, lowHeight)[1] + 14;
    const { ascent, descent } = picture.heights(kCurveLabelSize);
    const placeLabel = (labels, x, y, label, colour) => {
      const labelWidth = picture.measure(label, kCurveLabelSize);
      if (!labels.place(x - labelWidth / 2, x + labelWidth / 2, y - ascent, y + descent)) return false;
      picture.text(x - labelWidth / 2, y, label, { size: kCurveLabelSize, colour, role: "curve-label" });
      return true;
    };
    for (const curve of order) {
      const colour = inPair(curve) ? kPair : kLabel;
      const label = megapascals(nomo.stiffnessPa(curve));
      const upperX = onPage(nomo.curveX(curve, highHeight), 0)[0];
      const lowerX = onPage(nomo.curveX(curve, lowHeight), 0)[0];
      const upperShown = upperX > frameLeft + 12 && upperX < frameRight - 12;
      const lowerShown = lowerX > frameLeft + 12 && lowerX < frameRight - 12;
      if (!(upperShown && placeLabel(above, upperX, aboveY, label, colour)) && lowerShown) {
        placeLabel(below, lowerX, belowY, label, colour);
      }
    }
    picture.textInBox(
      { x: frameLeft, y: aboveY - 30, width: frameRight - frameLeft, height: 16 },
      "center",
      "スティフネス（MPa）",
      {
        size: 12,
        colour: kInk,
      },
    );
  }

  // The temperature-difference scale, ticked every 10 °C, and the loading-time scale, ticked
  // at every tenth of a decade's steps, each with its caption below.
  {
    const differences = nomo.differenceXs;
    const differenceY = onPage(0, nomo.differenceY)[1];
    const pen = { colour: kInk, width: 1.2 };
    picture.line(
      ...onPage(differences[0], nomo.differenceY),
      ...onPage(differences[differences.length - 1], nomo.differenceY),
      pen,
    );
    const differenceLabels = new LabelRow();
    const placeLabel = (labels, x, y, label) => {
      const labelWidth = picture.measure(label, 10);
      if (!labels.place(x - labelWidth / 2, x + labelWidth / 2)) return;
      picture.text(x - labelWidth / 2, y, label, { size: 10, colour: kInk });
    };
    for (let i = 0; i < differences.length; i += 1) {
      const difference = 10 * (nomo.lowestDifferenceStep + i);
      const x = onPage(differences[i], 0)[0];
      const named = difference % 50 === 0;
      picture.line(x, differenceY, x, differenceY - (named ? 6 : 3), pen);
      if (named) placeLabel(differenceLabels, x, differenceY + 12, String(difference));
    }
    const differenceLeft = onPage(differences[0], 0)[0];
    const differenceRight = onPage(differences[differences.length - 1], 0)[0];
    picture.textInBox(
      { x: differenceLeft, y: differenceY + 15, width: differenceRight - differenceLeft, height: 16 },
      "center",
      "軟化点との温度差（℃）",
      { size: 12, colour: kInk },
    );

    const timeY = onPage(0, nomo.loadingTimeY)[1];
    const timeX = (decade) => onPage(nomo.loadingTimeX(10 ** decade), 0)[0];
    const first = Math.max(timeX(lowestDecade), onPage(left, 0)[0]);
    const last = Math.min(timeX(highestDecade), onPage(right, 0)[0]);
    picture.line(first, timeY, last, timeY, pen);
    const timeLabels = new LabelRow();
    for (let decade = lowestDecade; decade <= highestDecade; decade += 1) {
      for (let step = 1; step <= 9; step += 1) {
        const x = timeX(decade + Math.log10(step));
        if (x < first || x > last) continue;
        picture.line(x, timeY, x, timeY - (step === 1 ? 6 : 3), pen);
        if (step === 1) placeLabel(timeLabels, x, timeY + 12, decadeText(decade));
      }
    }
    picture.textInBox({ x: first, y: timeY + 15, width: last - first, height: 16 }, "center", "載荷時間（秒）", {
      size: 12,
      colour: kInk,
    });
  }

  // The row's look-up: the index level from the axis, the line from the loading time through
  // the temperature difference up to X; or the reason the row has none.
  if (!figure) {
    picture.textInBox(
      {
        x: kPlot.x + kRoomLeft,
        y: kPlot.y + kRoomTop,
        width: kPlot.width - kRoomLeft - kRoomRight,
        height: kPlot.height - kRoomTop - kRoomBottom,
      },
      "center",
      texts.withFullStop(lookUp.reason),
      { size: 16, colour: kLookUp },
    );
  } else {
    const time = onPage(figure.loadingTime.x, figure.loadingTime.y);
    const difference = onPage(figure.temperatureDifference.x, figure.temperatureDifference.y);
    const reading = onPage(figure.reading.x, figure.reading.y);
    const axis = [onPage(left, 0)[0], reading[1]];
    picture.line(...axis, ...reading, { colour: kLookUp, width: 1.2, dash: true });
    picture.line(...time, ...reading, { colour: kLookUp, width: 1.6 });
    for (const point of [axis, time, difference]) picture.circle(...point, 3.5, { fill: kLookUp });
    picture.circle(...reading, 4.5, { fill: kLookUp });
    picture.circle(...reading, kRingRadius, { pen: { colour: kLookUp, width: 1.4 } });
    picture.text(reading[0] + kLetterOffset.x, reading[1] + kLetterOffset.y, "X", {
      size: kLetterSize,
      bold: true,
      colour: kLookUp,
    });
  }

  // The numbers of the look-up, as the engine gave them, and what the colours mean.
  {
    picture.rect(kNumbers.x, kNumbers.y, kNumbers.width, kNumbers.height, { pen: { colour: kGrid, width: 1 } });
    const none = "—";
    const { inputs, reading } = lookUp;
    const lines = [
      ["No.", String(row)],
      ["針入度指数 PI", inputs ? texts.fixed(inputs.penetrationIndex, 2) : none],
      ["載荷時間 t（秒）", inputs ? texts.shortest(inputs.loadingTime) : none],
      ["温度差 ΔT（℃）", inputs ? texts.shortest(inputs.temperatureDifference) : none],
    ];
    if (figure) {
      lines.push(
        ["交点 X", texts.fixed(reading.x, 4)],
        ["曲線の組", `${figure.lowerCurve}, ${figure.upperCurve}`],
        [
          "　（MPa）",
          `${megapascals(nomo.stiffnessPa(figure.lowerCurve))} – ${megapascals(nomo.stiffnessPa(figure.upperCurve))}`,
        ],
        ["g", texts.fixed(reading.fraction, 5)],
        ["Sbit（MPa）", texts.exponent(reading.stiffnessMpa, 5)],
      );
    }
    const textLeft = kNumbers.x + 12;
    const textWidth = kNumbers.width - 24;
    let y = kNumbers.y + 14;
    picture.text(textLeft, y + 14, "読み取り値", { size: 14, bold: true, colour: kInk });
    y += 34;
    for (const [name, value] of lines) {
      picture.text(textLeft, y + 14, name, { size: 13, colour: kInk });
      picture.text(textLeft + textWidth, y + 14, value, { size: 13, colour: kInk, anchor: "end" });
      y += 26;
    }
    if (!figure) {
      const why = wrapped(picture, `読み取れません：${texts.withFullStop(lookUp.reason)}`, 13, textWidth);
      for (const [index, line] of why.entries()) {
        picture.text(textLeft, y + 22 + 17 * index, line, { size: 13, colour: kLookUp });
      }
    } else {
      // What makes Sbit no reading, in words.
      y += 6;
      for (const note of lookUp.notes) {
        for (const line of wrapped(picture, `${texts.extrapolationMark}${note}`, 12, textWidth)) {
          picture.text(textLeft, y + 12, line, { size: 12, colour: kLookUp, role: "extrapolation" });
          y += 15;
        }
        y += 6;
      }
      y = kNumbers.y + kNumbers.height - 56;
      for (const [colour, name] of [
        [kLookUp, "この行の読み取り線"],
        [kPair, "X を挟む曲線の組"],
      ]) {
        picture.line(textLeft, y + 9, textLeft + 28, y + 9, { colour, width: 2.2 });
        picture.text(textLeft + 36, y + 14, name, { size: 12, colour: kInk });
        y += 24;
      }
    }
  }
  return picture;
}
