// At the screen scales desktops offer between 1x and 2x (125 %, 150 %), the
// letters on the board are scaled smoothly from their @2x pictures, not
// pixel by pixel. The scale comes from QT_SCALE_FACTOR (set by CTest).
#include "ui/widgets.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include "support/fakes.h"
#include "support/images.h"

namespace {

// The @2x picture drawn on the button's face at the screen's scale, as a
// button draws it, smoothly or not.
QImage expected(const PictureButton &button, bool smooth)
{
    const qreal scale = button.devicePixelRatioF();
    QImage face(button.size() * scale, QImage::Format_RGB32);
    face.setDevicePixelRatio(scale);
    face.fill(Qt::white);
    QPainter p(&face);
    const QSizeF size = button.picture().deviceIndependentSize();
    QPixmap shown = button.picture().scaled((size * scale).toSize(), Qt::IgnoreAspectRatio,
                                            smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
    shown.setDevicePixelRatio(scale);
    p.drawPixmap(QPointF(std::floor((button.width() - size.width()) / 2.0),
                         std::floor((button.height() - size.height()) / 2.0)),
                 shown);
    return face;
}

} // namespace

class TestScales : public QObject
{
    Q_OBJECT
private slots:
    void lettersAreScaledSmoothly();
};

void TestScales::lettersAreScaledSmoothly()
{
    FormFixture f;
    f.form->show();
    const qreal scale = f.form->devicePixelRatioF();
    QVERIFY2(scale > 1 && scale < 2, qPrintable(QString::number(scale)));
    for (int j : {0, 12, 27}) {
        PictureButton *button = f.hr(j);
        QCOMPARE(button->picture().devicePixelRatio(), 2.0);
        // Inside the button's edge, in device pixels.
        const QImage shot = button->grab().toImage();
        const int inset = int(std::ceil(5 * scale));
        const QRect inside = shot.rect().adjusted(inset, inset, -inset, -inset);
        const double toSmooth = meanDifference(shot.copy(inside), expected(*button, true).copy(inside));
        const double toBlocky = meanDifference(shot.copy(inside), expected(*button, false).copy(inside));
        qInfo("hr(%d) at %.2f: difference to smooth %.2f, to blocky %.2f", j, scale, toSmooth, toBlocky);
        QVERIFY(toSmooth < 0.5);
        QVERIFY(toBlocky > 2 * toSmooth + 0.2);
    }
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestScales test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scales.moc"
