#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The grown-ups' side of the program speaks the parent's language: the
// voices window, the progress window, the command line and the lock's
// words. The child's window is Arabic whatever the language.
//
// Texts are written in English in the code (tr()); every other language is
// a catalog, translations/huroof_<code>.ts, compiled into the program.
namespace i18n {

// The languages there is a catalog for, English among them ("ar", "en",
// "fr" …), sorted.
QStringList languages();

// A language's name in itself, for a list a parent picks from.
QString nativeName(const QString &code);

// The value of an environment variable; tests pass their own.
using Environment = std::function<QString(const char *name)>;
QString processEnvironment(const char *name);

// The language the desktop asks for, as gettext reads it: the first of
// LANGUAGE's entries (a colon-separated list), LC_ALL, LC_MESSAGES and LANG
// that names a language there is a catalog for; English when none does.
// "fr_CA.UTF-8@euro" names French. English too, whatever LANGUAGE says,
// in the C locale: the first of LC_ALL, LC_MESSAGES and LANG that is set
// is C or POSIX (C.UTF-8 included), or none is.
QString desktopLanguage(const Environment &environment = processEnvironment);

// The language a grown-up chose in the windows, kept in the program's
// settings; empty when they left it to the desktop.
QString keptLanguage();
void keepLanguage(const QString &code);

// What the program speaks: the kept choice where there is a catalog for
// it, else the desktop's.
QString chosenLanguage(const Environment &environment = processEnvironment);

// Whether Qt's own texts (dialog buttons, file dialogs, the command line's
// "Usage:") are translated too; the child's window shows none of them.
enum class QtTexts { Too, Not };

// Puts `code`'s catalog in place of the one in use (an unknown code gives
// English) and makes its locale the default for numbers and dates. The
// application's layout direction follows the catalog: right to left for
// Arabic. Needs a QCoreApplication.
void useLanguage(const QString &code, QtTexts qt = QtTexts::Too);

// The language in use: "en" until useLanguage() says otherwise.
QString currentLanguage();

} // namespace i18n
