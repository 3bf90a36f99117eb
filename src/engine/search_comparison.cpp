#include "engine/search_comparison.h"

#include "engine/deep_search.h"
#include "engine/fast_search.h"
#include "engine/notation.h"
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

SearchComparisonReport CompareDeepSearch(const std::vector<SampledPosition>& positions,
                                         const std::vector<int>& threadCounts,
                                         std::uint64_t nodeCap) {
    static const char* const kThreadNames[] = {"deep, every core", "deep, 1 thread",
                                               "deep, 2 threads", "deep, 3 threads",
                                               "deep, 4 or more threads"};
    // Beyond this many nodes the literal search's answer comes from its fast twin.
    constexpr std::uint64_t kLiteralNodes = 2000;
    SearchComparisonReport report;
    for (const SampledPosition& p : positions) {
        const SearchFunction literal = SelectSearch(p.size, EngineKind::Literal);
        const SearchFunction fast = SelectSearch(p.size, EngineKind::Fast);
        std::uint64_t deepest = 0;
        for (int level = 0; level <= kMaxLevel; ++level) {
            const SearchFunction reference = deepest < kLiteralNodes ? literal : fast;
            deepest = 0;
            for (const bool advanced : {false, true}) {
                const SearchSettings settings = SearchSettings::FromShownLevel(level, advanced);
                const SearchResult a = reference(p.board, p.sideToMove, settings, nullptr);
                ++report.searches;
                report.nodes += a.nodes;
                report.levelNineSearches += level == kMaxLevel ? 1 : 0;
                deepest = a.nodes > deepest ? a.nodes : deepest;
                for (const int threads : threadCounts) {
                    const SearchResult b =
                        DeepSearch(p.size, p.board, p.sideToMove, settings, nullptr, threads);
                    if (a.move != b.move || a.value != b.value || b.stopped) {
                        const int name = threads < 1 ? 0 : threads > 4 ? 4 : threads;
                        report.mismatches.push_back(
                            {p.board, p.sideToMove, settings, a, b, kThreadNames[name]});
                    }
                }
            }
            if (deepest > nodeCap) {
                break;
            }
        }
    }
    return report;
}

std::string DescribeMismatch(const SearchMismatch& m, int size, bool deep) {
    const auto answer = [deep](const SearchResult& r) {
        std::string text = std::to_string(r.move) + "/" + std::to_string(r.value);
        return deep ? text : text + "/" + std::to_string(r.nodes);
    };
    return std::string(m.build) + " " + BoardToText(m.board, size) +
           (m.sideToMove == White ? " white" : " black") + " level " +
           std::to_string(m.settings.ShownLevel()) +
           (m.settings.advanced ? " advanced" : " normal") + ": literal " + answer(m.literal) +
           (deep ? ", deep " : ", fast ") + answer(m.fast);
}

}  // namespace velmora
