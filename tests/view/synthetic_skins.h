#pragma once

// Synthetic skin sheets for the view tests: every sprite cell and strip pixel carries a colour
// that says where it came from, so a rendered back buffer can be checked pixel by pixel.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/image_loader.h"
#include "view/board_geometry.h"
#include "view/board_presenter.h"
#include "view/graphics_holder.h"
#include "view/pixel_surface.h"

namespace velmora::testing {

// Piece-sheet cell (k, f): red 0x80 | k, green f, blue the picture row inside the cell when
// `rowGradient`, else 0x11 (flat cells survive the 10 x 10 reduction unchanged inside).
inline std::uint32_t FigsColour(int k, int f, int rowInCell = -1) {
    return PixelOf(0x80 | k, f, rowInCell < 0 ? 0x11 : rowInCell);
}
inline std::uint32_t HelpColour(int rowK, int frame) {
    return PixelOf(0xC0 + rowK, frame, 0x33);
}
// Border strips: lineh picture (px, py) and linev picture (px, py).
inline std::uint32_t LinehColour(int px, int py) {
    return PixelOf(0x20 + py, px / 256, px % 256);
}
inline std::uint32_t LinevColour(int px, int py) {
    return PixelOf(0x70 + px, py / 256, py % 256);
}

template <typename Colour>
PixelImage PaintPicture(int width, int height, Colour colour) {
    PixelImage image{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            image.pixels[std::size_t(height - 1 - py) * width + px] = colour(px, py);
        }
    }
    return image;
}

inline PixelImage FigsSheet(bool rowGradient) {
    return PaintPicture(915, 488, [&](int px, int py) {
        return FigsColour(py / 61, px / 61, rowGradient ? py % 61 : -1);
    });
}
inline PixelImage HelpSheet() {
    return PaintPicture(2440, 122, [](int px, int py) { return HelpColour(py / 61, px / 61); });
}
inline PixelImage LinehSheet() {
    return PaintPicture(530, 80, LinehColour);
}
inline PixelImage LinevSheet() {
    return PaintPicture(80, 490, LinevColour);
}

// Serves pictures by file name and counts the reads.
struct FakeFiles {
    std::map<std::string, PixelImage> files;
    std::map<std::string, int> reads;

    static FakeFiles Standard(bool rowGradient = true) {
        FakeFiles f;
        f.files["Figs1.jpg"] = FigsSheet(rowGradient);
        f.files["Help1.jpg"] = HelpSheet();
        for (const char* n : {"Lineh1.jpg", "Lineh2.jpg"}) {
            f.files[n] = LinehSheet();
        }
        for (const char* n : {"Linev1.jpg", "Linev2.jpg"}) {
            f.files[n] = LinevSheet();
        }
        return f;
    }
    ImageReader Reader() {
        return [this](const std::string& path) -> std::optional<PixelImage> {
            const std::string name = path.substr(path.find_last_of('/') + 1);
            ++reads[name];
            auto it = files.find(name);
            if (it == files.end()) {
                return std::nullopt;
            }
            return it->second;
        };
    }
};

// Picture-coordinate pixel of the back buffer (rows from the top).
inline std::uint32_t BackPixel(GraphicsHolder& holder, int px, int py) {
    DibLock lock(holder.BackBuffer());
    return lock.Bits()[std::size_t(holder.BackHeight() - 1 - py) * holder.BackWidth() + px];
}

inline std::vector<std::uint32_t> BackCopy(GraphicsHolder& holder) {
    DibLock lock(holder.BackBuffer());
    return {lock.Bits(), lock.Bits() + lock.Pixels()};
}

// Records every blit with the square's pixels as they were at that moment (top-down, c x c).
class RecordingPresenter : public BoardPresenter {
  public:
    struct Blit {
        int col;
        int row;
        std::vector<std::uint32_t> pixels;
        std::uint32_t At(int x, int y, int cell) const { return pixels[std::size_t(y) * cell + x]; }
    };

    RecordingPresenter(GraphicsHolder& holder, const BoardGeometry& geometry)
        : holder_(holder), geometry_(geometry) {}

    void BlitSquare(int col, int row) override {
        const int c = geometry_.cell;
        Blit blit{col, row, std::vector<std::uint32_t>(std::size_t(c) * c)};
        for (int y = 0; y < c; ++y) {
            for (int x = 0; x < c; ++x) {
                blit.pixels[std::size_t(y) * c + x] =
                    BackPixel(holder_, geometry_.SquareX(col) + x, geometry_.SquareY(row) + y);
            }
        }
        blits.push_back(std::move(blit));
    }
    void RepaintBoard() override { ++repaints; }
    void ShowArrowPointer() override { ++arrows; }

    // The last blit of a square, or null.
    const Blit* LastBlitOf(int col, int row) const {
        for (auto it = blits.rbegin(); it != blits.rend(); ++it) {
            if (it->col == col && it->row == row) {
                return &*it;
            }
        }
        return nullptr;
    }

    std::vector<Blit> blits;
    int repaints = 0;
    int arrows = 0;

  private:
    GraphicsHolder& holder_;
    const BoardGeometry& geometry_;
};

}  // namespace velmora::testing
