// The letter in a word: the word table, the word drawn whole with its
// letter in another colour, and the mode driven without the window and
// through it.
#include "contest/knownbyname.h"
#include "shell/letters.h"
#include "ui/design.h"
#include "ui/look.h"
#include "ui/widgets.h"
#include "words/worddrawing.h"
#include "words/wordpanel.h"
#include "words/wordsmode.h"
#include "words/wordtable.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <set>

#include "support/fakes.h"

namespace {

// The fixture's table, compiled into this test under ":/words/".
WordTable fixture()
{
    QFile file(QStringLiteral(":/words/words.tsv"));
    file.open(QIODevice::ReadOnly);
    return parseWordTable(file.readAll());
}


QImage drawn(const QString &vowelled, int from, int length, QRectF *coloured = nullptr)
{
    QImage image(520, 220, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    WordLook look{designFont(FontDesign{"Arial", 12, true}), WordPanel::kInk, WordPanel::kLetterInk};
    const QRectF box(10, 10, 500, 200);
    look.font.setPixelSize(fittingPixelSize(vowelled, look.font, box.size(), 150));
    const QRectF bounds = drawWord(p, box, vowelled, from, length, look);
    if (coloured)
        *coloured = bounds;
    return image;
}

bool near(QRgb a, QColor b, int within)
{
    return std::abs(qRed(a) - b.red()) <= within && std::abs(qGreen(a) - b.green()) <= within
        && std::abs(qBlue(a) - b.blue()) <= within;
}

} // namespace

class TestWords : public QObject
{
    Q_OBJECT
private slots:
    void nothingOfTheWordsIsLoadedAtStart();
    void theLetterIsFoundAtItsPlace_data();
    void theLetterIsFoundAtItsPlace();
    void rowsThatAreNotWholeAreLeftOut();
    void theLetterIsColouredAndTheWordStaysJoined_data();
    void theLetterIsColouredAndTheWordStaysJoined();
    void eachWordIsShownSaidAndAnsweredByItsLetter();
    void everyWordOnceATurnTheKnownLettersFirst();
    void theTableIsReadWhenTheModeIsFirstChosen();
    void inTheWindowTheWordStandsInTheResultsPanelsPlace();
};

// The child's window starts without the SVG reader: its pictures are read
// as what they are, not offered to every image plugin installed. The words
// mode loads it when it first shows a picture.
void TestWords::nothingOfTheWordsIsLoadedAtStart()
{
    const auto svgLoaded = [] {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Svg");
    };
    FormFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    QVERIFY(!svgLoaded());
    f.pick("Co2", 4);
    f.form->ttx_Timer();
    f.form->findChild<WordPanel *>()->grab();
    QVERIFY2(svgLoaded(), "Qt's SVG image plugin (libqt6svg6) is missing");
}

void TestWords::theLetterIsFoundAtItsPlace_data()
{
    QTest::addColumn<QString>("vowelled");
    QTest::addColumn<int>("letter");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("length");
    const int start = int(Word::Position::Start);
    const int middle = int(Word::Position::Middle);
    const int end = int(Word::Position::End);
    // أَرْنَبٌ: alif with hamza and fatha, ra with sukun, nun with fatha, ba with tanween.
    QTest::newRow("alif with its hamza, first") << "أَرْنَبٌ" << 0 << start << 0 << 2;
    QTest::newRow("the last letter and its tanween") << "أَرْنَبٌ" << 1 << end << 6 << 2;
    QTest::newRow("a letter between") << "أَرْنَبٌ" << 24 << middle << 4 << 2;
    QTest::newRow("shadda and kasra both carried") << "قِطَّةٌ" << 15 << middle << 2 << 3;
    QTest::newRow("ta marbuta for ta") << "قِطَّةٌ" << 2 << end << 5 << 2;
    QTest::newRow("ta marbuta for ha") << "سَمَكَةٌ" << 25 << end << 6 << 2;
    QTest::newRow("alif maqsura for ya") << "مُوسَى" << 27 << end << 5 << 1;
    QTest::newRow("the first between, not the first") << "بَابٌ" << 1 << middle << -1 << 0;
    QTest::newRow("not at the start") << "بَيْتٌ" << 2 << start << -1 << 0;
    QTest::newRow("plain alif between") << "بَابٌ" << 0 << middle << 2 << 1;
}

void TestWords::theLetterIsFoundAtItsPlace()
{
    QFETCH(QString, vowelled);
    QFETCH(int, letter);
    QFETCH(int, position);
    QFETCH(int, from);
    QFETCH(int, length);
    const TextRange range = findLetter(vowelled, letter, Word::Position(position));
    QCOMPARE(range.from, from);
    QCOMPARE(range.length, length);
}

// The columns are found by the header, in any order; a row that is not
// whole is left out and said, and the rest are read.
void TestWords::rowsThatAreNotWholeAreLeftOut()
{
    const QByteArray tsv = "picture\tid\tword\tvowelled\tletter\tposition\r\n"
                           "sun\tshams\tشمس\tشَمْسٌ\t13\tstart\r\n"
                           "sun\tShams\tشمس\tشَمْسٌ\t13\tstart\r\n"
                           "sun\tshams2\tشمس\tشَمْسٌ\t29\tstart\r\n"
                           "sun\tshams3\tشمس\tشَمْسٌ\t13\tfirst\r\n"
                           "sun\tshams4\tشمس\tشَمْسٌ\t12\tstart\r\n"
                           "../sun\tshams5\tشمس\tشَمْسٌ\t13\tstart\r\n"
                           "\r\n"
                           "house\tbayt\tبيت\tبَيْتٌ\t28\tmiddle\r\n";
    const WordTable table = parseWordTable(tsv);
    QCOMPARE(table.words.size(), 2);
    QCOMPARE(table.words[0].id, QStringLiteral("shams"));
    QCOMPARE(table.words[0].letter, 12);
    QCOMPARE(table.words[0].picture, QStringLiteral("sun"));
    QCOMPARE(table.words[1].id, QStringLiteral("bayt"));
    QCOMPARE(table.words[1].position, Word::Position::Middle);
    QCOMPARE(recordingOf(table.words[1]), QStringLiteral("\\words\\bayt.wav"));
    QCOMPARE(table.problems.size(), 5);
    QVERIFY(table.problems[0].startsWith("line 3:"));
    QVERIFY(table.problems[3].contains("shams4"));

    QCOMPARE(parseWordTable("id\tword\tletter\n").problems, QStringList{"the header has no column vowelled"});
}

void TestWords::theLetterIsColouredAndTheWordStaysJoined_data()
{
    QTest::addColumn<QString>("id");
    for (const Word &word : fixture().words)
        QTest::newRow(qPrintable(word.id)) << word.id;
}

// Drawn with its letter coloured, the word is the plain word's pixels
// everywhere outside the letter's glyphs: shaped once, its joins and its
// other letters untouched. The letter is there in its colour.
void TestWords::theLetterIsColouredAndTheWordStaysJoined()
{
    QFETCH(QString, id);
    const QList<Word> words = fixture().words;
    const Word word = *std::find_if(words.begin(), words.end(), [&](const Word &w) { return w.id == id; });
    const QImage plain = drawn(word.vowelled, 0, 0);
    QRectF letter;
    const QImage coloured = drawn(word.vowelled, word.from, word.length, &letter);
    QVERIFY(!letter.isEmpty());
    const QRect around = letter.toAlignedRect().adjusted(-2, -2, 2, 2);
    int inLetterInk = 0;
    int inInk = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb a = plain.pixel(x, y);
            const QRgb b = coloured.pixel(x, y);
            if (!around.contains(x, y) && a != b)
                QFAIL(qPrintable(QStringLiteral("%1: pixel %2,%3 changed outside the letter").arg(id).arg(x).arg(y)));
            inLetterInk += near(b, WordPanel::kLetterInk, 24);
            inInk += near(a, WordPanel::kInk, 24);
        }
    }
    QVERIFY2(inLetterInk > 150, qPrintable(QString::number(inLetterInk)));
    // The rest of the word is still in its ink: more of it than the letter.
    QVERIFY(inInk > inLetterInk);
}

