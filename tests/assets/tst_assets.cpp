// The program's own pictures and recordings: present, of the size and format
// the windows expect, and sound. The word list: every word shows its letter
// where it says, with its picture and its recording.
#include "ui/design.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>
#include <QtEndian>

#include <cmath>

#include "support/images.h"

namespace {

struct Wave
{
    bool valid = false;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    double seconds = 0;
    double peak = 0;       // 0..1
    double rms = 0;        // 0..1
    double leadSilence = 0; // seconds before the first sample above -40 dBFS
    double firstSample = 0; // 0..1, the size of the very first step
    double voicedRms = 0;   // 0..1, up to the last sample above -50 dBFS
};

// Reads a 16-bit PCM RIFF WAVE file.
Wave readWave(const QByteArray &bytes)
{
    Wave w;
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return w;
    qsizetype at = 12;
    QByteArray data;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const auto size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char *body = bytes.constData() + at + 8;
        if (id == "fmt ") {
            if (qFromLittleEndian<quint16>(body) != 1)
                return w;
            w.channels = qFromLittleEndian<quint16>(body + 2);
            w.rate = int(qFromLittleEndian<quint32>(body + 4));
            w.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            data = bytes.mid(at + 8, size);
        }
        at += 8 + size + (size & 1);
    }
    if (w.bits != 16 || w.channels < 1 || w.rate <= 0 || data.isEmpty())
        return w;
    const auto *s = reinterpret_cast<const qint16 *>(data.constData());
    const qsizetype n = data.size() / 2;
    double sum = 0;
    double voicedSum = 0;
    qsizetype firstLoud = -1;
    qsizetype voiceEnd = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const double v = std::abs(s[i]) / 32768.0;
        w.peak = std::max(w.peak, v);
        sum += v * v;
        if (firstLoud < 0 && v > 0.01)
            firstLoud = i;
        if (v > 0.003) {
            voicedSum = sum;
            voiceEnd = i + 1;
        }
    }
    w.voicedRms = voiceEnd > 0 ? std::sqrt(voicedSum / double(voiceEnd)) : 0;
    w.valid = true;
    w.seconds = double(n / w.channels) / w.rate;
    w.rms = std::sqrt(sum / double(n));
    w.leadSilence = firstLoud < 0 ? w.seconds : double(firstLoud / w.channels) / w.rate;
    w.firstSample = std::abs(s[0]) / 32768.0;
    return w;
}

Wave readWaveFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? readWave(f.readAll()) : Wave{};
}

double dB(double v)
{
    return 20 * std::log10(v);
}

struct Word
{
    QString id, word, vowelled, position, picture;
    int letter = 0; // 1..28
};

const QString kColumns = QStringLiteral("id\tword\tvowelled\tletter\tposition\tpicture");

// The rows of the word list; a row that does not have the six columns, or
// whose letter is not a number, comes back with letter 0.
QList<Word> readWords()
{
    QFile f(QStringLiteral(HUROOF_ASSETS "/words.tsv"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<Word> words;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList c = lines[i].split(u'\t');
        Word w;
        if (c.size() == 6) {
            w = {c[0], c[1], c[2], c[4], c[5], c[3].toInt()};
        } else {
            w.id = lines[i];
        }
        words << w;
    }
    return words;
}

// The letters in alphabetical order; alif is written in several forms.
const QString kAlphabet = QStringLiteral("ابتثجحخدذرزسشصضطظعغفقكلمنهوي");

bool isLetter(QChar c, int letter)
{
    if (letter == 1)
        return QStringLiteral("اأإآ").contains(c);
    return c == kAlphabet.at(letter - 1);
}

// The vowelled word without its marks: tanwin, the short vowels, shadda,
// sukun and the dagger alif.
QString withoutMarks(QString vowelled)
{
    return vowelled.remove(QRegularExpression(QStringLiteral("[\\x{064B}-\\x{0652}\\x{0670}]")));
}

// The letters of a vowelled word that carry no mark, where a careful
// children's book writes one on every letter but the long vowels: alif,
// alif maqsura, waw after damma and yaa after kasra.
QString unmarkedLetters(const QString &vowelled)
{
    const auto isMark = [](QChar c) { return c.unicode() >= 0x064B && c.unicode() <= 0x0652; };
    QString unmarked;
    QChar vowel; // the last vowel mark before this letter
    for (qsizetype i = 0; i < vowelled.size(); ++i) {
        const QChar c = vowelled.at(i);
        if (isMark(c)) {
            if (c != QChar(0x0651))
                vowel = c;
            continue;
        }
        const bool marked = i + 1 < vowelled.size() && isMark(vowelled.at(i + 1));
        const bool longVowel = QStringLiteral("اىآ").contains(c) || (c == u'و' && vowel == QChar(0x064F))
                               || (c == u'ي' && vowel == QChar(0x0650));
        if (!marked && !longVowel)
            unmarked += c;
        vowel = QChar();
    }
    return unmarked;
}

} // namespace

