#include <gtest/gtest.h>

#include <atomic>

#include "engine/fast_search.h"
#include "engine/literal_search.h"
#include "engine/notation.h"
#include "engine/random_positions.h"
#include "engine/search.h"
#include "engine/search_comparison.h"
#include "test_boards.h"

namespace velmora {
namespace {

constexpr std::size_t kScale = testing::kDifferentialScale;

using testing::MakeBoard;

// Move, value and node count at every level, both algorithms, on positions from random games
// (openings to finished games, passes, near wipe-outs) and on random boards no game reaches,
// for every build of the fast search this processor runs.
TEST(FastSearchTest, MatchesTheLiteralSearchEverywhere) {
    for (const int size : {8, 10}) {
        SearchComparisonOptions options;
        options.size = size;
        options.gamePositions = (size == 8 ? 1200 : 600) / kScale;
        options.randomBoards = (size == 8 ? 300 : 200) / kScale;
        options.seed = 20240611;
        options.nodeCap = 1000;
        const SearchComparisonReport report = CompareSearches(options);
        for (std::size_t i = 0; i < report.mismatches.size() && i < 5; ++i) {
            ADD_FAILURE() << DescribeMismatch(report.mismatches[i], size, false);
        }
        EXPECT_EQ(report.mismatches.size(), 0u);
        // The comparison really went deep, not just through the easy levels.
        EXPECT_GT(report.searches, 10 * (options.gamePositions + options.randomBoards));
        EXPECT_GT(report.levelNineSearches, options.gamePositions / 10);
    }
}

TEST(FastSearchTest, CraftedPassesWipeOutsAndEmptyCentres) {
    struct Case {
        int size;
        Board board;
        int side;
    };
    const std::vector<Case> cases = {
        // White's C8 or H3 leave Black without a move.
        {8, MakeBoard(8, {{"A8", White}, {"B8", Black}, {"H1", White}, {"H2", Black}}), White},
        // White's only move wipes Black out.
        {8, MakeBoard(8, {{"A8", White}, {"B8", Black}}), White},
        // Nobody can move.
        {8, MakeBoard(8, {{"A8", White}, {"H1", Black}}), White},
        // An empty centre square is never a move but counts for mobility.
        {8, MakeBoard(8, {{"C4", White}, {"D4", Black}, {"F5", Black}, {"G5", White}}), White},
        {10, MakeBoard(10, {{"A10", Black}, {"B9", White}, {"J1", White}, {"I2", Black}}), Black},
        {10, MakeBoard(10, {{"E5", White}, {"F5", Black}, {"J10", White}, {"I10", Black}}), White},
    };
    for (const Case& c : cases) {
        for (int level = 0; level <= 9; ++level) {
            for (const bool advanced : {false, true}) {
                const SearchSettings s = SearchSettings::FromShownLevel(level, advanced);
                const SearchResult literal = LiteralSearch(c.size, c.board, c.side, s, nullptr);
                for (const FastSearchBuild build : SupportedFastSearchBuilds()) {
                    EXPECT_EQ(literal,
                              FastSearchOfBuild(c.size, build)(c.board, c.side, s, nullptr))
                        << FastSearchBuildName(build) << " " << BoardToText(c.board, c.size)
                        << " level " << level;
                }
            }
        }
    }
    const SearchResult wipeOut = FastSearchOn<8>(cases[1].board, White, {1, false, false}, {});
    EXPECT_EQ(wipeOut.move, 31);
    EXPECT_EQ(wipeOut.value, 32000);
}

}  // namespace
}  // namespace velmora
