#pragma once
// Cutting values out of a text by the markers that stand around them.

#include "core/text.h"
#include "core/text_array.h"

namespace lookup {

// Single mode: the bytes after the first startMarker and before the first
// endMarker that follows it. Batch mode: every such value, in order, into
// *results; gives their number as decimal text. Markers are found without
// regard to the case of ASCII letters, only where a character begins.
// edgeOnMiss: an empty or absent marker stands for the edge of the text.
// results (emptied at every call) may be null: a temporary array is used.
core::Text ExtractBetween(const core::Text& source, const core::Text& startMarker = {},
                          const core::Text& endMarker = {}, bool batch = false,
                          core::TextArray* results = nullptr, bool edgeOnMiss = false);

}  // namespace lookup
