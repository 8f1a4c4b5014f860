// UTF-8 to GBK against iconv on the same file, and the Big5 road's growth.

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/measure.h"
#include "core/text.h"
#include "web/code_pages.h"

namespace {

// Chinese text with some ASCII, every character one that GBK has.
std::string Utf8Text(std::size_t size) {
    const std::string piece = "统计数据：空间访问量 12345，今日访问 678；花藤阳光值、爱心值、雨露值与等级。 ";
    std::string text;
    while (text.size() + piece.size() < size) text += piece;
    return text;
}

// Big5 text: 這國學說 (traditional) and 中文 with some ASCII.
std::string Big5Text(std::size_t size) {
    const std::string piece = "\xB3\x6F\xB0\xEA\xBE\xC7\xBB\xA1\xA4\xA4\xA4\xE5 ok ";
    std::string text;
    while (text.size() + piece.size() < size) text += piece;
    return text;
}

}  // namespace

int main() {
    // The source file is UTF-8; u8 keeps the literal's bytes as they are.
    const std::string utf8 = Utf8Text(10'000'000);
    const std::string file = "/tmp/ziventa-bench-utf8-" + std::to_string(getpid()) + ".txt";
    std::ofstream(file, std::ios::binary) << utf8;

    const core::Text text(utf8);
    const double ours = bench::BestSeconds([&] { bench::Keep(web::Utf8ToGb2312(text)); });
    bench::Report("Utf8ToGb2312, 10 MB", static_cast<double>(utf8.size()), ours);
    const std::string iconv = "iconv -f UTF-8 -t GBK " + file + " > /dev/null";
    const double peer = bench::BestSeconds([&] { (void)!std::system(iconv.c_str()); });
    bench::Report("iconv -f UTF-8 -t GBK, 10 MB", static_cast<double>(utf8.size()), peer);
    std::printf("throughput against iconv: %.2f (wanted at least 0.5)\n", peer / ours);
    std::remove(file.c_str());

    const core::Text one(Big5Text(1'000'000)), four(Big5Text(4'000'000));
    const double small = bench::BestSeconds([&] { bench::Keep(web::Big5ToSimplified(one)); });
    bench::Report("Big5ToSimplified, 1 MB", 1e6, small);
    const double large = bench::BestSeconds([&] { bench::Keep(web::Big5ToSimplified(four)); });
    bench::Report("Big5ToSimplified, 4 MB", 4e6, large);
    std::printf("time for four times the input: %.2f x (linear is 4)\n", large / small);
}
