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
    void firstFolderHoldingTheSoundWins_data();
    void firstFolderHoldingTheSoundWins();
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

void TestSoundPath::firstFolderHoldingTheSoundWins_data()
{
    QTest::addColumn<QStringList>("own");      // files in the first folder
    QTest::addColumn<QStringList>("program");  // files in the second
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("opened");       // "own/..." or "program/...", empty: none

    const QStringList shipped{"wa/1.wav", "wa/2.wav", "yes.wav"};
    QTest::newRow("own voice") << QStringList{"wa/1.wav"} << shipped << "\\wa\\1.wav" << "own/wa/1.wav";
    QTest::newRow("not replaced") << QStringList{"wa/1.wav"} << shipped << "\\wa\\2.wav" << "program/wa/2.wav";
    QTest::newRow("own, extension added") << QStringList{"yes.wav"} << shipped << "\\yes" << "own/yes.wav";
    QTest::newRow("program, extension added") << QStringList{} << shipped << "\\yes" << "program/yes.wav";
    QTest::newRow("an old voice is not a voice") << QStringList{"wa/1.wav.old"} << shipped << "\\wa\\1.wav"
                                                 << "program/wa/1.wav";
    QTest::newRow("missing everywhere") << QStringList{} << shipped << "\\no" << "program/no.wav";
    QTest::newRow("leaves the folders") << shipped << shipped << "\\..\\program\\yes.wav" << "";
}

void TestSoundPath::firstFolderHoldingTheSoundWins()
{
    QFETCH(QStringList, own);
    QFETCH(QStringList, program);
    QFETCH(QString, asked);
    QFETCH(QString, opened);
    QTemporaryDir dir;
    for (const QString &file : own)
        writeBytes(dir.filePath("own/" + file), "x");
    for (const QString &file : program)
        writeBytes(dir.filePath("program/" + file), "x");
    const QString found = findSoundFile({dir.filePath("own"), dir.filePath("program")}, asked);
    QCOMPARE(found, opened.isEmpty() ? QString() : QDir::toNativeSeparators(dir.filePath(opened)));
}

QTEST_GUILESS_MAIN(TestSoundPath)
#include "tst_soundpath.moc"
