#pragma once

#include <QWidget>

#include <functional>
#include <memory>

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

// Keeps a grown-ups' window shown in the language in use: when a grown-up
// picks another in the window's LanguageChoice, a window built anew takes
// its place, where it stood and as large. `make` builds one; it is given the
// window it replaces (null the first time) to carry over what was chosen in
// it.
class WindowInLanguage : public QObject
{
    Q_OBJECT
public:
    using Make = std::function<std::unique_ptr<QWidget>(QWidget *replaced)>;
    explicit WindowInLanguage(Make make);
    ~WindowInLanguage() override;

    QWidget *window() const { return m_window.get(); }

private:
    void build();

    Make m_make;
    std::unique_ptr<QWidget> m_window;
};
