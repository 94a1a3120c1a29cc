'use strict';
// Counts what a teacher would notice in a data set, read back from its files:
// places named alike in all nine languages, capitals no place exercise asks,
// asked places and areas off the view at the four check sizes, capitals far
// from their country, countries of the world map no world exercise asks,
// flag exercises with two equal flags and exercises that select the same.
// usage: node scripts/figures.js DATASET_DIR [--list]
const fs = require('fs');
const path = require('path');
const { CrpReader } = require('../src/crp');
const { View, visiblePixels } = require('../src/projection');
const geo = require('../src/geo');

const SIZES = [[1020, 700], [1362, 700], [1916, 1000], [2556, 1380]];
const FRAME = 6;
const { MIN_APART_PX } = require('../src/projection');

function readAll(file, record) {
  const r = new CrpReader(fs.readFileSync(file));
  const out = [];
  while (!r.atEnd()) out.push(record(r));
  return out;
}
const deg = (r) => r.int32() / 10000;
const names9 = (r) => Array.from({ length: 9 }, () => r.text());

function readCatalogue(file) {
  return readAll(file, (r) => {
    const e = { kind: r.text(), titles: names9(r) };
    e.number = r.int16(); e.level = r.byte(); e.lineWidth = r.byte(); e.cat1 = !!r.byte(); e.cat2 = !!r.byte(); r.byte();
    e.map = r.int16(); e.placeFile = r.int16(); e.continent = r.text();
    r.int32(); r.int32(); r.int32();
    e.n = deg(r); e.s = deg(r); e.c = deg(r);
    const k = r.int16();
    e.keys = Array.from({ length: k }, () => r.text());
    return e;
  });
}
function readAreas(file) {
  return readAll(file, (r) => {
    const a = { key: r.text(), group1: r.text(), group2: r.text(), names: names9(r), flag: r.text() };
    r.int16();
    const n = r.int16();
    a.n = deg(r); a.s = deg(r); a.e = deg(r); a.w = deg(r);
    a.fill1 = [deg(r), deg(r)]; a.fill2 = [deg(r), deg(r)];
    a.points = Array.from({ length: n }, () => { const lat = deg(r); return [deg(r), lat]; });
    return a;
  });
}
function readPlaces(file) {
  return readAll(file, (r) => {
    const p = { key: r.text(), names: names9(r) };
    p.level = r.int16(); p.cat1 = !!r.byte(); p.cat2 = !!r.byte();
    p.group1 = r.text(); p.group2 = r.text(); p.group3 = r.text();
    p.lat = deg(r); p.lon = deg(r);
    return p;
  });
}

const matches = (a, key) => a.key === key || a.group1 === key || a.group2 === key || a.key.startsWith(`${key}.`);
function select(places, e) {
  const keys = new Set(e.keys);
  return places.filter((p) => p.level <= e.level && (!e.cat1 || p.cat1) && (!e.cat2 || p.cat2) &&
    (keys.has(p.group1) || keys.has(p.group2) || keys.has(p.group3)));
}
const inFrame = (v, x, y) => x >= FRAME && x < v.W - FRAME && y >= FRAME && y < v.H - FRAME;

function pixelArea(v, ring) {
  let t = 0;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
    t += (v.posToX(ring[j][1], ring[j][0]) + v.posToX(ring[i][1], ring[i][0])) * (v.latToY(ring[j][1]) - v.latToY(ring[i][1]));
  }
  return Math.abs(t) / 2;
}

// Pixel distance from a place to the nearest drawn polygon of its country.
function pixelDistance(v, p, rings) {
  const px = v.posToX(p.lat, p.lon), py = v.latToY(p.lat);
  let best = Infinity;
  for (const ring of rings) {
    const pts = ring.map(([lon, lat]) => [v.posToX(lat, lon), v.latToY(lat)]);
    if (geo.pointInRing(px, py, pts)) return 0;
    for (let i = 0, j = pts.length - 1; i < pts.length; j = i++) {
      const [ax, ay] = pts[j], [bx, by] = pts[i];
      const dx = bx - ax, dy = by - ay, l = dx * dx + dy * dy;
      const t = l ? Math.max(0, Math.min(1, ((px - ax) * dx + (py - ay) * dy) / l)) : 0;
      best = Math.min(best, Math.hypot(px - ax - t * dx, py - ay - t * dy));
    }
  }
  return best;
}

