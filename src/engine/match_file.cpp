#include "engine/match_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <random>

#include "engine/rules.h"

namespace velmora {

namespace {

// "0ZVQ", "1ZVQ", "2ZVQ": the version digit, then "ZVQ".
constexpr std::uint8_t kSignatureTail[3] = {0x5A, 0x56, 0x51};

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

std::int32_t GetInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) {
        bits = (bits << 8) | bytes[offset + static_cast<std::size_t>(i)];
    }
    return static_cast<std::int32_t>(bits);
}

int MaxMoves(int size) {
    return size * size - 4;
}

// The search walks runs until they meet the ring, so the ring must be whole and the
// playing squares must hold no Border.
bool IsSoundSnapshot(const Board& board, int size) {
    for (int cell = 0; cell < kBoardCells; ++cell) {
        const std::uint8_t value = board[cell];
        if (value > Black) {
            return false;
        }
        if ((value == Border) == IsPlayingSquare(size, cell)) {
            return false;
        }
    }
    return true;
}

MatchProblem CheckMove(const MoveEntry& entry, int size) {
    if (!IsPlayingSquare(size, entry.square)) {
        return MatchProblem::BadSquare;
    }
    if (!IsSide(entry.side)) {
        return MatchProblem::BadSide;
    }
    if (entry.nextSide != Opponent(entry.side)) {
        return MatchProblem::BadNextSide;
    }
    if (!IsSoundSnapshot(entry.snapshot, size)) {
        return MatchProblem::BadSnapshot;
    }
    // Every move the program records was legal where it was played.
    if (!IsLegal(entry.snapshot, size, entry.square, entry.side, entry.nextSide)) {
        return MatchProblem::IllegalMove;
    }
    return MatchProblem::None;
}

std::optional<bool> GetFlag(std::uint8_t byte) {
    if (byte > 1) {
        return std::nullopt;
    }
    return byte == 1;
}

MatchDecodeResult Refuse(MatchProblem problem, int moveNumber = 0) {
    MatchDecodeResult result;
    result.problem = problem;
    result.moveNumber = moveNumber;
    return result;
}

std::string Quoted(const std::filesystem::path& path) {
    return "«" + path.filename().string() + "»";
}

std::string CannotWriteMessage(const std::filesystem::path& path, const std::string& reason = {}) {
    return "Не удалось сохранить партию в файл " + Quoted(path) +
           (reason.empty() ? "" : ": " + reason) + ".";
}

bool WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// Follows symbolic links to the file they name, so a save writes through a link instead of
// replacing it; false for a loop.
bool ResolveLinks(const std::filesystem::path& path, std::filesystem::path* target) {
    std::filesystem::path current = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code code;
        if (!std::filesystem::is_symlink(current, code)) {
            *target = current;
            return true;
        }
        const std::filesystem::path link = std::filesystem::read_symlink(current, code);
        if (code) {
            return false;
        }
        current = link.is_absolute() ? link : FolderOf(current) / link;
    }
    return false;
}

// Creates a file of a fresh, short name beside the target (a long target name must not push
// it past the name limit); -1 when the folder refuses.
int CreateTemporaryBeside(const std::filesystem::path& target, std::filesystem::path* created,
                          mode_t mode) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        // Appended piece by piece: GCC 12 at -O3 takes "literal" + string for overlapping copies.
        std::string name = ".qvz";
        name += std::to_string(random() % 1000000);
        name += ".tmp";
        const std::filesystem::path candidate = FolderOf(target) / name;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            *created = candidate;
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

// Writes the bytes to a new file that then replaces the target, so the target is always
// the old file or the new one. Where the file system allows, the new file has no name until
// it is whole, so a crash while writing leaves nothing behind.
bool ReplaceFile(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes,
                 mode_t mode) {
    const std::filesystem::path folder = FolderOf(target);
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    const bool unnamed = fd >= 0;
    std::filesystem::path temporary;
    if (!unnamed) {
        fd = CreateTemporaryBeside(target, &temporary, mode);
        if (fd < 0) {
            return false;
        }
    } else {
        ::fchmod(fd, mode);
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (ok && unnamed) {
        // The whole file gets a short-lived name of its own, then takes the target's.
        std::random_device seed;
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        for (int attempt = 0; attempt < 16; ++attempt) {
            temporary = folder / (".qvz" + std::to_string(seed() % 1000000) + ".tmp");
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) ==
                0) {
                break;
            }
            ok = errno == EEXIST;
            temporary.clear();
            if (!ok) {
                break;
            }
        }
        ok = ok && !temporary.empty();
    }
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok && !temporary.empty()) {
        ::unlink(temporary.c_str());
    }
    return ok;
}

}  // namespace

void StoredMatchSettings::ApplyTo(MatchSettings& settings) const {
    settings.computerSide = computerSide;
    settings.versusComputer = versusComputer;
    if (training) {
        settings.training = *training;
    }
    if (novice) {
        settings.novice = *novice;
    }
    if (advanced) {
        settings.advanced = *advanced;
    }
    if (level) {
        settings.level = *level;
    }
}

