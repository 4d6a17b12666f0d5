// On a screen at twice the density the window doubles and its pictures are
// drawn from their @2x versions, sharp rather than blown up.
#include "ui/widgets.h"

#include <QApplication>
#include <QTest>

#include "support/fakes.h"
#include "support/images.h"

class TestHiDpi : public QObject
{
    Q_OBJECT
private slots:
    void windowDoubles();
    void letterIsDrawnFromItsSharpPicture();
    void marksComeInBothDensities();
};

void TestHiDpi::windowDoubles()
{
    FormFixture f;
    f.form->show();
    QCOMPARE(f.form->size(), QSize(971, 490));
    QCOMPARE(f.form->devicePixelRatio(), 2.0);
    const QPixmap shot = f.form->grab();
    QCOMPARE(shot.size(), QSize(1942, 980));
}

void TestHiDpi::letterIsDrawnFromItsSharpPicture()
{
    FormFixture f;
    f.form->show();
    QCOMPARE(f.hr(0)->picture().devicePixelRatio(), 2.0);

    // hr(0) on screen, in device pixels: its 48-point picture is centred on
    // the 47-point face, so the picture starts one point up and left. Inside
    // the button's edge (4 points with the line it draws on), the picture is
    // what shows.
    const QImage shot = f.form->grab().toImage();
    const QRect button = f.hr(0)->geometry();
    const QImage onScreen = shot.copy(button.x() * 2 + 8, button.y() * 2 + 8, 78, 78);

    const QImage sharp = QImage(":/pictures/letter1@2x.jpg").copy(10, 10, 78, 78);
    const QImage blownUp = QImage(":/pictures/letter1.jpg")
                               .scaled(96, 96, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                               .copy(10, 10, 78, 78);
    const double toSharp = meanDifference(onScreen, sharp);
    const double toBlownUp = meanDifference(onScreen, blownUp);
    qInfo("difference to the @2x picture %.2f, to the enlarged 1x picture %.2f", toSharp, toBlownUp);
    QVERIFY(toSharp < 2.0);
    QVERIFY(toBlownUp > 3 * toSharp);
}

void TestHiDpi::marksComeInBothDensities()
{
    FormFixture f;
    for (const char *name : {"Imy", "Imn", "Imhy", "Imhn"})
        QCOMPARE(f.image(name)->picture().devicePixelRatio(), 2.0);
}

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
