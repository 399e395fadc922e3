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
# The user's own sets are read from here, never from the home of whoever runs the tests.
export XDG_CONFIG_HOME=$work/config
trap 'rm -rf "$work"' EXIT
# shellcheck source=run_helpers.sh
source "$(dirname "$0")/run_helpers.sh"

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
classic='Hiragana\t50\nKatakana\t54\nDakuten\t40\nHandakuten\t10\nUppercase Alphabet\t26\nLowercase Alphabet\t26\n0-9\t10\n'
further='Hiragana (JIS order)\t83\nKatakana (JIS order)\t86\nHalf-width Katakana\t63\nASCII\t95\n'
same "$work/out" "$classic$further"
for line in "--help" "-h" "make --help" "make -s 10 -h" "sets --help" "search --help" "glyphs --help" "font-table --help"; do
    read -ra args <<<"$line"
    run 0 "${args[@]}"
    says out "Usage: glyphwright"
done
for line in "--version" "-v" "make --version" "sets -v"; do
    read -ra args <<<"$line"
    run 0 "${args[@]}"
    same "$work/out" "Glyphwright $version\n"
done

# A project saved in the window: its table, order, start code and last format; --start and
# --format win over the project's.
cat >"$work/p.gwproj" <<'JSON'
{"format": "glyphwright-project", "version": 1, "startCode": "10",
 "entries": [{"code": "10", "text": "A"}], "order": [{"text": "0-9", "start": "11"}],
 "tableFile": {"name": "p.tbl", "format": "utf8"}}
JSON
run 0 make --project "$work/p.gwproj" --output -
same "$work/out" '10=A\n11=0\n12=1\n13=2\n14=3\n15=4\n16=5\n17=6\n18=7\n19=8\n1A=9\n'
run 0 make -p "$work/p.gwproj" --start 11 --format classic --output - 20=B
same "$work/out" '11=0\r\r\n12=1\r\r\n13=2\r\r\n14=3\r\r\n15=4\r\r\n16=5\r\r\n17=6\r\r\n18=7\r\r\n19=8\r\r\n1A=9\r\r\n\r\r\n'
# Control codes come with the project: an end code and a line break, in UTF-8 as the standard
# has them, in classic as plain text.
cat >"$work/c.gwproj" <<'JSON'
{"format": "glyphwright-project", "version": 1, "startCode": "00",
 "entries": [{"code": "00", "text": "end", "kind": "end"},
             {"code": "01", "text": "", "kind": "linebreak"}],
 "order": [{"text": "0-9", "start": "10"}]}
JSON
run 0 make --project "$work/c.gwproj" --format utf8 --output -
same "$work/out" '/00=[end]\n01=\\n\n10=0\n11=1\n12=2\n13=3\n14=4\n15=5\n16=6\n17=7\n18=8\n19=9\n'
run 0 make --project "$work/c.gwproj" --output -
head -c 15 "$work/out" >"$work/head"
same "$work/head" '00=end\r\r\n01=\r\r\n'
rm "$work/head"
rm "$work/c.gwproj"
# Imported tables go in before the LINEs, in any of the three formats and line ends; a line that
# cannot be taken is named with its number and nothing is written.
printf '\xEF\xBB\xBF10=\xE3\x81\x82\r\n12=x\r\n' >"$work/imp.tbl"
printf '13=y\r\r\n\r\r\n' >"$work/classic.tbl"
run 0 make --start 10 --format utf8 --import "$work/imp.tbl" -i "$work/classic.tbl" --output - 0-9@14
same "$work/out" '10=あ\n12=x\n13=y\n14=0\n15=1\n16=2\n17=3\n18=4\n19=5\n1A=6\n1B=7\n1C=8\n1D=9\n'
# With no set laid, a text format writes the whole table and needs no start code; the classic
# file still has nothing laid to write.
run 0 make --format sjis --import "$work/imp.tbl" --output - '05=y'
same "$work/out" '05=y\r\n10=\x82\xa0\r\n12=x\r\n'
run 0 make --start 30 --format utf8 --import "$work/classic.tbl" --output -
same "$work/out" '13=y\n'
run 2 make --import "$work/imp.tbl" --output -
says err "no start code: give the code the table starts at"
# The format found can be overridden for the imports after --import-format: EUC-JP bytes with LF
# ends read as Shift-JIS half-width kana unless told they are classic.
printf '20=\xA4\xA2\n' >"$work/euc.tbl"
run 0 make -f utf8 -o - --import-format classic -i "$work/euc.tbl" --import-format=auto \
    --import "$work/imp.tbl"
