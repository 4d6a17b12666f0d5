// The program's own pictures and recordings: present, of the size and format
// the windows expect, and sound.
#include "ui/design.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
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
    qsizetype firstLoud = -1;
    for (qsizetype i = 0; i < n; ++i) {
        const double v = std::abs(s[i]) / 32768.0;
        w.peak = std::max(w.peak, v);
        sum += v * v;
        if (firstLoud < 0 && v > 0.01)
            firstLoud = i;
    }
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

} // namespace

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
    QTest::addColumn<double>("longest");
    for (int n = 1; n <= 28; ++n)
        QTest::addRow("wa/%d.wav", n) << QStringLiteral(HUROOF_SOUNDS "/wa/%1.wav").arg(n) << 1.5;
    QTest::newRow("yes.wav") << QStringLiteral(HUROOF_SOUNDS "/yes.wav") << 1.0;
    QTest::newRow("no.wav") << QStringLiteral(HUROOF_SOUNDS "/no.wav") << 1.0;
    QTest::newRow("alert") << QStringLiteral(":/sounds/alert.wav") << 1.0;
}

void TestAssets::recordings()
{
    QFETCH(QString, path);
    QFETCH(double, longest);
    const Wave w = readWaveFile(path);
    QVERIFY2(w.valid, "not a 16-bit PCM RIFF WAVE file");
    QVERIFY2(w.seconds > 0.15 && w.seconds < longest, qPrintable(QString::number(w.seconds)));
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
