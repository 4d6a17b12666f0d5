// The child's window at any size: fitted to a small screen, filling a large
// one, locked against a child's hands, left by a grown-up's gesture, and
// played with a finger.
#include "board/lists.h"
#include "i18n/language.h"
#include "lock/leavegesture.h"
#include "shell/letters.h"
#include "splash/frmsplash.h"
#include "ui/design.h"
#include "ui/widgets.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QScopeGuard>
#include <QLineEdit>
#include <QPointingDevice>
#include <QScreen>
#include <QTest>

#include <random>

#include "support/fakes.h"
#include "support/texts.h"

namespace {

// Where the design puts a control, at a scale from an origin, to the pixel.
QRect designedAt(const char *name, int index, qreal scale, QPointF origin)
{
    for (const ControlDesign &d : form1Design().controls) {
        if (QString::fromLatin1(d.name) == QLatin1String(name) && d.index == index) {
            const qreal k = scale / kTwipsPerPixel;
            const int left = qRound(origin.x() + d.left * k);
            const int top = qRound(origin.y() + d.top * k);
            return {left, top, qRound(origin.x() + (d.left + d.width) * k) - left,
                    qRound(origin.y() + (d.top + d.height) * k) - top};
        }
    }
    return {};
}

} // namespace

class TestFullScreen : public QObject
{
    Q_OBJECT
private slots:
    void fitsTheScreen();
    void fullScreenScalesTheWholeWindow();
    void theSplashFillsTheScreenToo();
    void keysNeverGetOut();
    void aGrownUpLeavesByTheGesture();
    void theGestureSpeaksTheGrownUpsLanguage_data();
    void theGestureSpeaksTheGrownUpsLanguage();
    void aFingerPlaysEverywhere();
};

// Run by ctest on small screens at the scales desktops use: the window is
// never larger than the screen's free area, and only ever smaller as a
// whole.
void TestFullScreen::fitsTheScreen()
{
    FormFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    const QSize room = f.form->screen()->availableGeometry().size();
    const QSize design = designSize(form1Design());
    QVERIFY2(f.form->width() + 16 <= room.width() && f.form->height() + 48 <= room.height(),
             qPrintable(QStringLiteral("%1x%2 in %3x%4").arg(f.form->width()).arg(f.form->height())
                            .arg(room.width()).arg(room.height())));
    const qreal scale = f.form->scale();
    QVERIFY(scale <= 1.0);
    if (design.width() + 16 <= room.width() && design.height() + 48 <= room.height())
        QCOMPARE(scale, 1.0);
    QCOMPARE(f.form->size(), QSize(qRound(design.width() * scale), qRound(design.height() * scale)));
    for (int j : {0, 6, 27})
        QCOMPARE(f.hr(j)->geometry(), designedAt("hr", j, scale, {}));
    // The labels keep beside their controls, whole.
    auto *label = f.form->controls().get<ClickLabel>(QStringLiteral("Label4"));
    QVERIFY(label->geometry().right() < f.form->width());
    QVERIFY(label->sizeHint().width() <= label->width() + 1);
}

void TestFullScreen::fullScreenScalesTheWholeWindow()
{
    FormFixture f;
    f.form->show();
    f.form->setFullScreen(true);
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QTRY_COMPARE(f.form->size(), f.form->screen()->geometry().size());
    QVERIFY(f.form->isFullScreen());
    QVERIFY(f.form->isLocked());
    const QSizeF design = designSize(form1Design());
    const QSize screen = f.form->size();
    const qreal scale = std::min(screen.width() / design.width(), screen.height() / design.height());
    QCOMPARE(f.form->scale(), scale);
    const QPointF origin((screen.width() - design.width() * scale) / 2, (screen.height() - design.height() * scale) / 2);
    for (int j : {0, 6, 20, 27})
        QCOMPARE(f.hr(j)->geometry(), designedAt("hr", j, scale, origin));
    QCOMPARE(f.hro(13)->geometry(), designedAt("hro", 13, scale, origin));
    QCOMPARE(f.list("Co2")->geometry(), designedAt("Co2", -1, scale, origin));
    QCOMPARE(f.form->controls().find(QStringLiteral("qno"))->geometry(), designedAt("qno", -1, scale, origin));
    // Text at the scaled size; pictures from sources as dense as shown.
    QCOMPARE(f.list("Co2")->font().pixelSize(), qRound(21 * scale));
    const qreal density = scale * f.form->devicePixelRatioF();
    QVERIFY2(f.hr(0)->picture().devicePixelRatio() >= std::min(4.0, std::ceil(density - 0.01)),
             qPrintable(QString::number(f.hr(0)->picture().devicePixelRatio())));
    QVERIFY(f.image("Imy")->picture().devicePixelRatio() >= std::min(4.0, std::ceil(density - 0.01)));
    // A contest in full screen: marks and the panel as designed, larger.
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    const int asked = f.markedPosition();
    f.click((asked + 1) % 28);
    f.click(asked);
    QVERIFY(f.image("Imy")->isVisible());
    QCOMPARE(f.image("Imy")->geometry(), designedAt("Imy", -1, scale, origin));

    // Back from it, the window is as designed again.
    f.form->setFullScreen(false);
    QVERIFY(!f.form->isFullScreen());
    QCOMPARE(f.form->scale(), 1.0);
    QCOMPARE(f.hr(0)->geometry(), QRect(584, 208, 47, 47));
}

