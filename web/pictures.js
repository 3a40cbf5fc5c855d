// The window's pictures: the schematic of the Van der Poel nomograph on the start page, drawn
// from the engine's own scales and curves; the logo; the window icon.

import { Picture } from "./picture.js";

const kWidth = 775;
const kHeight = 312;
const kField = "rgb(191,191,191)";
const kLine = "#ffffff";
const kYellow = "#ffff00";

// The picture keeps clear of the logo and the settings that lie over its right part: the grid
// and the scales end left of them.
//
// The penetration-index levels drawn in the grid, the parts of the two scales drawn, and the
// reading shown.
const kLowestIndex = -3;
const kHighestIndex = 3;
const kHighestDifferenceShown = 150; // °C; the scale runs on to 200
const kLowestTimeDecade = -3; // 0.001 s
const kHighestTimeDecade = 1; // 10 s
const kShownIndex = 0;
const kShownLoadingTime = 0.02; // s
const kShownDifference = 40; // °C

// Picture rows of the index levels and of the loading-time scale. The temperature-difference
// scale lies between the index-0 level and the loading-time scale in the ratio of their
// heights in the nomograph, so the drawn stiffness line passes through the point read.
const kTopLevelRow = 34;
const kRowsPerIndex = 15;
const kLoadingTimeRow = 282;

// Nomograph x to picture column: one linear map for the grid and both scales, so the line
// through the two scale points stays straight up to its reading point.
const kLeftX = 1750;
const kRightX = 3050;
const kLeftColumn = 62;
const kRightColumn = 560;
const kAxisColumn = 56; // the penetration-index axis, at the grid's left end
const kGridRight = 570;
const kCurveSteps = 60;

function column(x) {
  return kLeftColumn + ((x - kLeftX) * (kRightColumn - kLeftColumn)) / (kRightX - kLeftX);
}

function indexRow(pi) {
  return kTopLevelRow + (kHighestIndex - pi) * kRowsPerIndex;
}

function stepIndex(step) {
  return kLowestIndex + ((kHighestIndex - kLowestIndex) * step) / kCurveSteps;
}

// "0.001" .. "1000": a decade of stiffness in MPa.
function decadeText(decade) {
  return (10 ** decade).toFixed(Math.max(0, -decade));
}

