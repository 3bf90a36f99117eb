#include "engine/deep_search.h"

#include <mutex>
#include <thread>
#include <vector>

#include "engine/deep_table.h"
#include "engine/fast_search.h"
#include "engine/fast_search_variants.h"

namespace velmora {

namespace {

std::atomic<int> gThreads{0};

// Big enough for a level-9 search of either size; filled lazily by the operating system.
constexpr std::size_t kBuckets = std::size_t{1} << 17;
constexpr std::size_t kHints = std::size_t{1} << 20;

template <int Size>
struct TablePool {
    std::mutex mutex;
    std::vector<std::unique_ptr<DeepTable<Size>>> idle;
};

template <int Size>
TablePool<Size>& Pool() {
    static TablePool<Size> pool;
    return pool;
}

template <int Size>
SearchResult DeepSearchWith(const Board& board, int sideToMove, const SearchSettings& settings,
                            const std::atomic<bool>* stop, int threads) {
    if (threads <= 0) {
        threads = static_cast<int>(std::thread::hardware_concurrency());
        threads = threads > 0 ? threads : 1;
    }
    switch (SelectedFastSearchBuild()) {
        case FastSearchBuild::Avx512:
            return fast_avx512::DeepSearchVariant<Size>(board, sideToMove, settings, stop, threads);
        case FastSearchBuild::Avx2:
            return fast_avx2::DeepSearchVariant<Size>(board, sideToMove, settings, stop, threads);
        case FastSearchBuild::Popcnt:
            return fast_popcnt::DeepSearchVariant<Size>(board, sideToMove, settings, stop, threads);
        case FastSearchBuild::Portable:
            break;
    }
    return fast_portable::DeepSearchVariant<Size>(board, sideToMove, settings, stop, threads);
}

}  // namespace

template <int Size>
DeepTableLease<Size>::DeepTableLease() : table_(nullptr) {
    TablePool<Size>& pool = Pool<Size>();
    {
        const std::lock_guard<std::mutex> lock(pool.mutex);
        if (!pool.idle.empty()) {
            table_ = pool.idle.back().release();
            pool.idle.pop_back();
        }
    }
    if (table_ == nullptr) {
        table_ = new DeepTable<Size>;
        table_->bucketMask = kBuckets - 1;
        table_->buckets = std::make_unique<DeepBucket<Size>[]>(kBuckets);
        table_->hintMask = kHints - 1;
        table_->hints = std::make_unique<std::atomic<std::uint32_t>[]>(kHints);
        for (std::size_t i = 0; i < kHints; ++i) {
            table_->hints[i].store(0xFF, std::memory_order_relaxed);
        }
    }
    // A new generation hides every entry of earlier searches; when the count wraps, the
    // entries are really cleared.
    if (++table_->generation == 0) {
        for (std::size_t i = 0; i <= table_->bucketMask; ++i) {
            for (DeepEntry<Size>& e : table_->buckets[i].entries) {
                e.generation = 0;
            }
        }
        table_->generation = 1;
    }
}

template <int Size>
DeepTableLease<Size>::~DeepTableLease() {
    TablePool<Size>& pool = Pool<Size>();
    const std::lock_guard<std::mutex> lock(pool.mutex);
    pool.idle.emplace_back(table_);
}

template class DeepTableLease<8>;
template class DeepTableLease<10>;

template <int Size>
SearchResult DeepSearchOn(const Board& board, int sideToMove, const SearchSettings& settings,
                          const std::atomic<bool>* stop) {
    return DeepSearchWith<Size>(board, sideToMove, settings, stop, DeepSearchThreads());
}

template SearchResult DeepSearchOn<8>(const Board&, int, const SearchSettings&,
                                      const std::atomic<bool>*);
template SearchResult DeepSearchOn<10>(const Board&, int, const SearchSettings&,
                                       const std::atomic<bool>*);

SearchResult DeepSearch(int size, const Board& board, int sideToMove,
                        const SearchSettings& settings, const std::atomic<bool>* stop,
                        int threads) {
    return size == 10 ? DeepSearchWith<10>(board, sideToMove, settings, stop, threads)
                      : DeepSearchWith<8>(board, sideToMove, settings, stop, threads);
}

void SetDeepSearchThreads(int threads) {
    gThreads.store(threads > 0 ? threads : 0, std::memory_order_relaxed);
}

int DeepSearchThreads() {
    return gThreads.load(std::memory_order_relaxed);
}

}  // namespace velmora
