// Makes the README's pictures of the program: the splash, the board as it
// opens, a contest under way with marks in the results panel, and the voices
// window with a take just recorded, and the progress window over a small
// played week. It plays a scripted contest against the
// real main window, with silent sound.
//
//   huroof-screenshots OUTPUT_FOLDER
#include "board/shuffle.h"
#include "contest/contestmode.h"
#include "history/historydb.h"
#include "i18n/language.h"
#include "progress/progresswindow.h"
#include "practice/practicemode.h"
#include "shell/form1.h"
#include "splash/frmsplash.h"
#include "ui/widgets.h"
#include "voices/recorder.h"
#include "voices/voiceswindow.h"

#include "quiet.h"

#include <QApplication>
#include <QTabWidget>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>

#include <cmath>
#include <random>

namespace {

// A microphone that has just heard a grown-up say a letter.
class ScriptedRecorder final : public Recorder
{
public:
    void start() override {}
    void stop() override
    {
        voices::Take take{44100, 1, {}};
        for (int i = 0; i < 44100 / 2; ++i) {
            const double s = i / 44100.0;
            take.samples.push_back(float(0.2 * std::sin(M_PI * s / 0.5) * std::sin(2 * M_PI * 220 * s)));
        }
        emit finished(take);
    }
    float level() const override { return 0.6f; }
};

void save(QWidget &widget, const QString &path)
{
    widget.grab().save(path);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The child's window as every language has it.
    i18n::useLanguage(QStringLiteral("ar"), i18n::QtTexts::Not);
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
    Form1 form(Form1Services{sound, web, clock, random, {}, {}, nullptr});
    form.Form_Load();
    form.show();
    QApplication::processEvents();
    save(form, folder + QStringLiteral("/board.png"));

    // A contest: a few questions answered, some after wrong tries.
    const Controls &c = form.controls();
    auto *mode = c.get<ChoiceList>(QStringLiteral("Co2"));
    mode->setListIndex(1);
    const ContestState &contest = dynamic_cast<const ContestMode &>(*form.mode(1)).state();
    const auto asked = [&] { return contest.quizOrder[contest.quizPos]; };
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

    // Practice on a first day: the letters in play, and one more entering.
    mode->setListIndex(2);
    const auto &practice = dynamic_cast<const PracticeMode &>(*form.mode(2));
    for (int q = 0; q < 7; ++q) {
        form.ttx_Timer();
        if (q == 4)
            form.hr_Click(std::int16_t(form.state().boardSlot[(practice.asked() + 1) % 28] == 0 ? 1 : 0));
        form.hr_Click(form.state().boardSlot[practice.asked()]);
    }
    // Between questions: every letter in play awake (a question may ask
    // among fewer, a letter met for the first time alone).
    QApplication::processEvents();
    save(form, folder + QStringLiteral("/practice.png"));

    // The same, filling a laptop's screen, locked.
    form.setFullScreen(true);
    QApplication::processEvents();
    save(form, folder + QStringLiteral("/fullscreen.png"));
    form.setFullScreen(false);

    // A week of contests: most letters learnt, a few still confused.
    QTemporaryDir historyFolder;
    const QString historyPath = historyFolder.filePath(QStringLiteral("history.sqlite"));
    const QDateTime now(QDate(2026, 12, 10), QTime(17, 0));
    {
        history::open(historyPath, QStringLiteral("played"));
        QSqlDatabase db = QSqlDatabase::database(QStringLiteral("played"));
        std::mt19937 rng(5);
        // How likely each letter is right at once; the look-alikes least.
        const auto knows = [](int letter, int day) {
            const bool lookAlike = letter == 2 || letter == 3 || letter == 4 || letter == 6 || letter == 7;
            return (lookAlike ? 0.3 : 0.75) + 0.04 * day;
        };
        for (int day = 0; day <= 6; ++day) {
            const int questions = 12 + 4 * day;
            for (int q = 0; q < questions; ++q) {
                const int letter = 1 + int(rng() % 28);
                int tries = 0;
                while (std::uniform_real_distribution<double>(0, 1)(rng) > knows(letter, day) && tries < 3) {
                    // A look-alike clicked for a look-alike.
                    const int clicked = letter >= 2 && letter <= 4 ? 2 + (letter - 2 + 1 + int(rng() % 2)) % 3
                                      : letter >= 5 && letter <= 7 ? 5 + (letter - 5 + 1 + int(rng() % 2)) % 3
                                                                   : 1 + int(rng() % 28);
                    if (clicked == letter)
                        break;
                    history::add(db, Answer{now.addDays(day - 6).addSecs(q * 7).toUTC(), letter, clicked, false, tries,
                                            2.0, Answer::Order::Alphabetical});
                    ++tries;
                }
                history::add(db, Answer{now.addDays(day - 6).addSecs(q * 7 + 3).toUTC(), letter, letter, true, tries,
                                        2.5, Answer::Order::Alphabetical});
            }
        }
        history::close(QStringLiteral("played"));
    }
    // The grown-ups' windows in Arabic, and in English beside them.
    for (const QString language : {"ar", "en"}) {
        i18n::useLanguage(language);
        const QString suffix = language == QLatin1String("ar") ? QString() : QLatin1Char('-') + language;
        // The voices window: the grown-up's own ب kept, a new take of ت to keep
        // or throw away.
        QTemporaryDir voicesFolder;
        ScriptedRecorder recorder;
        VoicesWindow voicesWindow(VoicesServices{sound, recorder, voices::VoiceFolder(voicesFolder.path()), {}, {}, {}, {}, {}});
        voicesWindow.show();
        using Action = VoicesWindow::Action;
        for (int voice : {1, 2}) {
            voicesWindow.button(voice, Action::Record)->click();
            voicesWindow.button(voice, Action::Stop)->click();
            QApplication::processEvents();
        }
        voicesWindow.button(1, Action::Keep)->click();
        QApplication::processEvents();
        save(voicesWindow, folder + QStringLiteral("/voices%1.png").arg(suffix));

        ProgressWindow progress(ProgressServices{historyPath, [now] { return now; }, {}});
        progress.show();
        QApplication::processEvents();
        save(progress, folder + QStringLiteral("/progress%1.png").arg(suffix));
        // Its second page: what practice does next for the child.
        progress.findChild<QTabWidget *>()->setCurrentIndex(1);
        QApplication::processEvents();
        save(progress, folder + QStringLiteral("/progress-plan%1.png").arg(suffix));
    }
    return 0;
}
