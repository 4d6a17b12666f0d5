// The main window's design as a person sees it: places, sizes, tab order,
// names for screen readers.
#include "shell/letters.h"
#include "ui/design.h"
#include "ui/widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include <cmath>

#include "support/fakes.h"
#include "support/images.h"

class TestLayout : public QObject
{
    Q_OBJECT
private slots:
    void places_data();
    void places();
    void clientArea();
    void controlsStayWhenTheWindowGrows();
    void tabOrder();
    void focusStartsOnTheOrderList();
    void boardButtonsNameTheirLetter();
    void spaceClicksAFocusedButton();
    void commentsLinkDrawsFromTheLeft();
    void boardButtonsLookRaisedAndPressed();
    void buttonEdgesAreWhole_data();
    void buttonEdgesAreWhole();
    void textsLieInsideTheirControls_data();
    void textsLieInsideTheirControls();
    void listsReadFromTheRight();
    void labelsKeepClearOfTheirLists_data();
    void labelsKeepClearOfTheirLists();
    void wrongTryCountsReadOverTheMarks_data();
    void wrongTryCountsReadOverTheMarks();
    void listArrowsScaleWithTheList();
    void questionNumberOnlyShows();
};

void TestLayout::places_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("pixels");

    // The board runs right to left: a mirrored or shifted board shows here.
    QTest::newRow("hr(0) top right") << "hr" << 0 << QRect(584, 208, 47, 47);
    QTest::newRow("hr(6) top left") << "hr" << 6 << QRect(248, 208, 47, 47);
    QTest::newRow("hr(7) second row right") << "hr" << 7 << QRect(584, 264, 47, 47);
    QTest::newRow("hr(21) bottom right") << "hr" << 21 << QRect(584, 376, 47, 47);
    QTest::newRow("hr(27) bottom left") << "hr" << 27 << QRect(248, 376, 47, 47);
    QTest::newRow("hro(0)") << "hro" << 0 << QRect(176, 8, 47, 39);
    QTest::newRow("hro(27) shorter") << "hro" << 27 << QRect(456, 112, 47, 32);
    QTest::newRow("Ima(13)") << "Ima" << 13 << QRect(504, 112, 48, 38);
    QTest::newRow("Imy") << "Imy" << -1 << QRect(872, 104, 72, 78);
    QTest::newRow("Imhn") << "Imhn" << -1 << QRect(768, 120, 72, 78);
    QTest::newRow("qno") << "qno" << -1 << QRect(712, 232, 61, 63);
    QTest::newRow("Co2") << "Co2" << -1 << QRect(368, 14, 177, 32);
    QTest::newRow("board frame") << "Shape" << -1 << QRect(232, 184, 412, 256);
}

void TestLayout::places()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QRect, pixels);
    FormFixture f;
    QWidget *control = f.form->controls().find(name, index);
    QVERIFY(control);
    QCOMPARE(control->geometry(), pixels);
}

void TestLayout::clientArea()
{
    FormFixture f;
    QCOMPARE(f.form->size(), QSize(971, 490));
    QCOMPARE(f.form->windowTitle(), QStringLiteral("برنامج الحروف"));
    QCOMPARE(f.form->palette().color(QPalette::Window), QColor(128, 128, 128));
    QVERIFY(!f.form->windowIcon().isNull());
}

void TestLayout::controlsStayWhenTheWindowGrows()
{
    FormFixture f;
    f.form->show();
    const QRect before = f.hr(0)->geometry();
    f.form->resize(1400, 900);
    QCOMPARE(f.hr(0)->geometry(), before);
    f.form->showMaximized();
    QCOMPARE(f.hr(0)->geometry(), before);
}

void TestLayout::tabOrder()
{
    FormFixture f;
    // The question-number box shows the number and no more: Tab passes by.
    QList<QWidget *> expected{f.list("Co1"), f.hr(0), f.list("Co2")};
    for (int j = 1; j < 28; ++j)
        expected << f.hr(j);
    for (int k : {0, 1, 2, 3, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12, 19, 18, 17, 16, 23, 22, 21, 20, 27, 26, 25, 24})
        expected << f.hro(k);
    // The next control that Tab reaches, hidden ones included.
    const auto nextTabStop = [](QWidget *w) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QWidget *next = expected[(i + 1) % expected.size()];
        QVERIFY2(nextTabStop(expected[i]) == next, qPrintable(expected[i]->objectName()));
    }
}

void TestLayout::focusStartsOnTheOrderList()
{
    FormFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QCOMPARE(QApplication::focusWidget(), f.list("Co1"));
    // While the results panel is hidden, Tab from the last letter wraps
    // around to the order list.
    f.hr(27)->setFocus();
    QTest::keyClick(f.hr(27), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.list("Co1"));
}

