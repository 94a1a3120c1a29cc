'use strict';
// The six maps, their sea point files, and the exercise sets of every page.
const { View, CHECK_SIZES, MIN_APART_PX, inFrame, visiblePixels } = require('./projection');
const geo = require('./geo');
const { byText } = require('./order');
const { DIVIDE, subdivisionNames, subdivisionFlag } = require('./subdivisions');
const { regionKey } = require('./places');

const PAGE_TEXT = {
  EUR: ['Europa', 'Europe', 'Europe', 'Europa', 'Europa', 'Europa', 'Europa', 'Europa', 'Europa'],
  NOR: ['Nordamerika', 'North America', 'Amérique du Nord', 'Nordamerika', 'América del Norte', 'America del Nord', 'Nordamerika', 'Noord-Amerika', 'América do Norte'],
  SYD: ['Sydamerika', 'South America', 'Amérique du Sud', 'Südamerika', 'América del Sur', 'America del Sud', 'Sydamerika', 'Zuid-Amerika', 'América do Sul'],
  ASI: ['Asien', 'Asia', 'Asie', 'Asien', 'Asia', 'Asia', 'Asien', 'Azië', 'Ásia'],
  AFR: ['Afrika', 'Africa', 'Afrique', 'Afrika', 'África', 'Africa', 'Afrika', 'Afrika', 'África'],
  AUS: ['Oceanien', 'Oceania', 'Océanie', 'Ozeanien', 'Oceanía', 'Oceania', 'Oceanien', 'Oceanië', 'Oceania'],
  '*': ['Världen', 'The world', 'Le monde', 'Die Welt', 'El mundo', 'Il mondo', 'Verden', 'De wereld', 'O mundo'],
};
const REGION_TEXT = {
  nordic: ['Norden', 'The Nordic countries', 'Pays nordiques', 'Nordische Länder', 'Países nórdicos', 'Paesi nordici', 'Norden', 'Noordse landen', 'Países nórdicos'],
  balkans: ['Balkan', 'The Balkans', 'Balkans', 'Balkan', 'Balcanes', 'Balcani', 'Balkan', 'Balkan', 'Bálcãs'],
  westEurope: ['Västeuropa', 'Western Europe', 'Europe de l\'Ouest', 'Westeuropa', 'Europa occidental', 'Europa occidentale', 'Vesteuropa', 'West-Europa', 'Europa Ocidental'],
  eastEurope: ['Östeuropa', 'Eastern Europe', 'Europe de l\'Est', 'Osteuropa', 'Europa oriental', 'Europa orientale', 'Østeuropa', 'Oost-Europa', 'Europa Oriental'],
  centralAmerica: ['Centralamerika', 'Central America', 'Amérique centrale', 'Mittelamerika', 'América Central', 'America centrale', 'Mellemamerika', 'Midden-Amerika', 'América Central'],
  caribbean: ['Karibien', 'The Caribbean', 'Caraïbes', 'Karibik', 'Caribe', 'Caraibi', 'Caribien', 'Caraïben', 'Caribe'],
  middleEast: ['Mellanöstern', 'The Middle East', 'Moyen-Orient', 'Naher Osten', 'Oriente Medio', 'Medio Oriente', 'Mellemøsten', 'Midden-Oosten', 'Oriente Médio'],
  southeastAsia: ['Sydostasien', 'Southeast Asia', 'Asie du Sud-Est', 'Südostasien', 'Sudeste Asiático', 'Sud-est asiatico', 'Sydøstasien', 'Zuidoost-Azië', 'Sudeste Asiático'],
  eastAsia: ['Östasien', 'East Asia', 'Asie de l\'Est', 'Ostasien', 'Asia oriental', 'Asia orientale', 'Østasien', 'Oost-Azië', 'Ásia Oriental'],
  southAsia: ['Sydasien', 'South Asia', 'Asie du Sud', 'Südasien', 'Asia del Sur', 'Asia meridionale', 'Sydasien', 'Zuid-Azië', 'Sul da Ásia'],
  centralAsia: ['Centralasien', 'Central Asia', 'Asie centrale', 'Zentralasien', 'Asia Central', 'Asia centrale', 'Centralasien', 'Centraal-Azië', 'Ásia Central'],
  northAfrica: ['Nordafrika', 'North Africa', 'Afrique du Nord', 'Nordafrika', 'África del Norte', 'Africa settentrionale', 'Nordafrika', 'Noord-Afrika', 'Norte da África'],
  westAfrica: ['Västafrika', 'West Africa', 'Afrique de l\'Ouest', 'Westafrika', 'África Occidental', 'Africa occidentale', 'Vestafrika', 'West-Afrika', 'África Ocidental'],
  eastAfrica: ['Östafrika', 'East Africa', 'Afrique de l\'Est', 'Ostafrika', 'África Oriental', 'Africa orientale', 'Østafrika', 'Oost-Afrika', 'África Oriental'],
  centralAfrica: ['Centralafrika', 'Central Africa', 'Afrique centrale', 'Zentralafrika', 'África Central', 'Africa centrale', 'Centralafrika', 'Centraal-Afrika', 'África Central'],
  southernAfrica: ['Södra Afrika', 'Southern Africa', 'Afrique australe', 'Südliches Afrika', 'África austral', 'Africa meridionale', 'Det sydlige Afrika', 'Zuidelijk Afrika', 'África Austral'],
  pacific: ['Stillahavsöarna', 'The Pacific islands', 'Îles du Pacifique', 'Pazifikinseln', 'Islas del Pacífico', 'Isole del Pacifico', 'Stillehavsøerne', 'Eilanden in de Stille Oceaan', 'Ilhas do Pacífico'],
};

