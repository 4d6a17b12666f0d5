#include "links/commentslink.h"
#include "ui/widgets.h"

#include <QPointingDevice>
#include <QTest>

#include <memory>

#include "support/fakes.h"

class TestCommentsLink : public QObject
{
    Q_OBJECT
private slots:
    void opensThePageOncePerClick();
    void contestGoesOn();
    void opensNothingWhileLocked();
};

void TestCommentsLink::opensThePageOncePerClick()
{
    FormFixture f;
    f.form->show();
    auto *label = f.form->controls().get<ClickLabel>(QStringLiteral("Label9"));
    QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(label, Qt::LeftButton);
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(f.web.opened.size(), 2);
    const QUrl address = f.web.opened.first();
    QVERIFY(address.isValid());
    QCOMPARE(address.scheme(), QStringLiteral("https"));
    QCOMPARE(address.toString(), QString::fromLatin1(kCommentsAddress));
    QVERIFY(f.sound.played.isEmpty());
}

void TestCommentsLink::contestGoesOn()
{
    FormFixture f;
    f.form->show();
    f.pick("Co2", 1);
    f.form->ttx_Timer();
    const ContestState before = f.contest().state();
    const std::int16_t wrongTriesBefore = f.contest().wrongTries();
    const int remaining = f.form->ttx().remainingTime();
    f.form->Label9_Click();
    QVERIFY(f.form->ttx().isActive());
    QVERIFY(f.form->ttx().remainingTime() <= remaining);
    QCOMPARE(f.contest().state().quizPos, before.quizPos);
    QCOMPARE(f.contest().wrongTries(), wrongTriesBefore);
    QCOMPARE(f.web.opened.size(), 1);
}

void TestCommentsLink::opensNothingWhileLocked()
{
    // Full screen and locked, a browser would open over the child's window:
    // a click, a tap or the handler itself opens nothing until the lock ends.
    const std::unique_ptr<QPointingDevice> finger(QTest::createTouchDevice());
    FormFixture f;
    f.form->show();
    f.form->setFullScreen(true);
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    auto *label = f.form->controls().get<ClickLabel>(QStringLiteral("Label9"));
    QTest::mouseClick(label, Qt::LeftButton);
    const QPoint centre = label->mapTo(f.form.get(), label->rect().center());
    QTest::touchEvent(f.form.get(), finger.get()).press(0, centre);
    QTest::touchEvent(f.form.get(), finger.get()).release(0, centre);
    f.form->Label9_Click();
    QCoreApplication::processEvents();
    QVERIFY(f.web.opened.isEmpty());
    QVERIFY(f.sound.played.isEmpty());

    f.form->setFullScreen(false);
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(f.web.opened.size(), 1);
}

QTEST_MAIN(TestCommentsLink)
#include "tst_commentslink.moc"
