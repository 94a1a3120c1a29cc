'use strict';
// Builds the areas of one map: assigns units, clips, simplifies with shared
// borders (each border between neighbours is simplified once for both),
// keeps outer rings, caps vertices and computes fill points.
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const geo = require('./geo');
const { byText } = require('./order');
const { secondFillPoint } = require('./lobes');

const MAX_VERTICES = 500;
const MAPSHAPER = path.join(__dirname, '..', 'node_modules', '.bin', 'mapshaper');

function polygonsOf(geometry) {
  if (!geometry) return [];
  if (geometry.type === 'Polygon') return [geometry.coordinates];
  if (geometry.type === 'MultiPolygon') return geometry.coordinates;
  if (geometry.type === 'GeometryCollection') return geometry.geometries.flatMap(polygonsOf);
  return [];
}

function shiftPolygon(poly, shift) {
  if (!shift) return poly;
  const b = geo.bbox([poly[0]]);
  const d = shift(b);
  if (!d) return poly;
  return poly.map((r) => r.map(([x, y]) => [x + d, y]));
}

function runMapshaper(args) {
  execFileSync(MAPSHAPER, ['-quiet', ...args], { stdio: ['ignore', 'inherit', 'inherit'] });
}

// Simplifies a set of features keyed by `unit` with shared topology.
function simplifyUnits(workDir, name, features, def) {
  const inFile = path.join(workDir, `${name}-in.json`);
  const outFile = path.join(workDir, `${name}-out.json`);
  fs.writeFileSync(inFile, JSON.stringify({ type: 'FeatureCollection', features }));
  const b = def.bbox;
  const args = ['-i', inFile];
  if (def.clip !== false) args.push('-clip', `bbox=${b.w},${b.s},${b.e},${b.n}`);
  // Coordinates shifted past the dateline make mapshaper treat the data as
  // planar, in degrees: the interval is then given in degrees.
  const interval = def.shift ? def.interval / 111320 : def.interval;
  args.push('-dissolve', 'unit', '-simplify', `interval=${interval}`, 'keep-shapes', '-o', outFile, 'format=geojson', 'precision=0.0001');
  runMapshaper(args);
  const out = JSON.parse(fs.readFileSync(outFile));
  const byUnit = {};
  for (const f of out.features) {
    if (!f.geometry) continue;
    byUnit[f.properties.unit] = polygonsOf(f.geometry);
  }
  return byUnit;
}

function capVertices(ring) {
  let r = ring;
  let tol = 0.005;
  while (r.length > MAX_VERTICES) {
    r = geo.cleanRing(geo.simplifyRing(ring, tol));
    tol *= 1.5;
  }
  return r;
}

// Area of a part in square pixels at a view.
function partPixels(rings, view) {
  const b = geo.bbox([rings[0]]);
  const lat = (b.n + b.s) / 2;
  return geo.ringArea(rings[0]) * view.pxPerDegLat() * view.pxPerDegLon(lat);
}

/**
 * def: { number, bbox, interval, shift, subdivide: {COUNTRY: props => key},
 *        refView, minPartPx, maxParts, markers: {unit: radiusDeg} }
 * sources: from units.loadSources; lakes: [{key, name, rings}] obstacles.
 * Returns { units: {unitKey: {meta, parts:[{ring, fill1, fill2, bounds}]}} }.
 */
// The capital of a unit (a country, territory or division), [lon, lat] on
// the map's own longitudes, from `capitals`: unit key -> [lon, lat].
function capitalOf(capitals, def, unit) {
  const c = capitals && capitals[unit];
  return c ? onMap(def, c) : null;
}
const onMap = (def, c) => (def.shift && def.shift({ e: c[0] }) ? [c[0] + def.shift({ e: c[0] }), c[1]] : c);

// How near (degrees) a place must lie to a simplified part to count as drawn
// on it; farther, the island it stands on is looked for in the source.
const PLACE_NEAR_DEG = 0.1;
// How far (degrees) from its coast a place may be pinned to it.
const PIN_WITHIN_DEG = 0.5;

