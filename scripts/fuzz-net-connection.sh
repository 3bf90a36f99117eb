#!/usr/bin/env bash
# Fuzzes the network connection (decoder and call set-up against a fake game) with libFuzzer
# for a bounded time (FUZZ_SECONDS, default 30). Needs clang with libFuzzer; without it the
# run is skipped, not failed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-30}
name=fuzz-net-connection
# shellcheck source=scripts/fuzz-setup.sh
source scripts/fuzz-setup.sh
mkdir -p "$out/net-corpus"
"$cxx" "${flags[@]}" -pthread tests/fuzz/net_connection_fuzz.cpp src/engine/*.cpp \
  src/net/protocol_charset.cpp src/net/protocol_decoder.cpp src/net/protocol_message.cpp \
  src/net/protocol_stage.cpp -o "$out/net_connection_fuzz"

# Seeds: an answering side asked, accepting and given moves; a calling side accepted, its
# move split across two reads; reads of every letter.
printf '\x00\x00\x0b\x00BW8PLAYER-1\x01\x00\x01\x00G\x00\x03\x00M34\x05\x00\x03\x00F\x06' \
  >"$out/net-corpus/answerer"
printf '\x07\x00\x01\x00Y\x05\x00\x02\x00M2\x00\x01\x01\x005\x00\x04\x00T\xef\xf0M\x07' \
  >"$out/net-corpus/caller"
printf '\x01\x00\x0a\x00YNAGMRTFDB\x00\x0a\x03BYNAGMRTFD' >"$out/net-corpus/letters"

"$out/net_connection_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/net-corpus"
