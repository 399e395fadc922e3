#!/usr/bin/env python3
"""Draws Glyphwright's icon files from the pixel maps in glyphwright-icon.txt.

    make_icon.py SOURCE OUTDIR

writes into OUTDIR:
    glyphwright.ico      every image of the source, in the order given (Windows, Qt resource)
    glyphwright-16.png   the 16 x 16 16-colour image
    glyphwright-32.png   the 32 x 32 16-colour image
    glyphwright-64.png   the 32 x 32 16-colour image, each pixel doubled (software centres want 64)

Only the standard library is used, and the output depends on nothing but the source, so two runs
give the same bytes.
"""

import pathlib
import struct
import sys
import zlib


class SourceError(Exception):
    pass


def read_source(path):
    """Returns (palette, images): palette is a list of (letter, (r, g, b)); each image is a dict
    with width, height, colours and rows (lists of letters, top row first)."""
    palette = []
    images = []
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        words = line.split()
        where = f"{path}:{number}"
        if words[0] == "colour":
            if len(words) < 3 or len(words[1]) != 1 or len(words[2]) != 6:
                raise SourceError(f"{where}: expected 'colour LETTER RRGGBB NAME'")
            rgb = bytes.fromhex(words[2])
            palette.append((words[1], (rgb[0], rgb[1], rgb[2])))
        elif words[0] == "image":
            width, _, height = words[1].partition("x")
            colours = int(words[2].removesuffix("-colour"))
            images.append({"width": int(width), "height": int(height), "colours": colours,
                           "rows": [], "where": where})
        else:
            if not images:
                raise SourceError(f"{where}: pixel row before the first 'image' line")
            images[-1]["rows"].append(line)

    letters = [letter for letter, _ in palette]
    if len(palette) != 16 or len(set(letters)) != 16 or "." in letters:
        raise SourceError(f"{path}: the palette needs 16 colours with distinct letters other than '.'")
    for image in images:
        if len(image["rows"]) != image["height"]:
            raise SourceError(f"{image['where']}: {len(image['rows'])} rows, expected {image['height']}")
        allowed = {"K", "W", "."} if image["colours"] == 2 else set(letters) | {"."}
        if image["colours"] not in (2, 16):
            raise SourceError(f"{image['where']}: only 2- and 16-colour images are drawn")
        for row in image["rows"]:
            if len(row) != image["width"]:
                raise SourceError(f"{image['where']}: row '{row}' is not {image['width']} pixels wide")
            stray = set(row) - allowed
            if stray:
                raise SourceError(f"{image['where']}: letters {sorted(stray)} are not allowed here")
    return palette, images


def image_palette(image, palette):
    """The colour table of one image as (letters, rgb list): the whole palette for 16 colours,
    black and white for 2."""
    if image["colours"] == 2:
        table = dict(palette)
        return ["K", "W"], [table["K"], table["W"]]
    return [letter for letter, _ in palette], [rgb for _, rgb in palette]


def packed_rows(values, bits):
    """Packs one row of small integers, most significant bits first, padded to 32 bits."""
    out = bytearray()
    per_byte = 8 // bits
    for start in range(0, len(values), per_byte):
        byte = 0
        chunk = values[start:start + per_byte]
        for k, value in enumerate(chunk):
            byte |= value << (8 - bits * (k + 1))
        out.append(byte)
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def icon_image(image, palette):
    """One image of the .ico: BITMAPINFOHEADER, colour table, XOR bitmap, AND mask, rows bottom-up."""
    letters, rgbs = image_palette(image, palette)
    index = {letter: k for k, letter in enumerate(letters)}
    bits = 1 if image["colours"] == 2 else 4
    width, height = image["width"], image["height"]

    colour_rows = b""
    mask_rows = b""
    for row in reversed(image["rows"]):
        # A transparent pixel is colour 0 under a set mask bit: the screen shows through.
        colour_rows += packed_rows([index.get(letter, 0) for letter in row], bits)
        mask_rows += packed_rows([1 if letter == "." else 0 for letter in row], 1)

    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, bits, 0,
                         len(colour_rows) + len(mask_rows), 0, 0, len(rgbs), 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in rgbs)
    return header + table + colour_rows + mask_rows


def ico_bytes(images, palette):
    bodies = [icon_image(image, palette) for image in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, body in zip(images, bodies):
        bits = 1 if image["colours"] == 2 else 4
        out += struct.pack("<BBBBHHII", image["width"] % 256, image["height"] % 256,
                           image["colours"], 0, 1, bits, len(body), offset)
        offset += len(body)
    return out + b"".join(bodies)


def rgba_rows(image, palette, scale=1):
    letters, rgbs = image_palette(image, palette)
    colour = dict(zip(letters, rgbs))
    rows = []
    for row in image["rows"]:
        pixels = b"".join(
            (bytes((0, 0, 0, 0)) if letter == "." else bytes((*colour[letter], 255))) * scale
            for letter in row)
        rows.extend([pixels] * scale)
    return rows


def png_bytes(rows):
    width, height = len(rows[0]) // 4, len(rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    # 8-bit RGBA, no interlace; every row with filter type 0.
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    pixels = zlib.compress(b"".join(b"\0" + row for row in rows), 9)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", pixels)
            + chunk(b"IEND", b""))


def find_image(images, size, colours):
    for image in images:
        if image["width"] == size and image["height"] == size and image["colours"] == colours:
            return image
    raise SourceError(f"the source has no {size}x{size} {colours}-colour image")


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    source, outdir = pathlib.Path(argv[1]), pathlib.Path(argv[2])
    try:
        palette, images = read_source(source)
        small = find_image(images, 16, 16)
        large = find_image(images, 32, 16)
    except SourceError as error:
        print(f"make_icon.py: {error}", file=sys.stderr)
        return 1
    outdir.mkdir(parents=True, exist_ok=True)
    (outdir / "glyphwright.ico").write_bytes(ico_bytes(images, palette))
    (outdir / "glyphwright-16.png").write_bytes(png_bytes(rgba_rows(small, palette)))
    (outdir / "glyphwright-32.png").write_bytes(png_bytes(rgba_rows(large, palette)))
    (outdir / "glyphwright-64.png").write_bytes(png_bytes(rgba_rows(large, palette, scale=2)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