// The source polygon of a unit that a place stands on (or lies next to),
// when simplification lost it whole and it shares no border with another
// unit: a small island (Tarawa, Grand Turk, Wallis, Manhattan). Returns its
// outer ring simplified on its own, or null.
function lostIsland(pt, own, others, kept, tolDeg) {
  let best = null, bd = PLACE_NEAR_DEG;
  for (const s of own) {
    const b = s.bounds;
    if (pt[0] < b.w - bd || pt[0] > b.e + bd || pt[1] < b.s - bd || pt[1] > b.n + bd) continue;
    const d = geo.pointInRing(pt[0], pt[1], s.ring) ? 0 : geo.edgeDistance(pt[0], pt[1], [s.ring], Math.cos(pt[1] * Math.PI / 180));
    if (d < bd || (d === 0 && !best)) { bd = d; best = s; }
  }
  if (!best) return null;
  const b = best.bounds;
  const overlaps = (q) => !(q.e < b.w || q.w > b.e || q.n < b.s || q.s > b.n);
  // Still drawn, only coarser (the simplified parts keep some of its
  // vertices): not an island lost.
  const own4 = new Set(best.ring.map(([x, y]) => `${geo.round4(x)},${geo.round4(y)}`));
  if (kept.some((poly) => overlaps(geo.bbox([poly[0]])) && poly[0].some(([x, y]) => own4.has(`${geo.round4(x)},${geo.round4(y)}`)))) return null;
  // An island shared with a neighbour (Saint Martin) would be drawn twice
  // with two different borders.
  const vertices = new Set(best.ring.map(([x, y]) => `${x},${y}`));
  if (others.some((o) => overlaps(o.bounds) && o.ring.some(([x, y]) => vertices.has(`${x},${y}`)))) return null;
  let ring = [];
  for (let t = tolDeg; ring.length < 4 && t > 1e-5; t /= 2) ring = geo.cleanRing(geo.simplifyRing(best.ring, t));
  return ring.length >= 3 ? [ring] : null;
}

// The polygon (outer ring first) that holds a point, or the nearest one
// within a third of a degree: simplification may leave a coastal capital
// just outside its island.
function partHolding(polys, pt, within = 0.33) {
  if (!pt) return -1;
  let best = -1, bd = within;
  polys.forEach((poly, i) => {
    const d = geo.pointInRing(pt[0], pt[1], poly[0]) ? 0 : geo.edgeDistance(pt[0], pt[1], [poly[0]], Math.cos(pt[1] * Math.PI / 180));
    if (d < bd || (d === 0 && best < 0)) { bd = d; best = i; }
  });
  return best;
}

// Whether segments p-q and r-s cross (touching ends do not count).
function crosses(p, q, r, s) {
  const o = (a, b, c) => Math.sign((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]));
  return o(p, q, r) * o(p, q, s) < 0 && o(r, s, p) * o(r, s, q) < 0;
}

// A coastal place that simplification left in the sea (Dakar at the tip of
// its peninsula, Copenhagen on Zealand's coast) is pinned to its coast: the
// place becomes a vertex of the nearest coastal edge, when that edge is
// shared with no other unit and the two new edges cross no line of the map.
function pinToCoast(polys, pt, others, within) {
  let best = null, bd = within;
  polys.forEach((poly) => {
    const r = poly[0];
    const xs = Math.cos(pt[1] * Math.PI / 180);
    for (let j = 0; j < r.length; j++) {
      const a = r[j], b = r[(j + 1) % r.length];
      const d = geo.edgeDistance(pt[0], pt[1], [[a, b]], xs);
      if (d < bd) { bd = d; best = { r, j }; }
    }
  });
  if (!best) return false;
  const { r, j } = best;
  const a = r[j], b = r[(j + 1) % r.length];
  const P = [geo.round4(pt[0]), geo.round4(pt[1])];
  const key = ([x, y]) => `${x},${y}`;
  const rings = polys.map((poly) => poly[0]).concat(others);
  // On a border (Jerusalem's, drawn coarsely) the neighbour's ring gets the
  // same vertex, so that the two still meet; only a neighbour still to be
  // built can take it.
  const shared = others.filter((o) => o.some((v) => key(v) === key(a)) && o.some((v) => key(v) === key(b)));
  if (shared.some((o) => !o.later)) return false;
  for (const o of others) if (!shared.includes(o) && geo.pointInRing(P[0], P[1], o)) return false;
  for (const o of rings) {
    for (let i = 0; i < o.length; i++) {
      const c = o[i], d = o[(i + 1) % o.length];
      if (crosses(a, P, c, d) || crosses(P, b, c, d)) return false;
    }
  }
  r.splice(j + 1, 0, P);
  for (const o of shared) {
    // The neighbour runs along the border either way.
    const i = o.findIndex((v, n) => [key(a), key(b)].includes(key(v)) && [key(a), key(b)].includes(key(o[(n + 1) % o.length])));
    if (i >= 0) o.splice(i + 1, 0, P);
  }
  return true;
}

