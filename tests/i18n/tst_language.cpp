// The grown-ups' language: which one the desktop asks for, a grown-up's
// choice over it, what putting one in use changes, and catalogs that
// translate every text the code has, keeping each text's numbers.
#include "i18n/language.h"
#include "i18n/languagechoice.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDomDocument>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestLanguage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void desktopLanguage_data();
    void desktopLanguage();
    void aKeptChoiceComesFirst();
    void useLanguage_data();
    void useLanguage();
    void datesAsTheLanguageWritesThem_data();
    void datesAsTheLanguageWritesThem();
    void choosingInTheWindow();
    void theWindowIsBuiltAgainInTheLanguageChosen();
    void catalogsAreComplete_data();
    void catalogsAreComplete();
};

void TestLanguage::initTestCase()
{
    // The settings a grown-up keeps are the test's own.
    QStandardPaths::setTestModeEnabled(true);
}

void TestLanguage::init()
{
    i18n::keepLanguage({});
    i18n::useLanguage(QStringLiteral("en"));
}

void TestLanguage::desktopLanguage_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("language");
    QTest::newRow("nothing set") << QStringList{} << "en";
    QTest::newRow("the C locale") << QStringList{"LANG=C.UTF-8"} << "en";
    QTest::newRow("POSIX over French") << QStringList{"LC_ALL=POSIX", "LANG=fr_FR.UTF-8"} << "en";
    QTest::newRow("Arabic") << QStringList{"LANG=ar_EG.UTF-8"} << "ar";
    QTest::newRow("a region, a codeset, a modifier") << QStringList{"LANG=fr_CA.ISO-8859-1@euro"} << "fr";
    QTest::newRow("a language there is none for") << QStringList{"LANG=de_DE.UTF-8"} << "en";
    QTest::newRow("LANGUAGE's first there is") << QStringList{"LANGUAGE=de:pt_BR:ar:fr", "LANG=en_US.UTF-8"} << "ar";
    QTest::newRow("LANGUAGE before LC_ALL") << QStringList{"LANGUAGE=en", "LC_ALL=ar_SA.UTF-8"} << "en";
    QTest::newRow("LC_ALL before LC_MESSAGES") << QStringList{"LC_ALL=ar_SA.UTF-8", "LC_MESSAGES=fr_FR"} << "ar";
    QTest::newRow("LC_MESSAGES before LANG") << QStringList{"LC_MESSAGES=fr_FR", "LANG=ar_SA.UTF-8"} << "fr";
    QTest::newRow("LANGUAGE with nothing there, then LANG") << QStringList{"LANGUAGE=de:it", "LANG=fr_BE"} << "fr";
    QTest::newRow("an empty LANGUAGE") << QStringList{"LANGUAGE=", "LANG=ar_MA.UTF-8"} << "ar";
    QTest::newRow("a capital") << QStringList{"LANG=FR_fr"} << "fr";
    // As gettext reads them: LANGUAGE counts only outside the C locale.
    QTest::newRow("LANGUAGE in a script's C locale") << QStringList{"LANGUAGE=fr", "LC_ALL=C", "LANG=ar_EG.UTF-8"}
                                                     << "en";
    QTest::newRow("LANGUAGE in C.UTF-8") << QStringList{"LANGUAGE=fr:ar", "LC_ALL=C.UTF-8"} << "en";
    QTest::newRow("LANGUAGE in C.utf8, from LANG") << QStringList{"LANGUAGE=ar", "LANG=C.utf8"} << "en";
    QTest::newRow("LANGUAGE in POSIX messages") << QStringList{"LANGUAGE=ar", "LC_MESSAGES=POSIX", "LANG=fr_FR"}
                                                << "en";
    QTest::newRow("LANGUAGE with no locale set") << QStringList{"LANGUAGE=fr"} << "en";
    QTest::newRow("LANGUAGE in an English locale") << QStringList{"LANGUAGE=fr", "LC_ALL=en_US.UTF-8"} << "fr";
    QTest::newRow("LANGUAGE when only messages are set") << QStringList{"LANGUAGE=ar", "LC_MESSAGES=de_DE"} << "ar";
}

