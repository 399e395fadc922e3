#!/usr/bin/env bash
# coverage and find-dictionary end to end on a stand-in game compressed with a dictionary.
#
#   dictionary_test.sh PATH/TO/glyphwright PATH/TO/make_dictionary_game
set -uo pipefail
program=$1
maker=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config
trap 'rm -rf "$work"' EXIT
# shellcheck source=run_helpers.sh
source "$(dirname "$0")/run_helpers.sh"

"$maker" 0 4 "$work/game.bin" "$work/font.tbl" "$work/truth.tbl" "$work/range" ||
    { echo "FAIL: the stand-in game was not made" >&2; exit 1; }
range=$(cat "$work/range")

# ---- coverage: the codes the script lacks, most used first ---------------------------------------
run 0 coverage --game "$work/game.bin" --import "$work/font.tbl" --range "$range"
# Every dictionary code and the end code 00, nothing else: the letters are all in the table.
lines=$(wc -l <"$work/out")
[[ $lines -eq 129 ]] || fail "coverage listed $lines codes, expected 129: $(head "$work/out")"
grep -qvE '^[0-9A-F]{2}	[1-9][0-9]*$' "$work/out" && fail "a coverage line is not CODE<tab>USES"
sort -t$'\t' -k2,2nr -s "$work/out" | cmp -s - "$work/out" || fail "coverage is not most used first"
# A table that holds them all leaves nothing to say.
printf '/00=[end]\n' >"$work/end.tbl"
run 0 coverage -g "$work/game.bin" -i "$work/font.tbl" -i "$work/truth.tbl" -i "$work/end.tbl" \
    -r "$range"
[[ ! -s $work/out ]] || fail "a complete table still lacks: $(head "$work/out")"
run 2 coverage --game "$work/game.bin" --import "$work/font.tbl" --range 20:10
says err "--range 20:10"
run 2 coverage --game "$work/game.bin" --import "$work/font.tbl" --range FFFFFFF:FFFFFFFF
run 2 coverage --import "$work/font.tbl"
says err "--game"
run 1 coverage --game "$work/game.bin" --import "$work/none.tbl"
run 0 coverage --help
says out "CODE<tab>USES"

# ---- find-dictionary: the entries as table lines, where and how on stderr --------------------------
run 0 find-dictionary --game "$work/game.bin" --import "$work/font.tbl" --output "$work/whole.tbl"
says err "dictionary at 90400: pairs side by side"
says err "certainty"
right=$(grep -cxFf "$work/truth.tbl" "$work/out")
[[ $right -ge 122 ]] || fail "find-dictionary gave $right of 128 entries right"
wrong=$(grep -cvxFf "$work/truth.tbl" "$work/out")
[[ $wrong -le 6 ]] || fail "find-dictionary gave $wrong wrong entries"
# --output is the tables with the entries added, in UTF-8: the letters and every proposal.
for table in font.tbl out; do
    while IFS= read -r line; do
        grep -qxF -- "$line" "$work/whole.tbl" || fail "--output lacks $line"
    done <"$work/$table"
done
# With it, the script lacks only what the dictionary does not spell.
run 0 coverage --game "$work/game.bin" --import "$work/whole.tbl" --range "$range"
lines=$(wc -l <"$work/out")
[[ $lines -le 7 ]] || fail "after find-dictionary the script still lacks $lines codes"
# The script without the dictionary: the codes are missing and nothing spells them. Said, with
# the codes, and no table written.
start=$((16#${range%:*}))
end=$((16#${range#*:}))
tail -c +$((start + 1)) "$work/game.bin" | head -c $((end - start)) >"$work/script.bin"
run 1 find-dictionary -g "$work/script.bin" -i "$work/font.tbl" -o "$work/not.tbl"
says err "no dictionary found for the 129 code(s)"
[[ ! -e $work/not.tbl ]] || fail "a table was written with nothing found"
# Nothing missing: nothing to look for.
run 1 find-dictionary -g "$work/script.bin" -i "$work/whole.tbl" -i "$work/truth.tbl" \
    -i "$work/end.tbl"
says err "the tables hold every code the script uses"
run 2 find-dictionary --game "$work/game.bin" --import "$work/font.tbl" --format bogus
run 2 find-dictionary --game "$work/game.bin" --import "$work/font.tbl" extra
run 0 find-dictionary --help
says out "70=てき"

exit $((failures > 0))
