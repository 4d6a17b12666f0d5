#include "progresswindow.h"

#include "history/exportfile.h"
#include "i18n/languagechoice.h"
#include "practice/fromhistory.h"
#include "practice/scheduler.h"
#include "progress/progressviews.h"
#include "shell/letters.h"
#include "ui/look.h"
#include "ui/design.h"
#include "ui/flowlayout.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTextDocumentFragment>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <map>

namespace {

// A group with a title over its content.
QGroupBox *group(const QString &title, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    new QVBoxLayout(box);
    return box;
}

QLabel *note(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x50, 0x50, 0x50));
    label->setPalette(palette);
    return label;
}

// A field beside its name, kept together when a row wraps.
QWidget *named(QLabel *name, QWidget *field, QWidget *parent)
{
    auto *pair = new QWidget(parent);
    auto *row = new QHBoxLayout(pair);
    row->setContentsMargins(0, 0, 0, 0);
    name->setParent(pair);
    field->setParent(pair);
    row->addWidget(name);
    row->addWidget(field);
    return pair;
}

// The daily chart asks for a height where its labels read, and takes the
// height the window leaves it: the rest keeps its place above the fold.
class DailyChart : public QChartView
{
public:
    using QChartView::QChartView;
    QSize sizeHint() const override { return {QChartView::sizeHint().width(), 150}; }
};

// Room for a window manager's frame (a title bar, borders) around the
// window: the window is sized before it has one.
const QSize kFrame(16, 40);

const QColor kAnswersColour(0x6b, 0x9b, 0xd1);
const QColor kShareColour(0x1f, 0x7a, 0x1f);

} // namespace

