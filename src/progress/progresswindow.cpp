#include "progresswindow.h"

#include "history/exportfile.h"
#include "progress/progressviews.h"
#include "shell/letters.h"
#include "ui/look.h"
#include "ui/design.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

// A group with a title over its content.
QGroupBox *group(const QString &title, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    new QVBoxLayout(box);
    return box;
}

} // namespace

QString timesInArabic(int n)
{
    if (n == 1)
        return QStringLiteral("مرة واحدة");
    if (n == 2)
        return QStringLiteral("مرتان");
    if (n >= 3 && n <= 10)
        return QStringLiteral("%1 مرات").arg(n);
    return QStringLiteral("%1 مرة").arg(n);
}

ProgressWindow::ProgressWindow(ProgressServices services, QWidget *parent)
    : QWidget(parent)
    , m_services(std::move(services))
    , m_connection(history::uniqueConnection(QStringLiteral("progress")))
{
    setWindowTitle(QStringLiteral("ماذا تعلّم الطفل"));
    setWindowIcon(programIcon());
    setLayoutDirection(Qt::RightToLeft);
    setFont(designFont(FontDesign{"Arial", 11, false}));

    auto *outer = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *childLabel = new QLabel(QStringLiteral("الطفل:"), this);
    m_children = new QComboBox(this);
    m_children->setAccessibleName(QStringLiteral("الطفل الذي يلعب الآن"));
    m_children->setMinimumContentsLength(12);
    childLabel->setBuddy(m_children);
    m_newChild = new QLineEdit(this);
    m_newChild->setPlaceholderText(QStringLiteral("اسم طفل جديد"));
    m_newChild->setAccessibleName(QStringLiteral("اسم طفل جديد"));
    m_newChild->setMaxLength(60);
    m_add = new QPushButton(QStringLiteral("أضف"), this);
    m_add->setAccessibleName(QStringLiteral("أضف الطفل"));
    auto *periodLabel = new QLabel(QStringLiteral("المدة:"), this);
    m_period = new QComboBox(this);
    m_period->addItems({QStringLiteral("اليوم"), QStringLiteral("آخر 7 أيام"), QStringLiteral("كل الأوقات")});
    m_period->setCurrentIndex(int(Period::Week));
    m_period->setAccessibleName(QStringLiteral("المدة"));
    periodLabel->setBuddy(m_period);
    m_export = new QPushButton(QStringLiteral("صدّر الإجابات…"), this);
    m_export->setAccessibleName(QStringLiteral("صدّر كل الإجابات إلى ملف CSV"));
    top->addWidget(childLabel);
    top->addWidget(m_children);
    top->addWidget(m_newChild);
    top->addWidget(m_add);
    top->addSpacing(24);
    top->addWidget(periodLabel);
    top->addWidget(m_period);
    top->addStretch(1);
    top->addWidget(m_export);
    outer->addLayout(top);

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setAccessibleName(QStringLiteral("رسالة"));
    outer->addWidget(m_message);

    m_pages = new QStackedWidget(this);
    m_empty = new QLabel(m_pages);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    m_empty->setFont(designFont(FontDesign{"Arial", 16, true}));
    m_pages->addWidget(m_empty);

    auto *scroll = new QScrollArea(m_pages);
    scroll->setWidgetResizable(true);
    auto *content = new QWidget(scroll);
    auto *grid = new QGridLayout(content);
    QGroupBox *letters = group(QStringLiteral("الحروف: الإجابة الصحيحة من أول مرة"), content);
    m_letters = new LetterMap(letters);
    letters->layout()->addWidget(m_letters);
    auto *legend = new QLabel(QStringLiteral("أخضر: يعرفه  ·  أصفر: أحيانًا  ·  أحمر: لم يعرفه بعد  ·  رمادي: لم يُسأل عنه"), letters);
    legend->setWordWrap(true);
    letters->layout()->addWidget(legend);
    QGroupBox *confusion = group(QStringLiteral("الحروف التي يخلط بينها"), content);
    m_confusionText = new QLabel(confusion);
    m_confusionText->setWordWrap(true);
    m_confusionText->setAccessibleName(QStringLiteral("أكثر الحروف خلطًا"));
    confusion->layout()->addWidget(m_confusionText);
    m_confusion = new ConfusionMap(confusion);
    confusion->layout()->addWidget(m_confusion);
    QGroupBox *daily = group(QStringLiteral("كل يوم: عدد الإجابات، ونسبة الصحيح من أول مرة"), content);
    m_chart = new QChartView(daily);
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(260);
    m_chart->setAccessibleName(QStringLiteral("الإجابات كل يوم"));
    daily->layout()->addWidget(m_chart);
    grid->addWidget(letters, 0, 0);
    grid->addWidget(confusion, 0, 1, 2, 1);
    grid->addWidget(daily, 1, 0);
    scroll->setWidget(content);
    m_pages->addWidget(scroll);
    outer->addWidget(m_pages, 1);

    const history::Opened opened = history::open(m_services.historyPath, m_connection);
    m_open = opened.ok();
    if (!m_open) {
        m_message->setText(QStringLiteral("لا يمكن فتح سجل التعلّم، فالإجابات لا تُحفظ الآن: %1").arg(opened.error));
    } else {
        if (!opened.movedAside.isEmpty())
            m_message->setText(QStringLiteral("كان سجل التعلّم تالفًا، فحُفظ جانبًا باسم %1 وبدأ سجل جديد.").arg(opened.movedAside));
        // Answers are kept only where the history can be written.
        if (!history::setCurrentChild(db(), history::currentChild(db())))
            m_message->setText(QStringLiteral("لا يمكن الكتابة في سجل التعلّم، فالإجابات الجديدة لا تُحفظ."));
    }
    for (QWidget *w : std::initializer_list<QWidget *>{m_children, m_newChild, m_add, m_export})
        w->setEnabled(m_open);

    fillChildren();
    connect(m_children, &QComboBox::activated, this, &ProgressWindow::childChosen);
    connect(m_period, &QComboBox::currentIndexChanged, this, &ProgressWindow::refresh);
    connect(m_add, &QPushButton::clicked, this, &ProgressWindow::addChild);
    connect(m_newChild, &QLineEdit::returnPressed, this, &ProgressWindow::addChild);
    connect(m_export, &QPushButton::clicked, this, &ProgressWindow::exportHistory);
    refresh();
    resize(sizeHint().expandedTo(QSize(1060, 760)));
}