void TestLayout::boardButtonsNameTheirLetter()
{
    FormFixture f;
    QCOMPARE(f.hr(0)->accessibleName(), QStringLiteral("أ"));
    QCOMPARE(f.hr(25)->accessibleName(), QStringLiteral("هـ"));
    f.pick("Co1", 1);
    for (int j = 0; j < 28; ++j)
        QCOMPARE(f.hr(j)->accessibleName(), letterGlyph(f.letterShownAt(j)));
    QVERIFY(!f.list("Co1")->accessibleName().isEmpty());
    QVERIFY(!f.list("Co2")->accessibleName().isEmpty());
}

void TestLayout::spaceClicksAFocusedButton()
{
    FormFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    f.hr(3)->setFocus();
    QTest::keyClick(f.hr(3), Qt::Key_Space);
    QCOMPARE(f.sound.played, QStringList{QStringLiteral("\\wa\\4.wav")});
}

QTEST_MAIN(TestLayout)
// The comments label is left-aligned in its design; right-to-left text must
// not turn that into flush right.
void TestLayout::commentsLinkDrawsFromTheLeft()
{
    FormFixture f;
    f.form->show();
    auto *label = f.form->controls().get<ClickLabel>(QStringLiteral("Label9"));
    const QImage image = label->grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, 0);
    const QRect ink = boundsWhere(image.size(), [&](int x, int y) { return image.pixel(x, y) != background; });
    const int first = ink.left(), last = ink.right();
    QVERIFY2(!ink.isEmpty(), "the label draws nothing");
    QVERIFY2(first <= image.width() - 1 - last,
             qPrintable(QStringLiteral("ink from %1 to %2 of %3").arg(first).arg(last).arg(image.width())));
}

// A board button shows its 3D edge over its picture, raised; held down, the
// edge is sunken and the picture moves.
void TestLayout::boardButtonsLookRaisedAndPressed()
{
    FormFixture f;
    f.form->show();
    PictureButton *button = f.hr(0);
    const QImage raised = button->grab().toImage();
    button->setDown(true);
    const QImage pressed = button->grab().toImage();
    button->setDown(false);

    const auto brightness = [](const QImage &image, int x, int y) { return qGray(image.pixel(x, y)); };
    const int w = raised.width() - 1, h = raised.height() - 1;
    // Raised: lit from the top left. The picture's white must not cover it.
    QVERIFY(brightness(raised, 1, h / 2) > brightness(raised, w - 1, h / 2) + 60);
    QVERIFY(brightness(raised, w / 2, 1) > brightness(raised, w / 2, h - 1) + 60);
    QVERIFY(brightness(raised, w - 1, h / 2) < 200);
    // Sunken: the other way round.
    QVERIFY(brightness(pressed, 1, h / 2) + 60 < brightness(pressed, w - 1, h / 2));
    QVERIFY(brightness(pressed, w / 2, 1) + 60 < brightness(pressed, w / 2, h - 1));
    // The picture moved: the middle of the button differs.
    const QRect middle(raised.width() / 4, raised.height() / 4, raised.width() / 2, raised.height() / 2);
    QVERIFY(raised.copy(middle) != pressed.copy(middle));
}

namespace {

// Where two grabs of one control differ: the ink of what changed between
// them, in the control's own pixels (a grab at a scale has more).
QRect inkBetween(const QImage &with, const QImage &without)
{
    const QRect device = boundsWhere(with.size(), [&](int x, int y) { return with.pixel(x, y) != without.pixel(x, y); });
    if (device.isEmpty())
        return device;
    const qreal dpr = with.devicePixelRatio();
    const QPoint from(int(std::floor(device.left() / dpr)), int(std::floor(device.top() / dpr)));
    const QPoint to(int(std::ceil((device.right() + 1) / dpr)) - 1, int(std::ceil((device.bottom() + 1) / dpr)) - 1);
    return {from, to};
}

// The width of a text's ink, drawn right to left with room all round, at
// the screen's scale.
int inkWidth(const QFont &font, const QString &text)
{
    const qreal dpr = qApp->devicePixelRatio();
    QImage canvas(int(800 * dpr), int(200 * dpr), QImage::Format_RGB32);
    canvas.setDevicePixelRatio(dpr);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    p.setFont(font);
    p.setPen(Qt::black);
    p.setLayoutDirection(Qt::RightToLeft);
    p.drawText(QRect(0, 0, 800, 200), Qt::AlignCenter, text);
    p.end();
    const int device = boundsWhere(canvas.size(), [&](int x, int y) { return canvas.pixel(x, y) != qRgb(255, 255, 255); }).width();
    return int(std::floor(device / dpr));
}

} // namespace

