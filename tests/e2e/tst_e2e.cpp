// The real program, used as a person uses it: its own X display (Xvfb),
// real mouse clicks (xdotool), its real sound output (SDL's disk driver),
// and a stand-in browser that writes down what it was asked to open.
#include "history/historydb.h"
#include "links/commentslink.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QSqlQuery>
#include <QTest>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <csignal>
#include <memory>
#include <optional>

#include "support/audiofixtures.h"

namespace {

// Each letter's stand-in recording has a tone of its own.
double letterTone(int k)
{
    return 300.0 + 45.0 * k;
}
constexpr double kAlertTone = 1760; // the first ping of the built-in alert
constexpr int kLongLetter = 13;     // its tone lasts 3 s

// Places inside the main window's client area, in pixels.
QPoint boardButton(int j)
{
    return {584 - 56 * (j % 7) + 23, 208 + 56 * (j / 7) + 23};
}
const QPoint kCommentsLabel(800, 372);

struct TopWindow
{
    ::Window id;
    QRect geometry;
};

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void splashFirstThenTheBoard();
    void aQuickSecondClickCutsTheFirstOff();
    void withoutRecordingsAClickGivesTheAlert();
    void commentsLabelOpensTheBrowserOncePerClick();
    void closingEndsTheProgramWhileASoundPlays();
    void splashClosesByItself();
    void aMissingOrBrokenBrowserChangesNothing_data();
    void aMissingOrBrokenBrowserChangesNothing();
    void soundOutputGoingAwayIsSurvived();
    void endsPromptly_data();
    void endsPromptly();
    void contestAnswersOutliveAKill();
    void aGrownUpsVoiceIsHeard();
    void practiceGoesOnFromTheHistory();
    void childsWindowIsTheSameInEveryLanguage();
    void fullScreenFillsTheScreenLocked_data();
    void fullScreenFillsTheScreenLocked();

private:
    void startProgram(const QStringList &sink = {QStringLiteral("cat")}, const QString &path = {},
                      const QStringList &arguments = {});
    QList<TopWindow> visibleWindows();
    std::optional<TopWindow> waitForWindow(QSize size, int timeoutMs);
    void click(const TopWindow &window, QPoint at);
    void closeWindow(const TopWindow &window);
    TopWindow passSplash(const QStringList &sink = {QStringLiteral("cat")}, const QString &path = {});
    QStringList opened();
    QList<Heard> stopAndHear();
    void waitUntilPainted(const TopWindow &main);
    // Picks the mode list's entry 1 (the contest) or 2 (practice).
    void chooseContest(const TopWindow &main, int entry = 1);
    TopWindow m_main{};

    QProcess m_xvfb;
    QString m_display;
    Display *m_x = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_program;
    std::unique_ptr<QProcess> m_sink;
    // The desktop's language the program starts in (LANGUAGE), when set.
    QString m_language;
    // A window manager on the display, for the tests that want one.
    std::unique_ptr<QProcess> m_windowManager;
    void startWindowManager();
    // The colour on the screen at `p`, 0xRRGGBB.
    QRgb seen(QPoint p);
    // The program's own windows that are on screen, framed by a window
    // manager or not.
    QList<::Window> programWindows(::Window under = 0);
};

