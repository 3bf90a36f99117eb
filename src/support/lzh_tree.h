#pragma once

#include <array>
#include <cstdint>

#include "support/lzh_constants.h"

namespace velmora::lzh {

// The adaptive Huffman tree shared by the decoder and the encoder. Nodes stay sorted by
// count in one array; an inner node's children are son[node] and son[node] + 1, a leaf's
// son is its symbol + T. Both sides must apply exactly the same updates.
class Tree {
  public:
    Tree() { StartHuff(); }

    void StartHuff();
    // Counts one more use of `symbol`, reordering the tree to keep it sorted.
    void Update(int symbol);

    std::uint16_t son(int node) const { return son_[node]; }
    std::uint16_t parent(int node) const { return prnt_[node]; }
    std::uint16_t freq(int node) const { return freq_[node]; }
    // The leaf node that holds `symbol`.
    int LeafOf(int symbol) const { return prnt_[symbol + T]; }

  private:
    void Reconst();

    std::array<std::uint16_t, T + 1> freq_{};  // freq_[T] is a sentinel above every count
    std::array<std::uint16_t, T> son_{};
    std::array<std::uint16_t, T + N_CHAR> prnt_{};  // from T on: the leaf of each symbol
};

}  // namespace velmora::lzh
