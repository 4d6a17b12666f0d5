#include "knownbyname.h"

#include "board/mode.h"
#include "practice/fromhistory.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <memory>
#include <span>

NameTiers unknownNames()
{
    NameTiers tiers;
    tiers.fill(NameTier::Other);
    return tiers;
}

KnownFirstTurn::KnownFirstTurn(LetterOf letterOf)
    : m_letterOf(std::move(letterOf))
{
}

void KnownFirstTurn::begin(ModeHost &host, int count)
{
    m_turn.assign(std::size_t(std::max(count, 0)), 0);
    m_next = 0;
    if (m_turn.empty())
        return;
    host.shuffle(0, std::int16_t(m_turn.size() - 1), m_turn);
    knownFirst(m_turn, m_tiers, m_letterOf);
}

void KnownFirstTurn::setTiers(const NameTiers &tiers)
{
    m_tiers = tiers;
    knownFirst(std::span(m_turn).subspan(m_next), m_tiers, m_letterOf);
}

int KnownFirstTurn::next(ModeHost &host)
{
    if (m_turn.empty())
        return -1;
    if (m_next >= m_turn.size())
        begin(host, int(m_turn.size()));
    return m_turn[m_next++];
}

NameTiers nameTiers(const QList<Answer> &answers, bool alphabetical, std::int64_t now)
{
    const practice::Scheduler scheduler = replayed(answers, alphabetical, now);
    const practice::LetterSet inPlay = scheduler.active();
    NameTiers tiers = unknownNames();
    for (int k = 0; k < int(tiers.size()); ++k) {
        if (scheduler.isKnown(k))
            tiers[std::size_t(k)] = NameTier::Known;
        else if (inPlay.test(std::size_t(k)))
            tiers[std::size_t(k)] = NameTier::InPlay;
    }
    return tiers;
}

void KnownByName::read(AnswerLog *log, std::function<void(const NameTiers &)> done)
{
    const quint64 session = ++m_session;
    if (!log)
        return;
    QPointer<KnownByName> self(this);
    QThread *const ui = thread();
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    log->recall([self, ui, session, now, done = std::move(done)](Recalled recalled) {
        // Replayed where it was read, not on the child's thread.
        const NameTiers tiers = nameTiers(recalled.answers, recalled.alphabetical, now);
        const auto deliver = [self, session, tiers, done] {
            if (self && self->m_session == session)
                done(tiers);
        };
        if (QThread::currentThread() == ui)
            deliver();
        else
            QMetaObject::invokeMethod(QCoreApplication::instance(), deliver, Qt::QueuedConnection);
    });
}