function buildMapUnits(def, sources, lakes, workDir, capitals = {}, anchors = {}) {
  const meta = {};
  const feats = [];
  // The source's outer rings of every unit, for the islands that carry places.
  const sourceRings = {};
  for (const f of sources.features) {
    const sub = def.subdivide && def.subdivide[f.country] ? def.subdivide[f.country](f.props) : null;
    if (sub === false) continue; // dropped by the subdivision table (outside the map)
    const unit = sub || f.territory || f.country;
    if (def.only && !def.only(f, unit)) continue;
    if (f.overlay && !def.overlays) continue;
    for (const poly of polygonsOf(f.geometry)) {
      const p = shiftPolygon(poly, def.shift);
      const bb = geo.bbox([p[0]]);
      if (bb.e < def.bbox.w || bb.w > def.bbox.e || bb.n < def.bbox.s || bb.s > def.bbox.n) continue;
      if (f.overlay) {
        // Enclaves drawn on top of their surroundings: kept apart from the
        // shared topology so that the surrounding unit stays whole.
        (meta[unit] = meta[unit] || { unit, country: f.country, territory: f.territory, sub, overlayParts: [] });
        meta[unit].overlayParts = (meta[unit].overlayParts || []).concat([p]);
        continue;
      }
      meta[unit] = meta[unit] || { unit, country: f.country, territory: f.territory, sub };
      (sourceRings[unit] = sourceRings[unit] || []).push({ ring: p[0], bounds: bb });
      feats.push({ type: 'Feature', properties: { unit }, geometry: { type: 'Polygon', coordinates: p } });
    }
  }
  const simplified = simplifyUnits(workDir, `map${def.number}`, feats, def);
  for (const [u, m] of Object.entries(meta)) {
    if (m.overlayParts) simplified[u] = m.overlayParts.map((poly) => poly.map((r) => geo.cleanRing(r)));
  }
  const lakeRings = lakes.map((l) => l.ring);
  // The simplified outer rings of the other units near a point, for pins.
  const allRings = Object.entries(simplified).flatMap(([u, ps]) => ps.map((poly) => ({ u, ring: poly[0], b: geo.bbox([poly[0]]) })));
  let current = '';
  const nearRings = (pt) => allRings.filter((x) => x.u !== current && pt[0] > x.b.w - 1 && pt[0] < x.b.e + 1 && pt[1] > x.b.s - 1 && pt[1] < x.b.n + 1)
    .map((x) => Object.assign(x.ring, { later: x.u > current }));
  const units = {};
  for (const u of Object.keys(simplified).sort()) {
    current = u;
    const polys = simplified[u]
      .map((poly) => poly.map((r) => geo.cleanRing(r)).filter((r) => r.length >= 3))
      .filter((poly) => poly.length && poly[0].length >= 3);
    if (!polys.length) continue;
    // A place's island lost whole in the simplification is taken back, and
    // every island that carries a place stays, however small: an asked place
    // must lie on its own country (the capital's island is the first of them).
    const carried = new Set();
    const others = Object.entries(sourceRings).filter(([k]) => k !== u).flatMap(([, r]) => r);
    const points = [capitalOf(capitals, def, u), ...(anchors[u] || []).map((c) => onMap(def, c))].filter(Boolean);
    for (const pt of points) {
      if (pt[0] < def.bbox.w || pt[0] > def.bbox.e || pt[1] < def.bbox.s || pt[1] > def.bbox.n) continue;
      let at = partHolding(polys, pt, PLACE_NEAR_DEG);
      if (at < 0) {
        const island = lostIsland(pt, sourceRings[u] || [], others, polys, def.interval / 111320 / 2);
        if (island) { polys.push(island); at = polys.length - 1; }
      }
      if (at < 0 && pinToCoast(polys, pt, nearRings(pt), PIN_WITHIN_DEG)) at = partHolding(polys, pt, PLACE_NEAR_DEG);
      if (at < 0 && pt === points[0]) at = partHolding(polys, pt);
      if (at >= 0) carried.add(polys[at]);
    }
    polys.sort((a, b) => geo.ringArea(b[0]) - geo.ringArea(a[0]) || a[0][0][0] - b[0][0][0]);
    let kept = polys.filter((p, i) => i === 0 || carried.has(p) || partPixels(p, def.refView) >= def.minPartPx);
    if (kept.length > def.maxParts) {
      const room = Math.max(0, def.maxParts - 1 - kept.filter((p, i) => i > 0 && carried.has(p)).length);
      kept = kept.filter((p, i) => i === 0 || carried.has(p) || i <= room);
    }
    const parts = [];
    for (const poly of kept) {
      let ring = geo.densifyRing(poly[0], 1);
      ring = geo.cleanRing(ring);
      ring = capVertices(ring);
      const holes = poly.slice(1);
      const near = lakeRings.filter((lr) => {
        const lb = geo.bbox([lr]); const pb = geo.bbox([ring]);
        return !(lb.e < pb.w || lb.w > pb.e || lb.n < pb.s || lb.s > pb.n);
      });
      const pole = geo.poleOfInaccessibility([ring, ...holes], near, 0.002);
      const b = geo.bbox([ring]);
      const fill1 = [pole.lat, pole.lon];
      const fill2 = secondFillPoint([ring, ...holes], near, fill1, def.refView);
      parts.push({ ring, holes, fill1, fill2, bounds: b, inner: pole.dist });
    }
    units[u] = { meta: meta[u], parts };
  }
  return units;
}

