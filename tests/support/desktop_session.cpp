#include "tests/support/desktop_session.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <thread>

extern char** environ;

namespace testsupport {

pid_t Spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
            const std::string& output) {
    std::map<std::string, std::string> merged;
    for (char** e = environ; *e; ++e) {
        const char* eq = std::strchr(*e, '=');
        if (eq) merged[std::string(*e, static_cast<std::size_t>(eq - *e))] = eq + 1;
    }
    for (const auto& [k, v] : env) merged[k] = v;
    std::vector<std::string> envStrings;
    for (const auto& [k, v] : merged) envStrings.push_back(k + "=" + v);
    std::vector<char*> envp, args;
    for (auto& s : envStrings) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argvCopy = argv;
    for (auto& s : argvCopy) args.push_back(s.data());
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);  // its own group: killed whole
    posix_spawnattr_setpgroup(&attr, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, &attr, args.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    return pid;
}

int WaitExit(pid_t pid, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(-pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1000;
}

std::string Capture(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
    pclose(pipe);
    return out;
}

std::string CaptureWhenReady(const std::string& command, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string out;
    do {
        out = Capture(command);
        if (!out.empty()) return out;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return out;
}

DesktopSession::DesktopSession(bool windowManager) {
    int fds[2];
    if (pipe(fds) != 0) return;
    // Xvfb picks a free display number and writes it to the pipe once it listens.
    const pid_t xvfb = fork();
    if (xvfb == 0) {
        close(fds[0]);
        setpgid(0, 0);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0), dup2(null, 1), dup2(null, 2);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               "-nolisten", "unix", "-listen", "unix", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    m_xvfb = xvfb;
    char number[16] = {};
    ssize_t got = 0, n;
    while (got < static_cast<ssize_t>(sizeof number) - 1 && (n = read(fds[0], number + got, 1)) > 0) {
        if (number[got] == '\n') break;
        ++got;
    }
    close(fds[0]);
    if (got <= 0) return;
    m_display = std::atoi(number);

    if (windowManager) {
        m_wm = Spawn({"openbox"}, Environment());
        // Ready once it has announced itself on the root window.
        RunWhenReady("xprop -root _NET_SUPPORTING_WM_CHECK | grep -o 'window id'", std::chrono::seconds(10));
    }
}

DesktopSession::~DesktopSession() {
    for (pid_t pid : {m_wm, m_xvfb}) {
        if (pid <= 0) continue;
        kill(-pid, SIGTERM);
        kill(pid, SIGTERM);
        if (WaitExit(pid, std::chrono::seconds(5)) == -1000) kill(pid, SIGKILL);
    }
}

std::map<std::string, std::string> DesktopSession::Environment(bool accessibility) const {
    std::map<std::string, std::string> env = {{"DISPLAY", Display()}, {"LANG", "C.UTF-8"}};
    if (!accessibility) env["NO_AT_BRIDGE"] = "1";
    return env;
}

std::string DesktopSession::Run(const std::string& command) const {
    return Capture("export DISPLAY=" + Display() + "; " + command + " 2>/dev/null");
}

std::string DesktopSession::RunWhenReady(const std::string& command, std::chrono::milliseconds timeout) const {
    return CaptureWhenReady("export DISPLAY=" + Display() + "; " + command + " 2>/dev/null", timeout);
}

}  // namespace testsupport
