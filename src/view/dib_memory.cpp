#include "view/dib_memory.h"

#include <new>

namespace velmora {

bool TDibMemory::Init(std::size_t bytes) {
    Done();
    if (bytes <= kMaxBytes) {
        const std::size_t pixels = (bytes + 3) / 4;
        handle_.reset(new (std::nothrow) std::uint32_t[pixels == 0 ? 1 : pixels]());
    }
    valid_ = handle_ != nullptr;
    bytes_ = valid_ ? bytes : 0;
    locked_ = false;
    return valid_;
}

void TDibMemory::Done() {
    Unlock();
    handle_.reset();
    valid_ = false;
    bytes_ = 0;
}

std::uint32_t* TDibMemory::Lock() {
    if (!valid_) {
        return nullptr;
    }
    locked_ = true;
    return handle_.get();
}

}  // namespace velmora
