// The letters' sounds, driven without the window and through it: a
// syllable said until its letter is clicked, every syllable once a turn,
// the letters the child knows by name first.
#include "contest/knownbyname.h"
#include "shell/letters.h"
#include "sounds/soundsmode.h"
#include "ui/widgets.h"

#include <QTest>

#include <set>

#include "support/fakes.h"

namespace {

// Answers the question under way right, then asks the next.
Syllable answerAndGoOn(SoundsMode &mode, FakeModeHost &host)
{
    const Syllable s = mode.asked();
    mode.click(std::int16_t(host.positionOf(s.letter)));
    mode.tick();
    return s;
}

} // namespace

class TestSounds : public QObject
{
    Q_OBJECT
private slots:
    void recordingsAreNamedByLetterAndVowel_data();
    void recordingsAreNamedByLetterAndVowel();
    void aSyllableIsAskedUntilItsLetterIsFound();
    void everySyllableOnceATurn();
    void lettersKnownByNameComeFirst();
    void aHistoryReadLateOrdersWhatIsToCome();
    void chosenInTheWindowTheBoardAnswersASyllable();
};

void TestSounds::recordingsAreNamedByLetterAndVowel_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("recording");
    QTest::newRow("alif with fatha") << 0 << "\\syllables\\1a.wav";
    QTest::newRow("alif with kasra") << 1 << "\\syllables\\1i.wav";
    QTest::newRow("ba with fatha") << 3 << "\\syllables\\2a.wav";
    QTest::newRow("ba with damma") << 5 << "\\syllables\\2u.wav";
    QTest::newRow("ya with damma") << 83 << "\\syllables\\28u.wav";
}

void TestSounds::recordingsAreNamedByLetterAndVowel()
{
    QFETCH(int, number);
    QFETCH(QString, recording);
    QCOMPARE(recordingOf(syllable(number)), recording);
}

// As the contest asks a letter: nothing for 5 seconds, then the syllable
// at every tick, its letter's button the right answer; a wrong click is
// marked and kept, the right one moves on at the next tick.
void TestSounds::aSyllableIsAskedUntilItsLetterIsFound()
{
    FakeModeHost host;
    FakeAnswerLog log;
    host.log = &log;
    host.boardSlot[9] = 3;
    host.boardSlot[3] = 9;
    SoundsMode mode(host);
    mode.enter();
    QCOMPARE(host.timerPeriod, 5000);
    QVERIFY(host.played.isEmpty());

    mode.tick();
    const Syllable s = mode.asked();
    QVERIFY(s.letter >= 0);
    QCOMPARE(host.played, QStringList{recordingOf(s)});
    QCOMPARE(host.marked(), QList<int>{host.positionOf(s.letter)});
    QCOMPARE(host.questionNumber, 1);
    mode.tick();
    QCOMPARE(host.played, (QStringList{recordingOf(s), recordingOf(s)}));

    const int wrong = (s.letter + 5) % 28;
    mode.click(std::int16_t(host.positionOf(wrong)));
    QCOMPARE(host.played.last(), kWrongSound);
    QCOMPARE(host.panel[std::size_t(wrong)], FakeModeHost::Mark::Wrong);
    mode.click(std::int16_t(host.positionOf(s.letter)));
    QCOMPARE(host.played.last(), kRightSound);
    QCOMPARE(host.panel[std::size_t(s.letter)], FakeModeHost::Mark::Right);
    QCOMPARE(host.counts[std::size_t(s.letter)], QStringLiteral("1"));

    QCOMPARE(log.answers.size(), 2);
    for (const Answer &a : log.answers) {
        QCOMPARE(a.mode, Answer::Mode::Sounds);
        QCOMPARE(a.asked, s.letter + 1);
    }
    QCOMPARE(log.answers[0].clicked, wrong + 1);
    QCOMPARE(log.answers[1].right, true);
    QCOMPARE(log.answers[1].wrongTries, 1);

    mode.tick();
    QVERIFY(!(mode.asked() == s));
    QCOMPARE(host.played.last(), recordingOf(mode.asked()));
    QCOMPARE(host.questionNumber, 2);
}

