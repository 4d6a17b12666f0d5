#include "look.h"

#include <QSettings>

#include "design.h"

#include <QFont>
#include <QFontDatabase>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include <cmath>

namespace {

// The face the windows draw every text with, Arabic and digits alike, in
// place of the design's Arial and MS Serif: it travels inside the program,
// so the windows look the same on every machine, whatever fonts it has.
// Noto Naskh Arabic is as compact as the design's faces were: the wider
// Arabic sans faces do not fit the lists' entries.
QString programFace()
{
    static const QString face = [] {
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/NotoNaskhArabic-Bold.ttf"));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QStringLiteral("Noto Naskh Arabic") : families.first();
    }();
    return face;
}

// Registered the first time a grown-up's text is shown: the child's window
// never needs it.
QString latinFace()
{
    static const QString face = [] {
        QString family;
        for (const QString &file : {QStringLiteral(":/fonts/NotoSans-Regular.ttf"), QStringLiteral(":/fonts/NotoSans-Bold.ttf")}) {
            const QStringList families = QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(file));
            if (!families.isEmpty())
                family = families.first();
        }
        return family.isEmpty() ? QStringLiteral("Noto Sans") : family;
    }();
    return face;
}

} // namespace

QFont grownUpsFont(double points, bool bold)
{
    QFont f = designFont(FontDesign{"", points, bold});
    f.setFamilies({latinFace(), programFace()});
    return f;
}

QFont designFont(const FontDesign &font)
{
    QFont f;
    f.setFamilies({programFace()});
    if (font.points > 0)
        f.setPixelSize(int(std::lround(font.points * 96.0 / 72.0)));
    f.setBold(font.bold);
    return f;
}

// Every size read at once: the window system is handed them all when a
// window shows.
QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(readPicture(QStringLiteral(":/pictures/icon-%1.png").arg(size)));
    return icon;
}

QPixmap readPicture(const QString &path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

namespace {

const QString kFullScreenKey = QStringLiteral("childWindow/fullScreen");

} // namespace

bool keptFullScreen()
{
    return QSettings().value(kFullScreenKey, false).toBool();
}

void keepFullScreen(bool on)
{
    QSettings settings;
    settings.setValue(kFullScreenKey, on);
    settings.sync();
}
