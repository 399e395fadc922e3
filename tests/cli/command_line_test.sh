#!/usr/bin/env bash
# The command line end to end: the real program started with arguments and no display at all,
# its file, its standard output and its exit status compared.
#
#   command_line_test.sh PATH/TO/glyphwright VERSION_TEXT
set -uo pipefail
program=$1
version=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run EXPECTED_STATUS ARGS...: runs the program; its output is in $work/out and $work/err.
run() {
    local expected=$1
    shift
    "$program" "$@" >"$work/out" 2>"$work/err"
    local status=$?
    [[ $status -eq $expected ]] ||
        fail "glyphwright $* exited $status, expected $expected; stderr: $(cat "$work/err")"
}

# same FILE BYTES: the file holds exactly BYTES (printf escapes).
same() {
    printf '%b' "$2" >"$work/expected"
    cmp -s "$1" "$work/expected" || fail "$1 differs: $(od -c "$1" | head -5)"
}

says() {
    grep -qF -- "$2" "$work/$1" || fail "$1 lacks '$2': $(cat "$work/$1")"
}

# ---- 0: a file, standard output, the listing, help and version everywhere ----------------------
digits='10=0\r\r\n11=1\r\r\n12=2\r\r\n13=3\r\r\n14=4\r\r\n15=5\r\r\n16=6\r\r\n17=7\r\r\n18=8\r\r\n19=9\r\r\n\r\r\n'
run 0 make --start 10 --output "$work/digits.tbl" 0-9
same "$work/digits.tbl" "$digits"
[[ ! -s $work/err && ! -s $work/out ]] || fail "a quiet success said something"

# Entries, and sets with their own starts, one of them laid over an entry, in UTF-8 on standard
# output; the range ends with the set laid last.
run 0 make -s 10 -f utf8 -o - 11=x Handakuten@11 1C=漢 '0-9@20'
same "$work/out" '11=ぱ\n12=ぴ\n13=ぷ\n14=ぺ\n15=ぽ\n16=パ\n17=ピ\n18=プ\n19=ペ\n1A=ポ\n1C=漢\n20=0\n21=1\n22=2\n23=3\n24=4\n25=5\n26=6\n27=7\n28=8\n29=9\n'
run 0 make --start=2F --format=sjis --output=- -- 2F=漢 'Uppercase Alphabet@30'
code=0x30
same "$work/out" "2F=\x8a\xbf\r\n$(for c in {A..Z}; do printf '%X=%s\\r\\n' $((code++)) "$c"; done)"

run 0 sets
same "$work/out" 'Hiragana\t50\nKatakana\t54\nDakuten\t40\nHandakuten\t10\nUppercase Alphabet\t26\nLowercase Alphabet\t26\n0-9\t10\n'
for line in "--help" "-h" "make --help" "make -s 10 -h" "sets --help" "glyphs --help"; do
    read -ra args <<<"$line"
    run 0 "${args[@]}"
    says out "Usage: glyphwright"
done
for line in "--version" "-v" "make --version" "sets -v"; do
    read -ra args <<<"$line"
    run 0 "${args[@]}"
    same "$work/out" "Glyphwright $version\n"
done

# ---- 1: table problems, in the windows' words, with no file written or changed -----------------
cp "$work/digits.tbl" "$work/kept.tbl"
run 1 make --start G0 --output "$work/kept.tbl" 0-9
says err "The start code \"G0\" is not a hexadecimal byte."
run 1 make --start F8 --output "$work/kept.tbl" 0-9
says err "The set \"0-9\" on line 1 of the Table Order begins at code F8 and would run past code FF."
run 1 make --start 10 --output "$work/kept.tbl" 25=x
says err "The Table Order lays no character set"
run 1 make --start 10 --format sjis --output "$work/kept.tbl" 15=丂 0-9@20
says err "The entry at code 15 cannot be written in the chosen format: \"丂\""
run 1 make --start 10 --output "$work/kept.tbl" 15=😀 0-9
says err "EUC-JP has no code for it"
run 1 make --start 10 --output "$work/kept.tbl" 0-9@1FF
says err "The code \"1FF\" is above FF"
for format in classic utf8 sjis; do
    run 1 make --start 50 --format $format --output "$work/e.tbl" Hiragana@80 0-9@10
    says err "No code would be written: the last code laid, 19, comes before the start code 50."
    [[ ! -e "$work/e.tbl" ]] || fail "a table with no code was written in $format"
done
same "$work/kept.tbl" "$digits"
run 1 make --start 10 --output "$work/missing/t.tbl" 0-9
says err "could not be written: No such file or directory."
[[ $(ls "$work") == $'digits.tbl\nerr\nexpected\nkept.tbl\nout' ]] || fail "left behind: $(ls "$work")"
mapfile -t lines < <(yes 0-9@10 | head -n 1001)
run 1 make --start 10 --output - "${lines[@]}"
says err "The Table Order is full"

# Standard output that takes nothing: a full device, and a pipe whose reader is gone.
"$program" make --start 10 --output - 0-9 >/dev/full 2>"$work/err"
[[ $? -eq 1 ]] || fail "a write to /dev/full passed for success"
says err "Writing to standard output failed: No space left on device."
python3 -c 'import os, subprocess, sys
reader, writer = os.pipe()
os.close(reader)
sys.exit(subprocess.run(sys.argv[1:], stdout=writer, stderr=subprocess.DEVNULL).returncode)' \
    "$program" make --start 10 --output - 0-9
