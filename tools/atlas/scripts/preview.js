'use strict';
// Writes an SVG sketch of an area file with its fill points (red) and the
// sea points of a sea file (blue), for a quick look at the data.
// Usage: node scripts/preview.js AREA2.crp Hav2.crp out.svg [Vatten.crp]
const fs = require('fs');
const { CrpReader } = require('../src/crp');

function readAreas(file) {
  const r = new CrpReader(fs.readFileSync(file));
  const out = [];
  while (!r.atEnd()) {
    const key = r.text(); r.text(); r.text();
    for (let i = 0; i < 9; i++) r.text();
    r.text(); r.int16();
    const n = r.int16();
    for (let i = 0; i < 4; i++) r.int32();
    const f = [r.int32() / 1e4, r.int32() / 1e4]; r.int32(); r.int32();
    const pts = [];
    for (let i = 0; i < n; i++) { const lat = r.int32() / 1e4; pts.push([r.int32() / 1e4, lat]); }
    out.push({ key, pts, fill: f });
  }
  return out;
}
function readSea(file) {
  const r = new CrpReader(fs.readFileSync(file));
  const out = [];
  while (!r.atEnd()) { const lat = r.int32() / 1e4; out.push([r.int32() / 1e4, lat]); }
  return out;
}
const [areaFile, seaFile, outFile, lakeFile] = process.argv.slice(2);
const areas = readAreas(areaFile);
const lakes = lakeFile ? readAreas(lakeFile) : [];
const sea = seaFile ? readSea(seaFile) : [];
let w = 1e9, e = -1e9, s = 1e9, n = -1e9;
for (const a of areas) for (const [x, y] of a.pts) { w = Math.min(w, x); e = Math.max(e, x); s = Math.min(s, y); n = Math.max(n, y); }
const k = 1600 / (e - w);
const X = (x) => ((x - w) * k).toFixed(1), Y = (y) => ((n - y) * k).toFixed(1);
let svg = `<svg xmlns="http://www.w3.org/2000/svg" width="1600" height="${Math.round((n - s) * k)}"><rect width="100%" height="100%" fill="#000080"/>`;
for (const a of areas) if (a.pts.length) svg += `<polygon points="${a.pts.map(([x, y]) => `${X(x)},${Y(y)}`).join(' ')}" fill="${a.key ? '#8c8' : '#36c'}" stroke="#000" stroke-width="0.5"/>`;
for (const a of lakes) if (a.pts.length) svg += `<polygon points="${a.pts.map(([x, y]) => `${X(x)},${Y(y)}`).join(' ')}" fill="#36c" stroke="#000" stroke-width="0.5"/>`;
for (const a of areas) if (a.pts.length) svg += `<circle cx="${X(a.fill[1])}" cy="${Y(a.fill[0])}" r="1.5" fill="red"/>`;
for (const [x, y] of sea) svg += `<circle cx="${X(x)}" cy="${Y(y)}" r="2.5" fill="#0ff"/>`;
fs.writeFileSync(outFile, `${svg}</svg>`);
