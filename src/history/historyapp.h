#pragma once

#include <QString>

// huroof --export-history FILE: every answer kept, as CSV, to FILE or with
// "-" to standard output. Returns the process's exit code. Needs a
// QCoreApplication.
int runExportHistory(const QString &historyPath, const QString &file);

// huroof --progress: loads the progress window's module from beside the
// executable and runs the window. Needs a QApplication.
int runProgressWindow();