// Each question shows the word and says it; the letter's button is the
// answer. The answers are kept as the words mode's; the results panel is
// never filled, the answer pictures and sounds are the contest's.
void TestWords::eachWordIsShownSaidAndAnsweredByItsLetter()
{
    FakeModeHost host;
    FakeAnswerLog log;
    host.log = &log;
    host.boardSlot[1] = 20;
    host.boardSlot[20] = 1;
    WordsMode mode(host, fixture);
    mode.enter();
    QCOMPARE(host.timerPeriod, 5000);
    QVERIFY(host.played.isEmpty());
    QVERIFY(host.wordShown.isEmpty());

    mode.tick();
    const Word *asked = mode.asked();
    QVERIFY(asked);
    const Word word = *asked;
    QCOMPARE(host.wordShown, word.id);
    QCOMPARE(host.played, QStringList{recordingOf(word)});
    QCOMPARE(host.marked(), QList<int>{host.positionOf(word.letter)});

    const int wrong = (word.letter + 3) % 28;
    mode.click(std::int16_t(host.positionOf(wrong)));
    QCOMPARE(host.pictures, FakeModeHost::Mark::Wrong);
    QCOMPARE(host.played.last(), kWrongSound);
    mode.click(std::int16_t(host.positionOf(word.letter)));
    QCOMPARE(host.pictures, FakeModeHost::Mark::Right);
    QCOMPARE(host.played.last(), kRightSound);
    QVERIFY(std::all_of(host.panel.begin(), host.panel.end(), [](auto m) { return m == FakeModeHost::Mark::None; }));
    QCOMPARE(log.answers.size(), 2);
    QCOMPARE(log.answers[0].mode, Answer::Mode::Words);
    QCOMPARE(log.answers[0].asked, word.letter + 1);
    QCOMPARE(log.answers[0].clicked, wrong + 1);
    QCOMPARE(log.answers[1].right, true);
    // The word answered stays until the next is shown.
    QCOMPARE(host.wordShown, word.id);
    mode.tick();
    QVERIFY(host.wordShown != word.id);
    QCOMPARE(host.played.last(), recordingOf(*mode.asked()));

    mode.leave();
    QVERIFY(host.wordShown.isEmpty());
}

