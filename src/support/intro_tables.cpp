#include "support/intro_tables.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace velmora {

namespace {

std::unique_ptr<IntroTables> BuildTables() {
    auto tables = std::make_unique<IntroTables>();
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            tables->multiply[a * 256 + b] = static_cast<std::uint8_t>(a * b / 256);
        }
    }
    for (int i = 0; i < IntroTables::kAngleSteps; ++i) {
        const double angle = i * std::numbers::pi / 1024;
        tables->sine[i] = static_cast<float>(std::sin(angle));
        tables->cosine[i] = static_cast<float>(std::cos(angle));
    }
    for (int i = 0; i < IntroTables::kFixedAngleSteps; ++i) {
        const double angle = i * std::numbers::pi / 16384;
        tables->fixedSine[i] = static_cast<std::int32_t>(std::lround(65536 * std::sin(angle)));
        tables->fixedCosine[i] = static_cast<std::int32_t>(std::lround(65536 * std::cos(angle)));
    }
    return tables;
}

}  // namespace

const IntroTables& GetIntroTables() {
    static const std::unique_ptr<IntroTables> tables = BuildTables();
    return *tables;
}

}  // namespace velmora
