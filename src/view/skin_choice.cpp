#include "view/skin_choice.h"

#include <algorithm>

#include "view/board_renderer.h"
#include "view/graphics_holder.h"

namespace velmora {

namespace {

constexpr int kLastFigureSkin = 0;
constexpr int kLastCursorSkin = 1;
constexpr int kLastHelpSkin = 0;
constexpr int kLastBorderSkin = 1;

void CreateBackBufferFor(GraphicsHolder& holder, BoardRenderer& renderer, int boardSize) {
    renderer.SetBoardSize(boardSize);
    const int side = renderer.Geometry().BackSide();
    holder.CreateBackBuffer(side, side);
}

}  // namespace

SkinChoice ClampSkinChoice(SkinChoice choice) {
    choice.figureSkin = std::clamp(choice.figureSkin, 0, kLastFigureSkin);
    choice.cursorSkin = std::clamp(choice.cursorSkin, 0, kLastCursorSkin);
    choice.helpSkin = std::clamp(choice.helpSkin, 0, kLastHelpSkin);
    choice.borderSkin = std::clamp(choice.borderSkin, 0, kLastBorderSkin);
    choice.boardSize = IsValidBoardSize(choice.boardSize) ? choice.boardSize : 8;
    return choice;
}

void LoadAllSkins(GraphicsHolder& holder, BoardRenderer& renderer, const SkinChoice& wanted) {
    const SkinChoice choice = ClampSkinChoice(wanted);
    const bool tenByTen = choice.boardSize == 10;
    holder.LoadBorder(choice.borderSkin);
    holder.LoadFigures(choice.figureSkin, tenByTen);
    holder.LoadHelp(choice.helpSkin, tenByTen);
    holder.SetCursorStyle(choice.cursorSkin);
    if (choice.figureSkin == 0) {
        renderer.SetLastFigFrame(BoardRenderer::kLastFigFrame);
    }
    CreateBackBufferFor(holder, renderer, choice.boardSize);
}

SkinChangeOutcome ApplySkinChoice(GraphicsHolder& holder, BoardRenderer& renderer,
                                  const SkinChoice& wantedBefore, const SkinChoice& wantedAfter,
                                  const Board& board) {
    const SkinChoice before = ClampSkinChoice(wantedBefore);
    const SkinChoice after = ClampSkinChoice(wantedAfter);
    SkinChangeOutcome outcome;
    // 1. The cursor style, changed or not; it reloads nothing.
    holder.SetCursorStyle(after.cursorSkin);
    // 2.
    if (after.figureSkin != before.figureSkin && after.figureSkin == 0) {
        renderer.SetLastFigFrame(BoardRenderer::kLastFigFrame);
    }
    // 3-4.
    outcome.sizeChanged = after.boardSize != before.boardSize;
    const bool tenByTen = after.boardSize == 10;
    if (after.borderSkin != before.borderSkin) {
        holder.LoadBorder(after.borderSkin);
        outcome.reloaded = true;
    }
    if (after.figureSkin != before.figureSkin || outcome.sizeChanged) {
        holder.LoadFigures(after.figureSkin, tenByTen);
        outcome.reloaded = true;
    }
    if (after.helpSkin != before.helpSkin || outcome.sizeChanged) {
        holder.LoadHelp(after.helpSkin, tenByTen);
        outcome.reloaded = true;
    }
    // 5.
    if (outcome.reloaded || outcome.sizeChanged) {
        CreateBackBufferFor(holder, renderer, after.boardSize);
    }
    renderer.DrawBoard(board);
    if (renderer.Presenter() != nullptr) {
        renderer.Presenter()->RepaintBoard();
    }
    return outcome;
}

}  // namespace velmora