same "$work/out" '10=あ\n12=x\n20=あ\n'
run 0 make -f utf8 -o - -i "$work/euc.tbl"
same "$work/out" '20=､｢\n'
run 2 make -f utf8 -o - --import-format euc -i "$work/euc.tbl"
says err "'euc' is not a format to import: choose auto, classic, utf8 or sjis."
rm "$work/euc.tbl"
# The entry kinds and a further table, imported in the Standard's spelling and written in abcde's
# and back; the classic file refuses them naming every code and table; a switch to a table the
# file lacks is named by its line.
printf '@main\n10=a\n!F0=kanji,0\n$F5=[color],1\nFE=[line]\\n\n/FF=[end]\n@kanji\n10=b\n' >"$work/kinds.tbl"
run 0 make --format abcde --import "$work/kinds.tbl" --output "$work/kinds-abcde.tbl"
same "$work/kinds-abcde.tbl" '@main\n10=a\n!F0=,<@kanji>:0\n!F5=<[color]>,1\nFE=[line]\\n\n/FF=[end]\n@kanji\n10=b\n'
run 0 make --format utf8 --import "$work/kinds-abcde.tbl" --output -
cmp -s "$work/out" "$work/kinds.tbl" || fail "abcde read back in UTF-8 differs: $(cat "$work/out")"
run 1 make --start 10 --import "$work/kinds.tbl" --output - 0-9
says err "codes F0, F5"
says err "further tables (@kanji)"
# Switches that lead round through the tables, each until a code, are taken and told by line.
printf '@main\n10=a\n!F0=kanji,0\n@kanji\n10=b\n!F1=main,0\n' >"$work/kinds.tbl"
run 0 make --format utf8 --import "$work/kinds.tbl" --output -
says err "lines 3, 6 switch round through the tables main, kanji, each until a code the next table lacks"
printf '10=a\n!F0=nowhere,0\n' >"$work/kinds.tbl"
run 1 make --format abcde --import "$work/kinds.tbl" --output -
says err "line 2: \"!F0=nowhere,0\" switches to a table the file does not hold"
rm "$work/kinds.tbl" "$work/kinds-abcde.tbl"
run 1 make --start 10 --import "$work/imp.tbl" --output -
says err "The Table Order lays no character set"
printf '10=a\nbad line\n' >"$work/bad.tbl"
run 1 make --start 10 --import "$work/bad.tbl" --output - 0-9
says err 'line 2: "bad line" is no entry'
rm "$work/imp.tbl" "$work/classic.tbl" "$work/bad.tbl"
# The same text at two codes: written, and named on standard error, in the text formats only.
run 0 make --start 10 --format utf8 --output - 0-9 '1A=1'
same "$work/out" '10=0\n11=1\n12=2\n13=3\n14=4\n15=5\n16=6\n17=7\n18=8\n19=9\n1A=1\n'
says err "1 at 11 and 1A."
run 0 make --start 10 --format sjis --output "$work/dup.tbl" '10=1' 0-9@11
says err "the same text stands at more than one code: 1 at 10 and 12."
[[ -s "$work/dup.tbl" ]] || fail "the table with a duplicate was not written"
run 0 make --start 10 --output - '10=1' 0-9@11
[[ ! -s "$work/err" ]] || fail "classic warned of a duplicate: $(cat "$work/err")"
rm "$work/dup.tbl"
# Two-byte codes: a set laid from a two-byte start goes on past a first byte, in the byte order
# asked for (the start typed as the game stores it), beside one-byte codes and a two-byte single
# entry; every code comes in the order of its stored bytes.
highDigits='F0=0\nF1=1\nF2=2\nF3=3\nF4=4\nF5=5\nF6=6\nF7=7\nF8=8\nF9=9\n'
run 0 make -s 10 -f utf8 -o - 0-9@F0 Handakuten@00FE '8140=漢'
same "$work/out" "00FE=ぱ\n00FF=ぴ\n0100=ぷ\n0101=ぺ\n0102=ぽ\n0103=パ\n0104=ピ\n0105=プ\n\
0106=ペ\n0107=ポ\n8140=漢\n$highDigits"
run 0 make -s 10 -f utf8 -o - --code-order le 0-9@F0 Handakuten@FE00 '8140=漢'
same "$work/out" "0001=ぷ\n0101=ぺ\n0201=ぽ\n0301=パ\n0401=ピ\n0501=プ\n0601=ペ\n0701=ポ\n\
8140=漢\n${highDigits}FE00=ぱ\nFF00=ぴ\n"
run 0 make -s 10 -f sjis -o - 0-9@F0 '8140=0'
says err "the same text stands at more than one code: 0 at 8140 and F0."
run 2 make -s 10 -o - --code-order middle 0-9
says err "'middle' is not a code order: choose be or le."
# A project keeps its byte order, and --code-order wins over it.
cat >"$work/le.gwproj" <<'JSON'
{"format": "glyphwright-project", "version": 2, "startCode": "10", "codeOrder": "le",
 "entries": [{"code": "8140", "text": "漢"}], "order": [{"text": "Handakuten", "start": "FE00"}]}