void TestEndToEnd::initTestCase()
{
    for (int n = 91; n < 160 && !m_x; ++n) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        m_display = QStringLiteral(":%1").arg(n);
        m_xvfb.start(QStringLiteral("Xvfb"), {m_display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        QVERIFY2(m_xvfb.waitForStarted(), "Xvfb is needed (tools/deps installs it)");
        for (int i = 0; i < 100 && !m_x && m_xvfb.state() == QProcess::Running; ++i) {
            QThread::msleep(50);
            m_x = XOpenDisplay(m_display.toLatin1().constData());
        }
        if (!m_x)
            m_xvfb.waitForFinished(2000);
    }
    QVERIFY2(m_x, "could not start an X display");
    // A window of a program that is ending may go between two requests about
    // it; Xlib's default would end the test for that.
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool is needed");
}

void TestEndToEnd::cleanupTestCase()
{
    if (m_x)
        XCloseDisplay(m_x);
    m_xvfb.terminate();
    m_xvfb.waitForFinished(3000);
}

void TestEndToEnd::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    const QString program = m_dir->filePath(QStringLiteral("huroof"));
    QVERIFY(QFile::copy(QStringLiteral(HUROOF_EXECUTABLE), program));
    for (int k = 0; k < 28; ++k)
        writeTone(m_dir->filePath(QStringLiteral("wa/%1.wav").arg(k + 1)), letterTone(k), k == kLongLetter ? 3.0 : 0.5);
    writeTone(m_dir->filePath(QStringLiteral("yes.wav")), 2200, 0.3);
    writeTone(m_dir->filePath(QStringLiteral("no.wav")), 200, 0.3);

    // The stand-in browser: one line per address it is asked to open.
    const QString bin = m_dir->filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    writeBytes(bin + QStringLiteral("/xdg-open"),
               QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\n").arg(m_dir->filePath("opened.txt")).toUtf8());
    QFile::setPermissions(bin + QStringLiteral("/xdg-open"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestEndToEnd::cleanup()
{
    if (m_windowManager) {
        m_windowManager->terminate();
        m_windowManager->waitForFinished(3000);
        m_windowManager.reset();
    }
    m_main = {};
    m_language.clear();
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->kill();
        m_program->waitForFinished(3000);
    }
    m_program.reset();
    if (m_sink) {
        m_sink->waitForFinished(3000);
        m_sink.reset();
    }
}

void TestEndToEnd::startProgram(const QStringList &sink, const QString &path, const QStringList &arguments)
{
    // The disk driver writes to the program's standard output, which a
    // "cat" appends to a file: the driver starts its file afresh each time
    // the program opens the device, a pipe does not.
    m_sink = std::make_unique<QProcess>();
    m_sink->setStandardOutputFile(m_dir->filePath(QStringLiteral("out.raw")));
    m_program = std::make_unique<QProcess>();
    m_program->setStandardOutputProcess(m_sink.get());
    m_sink->start(sink.first(), sink.mid(1));
    QVERIFY(m_sink->waitForStarted());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
    env.insert(QStringLiteral("SDL_DISKAUDIOFILE"), QStringLiteral("/dev/stdout"));
    env.insert(QStringLiteral("PATH"), path.isEmpty() ? m_dir->filePath(QStringLiteral("bin")) + QLatin1Char(':') + env.value("PATH") : path);
    env.remove(QStringLiteral("BROWSER"));
    if (!m_language.isEmpty()) {
        // LANGUAGE counts outside the C locale only.
        env.insert(QStringLiteral("LANGUAGE"), m_language);
        env.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
        for (const char *name : {"LC_ALL", "LC_MESSAGES"})
            env.remove(QString::fromLatin1(name));
    }
    // The program's own data (a grown-up's voices, the learning history)
    // belongs to the test, not to whoever runs it.
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir->filePath(QStringLiteral("data")));
    // Without a session bus, libdbus (through SDL and Qt) would fork a bus
    // daemon from a worker thread; under AddressSanitizer a fork in a threaded
    // process can deadlock. A bus address that fails at once keeps it away.
    if (!env.contains(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")))
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/huroof-tests"));
    m_program->setProcessEnvironment(env);
    m_program->setProcessChannelMode(QProcess::SeparateChannels);
    m_program->setStandardErrorFile(QProcess::nullDevice());
    m_program->start(m_dir->filePath(QStringLiteral("huroof")), arguments);
    QVERIFY(m_program->waitForStarted());
}

QList<TopWindow> TestEndToEnd::visibleWindows()
{
    QList<TopWindow> found;
    const Atom pidAtom = XInternAtom(m_x, "_NET_WM_PID", False);
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(m_x, DefaultRootWindow(m_x), &root, &parent, &children, &count))
        return found;
    for (unsigned i = 0; i < count; ++i) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(m_x, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                               &data) != Success || !data)
            continue;
        const auto pid = static_cast<qint64>(*reinterpret_cast<unsigned long *>(data));
        XFree(data);
        XWindowAttributes a;
        if (pid == m_program->processId() && XGetWindowAttributes(m_x, children[i], &a) && a.map_state == IsViewable)
            found.append({children[i], QRect(a.x, a.y, a.width, a.height)});
    }
    XFree(children);
    return found;
}

std::optional<TopWindow> TestEndToEnd::waitForWindow(QSize size, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        for (const TopWindow &w : visibleWindows()) {
            if (w.geometry.size() == size)
                return w;
        }
        QThread::msleep(20);
    }
    return std::nullopt;
}

