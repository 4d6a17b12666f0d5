// The letters contest: the question timer and the marking of answers.
#include "shell/form1.h"

#include "platform/soundplayer.h"
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

    const std::int16_t asked = m_state.quizOrder[m_state.quizPos];
    m_services.sound.play(m_state.soundFile[asked]);
    qno->setText(QString::number(m_state.quizPos + 1));

    for (PictureButton *button : hr)
        button->setTag(kUnmarked);
    for (int k = 0; k < kLetterCount; ++k) {
        if (m_state.boardSlot[k] == asked) {
            hr[m_state.boardSlot[k]]->setTag(kMarked);
            break;
        }
    }
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
    const std::int16_t asked = m_state.quizOrder[m_state.quizPos];
    int k = 0;
    while (k < kLetterCount - 1 && m_state.boardSlot[k] != asked)
        ++k;

    Ima[k]->setPicture(Imy->picture());
    hro[k]->show();
    Ima[k]->show();
    imac[k]->show();
    imac[k]->setText(m_state.wrongTries == 0 ? QString() : QString::number(m_state.wrongTries));
    imac[k]->adjustSize();

    m_state.wrongTries = 0;
    m_state.quizPos = m_state.quizPos >= 27 ? 0 : std::int16_t(m_state.quizPos + 1);
    // Answered: the next click waits for the next question.
    hr[index]->setTag(kUnmarked);

    Imy->show();
    Imn->hide();
    Imhy->show();
    Imhn->hide();
    m_services.sound.play(kRightSound);
}

void Form1::markWrong(std::int16_t index)
{
    int k = 0;
    while (k < kLetterCount - 1 && m_state.boardSlot[k] != index)
        ++k;

    if (m_state.wrongTries < std::numeric_limits<std::int16_t>::max())
        ++m_state.wrongTries;
    Ima[k]->setPicture(Imn->picture());
    hro[k]->show();
    Ima[k]->show();
    imac[k]->show();

    Imy->hide();
    Imn->show();
    Imhy->hide();
    Imhn->show();
    m_services.sound.play(kWrongSound);
}
