// The progress window over a small played history: the letters coloured by
// how often each was found on the first try, the letters known, the
// confusions in words, the practice plan, the days, the children, the empty
// state and the export.
#include "history/historydb.h"
#include "i18n/language.h"
#include "i18n/languagechoice.h"
#include "progress/progressviews.h"
#include "progress/progresswindow.h"
#include "ui/look.h"
#include "shell/letters.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QScrollBar>
#include <QToolTip>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTest>

#include "support/screen.h"
#include "support/texts.h"
#include "support/audiofixtures.h"

namespace {

// Noon on a Wednesday, local time.
const QDateTime kNow(QDate(2026, 12, 9), QTime(12, 0));

struct Played
{
    int daysAgo;
    int asked;
    int clicked;
    int wrongTries;
};

// A child's week: ب right at once, every time (not known yet: recalled
// after a day away once), ت confused with ب three times before it was
// found, ث missed at its first try today; and a month ago, ج missed at its
// first try.
const QList<Played> kWeek = {
    {0, 2, 2, 0}, {0, 2, 2, 0}, {0, 3, 2, 0}, {0, 3, 2, 1}, {0, 3, 3, 2}, {0, 4, 5, 0}, {0, 4, 4, 1},
    {2, 2, 2, 0}, {2, 3, 2, 0}, {2, 3, 3, 1},
    {30, 6, 7, 0}, {30, 6, 6, 1},
};

// Picks an entry as a parent does: the list's own signal follows.
void choose(QComboBox *list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void play(QSqlDatabase db, const QList<Played> &answers)
{
    for (const Played &p : answers) {
        Answer a;
        a.time = kNow.addDays(-p.daysAgo).toUTC();
        a.asked = p.asked;
        a.clicked = p.clicked;
        a.right = p.asked == p.clicked;
        a.wrongTries = p.wrongTries;
        a.seconds = 2;
        QVERIFY(history::add(db, a).isEmpty());
    }
}

} // namespace

class TestProgress : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void emptyHistoryIsFriendly();
    void periods_data();
    void periods();
    void lettersColouredByFirstTries();
    void confusionsInWords();
    void practicePlanInWords_data();
    void practicePlanInWords();
    void theReportAndThePlanAgreeOnKnown();
    void aPauseStillShowsThePlan();
    void fullScreenIsKept();
    void aDayWithoutPlayIsZeroNotBridged();
    void childrenAreNamedAndChosen();
    void viewingIsNotPlaying();
    void confusionMapNamesWhatItShows();
    void fitsTheScreen_data();
    void fitsTheScreen();
    void exportFromTheWindow();
    void aBrokenHistoryIsSaid_data();
    void aBrokenHistoryIsSaid();
    void timesInWords_data();
    void timesInWords();
    void chartFollowsTheReadingDirection_data();
    void chartFollowsTheReadingDirection();
    void chartDatesInTheLocalesOrder_data();
    void chartDatesInTheLocalesOrder();

private:
    std::unique_ptr<ProgressWindow> window(const QString &path = {});
    QSqlDatabase db() const { return QSqlDatabase::database("played"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_exportTo;
};

void TestProgress::initTestCase()
{
    // As an Arabic desktop has it: the first child's name, and every text.
    i18n::useLanguage(QStringLiteral("ar"));
}

void TestProgress::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath("history.sqlite");
    QVERIFY(history::open(m_path, "played").ok());
}

void TestProgress::cleanup()
{
    history::close("played");
}

std::unique_ptr<ProgressWindow> TestProgress::window(const QString &path)
{
    return std::make_unique<ProgressWindow>(
        ProgressServices{path.isEmpty() ? m_path : path, [] { return kNow; }, [this] { return m_exportTo; }});
}

void TestProgress::emptyHistoryIsFriendly()
{
    auto w = window();
    QVERIFY(w->showsEmptyState());
    QVERIFY(w->chartDays().isEmpty());
    QVERIFY(w->message().isEmpty());
    QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
    // A parent's first visit: the language and the full screen are there to
    // choose before any report, and go back beside the report once there is
    // one.
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QVERIFY(w->languageChoice()->isVisible());
    QVERIFY(w->fullScreenBox()->isVisible());
    QVERIFY(textsNotWhole(w.get()).isEmpty());
    play(db(), kWeek);
    w->refresh();
    QVERIFY(!w->showsEmptyState());
    auto *pages = w->findChild<QTabWidget *>();
    QCOMPARE(pages->tabText(pages->count() - 1), QStringLiteral("الإعدادات"));
    pages->setCurrentIndex(pages->count() - 1);
    QVERIFY(w->languageChoice()->isVisible());
    QVERIFY(w->fullScreenBox()->isVisible());
}

void TestProgress::periods_data()
{
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("days"); // on the chart
    // Every day of the period, played or not.
    QTest::newRow("today") << int(ProgressWindow::Period::Today) << 1;
    QTest::newRow("7 days") << int(ProgressWindow::Period::Week) << 7;
    QTest::newRow("all, from the first day played") << int(ProgressWindow::Period::All) << 31;
}

void TestProgress::periods()
{
    QFETCH(int, period);
    QFETCH(int, days);
    play(db(), kWeek);
    auto w = window();
    w->periodList()->setCurrentIndex(period);
    QVERIFY(!w->showsEmptyState());
    QCOMPARE(w->chartDays().size(), days);
    QCOMPARE(w->chartDays().last().date, kNow.date());
}

void TestProgress::aDayWithoutPlayIsZeroNotBridged()
{
    play(db(), kWeek);
    auto w = window();
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::Week));
    const QList<ChartDay> &days = w->chartDays();
    // Played two days ago and today; yesterday, nothing.
    QCOMPARE(days[4].answers, 3);
    QCOMPARE(days[5].answers, 0);
    QCOMPARE(days[6].answers, 7);
    QCOMPARE(w->shareSegments(), (QList<QList<int>>{{4}, {6}}));
    // Today in numbers: 7 answers, of 4 first tries 2 right.
    QCOMPARE(w->todayText(), QStringLiteral("اليوم: 7 إجابات، الصحيح منها من أول مرة 50٪."));
    // The days run right to left: today is the leftmost category.
    auto *axis = qobject_cast<QBarCategoryAxis *>(w->chartView()->chart()->axes(Qt::Horizontal).value(0));
    QVERIFY(axis);
    QCOMPARE(axis->categories().first(), kNow.date().toString("d/M"));
    QCOMPARE(axis->categories().last(), kNow.date().addDays(-6).toString("d/M"));
    // The count's axis on the right.
    const QList<QAbstractAxis *> right = w->chartView()->chart()->axes(Qt::Vertical);
    QCOMPARE(right.size(), 2);
    QCOMPARE(right[0]->alignment(), Qt::AlignRight);
}

