#include "engine/transcript.h"

#include <algorithm>
#include <fstream>

#include "engine/rules.h"
#include "engine/side_names.h"

namespace velmora {

namespace {

struct Token {
    enum class Kind { Square, Pass, Word };
    Kind kind = Kind::Word;
    int column = 0;  // 0 for 'a'; up to 25
    int number = 0;  // as written, 1 for the bottom row
    std::string_view text;
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
constexpr std::string_view kOneHalf = "\xC2\xBD";  // ½
constexpr std::size_t kShownMoveLength = 16;
constexpr std::size_t kLongestResult = 16;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    const char lower = Lower(c);
    return lower >= 'a' && lower <= 'z';
}
bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == ',' ||
           c == ';';
}
bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return Lower(a) == Lower(b); });
}

// The words between separators.
std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    const auto flush = [&](std::size_t end) {
        if (end > start) {
            words.push_back(text.substr(start, end - start));
        }
    };
    for (std::size_t i = 0; i < text.size();) {
        std::size_t width = 0;
        if (IsSeparator(text[i])) {
            width = 1;
        } else if (text.substr(i, kNoBreakSpace.size()) == kNoBreakSpace) {
            width = kNoBreakSpace.size();
        }
        if (width == 0) {
            ++i;
            continue;
        }
        flush(i);
        i += width;
        start = i;
    }
    flush(text.size());
    return words;
}

bool IsScore(std::string_view text) {
    const std::size_t mark = text.find_first_of("-:");
    if (mark == 0 || mark == std::string_view::npos || mark + 1 == text.size()) {
        return false;
    }
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), IsDigit);
    };
    return digits(text.substr(0, mark)) && digits(text.substr(mark + 1));
}

bool IsResult(std::string joined) {
    for (std::size_t k; (k = joined.find(kOneHalf)) != std::string::npos;) {
        joined.replace(k, kOneHalf.size(), "1/2");
    }
    return joined == "*" || joined == "1/2-1/2" || IsScore(joined);
}

// "33-31", "33 : 31", "1-0", "1/2-1/2", "½-½" or "*" closing the transcript.
void DropTrailingResult(std::vector<std::string_view>& words) {
    std::string joined;
    std::size_t resultStart = words.size();
    for (std::size_t first = words.size(); first > 0; --first) {
        const std::string_view word = words[first - 1];
        const bool resultLike = std::all_of(word.begin(), word.end(), [](char c) {
            return IsDigit(c) || c == '-' || c == ':' || c == '/' || c == '*' || c == '=' ||
                   static_cast<unsigned char>(c) >= 0x80;
        });
        // Every result is a few characters long.
        if (!resultLike || joined.size() + word.size() > kLongestResult) {
            break;
        }
        joined.insert(0, word);
        if (IsResult(joined)) {
            resultStart = first - 1;
        }
    }
    words.resize(resultStart);
}

// A move number in front of a move ("12", "12.", "12...", "12)", "..."); the rest of the word
// is returned.
std::string_view SkipMoveNumber(std::string_view word) {
    std::size_t digits = 0;
    while (digits < word.size() && IsDigit(word[digits])) {
        ++digits;
    }
    std::size_t end = digits;
    if (end < word.size() && word[end] == ')' && digits > 0) {
        ++end;
    }
    while (end < word.size() && word[end] == '.') {
        ++end;
    }
    return end > digits || digits == word.size() ? word.substr(end) : word;
}

bool StartsWithSquare(std::string_view text) {
    return text.size() >= 2 && IsLetter(text[0]) && IsDigit(text[1]);
}

// "pass" or "PA" where the word ends or another move follows, so that "paper" stays a word.
std::size_t PassLength(std::string_view text) {
    for (const std::string_view pass : {std::string_view("pass"), std::string_view("pa")}) {
        if (!StartsWithNoCase(text, pass)) {
            continue;
        }
        const std::string_view rest = text.substr(pass.size());
        if (rest.empty() || StartsWithSquare(rest) || rest.substr(0, 2) == "--" ||
            StartsWithNoCase(rest, "pa")) {
            return pass.size();
        }
    }
    return 0;
}

