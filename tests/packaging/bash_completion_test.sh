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
expect "make --i" "--import"
expect "sets -" "--help --version"
expect "g" "glyphs"
expect "d" "dump"
expect "dump --p" "--pointers"
expect "glyphs --t" "--tiles --tile-order"
expect "glyphs --tiles " "1bpp nes2bpp gb2bpp snes4bpp gba4bpp 8bpp bitmap bitmap-packed"
expect "glyphs --tiles gb2bpp --tile-order d" "down"
expect "f" "font-table"
expect "font-table --r" "--repertoire --report"
expect "font-table --repertoire kana,k" "kana,kana kana,kanji1 kana,kanji2"
expect "font-table --repertoire f" "fullwidth"
expect "font-table --format u" "utf8"
expect "font-table --game g --tiles s" "snes4bpp"

# A set name with its blank already typed, escaped or in quotes: one word to bash.
for typed in 'Uppercase\ A' "'Uppercase A" '"Lowercase'; do
    COMP_WORDS=("$program" make -s 10 -o f "$typed")
    COMP_CWORD=6
    COMPREPLY=()
    _glyphwright
    case $typed in *Upper*) want='Uppercase\ Alphabet' ;; *) want='Lowercase\ Alphabet' ;; esac
    [[ ${COMPREPLY[*]} == "$want" ]] ||
        { echo "FAIL: '$typed' completes to '${COMPREPLY[*]}', expected '$want'" >&2; failures=$((failures + 1)); }
done
expect "s" "sets search"
expect "search -" "--game --word --width --sets --help --version"
expect "search --width " "1 2le 2be"
exit $((failures > 0))
