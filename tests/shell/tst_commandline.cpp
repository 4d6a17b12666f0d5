// The real executable's command line: help, version and mistakes answer
// on the terminal and never open a window; the manual names every option.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include "support/program.h"

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void answersWithoutAWindow_data();
    void answersWithoutAWindow();
    void theManualNamesEveryOption();
    void helpNamesTheProgram_data();
    void helpNamesTheProgram();
    void speaksTheDesktopsLanguage_data();
    void speaksTheDesktopsLanguage();
};

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

// Runs the program with `arguments`; `name`, when given, is the name it
// is started under (its argv[0]), as a launcher or `exec -a` sets it.
Run run(const QStringList &arguments, const QStringList &language = {"LANGUAGE=en"},
        const std::optional<QString> &name = std::nullopt)
{
    // No display at all: a program that tried to open a window would fail
    // on it, not answer with the code asked for.
    QTemporaryDir data;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(name);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_DATA_HOME", data.path());
    env.insert("XDG_CONFIG_HOME", data.path());
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        env.remove(name);
    for (const QString &variable : language)
        env.insert(variable.section('=', 0, 0), variable.section('=', 1));
    const ProgramRun r = name ? runProgram("bash", QStringList{"-c", "exec -a \"$0\" \"$@\"", *name, HUROOF_EXECUTABLE} + arguments, env, 20000)
                              : runProgram(HUROOF_EXECUTABLE, arguments, env, 20000);
    return {r.code, QString::fromUtf8(r.out), QString::fromUtf8(r.err)};
}

} // namespace

void TestCommandLine::answersWithoutAWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("said"); // in the output (code 0) or the one error line (code 2)
    QTest::newRow("--help") << QStringList{"--help"} << 0 << "--export-history <FILE>";
    QTest::newRow("-h") << QStringList{"-h"} << 0 << "--import-voice <NAME>";
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "huroof 1.";
    QTest::newRow("--help, the voice packs") << QStringList{"--help"} << 0 << "--import-voices <FILE>";
    QTest::newRow("a typo") << QStringList{"--import-voise", "3", "ba.wav"} << 2 << "import-voise";
    QTest::newRow("an unknown short option") << QStringList{"-x"} << 2 << "'x'";
    QTest::newRow("export without its file") << QStringList{"--export-history"} << 2 << "--export-history";
    QTest::newRow("export with two files") << QStringList{"--export-history", "a.csv", "b.csv"} << 2 << "b.csv";
    QTest::newRow("import without its file") << QStringList{"--import-voice", "3"} << 2 << "FILE";
    QTest::newRow("import with two files") << QStringList{"--import-voice", "3", "a.wav", "b.wav"} << 2 << "FILE";
    QTest::newRow("a pack's export without its file") << QStringList{"--export-voices"} << 2 << "--export-voices";
    QTest::newRow("a pack's import without its file") << QStringList{"--import-voices"} << 2 << "--import-voices";
    QTest::newRow("a pack's import with two files") << QStringList{"--import-voices", "a.zip", "b.zip"} << 2
                                                    << "b.zip";
    QTest::newRow("a voice's import as a pack's") << QStringList{"--import-voices", "3", "ba.wav"} << 2 << "ba.wav";
    QTest::newRow("export and import at once") << QStringList{"--export-voices", "a.zip", "--import-voices", "b.zip"}
                                               << 2 << "--import-voices";
    QTest::newRow("a window with an argument") << QStringList{"--voices", "now"} << 2 << "now";
    QTest::newRow("two windows at once") << QStringList{"--voices", "--progress"} << 2 << "--progress";
    QTest::newRow("the child's window with an argument") << QStringList{"letters"} << 2 << "letters";
}

void TestCommandLine::answersWithoutAWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, said);
    const Run r = run(arguments);
    QCOMPARE(r.code, code);
    if (code == 0) {
        QVERIFY2(r.out.contains(said), qPrintable(r.out));
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        return;
    }
    // One line saying what is wrong, and a hint.
    QVERIFY(r.out.isEmpty());
    const QStringList lines = r.err.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith("huroof: ") && lines[0].contains(said), qPrintable(lines[0]));
    QVERIFY2(lines[1].contains("huroof --help"), qPrintable(lines[1]));
}

void TestCommandLine::theManualNamesEveryOption()
{
    const Run help = run({"--help"});
    QFile manual(HUROOF_MANUAL);
    QVERIFY(manual.open(QIODevice::ReadOnly));
    // In roff a dash is written "\-".
    const QString page = QString::fromUtf8(manual.readAll()).replace("\\-", "-");
    const QRegularExpression option("(?:^|\\s)(--?[a-z][a-z-]*)");
    QStringList options;
    for (auto it = option.globalMatch(help.out); it.hasNext();)
        options << it.next().captured(1);
    QVERIFY(options.size() >= 8);
    for (const QString &name : options)
        QVERIFY2(page.contains(name), qPrintable(name));
}

