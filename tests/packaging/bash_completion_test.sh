#!/usr/bin/env bash
# The bash completion sources cleanly and completes commands, options, formats and set names,
# the last asked of the program itself.
#
#   bash_completion_test.sh COMPLETION_FILE PATH/TO/glyphwright
set -uo pipefail
# shellcheck source=/dev/null
source "$1" || { echo "FAIL: $1 does not source" >&2; exit 1; }
program=$2
failures=0

# expect "WORDS..." "REPLIES": completes the last word of WORDS and compares the replies.
expect() {
    local -a COMP_WORDS
    read -ra COMP_WORDS <<<"$program $1"
    [[ $1 == *' ' ]] && COMP_WORDS+=("")
    local COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMPREPLY=()
    _glyphwright
    local got="${COMPREPLY[*]}"
    [[ $got == "$2" ]] || { echo "FAIL: '$1' completes to '$got', expected '$2'" >&2; failures=$((failures + 1)); }
}

expect "m" "make"
expect "--v" "--version"
expect "make --f" "--format"
expect "make --format " "classic utf8 sjis"
expect "make -s 10 -o f Ka" 'Katakana Katakana\ \(JIS\ order\)'
expect "make -s 10 -o f U" 'Uppercase\ Alphabet'
expect "make -s 10 -o f " 'Hiragana Katakana Dakuten Handakuten Uppercase\ Alphabet Lowercase\ Alphabet 0-9 Hiragana\ \(JIS\ order\) Katakana\ \(JIS\ order\) Half-width\ Katakana ASCII'
expect "make -s 10 -o f Hal" 'Half-width\ Katakana'
expect "make --s" "--start --sets"
expect "make --p" "--project"
expect "sets -" "--help --version"
expect "s" "sets search"
expect "search -" "--game --word --width --sets --help --version"
expect "search --width " "1 2le 2be"
exit $((failures > 0))