// One word may hold several moves written together, "f5d6--c3".
void TokenizeWord(std::string_view word, std::vector<Token>& tokens) {
    word = SkipMoveNumber(word);
    while (!word.empty()) {
        Token token;
        std::size_t length = PassLength(word);
        if (length > 0) {
            token.kind = Token::Kind::Pass;
        } else if (word.substr(0, 2) == "--") {
            token.kind = Token::Kind::Pass;
            length = 2;
        } else if (StartsWithSquare(word)) {
            token.kind = Token::Kind::Square;
            token.column = Lower(word[0]) - 'a';
            length = 1;
            while (length < word.size() && IsDigit(word[length])) {
                // Capped, so that a long run of digits stays a number off the board.
                token.number = std::min(token.number * 10 + (word[length] - '0'), 1000);
                ++length;
            }
        } else {
            length = word.size();
        }
        token.text = word.substr(0, length);
        tokens.push_back(token);
        word.remove_prefix(length);
    }
}

std::vector<Token> Tokenize(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::vector<std::string_view> words = SplitWords(text);
    DropTrailingResult(words);
    std::vector<Token> tokens;
    for (const std::string_view word : words) {
        TokenizeWord(word, tokens);
    }
    return tokens;
}

bool OnBoard(const Token& token, int size) {
    return token.column < size && token.number >= 1 && token.number <= size;
}

// Printable and short enough for a message.
std::string Shown(std::string_view text) {
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool continuation = (byte & 0xC0) == 0x80;
        if (!continuation && characters == kShownMoveLength) {
            return shown + "…";
        }
        characters += continuation ? 0 : 1;
        shown += byte < 0x20 || byte == 0x7F ? '?' : text[i];
    }
    return shown;
}

std::string ProblemText(TranscriptProblem problem, int number, const std::string& move, int side) {
    const std::string which = "ход " + std::to_string(number) + " «" + move + "»";
    switch (problem) {
        case TranscriptProblem::None:
            return {};
        case TranscriptProblem::Empty:
            return "в тексте нет ни одного хода";
        case TranscriptProblem::TooLong:
            return "текст длиннее " + std::to_string(kMaxTranscriptBytes / 1024) + " КБ";
        case TranscriptProblem::NotAMove:
            return which + " не распознан";
        case TranscriptProblem::UnknownSquare:
            return which + ": такого поля нет на доске";
        case TranscriptProblem::IllegalMove:
            return which + " невозможен: ходят " + SideName(side);
        case TranscriptProblem::NeedlessPass:
            return which + " невозможен: " + SideName(side) + " могут ходить";
        case TranscriptProblem::AfterTheEnd:
            return which + " сделан после конца партии";
    }
    return {};
}

TranscriptReadResult Refuse(TranscriptProblem problem, int number = 0, std::string_view move = {},
                            int side = White) {
    TranscriptReadResult result;
    result.problem = problem;
    result.moveNumber = number;
    result.moveText = Shown(move);
    result.error = ProblemText(problem, number, result.moveText, side);
    return result;
}

TranscriptReadResult Replay(const std::vector<Token>& tokens, int size) {
    GamePosition position;
    position.Reset(size);
    TranscriptGame game;
    game.size = size;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        const int number = static_cast<int>(i) + 1;
        if (token.kind == Token::Kind::Word) {
            return Refuse(TranscriptProblem::NotAMove, number, token.text);
        }
        if (token.kind == Token::Kind::Square && !OnBoard(token, size)) {
            return Refuse(TranscriptProblem::UnknownSquare, number, token.text);
        }
        int side = position.sideToMove;
        const bool canMove = HasLegalMove(position.board, size, side);
        if (!canMove && !HasLegalMove(position.board, size, Opponent(side))) {
            return Refuse(TranscriptProblem::AfterTheEnd, number, token.text);
        }
        if (token.kind == Token::Kind::Pass) {
            if (canMove) {
                return Refuse(TranscriptProblem::NeedlessPass, number, token.text, side);
            }
            position.sideToMove = Opponent(side);
            continue;
        }
        if (!canMove) {
            side = Opponent(side);  // a pass the transcript leaves out
        }
        const int square = SquareAt(size, token.column, size - token.number);
        if (!IsLegal(position.board, size, square, side, Opponent(side))) {
            return Refuse(TranscriptProblem::IllegalMove, number, token.text, side);
        }
        MoveEntry& entry = game.moves.emplace_back();
        entry.square = square;
        entry.side = side;
        entry.nextSide = Opponent(side);
        entry.snapshot = position.board;
        MakeMove(position.board, size, square, side, Opponent(side));
        position.sideToMove = Opponent(side);
    }
    if (game.moves.empty()) {
        return Refuse(TranscriptProblem::Empty);
    }
    TranscriptReadResult result;
    result.game = std::move(game);
    return result;
}