JSON
run 0 make --project "$work/le.gwproj" --format utf8 --output -
head -n 3 "$work/out" >"$work/head"
same "$work/head" '0001=ぷ\n0101=ぺ\n0201=ぽ\n'
run 0 make --project "$work/le.gwproj" --code-order be --format utf8 --output -
head -n 3 "$work/out" >"$work/head"
same "$work/head" '8140=漢\nFE00=ぱ\nFE01=ぴ\n'
rm "$work/le.gwproj" "$work/head"
# The ASCII set is written whole in the text formats, [ ] < > included; the codes of < and >
# are named on standard error, since abcde refuses a table holding them, and the exit is 0.
run 0 make --start 20 --format utf8 --output "$work/ascii.tbl" ASCII
grep -qxF '5B=[' "$work/ascii.tbl" && grep -qxF '5D=]' "$work/ascii.tbl" &&
    grep -qxF '3C=<' "$work/ascii.tbl" && grep -qxF '3E=>' "$work/ascii.tbl" ||
    fail "the ASCII set is not written whole: $(cat "$work/ascii.tbl")"
[[ $(wc -l <"$work/ascii.tbl") -eq 95 ]] || fail "ascii.tbl holds $(wc -l <"$work/ascii.tbl") lines"
says err 'the entries at codes 3C, 3E hold "<" or ">": abcde'
rm "$work/ascii.tbl"
run 0 make --start 2F --format sjis --output - '2F=<end>' '3A=[x]' 0-9@30
same "$work/out" '2F=<end>\r\n30=0\r\n31=1\r\n32=2\r\n33=3\r\n34=4\r\n35=5\r\n36=6\r\n37=7\r\n38=8\r\n39=9\r\n3A=[x]\r\n'
says err 'the entry at code 2F holds "<"'
# Every entry that cannot be written is named in the one refusal.
run 1 make --format sjis --output - '10=丂' 11=x '12=丂' '13=丂' '14=丂' '15=丂' '16=丂'
says err 'code 10 cannot be written'
says err 'code 15 cannot be written'
says err 'One more entry cannot be written either. No file was written.'
printf '{"format": "glyphwright-project", "version": 7}' >"$work/newer.gwproj"
run 1 make --project "$work/newer.gwproj" --output -
says err "made by a newer Glyphwright (project version 7"
printf '{"format": "glyphwright-project", "version": 1, "startCode": 5}' >"$work/bad.gwproj"
run 1 make --project "$work/bad.gwproj" --output -
says err 'damaged: "startCode" is missing or wrong'
rm "$work/p.gwproj" "$work/newer.gwproj" "$work/bad.gwproj"