Q_DECLARE_METATYPE(Word)

class TestAssets : public QObject
{
    Q_OBJECT
private slots:
    void pictures_data();
    void pictures();
    void letterPicturesAllDiffer();
    void imagesShowPicturesOfTheirShape();
    void lettersFitTheButtonsThatShowThem_data();
    void lettersFitTheButtonsThatShowThem();
    void recordings_data();
    void recordings();
    void lettersShareOneLoudness();
    void syllablesAndWordsSoundAsLoudAsTheNames();
    void wordList_data();
    void wordList();
    void wordListCoversTheAlphabet();
    void alertIsItsOwnSound();
};

void TestAssets::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparent");

    for (int k = 0; k < 28; ++k) {
        const QString path = QString::fromLatin1(letterPicture(k));
        QTest::addRow("letter %d", k + 1) << path << QByteArray("jpeg") << QSize(48, 48) << false;
        QTest::addRow("letter %d @2x", k + 1) << QString(path).replace(".jpg", "@2x.jpg") << QByteArray("jpeg")
                                               << QSize(96, 96) << false;
        QTest::addRow("letter %d @4x", k + 1) << QString(path).replace(".jpg", "@4x.jpg") << QByteArray("jpeg")
                                               << QSize(192, 192) << false;
    }
    // The marks at the size of the images that show them: the answer marks
    // and faces 1080 x 1170 twips, the results panel's marks 720 x 570.
    const std::pair<const char *, QSize> marks[] = {
        {kTickPicture, {72, 78}},      {kCrossPicture, {72, 78}},     {kSmilePicture, {72, 78}},
        {kFrownPicture, {72, 78}},     {kPanelTickPicture, {48, 38}}, {kPanelCrossPicture, {48, 38}},
    };
    for (const auto &[mark, size] : marks) {
        QTest::newRow(mark) << QString::fromLatin1(mark) << QByteArray("png") << size << true;
        QTest::addRow("%s @2x", mark) << QString::fromLatin1(mark).replace(".png", "@2x.png") << QByteArray("png")
                                      << size * 2 << true;
        QTest::addRow("%s @4x", mark) << QString::fromLatin1(mark).replace(".png", "@4x.png") << QByteArray("png")
                                      << size * 4 << true;
    }
    for (int s : {16, 32, 48, 64, 128, 256})
        QTest::addRow("icon %d", s) << QStringLiteral(":/pictures/icon-%1.png").arg(s) << QByteArray("png")
                                    << QSize(s, s) << true;
    QTest::newRow("classroom") << QString::fromLatin1(kClassroomPicture) << QByteArray("bmp") << QSize(571, 408)
                               << false;
    // The title at the shape of its control, 6840 x 4680 twips.
    for (int scale : {1, 2, 4}) {
        const QString path = scale == 1 ? QString::fromLatin1(kTitlePicture)
                                        : QString::fromLatin1(kTitlePicture).replace(".jpg", QStringLiteral("@%1x.jpg").arg(scale));
        QTest::addRow("title x%d", scale) << path << QByteArray("jpeg") << QSize(456, 312) * scale << false;
    }
}

