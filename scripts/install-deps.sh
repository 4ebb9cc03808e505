#!/bin/sh
# Installs the Debian packages the build, the tests and `make play` need.
# Idempotent and quick when everything is present; never asks anything.
set -eu

PACKAGES="
  build-essential cmake make python3 clang-format git
  libgtest-dev libosmesa6-dev libglu1-mesa-dev libpng-dev libqrencode-dev
  mingw-w64
  wine wine64 xvfb xauth x11-utils xdotool imagemagick icoutils
  libgl1 libgl1-mesa-dri libglx-mesa0 libxi6 libxrandr2 libxinerama1 libxcursor1
  libxcomposite1 libxrender1 libxext6 fonts-wine libx11-6 libxfixes3
  sox zbar-tools fonts-wqy-zenhei faketime python3-numpy
"

missing=""
for pkg in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $pkg"
  fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" != "0" ]; then
  echo "Missing packages:$missing" >&2
  echo "Install them as root (apt-get install$missing) or run make as root." >&2
  exit 1
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq </dev/null
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $missing </dev/null