void TestLayout::buttonEdgesAreWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    for (int j : {0, 6, 10, 27})
        QTest::addRow("hr(%d)", j) << QStringLiteral("hr") << j;
    for (int k : {0, 13, 27})
        QTest::addRow("hro(%d)", k) << QStringLiteral("hro") << k;
}

// On the screen, at whatever scale the desktop uses (ctest runs this at 1,
// 1.25, 1.5 and 2): every button's black outline is there on all four
// sides, and no light seam lies outside it.
void TestLayout::buttonEdgesAreWhole()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    FormFixture f;
    f.form->show();
    auto *button = f.form->controls().get<PictureButton>(name, index);
    button->show();
    const QImage window = f.form->grab().toImage();
    const qreal dpr = window.devicePixelRatio();
    const QRectF logical = button->geometry();
    // The device pixels the button covers: those whose centres lie in it.
    const int left = int(std::ceil(logical.left() * dpr - 0.5));
    const int top = int(std::ceil(logical.top() * dpr - 0.5));
    const int right = int(std::ceil((logical.left() + logical.width()) * dpr - 0.5)) - 1;
    const int bottom = int(std::ceil((logical.top() + logical.height()) * dpr - 0.5)) - 1;
    const auto black = [&](int x, int y) { return qGray(window.pixel(x, y)) < 40; };
    const auto light = [&](int x, int y) { return qGray(window.pixel(x, y)) > 200; };
    const QString where = QStringLiteral("%1(%2) at %3,%4..%5,%6, scale %7")
                              .arg(name).arg(index).arg(left).arg(top).arg(right).arg(bottom).arg(dpr);
    for (int y = top; y <= bottom; ++y) {
        QVERIFY2(black(left, y) && black(right, y), qPrintable(where + QStringLiteral(", row %1").arg(y)));
        QVERIFY2(!light(left - 1, y) && !light(right + 1, y), qPrintable(where + QStringLiteral(", row %1").arg(y)));
    }
    for (int x = left; x <= right; ++x) {
        QVERIFY2(black(x, top) && black(x, bottom), qPrintable(where + QStringLiteral(", column %1").arg(x)));
        QVERIFY2(!light(x, top - 1) && !light(x, bottom + 1), qPrintable(where + QStringLiteral(", column %1").arg(x)));
    }
}

void TestLayout::textsLieInsideTheirControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index"); // a list's entry, or a control array's Index
    for (const char *label : {"La", "Label1", "Label4", "Label9"})
        QTest::newRow(label) << QString::fromLatin1(label) << -1;
    // The question number: its index is the number written.
    for (int number : {0, 28, 107, 999})
        QTest::addRow("qno %d", number) << QStringLiteral("qno") << number;
    for (int entry : {0, 1}) {
        QTest::addRow("Co1 entry %d", entry) << QStringLiteral("Co1") << entry;
        QTest::addRow("Co2 entry %d", entry) << QStringLiteral("Co2") << entry;
    }
    QTest::addRow("Co2 entry 2 (practice)") << QStringLiteral("Co2") << 2;
    for (int k = 0; k < 28; ++k)
        QTest::addRow("imac(%d)", k) << QStringLiteral("imac") << k;
}

