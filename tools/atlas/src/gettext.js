'use strict';
// Reads a compiled gettext catalogue (.mo): msgid -> msgstr. The format is a
// header of counts and offsets, then two tables of (length, offset) pairs,
// in the byte order its magic number shows. A missing file is an empty
// catalogue, so that a machine without a language's catalogue builds the
// same names as one where that language's file is empty.
const fs = require('fs');

function readMo(file) {
  if (!fs.existsSync(file)) return {};
  const b = fs.readFileSync(file);
  const magic = b.readUInt32LE(0);
  if (magic !== 0x950412de && magic !== 0xde120495) throw new Error(`${file} is no gettext catalogue`);
  const le = magic === 0x950412de;
  const u32 = (o) => (le ? b.readUInt32LE(o) : b.readUInt32BE(o));
  const n = u32(8), orig = u32(12), trans = u32(16);
  const text = (table, i) => {
    const len = u32(table + i * 8), at = u32(table + i * 8 + 4);
    if (at + len > b.length) throw new Error(`${file}: entry ${i} runs past the end`);
    return b.toString('utf8', at, at + len);
  };
  const out = {};
  for (let i = 0; i < n; i++) {
    const k = text(orig, i);
    if (k) out[k] = text(trans, i);
  }
  return out;
}

module.exports = { readMo };
