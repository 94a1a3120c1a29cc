'use strict';
// First-level divisions of the countries that some map divides: the
// Natural Earth unit names mapped to ISO 3166-2 codes and to the names shown.
// Unless a row gives nine names, a division is called by its own local name
// in every language.

const US = {
  Alabama: 'AL', Alaska: 'AK', Arizona: 'AZ', Arkansas: 'AR', California: 'CA', Colorado: 'CO', Connecticut: 'CT',
  Delaware: 'DE', 'District of Columbia': 'DC', Florida: 'FL', Georgia: 'GA', Hawaii: 'HI', Idaho: 'ID', Illinois: 'IL',
  Indiana: 'IN', Iowa: 'IA', Kansas: 'KS', Kentucky: 'KY', Louisiana: 'LA', Maine: 'ME', Maryland: 'MD',
  Massachusetts: 'MA', Michigan: 'MI', Minnesota: 'MN', Mississippi: 'MS', Missouri: 'MO', Montana: 'MT',
  Nebraska: 'NE', Nevada: 'NV', 'New Hampshire': 'NH', 'New Jersey': 'NJ', 'New Mexico': 'NM', 'New York': 'NY',
  'North Carolina': 'NC', 'North Dakota': 'ND', Ohio: 'OH', Oklahoma: 'OK', Oregon: 'OR', Pennsylvania: 'PA',
  'Rhode Island': 'RI', 'South Carolina': 'SC', 'South Dakota': 'SD', Tennessee: 'TN', Texas: 'TX', Utah: 'UT',
  Vermont: 'VT', Virginia: 'VA', Washington: 'WA', 'West Virginia': 'WV', Wisconsin: 'WI', Wyoming: 'WY',
};
const CA = {
  Alberta: 'AB', 'British Columbia': 'BC', Manitoba: 'MB', 'New Brunswick': 'NB', 'Newfoundland and Labrador': 'NL',
  'Northwest Territories': 'NT', 'Nova Scotia': 'NS', Nunavut: 'NU', Ontario: 'ON', 'Prince Edward Island': 'PE',
  'Québec': 'QC', Saskatchewan: 'SK', Yukon: 'YT',
};
const MX = {
  Aguascalientes: 'AGU', 'Baja California': 'BCN', 'Baja California Sur': 'BCS', Campeche: 'CAM', Chiapas: 'CHP',
  Chihuahua: 'CHH', Coahuila: 'COA', Colima: 'COL', 'Distrito Federal': 'CMX', Durango: 'DUR', Guanajuato: 'GUA',
  Guerrero: 'GRO', Hidalgo: 'HID', Jalisco: 'JAL', 'Michoacán': 'MIC', Morelos: 'MOR', 'México': 'MEX', Nayarit: 'NAY',
  'Nuevo León': 'NLE', Oaxaca: 'OAX', Puebla: 'PUE', 'Querétaro': 'QUE', 'Quintana Roo': 'ROO', 'San Luis Potosí': 'SLP',
  Sinaloa: 'SIN', Sonora: 'SON', Tabasco: 'TAB', Tamaulipas: 'TAM', Tlaxcala: 'TLA', Veracruz: 'VER', 'Yucatán': 'YUC',
  Zacatecas: 'ZAC', null: 'YUC',
};
const BR = {
  Acre: 'AC', Alagoas: 'AL', 'Amapá': 'AP', Amazonas: 'AM', Bahia: 'BA', 'Ceará': 'CE', 'Distrito Federal': 'DF',
  'Espírito Santo': 'ES', 'Goiás': 'GO', 'Maranhão': 'MA', 'Mato Grosso': 'MT', 'Mato Grosso do Sul': 'MS',
  'Minas Gerais': 'MG', 'Paraná': 'PR', 'Paraíba': 'PB', 'Pará': 'PA', Pernambuco: 'PE', 'Piauí': 'PI',
  'Rio Grande do Norte': 'RN', 'Rio Grande do Sul': 'RS', 'Rio de Janeiro': 'RJ', 'Rondônia': 'RO', Roraima: 'RR',
  'Santa Catarina': 'SC', Sergipe: 'SE', 'São Paulo': 'SP', Tocantins: 'TO',
};
const AU = {
  'Australian Capital Territory': 'ACT', 'Jervis Bay Territory': 'NSW', 'Lord Howe Island': 'NSW', 'Macquarie Island': 'TAS',
  'New South Wales': 'NSW', 'Northern Territory': 'NT', Queensland: 'QLD', 'South Australia': 'SA', Tasmania: 'TAS',
  Victoria: 'VIC', 'Western Australia': 'WA',
};
const IN = {
  'Andaman and Nicobar': 'AN', 'Andhra Pradesh': 'AP', 'Arunachal Pradesh': 'AR', Assam: 'AS', Bihar: 'BR', Chandigarh: 'CH',
  Chhattisgarh: 'CG', 'Dadra and Nagar Haveli': 'DH', 'Daman and Diu': 'DH', Delhi: 'DL', Goa: 'GA', Gujarat: 'GJ',
  Haryana: 'HR', 'Himachal Pradesh': 'HP', 'Jammu and Kashmir': 'JK', Jharkhand: 'JH', Karnataka: 'KA', Kerala: 'KL',
  Lakshadweep: 'LD', 'Madhya Pradesh': 'MP', Maharashtra: 'MH', Manipur: 'MN', Meghalaya: 'ML', Mizoram: 'MZ',
  Nagaland: 'NL', Orissa: 'OD', Puducherry: 'PY', Punjab: 'PB', Rajasthan: 'RJ', Sikkim: 'SK', 'Tamil Nadu': 'TN',
  Tripura: 'TR', 'Uttar Pradesh': 'UP', Uttaranchal: 'UK', 'West Bengal': 'WB',
};
const DE = {
  'Baden-Württemberg': 'BW', Bayern: 'BY', Berlin: 'BE', Brandenburg: 'BB', Bremen: 'HB', Hamburg: 'HH', Hessen: 'HE',
  'Mecklenburg-Vorpommern': 'MV', Niedersachsen: 'NI', 'Nordrhein-Westfalen': 'NW', 'Rheinland-Pfalz': 'RP',
  Saarland: 'SL', Sachsen: 'SN', 'Sachsen-Anhalt': 'ST', 'Schleswig-Holstein': 'SH', 'Thüringen': 'TH',
};
const SE = {
  Blekinge: 'K', Dalarna: 'W', Gotland: 'I', 'Gävleborg': 'X', Halland: 'N', 'Jämtland': 'Z', 'Jönköping': 'F',
  Kalmar: 'H', Kronoberg: 'G', Norrbotten: 'BD', Orebro: 'T', 'Skåne': 'M', Stockholm: 'AB', 'Södermanland': 'D',
  Uppsala: 'C', 'Värmland': 'S', 'Västerbotten': 'AC', 'Västernorrland': 'Y', 'Västmanland': 'U',
  'Västra Götaland': 'O', 'Östergötland': 'E',
};
// Norway's counties as the source draws them (before the 2020 mergers).
const NO = {
  'Østfold': '01', Akershus: '02', Oslo: '03', Hedmark: '04', Oppland: '05', Buskerud: '06', Vestfold: '07', Telemark: '08',
  'Aust-Agder': '09', 'Vest-Agder': '10', Rogaland: '11', Hordaland: '12', 'Sogn og Fjordane': '14', 'Møre og Romsdal': '15',
  'Sør-Trøndelag': '16', 'Nord-Trøndelag': '17', Nordland: '18', Troms: '19', Finnmark: '20', Svalbard: '21',
  'Bouvet Island': false,
};
const PL = {
  'Lower Silesian': 'DS', 'Kuyavian-Pomeranian': 'KP', Lublin: 'LU', Lubusz: 'LB', 'Łódź': 'LD', 'Lesser Poland': 'MA',
  Masovian: 'MZ', Opole: 'OP', Subcarpathian: 'PK', Podlachian: 'PD', Pomeranian: 'PM', Silesian: 'SL',
  'Świętokrzyskie': 'SK', 'Warmian-Masurian': 'WN', 'Greater Poland': 'WP', 'West Pomeranian': 'ZP',
};
// France: old regions (the source's FIPS codes) merged into today's regions.
const FR_FIPS = {
  FRA1: 'BFC', FRA6: 'BFC', FRA2: 'BRE', FRA3: 'CVL', FRA4: 'GES', FRB2: 'GES', FR96: 'GES', FRA5: 'PDL', FRA7: 'NOR',
  FR99: 'NOR', FRA8: 'IDF', FRA9: 'OCC', FRB3: 'OCC', FRB1: 'NAQ', FR97: 'NAQ', FRB7: 'NAQ', FRB4: 'HDF', FRB6: 'HDF',
  FRB8: 'PAC', FRB9: 'ARA', FR98: 'ARA', FR14: 'COR',
};
const IT_FIPS = {
  IT01: '65', IT02: '77', IT03: '78', IT04: '72', IT05: '45', IT06: '36', IT07: '62', IT08: '42', IT09: '25', IT10: '57',
  IT11: '67', IT12: '21', IT13: '75', IT14: '88', IT15: '82', IT16: '52', IT17: '32', IT18: '55', IT19: '23', IT20: '34',
};
// Provinces of Liguria that the source files under Piedmont.
const IT_NAME = { Genova: '42', Imperia: '42', 'La Spezia': '42', Savona: '42' };
const ES_WOE = {
  'Andalucía': 'AN', 'Aragón': 'AR', 'Principado de Asturias': 'AS', Palmas: 'CN', 'Santa Cruz de Tenerife': 'CN',
  Cantabria: 'CB', 'Castilla y León': 'CL', 'Castilla-La Mancha': 'CM', 'Cataluña': 'CT', Extremadura: 'EX',
  Galicia: 'GA', 'Islas Baleares': 'IB', 'La Rioja': 'RI', 'Comunidad de Madrid': 'MD', 'Región de Murcia': 'MC',
  'Comunidad Foral de Navarra': 'NC', 'País Vasco': 'PV', 'Comunidad Valenciana': 'VC', Ceuta: 'CE', Melilla: 'ML',
};
const GB_GU = { ENG: 'ENG', SCT: 'SCT', WLS: 'WLS', NIR: 'NIR' };

