#!/usr/bin/env bash
# Compiles the configured glyphwright.rc the way a Windows build does (windres, the MinGW resource
# compiler) and reads the resulting .res back.
#
#   windows_resource_test.sh RC ICO FILE_VERSION VERSION_TEXT
set -euo pipefail
rc=$1
ico=$2
here=$(cd "$(dirname "$0")" && pwd)

windres=$(command -v x86_64-w64-mingw32-windres || command -v windres || true)
if [[ -z $windres ]]; then
    echo "FAIL: windres is missing; it comes with binutils-mingw-w64-x86-64 (scripts/packages.txt)" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The C preprocessor of the host compiler stands in for MinGW's; the file includes no headers.
"$windres" --preprocessor=cpp --input-format=rc --output-format=res -i "$rc" -o "$work/glyphwright.res"
python3 "$here/check_windows_resource.py" "$work/glyphwright.res" "$ico" "$3" "$4"
