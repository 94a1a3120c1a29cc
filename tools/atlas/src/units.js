'use strict';
// Turns the Natural Earth admin-1 layer into map units: every polygon gets
// the key of the country (ISO alpha-3) or territory it belongs to, and, on
// maps that divide a country, the key of its subdivision.
const fs = require('fs');

// Natural Earth admin-0 codes that are not ISO codes, or units that this
// atlas shows as part of a recognised country (de facto borders, but no
// separate area for a cosmodrome or a base).
const ADM0_FIX = {
  KOS: { key: 'XKX', a2: 'XK' },
  SDS: { key: 'SSD', a2: 'SS' },
  PSX: { key: 'PSE', a2: 'PS' },
  SAH: { key: 'ESH', a2: 'EH' },
  TUV: { key: 'TUV', a2: 'TV' },
  GIB: { key: 'GIB', a2: 'GI' },
  ALD: { key: 'FIN', a2: 'FI' },
  CYN: { key: 'CYP', a2: 'CY' },
  ESB: { key: 'CYP', a2: 'CY' },
  WSB: { key: 'CYP', a2: 'CY' },
  SOL: { key: 'SOM', a2: 'SO' },
  KAS: { key: 'IND', a2: 'IN' },
  KAB: { key: 'KAZ', a2: 'KZ' },
  USG: { key: 'CUB', a2: 'CU' },
  UMI: { key: 'UMI', a2: 'UM' },
  ATC: { key: 'AUS', a2: 'AU' },
  IOA: { key: 'AUS', a2: 'AU' },
};
// Divisions that the source draws with the country that holds them where the
// United Nations count them to another: Crimea and Sevastopol are Ukraine's.
const DIVISION_FIX = { 'RUS/Crimea': { key: 'UKR', a2: 'UA' }, 'RUS/Sevastopol': { key: 'UKR', a2: 'UA' } };
// Left out: Antarctica, unclaimed reefs and disputed specks.
const DROP = new Set(['ATA', 'PGA', 'CLP', 'SCR', 'SER', 'BJN', 'CNM', 'CSI']);

// Western Sahara's northern border, the parallel of 27 degrees 40 minutes:
// the source files the part of the territory that Morocco administers as
// Moroccan regions (Laayoune's among them) and draws only the strip east of
// the berm as Western Sahara.
const WESTERN_SAHARA_NORTH = 27 + 40 / 60;

// The pieces of a polygon south (south = true) or north of a parallel. The
// crossing of an edge is computed from its two ends in a fixed order, so
// that both pieces get the same points on the cut.
function clipAtParallel(poly, lat, south) {
  const inside = ([, y]) => (south ? y < lat : y >= lat);
  const crossing = (a, b) => {
    const [p, q] = a[1] < b[1] || (a[1] === b[1] && a[0] < b[0]) ? [a, b] : [b, a];
    return [p[0] + (q[0] - p[0]) * (lat - p[1]) / (q[1] - p[1]), lat];
  };
  const clip = (ring) => {
    const out = [];
    for (let i = 0; i < ring.length; i++) {
      const a = ring[i], b = ring[(i + 1) % ring.length];
      if (inside(a)) out.push(a);
      if (inside(a) !== inside(b)) out.push(crossing(a, b));
    }
    return out;
  };
  const outer = clip(poly[0]);
  if (outer.length < 3) return null;
  return [outer, ...poly.slice(1).map(clip).filter((r) => r.length >= 3)];
}

// Overseas regions of France that this atlas names on their own while they
// answer for France.
const OWN_TERRITORY = {
  'FRA/GLP': { key: 'GLP', a2: 'GP' },
  'FRA/MTQ': { key: 'MTQ', a2: 'MQ' },
  'FRA/GUF': { key: 'GUF', a2: 'GF' },
  'FRA/REU': { key: 'REU', a2: 'RE' },
  'FRA/MYT': { key: 'MYT', a2: 'YT' },
};