// The second set of the world page: the countries and territories beyond the
// 190 keys an exercise holds, so that every one of them is asked somewhere
// (a short name: the menu's list shows titles of about 260 pixels).
const WORLD_SMALL_TEXT = ['Små länder', 'Small countries', 'Petits pays', 'Kleinstaaten', 'Países pequeños', 'Piccoli paesi', 'Små lande', 'Kleine landen', 'Países pequenos'];

const SHIFT_WEST_PACIFIC = (b) => (b.e < -100 ? 360 : 0);

function mapDefs() {
  const v = (n, s, c) => new View(n, s, c, 1020, 700);
  return [
    // Maps 1 and 2 draw the Vatican on top of Italy (overlays), so that its
    // capital is asked on the world's and Europe's maps.
    { number: 1, bbox: { w: -180, s: -60, e: 180, n: 84 }, interval: 15000, refView: v(84, -58, 10), minPartPx: 10, maxParts: 10, noMarkers: true, overlays: true },
    { number: 2, bbox: { w: -50, s: 22, e: 80, n: 84 }, interval: 3000, refView: v(72, 33, 12), minPartPx: 8, maxParts: 10, overlays: true },
    { number: 3, bbox: { w: -180, s: -60, e: -10, n: 84 }, interval: 6000, refView: v(84, -56, -80), minPartPx: 8, maxParts: 10, subdivide: pick(['USA', 'CAN', 'MEX', 'BRA']) },
    { number: 4, bbox: { w: -40, s: -40, e: 100, n: 56 }, interval: 5000, refView: v(42, -36, 22), minPartPx: 8, maxParts: 8, lakeMinPx: 5 },
    { number: 5, bbox: { w: 0, s: -55, e: 205, n: 82 }, interval: 6000, refView: v(80, -48, 110), minPartPx: 8, maxParts: 10, shift: SHIFT_WEST_PACIFIC, subdivide: pick(['AUS', 'IND']), lakeMinPx: 5 },
    { number: 6, bbox: { w: -30, s: 27, e: 55, n: 72 }, interval: 2000, refView: v(71.5, 34, 10), minPartPx: 8, maxParts: 10, subdivide: pick(['DEU', 'FRA', 'ITA', 'ESP', 'GBR', 'SWE', 'NOR', 'POL']), lakeMinPx: 5 },
  ];
}
function pick(keys) { return Object.fromEntries(keys.map((k) => [k, DIVIDE[k]])); }

const SEA_FILES = { 'Hav1.crp': [1, 4], 'Hav2.crp': [2], 'Hav3.crp': [3], 'Hav5.crp': [5], 'Hav6.crp': [6] };
const SEA_STEP = { 'Hav1.crp': 4, 'Hav2.crp': 2, 'Hav3.crp': 3, 'Hav5.crp': 3, 'Hav6.crp': 1.5 };

// The division of a point in a divided country, from the unsimplified
// borders; a coastal town just outside its polygon goes to the nearest one.
function subdivisionOfPoint(sources) {
  const { polygonsOf } = require('./mapbuild');
  const byCountry = {};
  for (const f of sources.features) {
    const fn = DIVIDE[f.country];
    if (!fn) continue;
    const key = fn(f.props);
    if (!key) continue;
    for (const poly of polygonsOf(f.geometry)) (byCountry[f.country] = byCountry[f.country] || []).push({ key, rings: poly, b: geo.bbox([poly[0]]) });
  }
  return (country, lon, lat) => {
    const list = byCountry[country] || [];
    for (const p of list) if (lon >= p.b.w && lon <= p.b.e && lat >= p.b.s && lat <= p.b.n && geo.pointInRings(lon, lat, p.rings)) return p.key;
    let best = null, bd = 0.5;
    for (const p of list) {
      if (lon < p.b.w - bd || lon > p.b.e + bd || lat < p.b.s - bd || lat > p.b.n + bd) continue;
      const d = geo.edgeDistance(lon, lat, [p.rings[0]], Math.cos(lat * Math.PI / 180));
      if (d < bd) { bd = d; best = p.key; }
    }
    return best;
  };
}

