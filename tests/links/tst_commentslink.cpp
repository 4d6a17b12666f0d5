#include "links/commentslink.h"
#include "ui/widgets.h"

#include <QTest>

#include "support/fakes.h"

class TestCommentsLink : public QObject
{
    Q_OBJECT
private slots:
    void opensThePageOncePerClick();
    void contestGoesOn();
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

QTEST_MAIN(TestCommentsLink)
#include "tst_commentslink.moc"
