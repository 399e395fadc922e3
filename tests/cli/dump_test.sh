#!/usr/bin/env bash
# glyphwright dump end to end: the real program, its script, its words on stderr and its exit
# status.
#
#   dump_test.sh PATH/TO/glyphwright
set -uo pipefail
program=$1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config
trap 'rm -rf "$work"' EXIT
# shellcheck source=run_helpers.sh
source "$(dirname "$0")/run_helpers.sh"

# A UTF-8 table with an end code and a line break; a game of 64 bytes: two le16-4000 pointers
# to "かA" and to "B", a line break inside the first, then a string read by the range.
printf '10=か\n41=A\n42=B\nFE=\\n\n/00=[end]\n' >"$work/game.tbl"
printf '\x20\x40\x24\x40\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'\
'\x10\xFE\x41\0\x42\0\x41\x9A\x9A\x07\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' >"$work/game.bin"

run 0 dump --game "$work/game.bin" --import "$work/game.tbl" --pointers 0:2:le16-4000 \
    --output "$work/script.txt"
same "$work/script.txt" '// Atlas script (Atlas 1.12, abcde -cm abcde::Atlas)
#VAR(GameTable, TABLE)
#ADDTBL("'"$work"'/game.tbl", GameTable)
#ACTIVETBL(GameTable)
#VAR(Ptr_1, CUSTOMPOINTER)
#CREATEPTR(Ptr_1, "LINEAR", $-4000, 16)

// Block 1: 2 pointers le16-4000 at $0
#JMP($20)
// $000020 block 1 pointer 1 at $0
#WRITE(Ptr_1, $0)
か\\n
A[end]
// $000024 block 1 pointer 2 at $2
#WRITE(Ptr_1, $2)
B[end]
'
says err "2 strings, 2 pointers."

# Several blocks and a range; the codes without an entry are counted, most frequent first, and
# the string holding them is a problem that names the range.
run 1 dump -g "$work/game.bin" -i "$work/game.tbl" --pointers=0:1:le16-4000 \
    --pointers 2:1:be16 --range 26:2B -o "$work/script.txt"
says err "Codes read without an entry, most frequent first: 9A ×2, 07 ×1"
says err "The range, string at \$26: the string at \$26 holds bytes the table has no entry for."
says err "Block 2, pointer 1 (at \$2): points outside the file (\$2440)."
grep -qF '#JMP($26)' "$work/script.txt" || fail "the range's strings are missing"
grep -qF 'A<$9A><$9A><$07>' "$work/script.txt" || fail "raw bytes are missing"
grep -qF '// ! Pointer 1 at $2 holds $2440, outside the file: not written.' "$work/script.txt" ||
    fail "the bad pointer is not marked in the script"

# The game's own faults, each told naming the pointer, the script still written with a mark at
# each place: a pointer to itself, one into the middle of a string, a string running to the
# file's end, and a second block over the first one's last pointer.
printf '41=A\n/00=[end]\n' >"$work/faults.tbl"
printf '\0\0\x10\0\x20\0\x11\0\0\0\0\0\0\0\0\0AAA\0\0\0\0\0\0\0\0\0\0\0\0\0AAAAAAAA' >"$work/faults.bin"
run 1 dump -g "$work/faults.bin" -i "$work/faults.tbl" --pointers 0:4:le16 --pointers 6:1:le16 \
    -o "$work/faults.txt"
says err "Block 1, pointer 1 (at \$0): points back into its own table of pointers (\$0), a loop."
says err "Block 1, pointer 3 (at \$4): the string at \$20 has no end code before the file's end"
says err "Block 1, pointer 4 (at \$6): points into the middle of the string at \$10 (\$11)."
says err "Block 2 (at \$6): its pointers overlap those of block 1."
says err "faults.txt was written, but with problems: 5."
for mark in '// ! Pointer 1 at $0 points to $0, back into its own table of pointers: not written.' \
    '// ! block 1 pointer 4 at $6 points here, into the string at $10.' \
    '// ! No end code before $28, the file'"'"'s end.' '// ! These pointers overlap those of block 1.' \
    '// Block 2: 1 pointer le16 at $6'; do
    grep -qF -- "$mark" "$work/faults.txt" || fail "the script lacks '$mark': $(cat "$work/faults.txt")"
done
grep -qxF 'AAAAAAAA' "$work/faults.txt" || fail "the string with no end is missing"

# A range past the file's end is told, not left an empty dump without a word.
run 1 dump -g "$work/game.bin" -i "$work/game.tbl" --range 100:200 -o "$work/past.txt"
says err "The range from \$100: it begins past the file's end, so nothing was read there."
grep -qF "// ! The range begins past the file's end, \$40: nothing read." "$work/past.txt" ||
    fail "the range past the end is not marked in the script"

# Two tables: the later one's code wins, and the one table the inserter needs is written beside
# the script.
printf '42=b\n' >"$work/lower.tbl"
run 0 dump -g "$work/game.bin" -i "$work/game.tbl" -i "$work/lower.tbl" --pointers 0:2:le16-4000 \
    -o "$work/two.txt"
