#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing), configures and builds.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake arguments]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}; shift || true

packages=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-svg-dev
          libqcustomplot-dev libqcustomplot2.1-qt6 libjpeg62-turbo-dev libsqlite3-dev pxlib-dev
          fonts-dejavu-core libqhull-dev
          dpkg-dev lintian desktop-file-utils appstream)  # the last four: the package test (tests/package)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get install -y --no-install-recommends "${missing[@]}" ||
    { $sudo apt-get update && $sudo apt-get install -y --no-install-recommends "${missing[@]}"; }
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build" -j "$(nproc)"
