#pragma once

#include <initializer_list>

#include "core/text.h"

namespace core {

// Creates the file, or empties it when it exists, and writes the byte sets one
// after another (empty ones skipped). False for an empty path, a file that cannot
// be opened, or a write that fails (the file keeps what was written before).
bool WriteFile(const Text& path, std::initializer_list<ByteSet> parts);
template <class... Parts>
bool WriteFile(const Text& path, const Parts&... parts) {
    return WriteFile(path, {ByteSet(parts)...});
}

// Puts bytes at path in one step: written to a temporary file in the same
// folder, then renamed over the old file. A program that has the old file open
// or mapped keeps its copy intact. False when it cannot be done.
bool ReplaceFile(const Text& path, const ByteSet& bytes);

}  // namespace core