void TestProgress::lettersColouredByFirstTries()
{
    play(db(), kWeek);
    auto w = window();
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::Week));
    // ب right at once every time: green; ت and ث never: red; أ never
    // asked: grey.
    QCOMPARE(w->letterMap()->colourOf(1), shareColour(1.0));
    QVERIFY(!w->letterMap()->marksKnown(1));
    QCOMPARE(w->letterMap()->colourOf(2), shareColour(0.0));
    QCOMPARE(w->letterMap()->colourOf(3), shareColour(0.0));
    QCOMPARE(w->letterMap()->colourOf(0).hsvSaturation(), 0);
    QCOMPARE(shareColour(1.0).hsvHue(), 120);
    QCOMPARE(shareColour(0.5).hsvHue(), 60);
    QCOMPARE(shareColour(0.0).hsvHue(), 0);
    // The month-old answers of ج count only over all time.
    QCOMPARE(w->letterMap()->colourOf(5).hsvSaturation(), 0);
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::All));
    QCOMPARE(w->letterMap()->colourOf(5), shareColour(0.0));
}

void TestProgress::confusionsInWords()
{
    play(db(), kWeek);
    auto w = window();
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::Week));
    const QStringList lines = w->confusionText().split('\n');
    QCOMPARE(lines.value(0), QStringLiteral("ضغط «ب» بدل «ت»: 3 مرات"));
    QCOMPARE(lines.value(1), QStringLiteral("ضغط «ج» بدل «ث»: مرة واحدة"));
    QCOMPARE(lines.size(), 2);
}

namespace {

// A letter as the plan sets it among Latin words: isolated, so that the
// punctuation after it stays on its side, with a narrow space either side.
QString amongLatin(const char *letter)
{
    return QStringLiteral("\u202f\u2068") + QString::fromUtf8(letter) + QStringLiteral("\u2069\u202f");
}

} // namespace

