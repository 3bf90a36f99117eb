#pragma once

#include <cstdint>

// Parameters of the LZHUF stream: LZSS over a 4096-byte ring, literals and match lengths
// coded with one adaptive Huffman tree, match positions with a fixed prefix code.
namespace velmora::lzh {

constexpr int N = 4096;                      // ring buffer size; positions are taken modulo N
constexpr int F = 60;                        // longest match
constexpr int THRESHOLD = 2;                 // a match is at least THRESHOLD + 1 bytes
constexpr int N_CHAR = 256 - THRESHOLD + F;  // 256 literals + match lengths 3..60
constexpr int T = N_CHAR * 2 - 1;            // nodes of the Huffman tree
constexpr int R = T - 1;                     // root node
constexpr std::uint16_t MAX_FREQ = 0x8000;   // root count that triggers a rebuild

// The ring starts as N - F spaces; the first byte is written at N - F.
constexpr int kFirstRingPosition = N - F;
constexpr std::uint8_t kRingFill = 0x20;

// Symbols from 256 up are match lengths.
constexpr int kFirstLengthSymbol = 256;
constexpr int SymbolOfLength(int length) {
    return length - THRESHOLD - 1 + kFirstLengthSymbol;
}
constexpr int LengthOfSymbol(int symbol) {
    return symbol - kFirstLengthSymbol + THRESHOLD + 1;
}

}  // namespace velmora::lzh
