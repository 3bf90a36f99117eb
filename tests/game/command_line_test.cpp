#include "game/command_line.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CommandLineTest, EachFormInAnyLetterCaseAndNothingElse) {
    const auto parse = [](const std::vector<std::string>& args) {
        return ParseCommandLine(args, [](const std::string& path) { return path == "match.qvz"; });
    };
    CommandLineRequest call, listen, open;
    call.autoCall = listen.listen = open.autoOpen = true;
    call.callAddress = "10.0.0.7";
    open.openPath = "match.qvz";
    using Args = std::vector<std::string>;
    const std::vector<std::pair<Args, CommandLineRequest>> cases = {
        {{"-CoNNect", "10.0.0.7"}, call},
        {{"-listen"}, listen},
        {{"match.qvz"}, open},
        {{}, {}},
        {{"-connect"}, {}},
        {{"-call", "host"}, {}},
        {{"missing.qvz"}, {}},
        {{"-listen", "extra"}, {}},
        {{"match.qvz", "match.qvz"}, {}}};
    for (const auto& [args, request] : cases) {
        EXPECT_EQ(parse(args), request) << args.size() << (args.empty() ? "" : args[0]);
    }
}

}  // namespace
}  // namespace velmora