ProgressWindow::ProgressWindow(ProgressServices services, QWidget *parent)
    : QWidget(parent)
    , m_services(std::move(services))
    , m_connection(history::uniqueConnection(QStringLiteral("progress")))
{
    setWindowTitle(tr("What the child has learnt"));
    setWindowIcon(programIcon());
    setFont(grownUpsFont(11));

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);

    // Two choices, one above the other and each named: who plays now (where the
    // contest's answers go) and whose report is shown (what this window
    // shows, nothing more).
    auto *playerLabel = new QLabel(tr("Who plays now:"), this);
    m_player = new QComboBox(this);
    m_player->setAccessibleName(tr("The child who plays now"));
    m_player->setMinimumContentsLength(9);
    playerLabel->setBuddy(m_player);
    m_newChild = new QLineEdit(this);
    m_newChild->setPlaceholderText(tr("A new child's name"));
    // Wide enough for its hint in every language, and a name to come.
    m_newChild->setMinimumWidth(m_newChild->fontMetrics().horizontalAdvance(m_newChild->placeholderText())
                                + m_newChild->fontMetrics().averageCharWidth() * 3);
    m_newChild->setAccessibleName(tr("A new child's name"));
    m_newChild->setMaxLength(60);
    m_add = new QPushButton(tr("Add"), this);
    m_add->setAccessibleName(tr("Add the child, who then plays now"));
    auto *reportLabel = new QLabel(tr("Report:"), this);
    m_report = new QComboBox(this);
    m_report->setAccessibleName(tr("The child whose report is shown"));
    m_report->setMinimumContentsLength(9);
    reportLabel->setBuddy(m_report);
    auto *periodLabel = new QLabel(tr("Period:"), this);
    m_period = new QComboBox(this);
    m_period->addItems({tr("Today"), tr("Last 7 days"), tr("All time")});
    m_period->setCurrentIndex(int(Period::Week));
    m_period->setAccessibleName(tr("Period"));
    periodLabel->setBuddy(m_period);
    m_export = new QPushButton(tr("Export answers…"), this);
    m_export->setAccessibleName(tr("Export all the answers to a CSV file"));
    // Kept for the child's window's next start; the gesture that leaves it
    // is said where a grown-up reads it.
    m_fullScreen = new QCheckBox(tr("Child's window full screen, locked"), this);
    m_fullScreen->setToolTip(tr("The child's window opens full screen, and no key the child presses leaves it. "
                                "To leave: Ctrl+Shift+Q, then hold the button that appears for three seconds."));
    m_fullScreen->setChecked(keptFullScreen());
    connect(m_fullScreen, &QCheckBox::toggled, this, [](bool on) { keepFullScreen(on); });
    // The choices in rows that wrap where the window is narrow; the words
    // about them beside the report's where there is room, else across the
    // window under them.
    auto *choices = new FlowLayout(nullptr, 12);
    choices->addWidget(named(playerLabel, m_player, this));
    choices->addWidget(m_newChild);
    choices->addWidget(m_add);
    choices->addWidget(m_export);
    outer->addLayout(choices);
    auto *report = new FlowLayout(nullptr, 12);
    report->addWidget(named(reportLabel, m_report, this));
    report->addWidget(named(periodLabel, m_period, this));
    report->addWidget(note(tr("Answers in the contest and in practice are kept under the name of the child who "
                              "“plays now”; the “Report” choice changes only what this window shows."),
                           this),
                      1);
    outer->addLayout(report);

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setAccessibleName(tr("Message"));
    m_message->hide();
    outer->addWidget(m_message);

    m_pages = new QStackedWidget(this);
    // Before a child has played: what will show here, and the settings
    // (a parent's first visit is when the language and the full screen are
    // chosen).
    m_emptyPage = new QWidget(m_pages);
    auto *emptyRows = new QVBoxLayout(m_emptyPage);
    m_empty = new QLabel(m_emptyPage);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    m_empty->setFont(grownUpsFont(16, true));
    emptyRows->addStretch(1);
    emptyRows->addWidget(m_empty);
    emptyRows->addStretch(1);
    m_emptySettings = group(tr("Settings"), m_emptyPage);
    emptyRows->addWidget(m_emptySettings);
    m_pages->addWidget(m_emptyPage);

    // Scrolls only where the screen is too small for it all.
    m_scroll = new QScrollArea(m_pages);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    // It never scrolls sideways: where the report's two columns are wider
    // than the window, they stand one above the other.
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->viewport()->installEventFilter(this);
    auto *content = new QWidget(m_scroll);
    m_columns = new QBoxLayout(QBoxLayout::LeftToRight, content);
    m_columns->setContentsMargins(0, 0, 0, 0);

    QGroupBox *letters = group(tr("Letters: found on the first try?"), content);
    m_letters = new LetterMap(letters);
    // At its own size where reading starts, in any language; what it draws
    // is the board as the child sees it.
    static_cast<QVBoxLayout *>(letters->layout())->addWidget(m_letters, 0, Qt::AlignLeft);
    letters->layout()->addWidget(
        note(tr("Under each letter: times answered right on the first try / times asked."), letters));
    // The colours answer the question over the map; "known" is practice's
    // word alone (see fillPlan()), shown by the tick.
    auto *legend = new FlowLayout(nullptr, 12);
    legend->addWidget(swatch(shareColour(1.0), tr("Every time", "found on the first try"), letters));
    legend->addWidget(swatch(shareColour(0.5), tr("Sometimes", "found on the first try"), letters));
    legend->addWidget(swatch(shareColour(0.0), tr("Never", "found on the first try"), letters));
    legend->addWidget(swatch(QColor(0xe0, 0xe0, 0xe0), tr("Not asked"), letters));
    QWidget *known = knownMarkSwatch(tr("Known", "a letter practice calls known"), letters);
    known->setToolTip(tr("Known: found on the first try after a day or more away, twice, with no miss since"));
    legend->addWidget(known);
    static_cast<QVBoxLayout *>(letters->layout())->addLayout(legend);
    static_cast<QVBoxLayout *>(letters->layout())->addStretch(1);

    // Beside the letters, two pages: the letters confused, and what
    // practice does next.
    auto *side = m_side = new QTabWidget(content);
    // Every tab in view: the pages beside the letters take the room their
    // names need.
    side->setUsesScrollButtons(false);
    auto *confusion = new QWidget(side);
    new QVBoxLayout(confusion);
    side->addTab(confusion, tr("Letters mixed up"));
    m_confusionText = new QLabel(confusion);
    m_confusionText->setWordWrap(true);
    m_confusionText->setAccessibleName(tr("The letters most mixed up"));
    confusion->layout()->addWidget(m_confusionText);
    m_confusion = new ConfusionMap(confusion);
    static_cast<QVBoxLayout *>(confusion->layout())->addWidget(m_confusion, 0, Qt::AlignLeft);
    static_cast<QVBoxLayout *>(confusion->layout())->addStretch(1);

    QGroupBox *daily = group(tr("Each day: the number of answers, and the share right on the first try"), content);
    m_today = new QLabel(daily);
    m_today->setAccessibleName(tr("Today"));
    m_chart = new DailyChart(daily);
    m_chart->setRenderHint(QPainter::Antialiasing);
    // The chart places its days and axes itself, in the window's direction;
    // mirrored once more by a right-to-left window it would lose its right
    // axis.
    m_chart->setLayoutDirection(Qt::LeftToRight);
    m_chart->setMinimumSize(320, 150);
    m_chart->setAccessibleName(tr("Answers each day"));
    daily->layout()->addWidget(m_chart);
    // The chart's own legend puts its markers on the wrong side of right-
    // to-left words; this one keeps each beside its words. The count's axis
    // stands where reading starts (see fillChart()).
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    auto *chartLegend = new FlowLayout(nullptr, 16);
    chartLegend->addWidget(m_today);
    chartLegend->addWidget(
        swatch(kAnswersColour, rightToLeft ? tr("Number of answers (right axis)") : tr("Number of answers (left axis)"), daily));
    chartLegend->addWidget(swatch(kShareColour,
                                  rightToLeft ? tr("Right on the first try, % (left axis)")
                                              : tr("Right on the first try, % (right axis)"),
                                  daily));
    static_cast<QVBoxLayout *>(daily->layout())->addLayout(chartLegend);

    // What practice does next for this child, and why: from the same
    // answers, by the same rules as the child's window.
    auto *plan = new QWidget(side);
    new QVBoxLayout(plan);
    side->addTab(plan, tr("Practice plan"));
    // Its words scroll on their own where a busy week makes them longer than
    // the page: the window keeps its size, and the order of new letters
    // stays in view under them.
    auto *planScroll = new QScrollArea(plan);
    planScroll->setWidgetResizable(true);
    planScroll->setFrameShape(QFrame::NoFrame);
    planScroll->viewport()->setAutoFillBackground(false);
    m_plan = new QLabel(planScroll);
    m_plan->setWordWrap(true);
    m_plan->setTextFormat(Qt::RichText);
    m_plan->setAlignment(Qt::AlignTop);
    m_plan->setAccessibleName(tr("Practice plan"));
    planScroll->setWidget(m_plan);
    m_plan->setAutoFillBackground(false);
    static_cast<QVBoxLayout *>(plan->layout())->addWidget(planScroll, 1);
    auto *order = new QHBoxLayout;
    auto *orderLabel = new QLabel(tr("New letters:"), plan);
    m_newLetters = new QComboBox(plan);
    m_newLetters->addItems({tr("Most common first"), tr("In alphabetical order")});
    m_newLetters->setAccessibleName(tr("The order of new letters in practice"));
    orderLabel->setBuddy(m_newLetters);
    order->addWidget(orderLabel);
    order->addWidget(m_newLetters);
    order->addStretch(1);
    static_cast<QVBoxLayout *>(plan->layout())->addLayout(order);

    // The grown-ups' settings: the child's window's full screen, and the
    // language of these windows.
    auto *settings = m_settings = new QWidget(side);
    auto *settingsRows = new QVBoxLayout(settings);
    side->addTab(settings, tr("Settings"));
    settingsRows->addWidget(m_fullScreen);
    settingsRows->addWidget(note(m_fullScreen->toolTip(), settings));
    settingsRows->addSpacing(12);
    m_language = new LanguageChoice(settings);
    auto *languageRow = new QHBoxLayout;
    languageRow->addWidget(m_language);
    languageRow->addStretch(1);
    settingsRows->addLayout(languageRow);
    settingsRows->addStretch(1);

    auto *left = new QWidget(content);
    auto *leftRows = new QVBoxLayout(left);
    leftRows->setContentsMargins(0, 0, 0, 0);
    leftRows->addWidget(letters);
    leftRows->addWidget(daily, 1);
    m_columns->addWidget(left, 1);
    m_columns->addWidget(side);
    m_scroll->setWidget(content);
    m_pages->addWidget(m_scroll);
    outer->addWidget(m_pages, 1);

    const history::Opened opened = history::open(m_services.historyPath, m_connection);
    m_open = opened.ok();
    const auto say = [this](const QString &text) {
        m_message->setText(text);
        m_message->setVisible(!text.isEmpty());
    };
    if (!m_open) {
        say(tr("The learning history cannot be opened, so answers are not kept now: %1").arg(opened.error));
    } else {
        if (!opened.movedAside.isEmpty())
            say(tr("The learning history was damaged: it was put aside as %1 and a new one begun.").arg(opened.movedAside));
        // Answers are kept only where the history can be written.
        if (!history::setCurrentChild(db(), history::currentChild(db())))
            say(tr("The learning history cannot be written to, so new answers are not kept."));
    }
    for (QWidget *w : std::initializer_list<QWidget *>{m_player, m_report, m_newChild, m_add, m_export})
        w->setEnabled(m_open);

    fillChildren();
    connect(m_player, &QComboBox::activated, this, &ProgressWindow::playerChosen);
    connect(m_report, &QComboBox::currentIndexChanged, this, &ProgressWindow::refresh);
    connect(m_period, &QComboBox::currentIndexChanged, this, &ProgressWindow::refresh);
    connect(m_add, &QPushButton::clicked, this, &ProgressWindow::addChild);
    connect(m_newChild, &QLineEdit::returnPressed, this, &ProgressWindow::addChild);
    connect(m_export, &QPushButton::clicked, this, &ProgressWindow::exportHistory);
    connect(m_newLetters, &QComboBox::activated, this, &ProgressWindow::newLettersChosen);
    refresh();
    fitToScreen();
}

