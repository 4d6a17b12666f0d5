#pragma once

#include <QWidget>

class QComboBox;

// Where a grown-up picks the language of the grown-ups' windows: the
// desktop's, or one of the languages there is a catalog for, each by its own
// name. The choice is kept for every later start and put in use at once;
// `chosen` then tells the window to build itself again in it.
class LanguageChoice : public QWidget
{
    Q_OBJECT
public:
    explicit LanguageChoice(QWidget *parent = nullptr);

    QComboBox *list() const { return m_list; }

signals:
    void chosen();

private:
    void choose(int index);

    QComboBox *m_list = nullptr;
};
