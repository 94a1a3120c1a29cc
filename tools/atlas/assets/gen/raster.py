"""Polygon rasterisation without antialiasing: a pixel is inside when its
centre is inside (even-odd rule over all rings of a polygon). Exact and
deterministic, so pictures that share one raster agree pixel for pixel."""

import math


def fill_polygon(rings, width, height, project, set_pixel):
    """rings: [[(lon, lat), ...], ...]; project maps (lon, lat) to picture
    (x, y) as floats with (0, 0) the top-left corner of the top-left pixel.
    Calls set_pixel(x, y) for every covered pixel; returns how many."""
    edges = []
    ymin, ymax = math.inf, -math.inf
    for ring in rings:
        pts = [project(lon, lat) for lon, lat in ring]
        for i in range(len(pts)):
            x0, y0 = pts[i - 1]
            x1, y1 = pts[i]
            if y0 == y1:
                continue
            edges.append((x0, y0, x1, y1))
            ymin = min(ymin, y0, y1)
            ymax = max(ymax, y0, y1)
    if not edges:
        return 0
    count = 0
    row_first = max(0, math.ceil(ymin - 0.5))
    row_last = min(height - 1, math.floor(ymax - 0.5))
    for row in range(row_first, row_last + 1):
        yc = row + 0.5
        xs = []
        for x0, y0, x1, y1 in edges:
            # Half-open in y so a vertex on the scan line counts once.
            if (y0 <= yc < y1) or (y1 <= yc < y0):
                xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
        xs.sort()
        for i in range(0, len(xs) - 1, 2):
            first = max(0, math.ceil(xs[i] - 0.5))
            last = min(width - 1, math.ceil(xs[i + 1] - 0.5) - 1)
            for col in range(first, last + 1):
                set_pixel(col, row)
                count += 1
    return count


def centroid(ring):
    """Area centroid of a ring in its own coordinates (vertex mean for a
    degenerate ring)."""
    a = cx = cy = 0.0
    for i in range(len(ring)):
        x0, y0 = ring[i - 1]
        x1, y1 = ring[i]
        cross = x0 * y1 - x1 * y0
        a += cross
        cx += (x0 + x1) * cross
        cy += (y0 + y1) * cross
    if abs(a) < 1e-12:
        n = len(ring)
        return sum(p[0] for p in ring) / n, sum(p[1] for p in ring) / n
    return cx / (3 * a), cy / (3 * a)
