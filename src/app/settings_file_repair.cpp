#include "app/settings_file_repair.h"

#include <algorithm>
#include <cctype>

namespace velmora {

namespace {

constexpr std::string_view kStatisticsKey = "Statistics";
constexpr std::string_view kByteArrayPrefix = "@ByteArray(";

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// Decodes one UTF-8 character at text[i]; -1 for a malformed one.
long NextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char first = byte(i);
    int extra = 0;
    long value = 0;
    if (first < 0x80) {
        ++i;
        return first;
    }
    if ((first & 0xE0) == 0xC0) {
        extra = 1;
        value = first & 0x1F;
    } else if ((first & 0xF0) == 0xE0) {
        extra = 2;
        value = first & 0x0F;
    } else if ((first & 0xF8) == 0xF0) {
        extra = 3;
        value = first & 0x07;
    } else {
        return -1;
    }
    if (i + static_cast<std::size_t>(extra) >= text.size()) {
        return -1;
    }
    for (int k = 1; k <= extra; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80) {
            return -1;
        }
        value = (value << 6) | (next & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return value;
}

// Text the INI reader takes as it stands: UTF-8 without control characters.
bool IsPlainText(std::string_view line) {
    for (std::size_t i = 0; i < line.size();) {
        const long c = NextCodePoint(line, i);
        if (c < 0 || (c < 0x20 && c != '\t') || c == 0x7F) {
            return false;
        }
    }
    return true;
}

// A value is whole when every quote it opens is closed and no backslash is left hanging
// at its end (the reader would join the next line to it).
bool IsWholeValue(std::string_view value) {
    bool quoted = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\') {
            if (++i == value.size()) {
                return false;
            }
        } else if (value[i] == '"') {
            quoted = !quoted;
        }
    }
    return !quoted;
}

bool IsHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

long HexValue(char c) {
    return c <= '9' ? c - '0' : (std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
}

// The bytes of a "@ByteArray(...)" value as the INI writer escapes them, read up to the
// first thing that is not part of one (a cut, the closing parenthesis). Sets whole when the
// closing parenthesis was found.
std::vector<std::uint8_t> DecodeByteArray(std::string_view value, bool* whole) {
    *whole = false;
    std::vector<std::uint8_t> out;
    std::size_t i = 0;
    const auto push = [&out](long code) {
        if (code < 0 || code > 0xFF) {
            return false;
        }
        out.push_back(static_cast<std::uint8_t>(code));
        return true;
    };
    while (i < value.size()) {
        const char c = value[i];
        if (c == '"') {
            ++i;
            continue;
        }
        if (c == ')') {
            *whole = Trim(value.substr(i + 1)).find_first_not_of('"') == std::string_view::npos;
            return out;
        }
        if (c != '\\') {
            if (!push(NextCodePoint(value, i))) {
                return out;
            }
            continue;
        }
        if (++i == value.size()) {
            return out;
        }
        const char e = value[i++];
        long code = -1;
        switch (e) {
            case 'a':
                code = '\a';
                break;
            case 'b':
                code = '\b';
                break;
            case 'f':
                code = '\f';
                break;
            case 'n':
                code = '\n';
                break;
            case 'r':
                code = '\r';
                break;
            case 't':
                code = '\t';
                break;
            case 'v':
                code = '\v';
                break;
            case '"':
            case '\\':
            case '\'':
            case '?':
                code = e;
                break;
            case 'x': {
                if (i == value.size() || !IsHex(value[i])) {
                    return out;
                }
                code = 0;
                while (i < value.size() && IsHex(value[i])) {
                    code = code * 16 + HexValue(value[i]);
                    ++i;
                    if (code > 0xFF) {
                        return out;
                    }
                }
                break;
            }
            default:
                if (e < '0' || e > '7') {
                    return out;
                }
                code = e - '0';
                while (i < value.size() && value[i] >= '0' && value[i] <= '7') {
                    code = code * 8 + (value[i] - '0');
                    ++i;
                    if (code > 0xFF) {
                        return out;
                    }
                }
                break;
        }
        if (!push(code)) {
            return out;
        }
    }
    return out;
}

}  // namespace

SettingsFileRepair ExamineSettingsFile(std::string_view bytes, std::size_t statisticsBytes) {
    SettingsFileRepair repair;
    bool topLevel = true;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string_view trimmed = Trim(line);
        bool clean = IsPlainText(line);
        bool statisticsLine = false;
        if (clean && !trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '#') {
            if (trimmed.front() == '[') {
                clean = trimmed.back() == ']' && trimmed.size() > 2;
                topLevel = trimmed == "[General]";
            } else {
                const std::size_t equals = trimmed.find('=');
                clean = equals != std::string_view::npos && equals > 0 &&
                        IsWholeValue(trimmed.substr(equals + 1));
                statisticsLine = topLevel && equals != std::string_view::npos &&
                                 Trim(trimmed.substr(0, equals)) == kStatisticsKey;
            }
        } else if (!clean) {
            // A statistics line with binary bytes in it is still worth reading.
            statisticsLine = topLevel && trimmed.substr(0, kStatisticsKey.size() + 1) ==
                                             std::string(kStatisticsKey) + "=";
        }
        if (statisticsLine) {
            std::string_view value = Trim(trimmed.substr(trimmed.find('=') + 1));
            if (!value.empty() && value.front() == '"') {
                value.remove_prefix(1);
            }
            bool whole = false;
            std::vector<std::uint8_t> table;
            if (value.substr(0, kByteArrayPrefix.size()) == kByteArrayPrefix) {
                table = DecodeByteArray(value.substr(kByteArrayPrefix.size()), &whole);
            }
            if (!clean || !whole || table.size() > statisticsBytes) {
                // A longer value is no table of ours; a shorter one fills only its length.
                repair.damaged = true;
                if (!table.empty() && table.size() <= statisticsBytes) {
                    repair.statistics = std::move(table);
                }
                continue;
            }
        }
        if (!clean) {
            repair.damaged = true;
            continue;
        }
        repair.cleanText.append(line);
        repair.cleanText.push_back('\n');
    }
    return repair;
}

}  // namespace velmora
