#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/notation.h"
#include "engine/rules.h"
#include "net/protocol_charset.h"
#include "net/protocol_decoder.h"
#include "net/protocol_encoder.h"
#include "net/protocol_stage.h"

namespace velmora {
namespace {

std::vector<NetMessage> DecodeOne(NetRole role, int size, std::string_view bytes) {
    NetMessageDecoder decoder(role, size);
    return decoder.Feed(bytes);
}

std::string StartText(int size) {
    Board board;
    InitBoard(board, size);
    return BoardToText(board, size);
}

TEST(ProtocolEncodeTest, BytesOfEachMessageAndTheWireLimits) {
    const struct {
        NetMessage message;
        std::string bytes;
    } cases[] = {
        {NetCallRequest{White, 8, "DESKTOP-7"}, "BW8DESKTOP-7"},
        {NetCallRequest{Black, 10, ""}, "BB0"},
        {NetCallRequest{White, 10, "ИГРОК-1"}, "BW0\xC8\xC3\xD0\xCE\xCA-1"},
        {NetCallRequest{White, 8, "ОЧЕНЬ-ДЛИННОЕ-ИМЯ-МАШИНЫ"},
         "BW8\xCE\xD7\xC5\xCD\xDC-\xC4\xCB\xC8\xCD\xCD\xCE\xC5-\xC8"},
        {NetCallRequest{Black, 8, std::string("PC\0junk", 7)}, "BB8PC"},
        {NetAccept{}, "Y"},
        {NetRefuse{}, "N"},
        {NetBusy{}, "A"},
        {NetGo{}, "G"},
        {NetMove{3, 4, 45}, "M34"},
        {NetMove{9, 0, NoMove}, "M90"},
        {NetRestart{}, "R"},
        {NetText{""}, "T"},
        {NetText{"Привет, ёж!"}, "T\xCF\xF0\xE8\xE2\xE5\xF2, \xB8\xE6!"},
        {NetText{std::string(4106, 'x')}, "T" + std::string(4096, 'x')},
        {NetFieldRequest{}, "F"},
        {NetField{StartText(8)}, "D" + StartText(8)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeMessage(c.message), c.bytes) << c.bytes.substr(0, 20);
    }
    EXPECT_EQ(EncodeMessage(NetField{StartText(10)}).size(), 101u);
}

TEST(ProtocolRoundTripTest, EveryMessageOnBothSizes) {
    for (const int size : {8, 10}) {
        Board played;
        InitBoard(played, size);
        const int first = SquareAt(size, size / 2 - 2, size / 2);  // C4 on 8 x 8
        ASSERT_TRUE(IsLegal(played, size, first, White, Black));
        MakeMove(played, size, first, White, Black);
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
            NetField{StartText(size)},
            NetField{BoardToText(played, size)},
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
            EXPECT_EQ(DecodeOne(role, size, EncodeMessage(message)),
                      std::vector<NetMessage>{message})
                << EncodeMessage(message);
        }
        EXPECT_EQ(BoardFromText(size, BoardToText(played, size)), played);
    }
}

TEST(ProtocolDecodeTest, CallRequestsMovesAndTexts) {
    const struct {
        NetRole role;
        int size;
        std::string bytes;
        NetMessage expected;
    } cases[] = {
        {NetRole::Answerer, 8, "BW8ABCDEFGHIJKLMNO", NetCallRequest{White, 8, "ABCDEFGHIJKLMNO"}},
        {NetRole::Answerer, 8, "BB0", NetCallRequest{Black, 10, ""}},
        // Any colour byte but "W" is a caller playing Black, any size byte but "8" 10 x 10.
        {NetRole::Answerer, 8, "Bw1\xCF\xCA", NetCallRequest{Black, 10, "ПК"}},
        // A name past the sender's buffer, or with a zero inside, is cut.
        {NetRole::Answerer, 8, "BW8ABCDEFGHIJKLMNOPQRSTUVWXYZ",
         NetCallRequest{White, 8, "ABCDEFGHIJKLMNO"}},
        {NetRole::Answerer, 8, std::string("BW8PC\0X", 7), NetCallRequest{White, 8, "PC"}},
        // Move digits name the square of the board in force.
        {NetRole::Caller, 8, "M34", NetMove{3, 4, 45}},
        {NetRole::Caller, 10, "M34", NetMove{3, 4, 53}},
        {NetRole::Caller, 8, "M89", NetMove{8, 9, NoMove}},
        {NetRole::Caller, 10, "M89", NetMove{8, 9, 118}},
        // A byte that is no digit makes an illegal move.
        {NetRole::Answerer, 8, "MA3", NetMove{-1, 3, NoMove}},
        {NetRole::Answerer, 10, "M3:", NetMove{3, -1, NoMove}},
        {NetRole::Answerer, 8, "M/0", NetMove{-1, 0, NoMove}},
        {NetRole::Answerer, 10, "M 5", NetMove{-1, 5, NoMove}},
        {NetRole::Answerer, 8, std::string("M\xFF\0", 3), NetMove{-1, -1, NoMove}},
        {NetRole::Caller, 8, "T", NetText{""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeOne(c.role, c.size, c.bytes), std::vector<NetMessage>{c.expected})
            << c.bytes;
    }
}

TEST(ProtocolDecodeTest, EachRoleActsOnlyOnItsLetters) {
    for (const char letter : std::string("ABDFGMNRTY")) {
        const std::string bytes = letter == 'M'   ? "M34"
                                  : letter == 'B' ? "BW8"
                                  : letter == 'D' ? "D" + StartText(8)
                                                  : std::string(1, letter);
        const bool caller = std::string("ADFMNRTY").find(letter) != std::string::npos;
        const bool answerer = std::string("BDFGMRT").find(letter) != std::string::npos;
        EXPECT_EQ(RoleAccepts(NetRole::Caller, letter), caller) << letter;
        EXPECT_EQ(RoleAccepts(NetRole::Answerer, letter), answerer) << letter;
        EXPECT_EQ(DecodeOne(NetRole::Caller, 8, bytes).size(), caller ? 1u : 0u) << letter;
        EXPECT_EQ(DecodeOne(NetRole::Answerer, 8, bytes).size(), answerer ? 1u : 0u) << letter;
    }
    for (const std::string& other :
         std::vector<std::string>{"a", "x", "w", "+", "0", "\xC0", std::string(1, '\0')}) {
        EXPECT_TRUE(DecodeOne(NetRole::Caller, 8, other).empty()) << other;
        EXPECT_TRUE(DecodeOne(NetRole::Answerer, 8, other).empty()) << other;
    }
}

// Each step of a call counts once and in its stage only; moves and restarts only in a game,
// a move only in the peer's turn; a field request is answered in any stage.
TEST(ProtocolStageTest, TheCallSetUpAndTheGameDecideWhatCounts) {
    const NetGameState unconnected{}, asking{true, false, White, Black},
        peersTurn{true, true, White, Black}, ourTurn{true, true, Black, Black};
    const NetMessage call = NetCallRequest{White, 8, "PC"}, move = NetMove{3, 4, 45};
    NetCallStage answerer;
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, call, asking), NetAction::Ignore);
    answerer.AnswererConnected();
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, NetGo{}, asking), NetAction::Ignore);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, move, asking), NetAction::Ignore);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, NetRestart{}, asking), NetAction::Ignore);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, NetText{}, unconnected), NetAction::Ignore);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, NetText{}, asking), NetAction::ShowText);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, call, asking), NetAction::AskCall);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, call, asking), NetAction::Ignore);
    EXPECT_TRUE(answerer.Answered(true));
    EXPECT_FALSE(answerer.Answered(false)) << "answered once";
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, NetFieldRequest{}, asking),
              NetAction::AnswerField);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, NetGo{}, asking), NetAction::StartOnGo);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, NetGo{}, peersTurn), NetAction::Ignore);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, move, peersTurn), NetAction::PlayMove);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, move, ourTurn), NetAction::Ignore);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, NetMove{9, 9, NoMove}, peersTurn),
              NetAction::Ignore);
    EXPECT_EQ(answerer.Decide(NetRole::Answerer, NetRestart{}, ourTurn), NetAction::Restart);

    const std::pair<NetMessage, NetAction> answers[] = {{NetAccept{}, NetAction::StartAccepted},
                                                        {NetRefuse{}, NetAction::Declined},
                                                        {NetBusy{}, NetAction::Busy}};
    for (const auto& [answer, action] : answers) {
        NetCallStage caller;
        EXPECT_EQ(caller.Decide(NetRole::Caller, answer, asking), NetAction::Ignore);
        caller.CallerConnected();
        EXPECT_EQ(caller.Decide(NetRole::Caller, answer, asking), action);
        EXPECT_EQ(caller.Decide(NetRole::Caller, answer, asking), NetAction::Ignore);
    }
}

}  // namespace
}  // namespace velmora
