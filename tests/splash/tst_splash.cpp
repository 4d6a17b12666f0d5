#include "splash/frmsplash.h"
#include "ui/widgets.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "support/images.h"

class TestSplash : public QObject
{
    Q_OBJECT
private slots:
    void design();
    void closes_data();
    void closes();
    void nothingRemainsAfterClosing();
    void titleKeepsClearOfTheEdges();
    void pictureHasItsControlsShape();
    void keysDoNotCloseIt_data();
    void keysDoNotCloseIt();
};

void TestSplash::design()
{
    frmSplash splash;
    QCOMPARE(splash.size(), QSize(452, 314));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.windowType(), Qt::Tool); // no taskbar entry
    QCOMPARE(splash.Image1()->geometry(), QRect(0, 0, 456, 312));
    // The timer counts from the window's creation.
    QVERIFY(splash.Timer3().isActive());
    QCOMPARE(splash.Timer3().interval(), 22000);
    QVERIFY(splash.Timer3().isSingleShot());
    QCOMPARE(splash.Timer3().timerType(), Qt::PreciseTimer);
}

void TestSplash::closes_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("click on the picture") << "picture";
    QTest::newRow("click on the strip below it") << "strip";
    QTest::newRow("timer") << "timer";
}

void TestSplash::closes()
{
    QFETCH(QString, how);
    frmSplash splash;
    QSignalSpy finished(&splash, &QDialog::finished);
    QTimer::singleShot(0, &splash, [&] {
        if (how == QLatin1String("picture"))
            QTest::mouseClick(splash.Image1(), Qt::LeftButton, {}, QPoint(200, 150));
        else if (how == QLatin1String("strip"))
            QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(200, 313));
        else
            emit const_cast<QTimer &>(splash.Timer3()).timeout({});
    });
    QTimer::singleShot(3000, &splash, &QDialog::reject); // a failing test still ends
    QCOMPARE(splash.exec(), int(QDialog::Accepted));
    QCOMPARE(finished.size(), 1);
    QVERIFY(!splash.Timer3().isActive());
    QVERIFY(!splash.isVisible());
}

void TestSplash::titleKeepsClearOfTheEdges()
{
    // The title's dark blue ink stays at least 8 px inside the window.
    frmSplash splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    const QImage image = splash.grab().toImage();
    const QColor ink(0x10, 0x2a, 0x78);
    const QRect box = boundsWhere(image.size(), [&](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return std::abs(c.red() - ink.red()) + std::abs(c.green() - ink.green()) + std::abs(c.blue() - ink.blue()) < 60;
    });
    QVERIFY2(box.width() > image.width() / 3, "no title found");
    const QString where = QStringLiteral("title at %1,%2 %3x%4 in %5x%6")
                              .arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())
                              .arg(image.width()).arg(image.height());
    QVERIFY2(box.left() >= 8 && box.top() >= 8, qPrintable(where));
    QVERIFY2(image.width() - 1 - box.right() >= 8 && image.height() - 1 - box.bottom() >= 8, qPrintable(where));
}

// The picture is made at the shape of the control that stretches it, so
// nothing in it is squeezed; the strip of the window below it continues
// its bottom edge instead of showing a band of another picture.
void TestSplash::pictureHasItsControlsShape()
{
    frmSplash splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    const QSizeF picture = splash.Image1()->picture().deviceIndependentSize();
    const QSize control = splash.Image1()->size();
    QVERIFY2(std::abs(picture.width() / picture.height() - double(control.width()) / control.height()) < 0.005,
             qPrintable(QStringLiteral("%1x%2 in %3x%4").arg(picture.width()).arg(picture.height())
                            .arg(control.width()).arg(control.height())));
    const QImage image = splash.grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    for (int x : {10, 120, 226, 330, 440}) {
        const QColor above = image.pixelColor(int(x * dpr), int(309 * dpr));
        const QColor strip = image.pixelColor(int(x * dpr), image.height() - 1);
        QVERIFY2(std::abs(above.green() - strip.green()) < 40 && std::abs(above.red() - strip.red()) < 40,
                 qPrintable(QStringLiteral("at %1: %2 above, %3 in the strip").arg(x).arg(above.name(), strip.name())));
    }
}

void TestSplash::keysDoNotCloseIt_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void TestSplash::keysDoNotCloseIt()
{
    QFETCH(int, key);
    frmSplash splash;
    QSignalSpy finished(&splash, &QDialog::finished);
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTest::keyClick(&splash, Qt::Key(key));
    QVERIFY(splash.isVisible());
    QCOMPARE(finished.size(), 0);
    QVERIFY(splash.Timer3().isActive());
}

void TestSplash::nothingRemainsAfterClosing()
{
    QTimer::singleShot(50, [] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *s = qobject_cast<frmSplash *>(w))
                s->closeSplash();
        }
    });
    std::unique_ptr<frmSplash> splash;
    frmSplash::showModal(splash);
    QVERIFY(!splash);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<frmSplash *>(w));
}

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