const CONTINENT_PAGE = {
  Europe: 'EUR', 'North America': 'NOR', 'South America': 'SYD', Asia: 'ASI', Africa: 'AFR', Oceania: 'AUS',
};
// Countries whose page differs from Natural Earth's continent.
const PAGE_FIX = { TUV: 'AUS', GIB: 'EUR', RUS: 'EUR', TUR: 'ASI', CYP: 'EUR', GEO: 'ASI', ARM: 'ASI', AZE: 'ASI', KAZ: 'ASI', EGY: 'AFR', IOA: 'AUS', UMI: 'AUS', ATF: 'AFR', SGS: 'SYD', FLK: 'SYD', HMD: 'AUS', BVT: 'SYD', SHN: 'AFR', IOT: 'ASI', GUF: 'SYD', REU: 'AFR', MYT: 'AFR', GLP: 'NOR', MTQ: 'NOR', CPV: 'AFR', MDV: 'ASI', SYC: 'AFR', MUS: 'AFR', COM: 'AFR', STP: 'AFR', TTO: 'NOR', BMU: 'NOR', GRL: 'NOR', ABW: 'NOR', CUW: 'NOR' };

function loadSources(dir) {
  const states = JSON.parse(fs.readFileSync(`${dir}/states10.geojson`));
  const c50 = JSON.parse(fs.readFileSync(`${dir}/countries50.geojson`));
  const lakes = JSON.parse(fs.readFileSync(`${dir}/lakes.geojson`));
  const info = {};
  for (const f of c50.features) {
    const p = f.properties;
    info[p.adm0_a3] = p;
  }
  const countries = {}; // key -> { key, a2, continent, subregion, page, sovereign }
  const features = [];
  const addCountry = (key, a2, p) => {
    if (countries[key]) return countries[key];
    const cont = p ? p.continent : null;
    const page = PAGE_FIX[key] || CONTINENT_PAGE[cont] || null;
    countries[key] = { key, a2, continent: cont, subregion: p ? p.subregion : null, page, type: p ? p.type : null, admin: p ? p.admin : key };
    return countries[key];
  };
  for (const f of states.features) {
    const p = f.properties;
    const adm = p.adm0_a3;
    if (DROP.has(adm)) continue;
    let key, a2;
    if (DIVISION_FIX[`${adm}/${p.name}`]) ({ key, a2 } = DIVISION_FIX[`${adm}/${p.name}`]);
    else if (ADM0_FIX[adm]) ({ key, a2 } = ADM0_FIX[adm]);
    else if (info[adm] && info[adm].iso_a3 && info[adm].iso_a3 !== '-99') { key = info[adm].iso_a3; a2 = info[adm].iso_a2; }
    else throw new Error(`no country code for ${adm} (${p.admin})`);
    const own = DIVISION_FIX[`${adm}/${p.name}`] ? null : info[adm];
    const c = addCountry(key, a2, own || info[Object.keys(info).find((k) => info[k].iso_a3 === key)]);
    const terr = OWN_TERRITORY[`${adm}/${p.gu_a3}`];
    if (terr) addCountry(terr.key, terr.a2, info.FRA).page = PAGE_FIX[terr.key];
    if (c.key === 'MAR') {
      // What lies south of Western Sahara's border is Western Sahara's.
      const { polygonsOf } = require('./mapbuild');
      const polys = polygonsOf(f.geometry);
      const north = polys.map((poly) => clipAtParallel(poly, WESTERN_SAHARA_NORTH, false)).filter(Boolean);
      const south = polys.map((poly) => clipAtParallel(poly, WESTERN_SAHARA_NORTH, true)).filter(Boolean);
      if (south.length) {
        if (north.length) features.push({ country: c.key, territory: null, props: p, geometry: { type: 'MultiPolygon', coordinates: north } });
        features.push({ country: 'ESH', territory: null, props: { ...p, adm0_a3: 'SAH' }, geometry: { type: 'MultiPolygon', coordinates: south } });
        continue;
      }
    }
    features.push({ country: c.key, territory: terr ? terr.key : null, props: p, geometry: f.geometry });
  }
  // The Vatican is missing from the admin-1 layer; take it from admin-0.
  for (const f of c50.features) {
    if (f.properties.adm0_a3 === 'VAT') {
      addCountry('VAT', 'VA', f.properties);
      features.push({ country: 'VAT', territory: null, props: { name: 'Vatican', adm0_a3: 'VAT' }, geometry: f.geometry, overlay: true });
    }
  }
  return { features, countries, lakes: lakes.features };
}

module.exports = { loadSources, CONTINENT_PAGE, clipAtParallel };
