#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmora {

// A packed resource: the unpacked size as 4 bytes little-endian, then the LZHUF stream.
constexpr std::size_t kPackedHeaderBytes = 4;
// Far above anything the program packs; a larger declared size means a damaged resource.
constexpr std::uint32_t kMaxUnpackedBytes = 64u << 20;

std::vector<std::uint8_t> PackResource(std::span<const std::uint8_t> data);

// The unpacked bytes, exactly as many as the header declares; nothing when the header is
// missing or declares more than kMaxUnpackedBytes or more than the stream could possibly
// expand to. A damaged stream otherwise yields wrong bytes, not an error.
std::optional<std::vector<std::uint8_t>> UnpackResource(std::span<const std::uint8_t> packed);

}  // namespace velmora
