#include "platform/dynamic_library.h"

#include <dlfcn.h>

namespace platform {

void LibraryCloser::operator()(void* handle) const {
    if (handle) dlclose(handle);
}

Library LoadLibrary(const std::string& nameOrPath) {
    if (nameOrPath.empty()) return nullptr;
    return Library(dlopen(nameOrPath.c_str(), RTLD_NOW | RTLD_LOCAL));
}

void* GetProcAddress(const Library& library, const std::string& function) {
    if (!library) return nullptr;
    dlerror();  // clear a stale message, so it is not blamed on this symbol
    void* address = dlsym(library.get(), function.c_str());
    return dlerror() ? nullptr : address;
}

}  // namespace platform