// Every caption and list entry is drawn whole, inside its control, with at
// least a pixel to spare; labels stay where their design puts them.
void TestLayout::textsLieInsideTheirControls()
{
    QFETCH(QString, control);
    QFETCH(int, index);
    FormFixture f;
    f.form->show();
    QString text;
    QImage with, without;
    QFont drawnIn;
    QWidget *widget = nullptr;
    if (control.startsWith(QLatin1String("Co"))) {
        ChoiceList *list = f.list(qPrintable(control));
        f.pick(qPrintable(control), index);
        widget = list;
        text = list->itemText(index);
        with = list->grab().toImage();
        drawnIn = list->entryFont();
        list->setItemText(index, QString());
        without = list->grab().toImage();
    } else if (control == QLatin1String("qno")) {
        auto *box = f.form->controls().get<QLineEdit>(control);
        box->setText(QString::number(index));
        widget = box;
        text = box->text();
        with = box->grab().toImage();
        drawnIn = box->font(); // smaller for more digits
        box->setText(QString());
        without = box->grab().toImage();
    } else {
        auto *label = f.form->controls().get<QLabel>(control, index);
        QVERIFY(label);
        if (control == QLatin1String("imac")) {
            label->setText(QStringLiteral("12"));
            label->adjustSize();
        }
        widget = label;
        text = label->text();
        with = label->grab().toImage();
        label->setText(QString());
        without = label->grab().toImage();
    }
    const QRect ink = inkBetween(with, without);
    const QString where = QStringLiteral("\"%1\": ink %2,%3 %4x%5 in %6x%7")
                              .arg(text).arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())
                              .arg(widget->width()).arg(widget->height());
    QVERIFY2(!ink.isEmpty(), qPrintable(where));
    QVERIFY2(widget->rect().adjusted(1, 1, -1, -1).contains(ink), qPrintable(where));
    // Drawn whole: as wide as the text's ink drawn freely, not cut by the
    // control.
    const int whole = inkWidth(drawnIn.family().isEmpty() ? widget->font() : drawnIn, text);
    QVERIFY2(ink.width() >= whole - 2, qPrintable(where + QStringLiteral(", whole %1").arg(whole)));
    // A list's entry is flush right, clear of the arrow on the left.
    if (qobject_cast<ChoiceList *>(widget))
        QVERIFY2(ink.right() >= widget->width() - 14 && ink.left() > 18, qPrintable(where));

    // At its own size (not made smaller to fit a small screen, as the runs
    // on small screens have it), every label where its design puts it.
    const QSize own(twipsToPixels(form1Design().clientWidth), twipsToPixels(form1Design().clientHeight));
    if (qobject_cast<QLabel *>(widget) && f.form->size() == own) {
        for (const ControlDesign &d : form1Design().controls) {
            if (QString::fromLatin1(d.name) == control && d.index == index) {
                QVERIFY2(std::abs(widget->y() - twipsToPixels(d.top)) <= 2,
                         qPrintable(QStringLiteral("top %1, designed %2").arg(widget->y()).arg(twipsToPixels(d.top))));
            }
        }
    }
}

void TestLayout::labelsKeepClearOfTheirLists_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("control"); // on the label's left
    QTest::addColumn<QString>("frame");   // around both
    QTest::addColumn<int>("frameIndex");
    QTest::newRow("order") << "La" << "Co1" << "Shape1" << 1;
    QTest::newRow("question kind") << "Label1" << "Co2" << "Shape1" << 1;
    QTest::newRow("question number") << "Label4" << "qno" << "Shape3" << 0;
}

// A caption wider in the font at hand than in the design keeps clear of
// its control, and of the frame around them.
void TestLayout::labelsKeepClearOfTheirLists()
{
    QFETCH(QString, label);
    QFETCH(QString, control);
    QFETCH(QString, frame);
    QFETCH(int, frameIndex);
    FormFixture f;
    f.form->show();
    auto *caption = f.form->controls().get<QLabel>(label);
    const QWidget *around = f.form->controls().get<QWidget>(frame, frameIndex);
    QVERIFY(around);
    QWidget *beside = f.form->controls().get<QWidget>(control);
    QImage with = caption->grab().toImage();
    const QString text = caption->text();
    caption->setText(QString());
    const QImage without = caption->grab().toImage();
    caption->setText(text);
    const QRect ink = inkBetween(with, without).translated(caption->pos());
    QVERIFY2(ink.left() - (beside->x() + beside->width()) >= 4,
             qPrintable(QStringLiteral("the caption's ink from %1, the control to %2").arg(ink.left()).arg(beside->x() + beside->width())));
    // The frames' borders are 3 pixels wide.
    QVERIFY2(around->geometry().right() - 3 - ink.right() >= 4,
             qPrintable(QStringLiteral("the caption's ink to %1, the frame's border from %2").arg(ink.right()).arg(around->geometry().right() - 2)));
}

void TestLayout::wrongTryCountsReadOverTheMarks_data()
{
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("count");
    QTest::newRow("over the tick") << true << "7";
    QTest::newRow("over the cross") << false << "10";
}

