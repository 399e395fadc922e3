#!/usr/bin/env python3
"""Writes a made-up game file for trying the relative search: random bytes standing for graphics
and code, then six lines of dialogue stored one byte per letter, hiragana from code 20 and katakana
from code 60 in the sets' order, FE for a line break and FF at the end of each line. Two chance
matches of こんにちは sit among the random bytes.   python3 make_demo_game.py OUT"""
import random
import sys

HIRAGANA = ("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよ"
            "らりるれろわをんっゃゅょ")
KATAKANA = ("アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨ"
            "ラリルレロワヲンッャュョァィェォ")


def encode(text, hiragana_start=0x20):
    out = bytearray()
    for letter in text:
        if letter in HIRAGANA:
            out.append(hiragana_start + HIRAGANA.index(letter))
        elif letter in KATAKANA:
            out.append(0x60 + KATAKANA.index(letter))
        elif letter == "\n":
            out.append(0xFE)
        else:
            raise SystemExit(f"no code for {letter}")
    return out


LINES = ["こんにちは\nようこそこのむらへ", "スライムをたおして\nくれないか",
         "こんにちは\nきょうもいいてんきね", "おはよう\nゆうしゃさま", "さようなら\nまたきてね",
         "こんにちは\nやくそうはいらんかね"]

random.seed(1)
data = bytearray(random.getrandbits(8) for _ in range(0x6000))
data[0x1234:0x1239] = encode("こんにちは", 0x9A)
data[0x3456:0x345B] = encode("こんにちは", 0xD0)  # a set from D0 would run past FF
for line in LINES:
    data += encode(line) + b"\xff"
data += bytearray(random.getrandbits(8) for _ in range(0x2000))
with open(sys.argv[1], "wb") as out:
    out.write(data)
