#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks what a user would
# get: the control fields, exactly the three files, a stripped executable, a
# menu entry that starts it with its icon, and a 32 x 32 icon.
#
#   tests/tst_package.sh BUILD_DIR
#
# The package is made in a scratch directory, so the build tree stays clean
# and the test may run beside the others.
set -uo pipefail

build=${1:?usage: tst_package.sh BUILD_DIR}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  echo "FAIL: cpack -G DEB failed" >&2
  exit 1
fi
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one .deb, got: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

# Control fields.
info=$(dpkg-deb -I "$deb") || { echo "FAIL: dpkg-deb -I cannot read the package" >&2; exit 1; }
field() { printf '%s\n' "$info" | sed -n "s/^ $1: //p"; }
[ "$(field Package)" = vembrix ] || fail "Package is '$(field Package)', not vembrix"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Section)" = math ] || fail "Section is '$(field Section)'"
depends=$(field Depends)
[ -n "$depends" ] || fail "no Depends line"
depends_names=$(printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//; s/[ (].*//')
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  grep -qxF "$lib" <<<"$depends_names" || fail "Depends lacks $lib: $depends"
done
[[ $depends == *-dev* ]] && fail "Depends names a development package: $depends"
[ -n "$(field Description)" ] || fail "no Description"

# Exactly the program, its menu entry and its icon.
expected="./usr/bin/vembrix
./usr/share/applications/vembrix.desktop
./usr/share/icons/hicolor/32x32/apps/vembrix.png"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sort)
[ "$files" = "$expected" ] || fail "the package holds other files than expected:
$files"

root=$scratch/root
dpkg -x "$deb" "$root" || { echo "FAIL: dpkg -x failed" >&2; exit 1; }

binary=$root/usr/bin/vembrix
[ -x "$binary" ] || fail "usr/bin/vembrix is not executable"
kind=$(file -b "$binary")
[[ $kind == ELF*executable* ]] || fail "usr/bin/vembrix is not an ELF executable: $kind"
[[ $kind == *", stripped"* ]] || fail "usr/bin/vembrix is not stripped: $kind"

desktop=$root/usr/share/applications/vembrix.desktop
grep -qx 'Exec=vembrix' "$desktop" || fail "the menu entry lacks Exec=vembrix"
grep -qx 'Icon=vembrix' "$desktop" || fail "the menu entry lacks Icon=vembrix"
grep -qx 'Type=Application' "$desktop" || fail "the menu entry is not Type=Application"

icon=$root/usr/share/icons/hicolor/32x32/apps/vembrix.png
kind=$(file -b "$icon")
[[ $kind == "PNG image data, 32 x 32,"* ]] || fail "the icon is not a 32 x 32 PNG: $kind"

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "PASS: package checks"