void TestLanguage::desktopLanguage()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, language);
    const auto env = [&environment](const char *name) {
        for (const QString &variable : environment) {
            if (variable.section('=', 0, 0) == QLatin1String(name))
                return variable.section('=', 1);
        }
        return QString();
    };
    QCOMPARE(i18n::desktopLanguage(env), language);
}

void TestLanguage::aKeptChoiceComesFirst()
{
    const auto arabicDesktop = [](const char *name) {
        return QString::fromLatin1(name) == QLatin1String("LANG") ? QStringLiteral("ar_EG.UTF-8") : QString();
    };
    QCOMPARE(i18n::chosenLanguage(arabicDesktop), "ar");
    i18n::keepLanguage(QStringLiteral("fr"));
    QCOMPARE(i18n::keptLanguage(), "fr");
    QCOMPARE(i18n::chosenLanguage(arabicDesktop), "fr");
    // A choice the program no longer has a catalog for leaves it to the
    // desktop.
    i18n::keepLanguage(QStringLiteral("tlh"));
    QCOMPARE(i18n::chosenLanguage(arabicDesktop), "ar");
    i18n::keepLanguage({});
    QCOMPARE(i18n::keptLanguage(), QString());
    QCOMPARE(i18n::chosenLanguage(arabicDesktop), "ar");
}

void TestLanguage::useLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("qtTexts");
    QTest::addColumn<QString>("inUse");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QString>("ours");  // "Show these options and exit."
    QTest::addColumn<QString>("qts");   // Qt's own "Unknown option '%1'."
    QTest::addColumn<QLocale::Language>("locale");
    QTest::newRow("Arabic") << "ar" << true << "ar" << Qt::RightToLeft << "اعرض هذه الخيارات واخرج."
                            << "الخيار ’%1‘ مجهول." << QLocale::Arabic;
    QTest::newRow("French") << "fr" << true << "fr" << Qt::LeftToRight << "Afficher ces options et quitter."
                            << "Option inconnue \"%1\"." << QLocale::French;
    QTest::newRow("English") << "en" << true << "en" << Qt::LeftToRight << "Show these options and exit."
                             << "Unknown option '%1'." << QLocale::English;
    QTest::newRow("none there: English") << "de" << true << "en" << Qt::LeftToRight
                                         << "Show these options and exit." << "Unknown option '%1'."
                                         << QLocale::English;
    QTest::newRow("Arabic without Qt's texts") << "ar" << false << "ar" << Qt::RightToLeft
                                               << "اعرض هذه الخيارات واخرج." << "Unknown option '%1'."
                                               << QLocale::Arabic;
}

void TestLanguage::useLanguage()
{
    QFETCH(QString, code);
    QFETCH(bool, qtTexts);
    QFETCH(QString, inUse);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QString, ours);
    QFETCH(QString, qts);
    QFETCH(QLocale::Language, locale);
    // From another language, so that every change is seen.
    i18n::useLanguage(code == "ar" ? QStringLiteral("fr") : QStringLiteral("ar"));
    i18n::useLanguage(code, qtTexts ? i18n::QtTexts::Too : i18n::QtTexts::Not);
    QCoreApplication::processEvents();
    QCOMPARE(i18n::currentLanguage(), inUse);
    QCOMPARE(QGuiApplication::layoutDirection(), direction);
    QCOMPARE(QCoreApplication::translate("CommandLine", "Show these options and exit."), ours);
    QCOMPARE(QCoreApplication::translate("QCommandLineParser", "Unknown option '%1'."), qts);
    QCOMPARE(QLocale().language(), locale);
}

