#include <iostream>
#include <string>
#include <vector>

#include "velmora-engine/engine_command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return velmora::RunEngineCommand(args, std::cout, std::cerr);
}
