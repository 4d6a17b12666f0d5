#pragma once
// A small X client for the benchmarks: starts the program, waits for its
// windows to appear and clicks and types into them with XTest, as a user does.

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <spawn.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

extern char **environ;

namespace bench {

using Clock = std::chrono::steady_clock;

inline double ms(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

struct Mapped
{
    Window window = 0;
    int x = 0, y = 0;
    Clock::time_point at;
};

// Waits for the next top-level window of the given size to be mapped.
inline bool waitForMap(Display *x, int width, int height, Mapped &out, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const int fd = ConnectionNumber(x);
    while (Clock::now() < deadline) {
        while (XPending(x)) {
            XEvent e;
            XNextEvent(x, &e);
            if (e.type != MapNotify)
                continue;
            const auto at = Clock::now();
            XWindowAttributes a;
            if (XGetWindowAttributes(x, e.xmap.window, &a) && a.width == width && a.height == height) {
                out = {e.xmap.window, a.x, a.y, at};
                return true;
            }
        }
        fd_set set;
        FD_ZERO(&set);
        FD_SET(fd, &set);
        timeval tv{0, 20000};
        select(fd + 1, &set, nullptr, nullptr, &tv);
    }
    return false;
}

inline void click(Display *x, int px, int py)
{
    XTestFakeMotionEvent(x, -1, px, py, CurrentTime);
    XTestFakeButtonEvent(x, 1, True, CurrentTime);
    XTestFakeButtonEvent(x, 1, False, CurrentTime);
    XFlush(x);
}

inline void key(Display *x, KeySym sym)
{
    const KeyCode code = XKeysymToKeycode(x, sym);
    XTestFakeKeyEvent(x, code, True, CurrentTime);
    XTestFakeKeyEvent(x, code, False, CurrentTime);
    XFlush(x);
}

// Starts the program with the given SDL audio driver (empty: SDL's own choice)
// on the X display of DISPLAY.
inline pid_t spawn(const std::string &program, const std::string &audioDriver)
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("SDL_AUDIODRIVER=", 0) != 0 && v.rfind("QT_QPA_PLATFORM=", 0) != 0 && v.rfind("XDG_DATA_HOME=", 0) != 0)
            env.push_back(v);
    }
    if (!audioDriver.empty())
        env.push_back("SDL_AUDIODRIVER=" + audioDriver);
    // The program's own data (voices, learning history) stays out of the
    // home folder of whoever runs the benchmarks.
    static std::string dataHome = [] {
        char folder[] = "/tmp/huroof-bench-XXXXXX";
        return std::string(mkdtemp(folder) ? folder : "/tmp");
    }();
    env.push_back("XDG_DATA_HOME=" + dataHome);
    env.push_back("QT_QPA_PLATFORM=xcb");
    std::vector<char *> envp;
    for (auto &v : env)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    std::string arg0 = program;
    char *argv[] = {arg0.data(), nullptr};
    pid_t pid = 0;
    posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data());
    return pid;
}

inline void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

} // namespace bench
