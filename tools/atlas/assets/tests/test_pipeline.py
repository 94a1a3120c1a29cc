"""Unit tests of the asset pipeline's own logic (standard library only):
rasterising, reading GeoPackage geometry, the continent table and the MIDI
and bitmap encoders, and the help pages' frame."""

import json
import os
import struct
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # keep the source tree clean when run by ctest
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "gen"))

import bmp  # noqa: E402
import geodata  # noqa: E402
import helpfiles  # noqa: E402
import raster  # noqa: E402
import sounds  # noqa: E402


def identity(x, y):
    return x, y


def rasterise(rings, w=10, h=10):
    got = set()
    raster.fill_polygon(rings, w, h, identity, lambda x, y: got.add((x, y)))
    return got


class RasterTest(unittest.TestCase):
    def test_pixel_centres_decide(self):
        # A square from 1.0 to 3.0 covers the centres 1.5 and 2.5 only.
        self.assertEqual(rasterise([[(1, 1), (3, 1), (3, 3), (1, 3)]]),
                         {(1, 1), (2, 1), (1, 2), (2, 2)})
        # Edges through pixel centres: half-open, so the square [1.5, 3.5)
        # takes centres 1.5 and 2.5, not 3.5.
        self.assertEqual(rasterise([[(1.5, 1.5), (3.5, 1.5), (3.5, 3.5), (1.5, 3.5)]]),
                         {(1, 1), (2, 1), (1, 2), (2, 2)})

    def test_neighbours_share_an_edge_without_gap_or_overlap(self):
        # Two countries meeting on a slanted border: every pixel of their
        # union is painted exactly once, as the menu pictures rely on.
        left = [(0, 0), (5.3, 0), (3.7, 8), (0, 8)]
        right = [(5.3, 0), (9, 0), (9, 8), (3.7, 8)]
        a, b = rasterise([left]), rasterise([right])
        self.assertFalse(a & b)
        whole = rasterise([[(0, 0), (9, 0), (9, 8), (0, 8)]])
        self.assertEqual(a | b, whole)

    def test_holes_and_clipping(self):
        outer = [(0, 0), (6, 0), (6, 6), (0, 6)]
        hole = [(2, 2), (4, 2), (4, 4), (2, 4)]
        got = rasterise([outer, hole])
        self.assertNotIn((2, 2), got)
        self.assertNotIn((3, 3), got)
        self.assertIn((1, 1), got)
        self.assertEqual(len(got), 36 - 4)
        # Parts outside the picture are dropped, not wrapped.
        got = rasterise([[(-5, -5), (2, -5), (2, 2), (-5, 2)]], w=4, h=4)
        self.assertEqual(got, {(0, 0), (1, 0), (0, 1), (1, 1)})

    def test_degenerate_polygons_paint_nothing(self):
        self.assertEqual(rasterise([[(1, 1), (5, 1), (3, 1)]]), set())
        self.assertEqual(rasterise([]), set())

    def test_centroid(self):
        cx, cy = raster.centroid([(0, 0), (4, 0), (4, 2), (0, 2)])
        self.assertAlmostEqual(cx, 2)
        self.assertAlmostEqual(cy, 1)


def wkb_polygon(rings, little=True):
    e = "<" if little else ">"
    out = bytes([1 if little else 0]) + struct.pack(e + "II", 3, len(rings))
    for ring in rings:
        out += struct.pack(e + "I", len(ring))
        for x, y in ring:
            out += struct.pack(e + "dd", x, y)
    return out


class GeoPackageTest(unittest.TestCase):
    def test_polygon_with_envelope(self):
        ring = [(0.0, 0.0), (1.0, 0.0), (1.0, 1.0), (0.0, 0.0)]
        blob = b"GP\x00" + bytes([1 << 1]) + b"\0\0\0\0" + b"\0" * 32 + wkb_polygon([ring])
        self.assertEqual(geodata.decode_gpkg_geometry(blob), [[ring]])

    def test_multipolygon_big_endian_without_envelope(self):
        a = [(0.0, 0.0), (2.0, 0.0), (0.0, 2.0), (0.0, 0.0)]
        b = [(5.0, 5.0), (6.0, 5.0), (5.0, 6.0), (5.0, 5.0)]
        multi = b"\x00" + struct.pack(">II", 6, 2) + wkb_polygon([a], False) + wkb_polygon([b], False)
        blob = b"GP\x00\x00\0\0\0\0" + multi
        self.assertEqual(geodata.decode_gpkg_geometry(blob), [[a], [b]])

    def test_rejects_what_it_cannot_read(self):
        with self.assertRaises(ValueError):
            geodata.decode_gpkg_geometry(b"XX\x00\x00\0\0\0\0")
        line = b"\x01" + struct.pack("<II", 2, 0)
        with self.assertRaises(ValueError):
            geodata.decode_gpkg_geometry(b"GP\x00\x00\0\0\0\0" + line)


