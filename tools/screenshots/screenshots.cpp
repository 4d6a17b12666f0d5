// Makes the README's pictures of the program: the splash, the board as it
// opens, and a contest under way with marks in the results panel. It plays a
// scripted contest against the real main window, with silent sound.
//
//   huroof-screenshots OUTPUT_FOLDER
#include "board/shuffle.h"
#include "platform/soundplayer.h"
#include "platform/timeofday.h"
#include "platform/webopener.h"
#include "shell/form1.h"
#include "splash/frmsplash.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

namespace {

class Silence final : public SoundPlayer
{
public:
    void play(const QString &) override {}
};

class NoBrowser final : public WebOpener
{
public:
    void open(const QUrl &) override {}
};

class FixedTime final : public TimeOfDay
{
public:
    float secondsSinceMidnight() override { return 36000.0f; }
};

void save(QWidget &widget, const QString &path)
{
    widget.grab().save(path);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    {
        frmSplash splash;
        splash.show();
        QApplication::processEvents();
        save(splash, folder + QStringLiteral("/splash.png"));
    }

    Silence sound;
    NoBrowser web;
    FixedTime clock;
    MersenneUnitRandom random;
    Form1 form(Form1Services{sound, web, clock, random, {}, {}});
    form.Form_Load();
    form.show();
    QApplication::processEvents();
    save(form, folder + QStringLiteral("/board.png"));

    // A contest: a few questions answered, some after wrong tries.
    const Controls &c = form.controls();
    auto *mode = c.get<ChoiceList>(QStringLiteral("Co2"));
    mode->setListIndex(1);
    const auto asked = [&] { return form.state().quizOrder[form.state().quizPos]; };
    const int wrongTries[] = {0, 2, 0, 1, 0};
    for (int tries : wrongTries) {
        form.ttx_Timer();
        for (int t = 0; t < tries; ++t)
            form.hr_Click(std::int16_t((asked() + 3 + t) % 28));
        form.hr_Click(asked());
    }
    form.ttx_Timer();
    form.hr_Click(std::int16_t((asked() + 5) % 28));
    QApplication::processEvents();
    save(form, folder + QStringLiteral("/contest.png"));
    return 0;
}
