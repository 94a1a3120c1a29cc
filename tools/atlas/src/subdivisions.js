'use strict';
// First-level divisions of the countries that some map divides: the
// Natural Earth unit names mapped to ISO 3166-2 codes, and the divisions'
// names in the nine languages.

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
  Telangana: 'TG', Ladakh: 'LA', Tripura: 'TR', 'Uttar Pradesh': 'UP', Uttaranchal: 'UK', 'West Bengal': 'WB',
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
// Norway's fifteen counties of 2024: the source draws the nineteen before
// 2018, and four of today's are two of those each (Innlandet, Agder,
// Vestland, Trøndelag). Svalbard is administered apart and stays a unit.
const NO = {
  'Østfold': '31', Akershus: '32', Oslo: '03', Hedmark: '34', Oppland: '34', Buskerud: '33', Vestfold: '39', Telemark: '40',
  'Aust-Agder': '42', 'Vest-Agder': '42', Rogaland: '11', Hordaland: '46', 'Sogn og Fjordane': '46', 'Møre og Romsdal': '15',
  'Sør-Trøndelag': '50', 'Nord-Trøndelag': '50', Nordland: '18', Troms: '55', Finnmark: '56', Svalbard: '21',
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
  // The Siachen Glacier, a unit of its own in the source and India's by the
  // border policy, is administered with Ladakh.
  IND: (p) => (p.adm0_a3 === 'IND' ? byName('IN', IN)(p) : p.adm0_a3 === 'KAS' ? 'IN-LA' : false),
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

// Local names of the divisions.
const NAMES = {};
const one = (prefix, table, rename = {}) => {
  for (const [n, c] of Object.entries(table)) if (c && n !== 'null' && !NAMES[`${prefix}-${c}`]) NAMES[`${prefix}-${c}`] = rename[c] || n;
};
one('US', US); one('CA', CA); one('MX', MX, { CMX: 'Ciudad de México', MEX: 'Estado de México' }); one('BR', BR);
one('AU', AU, { NSW: 'New South Wales', TAS: 'Tasmania' }); one('IN', IN, { DH: 'Dadra, Nagar Haveli, Daman and Diu', OD: 'Odisha', UK: 'Uttarakhand' });
one('DE', DE); one('SE', SE, { T: 'Örebro' }); one('NO', NO, { 34: 'Innlandet', 42: 'Agder', 46: 'Vestland', 50: 'Trøndelag' }); one('ES', ES_WOE, { CN: 'Canarias', AS: 'Asturias', MD: 'Madrid', MC: 'Murcia', NC: 'Navarra', IB: 'Islas Baleares' });
Object.assign(NAMES, {
  'GB-ENG': 'England', 'GB-SCT': 'Scotland', 'GB-WLS': 'Wales', 'GB-NIR': 'Northern Ireland',
  'PL-DS': 'Dolnośląskie', 'PL-KP': 'Kujawsko-Pomorskie', 'PL-LU': 'Lubelskie', 'PL-LB': 'Lubuskie', 'PL-LD': 'Łódzkie',
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

// The names players know in their own language, where they differ from the
// local one; null takes CLDR's name for the language, else the local name.
// sv, en, fr, de, es, it, da, nl, pt
const OWN = {
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
  'DE-MV': [null, 'Mecklenburg-Western Pomerania', 'Mecklembourg-Poméranie-Occidentale', null, 'Mecklemburgo-Pomerania Occidental', 'Meclemburgo-Pomerania Anteriore', null, 'Mecklenburg-Voor-Pommeren', 'Meclemburgo-Pomerânia Ocidental'],
  'DE-RP': [null, null, 'Rhénanie-Palatinat', null, 'Renania-Palatinado', 'Renania-Palatinato', null, 'Rijnland-Palts', 'Renânia-Palatinado'],
  'DE-ST': [null, null, 'Saxe-Anhalt', null, 'Sajonia-Anhalt', 'Sassonia-Anhalt', null, 'Saksen-Anhalt', 'Saxônia-Anhalt'],
  'DE-SL': [null, null, 'Sarre', null, 'Sarre', null, null, null, 'Sarre'],
  'DE-HH': [null, null, 'Hambourg', null, 'Hamburgo', 'Amburgo', null, null, 'Hamburgo'],
  'DE-BE': [null, null, null, null, 'Berlín', 'Berlino', null, null, 'Berlim'],
  'DE-HB': [null, null, 'Brême', null, null, 'Brema', null, null, null],
  'DE-BB': [null, null, 'Brandebourg', null, 'Brandeburgo', 'Brandeburgo', null, null, 'Brandemburgo'],
  'DE-SH': [null, null, null, null, null, null, 'Slesvig-Holsten', null, null],
  'IT-82': ['Sicilien', 'Sicily', 'Sicile', 'Sizilien', 'Sicilia', 'Sicilia', 'Sicilien', 'Sicilië', 'Sicília'],
  'IT-88': ['Sardinien', 'Sardinia', 'Sardaigne', 'Sardinien', 'Cerdeña', 'Sardegna', 'Sardinien', 'Sardinië', 'Sardenha'],
  'IT-52': ['Toscana', 'Tuscany', 'Toscane', 'Toskana', 'Toscana', 'Toscana', 'Toscana', 'Toscane', 'Toscana'],
  'IT-25': ['Lombardiet', 'Lombardy', 'Lombardie', 'Lombardei', 'Lombardía', 'Lombardia', 'Lombardiet', 'Lombardije', 'Lombardia'],
  'IT-21': ['Piemonte', 'Piedmont', 'Piémont', 'Piemont', 'Piamonte', 'Piemonte', 'Piemonte', 'Piëmont', 'Piemonte'],
  'IT-23': ['Aostadalen', null, 'Vallée d\'Aoste', 'Aostatal', 'Valle de Aosta', null, 'Aostadalen', null, 'Vale de Aosta'],
  'IT-32': ['Trentino-Sydtyrolen', null, 'Trentin-Haut-Adige', 'Trentino-Südtirol', 'Trentino-Alto Adigio', null, 'Trentino-Sydtyrol', 'Trentino-Zuid-Tirol', 'Trentino-Alto Ádige'],
  'IT-36': [null, 'Friuli-Venezia Giulia', 'Frioul-Vénétie julienne', 'Friaul-Julisch Venetien', 'Friuli-Venecia Julia', null, null, null, 'Friul-Veneza Júlia'],
  'IT-34': [null, null, 'Vénétie', 'Venetien', 'Véneto', null, null, null, 'Vêneto'],
  'IT-42': ['Ligurien', null, 'Ligurie', 'Ligurien', null, null, 'Ligurien', 'Ligurië', 'Ligúria'],
  'IT-45': [null, null, 'Émilie-Romagne', null, 'Emilia-Romaña', null, null, null, 'Emília-Romanha'],
  'IT-55': ['Umbrien', null, 'Ombrie', 'Umbrien', null, null, 'Umbrien', 'Umbrië', 'Úmbria'],
  'IT-57': [null, null, 'Marches', 'Marken', 'Marcas', null, null, null, 'Marcas'],
  'IT-62': [null, null, 'Latium', 'Latium', 'Lacio', null, null, null, 'Lácio'],
  'IT-65': [null, null, 'Abruzzes', 'Abruzzen', 'Abruzos', null, null, 'Abruzzen', 'Abruzos'],
  'IT-72': ['Kampanien', null, 'Campanie', 'Kampanien', null, null, 'Campanien', 'Campanië', 'Campânia'],
  'IT-75': ['Apulien', null, 'Pouilles', 'Apulien', 'Apulia', null, 'Apulien', 'Apulië', 'Apúlia'],
  'IT-77': [null, null, 'Basilicate', 'Basilikata', null, null, null, null, null],
  'IT-78': ['Kalabrien', null, 'Calabre', 'Kalabrien', null, null, 'Calabrien', 'Calabrië', 'Calábria'],
  'ES-AN': ['Andalusien', 'Andalusia', 'Andalousie', 'Andalusien', 'Andalucía', 'Andalusia', 'Andalusien', 'Andalusië', 'Andaluzia'],
  'ES-CT': ['Katalonien', 'Catalonia', 'Catalogne', 'Katalonien', 'Cataluña', 'Catalogna', 'Catalonien', 'Catalonië', 'Catalunha'],
  'ES-PV': ['Baskien', 'Basque Country', 'Pays basque', 'Baskenland', 'País Vasco', 'Paesi Baschi', 'Baskerlandet', 'Baskenland', 'País Basco'],
  'ES-CN': ['Kanarieöarna', 'Canary Islands', 'Îles Canaries', 'Kanarische Inseln', 'Canarias', 'Canarie', 'De Kanariske Øer', 'Canarische Eilanden', 'Canárias'],
  'ES-AR': ['Aragonien', null, 'Aragon', 'Aragonien', null, 'Aragona', 'Aragonien', null, 'Aragão'],
  'ES-AS': ['Asturien', null, 'Asturies', 'Asturien', null, null, 'Asturien', 'Asturië', 'Astúrias'],
  'ES-IB': ['Balearerna', null, 'Îles Baléares', 'Balearen', null, 'Isole Baleari', 'Balearerne', 'Balearen', 'Ilhas Baleares'],
  'ES-CL': ['Kastilien och León', null, 'Castille-et-León', 'Kastilien und León', null, 'Castiglia e León', null, 'Castilië en León', 'Castela e Leão'],
  'ES-CM': ['Kastilien-La Mancha', null, 'Castille-La Manche', 'Kastilien-La Mancha', null, 'Castiglia-La Mancia', null, 'Castilië-La Mancha', 'Castela-Mancha'],
  'ES-GA': ['Galicien', null, 'Galice', 'Galicien', null, null, 'Galicien', 'Galicië', 'Galiza'],
  'ES-CB': ['Kantabrien', null, 'Cantabrie', 'Kantabrien', null, null, 'Cantabrien', 'Cantabrië', 'Cantábria'],
  'ES-EX': [null, null, 'Estrémadure', null, null, null, null, null, 'Estremadura'],
  'ES-MC': [null, 'Murcia', 'Murcie', null, null, null, 'Murcia', 'Murcia', 'Múrcia'],
  'ES-MD': [null, 'Madrid', 'Communauté de Madrid', null, null, null, 'Madrid', 'Madrid', null],
  'ES-NC': [null, 'Navarre', 'Navarre', null, null, null, null, 'Navarra', null],
  'ES-VC': ['Valencia', null, 'Communauté valencienne', 'Valencianische Gemeinschaft', null, 'Comunità Valenciana', 'Valencia', 'Valencia', 'Comunidade Valenciana'],
  'FR-BRE': ['Bretagne', 'Brittany', 'Bretagne', 'Bretagne', 'Bretaña', 'Bretagna', 'Bretagne', 'Bretagne', 'Bretanha'],
  'BR-SP': [null, null, 'São Paulo', null, null, null, null, null, null],
  'NO-50': ['Tröndelag', null, null, null, null, null, null, null, null],
  'FR-NOR': ['Normandie', 'Normandy', 'Normandie', 'Normandie', 'Normandía', 'Normandia', 'Normandiet', 'Normandië', 'Normandia'],
  'FR-COR': ['Korsika', 'Corsica', 'Corse', 'Korsika', 'Córcega', 'Corsica', 'Korsika', 'Corsica', 'Córsega'],
  'FR-OCC': ['Occitanien', 'Occitania', null, 'Okzitanien', 'Occitania', 'Occitania', 'Occitanien', 'Occitanië', 'Occitânia'],
  'FR-BFC': [null, null, null, 'Burgund-Franche-Comté', 'Borgoña-Franco Condado', 'Borgogna-Franca Contea', null, null, 'Borgonha-Franco-Condado'],
  'FR-NAQ': [null, null, null, null, 'Nueva Aquitania', 'Nuova Aquitania', null, null, 'Nova Aquitânia'],
  'FR-CVL': [null, null, null, null, 'Centro-Valle de Loira', 'Centro-Valle della Loira', null, null, 'Centro-Vale do Loire'],
  'FR-PDL': [null, 'Pays de la Loire', null, null, 'País del Loira', 'Paesi della Loira', null, null, 'País do Loire'],
  'FR-ARA': [null, null, null, null, 'Auvernia-Ródano-Alpes', 'Alvernia-Rodano-Alpi', null, null, 'Auvérnia-Ródano-Alpes'],
  'FR-PAC': [null, 'Provence-Alpes-Côte d\'Azur', null, null, 'Provenza-Alpes-Costa Azul', 'Provenza-Alpi-Costa Azzurra', null, null, 'Provença-Alpes-Costa Azul'],
  'FR-IDF': [null, 'Île-de-France', null, null, 'Isla de Francia', null, null, null, null],
  'FR-GES': [null, 'Grand Est', null, null, null, null, null, null, null],
  'PL-DS': ['Nedre Schlesien', null, 'Basse-Silésie', 'Niederschlesien', 'Baja Silesia', 'Bassa Slesia', 'Nedre Schlesien', 'Neder-Silezië', 'Baixa Silésia'],
  'PL-SL': ['Schlesien', null, 'Silésie', 'Schlesien', 'Silesia', 'Slesia', 'Schlesien', 'Silezië', 'Silésia'],
  'PL-MZ': ['Masovien', null, 'Mazovie', 'Masowien', 'Mazovia', 'Masovia', 'Masovien', 'Mazovië', 'Mazóvia'],
  'PL-MA': ['Lillpolen', null, 'Petite-Pologne', 'Kleinpolen', 'Pequeña Polonia', 'Piccola Polonia', 'Lillepolen', 'Klein-Polen', 'Pequena Polônia'],
  'PL-WP': ['Storpolen', null, 'Grande-Pologne', 'Großpolen', 'Gran Polonia', 'Grande Polonia', 'Storpolen', 'Groot-Polen', 'Grande Polônia'],
  'PL-PM': ['Pommern', null, 'Poméranie', 'Pommern', 'Pomerania', 'Pomerania', 'Pommern', 'Pommeren', 'Pomerânia'],
  'PL-ZP': ['Västpommern', null, 'Poméranie-Occidentale', 'Westpommern', 'Pomerania Occidental', 'Pomerania Occidentale', 'Vestpommern', 'West-Pommeren', 'Pomerânia Ocidental'],
  'PL-KP': ['Kujavien-Pommern', null, 'Couïavie-Poméranie', 'Kujawien-Pommern', 'Cuyavia y Pomerania', 'Cuiavia-Pomerania', 'Kujavien-Pommern', 'Koejavië-Pommeren', 'Cujávia-Pomerânia'],
  'PL-WN': ['Ermland-Masuren', null, 'Varmie-Mazurie', 'Ermland-Masuren', 'Varmia y Masuria', 'Varmia-Masuria', 'Ermland-Masuren', 'Ermland-Mazurië', 'Vármia-Masúria'],
  'PL-SK': [null, 'Świętokrzyskie', null, null, null, null, null, null, null],
  'CA-QC': ['Québec', 'Quebec', 'Québec', 'Québec', 'Quebec', 'Québec', 'Québec', 'Quebec', 'Quebec'],
  'CA-BC': ['British Columbia', 'British Columbia', 'Colombie-Britannique', 'British Columbia', 'Columbia Británica', 'Columbia Britannica', 'British Columbia', 'Brits-Columbia', 'Colúmbia Britânica'],
  'CA-NL': ['Newfoundland och Labrador', null, 'Terre-Neuve-et-Labrador', 'Neufundland und Labrador', 'Terranova y Labrador', 'Terranova e Labrador', 'Newfoundland og Labrador', 'Newfoundland en Labrador', 'Terra Nova e Labrador'],
  'CA-NT': [null, null, 'Territoires du Nord-Ouest', 'Nordwest-Territorien', 'Territorios del Noroeste', 'Territori del Nord-Ovest', null, null, 'Territórios do Noroeste'],
  'CA-NS': [null, null, 'Nouvelle-Écosse', null, 'Nueva Escocia', 'Nuova Scozia', null, null, 'Nova Escócia'],
  'CA-NB': [null, null, 'Nouveau-Brunswick', null, 'Nuevo Brunswick', 'Nuovo Brunswick', null, null, 'Nova Brunswick'],
  'CA-PE': [null, null, 'Île-du-Prince-Édouard', null, 'Isla del Príncipe Eduardo', 'Isola del Principe Edoardo', null, 'Prins Edwardeiland', 'Ilha do Príncipe Eduardo'],
  'US-CA': ['Kalifornien', 'California', 'Californie', 'Kalifornien', 'California', 'California', 'Californien', 'Californië', 'Califórnia'],
  'US-NY': ['New York', 'New York', 'État de New York', 'New York', 'Nueva York', 'New York', 'New York', 'New York', 'Nova York'],
  'US-NC': [null, null, 'Caroline du Nord', null, 'Carolina del Norte', 'Carolina del Nord', null, null, 'Carolina do Norte'],
  'US-SC': [null, null, 'Caroline du Sud', null, 'Carolina del Sur', 'Carolina del Sud', null, null, 'Carolina do Sul'],
  'US-ND': [null, null, 'Dakota du Nord', null, 'Dakota del Norte', 'Dakota del Nord', null, null, 'Dakota do Norte'],
  'US-SD': [null, null, 'Dakota du Sud', null, 'Dakota del Sur', 'Dakota del Sud', null, null, 'Dakota do Sul'],
  'US-WV': [null, null, 'Virginie-Occidentale', null, 'Virginia Occidental', 'Virginia Occidentale', null, null, 'Virgínia Ocidental'],
  'US-VA': [null, null, 'Virginie', null, null, null, null, null, 'Virgínia'],
  'US-PA': [null, null, 'Pennsylvanie', null, 'Pensilvania', null, null, null, 'Pensilvânia'],
  'US-LA': [null, null, 'Louisiane', null, 'Luisiana', null, null, null, 'Luisiana'],
  'US-GA': [null, null, 'Géorgie', null, null, null, null, null, 'Geórgia'],
  'US-FL': [null, null, 'Floride', null, null, null, null, null, 'Flórida'],
  'US-NM': [null, null, 'Nouveau-Mexique', null, 'Nuevo México', 'Nuovo Messico', null, null, 'Novo México'],
  'US-NJ': [null, null, null, null, 'Nueva Jersey', null, null, null, 'Nova Jérsei'],
  'US-NH': [null, null, null, null, 'Nuevo Hampshire', null, null, null, 'Nova Hampshire'],
  'US-HI': [null, null, 'Hawaï', null, 'Hawái', null, null, null, 'Havaí'],
  'US-DC': [null, 'District of Columbia', 'District de Columbia', null, 'Distrito de Columbia', 'Distretto di Columbia', null, null, 'Distrito de Colúmbia'],
  'MX-CMX': ['Mexico City', 'Mexico City', 'Mexico', 'Mexiko-Stadt', 'Ciudad de México', 'Città del Messico', 'Mexico City', 'Mexico-Stad', 'Cidade do México'],
  'MX-MEX': ['Delstaten Mexiko', null, 'État de Mexico', null, null, 'Stato del Messico', 'Delstaten Mexico', 'Staat Mexico', 'Estado do México'],
  'MX-BCN': [null, null, 'Basse-Californie', null, null, 'Bassa California', null, null, 'Baixa Califórnia'],
  'MX-BCS': [null, null, 'Basse-Californie du Sud', null, null, 'Bassa California del Sud', null, null, 'Baixa Califórnia do Sul'],
  'AU-NSW': [null, null, 'Nouvelle-Galles du Sud', null, 'Nueva Gales del Sur', 'Nuovo Galles del Sud', null, 'Nieuw-Zuid-Wales', 'Nova Gales do Sul'],
  'AU-WA': [null, null, 'Australie-Occidentale', null, 'Australia Occidental', 'Australia Occidentale', null, 'West-Australië', 'Austrália Ocidental'],
  'AU-SA': [null, null, 'Australie-Méridionale', null, 'Australia Meridional', 'Australia Meridionale', null, 'Zuid-Australië', 'Austrália Meridional'],
  'AU-NT': [null, null, 'Territoire du Nord', null, 'Territorio del Norte', 'Territorio del Nord', null, 'Noordelijk Territorium', 'Território do Norte'],
  'AU-TAS': ['Tasmanien', null, 'Tasmanie', 'Tasmanien', null, null, 'Tasmanien', 'Tasmanië', 'Tasmânia'],
  'AU-ACT': [null, null, 'Territoire de la capitale australienne', null, 'Territorio de la Capital Australiana', 'Territorio della Capitale Australiana', null, 'Australisch Hoofdstedelijk Territorium', 'Território da Capital Australiana'],
  'IN-WB': ['Västbengalen', null, 'Bengale-Occidental', 'Westbengalen', 'Bengala Occidental', 'Bengala Occidentale', 'Vestbengalen', 'West-Bengalen', 'Bengala Ocidental'],
  'IN-JK': ['Jammu och Kashmir', null, 'Jammu-et-Cachemire', 'Jammu und Kashmir', 'Jammu y Cachemira', 'Jammu e Kashmir', 'Jammu og Kashmir', 'Jammu en Kasjmir', 'Jammu e Caxemira'],
  'IN-PB': [null, null, 'Pendjab', null, 'Punyab', null, null, null, null],
  'IN-DH': ['Dadra och Nagar Haveli och Daman och Diu', 'Dadra and Nagar Haveli and Daman and Diu', 'Dadra et Nagar Haveli et Daman et Diu', 'Dadra und Nagar Haveli und Daman und Diu', 'Dadra y Nagar Haveli y Damán y Diu', 'Dadra e Nagar Haveli e Daman e Diu', 'Dadra og Nagar Haveli og Daman og Diu', 'Dadra en Nagar Haveli en Daman en Diu', 'Dadrá e Nagar-Aveli e Damão e Diu'],
  // iso-codes gives the archipelago's ISO name with "(Arctic region)" and
  // Spain's communities inverted ("Madrid, Communauté de"): an atlas's forms.
  'NO-21': ['Svalbard', 'Svalbard', 'Svalbard', 'Svalbard', 'Svalbard', 'Svalbard', 'Svalbard', 'Spitsbergen', 'Svalbard'],
  'IN-AN': ['Andamanerna och Nikobarerna', null, 'Îles Andaman-et-Nicobar', 'Andamanen und Nikobaren', 'Islas Andamán y Nicobar', 'Isole Andamane e Nicobare', 'Andamanerne og Nikobarerne', 'Andamanen en Nicobaren', 'Ilhas Andamão e Nicobar'],
};

// CLDR's subdivision names (English for every division, a few in the other
// languages), keyed by CLDR's code: ISO 3166-2 in lower case without the
// hyphen, except Poland's voivodeships, which CLDR keeps under their older
// numeric codes.
const LANGS = ['sv', 'en', 'fr', 'de', 'es', 'it', 'da', 'nl', 'pt'];
const CLDR = LANGS.map((l) => require(`cldr-subdivisions-full/subdivisions/${l}/${l}.json`).subdivisions.localeDisplayNames.subdivisions);
const PL_CLDR = {
  DS: '02', KP: '04', LU: '06', LB: '08', LD: '10', MA: '12', MZ: '14', OP: '16', PK: '18', PD: '20', PM: '22', SL: '24',
  SK: '26', WN: '28', WP: '30', ZP: '32',
};
function cldrCode(key) {
  const [c, s] = key.split('-');
  return c === 'PL' ? `pl${PL_CLDR[s]}` : `${c}${s}`.toLowerCase();
}
function cldrName(key, li) {
  const n = CLDR[li][cldrCode(key)];
  return n ? n.replace(/[’‘]/g, '\'').replace(/[–—]/g, '-') : null;
}

// The translations of Debian's iso-codes (ISO 3166-2 names and their gettext
// catalogues; Brazilian Portuguese for pt). A translation that only repeats
// the ISO name adds nothing and is not taken.
const ISO_DIR = '/usr/share/iso-codes/json/iso_3166-2.json';
const { readMo } = require('./gettext');
let isoTables = null;
function isoName(key, li) {
  if (!isoTables) {
    const fs = require('fs');
    const names = fs.existsSync(ISO_DIR) ? Object.fromEntries(JSON.parse(fs.readFileSync(ISO_DIR))['3166-2'].map((d) => [d.code, d.name])) : {};
    const locale = { pt: 'pt_BR' };
    isoTables = { names, mo: LANGS.map((l) => readMo(`/usr/share/locale/${locale[l] || l}/LC_MESSAGES/iso_3166-2.mo`)) };
  }
  const n = isoTables.names[key];
  // Some translations list the ISO name beside the language's own
  // ("Baja California; Neder-Californië"): the own one counts.
  const t = n && isoTables.mo[li][n] && (isoTables.mo[li][n].split('; ').find((x) => x !== n) || n);
  // "Blekinge län" is the Swedish name with the Swedish word for county, no
  // translation.
  if (!t || t === n || / län$/.test(t)) return null;
  return t.replace(/[’‘]/g, '\'').replace(/[–—]/g, '-');
}

// GeoNames' admin-1 codes of the divisions whose names come from the
// libgeonames-common catalogues (src/geonames.js): Poland's voivodeships,
// which CLDR and iso-codes name only in English and Polish.
const ADMIN1 = {
  'PL-DS': 'PL.72', 'PL-KP': 'PL.73', 'PL-LD': 'PL.74', 'PL-LU': 'PL.75', 'PL-LB': 'PL.76', 'PL-MA': 'PL.77', 'PL-MZ': 'PL.78',
  'PL-OP': 'PL.79', 'PL-PK': 'PL.80', 'PL-PD': 'PL.81', 'PL-PM': 'PL.82', 'PL-SL': 'PL.83', 'PL-SK': 'PL.84', 'PL-WN': 'PL.85',
  'PL-WP': 'PL.86', 'PL-ZP': 'PL.87',
};
function geonamesName(key, li) {
  if (!ADMIN1[key]) return null;
  return require('./geonames').divisionNames(ADMIN1[key], NAMES[key])[li];
}

// Names of a division in the nine languages: our own table first, then CLDR,
// then the iso-codes translation, then the GeoNames catalogue, then the
// local name.
function subdivisionNames(key, own = OWN, cldr = cldrName, iso = isoName, gn = geonamesName) {
  const local = NAMES[key];
  if (!local) throw new Error(`no name for division ${key}`);
  const o = own[key] || [];
  return LANGS.map((_, li) => o[li] || cldr(key, li) || iso(key, li) || gn(key, li) || local);
}

const FLAG = { 'GB-ENG': 'gb-eng', 'GB-SCT': 'gb-sct', 'GB-WLS': 'gb-wls', 'GB-NIR': 'gb-nir', 'ES-CT': 'es-ct', 'ES-GA': 'es-ga', 'ES-PV': 'es-pv' };
function subdivisionFlag(key, flags) {
  const f = FLAG[key];
  return f && flags.has(f) ? `${f}.bmp` : '';
}

module.exports = { DIVIDE, subdivisionNames, subdivisionFlag, NAMES, OWN, cldrName };
