#include "lookup/query_button_clicked.h"

#include <iterator>

#include "app/control_access.h"
#include "core/text_ops.h"
#include "core/user.h"
#include "lookup/extract_between.h"
#include "web/fetch_page.h"

namespace lookup {

using app::GetControlText;
using app::Property;
using app::SetControlText;
using core::Text;

namespace {

constexpr int kSmallestNumber = 10000;
constexpr const char* kBadNumber = "请输入正确的QQ号码";
constexpr const char* kNoZone = "该空间禁止访问或未开通空间，可以多尝试几次！";

// The six values in the order they are cut out of the reply. The labels do not
// follow the keys' order: each value goes to the label on its caption's row.
struct Value {
    const char* key;
    const char* label;
};
constexpr Value kValues[] = {
    {"visitcount", "标签4"}, {"dayvisit", "标签6"}, {"sun", "标签8"},
    {"rain", "标签14"},      {"love", "标签12"},   {"level", "标签13"},
};
// The labels are written after every value has been cut, love before rain:
// 标签4, 标签6, 标签8, 标签12, 标签14, 标签13.
constexpr std::size_t kWriteOrder[] = {0, 1, 2, 4, 3, 5};

Text Content() { return GetControlText("编辑框1", Property::Content); }

}  // namespace

void QueryButtonClicked() {
    if (core::ToInteger(Content()) < kSmallestNumber) {
        core::ShowMessageBox(kBadNumber);
        core::ShowMessageBox(kBadNumber);
        return;
    }

    // Both addresses carry the content exactly as typed.
    SetControlText("超级链接框1", Property::WebAddress, core::ConcatText(kUserPagePrefix, Content()));
    const Text statistics = core::ConcatText(kStatisticsPrefix, Content());
    SetControlText("超文本浏览框1", Property::Url, statistics);

    // The address just built is fetched, not the one the browser box reports:
    // that one is still empty, or an earlier number's, until its page arrives.
    const Text reply = web::FetchPageText(statistics);

    // The user may have closed the window while the reply was on its way.
    if (!app::HasControlStore()) return;
    if (reply.IsEmpty()) {
        core::ShowMessageBox(kNoZone);
        return;
    }

    // Each value: what stands between its key (in quotes, with a colon) and the next ",".
    Text found[std::size(kValues)];
    for (std::size_t i = 0; i < std::size(kValues); ++i)
        found[i] = ExtractBetween(reply, core::ConcatText("\"", kValues[i].key, "\":"), ",");
    for (std::size_t i : kWriteOrder) SetControlText(kValues[i].label, Property::Caption, found[i]);
}

}  // namespace lookup
