#!/usr/bin/env bash
# Runs inside a virtual display: starts PROGRAM, waits until its window titled CAPTION is shown,
# presses that window's close box and expects the program to end with status 0.
#
#   run_until_closed.sh PROGRAM CAPTION CLOSE_WINDOW_PY
set -euo pipefail
program=$1
caption=$2
closer=$3

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
