#include "modehost.h"

#include "board/shuffle.h"
#include "platform/soundplayer.h"
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QLineEdit>

Form1::Host::Host(Form1 &window)
    : w(window)
{
}

int Form1::Host::letterAt(int position) const
{
    for (int k = 0; k < kLetterCount; ++k) {
        if (w.m_state.boardSlot[k] == position)
            return k;
    }
    return -1;
}

int Form1::Host::positionOf(int letter) const
{
    return w.m_state.boardSlot.at(std::size_t(letter));
}

void Form1::Host::playLetterAt(int position)
{
    w.m_services.sound.play(w.m_state.soundFile.at(std::size_t(position)));
}

void Form1::Host::play(const QString &sound)
{
    w.m_services.sound.play(sound);
}

QString Form1::Host::tag(int position) const
{
    return w.hr.at(std::size_t(position))->tag();
}

void Form1::Host::setTag(int position, const QString &tag)
{
    w.hr.at(std::size_t(position))->setTag(tag);
}

void Form1::Host::setAsleep(int position, bool asleep)
{
    w.hr.at(std::size_t(position))->setFaded(asleep);
}

bool Form1::Host::isAsleep(int position) const
{
    return w.hr.at(std::size_t(position))->isFaded();
}

void Form1::Host::showNotYet(int position)
{
    w.hr.at(std::size_t(position))->showNotYet();
}

void Form1::Host::showInResultsPanel(int letter, bool right)
{
    const auto k = std::size_t(letter);
    w.Ima.at(k)->setPicture(right ? w.m_panelTick : w.m_panelCross);
    w.hro[k]->show();
    w.Ima[k]->show();
    w.imac[k]->show();
}

void Form1::Host::setResultCount(int letter, const QString &count)
{
    ClickLabel *label = w.imac.at(std::size_t(letter));
    label->setText(count);
    label->adjustSize();
}

void Form1::Host::showAnswerPictures(bool right)
{
    w.Imy->setVisible(right);
    w.Imn->setVisible(!right);
    w.Imhy->setVisible(right);
    w.Imhn->setVisible(!right);
}

void Form1::Host::setQuestionNumber(int number)
{
    w.qno->setText(QString::number(number));
}

void Form1::Host::setTimerPeriod(int milliseconds)
{
    w.setTimerPeriod(milliseconds);
}

void Form1::Host::shuffle(std::int16_t first, std::int16_t last, std::span<std::int16_t> target)
{
    shuffleRange(first, last, target, w.m_services.random, w.m_services.clock);
}

Answer::Order Form1::Host::boardOrder() const
{
    return w.Co1->currentIndex() == 1 ? Answer::Order::Random : Answer::Order::Alphabetical;
}

AnswerLog *Form1::Host::answers() const
{
    return w.m_services.answers;
}
