#!/usr/bin/env bash
# font-table end to end: the real program, with no display, reads a stand-in game font drawn from
# GNU Unifont (never the face it compares with) and writes the best-guess table and its report.
# Only glyphs the matcher reads right are among the expected bytes.
#
#   font_table_test.sh PATH/TO/glyphwright
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=run_helpers.sh
source "$(dirname "$0")/run_helpers.sh"

# Ten 16x16 glyphs after 5 bytes, 1bpp tiles down then across: kana and kanji, a glyph without
# ink, ASCII at the left of the cell, and ゔ, which EUC-JP (and so the classic file) cannot hold.
python3 "$here/unifont_game.py" "$work/game.bin" "かなナ漢字剣 Bxゔ" || fail "no stand-in game"
font=(--game "$work/game.bin" --offset 5 --tiles 1bpp --glyph 16x16 --tile-order down)

# ---- 0: UTF-8 from code 10; the blank glyph gets no line, ゔ is written as UTF-8 holds it --------
run 0 font-table "${font[@]}" --first-code 10 --output "$work/font.tbl" --format utf8
same "$work/font.tbl" '10=か\n11=な\n12=ナ\n13=漢\n14=字\n15=剣\n17=B\n18=x\n19=ゔ\n'
[[ ! -s $work/err ]] || fail "UTF-8 left something out: $(cat "$work/err")"
# The classic file leaves ゔ out, saying why.
run 0 font-table "${font[@]}" --first-code 10 --output "$work/euc.tbl"
says err 'code 19 is left out of the table: its guess "ゔ" has no EUC-JP code'
rm "$work/euc.tbl"
[[ ! -s $work/out ]] || fail "a table written to a file also went to standard output"

# Classic from FA with a report: six glyphs fill FA..FF, the other four would take codes past FF;
# the report lists all ten.
run 0 font-table "${font[@]}" --first-code FA --count 10 --output "$work/classic.tbl" \
    --report "$work/font.tsv" --repertoire kana,ascii,fullwidth,kanji1
same "$work/classic.tbl" 'FA=\xa4\xab\r\r\nFB=\xa4\xca\r\r\nFC=\xa5\xca\r\r\nFD=\xb4\xc1\r\r\nFE=\xbb\xfa\r\r\nFF=\xb7\xf5\r\r\n\r\r\n'
says err "4 glyphs would take codes 100 to 103, past FF: font-table writes one-byte codes only, so they are not in the table; the report lists them."
mapfile -t report <"$work/font.tsv"
[[ ${report[0]} == $'code\tguess\tconfidence\talternative 1\talternative 2\talternative 3\talternative 4\tnear-ties\tdecided by\twhy' ]] ||
    fail "the report's header is '${report[0]}'"
