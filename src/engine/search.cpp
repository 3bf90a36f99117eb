#include "engine/search.h"

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
    return std::nullopt;
}

std::string_view EngineKindName(EngineKind kind) {
    return kind == EngineKind::Literal ? "literal" : "fast";
}

SearchFunction SelectSearch(int size, EngineKind kind) {
    if (kind == EngineKind::Literal) {
        return size == 10 ? &LiteralSearchOn<10> : &LiteralSearchOn<8>;
    }
    return size == 10 ? &FastSearchOn<10> : &FastSearchOn<8>;
}

}  // namespace velmora