// Started full screen, the splash is scaled the same way: its picture in
// the middle, as large as the screen allows, cut nowhere; a click anywhere
// closes it.
void TestFullScreen::theSplashFillsTheScreenToo()
{
    frmSplash splash;
    splash.setFullScreen();
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTRY_COMPARE(splash.size(), splash.screen()->geometry().size());
    const QSizeF design = designSize(splashDesign());
    const qreal scale = std::min(splash.width() / design.width(), splash.height() / design.height());
    QCOMPARE(splash.scale(), scale);
    const QRect window = QRectF(QPointF((splash.width() - design.width() * scale) / 2,
                                        (splash.height() - design.height() * scale) / 2),
                                design * scale).toAlignedRect();
    // The picture fills the design's window but for its strip, from a
    // source as dense as it is shown.
    const QRect picture = splash.Image1()->geometry().intersected(window);
    QVERIFY(std::abs(picture.left() - window.left()) <= 1);
    QVERIFY(std::abs(picture.top() - window.top()) <= 1);
    QVERIFY(std::abs(picture.right() - window.right()) <= 1);
    QVERIFY(window.bottom() - picture.bottom() <= qCeil(2 * scale) + 1);
    QVERIFY(splash.Image1()->picture().devicePixelRatio() >= std::min(4.0, std::ceil(scale - 0.01)));
    // Outside it, the main window's grey.
    const QImage shot = splash.grab().toImage();
    QCOMPARE(shot.pixelColor(2, 2), QColor(0x80, 0x80, 0x80));
    QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(!splash.isVisible());
}

// A child at the keyboard for a long while, and every key a grown-up would
// try: the window stays full screen and the program runs.
void TestFullScreen::keysNeverGetOut()
{
    FormFixture f;
    f.form->show();
    f.form->setFullScreen(true);
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> tries = {
        {Qt::Key_Escape, Qt::NoModifier},       {Qt::Key_F4, Qt::AltModifier},
        {Qt::Key_Q, Qt::ControlModifier},       {Qt::Key_W, Qt::ControlModifier},
        {Qt::Key_F11, Qt::NoModifier},          {Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier}, {Qt::Key_Tab, Qt::AltModifier},
        {Qt::Key_Return, Qt::NoModifier},       {Qt::Key_Space, Qt::NoModifier},
    };
    std::mt19937 random(11);
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
                                               Qt::ControlModifier | Qt::ShiftModifier, Qt::MetaModifier};
    for (int i = 0; i < 4000; ++i) {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        if (i % 5 == 0) {
            const auto &t = tries[qsizetype(random() % tries.size())];
            key = t.first;
            mods = t.second;
        } else {
            key = Qt::Key(random() % 2 ? Qt::Key_A + int(random() % 26) : Qt::Key_Escape + int(random() % 0x60));
            mods = modifiers[random() % 6];
        }
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : f.form.get();
        const char ascii = key >= Qt::Key_A && key <= Qt::Key_Z && !(mods & ~Qt::ShiftModifier) ? char('a' + key - Qt::Key_A) : 0;
        QTest::sendKeyEvent(QTest::Click, target, key, ascii, mods);
        if (QApplication::activePopupWidget())
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    }
    // The window manager's close and Alt+F4 come as a close request.
    QVERIFY(!f.form->close());
    QVERIFY(f.form->isVisible());
    QVERIFY(f.form->isFullScreen());
    QVERIFY(f.form->isLocked());
    QVERIFY(f.grownUpsOpened.isEmpty());
    // Only what the board and the lists do with keys changed: the two lists
    // still hold one of their entries.
    QVERIFY(f.list("Co1")->currentIndex() >= 0 && f.list("Co2")->currentIndex() >= 0);
}

