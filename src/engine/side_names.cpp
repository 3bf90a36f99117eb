#include "engine/side_names.h"

#include "engine/board.h"

namespace velmora {

namespace {

// Written only on the GUI thread when a figure skin loads.
std::string gWhiteName = "Жёлтые";
std::string gBlackName = "Зелёные";

}  // namespace

void SetSideNames(std::string white, std::string black) {
    gWhiteName = std::move(white);
    gBlackName = std::move(black);
}

const std::string& SideName(int side) { return side == White ? gWhiteName : gBlackName; }

}  // namespace velmora
