// The lookup against a fake window and a local stand-in for the statistics service.

#include "lookup/query_button_clicked.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

#include "app/control_access.h"
#include "core/text_ops.h"
#include "platform/internet.h"
#include "platform/user_interface.h"
#include "tests/support/raw_server.h"

using app::Property;
using core::Text;
using testsupport::RawServer;
using namespace std::chrono_literals;

namespace {

struct FakeWindow : app::ControlStore, platform::UserInterface {
    std::map<std::pair<std::string, Property>, std::string> texts;
    std::vector<std::string> writes;  // control names, in the order written
    std::vector<std::string> boxes;
    Text Read(const Text& c, Property p) override { return core::MakeText(texts[{c.Str(), p}]); }
    void Write(const Text& c, Property p, const Text& t) override {
        texts[{c.Str(), p}] = t.Str();
        writes.push_back(c.Str());
    }
    platform::MessageBoxButton ShowMessageBox(std::string_view m, std::string_view title, unsigned) override {
        boxes.push_back(std::string(title) + "|" + std::string(m));
        return platform::MessageBoxButton::Ok;
    }
    void ProcessEvents() override {}
    std::string Caption(const char* label) { return texts[{label, Property::Caption}]; }
    std::string Get(const char* control, Property property) { return texts[{control, property}]; }
};

const char* const kLabels[] = {"标签4", "标签6", "标签8", "标签12", "标签14", "标签13"};
const std::string kGoodReply =
    "_Callback({\"visitcount\":1234,\"dayvisit\":56,\"sun\":7,\"rain\":8,\"love\":9,\"level\":3,\"x\":0});";

std::string Reply(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

class LookupTest : public ::testing::Test {
protected:
    std::string body = kGoodReply;
    RawServer server{[this](int fd, const std::string&) { RawServer::Send(fd, Reply(body)); }};
    FakeWindow window;

    void SetUp() override {
        platform::SetConnectTo({"g.qzone.qq.com:80:127.0.0.1:" + std::to_string(server.Port())});
        app::InstallControlStore(&window);
        platform::InstallUserInterface(&window);
        for (const char* label : kLabels) window.texts[{label, Property::Caption}] = "old";
        window.writes.clear();
    }
    void TearDown() override {
        app::InstallControlStore(nullptr);
        platform::InstallUserInterface(nullptr);
        platform::SetConnectTo({});
    }
    void Click(const std::string& typed) {
        window.texts[{"编辑框1", Property::Content}] = typed;
        lookup::QueryButtonClicked();
    }
    std::vector<std::string> Shown() {
        std::vector<std::string> out;
        for (const char* label : kLabels) out.push_back(window.Caption(label));
        return out;
    }
};

using Captions = std::vector<std::string>;

}  // namespace

TEST_F(LookupTest, AGoodReplyFillsTheSixLabelsInOrder) {
    Click("12345");
    EXPECT_EQ(Shown(), (Captions{"1234", "56", "7", "9", "8", "3"}));
    const std::vector<std::string> order = {"超级链接框1", "超文本浏览框1", "标签4", "标签6",
                                            "标签8",      "标签12",       "标签14", "标签13"};
    EXPECT_EQ(window.writes, order);
    EXPECT_EQ(window.Get("超级链接框1", Property::WebAddress), "http://user.qzone.qq.com/12345");
    EXPECT_EQ(window.Get("超文本浏览框1", Property::Url),
              "http://g.qzone.qq.com/fcg-bin/cgi_emotion_list.fcg?uin=12345");
    EXPECT_TRUE(window.boxes.empty());
    ASSERT_EQ(server.Requests().size(), 1u);
    const std::string request = server.Requests()[0];
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /fcg-bin/cgi_emotion_list.fcg?uin=12345 HTTP/1.1");
    EXPECT_NE(request.find("\r\nHost: g.qzone.qq.com\r\n"), std::string::npos) << request;
    EXPECT_NE(request.find("\r\nReferer: http://g.qzone.qq.com/fcg-bin/cgi_emotion_list.fcg?uin=12345\r\n"),
              std::string::npos);
}

TEST_F(LookupTest, NumbersBelow10000AreRefusedWithTwoBoxes) {
    for (const char* typed : {"9999", "", "abc", "-12345", "2147483648", "1234"}) {
        SCOPED_TRACE(typed);
        window.boxes.clear();
        Click(typed);
        EXPECT_EQ(window.boxes, (std::vector<std::string>{"信息：|请输入正确的QQ号码", "信息：|请输入正确的QQ号码"}));
    }
    EXPECT_TRUE(window.writes.empty()) << "nothing else happens";
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(LookupTest, AddressesCarryTheContentAsTyped) {
    struct Case { const char* typed; const char* requestTarget; };
    const Case cases[] = {
        {"10000", "uin=10000"},
        {"12345abc", "uin=12345abc"},
        {"  12345", "uin=%20%2012345"},
        {"\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xB4\xA3\xB5", "uin=%A3%B1%A3%B2%A3%B3%A3%B4%A3%B5"},  // full-width digits
        {"12345;rm -rf ~ `x` $(y)", "uin=12345;rm%20-rf%20~%20`x`%20$(y)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Click(c.typed);
        EXPECT_EQ(window.Get("超级链接框1", Property::WebAddress), std::string(lookup::kUserPagePrefix) + c.typed);
        const std::string request = server.Requests().back();
        EXPECT_NE(request.find(std::string("?") + c.requestTarget + " HTTP/1.1"), std::string::npos) << request;
        EXPECT_EQ(window.Caption("标签4"), "1234");
    }
    Click(std::string(500, '1'));  // whatever the 32-bit number comes to, no harm
}

TEST_F(LookupTest, RepliesOfEveryShape) {
    struct Case { const char* name; std::string reply; Captions want; };
    const Case cases[] = {
        {"keys_in_capitals", "{\"VISITCOUNT\":1,\"DayVisit\":2,\"SUN\":3,\"RAIN\":4,\"LOVE\":5,\"LEVEL\":6,}",
         {"1", "2", "3", "5", "4", "6"}},
        {"values_in_quotes_and_spaces", "{\"visitcount\":\"11\",\"dayvisit\": 22 ,}", {"\"11\"", " 22 ", "", "", "", ""}},
        {"no_comma_after_the_last", "{\"visitcount\":1,\"level\":3}", {"1", "", "", "", "", ""}},
        {"brace_before_a_later_comma", "{\"level\":3},{\"x\":1,", {"", "", "", "", "", "3}"}},
        {"gbk_around", "\xD6\xD0\xCE\xC4\"sun\":7,\xB5\xC4\"love\":\xCA\xAE,", {"", "", "7", "\xCA\xAE", "", ""}},
        {"error_page", "<html><body>404 Not Found</body></html>", {"", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        body = c.reply;
        Click("12345");
        EXPECT_EQ(Shown(), c.want);
    }
    EXPECT_TRUE(window.boxes.empty()) << "no message for a reply without the keys";
}

TEST_F(LookupTest, ATenMegabyteReply) {
    body = std::string(10'000'000, ' ') + kGoodReply;
    Click("12345");
    EXPECT_EQ(Shown(), (Captions{"1234", "56", "7", "9", "8", "3"}));
}

TEST_F(LookupTest, AnEmptyReplySaysSoOnceAndKeepsTheLabels) {
    Click("12345");
    body = "";
    window.boxes.clear();
    Click("54321");
    EXPECT_EQ(window.boxes, (std::vector<std::string>{"信息：|该空间禁止访问或未开通空间，可以多尝试几次！"}));
    EXPECT_EQ(Shown(), (Captions{"1234", "56", "7", "9", "8", "3"})) << "the previous values stay";
    EXPECT_EQ(window.Get("超级链接框1", Property::WebAddress), "http://user.qzone.qq.com/54321");
}

TEST_F(LookupTest, ClosingTheWindowDuringTheFetchEndsQuietly) {
    RawServer slow([](int fd, const std::string&) {
        std::this_thread::sleep_for(300ms);
        RawServer::Send(fd, Reply(kGoodReply));
    });
    platform::SetConnectTo({"g.qzone.qq.com:80:127.0.0.1:" + std::to_string(slow.Port())});
    auto previous = platform::SetStillWaitingHook([] { app::InstallControlStore(nullptr); });
    Click("12345");
    platform::SetStillWaitingHook(previous);
    EXPECT_TRUE(window.boxes.empty());
    EXPECT_EQ(window.Caption("标签4"), "old");
}