# ---- 1: table problems, in the windows' words, with no file written or changed -----------------
cp "$work/digits.tbl" "$work/kept.tbl"
run 1 make --start G0 --output "$work/kept.tbl" 0-9
says err "The start code \"G0\" is not a hexadecimal byte. Give --start a code from 00 to FF"
run 1 make --start= --output "$work/kept.tbl" 0-9
says err "No start code was given. Give --start the code"
run 1 make --start F8 --output "$work/kept.tbl" 0-9
says err "The set \"0-9\" on line 1 of the Table Order begins at code F8 and would run past code FF."
run 1 make --start 10 --output "$work/kept.tbl" 25=x
says err "The Table Order lays no character set"
run 1 make --start 10 --format sjis --output "$work/kept.tbl" 15=丂 0-9@20
says err "The entry at code 15 cannot be written in the chosen format: it has no code for \"丂\""
# Entries hold any Unicode text; only the classic file needs EUC-JP, and it names every code
# that has none.
run 1 make --start 10 --output "$work/kept.tbl" 15=😀 0-9@20
says err 'EUC-JP has no code for the entry at code 15 ("😀")'
run 1 make --start 10 --output "$work/kept.tbl" '15=¥' 0-9@20 '16=ゔ'
says err 'EUC-JP has no code for the entries at codes 15, 16 (the first is "¥")'
run 0 make --format utf8 --output - 10=ゔ 11=𠮷
same "$work/out" '10=ゔ\n11=𠮷\n'
run 1 make --start 10 --output - 10=ゔ 11=𠮷
says err 'at codes 10, 11'
run 1 make --start 10 --output "$work/kept.tbl" 0-9@10000
says err "The code \"10000\" is above FFFF"
run 1 make --start 10 --format utf8 --output "$work/kept.tbl" 0-9@FFF8
says err "The set \"0-9\" on line 1 of the Table Order begins at code FFF8 and would run past code FFFF."
run 1 make --start 10 --output "$work/kept.tbl" 0-9@F0 Handakuten@0100
says err "The table holds two-byte codes (0100, 0101, 0102, 0103, 0104, 0105, 0106, 0107, and 2 more)"
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
says err "The Table Order is full: it holds at most 1000 lines. Give at most 1000 LINE arguments."

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

# A path to standard output is standard output: appended to a log, the log keeps what it held.
printf 'important\n' >"$work/build.log"
"$program" make --start 10 --format utf8 --output /dev/stdout 0-9 >>"$work/build.log" 2>"$work/err"
[[ $? -eq 0 ]] || fail "--output /dev/stdout failed: $(cat "$work/err")"
same "$work/build.log" 'important\n10=0\n11=1\n12=2\n13=3\n14=4\n15=5\n16=6\n17=7\n18=8\n19=9\n'
rm "$work/build.log"

# A closed standard output is told with its true reason; nothing else is written into.
"$program" make --start 10 --output - 0-9 >&- 2>"$work/err"
[[ $? -eq 1 ]] || fail "a write to a closed standard output passed for success"
says err "Writing to standard output failed: Bad file descriptor."

# ---- 2: bad usage, naming what is wrong ---------------------------------------------------------
run 2 make --output - 0-9
says err "no start code"
run 2 make --start 10 0-9
says err "no output file"
run 2 make --start 10 --output - Hiragna
says err "'Hiragna' is neither a set"
run 2 make --start 10 --output - --format utf16 0-9
run 2 make --start 10 --start 11 --output - 0-9
run 2 make --strat 10
says err "unknown option '--strat'"
run 2 make -hx
says err "unknown option '-hx'"
run 2 make
run 2 sets 0-9
run 2 frob
says err "'frob' is not a command"
run 2 --frob

# A file name that is not UTF-8 would come out as another name: refused, and nothing written.
run 2 make --start 10 --output "$work/"$'\xff.tbl' 0-9
says err "is not valid UTF-8"
[[ ! -e $work/$'\xff.tbl' && ! -e $work/$'\xef\xbf\xbd.tbl' ]] || fail "a file was written: $(ls "$work")"

