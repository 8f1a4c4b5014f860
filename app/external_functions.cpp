#include "app/external_functions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <filesystem>

#include "core/text_ops.h"
#include "core/user.h"

namespace app {
namespace {

// Stand-ins for the standard system libraries, in the order they are tried.
const char* const kSystemLibraries[] = {"libc.so.6", "libm.so.6", "libgcc_s.so.1", "libstdc++.so.6"};

// Rows live as long as the program; a deque keeps their addresses stable.
std::deque<ExternalFunction>& Table() {
    static std::deque<ExternalFunction> rows;
    return rows;
}

[[noreturn]] void ReportMissing(const ExternalFunction& row) {
    const core::Text function(row.function);
    if (row.library.empty())
        core::FatalError(0, core::ConcatText("无法找到指定DLL库文件中的输出命令“", function, "”"));
    core::FatalError(0, core::ConcatText("无法找到指定DLL库文件“", core::Text(row.library),
                                         "”中的输出命令“", function, "”"));
}

// Code is loaded only from a file, and a folder, that nobody but us (or the
// system) can change: otherwise another user could plant code in the program.
bool SafeToLoad(const std::string& path) {
    const auto trusted = [](const struct stat& st) {
        return (st.st_uid == geteuid() || st.st_uid == 0) && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
    };
    struct stat file {}, folder {};
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return lstat(path.c_str(), &file) == 0 && S_ISREG(file.st_mode) && trusted(file) &&
           stat(parent.empty() ? "." : parent.c_str(), &folder) == 0 && trusted(folder);
}

platform::Library LoadNamed(const std::string& name) {
    if (name.find('/') != std::string::npos) return SafeToLoad(name) ? platform::LoadLibrary(name) : nullptr;
    const std::string local = ProgramFolder() + "/" + name;
    std::error_code ec;
    if (std::filesystem::is_regular_file(local, ec) && SafeToLoad(local)) {
        if (platform::Library lib = platform::LoadLibrary(local)) return lib;
    }
    return platform::LoadLibrary(name);
}

}  // namespace

std::string ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

void* BindExternalFunction(ExternalFunction& row) {
    if (row.address) return row.address;

    if (row.library.empty()) {
        for (const char* name : kSystemLibraries) {
            platform::Library lib = platform::LoadLibrary(name);
            if (void* address = platform::GetProcAddress(lib, row.function)) {
                row.address = address;
                row.provider = std::move(lib);
                return address;
            }
        }
        ReportMissing(row);
    }

    platform::Library lib = LoadNamed(row.library);
    void* address = platform::GetProcAddress(lib, row.function);
    if (!address) ReportMissing(row);
    row.address = address;
    row.provider = std::move(lib);
    return address;
}

ExternalFunction& ExternalFunctionRow(const std::string& library, const std::string& function) {
    for (ExternalFunction& row : Table())
        if (row.library == library && row.function == function) return row;
    Table().emplace_back(library, function);
    return Table().back();
}

void ReleaseExternalLibraries() {
    for (ExternalFunction& row : Table()) {
        row.address = nullptr;
        row.provider.reset();
    }
}

}  // namespace app
