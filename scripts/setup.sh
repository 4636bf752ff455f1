#!/usr/bin/env bash
# Installs every Debian package the build, the tests and CI need. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config clang clang-format
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools libqt6opengl6-dev libgl-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-tools
  libcurl4-openssl-dev libmpg123-dev libasound2-dev libxcb1-dev libxcb-keysyms1-dev
  weston qt6-wayland
  python3 python3-aiosmtpd python3-dbus python3-gi msmtp-mta xvfb xauth openbox x11-utils imagemagick trayer xdotool
  xdg-utils sox lame faketime tzdata
  desktop-file-utils appstream
  libsecret-1-dev libsecret-tools gnome-keyring dbus-bin dbus-daemon
  libical-dev radicale python3-caldav
  fonts-liberation poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