ProgressWindow::~ProgressWindow()
{
    history::close(m_connection);
}

QSqlDatabase ProgressWindow::db() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool ProgressWindow::showsEmptyState() const
{
    return m_pages->currentWidget() == m_empty;
}

QString ProgressWindow::message() const
{
    return m_message->text();
}

QString ProgressWindow::confusionText() const
{
    return m_confusionText->text();
}

void ProgressWindow::fillChildren()
{
    m_children->clear();
    if (!m_open)
        return;
    const int current = history::currentChild(db());
    for (const history::Child &child : history::children(db())) {
        m_children->addItem(child.name, child.id);
        if (child.id == current)
            m_children->setCurrentIndex(m_children->count() - 1);
    }
}

void ProgressWindow::addChild()
{
    const std::optional<int> id = history::addChild(db(), m_newChild->text());
    if (!id)
        return;
    m_newChild->clear();
    history::setCurrentChild(db(), *id);
    fillChildren();
    refresh();
}

void ProgressWindow::childChosen(int index)
{
    // The choice is kept: the contest's answers go to this child from now.
    if (!history::setCurrentChild(db(), m_children->itemData(index).toInt()))
        m_message->setText(QStringLiteral("لا يمكن حفظ اختيار الطفل."));
    refresh();
}

history::Period ProgressWindow::period() const
{
    const QDateTime now = m_services.now ? m_services.now() : QDateTime::currentDateTime();
    const QDate today = now.toLocalTime().date();
    switch (Period(m_period->currentIndex())) {
    case Period::Today:
        return {today.startOfDay()};
    case Period::Week:
        return {today.addDays(-6).startOfDay()};
    case Period::All:
        break;
    }
    return {};
}

