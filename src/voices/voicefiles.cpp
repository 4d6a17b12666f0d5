#include "voicefiles.h"

#include "platform/datafolder.h"
#include "shell/letters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <cerrno>
#ifdef Q_OS_UNIX
#include <dirent.h>
#endif

namespace voices {

namespace {

// What the voices folder says, in the grown-ups' language.
struct VoiceFiles
{
    Q_DECLARE_TR_FUNCTIONS(VoiceFiles)
};

void append16(QByteArray &out, quint16 v)
{
    const quint16 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 2);
}

void append32(QByteArray &out, quint32 v)
{
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

// Writes all of `bytes`: a write cut short is made again for the rest, so
// that the error it then meets (a full disk) is the one said, not none.
bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Why a write failed, as a grown-up can act on it: no room left on the
// disk (or for this user, or for a file this large) is said as a full disk.
QString whyNotWritten(const QFileDevice &file)
{
    const QString why = file.errorString();
    if (file.error() == QFileDevice::ResourceError)
        return VoiceFiles::tr("the disk is full");
    for (const int full : {ENOSPC, EDQUOT, EFBIG}) {
        if (why == qt_error_string(full))
            return VoiceFiles::tr("the disk is full");
    }
    return why;
}

QString cannotWrite(const QString &folder, const QString &why)
{
    return VoiceFiles::tr("Cannot write to the folder %1 (%2): nothing changed.")
        .arg(QDir::toNativeSeparators(folder), why);
}

// Copies `from` to `to` in one step: written beside `to`, then renamed over
// it. The error, empty when copied.
QString copyWhole(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    QSaveFile out(to);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    QByteArray chunk;
    while (!(chunk = in.read(1 << 16)).isEmpty()) {
        if (!writeAll(out, chunk)) {
            const QString why = whyNotWritten(out);
            out.cancelWriting();
            return why;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return in.errorString();
    }
    return out.commit() ? QString() : whyNotWritten(out);
}

} // namespace

QString voiceFile(int voice)
{
    if (voice == kRightVoice)
        return QStringLiteral("yes.wav");
    if (voice == kWrongVoice)
        return QStringLiteral("no.wav");
    return QStringLiteral("wa/%1.wav").arg(voice + 1);
}

QString voiceSoundName(int voice)
{
    return QLatin1Char('\\') + voiceFile(voice).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString voiceTitle(int voice)
{
    if (voice == kRightVoice)
        return VoiceFiles::tr("the right answer");
    if (voice == kWrongVoice)
        return VoiceFiles::tr("the wrong answer");
    return letterGlyph(voice);
}

QString noVoice()
{
    return VoiceFiles::tr("No voice can be heard, so nothing was kept.");
}

std::optional<int> voiceNamed(const QString &name)
{
    if (name == QLatin1String("yes"))
        return kRightVoice;
    if (name == QLatin1String("no"))
        return kWrongVoice;
    bool number = false;
    const int n = name.toInt(&number);
    if (number && n >= 1 && n <= kLetterCount && QString::number(n) == name)
        return n - 1;
    for (int k = 0; k < kLetterCount; ++k) {
        // The heh is also known without its tatweel.
        QString glyph = letterGlyph(k);
        if (name == glyph || (glyph.size() > 1 && name == glyph.left(1)))
            return k;
    }
    return std::nullopt;
}

QString voiceArgument(int voice)
{
    if (voice == kRightVoice)
        return QStringLiteral("yes");
    if (voice == kWrongVoice)
        return QStringLiteral("no");
    return QString::number(voice + 1);
}

bool nameIsNotText(const QString &path)
{
#ifdef Q_OS_UNIX
    if (!path.contains(QChar::ReplacementCharacter))
        return false;
    // Listed as the system has the names: Qt leaves out those it cannot
    // read as text.
    const QFileInfo info(path);
    DIR *folder = ::opendir(QFile::encodeName(info.path()).constData());
    if (!folder)
        return false;
    bool found = false;
    while (const dirent *entry = ::readdir(folder)) {
        if (QString::fromLocal8Bit(entry->d_name) == info.fileName()) {
            found = true;
            break;
        }
    }
    ::closedir(folder);
    return found;
#else
    // Names are UTF-16 there: every one reads as text.
    Q_UNUSED(path);
    return false;
#endif
}

QString userVoicesFolder()
{
    return programDataFolder() + QStringLiteral("/voices");
}

QByteArray waveBytes(const EvenTake &take)
{
    const auto dataBytes = quint32(take.samples.size() * 2);
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF");
    append32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    append32(out, 16);
    append16(out, 1); // PCM
    append16(out, 1); // mono
    append32(out, quint32(take.rate));
    append32(out, quint32(take.rate) * 2);
    append16(out, 2);
    append16(out, 16);
    out.append("data");
    append32(out, dataBytes);
    for (const std::int16_t s : take.samples)
        append16(out, quint16(s));
    return out;
}

VoiceFolder::VoiceFolder(QString path)
    : m_path(std::move(path))
{
}

QString VoiceFolder::filePath(int voice) const
{
    return m_path + QLatin1Char('/') + voiceFile(voice);
}

bool VoiceFolder::hasOwn(int voice) const
{
    return QFileInfo(filePath(voice)).isFile();
}

Change VoiceFolder::save(int voice, const EvenTake &take) const
{
    const Change change = keep(voice, waveBytes(take), KeepOld::No);
    if (change.ok())
        QFile::remove(change.path + QStringLiteral(".old"));
    return change;
}

Change VoiceFolder::saveWave(int voice, const QByteArray &wave) const
{
    return keep(voice, wave, hasOwn(voice) ? KeepOld::Yes : KeepOld::No);
}

Change VoiceFolder::keep(int voice, const QByteArray &bytes, KeepOld keepOld) const
{
    const QString path = filePath(voice);
    const QString folder = QFileInfo(path).path();
    if (!makePrivateFolder(folder))
        return {{}, cannotWrite(folder, VoiceFiles::tr("it cannot be created"))};
    QSaveFile file(path);
    // Written beside the voice, never in its place: on failure the old
    // voice stays as it was.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return {{}, cannotWrite(folder, file.errorString()), file.errorString()};
    if (!writeAll(file, bytes)) {
        const QString why = whyNotWritten(file);
        file.cancelWriting();
        return {{}, cannotWrite(folder, why), why};
    }
    // The voice that plays now, copied whole to "N.wav.old" before the new
    // one takes its place: a failure on the way leaves it playing, and at
    // worst a copy of it as the old one.
    if (keepOld == KeepOld::Yes) {
        if (const QString why = copyWhole(path, path + QStringLiteral(".old")); !why.isEmpty()) {
            file.cancelWriting();
            return {{}, cannotWrite(folder, why), why};
        }
    }
    // commit() flushes the file to the disk before renaming it.
    if (!file.commit())
        return {{}, cannotWrite(folder, whyNotWritten(file)), whyNotWritten(file)};
    return {path, {}};
}

Change VoiceFolder::revert(int voice) const
{
    const QString path = filePath(voice);
    if (!hasOwn(voice))
        return {{}, {}};
    const QString old = path + QStringLiteral(".old");
    if (QFileInfo::exists(old) && !QFile::remove(old))
        return {{}, cannotWrite(QFileInfo(path).path(), VoiceFiles::tr("%1 is still there").arg(QFileInfo(old).fileName()))};
    QFile file(path);
    if (!file.rename(old))
        return {{}, cannotWrite(QFileInfo(path).path(), file.errorString())};
    return {old, {}};
}

} // namespace voices