// The multiple-choice data test's coast allowance: towns are placed finer
// than coasts are drawn.
const COAST_KM = 15;
function kilometresTo(p, ring) {
  if (geo.pointInRing(p.lon, p.lat, ring)) return 0;
  const kx = 111.32 * Math.cos(p.lat * Math.PI / 180), ky = 110.57;
  let best = Infinity;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
    const ax = (ring[j][0] - p.lon) * kx, ay = (ring[j][1] - p.lat) * ky;
    const bx = (ring[i][0] - p.lon) * kx, by = (ring[i][1] - p.lat) * ky;
    const dx = bx - ax, dy = by - ay, l = dx * dx + dy * dy;
    const t = l ? Math.max(0, Math.min(1, -(ax * dx + ay * dy) / l)) : 0;
    best = Math.min(best, Math.hypot(ax + t * dx, ay + t * dy));
  }
  return best;
}

function figures(dir) {
  const cat = readCatalogue(path.join(dir, 'Ovning.crp'));
  const places = readPlaces(path.join(dir, 'Ort1.crp'));
  const areas = {};
  for (let m = 1; m <= 6; m++) areas[m] = readAreas(path.join(dir, `AREA${m}.crp`));
  const out = { list: {} };
  const note = (what, line) => (out.list[what] = out.list[what] || []).push(line);

  out.places = places.filter((p) => !p.key.endsWith('+')).length;
  out.sameNameInAllNine = places.filter((p) => !p.key.endsWith('+')).filter((p) => p.names.every((n) => n === p.names[0])).length;

  const asked = new Set();
  const worldAsked = new Set();
  for (const e of cat.filter((x) => x.kind === 'ORT')) for (const p of select(places, e)) { asked.add(p); if (e.continent === '*') worldAsked.add(p); }
  const capitals = places.filter((p) => p.cat1 && !p.key.endsWith('+'));
  out.capitals = capitals.length;
  out.capitalsNeverAsked = capitals.filter((p) => !asked.has(p)).length;
  const worldCaps = cat.find((e) => e.kind === 'ORT' && e.continent === '*' && e.cat1);
  out.capitalsNotInWorldCapitals = worldCaps ? capitals.filter((p) => !select(places, worldCaps).includes(p)).length : capitals.length;
  for (const p of capitals) if (!asked.has(p)) note('capitalNeverAsked', `${p.names[1]} (${p.group1})`);

  let offPlaces = 0, offAreas = 0, far = 0;
  for (const e of cat) {
    if (e.kind !== 'ORT' && e.kind !== 'AREA') continue;
    const list = areas[e.map];
    for (const [W, H] of SIZES) {
      const v = new View(e.n, e.s, e.c, W, H);
      if (e.kind === 'ORT') {
        for (const p of select(places, e)) {
          if (!inFrame(v, v.posToX(p.lat, p.lon), v.latToY(p.lat))) { offPlaces++; note('offscreenPlace', `${e.number} ${W}x${H} ${p.names[1]}`); continue; }
          const rings = list.filter((a) => a.points.length && matches(a, p.group1.replace(/\+$/, ''))).map((a) => a.points);
          const d = pixelDistance(v, p, rings);
          if (d > 4) { far++; note('farFromCountry', `${e.number} ${W}x${H} ${p.names[1]} (${p.group1}) ${d.toFixed(0)} px`); }
        }
      } else {
        for (const k of e.keys) {
          let seen = 0, whole = 0;
          for (const a of list.filter((x) => x.points.length && matches(x, k))) {
            seen += visiblePixels(v, a.points);
            whole += pixelArea(v, a.points);
          }
          if (!(seen > 0 && seen >= Math.min(30, whole / 2))) { offAreas++; note('offscreenArea', `${e.number} ${W}x${H} ${k} ${seen.toFixed(0)} of ${whole.toFixed(0)} px`); }
        }
      }
    }
  }
  // Two asked places of one place exercise closer than a click can tell
  // apart (the program judges a click by the nearest asked place).
  let close = 0;
  for (const e of cat.filter((x) => x.kind === 'ORT')) {
    const ps = select(places, e);
    for (const [W, H] of SIZES) {
      const v = new View(e.n, e.s, e.c, W, H);
      const xy = ps.map((p) => [v.posToX(p.lat, p.lon), v.latToY(p.lat)]);
      for (let i = 0; i < ps.length; i++) for (let j = i + 1; j < ps.length; j++) {
        const d = Math.hypot(xy[i][0] - xy[j][0], xy[i][1] - xy[j][1]);
        if (d < MIN_APART_PX) { close++; note('placesTooClose', `${e.number} ${e.titles[1]} ${W}x${H} ${ps[i].names[1]} / ${ps[j].names[1]} ${d.toFixed(1)} px`); }
      }
    }
  }
  out.askedPlacePairsTooClose = close;
  out.offscreenPlaces = offPlaces;
  out.offscreenAreas = offAreas;
  out.placesFarFromCountry = far;

  const worldKeys = new Set(cat.filter((e) => e.continent === '*').flatMap((e) => e.keys));
  const map1 = areas[1].filter((a) => a.points.length && !a.key.includes('.') && a.key && !a.group1);
  out.map1CountriesNotAskedOnWorldPage = map1.filter((a) => !worldKeys.has(a.key)).length;
  for (const a of map1) if (!worldKeys.has(a.key)) note('worldNotAsked', a.key);
  const map1Caps = new Set(capitals.map((p) => p.group1));
  out.map1CountriesWithoutCapital = map1.filter((a) => !map1Caps.has(a.key)).length;
  for (const a of map1) if (!map1Caps.has(a.key)) note('noCapital', a.key);

  let sameFlags = 0;
  for (const e of cat.filter((x) => x.kind === 'FLAGG')) {
    const seen = {};
    for (const k of e.keys) {
      const a = areas[e.map].find((x) => x.key === k);
      // Territories may carry a different file with the same picture.
      const file = a ? path.join(dir, 'flags', a.flag) : '';
      const f = a && a.flag && fs.existsSync(file) ? require('crypto').createHash('sha1').update(fs.readFileSync(file)).digest('hex') : `none ${k}`;
      if (seen[f]) { sameFlags++; note('sameFlag', `${e.number} ${seen[f]} ${k} ${a.flag}`); } else seen[f] = k;
    }
  }
  out.flagExercisesSharedFlags = sameFlags;

  // Every multiple-choice question as the program asks it: the answer is the
  // last of the exercise's keys the place is in, and the place must lie in
  // (or within the coast allowance of) that key's areas on the exercise's map.
  let multiOutside = 0;
  for (const e of cat.filter((x) => x.kind === 'MULTI')) {
    const list = areas[e.map];
    for (const p of select(places, e)) {
      let key = '';
      for (const k of e.keys) if (p.group1 === k || p.group2 === k || p.group3 === k) key = k;
      if (!list.some((a) => a.key === key)) continue; // no name to ask: the program leaves it out
      const own = list.filter((a) => a.points.length && (a.key === key || a.group1 === key || a.group2 === key));
      const km = Math.min(...own.map((a) => kilometresTo(p, a.points)));
      if (km > COAST_KM) { multiOutside++; note('multiOutside', `${e.number} ${p.key} ${p.names[1]} (${key}) ${km.toFixed(0)} km`); }
    }
  }
  out.multiChoiceOutsideOwnCountry = multiOutside;

  // Map 1's keys whose flag shows the same picture as another key's.
  const byPicture = {};
  for (const a of areas[1].filter((x) => x.points.length && !x.key.includes('.') && x.flag)) {
    const file = path.join(dir, 'flags', a.flag);
    if (!fs.existsSync(file)) continue;
    const h = require('crypto').createHash('sha1').update(fs.readFileSync(file)).digest('hex');
    (byPicture[h] = byPicture[h] || []).push(a.key);
  }
  const shared = Object.values(byPicture).filter((ks) => ks.length > 1);
  out.map1KeysSharingAFlagPicture = shared.reduce((s, ks) => s + ks.length, 0);
  for (const ks of shared) note('sharedFlagPicture', ks.join(' '));

  const sig = {};
  let samePairs = 0;
  for (const e of cat) {
    let s;
    if (e.kind === 'AREA' || e.kind === 'FLAGG') s = `${e.kind} ${[...e.keys].sort().join(',')}`;
    else s = `${e.kind} ${select(places, e).map((p) => p.key).sort().join(',')}`;
    if (sig[s]) { samePairs++; note('sameExercise', `${sig[s]} ${e.number} ${e.titles[1]}`); } else sig[s] = `${e.number} ${e.titles[1]} =`;
  }
  out.exercisePairsSelectingTheSame = samePairs;
  return out;
}

if (require.main === module) {
  const f = figures(process.argv[2]);
  const list = f.list;
  delete f.list;
  console.log(JSON.stringify(f, null, 1));
  if (process.argv.includes('--list')) for (const [k, v] of Object.entries(list)) { console.log(`== ${k} (${v.length})`); for (const l of v.slice(0, 400)) console.log(l); }
}

module.exports = { figures, readCatalogue, readAreas, readPlaces };
