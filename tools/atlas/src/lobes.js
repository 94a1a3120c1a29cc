'use strict';
// The second fill point of an area or lake: the map paints an area by flood
// fill from two points, and a polygon with a narrow neck (the Peloponnese on
// Greece, a lake of two basins) is cut in two on screen wherever its two
// outlines at the neck meet. Which window sizes cut it cannot be listed, so
// the second point goes into the largest lobe beyond the narrowest neck as
// the coarsest view of the map shows it; at finer views both points lie in
// one region and the second one paints nothing more.
const geo = require('./geo');

// A neck narrower than this many pixels may close when the two outlines are
// drawn 1 pixel wide, each rounded to its own pixel.
const PINCH_PX = 1.5;
// Grid cells per pixel of the view: fine enough to see a neck of 1.5 pixels.
const CELLS_PER_PX = 2;
// A lobe smaller than this many square pixels at the scale that cuts it off
// is left as it is: a few grey pixels in a corner are not worth the risk of a
// point that other window sizes put on the far side of a border.
const MIN_LOBE_PX2 = 24;
// The grid is bounded so that a huge area cannot take the build's memory.
const MAX_CELLS = 12e6;

// Even-odd fill of `rings` (and `obstacles` as holes) on a grid whose cell
// (i, j) has its centre at (w + (i + 0.5) * dx, n - (j + 0.5) * dy).
function rasterize(rings, cols, rows, w, n, dx, dy) {
  const inside = new Uint8Array(cols * rows);
  const xs = [];
  for (let j = 0; j < rows; j++) {
    const y = n - (j + 0.5) * dy;
    xs.length = 0;
    for (const r of rings) {
      for (let a = 0, b = r.length - 1; a < r.length; b = a++) {
        const [x1, y1] = r[a], [x2, y2] = r[b];
        if ((y1 > y) !== (y2 > y)) xs.push(x1 + (y - y1) * (x2 - x1) / (y2 - y1));
      }
    }
    xs.sort((p, q) => p - q);
    for (let k = 0; k + 1 < xs.length; k += 2) {
      const from = Math.max(0, Math.ceil((xs[k] - w) / dx - 0.5));
      const to = Math.min(cols - 1, Math.floor((xs[k + 1] - w) / dx - 0.5));
      for (let i = from; i <= to; i++) inside[j * cols + i] = 1;
    }
  }
  return inside;
}

// Chamfer distance (1, sqrt 2) of every inside cell to the nearest outside
// cell; cells on the grid's edge count as next to the outside.
function distances(inside, cols, rows) {
  const d = new Float32Array(cols * rows);
  const D = Math.SQRT2;
  for (let k = 0; k < d.length; k++) d[k] = inside[k] ? Infinity : 0;
  const at = (i, j) => (i < 0 || j < 0 || i >= cols || j >= rows ? 0 : d[j * cols + i]);
  for (let j = 0; j < rows; j++) {
    for (let i = 0; i < cols; i++) {
      const k = j * cols + i;
      if (!d[k]) continue;
      d[k] = Math.min(d[k], at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + D, at(i + 1, j - 1) + D);
    }
  }
  for (let j = rows - 1; j >= 0; j--) {
    for (let i = cols - 1; i >= 0; i--) {
      const k = j * cols + i;
      if (!d[k]) continue;
      d[k] = Math.min(d[k], at(i + 1, j) + 1, at(i, j + 1) + 1, at(i + 1, j + 1) + D, at(i - 1, j + 1) + D);
    }
  }
  return d;
}

/**
 * The point for an area's second fill: the deepest point of the largest lobe
 * that a neck narrower than PINCH_PX pixels separates from the lobe holding
 * `first`, at the coarsest scale where the area has such a neck; `first`
 * itself when no neck cuts the area.
 * rings: the outer ring, then holes; obstacles: lakes drawn over it;
 * view: the map's coarsest view (pixels per degree from its projection);
 * zooms: the scales, coarsest first, at which exercises may show it.
 * Returns [lat, lon] rounded to ten-thousandths.
 */
function secondFillPoint(rings, obstacles, first, view, zooms = [1, 1.5, 2.25, 3.4, 5]) {
  return lobePoints(rings, obstacles, first, view, zooms)[0] || first;
}

/**
 * The deepest points of every lobe beyond the one holding `first`, largest
 * lobe first, at the coarsest scale where the area has any; none when no
 * neck cuts it. Arguments as for secondFillPoint.
 */
function lobePoints(rings, obstacles, first, view, zooms = [1, 1.5, 2.25, 3.4, 5]) {
  for (const zoom of zooms) {
    const points = lobesAt(rings, obstacles, first, view, zoom);
    if (points === null) break; // too big to grid at this and finer scales
    if (points.length) return points;
  }
  return [];
}

