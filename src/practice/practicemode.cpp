// Practice: the contest's questions, marks and sounds, asking the letters
// the child is learning, chosen from what its answers say.
#include "shell/form1.h"

#include "history/answerlog.h"
#include "platform/soundplayer.h"
#include "practice/fromhistory.h"
#include "practice/scheduler.h"
#include "shell/letters.h"
#include "ui/widgets.h"

#include <QCoreApplication>
#include <QDate>
#include <QLineEdit>
#include <QPointer>
#include <QThread>

namespace {

int today()
{
    return int(QDate::currentDate().toJulianDay());
}

} // namespace

// Starts afresh from what this session saw; the child's answers in the
// history follow as soon as they are read, off this thread.
void Form1::startPractice()
{
    m_practising = true;
    m_practice = std::make_unique<practice::Scheduler>();
    m_practiceAsked = -1;
    m_practiceQuestion = 0;
    m_practiceSince.clear();
    m_practiceRecalled = false;
    const quint64 session = ++m_practiceSession;
    m_practice->start();
    showLettersInPlay();
    if (!m_services.answers)
        return;
    QPointer<Form1> self(this);
    QThread *const ui = thread();
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    m_services.answers->recall([self, ui, session, now](Recalled recalled) {
        // A year of answers is replayed where it was read, not on the
        // child's thread.
        auto scheduler = std::make_shared<practice::Scheduler>(replayed(recalled.answers, recalled.alphabetical, now));
        if (QThread::currentThread() == ui) {
            if (self)
                self->practiceRecalled(session, std::move(*scheduler));
            return;
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, session, scheduler]() {
                if (self)
                    self->practiceRecalled(session, std::move(*scheduler));
            },
            Qt::QueuedConnection);
    });
}

void Form1::stopPractice()
{
    if (!m_practising)
        return;
    m_practising = false;
    m_practice.reset();
    m_practiceAsked = -1;
    ++m_practiceSession;
    for (PictureButton *button : hr)
        button->setFaded(false);
}

// The history's answers, replayed where they were read, then this
// practice's own: the scheduler is what they say, as if it had seen them
// all as they came.
void Form1::practiceRecalled(quint64 session, practice::Scheduler fromHistory)
{
    if (!m_practising || session != m_practiceSession || m_practiceRecalled)
        return;
    m_practiceRecalled = true;
    auto scheduler = std::make_unique<practice::Scheduler>(std::move(fromHistory));
    for (const Answer &answer : std::as_const(m_practiceSince))
        scheduler->observe(practiceEvent(answer));
    scheduler->start();
    m_practice = std::move(scheduler);
    // A question asked before the history came (a slow disk) may be of a
    // letter the history puts out of play: the next tick asks afresh.
    if (m_practiceAsked >= 0 && !m_practice->active().test(std::size_t(m_practiceAsked))) {
        m_practiceAsked = -1;
        markOnly(-1);
    }
    showLettersInPlay();
}

// Letters not yet in play are faint on the board, in their places.
void Form1::showLettersInPlay()
{
    const practice::LetterSet active = m_practice ? m_practice->active() : practice::LetterSet().set();
    for (int k = 0; k < kLetterCount; ++k)
        hr[m_state.boardSlot[k]]->setFaded(!active.test(std::size_t(k)));
}

// A tick in practice: the question under way is played again; once it was
// answered, the scheduler picks the next.
void Form1::askPractice()
{
    if (m_practiceAsked < 0) {
        m_practiceAsked = m_practice->next(QDateTime::currentSecsSinceEpoch(), today());
        ++m_practiceQuestion;
        m_questionAsked.start();
        showLettersInPlay();
    }
    const std::int16_t position = m_state.boardSlot[m_practiceAsked];
    m_services.sound.play(m_state.soundFile[position]);
    qno->setText(QString::number(m_practiceQuestion));
    markOnly(position);
}

void Form1::practiceAnswered(const Answer &answer)
{
    m_practiceSince << answer;
    m_practice->observe(practiceEvent(answer));
    if (answer.right)
        m_practiceAsked = -1;
}