void TestCommandLine::helpNamesTheProgram_data()
{
    QTest::addColumn<QString>("name");       // the name it is started under
    QTest::addColumn<QStringList>("language");
    QTest::addColumn<QString>("usage");      // the first line of --help
    const QStringList english{"LANGUAGE=en"};
    QTest::newRow("its own name") << "huroof" << english << "Usage: huroof [options] [FILE]";
    QTest::newRow("the launcher's path") << "/usr/lib/x86_64-linux-gnu/huroof/huroof" << english
                                         << "Usage: huroof [options] [FILE]";
    QTest::newRow("no name") << "" << english << "Usage: huroof [options] [FILE]";
    QTest::newRow("no name, in French") << "" << QStringList{"LANG=fr_FR.UTF-8"}
                                        << "Utilisation : huroof [options] [FILE]";
    QTest::newRow("a word of the line") << "Usage" << english << "Usage: huroof [options] [FILE]";
    QTest::newRow("another") << "[options]" << english << "Usage: huroof [options] [FILE]";
}

void TestCommandLine::helpNamesTheProgram()
{
    QFETCH(QString, name);
    QFETCH(QStringList, language);
    QFETCH(QString, usage);
    const Run r = run({"--help"}, language, name);
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.section('\n', 0, 0), usage);
    QVERIFY2(r.out.contains("--import-voices <FILE>"), qPrintable(r.out));
}

void TestCommandLine::speaksTheDesktopsLanguage_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("said"); // each in the output (code 0) or the error line (code 2)
    const QStringList help{"--help"};
    const QStringList typo{"--import-voise"};
    QTest::newRow("French help") << QStringList{"LANG=fr_FR.UTF-8"} << help << 0
                                 << QStringList{"Afficher ces options et quitter.", "Utilisation :"};
    QTest::newRow("Arabic help") << QStringList{"LANGUAGE=ar", "LANG=en_US.UTF-8"} << help << 0
                                 << QStringList{"اعرض هذه الخيارات واخرج.", "خيارات:"};
    QTest::newRow("German asks, English answers") << QStringList{"LANG=de_DE.UTF-8"} << help << 0
                                                  << QStringList{"Show these options and exit.", "Usage:"};
    QTest::newRow("the first language there is") << QStringList{"LANGUAGE=de:fr", "LANG=ar_EG.UTF-8"} << help << 0
                                                 << QStringList{"Afficher ces options"};
    QTest::newRow("LC_ALL before LANG") << QStringList{"LC_ALL=ar_MA.UTF-8", "LANG=fr_FR.UTF-8"} << help << 0
                                        << QStringList{"اعرض هذه الخيارات"};
    QTest::newRow("French mistake") << QStringList{"LANGUAGE=fr", "LANG=en_GB.UTF-8"} << typo << 2
                                    << QStringList{"import-voise", "inconnue"};
    QTest::newRow("Arabic mistake") << QStringList{"LANGUAGE=ar", "LANG=en_GB.UTF-8"} << typo << 2
                                    << QStringList{"import-voise", "مجهول"};
    QTest::newRow("French, ours") << QStringList{"LANGUAGE=fr", "LANG=en_GB.UTF-8"}
                                  << QStringList{"--voices", "--progress"} << 2
                                  << QStringList{"Choisissez une seule option"};
    // A script's C locale asks for the untranslated words, whatever the
    // desktop's language.
    QTest::newRow("a script's help") << QStringList{"LANGUAGE=fr", "LC_ALL=C", "LANG=fr_FR.UTF-8"} << help << 0
                                     << QStringList{"Usage: huroof", "Show these options and exit."};
    QTest::newRow("a script's mistake") << QStringList{"LANGUAGE=ar", "LC_ALL=C.UTF-8"} << typo << 2
                                        << QStringList{"Unknown option 'import-voise'."};
}

void TestCommandLine::speaksTheDesktopsLanguage()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QStringList, said);
    const Run r = run(arguments, environment);
    // Scripts read the code, and the program's name before every error.
    QCOMPARE(r.code, code);
    const QString text = code == 0 ? r.out : r.err;
    if (code != 0) {
        QVERIFY2(text.startsWith("huroof: "), qPrintable(text));
        QVERIFY2(text.section('\n', 1).contains("huroof --help"), qPrintable(text));
    }
    for (const QString &words : said)
        QVERIFY2(text.contains(words), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
