#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace velmora {

// One block of pixels (0x00RRGGBB, rows bottom-up). Lock hands out the pixels only while the
// block is valid, so a failed allocation turns every drawing into a no-op instead of a crash.
class TDibMemory {
  public:
    // Blocks beyond this are refused outright: no picture of the game comes near it, and a
    // nonsense size must fail cleanly rather than exhaust memory.
    static constexpr std::size_t kMaxBytes = std::size_t{256} << 20;

    TDibMemory() = default;
    explicit TDibMemory(std::size_t bytes) { Init(bytes); }
    TDibMemory(const TDibMemory&) = delete;
    TDibMemory& operator=(const TDibMemory&) = delete;
    ~TDibMemory() { Done(); }

    // Replaces any previous block; the new one is zero-filled so that an undrawn block shows
    // black rather than leftovers.
    bool Init(std::size_t bytes);
    void Done();
    // Null when the block is not valid.
    std::uint32_t* Lock();
    void Unlock() { locked_ = false; }

    bool Valid() const { return valid_; }
    bool IsLocked() const { return locked_; }
    std::size_t SizeBytes() const { return valid_ ? bytes_ : 0; }
    std::size_t SizePixels() const { return SizeBytes() / 4; }

  private:
    std::unique_ptr<std::uint32_t[]> handle_;
    std::size_t bytes_ = 0;
    bool locked_ = false;
    bool valid_ = false;
};

// Locks a block for one routine and unlocks it on the way out; tolerates a null block.
class DibLock {
  public:
    explicit DibLock(TDibMemory* block) : block_(block), bits_(block ? block->Lock() : nullptr) {}
    DibLock(const DibLock&) = delete;
    DibLock& operator=(const DibLock&) = delete;
    ~DibLock() {
        if (block_ != nullptr) {
            block_->Unlock();
        }
    }
    std::uint32_t* Bits() const { return bits_; }
    std::size_t Pixels() const { return bits_ != nullptr ? block_->SizePixels() : 0; }

  private:
    TDibMemory* block_;
    std::uint32_t* bits_;
};

}  // namespace velmora
