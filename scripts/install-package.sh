#!/usr/bin/env bash
# Builds the .deb package, installs it with apt and starts the installed game.
# Remove it again with: sudo apt-get remove velmora-reversi
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build -j"${JOBS:-2}" --target velmora-reversi velmora-engine
(cd build && cpack -G DEB)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
deb=$(ls -t build/velmora-reversi_*.deb | head -n 1)
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall "./$deb"
if [ "${NO_START:-0}" != "1" ]; then
  exec velmora-reversi "$@"
fi
