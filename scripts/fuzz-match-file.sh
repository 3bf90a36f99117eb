#!/usr/bin/env bash
# Fuzzes the saved-match reader and then the transcript reader with libFuzzer, each for a
# bounded time (FUZZ_SECONDS, default 45).
# Needs clang with libFuzzer; without it the run is skipped, not failed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-45}
name=fuzz-match-file
# shellcheck source=scripts/fuzz-setup.sh
source scripts/fuzz-setup.sh
mkdir -p "$out/corpus"
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