# Without a display the window cannot open: the program says so and that the command line works.
"$program" >"$work/out" 2>"$work/err"
status=$?
[[ $status -eq 2 ]] || fail "no display: exited $status, expected 2; stderr: $(cat "$work/err")"
says err "there is no display to show the window on. The command line works without one"

# ---- glyphs: a sheet of a stand-in font in every format, its pixels read back -------------------
sheet=$(dirname "$0")/glyph_sheet.py
# FORMAT SIZE ORDER: 19 glyphs after 3 bytes (no whole tile), drawn 30 asked for, at zoom 2.
for layout in "1bpp 8x8 across" "nes2bpp 8x16 across" "gb2bpp 16x16 down" "snes4bpp 16x8 down" \
    "gba4bpp 16x16 across" "8bpp 8x8 across" "bitmap 12x12 across" "bitmap-packed 5x7 across" \
    "1bpp 16x16 down" "snes4bpp 32x16 across"; do
    read -r tiles size order <<<"$layout"
    python3 "$sheet" font "$work/font.bin" "$tiles" "$size" "$order" 3 19
    run 0 glyphs --game "$work/font.bin" --offset 3 --tiles "$tiles" --glyph "$size" \
        --tile-order "$order" --count 30 --zoom 2 --png "$work/font.png"
    python3 "$sheet" check "$work/font.png" "$tiles" "$size" 19 2 >"$work/check" ||
        fail "glyphs $layout: $(cat "$work/check")"
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

# The user's own sets, kept in the configuration folder, follow the built-in ones; a set file
# given with --sets stands in for them.
mkdir -p "$work/config/glyphwright"
printf 'Glyphwright character sets 1\n# mine\nset Town\n= ま\n= ち\n= きゃ\n' \
    >"$work/config/glyphwright/character-sets.txt"
printf 'Glyphwright character sets 1\nset Pairs\n= ab\n= c\n' >"$work/pairs.txt"
run 0 sets
same "$work/out" "$classic${further}Town\t3\n"
run 0 make -s 10 -f utf8 -o - Town 'Half-width Katakana@80'
says out '12=きゃ'
says out '80=｡'
says out 'BE=ﾟ'
run 0 make -s 10 -f utf8 -o - --sets "$work/pairs.txt" Pairs 0-9
same "$work/out" "10=ab\n11=c\n$(for c in {0..9}; do printf '%X=%d\\n' $((c + 18)) "$c"; done)"
# ASCII after a set of the user's: written, and both warnings said in the one message.
run 0 make -s 10 -f utf8 -o - --sets "$work/pairs.txt" Pairs ASCII
says out '2E=<'
says err 'c at 11 and 55'
says err 'the entries at codes 2E, 30 hold "<" or ">"'
# A project's lines are read against the sets given, so a line naming one of them lays it.
printf '{"format": "glyphwright-project", "version": 1, "startCode": "10", "entries": [],
 "order": [{"text": "Pairs"}]}' >"$work/pairs.gwproj"
run 0 make -p "$work/pairs.gwproj" -f utf8 -o - --sets "$work/pairs.txt"
same "$work/out" '10=ab\n11=c\n'
# A project lays the copy it keeps of a set: where the user has none of its name, and where the
# user's set of the name differs (said on stderr).
printf '{"format": "glyphwright-project", "version": 1, "startCode": "10", "entries": [],
 "order": [{"text": "Pairs"}, {"text": "Kept"}],
 "sets": ["Glyphwright character sets 1", "set Pairs", "= x", "set Kept", "= y", "= zz"]}' \
    >"$work/kept.gwproj"
run 0 make -p "$work/kept.gwproj" -f utf8 -o - --sets "$work/pairs.txt"
same "$work/out" '10=x\n11=y\n12=zz\n'
says err 'Your character set "Pairs" differs'
rm "$work/pairs.gwproj" "$work/kept.gwproj"
run 2 make -s 10 -o - --sets "$work/pairs.txt" Town
says err "'Town' is neither a set"
printf 'Glyphwright character sets 1\nset Bad\n= a\n\n=\n' >"$work/bad.txt"
run 1 make -s 10 -o - --sets "$work/bad.txt" 0-9
says err "damaged at line 5"
rm -r "$work/config/glyphwright"

