# Drives Glyphwright's real windows in an X server with xdotool: source it, then call these.
# Positions are the window definitions' (twips / 15 = logical pixels), relative to the window.

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits (bounded) for a visible window whose title matches the pattern; prints its id.
window() {
    timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1 \
        || fail "no window \"$1\""
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