// What practice will do for the child, and why, in headings and lines: the
// letters confused said as which was clicked for which, in the language's
// own quotes; the order of new letters is kept for that child.
void TestProgress::practicePlanInWords_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("plan");
    QTest::addColumn<QString>("nextInAlphabeticalOrder");
    // ك recalled in the contest on later days, last a week ago: known, and
    // due again; today أ right, and ي clicked once when ن was asked.
    QTest::newRow("ar") << "ar"
                        << QStringList{
                               "يتعلّمها الآن",
                               "ن، ي: ضغط «ي» حين طُلب «ن»، مرة واحدة هذا الأسبوع",
                               "أ: أصابه من أول مرة في آخر سؤال عنه",
                               "للمراجعة اليوم",
                               "ك: آخر سؤال قبل 7 أيام",
                               "حروف يعرفها ضعف تذكّره لها: يسأل عنها التمرين أولًا.",
                               "الحرف الجديد القادم",
                               "ت: يأتي حين لا يحين وقت سؤال حرف آخر، ويكون الطفل قد أصاب من أول مرة في أسئلته الأخيرة",
                               "الحروف التي يعرفها: 1 من 28",
                               "ك",
                               "يُعدّ الحرف معروفًا حين يجده الطفل من أول مرة بعد غياب يوم أو أكثر، مرتين، دون خطأ "
                               "بعدهما؛ والخطأ فيه يعيده إلى الحروف التي يتعلّمها.",
                           }
                        << "ب: يأتي حين لا يحين وقت سؤال حرف آخر، ويكون الطفل قد أصاب من أول مرة في أسئلته الأخيرة";
    const QString n = amongLatin("ن"), y = amongLatin("ي"), a = amongLatin("أ"), k = amongLatin("ك");
    QTest::newRow("en") << "en"
                        << QStringList{
                               "Learning now",
                               n + ", " + y + ": clicked “" + y + "” when “" + n + "” was asked, once this week",
                               a + ": right on the first try the last time it was asked",
                               "To review today",
                               k + ": last asked 7 days ago",
                               "Known letters whose memory has faded: practice asks them first.",
                               "Next new letter",
                               amongLatin("ت")
                                   + ": comes when no letter is due to be asked again and the child has been right "
                                     "on the first try lately",
                               "Known letters: 1 of 28",
                               k,
                               "A letter is known once the child found it on the first try after a day or more "
                               "away, twice, with no miss since; a miss puts it back among the letters being learnt.",
                           }
                        << amongLatin("ب")
                               + ": comes when no letter is due to be asked again and the child has been right on "
                                 "the first try lately";
    // The plan as text has plain spaces for the no-break ones.
    QTest::newRow("fr") << "fr"
                        << QStringList{
                               "En cours d’apprentissage",
                               n + ", " + y + " : a cliqué sur « " + y + " » quand « " + n
                                   + " » était demandée, une fois cette semaine",
                               a + " : trouvée du premier coup la dernière fois qu’elle a été demandée",
                               "À revoir aujourd’hui",
                               k + " : dernière question il y a 7 jours",
                               "Des lettres connues dont le souvenir s’estompe : l’entraînement les demande d’abord.",
                               "Prochaine nouvelle lettre",
                               amongLatin("ت")
                                   + " : arrive quand aucune lettre n’est à redemander et que l’enfant a trouvé du "
                                     "premier coup ces derniers temps",
                               "Lettres connues : 1 sur 28",
                               k,
                               "Une lettre est connue quand l’enfant l’a trouvée du premier coup après au moins un "
                               "jour d’absence, deux fois, sans erreur depuis ; une erreur la remet parmi les "
                               "lettres en cours d’apprentissage.",
                           }
                        << amongLatin("ب")
                               + " : arrive quand aucune lettre n’est à redemander et que l’enfant a trouvé du "
                                 "premier coup ces derniers temps";
}