export function nomographSchematic(nomo) {
  const picture = new Picture(kWidth, kHeight, kField);
  const curveX = (curve, pi) => nomo.curveX(curve, nomo.indexHeight(pi));
  const temperatureRow = () => {
    const above = nomo.indexHeight(kShownIndex) - nomo.differenceY;
    const below = nomo.differenceY - nomo.loadingTimeY;
    return (indexRow(kShownIndex) * below + kLoadingTimeRow * above) / (above + below);
  };
  // The fan: curves that run one way, left or right, as the index rises. The few fitted
  // curves that bend back within the drawn levels would only blur the schematic.
  const fans = (curve) => {
    let leftward = 0;
    let rightward = 0;
    for (let step = 1; step <= kCurveSteps; step += 1) {
      const shift = curveX(curve, stepIndex(step)) - curveX(curve, stepIndex(step - 1));
      if (shift < 0) leftward += 1;
      else rightward += 1;
    }
    return leftward === 0 || rightward === 0;
  };

  // The grid: the index axis and levels, the fan of curves, the decades named above them.
  picture.line(kAxisColumn, indexRow(kHighestIndex) - 6, kAxisColumn, indexRow(kLowestIndex) + 6, {
    colour: kLine,
    width: 1,
  });
  for (let pi = kLowestIndex; pi <= kHighestIndex; pi += 1) {
    const row = indexRow(pi);
    picture.line(kAxisColumn, row, kGridRight, row, { colour: kLine, width: 0.6 });
    picture.textInBox(
      { x: kAxisColumn - 30, y: row - 7, width: 24, height: 14 },
      "right",
      pi > 0 ? `+${pi}` : String(pi),
      {
        size: 10,
        colour: kLine,
      },
    );
  }
  picture.setClip({ x: kAxisColumn, y: 0, width: kGridRight - kAxisColumn, height: kHeight });
  const fanning = [];
  for (let curve = 0; curve < nomo.curveCount; curve += 1) {
    fanning.push(fans(curve));
    if (!fanning[curve]) continue;
    const points = [];
    for (let step = 0; step <= kCurveSteps; step += 1) {
      points.push([column(curveX(curve, stepIndex(step))), indexRow(stepIndex(step))]);
    }
    picture.polyline(points, { colour: kLine, width: 0.8 });
  }
  picture.setClip(null);
  let freeFrom = kAxisColumn;
  for (let curve = 0; curve < nomo.curveCount; curve += 1) {
    const decade = Math.log10(nomo.stiffnessPa(curve) / 1e6);
    if (decade < -3 || Math.abs(decade - Math.round(decade)) > 1e-9 || !fanning[curve]) continue;
    const label = decadeText(Math.round(decade));
    const width = picture.measure(label, 10);
    const x = column(curveX(curve, kHighestIndex)) - width / 2;
    if (x < freeFrom || x + width > kGridRight) continue;
    picture.text(x, indexRow(kHighestIndex) - 6, label, { size: 10, colour: kLine });
    freeFrom = x + width + 6;
  }
  // The caption of the penetration-index axis, one character under another.
  let y = indexRow(kHighestIndex) + 14;
  for (const character of "針入度指数") {
    picture.text(14, y, character, { size: 12, colour: kLine, anchor: "middle" });
    y += 14;
  }
  picture.textInBox(
    { x: kAxisColumn, y: 1, width: kGridRight - kAxisColumn, height: 14 },
    "center",
    "スティフネス（MPa）",
    {
      size: 12,
      colour: kLine,
    },
  );

  // The scales, each with its caption centred below the part from captionFrom to its end.
  const scale = (row, first, last, captionFrom, caption) => {
    picture.line(first, row, last, row, { colour: kLine, width: 1.2 });
    picture.textInBox({ x: captionFrom, y: row + 14, width: last - captionFrom, height: 14 }, "center", caption, {
      size: 12,
      colour: kLine,
    });
  };
  const tRow = temperatureRow();
  const differences = nomo.differenceXs;
  const shownSteps = kHighestDifferenceShown / 10 - nomo.lowestDifferenceStep;
  // Its caption keeps right of the reading's line, which crosses the scale near 40 °C.
  const captionStep = (kShownDifference + 20) / 10 - nomo.lowestDifferenceStep;
  scale(
    tRow,
    column(differences[0]),
    column(differences[shownSteps]),
    column(differences[captionStep]),
    "軟化点との温度差（℃）",
  );
  for (let i = 0; i <= shownSteps; i += 1) {
    const difference = 10 * (nomo.lowestDifferenceStep + i);
    const x = column(differences[i]);
    // -50 would crowd -100 and 0 where the scale is narrow.
    const named = difference % 50 === 0 && difference !== -50;
    picture.line(x, tRow, x, tRow - (named ? 5 : 3), { colour: kLine, width: 1.2 });
    if (named) {
      picture.textInBox({ x: x - 20, y: tRow + 1, width: 40, height: 12 }, "center", String(difference), {
        size: 10,
        colour: kLine,
      });
    }
  }
  const first = column(nomo.loadingTimeX(10 ** kLowestTimeDecade));
  const last = column(nomo.loadingTimeX(10 ** kHighestTimeDecade));
  scale(kLoadingTimeRow, first, last, first, "載荷時間（秒）");
  for (let decade = kLowestTimeDecade; decade <= kHighestTimeDecade; decade += 1) {
    const x = column(nomo.loadingTimeX(10 ** decade));
    picture.line(x, kLoadingTimeRow, x, kLoadingTimeRow - 5, { colour: kLine, width: 1.2 });
    picture.textInBox({ x: x - 24, y: kLoadingTimeRow + 1, width: 48, height: 12 }, "center", decadeText(decade), {
      size: 10,
      colour: kLine,
    });
  }

  // One reading: the index ring on the axis and its level to the reading point, and the line
  // from the loading time through the temperature difference up to the yellow ring.
  const reading = nomo.read(kShownIndex, kShownLoadingTime, kShownDifference);
  const time = [column(nomo.loadingTimeX(kShownLoadingTime)), kLoadingTimeRow];
  const difference = [column(nomo.differenceX(kShownDifference)), tRow];
  const point = [column(reading.x), indexRow(kShownIndex)];
  const axis = [kAxisColumn, point[1]];
  const pen = { colour: kLine, width: 2 };
  picture.line(...axis, ...point, pen);
  picture.line(...time, ...point, pen);
  for (const ring of [axis, time, difference]) picture.circle(...ring, 4, { pen });
  picture.circle(...point, 6, { pen: { colour: kYellow, width: 2 } });
  return picture;
}

// The program's logo, 134 x 68.
export function logo() {
  const picture = new Picture(134, 68, "rgb(40,44,52)");
  // The layers of a pavement: surface, binder course, base.
  picture.rect(0, 46, 134, 8, { fill: "rgb(70,70,70)" });
  picture.rect(0, 54, 134, 7, { fill: "rgb(120,104,84)" });
  picture.rect(0, 61, 134, 7, { fill: "rgb(170,150,110)" });
  picture.line(4, 50, 130, 50, { colour: kYellow, width: 2, dash: true });
  picture.textInBox({ x: 0, y: 4, width: 134, height: 30 }, "center", "Talveno", {
    size: 24,
    bold: true,
    italic: true,
    colour: kYellow,
  });
  picture.textInBox({ x: 0, y: 32, width: 134, height: 12 }, "center", "Sbit / Smix", { size: 10, colour: "#fff" });
  return picture;
}

// The window icon on its 32 x 32 grid.
export function iconSvg(size = 32) {
  return (
    `<svg xmlns="http://www.w3.org/2000/svg" width="${size}" height="${size}" viewBox="0 0 32 32">` +
    '<rect x="0" y="0" width="32" height="32" rx="5" fill="#000080"/>' +
    '<rect x="3" y="18" width="26" height="4" fill="#404040"/>' +
    '<rect x="3" y="22" width="26" height="4" fill="#806040"/>' +
    '<rect x="3" y="26" width="26" height="3" fill="#c0a060"/>' +
    '<line x1="6" y1="14" x2="26" y2="4" stroke="#ffff00" stroke-width="2"/>' +
    '<circle cx="22" cy="6" r="3" fill="none" stroke="#ffff00" stroke-width="2"/>' +
    "</svg>"
  );
}