void TestEndToEnd::click(const TopWindow &window, QPoint at)
{
    const QPoint p = window.geometry.topLeft() + at;
    QProcess xdotool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    xdotool.setProcessEnvironment(env);
    xdotool.start(QStringLiteral("xdotool"),
                  {"mousemove", QString::number(p.x()), QString::number(p.y()), "click", "1"});
    xdotool.waitForFinished(5000);
}

void TestEndToEnd::closeWindow(const TopWindow &window)
{
    // What a window manager sends when the user closes the window.
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window.id;
    e.xclient.message_type = XInternAtom(m_x, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(m_x, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_x, window.id, False, NoEventMask, &e);
    XFlush(m_x);
}

TopWindow TestEndToEnd::passSplash(const QStringList &sink, const QString &path)
{
    startProgram(sink, path);
    const auto splash = waitForWindow({452, 314}, 15000);
    if (!splash)
        qFatal("the splash window did not appear");
    click(*splash, {226, 150});
    const auto main = waitForWindow({971, 490}, 10000);
    if (!main)
        qFatal("the main window did not appear after a click on the splash");
    waitUntilPainted(*main);
    return *main;
}

// The window answers clicks once it has drawn its board: the white of the
// first letter's picture is on screen.
void TestEndToEnd::waitUntilPainted(const TopWindow &main)
{
    m_main = main;
    const QPoint p = main.geometry.topLeft() + boardButton(0) - QPoint(18, 18);
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 10000) {
        XImage *image = XGetImage(m_x, DefaultRootWindow(m_x), p.x(), p.y(), 1, 1, AllPlanes, ZPixmap);
        const unsigned long pixel = image ? XGetPixel(image, 0, 0) : 0;
        if (image)
            XDestroyImage(image);
        if ((pixel & 0xFFFFFF) > 0xF0F0F0)
            break;
        QThread::msleep(20);
    }
    QThread::msleep(100);
}

QList<Heard> TestEndToEnd::stopAndHear()
{
    // Closed as a user closes it, so that the program ends normally and its
    // sound output is complete.
    if (m_main.id)
        closeWindow(m_main);
    if (!m_program->waitForFinished(3000))
        m_program->terminate();
    m_program->waitForFinished(5000);
    m_sink->waitForFinished(3000);
    return readDiskOutput(m_dir->filePath(QStringLiteral("out.raw")));
}

