'use strict';
// The six maps, their sea point files, the divisions of countries and the
// exercise sets of every page.
const { View } = require('./projection');
const geo = require('./geo');

const PAGE_TEXT = {
  EUR: ['Europa', 'Europe', 'Europe', 'Europa', 'Europa', 'Europa', 'Europa', 'Europa', 'Europa'],
  NOR: ['Nordamerika', 'North America', 'Amérique du Nord', 'Nordamerika', 'América del Norte', 'America del Nord', 'Nordamerika', 'Noord-Amerika', 'América do Norte'],
  SYD: ['Sydamerika', 'South America', 'Amérique du Sud', 'Südamerika', 'América del Sur', 'America del Sud', 'Sydamerika', 'Zuid-Amerika', 'América do Sul'],
  ASI: ['Asien', 'Asia', 'Asie', 'Asien', 'Asia', 'Asia', 'Asien', 'Azië', 'Ásia'],
  AFR: ['Afrika', 'Africa', 'Afrique', 'Afrika', 'África', 'Africa', 'Afrika', 'Afrika', 'África'],
  AUS: ['Oceanien', 'Oceania', 'Océanie', 'Ozeanien', 'Oceanía', 'Oceania', 'Oceanien', 'Oceanië', 'Oceania'],
  '*': ['Världen', 'The world', 'Le monde', 'Die Welt', 'El mundo', 'Il mondo', 'Verden', 'De wereld', 'O mundo'],
};

function mapDefs() {
  return [
    {
      number: 1, bbox: { w: -180, s: -60, e: 180, n: 84 }, interval: 15000, clip: true,
      refView: new View(84, -58, 10, 1020, 700), minPartPx: 10, maxParts: 10,
    },
  ];
}

const SEA_FILES = { 'Hav1.crp': [1, 4], 'Hav2.crp': [2], 'Hav3.crp': [3], 'Hav5.crp': [5], 'Hav6.crp': [6] };
const SEA_STEP = { 'Hav1.crp': 4, 'Hav2.crp': 2, 'Hav3.crp': 3, 'Hav5.crp': 3, 'Hav6.crp': 1.5 };

function subdivisionNames(key) { return Array(9).fill(key); }
function subdivisionFlag() { return ''; }
function subdivisionOfPoint() { return () => null; }

// Part keys of countries that lie on two continent pages, for the place
// exercises of one page.
function placePartKey(p) {
  if (p.group1 === 'RUS') return p.lon < 60 ? 'RUS-EU' : 'RUS-AS';
  return null;
}

