'use strict';
// The exercise catalogue: for every page its countries, capitals, cities,
// flags and the two multiple-choice forms, for the whole continent and its
// regions, and for every divided country its divisions.
const { fitView } = require('./projection');

const KIND_TITLES = {
  countries: ['Länder', 'Countries', 'Pays', 'Länder', 'Países', 'Paesi', 'Lande', 'Landen', 'Países'],
  capitals: ['Huvudstäder', 'Capitals', 'Capitales', 'Hauptstädte', 'Capitales', 'Capitali', 'Hovedstæder', 'Hoofdsteden', 'Capitais'],
  cities: ['Storstäder', 'Major cities', 'Grandes villes', 'Großstädte', 'Grandes ciudades', 'Grandi città', 'Storbyer', 'Grote steden', 'Grandes cidades'],
  flags: ['Flaggor', 'Flags', 'Drapeaux', 'Flaggen', 'Banderas', 'Bandiere', 'Flag', 'Vlaggen', 'Bandeiras'],
  capitalCountry: ['Huvudstad och land', 'Capital and country', 'Capitale et pays', 'Hauptstadt und Land', 'Capital y país', 'Capitale e paese', 'Hovedstad og land', 'Hoofdstad en land', 'Capital e país'],
  cityCountry: ['Stad och land', 'City and country', 'Ville et pays', 'Stadt und Land', 'Ciudad y país', 'Città e paese', 'By og land', 'Stad en land', 'Cidade e país'],
  divisions: ['Regioner', 'Regions', 'Régions', 'Regionen', 'Regiones', 'Regioni', 'Regioner', 'Regio\'s', 'Regiões'],
  divisionCapitals: ['Regionhuvudstäder', 'Regional capitals', 'Chefs-lieux', 'Regionalhauptstädte', 'Capitales regionales', 'Capoluoghi', 'Regionshovedstæder', 'Regionale hoofdsteden', 'Capitais regionais'],
  cityDivision: ['Stad och region', 'City and region', 'Ville et région', 'Stadt und Region', 'Ciudad y región', 'Città e regione', 'By og region', 'Stad en regio', 'Cidade e região'],
};

const KIND_OF = {
  countries: 'AREA', divisions: 'AREA', capitals: 'ORT', cities: 'ORT', divisionCapitals: 'ORT',
  flags: 'FLAGG', capitalCountry: 'MULTI', cityCountry: 'MULTI', cityDivision: 'MULTI',
};

function title(kind, regionNames) {
  return KIND_TITLES[kind].map((k, i) => `${k}: ${regionNames[i]}`);
}

// View in the catalogue's terms, fitted for a 4:3 window's map (the
// narrowest screen), so that wider screens show the same latitudes and more
// longitude on both sides.
const REF_W = 1020, REF_H = 700;
function viewFor(bounds) {
  const pad = 0.02;
  const b = { w: bounds.w - pad, e: bounds.e + pad, s: bounds.s - pad, n: bounds.n + pad };
  const v = fitView(b, REF_W, REF_H);
  return { n: Math.min(90, Math.round(v.N * 100) / 100), s: Math.max(-90, Math.round(v.S * 100) / 100), c: Math.round(v.C * 100) / 100 };
}

module.exports = { KIND_TITLES, KIND_OF, title, viewFor, REF_W, REF_H };
