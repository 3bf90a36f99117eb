#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// True for names whose extension (from the last dot) is ".ogg" in any letter case.
bool IsMusicTrackName(std::string_view name);

// Walks a music folder one entry per step, over and over. The folder is listed when the walk
// opens it, sorted by name with letter case ignored, so the order does not depend on how the
// file system happens to store the entries; an empty or missing folder stays closed and is
// tried again on the next step.
class MusicFolderWalker {
  public:
    // Moves to the next entry of `folder` (the first one when the walk is closed or has run
    // out) and returns its path when it is a regular ".ogg" file worth trying.
    std::optional<std::string> Step(const std::string& folder);
    // The next step starts again from the top.
    void Close();
    bool IsOpen() const { return open_; }

  private:
    bool Open(const std::string& folder);

    std::string folder_;
    std::vector<std::string> names_;
    std::size_t current_ = 0;
    bool open_ = false;
};

}  // namespace velmora