void TestLanguage::datesAsTheLanguageWritesThem_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("Arabic") << "ar";
    QTest::newRow("French") << "fr";
    QTest::newRow("English") << "en";
}

void TestLanguage::datesAsTheLanguageWritesThem()
{
    // Run again under LANGUAGE=ar with an English LANG (see
    // tests/CMakeLists.txt), where the system's locale is named after
    // LANGUAGE but writes dates as LC_TIME does: the windows' dates are the
    // language's own, never another's with its name.
    QFETCH(QString, code);
    i18n::useLanguage(code);
    const QLocale now;
    QCOMPARE(QLocale::languageToCode(now.language()), code);
    QCOMPARE(now.dateFormat(QLocale::ShortFormat), QLocale(now.name()).dateFormat(QLocale::ShortFormat));
}

void TestLanguage::choosingInTheWindow()
{
    LanguageChoice choice;
    QComboBox *list = choice.list();
    // The desktop's first, then every language by its own name.
    QCOMPARE(list->count(), i18n::languages().size() + 1);
    QCOMPARE(list->currentIndex(), 0);
    QVERIFY(list->findText(QStringLiteral("العربية")) > 0);
    QVERIFY(list->findText(QStringLiteral("Français")) > 0);
    QVERIFY(list->findText(QStringLiteral("English")) > 0);

    QSignalSpy chosen(&choice, &LanguageChoice::chosen);
    list->setCurrentIndex(list->findText(QStringLiteral("العربية")));
    emit list->activated(list->currentIndex());
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(i18n::keptLanguage(), "ar");
    QCOMPARE(i18n::currentLanguage(), "ar");
    QCoreApplication::processEvents();
    QCOMPARE(QGuiApplication::layoutDirection(), Qt::RightToLeft);

    // Back to the desktop's: nothing kept, and its language in use.
    list->setCurrentIndex(0);
    emit list->activated(0);
    QCOMPARE(chosen.size(), 2);
    QCOMPARE(i18n::keptLanguage(), QString());
    QCOMPARE(i18n::currentLanguage(), i18n::desktopLanguage());
    // Choosing what is already in use rebuilds nothing.
    emit list->activated(0);
    QCOMPARE(chosen.size(), 2);
}

void TestLanguage::theWindowIsBuiltAgainInTheLanguageChosen()
{
    QList<QWidget *> replaced;
    WindowInLanguage shown([&replaced](QWidget *old) {
        replaced << old;
        auto window = std::make_unique<QWidget>();
        auto *rows = new QVBoxLayout(window.get());
        rows->addWidget(new QLabel(QCoreApplication::translate("CommandLine", "Show these options and exit.")));
        rows->addWidget(new LanguageChoice);
        return window;
    });
    QVERIFY(shown.window()->isVisible());
    shown.window()->setGeometry(120, 90, 500, 300);
    const QRect place = shown.window()->geometry();
    const auto pick = [&shown](const QString &name) {
        QComboBox *list = shown.window()->findChild<LanguageChoice *>()->list();
        list->setCurrentIndex(list->findText(name));
        emit list->activated(list->currentIndex());
    };
    const auto words = [&shown] { return shown.window()->findChild<QLabel *>()->text(); };

    for (const auto &[name, said, direction] :
         {std::tuple{"العربية", "اعرض هذه الخيارات واخرج.", Qt::RightToLeft},
          std::tuple{"Français", "Afficher ces options et quitter.", Qt::LeftToRight}}) {
        QWidget *const old = shown.window();
        QPointer<QWidget> before = old;
        pick(QString::fromUtf8(name));
        // The old window goes, once its list has finished with the click,
        // and its successor was shown what it replaced.
        QTRY_VERIFY(before.isNull());
        QCOMPARE(replaced.last(), old);
        QVERIFY(shown.window()->isVisible());
        QCOMPARE(words(), QString::fromUtf8(said));
        QCOMPARE(shown.window()->layoutDirection(), direction);
        QCOMPARE(shown.window()->geometry(), place);
        // The new window's list shows what was chosen.
        QCOMPARE(shown.window()->findChild<LanguageChoice *>()->list()->currentText(), QString::fromUtf8(name));
    }
    QCOMPARE(replaced.size(), 3);
    QCOMPARE(replaced.first(), nullptr);
}

