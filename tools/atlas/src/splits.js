'use strict';
// Divisions split after the border source was made: India's Telangana (from
// Andhra Pradesh, 2014) and Ladakh (from Jammu and Kashmir, 2019). The new
// unit is our own old unit cut by the new unit's outline from world-geojson,
// and the old unit keeps the rest, so the country's outer border stays the
// one our border policy draws and only the new inner line comes from there.
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const geo = require('./geo');

const MAPSHAPER = path.join(__dirname, '..', 'node_modules', '.bin', 'mapshaper');
const OUTLINES = path.join(__dirname, '..', 'node_modules', 'world-geojson', 'states');

// country, the source's name of the old unit, the new unit's name (a name the
// division table knows) and its outline in world-geojson.
const SPLITS = [
  { country: 'IND', from: 'Andhra Pradesh', name: 'Telangana', outline: 'india/telangana.json' },
  { country: 'IND', from: 'Jammu and Kashmir', name: 'Ladakh', outline: 'india/ladakh.json' },
];

// A piece smaller than this share of the old unit that touches the other side
// of the cut is a sliver between two sources' lines of the same outer border:
// it goes to the side it touches, so no strip of one unit runs along the other.
const SLIVER_SHARE = 0.01;

function polygonsOf(g) {
  if (!g) return [];
  if (g.type === 'Polygon') return [g.coordinates];
  if (g.type === 'MultiPolygon') return g.coordinates;
  if (g.type === 'GeometryCollection') return g.geometries.flatMap(polygonsOf);
  return [];
}

const polyArea = (poly) => geo.ringArea(poly[0]) - poly.slice(1).reduce((s, r) => s + geo.ringArea(r), 0);
const ptKey = (p) => `${p[0]},${p[1]}`;

function runMapshaper(args) {
  execFileSync(MAPSHAPER, ['-quiet', ...args], { stdio: ['ignore', 'inherit', 'inherit'] });
}

// Cuts `geometry` (the old unit) by `cutter`: returns { inside, outside },
// each a list of polygons. The pieces meet along the cutter's line, vertex
// for vertex, so a later dissolve with shared topology sees one border.
function cutByOutline(geometry, cutter) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'atlas-split-'));
  try {
    const unitFile = path.join(dir, 'unit.json');
    const cutFile = path.join(dir, 'cut.json');
    fs.writeFileSync(unitFile, JSON.stringify({ type: 'FeatureCollection', features: [{ type: 'Feature', properties: {}, geometry }] }));
    fs.writeFileSync(cutFile, JSON.stringify({ type: 'FeatureCollection', features: [{ type: 'Feature', properties: {}, geometry: cutter }] }));
    // Without attributes mapshaper writes a GeometryCollection.
    const read = (f) => {
      const j = JSON.parse(fs.readFileSync(f));
      return j.features ? j.features.flatMap((ft) => polygonsOf(ft.geometry)) : polygonsOf(j);
    };
    const inFile = path.join(dir, 'in.json');
    const outFile = path.join(dir, 'out.json');
    // Both runs snap the same way, so the points on the cut are the same.
    runMapshaper(['-i', unitFile, '-clip', cutFile, '-explode', '-o', inFile, 'format=geojson', 'precision=0.00001']);
    runMapshaper(['-i', unitFile, '-erase', cutFile, '-explode', '-o', outFile, 'format=geojson', 'precision=0.00001']);
    return { inside: read(inFile), outside: read(outFile) };
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

// Hands each small piece that touches the other side to that side; islands
// and the large pieces stay where the cut put them.
function settleSlivers({ inside, outside }) {
  const total = [...inside, ...outside].reduce((s, p) => s + polyArea(p), 0);
  const points = (polys) => new Set(polys.flatMap((p) => p[0].map(ptKey)));
  const settle = (own, other) => {
    const otherPts = points(other);
    const largest = own.reduce((b, p) => (!b || polyArea(p) > polyArea(b) ? p : b), null);
    const keep = [], give = [];
    for (const p of own) {
      const small = p !== largest && polyArea(p) < SLIVER_SHARE * total;
      (small && p[0].some((q) => otherPts.has(ptKey(q))) ? give : keep).push(p);
    }
    return { keep, give };
  };
  const a = settle(inside, outside);
  const b = settle(outside, inside);
  return { inside: a.keep.concat(b.give), outside: b.keep.concat(a.give) };
}

function splitUnit(geometry, cutter) {
  return settleSlivers(cutByOutline(geometry, cutter));
}

// Replaces each old unit in `sources.features` by its two parts; returns the
// figures of the cut (areas in square degrees, vertices, pieces).
function applySplits(sources, outlinesDir = OUTLINES) {
  const figures = {};
  for (const s of SPLITS) {
    const i = sources.features.findIndex((f) => f.country === s.country && f.props.adm0_a3 === s.country && f.props.name === s.from);
    if (i < 0) throw new Error(`no ${s.from} to split ${s.name} from`);
    const old = sources.features[i];
    const outline = JSON.parse(fs.readFileSync(path.join(outlinesDir, s.outline)));
    const cutter = { type: 'MultiPolygon', coordinates: outline.features.flatMap((f) => polygonsOf(f.geometry)) };
    const { inside, outside } = splitUnit(old.geometry, cutter);
    if (!inside.length || !outside.length) throw new Error(`cutting ${s.name} from ${s.from} left an empty side`);
    const part = (name, polys) => ({ ...old, props: { ...old.props, name }, geometry: { type: 'MultiPolygon', coordinates: polys } });
    sources.features.splice(i, 1, part(s.from, outside), part(s.name, inside));
    const area = (polys) => Math.round(polys.reduce((t, p) => t + polyArea(p), 0) * 1e4) / 1e4;
    const verts = (polys) => polys.reduce((t, p) => t + p.reduce((u, r) => u + r.length, 0), 0);
    figures[s.name] = {
      from: s.from, oldArea: area(polygonsOf(old.geometry)), area: area(inside), restArea: area(outside),
      vertices: verts(inside), restVertices: verts(outside), pieces: inside.length, restPieces: outside.length,
    };
  }
  return figures;
}

module.exports = { applySplits, splitUnit, SPLITS };
