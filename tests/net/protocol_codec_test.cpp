#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/notation.h"
#include "engine/rules.h"
#include "net/protocol_charset.h"
#include "net/protocol_decoder.h"
#include "net/protocol_encoder.h"

namespace velmora {
namespace {

std::vector<NetMessage> DecodeOne(NetRole role, int size, std::string_view bytes) {
    NetMessageDecoder decoder(role, size);
    return decoder.Feed(bytes);
}

Board Start(int size) {
    Board board;
    InitBoard(board, size);
    return board;
}

Board AfterTwoMoves(int size) {
    Board board = Start(size);
    const int first = SquareAt(size, size / 2 - 2, size / 2);       // C4 on 8 x 8
    const int second = SquareAt(size, size / 2 - 2, size / 2 - 1);  // C5 on 8 x 8
    EXPECT_TRUE(IsLegal(board, size, first, White, Black));
    MakeMove(board, size, first, White, Black);
    EXPECT_TRUE(IsLegal(board, size, second, Black, White));
    MakeMove(board, size, second, Black, White);
    return board;
}

TEST(ProtocolEncodeTest, BytesOfEachMessage) {
    const std::string name8 = "ИГРОК-1";  // 7 characters, 7 bytes on the wire
    const struct {
        NetMessage message;
        std::string bytes;
    } cases[] = {
        {NetCallRequest{White, 8, "DESKTOP-7"}, "BW8DESKTOP-7"},
        {NetCallRequest{Black, 10, ""}, "BB0"},
        {NetCallRequest{White, 10, name8}, "BW0\xC8\xC3\xD0\xCE\xCA-1"},
        {NetAccept{}, "Y"},
        {NetRefuse{}, "N"},
        {NetBusy{}, "A"},
        {NetGo{}, "G"},
        {NetMove{3, 4, 45}, "M34"},
        {NetMove{9, 0, NoMove}, "M90"},
        {NetRestart{}, "R"},
        {NetText{""}, "T"},
        {NetText{"Привет, ёж!"}, "T\xCF\xF0\xE8\xE2\xE5\xF2, \xB8\xE6!"},
        {NetFieldRequest{}, "F"},
        {NetField{BoardToText(Start(8), 8)}, "D" + BoardToText(Start(8), 8)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeMessage(c.message), c.bytes) << c.bytes;
    }
    EXPECT_EQ(EncodeMessage(NetField{BoardToText(Start(10), 10)}).size(), 101u);
}

TEST(ProtocolEncodeTest, TextsAreCutToTheirWireLimits) {
    EXPECT_EQ(EncodeMessage(NetCallRequest{White, 8, "ОЧЕНЬ-ДЛИННОЕ-ИМЯ-МАШИНЫ"}),
              "BW8" + Utf8ToWindows1251("ОЧЕНЬ-ДЛИННОЕ-И"));
    EXPECT_EQ(EncodeMessage(NetCallRequest{Black, 8, std::string("PC\0junk", 7)}), "BB8PC");
    const std::string longText(kMaxTextBytes + 10, 'x');
    EXPECT_EQ(EncodeMessage(NetText{longText}), "T" + longText.substr(0, kMaxTextBytes));
}

TEST(ProtocolRoundTripTest, EveryMessageOnBothSizes) {
    for (const int size : {8, 10}) {
        std::vector<NetMessage> messages = {
            NetCallRequest{White, size, "HOST"},
            NetCallRequest{Black, size, "Ёлка"},
            NetAccept{},
            NetRefuse{},
            NetBusy{},
            NetGo{},
            NetRestart{},
            NetText{"ход E6 — отлично"},
            NetFieldRequest{},
            NetField{BoardToText(Start(size), size)},
            NetField{BoardToText(AfterTwoMoves(size), size)},
        };
        for (int column = 0; column < size; ++column) {
            for (int row = 0; row < size; ++row) {
                messages.emplace_back(std::in_place_type<NetMove>, column, row,
                                      SquareAt(size, column, row));
            }
        }
        for (const NetMessage& message : messages) {
            const char letter = LetterOf(message);
            const NetRole role =
                RoleAccepts(NetRole::Caller, letter) ? NetRole::Caller : NetRole::Answerer;
            const auto decoded = DecodeOne(role, size, EncodeMessage(message));
            ASSERT_EQ(decoded.size(), 1u) << letter;
            EXPECT_EQ(decoded[0], message) << EncodeMessage(message);
        }
        const auto field = DecodeOne(
            NetRole::Caller, size, EncodeMessage(NetField{BoardToText(AfterTwoMoves(size), size)}));
        ASSERT_EQ(field.size(), 1u);
        EXPECT_EQ(BoardFromText(size, std::get<NetField>(field[0]).boardText), AfterTwoMoves(size));
    }
}

TEST(ProtocolDecodeTest, CallRequestColourSizeAndName) {
    const auto white8 = DecodeOne(NetRole::Answerer, 8, "BW8ABCDEFGHIJKLMNO");
    ASSERT_EQ(white8.size(), 1u);
    EXPECT_EQ(std::get<NetCallRequest>(white8[0]), (NetCallRequest{White, 8, "ABCDEFGHIJKLMNO"}));

    const auto black10 = DecodeOne(NetRole::Answerer, 8, "BB0");
    ASSERT_EQ(black10.size(), 1u);
    EXPECT_EQ(std::get<NetCallRequest>(black10[0]), (NetCallRequest{Black, 10, ""}));

    // Any colour byte but "W" is a caller playing Black, any size byte but "8" is 10 x 10.
    const auto odd = DecodeOne(NetRole::Answerer, 8, "Bw1\xCF\xCA");
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_EQ(std::get<NetCallRequest>(odd[0]), (NetCallRequest{Black, 10, "ПК"}));

    // A name past the sender's buffer, or with a zero inside, is cut.
    const auto longName = DecodeOne(NetRole::Answerer, 8, "BW8ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    ASSERT_EQ(longName.size(), 1u);
    EXPECT_EQ(std::get<NetCallRequest>(longName[0]).callerName, "ABCDEFGHIJKLMNO");
    const auto zero = DecodeOne(NetRole::Answerer, 8, std::string("BW8PC\0X", 7));
    ASSERT_EQ(zero.size(), 1u);
    EXPECT_EQ(std::get<NetCallRequest>(zero[0]).callerName, "PC");
}

TEST(ProtocolDecodeTest, MoveDigitsNameTheSquareOfTheBoardInForce) {
    const auto on8 = DecodeOne(NetRole::Caller, 8, "M34");
    const auto on10 = DecodeOne(NetRole::Caller, 10, "M34");
    ASSERT_EQ(on8.size(), 1u);
    ASSERT_EQ(on10.size(), 1u);
    EXPECT_EQ(std::get<NetMove>(on8[0]).square, 45);
    EXPECT_EQ(std::get<NetMove>(on10[0]).square, 53);

    // Digits past the edge of 8 x 8 name a square only on 10 x 10.
    EXPECT_EQ(std::get<NetMove>(DecodeOne(NetRole::Caller, 8, "M89")[0]).square, NoMove);
    EXPECT_EQ(std::get<NetMove>(DecodeOne(NetRole::Caller, 10, "M89")[0]).square, 118);
}

TEST(ProtocolDecodeTest, NonDigitCoordinatesMakeAnIllegalMove) {
    for (const std::string& bytes :
         std::vector<std::string>{"MA3", "M3:", "M/0", "M 5", std::string("M\xFF\0", 3)}) {
        for (const int size : {8, 10}) {
            const auto decoded = DecodeOne(NetRole::Answerer, size, bytes);
            ASSERT_EQ(decoded.size(), 1u) << bytes;
            const NetMove move = std::get<NetMove>(decoded[0]);
            EXPECT_EQ(move.square, NoMove) << bytes;
            EXPECT_TRUE(move.column == -1 || move.row == -1) << bytes;
        }
    }
}

TEST(ProtocolDecodeTest, EachRoleActsOnlyOnItsLetters) {
    const std::string all = "ABDFGMNRTY";
    for (const char letter : all) {
        const std::string bytes = letter == 'M'   ? "M34"
                                  : letter == 'B' ? "BW8"
                                  : letter == 'D' ? "D" + BoardToText(Start(8), 8)
                                                  : std::string(1, letter);
        const bool caller = std::string("ADFMNRTY").find(letter) != std::string::npos;
        const bool answerer = std::string("BDFGMRT").find(letter) != std::string::npos;
        EXPECT_EQ(RoleAccepts(NetRole::Caller, letter), caller) << letter;
        EXPECT_EQ(RoleAccepts(NetRole::Answerer, letter), answerer) << letter;
        EXPECT_EQ(DecodeOne(NetRole::Caller, 8, bytes).size(), caller ? 1u : 0u) << letter;
        EXPECT_EQ(DecodeOne(NetRole::Answerer, 8, bytes).size(), answerer ? 1u : 0u) << letter;
        EXPECT_EQ(NeedsNetworkGame(letter), letter == 'M' || letter == 'R') << letter;
    }
    for (const std::string& other :
         std::vector<std::string>{"a", "x", "w", "+", "0", "\xC0", std::string(1, '\0')}) {
        EXPECT_TRUE(DecodeOne(NetRole::Caller, 8, other).empty()) << other;
        EXPECT_TRUE(DecodeOne(NetRole::Answerer, 8, other).empty()) << other;
    }
}

TEST(ProtocolDecodeTest, EmptyChatTextIsAMessage) {
    const auto decoded = DecodeOne(NetRole::Caller, 8, "T");
    ASSERT_EQ(decoded.size(), 1u);
    EXPECT_EQ(std::get<NetText>(decoded[0]).text, "");
}

}  // namespace
}  // namespace velmora