function byName(prefix, table) {
  return (p) => {
    const code = table[p.name === null ? 'null' : p.name];
    if (code === false) return false;
    if (!code) throw new Error(`no division code for ${prefix} ${p.name}`);
    return `${prefix}-${code}`;
  };
}

const DIVIDE = {
  USA: byName('US', US), CAN: byName('CA', CA), MEX: byName('MX', MX), BRA: byName('BR', BR),
  AUS: (p) => (p.adm0_a3 === 'AUS' ? byName('AU', AU)(p) : false),
  IND: (p) => (p.adm0_a3 === 'IND' ? byName('IN', IN)(p) : false),
  DEU: byName('DE', DE), SWE: byName('SE', SE), NOR: byName('NO', NO), POL: byName('PL', PL),
  FRA: (p) => {
    if (p.gu_a3 !== 'FXX') return false;
    const c = FR_FIPS[p.fips];
    if (!c) throw new Error(`no region for ${p.name}`);
    return `FR-${c}`;
  },
  ITA: (p) => {
    const c = IT_NAME[p.name] || IT_FIPS[p.fips];
    if (!c) throw new Error(`no region for ${p.name}`);
    return `IT-${c}`;
  },
  ESP: (p) => {
    const c = ES_WOE[p.woe_name];
    if (!c) throw new Error(`no community for ${p.name} (${p.woe_name})`);
    return `ES-${c}`;
  },
  GBR: (p) => (GB_GU[p.gu_a3] ? `GB-${GB_GU[p.gu_a3]}` : false),
};

