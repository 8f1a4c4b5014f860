#include "lookup/extract_between.h"

#include <string_view>

#include "core/text_ops.h"
#include "core/user.h"

namespace lookup {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Markers are always searched without regard to case.
std::size_t Find(std::string_view text, std::string_view marker, std::size_t from) {
    return core::FindBytes(text, marker, from, true);
}

core::Text Single(std::string_view source, std::string_view start, std::string_view end, bool edgeOnMiss) {
    if (start.empty() && end.empty()) return edgeOnMiss ? core::MakeText(source) : core::Text();

    std::string_view rest = source;
    if (start.empty()) {
        if (!edgeOnMiss) return {};
    } else {
        const std::size_t p = Find(source, start, 0);
        if (p == kNone) {
            if (!edgeOnMiss) return {};
        } else {
            rest = source.substr(p + start.size());
        }
    }

    if (end.empty()) return edgeOnMiss ? core::MakeText(rest) : core::Text();
    const std::size_t q = Find(rest, end, 0);
    if (q == kNone) return edgeOnMiss ? core::MakeText(rest) : core::Text();
    return core::MakeText(rest.substr(0, q));
}

// Each pass begins where the previous one left the rest of the text. Working
// with offsets instead of copies of the rest keeps the whole run linear.
int Batch(std::string_view source, std::string_view start, std::string_view end, core::TextArray& results) {
    std::size_t rest = 0;  // where the part still to be searched begins
    std::size_t p = Find(source, start, rest);
    while (p != kNone) {
        rest = p + start.size();
        const std::size_t q = Find(source, end, rest);
        if (q != kNone) {
            core::ArrayAppend(results, core::MakeText(source.substr(rest, q - rest)));
            rest = q + end.size();
        } else if (end.size() > 2) {
            // Without an end marker the rest loses its first (length - 2) bytes
            // and the search goes on there.
            rest = std::min(source.size(), rest + end.size() - 2);
        }
        p = Find(source, start, rest);
        core::ProcessEvents();
    }
    return core::ArraySize(results);
}

}  // namespace

core::Text ExtractBetween(const core::Text& source, const core::Text& startMarker, const core::Text& endMarker,
                          bool batch, core::TextArray* results, bool edgeOnMiss) {
    core::TextArray temporary;
    core::TextArray& values = results ? *results : temporary;
    core::ArrayClear(values);

    if (!batch) return Single(source.View(), startMarker.View(), endMarker.View(), edgeOnMiss);
    if (startMarker.IsEmpty() || endMarker.IsEmpty()) return edgeOnMiss ? core::ToText(source) : core::Text();
    return core::ToText(Batch(source.View(), startMarker.View(), endMarker.View(), values));
}

}  // namespace lookup
