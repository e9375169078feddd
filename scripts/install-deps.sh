#!/usr/bin/env bash
# Installs the Debian packages Pellory 2 needs to build, test, benchmark and fuzz.
# Idempotent: packages already present are skipped, and apt is not touched when
# nothing is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  zlib1g-dev liblzo2-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins
  qt6-qpa-plugins libgl-dev fonts-dejavu-core
  libgtest-dev libgmock-dev
  xvfb xauth x11-apps imagemagick
  libbenchmark-dev unzip zip libarchive-tools 7zip time
  clang libclang-rt-14-dev
  shared-mime-info desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
