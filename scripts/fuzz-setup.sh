# Sourced by the fuzz scripts after they set `name`: finds a clang that builds libFuzzer
# targets, or ends the calling script with a skip (not a failure). Sets out, cxx and flags.
out=${1:-build-fuzz}
cxx=${FUZZ_CXX:-clang++}

if ! command -v "$cxx" >/dev/null 2>&1; then
  echo "$name: $cxx not found, skipping"
  exit 0
fi
mkdir -p "$out"
flags=(-std=c++20 -g -O1 -Isrc -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
    "$cxx" "${flags[@]}" -x c++ - -o "$out/probe" 2>/dev/null; then
  echo "$name: $cxx cannot build libFuzzer targets, skipping"
  exit 0
fi
