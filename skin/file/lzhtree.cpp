#include "lzhtree.h"

#include <algorithm>

TLZHTree::TLZHTree()
{
    for (int c = 0; c < N_CHAR; ++c) {
        freq[c] = 1;
        son[c] = c + T;
        prnt[c + T] = c;
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        freq[j] = freq[i] + freq[i + 1];
        son[j] = i;
        prnt[i] = prnt[i + 1] = j;
    }
    freq[T] = 0xFFFF;  // sentinel: stops the upward scan in UpdateTree
    prnt[R] = 0;
}

void TLZHTree::RebuildTree()
{
    // Keep the leaves, halving their counts, in their present order.
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (son[i] >= T) {
            freq[j] = (freq[i] + 1) / 2;
            son[j] = son[i];
            ++j;
        }
    }
    // Join pairs from the front; each new node goes where its count keeps the order.
    for (int i = 0, n = N_CHAR; n < T; i += 2, ++n) {
        const unsigned f = freq[i] + freq[i + 1];
        int k = n - 1;
        while (f < freq[k])
            --k;
        ++k;
        std::copy_backward(freq.begin() + k, freq.begin() + n, freq.begin() + n + 1);
        std::copy_backward(son.begin() + k, son.begin() + n, son.begin() + n + 1);
        freq[k] = f;
        son[k] = i;
    }
    for (int i = 0; i < T; ++i) {
        const int k = son[i];
        prnt[k] = i;
        if (k < T)
            prnt[k + 1] = i;
    }
}

void TLZHTree::UpdateTree(int Symbol)
{
    if (freq[R] == MAX_FREQ)
        RebuildTree();
    int c = prnt[Symbol + T];
    do {
        const unsigned k = ++freq[c];
        if (k > freq[c + 1]) {
            // Swap with the last node that now counts less, to keep the order.
            int l = c + 1;
            while (k > freq[l + 1])
                ++l;
            freq[c] = freq[l];
            freq[l] = k;

            const int i = son[c];
            prnt[i] = l;
            if (i < T)
                prnt[i + 1] = l;

            const int j = son[l];
            son[l] = i;
            prnt[j] = c;
            if (j < T)
                prnt[j + 1] = c;
            son[c] = j;

            c = l;
        }
        c = prnt[c];
    } while (c != 0);
}
