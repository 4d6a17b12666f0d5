// The letter board: pronunciation, the order list and the mode list.
#include "shell/form1.h"

#include "board/lists.h"
#include "board/shuffle.h"
#include "practice/scheduler.h"
#include "platform/soundplayer.h"
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QLineEdit>

namespace {

constexpr int kQuestionPeriodMs = 5000;

} // namespace

void Form1::hr_Click(std::int16_t index)
{
    if (index < 0 || index >= kLetterCount)
        return;
    // The entry number decides, not the text: entry 0 is pronunciation.
    if (Co2->currentIndex() == 0)
        m_services.sound.play(m_state.soundFile[index]);
    else if (m_practising && hr[index]->isFaded())
        hr[index]->showNotYet(); // not in play yet: no sound, no mark, not kept
    else
        markAnswer(index);
}

void Form1::Co1_Click()
{
    if (Co1->currentIndex() == 0) {
        for (int i = 0; i < kLetterCount; ++i)
            m_state.boardSlot[i] = std::int16_t(i);
    } else {
        ShuffleBoard(0, 27);
    }
    placeLettersOnBoard();
    if (m_practising) {
        // The letters in play, and the question's mark, move with them.
        showLettersInPlay();
        markOnly(m_practiceAsked >= 0 ? m_state.boardSlot[m_practiceAsked] : -1);
    }
}

// Board agreement: the sound of each position and its picture are rebuilt
// together from boardSlot, so a button always plays the letter it shows.
void Form1::placeLettersOnBoard()
{
    for (int k = 0; k < kLetterCount; ++k)
        m_state.soundFile[m_state.boardSlot[k]] = recordingOf(k);
    for (int k = 0; k < kLetterCount; ++k)
        hr[m_state.boardSlot[k]]->copyPictureFrom(*hro[k]);
}

void Form1::Co2_Click()
{
    hideResultsPanel();
    stopPractice();
    const QString mode = Co2->currentText();
    if (mode == kModeEntries[0]) {
        setTimerPeriod(0);
    } else if (mode == kModeEntries[2]) {
        // Practice starts like a contest: its first question 5 seconds on.
        qno->setText(QStringLiteral("1"));
        markOnly(-1);
        m_state.wrongTries = 0;
        startPractice();
        setTimerPeriod(kQuestionPeriodMs);
    } else if (mode == kModeEntries[1]) {
        ShuffleQuiz(0, 27);
        m_state.quizPos = 0;
        qno->setText(QString::number(m_state.quizPos + 1));
        // A new contest starts clean: no button is the answer until the first
        // question has been heard, and no wrong try of an earlier contest
        // counts against this one.
        markOnly(-1);
        m_state.wrongTries = 0;
        m_questionAskedPos = -1; // the first question is asked afresh
        setTimerPeriod(kQuestionPeriodMs);
    }
}

void Form1::hideResultsPanel()
{
    for (int i = 0; i < kLetterCount; ++i) {
        hro[i]->hide();
        Ima[i]->hide();
        imac[i]->hide();
        imac[i]->setText(QString());
    }
}

void Form1::ShuffleBoard(std::int16_t first, std::int16_t last)
{
    shuffleRange(first, last, m_state.boardSlot, m_services.random, m_services.clock);
}

void Form1::ShuffleQuiz(std::int16_t first, std::int16_t last)
{
    shuffleRange(first, last, m_state.quizOrder, m_services.random, m_services.clock);
}
