#include "game/command_line.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CommandLineTest, EachFormInAnyLetterCaseAndNothingElse) {
    const auto parse = [](const std::vector<std::string>& args) {
        return ParseCommandLine(args, [](const std::string& path) { return path == "match.qvz"; });
    };
    // Listening and opening a match from the command line are checked through the window.
    const CommandLineRequest call = parse({"-CoNNect", "10.0.0.7"});
    EXPECT_TRUE(call.autoCall && !call.listen && !call.autoOpen);
    EXPECT_EQ(call.callAddress, "10.0.0.7");
    using Args = std::vector<std::string>;
    for (const Args& args : {Args{}, Args{"-connect"}, Args{"-call", "host"}, Args{"missing.qvz"},
                             Args{"-listen", "extra"}, Args{"match.qvz", "match.qvz"}}) {
        EXPECT_EQ(parse(args), CommandLineRequest{}) << args.size();
    }
}

}  // namespace
}  // namespace velmora
