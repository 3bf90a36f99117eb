#pragma once

#include <array>
#include <cstdint>

namespace velmora {

// The flame field behind the fiery cursor: 28 rows of 58 intensities, row 27 the fuel row.
// Values reach about 305 near the fuel row, beyond the palettes' 256 entries.
class FireField {
  public:
    static constexpr int kRows = 28;
    static constexpr int kColumns = 58;
    static constexpr int kFuelRow = kRows - 1;
    static constexpr int kCells = kRows * kColumns;

    void Clear() { cells_.fill(0); }
    // One step: fresh random fuel, then heat rises row by row towards row 0, cooling on the way.
    void Step();

    std::uint16_t At(int index) const { return cells_[index]; }
    std::uint16_t At(int row, int column) const { return cells_[row * kColumns + column]; }
    std::array<std::uint16_t, kCells>& Cells() { return cells_; }
    const std::array<std::uint16_t, kCells>& Cells() const { return cells_; }

  private:
    std::uint32_t NextRandom();

    std::array<std::uint16_t, kCells> cells_{};
    std::uint32_t seed_ = 0x2545F491u;  // the flames need no particular sequence
};

}  // namespace velmora