const ALL = ['countries', 'capitals', 'cities', 'flags', 'capitalCountry', 'cityCountry'];
const DIVISION_KINDS = ['divisions', 'divisionCapitals', 'cityDivision'];

// The exercise sets: page, name, map, the countries (or a page filter), and
// a focus box that bounds the view where countries reach far beyond it.
function regionList() {
  const R = [];
  const set = (page, names, map, keys, focus, kinds = ALL) => R.push({ page, names, map, keys, focus, kinds });
  set('EUR', PAGE_TEXT.EUR, 2, { page: 'EUR' }, { w: -25, e: 45, s: 34, n: 71.5 });
  set('EUR', REGION_TEXT.nordic, 2, ['SWE', 'NOR', 'DNK', 'FIN', 'ISL', 'FRO'], { w: -25, e: 32, s: 54.5, n: 71.5 });
  set('EUR', REGION_TEXT.westEurope, 2, ['GBR', 'IRL', 'FRA', 'BEL', 'NLD', 'LUX', 'DEU', 'CHE', 'AUT', 'LIE', 'MCO', 'AND', 'ESP', 'PRT', 'ITA', 'SMR', 'VAT', 'MLT', 'GIB'], { w: -11, e: 19, s: 35, n: 59 });
  set('EUR', REGION_TEXT.eastEurope, 2, ['RUS', 'UKR', 'BLR', 'MDA', 'POL', 'CZE', 'SVK', 'HUN', 'ROU', 'BGR', 'EST', 'LVA', 'LTU'], { w: 12, e: 50, s: 43, n: 62 });
  set('EUR', REGION_TEXT.balkans, 2, ['SVN', 'HRV', 'BIH', 'SRB', 'MNE', 'XKX', 'MKD', 'ALB', 'GRC', 'BGR', 'ROU', 'MDA'], { w: 13, e: 30, s: 34.8, n: 48.5 });
  for (const c of ['DEU', 'FRA', 'ITA', 'ESP', 'GBR', 'SWE', 'NOR', 'POL']) {
    const focus = c === 'NOR' ? { w: 4, e: 32, s: 57.5, n: 71.5 } : c === 'ESP' ? { w: -10, e: 5, s: 35.5, n: 44 } : null;
    set('EUR', null, 6, { divisionsOf: c }, focus, DIVISION_KINDS);
  }
  set('NOR', PAGE_TEXT.NOR, 3, { page: 'NOR' }, { w: -170, e: -52, s: 7, n: 72 });
  set('NOR', REGION_TEXT.centralAmerica, 3, ['MEX', 'GTM', 'BLZ', 'SLV', 'HND', 'NIC', 'CRI', 'PAN'], { w: -118, e: -77, s: 7, n: 33 });
  set('NOR', REGION_TEXT.caribbean, 3, ['CUB', 'JAM', 'HTI', 'DOM', 'BHS', 'PRI', 'TTO', 'BRB', 'DMA', 'LCA', 'VCT', 'GRD', 'ATG', 'KNA', 'ABW', 'CUW', 'GLP', 'MTQ', 'CYM', 'TCA', 'VGB', 'VIR', 'AIA', 'MSR', 'SXM', 'MAF', 'BLM'], { w: -85.5, e: -59, s: 10, n: 27.5 });
  for (const c of ['USA', 'CAN', 'MEX']) {
    const focus = c === 'USA' ? { w: -125, e: -66, s: 24, n: 49.5 } : c === 'CAN' ? { w: -141, e: -52, s: 41.6, n: 76 } : null;
    set('NOR', null, 3, { divisionsOf: c }, focus, DIVISION_KINDS);
  }
  set('SYD', PAGE_TEXT.SYD, 3, { page: 'SYD' }, { w: -82, e: -34, s: -56, n: 13 });
  set('SYD', null, 3, { divisionsOf: 'BRA' }, { w: -74, e: -34, s: -34, n: 5.5 }, DIVISION_KINDS);
  set('ASI', PAGE_TEXT.ASI, 5, { page: 'ASI' }, { w: 26, e: 146, s: -11, n: 56 });
  set('ASI', REGION_TEXT.middleEast, 4, ['TUR', 'CYP', 'SYR', 'LBN', 'ISR', 'PSE', 'JOR', 'IRQ', 'IRN', 'SAU', 'KWT', 'BHR', 'QAT', 'ARE', 'OMN', 'YEM', 'EGY'], { w: 25, e: 63.5, s: 12, n: 42.5 });
  set('ASI', REGION_TEXT.southeastAsia, 5, ['MMR', 'THA', 'LAO', 'KHM', 'VNM', 'MYS', 'SGP', 'IDN', 'BRN', 'PHL', 'TLS'], { w: 92, e: 141, s: -11, n: 28.5 });
  set('ASI', REGION_TEXT.eastAsia, 5, ['CHN', 'MNG', 'PRK', 'KOR', 'JPN', 'TWN', 'HKG', 'MAC'], { w: 73, e: 146, s: 18, n: 53.6 });
  set('ASI', REGION_TEXT.southAsia, 5, ['IND', 'PAK', 'AFG', 'NPL', 'BTN', 'BGD', 'LKA', 'MDV'], { w: 60, e: 97.5, s: 5.8, n: 37.1 });
  set('ASI', REGION_TEXT.centralAsia, 5, ['KAZ', 'UZB', 'TKM', 'KGZ', 'TJK', 'AFG', 'MNG', 'AZE', 'GEO', 'ARM'], { w: 40, e: 120, s: 29, n: 56 });
  set('ASI', null, 5, { divisionsOf: 'IND' }, { w: 68, e: 97.5, s: 6.5, n: 36 }, DIVISION_KINDS);
  set('AFR', PAGE_TEXT.AFR, 4, { page: 'AFR' }, { w: -26, e: 58, s: -35, n: 37.5 });
  set('AFR', REGION_TEXT.northAfrica, 4, ['MAR', 'ESH', 'DZA', 'TUN', 'LBY', 'EGY', 'SDN', 'MRT'], { w: -17.5, e: 38, s: 8.5, n: 37.5 });
  set('AFR', REGION_TEXT.westAfrica, 4, ['MRT', 'SEN', 'GMB', 'GNB', 'GIN', 'SLE', 'LBR', 'CIV', 'MLI', 'BFA', 'GHA', 'TGO', 'BEN', 'NER', 'NGA', 'CPV'], { w: -25.5, e: 16, s: 4, n: 27.5 });
  set('AFR', REGION_TEXT.eastAfrica, 4, ['ETH', 'ERI', 'DJI', 'SOM', 'KEN', 'UGA', 'RWA', 'BDI', 'TZA', 'SSD', 'SDN', 'MDG', 'SYC', 'COM', 'MUS', 'MOZ', 'MWI', 'REU', 'MYT'], { w: 21, e: 58, s: -27, n: 22 });
  set('AFR', REGION_TEXT.centralAfrica, 4, ['CMR', 'CAF', 'TCD', 'COG', 'COD', 'GAB', 'GNQ', 'STP', 'AGO'], { w: 5, e: 32, s: -18.5, n: 23.5 });
  set('AFR', REGION_TEXT.southernAfrica, 4, ['ZAF', 'NAM', 'BWA', 'ZWE', 'ZMB', 'LSO', 'SWZ', 'MOZ', 'MWI', 'AGO', 'MDG'], { w: 11, e: 51, s: -35, n: -4.5 });
  set('AUS', PAGE_TEXT.AUS, 5, { page: 'AUS' }, { w: 112, e: 192, s: -48, n: 0 });
  set('AUS', REGION_TEXT.pacific, 5, ['PNG', 'SLB', 'VUT', 'FJI', 'NCL', 'WSM', 'TON', 'KIR', 'FSM', 'MHL', 'PLW', 'NRU', 'TUV', 'ASM', 'COK', 'NIU', 'WLF', 'GUM', 'MNP'], { w: 130, e: 195, s: -23, n: 15 });
  set('AUS', null, 5, { divisionsOf: 'AUS' }, { w: 112, e: 154, s: -44, n: -10 }, DIVISION_KINDS);
  set('*', PAGE_TEXT['*'], 1, { world: true }, { w: -180, e: 180, s: -56, n: 84 });
  return R;
}