void TestProgress::practicePlanInWords()
{
    QFETCH(QString, language);
    QFETCH(QStringList, plan);
    QFETCH(QString, nextInAlphabeticalOrder);
    i18n::useLanguage(language);
    const auto arabicAgain = qScopeGuard([] { i18n::useLanguage(QStringLiteral("ar")); });
    const auto practised = [this](int daysAgo, int asked, int clicked, int wrongTries) {
        Answer a;
        a.time = kNow.addDays(-daysAgo).addSecs(-3600).toUTC();
        a.asked = asked;
        a.clicked = clicked;
        a.right = asked == clicked;
        a.wrongTries = wrongTries;
        a.mode = Answer::Mode::Practice;
        QVERIFY(history::add(db(), a).isEmpty());
    };
    const auto contest = [this](int daysAgo, int letter) {
        Answer a;
        a.time = kNow.addDays(-daysAgo).addSecs(-3600).toUTC();
        a.asked = a.clicked = letter;
        a.right = true;
        QVERIFY(history::add(db(), a).isEmpty());
    };
    for (int daysAgo : {12, 11, 9, 7})
        contest(daysAgo, 22);
    practised(0, 1, 1, 0);
    practised(0, 1, 1, 0);
    practised(0, 25, 28, 0);
    practised(0, 25, 25, 1);
    practised(0, 28, 28, 0);
    auto w = window();
    QCOMPARE(w->planText().split('\n'), plan);
    // The letters, and only they, large enough for their dots.
    QTextDocument shown;
    shown.setDefaultFont(w->planLabel()->font());
    shown.setHtml(w->planLabel()->text());
    QStringList large;
    for (QTextBlock block = shown.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QFont font = it.fragment().charFormat().font();
            if (std::max(font.pixelSize(), qRound(font.pointSizeF() * 96 / 72)) >= 24)
                large << it.fragment().text().remove(QChar(0x2068)).remove(QChar(0x2069));
        }
    }
    QCOMPARE(large, (QStringList{"ن", "ي", "ي", "ن", "أ", "ك", "ت", "ك"}));

    QCOMPARE(w->newLettersList()->currentIndex(), 0);
    choose(w->newLettersList(), 1);
    QCOMPARE(w->planText().split('\n').value(7), nextInAlphabeticalOrder);
    QVERIFY(history::alphabeticalNewLetters(db(), history::kDefaultChild));
    QCOMPARE(window()->newLettersList()->currentIndex(), 1);
}

// Right at the first try every time today is not known: known is
// practice's word (recalled after a day away, twice), and the report uses it
// for those letters alone, as the plan does.
void TestProgress::theReportAndThePlanAgreeOnKnown()
{
    const auto answer = [this](int daysAgo, int letter, Answer::Mode mode) {
        Answer a;
        a.time = kNow.addDays(-daysAgo).addSecs(-3600).toUTC();
        a.asked = a.clicked = letter;
        a.right = true;
        a.mode = mode;
        QVERIFY(history::add(db(), a).isEmpty());
    };
    // ك recalled on later days, last a week ago; ب met today, right at once
    // each time.
    for (int daysAgo : {12, 11, 9, 7})
        answer(daysAgo, 22, Answer::Mode::Contest);
    for (int i = 0; i < 3; ++i)
        answer(0, 2, Answer::Mode::Practice);
    auto w = window();
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::Today));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const LetterMap *map = w->letterMap();
    QCOMPARE(map->colourOf(1), shareColour(1.0));
    QVERIFY(!map->marksKnown(1));
    QCOMPARE(map->toolTipOf(1).split('\n').value(1),
             QStringLiteral("لم يعرفه بعد: يعرفه حين يجده من أول مرة بعد غياب يوم أو أكثر، مرتين"));
    // Known, though not asked in the period.
    QCOMPARE(map->colourOf(21).hsvSaturation(), 0);
    QVERIFY(map->marksKnown(21));
    QCOMPARE(map->toolTipOf(21),
             QStringLiteral("لم يُسأل عنه في هذه المدة\nيعرفه: وجده من أول مرة بعد غياب يوم أو أكثر، مرتين"));
    int marked = 0;
    for (int k = 0; k < 28; ++k)
        marked += map->marksKnown(k);
    QCOMPARE(marked, 1);
    // Nothing else of the report says "knows": the colours have words of
    // their own.
    QStringList knows;
    for (const QLabel *label : w->findChildren<QLabel *>()) {
        if (label->isVisible() && label->text().contains(QStringLiteral("يعرف")) && label != w->planLabel())
            knows << label->text();
    }
    QVERIFY2(knows == QStringList{QStringLiteral("يعرفه")}, qPrintable(knows.join(" | ")));
    // Hovering a letter shows what it says.
    const QRect cell = map->cellOf(1);
    QHelpEvent hover(QEvent::ToolTip, cell.center(), map->mapToGlobal(cell.center()));
    QApplication::sendEvent(const_cast<LetterMap *>(map), &hover);
    QCOMPARE(QToolTip::text(), map->toolTipOf(1));
    // The plan: ب being learnt, not the next letter, and ك the one known.
    const QStringList plan = w->planText().split('\n');
    const qsizetype learning = plan.indexOf(QStringLiteral("يتعلّمها الآن"));
    const qsizetype review = plan.indexOf(QStringLiteral("للمراجعة اليوم"));
    QVERIFY(learning >= 0 && review > learning);
    QVERIFY2(plan.mid(learning, review - learning).filter(QRegularExpression(QStringLiteral("^ب: "))).size() == 1,
             qPrintable(plan.join('\n')));
    QVERIFY(!plan.value(plan.indexOf(QStringLiteral("الحرف الجديد القادم")) + 1).startsWith(QStringLiteral("ب")));
    QCOMPARE(plan.value(plan.indexOf(QStringLiteral("الحروف التي يعرفها: 1 من 28")) + 1), QStringLiteral("ك"));
}

