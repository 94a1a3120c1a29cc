'use strict';
// The map's projection between degrees and pixels, used to size markers and
// views: rows linear in latitude, columns scaled like the half-width of a
// circle of radius 90 degrees around the centre meridian.

function f32(v) { return Math.fround(v); }
function roundEven(v) {
  const r = Math.round(v);
  return (Math.abs(v % 1) === 0.5 && r % 2 !== 0) ? r - 1 : r;
}

class View {
  constructor(north, south, centre, W, H) {
    this.N = f32(north); this.S = f32(south); this.C = f32(centre); this.W = W; this.H = H;
    this.computeScale();
  }
  computeScale() { this.div = roundEven(Math.abs((this.N + this.S) / 2) / 90 * 50) + 90; }
  s() { return f32(this.H / (this.N - this.S)); }
  latToY(lat) {
    lat = Math.max(-90, Math.min(90, lat));
    const hi = f32(this.N + 1e-8);
    return roundEven(this.H - f32(0 + (this.H - 0) * (lat - this.S) / (hi - this.S)));
  }
  posToX(lat, lon) {
    const d = f32(lon - this.C);
    if (lat === 90 || lat === -90) return roundEven(this.W / 2);
    return roundEven(Math.sqrt(8100 - lat * lat) * d / this.div * this.s() + this.W / 2);
  }
  yToLat(y) {
    const v = f32(this.N + (this.S - this.N) * y / f32(this.H + 1e-8));
    return f32(Math.max(-90, Math.min(90, v)));
  }
  pointToLon(y, x) {
    const lat = this.yToLat(y);
    if (lat === 90 || lat === -90) return this.C;
    return f32(this.C + (x - Math.trunc(this.W / 2)) / Math.sqrt(8100 - lat * lat) * this.div / this.s());
  }
  visibleHalfWidth() {
    const a = this.C - this.pointToLon(Math.trunc(this.H / 2), 0);
    const b = this.C - this.pointToLon(this.H, 0);
    return f32(Math.min(1000, a, b));
  }
  // Pixels per degree of latitude and of longitude at a latitude.
  pxPerDegLat() { return this.s(); }
  pxPerDegLon(lat) { return Math.sqrt(8100 - lat * lat) / this.div * this.s(); }
}

// The view the map chooses when an exercise gives none: fitted to bounds.
function fitView(b, W, H) {
  let north = f32(b.n), south = f32(b.s), east = f32(b.e), west = f32(b.w);
  const v = new View(0, 0, 0, W, H);
  v.C = f32((west + east) / 2);
  const m = (north - south) / 25;
  v.N = f32(north + m); v.S = f32(south - m);
  v.computeScale();
  const need = Math.max(east - v.C, v.C - west);
  let guard = 0;
  while (v.visibleHalfWidth() < need && guard++ < 2000) {
    v.N = f32(v.N + (v.N - v.S) / 100);
    v.S = f32(v.S - (v.N - v.S) / 100);
    v.computeScale();
  }
  return v;
}

// The map image sizes the catalogue's views are made for (a 4:3 window's map,
// wide, large and very large): what an exercise asks must be on screen at
// each of them.
const CHECK_SIZES = [[1020, 700], [1362, 700], [1916, 1000], [2556, 1380]];
// Least distance in pixels, at every check size, between the centres of two
// places one place exercise asks. A click lands within about 3 pixels of
// where the player aims and is judged by the nearest asked place: 8 pixels
// keep the midpoint between two places 4 pixels from each, beyond that
// error, so a click aimed at either is judged as that one.
const MIN_APART_PX = 8;
// The frame drawn around the map and a pixel beside it.
const FRAME = 6;

function inFrame(v, lat, lon) {
  const x = v.posToX(lat, lon), y = v.latToY(lat);
  return x >= FRAME && x < v.W - FRAME && y >= FRAME && y < v.H - FRAME;
}

// Square pixels of a polygon ([lon, lat] vertices) inside a view's frame.
function visiblePixels(v, ring) {
  let poly = ring.map(([lon, lat]) => [v.posToX(lat, lon), v.latToY(lat)]);
  const clip = (inside, cut) => {
    const out = [];
    for (let i = 0; i < poly.length; i++) {
      const a = poly[i], b = poly[(i + 1) % poly.length];
      if (inside(a)) out.push(a);
      if (inside(a) !== inside(b)) out.push(cut(a, b));
    }
    poly = out;
  };
  const at = (a, b, t) => [a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t];
  const x0 = FRAME, x1 = v.W - FRAME, y0 = FRAME, y1 = v.H - FRAME;
  clip((q) => q[0] >= x0, (a, b) => at(a, b, (x0 - a[0]) / (b[0] - a[0])));
  clip((q) => q[0] <= x1, (a, b) => at(a, b, (x1 - a[0]) / (b[0] - a[0])));
  clip((q) => q[1] >= y0, (a, b) => at(a, b, (y0 - a[1]) / (b[1] - a[1])));
  clip((q) => q[1] <= y1, (a, b) => at(a, b, (y1 - a[1]) / (b[1] - a[1])));
  let s = 0;
  for (let i = 0, j = poly.length - 1; i < poly.length; j = i++) s += (poly[j][0] + poly[i][0]) * (poly[j][1] - poly[i][1]);
  return Math.abs(s) / 2;
}

module.exports = { View, fitView, roundEven, CHECK_SIZES, MIN_APART_PX, FRAME, inFrame, visiblePixels };