// The world's view: the whole width of the map on every screen the views are
// made for. A 4:3 map shows 262 degrees of longitude when its rows run from
// pole to pole, so the view reaches below the south pole instead (rows there
// show open sea) until the date line on both sides is inside the frame.
function worldView(bbox) {
  const c = (bbox.w + bbox.e) / 2;
  for (let s = -90; s > -300; s -= 0.5) {
    const fits = CHECK_SIZES.every(([W, H]) => {
      const v = new View(90, s, c, W, H);
      for (let lat = bbox.s; lat <= bbox.n; lat += 1) if (!inFrame(v, lat, bbox.w) || !inFrame(v, lat, bbox.e)) return false;
      return true;
    });
    if (fits) return { n: 90, s, c };
  }
  throw new Error('no world view fits');
}

// Which of two places too close to ask together an exercise keeps.
const byImportance = (a, b) => (b.cat1 - a.cat1) || (b.cat2 - a.cat2) || (a.level - b.level) || (b.population - a.population) || byText(a.key, b.key);
// Of places sorted by importance (or in the order given), those that keep
// MIN_APART_PX from every one kept before them, at each of the views.
function spacedAmong(ps, vs, inOrder = false) {
  const sorted = inOrder ? ps.slice() : ps.slice().sort(byImportance);
  const kept = [], left = [];
  for (const p of sorted) {
    const clash = kept.some((q) => vs.some((v) => Math.hypot(v.posToX(p.lat, p.lon) - v.posToX(q.lat, q.lon), v.latToY(p.lat) - v.latToY(q.lat)) < MIN_APART_PX));
    (clash ? left : kept).push(p);
  }
  return { kept, left };
}

