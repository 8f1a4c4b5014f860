// Batch extraction against a plain memmem loop that finds the same values.

#include <cstring>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "core/text_array.h"
#include "lookup/extract_between.h"

namespace {

// n records of about `size / n` bytes, each holding one value between "sun": and ",".
std::string Reply(std::size_t size, int n) {
    std::string text;
    text.reserve(size + 200);
    const std::size_t filler = size / static_cast<std::size_t>(n) - 16;
    for (int i = 0; i < n; ++i) {
        text += "\"sun\":" + std::to_string(100000 + i) + ",";
        for (std::size_t k = 0; k < filler; ++k) text += static_cast<char>('a' + (k * 7 + static_cast<std::size_t>(i)) % 26);
    }
    return text;
}

// Keeps the values it finds, as the extraction does.
std::vector<std::string> MemmemValues(const std::string& text) {
    std::vector<std::string> values;
    std::size_t at = 0;
    const char* start = "\"sun\":";
    while (const void* p = memmem(text.data() + at, text.size() - at, start, 6)) {
        const std::size_t begin = static_cast<std::size_t>(static_cast<const char*>(p) - text.data()) + 6;
        const void* q = memchr(text.data() + begin, ',', text.size() - begin);
        if (!q) break;
        const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(q) - text.data());
        values.emplace_back(text, begin, end - begin);
        at = end + 1;
    }
    return values;
}

double Extract(const std::string& text, const char* label) {
    const core::Text source(text);
    const double s = bench::BestSecondsKeeping(
        [&] {
            core::TextArray values;
            lookup::ExtractBetween(source, "\"sun\":", ",", true, &values);
            return values;
        },
        15);
    bench::Report(label, static_cast<double>(text.size()), s);
    return s;
}

}  // namespace

int main() {
    const std::string ten = Reply(10'000'000, 100'000);
    const std::string twenty = Reply(20'000'000, 200'000);

    const double ours = Extract(ten, "ExtractBetween batch, 10 MB");
    const double peer = bench::BestSecondsKeeping([&] { return MemmemValues(ten); }, 15);
    bench::Report("memmem loop, 10 MB", static_cast<double>(ten.size()), peer);
    const double twice = Extract(twenty, "ExtractBetween batch, 20 MB");

    std::printf("throughput against memmem: %.2f (wanted at least 0.5)\n", peer / ours);
    std::printf("time for twice the input: %.2f x (linear is 2)\n", twice / ours);
}
