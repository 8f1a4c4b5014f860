#pragma once
// Platform functions bound by library and function name at their first call.
//
// A row is bound once and stays bound until ReleaseExternalLibraries. A library
// that cannot be loaded, or lacks the function, ends the program through
// FatalError with the library and function named in the report.

#include <string>
#include <utility>

#include "platform/dynamic_library.h"

namespace app {

struct ExternalFunction {
    ExternalFunction(std::string libraryName, std::string functionName)
        : library(std::move(libraryName)), function(std::move(functionName)) {}

    std::string library;   // empty: the standard system libraries
    std::string function;
    void* address = nullptr;
    platform::Library provider;  // the library that holds address, once bound
};

// The function's address, binding the row at its first call. Library names:
// empty, tried in the standard system libraries in a fixed order; one with a
// "/", exactly that file; any other, the program's folder first, then the
// system's search. A file, or a folder, that others than us (or the system)
// can change counts as a library that cannot be loaded.
void* BindExternalFunction(ExternalFunction& row);

// Calls a row as a function of type Signature.
template <class Signature, class... Args>
auto CallExternal(ExternalFunction& row, Args&&... args) {
    auto* fn = reinterpret_cast<Signature*>(BindExternalFunction(row));
    return fn(std::forward<Args>(args)...);
}

// Rows the program's table holds, so that shutdown can release what they loaded.
ExternalFunction& ExternalFunctionRow(const std::string& library, const std::string& function);
void ReleaseExternalLibraries();

// The folder of the program file, without a trailing "/".
std::string ProgramFolder();

}  // namespace app
