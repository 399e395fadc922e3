#!/usr/bin/env bash
# The command line end to end: the real program started with arguments and no display at all,
# its file, its standard output and its exit status compared.
#
#   command_line_test.sh PATH/TO/glyphwright VERSION_TEXT
set -uo pipefail
program=$1
version=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run EXPECTED_STATUS ARGS...: runs the program; its output is in $work/out and $work/err.
run() {
    local expected=$1
    shift
    "$program" "$@" >"$work/out" 2>"$work/err"
    local status=$?
    [[ $status -eq $expected ]] ||
        fail "glyphwright $* exited $status, expected $expected; stderr: $(cat "$work/err")"
}

# same FILE BYTES: the file holds exactly BYTES (printf escapes).
same() {
    printf '%b' "$2" >"$work/expected"
    cmp -s "$1" "$work/expected" || fail "$1 differs: $(od -c "$1" | head -5)"
}

says() {
    grep -qF -- "$2" "$work/$1" || fail "$1 lacks '$2': $(cat "$work/$1")"
}

# ---- 0: a file, standard output, the listing, help and version everywhere ----------------------
digits='10=0\r\r\n11=1\r\r\n12=2\r\r\n13=3\r\r\n14=4\r\r\n15=5\r\r\n16=6\r\r\n17=7\r\r\n18=8\r\r\n19=9\r\r\n\r\r\n'
run 0 make --start 10 --output "$work/digits.tbl" 0-9
same "$work/digits.tbl" "$digits"
[[ ! -s $work/err && ! -s $work/out ]] || fail "a quiet success said something"

# Entries, and sets with their own starts, one of them laid over an entry, in UTF-8 on standard
# output; the range ends with the set laid last.
run 0 make -s 10 -f utf8 -o - 11=x Handakuten@11 1C=漢 '0-9@20'
same "$work/out" '11=ぱ\n12=ぴ\n13=ぷ\n14=ぺ\n15=ぽ\n16=パ\n17=ピ\n18=プ\n19=ペ\n1A=ポ\n1C=漢\n20=0\n21=1\n22=2\n23=3\n24=4\n25=5\n26=6\n27=7\n28=8\n29=9\n'
run 0 make --start=2F --format=sjis --output=- -- 2F=漢 'Uppercase Alphabet@30'
code=0x30
same "$work/out" "2F=\x8a\xbf\r\n$(for c in {A..Z}; do printf '%X=%s\\r\\n' $((code++)) "$c"; done)"

run 0 sets
same "$work/out" 'Hiragana\t50\nKatakana\t54\nDakuten\t40\nHandakuten\t10\nUppercase Alphabet\t26\nLowercase Alphabet\t26\n0-9\t10\n'
for line in "--help" "-h" "make --help" "make -s 10 -h" "sets --help"; do
    read -ra args <<<"$line"
    run 0 "${args[@]}"
    says out "Usage: glyphwright"
done
for line in "--version" "-v" "make --version" "sets -v"; do
    read -ra args <<<"$line"
    run 0 "${args[@]}"
    same "$work/out" "Glyphwright $version\n"
done

# A project saved in the window: its table, order, start code and last format; --start and
# --format win over the project's.
cat >"$work/p.gwproj" <<'JSON'
{"format": "glyphwright-project", "version": 1, "startCode": "10",
 "entries": [{"code": "10", "text": "A"}], "order": [{"text": "0-9", "start": "11"}],
 "tableFile": {"name": "p.tbl", "format": "utf8"}}
JSON
run 0 make --project "$work/p.gwproj" --output -
same "$work/out" '10=A\n11=0\n12=1\n13=2\n14=3\n15=4\n16=5\n17=6\n18=7\n19=8\n1A=9\n'
run 0 make -p "$work/p.gwproj" --start 11 --format classic --output - 20=B
same "$work/out" '11=0\r\r\n12=1\r\r\n13=2\r\r\n14=3\r\r\n15=4\r\r\n16=5\r\r\n17=6\r\r\n18=7\r\r\n19=8\r\r\n1A=9\r\r\n\r\r\n'
# Control codes come with the project: an end code and a line break, in UTF-8 as the standard
# has them, in classic as plain text.
cat >"$work/c.gwproj" <<'JSON'
{"format": "glyphwright-project", "version": 1, "startCode": "00",
 "entries": [{"code": "00", "text": "end", "kind": "end"},
             {"code": "01", "text": "", "kind": "linebreak"}],
 "order": [{"text": "0-9", "start": "10"}]}
