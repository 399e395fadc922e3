#!/usr/bin/env python3
"""Writes a made-up game file with a font in it, for pictures of the Font window: 8 KiB of random
bytes standing for code and data, then 16x16 glyphs drawn from GNU Unifont's .hex glyphs (Debian
package unifont) in an order of the game's own, stored as gb2bpp tiles across then down: ink in
colour 3, a shadow down and right in colour 1. Random bytes follow.
    python3 make_demo_font.py OUT        (the font starts at 2000, one glyph every 64 bytes)"""
import random
import sys

from unifont_hex import unifont

ORDER = (" 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ!?.,-"
         "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
         "がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽっゃゅょ"
         "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン"
         "王剣盾魔法村城竜")


def pixels(bits):
    """16 rows of 16 ink flags; 8-wide glyphs are centred."""
    wide = len(bits) == 64
    rows = []
    for y in range(16):
        if wide:
            value = int(bits[y * 4:y * 4 + 4], 16)
            rows.append([(value >> (15 - x)) & 1 for x in range(16)])
        else:
            value = int(bits[y * 2:y * 2 + 2], 16)
            rows.append([0] * 4 + [(value >> (7 - x)) & 1 for x in range(8)] + [0] * 4)
    return rows


def shaded(rows):
    out = [[3 * rows[y][x] for x in range(16)] for y in range(16)]
    for y in range(1, 16):
        for x in range(1, 16):
            if out[y][x] == 0 and rows[y - 1][x - 1]:
                out[y][x] = 1
    return out


def gb2bpp(index):
    data = bytearray()
    for ty in range(2):
        for tx in range(2):
            for y in range(8):
                low = high = 0
                for x in range(8):
                    value = index[ty * 8 + y][tx * 8 + x]
                    low |= (value & 1) << (7 - x)
                    high |= (value >> 1) << (7 - x)
                data += bytes([low, high])
    return bytes(data)


def main():
    random.seed(18)
    glyphs = unifont()
    out = bytearray(random.randrange(256) for _ in range(0x2000))
    for letter in ORDER:
        out += gb2bpp(shaded(pixels(glyphs[ord(letter)])))
    out += bytes(random.randrange(256) for _ in range(0x2000))
    with open(sys.argv[1], "wb") as file:
        file.write(out)


if __name__ == "__main__":
    main()
