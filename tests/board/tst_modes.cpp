// Every mode of the mode list, driven without the window.
#include "board/mode.h"
#include "board/modelist.h"

#include <QTest>

#include "support/fakes.h"

class TestModes : public QObject
{
    Q_OBJECT
private slots:
    void everyModeStartsQuietAndLeavesTheBoardAwake_data();
    void everyModeStartsQuietAndLeavesTheBoardAwake();
};

void TestModes::everyModeStartsQuietAndLeavesTheBoardAwake_data()
{
    QTest::addColumn<int>("entry");
    for (int i = 0; i < int(modeList().size()); ++i)
        QTest::addRow("entry %d", i) << i;
}

// Chosen, a mode says and keeps nothing at once (a question comes with
// the timer's first tick); once left after a tick and a click on every
// letter, it leaves no letter asleep for the next.
void TestModes::everyModeStartsQuietAndLeavesTheBoardAwake()
{
    QFETCH(int, entry);
    const ModeKind &kind = modeList()[std::size_t(entry)];
    // The window finds the mode chosen by its entry's text.
    QCOMPARE(std::count_if(modeList().begin(), modeList().end(),
                           [&](const ModeKind &other) { return other.entry == kind.entry; }),
             1);

    FakeModeHost host;
    FakeAnswerLog log;
    host.log = &log;
    const std::unique_ptr<Mode> mode = kind.make(host);
    mode->enter();
    QVERIFY(host.played.isEmpty());
    QVERIFY(log.answers.isEmpty());
    QVERIFY(std::all_of(host.panel.begin(), host.panel.end(), [](auto m) { return m == FakeModeHost::Mark::None; }));

    if (host.timerPeriod > 0)
        mode->tick();
    for (int j = 0; j < 28; ++j)
        mode->click(std::int16_t(j));
    mode->leave();
    for (int j = 0; j < 28; ++j)
        QVERIFY2(!host.asleep[std::size_t(j)], qPrintable(QString::number(j)));
}

QTEST_GUILESS_MAIN(TestModes)
#include "tst_modes.moc"
