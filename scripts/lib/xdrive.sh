# Drives Glyphwright's real windows in an X server with xdotool: source it, then call these.
# Positions are the window definitions' (twips / 15 = logical pixels), relative to the window.

# A script that started the program may set xdrive_pid and xdrive_log, so that a failure also
# tells whether the program still runs, what it printed and which windows were showing.
fail() {
    echo "FAIL: $*" >&2
    if [[ -n ${xdrive_pid:-} ]]; then
        if kill -0 "$xdrive_pid" 2>/dev/null; then echo "the program is running" >&2
        else echo "the program has ended" >&2; fi
    fi
    echo "windows showing:" >&2
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        echo "  $(xdotool getwindowname "$id" 2>/dev/null)" >&2
    done
    if [[ -n ${xdrive_log:-} && -s $xdrive_log ]]; then
        echo "the program printed:" >&2; cat "$xdrive_log" >&2
    fi
    exit 1
}

# Waits (bounded, 20 s) until the command succeeds.
wait_until() {
    local deadline=$((SECONDS + 20))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# Waits (bounded, 20 s) for a visible window whose title matches the pattern; prints its id.
# A window that closes while xdotool walks the window tree (the box answered a moment before)
# ends that search with an X error, BadWindow; the search is then made again.
window() {
    local deadline=$((SECONDS + 20)) id
    while :; do
        id=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        if [[ -n $id ]]; then echo "$id"; return 0; fi
        ((SECONDS < deadline)) || fail "no window \"$1\""
        sleep 0.05
    done
}

click() { xdotool mousemove --sync --window "$1" "$2" "$3" click 1; }
# The main window's controls stand in its client area, below the menu bar.
menu_bar=18
click_form() { click "$1" "$2" $(($3 + menu_bar)); }
typein() { xdotool windowfocus --sync "$1"; xdotool type --delay 15 "$2"; }

# Puts a set's name into the set selector of main window $1, then INCLUDE and "Relative  Entry".
include_set() {
    click_form "$1" 75 162
    xdotool key ctrl+a
    typein "$1" "$2"
    click_form "$1" 218 28
    local pick
    pick=$(window '^What would you like to include\?$')
    click "$pick" 56 20
}