std::size_t MatchTailBytes(int version) {
    switch (version) {
        case 0:
            return 5;
        case 1:
            return 6;
        default:
            return 12;
    }
}

std::size_t MaxMatchFileBytes() {
    return kMatchHeaderBytes + kMoveEntryBytes * static_cast<std::size_t>(MaxMoves(10)) +
           MatchTailBytes(kMatchFileVersion);
}

std::vector<std::uint8_t> EncodeMatch(int size, std::span<const MoveEntry> moves,
                                      const MatchSettings& settings) {
    std::vector<std::uint8_t> out;
    out.reserve(kMatchHeaderBytes + kMoveEntryBytes * moves.size() +
                MatchTailBytes(kMatchFileVersion));
    out.push_back(static_cast<std::uint8_t>('0' + kMatchFileVersion));
    // Byte by byte: GCC 12 misreads a range insert right after a push_back as an overread.
    for (const std::uint8_t byte : kSignatureTail) {
        out.push_back(byte);
    }
    PutInt32(out, size);
    PutInt32(out, static_cast<std::int32_t>(moves.size()));
    for (const MoveEntry& entry : moves) {
        PutInt32(out, entry.square);
        PutInt32(out, entry.side);
        PutInt32(out, entry.nextSide);
        out.insert(out.end(), entry.snapshot.begin(), entry.snapshot.end());
    }
    PutInt32(out, settings.computerSide);
    out.push_back(settings.versusComputer ? 1 : 0);
    out.push_back(settings.training ? 1 : 0);
    out.push_back(settings.novice ? 1 : 0);
    out.push_back(settings.advanced ? 1 : 0);
    PutInt32(out, settings.level);
    return out;
}

MatchDecodeResult DecodeMatch(std::span<const std::uint8_t> bytes) {
    // 1. Signature: the version digit, then "ZVQ".
    if (bytes.size() < 4 || bytes[0] < '0' || bytes[0] > '2' ||
        !std::equal(std::begin(kSignatureTail), std::end(kSignatureTail), bytes.begin() + 1)) {
        return Refuse(MatchProblem::BadSignature);
    }
    SavedMatch match;
    match.version = bytes[0] - '0';

    // 2. Header, then the length the count implies, before anything is allocated.
    if (bytes.size() < kMatchHeaderBytes) {
        return Refuse(MatchProblem::EndsEarly);
    }
    match.size = GetInt32(bytes, 4);
    if (!IsValidBoardSize(match.size)) {
        return Refuse(MatchProblem::BadSize);
    }
    const std::int32_t count = GetInt32(bytes, 8);
    if (count < 0 || count > MaxMoves(match.size)) {
        return Refuse(MatchProblem::BadCount);
    }
    const std::size_t movesEnd =
        kMatchHeaderBytes + kMoveEntryBytes * static_cast<std::size_t>(count);
    const std::size_t expected = movesEnd + MatchTailBytes(match.version);
    if (bytes.size() < expected) {
        return Refuse(MatchProblem::EndsEarly);
    }
    if (bytes.size() > expected) {
        return Refuse(MatchProblem::TrailingBytes);
    }

    // 3. The moves, each checked against its own snapshot, and each snapshot against the
    // position the moves before it lead to: a game starts from the start position, and a
    // side moves twice only when the other had to pass.
    match.moves.resize(static_cast<std::size_t>(count));
    Board chained{};
    InitBoard(chained, match.size);
    int expectedSide = White;
    std::size_t offset = kMatchHeaderBytes;
    for (int i = 0; i < count; ++i) {
        MoveEntry& entry = match.moves[static_cast<std::size_t>(i)];
        entry.square = GetInt32(bytes, offset);
        entry.side = GetInt32(bytes, offset + 4);
        entry.nextSide = GetInt32(bytes, offset + 8);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset + 12), kBoardCells,
                    entry.snapshot.begin());
        offset += kMoveEntryBytes;
        if (const MatchProblem problem = CheckMove(entry, match.size);
            problem != MatchProblem::None) {
            return Refuse(problem, i + 1);
        }
        if (entry.snapshot != chained ||
            (entry.side != expectedSide && HasLegalMove(chained, match.size, expectedSide))) {
            return Refuse(MatchProblem::BrokenChain, i + 1);
        }
        MakeMove(chained, match.size, entry.square, entry.side, entry.nextSide);
        expectedSide = entry.nextSide;
    }

    // 4. The settings this version holds.
    StoredMatchSettings& settings = match.settings;
    settings.computerSide = GetInt32(bytes, offset);
    if (!IsSide(settings.computerSide)) {
        return Refuse(MatchProblem::BadComputerSide);
    }
    const std::optional<bool> versus = GetFlag(bytes[offset + 4]);
    if (!versus) {
        return Refuse(MatchProblem::BadFlag);
    }
    settings.versusComputer = *versus;
    if (match.version >= 1) {
        settings.training = GetFlag(bytes[offset + 5]);
        if (!settings.training) {
            return Refuse(MatchProblem::BadFlag);
        }
    }
    if (match.version >= 2) {
        settings.novice = GetFlag(bytes[offset + 6]);
        settings.advanced = GetFlag(bytes[offset + 7]);
        if (!settings.novice || !settings.advanced) {
            return Refuse(MatchProblem::BadFlag);
        }
        settings.level = GetInt32(bytes, offset + 8);
        if (*settings.level < 1 || *settings.level > 9) {
            return Refuse(MatchProblem::BadLevel);
        }
    }
    MatchDecodeResult result;
    result.match = std::move(match);
    return result;
}