// The count of wrong tries lies over the letter's mark in the results
// panel: its figures are ringed in white, so that the mark's strokes do not
// mingle with them.
void TestLayout::wrongTryCountsReadOverTheMarks()
{
    QFETCH(bool, right);
    QFETCH(QString, count);
    FormFixture f;
    f.form->show();
    const int k = 13;
    PictureImage *mark = f.Ima(k);
    mark->setPicture(QPixmap(QString::fromLatin1(right ? kPanelTickPicture : kPanelCrossPicture)));
    mark->show();
    ClickLabel *label = f.imac(k);
    label->setText(count);
    label->adjustSize();
    label->show();
    QVERIFY(mark->geometry().intersects(label->geometry()));
    // The count alone, drawn on nothing.
    QImage figures(label->size(), QImage::Format_ARGB32);
    figures.fill(Qt::transparent);
    label->render(&figures, QPoint(), QRegion(), QWidget::DrawChildren);
    const auto isFigure = [&figures](int x, int y) {
        const QColor c = figures.pixelColor(x, y);
        return c.alpha() > 200 && c.red() > 150 && c.green() < 100 && c.blue() < 100;
    };
    // Every pixel beside a figure's is covered by the count itself (its
    // white ring): nothing under the count touches its strokes.
    int inked = 0;
    int touching = 0;
    for (int y = 1; y < figures.height() - 1; ++y) {
        for (int x = 1; x < figures.width() - 1; ++x) {
            if (!isFigure(x, y))
                continue;
            ++inked;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (isFigure(x + dx, y + dy))
                        continue;
                    touching += figures.pixelColor(x + dx, y + dy).alpha() < 250;
                }
            }
        }
    }
    QVERIFY(inked > 20);
    QVERIFY2(touching == 0, qPrintable(QStringLiteral("%1 pixels touch the figures").arg(touching)));
}

// The drop-down arrow grows with its list (full screen on a 4K screen
// makes the lists three times as high): it stays a list, not a label.
void TestLayout::listArrowsScaleWithTheList()
{
    FormFixture f;
    f.form->show();
    ChoiceList *list = f.list("Co2");
    const auto arrowHeight = [list] {
        const QImage face = list->grab().toImage();
        // The arrow's dark ink in the list's left quarter (the entry is
        // flush right).
        int top = face.height();
        int bottom = -1;
        for (int y = 2; y < face.height() - 2; ++y)
            for (int x = 2; x < face.width() / 4; ++x)
                if (qGray(face.pixel(x, y)) < 90) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return bottom - top + 1;
    };
    const int small = arrowHeight();
    QVERIFY(small >= 3);
    list->resize(list->width() * 3, list->height() * 3);
    QFont big = list->font();
    big.setPixelSize(big.pixelSize() * 3);
    list->setFont(big);
    QVERIFY2(arrowHeight() >= small * 5 / 2, qPrintable(QStringLiteral("%1 px, then %2 px").arg(small).arg(arrowHeight())));
}

// Both lists read as Arabic does, in the places of the design; the order
// list's label is spelt right.
void TestLayout::listsReadFromTheRight()
{
    FormFixture f;
    f.form->show();
    QCOMPARE(f.form->controls().get<ClickLabel>(QStringLiteral("La"))->text(), QStringLiteral("نوع الترتيب"));
    // Where the popup draws its second entry's text (the first is drawn
    // highlighted).
    const auto entryInk = [](ChoiceList *list) {
        list->showPopup();
        if (!QTest::qWaitForWindowExposed(list->view()->window()))
            return QRect();
        QWidget *viewport = list->view()->viewport();
        const QRect entry = list->view()->visualRect(list->model()->index(1, 0)).intersected(viewport->rect());
        const QImage popup = viewport->grab(entry).toImage();
        list->hidePopup();
        return boundsWhere(popup.size(), [&](int x, int y) { return qGray(popup.pixel(x, y)) < 128; });
    };
    for (const char *name : {"Co1", "Co2"}) {
        ChoiceList *list = f.list(name);
        const QRect place = list->geometry();
        QCOMPARE(list->layoutDirection(), Qt::RightToLeft);
        const QRect rightToLeft = entryInk(list);
        QCOMPARE(list->view()->layoutDirection(), Qt::RightToLeft);
        list->setLayoutDirection(Qt::LeftToRight);
        const QRect leftToRight = entryInk(list);
        list->setLayoutDirection(Qt::RightToLeft);
        QVERIFY2(!rightToLeft.isEmpty() && rightToLeft.left() > leftToRight.left() + 8,
                 qPrintable(QStringLiteral("%1: %2 against %3").arg(name).arg(rightToLeft.left()).arg(leftToRight.left())));
        QCOMPARE(list->geometry(), place);
    }
}

// The question-number box shows the number and takes nothing: no focus, no
// caret, no typing.
void TestLayout::questionNumberOnlyShows()
{
    FormFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    auto *box = f.form->controls().get<QLineEdit>(QStringLiteral("qno"));
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!box->hasFocus());
    QTest::keyClicks(f.form.get(), QStringLiteral("1234"));
    QTest::keyClicks(box, QStringLiteral("99"));
    QCOMPARE(box->text(), QStringLiteral("0"));
    QVERIFY(box->isReadOnly());
    f.pick("Co2", 1);
    QCOMPARE(box->text(), QStringLiteral("1"));
}

#include "tst_layout.moc"
