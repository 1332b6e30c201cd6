#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks what a user would
# get: the control fields, exactly the files it should hold, a stripped and
# hardened executable, a menu entry that starts it with its icon, AppStream
# metadata, an icon in every theme size, and what Debian's own checkers
# (lintian, appstreamcli, desktop-file-validate) say about them: lintian may
# report informational tags, but no error and no warning.
#
#   tests/system/tst_package.sh BUILD_DIR [SOURCE_DIR]
#
# The package is made in a scratch directory, so the build tree stays clean
# and the test may run beside the others.
set -uo pipefail

build=${1:?usage: tst_package.sh BUILD_DIR [SOURCE_DIR]}
source_dir=${2:-$(cd "$(dirname "$0")/.." && pwd)}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

for tool in cpack dpkg-deb dpkg-shlibdeps file lintian appstreamcli desktop-file-validate man; do
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
# Debian 13 renamed the Qt libraries for the 64-bit time_t (libqt6core6t64).
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  grep -qxF -e "$lib" -e "${lib}t64" <<<"$depends_names" || fail "Depends lacks $lib: $depends"
done
[[ $depends == *-dev* ]] && fail "Depends names a development package: $depends"
[ -n "$(field Description)" ] || fail "no Description"
depends_names_all=$(printf '%s\n' "$depends" | tr ',|' '\n\n' | sed 's/^ *//; s/[ (].*//')
grep -qxF qt6-translations-l10n <<<"$depends_names_all" || fail "Depends lacks qt6-translations-l10n: $depends"
recommends_names=$(field Recommends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//')
for pkg in qt6-wayland fonts-liberation; do
  grep -qxF "$pkg" <<<"$recommends_names" || fail "Recommends lacks $pkg: $(field Recommends)"
done

icon_sizes="16 22 24 32 48 64 128 256"
expected=$( {
  printf '%s\n' ./usr/bin/vembrix \
    ./usr/share/applications/vembrix.desktop \
    ./usr/share/doc/vembrix/changelog.gz \
    ./usr/share/doc/vembrix/copyright \
    ./usr/share/man/man1/vembrix.1.gz \
    ./usr/share/metainfo/org.example.vembrix.metainfo.xml
  for size in $icon_sizes; do echo "./usr/share/icons/hicolor/${size}x${size}/apps/vembrix.png"; done
} | sort)
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
[[ $kind == *"pie executable"* ]] || fail "usr/bin/vembrix is not position-independent: $kind"

desktop=$root/usr/share/applications/vembrix.desktop
grep -qx 'Exec=vembrix' "$desktop" || fail "the menu entry lacks Exec=vembrix"
grep -qx 'Icon=vembrix' "$desktop" || fail "the menu entry lacks Icon=vembrix"
grep -qx 'Type=Application' "$desktop" || fail "the menu entry is not Type=Application"

grep -q '^GenericName\[ru\]=' "$desktop" || fail "the menu entry lacks a Russian GenericName"
grep -q '^Keywords=.*calculator' "$desktop" || fail "the menu entry cannot be found by 'calculator'"
grep -q '^Keywords\[ru\]=.*аквариум' "$desktop" || fail "the menu entry cannot be found by 'аквариум'"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the menu entry"

metainfo=$root/usr/share/metainfo/org.example.vembrix.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
grep -qF '<launchable type="desktop-id">vembrix.desktop</launchable>' "$metainfo" ||
  fail "the metainfo does not launch the menu entry"

for size in $icon_sizes; do
  kind=$(file -b "$root/usr/share/icons/hicolor/${size}x${size}/apps/vembrix.png")
  [[ $kind == "PNG image data, $size x $size,"* ]] || fail "the ${size}x${size} icon is not a $size x $size PNG: $kind"
done

# The manual page formats without a complaint, and the changelog's newest
# entry is the packaged version.
man_warnings=$(man --warnings -E UTF-8 -l -Tutf8 -Z "$root/usr/share/man/man1/vembrix.1.gz" 2>&1 >/dev/null)
[ -z "$man_warnings" ] || fail "the manual page does not format cleanly: $man_warnings"
changelog_version=$(zcat "$root/usr/share/doc/vembrix/changelog.gz" | sed -n '1s/^vembrix (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$(field Version)" ] ||
  fail "the changelog's newest entry is '$changelog_version', the package '$(field Version)'"
cmp -s "$root/usr/share/doc/vembrix/copyright" "$source_dir/packaging/copyright" ||
  fail "the packaged copyright differs from packaging/copyright"

# Errors and warnings fail; the remaining informational tags are printed.
if ! lintian --display-info --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1; then
  cat "$scratch/lintian.log" >&2
  fail "lintian reports errors or warnings"
else
  sed 's/^/lintian: /' "$scratch/lintian.log"
fi

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "PASS: package checks"
