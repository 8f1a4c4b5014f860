#include "core/memory_file.h"

#include <map>
#include <new>
#include <string>

namespace core {
namespace {

struct MemoryFile {
    std::string data;
    std::size_t position = 0;
};

// Files are used on the GUI thread only.
std::map<int, MemoryFile>& OpenFiles() {
    static std::map<int, MemoryFile> files;
    return files;
}

MemoryFile* Find(int file) {
    auto it = OpenFiles().find(file);
    return it == OpenFiles().end() ? nullptr : &it->second;
}

}  // namespace

int OpenMemoryFile() {
    static int last = 0;
    do {
        last = last == 0x7fffffff ? 1 : last + 1;
    } while (OpenFiles().count(last));
    OpenFiles().emplace(last, MemoryFile{});
    return last;
}

bool WriteText(int file, std::initializer_list<Text> texts) {
    MemoryFile* f = Find(file);
    if (!f) return false;
    const std::size_t before = f->position;
    try {
        for (const Text& t : texts) {
            const std::string_view bytes = t.View();
            if (f->position + bytes.size() > f->data.size()) f->data.resize(f->position + bytes.size());
            f->data.replace(f->position, bytes.size(), bytes);
            f->position += bytes.size();
        }
    } catch (const std::bad_alloc&) {
        f->position = before;
        return false;
    }
    return true;
}

bool SeekToStart(int file) {
    MemoryFile* f = Find(file);
    if (!f) return false;
    f->position = 0;
    return true;
}

bool IsAtEnd(int file, int stopAtMarker) {
    const MemoryFile* f = Find(file);
    if (!f || f->position >= f->data.size()) return true;
    const char c = f->data[f->position];
    return stopAtMarker == 1 && (c == '\0' || c == 26);
}

Text ReadLine(int file) {
    MemoryFile* f = Find(file);
    if (!f) return {};
    const std::string& d = f->data;
    std::size_t i = f->position;
    std::size_t end = d.size();  // where the line ends
    std::size_t next = d.size();  // where the next line begins
    while (i < d.size()) {
        const auto c = static_cast<unsigned char>(d[i]);
        if (c >= 0x80) {
            i += 2;  // the second byte is never looked at
            continue;
        }
        if (c == '\n' || c == '\0' || c == 26) {
            end = i;
            next = i + 1;
            break;
        }
        ++i;
    }
    end = std::min(end, d.size());
    std::string_view line(d.data() + f->position, end - f->position);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    f->position = std::min(next, d.size());
    return MakeText(line);
}

void CloseFile(int file) { OpenFiles().erase(file); }

}  // namespace core