void TestEndToEnd::splashFirstThenTheBoard()
{
    startProgram();
    const auto splash = waitForWindow({452, 314}, 15000);
    QVERIFY(splash);
    QThread::msleep(500);
    QVERIFY2(!waitForWindow({971, 490}, 0), "the main window is shown before the splash has closed");
    // Centred on the screen.
    QVERIFY(std::abs(splash->geometry.center().x() - 640) <= 2);
    QVERIFY(std::abs(splash->geometry.center().y() - 400) <= 2);

    click(*splash, {226, 150});
    const auto main = waitForWindow({971, 490}, 10000);
    QVERIFY(main);
    QVERIFY(!waitForWindow({452, 314}, 0));
    waitUntilPainted(*main);

    // The board is in alphabetical order: the top right letter is the first,
    // the bottom left the last.
    click(*main, boardButton(0));
    QThread::msleep(700);
    click(*main, boardButton(27));
    QThread::msleep(700);
    const QList<Heard> heard = stopAndHear();
    QVERIFY2(heard.size() == 2, qPrintable(describe(heard)));
    QVERIFY2(runsAt({heard[0]}, letterTone(0)).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(runsAt({heard[1]}, letterTone(27)).size() == 1, qPrintable(describe(heard)));
}

void TestEndToEnd::aQuickSecondClickCutsTheFirstOff()
{
    const TopWindow main = passSplash();
    click(main, boardButton(kLongLetter));
    QThread::msleep(300);
    click(main, boardButton(3));
    QThread::msleep(900);
    const QList<Heard> heard = stopAndHear();
    const QList<Heard> first = runsAt(heard, letterTone(kLongLetter));
    const QList<Heard> second = runsAt(heard, letterTone(3));
    QVERIFY2(first.size() == 1 && second.size() == 1, qPrintable(describe(heard)));
    QVERIFY2(first[0].length < 0.6, qPrintable(describe(heard)));
    QVERIFY2(std::abs(second[0].length - 0.5) < 0.05, qPrintable(describe(heard)));
}

void TestEndToEnd::withoutRecordingsAClickGivesTheAlert()
{
    const TopWindow main = passSplash();
    QVERIFY(QDir(m_dir->filePath(QStringLiteral("wa"))).removeRecursively());
    click(main, boardButton(5));
    QThread::msleep(800);
    // The program goes on: the next click is heard too.
    click(main, boardButton(9));
    QThread::msleep(800);
    QVERIFY(m_program->state() == QProcess::Running);
    const QList<Heard> heard = stopAndHear();
    QVERIFY2(runsAt(heard, kAlertTone).size() == 2, qPrintable(describe(heard)));
    QVERIFY2(runsAt(heard, letterTone(5)).isEmpty(), qPrintable(describe(heard)));
}

void TestEndToEnd::commentsLabelOpensTheBrowserOncePerClick()
{
    const TopWindow main = passSplash();
    click(main, kCommentsLabel);
    QThread::msleep(300);
    click(main, kCommentsLabel);
    QFile opened(m_dir->filePath(QStringLiteral("opened.txt")));
    QElapsedTimer t;
    t.start();
    QStringList lines;
    while (t.elapsed() < 5000 && lines.size() < 2) {
        QThread::msleep(100);
        if (opened.open(QIODevice::ReadOnly)) {
            lines = QString::fromUtf8(opened.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            opened.close();
        }
    }
    QThread::msleep(300);
    if (opened.open(QIODevice::ReadOnly))
        lines = QString::fromUtf8(opened.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{kCommentsAddress, kCommentsAddress}));
}

void TestEndToEnd::closingEndsTheProgramWhileASoundPlays()
{
    const TopWindow main = passSplash();
    click(main, boardButton(kLongLetter));
    QThread::msleep(300);
    QElapsedTimer t;
    t.start();
    closeWindow(main);
    QVERIFY(m_program->waitForFinished(3000));
    QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program->exitCode(), 0);
    // The sound was cut off with the program.
    m_sink->waitForFinished(3000);
    const QList<Heard> heard = readDiskOutput(m_dir->filePath(QStringLiteral("out.raw")));
    const QList<Heard> tone = runsAt(heard, letterTone(kLongLetter));
    QVERIFY2(tone.size() == 1 && tone[0].length < 2.0, qPrintable(describe(heard)));
}

void TestEndToEnd::splashClosesByItself()
{
    startProgram();
    QElapsedTimer t;
    t.start();
    QVERIFY(waitForWindow({452, 314}, 15000));
    const auto main = waitForWindow({971, 490}, 30000);
    QVERIFY(main);
    QVERIFY2(t.elapsed() > 21500 && t.elapsed() < 24000, qPrintable(QString::number(t.elapsed())));
    QVERIFY(!waitForWindow({452, 314}, 0));
}