// Nothing played this week: the week's report is empty, not missing, and
// the plan says what is due after the pause.
void TestProgress::aPauseStillShowsThePlan()
{
    play(db(), {{25, 2, 2, 0}, {25, 2, 2, 0}, {24, 2, 2, 0}, {22, 2, 2, 0}, {20, 2, 2, 0}, {20, 3, 3, 0}});
    auto w = window();
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::Week));
    QVERIFY(!w->showsEmptyState());
    QCOMPARE(w->chartDays().size(), 7);
    QCOMPARE(w->todayText(), QStringLiteral("اليوم: لم يلعب بعد."));
    const QStringList plan = w->planText().split('\n');
    QCOMPARE(plan.value(plan.indexOf(QStringLiteral("للمراجعة اليوم")) + 1), QStringLiteral("ب: آخر سؤال قبل 20 يومًا"));
}

// A grown-up's choice that the child's window open full screen, kept for
// the program's next start.
void TestProgress::fullScreenIsKept()
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QVERIFY(!keptFullScreen());
    {
        auto w = window();
        QVERIFY(!w->fullScreenBox()->isChecked());
        QVERIFY(w->fullScreenBox()->toolTip().contains(QStringLiteral("Ctrl+Shift+Q")));
        w->fullScreenBox()->click();
    }
    QVERIFY(keptFullScreen());
    QVERIFY(window()->fullScreenBox()->isChecked());
    window()->fullScreenBox()->click();
    QVERIFY(!keptFullScreen());
    qunsetenv("XDG_CONFIG_HOME");
}

void TestProgress::childrenAreNamedAndChosen()
{
    play(db(), kWeek);
    {
        auto w = window();
        QCOMPARE(w->playerList()->count(), 1);
        w->newChildName()->setText(QStringLiteral("سارة"));
        QTest::mouseClick(w->addChildButton(), Qt::LeftButton);
        // A child just named plays now, and is the one shown.
        QCOMPARE(w->playerList()->count(), 2);
        QCOMPARE(w->reportList()->count(), 2);
        QCOMPARE(w->playerList()->currentText(), QStringLiteral("سارة"));
        QCOMPARE(w->reportList()->currentText(), QStringLiteral("سارة"));
        QVERIFY(w->message().contains(QStringLiteral("سارة")));
        // Sara has not played yet.
        QVERIFY(w->showsEmptyState());
    }
    // The choice is kept: a new window, and the contest, find Sara.
    auto w = window();
    QCOMPARE(w->playerList()->currentText(), QStringLiteral("سارة"));
    QCOMPARE(history::children(db()).value(history::currentChild(db()) - 1).name, QStringLiteral("سارة"));
    // Back to the first child through the list of who plays.
    choose(w->playerList(), 0);
    QCOMPARE(history::currentChild(db()), history::kDefaultChild);
}