JSON
run 0 make --project "$work/c.gwproj" --format utf8 --output -
same "$work/out" '/00=[end]\n01=\\n\n10=0\n11=1\n12=2\n13=3\n14=4\n15=5\n16=6\n17=7\n18=8\n19=9\n'
run 0 make --project "$work/c.gwproj" --output -
head -c 15 "$work/out" >"$work/head"
same "$work/head" '00=end\r\r\n01=\r\r\n'
rm "$work/head"
rm "$work/c.gwproj"
# Imported tables go in before the LINEs, in any of the three formats and line ends; a line that
# cannot be taken is named with its number and nothing is written.
printf '\xEF\xBB\xBF10=\xE3\x81\x82\r\n12=x\r\n' >"$work/imp.tbl"
printf '13=y\r\r\n\r\r\n' >"$work/classic.tbl"
run 0 make --start 10 --format utf8 --import "$work/imp.tbl" -i "$work/classic.tbl" --output - 0-9@14
same "$work/out" '10=あ\n12=x\n13=y\n14=0\n15=1\n16=2\n17=3\n18=4\n19=5\n1A=6\n1B=7\n1C=8\n1D=9\n'
printf '10=a\nbad line\n' >"$work/bad.tbl"
run 1 make --start 10 --import "$work/bad.tbl" --output - 0-9
says err 'line 2: "bad line" is no entry'
rm "$work/imp.tbl" "$work/classic.tbl" "$work/bad.tbl"
# The same text at two codes: written, and named on standard error, in the text formats only.
run 0 make --start 10 --format utf8 --output - 0-9 '1A=1'
same "$work/out" '10=0\n11=1\n12=2\n13=3\n14=4\n15=5\n16=6\n17=7\n18=8\n19=9\n'
[[ ! -s "$work/err" ]] || fail "a warning for a code outside the range: $(cat "$work/err")"
run 0 make --start 10 --format sjis --output "$work/dup.tbl" '10=1' 0-9@11
says err "the same text stands at more than one code: 1 at 10 and 12."
[[ -s "$work/dup.tbl" ]] || fail "the table with a duplicate was not written"
run 0 make --start 10 --output - '10=1' 0-9@11
[[ ! -s "$work/err" ]] || fail "classic warned of a duplicate: $(cat "$work/err")"
rm "$work/dup.tbl"
# Markup in an ordinary entry is refused in the text formats, with the way out named.
run 1 make --start 2F --format utf8 --output - '2F=<end>' 0-9@30
says err 'The entry at code 2F holds "<"'
says err "make it a control code"
printf '{"format": "glyphwright-project", "version": 7}' >"$work/newer.gwproj"
run 1 make --project "$work/newer.gwproj" --output -
says err "made by a newer Glyphwright (project version 7"
printf '{"format": "glyphwright-project", "version": 1, "startCode": 5}' >"$work/bad.gwproj"
run 1 make --project "$work/bad.gwproj" --output -
says err 'damaged: "startCode" is missing or wrong'
rm "$work/p.gwproj" "$work/newer.gwproj" "$work/bad.gwproj"

# ---- 1: table problems, in the windows' words, with no file written or changed -----------------
cp "$work/digits.tbl" "$work/kept.tbl"
run 1 make --start G0 --output "$work/kept.tbl" 0-9
says err "The start code \"G0\" is not a hexadecimal byte."
run 1 make --start F8 --output "$work/kept.tbl" 0-9
says err "The set \"0-9\" on line 1 of the Table Order begins at code F8 and would run past code FF."
run 1 make --start 10 --output "$work/kept.tbl" 25=x
says err "The Table Order lays no character set"
run 1 make --start 10 --format sjis --output "$work/kept.tbl" 15=丂 0-9@20
says err "The entry at code 15 cannot be written in the chosen format: \"丂\""
run 1 make --start 10 --output "$work/kept.tbl" 15=😀 0-9
says err "EUC-JP has no code for it"
run 1 make --start 10 --output "$work/kept.tbl" 0-9@1FF
says err "The code \"1FF\" is above FF"
for format in classic utf8 sjis; do
    run 1 make --start 50 --format $format --output "$work/e.tbl" Hiragana@80 0-9@10
    says err "No code would be written: the last code laid, 19, comes before the start code 50."
    [[ ! -e "$work/e.tbl" ]] || fail "a table with no code was written in $format"
done
same "$work/kept.tbl" "$digits"
run 1 make --start 10 --output "$work/missing/t.tbl" 0-9
says err "could not be written: No such file or directory."
[[ $(ls "$work") == $'digits.tbl\nerr\nexpected\nkept.tbl\nout' ]] || fail "left behind: $(ls "$work")"
mapfile -t lines < <(yes 0-9@10 | head -n 1001)
run 1 make --start 10 --output - "${lines[@]}"
says err "The Table Order is full"

# Standard output that takes nothing: a full device, and a pipe whose reader is gone.
"$program" make --start 10 --output - 0-9 >/dev/full 2>"$work/err"
[[ $? -eq 1 ]] || fail "a write to /dev/full passed for success"
says err "Writing to standard output failed: No space left on device."
python3 -c 'import os, subprocess, sys
reader, writer = os.pipe()
os.close(reader)
sys.exit(subprocess.run(sys.argv[1:], stdout=writer, stderr=subprocess.DEVNULL).returncode)' \
    "$program" make --start 10 --output - 0-9
status=$?
[[ $status -eq 1 ]] || fail "a write to a pipe without a reader exited $status, expected 1"

# ---- 2: bad usage, naming what is wrong ---------------------------------------------------------
run 2 make --output - 0-9
says err "no start code"
run 2 make --start 10 0-9
says err "no output file"
run 2 make --start 10 --output - Hiragna
says err "'Hiragna' is neither a built-in set"
run 2 make --start 10 --output - --format utf16 0-9
run 2 make --start 10 --start 11 --output - 0-9
run 2 make --strat 10
says err "unknown option '--strat'"
run 2 make
run 2 sets 0-9
run 2 frob
says err "'frob' is not a command"
run 2 --frob

exit $((failures > 0))
