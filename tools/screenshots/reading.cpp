// Pictures of the letters' sounds and of the letter in a word, for looking
// at them at every size the child's window is shown at: the window at its
// own size and full screen, on the screen and at the scale the environment
// gives (QT_QPA_PLATFORM's screen, QT_SCALE_FACTOR). The words are those of
// words.rcc beside the program.
//
//   huroof-reading-screenshots OUTPUT_FOLDER SUFFIX
#include "board/shuffle.h"
#include "shell/form1.h"
#include "sounds/soundsmode.h"
#include "ui/widgets.h"
#include "words/wordsmode.h"

#include "quiet.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(folder);

    Silence sound;
    NoBrowser web;
    FixedTime clock;
    MersenneUnitRandom random;
    Form1 form(Form1Services{sound, web, clock, random, {}, {}, nullptr});
    form.Form_Load();
    form.show();
    auto *list = form.controls().get<ChoiceList>(QStringLiteral("Co2"));

    for (const bool full : {false, true}) {
        form.setFullScreen(full);
        const QString size = full ? QStringLiteral("full") : QStringLiteral("window");
        // The letters' sounds: a question answered after a wrong try.
        list->setListIndex(3);
        const auto &sounds = dynamic_cast<const SoundsMode &>(*form.mode(3));
        form.ttx_Timer();
        form.hr_Click(std::int16_t(form.state().boardSlot[(sounds.asked().letter + 4) % 28]));
        form.hr_Click(std::int16_t(form.state().boardSlot[sounds.asked().letter]));
        QApplication::processEvents();
        form.grab().save(QStringLiteral("%1/sounds-%2%3.png").arg(folder, size, suffix));

        // The letter in a word: a word asked, then the next after a right answer.
        list->setListIndex(4);
        const auto &words = dynamic_cast<const WordsMode &>(*form.mode(4));
        form.ttx_Timer();
        for (int n = 0; n < 3 && words.asked(); ++n) {
            QApplication::processEvents();
            form.grab().save(QStringLiteral("%1/words-%2-%3%4.png").arg(folder, size, words.asked()->id, suffix));
            form.hr_Click(std::int16_t(form.state().boardSlot[words.asked()->letter]));
            form.ttx_Timer();
        }
        list->setListIndex(0);
    }
    form.setFullScreen(false);
    return 0;
}
