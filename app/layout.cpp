#include "app/layout.h"

#include <cstring>

namespace app {

namespace {
constexpr const char* kGroup1 = "分组框1";
constexpr const char* kGroup2 = "分组框2";
using K = ControlKind;
using F = FontKind;
}  // namespace

const std::array<ControlRow, 23> kLayout = {{
    {"超级链接框2", K::Hyperlink, nullptr, 244, 368, 47, 24, "Ziventa", std::nullopt, F::DefaultGui,
     "https://ziventa.example/"},
    {"标签16", K::Label, nullptr, 225, 368, 26, 24, "by", std::nullopt, F::DefaultGui},
    {"标签15", K::Label, nullptr, 8, 336, 288, 24, "注：有些QQ可能需要点击两次才可以显示出来资料", kNoteBlue, F::F1},
    {"按钮1", K::Button, kGroup1, 176, 17, 96, 24, "开始查询", std::nullopt, F::DefaultGui},
    {"标签13", K::Label, kGroup2, 87, 216, 80, 24, "", kValueRed, F::F1},
    {"标签14", K::Label, kGroup2, 87, 184, 80, 24, "", kValueRed, F::F1},
    {"标签12", K::Label, kGroup2, 87, 152, 80, 24, "", kValueRed, F::F1},
    {"标签11", K::Label, nullptr, 16, 288, 64, 24, "花藤等级：", std::nullopt, F::DefaultGui},
    {"标签10", K::Label, nullptr, 16, 256, 72, 24, "花藤雨露值：", std::nullopt, F::DefaultGui},
    {"标签9", K::Label, nullptr, 16, 224, 72, 24, "花藤爱心值：", std::nullopt, F::DefaultGui},
    {"标签8", K::Label, kGroup2, 87, 120, 80, 24, "", kValueRed, F::F1},
    {"标签7", K::Label, kGroup2, 8, 120, 74, 24, "花藤阳光值：", std::nullopt, F::DefaultGui},
    {"标签6", K::Label, kGroup2, 120, 88, 80, 24, "", kValueRed, F::F1},
    {"标签5", K::Label, kGroup2, 8, 88, 104, 24, "QQ空间今日访问量：", std::nullopt, F::DefaultGui},
    {"标签4", K::Label, kGroup2, 120, 56, 80, 24, "", kValueRed, F::F1},
    {"标签3", K::Label, kGroup2, 8, 56, 112, 24, "QQ空间历史浏览量：", std::nullopt, F::DefaultGui},
    {"超文本浏览框1", K::BrowserBox, nullptr, 464, 304, 240, 256, "", std::nullopt, F::DefaultGui},
    {"超级链接框1", K::Hyperlink, kGroup2, 76, 24, 208, 24, "", kValueRed, F::F2, ""},
    {"标签2", K::Label, kGroup2, 6, 24, 80, 24, "QQ空间地址：", std::nullopt, F::DefaultGui},
    {"分组框2", K::GroupBox, nullptr, 8, 72, 288, 256, "空间资料", std::nullopt, F::DefaultGui},
    {"编辑框1", K::EditBox, kGroup1, 75, 21, 88, 20, "", std::nullopt, F::DefaultGui},
    {"标签1", K::Label, kGroup1, 24, 19, 48, 24, "QQ号码：", std::nullopt, F::DefaultGui},
    {"分组框1", K::GroupBox, nullptr, 8, 8, 288, 56, "请输入要查询的QQ号码", std::nullopt, F::DefaultGui},
}};

const ControlRow* FindControl(const char* name) {
    for (const ControlRow& row : kLayout)
        if (std::strcmp(row.name, name) == 0) return &row;
    return nullptr;
}

}  // namespace app
