#pragma once

#include <string>
#include <vector>

#include <QImage>

namespace velmora::assets {

struct NamedImage {
    std::string name;  // file name without extension
    QImage image;
};

// The menu's icons drawn at `size` pixels (16, or 32 for the "@2x" variants), one per
// command: new_game, hint, options, exit, animation, sound, music, volume, music_source,
// call, allow_call, disconnect, message, show_ip, undo, redo, show_moves, save, open, help,
// day_tip, statistics, about, and the four skin submenus figures, cursor, marks, border.
std::vector<NamedImage> MenuIcons(int size);

}  // namespace velmora::assets
