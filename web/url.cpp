#include "web/url.h"

#include "core/text_ops.h"

namespace web {

using core::Text;

namespace {
constexpr int kExact = 1;  // ReplaceSubtext's caseSensitive
}

Text UrlHost(const Text& address) {
    Text rest = core::ReplaceSubtext(address, "https://", "", 1, -1, kExact);
    rest = core::ReplaceSubtext(rest, "http://", "", 1, -1, kExact);
    const int slash = core::FindText(rest, "/");
    const Text host = slash == core::kNotFound ? rest : core::TextLeft(rest, slash - 1);
    return core::ToLowerCase(host);
}

Text UrlPath(const Text& address) {
    const Text host = UrlHost(address);
    const int hostAt = core::FindText(address, host, 1, 1);
    const int slash = core::FindText(address, "/", hostAt < 1 ? 1 : hostAt);
    if (slash == core::kNotFound) return Text("/");
    return core::TextRight(address, core::TextLength(address) - slash + 1);
}

int UrlPort(const Text& address) {
    Text hostPart;
    if (core::CompareText(core::TextLeft(address, 7), "http://") == 0) {
        const int slash = core::FindText(address, "/", 8);
        hostPart = slash == core::kNotFound ? core::ReplaceTextAt(address, 1, 7)
                                            : core::TextMid(address, 8, slash - 8);
    } else {
        const int slash = core::FindText(address, "/");
        hostPart = slash == core::kNotFound ? core::ToText(address) : core::TextLeft(address, slash - 1);
    }
    const int colon = core::FindText(hostPart, ":");
    const Text portText = colon == core::kNotFound ? Text("80")
                                                   : core::TextRight(hostPart, core::TextLength(hostPart) - colon);
    return core::TruncateToInt(core::ToNumber(portText));
}

}  // namespace web
