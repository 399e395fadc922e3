#!/usr/bin/env bash
# Starts the real program in an X server and makes a table file through its windows with real
# mouse clicks and key presses, then leaves through EXIT. Run under xvfb-run.
#   make_table_under_x.sh PATH/TO/glyphwright
set -euo pipefail
program=$1
work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb

source "$(dirname "$0")/../../scripts/lib/xdrive.sh"

# Started in the work folder, where the Save dialog opens, so the file name is typed alone.
cd "$work"
"$program" >"$work/out.log" 2>&1 &
pid=$!
xdrive_pid=$pid xdrive_log=$work/out.log

main=$(window '^Glyphwright Relative VERSION 1\.0$')

include_set "$main" "0-9"
include_set "$main" "Uppercase Alphabet"

# Give the second line its own start: a click on it opens the relative start dialog.
click_form "$main" 40 30                           # line 2 of the Table Order
hex=$(window '^Enter hex number')
click "$hex" 194 27                           # Text1
typein "$hex" "30"
click "$hex" 262 13                           # OK

# A single entry at code 25: two characters under one code.
click_form "$main" 218 28                          # INCLUDE
pick=$(window '^What would you like to include\?$')
click "$pick" 164 20                          # Single Entry
dte=$(window '^Insert character/dte/kanjii into font table$')
xdotool windowfocus --sync "$dte"
xdotool type --delay 15 "25"                  # the caret stands before the code box's blank
click "$dte" 224 17                           # txtText
typein "$dte" "!?"
click "$dte" 316 17                           # Insert

# Start code 10 and MAKE TABLE.
click_form "$main" 257 161                         # the start-code box
typein "$main" "10"
click_form "$main" 217 92                          # MAKE TABLE
save=$(window '^Save')
typein "$save" "made.tbl"
xdotool key Return
save_closed() { ! xdotool search --onlyvisible --name '^Save' >/dev/null; }
wait_until save_closed || fail "the Save dialog is still open"
wait_until test -s "$work/made.tbl" || fail "no table file was written"

# EXIT, Yes (the default button), then the farewell box.
click_form "$main" 217 124                         # EXIT
ask=$(window '^Exit\?$')

expected=$work/expected.tbl
{
    for d in 0 1 2 3 4 5 6 7 8 9; do printf '1%s=%s\r\r\n' "$d" "$d"; done
    printf '25=!?\r\r\n'
    code=0x30
    for letter in A B C D E F G H I J K L M N O P Q R S T U V W X Y Z; do
        printf '%02X=%s\r\r\n' "$code" "$letter"; code=$((code + 1))
    done
    printf '\r\r\n'
} >"$expected"
cmp "$expected" "$work/made.tbl" || { od -c "$work/made.tbl" | head -40; fail "the file differs"; }

xdotool windowfocus --sync "$ask"; xdotool key Return
bye=$(window '^C-ya$')
xdotool windowfocus --sync "$bye"; xdotool key Return
timeout 20 tail --pid="$pid" -f /dev/null || fail "the program is still running after EXIT"
wait "$pid" || fail "the program ended with status $?"
echo "made $(wc -c <"$work/made.tbl") bytes as expected; EXIT ended the program"