void TestAssets::pictures()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QFETCH(bool, transparent);
    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
    if (transparent) {
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY(qAlpha(image.pixel(size.width() / 2, size.height() / 2)) > 0);
    } else {
        QVERIFY(!image.hasAlphaChannel());
        QVERIFY(!image.isGrayscale());
    }
}

void TestAssets::letterPicturesAllDiffer()
{
    QList<QImage> letters;
    for (int k = 0; k < 28; ++k) {
        const QImage image(QString::fromLatin1(letterPicture(k)));
        // A white square with blue ink on it.
        QCOMPARE(image.pixelColor(0, 0).lightness() > 240, true);
        for (int other = 0; other < k; ++other)
            QVERIFY2(image != letters[other], qPrintable(QStringLiteral("%1 and %2").arg(k + 1).arg(other + 1)));
        letters << image;
    }
}

// An image control stretches its picture to its own size: a picture of
// another shape would be distorted.
void TestAssets::imagesShowPicturesOfTheirShape()
{
    int images = 0;
    for (const WindowDesign *design : {&form1Design()}) {
        for (const ControlDesign &c : design->controls) {
            if (c.kind != ControlKind::Image || !c.picture)
                continue;
            ++images;
            const QSize picture = QImage(QString::fromLatin1(c.picture)).size();
            const double shown = double(c.width) / c.height;
            const double own = double(picture.width()) / picture.height();
            QVERIFY2(std::abs(own / shown - 1) < 0.03,
                     qPrintable(QStringLiteral("%1(%2) is %3 x %4 twips; its picture %5 is %6 x %7")
                                    .arg(c.name).arg(c.index).arg(c.width).arg(c.height)
                                    .arg(c.picture).arg(picture.width()).arg(picture.height())));
        }
    }
    QVERIFY(images > 28);
}

void TestAssets::lettersFitTheButtonsThatShowThem_data()
{
    QTest::addColumn<int>("letter"); // 1 to 28
    QTest::addColumn<QString>("density");
    for (int n = 1; n <= 28; ++n) {
        QTest::addRow("letter%d", n) << n << QString();
        QTest::addRow("letter%d@2x", n) << n << QStringLiteral("@2x");
    }
}

// A letter picture is drawn unscaled in the middle of each button that shows
// it (the board's and its own in the results panel), under the button's
// 3-point edge; its ink must lie inside the face with 2 points to spare.
void TestAssets::lettersFitTheButtonsThatShowThem()
{
    QFETCH(int, letter);
    QFETCH(QString, density);
    const QImage picture(QStringLiteral(":/pictures/letter%1%2.jpg").arg(letter).arg(density));
    QVERIFY(!picture.isNull());
    const int scale = density.isEmpty() ? 1 : 2;
    QCOMPARE(picture.size(), QSize(48, 48) * scale);

    const QRect ink = boundsWhere(picture.size(), [&](int x, int y) { return qGray(picture.pixel(x, y)) < 200; });
    QVERIFY(!ink.isEmpty());

    // The buttons, in points: the board's 700 x 700 twips, the results
    // panel's 700 x 585 (700 x 480 for the last letter).
    const QList<QSize> buttons{{47, 47}, {47, letter == 28 ? 32 : 39}};
    for (const QSize &button : buttons) {
        const QSize device = button * scale;
        // Where the button draws the picture's top left: centred, rounded down.
        const QPoint at((device.width() - picture.width()) / 2 - ((device.width() - picture.width()) % 2 != 0),
                        (device.height() - picture.height()) / 2 - ((device.height() - picture.height()) % 2 != 0));
        const QRect face = QRect(QPoint(0, 0), device).adjusted(5 * scale, 5 * scale, -5 * scale, -5 * scale);
        QVERIFY2(face.contains(ink.translated(at)),
                 qPrintable(QStringLiteral("ink %1,%2 %3x%4 in a %5x%6 button")
                                .arg(ink.x() + at.x()).arg(ink.y() + at.y()).arg(ink.width()).arg(ink.height())
                                .arg(device.width()).arg(device.height())));
    }
}