void TestProgress::viewingIsNotPlaying()
{
    play(db(), kWeek);
    const std::optional<int> sara = history::addChild(db(), QStringLiteral("سارة"));
    QVERIFY(sara && history::setCurrentChild(db(), *sara));
    auto w = window();
    // Sara plays, and her (empty) report is shown first.
    QCOMPARE(w->reportList()->currentText(), QStringLiteral("سارة"));
    QVERIFY(w->showsEmptyState());
    // Reading her brother's report leaves Sara playing.
    choose(w->reportList(), w->reportList()->findData(history::kDefaultChild));
    QVERIFY(!w->showsEmptyState());
    QCOMPARE(history::currentChild(db()), *sara);
    QCOMPARE(w->playerList()->currentText(), QStringLiteral("سارة"));
    // Choosing who plays leaves the report shown as it is.
    choose(w->playerList(), w->playerList()->findData(history::kDefaultChild));
    QCOMPARE(history::currentChild(db()), history::kDefaultChild);
    choose(w->playerList(), w->playerList()->findData(*sara));
    QCOMPARE(history::currentChild(db()), *sara);
    QCOMPARE(w->reportList()->currentData().toInt(), history::kDefaultChild);
    QVERIFY(!w->showsEmptyState());
}

void TestProgress::confusionMapNamesWhatItShows()
{
    play(db(), kWeek);
    auto w = window();
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::Week));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const ConfusionMap *map = w->confusionMap();
    // ت asked, ب clicked: three times.
    const QRect cell = map->cellOf(3, 2);
    QVERIFY(!cell.isEmpty());
    QHelpEvent hover(QEvent::ToolTip, cell.center(), map->mapToGlobal(cell.center()));
    QApplication::sendEvent(const_cast<ConfusionMap *>(map), &hover);
    QCOMPARE(QToolTip::text(), QStringLiteral("طُلب «ت» فضُغط «ب»: 3 مرات"));
    QCOMPARE(map->toolTipAt(QPoint(0, 0)), QString());
    // Only letters that took part: ت ث asked, ب ج clicked.
    QVERIFY(map->cellOf(1, 2).isEmpty());
    QVERIFY(!map->cellOf(4, 5).isEmpty());
    QVERIFY(map->cellOf(3, 4).isEmpty());
    // Its letters are the letter map's, large enough for their dots.
    QVERIFY(QFontInfo(mapLetterFont()).pixelSize() >= 24);
}

void TestProgress::exportFromTheWindow()
{
    play(db(), kWeek);
    auto w = window();
    m_exportTo = m_dir->filePath("export.csv");
    QTest::mouseClick(w->exportButton(), Qt::LeftButton);
    QFile f(m_exportTo);
    QVERIFY(f.open(QIODevice::ReadOnly));
    // A spreadsheet takes the byte-order mark for UTF-8, and shows the
    // children's Arabic names as they are.
    const QList<QByteArray> lines = f.readAll().split('\n');
    QCOMPARE(lines.value(0), QByteArray("\xEF\xBB\xBFtime,child,asked,clicked,right,wrong_tries,seconds,order,mode"));
    QVERIFY(lines.value(1).contains("طفلي"));
    QCOMPARE(lines.size(), kWeek.size() + 2); // and the last newline
    QVERIFY(w->message().contains(m_exportTo));
}

void TestProgress::aBrokenHistoryIsSaid_data()
{
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<QString>("said");
    QTest::addColumn<bool>("controls"); // children and export usable
    QTest::newRow("cannot be opened") << "blocked" << QStringLiteral("لا يمكن فتح سجل التعلّم") << false;
    QTest::newRow("corrupt") << "corrupt" << QStringLiteral("كان سجل التعلّم تالفًا") << true;
}

void TestProgress::aBrokenHistoryIsSaid()
{
    QFETCH(QString, trouble);
    QFETCH(QString, said);
    QFETCH(bool, controls);
    QString path = m_dir->filePath("other/history.sqlite");
    if (trouble == "blocked") {
        writeBytes(m_dir->filePath("blocked"), "x");
        path = m_dir->filePath("blocked/history.sqlite");
    } else {
        writeBytes(path, QByteArray(4096, 'x'));
    }
    auto w = window(path);
    QVERIFY2(w->message().contains(said), qPrintable(w->message()));
    QCOMPARE(w->exportButton()->isEnabled(), controls);
    QCOMPARE(w->playerList()->isEnabled(), controls);
    QCOMPARE(w->reportList()->isEnabled(), controls);
    QVERIFY(w->showsEmptyState());
}

