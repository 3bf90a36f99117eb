#include "support/packed_resource.h"

#include <limits>
#include <stdexcept>

#include "support/lzh_constants.h"
#include "support/lzh_decoder.h"
#include "support/lzh_encoder.h"

namespace velmora {
namespace {

// The cheapest symbol costs one bit and the cheapest match (one bit for the length, the
// shortest position code, six low position bits) yields F bytes, so no stream expands
// beyond this many bytes per input byte.
constexpr std::uint64_t kMaxBytesPerStreamByte = 8 * lzh::F / (1 + 3 + 6);

}  // namespace

std::vector<std::uint8_t> PackResource(std::span<const std::uint8_t> data) {
    if (data.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("resource too large to pack");
    }
    const auto size = static_cast<std::uint32_t>(data.size());
    std::vector<std::uint8_t> packed = {
        static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
        static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
    const std::vector<std::uint8_t> stream = lzh::Encode(data);
    packed.insert(packed.end(), stream.begin(), stream.end());
    return packed;
}

std::optional<std::vector<std::uint8_t>> UnpackResource(std::span<const std::uint8_t> packed) {
    if (packed.size() < kPackedHeaderBytes) {
        return std::nullopt;
    }
    const std::uint32_t size =
        packed[0] | packed[1] << 8 | packed[2] << 16 | static_cast<std::uint32_t>(packed[3]) << 24;
    const std::span<const std::uint8_t> stream = packed.subspan(kPackedHeaderBytes);
    if (size > kMaxUnpackedBytes || size > kMaxBytesPerStreamByte * stream.size()) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(size);
    lzh::Decoder decoder;
    decoder.Decode(stream, data);
    return data;
}

}  // namespace velmora
