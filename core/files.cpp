#include "core/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace core {

bool WriteFile(const Text& path, std::initializer_list<ByteSet> parts) {
    if (path.IsEmpty()) return false;
    const int fd = ::open(path.CStr(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool written = true;
    for (const ByteSet& part : parts) {
        std::string_view rest = part.View();
        while (written && !rest.empty()) {
            const ssize_t n = ::write(fd, rest.data(), rest.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) written = false;
            else rest.remove_prefix(static_cast<std::size_t>(n));
        }
    }
    if (::close(fd) != 0) written = false;
    return written;
}

}  // namespace core
