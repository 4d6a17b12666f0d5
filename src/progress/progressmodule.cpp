// The progress window as a module of its own, loaded only when a grown-up
// opens it (huroof --progress): the charts library it needs never costs the
// child's window.
#include "history/historydb.h"
#include "i18n/languagechoice.h"
#include "progress/progresswindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>

extern "C" Q_DECL_EXPORT int huroofProgressWindow()
{
    // Built again in the language a grown-up picks in it, showing the same
    // child and period.
    WindowInLanguage shown([](QWidget *replaced) {
        auto window = std::make_unique<ProgressWindow>(ProgressServices{
            history::defaultPath(), [] { return QDateTime::currentDateTime(); }, [] {
                // Asked from the window whose button was just pressed.
                return QFileDialog::getSaveFileName(QApplication::activeWindow(), ProgressWindow::tr("Export answers"),
                                                    QStringLiteral("huroof-history.csv"),
                                                    QStringLiteral("CSV (*.csv)"));
            }});
        if (const auto *old = qobject_cast<ProgressWindow *>(replaced)) {
            window->periodList()->setCurrentIndex(old->periodList()->currentIndex());
            const int child = window->reportList()->findData(old->reportList()->currentData());
            if (child >= 0)
                window->reportList()->setCurrentIndex(child);
        }
        return window;
    });
    return QApplication::exec();
}
