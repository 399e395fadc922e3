# Helpers the command-line tests share. The sourcing script sets $program and $work first.
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
    cmp -s "$1" "$work/expected" || fail "$1 differs: $(od -c "$1" | head -8)"
}

# says out|err TEXT: the program's output or error holds TEXT.
says() {
    grep -qF -- "$2" "$work/$1" || fail "$1 lacks '$2': $(cat "$work/$1")"
}
