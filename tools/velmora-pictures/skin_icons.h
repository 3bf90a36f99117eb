#pragma once

#include <string>
#include <vector>

#include "menu_icons.h"

namespace velmora::assets {

// The 32 x 32 pictures of the skin menus, cut from the skins in `dataDir` so that each shows
// what it selects: figs_amber, cursor_classic, cursor_fiery, help_velmora, border_velmora,
// border_dark. Empty when a skin file cannot be read.
std::vector<NamedImage> SkinIcons(const std::string& dataDir);

}  // namespace velmora::assets