[[ ${#report[@]} -eq 11 ]] || fail "the report has ${#report[@]} lines, expected 11"
for line in "${report[@]:1}"; do
    IFS=$'\t' read -r -a fields <<<"$line"
    [[ $(tr -cd '\t' <<<"$line" | wc -c) -eq 9 ]] || fail "report line '$line' lacks 10 columns"
    [[ ${fields[0]} =~ ^0(0F[A-F]|10[0-3])$ ]] || fail "report line '$line' has code '${fields[0]}'"
done
expect_line() {  # CODE GUESS: that code's line has that guess, a confidence and four alternatives
    local line
    line=$(grep "^$1"$'\t' "$work/font.tsv")
    IFS=$'\t' read -r code guess confidence a1 a2 a3 a4 _ <<<"$line"
    [[ $guess == "$2" && $confidence =~ ^[01]\.[0-9][0-9]$ && -n $a1 && -n $a2 && -n $a3 &&
       -n $a4 && $a1 != "$2" ]] || fail "report line for $1 is '$line'"
}
expect_line 00FA か
expect_line 00FD 漢
expect_line 0101 B
expect_line 0102 x
expect_line 0103 ゔ
[[ $(grep '^0100' "$work/font.tsv") == $'0100\t\t\t\t\t\t\t\t\t' ]] ||
    fail "the blank glyph's report line is '$(grep '^0100' "$work/font.tsv")'"

# Shift-JIS on standard output, three glyphs, the repertoire narrowed to kana.
run 0 font-table "${font[@]}" --first-code=20 --count 3 --output - --format sjis --repertoire kana
same "$work/out" '20=\x82\xa9\r\n21=\x82\xc8\r\n22=\x83\x69\r\n'
[[ ! -s $work/err ]] || fail "a clean run said something: $(cat "$work/err")"

run 0 font-table --help
says out "Usage: glyphwright font-table"
says out "kana,ascii,fullwidth,kanji1"

# ---- 1: table problems; an existing table stays as it was ---------------------------------------
cp "$work/font.tbl" "$work/kept.tbl"
run 1 font-table "${font[@]}" --first-code 10 --font "No Such Family" --output "$work/kept.tbl"
says err 'the font "No Such Family" cannot be used'
run 1 font-table --game "$work/game.bin" --offset 1000 --tiles 1bpp --glyph 16x16 \
    --first-code 10 --output "$work/kept.tbl"
says err "no glyph starts at offset 1000"
run 1 font-table --game "$work/missing.bin" --offset 5 --tiles 1bpp --glyph 16x16 \
    --first-code 10 --output "$work/kept.tbl"
run 1 font-table "${font[@]}" --first-code 10 --count 2 --output "$work/no/font.tbl"
says err "could not be written: No such file or directory."
same "$work/kept.tbl" '10=か\n11=な\n12=ナ\n13=漢\n14=字\n15=剣\n17=B\n18=x\n19=ゔ\n'
run 1 font-table "${font[@]}" --first-code 10 --count 2 --repertoire kana --output "$work/two.tbl" \
    --report "$work/no/font.tsv"
says err 'the table was written, but the report "'"$work"'/no/font.tsv" could not be'

# ---- 2: bad usage, naming what is wrong, with nothing tried -------------------------------------
bad() {  # MESSAGE ARGS...
    local message=$1
    shift
    run 2 font-table "$@"
    says err "$message"
    says err "Try 'glyphwright font-table --help' for more."
}
bad "the option '--first-code' is missing" "${font[@]}" --output "$work/bad.tbl"
bad "the option '--output' is missing" "${font[@]}" --first-code 10
bad "'100' is not a code: give a hexadecimal byte 00 to FF" "${font[@]}" --first-code 100 \
    --output "$work/bad.tbl"
bad "'kana,kanji' is not a list of repertoires: give one or more of kana,ascii,fullwidth,kanji1,kanji2" \
    "${font[@]}" --first-code 10 --repertoire kana,kanji --output "$work/bad.tbl"
bad "is not a list of repertoires" "${font[@]}" --first-code 10 --repertoire kana, --output "$work/bad.tbl"
bad "'utf16' is not a format" "${font[@]}" --first-code 10 --format utf16 --output "$work/bad.tbl"
bad "'0' is not a count of glyphs" "${font[@]}" --first-code 10 --count 0 --output "$work/bad.tbl"
bad "'3bpp' is not a tile format" --game "$work/game.bin" --offset 5 --tiles 3bpp --glyph 16x16 \
    --first-code 10 --output "$work/bad.tbl"
bad "unknown option '--zoom'" "${font[@]}" --first-code 10 --zoom 2 --output "$work/bad.tbl"
bad "'font-table' takes no arguments, but was given 'extra'" "${font[@]}" --first-code 10 \
    --output "$work/bad.tbl" extra
[[ ! -e $work/bad.tbl ]] || fail "bad usage left a table"

# One file for the table and the report, by name or through a link: refused before anything is
# read, the table left as it was.
cp "$work/kept.tbl" "$work/same.tbl"
ln -s same.tbl "$work/link.tbl"
for report in "$work/same.tbl" "$work/link.tbl"; do
    bad "are the same file" "${font[@]}" --first-code 10 --output "$work/same.tbl" --report "$report"
done
same "$work/same.tbl" '10=か\n11=な\n12=ナ\n13=漢\n14=字\n15=剣\n17=B\n18=x\n19=ゔ\n'
# The report goes to standard output for "-", to a pipe nobody reads never.
run 0 font-table "${font[@]}" --first-code 10 --count 2 --repertoire kana --output "$work/two.tbl" \
    --report -
[[ $(head -n 1 "$work/out") == $'code\tguess\t'* ]] || fail "no report on standard output: $(cat "$work/out")"
mkfifo "$work/fifo"
run 1 font-table "${font[@]}" --first-code 10 --count 2 --repertoire kana --output "$work/two.tbl" \
    --report "$work/fifo"
says err "it is a named pipe that no program is reading"
rm "$work/fifo" "$work/link.tbl" "$work/same.tbl"

# ---- 3: the game's text as context ---------------------------------------------------------------
# To the pixels the second glyph is the half-width ｣ as much as 」; the script, four strings of
# speech ended by 00 after the glyphs, closes speech with 」 after 。 and ！.
speech="「」。、！おはようございますきのいてんだね"
python3 "$here/unifont_game.py" "$work/speech.bin" "$speech" || fail "no stand-in game with a script"
# Prints the glyphs' count and where the script begins and ends.
read -r count text < <(python3 - "$work/speech.bin" "$speech" <<'SCRIPT'
import os, sys
path, font = sys.argv[1], sys.argv[2]
lines = ["「おはようございます！」", "「いいてんきだね。」", "「きのうは、いいてんきだね。」", "「うん。」"]
start = os.path.getsize(path)
with open(path, "ab") as game:
    for line in lines:
        game.write(bytes(0x10 + font.index(c) for c in line) + b"\0")
print(len(font), "%X:%X" % (start, os.path.getsize(path)))
SCRIPT
)
[[ -n $text ]] || fail "no script"
speechFont=(--game "$work/speech.bin" --offset 5 --tiles 1bpp --glyph 16x16 --tile-order down
            --first-code 10 --count "$count" --format utf8 --output -)
run 0 font-table "${speechFont[@]}" --report "$work/shape.tsv"
[[ $(grep '^11' "$work/shape.tsv" | cut -f 2,9) == $'｣\tshape' ]] ||
    fail "without the text, code 11 reads '$(grep '^11' "$work/shape.tsv")'"
run 0 font-table "${speechFont[@]}" --report "$work/script.tsv" --text "$text"
says out '11=」'
[[ $(grep '^11' "$work/script.tsv" | cut -f 2,9,10) == $'」\tscript\tいます！」' ]] ||
    fail "with the text, code 11 reads '$(grep '^11' "$work/script.tsv")'"
[[ $(grep '^17' "$work/script.tsv" | cut -f 2,9,10) == $'よ\tshape\t' ]] ||
    fail "a glyph the pixels are sure of reads '$(grep '^17' "$work/script.tsv")'"
run 0 font-table --help
says out "--text START:END"
bad "--text 40:20 is no range: give START:END" "${speechFont[@]}" --text 40:20
bad "--text 12 is no range" "${speechFont[@]}" --text 12
bad "--text FFFF0:FFFFF begins past the end of the game file" "${speechFont[@]}" --text FFFF0:FFFFF

exit $((failures > 0))
