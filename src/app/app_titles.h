#pragma once

namespace velmora {

// The main window's caption.
inline constexpr const char* kApplicationTitle = "Вельморные Реверси 4.02";
// The program's own title: the application's name, and the caption's first half while a
// network game names the peer.
inline constexpr const char* kProgramTitle = "Velmora Reversi 4.00";

}  // namespace velmora