ProgressWindow::~ProgressWindow()
{
    history::close(m_connection);
}

void ProgressWindow::fitToScreen()
{
    // Everything in view where the screen has room for it; never larger
    // than the screen's free area less a window frame, where it scrolls
    // down (never sideways: see arrangeColumns()).
    showPage(m_scroll);
    // Before the window is first shown, its layouts keep the sizes their
    // parts had before the history was read.
    for (QWidget *part : findChildren<QWidget *>())
        part->updateGeometry();
    for (QLayout *layout : findChildren<QLayout *>())
        layout->invalidate();
    // A scroll area asks for less than its content: the difference is added.
    const QSize content = m_scroll->widget()->sizeHint();
    const QSize area = m_pages->sizeHint();
    const QSize wanted = sizeHint() + QSize(std::max(0, content.width() - area.width()), 0);
    const QSize room = screen() ? screen()->availableGeometry().size() - kFrame : wanted;
    // The width first; then as high as the rows need at that width (rows
    // that wrap, the parts one above the other).
    resize(std::min(wanted.width(), room.width()), room.height());
    resize(width(), std::min(neededHeight(), room.height()));
    widenToAvoidScrolling(room);
    refresh();
}

void ProgressWindow::widenToAvoidScrolling(QSize room)
{
    // Rows wrap less in a wider window: where the window would scroll at
    // its own width, it takes the screen's.
    if (neededHeight() <= room.height() || width() >= room.width())
        return;
    resize(room.width(), height());
    resize(width(), std::min(neededHeight(), room.height()));
}

