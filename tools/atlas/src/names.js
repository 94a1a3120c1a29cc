'use strict';
// Country and territory names in the nine interface languages, from CLDR,
// with a small table of the forms a quiz player expects.
const LANGS = ['sv', 'en', 'fr', 'de', 'es', 'it', 'da', 'nl', 'pt'];

const territories = LANGS.map((l) => require(`cldr-localenames-full/main/${l}/territories.json`).main[l].localeDisplayNames.territories);

const PREFER_SHORT = new Set(['HK', 'MO', 'PS']);

// Per code, a name per language (null keeps CLDR's).
const OVERRIDE = {
  CD: ['Demokratiska republiken Kongo', 'DR Congo', 'RD Congo', 'DR Kongo', 'RD del Congo', 'RD del Congo', 'DR Congo', 'DR Congo', 'RD Congo'],
  CG: [null, 'Republic of the Congo', null, null, null, null, null, null, null],
  MM: ['Myanmar', 'Myanmar', 'Myanmar', 'Myanmar', 'Myanmar', 'Myanmar', 'Myanmar', 'Myanmar', 'Mianmar'],
  TR: [null, 'Turkey', null, null, null, null, null, null, null],
  US: [null, 'United States', null, null, null, null, null, null, null],
  UM: ['USA:s öar i Stilla havet', 'U.S. Pacific Islands', 'Îles mineures des États-Unis', 'Amerikanische Überseeinseln', 'Islas menores de EE. UU.', 'Isole minori degli USA', 'Amerikanske oversøiske øer', 'Kleine afgelegen eilanden van de VS', 'Ilhas Menores dos EUA'],
  VA: [null, 'Vatican City', 'Vatican', null, 'Vaticano', 'Vaticano', null, null, 'Vaticano'],
  CI: [null, 'Ivory Coast', null, null, null, null, null, null, null],
  CV: [null, 'Cape Verde', null, null, null, null, null, null, null],
  SZ: [null, null, null, null, null, null, null, null, 'Essuatíni'],
  // CLDR's French is a description, "Saint-Martin (partie néerlandaise)".
  SX: [null, null, 'Sint-Maarten', null, null, null, null, null, null],
};

function cldrName(a2, li) {
  const t = territories[li];
  let n = (PREFER_SHORT.has(a2) && t[`${a2}-alt-short`]) || t[a2];
  if (!n) return null;
  if (LANGS[li] === 'en') n = n.replace(/ & /g, ' and ').replace(/^St\. /, 'Saint ');
  n = n.replace(/’/g, '\'');
  return n;
}

function countryNames(a2, fallback) {
  const o = OVERRIDE[a2] || [];
  return LANGS.map((_, li) => o[li] || cldrName(a2, li) || fallback);
}

module.exports = { LANGS, countryNames };
