#pragma once
// In-memory files named by a file number, through which a text is split into lines.

#include "core/text.h"

namespace core {

// A new, empty file at position 0; never 0.
int OpenMemoryFile();
// Writes each text's bytes at the position and moves past them; false for a
// number that names no open file, or when the file cannot grow (the position
// is then where it was before the call).
bool WriteText(int file, std::initializer_list<Text> texts);
template <class... Texts>
bool WriteText(int file, const Texts&... texts) {
    return WriteText(file, {Text(texts)...});
}
bool SeekToStart(int file);
// True at the end of the data (or for a number that names no open file). With
// stopAtMarker exactly 1, a zero byte or a byte 26 at the position counts as the end.
bool IsAtEnd(int file, int stopAtMarker = 0);
// The next line without its line end (LF, and one CR before it). A zero byte or
// a byte 26 also ends a line; it is stepped over, so that a loop reading until
// IsAtEnd always ends.
Text ReadLine(int file);
void CloseFile(int file);

}  // namespace core
