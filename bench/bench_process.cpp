// The program as a process, measured from outside by a small X client:
// start to splash on screen, splash click to main window on screen, memory,
// and processor time while it waits.
//
//   bench_process HUROOF_EXECUTABLE [RUNS]     (DISPLAY must name an X server)
#include "stats.h"

#include <QString>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <spawn.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::time_point a, Clock::time_point b)
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
bool waitForMap(Display *x, int width, int height, Mapped &out, int timeoutMs)
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

void click(Display *x, int px, int py)
{
    XTestFakeMotionEvent(x, -1, px, py, CurrentTime);
    XTestFakeButtonEvent(x, 1, True, CurrentTime);
    XTestFakeButtonEvent(x, 1, False, CurrentTime);
    XFlush(x);
}

void key(Display *x, KeySym sym)
{
    const KeyCode code = XKeysymToKeycode(x, sym);
    XTestFakeKeyEvent(x, code, True, CurrentTime);
    XTestFakeKeyEvent(x, code, False, CurrentTime);
    XFlush(x);
}

pid_t spawn(const std::string &program)
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("SDL_AUDIODRIVER=", 0) != 0 && v.rfind("QT_QPA_PLATFORM=", 0) != 0)
            env.push_back(v);
    }
    const char *driver = std::getenv("BENCH_AUDIODRIVER");
    env.push_back(std::string("SDL_AUDIODRIVER=") + (driver ? driver : "dummy"));
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

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// Processor time of the whole process so far, in milliseconds.
double cpuMs(pid_t pid)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(f, line);
    std::istringstream in(line.substr(line.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && in >> field; ++i) {
        if (i == 14 || i == 15)
            ticks += std::stol(field);
    }
    return double(ticks) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

long statusKb(pid_t pid, const std::string &name)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(f, line)) {
        if (line.rfind(name + ":", 0) == 0)
            return std::stol(line.substr(name.size() + 1));
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s HUROOF_EXECUTABLE [RUNS] [IDLE_SECONDS]\n", argv[0]);
        return 2;
    }
    const std::string program = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 20;
    const int idleSeconds = argc > 3 ? std::atoi(argv[3]) : 60;
    Display *x = XOpenDisplay(nullptr);
    if (!x) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; }); // windows of ended runs
    XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);
    XSync(x, False);

    QList<double> toSplash, toMain;
    pid_t kept = 0;
    Mapped main;
    for (int run = 0; run < runs; ++run) {
        XSync(x, True); // drop events of earlier runs
        const auto t0 = Clock::now();
        const pid_t pid = spawn(program);
        Mapped splash;
        if (!waitForMap(x, 452, 314, splash, 10000)) {
            std::fprintf(stderr, "run %d: the splash did not appear\n", run);
            stop(pid);
            return 1;
        }
        toSplash << ms(t0, splash.at);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        const auto clicked = Clock::now();
        click(x, splash.x + 200, splash.y + 150);
        if (!waitForMap(x, 971, 490, main, 10000)) {
            std::fprintf(stderr, "run %d: the main window did not appear\n", run);
            stop(pid);
            return 1;
        }
        toMain << ms(clicked, main.at);
        if (run + 1 == runs)
            kept = pid;
        else
            stop(pid);
    }
    row("Start to splash on screen", Stats(toSplash), "ms", QStringLiteral("%1 runs").arg(runs), "median < 100 ms",
        Stats(toSplash).median() < 100);
    row("Splash click to main window on screen", Stats(toMain), "ms", QStringLiteral("%1 runs").arg(runs),
        "median < 50 ms", Stats(toMain).median() < 50);

    // Memory, 10 s after the main window is shown.
    std::this_thread::sleep_for(std::chrono::seconds(10));
    const double rss = double(statusKb(kept, "VmRSS")) / 1024.0;
    const double peak = double(statusKb(kept, "VmHWM")) / 1024.0;
    row("Resident memory 10 s after the main window", Stats({rss}), "MB",
        QStringLiteral("peak %1 MB").arg(peak, 0, 'f', 1), "< 45 MB", rss < 45 && peak < 45);

    // Waiting in the pronunciation mode.
    double before = cpuMs(kept);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double idle = cpuMs(kept) - before;
    row("Processor time waiting, pronunciation", Stats({idle * 60.0 / idleSeconds}), "ms/min",
        QStringLiteral("over %1 s").arg(idleSeconds), "0 ms", idle == 0);

    // The contest: pick its entry in the mode list with the keyboard.
    click(x, main.x + 368 + 88, main.y + 14 + 16);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    key(x, XK_Down);
    key(x, XK_Return);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    before = cpuMs(kept);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double contest = cpuMs(kept) - before;
    row("Processor time waiting, contest", Stats({contest * 60.0 / idleSeconds}), "ms/min",
        QStringLiteral("over %1 s").arg(idleSeconds), "< 20 ms/min", contest * 60.0 / idleSeconds < 20);
    stop(kept);
    XCloseDisplay(x);
    return 0;
}
