#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs: the program, the
# desktop entry, the metainfo with this version's release, the theme icons, the man page and the
# bash completion.
#
#   install_tree_test.sh BUILD_DIR VERSION_TEXT APP_ID
set -euo pipefail
build=$1
version=$2
app_id=$3

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[[ -x $prefix/bin/glyphwright ]] || fail "bin/glyphwright is missing or not executable"
desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
for file in "$desktop" "$metainfo" "$prefix/share/man/man1/glyphwright.1.gz" \
            "$prefix/share/bash-completion/completions/glyphwright"; do
    [[ -f $file ]] || fail "${file#"$prefix"/} is missing"
done
for size in 16 32 64; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png
    [[ -f $icon ]] || fail "${icon#"$prefix"/} is missing"
    [[ $(file -b "$icon") == "PNG image data, $size x $size,"* ]] ||
        fail "${icon#"$prefix"/} is not a $size x $size PNG: $(file -b "$icon")"
done

grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry does not name the icon $app_id"
grep -qx "Exec=glyphwright" "$desktop" || fail "the desktop entry does not start glyphwright"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
zcat "$prefix/share/man/man1/glyphwright.1.gz" | grep -q "^\.TH GLYPHWRIGHT 1 .*\"Glyphwright $version\"" ||
    fail "the man page's title line does not carry version $version"

# The installed tree as a whole, as a software centre reads it.
appstreamcli validate-tree --no-net "$prefix"
echo "installed tree is complete"
