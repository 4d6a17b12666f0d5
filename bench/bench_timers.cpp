// The question timer's and the splash timer's accuracy, on the real windows.
#include "board/shuffle.h"
#include "platform/soundplayer.h"
#include "platform/timeofday.h"
#include "platform/webopener.h"
#include "shell/form1.h"
#include "splash/frmsplash.h"
#include "ui/widgets.h"

#include "stats.h"

#include <QApplication>
#include <QElapsedTimer>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

class TickRecorder final : public SoundPlayer
{
public:
    void play(const QString &) override { ticks << Clock::now(); }
    QList<Clock::time_point> ticks;
};

class NoBrowser final : public WebOpener
{
public:
    void open(const QUrl &) override {}
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 21;

    // The splash counts from its creation to its closing by itself; it runs
    // beside the contest.
    double splashMs = 0;
    const auto splashCreated = Clock::now();
    auto *splash = new frmSplash;
    QObject::connect(splash, &QDialog::finished, [&] {
        splashMs = std::chrono::duration<double, std::milli>(Clock::now() - splashCreated).count();
    });
    splash->show();

    TickRecorder sound;
    NoBrowser web;
    SystemTimeOfDay clock;
    MersenneUnitRandom random;
    Form1 form(Form1Services{sound, web, clock, random, {}, {}, nullptr});
    form.Form_Load();
    form.show();
    form.controls().get<ChoiceList>(QStringLiteral("Co2"))->setListIndex(1);
    sound.ticks << Clock::now(); // the choice starts the count

    QTimer done;
    QObject::connect(&done, &QTimer::timeout, [&] {
        if (sound.ticks.size() > ticks && splashMs > 0)
            app.quit();
    });
    done.start(100);
    app.exec();

    QList<double> intervals;
    for (qsizetype i = 1; i < sound.ticks.size(); ++i)
        intervals << std::chrono::duration<double, std::milli>(sound.ticks[i] - sound.ticks[i - 1]).count();
    const Stats st(intervals);
    row("Question timer interval", st, "ms", QStringLiteral("%1 intervals").arg(intervals.size()),
        "every one 5000 ± 5 ms", st.min() >= 4995 && st.max() <= 5005);
    const Stats sp({splashMs});
    row("Splash timer", sp, "ms", QStringLiteral("1 run"), "22000 ± 20 ms", std::abs(splashMs - 22000) <= 20);
    delete splash;
    return 0;
}
