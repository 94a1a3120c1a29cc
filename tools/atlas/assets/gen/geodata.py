"""Country outlines and continents for the menu pictures and the logo globe.

Outlines: the countries layer of a Natural Earth derived GeoPackage, read
with the standard library (GeoPackage is SQLite with WKB geometry).
Continents: the UN M49 regions as published in the CLDR territory
containment table."""

import json
import sqlite3
import struct

# Menu pages by the M49 region that holds a territory. North America takes
# Central America and the Caribbean; Oceania goes with Australia. Russia is
# in Eastern Europe in M49 and is split by longitude (page_at); Turkey,
# Cyprus and the Caucasus are in Western Asia and lie on the Asia page.
PAGE_OF_REGION = {
    "150": 1,                          # Europe
    "021": 2, "013": 2, "029": 2,      # Northern and Central America, Caribbean
    "005": 3,                          # South America
    "142": 4,                          # Asia
    "002": 5,                          # Africa
    "009": 6,                          # Oceania
}

EUROPE, ASIA = 1, 4
# Russia is split where the atlas splits its places between the Europe and
# the Asia exercises: west of 60 E on the Europe page, east of it (and past
# the dateline) on the Asia page.
RUSSIA_ASIA_FROM_LON = 60.0


def page_at(code, page, lon):
    """The page of the land of a country at a longitude."""
    if code == "RU" and page == EUROPE and (lon >= RUSSIA_ASIA_FROM_LON or lon < -100):
        return ASIA
    return page


# Outlines whose code the region table does not hold.
PAGE_OVERRIDES = {
    "XK": 1,   # Kosovo: Southern Europe
    "AQ": 0,   # Antarctica: on no page
}


def _ring(data, pos, little):
    fmt_i = "<I" if little else ">I"
    n, = struct.unpack_from(fmt_i, data, pos)
    pos += 4
    fmt = ("<" if little else ">") + "d" * (2 * n)
    flat = struct.unpack_from(fmt, data, pos)
    pos += 16 * n
    return [(flat[i], flat[i + 1]) for i in range(0, len(flat), 2)], pos


def _geometry(data, pos):
    """WKB polygon or multipolygon (2D) -> list of polygons, each a list of
    rings [(lon, lat), ...], the first ring outer."""
    little = data[pos] == 1
    fmt_i = "<I" if little else ">I"
    kind, = struct.unpack_from(fmt_i, data, pos + 1)
    pos += 5
    if kind == 3:
        nrings, = struct.unpack_from(fmt_i, data, pos)
        pos += 4
        rings = []
        for _ in range(nrings):
            ring, pos = _ring(data, pos, little)
            rings.append(ring)
        return [rings], pos
    if kind == 6:
        nparts, = struct.unpack_from(fmt_i, data, pos)
        pos += 4
        polys = []
        for _ in range(nparts):
            part, pos = _geometry(data, pos)
            polys += part
        return polys, pos
    raise ValueError(f"unsupported geometry type {kind}")


def decode_gpkg_geometry(blob):
    if blob[:2] != b"GP":
        raise ValueError("not a GeoPackage geometry")
    flags = blob[3]
    envelope = {0: 0, 1: 32, 2: 48, 3: 48, 4: 64}[(flags >> 1) & 7]
    polys, _ = _geometry(blob, 8 + envelope)
    return polys


def load_countries(gpkg_path):
    """[(iso_a2, name, polygons)] in a fixed order (by code, then name)."""
    con = sqlite3.connect(f"file:{gpkg_path}?mode=ro", uri=True)
    try:
        rows = con.execute("SELECT iso_a2, NAME, geom FROM countries").fetchall()
    finally:
        con.close()
    out = [(code or "", name or "", decode_gpkg_geometry(geom))
           for code, name, geom in rows if geom]
    out.sort(key=lambda r: (r[0], r[1]))
    return out


def page_table(containment_path):
    """ISO alpha-2 code -> menu page 1..6, from the M49 containment tree."""
    with open(containment_path, encoding="utf-8") as f:
        tree = json.load(f)["supplemental"]["territoryContainment"]
    pages = {}

    def walk(region, page):
        for child in tree.get(region, {}).get("_contains", []):
            if child.isdigit():
                walk(child, page)
            else:
                pages.setdefault(child, page)

    for region, page in sorted(PAGE_OF_REGION.items()):
        walk(region, page)
    pages.update(PAGE_OVERRIDES)
    return pages
