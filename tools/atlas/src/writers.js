'use strict';
// Record layouts of the data files.
const { CrpWriter } = require('./crp');

function writeAreaRecord(w, a) {
  w.text(a.key); w.text(a.group1 || ''); w.text(a.group2 || '');
  if (a.names.length !== 9) throw new Error(`area ${a.key} lacks names`);
  for (const n of a.names) w.text(n);
  w.text(a.flag || '');
  // Reserved; bit 0: a marker disc drawn only where an exercise asks it.
  w.int16(a.marker ? 1 : 0);
  const pts = a.points || [];
  if (pts.length > 500) throw new RangeError(`area ${a.key} has ${pts.length} vertices`);
  w.int16(pts.length);
  const b = a.bounds || { n: 0, s: 0, e: 0, w: 0 };
  w.degrees(b.n); w.degrees(b.s); w.degrees(b.e); w.degrees(b.w);
  const f1 = a.fill1 || [0, 0], f2 = a.fill2 || f1;
  w.degrees(f1[0]); w.degrees(f1[1]); w.degrees(f2[0]); w.degrees(f2[1]);
  for (const [lon, lat] of pts) { w.degrees(lat); w.degrees(lon); }
}

function areaFile(areas) {
  if (areas.length > 500) throw new RangeError(`${areas.length} areas in one file`);
  const w = new CrpWriter();
  for (const a of areas) writeAreaRecord(w, a);
  return w.buffer();
}

function seaFile(points) {
  if (points.length > 100) throw new RangeError(`${points.length} sea points`);
  const w = new CrpWriter();
  for (const [lat, lon] of points) { w.degrees(lat); w.degrees(lon); }
  return w.buffer();
}

function placeFile(places) {
  const w = new CrpWriter();
  for (const p of places) {
    w.text(p.key);
    for (const n of p.names) w.text(n);
    w.int16(p.level); w.byte(p.cat1 ? 1 : 0); w.byte(p.cat2 ? 1 : 0);
    w.text(p.group1); w.text(p.group2); w.text(p.group3);
    w.degrees(p.lat); w.degrees(p.lon);
  }
  return w.buffer();
}

function langFile(texts) {
  const w = new CrpWriter();
  for (let t = 1; t <= 34; t++) { w.int16(t); for (const s of texts[t]) w.text(s); }
  return w.buffer();
}

function catalogueFile(exercises) {
  const w = new CrpWriter();
  for (const e of exercises) {
    w.text(e.kind);
    for (const t of e.titles) w.text(t);
    w.int16(e.number); w.byte(e.level); w.byte(e.lineWidth);
    w.byte(e.cat1 ? 1 : 0); w.byte(e.cat2 ? 1 : 0); w.byte(0);
    w.int16(e.map); w.int16(e.placeFile);
    w.text(e.continent);
    w.int32(e.background || 0); w.int32(e.areaColour || 0); w.int32(e.seaColour || 0);
    w.degrees(e.view.n); w.degrees(e.view.s); w.degrees(e.view.c);
    if (e.keys.length > 190) throw new RangeError(`exercise ${e.number} has ${e.keys.length} keys`);
    w.int16(e.keys.length);
    for (const k of e.keys) w.text(k);
  }
  return w.buffer();
}

module.exports = { areaFile, seaFile, placeFile, langFile, catalogueFile };