void TestFullScreen::aGrownUpLeavesByTheGesture()
{
    FormFixture f;
    f.form->show();
    f.form->setFullScreen(true);
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    LeaveGesture *gesture = f.form->leaveGesture();
    QVERIFY(!gesture->isVisible());
    QTest::keyClick(f.form.get(), Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(gesture->isVisible());
    // Held for one second and let go: nothing.
    HoldButton *button = gesture->button();
    QTest::mousePress(button, Qt::LeftButton);
    QTest::qWait(1000);
    QTest::mouseRelease(button, Qt::LeftButton);
    QCOMPARE(button->filled(), 0.0);
    QTest::qWait(2500);
    QVERIFY(f.form->isLocked());
    // Held for three: the lock is gone, and the grown-ups' keys work.
    QTest::mousePress(button, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!f.form->isLocked(), 4000);
    QTest::mouseRelease(button, Qt::LeftButton);
    QVERIFY(!f.form->isFullScreen());
    QVERIFY(!gesture->isVisible());
    QTest::keyClick(f.form.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.grownUpsOpened, QList<GrownUpsWindow>{GrownUpsWindow::Voices});
    // The window closes again as windows do.
    QVERIFY(f.form->close());
}

void TestFullScreen::theGestureSpeaksTheGrownUpsLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("words");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::newRow("ar") << "ar" << "أمسك هذا الزر" << Qt::RightToLeft;
    QTest::newRow("en") << "en" << "hold this button" << Qt::LeftToRight;
    QTest::newRow("fr") << "fr" << "maintenez ce bouton" << Qt::LeftToRight;
}

// The lock's words are for a grown-up: in their language and its
// direction, whole in the overlay at every size, over a window that stays
// as it is.
void TestFullScreen::theGestureSpeaksTheGrownUpsLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, words);
    QFETCH(Qt::LayoutDirection, direction);
    i18n::useLanguage(language, i18n::QtTexts::Not);
    const auto back = qScopeGuard([] { i18n::useLanguage(QStringLiteral("en")); });
    FormFixture f;
    f.form->show();
    f.form->setFullScreen(true);
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QTest::keyClick(f.form.get(), Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    LeaveGesture *gesture = f.form->leaveGesture();
    QVERIFY(gesture->isVisible());
    QCOMPARE(f.form->layoutDirection(), Qt::LeftToRight);
    QCOMPARE(gesture->layoutDirection(), direction);
    const QList<QLabel *> labels = gesture->findChildren<QLabel *>();
    QVERIFY(!labels.isEmpty());
    QVERIFY2(labels.first()->text().contains(words), qPrintable(labels.first()->text()));
    const QStringList cut = textsNotWhole(gesture);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
}

// A tap is a click everywhere in the child's window: the board, both lists
// and their entries, the comments label, the splash.
void TestFullScreen::aFingerPlaysEverywhere()
{
    // The test's own device, gone with it.
    const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
    QPointingDevice *finger = device.get();
    FormFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    const auto tap = [&](QWidget *w, QPoint at) {
        const QPoint p = w->mapTo(w->window(), at);
        QTest::touchEvent(w->window(), finger).press(0, p);
        QTest::touchEvent(w->window(), finger).release(0, p);
        QCoreApplication::processEvents();
    };
    tap(f.hr(3), f.hr(3)->rect().center());
    QCOMPARE(f.sound.played, QStringList{recordingOf(3)});

    ChoiceList *modes = f.list("Co2");
    tap(modes, modes->rect().center());
    QTRY_VERIFY(modes->view()->isVisible());
    QAbstractItemView *view = modes->view();
    const QRect entry = view->visualRect(modes->model()->index(1, 0));
    const QPoint onEntry = view->viewport()->mapTo(view->window(), entry.center());
    QTest::touchEvent(view->window(), finger).press(0, onEntry);
    QTest::touchEvent(view->window(), finger).release(0, onEntry);
    QTRY_COMPARE(modes->currentIndex(), 1);
    QVERIFY(f.form->ttx().isActive());

    auto *link = f.form->controls().get<ClickLabel>(QStringLiteral("Label9"));
    tap(link, link->rect().center());
    QCOMPARE(f.web.opened.size(), 1);

    frmSplash splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTest::touchEvent(&splash, finger).press(0, QPoint(200, 150));
    QTest::touchEvent(&splash, finger).release(0, QPoint(200, 150));
    QTRY_VERIFY(!splash.isVisible());
}

QTEST_MAIN(TestFullScreen)
#include "tst_fullscreen.moc"
