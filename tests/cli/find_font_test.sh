#!/usr/bin/env bash
# find-font end to end: the real program, with no display, finds a stand-in font drawn from GNU
# Unifont twice in a file of noise, raw and packed as an RLE stream; its lines paste into glyphs;
# the stream scan lists the stream; bad input gets a message, never a crash.
#
#   find_font_test.sh PATH/TO/glyphwright
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=run_helpers.sh
source "$(dirname "$0")/run_helpers.sh"

sizes=$(cd "$here" && python3 find_font_game.py "$work/game.bin") || fail "no stand-in game"
read -r unpacked packed <<<"$sizes"

# ---- the two candidates first, the packed one and the raw one, each as the options to paste ------
run 0 find-font --game "$work/game.bin" --limit 4
mapfile -t lines <"$work/out"
[[ ${#lines[@]} -eq 4 ]] || fail "find-font printed ${#lines[@]} lines, expected 4"
tail=' --tiles 1bpp --glyph 16x16 --tile-order down --count 83'
first_two=$(printf '%s\n' "${lines[@]:0:2}" | sed 's/^[01]\.[0-9][0-9] //' | sort)
[[ $first_two == $'--compression rle --offset 30000'"$tail"$'\n--offset 10000'"$tail" ]] ||
    fail "the first two candidates are: ${lines[*]:0:2}"
for line in "${lines[@]}"; do
    [[ $line =~ ^(0\.[0-9][0-9]|1\.00)\ (--compression\ [a-z0-9]+\ )?--offset\ [0-9A-F]+\ --tiles\ [a-z0-9-]+\ --glyph\ [0-9]+x[0-9]+( --tile-order down)?\ --count\ [0-9]+$ ]] ||
        fail "line '$line' is not a score and the options"
done

# Pasted into glyphs, the raw font and the packed one draw the same picture.
read -r -a raw_options <<<"${lines[1]#* }"
read -r -a packed_options <<<"${lines[0]#* }"
[[ ${raw_options[0]} == --offset ]] || { raw_options=("${packed_options[@]}"); read -r -a packed_options <<<"${lines[1]#* }"; }
run 0 glyphs --game "$work/game.bin" "${raw_options[@]}" --png "$work/raw.png"
run 0 glyphs --game "$work/game.bin" "${packed_options[@]}" --png "$work/packed.png"
cmp -s "$work/raw.png" "$work/packed.png" || fail "the packed font draws otherwise than the raw one"

# ---- the stream scan: type, offset, packed and unpacked sizes ------------------------------------
run 0 find-font --game "$work/game.bin" --streams
same "$work/out" "rle\t30000\t$packed\t$unpacked\n"

# ---- a compression where there is no such stream, or an unknown one -------------------------------
run 1 glyphs --game "$work/game.bin" --compression lz10 --offset 30000 --tiles 1bpp --glyph 8x8 \
    --png "$work/none.png"
says err "no lz10 stream at 30000: the bytes there do not start with that compression's header."
[[ ! -e $work/none.png ]] || fail "a picture was written from no stream"
run 2 glyphs --game "$work/game.bin" --compression lz77 --offset 30000 --tiles 1bpp --glyph 8x8 \
    --png "$work/none.png"
says err "'lz77' is not a compression: choose lz10, lz11, huff, rle or none."
# The stream cut short: it runs past the end of the file.
head -c $((0x30000 + 100)) "$work/game.bin" >"$work/cut.bin"
run 1 glyphs --game "$work/cut.bin" --compression rle --offset 30000 --tiles 1bpp --glyph 8x8 \
    --png "$work/none.png"
says err "no rle stream at 30000: it runs past the end of the file."

# ---- bad input: no font, no file, a file too large to look through, bad options --------------------
head -c 300000 /dev/zero >"$work/zeros.bin"
run 1 find-font --game "$work/zeros.bin"
says err "nothing in the file looks like a font."
tr '\0' '\377' <"$work/zeros.bin" >"$work/ones.bin"
run 1 find-font --game "$work/ones.bin"
run 1 find-font --game "$work/ones.bin" --streams
[[ ! -s $work/out ]] || fail "streams listed in a file of FFh"
run 1 find-font --game "$work/missing.bin"
truncate -s 4G "$work/sparse.bin" 2>/dev/null && {
    run 1 find-font --game "$work/sparse.bin"
    says err "holds 4096 MiB; Find Font reads files of up to 512 MiB."
}
run 2 find-font
says err "no game file given: name it with --game FILE."
run 2 find-font --game "$work/game.bin" --limit 0
says err "'0' is not a number of candidates: give 1 to 1000."
run 2 find-font --game "$work/game.bin" --tiles 3bpp
run 2 find-font --game "$work/game.bin" --glyph 99x99
run 2 find-font --game "$work/game.bin" --streams --streams

# Asked for one format and size only, the raw font is found as that.
run 0 find-font --game "$work/game.bin" --tiles 1bpp --glyph 16x16 --limit 1
[[ $(cat "$work/out") =~ ^[01]\.[0-9][0-9]\ (--compression\ rle\ --offset\ 30000|--offset\ 10000)"$tail"$ ]] ||
    fail "asked for 1bpp 16x16: $(cat "$work/out")"

run 0 find-font --help
says out "0.88 --compression lz10 --offset 9A000 --tiles 1bpp --glyph 8x8 --count 240"
says out "--streams"

exit $((failures > 0))