int ProgressWindow::neededHeight()
{
    // The window's height less the scroll area's, plus what its content
    // needs at the width it has. Laid out here: a window not shown yet
    // lays out its parts only when it shows.
    layout()->setGeometry(rect());
    const int width = m_pages->width();
    arrangeColumns(width);
    QWidget *inside = m_scroll->widget();
    inside->layout()->invalidate();
    const int content = inside->hasHeightForWidth() ? inside->heightForWidth(width) : inside->sizeHint().height();
    return height() - m_pages->height() + content;
}

void ProgressWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window manager's frame is known a moment after the window shows.
    QTimer::singleShot(250, this, &ProgressWindow::fitToFrame);
}

void ProgressWindow::fitToFrame()
{
    // Sized with room for a frame of a guessed size: now that the real one
    // is known, the window takes the room there is, frame and all inside
    // the screen's free area.
    if (!isVisible() || isMaximized() || isFullScreen() || !screen() || m_pages->currentWidget() != m_scroll)
        return;
    const QSize frame = frameGeometry().size() - size();
    const QRect room = screen()->availableGeometry();
    const QSize size(std::min(width(), room.width() - frame.width()), std::min(neededHeight(), room.height() - frame.height()));
    if (size != this->size())
        resize(size);
    widenToAvoidScrolling(room.size() - frame);
    QRect outside(frameGeometry().topLeft(), this->size() + frame);
    outside.moveRight(std::min(outside.right(), room.right()));
    outside.moveBottom(std::min(outside.bottom(), room.bottom()));
    outside.moveLeft(std::max(outside.left(), room.left()));
    outside.moveTop(std::max(outside.top(), room.top()));
    if (outside.topLeft() != frameGeometry().topLeft())
        move(outside.topLeft());
}

bool ProgressWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_scroll->viewport())
        arrangeColumns(static_cast<QResizeEvent *>(event)->size().width());
    return QWidget::eventFilter(watched, event);
}

int ProgressWindow::sideWidth() const
{
    // One width whoever's report is shown, so that nothing moves sideways
    // when another child is chosen: the widest the confusion map can be,
    // every tab's name, the settings.
    const QMargins page = m_confusion->parentWidget()->layout()->contentsMargins();
    const int map = m_confusion->widestWidth() + page.left() + page.right();
    const int frame = m_side->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_side) * 2 + 4;
    return std::max({map + frame, m_side->tabBar()->sizeHint().width() + frame, m_settings->minimumSizeHint().width() + frame});
}