void TestProgress::fitsTheScreen_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::newRow("ar") << "ar" << Qt::RightToLeft;
    QTest::newRow("en") << "en" << Qt::LeftToRight;
    QTest::newRow("fr") << "fr" << Qt::LeftToRight;
}

void TestProgress::fitsTheScreen()
{
    // Run on screens of several sizes and scales (see tests/CMakeLists.txt),
    // in every language: the window fits, reads its language's way, and
    // every text in it shows whole, on both pages beside the letters.
    QFETCH(QString, language);
    QFETCH(Qt::LayoutDirection, direction);
    i18n::useLanguage(language);
    const auto arabicAgain = qScopeGuard([] { i18n::useLanguage(QStringLiteral("ar")); });
    play(db(), kWeek);
    auto w = window();
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::Week));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->layoutDirection(), direction);
    // Under a window manager (see tests/support/desktop-session), the
    // window, its frame and all, inside the screen less its panel.
    const bool framed = QGuiApplication::platformName() == QLatin1String("xcb");
    if (framed)
        QTRY_VERIFY(w->frameGeometry() != w->geometry());
    QTest::qWait(framed ? 600 : 0);
    const QString outside = outsideTheFreeArea(*w);
    QVERIFY2(outside.isEmpty(), qPrintable(outside));
    // Never sideways: what the scroll area holds is never wider than it.
    QScrollArea *area = w->scrollArea();
    QVERIFY(!area->horizontalScrollBar()->isVisible());
    QVERIFY2(area->widget()->minimumSizeHint().width() <= area->viewport()->width(),
             qPrintable(QStringLiteral("%1 in %2").arg(area->widget()->minimumSizeHint().width()).arg(area->viewport()->width())));
    QCOMPARE(area->widget()->width(), area->viewport()->width());
    // A laptop's screen at its own scale shows all of it, panel and frame
    // or not.
    if (w->devicePixelRatio() == 1 && w->screen()->size().width() >= 1366)
        QVERIFY2(!area->verticalScrollBar()->isVisible(),
                 qPrintable(QStringLiteral("%1 to show in %2").arg(area->widget()->height()).arg(area->viewport()->height())));
    auto *pages = w->findChild<QTabWidget *>();
    for (int page = 0; page < pages->count(); ++page) {
        // Every tab's name in view, however narrow.
        QVERIFY(pages->tabBar()->rect().contains(pages->tabBar()->tabRect(page)));
        QVERIFY(pages->rect().contains(QRect(pages->tabBar()->pos(), pages->tabBar()->size())));
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        const QStringList cut = textsNotWhole(w.get());
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
    }
}

// A count said in Arabic: one and two in words of their own, the plural
// from 3 to 10, the singular from 11 (and again at 103: the last two digits
// count).
void TestProgress::timesInWords_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("words");
    QTest::newRow("1") << 1 << QStringLiteral("مرة واحدة");
    QTest::newRow("2") << 2 << QStringLiteral("مرتان");
    QTest::newRow("3") << 3 << QStringLiteral("3 مرات");
    QTest::newRow("10") << 10 << QStringLiteral("10 مرات");
    QTest::newRow("11") << 11 << QStringLiteral("11 مرة");
    QTest::newRow("99") << 99 << QStringLiteral("99 مرة");
    QTest::newRow("100") << 100 << QStringLiteral("100 مرة");
    QTest::newRow("102") << 102 << QStringLiteral("102 مرة");
    QTest::newRow("103") << 103 << QStringLiteral("103 مرات");
}

void TestProgress::timesInWords()
{
    QFETCH(int, n);
    QFETCH(QString, words);
    ConfusionMap map;
    map.setConfusions({{3, 2, n}});
    map.resize(map.sizeHint());
    QCOMPARE(map.toolTipAt(map.cellOf(3, 2).center()), QStringLiteral("طُلب «ت» فضُغط «ب»: ") + words);
}

