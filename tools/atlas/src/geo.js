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

// Shoelace area, positive for a counter-clockwise ring.
function signedArea(r) {
  let a = 0;
  for (let i = 0, j = r.length - 1; i < r.length; j = i++) a += r[j][0] * r[i][1] - r[i][0] * r[j][1];
  return a / 2;
}

// Strictly inside a convex counter-clockwise ring: a point on its edge is out.
function insideConvex(p, poly) {
  for (let i = 0; i < poly.length; i++) {
    const c = poly[i], d = poly[(i + 1) % poly.length];
    if ((d[0] - c[0]) * (p[1] - c[1]) - (d[1] - c[1]) * (p[0] - c[0]) <= 0) return false;
  }
  return true;
}

// Where the segment a-b crosses the edge of a convex counter-clockwise ring,
// in order from a, as {pt, edge, s}: the crossing point rounded to the data's
// precision, the ring's edge it lies on and how far along that edge. The
// points are worked out on the segment's ends in a fixed order, so that two
// neighbours sharing the segment get the same points.
function convexCrossings(a, b, poly, inA = insideConvex(a, poly), inB = insideConvex(b, poly)) {
  if (inA && inB) return [];
  const flip = a[0] > b[0] || (a[0] === b[0] && a[1] > b[1]);
  const [p, q] = flip ? [b, a] : [a, b];
  const [inP, inQ] = flip ? [inB, inA] : [inA, inB];
  // Cyrus-Beck: the segment's stretch inside the ring is [t0, t1].
  let t0 = 0, t1 = 1, e0 = -1, e1 = -1;
  const dx = q[0] - p[0], dy = q[1] - p[1];
  for (let i = 0; i < poly.length; i++) {
    const c = poly[i], d = poly[(i + 1) % poly.length];
    const nx = c[1] - d[1], ny = d[0] - c[0]; // inward normal
    const num = nx * (p[0] - c[0]) + ny * (p[1] - c[1]);
    const den = nx * dx + ny * dy;
    if (den === 0) {
      if (num <= 0) return [];
      continue;
    }
    const t = -num / den;
    if (den > 0) { if (t > t0) { t0 = t; e0 = i; } } else if (t < t1) { t1 = t; e1 = i; }
  }
  const out = [];
  const at = (t, e) => {
    const x = p[0] + dx * t, y = p[1] + dy * t;
    const c = poly[e], d = poly[(e + 1) % poly.length];
    const len2 = (d[0] - c[0]) ** 2 + (d[1] - c[1]) ** 2;
    return { pt: [round4(x), round4(y)], edge: e, s: ((x - c[0]) * (d[0] - c[0]) + (y - c[1]) * (d[1] - c[1])) / len2 };
  };
  if (!inP && !inQ) {
    if (!(t1 - t0 > 1e-12) || e0 < 0 || e1 < 0) return [];
    out.push(at(t0, e0), at(t1, e1));
  } else if (!inP) {
    out.push(at(Math.min(Math.max(t0, 0), 1), e0 < 0 ? nearestEdge(p, poly) : e0));
  } else {
    out.push(at(Math.min(Math.max(t1, 0), 1), e1 < 0 ? nearestEdge(q, poly) : e1));
  }
  return flip ? out.reverse() : out;
}

function nearestEdge(p, poly) {
  let best = 0, bd = Infinity;
  for (let i = 0; i < poly.length; i++) {
    const d = segDist2(p[0], p[1], poly[i], poly[(i + 1) % poly.length]);
    if (d < bd) { bd = d; best = i; }
  }
  return best;
}

const ptKey = (p) => `${p[0]},${p[1]}`;

