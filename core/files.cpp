#include "core/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace core {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

bool WriteFile(const Text& path, std::initializer_list<ByteSet> parts) {
    if (path.IsEmpty()) return false;
    const int fd = ::open(path.CStr(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool written = true;
    for (const ByteSet& part : parts) written = written && WriteAll(fd, part.View());
    if (::close(fd) != 0) written = false;
    return written;
}

bool ReplaceFile(const Text& path, const ByteSet& bytes) {
    if (path.IsEmpty()) return false;
    std::string temporary = path.Str() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());  // created 0600: ours alone
    if (fd < 0) return false;
    bool written = WriteAll(fd, bytes.View());
    if (::close(fd) != 0) written = false;
    if (written && ::rename(temporary.c_str(), path.CStr()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace core