// The lobe points at one scale: none when no neck cuts the area there, null
// when the area is too big to grid at that scale.
function lobesAt(rings, obstacles, first, view, zoom) {
  const b = geo.bbox([rings[0]]);
  // Columns are sized at the latitude where a degree of longitude is widest
  // on screen, so that no cell is wider than half a pixel anywhere.
  const widestLat = b.s <= 0 && b.n >= 0 ? 0 : Math.min(Math.abs(b.s), Math.abs(b.n));
  const pxLon = view.pxPerDegLon(widestLat) * zoom, pxLat = view.pxPerDegLat() * zoom;
  if (!(pxLon > 0) || !(pxLat > 0)) return [];
  const dx = 1 / (pxLon * CELLS_PER_PX), dy = 1 / (pxLat * CELLS_PER_PX);
  const cols = Math.ceil((b.e - b.w) / dx) + 2, rows = Math.ceil((b.n - b.s) / dy) + 2;
  if (cols * rows > MAX_CELLS) return null;
  const w = b.w - dx, n = b.n + dy;
  const inside = rasterize(rings, cols, rows, w, n, dx, dy);
  // A lake is taken out where it lies on the area; where it reaches past the
  // area's border it must not add land (an even-odd fill of both would).
  if (obstacles.length) {
    const water = rasterize(obstacles, cols, rows, w, n, dx, dy);
    for (let k = 0; k < inside.length; k++) if (water[k]) inside[k] = 0;
  }
  const d = distances(inside, cols, rows);
  const deep = PINCH_PX * CELLS_PER_PX;

  // Lobes: 4-connected groups of cells deeper than the pinch.
  const lobe = new Int32Array(cols * rows).fill(-1);
  const lobes = [];
  const stack = [];
  for (let k = 0; k < d.length; k++) {
    if (d[k] < deep || lobe[k] >= 0) continue;
    const id = lobes.length;
    const info = { size: 0, best: k };
    lobe[k] = id;
    stack.push(k);
    while (stack.length) {
      const c = stack.pop();
      info.size++;
      if (d[c] > d[info.best]) info.best = c;
      const i = c % cols, j = (c - i) / cols;
      for (const [ni, nj] of [[i - 1, j], [i + 1, j], [i, j - 1], [i, j + 1]]) {
        if (ni < 0 || nj < 0 || ni >= cols || nj >= rows) continue;
        const nk = nj * cols + ni;
        if (d[nk] >= deep && lobe[nk] < 0) { lobe[nk] = id; stack.push(nk); }
      }
    }
    lobes.push(info);
  }
  if (lobes.length < 2) return [];

  const fi = Math.floor((first[1] - w) / dx), fj = Math.floor((n - first[0]) / dy);
  let own = fi >= 0 && fj >= 0 && fi < cols && fj < rows ? lobe[fj * cols + fi] : -1;
  if (own < 0) {
    // The first point sits in no lobe (on a neck itself): its lobe is taken
    // to be the deepest one, where the pole of the area lies.
    own = 0;
    for (let id = 1; id < lobes.length; id++) if (d[lobes[id].best] > d[lobes[own].best]) own = id;
  }
  const others = [];
  for (let id = 0; id < lobes.length; id++) {
    if (id !== own && lobes[id].size >= MIN_LOBE_PX2 * CELLS_PER_PX * CELLS_PER_PX) others.push(lobes[id]);
  }
  // Largest first; equal sizes keep their grid order, so the result never
  // depends on the sort's stability.
  others.sort((a, c) => c.size - a.size || a.best - c.best);
  return others.map(({ best: k }) => {
    const i = k % cols, j = (k - i) / cols;
    return [geo.round4(n - (j + 0.5) * dy), geo.round4(w + (i + 0.5) * dx)];
  });
}

/**
 * Points in every basin of a lake that some scale cuts off from the one
 * holding `first`: a lake is drawn at several scales and its basins part at
 * different ones (a thin basin shows inner pixels only when zoomed in), so
 * the lobes of every scale are gathered, coarsest first, leaving out a point
 * within `apart` degrees of one already taken.
 */
function basinPoints(ring, first, view, zooms, apart = 0.25) {
  const taken = [first];
  for (const zoom of zooms) {
    const points = lobesAt([ring], [], first, view, zoom);
    if (points === null) break;
    for (const p of points) {
      const xs = Math.cos(p[0] * Math.PI / 180);
      if (!taken.some((q) => Math.hypot((q[1] - p[1]) * xs, q[0] - p[0]) < apart)) taken.push(p);
    }
  }
  return taken.slice(1);
}

module.exports = { secondFillPoint, lobePoints, basinPoints, PINCH_PX };