# ---- search: ranked rows, 0 found, 1 nothing, 2 bad usage ---------------------------------------
# ゆうしゃ kept in JIS order from 30 (ゆ is cell 70 of row 4), and まちか of a set of the user's
# from A0, among blanks.
printf '\x00%.0s' {1..40} >"$work/game.bin"
printf '\x75\x35\x46\x72\x00\x00\x75\x35\x46\x72\x00\xA0\xA1\xA2\x00\xA0\xA1\xA2\x00\xA0\xA1\xA2' \
    >>"$work/game.bin"
run 0 search --game "$work/game.bin" --word ゆうしゃ
same "$work/out" 'Hiragana (JIS order)\t30\t2\tゆうしゃ<00><00>ゆうしゃ<00><A0><A1><A2><00><A0>\nKatakana (JIS order)\t30\t2\tユウシャ<00><00>ユウシャ<00><A0><A1><A2><00><A0>\n'
printf 'Glyphwright character sets 1\nset Town\n= ま\n= ち\n= か\n= きゃ\n' >"$work/town.txt"
run 0 search -g "$work/game.bin" -w まちか --sets "$work/town.txt"
same "$work/out" 'Town\tA0\t3\tまちか<00>まちか<00>まちか\n'
run 1 search -g "$work/game.bin" -w まちか
run 1 search --game "$work/game.bin" --word のねぬ --width 2be
[[ ! -s $work/out ]] || fail "a search that found nothing printed rows"
# Two bytes a letter, low byte first, from the value 8000: the start past FF is shown as the code
# make takes, the bytes as stored, and make lays the set back onto the same codes.
printf '\x11\x0A\x80\x07\x80\x26\x80' >"$work/wide.bin"
run 0 search --game "$work/wide.bin" --word さくら --width 2le
says out "$(printf 'Hiragana\t0080\t1\tさくら')"
run 0 make -s 00 -f utf8 -o - --code-order le Hiragana@0080
says out "$(printf '0A80=さ\n')"
rm "$work/wide.bin"
run 2 search --game "$work/game.bin"
says err "no word given"
run 2 search --word ぬぬぬ
says err "no game file given"
run 2 search --game "$work/game.bin" --word ぬぬぬ --width 3
says err "'3' is not a letter width"
run 2 search --game "$work/none.bin" --word ぬぬぬ
run 2 search --game "$work/game.bin" --word ab
run 2 search --game "$work/game.bin" --word ぬぬぬ extra
run 2 search --game "$work/game.bin" --word ぬぬぬ --sets "$work/bad.txt"
says err "damaged at line 5"

# ---- reading the user's sets, pictures and reports written safely, listings and pipes ---------
# A set file that is a folder is a file that cannot be read, never an abort.
mkdir -p "$work/config/glyphwright/character-sets.txt"
run 1 sets
says err "could not be read: Is a directory."
run 1 make -s 10 -o - 0-9
says err "could not be read: Is a directory."
run 2 search --game "$work/game.bin" --word ゆうしゃ
says err "could not be read: Is a directory."
rm -r "$work/config/glyphwright"
run 1 make --sets "$work" -s 10 -o - 0-9
says err "could not be read: Is a directory."

# A katakana word ranks the katakana first among rows of the same bytes, a hiragana word the
# hiragana; the codes are read from the table make writes.
for kana in カ メ ラ; do
    "$program" make -s A0 -f utf8 -o - Katakana | grep "=$kana\$" | cut -d= -f1
done >"$work/codes"
printf '\x00' >"$work/camera.bin"
while read -r code; do printf "\\x$code" >>"$work/camera.bin"; done <"$work/codes"
run 0 search --game "$work/camera.bin" --word カメラ
[[ $(head -n 1 "$work/out") == $'Katakana\tA0\t1\t'* ]] || fail "カメラ ranked: $(cat "$work/out")"
grep -q $'^Hiragana\tA0\t1' "$work/out" || fail "no hiragana row: $(cat "$work/out")"
run 0 search --game "$work/camera.bin" --word かめら
[[ $(head -n 1 "$work/out") == $'Hiragana\tA0\t1\t'* ]] || fail "かめら ranked: $(cat "$work/out")"
rm "$work/camera.bin" "$work/codes"
# In half-width katakana the half-width set comes first, above the kana read from the same bytes.
printf '\x00' >"$work/camera.bin"
for kana in ｶ ﾒ ﾗ; do
    code=$("$program" make -s A0 -f utf8 -o - 'Half-width Katakana' | grep "=$kana\$" | cut -d= -f1)
    printf "\\x$code" >>"$work/camera.bin"
