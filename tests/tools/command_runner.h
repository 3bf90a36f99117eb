#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "velmora-engine/engine_command.h"

namespace velmora::testing {

// What one run of the engine command printed and answered.
struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome RunCommand(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunEngineCommand(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace velmora::testing
