#!/usr/bin/env python3
"""Reads the built icon files back and checks them, with parsers of its own.

    check_icon.py ICO PNG16 PNG32 PNG64

The .ico must hold exactly three images: 32 x 32 in 2 colours (1 bit a pixel), 32 x 32 in 16
colours (4 bits) and 16 x 16 in 16 colours (4 bits), each a well-formed BITMAPINFOHEADER image
with its colour table, colour bitmap and transparency mask. The PNGs must show the same pictures:
PNG16 the 16 x 16 image, PNG32 the 32 x 32 16-colour one, PNG64 that one at twice the size.
"""

import struct
import sys
import zlib

EXPECTED = [(32, 32, 1), (32, 32, 4), (16, 16, 4)]  # width, height, bits per pixel


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def row_bytes(width, bits):
    return (width * bits + 31) // 32 * 4


def pixel(row, x, bits):
    byte = row[x * bits // 8]
    shift = 8 - bits - (x * bits) % 8
    return (byte >> shift) & ((1 << bits) - 1)


def read_ico(data):
    """Returns a list of (width, height, bits, pixels): pixels is a list of rows, top row first,
    of RGBA tuples, fully transparent pixels as (0, 0, 0, 0)."""
    expect(len(data) >= 6, "the file is too short for an icon directory")
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    expect(reserved == 0 and kind == 1, f"not an icon file (reserved {reserved}, type {kind})")
    expect(count == len(EXPECTED), f"the icon holds {count} images, expected {len(EXPECTED)}")
    expect(len(data) >= 6 + 16 * count, "the icon directory is cut short")

    images = []
    spans = []
    for k in range(count):
        (width, height, colour_count, reserved, planes, bits, size,
         offset) = struct.unpack_from("<BBBBHHII", data, 6 + 16 * k)
        width, height = width or 256, height or 256
        where = f"image {k} ({width}x{height})"
        expect(reserved == 0, f"{where}: reserved byte is {reserved}")
        expect(planes in (0, 1), f"{where}: {planes} planes")
        expect(offset >= 6 + 16 * count and offset + size <= len(data),
               f"{where}: data at {offset}+{size} lies outside the file")
        spans.append((offset, offset + size))
        body = data[offset:offset + size]

        expect(size >= 40, f"{where}: too short for a BITMAPINFOHEADER")
        (header_size, bmp_width, bmp_height, bmp_planes, bmp_bits, compression, _, _, _,
         used, _) = struct.unpack_from("<IiiHHIIiiII", body, 0)
        expect(header_size == 40, f"{where}: header size {header_size}, not 40")
        expect(bmp_width == width and bmp_height == 2 * height,
               f"{where}: bitmap is {bmp_width}x{bmp_height}, expected {width}x{2 * height}")
        expect(bmp_planes == 1, f"{where}: bitmap has {bmp_planes} planes")
        expect(compression == 0, f"{where}: compressed bitmap ({compression})")
        expect(bmp_bits in (1, 4), f"{where}: {bmp_bits} bits a pixel")
        expect(bits in (0, bmp_bits), f"{where}: directory says {bits} bits, bitmap {bmp_bits}")
        colours = used or (1 << bmp_bits)
        expect(colours <= 1 << bmp_bits, f"{where}: {colours} colours in a {bmp_bits}-bit image")
        expect(colour_count in (0, 1 << bmp_bits),
               f"{where}: directory counts {colour_count} colours, bitmap has {1 << bmp_bits}")

        table_end = 40 + 4 * colours
        colour_stride, mask_stride = row_bytes(width, bmp_bits), row_bytes(width, 1)
        mask_start = table_end + colour_stride * height
        expect(size == mask_start + mask_stride * height,
               f"{where}: {size} bytes, expected {mask_start + mask_stride * height}")
        table = [struct.unpack_from("<BBBB", body, 40 + 4 * c) for c in range(colours)]

        rows = []
        for y in range(height):
            source = height - 1 - y  # stored bottom-up
            colour_row = body[table_end + source * colour_stride:][:colour_stride]
            mask_row = body[mask_start + source * mask_stride:][:mask_stride]
            row = []
            for x in range(width):
                if pixel(mask_row, x, 1):
                    row.append((0, 0, 0, 0))
                else:
                    index = pixel(colour_row, x, bmp_bits)
                    expect(index < colours, f"{where}: pixel {x},{y} uses colour {index}")
                    blue, green, red, _ = table[index]
                    row.append((red, green, blue, 255))
            rows.append(row)
        images.append((width, height, bmp_bits, rows))

    spans.sort()
    for (_, end), (start, _) in zip(spans, spans[1:]):
        expect(end <= start, "two images of the icon overlap")
    found = [(w, h, b) for w, h, b, _ in images]
    expect(found == EXPECTED, f"images are {found}, expected {EXPECTED}")
    return images


def read_png(data, name):
    """Decodes an 8-bit RGBA or RGB, non-interlaced PNG into rows of RGBA tuples."""
    expect(data[:8] == b"\x89PNG\r\n\x1a\n", f"{name}: not a PNG file")
    pos, header, compressed = 8, None, b""
    while pos < len(data):
        (length,) = struct.unpack_from(">I", data, pos)
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        (crc,) = struct.unpack_from(">I", data, pos + 8 + length)
        expect(zlib.crc32(kind + body) & 0xFFFFFFFF == crc, f"{name}: bad CRC in {kind!r}")
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
        elif kind == b"IEND":
            break
        pos += 12 + length
    expect(header is not None, f"{name}: no IHDR")
    width, height, depth, colour_type, _, _, interlace = header
    expect(depth == 8 and colour_type in (2, 6) and interlace == 0,
           f"{name}: depth {depth}, colour type {colour_type}, interlace {interlace} not handled")
    channels = 4 if colour_type == 6 else 3
    stride = width * channels
    raw = zlib.decompress(compressed)
    expect(len(raw) == height * (stride + 1), f"{name}: pixel data has the wrong length")

    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            upper_left = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - upper_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upper_left)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else upper_left
                line[i] = (line[i] + predictor) & 0xFF
            else:
                expect(kind == 0, f"{name}: unknown filter {kind} in row {y}")
        row = []
        for x in range(width):
            px = tuple(line[x * channels:(x + 1) * channels])
            px = px if channels == 4 else px + (255,)
            row.append(px if px[3] else (0, 0, 0, 0))
        rows.append(row)
        previous = line
    return width, height, rows


