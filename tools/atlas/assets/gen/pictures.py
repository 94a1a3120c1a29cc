"""The logo, the flag board template and the small decorative pictures.

Decorations are drawn at four times their size and reduced, which smooths
their edges; they keep an alpha channel so that they sit on any frame
colour. Everything is drawn from code, so a rebuild gives the same bytes."""

import math

from PIL import Image, ImageDraw, ImageFont

from bmp import write_image_bmp24

SS = 4  # supersampling factor

FRAME_BLUE = (40, 90, 160)
GOLD = (250, 200, 40)
GOLD_DARK = (190, 130, 10)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def _canvas(w, h, background=(0, 0, 0, 0)):
    img = Image.new("RGBA", (w * SS, h * SS), background)
    return img, ImageDraw.Draw(img)


def _reduce(img, w, h):
    return img.resize((w, h), Image.LANCZOS)


def _save_png(img, path):
    img.save(path, optimize=False)


def _star_points(cx, cy, r_out, r_in, points=5, rotation=-90.0):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rotation + i * 180.0 / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def _star(draw, cx, cy, r, fill=GOLD, outline=GOLD_DARK):
    draw.polygon(_star_points(cx * SS, cy * SS, r * SS, r * SS * 0.45),
                 fill=fill, outline=outline)


# --- logo -----------------------------------------------------------------

LOGO_W, LOGO_H = 120, 423
GLOBE_CX, GLOBE_CY, GLOBE_R = 60, 64, 50
GLOBE_CENTRE = (15.0, 25.0)   # lon, lat the globe faces: Europe and Africa


def _orthographic(lon, lat, lon0, lat0):
    """(x, y, visible) on a unit disc, y downwards."""
    la, lo = math.radians(lat), math.radians(lon - lon0)
    la0 = math.radians(lat0)
    cos_c = math.sin(la0) * math.sin(la) + math.cos(la0) * math.cos(la) * math.cos(lo)
    x = math.cos(la) * math.sin(lo)
    y = math.cos(la0) * math.sin(la) - math.sin(la0) * math.cos(la) * math.cos(lo)
    return x, -y, cos_c > 0


def _clip_to_front(ring, lon0, lat0):
    """Project a ring, dropping the far side; points of the far side are
    pushed out to the limb so that polygons crossing it stay closed."""
    out = []
    for lon, lat in ring:
        x, y, vis = _orthographic(lon, lat, lon0, lat0)
        if not vis:
            n = math.hypot(x, y) or 1.0
            x, y = x / n, y / n
        out.append((x, y))
    return out


