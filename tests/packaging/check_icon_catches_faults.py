#!/usr/bin/env python3
"""Proves that check_icon.py notices broken icon files: each case damages a copy of the built files
in one way and expects the check to fail; one case re-encodes a PNG with other row filters and
expects it still to pass.

    check_icon_catches_faults.py ICO PNG16 PNG32 PNG64
"""

import pathlib
import struct
import sys
import tempfile
import zlib

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import check_icon  # noqa: E402


def entry(ico, k):
    return struct.unpack_from("<BBBBHHII", ico, 6 + 16 * k)


def set_u16(data, pos, value):
    struct.pack_into("<H", data, pos, value)


def set_u32(data, pos, value):
    struct.pack_into("<I", data, pos, value)


def flip_colour_rows(data, k):
    """Stores image k's colour bitmap top-down instead of bottom-up."""
    width, height, _, _, _, _, _, offset = entry(data, k)
    width, height = width or 256, height or 256
    (bits,) = struct.unpack_from("<H", data, offset + 14)
    (used,) = struct.unpack_from("<I", data, offset + 32)
    start = offset + 40 + 4 * (used or 1 << bits)
    stride = check_icon.row_bytes(width, bits)
    rows = [bytes(data[start + y * stride:start + (y + 1) * stride]) for y in range(height)]
    data[start:start + stride * height] = b"".join(reversed(rows))


def clear_mask(data, k):
    """Makes every pixel of image k opaque."""
    width, height, _, _, _, _, size, offset = entry(data, k)
    mask_size = check_icon.row_bytes(width or 256, 1) * (height or 256)
    end = offset + size
    data[end - mask_size:end] = bytes(mask_size)


def refilter_png(png):
    """The same picture with every row stored through filter 1, 2, 3 or 4 in turn."""
    width, height, rows = check_icon.read_png(png, "png")
    raw, previous = b"", bytearray(width * 4)
    for y, row in enumerate(rows):
        line = bytearray(b"".join(bytes(px) for px in row))
        kind = 1 + y % 4
        out = bytearray(len(line))
        for i in range(len(line)):
            left = line[i - 4] if i >= 4 else 0
            up = previous[i]
            upper_left = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                predictor = left
            elif kind == 2:
                predictor = up
            elif kind == 3:
                predictor = (left + up) // 2
            else:
                p = left + up - upper_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upper_left)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else upper_left
            out[i] = (line[i] - predictor) & 0xFF
        raw += bytes([kind]) + bytes(out)
        previous = line
    return encode_png(width, height, raw)


def with_red_corner(png):
    """The same PNG with its top-left pixel turned opaque red."""
    width, height, rows = check_icon.read_png(png, "png")
    rows[0][0] = (255, 0, 0, 255)
    raw = b"".join(b"\0" + b"".join(bytes(px) for px in row) for row in rows)
    return encode_png(width, height, raw)


def encode_png(width, height, filtered_rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(filtered_rows))
            + chunk(b"IEND", b""))


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    originals = [pathlib.Path(p).read_bytes() for p in argv[1:]]
    ico = originals[0]
    offset2 = entry(ico, 2)[7]

    def damaged(change):
        files = [bytearray(data) for data in originals]
        change(files)
        return files

    cases = {
        "two images announced": lambda f: set_u16(f[0], 4, 2),
        "directory bit count 8": lambda f: set_u16(f[0], 6 + 16 * 1 + 6, 8),
        "directory width 48": lambda f: f[0].__setitem__(6 + 16 * 2, 48),
        "bitmap height not doubled": lambda f: set_u32(f[0], offset2 + 8, 16),
        "bitmap bit count 8": lambda f: set_u16(f[0], offset2 + 14, 8),
        "image size one row short": lambda f: set_u32(f[0], 6 + 16 * 2 + 8, entry(ico, 2)[6] - 4),
        "16x16 rows upside down": lambda f: flip_colour_rows(f[0], 2),
        "32x32 colour mask cleared": lambda f: clear_mask(f[0], 1),
        "64 PNG is the 32 PNG": lambda f: f.__setitem__(3, bytearray(originals[2])),
        "16 PNG pixel changed": lambda f: f.__setitem__(1, bytearray(with_red_corner(originals[1]))),
    }

    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        def run(files):
            paths = []
            for name, data in zip(("i.ico", "16.png", "32.png", "64.png"), files):
                path = pathlib.Path(folder) / name
                path.write_bytes(bytes(data))
                paths.append(str(path))
            try:
                check_icon.check(paths[0], paths[1:])
                return None
            except (check_icon.Failure, struct.error, zlib.error) as failure:
                return str(failure)

        baseline = run(originals)
        if baseline is not None:
            print(f"FAIL: the undamaged files do not pass: {baseline}")
            return 1
        refiltered = run([originals[0], originals[1], refilter_png(originals[2]), originals[3]])
        if refiltered is not None:
            print(f"FAIL: a PNG stored with filters 1 to 4 is not read back the same: {refiltered}")
            failures += 1
        for name, change in cases.items():
            verdict = run(damaged(change))
            if verdict is None:
                print(f"FAIL: damage '{name}' went unnoticed")
                failures += 1
            else:
                print(f"ok: {name}: {verdict}")
    print(f"{len(cases) + 1 - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
