'use strict';
// Runs the drawing check (atlas-check, which draws every map exercise
// through the program's own map code) and applies the mends it reports:
// a second fill point for an area or lake that its first point leaves
// unpainted, a sea point for a stretch of sea that none reaches, the removal
// of a sea point that paints land, the removal of sea points that paint
// nothing anywhere, and a new fill point for a lake too small to fill at
// some size. Repeats until the check finds nothing to mend; what it still
// finds then fails the build.
//
// The map window is always maximised, so a player's map has the screen's
// size less the window's bars. The check must pass at the four sizes the
// catalogue's views are made for (4:3 and wide, small to very large) and at
// the narrowest map players commonly have, that of a 1280x1024 screen (5:4)
// with no window decorations (as under Xvfb: 4 pixels narrower and 38 lower
// than the screen). A narrower map shows the same latitudes and less
// longitude, so it loses the sea points near the sides of a view. The map
// of a 1024x768 screen with no decorations (1020x730), the common laptop
// and desktop screens, and the smallest screens (960x524) are checked as
// well and mended where that costs the others nothing, but what stays there
// is only reported: at 1020x730 a small island can split into more pieces
// than its two fill points reach.
const { spawnSync } = require('child_process');

const CORE_SIZES = ['1020x700', '1362x700', '1916x1000', '2556x1380', '1276x986'];
const SCREEN_SIZES = ['1020x730', '1020x530', '1276x650', '1276x730', '1436x830', '1596x830', '1276x955', '1676x980', '960x524'];
// Sea points a file keeps free for the sizes that must pass.
const SEA_RESERVE = 15;

function sizeOf(line) {
  const m = / at (\d+x\d+)/.exec(line);
  return m ? m[1] : '';
}
function atCoreSize(line) { return CORE_SIZES.includes(sizeOf(line)); }

let lastMarkers = [];

// How much of the markers the last check run painted: the views checked, the
// smallest share painted and the views of markers not painted whole.
function markerFigures() {
  let least = 1, partial = 0;
  for (const l of lastMarkers) {
    const m = / (\d+) of (\d+) pixels painted/.exec(l);
    if (!m || Number(m[2]) === 0) continue;
    const share = Number(m[1]) / Number(m[2]);
    least = Math.min(least, share);
    if (share < 1) partial++;
  }
  return { views: lastMarkers.length, leastPainted: Math.round(least * 1000) / 1000, partial };
}