bool NeedsTenByTen(const std::vector<Token>& tokens) {
    return std::any_of(tokens.begin(), tokens.end(), [](const Token& token) {
        return token.kind == Token::Kind::Square && OnBoard(token, 10) && !OnBoard(token, 8);
    });
}

std::string Quoted(const std::filesystem::path& path) {
    return "«" + path.filename().string() + "»";
}

bool IsBinary(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' &&
                byte != '\v') ||
               byte == 0x7F;
    });
}

}  // namespace

std::string WriteTranscript(int size, std::span<const MoveEntry> moves) {
    std::string text;
    text.reserve(moves.size() * 3);
    for (const MoveEntry& entry : moves) {
        text += static_cast<char>('a' + ColumnOf(size, entry.square));
        text += std::to_string(size - RowOf(size, entry.square));
    }
    return text;
}

TranscriptReadResult ReadTranscript(std::string_view text, std::optional<int> size) {
    if (text.size() > kMaxTranscriptBytes) {
        return Refuse(TranscriptProblem::TooLong);
    }
    const std::vector<Token> tokens = Tokenize(text);
    if (tokens.empty()) {
        return Refuse(TranscriptProblem::Empty);
    }
    if (size) {
        return Replay(tokens, *size);
    }
    // A square beyond h8 points to the large board, and otherwise the small one comes first;
    // when neither board takes the moves, the one read further tells the more useful story.
    const int first = NeedsTenByTen(tokens) ? 10 : 8;
    TranscriptReadResult preferred = Replay(tokens, first);
    if (preferred.game) {
        return preferred;
    }
    TranscriptReadResult other = Replay(tokens, first == 8 ? 10 : 8);
    return other.game || other.moveNumber > preferred.moveNumber ? other : preferred;
}

TranscriptFileResult ReadTranscriptFile(const std::filesystem::path& path) {
    TranscriptFileResult result;
    std::ifstream in(path, std::ios::binary);
    std::error_code ignored;
    if (!in || std::filesystem::is_directory(path, ignored)) {
        result.error = "Не удалось открыть файл " + Quoted(path) + ".";
        return result;
    }
    std::string bytes(kMaxTranscriptBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        result.error = "Не удалось прочитать файл " + Quoted(path) + ".";
        return result;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (IsBinary(bytes)) {
        result.binary = true;
        result.error =
            "Файл " + Quoted(path) + " не является ни сохранённой партией, ни записью партии.";
        return result;
    }
    TranscriptReadResult read = ReadTranscript(bytes);
    result.problem = read.problem;
    result.moveNumber = read.moveNumber;
    if (!read.game) {
        result.error = "Файл " + Quoted(path) + " не является записью партии: " + read.error + ".";
    }
    result.game = std::move(read.game);
    return result;
}

void ApplyTranscriptGame(TranscriptGame game, OBoardTracker& record, GamePosition& position) {
    record.Assign(game.size, std::move(game.moves));
    record.RebuildList(0);
    position.Reset(game.size);
    record.Rewind(position);
}

bool LoadTranscript(std::string_view text, OBoardTracker& record, GamePosition& position,
                    std::string* error) {
    TranscriptReadResult read = ReadTranscript(text);
    if (!read.game) {
        if (error != nullptr) {
            *error = std::move(read.error);
        }
        return false;
    }
    ApplyTranscriptGame(std::move(*read.game), record, position);
    return true;
}

}  // namespace velmora
