#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# asking apt only for what is missing so a second run costs nothing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libbenchmark-dev                 # bench/
  fonts-liberation fontconfig      # the windows' font, also on the offscreen platform
  qt6-translations-l10n            # Qt's Russian standard texts (context menus); the package depends on it
  libxcb1-dev                      # the close-box-only window type, set below Qt
  xvfb xauth libx11-dev            # bench/startup.sh: a real X server and the map timer
  imagemagick x11-utils            # screenshots of the real windows (import, xwininfo)
  openbox xdotool                  # tst_window_manager: a real window manager, real input
  xclip                            # tst_input_session: the clipboard long pastes come from
  dpkg-dev file                    # the Debian package and its test
  qt6-wayland                      # tst_program_start: the Wayland platform without a compositor
  lintian appstream desktop-file-utils man-db groff-base  # tst_package: Debian's own checks
  clang libclang-rt-14-dev llvm  # the fuzzers, and symbolized sanitizer reports
  at-spi2-core python3-pyatspi dbus-daemon  # tst_accessibility_atspi: the screen reader's side
  clang-format                     # scripts/format-check.sh, run by .ci/run
)

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
