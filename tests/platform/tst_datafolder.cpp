// Where the program keeps what it keeps: the XDG data folder as the
// base-directory rules have it, and folders only their owner can read.
#include "history/historydb.h"
#include "platform/datafolder.h"
#include "voices/voicefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestDataFolder : public QObject
{
    Q_OBJECT
private slots:
    void followsTheBaseDirectoryRules_data();
    void followsTheBaseDirectoryRules();
    void foldersMadeAreTheOwnersOnly();
};

void TestDataFolder::followsTheBaseDirectoryRules_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("xdg"); // "-": unset
    QTest::addColumn<QString>("expected");
    QTest::newRow("unset") << "/home/sara" << "-" << "/home/sara/.local/share";
    QTest::newRow("empty") << "/home/sara" << "" << "/home/sara/.local/share";
    QTest::newRow("absolute") << "/home/sara" << "/data/sara" << "/data/sara";
    QTest::newRow("with a trailing slash") << "/home/sara" << "/data/sara/" << "/data/sara";
    QTest::newRow("relative, ignored") << "/home/sara" << "data" << "/home/sara/.local/share";
    QTest::newRow("dot-relative, ignored") << "/home/sara" << "./data" << "/home/sara/.local/share";
    QTest::newRow("the root") << "/home/sara" << "/" << "/";
    QTest::newRow("home at the root") << "/" << "-" << "/.local/share";
    QTest::newRow("doubled slashes") << "/home//sara/" << "-" << "/home/sara/.local/share";
}

void TestDataFolder::followsTheBaseDirectoryRules()
{
    QFETCH(QString, home);
    QFETCH(QString, xdg);
    QFETCH(QString, expected);
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", home.toLocal8Bit());
    if (xdg == "-")
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", xdg.toLocal8Bit());
    const QString data = userDataFolder();
    const QString history = history::defaultPath();
    const QString voices = voices::userVoicesFolder();
    qputenv("HOME", oldHome);
    qputenv("XDG_DATA_HOME", oldXdg);

    QCOMPARE(data, expected);
    const QString huroof = expected == "/" ? QStringLiteral("/huroof") : expected + "/huroof";
    QCOMPARE(history, huroof + "/history.sqlite");
    QCOMPARE(voices, huroof + "/voices");
    for (const QString &path : {history, voices})
        QVERIFY2(!path.contains("//"), qPrintable(path));
}

void TestDataFolder::foldersMadeAreTheOwnersOnly()
{
    QTemporaryDir dir;
    const mode_t mask = ::umask(022);
    QVERIFY(QDir().mkdir(dir.filePath("shared"), QFile::Permissions(0x7755)));
    const QFile::Permissions before = QFileInfo(dir.filePath("shared")).permissions();
    QVERIFY(makePrivateFolder(dir.filePath("shared/huroof/voices/wa")));
    // Made again: nothing to do.
    QVERIFY(makePrivateFolder(dir.filePath("shared/huroof/voices/wa")));
    ::umask(mask);
    const QFile::Permissions own = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser
        | QFile::WriteUser | QFile::ExeUser;
    for (const char *made : {"shared/huroof", "shared/huroof/voices", "shared/huroof/voices/wa"})
        QCOMPARE(QFileInfo(dir.filePath(made)).permissions(), own);
    // What was there is left as it was.
    QCOMPARE(QFileInfo(dir.filePath("shared")).permissions(), before);
    // A file in the way: no folder.
    QFile(dir.filePath("blocked")).open(QIODevice::WriteOnly);
    QVERIFY(!makePrivateFolder(dir.filePath("blocked/huroof")));
}

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
