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
std::vector<NetMessage> FeedPieces(NetMessageDecoder&& decoder,
                                   const std::vector<std::string>& pieces) {
    std::vector<NetMessage> all;
    for (const std::string& piece : pieces) {
        for (NetMessage& message : decoder.Feed(piece)) {
            all.push_back(std::move(message));
        }
    }
    return all;
}

std::string Encoded(const std::vector<NetMessage>& messages) {
    std::string bytes;
    for (const NetMessage& message : messages) {
        bytes += EncodeMessage(message);
    }
    return bytes;
}

// Reads as they come, each some milliseconds after the one before; what they yield, encoded
// again. A piece left by one read joins the next only if that read can carry it on and comes
// within half a second; otherwise the next read stands on its own.
TEST(ProtocolFramingTest, ReadsSplitAndJoinedIntoMessages) {
    const std::string field = "D" + StartText(8), partial = field.substr(0, 11);
    const std::string text = "T\xEF\xF0\xE8\xE2\xE5\xF2";
    const struct {
        NetRole role;
        std::vector<std::pair<int, std::string>> reads;
        std::string expected;
    } cases[] = {
        {NetRole::Answerer,
         {{0, "GM34R" + field + "FM45" + text}},
         "GM34R" + field + "FM45" + text},
        {NetRole::Caller, {{0, "GYBW8"}}, "Y"},  // letters the role does not act on
        // Nothing marks the end of a text or a call request: they take the rest of the read.
        {NetRole::Caller, {{0, "ThiM34"}}, "ThiM34"},
        {NetRole::Answerer, {{0, "BW8PCT"}}, "BW8PCT"},
        // A first byte naming no message makes the rest of its read ignored, as it always was.
        {NetRole::Caller, {{0, "M34xR"}, {0, "zY"}, {0, "R"}}, "M34R"},
        {NetRole::Answerer, {{0, "M"}, {100, "M53"}}, "M53"},
        {NetRole::Answerer, {{0, "M"}, {100, "F"}}, "F"},
        {NetRole::Answerer, {{0, "M4"}, {100, "FR"}}, "FR"},
        {NetRole::Answerer, {{0, "M5"}, {100, "3"}}, "M53"},
        {NetRole::Answerer, {{0, "M"}, {400, "5"}, {400, "3"}}, "M53"},
        {NetRole::Answerer, {{0, "B"}, {100, "F"}}, "F"},
        {NetRole::Answerer, {{0, "BW"}, {100, "8PC"}}, "BW8PC"},
        {NetRole::Answerer, {{0, "B"}, {100, "BB0"}}, "BB0"},
        {NetRole::Answerer, {{0, "M5"}, {600, "3"}, {0, "M34"}}, "M34"},  // too late
        {NetRole::Answerer, {{0, "B"}, {501, "W8PC"}}, ""},
        {NetRole::Answerer, {{0, "D+++"}, {100, "M34"}}, "M34"},
        // A field cut short by a byte that is no board letter, in one read and across two.
        {NetRole::Caller, {{0, partial + "M34"}}, "M34"},
        {NetRole::Caller, {{0, partial}, {0, "M34"}}, "M34"},
        {NetRole::Caller, {{0, "D"}, {0, "x"}, {0, "R"}}, "R"},
        {NetRole::Caller, {{0, field.substr(0, 64) + "W"}}, ""},
    };
    for (const auto& c : cases) {
        auto now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
        NetMessageDecoder decoder(c.role, 8, [&now] { return now; });
        std::vector<NetMessage> all;
        for (const auto& [after, bytes] : c.reads) {
            now += std::chrono::milliseconds(after);
            for (NetMessage& message : decoder.Feed(bytes)) {
                all.push_back(std::move(message));
            }
        }
        EXPECT_EQ(Encoded(all), c.expected) << c.reads[0].second.substr(0, 8);
    }
}

TEST(ProtocolFramingTest, SplitMessagesAreCompletedFromTheNextRead) {
    for (const int size : {8, 10}) {
        // Every message of known length, then a text that ends the stream.
        const std::string stream =
            "M34"
            "D" +
            StartText(size) + "FM56RGD" + StartText(size) + "T\xB8";
        const auto whole = FeedPieces(NetMessageDecoder(NetRole::Answerer, size), {stream});
        ASSERT_EQ(whole.size(), 8u);
        const std::size_t textStart = stream.size() - 2;
        for (std::size_t cut = 1; cut <= textStart; ++cut) {
            EXPECT_EQ(FeedPieces(NetMessageDecoder(NetRole::Answerer, size),
                                 {stream.substr(0, cut), stream.substr(cut)}),
                      whole)
                << "cut at " << cut;
        }
        // Byte by byte, as slowly as a peer can send.
        std::vector<std::string> bytes;
        for (std::size_t i = 0; i < textStart; ++i) {
            bytes.emplace_back(1, stream[i]);
        }
        bytes.push_back(stream.substr(textStart));
        EXPECT_EQ(FeedPieces(NetMessageDecoder(NetRole::Answerer, size), bytes), whole);
    }
}

TEST(ProtocolFramingTest, ShortFieldsAreDroppedAndReadingGoesOn) {
    const std::string partial = "D" + StartText(8).substr(0, 10);
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
    std::string stream;
    while (stream.size() < length) {
        const auto kind = random() % 10;
        if (kind < 2) {
            stream += 'D';
            for (auto squares = random() % 2 == 0 ? 64 : 100; squares > 0; --squares) {
                stream += "wb+"[random() % 3];
            }
        } else if (kind < 4) {
            stream += "M" + std::to_string(random() % 100 + 100).substr(1);
        } else {
            stream += kind < 7 ? likely[random() % likely.size()] : static_cast<char>(random());
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
                        ASSERT_TRUE(move->column >= -1 && move->column <= 9 && move->row >= -1 &&
                                    move->row <= 9);
                        const bool onBoard = move->column >= 0 && move->column < size &&
                                             move->row >= 0 && move->row < size;
                        ASSERT_EQ(move->square,
                                  onBoard ? SquareAt(size, move->column, move->row) : NoMove);
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
