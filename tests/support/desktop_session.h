#pragma once
// A private X display for tests: Xvfb at 1024 x 768 on a display number of its
// own choosing, optionally with the openbox window manager, and helpers to run
// programs on it. Everything it starts is stopped when it goes.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

// Runs argv with extra environment variables; gives its pid, or -1.
pid_t Spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env = {},
            const std::string& output = "/dev/null");
// Waits for pid; its exit code (255 for -1), or -1000 when it did not end in time
// (it is then killed).
int WaitExit(pid_t pid, std::chrono::milliseconds timeout);
// Runs a shell command line to its end and gives what it printed on stdout.
std::string Capture(const std::string& command);
// Retries a shell command until it prints something (or the time is up).
std::string CaptureWhenReady(const std::string& command, std::chrono::milliseconds timeout);

class DesktopSession {
public:
    explicit DesktopSession(bool windowManager = true);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    bool Ok() const { return m_display >= 0; }
    std::string Display() const { return ":" + std::to_string(m_display); }
    // The environment a program on this display gets: DISPLAY, LANG, and
    // NO_AT_BRIDGE unless the test reads the accessibility tree.
    std::map<std::string, std::string> Environment(bool accessibility = false) const;
    // A shell command with DISPLAY set to this display.
    std::string Run(const std::string& command) const;
    std::string RunWhenReady(const std::string& command, std::chrono::milliseconds timeout) const;

private:
    int m_display = -1;
    pid_t m_xvfb = -1;
    pid_t m_wm = -1;
};

}  // namespace testsupport