// Lakes: simplified once and shared by every map that draws them.
function buildLakes(sources, workDir, interval, minArea) {
  const feats = [];
  for (const f of sources.lakes) {
    const name = f.properties.ID.split(':')[0];
    for (const poly of polygonsOf(f.geometry)) feats.push({ type: 'Feature', properties: { unit: name }, geometry: { type: 'Polygon', coordinates: poly } });
  }
  const inFile = path.join(workDir, 'lakes-in.json');
  const outFile = path.join(workDir, 'lakes-out.json');
  fs.writeFileSync(inFile, JSON.stringify({ type: 'FeatureCollection', features: feats }));
  runMapshaper(['-i', inFile, '-simplify', `interval=${interval}`, 'keep-shapes', '-explode', '-o', outFile, 'format=geojson', 'precision=0.0001']);
  const out = JSON.parse(fs.readFileSync(outFile));
  const lakes = [];
  for (const f of out.features) {
    for (const poly of polygonsOf(f.geometry)) {
      const ring = capVertices(geo.cleanRing(poly[0]));
      if (ring.length < 3 || geo.ringArea(ring) < minArea) continue;
      const pole = geo.poleOfInaccessibility([ring], [], 0.002);
      lakes.push({ name: f.properties.unit, ring, fill: [pole.lat, pole.lon], bounds: geo.bbox([ring]), area: geo.ringArea(ring) });
    }
  }
  lakes.sort((a, b) => b.area - a.area || byText(a.name, b.name));
  const seen = {};
  for (const l of lakes) {
    const slug = l.name.normalize('NFD').replace(/[^A-Za-z]/g, '').toUpperCase().slice(0, 12) || 'LAKE';
    seen[slug] = (seen[slug] || 0) + 1;
    l.key = `W-${slug}${seen[slug] > 1 ? seen[slug] : ''}`;
  }
  return lakes;
}

// Replaces areas too small to click at the views that ask them by a round
// marker of `px` pixels across, centred on the area's inner point. `ask`
// maps a unit key to the pixels per degree of latitude of the widest view
// asking it. A marker that would overlap another one is not made.
function applyMarkers(units, ask, px = 12, minPx = 10, capitals = {}, def = {}) {
  const placed = [];
  const order = Object.keys(ask).filter((k) => units[k]).sort((a, b) => geo.ringArea(units[b].parts[0].ring) - geo.ringArea(units[a].parts[0].ring) || byText(a, b));
  const made = [];
  for (const k of order) {
    const p = units[k].parts[0];
    const ppd = ask[k];
    const b = p.bounds;
    const lat = (b.n + b.s) / 2;
    const size = Math.max((b.e - b.w) * ppd * Math.cos(lat * Math.PI / 180), (b.n - b.s) * ppd);
    if (size >= minPx) continue;
    const r = px / 2 / ppd;
    // A country of islands far apart is marked on its capital's island.
    const polys = units[k].parts.map((q) => [q.ring]);
    const held = partHolding(polys, capitalOf(capitals, def, k));
    const [flat, flon] = units[k].parts[held >= 0 ? held : 0].fill1;
    const xs = Math.cos(flat * Math.PI / 180);
    if (placed.some((q) => Math.hypot((q.lon - flon) * xs, q.lat - flat) < q.r + r)) continue;
    // Nor one centred within 0.1 degree of another country's capital (the Vatican's
    // disc would hide Rome): the area is then asked by its places only.
    const covers = Object.entries(capitals).some(([u, c]) => u !== k && !u.includes('-') && (() => {
      const [clon, clat] = onMap(def, c);
      return Math.hypot((clon - flon) * xs, clat - flat) < 0.1 && !units[k].parts.some((q) => geo.pointInRing(clon, clat, q.ring));
    })());
    if (covers) continue;
    const ring = geo.markerRing(flon, flat, r);
    units[k].parts = [{ ring, holes: [], fill1: [geo.round4(flat), geo.round4(flon)], fill2: [geo.round4(flat), geo.round4(flon)], bounds: geo.bbox([ring]), marker: true }];
    placed.push({ lat: flat, lon: flon, r });
    made.push(k);
  }
  for (const k of made) cutMarker(units, k);
  return made;
}

