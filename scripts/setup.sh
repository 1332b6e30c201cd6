#!/usr/bin/env bash
# Installs the Debian packages that are missing, so a second run costs nothing.
#
#   scripts/setup.sh run    what building and running the program need
#   scripts/setup.sh [test] that and all the tests, benchmarks, the fuzzers
#                           and CI need
#
# The names are those of Debian 12 and Debian 13 alike.
set -euo pipefail

run_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  qt6-wayland                      # the Wayland platform
  fonts-liberation fontconfig      # the windows' font, also on the offscreen platform
  qt6-translations-l10n            # Qt's Russian standard texts (context menus); the package depends on it
  libxcb1-dev                      # the close-box-only window type, set below Qt
)

test_packages=(
  libbenchmark-dev                 # bench/
  xvfb xauth libx11-dev            # bench/startup.sh: a real X server and the map timer
  imagemagick x11-utils            # screenshots of the real windows (import, xwininfo)
  openbox xdotool                  # tst_window_manager: a real window manager, real input
  python3-xlib                     # tst_window_manager: slow_framing_wm.py, a manager that frames late
  xclip                            # tst_input_session: the clipboard long pastes come from
  dpkg-dev file                    # the Debian package and its test
  lintian appstream desktop-file-utils man-db groff-base  # tst_package: Debian's own checks
  clang libclang-rt-dev llvm       # the fuzzers, and symbolized sanitizer reports
  at-spi2-core python3-pyatspi dbus-daemon  # tst_accessibility_atspi: the screen reader's side
  orca speech-dispatcher locales   # tst_screen_reader: Orca itself, speaking Russian into nothing
  clang-format                     # scripts/format-check.sh, run by .ci/run
  mmdebstrap                       # scripts/debian13.sh: the suite in a fresh Debian 13
)

case ${1:-test} in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
