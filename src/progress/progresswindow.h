#pragma once

#include "history/historydb.h"

#include <QDateTime>
#include <QWidget>

#include <functional>

class ConfusionMap;
class QBoxLayout;
class QCheckBox;
class LanguageChoice;
class LetterMap;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTabWidget;

// What the progress window needs from outside; tests pass their own.
struct ProgressServices
{
    QString historyPath;
    // Now, for the periods "today" and "7 days".
    std::function<QDateTime()> now;
    // Asks where to save the export; empty when the grown-up gave up.
    std::function<QString()> chooseExportFile;
};

// One day of the daily chart: every day of the period is there, a day
// without play with zeros.
struct ChartDay
{
    QDate date;
    int answers = 0;
    int firstTries = 0;
    int firstTryRight = 0;
};

// The grown-ups' window of what a child has learnt: for the child and the
// period chosen, the letters on the board's layout coloured by how often
// each was found on the first try (and the letters practice calls known),
// the letters confused with each other, and the answers day by day. Two choices, each of its own: who is playing now (where the
// contest's answers go, kept in the history) and whose report is shown
// (only what this window shows).
class ProgressWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressWindow(ProgressServices services, QWidget *parent = nullptr);
    ~ProgressWindow() override;

    enum class Period { Today, Week, All };

    // For tests.
    QComboBox *playerList() const { return m_player; }
    QComboBox *reportList() const { return m_report; }
    QComboBox *periodList() const { return m_period; }
    QLineEdit *newChildName() const { return m_newChild; }
    QPushButton *addChildButton() const { return m_add; }
    QPushButton *exportButton() const { return m_export; }
    QScrollArea *scrollArea() const { return m_scroll; }
    bool showsEmptyState() const;
    QString message() const;
    QString confusionText() const;
    QString todayText() const;
    // The practice plan for the child shown, in words, as plain text (its
    // letters as the window sets them in a sentence).
    QString planText() const;
    const QLabel *planLabel() const { return m_plan; }
    QComboBox *newLettersList() const { return m_newLetters; }
    QCheckBox *fullScreenBox() const { return m_fullScreen; }
    LanguageChoice *languageChoice() const { return m_language; }
    const LetterMap *letterMap() const { return m_letters; }
    const ConfusionMap *confusionMap() const { return m_confusion; }
    const QList<ChartDay> &chartDays() const { return m_days; }
    // The runs of days the share line joins: never across a day without
    // first tries.
    const QList<QList<int>> &shareSegments() const { return m_segments; }
    QChartView *chartView() const { return m_chart; }

    // Reads the history again.
    void refresh();
    // Whether the report's parts stand side by side (else one above the
    // other); for tests.
    bool showsColumns() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void addChild();
    void playerChosen(int index);
    void exportHistory();
    history::Period period() const;
    QDate today() const;
    QSqlDatabase db() const;
    void fillChildren();
    void fillChart(const QList<history::Day> &played);
    void fillPlan(int child);
    void newLettersChosen(int index);
    void fitToScreen();
    int neededHeight();
    void fitToFrame();
    void widenToAvoidScrolling(QSize room);
    void showPage(QWidget *page);
    void arrangeColumns(int width);
    int sideWidth() const;

    ProgressServices m_services;
    QString m_connection;
    bool m_open = false;
    QComboBox *m_player = nullptr;
    QComboBox *m_report = nullptr;
    QComboBox *m_period = nullptr;
    QLineEdit *m_newChild = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_export = nullptr;
    QLabel *m_message = nullptr;
    QStackedWidget *m_pages = nullptr;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_emptyPage = nullptr;
    QLabel *m_empty = nullptr;
    QWidget *m_emptySettings = nullptr;
    QBoxLayout *m_columns = nullptr;
    QTabWidget *m_side = nullptr;
    QWidget *m_settings = nullptr;
    LetterMap *m_letters = nullptr;
    ConfusionMap *m_confusion = nullptr;
    QLabel *m_confusionText = nullptr;
    QLabel *m_today = nullptr;
    QLabel *m_plan = nullptr;
    QComboBox *m_newLetters = nullptr;
    QCheckBox *m_fullScreen = nullptr;
    LanguageChoice *m_language = nullptr;
    QChartView *m_chart = nullptr;
    QList<ChartDay> m_days;
    QList<QList<int>> m_segments;
};