void ProgressWindow::arrangeColumns(int width)
{
    const int side = sideWidth();
    const int both = m_columns->itemAt(0)->widget()->minimumSizeHint().width() + m_columns->spacing() + side;
    if (width >= both) {
        // Mirrored in a right-to-left window: the letters where reading starts.
        m_columns->setDirection(QBoxLayout::LeftToRight);
        m_side->setFixedWidth(side);
    } else {
        m_columns->setDirection(QBoxLayout::TopToBottom);
        m_side->setMinimumWidth(0);
        m_side->setMaximumWidth(QWIDGETSIZE_MAX);
    }
}

bool ProgressWindow::showsColumns() const
{
    return m_columns->direction() != QBoxLayout::TopToBottom;
}

QSqlDatabase ProgressWindow::db() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool ProgressWindow::showsEmptyState() const
{
    return m_pages->currentWidget() == m_emptyPage;
}

QString ProgressWindow::message() const
{
    return m_message->text();
}

QString ProgressWindow::confusionText() const
{
    return m_confusionText->text();
}

QString ProgressWindow::todayText() const
{
    return m_today->text();
}

void ProgressWindow::fillChildren()
{
    const QVariant shown = m_report->currentData();
    {
        const QSignalBlocker quiet(m_report);
        m_player->clear();
        m_report->clear();
        if (!m_open)
            return;
        const int current = history::currentChild(db());
        for (const history::Child &child : history::children(db())) {
            m_player->addItem(child.name, child.id);
            m_report->addItem(child.name, child.id);
            if (child.id == current)
                m_player->setCurrentIndex(m_player->count() - 1);
        }
        // The report first shows the child who plays; later, whoever was
        // chosen to be shown.
        const int keep = shown.isValid() ? m_report->findData(shown) : -1;
        m_report->setCurrentIndex(keep >= 0 ? keep : m_player->currentIndex());
    }
}

void ProgressWindow::addChild()
{
    const QString name = m_newChild->text().simplified();
    const std::optional<int> id = history::addChild(db(), name);
    if (!id)
        return;
    m_newChild->clear();
    // A child named here is usually the one about to play.
    const bool kept = history::setCurrentChild(db(), *id);
    fillChildren();
    m_report->setCurrentIndex(m_report->findData(*id));
    m_message->setText(kept ? tr("%1 plays now: their next answers are kept under their name.").arg(inSentence(name, layoutDirection()))
                            : tr("The choice of child cannot be kept."));
    m_message->show();
    refresh();
}

void ProgressWindow::playerChosen(int index)
{
    // The choice is kept: the contest's answers go to this child from now.
    // What the window shows stays as it is.
    if (!history::setCurrentChild(db(), m_player->itemData(index).toInt())) {
        m_message->setText(tr("The choice of child cannot be kept."));
        m_message->show();
    }
}

QDate ProgressWindow::today() const
{
    const QDateTime now = m_services.now ? m_services.now() : QDateTime::currentDateTime();
    return now.toLocalTime().date();
}

history::Period ProgressWindow::period() const
{
    switch (Period(m_period->currentIndex())) {
    case Period::Today:
        return {today().startOfDay()};
    case Period::Week:
        return {today().addDays(-6).startOfDay()};
    case Period::All:
        break;
    }
    return {};
}

void ProgressWindow::showPage(QWidget *page)
{
    // The settings go where they can be reached: a page of their own beside
    // the report, or under the words of a report not there yet.
    const bool empty = page == m_emptyPage;
    const int tab = m_side->indexOf(m_settings);
    if (empty && tab >= 0) {
        m_side->removeTab(tab);
        m_emptySettings->layout()->addWidget(m_settings);
        m_settings->show();
    } else if (!empty && tab < 0) {
        m_side->addTab(m_settings, tr("Settings"));
    }
    m_pages->setCurrentWidget(page);
}

void ProgressWindow::refresh()
{
    const int child = m_report->currentData().isValid() ? m_report->currentData().toInt() : history::kDefaultChild;
    const QString name = m_report->currentText().isEmpty() ? tr("The child", "in place of a name") : m_report->currentText();
    const history::Period p = period();
    // A child who played, if not in this period, has a report (of nothing
    // lately) and a plan: what is due is most worth seeing after a pause.
    if (!m_open || history::answerCount(db(), child, {}) == 0) {
        m_empty->setText(m_open ? tr("%1 has not answered in the contest or in practice yet.\n"
                                     "Once they play, how often they find each letter on the first try, the letters they "
                                     "mix up and their practice plan show here.")
                                      .arg(inSentence(name, layoutDirection()))
                                : tr("The learning history cannot be read."));
        showPage(m_emptyPage);
        m_days.clear();
        m_segments.clear();
        return;
    }
    showPage(m_scroll);
    m_letters->setScores(history::letterScores(db(), child, p));
    const QList<history::Confusion> confusions = history::confusions(db(), child, p);
    m_confusion->setConfusions(confusions);
    m_confusion->setVisible(!confusions.isEmpty());
    QStringList lines;
    for (const history::Confusion &c : confusions.mid(0, 5)) {
        lines << tr("Clicked “%1” instead of “%2”: %n time(s)", "", c.times)
                     .arg(inSentence(letterGlyph(c.clicked - 1), layoutDirection()),
                          inSentence(letterGlyph(c.asked - 1), layoutDirection()));
    }
    m_confusionText->setText(lines.isEmpty() ? tr("No letters mixed up in this period.") : lines.join(QLatin1Char('\n')));
    fillChart(history::days(db(), child, p));
    fillPlan(child);
}

