#pragma once

#include <QStringList>

#include <functional>

class QObject;

namespace voices {
struct Change;
}

// The two ways a grown-up reaches the voices: the window (huroof --voices)
// and the command line (huroof --import-voice NAME FILE, --export-voices
// FILE, --import-voices FILE). Each is a process of its own, apart from the
// child's window.

// Builds and shows the voices window and runs it until it closes. Needs a
// QApplication.
int runVoicesWindow();

// Imports FILE as the voice NAME (1 ... 28, the letter, yes or no): prints
// the saved file on standard output and returns 0, or prints one line on
// standard error and returns 1, the old voice kept. Needs a
// QCoreApplication.
int runImportVoice(const QStringList &nameAndFile);

// Writes the user's own voices as a voice pack to FILE: prints FILE on
// standard output (unless FILE is a FIFO or a device, which may be standard
// output itself) and returns 0, or prints one line on standard error and
// returns 1. Needs a QCoreApplication.
int runExportVoices(const QStringList &file);

// Makes the voices of the pack FILE the user's own: prints each file it
// replaced on standard output and returns 0, or prints one line on standard
// error and returns 1, nothing changed (unless the disk fails on the way:
// then what was replaced before is printed too). Needs a QCoreApplication.
int runImportVoices(const QStringList &file);

// The voices window's import: `executable --import-voice NAME -- FILE` as a
// process of its own, so that decoding a file never meets the window's own
// sound player, and a file that upsets a decoder cannot take the window
// down. `done` is called once, on `owner`'s thread, with what was saved or
// why nothing was. An import still running after `longest` ms (a file on a
// disk that stopped answering) is stopped, as it is when the function
// returned is called; either way nothing is changed.
std::function<void()> importInOwnProcess(QObject *owner, const QString &executable, int voice, const QString &file,
                                         std::function<void(const voices::Change &)> done, int longest = 60000);
