"""Windows bitmap writer: 24-bit, uncompressed, bottom-up, with no
resolution or colour-space fields, so the bytes depend on the pixels only."""

import struct


def write_bmp24(path, width, height, rgb_rows):
    """rgb_rows: `height` rows from the top, each a bytes-like of width*3
    bytes in R, G, B order."""
    stride = (width * 3 + 3) & ~3
    pad = b"\0" * (stride - width * 3)
    pixels = bytearray()
    for row in reversed(rgb_rows):
        row = bytes(row)
        if len(row) != width * 3:
            raise ValueError("row length does not match the width")
        bgr = bytearray(len(row))
        bgr[0::3] = row[2::3]
        bgr[1::3] = row[1::3]
        bgr[2::3] = row[0::3]
        pixels += bgr + pad
    if len(rgb_rows) != height:
        raise ValueError("row count does not match the height")
    offset = 14 + 40
    file_header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                       len(pixels), 0, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(file_header + info + bytes(pixels))


def write_image_bmp24(path, image):
    """A PIL image, flattened to RGB, as a 24-bit bitmap."""
    image = image.convert("RGB")
    w, h = image.size
    data = image.tobytes()
    rows = [data[y * w * 3:(y + 1) * w * 3] for y in range(h)]
    write_bmp24(path, w, h, rows)