done
run 0 search --game "$work/camera.bin" --word ｶﾒﾗ
[[ $(head -n 1 "$work/out") == $'Half-width Katakana\tA0\t1\t'* ]] || fail "ｶﾒﾗ ranked: $(cat "$work/out")"
rm "$work/camera.bin"

# Runs that would begin before 00 come after the rows that fit, marked.
printf '\x00\x01\x02\x09\x42\x43\x44' >"$work/cde.bin"
run 0 search --game "$work/cde.bin" --word CDE
same "$work/out" 'Uppercase Alphabet\t40\t1\tCDE\nASCII\t1F\t1\tCDE\nUppercase Alphabet\t-02\t1\tCDEL<42><43><44>\t(runs before 00)\nASCII\t-23\t1\tCDEL<42><43><44>\t(runs before 00)\n'
rm "$work/cde.bin"

# Two bytes a letter, low byte first: a code no set covers is shown as stored, as the start is.
printf '\x0A\x80\x07\x80\x26\x80\x34\x12' >"$work/wide.bin"
run 0 search --game "$work/wide.bin" --word さくら --width 2le
says out "$(printf 'Hiragana\t0080\t1\tさくら<3412>')"
rm "$work/wide.bin"

# A listing whose reader went away stops quietly; a table sent there is lost, and said so.
for listing in "sets" "search --game $work/game.bin --word ゆうしゃ"; do
    read -ra args <<<"$listing"
    python3 -c 'import os, subprocess, sys
reader, writer = os.pipe()
os.close(reader)
with open(sys.argv[1], "wb") as err:
    sys.exit(subprocess.run(sys.argv[2:], stdout=writer, stderr=err).returncode)' \
        "$work/err" "$program" "${args[@]}"
    status=$?
    [[ $status -eq 0 && ! -s $work/err ]] || fail "$listing to a closed pipe: $status, $(cat "$work/err")"
done
python3 -c 'import os, subprocess, sys
reader, writer = os.pipe()
os.close(reader)
with open(sys.argv[1], "wb") as err:
    sys.exit(subprocess.run(sys.argv[2:], stdout=writer, stderr=err).returncode)' \
    "$work/err" "$program" make --start 10 --output - 0-9
[[ $? -eq 1 ]] || fail "a table to a closed pipe passed for success"
says err "Writing to standard output failed: Broken pipe."

# A text format with nothing to write says so, not that a set is missing.
for line in "-f utf8 -o -" "-s 10 -f utf8 -o - 10=" "-s 10 -f sjis -o - 10="; do
    read -ra args <<<"$line"
    run 1 make "${args[@]}"
    says err "There is nothing to write: the table holds no entry, and the Table Order lays no set."
done

# Many texts at more than one code: the first few named, the rest counted.
run 0 make -s 10 -f utf8 -o - 0-9 0-9@20
says err "0 at 10 and 20; 1 at 11 and 21; 2 at 12 and 22; 3 at 13 and 23; 4 at 14 and 24; and 5 more."

# A project's copy of a set laid in this run is said so, the set file untouched; a copy of a
# set no line lays is no news.
printf 'Glyphwright character sets 1\nset Pairs\n= ab\n= c\nset Spare\n= r\n' >"$work/spare.txt"
printf '{"format": "glyphwright-project", "version": 1, "startCode": "10", "entries": [],
 "order": [{"text": "Pairs"}],
 "sets": ["Glyphwright character sets 1", "set Pairs", "= x", "set Spare", "= q"]}' \
    >"$work/spare.gwproj"
