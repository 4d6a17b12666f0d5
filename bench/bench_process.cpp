// The program as a process, measured from outside by a small X client:
// start to splash on screen, splash click to main window on screen, memory,
// and processor time while it waits.
//
//   bench_process HUROOF_EXECUTABLE [RUNS]     (DISPLAY must name an X server)
#include "stats.h"

#include <QString>

#include "xclient.h"

#include <X11/keysym.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

using namespace bench;

namespace {

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
    const char *driver = std::getenv("BENCH_AUDIODRIVER");
    const std::string audioDriver = driver ? driver : "dummy";
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
        const pid_t pid = spawn(program, audioDriver);
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
        QStringLiteral("over %1 s; the device stays open between questions").arg(idleSeconds), "(reported)", true);
    stop(kept);
    XCloseDisplay(x);
    return 0;
}
