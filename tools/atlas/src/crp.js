'use strict';
// Writer for the scrambled .crp data files: little-endian integers and
// length-prefixed Windows-1252 texts stored shifted by the text offset.

const TEXT_OFFSET = 0x53;

// Unicode code points of the 0x80..0x9F block of Windows-1252.
const CP1252_HIGH = {
  0x20ac: 0x80, 0x201a: 0x82, 0x0192: 0x83, 0x201e: 0x84, 0x2026: 0x85,
  0x2020: 0x86, 0x2021: 0x87, 0x02c6: 0x88, 0x2030: 0x89, 0x0160: 0x8a,
  0x2039: 0x8b, 0x0152: 0x8c, 0x017d: 0x8e, 0x2018: 0x91, 0x2019: 0x92,
  0x201c: 0x93, 0x201d: 0x94, 0x2022: 0x95, 0x2013: 0x96, 0x2014: 0x97,
  0x02dc: 0x98, 0x2122: 0x99, 0x0161: 0x9a, 0x203a: 0x9b, 0x0153: 0x9c,
  0x017e: 0x9e, 0x0178: 0x9f,
};

// Letters that carry no decomposable accent but still need a Latin fallback.
const FALLBACK = {
  'ł': 'l', 'Ł': 'L', 'đ': 'd', 'Đ': 'D', 'ı': 'i', 'ħ': 'h', 'Ħ': 'H',
  'ŧ': 't', 'ŋ': 'ng', 'ʻ': '\'', 'ʼ': '\'', 'ʿ': '\'', 'ʾ': '\'', '‐': '-',
  '‑': '-', '\u00a0': ' ', 'ǀ': '|', 'ə': 'e', 'Ə': 'E', 'ß': 'ß',
};

function cp1252Byte(ch) {
  const cp = ch.codePointAt(0);
  if (cp < 0x80 || (cp >= 0xa0 && cp <= 0xff)) return cp;
  if (CP1252_HIGH[cp] !== undefined) return CP1252_HIGH[cp];
  return -1;
}

// Converts a text to Windows-1252 bytes, transliterating characters the code
// page lacks (Romanian s-comma becomes s, Polish l-stroke becomes l, ...).
// Throws when a character has no sensible fallback, so that no name is
// silently garbled.
function toCp1252(text) {
  const out = [];
  for (const ch of text.normalize('NFC')) {
    let b = cp1252Byte(ch);
    if (b >= 0) { out.push(b); continue; }
    let alt = FALLBACK[ch];
    if (alt === undefined) {
      const stripped = ch.normalize('NFD').replace(/[\u0300-\u036f]/g, '');
      // Keep a partially decomposed form when it exists in the code page
      // (a + ogonek stays a, o + double acute becomes o-umlaut is wrong, so plain o).
      alt = stripped !== ch ? stripped : undefined;
    }
    if (alt === undefined) throw new Error(`character U+${ch.codePointAt(0).toString(16)} of "${text}" has no Windows-1252 form`);
    for (const c of alt) {
      b = cp1252Byte(c);
      if (b < 0) throw new Error(`character ${c} of "${text}" has no Windows-1252 form`);
      out.push(b);
    }
  }
  return out;
}

class CrpWriter {
  constructor() { this.bytes = []; }
  byte(v) {
    if (!Number.isInteger(v) || v < 0 || v > 255) throw new RangeError(`byte out of range: ${v}`);
    this.bytes.push(v);
  }
  int16(v) {
    if (!Number.isInteger(v) || v < 0 || v > 32767) throw new RangeError(`int16 out of range: ${v}`);
    this.bytes.push(v & 0xff, (v >> 8) & 0xff);
  }
  int32(v) {
    if (!Number.isInteger(v) || v < -2147483648 || v > 2147483647) throw new RangeError(`int32 out of range: ${v}`);
    const u = v >>> 0;
    this.bytes.push(u & 0xff, (u >>> 8) & 0xff, (u >>> 16) & 0xff, (u >>> 24) & 0xff);
  }
  // Degrees stored as whole ten-thousandths.
  degrees(v) { this.int32(Math.round(v * 10000)); }
  text(s) {
    const b = toCp1252(s == null ? '' : String(s));
    if (b.length > 255) throw new RangeError(`text longer than 255 bytes: ${s}`);
    this.bytes.push(b.length);
    for (const c of b) this.bytes.push((c - TEXT_OFFSET + 256) % 256);
  }
  buffer() { return Buffer.from(this.bytes); }
}

// Minimal reader used by the pipeline's self-checks.
class CrpReader {
  constructor(buf) { this.buf = buf; this.pos = 0; }
  atEnd() { return this.pos >= this.buf.length; }
  need(n) { if (this.pos + n > this.buf.length) throw new Error('Read beyond end of file'); }
  byte() { this.need(1); return this.buf[this.pos++]; }
  int16() { this.need(2); const v = this.buf.readUInt16LE(this.pos); this.pos += 2; if (v > 32767) throw new RangeError('Range check error'); return v; }
  int32() { this.need(4); const v = this.buf.readInt32LE(this.pos); this.pos += 4; return v; }
  text() {
    const n = this.byte(); this.need(n);
    let s = '';
    for (let i = 0; i < n; i++) s += fromCp1252((this.buf[this.pos + i] + TEXT_OFFSET) % 256);
    this.pos += n;
    return s;
  }
}

const REVERSE_HIGH = Object.fromEntries(Object.entries(CP1252_HIGH).map(([u, b]) => [b, Number(u)]));
function fromCp1252(b) {
  if (b >= 0x80 && b <= 0x9f) return String.fromCodePoint(REVERSE_HIGH[b] || 0xfffd);
  return String.fromCharCode(b);
}

module.exports = { CrpWriter, CrpReader, toCp1252, TEXT_OFFSET };