cp "$work/spare.txt" "$work/spare.before"
run 0 make -p "$work/spare.gwproj" -f utf8 -o - --sets "$work/spare.txt"
same "$work/out" '10=x\n'
says err 'Your character set "Pairs" differs'
says err "your set file is not changed"
! grep -q Spare "$work/err" || fail "a set no line lays was named: $(cat "$work/err")"
cmp -s "$work/spare.txt" "$work/spare.before" || fail "the set file was changed"
rm "$work/spare.txt" "$work/spare.before" "$work/spare.gwproj"

# Pictures are saved as tables are: whole or not at all, "-" is standard output, a path to it
# appends, a pipe nobody reads is refused at once, a device that takes nothing fails.
# Noise, so that the picture takes more than the 1024 bytes a limit below allows.
head -c 16384 /dev/urandom >"$work/font.bin"
glyphs=(glyphs --game "$work/font.bin" --offset 0 --tiles 8bpp --glyph 16x16 --zoom 4)
run 0 "${glyphs[@]}" --png -
head -c 8 "$work/out" >"$work/head"
same "$work/head" '\x89PNG\r\n\x1a\n'
printf 'kept\n' >"$work/keep.png"
python3 -c 'import resource, subprocess, sys
limit = lambda: resource.setrlimit(resource.RLIMIT_FSIZE, (1024, 1024))
with open(sys.argv[1], "wb") as err:
    sys.exit(subprocess.run(sys.argv[2:], preexec_fn=limit, restore_signals=False, stderr=err).returncode)' \
    "$work/err" "$program" "${glyphs[@]}" --png "$work/keep.png"
[[ $? -eq 1 ]] || fail "a picture past the file size limit passed for success"
same "$work/keep.png" 'kept\n'
says err "could not be written: File too large."
printf 'important\n' >"$work/build.log"
"$program" "${glyphs[@]}" --png /dev/stdout >>"$work/build.log" 2>"$work/err" ||
    fail "--png /dev/stdout failed: $(cat "$work/err")"
head -c 18 "$work/build.log" >"$work/head"
same "$work/head" 'important\n\x89PNG\r\n\x1a\n'
mkfifo "$work/fifo"
run 1 "${glyphs[@]}" --png "$work/fifo"
says err "it is a named pipe that no program is reading"
run 1 "${glyphs[@]}" --png /dev/full
says err "No space left on device"
run 1 "${glyphs[@]}" --png ""
same "$work/err" 'glyphwright: the picture "" could not be written: no file name was given.\n'
"$program" "${glyphs[@]}" --png - >&- 2>"$work/err"
[[ $? -eq 1 ]] || fail "a picture to a closed standard output passed for success"
says err "Writing to standard output failed: Bad file descriptor."
rm "$work/fifo" "$work/keep.png" "$work/build.log" "$work/head"

# A sheet larger than a picture is drawn is refused before anything is drawn, naming the limit;
# one within it is drawn or refused for memory, never a crash.
truncate -s 64M "$work/big.bin"
big=(glyphs --game "$work/big.bin" --offset 0 --tiles 8bpp --glyph 32x32 --zoom 8)
run 1 "${big[@]}" --count 65536 --png "$work/big.png"
says err "the picture would be 4096x1048576 pixels, and a picture is drawn at most 32767 pixels a side"
[[ ! -e $work/big.png ]] || fail "a refused picture was written"
# AddressSanitizer reserves terabytes of address space, so a cap on it says nothing there.
if [[ -z ${ASAN_OPTIONS:-} ]]; then
    python3 -c 'import resource, subprocess, sys
limit = lambda: resource.setrlimit(resource.RLIMIT_AS, (400 << 20, 400 << 20))
with open(sys.argv[1], "wb") as err:
    sys.exit(subprocess.run(sys.argv[2:], preexec_fn=limit, restore_signals=False, stderr=err).returncode)' \
        "$work/err" "$program" "${big[@]}" --count 2040 --png "$work/big.png"
    status=$?
    [[ $status -eq 0 || $status -eq 1 ]] || fail "a large picture under a memory limit exited $status"
fi
rm -f "$work/big.bin" "$work/big.png"

exit $((failures > 0))
