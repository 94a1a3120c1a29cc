"""Flag pictures for the flag board: every 4:3 flag of the flag icon set,
rasterised to a bitmap that fits one board cell."""

import io
import os
import subprocess

from PIL import Image

from bmp import write_image_bmp24

FLAG_W, FLAG_H = 84, 63


def rasterise(svg_path):
    """Render with librsvg at the cell size on white (flags have no
    transparency on the board)."""
    png = subprocess.run(
        ["rsvg-convert", "-w", str(FLAG_W), "-h", str(FLAG_H),
         "-b", "white", svg_path],
        check=True, stdout=subprocess.PIPE).stdout
    image = Image.open(io.BytesIO(png))
    image.load()
    if image.size != (FLAG_W, FLAG_H):
        raise RuntimeError(f"{svg_path}: rendered at {image.size}")
    white = Image.new("RGBA", image.size, (255, 255, 255, 255))
    return Image.alpha_composite(white, image.convert("RGBA")).convert("RGB")


def build(svg_dir, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    names = sorted(n[:-4] for n in os.listdir(svg_dir) if n.endswith(".svg"))
    if len(names) < 250:
        raise RuntimeError(f"only {len(names)} flags found in {svg_dir}")
    wanted = {f"{n}.bmp" for n in names}
    # Drop pictures of flags the icon set no longer has, so reruns converge.
    for old in os.listdir(out_dir):
        if old.endswith(".bmp") and old not in wanted:
            os.remove(os.path.join(out_dir, old))
    for name in names:
        image = rasterise(os.path.join(svg_dir, name + ".svg"))
        write_image_bmp24(os.path.join(out_dir, name + ".bmp"), image)
    return len(names)
