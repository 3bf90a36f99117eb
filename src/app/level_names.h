#pragma once

namespace velmora {

// The computer's ten levels as the lists show them; the index is the stored "level" value.
inline constexpr int kLevelCount = 10;
inline constexpr const char* kLevelNames[kLevelCount] = {
    "0-новичок", "1-начинающий",   "2-ученик",  "3-студент",   "4-опытный",
    "5-знаток",  "6-профессионал", "7-магистр", "8-профессор", "9-корифей"};

// The two search algorithms, index 1 being the advanced one.
inline constexpr const char* kAlgorithmNames[2] = {"Обычный", "Усложнённый"};

}  // namespace velmora
