#!/usr/bin/env bash
# Builds the Debian package, installs it with apt, starts the installed program on a virtual
# display, closes its main window and removes the package again, also when a step fails.
#
#   deb_install_test.sh BUILD_DIR VERSION_TEXT APP_ID
#
# Runs only when asked with GLYPHWRIGHT_TEST_DEB=1 (scripts/test asks), since it installs into
# the real system; otherwise, and without root or password-less sudo, it skips (exit 77). It
# changes nothing for good: the package is removed on every way out, and it refuses to run when
# glyphwright is already installed, so that it never removes a copy it did not put there.
set -euo pipefail

if [[ ${GLYPHWRIGHT_TEST_DEB:-} != 1 ]]; then
    echo "SKIP: installs a package into the system; set GLYPHWRIGHT_TEST_DEB=1 to run it"
    exit 77
fi

build=$1
version=$2
app_id=$3
here=$(cd "$(dirname "$0")" && pwd)
caption='Glyphwright Relative VERSION 1.0'
export DEBIAN_FRONTEND=noninteractive

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# installed, config-files, not-installed, ...
package_state() {
    dpkg-query -W -f='${db:Status-Status}' glyphwright 2>/dev/null || echo not-installed
}

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    if sudo -n true 2>/dev/null; then
        sudo=(sudo -n)
    else
        echo "SKIP: installing a package needs root or password-less sudo"
        exit 77
    fi
fi
for tool in cpack dpkg-deb dpkg-shlibdeps apt-get xvfb-run xdotool xprop flock python3; do
    command -v "$tool" >/dev/null || fail "$tool is missing (see scripts/packages.txt)"
done

# One package test at a time on this machine, whichever build folder it runs from.
exec 9>"${TMPDIR:-/tmp}/glyphwright-deb-test.lock"
flock --wait 900 9 || fail "another package test held the lock for 15 minutes"

if [[ $(package_state) != not-installed ]]; then
    echo "SKIP: a glyphwright package is already on this machine ($(package_state));" \
         "remove it (apt-get purge glyphwright) to run this test"
    exit 77
fi

work=$(mktemp -d "$build/deb-test.XXXXXX")
chmod 755 "$work"  # apt reads the .deb as its own user
installed=false
cleanup() {
    local status=$?
    if $installed; then
        echo "-- removing the package"
        "${sudo[@]}" apt-get remove -y -q -o DPkg::Lock::Timeout=300 glyphwright >/dev/null ||
            { echo "FAIL: could not remove glyphwright" >&2; status=1; }
        if [[ $(package_state) != not-installed ]]; then
            echo "FAIL: glyphwright is left in state '$(package_state)'" >&2
            status=1
        fi
    fi
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT

echo "-- building the package"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
# A warning here means a mangled control field or a dependency dpkg-shlibdeps could not work out.
if grep -qi warning "$work/cpack.log"; then
    cat "$work/cpack.log" >&2
    fail "cpack warned while building the package"
fi
debs=("$work"/glyphwright_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "expected one glyphwright_*.deb, found: ${debs[*]}"
deb=${debs[0]}
echo "   $(basename "$deb"), $(stat -c %s "$deb") bytes"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == glyphwright ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)', expected '$version'"
depends=$(field Depends)
echo "   Depends: $depends"
[[ $depends == *libqt6widgets6* && $depends == *libc6* && $depends == *libfreetype6* &&
   $depends == *libfontconfig1* ]] ||
    fail "Depends lacks the shared libraries the program links: '$depends'"
# The code map's kana need a Japanese face; font-table reads against it, and ASCII against
# DejaVu Sans Mono and X's 4x6 fixed font as well.
recommends=$(field Recommends)
[[ $recommends == *fonts-noto-cjk* && $recommends == *fonts-dejavu-core* &&
   $recommends == *xfonts-base* ]] ||
    fail "Recommends is '$recommends'"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/glyphwright \
            "./usr/share/applications/$app_id.desktop" \
            "./usr/share/metainfo/$app_id.metainfo.xml" \
            "./usr/share/icons/hicolor/16x16/apps/$app_id.png" \
            "./usr/share/icons/hicolor/32x32/apps/$app_id.png" \
            "./usr/share/icons/hicolor/64x64/apps/$app_id.png" \
            ./usr/share/man/man1/glyphwright.1.gz \
            ./usr/share/bash-completion/completions/glyphwright; do
    grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done

# apt must find every dependency on the machine already: the test installs one package, no more.
plan=$("${sudo[@]}" apt-get install -s -y -q "$deb" 2>&1) || { echo "$plan" >&2; fail "apt cannot install the package"; }
newly=$(grep -c '^Inst ' <<<"$plan" || true)
[[ $newly -eq 1 ]] || { echo "$plan" >&2; fail "installing would bring in $newly packages, not just glyphwright"; }

echo "-- installing"
installed=true
"${sudo[@]}" apt-get install -y -q -o DPkg::Lock::Timeout=300 "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; fail "apt-get install failed"; }
status=$(dpkg-query -W -f='${Status} ${Version}' glyphwright)
[[ $status == "install ok installed $version" ]] || fail "dpkg reports '$status'"
dpkg -s glyphwright | grep -qx "Version: $version" || fail "dpkg -s does not show Version: $version"
[[ -x /usr/bin/glyphwright ]] || fail "/usr/bin/glyphwright is not there"

wm_class=$(sed -n 's/^StartupWMClass=//p' "/usr/share/applications/$app_id.desktop")
[[ -n $wm_class ]] || fail "the installed desktop entry names no StartupWMClass"

echo "-- starting /usr/bin/glyphwright on a virtual display"
QT_QPA_PLATFORM=xcb timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" \
    bash "$here/run_until_closed.sh" /usr/bin/glyphwright "$caption" "$here/close_window.py" \
    "$wm_class" "16 32 64" ||
    fail "the installed program did not show '$caption' and end when closed"
echo "-- done"
