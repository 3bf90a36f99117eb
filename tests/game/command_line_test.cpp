#include <gtest/gtest.h>

#include "game/command_line.h"

namespace velmora {
namespace {

CommandLineRequest Parse(const std::vector<std::string>& args) {
    return ParseCommandLine(args, [](const std::string& path) { return path == "match.qvz"; });
}

TEST(CommandLineTest, EachFormInAnyLetterCase) {
    CommandLineRequest call = Parse({"-CoNNect", "10.0.0.7"});
    EXPECT_TRUE(call.autoCall);
    EXPECT_EQ(call.callAddress, "10.0.0.7");
    EXPECT_FALSE(call.listen || call.autoOpen);

    EXPECT_TRUE(Parse({"-LISTEN"}).listen);
    EXPECT_TRUE(Parse({"-listen"}).listen);

    const CommandLineRequest open = Parse({"match.qvz"});
    EXPECT_TRUE(open.autoOpen);
    EXPECT_EQ(open.openPath, "match.qvz");
}

TEST(CommandLineTest, EverythingElseIsIgnored) {
    const CommandLineRequest nothing;
    EXPECT_EQ(Parse({}), nothing);
    EXPECT_EQ(Parse({"-connect"}), nothing) << "no address";
    EXPECT_EQ(Parse({"-call", "host"}), nothing);
    EXPECT_EQ(Parse({"missing.qvz"}), nothing);
    EXPECT_EQ(Parse({"-listen", "extra"}), nothing);
    EXPECT_EQ(Parse({"match.qvz", "match.qvz"}), nothing);
}

}  // namespace
}  // namespace velmora