status=$?
[[ $status -eq 1 ]] || fail "a write to a pipe without a reader exited $status, expected 1"

# ---- 2: bad usage, naming what is wrong ---------------------------------------------------------
run 2 make --output - 0-9
says err "no start code"
run 2 make --start 10 0-9
says err "no output file"
run 2 make --start 10 --output - Hiragna
says err "'Hiragna' is neither a built-in set"
run 2 make --start 10 --output - --format utf16 0-9
run 2 make --start 10 --start 11 --output - 0-9
run 2 make --strat 10
says err "unknown option '--strat'"
run 2 make
run 2 sets 0-9
run 2 frob
says err "'frob' is not a command"
run 2 --frob

# ---- glyphs: a sheet of a stand-in font in every format, its pixels read back -------------------
sheet=$(dirname "$0")/glyph_sheet.py
# FORMAT SIZE ORDER: 19 glyphs after 3 bytes (no whole tile), drawn 30 asked for, at zoom 2.
for spec in "1bpp 8x8 across" "nes2bpp 8x16 across" "gb2bpp 16x16 down" "snes4bpp 16x8 down" \
    "gba4bpp 16x16 across" "8bpp 8x8 across" "bitmap 12x12 across" "bitmap-packed 5x7 across" \
    "1bpp 16x16 down" "snes4bpp 32x16 across"; do
    read -r tiles size order <<<"$spec"
    python3 "$sheet" font "$work/font.bin" "$tiles" "$size" "$order" 3 19
    run 0 glyphs --game "$work/font.bin" --offset 3 --tiles "$tiles" --glyph "$size" \
        --tile-order "$order" --count 30 --zoom 2 --png "$work/font.png"
    python3 "$sheet" check "$work/font.png" "$tiles" "$size" 19 2 >"$work/check" ||
        fail "glyphs $spec: $(cat "$work/check")"
done
# The defaults: across, 256 glyphs (here the 19 there are), zoom 1; the offset as 0x.
python3 "$sheet" font "$work/font.bin" gb2bpp 16x16 across 10 19
run 0 glyphs --png="$work/font.png" --game "$work/font.bin" --offset 0x10 --tiles gb2bpp \
    --glyph 16x16
python3 "$sheet" check "$work/font.png" gb2bpp 16x16 19 1 >"$work/check" ||
    fail "glyphs with defaults: $(cat "$work/check")"
rm -f "$work/font.png"
run 0 glyphs --help
says out "bitmap-packed"
run 1 glyphs --game "$work/font.bin" --offset 1000 --tiles 1bpp --glyph 8x8 --png "$work/font.png"
says err "no glyph starts at offset 1000"
run 1 glyphs --game "$work/missing.bin" --offset 0 --tiles 1bpp --glyph 8x8 --png "$work/font.png"
says err "could not be opened"
run 1 glyphs --game "$work/font.bin" --offset 0 --tiles 1bpp --glyph 8x8 --png "$work/no/font.png"
says err "could not be written"
[[ ! -e $work/font.png ]] || fail "a failed glyphs command left a picture"
for bad in "--tiles 3bpp --glyph 8x8" "--tiles gb2bpp --glyph 12x16" "--tiles bitmap --glyph 3x8" \
    "--tiles bitmap --glyph 40x8" "--tiles 1bpp --glyph 8by8" "--tiles 1bpp --glyph 8x8 --zoom 9" \
    "--tiles 1bpp --glyph 8x8 --count 0" "--tiles 1bpp --glyph 8x8 --tile-order up"; do
    read -ra args <<<"$bad"
    run 2 glyphs --game "$work/font.bin" --offset 0 --png "$work/font.png" "${args[@]}"
done
run 2 glyphs --game "$work/font.bin" --offset 0 --tiles gb2bpp --glyph 12x16 --png "$work/font.png"
says err "gb2bpp glyphs are made of 8x8 tiles, so 12x16 cannot be one"
run 2 glyphs --game "$work/font.bin" --offset 0 --tiles bitmap --glyph 3x8 --png "$work/font.png"
says err "bitmap glyphs are at most 32x32, with each side 4 at least, so 3x8 is out of range."
run 2 glyphs --game "$work/font.bin" --offset 0 --tiles 3bpp --glyph 8x8 --png "$work/font.png"
says err "'3bpp' is not a tile format: choose 1bpp, nes2bpp, gb2bpp, snes4bpp, gba4bpp, 8bpp, bitmap, bitmap-packed."
run 2 glyphs --game "$work/font.bin" --offset G --tiles 1bpp --glyph 8x8 --png "$work/font.png"
says err "'G' is not an offset"
run 2 glyphs --game "$work/font.bin" --offset 0 --tiles 1bpp --png "$work/font.png"
says err "the option '--glyph' is missing"
run 2 glyphs --game "$work/font.bin" --offset 0 --tiles 1bpp --glyph 8x8 --png x.png extra
[[ ! -e $work/font.png ]] || fail "bad usage left a picture"

exit $((failures > 0))