function exercises(ctx) {
  const { maps, countries, places, cat } = ctx;
  const list = [];
  const m1 = maps[1];
  const unitMain = (m, key) => (m.units[key] ? m.units[key].parts[0] : null);
  const pxSize = (v, b) => {
    const lat = Math.max(Math.abs(b.n), Math.abs(b.s)) > 89 ? 0 : (b.n + b.s) / 2;
    return Math.max((b.e - b.w) * v.pxPerDegLon(lat), (b.n - b.s) * v.pxPerDegLat());
  };
  for (const p of places) { const k = placePartKey(p); if (k && !p.group2) p.group2 = k; }
  const placesOf = (key) => places.filter((p) => p.group1 === key || p.group2 === key || p.group3 === key);

  let number = 0;
  const add = (e) => {
    e.number = ++number;
    if (e.number > 190) throw new Error('more than 190 exercises');
    e.lineWidth = e.lineWidth || 1;
    list.push(e);
  };

  function boundsOf(m, keys, focus) {
    let b = null;
    for (const k of keys) {
      const p = unitMain(m, k);
      if (!p) continue;
      let pb = { ...p.bounds };
      if (focus) pb = { w: Math.max(pb.w, focus.w), e: Math.min(pb.e, focus.e), s: Math.max(pb.s, focus.s), n: Math.min(pb.n, focus.n) };
      if (pb.w > pb.e || pb.s > pb.n) continue;
      b = b ? { w: Math.min(b.w, pb.w), e: Math.max(b.e, pb.e), s: Math.min(b.s, pb.s), n: Math.max(b.n, pb.n) } : pb;
    }
    return b;
  }
  const inView = (v, lat, lon) => {
    const y = v.latToY(lat), x = v.posToX(lat, lon);
    return y > 5 && y < v.H - 5 && x > 5 && x < v.W - 5;
  };

  // One region: a page, a name, the countries, the map, an optional focus box.
  function regionSet(r) {
    const m = maps[r.map];
    const area = (k) => geo.ringArea(unitMain(m, k).ring);
    const keys = r.keys.filter((k) => m.units[k]).sort((a, c) => area(c) - area(a) || a.localeCompare(c)).slice(0, r.maxKeys || 190);
    const b = boundsOf(m, keys, r.focus);
    const view = cat.viewFor(b);
    const v = new View(view.n, view.s, view.c, cat.REF_W, cat.REF_H);
    const big = keys.filter((k) => pxSize(v, unitMain(m, k).bounds) >= 10);
    const base = { continent: r.page, map: r.map, placeFile: 1, view, level: 9 };
    const t = (kind) => cat.title(kind, r.names);
    if (r.kinds.includes('countries') && big.length >= 2) add({ ...base, kind: 'AREA', titles: t('countries'), keys: big.slice(0, 190) });
    // Place keys: the countries, with a transcontinental country replaced by its part on this page.
    const placeKeys = keys.map((k) => (k === 'RUS' ? (r.page === 'EUR' ? 'RUS-EU' : 'RUS-AS') : k));
    const visible = (sel) => placeKeys.filter((k) => {
      const ps = placesOf(k).filter(sel);
      return ps.length && ps.every((p) => inView(v, p.lat, p.lon));
    });
    const caps = visible((p) => p.cat1);
    if (r.kinds.includes('capitals') && caps.length >= 2) add({ ...base, kind: 'ORT', titles: t('capitals'), keys: caps, level: 1, cat1: true });
    const cityKeys = visible((p) => p.level <= 3);
    if (r.kinds.includes('cities') && cityKeys.length >= 1) add({ ...base, kind: 'ORT', titles: t('cities'), keys: cityKeys, level: 3, lineWidth: 1 });
    const flagged = keys.filter((k) => ctx.flagFor(countries[k].a2));
    if (r.kinds.includes('flags') && flagged.length >= 4) add({ ...base, kind: 'FLAGG', titles: t('flags'), keys: flagged.slice(0, 190) });
    const withCap = keys.filter((k) => placesOf(k).some((p) => p.cat1));
    if (r.kinds.includes('capitalCountry') && withCap.length >= 4) add({ ...base, kind: 'MULTI', titles: t('capitalCountry'), keys: withCap, level: 1, cat1: true });
    const withCity = keys.filter((k) => placesOf(k).some((p) => p.level <= 3));
    if (r.kinds.includes('cityCountry') && withCity.length >= 4) add({ ...base, kind: 'MULTI', titles: t('cityCountry'), keys: withCity, level: 3 });
  }

  const ALL = ['countries', 'capitals', 'cities', 'flags', 'capitalCountry', 'cityCountry'];
  const byPage = (page) => Object.keys(m1.units).filter((k) => {
    const u = m1.units[k];
    const c = countries[u.meta.territory || u.meta.country];
    return c.page === page && !u.meta.sub;
  });
  const FOCUS = {
    EUR: { w: -25, e: 45, s: 34, n: 71.5 }, NOR: { w: -170, e: -10, s: 7, n: 84 }, SYD: { w: -92, e: -30, s: -56, n: 13 },
    ASI: { w: 25, e: 150, s: -11, n: 78 }, AFR: { w: -26, e: 64, s: -35, n: 38 }, AUS: { w: 110, e: 180, s: -48, n: 0 },
  };
  for (const page of ['EUR', 'NOR', 'SYD', 'ASI', 'AFR', 'AUS']) {
    regionSet({ page, names: PAGE_TEXT[page], map: 1, keys: byPage(page), focus: FOCUS[page], kinds: ALL });
  }
  // The whole world: the countries big enough to click at world scale.
  const world = Object.keys(m1.units).filter((k) => !m1.units[k].meta.sub);
  regionSet({ page: '*', names: PAGE_TEXT['*'], map: 1, keys: world, focus: { w: -180, e: 180, s: -56, n: 84 }, kinds: ALL });
  return list;
}

module.exports = { mapDefs, SEA_FILES, SEA_STEP, subdivisionNames, subdivisionFlag, subdivisionOfPoint, exercises, PAGE_TEXT };
