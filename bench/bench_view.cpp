// Costs of the board view: one animation tick and a whole-board redraw.

#include <benchmark/benchmark.h>

#include <vector>

#include "engine/game_position.h"
#include "engine/rules.h"
#include "view/board_animator.h"
#include "view/board_renderer.h"
#include "view/graphics_holder.h"
#include "view/skin_choice.h"
#include "view/top_down_copy.h"

namespace velmora {
namespace {

// Copies each blitted square into a top-down screen picture, as the board widget does.
class ScreenCopy : public BoardPresenter {
  public:
    ScreenCopy(GraphicsHolder& holder, const BoardRenderer& renderer)
        : holder_(holder), renderer_(renderer), screen_(530 * 530) {}
    void BlitSquare(int col, int row) override {
        const BoardGeometry& g = renderer_.Geometry();
        DibLock back(holder_.BackBuffer());
        CopyRectTopDown({back.Bits(), holder_.BackWidth(), holder_.BackHeight()}, g.SquareX(col),
                        g.SquareY(row), g.cell, g.cell, screen_.data(), holder_.BackWidth());
    }
    void RepaintBoard() override {}

  private:
    GraphicsHolder& holder_;
    const BoardRenderer& renderer_;
    std::vector<std::uint32_t> screen_;
};

// The stand-in skins (no files needed), a flame cursor, the start position drawn.
struct Scene {
    explicit Scene(int size, int cursorSkin)
        : holder("no-such-folder"),
          renderer(holder),
          screen(holder, renderer),
          animator(holder, renderer, position) {
        position.Reset(size);
        renderer.SetPresenter(&screen);
        LoadAllSkins(holder, renderer, {.cursorSkin = cursorSkin, .boardSize = size});
        renderer.DrawBoard(position.board);
    }
    int Square(int col, int row) const { return SquareAt(position.boardSize, col, row); }

    GamePosition position;
    GraphicsHolder holder;
    BoardRenderer renderer;
    ScreenCopy screen;
    BoardAnimator animator;
};

// White plays (3, 3) and turns two discs in each of three directions.
void SetUpSixFlips(Scene& s) {
    Board& b = s.position.board;
    for (int col = 0; col < 8; ++col) {
        for (int row = 0; row < 8; ++row) {
            b[s.Square(col, row)] = Empty;
        }
    }
    for (const int step : {1, 2}) {
        b[s.Square(3 + step, 3)] = Black;
        b[s.Square(3, 3 + step)] = Black;
        b[s.Square(3 + step, 3 + step)] = Black;
    }
    b[s.Square(6, 3)] = White;
    b[s.Square(3, 6)] = White;
    b[s.Square(6, 6)] = White;
    s.renderer.DrawBoard(b);
    s.animator.SnapshotBeforeMove();
    MakeMove(b, 8, s.Square(3, 3), White, Black);
}

void BM_PieceAnimationTick(benchmark::State& state) {
    Scene s(8, 1);
    SetUpSixFlips(s);
    s.renderer.SquareFromPoint(s.renderer.Geometry().KeyPointX(1),
                               s.renderer.Geometry().KeyPointY(6));
    for (auto _ : state) {
        if (!s.animator.PieceAnimOn()) {
            s.animator.StartPieceAnimation();  // one in 15 ticks; part of showing a move anyway
        }
        s.animator.Tick();
    }
}
BENCHMARK(BM_PieceAnimationTick);

void BM_CursorTick(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)), 1);
    for (auto _ : state) {
        s.animator.Tick();
    }
}
BENCHMARK(BM_CursorTick)->Arg(8)->Arg(10);

void BM_MarkTick(benchmark::State& state) {
    Scene s(8, 1);
    s.animator.SnapshotBeforeMove();
    MakeMove(s.position.board, 8, s.Square(4, 2), White, Black);
    s.position.sideToMove = Black;
    for (auto _ : state) {
        if (!s.animator.MarkAnimOn()) {
            s.animator.StartMarks(true);
        }
        s.animator.Tick();
    }
}
BENCHMARK(BM_MarkTick);

void BM_DrawBoard(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)), 1);
    for (auto _ : state) {
        s.renderer.DrawBoard(s.position.board);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawBoard)->Arg(8)->Arg(10);

}  // namespace
}  // namespace velmora
