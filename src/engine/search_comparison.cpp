#include "engine/search_comparison.h"

#include "engine/fast_search.h"
#include "engine/random_positions.h"
#include "engine/search.h"

namespace velmora {

SearchComparisonReport CompareSearches(const SearchComparisonOptions& options) {
    const int size = options.size;
    std::vector<SampledPosition> positions =
        SampleRandomPositions(size, options.gamePositions, options.seed);
    const auto boards = SampleRandomBoards(size, options.randomBoards, options.seed + 1);
    positions.insert(positions.end(), boards.begin(), boards.end());

    const SearchFunction literal = SelectSearch(size, EngineKind::Literal);
    const std::vector<FastSearchBuild> builds = SupportedFastSearchBuilds();
    SearchComparisonReport report;
    for (const SampledPosition& p : positions) {
        for (int level = 0; level <= kMaxLevel; ++level) {
            std::uint64_t deepest = 0;
            for (const bool advanced : {false, true}) {
                const SearchSettings settings = SearchSettings::FromShownLevel(level, advanced);
                const SearchResult a = literal(p.board, p.sideToMove, settings, nullptr);
                ++report.searches;
                report.nodes += a.nodes;
                report.levelNineSearches += level == kMaxLevel ? 1 : 0;
                deepest = a.nodes > deepest ? a.nodes : deepest;
                for (const FastSearchBuild build : builds) {
                    const SearchResult b =
                        FastSearchOfBuild(size, build)(p.board, p.sideToMove, settings, nullptr);
                    if (!(a == b)) {
                        report.mismatches.push_back(
                            {p.board, p.sideToMove, settings, a, b, FastSearchBuildName(build)});
                    }
                }
            }
            if (deepest > options.nodeCap) {
                break;
            }
        }
    }
    return report;
}

}  // namespace velmora