namespace {

// %1, %2 … and %n: what a translation must keep of its source.
QStringList placeholders(const QString &text)
{
    QStringList found;
    static const QRegularExpression marker(QStringLiteral("%(?:L?\\d+|L?n)"));
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found << it.next().captured().remove(QLatin1Char('L'));
    found.sort();
    found.removeDuplicates();
    return found;
}

} // namespace

void TestLanguage::catalogsAreComplete_data()
{
    QTest::addColumn<QString>("catalog");
    for (const QString &file : QDir(HUROOF_TRANSLATIONS).entryList({QStringLiteral("huroof_*.ts")}))
        QTest::newRow(qPrintable(file)) << file;
}

void TestLanguage::catalogsAreComplete()
{
    QFETCH(QString, catalog);
    // lupdate run on a copy against today's code: a text added to the code
    // and not yet translated is unfinished there.
    QTemporaryDir dir;
    const QString copy = dir.filePath(catalog);
    QVERIFY(QFile::copy(QStringLiteral(HUROOF_TRANSLATIONS "/") + catalog, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    QStringList arguments{QStringLiteral(HUROOF_SOURCES), QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                          QStringLiteral("none"), QStringLiteral("-ts"), copy};
    const bool plurals = catalog == QLatin1String("huroof_en.ts");
    if (plurals)
        arguments << QStringLiteral("-pluralonly");
    QProcess lupdate;
    lupdate.start(QStringLiteral(HUROOF_LUPDATE), arguments);
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);

    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QDomDocument ts;
    QVERIFY(ts.setContent(&file));
    QStringList faults;
    int messages = 0;
    const QDomNodeList all = ts.elementsByTagName(QStringLiteral("message"));
    for (int i = 0; i < all.size(); ++i) {
        const QDomElement message = all.at(i).toElement();
        const QString source = message.firstChildElement(QStringLiteral("source")).text();
        const QDomElement translation = message.firstChildElement(QStringLiteral("translation"));
        ++messages;
        if (translation.attribute(QStringLiteral("type")) == QLatin1String("unfinished")) {
            faults << QStringLiteral("unfinished: ") + source;
            continue;
        }
        QStringList forms;
        for (QDomElement f = translation.firstChildElement(QStringLiteral("numerusform")); !f.isNull();
             f = f.nextSiblingElement(QStringLiteral("numerusform")))
            forms << f.text();
        if (message.attribute(QStringLiteral("numerus")) != QLatin1String("yes"))
            forms = {translation.text()};
        const QStringList wanted = placeholders(source);
        for (const QString &form : std::as_const(forms)) {
            if (form.trimmed().isEmpty()) {
                faults << QStringLiteral("empty: ") + source;
                continue;
            }
            // A plural form may leave the number out ("once", "مرتان"); no
            // form may bring in a number the source does not give.
            QStringList have = placeholders(form);
            if (message.attribute(QStringLiteral("numerus")) == QLatin1String("yes"))
                have.removeAll(QStringLiteral("%n"));
            QStringList need = wanted;
            if (message.attribute(QStringLiteral("numerus")) == QLatin1String("yes"))
                need.removeAll(QStringLiteral("%n"));
            if (have != need)
                faults << QStringLiteral("%1 → %2: keeps %3 of %4")
                              .arg(source, form, have.join(QLatin1Char(' ')), need.join(QLatin1Char(' ')));
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    // The source language's catalog holds the plurals alone; the others
    // everything.
    QVERIFY(plurals || messages > 20);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
