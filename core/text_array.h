#pragma once
// A one-dimensional, 1-based array of Text that grows by one element at a time.

#include <vector>

#include "core/block_allocator.h"
#include "core/text.h"

namespace core {

class TextArray {
public:
    int Size() const { return static_cast<int>(m_items.size()); }
    // Element i, counted from 1; the null text outside 1..Size().
    Text At(int i) const { return (i >= 1 && i <= Size()) ? m_items[static_cast<std::size_t>(i) - 1] : Text(); }

private:
    friend void ArrayAppend(TextArray&, Text);
    friend void ArrayClear(TextArray&);
    std::vector<Text, BlockAllocator<Text>> m_items;
};

int ArraySize(const TextArray& array);
// text (the caller's copy) goes at the end, null when it is empty.
void ArrayAppend(TextArray& array, Text text);
// Releases every element; the array is then empty.
void ArrayClear(TextArray& array);
inline void ArrayRelease(TextArray& array) { ArrayClear(array); }

}  // namespace core