// A turn asks each of the 84 syllables once, then a new turn begins.
void TestSounds::everySyllableOnceATurn()
{
    FakeModeHost host;
    SoundsMode mode(host);
    mode.enter();
    mode.tick();
    std::set<std::pair<int, int>> heard;
    for (int i = 0; i < kSyllableCount; ++i) {
        const Syllable s = answerAndGoOn(mode, host);
        heard.insert({s.letter, int(s.vowel)});
    }
    QCOMPARE(int(heard.size()), kSyllableCount);
    QCOMPARE(host.questionNumber, kSyllableCount + 1);
    QVERIFY(mode.asked().letter >= 0);
}

// A child who knows ح by name and is learning ك hears their syllables
// first, then the others'; answers of the sounds themselves say nothing of
// a name.
void TestSounds::lettersKnownByNameComeFirst()
{
    const int known = 5;
    const int learning = 21;
    FakeModeHost host;
    FakeAnswerLog log;
    host.log = &log;
    log.answers = rightEveryDay(known, 6) + rightEveryDay(learning, 2) + rightEveryDay(11, 6, Answer::Mode::Sounds);
    const NameTiers tiers = nameTiers(log.answers, false, QDateTime::currentSecsSinceEpoch());
    QCOMPARE(tiers[known], NameTier::Known);
    QCOMPARE(tiers[learning], NameTier::InPlay);
    QCOMPARE(tiers[11], NameTier::Other);

    SoundsMode mode(host);
    mode.enter();
    mode.tick();
    QList<int> letters;
    for (int i = 0; i < 9; ++i)
        letters << answerAndGoOn(mode, host).letter;
    QCOMPARE(letters.mid(0, 6), (QList<int>{known, known, known, learning, learning, learning}));
    QVERIFY(!letters.mid(6).contains(known) && !letters.mid(6).contains(learning));
}

// A history read after the first question (a slow disk): the question
// under way stays, what is still to come follows the child's letters.
void TestSounds::aHistoryReadLateOrdersWhatIsToCome()
{
    const int known = 14;
    FakeModeHost host;
    FakeAnswerLog log;
    host.log = &log;
    log.answers = rightEveryDay(known, 6);
    log.holdRecalls = true;
    SoundsMode mode(host);
    mode.enter();
    mode.tick();
    const Syllable first = mode.asked();
    QVERIFY(first.letter != known);
    log.releaseRecalls();
    QCOMPARE(mode.asked(), first);
    answerAndGoOn(mode, host);
    QCOMPARE(mode.asked().letter, known);

    // Left before it comes, a reading changes nothing.
    mode.enter();
    mode.leave();
    const auto turn = mode.turn();
    log.releaseRecalls();
    QCOMPARE(mode.turn(), turn);
}

// The mode list's entry: the window says the syllable and takes the click
// on its letter's button.
void TestSounds::chosenInTheWindowTheBoardAnswersASyllable()
{
    FormFixture f;
    const int entry = f.list("Co2")->findText(QStringLiteral("أصوات الحروف"));
    QCOMPARE(entry, 3);
    f.pick("Co2", entry);
    f.form->ttx_Timer();
    QCOMPARE(f.sound.played.size(), 1);
    const QString said = f.sound.played.first();
    QVERIFY2(said.startsWith("\\syllables\\"), qPrintable(said));
    const int letter = said.mid(11).chopped(5).toInt() - 1;
    QCOMPARE(f.markedPosition(), int(f.form->state().boardSlot[std::size_t(letter)]));
    f.click(f.markedPosition());
    QCOMPARE(f.sound.played.last(), kRightSound);
    QCOMPARE(f.answers.answers.size(), 1);
    QCOMPARE(f.answers.answers[0].mode, Answer::Mode::Sounds);
    QCOMPARE(f.answers.answers[0].asked, letter + 1);
}

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
