#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What the program was asked to do on its command line.
struct CommandLine
{
    // Its words are the grown-up's language's, as the windows' are.
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Action {
        ChildWindow,   // no option: the child's window
        Voices,        // --voices
        Progress,      // --progress
        ImportVoice,   // --import-voice NAME FILE
        ExportHistory, // --export-history FILE
        ExportVoices,  // --export-voices FILE
        ImportVoices,  // --import-voices FILE
        Help,          // -h, --help
        Version,       // -v, --version
        Wrong,         // anything else: `error` says what
    };

    Action action = Action::ChildWindow;
    QString voice; // ImportVoice: NAME
    QString file;  // ImportVoice, ExportHistory, ExportVoices, ImportVoices: FILE
    QString error; // Wrong: one line, without the program's name
    QString help;  // every option, for Help
    bool fullScreen = false; // ChildWindow: --full-screen
};

// Reads `arguments` (the first is the program itself). Qt's own options
// (-platform, -style, -session …) are let through for QApplication to take.
CommandLine parseCommandLine(const QStringList &arguments);

// The line under an error that says where the options are.
QString commandLineHint();
