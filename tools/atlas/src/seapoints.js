'use strict';
// Chooses the points from which the sea is painted: named seas first, then
// points spread over the open water, each kept well away from every coast
// so that it falls on sea pixels at every scale the map is drawn at.
const geo = require('./geo');

const NAMED_SEAS = [
  [40, -40], [-20, -20], [0, -120], [10, 160], [40, -150], [-30, -100], [-20, 75], [85, 0], [78, 150],
  [38, 5], [34, 25], [43, 15], [38.5, 25], [43, 34], [42, 51], [38, 51], [56, 19], [62, 20], [59.8, 25],
  [20, 38.5], [27, 51], [24.5, 58.5], [15, 63], [15, 88], [12, 113], [35, 123], [40, 135], [55, 150],
  [58, -175], [55, -145], [60, -85], [25, -90], [15, -75], [27, -111], [48.5, -62], [58, -55], [73, -65],
  [56, 3], [68, 5], [46, 36.5], [-38, 160], [-15, 155], [-14, 139], [-5, 110], [-6, 127], [3, 122],
  [10, 96], [9.5, 102], [-18, 41], [2, 3], [12.5, 48], [75, 70], [76, 125], [73, 160], [72, -140],
  [53.8, -5], [50.2, -2], [45, -5], [40, 12], [37, 18], [40.8, 28], [57.6, 23.5], [65.5, 38],
];

// land: [{ring, bounds}] drawn land rings of one map; marginDeg: clearance.
function makeIndex(land) {
  return land.map((p) => ({ ring: p.ring, b: p.bounds }));
}

function isClearSea(lat, lon, index, marginDeg) {
  const xs = Math.cos(lat * Math.PI / 180);
  for (const p of index) {
    const b = p.b;
    if (lon < b.w - marginDeg / xs || lon > b.e + marginDeg / xs || lat < b.s - marginDeg || lat > b.n + marginDeg) continue;
    if (geo.pointInRing(lon, lat, p.ring)) return false;
    if (geo.edgeDistance(lon, lat, [p.ring], xs) < marginDeg) return false;
  }
  return true;
}

/**
 * maps: [{ land: [{ring, bounds}], marginDeg, bbox }] every map this file serves;
 * first: points that must come first (lake points); limit: at most this many.
 */
function chooseSeaPoints(maps, bbox, first, limit = 100, step = 3) {
  const indexes = maps.map((m) => ({ idx: makeIndex(m.land), margin: m.marginDeg, bbox: m.bbox }));
  const ok = (lat, lon) => indexes.every((m) => {
    const b = m.bbox;
    if (lat < b.s || lat > b.n || lon < b.w || lon > b.e) return true; // not on this map
    return isClearSea(lat, lon, m.idx, m.margin);
  });
  const inBox = (lat, lon) => lat > bbox.s && lat < bbox.n && lon > bbox.w && lon < bbox.e;
  const chosen = first.slice();
  for (const [lat, lon] of NAMED_SEAS) if (chosen.length < limit && inBox(lat, lon) && ok(lat, lon)) chosen.push([lat, lon]);
  const grid = [];
  for (let lat = Math.ceil(bbox.s / step) * step; lat < bbox.n; lat += step) {
    for (let lon = Math.ceil(bbox.w / step) * step; lon < bbox.e; lon += step) {
      if (inBox(lat, lon) && ok(lat, lon)) grid.push([lat, lon]);
    }
  }
  // Farthest-point sampling: spread the rest over the open water.
  const d2 = (a, b) => (a[0] - b[0]) ** 2 + ((a[1] - b[1]) * Math.cos(a[0] * Math.PI / 180)) ** 2;
  const best = grid.map((g) => Math.min(Infinity, ...chosen.map((c) => d2(g, c))));
  while (chosen.length < limit && grid.length) {
    let bi = -1, bd = -1;
    for (let i = 0; i < grid.length; i++) if (best[i] > bd) { bd = best[i]; bi = i; }
    if (bi < 0 || bd <= 0) break;
    const p = grid[bi];
    chosen.push(p);
    for (let i = 0; i < grid.length; i++) best[i] = Math.min(best[i], d2(grid[i], p));
  }
  return chosen.map(([lat, lon]) => [geo.round4(lat), geo.round4(lon)]);
}

module.exports = { chooseSeaPoints, isClearSea, NAMED_SEAS };
