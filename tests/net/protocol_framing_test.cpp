#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/notation.h"
#include "net/protocol_charset.h"
#include "net/protocol_decoder.h"
#include "net/protocol_encoder.h"

namespace velmora {
namespace {

std::string StartText(int size) {
    Board board;
    InitBoard(board, size);
    return BoardToText(board, size);
}

// Feeds the pieces as separate reads and gathers what they yield.
std::vector<NetMessage> FeedPieces(NetMessageDecoder& decoder,
                                   const std::vector<std::string>& pieces) {
    std::vector<NetMessage> all;
    for (const std::string& piece : pieces) {
        for (NetMessage& message : decoder.Feed(piece)) {
            all.push_back(std::move(message));
        }
    }
    return all;
}

std::vector<NetMessage> FeedPieces(NetRole role, int size, const std::vector<std::string>& pieces) {
    NetMessageDecoder decoder(role, size);
    return FeedPieces(decoder, pieces);
}

TEST(ProtocolFramingTest, CoalescedMessagesAreHandledInTurn) {
    const std::string field = "D" + StartText(8);
    const auto decoded =
        FeedPieces(NetRole::Answerer, 8, {"GM34R" + field + "FM45T\xEF\xF0\xE8\xE2\xE5\xF2"});
    const std::vector<NetMessage> expected = {
        NetGo{},           NetMove{3, 4, 45}, NetRestart{},      NetField{StartText(8)},
        NetFieldRequest{}, NetMove{4, 5, 56}, NetText{"привет"},
    };
    EXPECT_EQ(decoded, expected);

    // Letters the role does not act on are split off all the same.
    EXPECT_EQ(FeedPieces(NetRole::Caller, 8, {"GYBW8"}), (std::vector<NetMessage>{NetAccept{}}));
}

TEST(ProtocolFramingTest, TextAndCallRequestTakeTheRestOfTheirRead) {
    // Nothing marks the end of a text: a move right behind it is part of the chat.
    EXPECT_EQ(FeedPieces(NetRole::Caller, 8, {"ThiM34"}),
              (std::vector<NetMessage>{NetText{"hiM34"}}));
    EXPECT_EQ(FeedPieces(NetRole::Answerer, 8, {"BW8PCT"}),
              (std::vector<NetMessage>{NetCallRequest{White, 8, "PCT"}}));
    // A first byte naming no message makes the rest of its read ignored, as it always was.
    EXPECT_EQ(FeedPieces(NetRole::Caller, 8, {"M34xR", "zY", "R"}),
              (std::vector<NetMessage>{NetMove{3, 4, 45}, NetRestart{}}));
}

TEST(ProtocolFramingTest, SplitMessagesAreCompletedFromTheNextRead) {
    for (const int size : {8, 10}) {
        // Every message of known length, then a text that ends the stream.
        const std::string stream =
            "M34"
            "D" +
            StartText(size) + "FM56RGD" + StartText(size) + "T\xB8";
        const auto whole = FeedPieces(NetRole::Answerer, size, {stream});
        ASSERT_EQ(whole.size(), 8u);
        const std::size_t textStart = stream.size() - 2;
        for (std::size_t cut = 1; cut <= textStart; ++cut) {
            NetMessageDecoder decoder(NetRole::Answerer, size);
            EXPECT_EQ(FeedPieces(decoder, {stream.substr(0, cut), stream.substr(cut)}), whole)
                << "cut at " << cut;
        }
        // Byte by byte, as slowly as a peer can send.
        NetMessageDecoder decoder(NetRole::Answerer, size);
        std::vector<std::string> bytes;
        for (std::size_t i = 0; i < textStart; ++i) {
            bytes.emplace_back(1, stream[i]);
        }
        bytes.push_back(stream.substr(textStart));
        EXPECT_EQ(FeedPieces(decoder, bytes), whole);
    }
}

// A piece left by one read joins the next only if that read can carry it on and comes within
// half a second; otherwise the next read stands on its own.
TEST(ProtocolFramingTest, APieceJoinsOnlyAFittingReadThatComesSoon) {
    using namespace std::chrono_literals;
    struct Read {
        std::chrono::milliseconds after;
        std::string bytes;
    };
    const struct {
        const char* name;
        std::vector<Read> reads;
        std::vector<NetMessage> expected;
    } cases[] = {
        {"move after a stray M", {{0ms, "M"}, {100ms, "M53"}}, {NetMove{5, 3, 64}}},
        {"request after a stray M", {{0ms, "M"}, {100ms, "F"}}, {NetFieldRequest{}}},
        {"request after a cut move",
         {{0ms, "M4"}, {100ms, "FR"}},
         {NetFieldRequest{}, NetRestart{}}},
        {"move split by TCP", {{0ms, "M5"}, {100ms, "3"}}, {NetMove{5, 3, 64}}},
        {"move in three reads", {{0ms, "M"}, {400ms, "5"}, {400ms, "3"}}, {NetMove{5, 3, 64}}},
        {"request after a stray B", {{0ms, "B"}, {100ms, "F"}}, {NetFieldRequest{}}},
        {"call request split by TCP",
         {{0ms, "BW"}, {100ms, "8PC"}},
         {NetCallRequest{White, 8, "PC"}}},
        {"call request after a stray B",
         {{0ms, "B"}, {100ms, "BB0"}},
         {NetCallRequest{Black, 10, ""}}},
        {"the rest of a move too late",
         {{0ms, "M5"}, {600ms, "3"}, {0ms, "M34"}},
         {NetMove{3, 4, 45}}},
        {"the rest of a request too late", {{0ms, "B"}, {501ms, "W8PC"}}, {}},
        {"a field cut by a move", {{0ms, "D+++"}, {100ms, "M34"}}, {NetMove{3, 4, 45}}},
    };
    for (const auto& c : cases) {
        auto now = std::chrono::steady_clock::time_point{} + 1h;
        NetMessageDecoder decoder(NetRole::Answerer, 8, [&now] { return now; });
        std::vector<NetMessage> all;
        for (const Read& read : c.reads) {
            now += read.after;
            for (NetMessage& message : decoder.Feed(read.bytes)) {
                all.push_back(std::move(message));
            }
        }
        EXPECT_EQ(all, c.expected) << c.name;
    }
}

TEST(ProtocolFramingTest, ShortFieldsAreDroppedAndReadingGoesOn) {
    // A field cut short by a byte that is no board letter, in one read and across two.
    const std::string partial = "D" + StartText(8).substr(0, 10);
    EXPECT_EQ(FeedPieces(NetRole::Caller, 8, {partial + "M34"}),
              (std::vector<NetMessage>{NetMove{3, 4, 45}}));
    EXPECT_EQ(FeedPieces(NetRole::Caller, 8, {partial, "M34"}),
              (std::vector<NetMessage>{NetMove{3, 4, 45}}));
    EXPECT_EQ(FeedPieces(NetRole::Caller, 8, {"D", "x", "R"}),
              (std::vector<NetMessage>{NetRestart{}}));

    // An 8 x 8 field where 10 x 10 is in force waits for squares that a move does not give.
    NetMessageDecoder decoder(NetRole::Caller, 10);
    EXPECT_TRUE(decoder.Feed("D" + StartText(8)).empty());
    EXPECT_EQ(decoder.PendingBytes(), 65u);
    EXPECT_EQ(decoder.Feed("M34"), (std::vector<NetMessage>{NetMove{3, 4, 53}}));

    // A new board size or a closed connection forgets what was pending.
    EXPECT_TRUE(decoder.Feed(partial).empty());
    decoder.SetBoardSize(10);  // a restart keeps the size
    EXPECT_EQ(decoder.PendingBytes(), partial.size());
    decoder.SetBoardSize(8);
    EXPECT_EQ(decoder.PendingBytes(), 0u);
    EXPECT_TRUE(decoder.Feed(StartText(8).substr(10)).empty());
    EXPECT_TRUE(decoder.Feed("M3").empty());
    decoder.Reset();
    EXPECT_TRUE(decoder.Feed("4").empty());
    // An empty read changes nothing.
    EXPECT_TRUE(decoder.Feed("M").empty());
    EXPECT_TRUE(decoder.Feed("").empty());
    EXPECT_EQ(decoder.Feed("12"), (std::vector<NetMessage>{NetMove{1, 2, 23}}));
}

TEST(ProtocolFramingTest, AMegabyteStaysBounded) {
    constexpr std::size_t kMegabyte = 1 << 20;
    const std::string text = "T" + std::string(kMegabyte, '\xFF');  // "я" a million times
    NetMessageDecoder decoder(NetRole::Caller, 8);
    const auto one = decoder.Feed(text);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(std::get<NetText>(one[0]).text.size(), 2 * kMaxTextBytes);
    EXPECT_EQ(Utf8ToWindows1251(std::get<NetText>(one[0]).text),
              std::string(kMaxTextBytes, '\xFF'));

    // A flood of short messages in one read yields a bounded batch and leaves nothing behind.
    std::string moves;
    while (moves.size() < kMegabyte) {
        moves += "M34";
    }
    EXPECT_EQ(decoder.Feed(moves).size(), NetMessageDecoder::kMaxMessagesPerRead);
    EXPECT_EQ(decoder.PendingBytes(), 0u);
    EXPECT_EQ(decoder.Feed(std::string(kMegabyte, 'R')).size(),
              NetMessageDecoder::kMaxMessagesPerRead);

    // The same megabyte of text read by a socket capped at the read buffer size: the first
    // read is the text, the others start with a byte naming no message and are ignored.
    std::size_t messages = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += NetMessageDecoder::kNetReadBufferBytes) {
        messages += decoder.Feed(text.substr(pos, NetMessageDecoder::kNetReadBufferBytes)).size();
        EXPECT_EQ(decoder.PendingBytes(), 0u);
    }
    EXPECT_EQ(messages, 1u);
}

// Whole messages of either size mixed with likely letters and random bytes, as one stream.
std::string RandomStream(std::mt19937& random, std::size_t length) {
    const std::string likely = "BYNAGMRTFDwb+0123456789W8";
    const std::string boardLetters = "wb+";
    std::string stream;
    while (stream.size() < length) {
        switch (random() % 10) {
            case 0:
            case 1: {
                const std::size_t squares = random() % 2 == 0 ? 64 : 100;
                stream += 'D';
                for (std::size_t i = 0; i < squares; ++i) {
                    stream += boardLetters[random() % 3];
                }
                break;
            }
            case 2:
            case 3:
                stream += "M" + std::to_string(random() % 100 + 100).substr(1);
                break;
            case 4:
            case 5:
            case 6:
                stream += likely[random() % likely.size()];
                break;
            default:
                stream += static_cast<char>(random() % 256);
                break;
        }
    }
    return stream;
}

TEST(ProtocolFramingTest, RandomBytesNeverCrashOrYieldAnOutOfRangeMessage) {
    std::mt19937 random(20240917);
    for (const NetRole role : {NetRole::Caller, NetRole::Answerer}) {
        NetMessageDecoder decoder(role, 8);
        std::string seen;
        for (int round = 0; round < 2000; ++round) {
            if (random() % 20 == 0) {
                decoder.SetBoardSize(decoder.BoardSize() == 8 ? 10 : 8);
            }
            const std::string stream = RandomStream(random, 2000);
            for (std::size_t pos = 0; pos < stream.size();) {
                const std::size_t length = random() % 160;
                const int size = decoder.BoardSize();
                const auto messages = decoder.Feed(std::string_view(stream).substr(pos, length));
                pos += length;
                ASSERT_LE(messages.size(), NetMessageDecoder::kMaxMessagesPerRead);
                ASSERT_LE(decoder.PendingBytes(), 100u);
                for (const NetMessage& message : messages) {
                    const char letter = LetterOf(message);
                    ASSERT_TRUE(RoleAccepts(role, letter));
                    if (seen.find(letter) == std::string::npos) {
                        seen += letter;
                    }
                    if (const auto* move = std::get_if<NetMove>(&message)) {
                        ASSERT_GE(move->column, -1);
                        ASSERT_LE(move->column, 9);
                        ASSERT_GE(move->row, -1);
                        ASSERT_LE(move->row, 9);
                        const bool onBoard = move->column >= 0 && move->column < size &&
                                             move->row >= 0 && move->row < size;
                        ASSERT_EQ(move->square,
                                  onBoard ? SquareAt(size, move->column, move->row) : NoMove);
                        ASSERT_TRUE(move->square == NoMove || IsPlayingSquare(size, move->square));
                    } else if (const auto* field = std::get_if<NetField>(&message)) {
                        ASSERT_TRUE(BoardFromText(size, field->boardText).has_value());
                    } else if (const auto* text = std::get_if<NetText>(&message)) {
                        ASSERT_LE(Utf8ToWindows1251(text->text).size(), kMaxTextBytes);
                    } else if (const auto* call = std::get_if<NetCallRequest>(&message)) {
                        ASSERT_TRUE(call->callerSide == White || call->callerSide == Black);
                        ASSERT_TRUE(call->boardSize == 8 || call->boardSize == 10);
                        ASSERT_LE(Utf8ToWindows1251(call->callerName).size(), kMaxCallerNameBytes);
                    }
                }
            }
        }
        // The loop reached every message the role acts on, not only the rejections.
        for (const char letter : std::string("ABDFGMNRTY")) {
            EXPECT_EQ(seen.find(letter) != std::string::npos, RoleAccepts(role, letter)) << letter;
        }
    }
}

}  // namespace
}  // namespace velmora