QStringList TestEndToEnd::opened()
{
    QFile file(m_dir->filePath(QStringLiteral("opened.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TestEndToEnd::aMissingOrBrokenBrowserChangesNothing_data()
{
    QTest::addColumn<QString>("browser"); // the stand-in xdg-open's script; empty: none at all
    QTest::newRow("no browser") << QString();
    QTest::newRow("browser fails") << "#!/bin/sh\nexit 1\n";
    QTest::newRow("browser hangs") << "#!/bin/sh\nsleep 60\n";
}

void TestEndToEnd::aMissingOrBrokenBrowserChangesNothing()
{
    QFETCH(QString, browser);
    const QString bin = m_dir->filePath(QStringLiteral("bin"));
    QFile::remove(bin + QStringLiteral("/xdg-open"));
    if (!browser.isEmpty()) {
        writeBytes(bin + QStringLiteral("/xdg-open"), browser.toUtf8());
        QFile::setPermissions(bin + QStringLiteral("/xdg-open"), QFile::ReadOwner | QFile::ExeOwner);
    }
    // Only the stand-in's folder on the path: no other browser to be found.
    const TopWindow main = passSplash({QStringLiteral("cat")}, bin);
    click(main, kCommentsLabel);
    // The window answers the next click at once.
    click(main, boardButton(20));
    QThread::msleep(700);
    QVERIFY(m_program->state() == QProcess::Running);
    const QList<Heard> heard = stopAndHear();
    QVERIFY2(heard.size() == 1 && runsAt(heard, letterTone(20)).size() == 1, qPrintable(describe(heard)));
}

void TestEndToEnd::soundOutputGoingAwayIsSurvived()
{
    // The output stops taking sound after about a second, as when the sound
    // server goes away: the board goes on working.
    const TopWindow main = passSplash({QStringLiteral("head"), QStringLiteral("-c"), QStringLiteral("200000")});
    for (int j : {kLongLetter, 4, 8, 12})
        click(main, boardButton(j));
    QVERIFY(m_sink->waitForFinished(5000)); // the output is gone
    for (int j : {1, 2, 3}) {
        click(main, boardButton(j));
        QThread::msleep(300);
    }
    click(main, kCommentsLabel);
    QTRY_COMPARE_WITH_TIMEOUT(opened().size(), 1, 5000);
    QVERIFY(m_program->state() == QProcess::Running);
    closeWindow(main);
    QVERIFY(m_program->waitForFinished(3000));
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program->exitCode(), 0);
}

void TestEndToEnd::endsPromptly_data()
{
    QTest::addColumn<QString>("when");
    QTest::newRow("terminated while the splash is open") << "splash";
    QTest::newRow("closed during a contest question") << "contest";
    QTest::newRow("closed while the sound output is frozen") << "frozen";
}

void TestEndToEnd::endsPromptly()
{
    QFETCH(QString, when);
    QElapsedTimer t;
    if (when == QLatin1String("splash")) {
        startProgram();
        QVERIFY(waitForWindow({452, 314}, 15000));
        t.start();
        m_program->terminate();
    } else if (when == QLatin1String("frozen")) {
        // The output stops taking sound (a sound server that hangs): the
        // sound worker is stuck in it, the window still closes the program.
        const TopWindow main = passSplash({QStringLiteral("sleep"), QStringLiteral("600")});
        for (int j : {kLongLetter, 4, 8})
            click(main, boardButton(j));
        QThread::msleep(1500);
        t.start();
        closeWindow(main);
        m_program->waitForFinished(8000);
        QVERIFY2(m_program->state() == QProcess::NotRunning && t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
        m_sink->kill();
        return;
    } else {
        const TopWindow main = passSplash();
        chooseContest(main);
        QThread::msleep(5100); // the first question is playing now
        t.start();
        closeWindow(main);
    }
    QVERIFY(m_program->waitForFinished(3000));
    QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
    if (when == QLatin1String("contest")) {
        QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_program->exitCode(), 0);
        m_sink->waitForFinished(3000);
        const QList<Heard> heard = readDiskOutput(m_dir->filePath(QStringLiteral("out.raw")));
        QVERIFY2(!heard.isEmpty(), "the first question was not heard");
    }
}

// Into the contest with the keyboard: open the mode list, next entry.
void TestEndToEnd::chooseContest(const TopWindow &main, int entry)
{
    click(main, QPoint(368 + 88, 14 + 16));
    QThread::msleep(300);
    QProcess keys;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    keys.setProcessEnvironment(env);
    QStringList presses{QStringLiteral("key")};
    for (int i = 0; i < entry; ++i)
        presses << QStringLiteral("Down");
    presses << QStringLiteral("Return");
    keys.start(QStringLiteral("xdotool"), presses);
    keys.waitForFinished(5000);
}

void TestEndToEnd::contestAnswersOutliveAKill()
{
    // The real program keeps the answers its contest judged, and keeps them
    // when it is killed right after the last one was heard.
    const TopWindow main = passSplash();
    chooseContest(main);
    QThread::msleep(5700); // the first question has been heard
    const QList<Heard> question = readDiskOutput(m_dir->filePath(QStringLiteral("out.raw")));
    QVERIFY2(question.size() == 1, qPrintable(describe(question)));
    int asked = 0;
    for (int k = 1; k < 28; ++k) {
        if (std::abs(letterTone(k) - question[0].frequency) < std::abs(letterTone(asked) - question[0].frequency))
            asked = k;
    }
    const int wrong = (asked + 1) % 28;
    click(main, boardButton(wrong));
    QThread::msleep(450);
    click(main, boardButton(asked));
    QThread::msleep(150);
    ::kill(pid_t(m_program->processId()), SIGKILL);
    QVERIFY(m_program->waitForFinished(3000));

    const QString connection = QStringLiteral("e2e");
    QVERIFY(history::open(m_dir->filePath(QStringLiteral("data/huroof/history.sqlite")), connection).ok());
    {
        QSqlQuery q(QSqlDatabase::database(connection));
        QVERIFY(q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
        QVERIFY(q.exec(QStringLiteral("SELECT asked, clicked, right, wrong_tries, board_order FROM answers ORDER BY id")));
        QStringList rows;
        while (q.next()) {
            rows << QStringLiteral("%1 %2 %3 %4 %5").arg(q.value(0).toInt()).arg(q.value(1).toInt())
                        .arg(q.value(2).toInt()).arg(q.value(3).toInt()).arg(q.value(4).toString());
        }
        QCOMPARE(rows, QStringList({QStringLiteral("%1 %2 0 0 alphabetical").arg(asked + 1).arg(wrong + 1),
                                    QStringLiteral("%1 %1 1 1 alphabetical").arg(asked + 1)}));
    }
    history::close(connection);
}

void TestEndToEnd::aGrownUpsVoiceIsHeard()
{
    // أ in a grown-up's voice, in the user's voices folder; ب still the
    // program's.
    constexpr double kOwnVoice = 2600;
    writeTone(m_dir->filePath(QStringLiteral("data/huroof/voices/wa/1.wav")), kOwnVoice, 0.4);
    const TopWindow main = passSplash();
    click(main, boardButton(0));
    QThread::msleep(600);
    click(main, boardButton(1));
    QThread::msleep(700);
    const QList<Heard> heard = stopAndHear();
    QVERIFY2(heard.size() == 2, qPrintable(describe(heard)));
    QVERIFY2(runsAt({heard[0]}, kOwnVoice).size() == 1, qPrintable(describe(heard)));
    QVERIFY2(runsAt({heard[1]}, letterTone(1)).size() == 1, qPrintable(describe(heard)));
}

void TestEndToEnd::practiceGoesOnFromTheHistory()
{
    // Ten days ago ب, أ, ن and ي became known (right at once three times,
    // on two days), ب asked first each time: practice in the real program
    // asks ب first, the longest due, and ث, not in play, stays silent.
    const QString path = m_dir->filePath(QStringLiteral("data/huroof/history.sqlite"));
    const QString connection = QStringLiteral("e2e-seed");
    QVERIFY(history::open(path, connection).ok());
    {
        QSqlDatabase db = QSqlDatabase::database(connection);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int day : {-10, -10, -9}) {
            for (int letter : {2, 1, 25, 28}) {
                Answer a;
                a.time = now.addDays(day);
                a.asked = a.clicked = letter;
                a.right = true;
                a.mode = Answer::Mode::Practice;
                QVERIFY(history::add(db, a).isEmpty());
            }
        }
    }
    history::close(connection);

    const TopWindow main = passSplash();
    chooseContest(main, 2);
    QThread::msleep(5700);
    QList<Heard> heard = readDiskOutput(m_dir->filePath(QStringLiteral("out.raw")));
    QVERIFY2(heard.size() == 1, qPrintable(describe(heard)));
    QVERIFY2(runsAt(heard, letterTone(1)).size() == 1, qPrintable(describe(heard)));
    click(main, boardButton(3));
    QThread::msleep(400);
    heard = readDiskOutput(m_dir->filePath(QStringLiteral("out.raw")));
    QVERIFY2(heard.size() == 1, qPrintable(describe(heard)));
    click(main, boardButton(1));
    QThread::msleep(150);
    ::kill(pid_t(m_program->processId()), SIGKILL);
    QVERIFY(m_program->waitForFinished(3000));

    QVERIFY(history::open(path, connection).ok());
    {
        QSqlQuery q(QSqlDatabase::database(connection));
        QVERIFY(q.exec(QStringLiteral("SELECT asked, clicked, right, mode FROM answers ORDER BY id DESC LIMIT 1")));
        QVERIFY(q.next());
        QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(q.value(0).toInt()).arg(q.value(1).toInt()).arg(q.value(2).toInt())
                     .arg(q.value(3).toString()),
                 QStringLiteral("2 2 1 practice"));
        QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM answers")) && q.next());
        QCOMPARE(q.value(0).toInt(), 13);
    }
    history::close(connection);
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_e2e.moc"

void TestEndToEnd::childsWindowIsTheSameInEveryLanguage()
{
    // The grown-ups' windows speak the desktop's language; the child's
    // window is the same, pixel for pixel, in every one.
    QImage first;
    for (const QString language : {"ar", "en", "fr"}) {
        m_language = language;
        const TopWindow main = passSplash();
        const QRect r = main.geometry;
        XImage *x = XGetImage(m_x, DefaultRootWindow(m_x), r.x(), r.y(), unsigned(r.width()), unsigned(r.height()),
                              AllPlanes, ZPixmap);
        QVERIFY(x);
        QImage seen(r.size(), QImage::Format_RGB32);
        for (int y = 0; y < r.height(); ++y) {
            for (int px = 0; px < r.width(); ++px)
                seen.setPixel(px, y, QRgb(XGetPixel(x, px, y) & 0xFFFFFF));
        }
        XDestroyImage(x);
        closeWindow(main);
        QVERIFY(m_program->waitForFinished(5000));
        cleanup();
        if (first.isNull()) {
            first = seen;
            continue;
        }
        if (seen != first) {
            first.save(m_dir->filePath(QStringLiteral("ar.png")));
            seen.save(m_dir->filePath(language + QStringLiteral(".png")));
            m_dir->setAutoRemove(false);
        }
        QVERIFY2(seen == first, qPrintable(QStringLiteral("in %1 the window differs from Arabic's (both in %2)")
                                               .arg(language, m_dir->path())));
    }
}

void TestEndToEnd::startWindowManager()
{
    m_windowManager = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    // Its own settings, none of the user's.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->filePath(QStringLiteral("config")));
    m_windowManager->setProcessEnvironment(env);
    m_windowManager->setStandardErrorFile(QProcess::nullDevice());
    // Managing once it names itself on the root window (where one that
    // ended may have left its name).
    const Atom check = XInternAtom(m_x, "_NET_SUPPORTING_WM_CHECK", False);
    XDeleteProperty(m_x, DefaultRootWindow(m_x), check);
    XSync(m_x, False);
    m_windowManager->start(QStringLiteral("openbox"), {"--sm-disable"});
    QVERIFY2(m_windowManager->waitForStarted(), "openbox is needed (tools/deps installs it)");
    QElapsedTimer t;
    t.start();
    for (;;) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        const bool there = XGetWindowProperty(m_x, DefaultRootWindow(m_x), check, 0, 1, False, XA_WINDOW, &type,
                                              &format, &items, &after, &data) == Success && data && items == 1;
        if (data)
            XFree(data);
        if (there)
            break;
        QVERIFY2(t.elapsed() < 10000, "openbox did not start managing the display");
        QThread::msleep(50);
    }
}

QRgb TestEndToEnd::seen(QPoint p)
{
    XImage *image = XGetImage(m_x, DefaultRootWindow(m_x), p.x(), p.y(), 1, 1, AllPlanes, ZPixmap);
    const unsigned long pixel = image ? XGetPixel(image, 0, 0) : 0;
    if (image)
        XDestroyImage(image);
    return QRgb(pixel & 0xFFFFFF);
}

QList<::Window> TestEndToEnd::programWindows(::Window under)
{
    QList<::Window> found;
    const Atom pidAtom = XInternAtom(m_x, "_NET_WM_PID", False);
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(m_x, under ? under : DefaultRootWindow(m_x), &root, &parent, &children, &count))
        return found;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(m_x, children[i], &a) || a.map_state != IsViewable)
            continue;
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(m_x, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                               &data) == Success && data) {
            if (static_cast<qint64>(*reinterpret_cast<unsigned long *>(data)) == m_program->processId())
                found << children[i];
            XFree(data);
        } else {
            // A window manager's frame holds the program's window inside.
            found << programWindows(children[i]);
        }
    }
    if (children)
        XFree(children);
    return found;
}