// Names of the divisions (one local name unless nine are given).
const NAMES = {};
const one = (prefix, table, rename = {}) => {
  for (const [n, c] of Object.entries(table)) if (c && n !== 'null' && !NAMES[`${prefix}-${c}`]) NAMES[`${prefix}-${c}`] = rename[c] || n;
};
one('US', US); one('CA', CA); one('MX', MX, { CMX: 'Ciudad de México', MEX: 'Estado de México' }); one('BR', BR);
one('AU', AU); one('IN', IN, { DH: 'Dadra, Nagar Haveli, Daman and Diu', OD: 'Odisha', UK: 'Uttarakhand' });
one('DE', DE); one('SE', SE, { T: 'Örebro' }); one('NO', NO); one('ES', ES_WOE, { CN: 'Canarias', AS: 'Asturias', MD: 'Madrid', MC: 'Murcia', NC: 'Navarra', IB: 'Islas Baleares' });
Object.assign(NAMES, {
  'PL-DS': 'Dolnoslaskie', 'PL-KP': 'Kujawsko-Pomorskie', 'PL-LU': 'Lubelskie', 'PL-LB': 'Lubuskie', 'PL-LD': 'Łódzkie',
  'PL-MA': 'Małopolskie', 'PL-MZ': 'Mazowieckie', 'PL-OP': 'Opolskie', 'PL-PK': 'Podkarpackie', 'PL-PD': 'Podlaskie',
  'PL-PM': 'Pomorskie', 'PL-SL': 'Śląskie', 'PL-SK': 'Świętokrzyskie', 'PL-WN': 'Warmińsko-Mazurskie',
  'PL-WP': 'Wielkopolskie', 'PL-ZP': 'Zachodniopomorskie',
  'FR-ARA': 'Auvergne-Rhône-Alpes', 'FR-BFC': 'Bourgogne-Franche-Comté', 'FR-BRE': 'Bretagne', 'FR-CVL': 'Centre-Val de Loire',
  'FR-COR': 'Corse', 'FR-GES': 'Grand Est', 'FR-HDF': 'Hauts-de-France', 'FR-IDF': 'Île-de-France', 'FR-NOR': 'Normandie',
  'FR-NAQ': 'Nouvelle-Aquitaine', 'FR-OCC': 'Occitanie', 'FR-PDL': 'Pays de la Loire', 'FR-PAC': 'Provence-Alpes-Côte d\'Azur',
  'IT-21': 'Piemonte', 'IT-23': 'Valle d\'Aosta', 'IT-25': 'Lombardia', 'IT-32': 'Trentino-Alto Adige', 'IT-34': 'Veneto',
  'IT-36': 'Friuli-Venezia Giulia', 'IT-42': 'Liguria', 'IT-45': 'Emilia-Romagna', 'IT-52': 'Toscana', 'IT-55': 'Umbria',
  'IT-57': 'Marche', 'IT-62': 'Lazio', 'IT-65': 'Abruzzo', 'IT-67': 'Molise', 'IT-72': 'Campania', 'IT-75': 'Puglia',
  'IT-77': 'Basilicata', 'IT-78': 'Calabria', 'IT-82': 'Sicilia', 'IT-88': 'Sardegna',
});
// sv, en, fr, de, es, it, da, nl, pt
const NINE = {
  'GB-ENG': ['England', 'England', 'Angleterre', 'England', 'Inglaterra', 'Inghilterra', 'England', 'Engeland', 'Inglaterra'],
  'GB-SCT': ['Skottland', 'Scotland', 'Écosse', 'Schottland', 'Escocia', 'Scozia', 'Skotland', 'Schotland', 'Escócia'],
  'GB-WLS': ['Wales', 'Wales', 'Pays de Galles', 'Wales', 'Gales', 'Galles', 'Wales', 'Wales', 'País de Gales'],
  'GB-NIR': ['Nordirland', 'Northern Ireland', 'Irlande du Nord', 'Nordirland', 'Irlanda del Norte', 'Irlanda del Nord', 'Nordirland', 'Noord-Ierland', 'Irlanda do Norte'],
  'DE-BY': ['Bayern', 'Bavaria', 'Bavière', 'Bayern', 'Baviera', 'Baviera', 'Bayern', 'Beieren', 'Baviera'],
  'DE-NI': ['Niedersachsen', 'Lower Saxony', 'Basse-Saxe', 'Niedersachsen', 'Baja Sajonia', 'Bassa Sassonia', 'Niedersachsen', 'Nedersaksen', 'Baixa Saxônia'],
  'DE-NW': ['Nordrhein-Westfalen', 'North Rhine-Westphalia', 'Rhénanie-du-Nord-Westphalie', 'Nordrhein-Westfalen', 'Renania del Norte-Westfalia', 'Renania Settentrionale-Vestfalia', 'Nordrhein-Westfalen', 'Noordrijn-Westfalen', 'Renânia do Norte-Vestfália'],
  'DE-SN': ['Sachsen', 'Saxony', 'Saxe', 'Sachsen', 'Sajonia', 'Sassonia', 'Sachsen', 'Saksen', 'Saxônia'],
  'DE-TH': ['Thüringen', 'Thuringia', 'Thuringe', 'Thüringen', 'Turingia', 'Turingia', 'Thüringen', 'Thüringen', 'Turíngia'],
  'DE-HE': ['Hessen', 'Hesse', 'Hesse', 'Hessen', 'Hesse', 'Assia', 'Hessen', 'Hessen', 'Hesse'],
  'IT-82': ['Sicilien', 'Sicily', 'Sicile', 'Sizilien', 'Sicilia', 'Sicilia', 'Sicilien', 'Sicilië', 'Sicília'],
  'IT-88': ['Sardinien', 'Sardinia', 'Sardaigne', 'Sardinien', 'Cerdeña', 'Sardegna', 'Sardinien', 'Sardinië', 'Sardenha'],
  'IT-52': ['Toscana', 'Tuscany', 'Toscane', 'Toskana', 'Toscana', 'Toscana', 'Toscana', 'Toscane', 'Toscana'],
  'IT-25': ['Lombardiet', 'Lombardy', 'Lombardie', 'Lombardei', 'Lombardía', 'Lombardia', 'Lombardiet', 'Lombardije', 'Lombardia'],
  'IT-21': ['Piemonte', 'Piedmont', 'Piémont', 'Piemont', 'Piamonte', 'Piemonte', 'Piemonte', 'Piëmont', 'Piemonte'],
  'ES-AN': ['Andalusien', 'Andalusia', 'Andalousie', 'Andalusien', 'Andalucía', 'Andalusia', 'Andalusien', 'Andalusië', 'Andaluzia'],
  'ES-CT': ['Katalonien', 'Catalonia', 'Catalogne', 'Katalonien', 'Cataluña', 'Catalogna', 'Catalonien', 'Catalonië', 'Catalunha'],
  'ES-PV': ['Baskien', 'Basque Country', 'Pays basque', 'Baskenland', 'País Vasco', 'Paesi Baschi', 'Baskerlandet', 'Baskenland', 'País Basco'],
  'ES-CN': ['Kanarieöarna', 'Canary Islands', 'Îles Canaries', 'Kanarische Inseln', 'Canarias', 'Canarie', 'De Kanariske Øer', 'Canarische Eilanden', 'Canárias'],
  'FR-BRE': ['Bretagne', 'Brittany', 'Bretagne', 'Bretagne', 'Bretaña', 'Bretagna', 'Bretagne', 'Bretagne', 'Bretanha'],
  'FR-NOR': ['Normandie', 'Normandy', 'Normandie', 'Normandie', 'Normandía', 'Normandia', 'Normandiet', 'Normandië', 'Normandia'],
  'FR-COR': ['Korsika', 'Corsica', 'Corse', 'Korsika', 'Córcega', 'Corsica', 'Korsika', 'Corsica', 'Córsega'],
  'CA-QC': ['Québec', 'Quebec', 'Québec', 'Québec', 'Quebec', 'Québec', 'Québec', 'Quebec', 'Quebec'],
  'CA-BC': ['British Columbia', 'British Columbia', 'Colombie-Britannique', 'British Columbia', 'Columbia Británica', 'Columbia Britannica', 'British Columbia', 'Brits-Columbia', 'Colúmbia Britânica'],
  'US-CA': ['Kalifornien', 'California', 'Californie', 'Kalifornien', 'California', 'California', 'Californien', 'Californië', 'Califórnia'],
  'US-NY': ['New York', 'New York', 'État de New York', 'New York', 'Nueva York', 'New York', 'New York', 'New York', 'Nova York'],
};

function subdivisionNames(key) {
  if (NINE[key]) return NINE[key].slice();
  const n = NAMES[key];
  if (!n) throw new Error(`no name for division ${key}`);
  return Array(9).fill(n);
}

const FLAG = { 'GB-ENG': 'gb-eng', 'GB-SCT': 'gb-sct', 'GB-WLS': 'gb-wls', 'GB-NIR': 'gb-nir', 'ES-CT': 'es-ct', 'ES-GA': 'es-ga', 'ES-PV': 'es-pv' };
function subdivisionFlag(key, flags) {
  const f = FLAG[key];
  return f && flags.has(f) ? `${f}.bmp` : '';
}

module.exports = { DIVIDE, subdivisionNames, subdivisionFlag };
