#pragma once

#include <gtest/gtest.h>

#include "engine/game_position.h"
#include "engine/rules.h"
#include "synthetic_skins.h"
#include "view/board_animator.h"
#include "view/board_renderer.h"
#include "view/skin_choice.h"

namespace velmora::testing {

// A whole board view over synthetic sheets with a recording presenter, start position drawn.
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
    ViewRig(const ViewRig&) = delete;
    ViewRig& operator=(const ViewRig&) = delete;

    int Cell() const { return renderer.Geometry().cell; }
    int Size() const { return renderer.Geometry().size; }
    int Square(int col, int row) const { return SquareAt(Size(), col, row); }
    // A pixel of a square, relative to its top-left corner (picture coordinates).
    std::uint32_t SquarePixel(int col, int row, int x, int y) {
        const BoardGeometry& g = renderer.Geometry();
        return BackPixel(holder, g.SquareX(col) + x, g.SquareY(row) + y);
    }
    // Plays a legal move for the side to move (the animations' view of it: snapshot, move).
    void Play(int col, int row) {
        animator.SnapshotBeforeMove();
        const int side = position.sideToMove;
        EXPECT_TRUE(IsLegal(position.board, Size(), Square(col, row), side, Opponent(side)))
            << col << "," << row;
        MakeMove(position.board, Size(), Square(col, row), side, Opponent(side));
        position.sideToMove = Opponent(side);
    }

    FakeFiles files;
    GraphicsHolder holder;
    BoardRenderer renderer;
    RecordingPresenter presenter;
    GamePosition position;
    BoardAnimator animator;
};

}  // namespace velmora::testing
