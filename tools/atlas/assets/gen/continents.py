"""The seven pictures of the main menu's small world map.

All seven share one land/sea raster: a page label is computed for every
pixel once, and each picture only colours those labels. A click on the
menu map compares these pictures pixel by pixel, so they must agree exactly
on where land is, and carry exactly the three colours below."""

from PIL import Image

from geodata import page_at
from raster import centroid, fill_polygon

WIDTH, HEIGHT = 396, 155
# Plate carree: 1.1 pixel a degree across (the whole globe in 396 columns),
# 1 pixel a degree down from 90 N. The menu shows rows 9..144 and columns
# 5..390 (about 81 N to 54 S), which keeps Greenland and Tierra del Fuego.
LON_LEFT, LAT_TOP = -180.0, 90.0
SCALE_X, SCALE_Y = WIDTH / 360.0, 1.0

SEA = (0, 0, 128)
LAND = (0, 128, 0)
PAGE_LAND = (0, 255, 0)

PAGES = 7
NO_PAGE = 9   # land whose outline carries no country code (breakaway areas)


def project(lon, lat):
    return (lon - LON_LEFT) * SCALE_X, (LAT_TOP - lat) * SCALE_Y


def page_of_part(code, pages, polygon):
    """The page of one part of a country. Overseas parts of European
    countries lie on the page of the region they are in."""
    page = pages.get(code, NO_PAGE)
    if code in ("FR", "NL") and polygon:
        lon, lat = centroid(polygon[0])
        if lon < -30:
            return 3 if lat < 10 and lon > -60 else 2
        if lon > 30 and lat < 10:
            return 5                      # Reunion, Mayotte
        if lon < -100 or lon > 150:
            return 6                      # French Polynesia, New Caledonia
    return page


def label_raster(countries, pages):
    """One byte a pixel: 0 sea, 1..6 the page of the land there.
    Antarctica (page 0) is left out."""
    labels = bytearray(WIDTH * HEIGHT)
    for code, _name, polygons in countries:
        for polygon in polygons:
            page = page_of_part(code, pages, polygon)
            if page == 0:
                continue

            def put(x, y, page=page, code=code):
                labels[y * WIDTH + x] = page_at(code, page, LON_LEFT + (x + 0.5) / SCALE_X)

            if fill_polygon(polygon, WIDTH, HEIGHT, project, put) == 0:
                # Islands smaller than a pixel still show as one pixel, so
                # that the small states of the Pacific and the Caribbean
                # appear on their page.
                x, y = project(*centroid(polygon[0]))
                if 0 <= x < WIDTH and 0 <= y < HEIGHT and _area_deg2(polygon[0]) > 0.05:
                    if labels[int(y) * WIDTH + int(x)] == 0:
                        put(int(x), int(y))
    _resolve_unpaged(labels)
    return labels


def _resolve_unpaged(labels, max_radius=40):
    """Land without a country code (Somaliland, Northern Cyprus, a few
    islets) takes the page of the nearest land that has one, so that a click
    on it still leads to a continent. Decided on the original labels only,
    so the result does not depend on the order of the pixels."""
    snapshot = bytes(labels)
    for i, lab in enumerate(snapshot):
        if lab != NO_PAGE:
            continue
        x0, y0 = i % WIDTH, i // WIDTH
        for r in range(1, max_radius + 1):
            votes = {}
            for y in range(max(0, y0 - r), min(HEIGHT, y0 + r + 1)):
                for x in range(max(0, x0 - r), min(WIDTH, x0 + r + 1)):
                    if max(abs(x - x0), abs(y - y0)) != r:
                        continue
                    page = snapshot[y * WIDTH + x]
                    if 1 <= page <= 6:
                        votes[page] = votes.get(page, 0) + 1
            if votes:
                labels[i] = max(sorted(votes), key=lambda p: votes[p])
                break


def _area_deg2(ring):
    a = 0.0
    for i in range(len(ring)):
        x0, y0 = ring[i - 1]
        x1, y1 = ring[i]
        a += x0 * y1 - x1 * y0
    return abs(a) / 2


def picture(labels, page):
    img = Image.new("RGB", (WIDTH, HEIGHT), SEA)
    px = img.load()
    for i, lab in enumerate(labels):
        if lab == 0:
            continue
        colour = PAGE_LAND if (page == 7 or lab == page) else LAND
        px[i % WIDTH, i // WIDTH] = colour
    return img


def build(countries, pages, out_dir):
    labels = label_raster(countries, pages)
    for page in range(1, PAGES + 1):
        # No metadata chunks: the bytes depend on the pixels only.
        picture(labels, page).save(f"{out_dir}/continent{page}.png", optimize=False)
    return labels
