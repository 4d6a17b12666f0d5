// The letters contest: the question timer and the marking of answers.
#include "shell/form1.h"

#include "history/answerlog.h"
#include "platform/soundplayer.h"
#include "practice/scheduler.h"
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace {

const QString kMarked = QStringLiteral("1");
const QString kUnmarked = QStringLiteral("0");

// The right-answer mark of a button, read as a number; empty counts as 0.
bool carriesMark(const PictureButton &button)
{
    return button.tag().toInt() == 1;
}

} // namespace

void Form1::ttx_Timer()
{
    Imy->hide();
    Imn->hide();
    Imhy->hide();
    Imhn->hide();
    if (m_practising) {
        askPractice();
        return;
    }

    const std::int16_t asked = m_state.quizOrder[m_state.quizPos];
    m_services.sound.play(m_state.soundFile[asked]);
    if (m_questionAskedPos != m_state.quizPos) {
        m_questionAskedPos = m_state.quizPos;
        m_questionAsked.start();
    }
    qno->setText(QString::number(m_state.quizPos + 1));

    markOnly(letterAt(asked) >= 0 ? asked : -1);
}

// The right-answer mark on board position `position` alone; -1: on none.
void Form1::markOnly(int position)
{
    for (PictureButton *button : hr)
        button->setTag(kUnmarked);
    if (position >= 0)
        hr[position]->setTag(kMarked);
}

// The letter shown at a board position: the smallest k with boardSlot(k) at
// that position, or -1.
int Form1::letterAt(std::int16_t position) const
{
    for (int k = 0; k < kLetterCount; ++k) {
        if (m_state.boardSlot[k] == position)
            return k;
    }
    return -1;
}

// The letter asked now: the contest's question, or practice's.
int Form1::askedLetter() const
{
    if (m_practising)
        return m_practiceAsked;
    return letterAt(m_state.quizOrder[m_state.quizPos]);
}

// Shows letter k's element of the results panel with the given mark.
void Form1::showInResultsPanel(int k, const QPixmap &mark)
{
    Ima[k]->setPicture(mark);
    hro[k]->show();
    Ima[k]->show();
    imac[k]->show();
}

// A question is pending from the tick that asks it until it is answered
// right; only then does a click count as an answer.
bool Form1::questionPending() const
{
    return std::any_of(hr.begin(), hr.end(), [](const PictureButton *b) { return carriesMark(*b); });
}

void Form1::markAnswer(std::int16_t index)
{
    if (!questionPending())
        return;
    if (carriesMark(*hr[index]))
        markRight(index);
    else
        markWrong(index);
}

void Form1::markRight(std::int16_t index)
{
    const int k = askedLetter();
    if (k < 0)
        return;
    showInResultsPanel(k, m_panelTick);
    imac[k]->setText(m_state.wrongTries == 0 ? QString() : QString::number(m_state.wrongTries));
    imac[k]->adjustSize();
    const int wrongTriesBefore = m_state.wrongTries;

    m_state.wrongTries = 0;
    if (!m_practising)
        m_state.quizPos = m_state.quizPos >= 27 ? 0 : std::int16_t(m_state.quizPos + 1);
    // Answered: the next click waits for the next question.
    hr[index]->setTag(kUnmarked);

    Imy->show();
    Imn->hide();
    Imhy->show();
    Imhn->hide();
    m_services.sound.play(kRightSound);
    keepAnswer(k, letterAt(index), true, wrongTriesBefore);
}

void Form1::markWrong(std::int16_t index)
{
    const int k = letterAt(index);
    if (k < 0)
        return;
    const int wrongTriesBefore = m_state.wrongTries;
    if (m_state.wrongTries < std::numeric_limits<std::int16_t>::max())
        ++m_state.wrongTries;
    // The caption keeps what it had: empty, or an earlier right answer's count.
    showInResultsPanel(k, m_panelCross);

    Imy->hide();
    Imn->show();
    Imhy->hide();
    Imhn->show();
    m_services.sound.play(kWrongSound);
    keepAnswer(askedLetter(), k, false, wrongTriesBefore);
}

// After the sound and the marks: the history only queues the answer, and
// practice learns from it.
void Form1::keepAnswer(int askedLetter, int clickedLetter, bool right, int wrongTriesBefore)
{
    if (askedLetter < 0 || clickedLetter < 0 || (!m_services.answers && !m_practising))
        return;
    Answer answer;
    answer.time = QDateTime::currentDateTimeUtc();
    answer.asked = askedLetter + 1;
    answer.clicked = clickedLetter + 1;
    answer.right = right;
    answer.wrongTries = wrongTriesBefore;
    answer.seconds = m_questionAsked.isValid() ? double(m_questionAsked.elapsed()) / 1000.0 : 0.0;
    answer.order = Co1->currentIndex() == 1 ? Answer::Order::Random : Answer::Order::Alphabetical;
    answer.mode = m_practising ? Answer::Mode::Practice : Answer::Mode::Contest;
    if (m_services.answers)
        m_services.answers->record(answer);
    if (m_practising)
        practiceAnswered(answer);
}
