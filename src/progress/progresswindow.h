#pragma once

#include "history/historydb.h"

#include <QDateTime>
#include <QWidget>

#include <functional>

class ConfusionMap;
class LetterMap;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

// What the progress window needs from outside; tests pass their own.
struct ProgressServices
{
    QString historyPath;
    // Now, for the periods "today" and "7 days".
    std::function<QDateTime()> now;
    // Asks where to save the export; empty when the grown-up gave up.
    std::function<QString()> chooseExportFile;
};

// The grown-ups' window of what a child has learnt: for the chosen child
// and period, the letters on the board's layout coloured by how well each
// is known, the letters confused with each other, and the answers day by
// day. Children are named and chosen here; answers go to the one chosen.
class ProgressWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressWindow(ProgressServices services, QWidget *parent = nullptr);
    ~ProgressWindow() override;

    enum class Period { Today, Week, All };

    // For tests.
    QComboBox *childList() const { return m_children; }
    QComboBox *periodList() const { return m_period; }
    QLineEdit *newChildName() const { return m_newChild; }
    QPushButton *addChildButton() const { return m_add; }
    QPushButton *exportButton() const { return m_export; }
    bool showsEmptyState() const;
    QString message() const;
    QString confusionText() const;
    const LetterMap *letterMap() const { return m_letters; }
    int chartDays() const { return m_chartDays; }

    // Reads the history again.
    void refresh();

private:
    void addChild();
    void childChosen(int index);
    void exportHistory();
    history::Period period() const;
    QSqlDatabase db() const;
    void fillChildren();
    void fillChart(const QList<history::Day> &days);

    ProgressServices m_services;
    QString m_connection;
    bool m_open = false;
    QComboBox *m_children = nullptr;
    QComboBox *m_period = nullptr;
    QLineEdit *m_newChild = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_export = nullptr;
    QLabel *m_message = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLabel *m_empty = nullptr;
    LetterMap *m_letters = nullptr;
    ConfusionMap *m_confusion = nullptr;
    QLabel *m_confusionText = nullptr;
    QChartView *m_chart = nullptr;
    int m_chartDays = 0;
};

// Arabic for "n times".
QString timesInArabic(int n);
