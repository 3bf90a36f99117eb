#include <chrono>
#include <cstdio>
#include <ostream>

#include "engine/match_analysis.h"
#include "engine/match_file.h"
#include "engine/notation.h"
#include "velmora-engine/command_options.h"

namespace velmora {

namespace {

const char* GradeWord(MoveGrade grade) {
    switch (grade) {
        case MoveGrade::Mistake:
            return "mistake";
        case MoveGrade::Inaccuracy:
            return "inaccuracy";
        case MoveGrade::Best:
            break;
    }
    return "best";
}

}  // namespace

// One line per move of a saved match: its number and square, the side that played it, where
// the values come from, the value before it for that side, the best move there and its value,
// the loss and the grade.
int RunAnalyseCommand(std::span<const std::string> args, std::ostream& out) {
    if (args.empty() || args.front().starts_with("--")) {
        throw UsageError("expected a saved match file");
    }
    const std::string path = args.front();
    const CommandOptions options(args.subspan(1), {}, {});
    MatchReadResult read = ReadMatchFile(path);
    if (!read.match) {
        throw UsageError(read.error);
    }
    const SavedMatch& match = *read.match;
    const int size = match.size;
    const auto started = std::chrono::steady_clock::now();
    const auto analysis = AnalyseMatch(size, match.moves, AnalysisOptions{}, nullptr);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    char line[200];
    std::snprintf(line, sizeof line,
                  "%d x %d, %zu moves. Values are the mover's: \"solved\" ones are exact final "
                  "disc differences (positions with up to %d empties), \"eval\" ones points of "
                  "the level-9 evaluation (a corner is worth 99).\n",
                  size, size, match.moves.size(), DefaultSolveEmpties(size));
    out << line;
    std::snprintf(line, sizeof line,
                  "Grades by the loss: inaccuracy from %d discs or %d points, mistake from %d "
                  "discs or %d points.\n",
                  kSolvedInaccuracyLoss, kEvaluatedInaccuracyLoss, kSolvedMistakeLoss,
                  kEvaluatedMistakeLoss);
    out << line;
    out << " no  move  side   kind    before  best  value   loss  grade\n";
    for (const MoveAnalysis& m : analysis->moves) {
        const std::string best =
            m.bestSquare == NoMove ? std::string("-") : SquareName(size, m.bestSquare);
        std::snprintf(line, sizeof line, "%3d  %-4s  %-5s  %-6s  %+6d  %-4s  %+5d  %5d  %s\n",
                      m.number, SquareName(size, m.square).c_str(),
                      m.side == White ? "white" : "black",
                      m.kind == ValueKind::Solved ? "solved" : "eval", m.valueBefore, best.c_str(),
                      m.valueBefore, m.loss, GradeWord(m.grade));
        out << line;
    }
    std::snprintf(line, sizeof line, "analysed in %.2f s\n", seconds);
    out << line;
    return 0;
}

}  // namespace velmora
