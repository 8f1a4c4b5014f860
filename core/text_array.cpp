#include "core/text_array.h"

#include "core/text_ops.h"

namespace core {

int ArraySize(const TextArray& array) { return array.Size(); }

void ArrayAppend(TextArray& array, const Text& text) { array.m_items.push_back(ToText(text)); }

void ArrayClear(TextArray& array) {
    array.m_items.clear();
    array.m_items.shrink_to_fit();
}

}  // namespace core