void TestEndToEnd::fullScreenFillsTheScreenLocked_data()
{
    QTest::addColumn<bool>("windowManager");
    QTest::addColumn<bool>("byKey"); // F11 in the window shown, not --full-screen
    // A kiosk's session that runs the program alone (xinit huroof
    // --full-screen), and a desktop's.
    QTest::newRow("no window manager") << false << false;
    QTest::newRow("openbox") << true << false;
    QTest::newRow("no window manager, F11") << false << true;
    QTest::newRow("openbox, F11") << true << true;
}

// Full screen fills the screen with a window manager or without one, the
// splash first and then the child's window; locked, the comments label
// opens no browser over it, and a grown-up's keys still reach it.
void TestEndToEnd::fullScreenFillsTheScreenLocked()
{
    QFETCH(bool, windowManager);
    QFETCH(bool, byKey);
    if (windowManager)
        startWindowManager();
    startProgram({QStringLiteral("cat")}, {}, byKey ? QStringList{} : QStringList{QStringLiteral("--full-screen")});
    const QRgb grey = 0x808080;
    const QList<QPoint> corners{{1, 1}, {1278, 1}, {1, 798}, {1278, 798}};
    const auto filled = [&] {
        return std::all_of(corners.begin(), corners.end(), [&](QPoint p) { return seen(p) == grey; });
    };
    const TopWindow screen{0, QRect(0, 0, 1280, 800)};
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    const auto press = [&](const QString &keys) {
        QProcess xdotool;
        xdotool.setProcessEnvironment(env);
        xdotool.start(QStringLiteral("xdotool"), {"key", keys});
        return xdotool.waitForFinished(5000);
    };
    if (byKey) {
        // The splash and the window at their own sizes, in the middle of
        // the screen; a click on the window's background gives it the keys
        // where no window manager does.
        QTRY_VERIFY_WITH_TIMEOUT(seen({640, 400}) != 0, 15000);
        click(screen, {640, 400});
        QTRY_COMPARE_WITH_TIMEOUT(seen({250, 420}), grey, 10000);
        QVERIFY(!filled());
        click(screen, {250, 420});
        QThread::msleep(300);
        QVERIFY(press(QStringLiteral("F11")));
    } else {
        // The splash: its picture in the middle, the screen's edges its grey.
        QTRY_VERIFY_WITH_TIMEOUT(filled() && seen({640, 400}) != grey, 15000);
        click(screen, {640, 400});
    }

    // The child's window: the design as large as the screen allows, in the
    // middle.
    const qreal scale = std::min(1280.0 / 971, 800.0 / 490);
    const QPointF origin((1280 - 971 * scale) / 2, (800 - 490 * scale) / 2);
    const auto onScreen = [&](QPoint design) { return (origin + QPointF(design) * scale).toPoint(); };
    const QPoint firstLetter = onScreen(boardButton(0) - QPoint(18, 18));
    QTRY_VERIFY_WITH_TIMEOUT(filled() && seen(firstLetter) > 0xF0F0F0, 10000);
    const QList<::Window> windows = programWindows();
    QCOMPARE(windows.size(), 1);
    ::Window child = 0;
    int x = -1, y = -1;
    XTranslateCoordinates(m_x, windows[0], DefaultRootWindow(m_x), 0, 0, &x, &y, &child);
    XWindowAttributes a;
    QVERIFY(XGetWindowAttributes(m_x, windows[0], &a));
    QCOMPARE(QRect(x, y, a.width, a.height), QRect(0, 0, 1280, 800));
    if (windowManager) {
        // Kept full screen by the window manager, not merely as large.
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        QCOMPARE(XGetWindowProperty(m_x, windows[0], XInternAtom(m_x, "_NET_WM_STATE", False), 0, 32, False, XA_ATOM,
                                    &type, &format, &items, &after, &data),
                 Success);
        const auto *states = reinterpret_cast<const Atom *>(data);
        const Atom full = XInternAtom(m_x, "_NET_WM_STATE_FULLSCREEN", False);
        const bool fullScreen = data && std::find(states, states + items, full) != states + items;
        if (data)
            XFree(data);
        QVERIFY(fullScreen);
    }

    // Locked: the comments label opens nothing.
    click(screen, onScreen(kCommentsLabel));
    QThread::msleep(1000);
    QCOMPARE(opened(), QStringList());
    QCOMPARE(m_program->state(), QProcess::Running);

    // A grown-up's keys reach the window: Ctrl+Shift+Q shows the hold
    // button's light panel in the middle of the screen.
    const QPoint panel(640, 310);
    const QRgb before = seen(panel);
    QVERIFY(press(QStringLiteral("ctrl+shift+q")));
    QTRY_VERIFY_WITH_TIMEOUT(seen(panel) != before && qGray(seen(panel)) > 0xE0, 5000);
}