std::string MatchProblemText(MatchProblem problem, int moveNumber) {
    const std::string move = std::to_string(moveNumber);
    switch (problem) {
        case MatchProblem::None:
            return {};
        case MatchProblem::BadSignature:
            return "это не сохранённая партия";
        case MatchProblem::EndsEarly:
            return "файл обрывается раньше конца партии";
        case MatchProblem::TrailingBytes:
            return "после конца партии есть лишние данные";
        case MatchProblem::BadSize:
            return "неверный размер поля";
        case MatchProblem::BadCount:
            return "неверное число ходов";
        case MatchProblem::BadSquare:
            return "неверное поле в ходе " + move;
        case MatchProblem::BadSide:
            return "неверный цвет в ходе " + move;
        case MatchProblem::BadNextSide:
            return "неверная очерёдность в ходе " + move;
        case MatchProblem::BadSnapshot:
            return "неверная позиция перед ходом " + move;
        case MatchProblem::IllegalMove:
            return "невозможный ход " + move;
        case MatchProblem::BrokenChain:
            return "ход " + move + " не следует из предыдущих";
        case MatchProblem::BadComputerSide:
            return "неверный цвет компьютера";
        case MatchProblem::BadFlag:
            return "неверные настройки игры";
        case MatchProblem::BadLevel:
            return "неверный уровень компьютера";
    }
    return {};
}

MatchReadResult ReadMatchFile(const std::filesystem::path& path) {
    MatchReadResult result;
    // Non-blocking, so that a pipe or a device cannot hold the caller before it is refused.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0) {
            ::close(fd);
        }
        result.error = "Не удалось открыть файл " + Quoted(path) + ".";
        return result;
    }
    // One byte more than the longest valid match is enough to tell that a file is too long.
    std::vector<std::uint8_t> bytes(MaxMatchFileBytes() + 1);
    std::size_t done = 0;
    bool failed = false;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            failed = got < 0;
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (failed) {
        result.error = "Не удалось прочитать файл " + Quoted(path) + ".";
        return result;
    }
    bytes.resize(done);
    MatchDecodeResult decoded = DecodeMatch(bytes);
    if (decoded.problem == MatchProblem::BadSignature) {
        result.error = "Файл " + Quoted(path) + " не является сохранённой партией.";
    } else if (!decoded.match) {
        result.error = "Файл " + Quoted(path) + " повреждён и не может быть открыт: " +
                       MatchProblemText(decoded.problem, decoded.moveNumber) + ".";
    }
    result.match = std::move(decoded.match);
    return result;
}

bool WriteMatch(const OBoardTracker& record, const MatchSettings& settings,
                const std::filesystem::path& path, std::string* error) {
    const auto fail = [error](std::string message) {
        if (error != nullptr) {
            *error = std::move(message);
        }
        return false;
    };
    const std::vector<std::uint8_t> bytes = EncodeMatch(record.Size(), record.Moves(), settings);
    // Never write a file that this program would then refuse to open.
    if (const MatchDecodeResult check = DecodeMatch(bytes); !check.match) {
        return fail(CannotWriteMessage(path, MatchProblemText(check.problem, check.moveNumber)));
    }
    std::filesystem::path target;
    if (!ResolveLinks(path, &target)) {
        return fail(CannotWriteMessage(path));
    }
    // A replaced file keeps its permissions; a new one gets the usual ones.
    mode_t mode = 0666;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            return fail(CannotWriteMessage(path, "это не обычный файл"));
        }
        if ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
            return fail(CannotWriteMessage(path, "файл защищён от записи"));
        }
        mode = existing.st_mode & 07777;
    }
    if (!ReplaceFile(target, bytes, mode)) {
        return fail(CannotWriteMessage(path));
    }
    return true;
}

void ApplySavedMatch(SavedMatch match, OBoardTracker& record, GamePosition& position,
                     MatchSettings& settings) {
    match.settings.ApplyTo(settings);
    record.Assign(match.size, std::move(match.moves));
    record.RebuildList(0);
    position.Reset(match.size);
    record.Rewind(position);
}

bool LoadMatch(const std::filesystem::path& path, OBoardTracker& record, GamePosition& position,
               MatchSettings& settings, std::string* error) {
    MatchReadResult read = ReadMatchFile(path);
    if (!read.match) {
        if (error != nullptr) {
            *error = std::move(read.error);
        }
        return false;
    }
    ApplySavedMatch(std::move(*read.match), record, position, settings);
    return true;
}

}  // namespace velmora