def draw_globe(draw, countries, cx, cy, r):
    lon0, lat0 = GLOBE_CENTRE
    ocean = (30, 110, 200)
    draw.ellipse([(cx - r) * SS, (cy - r) * SS, (cx + r) * SS, (cy + r) * SS],
                 fill=ocean)
    # Graticule every 30 degrees, faint.
    grid = (90, 160, 230)
    for lat in range(-60, 90, 30):
        pts = [_orthographic(lon, lat, lon0, lat0) for lon in range(-180, 181, 3)]
        _polyline(draw, pts, cx, cy, r, grid)
    for lon in range(-180, 180, 30):
        pts = [_orthographic(lon, lat, lon0, lat0) for lat in range(-90, 91, 3)]
        _polyline(draw, pts, cx, cy, r, grid)
    land = (60, 170, 70)
    for _code, _name, polygons in countries:
        for polygon in polygons:
            ring = polygon[0]
            if not any(_orthographic(lo, la, lon0, lat0)[2] for lo, la in ring[::max(1, len(ring) // 20)]):
                continue
            pts = _clip_to_front(ring, lon0, lat0)
            draw.polygon([((cx + x * r) * SS, (cy + y * r) * SS) for x, y in pts], fill=land)
    # A light rim sets the disc off against the frame.
    draw.ellipse([(cx - r) * SS, (cy - r) * SS, (cx + r) * SS, (cy + r) * SS],
                 outline=(230, 240, 255), width=2 * SS)


def _polyline(draw, pts, cx, cy, r, colour):
    run = []
    for x, y, vis in pts + [(0, 0, False)]:
        if vis:
            run.append(((cx + x * r) * SS, (cy + y * r) * SS))
        else:
            if len(run) > 1:
                draw.line(run, fill=colour, width=SS)
            run = []


def logo(countries):
    """The name written upwards under a small globe, on the frame blue
    (the bottom-left pixel), which the menu paints as transparent."""
    base = Image.new("RGBA", (LOGO_W * SS, LOGO_H * SS), FRAME_BLUE + (255,))
    globe = Image.new("RGBA", base.size, (0, 0, 0, 0))
    draw_globe(ImageDraw.Draw(globe), countries, GLOBE_CX, GLOBE_CY, GLOBE_R)
    base = Image.alpha_composite(base, globe)

    # The name, rotated to read upwards along the column.
    text = "Landora"
    free_top = (GLOBE_CY + GLOBE_R + 12) * SS
    free_bottom = (LOGO_H - 28) * SS
    size = 64
    while True:
        font = ImageFont.truetype(FONT_BOLD, size * SS)
        box = font.getbbox(text)
        tw, th = box[2] - box[0], box[3] - box[1]
        if tw + 8 * SS <= free_bottom - free_top or size <= 20:
            break
        size -= 2
    band = Image.new("RGBA", (tw + 8 * SS, th + 8 * SS), (0, 0, 0, 0))
    bd = ImageDraw.Draw(band)
    origin = (4 * SS - box[0], 4 * SS - box[1])
    bd.text((origin[0] + 3 * SS, origin[1] + 3 * SS), text, font=font, fill=(10, 30, 70, 200))
    bd.text(origin, text, font=font, fill=GOLD, stroke_width=SS, stroke_fill=(120, 70, 0))
    band = band.rotate(90, expand=True)
    bw, bh = band.size
    x = (LOGO_W * SS - bw) // 2
    y = free_top + (free_bottom - free_top - bh) // 2
    base.alpha_composite(band, (x, y))

    # Three small stars under the name.
    stars = Image.new("RGBA", base.size, (0, 0, 0, 0))
    sd = ImageDraw.Draw(stars)
    for dx in (-22, 0, 22):
        _star(sd, LOGO_W / 2 + dx, LOGO_H - 14, 6 if dx else 8, fill=WHITE, outline=(200, 220, 255))
    base = Image.alpha_composite(base, stars)

    img = base.resize((LOGO_W, LOGO_H), Image.LANCZOS).convert("RGB")
    # Keep the border rows and columns exactly the background colour, so the
    # bottom-left pixel names it and the outline of the picture is see-through.
    px = img.load()
    for xx in range(LOGO_W):
        px[xx, LOGO_H - 1] = FRAME_BLUE
    # 256 colours for the GIF, with the background colour kept exact.
    pal = img.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = pal.getpalette()[:255 * 3]
    bg_index = None
    for i in range(255):
        if tuple(palette[i * 3:i * 3 + 3]) == FRAME_BLUE:
            bg_index = i
    if bg_index is None:
        # Give the background an exact entry of its own and move the pixels
        # that are exactly background onto it.
        palette += list(FRAME_BLUE)
        bg_index = 255
        src = img.load()
        dst = pal.load()
        for yy in range(LOGO_H):
            for xx in range(LOGO_W):
                if src[xx, yy] == FRAME_BLUE:
                    dst[xx, yy] = bg_index
    pal.putpalette(palette)
    return pal


# --- flag board template ---------------------------------------------------

TEMPLATE_W, TEMPLATE_H = 597, 381


def template():
    """The flag board as it looks before any flag is drawn: grey cells in a
    black four-by-four grid (the flag panel's inner area)."""
    img = Image.new("RGB", (TEMPLATE_W, TEMPLATE_H), (192, 192, 192))
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, TEMPLATE_W - 1, TEMPLATE_H - 1], outline=BLACK)
    cw, ch = TEMPLATE_W / 4, TEMPLATE_H / 4
    for i in range(5):
        y = min(TEMPLATE_H - 1, round(i * ch))
        x = min(TEMPLATE_W - 1, round(i * cw))
        d.line([(0, y), (TEMPLATE_W - 1, y)], fill=BLACK)
        d.line([(x, 0), (x, TEMPLATE_H - 1)], fill=BLACK)
    return img


# --- decorations -------------------------------------------------------------

def topten_banner_top():
    """Gold stars on a ribbon: sits above the ten best results."""
    w, h = 319, 37
    img, d = _canvas(w, h)
    d.rounded_rectangle([4 * SS, 14 * SS, (w - 4) * SS, 23 * SS], radius=4 * SS,
                        fill=(255, 255, 255, 70))
    d.line([(6 * SS, 18.5 * SS), ((w - 6) * SS, 18.5 * SS)], fill=GOLD, width=2 * SS)
    for i, r in enumerate((7, 9, 11, 15, 11, 9, 7)):
        _star(d, w / 2 + (i - 3) * 38, 18.5, r)
    return _reduce(img, w, h)


def topten_banner_bottom():
    """Coloured pennants on a sagging string: sits below the list."""
    w, h = 319, 37
    img, d = _canvas(w, h)
    colours = [(230, 50, 50), (250, 200, 40), (60, 180, 75), (255, 255, 255),
               (255, 130, 30), (150, 90, 210)]

    def sag(x):
        return 6 + 7 * math.sin(math.pi * x / w)

    d.line([(x * SS, sag(x) * SS) for x in range(0, w + 1, 4)], fill=(255, 255, 255), width=SS)
    n = 14
    step = (w - 20) / n
    for i in range(n):
        x0 = 10 + i * step + 2
        x1 = x0 + step - 4
        y0, y1 = sag(x0), sag(x1)
        tip = ((x0 + x1) / 2, max(y0, y1) + 20)
        d.polygon([(x0 * SS, y0 * SS), (x1 * SS, y1 * SS), (tip[0] * SS, tip[1] * SS)],
                  fill=colours[i % len(colours)], outline=(20, 40, 80))
    return _reduce(img, w, h)


def trophy(w=45, h=35):
    """A small gold cup."""
    img, d = _canvas(w, h)
    cx = w / 2
    s = SS
    # handles
    d.ellipse([(cx - 17) * s, 5 * s, (cx - 5) * s, 18 * s], outline=GOLD_DARK, width=3 * s)
    d.ellipse([(cx + 5) * s, 5 * s, (cx + 17) * s, 18 * s], outline=GOLD_DARK, width=3 * s)
    # bowl
    d.pieslice([(cx - 12) * s, -10 * s, (cx + 12) * s, 22 * s], 0, 180, fill=GOLD, outline=GOLD_DARK)
    d.rectangle([(cx - 12) * s, 2 * s, (cx + 12) * s, 6 * s], fill=GOLD)
    d.line([(cx - 12) * s, 2 * s, (cx + 12) * s, 2 * s], fill=GOLD_DARK, width=s)
    # stem and foot
    d.rectangle([(cx - 2) * s, 21 * s, (cx + 2) * s, 27 * s], fill=GOLD_DARK)
    d.rounded_rectangle([(cx - 9) * s, 27 * s, (cx + 9) * s, 33 * s], radius=2 * s,
                        fill=GOLD, outline=GOLD_DARK)
    # shine
    d.line([(cx - 7) * s, 6 * s, (cx - 5) * s, 15 * s], fill=(255, 250, 210), width=2 * s)
    _star(d, cx, 10, 4, fill=(255, 255, 255), outline=GOLD_DARK)
    return _reduce(img, w, h)


def medal(w=37, h=35):
    """A medal on a ribbon."""
    img, d = _canvas(w, h)
    cx = w / 2
    s = SS
    d.polygon([((cx - 10) * s, 0), ((cx - 2) * s, 0), ((cx + 5) * s, 16 * s), ((cx - 3) * s, 16 * s)],
              fill=(40, 90, 220), outline=(10, 30, 90))
    d.polygon([((cx + 10) * s, 0), ((cx + 2) * s, 0), ((cx - 5) * s, 16 * s), ((cx + 3) * s, 16 * s)],
              fill=(220, 40, 40), outline=(90, 10, 10))
    d.ellipse([(cx - 10) * s, 13 * s, (cx + 10) * s, 33 * s], fill=GOLD, outline=GOLD_DARK, width=s)
    d.ellipse([(cx - 7) * s, 16 * s, (cx + 7) * s, 30 * s], outline=GOLD_DARK, width=s)
    _star(d, cx, 23.3, 5, fill=(255, 240, 160), outline=GOLD_DARK)
    return _reduce(img, w, h)


def flower():
    """Yellow flower with a red centre, 32 x 32."""
    w = h = 32
    img, d = _canvas(w, h)
    s = SS
    cx, cy = 16, 14
    d.line([(cx * s, (cy + 6) * s), (cx * s, 31 * s)], fill=(40, 140, 40), width=2 * s)
    d.ellipse([(cx) * s, 23 * s, (cx + 9) * s, 28 * s], fill=(60, 170, 60))
    for i in range(8):
        a = math.radians(i * 45)
        px, py = cx + 7.5 * math.cos(a), cy + 7.5 * math.sin(a)
        d.ellipse([(px - 4.5) * s, (py - 4.5) * s, (px + 4.5) * s, (py + 4.5) * s],
                  fill=(255, 215, 0), outline=(200, 150, 0))
    d.ellipse([(cx - 4.5) * s, (cy - 4.5) * s, (cx + 4.5) * s, (cy + 4.5) * s],
              fill=(220, 30, 30), outline=(140, 10, 10))
    d.ellipse([(cx - 2.5) * s, (cy - 3) * s, (cx - 0.5) * s, (cy - 1) * s], fill=(255, 140, 140))
    return _reduce(img, w, h)


def berries():
    """Red berries hanging from a stalk, 32 x 32."""
    w = h = 32
    img, d = _canvas(w, h)
    s = SS
    d.line([(16 * s, 1 * s), (16 * s, 9 * s)], fill=(90, 60, 20), width=2 * s)
    d.polygon([(16 * s, 5 * s), (27 * s, 1 * s), (24 * s, 8 * s)], fill=(60, 170, 60), outline=(30, 110, 30))
    berries_at = [(9, 18), (16, 14), (23, 18), (12, 25), (20, 25)]
    for bx, by in berries_at:
        d.line([(16 * s, 8 * s), (bx * s, by * s)], fill=(90, 60, 20), width=s)
    for bx, by in berries_at:
        d.ellipse([(bx - 5) * s, (by - 5) * s, (bx + 5) * s, (by + 5) * s],
                  fill=(200, 20, 40), outline=(110, 0, 20))
        d.ellipse([(bx - 3) * s, (by - 3) * s, (bx - 1) * s, (by - 1) * s], fill=(255, 170, 170))
    return _reduce(img, w, h)


def build(countries, out_dir):
    logo(countries).save(f"{out_dir}/logo.gif")
    write_image_bmp24(f"{out_dir}/bmptest.bmp", template())
    _save_png(topten_banner_top(), f"{out_dir}/topten1.png")
    _save_png(topten_banner_bottom(), f"{out_dir}/topten2.png")
    _save_png(trophy(), f"{out_dir}/toplist1.png")
    _save_png(medal(), f"{out_dir}/toplist2.png")
    _save_png(flower(), f"{out_dir}/multi_flower.png")
    _save_png(berries(), f"{out_dir}/multi_berries.png")