void ProgressWindow::refresh()
{
    const int child = m_children->currentData().isValid() ? m_children->currentData().toInt() : history::kDefaultChild;
    const QString name = m_children->currentText().isEmpty() ? QStringLiteral("الطفل") : m_children->currentText();
    const history::Period p = period();
    if (!m_open || history::answerCount(db(), child, p) == 0) {
        m_empty->setText(m_open ? QStringLiteral("لم يجب %1 في مسابقة الحروف في هذه المدة بعد.\n"
                                                 "حين يلعب المسابقة تظهر هنا الحروف التي يعرفها، والحروف التي يخلط بينها.")
                                      .arg(name)
                                : QStringLiteral("لا يمكن قراءة سجل التعلّم."));
        m_pages->setCurrentWidget(m_empty);
        m_chartDays = 0;
        return;
    }
    m_pages->setCurrentIndex(1);
    m_letters->setScores(history::letterScores(db(), child, p));
    const QList<history::Confusion> confusions = history::confusions(db(), child, p);
    m_confusion->setConfusions(confusions);
    QStringList lines;
    for (const history::Confusion &c : confusions.mid(0, 5)) {
        lines << QStringLiteral("ضغط «%1» بدل «%2»: %3")
                     .arg(letterGlyph(c.clicked - 1), letterGlyph(c.asked - 1), timesInArabic(c.times));
    }
    m_confusionText->setText(lines.isEmpty() ? QStringLiteral("لم يخلط بين الحروف في هذه المدة.") : lines.join(QLatin1Char('\n')));
    fillChart(history::days(db(), child, p));
}

void ProgressWindow::fillChart(const QList<history::Day> &days)
{
    m_chartDays = int(days.size());
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setLocalizeNumbers(false);
    auto *answers = new QBarSet(QStringLiteral("الإجابات"));
    answers->setColor(QColor(0x6b, 0x9b, 0xd1));
    auto *share = new QLineSeries;
    share->setName(QStringLiteral("الصحيح من أول مرة %"));
    share->setColor(QColor(0x2e, 0x8b, 0x2e));
    share->setPointsVisible(true);
    QStringList labels;
    int most = 1;
    for (int i = 0; i < days.size(); ++i) {
        const history::Day &d = days[i];
        *answers << d.answers;
        most = std::max(most, d.answers);
        if (d.firstTries > 0)
            share->append(i, 100.0 * d.firstTryRight / d.firstTries);
        labels << d.date.toString(QStringLiteral("d/M"));
    }
    auto *bars = new QBarSeries;
    bars->append(answers);
    chart->addSeries(bars);
    chart->addSeries(share);
    auto *x = new QBarCategoryAxis;
    x->append(labels);
    auto *count = new QValueAxis;
    count->setRange(0, most);
    count->setLabelFormat(QStringLiteral("%d"));
    count->applyNiceNumbers();
    auto *percent = new QValueAxis;
    percent->setRange(0, 100);
    percent->setLabelFormat(QStringLiteral("%d%%"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(count, Qt::AlignLeft);
    chart->addAxis(percent, Qt::AlignRight);
    bars->attachAxis(x);
    bars->attachAxis(count);
    share->attachAxis(x);
    share->attachAxis(percent);
    QChart *old = m_chart->chart();
    m_chart->setChart(chart);
    delete old;
}

void ProgressWindow::exportHistory()
{
    const QString path = m_services.chooseExportFile ? m_services.chooseExportFile() : QString();
    if (path.isEmpty())
        return;
    // For a spreadsheet: with the byte-order mark that tells it the text is
    // UTF-8. The history is only read.
    const QString error = history::exportToFile(m_services.historyPath, path, history::ByteOrderMark::With);
    m_message->setText(error.isEmpty() ? QStringLiteral("صُدّرت الإجابات إلى %1.").arg(path)
                                       : QStringLiteral("تعذّر حفظ الملف %1.").arg(path));
}
