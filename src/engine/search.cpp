#include "engine/search.h"

#include "engine/deep_search.h"
#include "engine/fast_search.h"
#include "engine/literal_search.h"

namespace velmora {

std::optional<EngineKind> ParseEngineKind(std::string_view name) {
    if (name == "literal") {
        return EngineKind::Literal;
    }
    if (name == "fast") {
        return EngineKind::Fast;
    }
    if (name == "deep") {
        return EngineKind::Deep;
    }
    return std::nullopt;
}

std::string_view EngineKindName(EngineKind kind) {
    switch (kind) {
        case EngineKind::Literal:
            return "literal";
        case EngineKind::Deep:
            return "deep";
        case EngineKind::Fast:
            break;
    }
    return "fast";
}

SearchFunction SelectSearch(int size, EngineKind kind) {
    if (kind == EngineKind::Literal) {
        return size == 10 ? &LiteralSearchOn<10> : &LiteralSearchOn<8>;
    }
    if (kind == EngineKind::Deep) {
        return size == 10 ? &DeepSearchOn<10> : &DeepSearchOn<8>;
    }
    return size == 10 ? &FastSearchOn<10> : &FastSearchOn<8>;
}

}  // namespace velmora
