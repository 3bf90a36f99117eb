#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then runs the core
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and builds the core as
# packagers do (Release). Every build treats warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
jobs=${JOBS:-2}

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# The desktop integration files must satisfy the desktop's own validators.
desktop-file-validate packaging/velmora-reversi.desktop
appstreamcli validate --no-net packaging/io.github.velmora.Reversi.metainfo.xml

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELMORA_GUI=OFF -DVELMORA_BENCH=OFF \
  -DVELMORA_TOOLS=OFF -DVELMORA_SANITIZE=ON -DVELMORA_WERROR=ON
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"

# -O3 brings warnings of its own: the core and the engine command must build clean in Release.
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DVELMORA_GUI=OFF -DVELMORA_BENCH=OFF \
  -DVELMORA_TOOLS=OFF -DBUILD_TESTING=OFF -DVELMORA_WERROR=ON
cmake --build build-release -j"$jobs"

# Bounded libFuzzer runs over the saved-match and transcript readers and the network
# connection (skipped when clang cannot build them).
FUZZ_SECONDS=${FUZZ_SECONDS:-30} ./scripts/fuzz-match-file.sh build-fuzz
FUZZ_SECONDS=${FUZZ_SECONDS:-30} ./scripts/fuzz-net-connection.sh build-fuzz
