#pragma once

#include <string>

namespace velmora {

// A skin file that could not be used; the holder drew a stand-in picture instead.
struct ImageProblem {
    enum class Fault { Unreadable, WrongSize };

    std::string path;
    Fault fault = Fault::Unreadable;
    int foundWidth = 0;  // WrongSize only
    int foundHeight = 0;
    int expectedWidth = 0;
    int expectedHeight = 0;

    bool operator==(const ImageProblem&) const = default;
};

}  // namespace velmora