// `markers`: a file listing the markers ("MAP KEY" a line), which must be
// painted whole.
function runCheck(checker, dir, markers) {
  const args = [dir, ...(markers ? ['--markers', markers] : []), ...CORE_SIZES, ...SCREEN_SIZES];
  const r = spawnSync(checker, args, { encoding: 'utf8', maxBuffer: 256 * 1024 * 1024, env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  if (r.status !== 0 && r.status !== 1) throw new Error(`atlas-check failed: ${r.stderr}`);
  lastMarkers = r.stdout.split('\n').filter((l) => l.startsWith('MARKER '));
  return r.stdout.split('\n').filter((l) => /^(FILL|LOBE|LAKEFILL|SEA|LAKESEA|DROPSEA|IDLESEA|LAKEFLOOD|FAIL) /.test(l));
}

const seaPixelsOf = (l) => (/\((\d+) pixels\)/.exec(l) || [0, 0])[1];

function samePoint(a, b) { return a[0] === b[0] && a[1] === b[1]; }

// The area whose fill leaks, when the leak can come from its second fill
// point set beyond a neck (and not yet taken back).
function leakFrom(line, data) {
  const m = /^FAIL exercise (\d+) at \S+: the fill of area (\d+) \(/.exec(line);
  if (!m || !data.exercises) return null;
  const e = data.exercises.find((x) => x.number === Number(m[1]));
  const rec = e && data.maps[e.map] && data.maps[e.map].records[Number(m[2]) - 1];
  if (!rec || (rec.fillMended && !rec.lobeFill) || rec.lobeDropped) return null;
  if (samePoint(rec.fill1, rec.fill2)) return null;
  return rec;
}

// A further record of an area's polygon that only adds a fill point: it
// answers to the area's own key through a group key (a country's main part
// through Group1, a division's or territory's through Group2, a further part
// as the part does) and takes the next free part number of the key.
function lobeRecord(records, rec, point) {
  const base = rec.key.split('.')[0];
  const main = !rec.key.includes('.');
  const group1 = main && !rec.group1 ? rec.key : rec.group1;
  const group2 = main && rec.group1 ? rec.key : rec.group2;
  let n = 2;
  for (const r of records) {
    const m = new RegExp(`^${base.replace(/[.*+?^${}()|[\]\\]/g, '\\$&')}\\.(\\d+)$`).exec(r.key);
    if (m) n = Math.max(n, Number(m[1]) + 1);
  }
  return { ...rec, key: `${base}.${n}`, group1, group2, fill1: point, fill2: point, marker: false, lobeOf: rec };
}

// The further record whose fill leaks (not yet taken back).
function lobeLeak(line, data) {
  const m = /^FAIL exercise (\d+) at \S+: the fill of area (\d+) \(/.exec(line);
  if (!m || !data.exercises) return null;
  const e = data.exercises.find((x) => x.number === Number(m[1]));
  const rec = e && data.maps[e.map] && data.maps[e.map].records[Number(m[2]) - 1];
  return rec && rec.lobeOf && !rec.lobeDropped ? rec : null;
}

// Applies the mends of one check run; returns how many were applied and the
// findings that could not be mended.
function applyMends(lines, data) {
  data.dropped = data.dropped || {};
  data.pruned = data.pruned || {};
  // Areas mended for a screen size, with the fill points they had before.
  data.screenMends = data.screenMends || new Map();
  let mended = 0;
  const left = [];
  const drops = {};
  const added = {};
  const fillSet = new Set();
  const lobes = {};
  // Sea points to take out of each file this run, by their place in it.
  // A point that painted nothing at every exercise and size checked (already
  // sea at its turn, or off the view) goes, so that the file has room: the
  // drawing stays the same without it, and so does the turn of every other
  // point. That only holds while nothing else in the file changes: in a file
  // that also drops a point for painting land, the sea that point painted
  // may fall to one of the idle ones, so they wait for the next run.
  const remove = {};
  for (const line of lines) {
    const f = line.split(' ');
    if (f[0] === 'DROPSEA') (drops[f[1]] = drops[f[1]] || new Set()).add(Number(f[2]));
  }
  for (const line of lines) {
    const f = line.split(' ');
    if (f[0] !== 'IDLESEA' || drops[f[1]] || !data.seaPoints[f[1]]) continue;
    const idle = f.slice(2).map(Number).filter((n) => n >= 1 && n <= data.seaPoints[f[1]].length);
    remove[f[1]] = new Set(idle);
  }
  for (const [file, set] of Object.entries(drops)) remove[file] = new Set(set);
  const kept = (file) => data.seaPoints[file].length - (remove[file] ? remove[file].size : 0);
  const floodSet = new Set();
  // The largest stretches of sea take points first: a file's points run out.
  const seaPixels = (l) => (/^(SEA|LAKESEA|LOBE) .*\((\d+) pixels\)/.exec(l) || [0, 0, 0])[2];
  lines = [...lines].sort((a, b) => Number(seaPixels(b)) - Number(seaPixels(a)));
  for (const line of lines) {
    const f = line.split(' ');
    if (f[0] === 'FILL' || f[0] === 'LAKEFILL') {
      const rec = f[0] === 'FILL' ? data.maps[Number(f[1])].records[Number(f[2]) - 1] : data.vatten[Number(f[1]) - 1];
      const at = f[0] === 'FILL' ? 3 : 2;
      const id = `${f[0]} ${f[1]} ${f[0] === 'FILL' ? f[2] : ''}`;
      if (fillSet.has(id)) continue; // one mend per area and run
      const point = [Number(f[at]), Number(f[at + 1])];
      // A mend made for a screen size gives way to one for a size that must
      // pass (what it leaves at the screen size is only reported); a mend
      // for a size that must pass is final.
      if (rec && f[0] === 'FILL' && atCoreSize(line) && data.screenMends.has(rec) && !fillSet.has(id)) {
        [rec.fill1, rec.fill2] = data.screenMends.get(rec);
        data.screenMends.delete(rec);
        rec.fillMended = false;
      }
      const before = rec && [rec.fill1, rec.fill2];
      const forScreen = () => { if (f[0] === 'FILL' && !atCoreSize(line)) data.screenMends.set(rec, before); };
      if (rec && !rec.fillMended && f[0] === 'FILL' && !atCoreSize(line) && !samePoint(rec.fill1, rec.fill2)) {
        // Mostly unpainted on a screen size while its second point serves
        // a lobe: the first point is the one lost there (on a lake's
        // outline or a border at that scale), and the deepest unpainted
        // pixel takes its place.
        rec.fill1 = point;
        rec.fillMended = true;
        forScreen();
        fillSet.add(id);
        mended++;
      } else if (rec && !rec.fillMended && f[0] === 'LAKEFILL' && !samePoint(rec.fill1, rec.fill2)) {
        // The lake's second point already serves a basin of its own: the
        // mend goes into a further record of the same lake, at the end of
        // the list so that the check's lake numbers stay.
        const base = rec.key.split('.')[0];
        const count = data.vatten.filter((r) => r.key.split('.')[0] === base).length;
        data.vatten.push({ ...rec, key: `${base}.${count + 1}`, fill1: point, fill2: point, fillMended: true });
        rec.fillMended = true;
        fillSet.add(id);
        mended++;
      } else if (rec && !rec.fillMended) {
        rec.fill2 = point;
        rec.fillMended = true;
        forScreen();
        fillSet.add(id);
        mended++;
      } else left.push(line);
    } else if (f[0] === 'LOBE') {
      // A piece of an asked area that its fill points leave grey: the
      // area's second point when it has none of its own yet, otherwise a
      // further record of the same polygon under the area's key as a group
      // (its outline drawn again changes no pixel), at the end of the list
      // so that the check's area numbers stay. Only for the sizes that must
      // pass; the largest pieces first, one point for the findings of a
      // piece at several sizes.
      const m = data.maps[Number(f[1])];
      const rec = m && m.records[Number(f[2]) - 1];
      if (!rec || !atCoreSize(line)) { left.push(line); continue; }
      const point = [Number(f[3]), Number(f[4])];
      const near = (q) => Math.abs(q[0] - point[0]) < 0.3 && Math.abs(q[1] - point[1]) < 0.3;
      const done = (lobes[f[1] + ' ' + f[2]] = lobes[f[1] + ' ' + f[2]] || []);
      if (done.some(near)) continue;
      done.push(point);
      if (!rec.fillMended && !rec.lobeOf && !rec.lobeDropped && samePoint(rec.fill1, rec.fill2)) {
        rec.fill2 = point;
        rec.fillMended = true;
        rec.lobeFill = true;
        mended++;
      } else if (m.records.length < 500) {
        m.records.push(lobeRecord(m.records, rec.lobeOf || rec, point));
        mended++;
      } else left.push(line);
    } else if (f[0] === 'FAIL' && lobeLeak(line, data)) {
      // A further fill point that some size puts across a border paints
      // nothing more: it moves onto its area's first point.
      const rec = lobeLeak(line, data);
      rec.fill1 = rec.fill2 = rec.lobeOf.fill1;
      rec.lobeDropped = true;
      mended++;
    } else if (f[0] === 'FAIL' && leakFrom(line, data)) {
      // A second fill point beyond a neck that some size puts across a
      // border: the area goes back to its first point alone.
      const rec = leakFrom(line, data);
      rec.fill2 = rec.fill1;
      rec.lobeDropped = true;
      mended++;
    } else if (f[0] === 'DROPSEA' || f[0] === 'IDLESEA') {
      // Gathered above.
    } else if (f[0] === 'LAKEFLOOD') {
      // A lake a pixel or two across whose fill point rounds onto the land
      // beside it at some size, so that its fill floods the map: the point
      // moves to where the lake's own outline lies at that size, still
      // inside the lake. Once a lake: a point that floods at yet another
      // size is reported.
      const rec = data.vatten[Number(f[1]) - 1];
      const k = Number(f[2]);
      if (floodSet.has(f[1])) continue;
      if (!rec || rec.floodMended || !/^-?[\d.]+$/.test(f[3] || '')) { left.push(line); continue; }
      const point = [Number(f[3]), Number(f[4])];
      if (samePoint(rec.fill1, rec.fill2)) { rec.fill1 = point; rec.fill2 = point; } else if (k === 1) rec.fill1 = point; else rec.fill2 = point;
      rec.floodMended = true;
      floodSet.add(f[1]);
      mended++;
    } else if (f[0] === 'SEA' || f[0] === 'LAKESEA') {
      const pts = data.seaPoints[f[1]];
      const p = [Number(f[2]), Number(f[3])];
      const close = ([lat, lon]) => Math.abs(lat - p[0]) < 0.15 && Math.abs(lon - p[1]) < 0.15;
      // One new point serves the findings of a stretch at several sizes. A
      // point that was there before this run and still left the stretch
      // unreached lies outside the view at this size (a narrower screen
      // shows less longitude): the new one goes in beside it.
      if ((added[f[1]] || []).some(close)) continue;
      // Where a point was dropped for painting land on some map, no new one
      // goes: it would be dropped again.
      if ((data.dropped[f[1]] || []).some(close)) { left.push(line); continue; }
      const room = atCoreSize(line) ? 100 : 100 - SEA_RESERVE;
      if (kept(f[1]) < room) {
        pts.push(p);
        (added[f[1]] = added[f[1]] || []).push(p);
        mended++;
      } else left.push(line);
    } else left.push(line);
  }
  // The points kept stay in their order (an earlier point's fill decides
  // what a later one finds); new points come after them.
  for (const [file, set] of Object.entries(remove)) {
    const before = data.seaPoints[file].length;
    if (drops[file]) data.dropped[file] = (data.dropped[file] || []).concat(data.seaPoints[file].filter((_, i) => set.has(i + 1)));
    else data.pruned[file] = (data.pruned[file] || 0) + set.size;
    data.seaPoints[file] = data.seaPoints[file].filter((_, i) => !set.has(i + 1));
    mended += before - data.seaPoints[file].length;
  }
  return { mended, left };
}

function verify(checker, dir, data, write, log) {
  let lines = [];
  for (let round = 1; round <= 8; round++) {
    lines = runCheck(checker, dir, data.markers);
    log(`drawing check ${round}: ${lines.length} findings`);
    if (!lines.length) break;
    const { mended, left } = applyMends(lines, data);
    write();
    if (!mended) { lines = left; break; }
  }
  if (lines.length) lines = runCheck(checker, dir, data.markers);
  // A lake that stays partly unpainted is only reported: two fill points
  // cannot reach every basin of a chain of lakes, and a piece of a lake cut
  // off by borders may find no sea point that is safe on every map of its
  // file. So is a grey piece of sea or of an asked area under 150 pixels
  // that no point can serve at every size (its point would lie on land or
  // off its area at another), or that finds its sea point file full: the
  // data set's test lists those it knows, with their size. Every other
  // finding fails the build.
  const small = (l) => /^(SEA|LOBE) /.test(l) && Number(seaPixelsOf(l)) < 150;
  const faults = lines.filter((l) => !/^(LAKEFILL|LAKESEA|IDLESEA|LAKEFLOOD) /.test(l) && !small(l) && atCoreSize(l));
  for (const l of lines) log(`${faults.includes(l) ? 'unresolved' : 'note'}: ${l}`);
  if (faults.length) process.exitCode = 1;
  const markers = markerFigures();
  log(`markers: ${markers.views} views, least painted ${markers.leastPainted}, ${markers.partial} not whole`);
  const pruned = { ...(data.pruned || {}) };
  log(`sea points that painted nothing, taken out: ${JSON.stringify(pruned)}`);
  return { unresolved: faults.length, notes: lines.length - faults.length, markers, seaPointsPruned: pruned };
}

module.exports = { verify, applyMends, lobeRecord, CORE_SIZES, SCREEN_SIZES };
