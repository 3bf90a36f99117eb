#include "app/audio_music_walker.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace velmora {
namespace {

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Names in letter-case-blind byte order; names equal but for case keep byte order.
bool NameBefore(const std::string& a, const std::string& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto y = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (x != y) {
            return x < y;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

}  // namespace

bool IsMusicTrackName(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    const std::string_view extension = name.substr(dot);
    constexpr std::string_view kTrackExtension = ".OGG";
    return std::equal(extension.begin(), extension.end(), kTrackExtension.begin(),
                      kTrackExtension.end(), [](char x, char y) { return AsciiUpper(x) == y; });
}

std::optional<std::string> MusicFolderWalker::Step(const std::string& folder) {
    if (open_ && ++current_ >= names_.size()) {
        Close();
    }
    if (!open_ && !Open(folder)) {
        return std::nullopt;
    }
    const std::string& name = names_[current_];
    if (!IsMusicTrackName(name)) {
        return std::nullopt;
    }
    // Directories, devices, sockets and pipes are passed over, whatever their name.
    const std::filesystem::path path = std::filesystem::path(folder_) / name;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    return path.string();
}

void MusicFolderWalker::Close() {
    open_ = false;
    names_.clear();
    current_ = 0;
}

bool MusicFolderWalker::Open(const std::string& folder) {
    Close();
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) {
        return false;
    }
    for (const std::filesystem::directory_iterator end; entries != end; entries.increment(error)) {
        if (error) {
            break;
        }
        names_.push_back(entries->path().filename().string());
    }
    if (names_.empty()) {
        return false;
    }
    std::sort(names_.begin(), names_.end(), NameBefore);
    folder_ = folder;
    open_ = true;
    return true;
}

}  // namespace velmora