void TestAssets::recordings_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<double>("shortest");
    QTest::addColumn<double>("longest");
    for (int n = 1; n <= 28; ++n)
        QTest::addRow("wa/%d.wav", n) << QStringLiteral(HUROOF_SOUNDS "/wa/%1.wav").arg(n) << 0.15 << 1.5;
    QTest::newRow("yes.wav") << QStringLiteral(HUROOF_SOUNDS "/yes.wav") << 0.15 << 1.0;
    QTest::newRow("no.wav") << QStringLiteral(HUROOF_SOUNDS "/no.wav") << 0.15 << 1.0;
    QTest::newRow("alert") << QStringLiteral(":/sounds/alert.wav") << 0.15 << 1.0;
    // A letter with fatha, kasra or damma: a consonant and a short vowel.
    for (int n = 1; n <= 28; ++n)
        for (char v : {'a', 'i', 'u'})
            QTest::addRow("syllables/%d%c.wav", n, v)
                << QStringLiteral(HUROOF_SOUNDS "/syllables/%1%2.wav").arg(n).arg(QLatin1Char(v)) << 0.15 << 0.8;
    for (const Word &w : readWords())
        QTest::addRow("words/%s.wav", qPrintable(w.id))
            << QStringLiteral(HUROOF_SOUNDS "/words/%1.wav").arg(w.id) << 0.3 << 1.8;
}

void TestAssets::recordings()
{
    QFETCH(QString, path);
    QFETCH(double, shortest);
    QFETCH(double, longest);
    const Wave w = readWaveFile(path);
    QVERIFY2(w.valid, "not a 16-bit PCM RIFF WAVE file");
    QVERIFY2(w.seconds > shortest && w.seconds < longest, qPrintable(QString::number(w.seconds)));
    QVERIFY2(w.peak > 0.4, "too quiet");
    QVERIFY2(w.peak < 0.999, "clipped");
    // The voice starts at once (a click is heard within milliseconds, not
    // after a stretch of silence), and without a click of its own.
    QVERIFY2(w.leadSilence <= 0.002, qPrintable(QString::number(w.leadSilence)));
    QVERIFY(w.firstSample < 0.01);
}

void TestAssets::lettersShareOneLoudness()
{
    double quietest = 1, loudest = 0;
    for (int n = 1; n <= 28; ++n) {
        const Wave w = readWaveFile(QStringLiteral(HUROOF_SOUNDS "/wa/%1.wav").arg(n));
        quietest = std::min(quietest, w.rms);
        loudest = std::max(loudest, w.rms);
    }
    QVERIFY2(dB(loudest) - dB(quietest) < 3.0, qPrintable(QString::number(dB(loudest) - dB(quietest))));
}

// A child hears the syllables and the words between the letter names: none
// may stand out as louder or quieter than the names do on the whole.
void TestAssets::syllablesAndWordsSoundAsLoudAsTheNames()
{
    double names = 0;
    for (int n = 1; n <= 28; ++n)
        names += dB(readWaveFile(QStringLiteral(HUROOF_SOUNDS "/wa/%1.wav").arg(n)).voicedRms) / 28;
    QStringList paths;
    for (int n = 1; n <= 28; ++n)
        for (char v : {'a', 'i', 'u'})
            paths << QStringLiteral(HUROOF_SOUNDS "/syllables/%1%2.wav").arg(n).arg(QLatin1Char(v));
    for (const Word &w : readWords())
        paths << QStringLiteral(HUROOF_SOUNDS "/words/%1.wav").arg(w.id);
    for (const QString &path : paths) {
        const Wave w = readWaveFile(path);
        QVERIFY2(w.valid, qPrintable(path));
        const double off = dB(w.voicedRms) - names;
        QVERIFY2(std::abs(off) <= 1.0, qPrintable(QStringLiteral("%1: %2 dB").arg(path).arg(off)));
    }
}

