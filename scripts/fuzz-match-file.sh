#!/usr/bin/env bash
# Fuzzes the saved-match reader and then the transcript reader with libFuzzer, each for a
# bounded time (FUZZ_SECONDS, default 45).
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

# The transcript reader, from a few transcripts written in the ways players write them.
"$cxx" "${flags[@]}" -pthread tests/fuzz/transcript_fuzz.cpp src/engine/*.cpp \
  -o "$out/transcript_fuzz"
mkdir -p "$out/transcripts"
printf 'e6f4c3' >"$out/transcripts/plain"
printf '1. F7 2. e7 3. d8 33-31\n' >"$out/transcripts/numbered"
printf 'e6, f4; c3 pass -- PA *' >"$out/transcripts/passes"
"$out/transcript_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$out/" \
  "$out/transcripts"
