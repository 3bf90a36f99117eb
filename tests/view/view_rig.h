#pragma once

// The view tests' rig. Every pixel of the synthetic skin sheets says where it came from, so a
// rendered back buffer can be checked pixel by pixel.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/game_position.h"
#include "engine/rules.h"
#include "support/image_loader.h"
#include "view/board_animator.h"
#include "view/board_renderer.h"
#include "view/graphics_holder.h"
#include "view/skin_choice.h"

namespace velmora::testing {

// Piece-sheet cell (k, f): red 0x80 | k, green 17 f, blue the picture row inside the cell, or
// 0x11 for flat cells (they survive the 10 x 10 reduction unchanged inside).
inline std::uint32_t FigsColour(int k, int f, int rowInCell = -1) {
    return PixelOf(0x80 | k, 17 * f, rowInCell < 0 ? 0x11 : rowInCell);
}
inline std::uint32_t HelpColour(int rowK, int frame) {
    return PixelOf(0xC0 + rowK, frame, 0x33);
}
inline std::uint32_t LinehColour(int px, int py) {
    return PixelOf(0x20 + py, px / 256, px % 256);
}
inline std::uint32_t LinevColour(int px, int py) {
    return PixelOf(0x70 + px, py / 256, py % 256);
}

// A picture painted by colour(px, py), picture coordinates; rows stored bottom-up.
template <typename Colour>
PixelImage Paint(int width, int height, Colour colour) {
    PixelImage image{width, height, {}};
    for (int i = 0; i < width * height; ++i) {
        image.pixels.push_back(colour(i % width, height - 1 - i / width));
    }
    return image;
}

struct FakeFiles {
    std::map<std::string, PixelImage> files;
    std::map<std::string, int> reads;

    static FakeFiles Standard(bool rowGradient = true) {
        FakeFiles f;
        f.files["Figs1.jpg"] = Paint(915, 488, [&](int px, int py) {
            return FigsColour(py / 61, px / 61, rowGradient ? py % 61 : -1);
        });
        f.files["Help1.jpg"] =
            Paint(2440, 122, [](int px, int py) { return HelpColour(py / 61, px / 61); });
        f.files["Lineh1.jpg"] = f.files["Lineh2.jpg"] = Paint(530, 80, LinehColour);
        f.files["Linev1.jpg"] = f.files["Linev2.jpg"] = Paint(80, 490, LinevColour);
        return f;
    }
    ImageReader Reader() {
        return [this](const std::string& path) -> std::optional<PixelImage> {
            const std::string name = path.substr(path.find_last_of('/') + 1);
            ++reads[name];
            auto it = files.find(name);
            return it == files.end() ? std::nullopt : std::optional(it->second);
        };
    }
};

inline std::uint32_t BackPixel(GraphicsHolder& holder, int px, int py) {
    DibLock lock(holder.BackBuffer());
    return lock.Bits()[std::size_t(holder.BackHeight() - 1 - py) * holder.BackWidth() + px];
}

inline std::vector<std::uint32_t> BackCopy(GraphicsHolder& holder) {
    DibLock lock(holder.BackBuffer());
    return {lock.Bits(), lock.Bits() + lock.Pixels()};
}

// Records every blit with the square's pixels as they were at that moment (top-down).
class RecordingPresenter : public BoardPresenter {
  public:
    struct Blit {
        int col, row, cell;
        std::vector<std::uint32_t> pixels;
        std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * cell + x]; }
    };

    RecordingPresenter(GraphicsHolder& holder, const BoardGeometry& geometry)
        : holder_(holder), geometry_(geometry) {}

    void BlitSquare(int col, int row) override {
        const int c = geometry_.cell;
        Blit blit{col, row, c, {}};
        for (int y = 0; y < c; ++y) {
            for (int x = 0; x < c; ++x) {
                blit.pixels.push_back(
                    BackPixel(holder_, geometry_.SquareX(col) + x, geometry_.SquareY(row) + y));
            }
        }
        blits.push_back(std::move(blit));
    }
    void RepaintBoard() override { ++repaints; }
    void ShowArrowPointer() override { ++arrows; }

    const Blit* LastBlitOf(int col, int row) const {
        auto it = std::find_if(blits.rbegin(), blits.rend(),
                               [&](const Blit& b) { return b.col == col && b.row == row; });
        return it == blits.rend() ? nullptr : &*it;
    }

    std::vector<Blit> blits;
    int repaints = 0;
    int arrows = 0;

  private:
    GraphicsHolder& holder_;
    const BoardGeometry& geometry_;
};

// A whole board view over the synthetic sheets with a recording presenter, start position drawn.
struct ViewRig {
    explicit ViewRig(int size = 8, int cursorSkin = 0, bool rowGradient = true)
        : files(FakeFiles::Standard(rowGradient)),
          holder("DATA", files.Reader()),
          renderer(holder),
          presenter(holder, renderer.Geometry()),
          animator(holder, renderer, position) {
        position.Reset(size);
        renderer.SetPresenter(&presenter);
        LoadAllSkins(holder, renderer, {.cursorSkin = cursorSkin, .boardSize = size});
        renderer.DrawBoard(position.board);
    }

    int Cell() const { return renderer.Geometry().cell; }
    int Size() const { return renderer.Geometry().size; }
    int Square(int col, int row) const { return SquareAt(Size(), col, row); }
    std::uint32_t SquarePixel(int col, int row, int x, int y) {
        const BoardGeometry& g = renderer.Geometry();
        return BackPixel(holder, g.SquareX(col) + x, g.SquareY(row) + y);
    }
    template <typename F>
    void ForEachSquare(F f) const {
        for (int col = 0; col < Size(); ++col) {
            for (int row = 0; row < Size(); ++row) {
                f(col, row, Square(col, row));
            }
        }
    }
    // Moves the cursor where the arrow keys would put the pointer.
    void PointAt(int col, int row) {
        const BoardGeometry& g = renderer.Geometry();
        renderer.SquareFromPoint(g.KeyPointX(col), g.KeyPointY(row));
        ASSERT_EQ(renderer.CursorCol() * 100 + renderer.CursorRow(), col * 100 + row);
    }
    // Plays a legal move for the side to move as the game does (snapshot, then the move).
    void Play(int col, int row) {
        animator.SnapshotBeforeMove();
        const int side = position.sideToMove;
        EXPECT_TRUE(IsLegal(position.board, Size(), Square(col, row), side, Opponent(side)))
            << col << "," << row;
        MakeMove(position.board, Size(), Square(col, row), side, Opponent(side));
        position.sideToMove = Opponent(side);
    }
    // The back buffer must equal a fresh drawing of the position.
    void ExpectAtRest() {
        const auto shown = BackCopy(holder);
        renderer.DrawBoard(position.board);
        EXPECT_EQ(shown, BackCopy(holder));
    }

    FakeFiles files;
    GraphicsHolder holder;
    BoardRenderer renderer;
    RecordingPresenter presenter;
    GamePosition position;
    BoardAnimator animator;
};

// One application for the whole program, never destroyed: tearing a shown widget's application
// down among the exit handlers crashes inside Qt.
inline void EnsureApp() {
    static int argc = 1;
    static char name[] = "test_view";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        new QApplication(argc, argv);
    }
}

// Runs the event loop until `done` holds or `limitMs` pass; returns `done`'s last answer.
template <typename Done>
bool RunEventsUntil(Done done, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) {
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

}  // namespace velmora::testing
