#pragma once

#include <string>

namespace velmora {

// The game's status texts and questions (UTF-8, '\r' breaks lines).

inline constexpr const char* kGameOverText = "Игра окончена";
inline constexpr const char* kHintQuestion =
    "Похоже, что Вы решили воспользоваться подсказкой.\r"
    "Игра станет тренировочной (статистика не будет записана)!\r"
    "Вы действительно хотите получить подсказку?";
inline constexpr const char* kLevelChangeQuestion =
    "Похоже, что Вы решили изменить уровень игры компьютера.\r"
    "Игра станет тренировочной (статистика не будет записана)!\r"
    "Вы действительно хотите сделать это?";
inline constexpr const char* kTakeBackQuestion =
    "Похоже, что Вы решили отменить некоторые ходы.\r"
    "Игра станет тренировочной (статистика не будет записана)!\r"
    "Вы действительно хотите отменить ходы?";
inline constexpr const char* kAnalysisQuestion =
    "Похоже, что Вы решили проанализировать незаконченную партию.\r"
    "Игра станет тренировочной (статистика не будет записана)!\r"
    "Вы действительно хотите посмотреть анализ?";
inline constexpr const char* kContinueFromLastText =
    "Хорошо. Игра продолжиться с последней позиции.";

// Panel 0: "<side> ходят".
std::string SideToMoveText(int side);
// Panel 1: "<White> w : <Black> b".
std::string ScoreText(int whiteCount, int blackCount);
// Panel 2: "Ход current/count".
std::string MoveCounterText(int current, int count);

// The game-over and pass messages.
enum FinalKind : int { WhiteWon = 0, BlackWon = 1, Draw = 2, WhitePasses = 3, BlackPasses = 4 };
// The message line; first and second are the winner's and the loser's disc counts.
std::string FinalText(int kind, int first, int second);

}  // namespace velmora
