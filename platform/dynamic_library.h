#pragma once
// Loading libraries and finding their functions by name (the program's
// LoadLibrary / GetProcAddress / FreeLibrary), over dlopen.

#include <memory>
#include <string>

namespace platform {

struct LibraryCloser {
    void operator()(void* handle) const;
};
using Library = std::unique_ptr<void, LibraryCloser>;

// Loads a library by file name (the system's search) or by path; null on failure.
Library LoadLibrary(const std::string& nameOrPath);
// The address of an exported function, or null.
void* GetProcAddress(const Library& library, const std::string& function);

}  // namespace platform
