'use strict';
// Plane geometry on [lon, lat] rings in degrees.

function ringArea(r) {
  let a = 0;
  for (let i = 0, j = r.length - 1; i < r.length; j = i++) a += (r[j][0] - r[i][0]) * (r[j][1] + r[i][1]);
  return Math.abs(a / 2);
}

function bbox(rings) {
  let w = Infinity, s = Infinity, e = -Infinity, n = -Infinity;
  for (const r of rings) for (const [x, y] of r) {
    if (x < w) w = x; if (x > e) e = x; if (y < s) s = y; if (y > n) n = y;
  }
  return { w, s, e, n };
}

function pointInRing(x, y, r) {
  let inside = false;
  for (let i = 0, j = r.length - 1; i < r.length; j = i++) {
    const [xi, yi] = r[i], [xj, yj] = r[j];
    if ((yi > y) !== (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}

// Even-odd over all rings (outer ring plus holes).
function pointInRings(x, y, rings) {
  let inside = false;
  for (const r of rings) if (pointInRing(x, y, r)) inside = !inside;
  return inside;
}

function segDist2(px, py, a, b) {
  let x = a[0], y = a[1];
  let dx = b[0] - x, dy = b[1] - y;
  if (dx !== 0 || dy !== 0) {
    const t = ((px - x) * dx + (py - y) * dy) / (dx * dx + dy * dy);
    if (t > 1) { x = b[0]; y = b[1]; } else if (t > 0) { x += dx * t; y += dy * t; }
  }
  dx = px - x; dy = py - y;
  return dx * dx + dy * dy;
}

// Distance from a point to the nearest ring edge, scaled so that a degree of
// longitude counts cos(lat) of a degree of latitude; `xScale` is that factor.
function edgeDistance(x, y, rings, xScale) {
  let best = Infinity;
  for (const r of rings) for (let i = 0, j = r.length - 1; i < r.length; j = i++) {
    const d = segDist2(x * xScale, y, [r[i][0] * xScale, r[i][1]], [r[j][0] * xScale, r[j][1]]);
    if (d < best) best = d;
  }
  return Math.sqrt(best);
}

// Pole of inaccessibility: the interior point farthest from every edge
// (grid refinement with a priority queue kept as a sorted array).
// `rings`: outer ring first, then holes; `obstacles` are extra rings (lakes)
// the point must keep away from and lie outside of.
function poleOfInaccessibility(rings, obstacles = [], precision = 0.005) {
  const b = bbox([rings[0]]);
  const xScale = Math.cos(((b.n + b.s) / 2) * Math.PI / 180);
  const allEdges = rings.concat(obstacles);
  const inside = (x, y) => pointInRings(x, y, rings) && !obstacles.some((o) => pointInRing(x, y, o));
  const dist = (x, y) => {
    const d = edgeDistance(x, y, allEdges, xScale);
    return inside(x, y) ? d : -d;
  };
  const width = b.e - b.w, height = b.n - b.s;
  const cellSize = Math.max(Math.min(width * xScale, height), 1e-9);
  let h = cellSize / 2;
  const cells = [];
  const mk = (x, y, hh) => { const d = dist(x, y); return { x, y, h: hh, d, max: d + hh * Math.SQRT2 }; };
  // Square cells in scaled space.
  const hx = h / xScale;
  for (let x = b.w; x < b.e; x += 2 * hx) for (let y = b.s; y < b.n; y += 2 * h) cells.push(mk(x + hx, y + h, h));
  let best = null;
  // Seed with the centroid-ish vertex average and the first vertex neighbourhood.
  for (const c of cells) if (!best || c.d > best.d) best = c;
  let guard = 0;
  while (cells.length && guard++ < 200000) {
    cells.sort((a, c) => a.max - c.max || a.x - c.x || a.y - c.y);
    const c = cells.pop();
    if (c.d > best.d) best = c;
    if (c.max - best.d <= precision) continue;
    const nh = c.h / 2, nhx = nh / xScale;
    cells.push(mk(c.x - nhx, c.y - nh, nh), mk(c.x + nhx, c.y - nh, nh), mk(c.x - nhx, c.y + nh, nh), mk(c.x + nhx, c.y + nh, nh));
  }
  return { lon: best.x, lat: best.y, dist: best.d };
}

// Douglas-Peucker on a closed ring, keeping the first point.
function simplifyRing(r, tol) {
  const n = r.length;
  if (n <= 4) return r.slice();
  const keep = new Uint8Array(n);
  keep[0] = 1; keep[n - 1] = 1;
  // Split at the point farthest from the first so both halves are open chains.
  let far = 0, fd = -1;
  for (let i = 1; i < n; i++) { const d = (r[i][0] - r[0][0]) ** 2 + (r[i][1] - r[0][1]) ** 2; if (d > fd) { fd = d; far = i; } }
  keep[far] = 1;
  const stack = [[0, far], [far, n - 1]];
  while (stack.length) {
    const [a, z] = stack.pop();
    let idx = -1, md = tol * tol;
    for (let i = a + 1; i < z; i++) { const d = segDist2(r[i][0], r[i][1], r[a], r[z]); if (d > md) { md = d; idx = i; } }
    if (idx >= 0) { keep[idx] = 1; stack.push([a, idx], [idx, z]); }
  }
  return r.filter((_, i) => keep[i]);
}

// Inserts points so that no edge is longer than `maxDeg`; the inserted points
// are computed from the edge's two ends in a fixed order, so the shared edge
// of two neighbours gets the same points.
function densifyRing(r, maxDeg) {
  const out = [];
  for (let i = 0; i < r.length; i++) {
    const a = r[i], b = r[(i + 1) % r.length];
    out.push(a);
    const len = Math.hypot(b[0] - a[0], b[1] - a[1]);
    const k = Math.ceil(len / maxDeg);
    if (k > 1) {
      const [p, q] = (a[0] < b[0] || (a[0] === b[0] && a[1] < b[1])) ? [a, b] : [b, a];
      const pts = [];
      for (let t = 1; t < k; t++) pts.push([p[0] + (q[0] - p[0]) * t / k, p[1] + (q[1] - p[1]) * t / k]);
      if (p !== a) pts.reverse();
      out.push(...pts);
    }
  }
  return out;
}

function round4(v) { return Math.round(v * 10000) / 10000; }

// Rounds to ten-thousandths, drops repeated points and the closing duplicate.
function cleanRing(r) {
  const out = [];
  for (const [x, y] of r) {
    const p = [round4(x), round4(y)];
    const last = out[out.length - 1];
    if (!last || last[0] !== p[0] || last[1] !== p[1]) out.push(p);
  }
  while (out.length > 1 && out[0][0] === out[out.length - 1][0] && out[0][1] === out[out.length - 1][1]) out.pop();
  return out;
}

// A regular polygon used as a marker for areas too small to click.
function markerRing(lon, lat, radiusDeg, sides = 12) {
  const xs = 1 / Math.max(Math.cos(lat * Math.PI / 180), 0.2);
  const r = [];
  for (let i = 0; i < sides; i++) {
    const a = (2 * Math.PI * i) / sides;
    r.push([round4(lon + Math.cos(a) * radiusDeg * xs), round4(lat + Math.sin(a) * radiusDeg)]);
  }
  return r;
}

module.exports = { ringArea, bbox, pointInRing, pointInRings, edgeDistance, poleOfInaccessibility, simplifyRing, densifyRing, cleanRing, markerRing, round4 };