grep -qF "#ADDTBL(\"$work/two.txt.tbl\", GameTable)" "$work/two.txt" || fail "the merged table is not named"
grep -qxF 'b[end]' "$work/two.txt" || fail "the later table's entry was not taken"
same "$work/two.txt.tbl" '10=か\n41=A\nFE=\\n\n/00=[end]\n42=b\n'
# A linked entry: Atlas reads no "$" line, so its code and parameters are written raw, and the
# merged table holds no line that would give its label a code there.
printf '41=A\n$F5=[color],1\n/00=[end]\n' >"$work/linked.tbl"
printf '\2\0A\xF5\3\0' >"$work/linked.bin"
run 0 dump -g "$work/linked.bin" -i "$work/linked.tbl" -i "$work/lower.tbl" --pointers 0:1:le16 \
    -o "$work/linked.txt"
same "$work/linked.txt.tbl" '41=A\n/00=[end]\n42=b\n'
grep -qxF 'A<$F5><$03>[end]' "$work/linked.txt" || fail "the linked entry is not raw: $(cat "$work/linked.txt")"

# A switch into a further table: the text after it is that table's, read with it by the
# inserter from a file of its own beside the script; the first table's lines are one too.
printf '@main\n41=A\n!F9=kanji,0\n/00=[end]\n@kanji\n50=漢\n' >"$work/switch.tbl"
printf 'A\xF9\x50\x50A\0' >"$work/switch.bin"
run 0 dump -g "$work/switch.bin" -i "$work/switch.tbl" --range 0:6 -o "$work/switch.txt"
same "$work/switch.txt" '// Atlas script (Atlas 1.12, abcde -cm abcde::Atlas)
#VAR(GameTable, TABLE)
#ADDTBL("'"$work"'/switch.txt.tbl", GameTable)
// Table_1: the table "kanji"
#VAR(Table_1, TABLE)
#ADDTBL("'"$work"'/switch.txt.kanji.tbl", Table_1)
#ACTIVETBL(GameTable)

// The strings from $0 to $6, read between end codes
#JMP($0)
// $000000 (read between end codes)
A<$F9>
#ACTIVETBL(Table_1)
漢漢
#ACTIVETBL(GameTable)
A[end]
'
same "$work/switch.txt.tbl" '41=A\n/00=[end]\n'
same "$work/switch.txt.kanji.tbl" '50=漢\n'
# Coverage reads through the switch too: every code has its entry.
run 0 coverage --game "$work/switch.bin" --import "$work/switch.tbl"
[[ ! -s $work/out ]] || fail "coverage lacks codes the further table holds: $(cat "$work/out")"

# For abcde a labelled line break is written without its "\n", the line still ending there; the
# bare one stays as it is. The default is Atlas's form.
printf '41=A\nFE=[line]\\n\nFD=\\n\n/00=[end]\n' >"$work/break.tbl"
printf 'A\xFEA\xFDA\0' >"$work/break.bin"
run 0 dump -g "$work/break.bin" -i "$work/break.tbl" --range 0:6 --inserter abcde -o "$work/break.txt"
grep -qxF '// Atlas script for abcde (abcde -cm abcde::Atlas)' "$work/break.txt" ||
    fail "the abcde script does not say so: $(cat "$work/break.txt")"
[[ $(tail -n 3 "$work/break.txt") == $'A[line]\nA\\n\nA[end]' ]] ||
    fail "the abcde script's breaks: $(cat "$work/break.txt")"
run 0 dump -g "$work/break.bin" -i "$work/break.tbl" --range 0:6 -o "$work/atlas.txt"
[[ $(tail -n 3 "$work/atlas.txt") == $'A[line]\\n\nA\\n\nA[end]' ]] ||
    fail "the Atlas script's breaks: $(cat "$work/atlas.txt")"
run 2 dump -g "$work/break.bin" -i "$work/break.tbl" --range 0:6 --inserter snes9x -o "$work/no.txt"
says err "--inserter snes9x: the inserter is atlas or abcde."
[[ ! -e $work/no.txt ]] || fail "a script was written for an unknown inserter"

# Bad usage: a clear word, nothing written.
rm -f "$work/script.txt"
run 2 dump --game "$work/game.bin" --import "$work/game.tbl" --pointers 0:2:le17 -o "$work/script.txt"
says err "--pointers 0:2:le17 cannot be read: the kind is none of"
run 2 dump --game "$work/game.bin" --import "$work/game.tbl" --range 30:20 -o "$work/script.txt"
says err "--range 30:20 cannot be read: the end is not after the start."
run 2 dump --game "$work/game.bin" --import "$work/game.tbl" -o "$work/script.txt"
says err "Nothing to dump"
run 2 dump --game "$work/game.bin" --pointers 0:2:le16 -o "$work/script.txt"
says err "No table"
run 2 dump --game "$work/nothing.bin" --import "$work/game.tbl" --pointers 0:2:le16 -o "$work/script.txt"
[[ ! -e $work/script.txt ]] || fail "a script was written after bad usage"
run 0 dump --help
says out "Usage: glyphwright dump --game FILE --import TABLE..."

exit $((failures > 0))
