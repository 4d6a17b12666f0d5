#pragma once

#include <QStringList>

// The two ways a grown-up reaches the voices: the window (huroof --voices)
// and the command line (huroof --import-voice NAME FILE). Each is a process
// of its own, apart from the child's window.

// Builds and shows the voices window and runs it until it closes. Needs a
// QApplication.
int runVoicesWindow();

// Imports FILE as the voice NAME (1 ... 28, the letter, yes or no): prints
// the saved file on standard output and returns 0, or prints one line on
// standard error and returns 1, the old voice kept. Needs a
// QCoreApplication.
int runImportVoice(const QStringList &nameAndFile);