// Cuts a marker out of the neighbours whose borders cross it, so that the
// marker is drawn, filled and clicked whole. The neighbours' new edge runs
// on the marker's own vertices. A neighbour's part cut in two gains a part;
// a part that lies wholly under the marker goes, unless it is the unit's
// only one.
function cutMarker(units, key) {
  const marker = units[key].parts[0];
  const b = marker.bounds;
  const hits = [];
  for (const [u, unit] of Object.entries(units)) {
    if (u === key) continue;
    unit.parts.forEach((p, i) => {
      const pb = p.bounds;
      if (!p.marker && !(pb.e < b.w || pb.w > b.e || pb.n < b.s || pb.s > b.n)) hits.push({ u, i });
    });
  }
  // A marker no neighbour's border touches (alone in the sea, or inside one
  // neighbour that encloses it whole) stands for its area only: the program
  // leaves it out where an exercise does not ask it, and the sea or the
  // neighbour around it shows there. One whose neighbours run along its edge
  // stays drawn, as their borders would draw it anyway.
  marker.alone = true;
  if (!hits.length) return;
  const { disc, pieces } = geo.cutConvex(marker.ring, hits.map((h) => units[h.u].parts[h.i].ring));
  if (disc.length > MAX_VERTICES) throw new Error(`marker ${key} has ${disc.length} vertices`);
  marker.ring = disc;
  marker.alone = hits.every((h, n) => pieces[n].length === 1 && pieces[n][0] === units[h.u].parts[h.i].ring);
  const gone = [];
  hits.forEach((h, n) => {
    const unit = units[h.u];
    const part = unit.parts[h.i];
    const left = pieces[n];
    if (left.length === 1 && left[0] === part.ring) return;
    if (!left.length) {
      gone.push(h);
      return;
    }
    left.sort((x, y) => geo.ringArea(y) - geo.ringArea(x) || x[0][0] - y[0][0]);
    const made = left.map((ring) => {
      if (ring.length > MAX_VERTICES) throw new Error(`${h.u} has ${ring.length} vertices after the cut of marker ${key}`);
      // The old fill point stays where it is still well inside.
      const [flat, flon] = part.fill1;
      const still = geo.pointInRing(flon, flat, ring) && geo.edgeDistance(flon, flat, [ring], Math.cos(flat * Math.PI / 180)) > part.inner / 2;
      const pole = still ? null : geo.poleOfInaccessibility([ring, ...part.holes], [], 0.002);
      const fill = still ? part.fill1 : [geo.round4(pole.lat), geo.round4(pole.lon)];
      // So does the second point, in the lobe beyond a neck, unless the cut took it.
      const [slat, slon] = part.fill2 || part.fill1;
      const keep2 = still && geo.pointInRing(slon, slat, ring) && geo.edgeDistance(slon, slat, [ring], Math.cos(slat * Math.PI / 180)) > 0;
      return { ring, holes: part.holes, fill1: fill, fill2: keep2 ? [slat, slon] : fill, bounds: geo.bbox([ring]), inner: still ? part.inner : pole.dist };
    });
    unit.parts[h.i] = made[0];
    unit.parts.push(...made.slice(1));
  });
  for (const h of gone.sort((x, y) => y.i - x.i)) if (units[h.u].parts.length > 1) units[h.u].parts.splice(h.i, 1);
}

module.exports = { buildMapUnits, buildLakes, applyMarkers, polygonsOf, lostIsland, pinToCoast, MAX_VERTICES };
