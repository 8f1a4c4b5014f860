#include "core/text_array.h"

#include <utility>

namespace core {

int ArraySize(const TextArray& array) { return array.Size(); }

void ArrayAppend(TextArray& array, Text text) {
    array.m_items.push_back(text.IsEmpty() ? Text() : std::move(text));
}

void ArrayClear(TextArray& array) {
    array.m_items.clear();
    array.m_items.shrink_to_fit();
}

}  // namespace core