void TestAssets::wordList_data()
{
    QTest::addColumn<Word>("word");
    for (const Word &w : readWords())
        QTest::newRow(qPrintable(w.id)) << w;
}

void TestAssets::wordList()
{
    QFETCH(Word, word);
    QVERIFY2(word.letter >= 1 && word.letter <= 28, "not six columns with a letter 1 to 28");
    QVERIFY(QRegularExpression(QStringLiteral("^[a-z0-9_]+$")).match(word.id).hasMatch());
    QCOMPARE(withoutMarks(word.vowelled), word.word);
    QVERIFY2(unmarkedLetters(word.vowelled).isEmpty(), qPrintable(unmarkedLetters(word.vowelled)));

    const QString &w = word.word;
    QVERIFY(w.size() >= 2);
    if (word.position == u"start") {
        QVERIFY(isLetter(w.front(), word.letter));
    } else if (word.position == u"end") {
        QVERIFY(isLetter(w.back(), word.letter));
    } else {
        QCOMPARE(word.position, QStringLiteral("middle"));
        bool inside = false;
        for (qsizetype i = 1; i + 1 < w.size(); ++i)
            inside = inside || isLetter(w.at(i), word.letter);
        QVERIFY2(inside, qPrintable(QStringLiteral("%1 not inside %2").arg(kAlphabet.at(word.letter - 1), w)));
    }

    QSvgRenderer picture(QStringLiteral(HUROOF_ASSETS "/pictures/words/%1.svg").arg(word.picture));
    QVERIFY2(picture.isValid(), qPrintable(word.picture));
    QImage drawn(64, 64, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    {
        QPainter painter(&drawn);
        picture.render(&painter);
    }
    const QRect ink = boundsWhere(drawn.size(), [&](int x, int y) { return qAlpha(drawn.pixel(x, y)) > 0; });
    QVERIFY2(ink.width() > 32 || ink.height() > 32, "the picture draws next to nothing");
    QVERIFY(QFile::exists(QStringLiteral(HUROOF_SOUNDS "/words/%1.wav").arg(word.id)));
}

void TestAssets::wordListCoversTheAlphabet()
{
    QFile f(QStringLiteral(HUROOF_ASSETS "/words.tsv"));
    QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(QString::fromUtf8(f.readLine()).trimmed(), kColumns);

    const QList<Word> words = readWords();
    QVERIFY(words.size() >= 70);
    QSet<QString> ids;
    int perLetter[29] = {};
    QSet<std::pair<int, QString>> places;
    for (const Word &w : words) {
        QVERIFY2(!ids.contains(w.id), qPrintable(w.id));
        ids << w.id;
        if (w.letter >= 1 && w.letter <= 28)
            ++perLetter[w.letter];
        // One word for each place of a letter.
        QVERIFY2(!places.contains({w.letter, w.position}), qPrintable(w.id));
        places << std::pair{w.letter, w.position};
    }
    for (int n = 1; n <= 28; ++n)
        QVERIFY2(perLetter[n] >= 2, qPrintable(QStringLiteral("letter %1 has %2 words").arg(n).arg(perLetter[n])));
}

void TestAssets::alertIsItsOwnSound()
{
    QFile alert(QStringLiteral(":/sounds/alert.wav"));
    QVERIFY(alert.open(QIODevice::ReadOnly));
    const QByteArray bytes = alert.readAll();
    for (const QString &other : {QStringLiteral("yes.wav"), QStringLiteral("no.wav"), QStringLiteral("wa/1.wav")}) {
        QFile f(QStringLiteral(HUROOF_SOUNDS "/") + other);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll() != bytes);
    }
}

QTEST_GUILESS_MAIN(TestAssets)
#include "tst_assets.moc"
