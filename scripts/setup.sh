#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing, then configures build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ ccache qt6-base-dev qt6-base-dev-tools libgl-dev
          libfreeimage-dev libgtest-dev libqscintilla2-qt6-dev
          # The end-to-end tests drive the real window on a virtual X display, one of them
          # under a window manager.
          xvfb xauth xdotool python3 openbox
          # The checks of the installed program and of the Debian package.
          desktop-file-utils appstream man-db shared-mime-info xdg-utils libfile-mimeinfo-perl
          libxml2-utils dpkg-dev bash-completion)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
