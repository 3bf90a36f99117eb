#!/usr/bin/env bash
# Fuzzes the saved-match reader with libFuzzer for a bounded time (FUZZ_SECONDS, default 45).
# Needs clang with libFuzzer; without it the run is skipped, not failed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-45}
out=${1:-build-fuzz}
cxx=${FUZZ_CXX:-clang++}

if ! command -v "$cxx" >/dev/null 2>&1; then
  echo "fuzz-match-file: $cxx not found, skipping"
  exit 0
fi
mkdir -p "$out/corpus"
flags=(-std=c++20 -g -O1 -Isrc -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
    "$cxx" "${flags[@]}" -x c++ - -o "$out/probe" 2>/dev/null; then
  echo "fuzz-match-file: $cxx cannot build libFuzzer targets, skipping"
  exit 0
fi
"$cxx" "${flags[@]}" -pthread tests/fuzz/match_file_fuzz.cpp src/engine/*.cpp \
  -o "$out/match_file_fuzz"

# Seeds: valid matches of every version and both sizes.
"$cxx" -std=c++20 -O1 -Isrc -pthread tests/fuzz/make_match_seeds.cpp src/engine/*.cpp \
  -o "$out/make_match_seeds"
"$out/make_match_seeds" "$out/corpus"

"$out/match_file_fuzz" -max_total_time="$seconds" -max_len=16384 -print_final_stats=1 \
  -artifact_prefix="$out/" \
  "$out/corpus"