def check(ico_path, png_paths):
    with open(ico_path, "rb") as f:
        images = read_ico(f.read())
    mono, colour32, colour16 = (image[3] for image in images)

    for (width, height, bits, rows) in images:
        opaque = {px for row in rows for px in row if px[3]}
        transparent = sum(1 for row in rows for px in row if not px[3])
        expect(transparent > 0, f"{width}x{height} {bits}-bit image has no transparent pixel")
        expect(len(opaque) >= 2, f"{width}x{height} {bits}-bit image shows a single colour")
        if bits == 4:
            expect(len(opaque) > 2, f"{width}x{height} 16-colour image uses only {len(opaque)} colours")

    def silhouette(rows):
        return [[px[3] != 0 for px in row] for row in rows]
    expect(silhouette(mono) == silhouette(colour32),
           "the 2-colour and the 16-colour 32x32 images have different outlines")

    doubled = [[px for px in row for _ in range(2)] for row in colour32 for _ in range(2)]
    for path, want in zip(png_paths, (colour16, colour32, doubled)):
        with open(path, "rb") as f:
            width, height, rows = read_png(f.read(), path)
        expect((width, height) == (len(want[0]), len(want)),
               f"{path}: {width}x{height}, expected {len(want[0])}x{len(want)}")
        for y, (got_row, want_row) in enumerate(zip(rows, want)):
            for x, (got, wanted) in enumerate(zip(got_row, want_row)):
                expect(got == wanted, f"{path}: pixel {x},{y} is {got}, the icon has {wanted}")


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        check(argv[1], argv[2:])
    except (Failure, struct.error, zlib.error) as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    print("icon: 3 images (32x32 1-bit, 32x32 4-bit, 16x16 4-bit); the PNGs match them")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