// Cuts a convex counter-clockwise ring (a marker) out of the given rings,
// which may cross it. Returns the marker ring with every crossing point
// inserted, and for each given ring the rings left of it outside the marker
// (the ring itself when it does not cross the marker, none when it lies
// wholly inside). Along the cut, a ring follows the marker's own vertices,
// so that outline, fill and click test agree on where the marker ends.
// A ring that only encloses the marker is left whole: markers of enclaves
// are drawn on top of their surroundings.
function cutConvex(disc, rings) {
  const info = rings.map((ring) => {
    const inside = ring.map((p) => insideConvex(p, disc));
    const cross = ring.map((a, i) => convexCrossings(a, ring[(i + 1) % ring.length], disc, inside[i], inside[(i + 1) % ring.length]));
    return { ring, inside, cross };
  });
  // The marker's vertices with the crossing points of every ring inserted.
  const onEdge = disc.map(() => []);
  for (const r of info) for (const list of r.cross) for (const c of list) onEdge[c.edge].push(c);
  const dv = [];
  const seen = new Set();
  const put = (pt) => { const k = ptKey(pt); if (!seen.has(k)) { seen.add(k); dv.push(pt); } };
  disc.forEach((v, i) => {
    put(v);
    onEdge[i].sort((x, y) => x.s - y.s || x.pt[0] - y.pt[0] || x.pt[1] - y.pt[1]).forEach((c) => put(c.pt));
  });
  const dIndex = new Map(dv.map((p, i) => [ptKey(p), i]));
  const pieces = info.map((r) => subtractConvex(r, dv, dIndex));
  return { disc: dv, pieces };
}

function subtractConvex({ ring, inside, cross }, dv, dIndex) {
  const ccw = signedArea(ring) > 0;
  // The ring's vertices and crossing points in counter-clockwise order.
  let seq = [];
  ring.forEach((p, i) => {
    seq.push({ pt: p, type: inside[i] ? 'inside' : 'v' });
    let state = inside[i];
    for (const c of cross[i]) { state = !state; seq.push({ pt: c.pt, type: state ? 'in' : 'out' }); }
  });
  if (!ccw) {
    seq.reverse();
    for (const n of seq) if (n.type === 'in' || n.type === 'out') n.type = n.type === 'in' ? 'out' : 'in';
  }
  // A graze that enters and leaves at one rounded point is no crossing.
  seq = seq.filter((n, i) => {
    const next = seq[(i + 1) % seq.length], prev = seq[(i - 1 + seq.length) % seq.length];
    if (n.type === 'in' && next.type === 'out' && ptKey(next.pt) === ptKey(n.pt)) return false;
    if (n.type === 'out' && prev.type === 'in' && ptKey(prev.pt) === ptKey(n.pt)) return false;
    return true;
  });
  if (!seq.some((n) => n.type === 'out')) return seq.some((n) => n.type === 'v') ? [ring] : [];
  const exits = new Map();
  seq.forEach((n, i) => { if (n.type === 'out') exits.set(ptKey(n.pt), i); });
  const done = new Set();
  const out = [];
  for (let start = 0; start < seq.length; start++) {
    if (seq[start].type !== 'out' || done.has(start)) continue;
    const piece = [];
    let i = start;
    for (let guard = 0; ; guard++) {
      if (guard > seq.length) throw new Error('marker cut does not close');
      done.add(i);
      piece.push(seq[i].pt);
      let j = (i + 1) % seq.length;
      while (seq[j].type !== 'in') {
        if (seq[j].type === 'out') throw new Error('marker cut: two exits in a row');
        piece.push(seq[j].pt);
        j = (j + 1) % seq.length;
      }
      piece.push(seq[j].pt);
      // Back along the marker's edge to where the ring comes out again.
      let k = dIndex.get(ptKey(seq[j].pt));
      if (k === undefined) throw new Error('marker cut: crossing point not on the marker');
      for (let steps = 0; ; steps++) {
        if (steps > dv.length) throw new Error('marker cut: no way out along the marker');
        k = (k - 1 + dv.length) % dv.length;
        if (exits.has(ptKey(dv[k]))) break;
        piece.push(dv[k]);
      }
      i = exits.get(ptKey(dv[k]));
      if (i === start) break;
    }
    const clean = cleanRing(piece);
    if (clean.length >= 3 && Math.abs(signedArea(clean)) > 0) out.push(ccw ? clean : clean.reverse());
  }
  return out;
}

module.exports = { signedArea, insideConvex, convexCrossings, cutConvex, ringArea, bbox, pointInRing, pointInRings, edgeDistance, poleOfInaccessibility, simplifyRing, densifyRing, cleanRing, markerRing, round4 };