class PageTableTest(unittest.TestCase):
    def test_regions_nest_and_groupings_are_ignored(self):
        tree = {"supplemental": {"territoryContainment": {
            "001": {"_contains": ["019", "150", "142"]},
            "150": {"_contains": ["151", "155"]},
            "151": {"_contains": ["RU", "PL"]},
            "155": {"_contains": ["FR"]},
            "019": {"_contains": ["021", "013", "005"]},
            "021": {"_contains": ["US"]},
            "013": {"_contains": ["MX"]},
            "005": {"_contains": ["BR"]},
            "142": {"_contains": ["145"]},
            "145": {"_contains": ["TR"]},
            "EU": {"_contains": ["FR", "PL"]},
        }}}
        with tempfile.NamedTemporaryFile("w", suffix=".json", delete=False) as f:
            json.dump(tree, f)
        try:
            pages = geodata.page_table(f.name)
        finally:
            os.unlink(f.name)
        self.assertEqual(pages["RU"], 1)
        self.assertEqual(pages["FR"], 1)
        self.assertEqual(pages["MX"], 2)
        self.assertEqual(pages["BR"], 3)
        self.assertEqual(pages["TR"], 4)
        self.assertEqual(pages["XK"], 1)
        self.assertEqual(pages["AQ"], 0)
        self.assertNotIn("EU", pages)


    def test_russia_lies_on_the_europe_and_the_asia_page(self):
        self.assertEqual(geodata.page_at("RU", 1, 37.6), 1)
        self.assertEqual(geodata.page_at("RU", 1, 60.0), 4)
        self.assertEqual(geodata.page_at("RU", 1, 135.0), 4)
        self.assertEqual(geodata.page_at("RU", 1, -175.0), 4)   # past the dateline
        self.assertEqual(geodata.page_at("KZ", 4, 50.0), 4)
        self.assertEqual(geodata.page_at("NO", 1, 70.0), 1)


class EncoderTest(unittest.TestCase):
    def test_midi_variable_length_numbers(self):
        self.assertEqual(sounds.varlen(0), b"\x00")
        self.assertEqual(sounds.varlen(0x7F), b"\x7f")
        self.assertEqual(sounds.varlen(0x80), b"\x81\x00")
        self.assertEqual(sounds.varlen(0x3FFF), b"\xff\x7f")
        self.assertEqual(sounds.varlen(0x200000), b"\x81\x80\x80\x00")

    def test_midi_is_reproducible(self):
        self.assertEqual(sounds.midi_file(), sounds.midi_file())

    def test_bitmap_rows_are_padded_bottom_up_bgr(self):
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "t.bmp")
            # 3 x 2: top row red, bottom row blue; 9 bytes a row pad to 12.
            bmp.write_bmp24(path, 3, 2, [bytes([255, 0, 0] * 3), bytes([0, 0, 255] * 3)])
            data = open(path, "rb").read()
        self.assertEqual(len(data), 54 + 2 * 12)
        self.assertEqual(struct.unpack_from("<ii", data, 18), (3, 2))
        self.assertEqual(data[54:57], b"\xff\x00\x00")      # bottom row first: blue as B,G,R
        self.assertEqual(data[54 + 9:54 + 12], b"\0\0\0")   # padding
        self.assertEqual(data[66:69], b"\x00\x00\xff")      # then the red top row

    def test_bitmap_rejects_wrong_rows(self):
        with tempfile.TemporaryDirectory() as d:
            with self.assertRaises(ValueError):
                bmp.write_bmp24(os.path.join(d, "x.bmp"), 2, 1, [b"\0" * 5])
            with self.assertRaises(ValueError):
                bmp.write_bmp24(os.path.join(d, "y.bmp"), 1, 2, [b"\0" * 3])


class HelpPagesTest(unittest.TestCase):
    HELP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "help")

    def page(self, sections, links=""):
        nav = "".join(f'<a href="#{s}">{s}</a>' for s in helpfiles.SECTIONS)
        body = "".join(f'<section id="{s}"><h2>{s}</h2>{links}</section>\n' for s in sections)
        return f"<title>T</title>\n<header><h1>L</h1></header>\n<nav>{nav}</nav>\n<main>{body}</main>\n"

    def test_a_page_without_every_section_in_order_stops_the_build(self):
        helpfiles.render(3, "fr", self.page(helpfiles.SECTIONS))
        with self.assertRaises(ValueError):
            helpfiles.render(3, "fr", self.page(helpfiles.SECTIONS[:-1]))
        with self.assertRaises(ValueError):
            helpfiles.render(3, "fr", self.page(list(reversed(helpfiles.SECTIONS))))
        with self.assertRaises(ValueError):
            helpfiles.render(3, "fr", self.page(helpfiles.SECTIONS, '<a href="#nowhere">x</a>'))

    def test_every_language_page_is_written_and_english_also_as_the_fallback(self):
        with tempfile.TemporaryDirectory() as out:
            names = helpfiles.build(self.HELP, out)
            self.assertEqual(sorted(names), sorted([f"landora{n}.html" for n in range(1, 10)] + ["landora.html"]))
            with open(os.path.join(out, "landora.html"), encoding="utf-8") as f:
                fallback = f.read()
            with open(os.path.join(out, "landora2.html"), encoding="utf-8") as f:
                self.assertEqual(f.read(), fallback)
            with open(os.path.join(out, "landora1.html"), encoding="utf-8") as f:
                swedish = f.read()
            self.assertIn('<html lang="sv">', swedish)
            # The page's own language is shown, not linked; the others link.
            self.assertIn("<strong>Svenska</strong>", swedish)
            self.assertNotIn('href="landora1.html"', swedish)
            self.assertIn('href="landora2.html"', swedish)


if __name__ == "__main__":
    unittest.main()
