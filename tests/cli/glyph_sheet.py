#!/usr/bin/env python3
"""Stand-in fonts for the glyphs command and a reader for the sheets it draws.

  glyph_sheet.py font FILE FORMAT WxH ORDER OFFSET COUNT
      writes a game file: OFFSET filler bytes, then COUNT glyphs whose pixels follow
      pattern(), encoded here pixel by pixel.
  glyph_sheet.py check PNG FORMAT WxH COUNT ZOOM
      exits 0 when the picture is 16 glyphs a row of pattern(), zoomed, white on black.
"""
import struct
import sys
import zlib

DEPTH = {"1bpp": 1, "nes2bpp": 2, "gb2bpp": 2, "snes4bpp": 4, "gba4bpp": 4, "8bpp": 8,
         "bitmap": 1, "bitmap-packed": 1}
TILE_BYTES = {"1bpp": 8, "nes2bpp": 16, "gb2bpp": 16, "snes4bpp": 32, "gba4bpp": 32, "8bpp": 64}


def pattern(fmt, glyph, x, y):
    # The tile a pixel lies in counts, so tiles taken in the wrong order show.
    return (x * 3 + y * 5 + glyph * 7 + x * y + x // 8 + 2 * (y // 8)) % (1 << DEPTH[fmt])


def encode_tile(fmt, pixel):
    out = bytearray(TILE_BYTES[fmt])
    for y in range(8):
        for x in range(8):
            v = pixel(x, y)
            bit = 0x80 >> x
            planes = {"1bpp": [(y, 0)], "nes2bpp": [(y, 0), (8 + y, 1)],
                      "gb2bpp": [(2 * y, 0), (2 * y + 1, 1)],
                      "snes4bpp": [(2 * y, 0), (2 * y + 1, 1), (16 + 2 * y, 2), (17 + 2 * y, 3)]}
            if fmt in planes:
                for at, plane in planes[fmt]:
                    if v >> plane & 1:
                        out[at] |= bit
            elif fmt == "gba4bpp":
                out[4 * y + x // 2] |= v if x % 2 == 0 else v << 4
            else:
                out[8 * y + x] = v
    return bytes(out)


def encode_glyph(fmt, w, h, order, glyph):
    if fmt.startswith("bitmap"):
        bits = []
        for y in range(h):
            row = [pattern(fmt, glyph, x, y) for x in range(w)]
            if fmt == "bitmap":
                row += [0] * (-w % 8)
            bits += row
        bits += [0] * (-len(bits) % 8)
        return bytes(int("".join(map(str, bits[i:i + 8])), 2) for i in range(0, len(bits), 8))
    across, down = w // 8, h // 8
    tiles = [None] * (across * down)
    for ty in range(down):
        for tx in range(across):
            index = ty * across + tx if order == "across" else tx * down + ty
            tiles[index] = encode_tile(
                fmt, lambda x, y: pattern(fmt, glyph, tx * 8 + x, ty * 8 + y))
    return b"".join(tiles)


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    assert (depth, colour, interlace) == (8, 0, 0), f"not 8-bit grey: {header}"
    raw, rows, prev = zlib.decompress(idat), [], bytearray(width)
    for y in range(height):
        line = raw[y * (width + 1):(y + 1) * (width + 1)]
        kind, row = line[0], bytearray(line[1:])
        for x in range(width):
            a = row[x - 1] if x else 0
            b, c = prev[x], prev[x - 1] if x else 0
            if kind == 1:
                row[x] = (row[x] + a) & 255
            elif kind == 2:
                row[x] = (row[x] + b) & 255
            elif kind == 3:
                row[x] = (row[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[x] = (row[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(row)
        prev = row
    return width, height, rows


def main():
    mode = sys.argv[1]
    fmt, (w, h) = sys.argv[3], map(int, sys.argv[4].split("x"))
    if mode == "font":
        order, offset, count = sys.argv[5], int(sys.argv[6], 16), int(sys.argv[7])
        with open(sys.argv[2], "wb") as out:
            out.write(bytes(range(offset)))
            for glyph in range(count):
                out.write(encode_glyph(fmt, w, h, order, glyph))
        return 0
    count, zoom = int(sys.argv[5]), int(sys.argv[6])
    width, height, rows = read_png(sys.argv[2])
    expected = (min(count, 16) * w * zoom, (count + 15) // 16 * h * zoom)
    if (width, height) != expected:
        print(f"sheet is {width}x{height}, expected {expected[0]}x{expected[1]}")
        return 1
    top = (1 << DEPTH[fmt]) - 1
    for y in range(height):
        for x in range(width):
            gx, gy = x // (w * zoom), y // (h * zoom)
            glyph = gy * 16 + gx
            want = 0 if glyph >= count else \
                pattern(fmt, glyph, x % (w * zoom) // zoom, y % (h * zoom) // zoom) * 255 // top
            if rows[y][x] != want:
                print(f"pixel ({x},{y}) of glyph {glyph} is {rows[y][x]}, expected {want}")
                return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
