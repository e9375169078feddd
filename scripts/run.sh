#!/usr/bin/env bash
# Installs what is missing, builds, and opens Pellory 2 on the sample archive.
# Without a display it lists the sample archive with pellory-cli instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
sample=build/sample/sample.kvres
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/bin/pellory2 ]; then
  exec build/bin/pellory2 "$sample"
fi
echo "No display available: listing $sample with pellory-cli instead."
exec build/bin/pellory-cli list "$sample"
