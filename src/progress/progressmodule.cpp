// The progress window as a module of its own, loaded only when a grown-up
// opens it (huroof --progress): the charts library it needs never costs the
// child's window.
#include "history/historydb.h"
#include "progress/progresswindow.h"

#include <QApplication>
#include <QFileDialog>

extern "C" Q_DECL_EXPORT int huroofProgressWindow()
{
    ProgressWindow *shown = nullptr;
    ProgressWindow window(ProgressServices{history::defaultPath(), [] { return QDateTime::currentDateTime(); },
                                           [&shown] {
                                               return QFileDialog::getSaveFileName(
                                                   shown, ProgressWindow::tr("Export answers"),
                                                   QStringLiteral("huroof-history.csv"),
                                                   QStringLiteral("CSV (*.csv)"));
                                           }});
    shown = &window;
    window.show();
    return QApplication::exec();
}