void TestWords::everyWordOnceATurnTheKnownLettersFirst()
{
    const int known = 15;  // ط of قِطَّةٌ
    const int learning = 23; // م of سَمَكَةٌ
    FakeModeHost host;
    FakeAnswerLog log;
    host.log = &log;
    log.answers = rightEveryDay(known, 6) + rightEveryDay(learning, 2);
    WordsMode mode(host, fixture);
    mode.enter();
    mode.tick();
    QStringList ids;
    for (int i = 0; i < 2 * int(fixture().words.size()); ++i) {
        ids << mode.asked()->id;
        mode.click(std::int16_t(host.positionOf(mode.asked()->letter)));
        mode.tick();
    }
    const qsizetype n = fixture().words.size();
    QCOMPARE(ids.mid(0, 2), (QStringList{"qitta", "samaka"}));
    QCOMPARE(QSet<QString>(ids.begin(), ids.begin() + n).size(), n);
    QCOMPARE(ids.mid(n, 2), (QStringList{"qitta", "samaka"}));
    QCOMPARE(QSet<QString>(ids.begin() + n, ids.end()).size(), n);

    // With no words, nothing is asked and nothing shown.
    FakeModeHost empty;
    WordsMode none(empty, [] { return WordTable{}; });
    none.enter();
    none.tick();
    none.click(0);
    QVERIFY(empty.played.isEmpty());
    QVERIFY(empty.wordShown.isEmpty());
}

void TestWords::theTableIsReadWhenTheModeIsFirstChosen()
{
    FakeModeHost host;
    int reads = 0;
    WordsMode mode(host, [&] {
        ++reads;
        return fixture();
    });
    QCOMPARE(reads, 0);
    mode.enter();
    mode.leave();
    mode.enter();
    QCOMPARE(reads, 1);
    QCOMPARE(int(mode.words().size()), int(fixture().words.size()));
}

// Chosen in the mode list, the words mode shows its word where the results
// panel lies, which stays hidden through right and wrong answers; the
// panel is made only then, and goes with another choice.
void TestWords::inTheWindowTheWordStandsInTheResultsPanelsPlace()
{
    FormFixture f;
    f.form->show();
    QVERIFY(!f.form->findChild<WordPanel *>());
    const int entry = f.list("Co2")->findText(QStringLiteral("الحرف في الكلمة"));
    QCOMPARE(entry, 4);
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    f.pick("Co2", entry);
    QVERIFY(!f.form->findChild<WordPanel *>());
    f.form->ttx_Timer();
    auto *panel = f.form->findChild<WordPanel *>();
    QVERIFY(panel);
    QVERIFY(panel->isVisible());
    // Over the results panel's columns left of the board, clear of the board.
    for (int k : {0, 11, 14, 25})
        QVERIFY(panel->geometry().contains(f.Ima(k)->geometry()) && panel->geometry().contains(f.hro(k)->geometry()));
    for (int j = 0; j < 28; ++j)
        QVERIFY(!panel->geometry().intersects(f.hr(j)->geometry()));
    QVERIFY(f.sound.played.last().startsWith("\\words\\"));
    const QString id = f.sound.played.last().mid(7).chopped(4);
    QCOMPARE(panel->word().id, id);
    const int position = f.markedPosition();
    QCOMPARE(f.letterShownAt(position), panel->word().letter);

    f.click((position + 1) % 28);
    f.click(position);
    for (int k = 0; k < 28; ++k)
        QVERIFY(!f.hro(k)->isVisible() && !f.Ima(k)->isVisible());
    QVERIFY(f.image("Imy")->isVisible());
    QCOMPARE(f.answers.answers.size(), 2);
    QCOMPARE(f.answers.answers[1].mode, Answer::Mode::Words);

    // What it shows: the picture and the word on a white card, drawn.
    const QImage shown = panel->grab().toImage();
    const QRect picture = panel->pictureBox().toRect();
    QSet<QRgb> colours;
    for (int y = picture.top(); y < picture.bottom(); y += 3) {
        for (int x = picture.left(); x < picture.right(); x += 3)
            colours.insert(shown.pixel(x, y));
    }
    QVERIFY2(colours.size() > 3, "no picture");

    f.pick("Co2", 0);
    QVERIFY(!panel->isVisible());
}

QTEST_MAIN(TestWords)
#include "tst_words.moc"