// How far (pixels) an asked place may lie from its own country's outline.
const NEAR_OWN_PX = 4;

function exercises(ctx, pass = 2) {
  const { maps, countries, places, cat } = ctx;
  const list = [];
  const ask = {}; // map number -> unit -> pixels per degree of the widest view asking it
  const divisionsOf = (m, c) => Object.keys(m.units).filter((k) => m.units[k].meta.sub && m.units[k].meta.country === c);
  const mainBounds = (m, key) => {
    if (m.units[key]) return m.units[key].parts[0].bounds;
    const subs = divisionsOf(m, key);
    if (!subs.length) return null;
    return subs.map((k) => m.units[k].parts[0].bounds).reduce((a, b) => ({ w: Math.min(a.w, b.w), e: Math.max(a.e, b.e), s: Math.min(a.s, b.s), n: Math.max(a.n, b.n) }));
  };
  const area = (m, key) => {
    const b = mainBounds(m, key);
    return b ? (b.e - b.w) * (b.n - b.s) : 0;
  };
  const pxSize = (v, b) => {
    const lat = Math.min(85, Math.abs((b.n + b.s) / 2));
    return Math.max((b.e - b.w) * v.pxPerDegLon(lat), (b.n - b.s) * v.pxPerDegLat());
  };
  const placesBy = {};
  for (const p of places) for (const g of [p.group1, p.group2, p.group3]) if (g) (placesBy[g] = placesBy[g] || []).push(p);
  const placesOf = (key) => placesBy[key] || [];

  let number = 0;
  // An exercise that asks exactly what an earlier one asks is left out.
  const asked = new Set();
  const add = (e) => {
    const items = e.kind === 'ORT' || e.kind === 'MULTI'
      ? [...selectedBy(e.keys, (p) => p.level <= e.level && (!e.cat1 || p.cat1) && (!e.cat2 || p.cat2))].map((p) => p.key)
      : e.keys.slice();
    const signature = `${e.kind} ${items.sort(byText).join(' ')}`;
    if (asked.has(signature)) return;
    asked.add(signature);
    e.number = ++number;
    if (e.number > 190) throw new Error('more than 190 exercises');
    e.lineWidth = e.lineWidth || 1;
    list.push(e);
  };
  function boundsOf(m, keys, focus) {
    let b = null;
    for (const k of keys) {
      let pb = mainBounds(m, k);
      if (!pb) continue;
      if (focus) pb = { w: Math.max(pb.w, focus.w), e: Math.min(pb.e, focus.e), s: Math.max(pb.s, focus.s), n: Math.min(pb.n, focus.n) };
      if (pb.w > pb.e || pb.s > pb.n) continue;
      b = b ? { w: Math.min(b.w, pb.w), e: Math.max(b.e, pb.e), s: Math.min(b.s, pb.s), n: Math.max(b.n, pb.n) } : pb;
    }
    return b;
  }
  // The places of the keys of an exercise, as the program selects them.
  const selectedBy = (ks, sel) => {
    const out = new Set();
    for (const k of ks) for (const p of placesOf(k)) if (sel(p)) out.add(p);
    return out;
  };
  const sameSet = (a, b) => a.size === b.size && [...a].every((x) => b.has(x));
  // What an exercise asks must be on screen at every size its view is made for.
  const screens = (view) => CHECK_SIZES.map(([W, H]) => new View(view.n, view.s, view.c, W, H));
  // A place drawn away from its own country (a coast simplified past a
  // port, an island dropped) is not asked on that map.
  const ownRings = {};
  const ringsOf = (m, country) => {
    const k = `${m.def.number} ${country}`;
    if (!ownRings[k]) {
      ownRings[k] = Object.values(m.units).filter((u) => u.meta.unit === country || (u.meta.territory || u.meta.country) === country)
        .flatMap((u) => u.parts.map((part) => part.ring));
    }
    return ownRings[k];
  };
  const nearOwn = (v, m, p) => {
    v.near = v.near || new Map();
    if (!v.near.has(p)) v.near.set(p, nearOwnUncached(v, m, p));
    return v.near.get(p);
  };
  const nearOwnUncached = (v, m, p) => {
    const px = v.posToX(p.lat, p.lon), py = v.latToY(p.lat);
    let best = Infinity;
    for (const ring of ringsOf(m, p.group1.replace(/\+$/, ''))) {
      const pts = ring.map(([lon, lat]) => [v.posToX(lat, lon), v.latToY(lat)]);
      if (geo.pointInRing(px, py, pts)) return true;
      for (let i = 0, j = pts.length - 1; i < pts.length; j = i++) {
        const [ax, ay] = pts[j], [bx, by] = pts[i];
        const dx = bx - ax, dy = by - ay, l = dx * dx + dy * dy;
        const t = l ? Math.max(0, Math.min(1, ((px - ax) * dx + (py - ay) * dy) / l)) : 0;
        best = Math.min(best, Math.hypot(px - ax - t * dx, py - ay - t * dy));
      }
    }
    return best <= NEAR_OWN_PX;
  };
  const onScreen = (vs, p, m) => vs.every((v) => inFrame(v, p.lat, p.lon) && (!m || nearOwn(v, m, p)));
  const partsOf = (m, key) => (m.units[key] ? m.units[key].parts : divisionsOf(m, key).flatMap((k) => m.units[k].parts));
  const pixelArea = (v, ring) => {
    let s = 0;
    for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
      s += (v.posToX(ring[j][1], ring[j][0]) + v.posToX(ring[i][1], ring[i][0])) * (v.latToY(ring[j][1]) - v.latToY(ring[i][1]));
    }
    return Math.abs(s) / 2;
  };
  // An area is on screen when at least 30 square pixels of it (half of it,
  // when smaller) lie inside the frame; an area too small for that that will
  // become a marker counts when its inner point is inside.
  const areaOnScreen = (vs, m, key, pass) => vs.every((v) => {
    const parts = partsOf(m, key);
    let seen = 0, total = 0;
    for (const part of parts) { seen += visiblePixels(v, part.ring); total += pixelArea(v, part.ring); }
    if (seen >= Math.min(30, total / 2) && seen > 0) return true;
    return pass === 1 && parts.some((part) => part.fill1 && inFrame(v, part.fill1[0], part.fill1[1]));
  });
  const pageOf = (m, k) => {
    const u = m.units[k];
    if (!u) return countries[k] && countries[k].page;
    return countries[u.meta.territory || u.meta.country].page;
  };

  // A multiple-choice exercise shows no map: its map gives the names of its
  // answers and must draw every place it asks on its own country, within
  // the coast allowance (towns are placed finer than coasts are drawn). The
  // region's map does that unless it leaves out part of a country (Siberia
  // on Europe's map) or draws islands past the date line (Oceania's); the
  // world's map then serves.
  const COAST_KM = 15;
  const kilometresTo = (p, ring) => {
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
  };
  const drawsOnOwn = (m, ks, sel) => [...selectedBy(ks, sel)].every((p) => {
    let key = '';
    for (const k of ks) if ([p.group1, p.group2, p.group3].includes(k)) key = k;
    const named = m.units[key] || Object.values(m.units).some((u) => u.meta.sub && u.meta.country === key);
    if (!named) return true; // the program leaves a place without an answer out
    return Object.entries(m.units).filter(([k, u]) => k === key || u.meta.country === key)
      .some(([, u]) => u.parts.some((part) => kilometresTo(p, part.ring) <= COAST_KM));
  });
  const multiMap = (own, ks, sel) => (pass === 2 && own !== 1 && !drawsOnOwn(maps[own], ks, sel) && drawsOnOwn(maps[1], ks, sel) ? 1 : own);

  function regionSet(r) {
    const m = maps[r.map];
    let keys;
    let divided = null;
    if (Array.isArray(r.keys)) keys = r.keys.slice();
    else if (r.keys.page) keys = [...new Set(Object.keys(m.units).map((k) => (m.units[k].meta.sub ? m.units[k].meta.country : k)))].filter((k) => pageOf(m, k) === r.keys.page && !m.units[k]?.meta.territory);
    else if (r.keys.world) keys = Object.keys(m.units).filter((k) => !m.units[k].meta.territory);
    else { divided = r.keys.divisionsOf; keys = divisionsOf(m, divided); }
    keys = keys.filter((k) => mainBounds(m, k)).sort((a, c) => area(m, c) - area(m, a) || byText(a, c));
    // A territory that answers for its country in area exercises (a click on
    // Reunion is one on France) has places of its own: the place and
    // multiple-choice exercises of its page ask them by its key.
    const territories = Array.isArray(r.keys) || divided ? [] : Object.keys(m.units)
      .filter((k) => m.units[k].meta.territory && (r.keys.world || pageOf(m, k) === r.keys.page));
    const placeKeys = keys.concat(territories).sort((a, c) => area(m, c) - area(m, a) || byText(a, c));
    const b = boundsOf(m, keys, r.focus);
    const view = r.keys.world ? worldView(m.def.bbox) : cat.viewFor(b);
    const v = new View(view.n, view.s, view.c, cat.REF_W, cat.REF_H);
    const vs = screens(view);
    const names = r.names || require('./names').countryNames(countries[divided].a2, divided);
    const base = { continent: r.page, map: r.map, placeFile: 1, view, level: 9 };
    const t = (kind) => cat.title(kind, names);
    // Asked areas must be at least about 10 pixels across at this view.
    const askable = keys.filter((k) => (m.units[k] || !divided) && areaOnScreen(vs, m, k, pass));
    if (r.kinds.includes('countries') || r.kinds.includes('divisions')) {
      ask[r.map] = ask[r.map] || {};
      for (const k of askable) if (m.units[k]) ask[r.map][k] = Math.min(ask[r.map][k] || Infinity, v.pxPerDegLat());
    }
    const big = askable.filter((k) => pxSize(v, mainBounds(m, k)) >= 10).slice(0, 190);
    if (r.kinds.includes('countries') && big.length >= 2) add({ ...base, kind: 'AREA', titles: t('countries'), keys: big });
    if (r.kinds.includes('divisions') && big.length >= 2) add({ ...base, kind: 'AREA', titles: t('divisions'), keys: big });
    // Every country of the set is asked with its places on screen: by its
    // own key where all of them are, otherwise by the second group keys
    // (division, or the place itself) of those that are; on the world page
    // by the region keys when every place is on screen.
    const visible = (sel, dropped = new Set(), full = false) => {
      const fine = (p) => onScreen(vs, p, m) && !dropped.has(p);
      // The world's regions whose places are all fine go by their region key.
      const okRegions = !r.keys.world ? [] : [...new Set(places.map((p) => p.group3).filter(Boolean))].sort(byText)
        .filter((g) => placesOf(g).filter(sel).every(fine));
      const out = okRegions.slice();
      // A country's places past the date line, on the map that draws it so.
      const shifted = m.def.shift ? placeKeys.map((k) => `${k}+`) : [];
      for (const k of placeKeys.concat(shifted)) {
        if (okRegions.includes(regionKey(pageOf(m, k)))) continue;
        const ps = placesOf(k).filter(sel);
        if (!ps.length) continue;
        if (ps.every(fine)) { out.push(k); continue; }
        for (const g of [...new Set(ps.map((p) => p.group2).filter((x) => x && x !== k))].sort(byText)) {
          if (placesOf(g).filter(sel).every(fine)) out.push(g);
        }
      }
      if (out.length > 190 && !full) throw new Error(`a place exercise of ${r.page} ${names[1]} needs ${out.length} keys`);
      return out;
    };
    // The program judges a click by the nearest asked place, so two asked
    // places closer than MIN_APART_PX at some check size cannot be told
    // apart: of such a pair the exercise keeps the more important one (a
    // capital, then the higher level, then the larger population) and
    // leaves the other to an exercise where it stands clear.
    // Places of `prefer` go before the others (a further exercise for the
    // ones an earlier one left out).
    const spaced = (sel, prefer = new Set()) => {
      const first = visible(sel);
      const ps = [...selectedBy(first, sel)].sort((a, c) => prefer.has(c) - prefer.has(a) || byImportance(a, c));
      const dropped = new Set(spacedAmong(ps, vs, true).left);
      let keys = dropped.size ? visible(sel, dropped, true) : first;
      // A country whose places are now asked one by one can need more keys
      // than an exercise holds: the least important of those go.
      while (keys.length > 190) {
        const own = new Set(keys);
        const single = [...selectedBy(keys, sel)].filter((p) => own.has(p.group2) && p.group2 === p.key).sort(byImportance);
        if (!single.length) throw new Error(`a place exercise of ${r.page} ${names[1]} needs ${keys.length} keys`);
        for (const p of single.slice(-(keys.length - 190))) dropped.add(p);
        keys = visible(sel, dropped, true);
      }
      const chosen = selectedBy(keys, sel);
      return { keys, chosen, left: ps.filter((p) => !chosen.has(p)) };
    };
    const isCap = (p) => p.cat1;
    const { keys: caps, left: capsLeft } = spaced(isCap);
    if (r.kinds.includes('capitals') && caps.length >= 2) {
      const e = { ...base, kind: 'ORT', titles: t('capitals'), keys: caps, level: 1, cat1: true };
      add(e);
      if (capsLeft.length) crowded.push({ exercise: e, left: capsLeft, scale: v.pxPerDegLat(), more: (prefer, round) => {
        const { keys, chosen } = spaced(isCap, prefer);
        return { chosen, keys, add: () => add({ ...base, kind: 'ORT', titles: t('capitals').map((x) => `${x} ${round}`), keys, level: 1, cat1: true }) };
      } });
    }
    const cityLevel = r.page === '*' ? 1 : 3;
    const isCity = (p) => p.level <= cityLevel;
    const cityKeys = spaced(isCity).keys;
    // Cities that are only the capitals again ask nothing new.
    const citiesNew = !sameSet(selectedBy(cityKeys, isCity), selectedBy(caps, isCap));
    if (r.kinds.includes('cities') && cityKeys.length >= 1 && citiesNew) add({ ...base, kind: 'ORT', titles: t('cities'), keys: cityKeys, level: cityLevel });
    const subCaps = spaced((p) => p.cat2 && p.level <= 4).keys;
    if (r.kinds.includes('divisionCapitals') && subCaps.length >= 2) add({ ...base, kind: 'ORT', titles: t('divisionCapitals'), keys: subCaps, level: 4, cat2: true });
    const flagMap = r.map === 6 ? 2 : r.map;
    // A set of more keys than an exercise holds goes on in a second exercise
    // of the smaller ones.
    const addSplit = (e, ks) => {
      add({ ...e, keys: ks.slice(0, 190) });
      if (ks.length > 190) add({ ...e, titles: cat.title(e.kindName, WORLD_SMALL_TEXT), keys: ks.slice(190).concat(ks.length - 190 < 4 ? ks.slice(186, 190) : []) });
    };
    // Of keys whose flags look alike only the largest is shown.
    const pictures = new Set();
    const flagged = keys.filter((k) => {
      const f = ctx.flagOf(maps[flagMap], k);
      const pic = f && ctx.pictureOf(f);
      if (!f || pictures.has(pic)) return false;
      if (ctx.pictureOwner && maps[1].units[k] && ![k, ''].includes(ctx.pictureOwner(pic))) return false;
      pictures.add(pic);
      return true;
    });
    if (r.kinds.includes('flags') && flagged.length >= 4) addSplit({ ...base, map: flagMap, kind: 'FLAGG', kindName: 'flags', titles: t('flags') }, flagged);
    const withCap = placeKeys.filter((k) => placesOf(k).some((p) => p.cat1));
    if (r.kinds.includes('capitalCountry') && withCap.length >= 4) addSplit({ ...base, map: multiMap(r.map, withCap, isCap), kind: 'MULTI', kindName: 'capitalCountry', titles: t('capitalCountry'), level: 1, cat1: true }, withCap);
    const withCity = placeKeys.filter((k) => placesOf(k).some((p) => p.level <= 3));
    const cityCountryNew = !sameSet(selectedBy(withCity, (p) => p.level <= 3), selectedBy(withCap, isCap));
    if (r.kinds.includes('cityCountry') && withCity.length >= 4 && cityCountryNew) addSplit({ ...base, map: multiMap(r.map, withCity, (p) => p.level <= 3), kind: 'MULTI', kindName: 'cityCountry', titles: t('cityCountry'), level: 3 }, withCity);
    const withTown = placeKeys.filter((k) => placesOf(k).some((p) => p.level <= 5));
    if (r.kinds.includes('cityDivision') && withTown.length >= 4) add({ ...base, kind: 'MULTI', titles: t('cityDivision'), keys: withTown, level: 5 });
  }
  // Capitals that crowd a neighbour in an exercise (Vatican City beside
  // Rome, Brazzaville across the river from Kinshasa) are left out of it.
  // One that no exercise asks is then put first in the closest view that
  // left it out: that exercise asks it in place of its neighbour when a
  // wider one (the continent's, the world's) still asks the neighbour,
  // otherwise a further exercise of that view does, until each is asked
  // where it stands clear.
  const crowded = [];
  for (const r of regionList()) regionSet(r);
  const selects = (e) => selectedBy(e.keys, (q) => q.level <= e.level && (!e.cat1 || q.cat1) && (!e.cat2 || q.cat2));
  const askedBy = new Map();
  const count = (e, d) => { for (const p of selects(e)) askedBy.set(p, (askedBy.get(p) || 0) + d); };
  // A capital counts as asked where a capitals exercise asks it (not only
  // among the cities).
  for (const e of list.filter((x) => x.kind === 'ORT' && x.cat1)) count(e, 1);
  const waiting = new Map();
  for (const c of crowded) {
    for (const p of c.left) {
      if (askedBy.get(p)) continue;
      if (!waiting.has(p) || waiting.get(p).scale < c.scale) waiting.set(p, c);
    }
  }
  for (const c of crowded) {
    let rest = new Set(c.left.filter((p) => waiting.get(p) === c));
    for (let round = 2, title = 2; rest.size; round++) {
      const next = c.more(rest, title);
      // The exercise itself asks them in place of their larger neighbours
      // where the continent's or the world's exercise still asks those;
      // otherwise a further exercise does.
      const before = selects(c.exercise);
      const displaced = [...before].filter((p) => !next.chosen.has(p));
      if (round === 2 && displaced.every((p) => askedBy.get(p) > 1)) {
        count(c.exercise, -1);
        c.exercise.keys = next.keys;
        count(c.exercise, 1);
      } else {
        next.add();
        title++;
      }
      const remaining = new Set([...rest].filter((p) => !next.chosen.has(p)));
      if (remaining.size === rest.size) throw new Error('a crowded capital finds no exercise');
      rest = remaining;
    }
  }
  return pass === 1 ? ask : list;
}

module.exports = { mapDefs, SEA_FILES, SEA_STEP, subdivisionNames, subdivisionFlag, subdivisionOfPoint, exercises, spacedAmong, PAGE_TEXT };
