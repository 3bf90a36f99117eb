#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Texts on the wire (chat, the caller's name) are Windows-1251, as the program's own texts
// always were; inside the program they are UTF-8. The conversion happens at the codec edge.

// A character with no Windows-1251 form, and every byte of malformed UTF-8, becomes '?'.
std::string Utf8ToWindows1251(std::string_view utf8);
// The one byte that Windows-1251 leaves undefined (0x98) becomes U+FFFD.
std::string Windows1251ToUtf8(std::string_view bytes);

}  // namespace velmora
