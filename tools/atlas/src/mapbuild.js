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
  if (!c) return null;
  return def.shift && def.shift({ e: c[0] }) ? [c[0] + def.shift({ e: c[0] }), c[1]] : c;
}

// The polygon (outer ring first) that holds a point, or the nearest one
// within a third of a degree: simplification may leave a coastal capital
// just outside its island.
function partHolding(polys, pt) {
  if (!pt) return -1;
  let best = -1, bd = 0.33;
  polys.forEach((poly, i) => {
    const d = geo.pointInRing(pt[0], pt[1], poly[0]) ? 0 : geo.edgeDistance(pt[0], pt[1], [poly[0]], Math.cos(pt[1] * Math.PI / 180));
    if (d < bd || (d === 0 && best < 0)) { bd = d; best = i; }
  });
  return best;
}

function buildMapUnits(def, sources, lakes, workDir, capitals = {}) {
  const meta = {};
  const feats = [];
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
      feats.push({ type: 'Feature', properties: { unit }, geometry: { type: 'Polygon', coordinates: p } });
    }
  }
  const simplified = simplifyUnits(workDir, `map${def.number}`, feats, def);
  for (const [u, m] of Object.entries(meta)) {
    if (m.overlayParts) simplified[u] = m.overlayParts.map((poly) => poly.map((r) => geo.cleanRing(r)));
  }
  const lakeRings = lakes.map((l) => l.ring);
  const units = {};
  for (const u of Object.keys(simplified).sort()) {
    const polys = simplified[u]
      .map((poly) => poly.map((r) => geo.cleanRing(r)).filter((r) => r.length >= 3))
      .filter((poly) => poly.length && poly[0].length >= 3);
    if (!polys.length) continue;
    polys.sort((a, b) => geo.ringArea(b[0]) - geo.ringArea(a[0]) || a[0][0][0] - b[0][0][0]);
    // The island of the capital stays, however small: a capital must lie on
    // its own country.
    const capitalPart = partHolding(polys, capitalOf(capitals, def, u));
    let kept = polys.filter((p, i) => i === 0 || i === capitalPart || partPixels(p, def.refView) >= def.minPartPx);
    if (kept.length > def.maxParts) kept = kept.filter((p, i) => i < def.maxParts - 1 || p === polys[capitalPart]).slice(0, def.maxParts);
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

module.exports = { buildMapUnits, buildLakes, applyMarkers, polygonsOf, MAX_VERTICES };
