#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Runs apt-get only when something is missing; needs root for that.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libwxgtk3.2-dev libgtk-3-dev libglib2.0-dev libfontconfig-dev libcurl4-openssl-dev libicu-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libcpp-httplib-dev
  xvfb openbox xdotool x11-utils imagemagick
  fonts-noto-cjk fontconfig
  dbus dbus-x11 at-spi2-core python3-pyatspi
  iproute2 util-linux perl curl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Run this script as root (or install them) and try again." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
