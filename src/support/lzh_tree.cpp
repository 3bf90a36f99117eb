#include "support/lzh_tree.h"

#include <algorithm>

namespace velmora::lzh {

void Tree::StartHuff() {
    for (int i = 0; i < N_CHAR; ++i) {
        freq_[i] = 1;
        son_[i] = static_cast<std::uint16_t>(i + T);
        prnt_[i + T] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        freq_[j] = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
        son_[j] = static_cast<std::uint16_t>(i);
        prnt_[i] = prnt_[i + 1] = static_cast<std::uint16_t>(j);
    }
    freq_[T] = 0xFFFF;
    prnt_[R] = 0;
}

void Tree::Reconst() {
    // 1. Gather the leaves at the front, halving their counts.
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (son_[i] >= T) {
            freq_[j] = static_cast<std::uint16_t>((freq_[i] + 1) / 2);
            son_[j] = son_[i];
            ++j;
        }
    }
    // 2. Rebuild the inner nodes, each inserted where it keeps the counts sorted.
    for (int i = 0, node = N_CHAR; node < T; i += 2, ++node) {
        const std::uint16_t f = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
        int k = node - 1;
        while (f < freq_[k]) {
            --k;
        }
        ++k;
        std::copy_backward(freq_.begin() + k, freq_.begin() + node, freq_.begin() + node + 1);
        std::copy_backward(son_.begin() + k, son_.begin() + node, son_.begin() + node + 1);
        freq_[k] = f;
        son_[k] = static_cast<std::uint16_t>(i);
    }
    // 3. Relink the parents.
    for (int i = 0; i < T; ++i) {
        const int k = son_[i];
        if (k >= T) {
            prnt_[k] = static_cast<std::uint16_t>(i);
        } else {
            prnt_[k] = prnt_[k + 1] = static_cast<std::uint16_t>(i);
        }
    }
}

void Tree::Update(int symbol) {
    if (freq_[R] == MAX_FREQ) {
        Reconst();
    }
    int c = prnt_[symbol + T];
    do {
        const std::uint16_t k = ++freq_[c];
        // Swap with the last node of a lower count so the order holds.
        if (k > freq_[c + 1]) {
            int l = c + 1;
            while (k > freq_[l]) {
                ++l;
            }
            --l;
            freq_[c] = freq_[l];
            freq_[l] = k;

            const int i = son_[c];
            prnt_[i] = static_cast<std::uint16_t>(l);
            if (i < T) {
                prnt_[i + 1] = static_cast<std::uint16_t>(l);
            }
            const int j = son_[l];
            son_[l] = static_cast<std::uint16_t>(i);
            prnt_[j] = static_cast<std::uint16_t>(c);
            if (j < T) {
                prnt_[j + 1] = static_cast<std::uint16_t>(c);
            }
            son_[c] = static_cast<std::uint16_t>(j);
            c = l;
        }
        c = prnt_[c];
    } while (c != 0);
}

}  // namespace velmora::lzh