namespace {

using Why = practice::PlanEntry::Why;

// The plan's letters, large enough for their dots (a little smaller than on
// the maps: they sit in lines of words).
constexpr int kPlanLetterPixels = 24;

QString words(const QString &text)
{
    return text.toHtmlEscaped();
}

// A letter of the plan, in its own size, set into a sentence of the
// window's language. Among Latin words, a narrow space of their size on
// either side keeps its strokes off the punctuation around it (Arabic
// punctuation leaves that room itself); a space no line breaks at.
QString letterHtml(int letter, Qt::LayoutDirection direction)
{
    const QString room = direction == Qt::RightToLeft ? QString() : QString(QChar(0x202f));
    return room
        + QStringLiteral("<span style=\"font-size:%1px\">%2</span>")
              .arg(kPlanLetterPixels)
              .arg(words(inSentence(letterGlyph(letter), direction)))
        + room;
}

QString lettersHtml(const std::vector<int> &letters, Qt::LayoutDirection direction)
{
    QStringList list;
    for (int k : letters)
        list << letterHtml(k, direction);
    return list.join(words(ProgressWindow::tr(", ", "between the letters of a list")));
}

// The plan as a grown-up reads it: a heading for each part, its lines
// under it, and what the part means in a quieter voice. Every paragraph
// reads the window's way, whatever letter it starts with.
class PlanPage
{
public:
    explicit PlanPage(Qt::LayoutDirection direction)
        : m_direction(direction == Qt::RightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr"))
        , m_indent(direction == Qt::RightToLeft ? QStringLiteral("right") : QStringLiteral("left"))
    {
    }

    void heading(const QString &text)
    {
        m_html += QStringLiteral("<p dir=\"%1\" style=\"margin-top:%2px; margin-bottom:2px; font-weight:bold\">%3</p>")
                      .arg(m_direction)
                      .arg(m_html.isEmpty() ? 0 : 14)
                      .arg(words(text));
    }
    // `html`: words already escaped, with letters in them. Its spaces as
    // they are: the rich text's reader would fold the narrow no-break
    // spaces around letters into spaces lines break at. Its lines closer
    // than the face has them: it keeps room for marks above and below that
    // a letter alone never uses.
    void line(const QString &html)
    {
        m_html += QStringLiteral("<p dir=\"%1\" style=\"margin-top:0; margin-bottom:0; margin-%2:12px; line-height:80%; "
                                 "white-space:pre-wrap\">%3</p>")
                      .arg(m_direction, m_indent, html);
    }
    void note(const QString &text)
    {
        m_html += QStringLiteral("<p dir=\"%1\" style=\"margin-top:2px; margin-bottom:0; margin-%2:12px; color:#505050\">%3</p>")
                      .arg(m_direction, m_indent, words(text));
    }
    const QString &html() const { return m_html; }

private:
    QString m_direction;
    QString m_indent;
    QString m_html;
};

// Why a letter is being learnt, after `lead` (the letter, or two letters
// clicked for each other).
QString reason(const practice::PlanEntry &e, const QString &lead, Qt::LayoutDirection direction)
{
    switch (e.why) {
    case Why::New:
        return words(ProgressWindow::tr("%1: new, not asked yet")).arg(lead);
    case Why::Confused: {
        const int clicked = e.asked == e.letter ? e.other : e.letter;
        return words(ProgressWindow::tr("%1: clicked “%2” when “%3” was asked, %n time(s) this week", "", e.times))
            .arg(lead, letterHtml(clicked, direction), letterHtml(e.asked, direction));
    }
    case Why::Missed:
        return words(ProgressWindow::tr("%1: missed the last time it was asked")).arg(lead);
    case Why::Learning:
        return words(ProgressWindow::tr("%1: right on the first try the last %n time(s) it was asked", "", e.times)).arg(lead);
    case Why::Due:
        return e.days == 0 ? words(ProgressWindow::tr("%1: last asked today")).arg(lead)
                           : words(ProgressWindow::tr("%1: last asked %n day(s) ago", "", e.days)).arg(lead);
    }
    return lead;
}

} // namespace

void ProgressWindow::fillPlan(int child)
{
    const bool alphabetical = history::alphabeticalNewLetters(db(), child);
    m_newLetters->setCurrentIndex(alphabetical ? 1 : 0);
    const QDateTime now = m_services.now ? m_services.now() : QDateTime::currentDateTime();
    practice::Scheduler scheduler = replayed(history::answers(db(), child), alphabetical, now.toSecsSinceEpoch());
    scheduler.start();
    const practice::Plan plan = scheduler.plan(now.toSecsSinceEpoch(), int(today().toJulianDay()));
    // The report's letters say "known" in practice's meaning, and only there.
    m_letters->setKnown(plan.knownLetters);
    const Qt::LayoutDirection direction = layoutDirection();
    PlanPage page(direction);

    // A line for each letter that needs saying something of its own (two
    // letters clicked for each other, one line); those going well, together.
    page.heading(tr("Learning now"));
    struct Said
    {
        std::vector<int> letters;
        practice::PlanEntry entry;
    };
    std::vector<Said> said;
    std::vector<practice::PlanEntry> going;
    for (const practice::PlanEntry &e : plan.inPlay) {
        if (e.why == Why::Learning) {
            going.push_back(e);
            continue;
        }
        const auto twin = std::find_if(said.begin(), said.end(), [&e](const Said &s) {
            return e.why == Why::Confused && s.entry.why == Why::Confused && s.entry.letter == e.other
                && s.entry.other == e.letter && s.entry.asked == e.asked && s.entry.times == e.times;
        });
        if (twin != said.end())
            twin->letters.push_back(e.letter);
        else
            said.push_back({{e.letter}, e});
    }
    for (const Said &s : said)
        page.line(reason(s.entry, lettersHtml(s.letters, direction), direction));
    if (going.size() == 1) {
        page.line(reason(going.front(), letterHtml(going.front().letter, direction), direction));
    } else if (!going.empty()) {
        std::vector<int> letters;
        for (const practice::PlanEntry &e : going)
            letters.push_back(e.letter);
        page.line(words(tr("%1: right on the first try the last time each was asked")).arg(lettersHtml(letters, direction)));
    }
    if (plan.inPlay.empty())
        page.line(words(tr("None for now: every letter on the board is known.")));

    // Known letters whose recall has fallen, those longest away first.
    page.heading(tr("To review today"));
    std::map<int, std::vector<int>, std::greater<>> byDays;
    for (const practice::PlanEntry &e : plan.due)
        byDays[e.days].push_back(e.letter);
    for (const auto &[days, letters] : byDays) {
        practice::PlanEntry e;
        e.why = Why::Due;
        e.days = days;
        page.line(reason(e, lettersHtml(letters, direction), direction));
    }
    page.note(plan.due.empty() ? tr("Nothing for now: a known letter comes back here as its memory fades.")
                               : tr("Known letters whose memory has faded: practice asks them first."));

    page.heading(tr("Next new letter"));
    if (plan.next >= 0)
        page.line(words(tr("%1: comes when no letter is due to be asked again and the child has been right on the "
                           "first try lately"))
                      .arg(letterHtml(plan.next, direction)));
    else
        page.line(words(tr("All the letters are in practice.")));

    page.heading(tr("Known letters: %n of 28", "", plan.known));
    std::vector<int> known;
    for (int k = 0; k < practice::kLetters; ++k) {
        if (plan.knownLetters.test(std::size_t(k)))
            known.push_back(k);
    }
    page.line(known.empty() ? words(tr("None yet.")) : lettersHtml(known, direction));
    page.note(tr("A letter is known once the child found it on the first try after a day or more away, twice, with "
                 "no miss since; a miss puts it back among the letters being learnt."));
    m_plan->setText(page.html());
}

void ProgressWindow::newLettersChosen(int index)
{
    const int child = m_report->currentData().isValid() ? m_report->currentData().toInt() : history::kDefaultChild;
    if (!history::setAlphabeticalNewLetters(db(), child, index == 1)) {
        m_message->setText(tr("The order of new letters cannot be kept."));
        m_message->show();
    }
    fillPlan(child);
}

QString ProgressWindow::planText() const
{
    return QTextDocumentFragment::fromHtml(m_plan->text()).toPlainText();
}

void ProgressWindow::fillChart(const QList<history::Day> &played)
{
    // Every day of the period, from its first to today; a day without
    // play is there with nothing in it.
    const QDate last = today();
    QDate first = last;
    switch (Period(m_period->currentIndex())) {
    case Period::Today:
        break;
    case Period::Week:
        first = last.addDays(-6);
        break;
    case Period::All:
        for (const history::Day &d : played)
            first = std::min(first, d.date);
        break;
    }
    m_days.clear();
    for (QDate d = first; d <= last; d = d.addDays(1))
        m_days.append({d, 0, 0, 0});
    for (const history::Day &d : played) {
        const qint64 i = first.daysTo(d.date);
        if (i >= 0 && i < m_days.size())
            m_days[i] = {d.date, d.answers, d.firstTries, d.firstTryRight};
    }

    const ChartDay &now = m_days.last();
    m_today->setText(now.answers == 0
                         ? tr("Today: not played yet.")
                         : tr("Today: %n answer(s), %1% right on the first try.", "", now.answers)
                               .arg(now.firstTries ? qRound(100.0 * now.firstTryRight / now.firstTries) : 0));

    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setLocalizeNumbers(false);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto *answers = new QBarSet(tr("Answers"));
    answers->setColor(kAnswersColour);
    answers->setBorderColor(kAnswersColour);
    // Time runs as the window reads: right to left, today is the first
    // place on the left; left to right, the last on the right. (The
    // category axis's own reversal is not honoured by the bars.)
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const int n = int(m_days.size());
    const auto place = [n, rightToLeft](int day) { return rightToLeft ? n - 1 - day : day; };
    const QString format = chartDateFormat(QLocale(), first.year() != last.year());
    QStringList labels(n);
    QList<qreal> counts(n);
    int most = 1;
    for (int i = 0; i < n; ++i) {
        const ChartDay &d = m_days[i];
        counts[place(i)] = d.answers;
        most = std::max(most, d.answers);
        labels[place(i)] = d.date.toString(format);
    }
    answers->append(counts);
    auto *bars = new QBarSeries;
    bars->append(answers);
    chart->addSeries(bars);
    // The count's axis stands where the eye starts, the share's across.
    auto *x = new QBarCategoryAxis;
    x->append(labels);
    if (m_days.size() > 14)
        x->setLabelsAngle(-90);
    auto *count = new QValueAxis;
    count->setLabelFormat(QStringLiteral("%d"));
    // Four steps of a round size, up to the busiest day.
    const int step = std::max(1, (most + 3) / 4);
    const int round = step <= 5 ? step : step <= 10 ? 10 : (step + 9) / 10 * 10;
    // Its lines meet the share's: four steps to 100 %, and the same room
    // above.
    count->setRange(0, 4 * round * 1.08);
    count->setTickType(QValueAxis::TicksDynamic);
    count->setTickAnchor(0);
    count->setTickInterval(round);
    // Labels of its own: a value axis's format is read as Latin-1, which
    // turns a language's no-break space before the sign into a box.
    auto *percent = new QCategoryAxis;
    // A little room above 100 %, so that a whole day right at once shows
    // its whole point; the labels stay at 0, 25 … 100.
    percent->setRange(0, 108);
    percent->setStartValue(0);
    for (int value = 0; value <= 100; value += 25)
        percent->append(tr("%1%", "the share axis's labels: %1 the number").arg(value), value);
    percent->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    percent->setTruncateLabels(false);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(count, rightToLeft ? Qt::AlignRight : Qt::AlignLeft);
    chart->addAxis(percent, rightToLeft ? Qt::AlignLeft : Qt::AlignRight);
    bars->attachAxis(x);
    bars->attachAxis(count);

    // The share joins only days next to each other with first tries: a
    // day without play has no share, and no line is drawn across it.
    m_segments.clear();
    for (int i = 0; i < m_days.size(); ++i) {
        if (m_days[i].firstTries == 0)
            continue;
        if (m_segments.isEmpty() || m_segments.last().last() != i - 1)
            m_segments.append(QList<int>());
        m_segments.last().append(i);
    }
    for (const QList<int> &segment : std::as_const(m_segments)) {
        auto *share = new QLineSeries;
        QPen pen(kShareColour, 3);
        share->setPen(pen);
        share->setPointsVisible(true);
        share->setMarkerSize(9);
        for (int i : segment)
            share->append(place(i), 100.0 * m_days[i].firstTryRight / m_days[i].firstTries);
        chart->addSeries(share);
        share->attachAxis(x);
        share->attachAxis(percent);
    }
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
    m_message->setText(error.isEmpty() ? tr("The answers were exported to %1.").arg(path)
                                       : tr("The file %1 could not be saved.").arg(path));
    m_message->show();
}
