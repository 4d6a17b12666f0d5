#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include <memory>

namespace {

const QString kCatalogs = QStringLiteral(":/i18n");
const QString kLanguageKey = QStringLiteral("grownUps/language");
const QString kSource = QStringLiteral("en");

// The language part of a POSIX locale name: "fr" of "fr_CA.UTF-8@euro";
// nothing for the C locale, which names no language.
QString languageOf(const QString &locale)
{
    QString code = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    code = code.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0).toLower();
    if (code == QLatin1String("c") || code == QLatin1String("posix"))
        return {};
    return code;
}

// The catalogs in use, replaced as a whole when the language changes.
struct Installed
{
    QString code = kSource;
    std::unique_ptr<QTranslator> ours;
    std::unique_ptr<QTranslator> qts;
};

Installed &installed()
{
    static Installed state;
    return state;
}

} // namespace

namespace i18n {

QStringList languages()
{
    // The catalogs are compiled in: read once.
    static const QStringList codes = [] {
        QStringList found{kSource};
        for (const QString &file : QDir(kCatalogs).entryList({QStringLiteral("huroof_*.qm")}, QDir::Files)) {
            const QString code = file.mid(7, file.size() - 7 - 3);
            if (!found.contains(code))
                found << code;
        }
        found.sort();
        return found;
    }();
    return codes;
}

QString nativeName(const QString &code)
{
    // English is English, not the "American English" of its default region.
    if (code == kSource)
        return QStringLiteral("English");
    const QLocale locale(code);
    QString name = locale.nativeLanguageName();
    if (name.isEmpty())
        return code;
    // "français" as a list's entry starts with a capital, as "English" does.
    return locale.toUpper(name.left(1)) + name.mid(1);
}

QString processEnvironment(const char *name)
{
    return qEnvironmentVariable(name);
}

QString desktopLanguage(const Environment &environment)
{
    // The locale of messages, as setlocale() finds it. In the C locale
    // (LC_ALL=C or C.UTF-8, as scripts set it for output they can read,
    // or none set at all) nothing is translated, and gettext reads no
    // LANGUAGE either.
    QString locale;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment(name);
        if (!locale.isEmpty())
            break;
    }
    if (languageOf(locale).isEmpty())
        return kSource;
    const QStringList have = languages();
    QStringList asked = environment("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        asked << environment(name);
    for (const QString &locale : std::as_const(asked)) {
        const QString code = languageOf(locale);
        if (have.contains(code))
            return code;
    }
    return kSource;
}

QString keptLanguage()
{
    return QSettings().value(kLanguageKey).toString();
}

void keepLanguage(const QString &code)
{
    QSettings settings;
    if (code.isEmpty())
        settings.remove(kLanguageKey);
    else
        settings.setValue(kLanguageKey, code);
    settings.sync();
}

QString chosenLanguage(const Environment &environment)
{
    const QString kept = keptLanguage();
    return languages().contains(kept) ? kept : desktopLanguage(environment);
}

void useLanguage(const QString &asked, QtTexts qt)
{
    Installed &now = installed();
    const QString code = languages().contains(asked) ? asked : kSource;
    // Removing a translator sends the change as well; the new ones go in
    // before the old go out, so no window is ever shown half in English.
    auto ours = std::make_unique<QTranslator>();
    if (!ours->load(QStringLiteral("huroof_") + code, kCatalogs))
        ours.reset();
    std::unique_ptr<QTranslator> qts;
    if (qt == QtTexts::Too) {
        qts = std::make_unique<QTranslator>();
        if (!qts->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            qts.reset();
    }
    for (QTranslator *t : {ours.get(), qts.get()}) {
        if (t)
            QCoreApplication::installTranslator(t);
    }
    for (QTranslator *t : {now.ours.get(), now.qts.get()}) {
        if (t)
            QCoreApplication::removeTranslator(t);
    }
    now.ours = std::move(ours);
    now.qts = std::move(qts);
    now.code = code;

    // Numbers and dates as the language writes them; the desktop's own
    // region where it speaks this language (fr_CA, en_GB). By its name:
    // the system's locale takes its name from LANGUAGE but its formats
    // from LC_TIME, so LANGUAGE=ar under an English LANG would write
    // Arabic dates the American way.
    const QString system = QLocale::system().name();
    QLocale::setDefault(system.section(QLatin1Char('_'), 0, 0) == code ? QLocale(system) : QLocale(code));
}

QString currentLanguage()
{
    return installed().code;
}

} // namespace i18n

// Qt turns the application right to left when the catalog translates this
// key so; lupdate keeps it in every catalog because it is named here.
[[maybe_unused]] static const struct
{
    const char *source;
    const char *comment;
} kLayoutDirection = QT_TRANSLATE_NOOP3(
    "QGuiApplication", "QT_LAYOUT_DIRECTION",
    "Translate this string to the string 'LTR' in left-to-right languages or to 'RTL' in right-to-left languages "
    "(such as Hebrew and Arabic) to get proper widget layout.");
