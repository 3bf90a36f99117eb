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
    EXPECT_EQ(parse({"-CoNNect", "10.0.0.7"}), call);
    EXPECT_EQ(parse({"-LISTEN"}), listen);
    EXPECT_EQ(parse({"-listen"}), listen);
    EXPECT_EQ(parse({"match.qvz"}), open);
    for (const std::vector<std::string>& ignored :
         std::vector<std::vector<std::string>>{{},
                                               {"-connect"},
                                               {"-call", "host"},
                                               {"missing.qvz"},
                                               {"-listen", "extra"},
                                               {"match.qvz", "match.qvz"}}) {
        EXPECT_EQ(parse(ignored), CommandLineRequest{}) << ignored.size();
    }
}

}  // namespace
}  // namespace velmora
