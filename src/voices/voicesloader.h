#pragma once

#include <QStringList>

// What the voices module does: the window, and the command line's tasks.
// The module (huroof-voices, beside the executable) is loaded only for
// them, so the child's window never loads the sound processing and archive
// libraries they need.
enum class VoicesTask {
    Window,      // huroof --voices; needs a QApplication
    ImportVoice, // huroof --import-voice NAME FILE
    ExportPack,  // huroof --export-voices FILE
    ImportPack,  // huroof --import-voices FILE
};

// Loads the module and runs the task with its arguments; the task's exit
// code, or 1 with a line on standard error when the module cannot be loaded.
int runVoicesTask(VoicesTask task, const QStringList &arguments);
