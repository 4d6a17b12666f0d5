#include "modehost.h"

#include "board/shuffle.h"
#include "platform/soundplayer.h"
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QLineEdit>

Form1::Host::Host(Form1 &window)
    : m_window(window)
{
}

int Form1::Host::letterAt(int position) const
{
    for (int k = 0; k < kLetterCount; ++k) {
        if (m_window.m_state.boardSlot[k] == position)
            return k;
    }
    return -1;
}

int Form1::Host::positionOf(int letter) const
{
    return m_window.m_state.boardSlot.at(std::size_t(letter));
}

void Form1::Host::playLetterAt(int position)
{
    m_window.m_services.sound.play(m_window.m_state.soundFile.at(std::size_t(position)));
}

void Form1::Host::play(const QString &sound)
{
    m_window.m_services.sound.play(sound);
}

QString Form1::Host::tag(int position) const
{
    return m_window.hr.at(std::size_t(position))->tag();
}

void Form1::Host::setTag(int position, const QString &tag)
{
    m_window.hr.at(std::size_t(position))->setTag(tag);
}

void Form1::Host::setAsleep(int position, bool asleep)
{
    m_window.hr.at(std::size_t(position))->setFaded(asleep);
}

bool Form1::Host::isAsleep(int position) const
{
    return m_window.hr.at(std::size_t(position))->isFaded();
}

void Form1::Host::showNotYet(int position)
{
    m_window.hr.at(std::size_t(position))->showNotYet();
}

void Form1::Host::showInResultsPanel(int letter, bool right)
{
    const auto k = std::size_t(letter);
    m_window.Ima.at(k)->setPicture(right ? m_window.m_panelTick : m_window.m_panelCross);
    m_window.hro[k]->show();
    m_window.Ima[k]->show();
    m_window.imac[k]->show();
}

void Form1::Host::setResultCount(int letter, const QString &count)
{
    ClickLabel *label = m_window.imac.at(std::size_t(letter));
    label->setText(count);
    label->adjustSize();
}

void Form1::Host::showAnswerPictures(bool right)
{
    m_window.Imy->setVisible(right);
    m_window.Imn->setVisible(!right);
    m_window.Imhy->setVisible(right);
    m_window.Imhn->setVisible(!right);
}

void Form1::Host::setQuestionNumber(int number)
{
    m_window.qno->setText(QString::number(number));
}

void Form1::Host::showWord(const Word *word)
{
    m_window.showWord(word);
}

void Form1::Host::setTimerPeriod(int milliseconds)
{
    m_window.setTimerPeriod(milliseconds);
}

void Form1::Host::shuffle(std::int16_t first, std::int16_t last, std::span<std::int16_t> target)
{
    shuffleRange(first, last, target, m_window.m_services.random, m_window.m_services.clock);
}

Answer::Order Form1::Host::boardOrder() const
{
    return m_window.Co1->currentIndex() == 1 ? Answer::Order::Random : Answer::Order::Alphabetical;
}

AnswerLog *Form1::Host::answers() const
{
    return m_window.m_services.answers;
}
