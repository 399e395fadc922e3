#!/usr/bin/env bash
# Runs inside a virtual display: starts PROGRAM, waits until its window titled CAPTION is shown,
# checks that the window carries WM_CLASS class WM_CLASS_NAME (what the desktop entry's
# StartupWMClass names) and an icon in each of ICON_SIZES, presses its close box and expects the
# program to end with status 0.
#
#   run_until_closed.sh PROGRAM CAPTION CLOSE_WINDOW_PY WM_CLASS_NAME "16 32 64"
set -euo pipefail
program=$1
caption=$2
closer=$3
wm_class=$4
icon_sizes=$5

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# xdotool matches a regular expression; match the caption whole and literally.
pattern="^$(sed 's/[][\.*^$+?(){}|]/\\&/g' <<<"$caption")\$"
windows=$(timeout 60 xdotool search --sync --onlyvisible --name "$pattern") || {
    echo "no window titled '$caption' was shown within 60 seconds" >&2
    exit 1
}
if [[ $(wc -l <<<"$windows") -ne 1 ]]; then
    echo "expected one window titled '$caption', found: $windows" >&2
    exit 1
fi
echo "   window $windows: '$caption'"

# xprop draws the icons as text pictures; keep only the class line and the icon headings.
properties=$(xprop -id "$windows" WM_CLASS _NET_WM_ICON |
             LC_ALL=C grep -a -o -E '^WM_CLASS.*|Icon \([0-9]+ x [0-9]+\)' || true)
class_line=$(grep '^WM_CLASS' <<<"$properties" || true)
if [[ $class_line != *", \"$wm_class\"" ]]; then
    echo "the window's WM_CLASS is not of class '$wm_class': '$class_line'" >&2
    exit 1
fi
for size in $icon_sizes; do
    if ! grep -qxF "Icon ($size x $size)" <<<"$properties"; then
        echo "the window has no $size x $size icon; it has:" $(grep '^Icon' <<<"$properties") >&2
        exit 1
    fi
done
echo "   WM_CLASS class '$wm_class', icons of$(printf ' %s' $icon_sizes) pixels"

python3 "$closer" "$windows"
# tail --pid returns when the process has ended; timeout bounds that wait.
timeout 30 tail --pid="$pid" -f /dev/null || {
    echo "the program was still running 30 seconds after its window was closed" >&2
    exit 1
}
status=0
wait "$pid" || status=$?
trap - EXIT
if [[ $status -ne 0 ]]; then
    echo "the program ended with status $status after its window was closed" >&2
    exit 1
fi
echo "   closed; the program ended with status 0"
