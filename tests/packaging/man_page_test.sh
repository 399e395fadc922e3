#!/usr/bin/env bash
# The man page must format without a single groff warning, and man-db must find its NAME line.
#
#   man_page_test.sh MAN_PAGE
set -euo pipefail
page=$1

warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
if [[ -n $warnings ]]; then
    echo "FAIL: groff warns about $page:" >&2
    echo "$warnings" >&2
    exit 1
fi
whatis=$(lexgrog "$page") || { echo "FAIL: lexgrog cannot read the NAME section" >&2; exit 1; }
echo "$whatis"
[[ $whatis == *'"glyphwright - '* ]] || { echo "FAIL: the NAME line does not start with 'glyphwright -'" >&2; exit 1; }

# What the page tells must be what the program does: the windows beside the table order.
text=$(groff -man -Tutf8 -rHY=0 "$page" 2>/dev/null | col -b | tr -s " \n" "  ")
for topic in "game file" "Relative Search" "Game Text" "Code Map" "/dev/stdout"; do
    grep -qF -- "$topic" <<<"$text" || { echo "FAIL: the man page does not mention $topic" >&2; exit 1; }
done
if grep -qF "reads no files" <<<"$text"; then
    echo "FAIL: the man page says the program reads no files" >&2
    exit 1
fi
