#include "core/user.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/block_allocator.h"
#include "core/text_ops.h"
#include "platform/user_interface.h"

namespace core {
namespace {

constexpr const char* kDefaultTitle = "信息：";
constexpr const char* kFatalTitle = "错误";

platform::MessageBoxButton Show(std::string_view message, std::string_view title, unsigned style) {
    if (platform::UserInterface* ui = platform::InstalledUserInterface())
        return ui->ShowMessageBox(message, title, style);
    // No toolkit (a tool or a test without a recorder): the bytes go to stderr as they are.
    std::fprintf(stderr, "[%.*s] %.*s\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(message.size()), message.data());
    return platform::MessageBoxButton::Ok;
}

}  // namespace

int ShowMessageBox(const Text& message, int buttons, const Text& title) {
    unsigned style = static_cast<unsigned>(buttons);
    if (!(style & platform::kMbSystemModal)) style |= platform::kMbTaskModal;
    const std::string_view shownTitle = title.IsEmpty() ? std::string_view(kDefaultTitle) : title.View();
    return static_cast<int>(Show(message.View(), shownTitle, style));
}

void ProcessEvents() {
    if (platform::UserInterface* ui = platform::InstalledUserInterface()) ui->ProcessEvents();
}

Text FatalReportText(int code, const Text& message) {
    std::string report = "运行时出错!\r\n\r\n";
    if (code != 0) report += "错误代码：" + std::to_string(code) + "\r\n\r\n";
    if (!message.IsEmpty()) report += std::string("错误信息：") + message.Str() + "\r\n";
    return Text(std::string_view(report));
}

void FatalError(int code, const Text& message) {
    Show(FatalReportText(code, message).View(), kFatalTitle, platform::kMbIconError);
    std::_Exit(kExitFatal);
}

[[noreturn]] void ReportAllocationFailure(std::size_t bytes) {
    // The report itself must not need a value block: it is built on the stack.
    char message[64];
    std::snprintf(message, sizeof message, "分配 %d 字节内存失败!", static_cast<int>(bytes));
    char report[160];
    std::snprintf(report, sizeof report, "运行时出错!\r\n\r\n错误信息：%s\r\n", message);
    Show(report, kFatalTitle, platform::kMbIconError);
    std::_Exit(kExitFatal);
}

}  // namespace core