// Time runs as the window reads: in Arabic today is the leftmost day and the
// count's axis stands on the right; in English today is the rightmost day
// and the count's axis on the left. The legend names the side either way.
void TestProgress::chartFollowsTheReadingDirection_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QStringList>("days");       // the categories, left to right
    QTest::addColumn<QList<qreal>>("answers");   // the bars, left to right
    QTest::addColumn<QList<qreal>>("shares");    // where the share's points stand
    QTest::addColumn<Qt::Alignment>("countAxis");
    QTest::addColumn<QString>("legend");
    QTest::newRow("Arabic") << "ar" << Qt::RightToLeft
                            << QStringList{"9/12", "8/12", "7/12", "6/12", "5/12", "4/12", "3/12"}
                            << QList<qreal>{7, 0, 3, 0, 0, 0, 0} << QList<qreal>{2, 0}
                            << Qt::Alignment(Qt::AlignRight) << QStringLiteral("عدد الإجابات (المحور الأيمن)");
    QTest::newRow("English") << "en" << Qt::LeftToRight
                             << QStringList{"12/3", "12/4", "12/5", "12/6", "12/7", "12/8", "12/9"}
                             << QList<qreal>{0, 0, 0, 0, 3, 0, 7} << QList<qreal>{4, 6}
                             << Qt::Alignment(Qt::AlignLeft) << QStringLiteral("Number of answers (left axis)");
}

void TestProgress::chartFollowsTheReadingDirection()
{
    QFETCH(QString, language);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QStringList, days);
    QFETCH(QList<qreal>, answers);
    QFETCH(QList<qreal>, shares);
    QFETCH(Qt::Alignment, countAxis);
    QFETCH(QString, legend);
    i18n::useLanguage(language);
    const auto arabicAgain = qScopeGuard([] { i18n::useLanguage(QStringLiteral("ar")); });
    play(db(), kWeek);
    auto w = window();
    QCOMPARE(w->layoutDirection(), direction);
    w->periodList()->setCurrentIndex(int(ProgressWindow::Period::Week));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QChart *chart = w->chartView()->chart();

    auto *axis = qobject_cast<QBarCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
    QVERIFY(axis);
    QCOMPARE(axis->categories(), days);
    auto *bars = qobject_cast<QBarSeries *>(chart->series().value(0));
    QVERIFY(bars);
    QList<qreal> drawn;
    for (int i = 0; i < bars->barSets().value(0)->count(); ++i)
        drawn << bars->barSets().value(0)->at(i);
    QCOMPARE(drawn, answers);
    // The categories listed are the days as seen, left to right.
    QVERIFY(chart->mapToPosition(QPointF(0, 0), bars).x() < chart->mapToPosition(QPointF(days.size() - 1, 0), bars).x());
    QList<qreal> points;
    for (QAbstractSeries *series : chart->series()) {
        if (auto *line = qobject_cast<QLineSeries *>(series))
            points << line->at(0).x();
    }
    QCOMPARE(points, shares);

    const QList<QAbstractAxis *> vertical = chart->axes(Qt::Vertical);
    QCOMPARE(vertical.size(), 2);
    QCOMPARE(vertical[0]->alignment(), countAxis);
    QCOMPARE(vertical[1]->alignment(), countAxis == Qt::AlignRight ? Qt::AlignLeft : Qt::AlignRight);
    bool said = false;
    for (const QLabel *label : w->findChildren<QLabel *>())
        said = said || label->text() == legend;
    QVERIFY2(said, qPrintable(legend));
}

void TestProgress::chartDatesInTheLocalesOrder_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("dayAndMonth");
    QTest::addColumn<QString>("withYear");
    QTest::newRow("English") << "en_US" << "M/d" << "M/d/yy";
    QTest::newRow("French") << "fr_FR" << "dd/MM" << "dd/MM/yy";
    // Without the right-to-left marks between the numbers.
    QTest::newRow("Arabic") << "ar" << "d/M" << "d/M/yy";
    QTest::newRow("German, its own separator") << "de_DE" << "dd.MM" << "dd.MM.yy";
    QTest::newRow("year first") << "ja_JP" << "MM/dd" << "yy/MM/dd";
    QTest::newRow("year first, spaced") << "ko_KR" << "M. d." << "yy. M. d.";
}

void TestProgress::chartDatesInTheLocalesOrder()
{
    QFETCH(QString, locale);
    QFETCH(QString, dayAndMonth);
    QFETCH(QString, withYear);
    QCOMPARE(chartDateFormat(QLocale(locale), false), dayAndMonth);
    QCOMPARE(chartDateFormat(QLocale(locale), true), withYear);
}

QTEST_MAIN(TestProgress)
#include "tst_progress.moc"
