#include "commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

// The options QGuiApplication and QApplication take for themselves; they
// are not ours to refuse (a desktop session restores a program with
// -session, for one).
void letQtOptionsThrough(QCommandLineParser &parser)
{
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "style", "stylesheet",
                             "display", "geometry", "name", "title", "visual"}) {
        QCommandLineOption option(QString::fromLatin1(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // "-platform offscreen", as Qt's own options are written.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        CommandLine::tr("Arabic letters for young children: hear each letter, then find it in the letters contest."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  CommandLine::tr("Show these options and exit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     CommandLine::tr("Show the program's version and exit."));
    const QCommandLineOption voices(QStringLiteral("voices"),
                                    CommandLine::tr("Open the window where a grown-up records the program's sounds in their own voice."));
    const QCommandLineOption progress(QStringLiteral("progress"),
                                      CommandLine::tr("Open the window of what each child has learnt."));
    const QCommandLineOption fullScreen(
        QStringLiteral("full-screen"),
        CommandLine::tr("Open the child's window filling the screen and locked: only a grown-up's gesture (Ctrl+Shift+Q, "
             "then holding a button for 3 seconds) leaves it."));
    const QCommandLineOption importVoice(
        QStringLiteral("import-voice"),
        CommandLine::tr("Make FILE the sound NAME (1 to 28, the letter itself, yes or no), made even with the program's "
             "recordings, and exit."),
        QStringLiteral("NAME"));
    const QCommandLineOption exportHistory(
        QStringLiteral("export-history"),
        CommandLine::tr("Write every answer kept in the learning history as CSV to FILE (- for standard output) and exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption exportVoices(
        QStringLiteral("export-voices"),
        CommandLine::tr("Write your own voices to FILE as a voice pack, for another computer, and exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption importVoices(
        QStringLiteral("import-voices"),
        CommandLine::tr("Make the voices of the voice pack FILE your own (each own voice it replaces kept as N.wav.old) and "
             "exit."),
        QStringLiteral("FILE"));
    for (const QCommandLineOption &option :
         {help, version, voices, progress, fullScreen, importVoice, exportHistory, exportVoices, importVoices})
        parser.addOption(option);
    parser.addPositionalArgument(QStringLiteral("FILE"), CommandLine::tr("The sound file of --import-voice."),
                                 QStringLiteral("[FILE]"));
    letQtOptionsThrough(parser);

    CommandLine result;
    // Shown as a person types it, whatever name the program was started
    // under (a launcher's path, or any text at all, empty included, with
    // `exec -a`): Qt puts that name where the %1 of its usage line is, a
    // line in Qt's words and from Qt's catalog (a context lupdate leaves to
    // Qt when it is not written out).
    result.help = parser.helpText();
    const QString executable = qApp ? QCoreApplication::arguments().value(0) : QStringLiteral("<executable_name>");
    const char *const qtContext = "QCommandLineParser";
    const QString usage = QCoreApplication::translate(qtContext, "Usage: %1");
    const qsizetype at = usage.indexOf(QLatin1String("%1"));
    if (at >= 0 && result.help.startsWith(QStringView(usage).left(at))
        && QStringView(result.help).mid(at).startsWith(executable))
        result.help.replace(at, executable.size(), QStringLiteral("huroof"));
    const auto wrong = [&result](const QString &error) {
        result.action = CommandLine::Action::Wrong;
        result.error = error;
        return result;
    };
    if (!parser.parse(arguments))
        return wrong(parser.errorText());
    if (parser.isSet(help)) {
        result.action = CommandLine::Action::Help;
        return result;
    }
    if (parser.isSet(version)) {
        result.action = CommandLine::Action::Version;
        return result;
    }

    int chosen = 0;
    for (const QCommandLineOption &option : {voices, progress, importVoice, exportHistory, exportVoices, importVoices}) {
        if (parser.isSet(option))
            ++chosen;
    }
    if (chosen > 1)
        return wrong(CommandLine::tr("Choose one of --voices, --progress, --import-voice, --export-history, --export-voices and "
                          "--import-voices."));
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(importVoice)) {
        if (positional.size() != 1)
            return wrong(CommandLine::tr("--import-voice takes a NAME and one FILE: huroof --import-voice NAME FILE"));
        result.action = CommandLine::Action::ImportVoice;
        result.voice = parser.value(importVoice);
        result.file = positional[0];
        return result;
    }
    if (!positional.isEmpty())
        return wrong(CommandLine::tr("Unexpected argument '%1'.").arg(positional[0]));
    if (parser.isSet(fullScreen) && chosen > 0)
        return wrong(CommandLine::tr("--full-screen is for the child's window alone."));
    result.fullScreen = parser.isSet(fullScreen);
    if (parser.isSet(exportHistory)) {
        result.action = CommandLine::Action::ExportHistory;
        result.file = parser.value(exportHistory);
    } else if (parser.isSet(exportVoices)) {
        result.action = CommandLine::Action::ExportVoices;
        result.file = parser.value(exportVoices);
    } else if (parser.isSet(importVoices)) {
        result.action = CommandLine::Action::ImportVoices;
        result.file = parser.value(importVoices);
    } else if (parser.isSet(voices)) {
        result.action = CommandLine::Action::Voices;
    } else if (parser.isSet(progress)) {
        result.action = CommandLine::Action::Progress;
    }
    return result;
}

QString commandLineHint()
{
    return CommandLine::tr("Try 'huroof --help' for the options.");
}
