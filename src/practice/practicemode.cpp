#include "practicemode.h"

#include "practice/fromhistory.h"
#include "practice/scheduler.h"
#include "shell/letters.h"

#include <QCoreApplication>
#include <QDate>
#include <QPointer>
#include <QThread>

namespace {

int today()
{
    return int(QDate::currentDate().toJulianDay());
}

} // namespace

PracticeMode::PracticeMode(ModeHost &host)
    : m_host(host)
    , m_cycle(host, *this)
{
}

PracticeMode::~PracticeMode() = default;

// Starts afresh from what this session saw; the child's answers in the
// history follow as soon as they are read, off this thread.
void PracticeMode::enter()
{
    m_cycle.begin();
    m_practice = std::make_unique<practice::Scheduler>();
    m_asked = -1;
    m_question = 0;
    m_since.clear();
    m_recalled = false;
    const quint64 session = ++m_session;
    m_practice->start();
    showLettersInPlay();
    AnswerLog *log = m_host.answers();
    if (!log)
        return;
    QPointer<PracticeMode> self(this);
    QThread *const ui = thread();
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    log->recall([self, ui, session, now](Recalled recalled) {
        // A year of answers is replayed where it was read, not on the
        // child's thread.
        auto scheduler = std::make_shared<practice::Scheduler>(replayed(recalled.answers, recalled.alphabetical, now));
        if (QThread::currentThread() == ui) {
            if (self)
                self->recalled(session, std::move(*scheduler));
            return;
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, session, scheduler]() {
                if (self)
                    self->recalled(session, std::move(*scheduler));
            },
            Qt::QueuedConnection);
    });
}

// Every letter awake again, and a history still being read left unused.
void PracticeMode::leave()
{
    if (!m_practice)
        return;
    m_practice.reset();
    m_asked = -1;
    ++m_session;
    for (int j = 0; j < kLetterCount; ++j)
        m_host.setAsleep(j, false);
}

void PracticeMode::tick()
{
    m_cycle.tick();
}

void PracticeMode::click(std::int16_t position)
{
    // Not in play yet: no sound, no mark, not kept.
    if (m_host.isAsleep(position)) {
        m_host.showNotYet(position);
        return;
    }
    m_cycle.click(position);
}

// The letters in play, and the question's mark, move with the letters.
void PracticeMode::boardMoved()
{
    showLettersInPlay();
    m_cycle.markOnly(askedPosition());
}

// The history's answers, replayed where they were read, then this
// practice's own: the scheduler is what they say, as if it had seen them
// all as they came.
void PracticeMode::recalled(quint64 session, practice::Scheduler fromHistory)
{
    if (!m_practice || session != m_session || m_recalled)
        return;
    m_recalled = true;
    auto scheduler = std::make_unique<practice::Scheduler>(std::move(fromHistory));
    for (const Answer &answer : std::as_const(m_since))
        scheduler->observe(practiceEvent(answer));
    scheduler->start();
    m_practice = std::move(scheduler);
    // A question asked before the history came (a slow disk) may be of a
    // letter the history puts out of play: the next tick asks afresh.
    if (m_asked >= 0 && !m_practice->active().test(std::size_t(m_asked))) {
        m_asked = -1;
        m_cycle.dropQuestion();
    }
    showLettersInPlay();
}

// Letters not yet in play sleep on the board, in their places; so, while a
// question is asked among fewer letters (a letter met for the first time,
// or still new), do those in play it is not asked among.
void PracticeMode::showLettersInPlay()
{
    const practice::LetterSet awake = m_practice ? m_practice->clickable() : practice::LetterSet().set();
    for (int k = 0; k < kLetterCount; ++k)
        m_host.setAsleep(m_host.positionOf(k), !awake.test(std::size_t(k)));
}

// The scheduler picks the letter of each new question.
void PracticeMode::startQuestion()
{
    m_asked = m_practice->next(QDateTime::currentSecsSinceEpoch(), today());
    ++m_question;
    showLettersInPlay();
}

int PracticeMode::askedPosition() const
{
    return m_asked >= 0 ? m_host.positionOf(m_asked) : -1;
}

void PracticeMode::answeredRight()
{
    m_asked = -1;
}

void PracticeMode::kept(const Answer &answer)
{
    m_since << answer;
    m_practice->observe(practiceEvent(answer));
    if (answer.right)
        showLettersInPlay();
}
