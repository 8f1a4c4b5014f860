// Batch extraction against a plain memmem loop that finds the same values.

#include <malloc.h>

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

// One extraction into a fresh array, released outside the timed part.
double ExtractOnce(const core::Text& source) {
    return bench::BestSecondsKeeping(
        [&] {
            core::TextArray values;
            lookup::ExtractBetween(source, "\"sun\":", ",", true, &values);
            return values;
        },
        1);
}

}  // namespace

int main() {
    // Keep freed memory in the heap: otherwise each run's result array is
    // mapped afresh, and the page faults (expensive on a virtual machine) decide
    // the numbers instead of the work. Both sides get the same heap.
    mallopt(M_MMAP_THRESHOLD, 512 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);

    const std::string ten = Reply(10'000'000, 100'000);
    const std::string twenty = Reply(20'000'000, 200'000);
    const core::Text tenText(ten), twentyText(twenty);

    // Taken in turns, so that the machine's state changes all three alike.
    double ours = 1e300, twice = 1e300, peer = 1e300;
    for (int round = 0; round < 15; ++round) {
        ours = std::min(ours, ExtractOnce(tenText));
        twice = std::min(twice, ExtractOnce(twentyText));
        peer = std::min(peer, bench::BestSecondsKeeping([&] { return MemmemValues(ten); }, 1));
    }
    bench::Report("ExtractBetween batch, 10 MB", static_cast<double>(ten.size()), ours);
    bench::Report("memmem loop, 10 MB", static_cast<double>(ten.size()), peer);
    bench::Report("ExtractBetween batch, 20 MB", static_cast<double>(twenty.size()), twice);
    std::printf("throughput against memmem: %.2f (wanted at least 0.5)\n", peer / ours);
    std::printf("time for twice the input: %.2f x (linear is 2)\n", twice / ours);
}
