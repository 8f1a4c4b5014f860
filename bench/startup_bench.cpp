// Start to window shown, and peak memory with the window up: the program
// against the least wx program that shows a window, in one run, on a private
// display.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "bench/measure.h"
#include "tests/support/desktop_session.h"

using namespace std::chrono_literals;

namespace {

long PeakKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

struct Run {
    double seconds = 1e300;
    long peakKb = 0;
};

// Best of several starts: seconds until the window is on the screen; the peak
// memory once it has settled there.
Run Measure(const testsupport::DesktopSession& desktop, const std::string& program, const std::string& title,
            const std::map<std::string, std::string>& extra) {
    Run best;
    for (int i = 0; i < 5; ++i) {
        auto env = desktop.Environment();
        env.insert(extra.begin(), extra.end());
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = testsupport::Spawn({program}, env, "/tmp/startup-bench-" + std::to_string(getpid()) + ".log");
        bool shown = false;
        while (!shown && std::chrono::steady_clock::now() - start < 20s && waitpid(pid, nullptr, WNOHANG) == 0) {
            shown = !desktop.Run("xdotool search --onlyvisible --name '^" + title + "$'").empty();
            if (!shown) std::this_thread::sleep_for(2ms);
        }
        if (!shown) {
            std::fprintf(stderr, "%s did not show its window (see /tmp/startup-bench-%d.log)\n", program.c_str(),
                         static_cast<int>(getpid()));
            kill(pid, SIGKILL);
            testsupport::WaitExit(pid, 5s);
            continue;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::this_thread::sleep_for(500ms);
        const long peak = PeakKb(pid);
        kill(pid, SIGTERM);
        testsupport::WaitExit(pid, 5s);
        best.seconds = std::min(best.seconds, took.count());
        best.peakKb = best.peakKb == 0 ? peak : std::min(best.peakKb, peak);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ZIVENTA MINIMAL_WINDOW\n", argv[0]);
        return 2;
    }
    testsupport::DesktopSession desktop(false);
    if (!desktop.Ok()) return 1;
    const std::string data = "/tmp/ziventa-bench-data-" + std::to_string(getpid());
    const Run ours = Measure(desktop, argv[1], "Ziventa  V1.0", {{"XDG_DATA_HOME", data}});
    const Run peer = Measure(desktop, argv[2], "Minimal window", {});
    std::filesystem::remove_all(data);
    std::printf("start to window shown: ziventa %.0f ms, minimal wx window %.0f ms: %.2f x (wanted at most 1.3)\n",
                ours.seconds * 1e3, peer.seconds * 1e3, ours.seconds / peer.seconds);
    std::printf("peak memory: ziventa %.1f MiB, minimal wx window %.1f MiB: %.2f x (wanted at most 1.3)\n",
                ours.peakKb / 1024.0, peer.peakKb / 1024.0, static_cast<double>(ours.peakKb) / peer.peakKb);
}
