#include "platform/soundpath.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "support/audiofixtures.h"

class TestSoundPath : public QObject
{
    Q_OBJECT
private slots:
    void join_data();
    void join();
    void extensionRule_data();
    void extensionRule();
};

void TestSoundPath::join_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("recording") << "/opt/huroof" << "\\wa\\1.wav" << "/opt/huroof/wa/1.wav";
    QTest::newRow("last recording") << "/opt/huroof" << "\\wa\\28.wav" << "/opt/huroof/wa/28.wav";
    QTest::newRow("no extension") << "/opt/huroof" << "\\yes" << "/opt/huroof/yes";
    QTest::newRow("folder with slash") << "/opt/huroof/" << "\\no" << "/opt/huroof/no";
    QTest::newRow("folder is root") << "/" << "\\no" << "/no";
    QTest::newRow("doubled separators") << "/opt/huroof" << "\\\\wa//2.wav" << "/opt/huroof/wa/2.wav";
    // Nothing outside the program's folder is ever opened.
    QTest::newRow("parent") << "/opt/huroof" << "\\..\\etc\\passwd" << "";
    QTest::newRow("parent inside") << "/opt/huroof" << "\\wa\\..\\..\\x.wav" << "";
    QTest::newRow("dot") << "/opt/huroof" << "\\.\\yes" << "";
    QTest::newRow("drive") << "/opt/huroof" << "C:\\x.wav" << "";
    QTest::newRow("empty") << "/opt/huroof" << "" << "";
    QTest::newRow("only separators") << "/opt/huroof" << "\\\\" << "";
}

void TestSoundPath::join()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(joinSoundPath(folder, name), QDir::toNativeSeparators(expected));
}

void TestSoundPath::extensionRule_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("opened");

    QTest::newRow("adds .wav") << "yes.wav" << "yes" << "yes.wav";
    QTest::newRow("file without extension wins") << "yes" << "yes" << "yes";
    QTest::newRow("missing with extension stays") << "other.wav" << "1.wav" << "1.wav";
    QTest::newRow("missing without either") << "other.wav" << "no" << "no.wav";
}

void TestSoundPath::extensionRule()
{
    QFETCH(QString, existing);
    QFETCH(QString, asked);
    QFETCH(QString, opened);
    QTemporaryDir dir;
    writeBytes(dir.filePath(existing), "x");
    QCOMPARE(soundFileToOpen(dir.filePath(asked)), dir.filePath(opened));
}

QTEST_GUILESS_MAIN(TestSoundPath)
#include "tst_soundpath.moc"
