#include <ostream>

#include "engine/notation.h"
#include "engine/random_positions.h"
#include "engine/search_comparison.h"
#include "velmora-engine/command_options.h"

namespace velmora {

// Compares the fast search with the literal one on random positions of both sizes, and the
// deep search's answers with the literal one's on positions from the engine's own games and
// random games, on one thread and on every core (the test suite runs the short form; --long
// searches many more positions, deeper).
int RunSelftestCommand(std::span<const std::string> args, std::ostream& out) {
    const CommandOptions options(args, {"positions", "seed"}, {"long"});
    const bool longRun = options.Has("long");
    const int positions = options.Integer("positions", 1, 10000000, longRun ? 20000 : 1200);
    const int seed = options.Integer("seed", 0, 2147483647, 20240611);
    int failures = 0;
    for (const int size : {8, 10}) {
        SearchComparisonOptions compare;
        compare.size = size;
        const auto count = static_cast<std::size_t>(positions);
        compare.gamePositions = size == 8 ? count : count / 2;
        compare.randomBoards = compare.gamePositions / 4;
        compare.seed = static_cast<std::uint32_t>(seed);
        compare.nodeCap = longRun ? 50000 : 1000;
        const SearchComparisonReport report = CompareSearches(compare);
        out << size << " x " << size << ": " << compare.gamePositions + compare.randomBoards
            << " positions, " << report.searches << " searches (" << report.levelNineSearches
            << " at level 9), " << report.nodes << " literal nodes, " << report.mismatches.size()
            << " mismatches\n";
        for (std::size_t i = 0; i < report.mismatches.size() && i < 20; ++i) {
            out << "  " << DescribeMismatch(report.mismatches[i], size, false) << "\n";
        }
        failures += static_cast<int>(report.mismatches.size());

        std::vector<SampledPosition> games;
        for (const bool advanced : {false, true}) {
            const auto sampled = SampleSelfPlayPositions(size, advanced, longRun ? 5 : 2,
                                                         count / 20 + 1, compare.seed + advanced);
            games.insert(games.end(), sampled.begin(), sampled.end());
        }
        const auto random = SampleRandomPositions(size, count / 10 + 1, compare.seed + 2);
        games.insert(games.end(), random.begin(), random.end());
        const SearchComparisonReport deep =
            CompareDeepSearch(games, {1, 0}, longRun ? 20000000 : 20000);
        out << size << " x " << size << ", deep search: " << games.size() << " positions, "
            << deep.searches << " searches (" << deep.levelNineSearches << " at level 9), "
            << deep.mismatches.size() << " mismatches\n";
        for (std::size_t i = 0; i < deep.mismatches.size() && i < 20; ++i) {
            out << "  " << DescribeMismatch(deep.mismatches[i], size, true) << "\n";
        }
        failures += static_cast<int>(deep.mismatches.size());
    }
    out << (failures == 0 ? "the searches agree\n" : "the searches disagree\n");
    return failures == 0 ? 0 : 1;
}

}  // namespace velmora
