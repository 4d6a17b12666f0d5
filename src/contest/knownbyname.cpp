#include "knownbyname.h"

#include "practice/fromhistory.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <memory>

NameTiers unknownNames()
{
    NameTiers tiers;
    tiers.fill(NameTier::Other);
    return tiers;
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
