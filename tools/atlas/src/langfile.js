'use strict';
// Writes lang.crp alone, from the interface texts of texts.js: a change of
// wording needs no map data and no rebuild of the other files. build.js
// writes the same bytes as part of the whole data set.
// Usage: node src/langfile.js [OUTDIR]
const fs = require('fs');
const path = require('path');
const { TEXTS } = require('./texts');
const W = require('./writers');

const OUT = path.resolve(process.argv[2] || path.join(__dirname, '..', '..', '..', 'dataset'));
fs.writeFileSync(path.join(OUT, 'lang.crp'), W.langFile(TEXTS));
