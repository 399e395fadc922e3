#!/usr/bin/env python3
"""Writes a made-up game file whose font is packed, for the picture of Find Font: the 16x16 gb2bpp
font of make_demo_font.py packed with LZ77 (type 10h, as the GBA and DS BIOS unpack it) at 6000,
among random bytes standing for code and data, a stretch of padding, and a packed stream of
sprite-like tiles (RLE, type 30h) at 2000.
    python3 make_demo_packed_font.py OUT"""
import random
import sys

import make_demo_font as demo


def header(kind, size):
    return bytes([kind, size & 0xFF, (size >> 8) & 0xFF, (size >> 16) & 0xFF])


def lz10(data):
    """Greedy LZ77 10h: copies of 3 to 18 bytes from up to 4096 back, eight pieces a flag byte."""
    out = bytearray(header(0x10, len(data)))
    at = 0
    while at < len(data):
        flags_at = len(out)
        out.append(0)
        for bit in range(8):
            if at >= len(data):
                break
            best, best_back = 0, 0
            for back in range(1, min(at, 4096) + 1):
                length = 0
                while (length < 18 and at + length < len(data)
                       and data[at + length] == data[at - back + length]):
                    length += 1
                if length > best:
                    best, best_back = length, back
                    if length == 18:
                        break
            if best >= 3:
                out[flags_at] |= 0x80 >> bit
                disp = best_back - 1
                out += bytes([(best - 3) << 4 | disp >> 8, disp & 0xFF])
                at += best
            else:
                out.append(data[at])
                at += 1
    return bytes(out)


def rle(data):
    """RLE 30h: runs of 3 to 130 bytes, literal stretches of 1 to 128."""
    out = bytearray(header(0x30, len(data)))
    at = 0
    literal = bytearray()

    def flush():
        while literal:
            piece = literal[:128]
            out.append(len(piece) - 1)
            out.extend(piece)
            del literal[:128]

    while at < len(data):
        run = 1
        while at + run < len(data) and run < 130 and data[at + run] == data[at]:
            run += 1
        if run >= 3:
            flush()
            out += bytes([0x80 | (run - 3), data[at]])
            at += run
        else:
            literal.append(data[at])
            at += 1
    flush()
    return bytes(out)


def sprites(count):
    """Tiles of a sprite's kind: a blob of two colours filling most of the tile."""
    out = bytearray()
    for _ in range(count):
        colour = random.randrange(1, 4)
        for y in range(8):
            row = [colour if 1 <= y <= 6 and 1 <= x <= 6 else 0 for x in range(8)]
            low = sum((value & 1) << (7 - x) for x, value in enumerate(row))
            high = sum((value >> 1) << (7 - x) for x, value in enumerate(row))
            out += bytes([low, high])
    return bytes(out)


def main():
    random.seed(31)
    glyphs = demo.unifont()
    font = b"".join(demo.gb2bpp(demo.shaded(demo.pixels(glyphs[ord(letter)])))
                    for letter in demo.ORDER)
    out = bytearray(random.randrange(256) for _ in range(0x2000))
    out += rle(sprites(64))
    out += bytes(0x4000 - len(out) % 0x4000 if len(out) < 0x4000 else 0)  # padding
    out += bytes(random.randrange(256) for _ in range(0x6000 - len(out)))
    out += lz10(font)
    out += bytes(random.randrange(256) for _ in range(0x4000))
    with open(sys.argv[1], "wb") as file:
        file.write(out)


if __name__ == "__main__":
    main()
