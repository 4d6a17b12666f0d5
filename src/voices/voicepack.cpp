#include "voicepack.h"

#include "platform/fileidentity.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QtEndian>

#include "platform/wavefile.h"

#include <SDL.h>
#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <limits>
#include <cmath>
#include <memory>
#include <optional>

namespace voices {

namespace {

// What a pack's import and export say, in the grown-ups' language.
struct VoicePack
{
    Q_DECLARE_TR_FUNCTIONS(VoicePack)
};

// The highest format number a manifest may give: any newer program's, far
// below what an integer holds.
constexpr double kLatestFormatNumber = 1 << 30;
// The highest rate a voice in a pack has: no recorder records above it.
constexpr int kHighestVoiceRate = 192000;
// The manifest is a few hundred bytes; anything near this is not one.
constexpr qint64 kManifestMost = 64 << 10;
// A ZIP's own bytes (headers, the directory) around what it holds.
constexpr qint64 kPackOverhead = 1 << 20;

using Archive = std::unique_ptr<archive, int (*)(archive *)>;
using Entry = std::unique_ptr<archive_entry, void (*)(archive_entry *)>;

// What libarchive says went wrong, never empty.
QString archiveError(archive *a)
{
    const char *why = archive_error_string(a);
    return why && *why ? QString::fromUtf8(why) : QStringLiteral("ZIP");
}

QString megabytes(qint64 bytes)
{
    return QString::number(bytes >> 20);
}

// Why `bytes` are not a voice the sound player plays as it is: empty when
// they are one. Judged as the player judges a file it plays (SDL reads WAVE
// files without its audio started), then as a voice: one or two channels,
// at a rate a voice is recorded at.
QString waveProblem(const QByteArray &bytes)
{
    SDL_RWops *rw = SDL_RWFromConstMem(bytes.constData(), int(bytes.size()));
    if (!rw)
        return QString::fromUtf8(SDL_GetError());
    const std::unique_ptr<SDL_RWops, int (*)(SDL_RWops *)> closed(rw, SDL_RWclose);
    wavefile::Wave wave;
    SDL_ClearError();
    // No duration bound: kPackMostPerVoice is the tighter one.
    switch (wavefile::read(rw, std::numeric_limits<double>::max(), wave)) {
    case wavefile::Fault::None:
        break;
    case wavefile::Fault::CutShort:
        return VoicePack::tr("it is shorter than its header says: cut short, or never finished");
    case wavefile::Fault::NoSound:
        return VoicePack::tr("no sound in it");
    case wavefile::Fault::NotWave:
    case wavefile::Fault::TooLong:
        // What SDL found wrong, when it read that far.
        if (const char *why = SDL_GetError(); why && *why)
            return QString::fromUtf8(why);
        return VoicePack::tr("no WAVE header");
    }
    if (wave.channels != 1 && wave.channels != 2)
        return VoicePack::tr("%n channel(s)", "", wave.channels);
    if (wave.rate < kLowestVoiceRate || wave.rate > kHighestVoiceRate)
        return VoicePack::tr("%1 Hz").arg(wave.rate);
    return {};
}

std::optional<int> voiceOfFile(const QString &name)
{
    for (int voice = 0; voice < kVoiceCount; ++voice) {
        if (voiceFile(voice) == name)
            return voice;
    }
    return std::nullopt;
}

// A name that would put a file anywhere but inside the folder it is
// unpacked in: absolute, with a drive, with "..", or with Windows's
// separator.
bool leavesTheFolder(const QString &name)
{
    if (name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return true;
    if (name.size() >= 2 && name[1] == QLatin1Char(':'))
        return true;
    const QStringList parts = name.split(QLatin1Char('/'));
    return std::any_of(parts.begin(), parts.end(), [](const QString &part) { return part == QLatin1String(".."); });
}

// ---- A ZIP's names ----

// An entry's name as the ZIP's central directory gives it (the one every
// unzip shows and extracts under) and as its own local header does (the one
// libarchive reads it by).
struct ZipName
{
    QByteArray central;
    QByteArray local;
};

template<typename T>
T at(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

QByteArray readAt(QFile &file, qint64 offset, qint64 length)
{
    return file.seek(offset) ? file.read(length) : QByteArray();
}

// An entry's name from its header's name and extra fields: the name, and
// the Unicode one that an extra field may give in its place (which unzip
// and libarchive show instead).
QByteArray named(const QByteArray &nameAndExtra, qsizetype nameLength)
{
    QByteArray name = nameAndExtra.left(nameLength);
    const QByteArray extra = nameAndExtra.mid(nameLength);
    for (qsizetype e = 0; e + 4 <= extra.size();) {
        const qsizetype fieldLength = at<quint16>(extra, e + 2);
        if (at<quint16>(extra, e) == 0x7075) // Info-ZIP's Unicode path: a version, a checksum, the name
            name += '\0' + extra.mid(e + 4 + 5, fieldLength - 5);
        e += 4 + fieldLength;
    }
    return name;
}

// Every entry's two names, in the directory's order; no value when the
// directory cannot be found or read. Zip64's larger fields are followed.
std::optional<QList<ZipName>> zipNames(QFile &file, qint64 most)
{
    constexpr qint64 kEndRecord = 22;
    const qint64 size = file.size();
    const qint64 tailStart = std::max<qint64>(0, size - kEndRecord - 0xFFFF);
    const QByteArray tail = readAt(file, tailStart, size - tailStart);
    const qsizetype end = tail.lastIndexOf(QByteArrayLiteral("PK\x05\x06"));
    if (end < 0 || tail.size() - end < kEndRecord)
        return std::nullopt;
    quint64 count = at<quint16>(tail, end + 10);
    quint64 length = at<quint32>(tail, end + 12);
    quint64 offset = at<quint32>(tail, end + 16);
    if (count == 0xFFFF || length == 0xFFFFFFFF || offset == 0xFFFFFFFF) {
        // Zip64: the end record's locator stands right before it.
        const QByteArray locator = readAt(file, tailStart + end - 20, 20);
        if (locator.size() != 20 || !locator.startsWith(QByteArrayLiteral("PK\x06\x07")))
            return std::nullopt;
        const QByteArray end64 = readAt(file, qint64(at<quint64>(locator, 8) & 0x7FFFFFFFFFFFFFFF), 56);
        if (end64.size() != 56 || !end64.startsWith(QByteArrayLiteral("PK\x06\x06")))
            return std::nullopt;
        count = at<quint64>(end64, 32);
        length = at<quint64>(end64, 40);
        offset = at<quint64>(end64, 48);
    }
    if (length > quint64(most) || offset > quint64(size))
        return std::nullopt;
    const QByteArray directory = readAt(file, qint64(offset), qint64(length));
    if (directory.size() != qsizetype(length))
        return std::nullopt;

    QList<ZipName> names;
    for (qsizetype pos = 0; quint64(names.size()) < count; ) {
        constexpr qsizetype kCentral = 46;
        if (directory.size() - pos < kCentral || !directory.mid(pos, 4).startsWith(QByteArrayLiteral("PK\x01\x02")))
            return std::nullopt;
        const qsizetype nameLength = at<quint16>(directory, pos + 28);
        const qsizetype extraLength = at<quint16>(directory, pos + 30);
        const qsizetype commentLength = at<quint16>(directory, pos + 32);
        if (directory.size() - pos - kCentral < nameLength + extraLength + commentLength)
            return std::nullopt;
        quint64 local = at<quint32>(directory, pos + 42);
        if (local == 0xFFFFFFFF) {
            // In the Zip64 extra field, after the sizes that overflowed.
            const QByteArray extra = directory.mid(pos + kCentral + nameLength, extraLength);
            for (qsizetype e = 0; e + 4 <= extra.size();) {
                const quint16 id = at<quint16>(extra, e);
                const qsizetype fieldLength = at<quint16>(extra, e + 2);
                if (id == 0x0001) {
                    qsizetype field = e + 4;
                    field += at<quint32>(directory, pos + 24) == 0xFFFFFFFF ? 8 : 0;
                    field += at<quint32>(directory, pos + 20) == 0xFFFFFFFF ? 8 : 0;
                    if (field + 8 > e + 4 + fieldLength || field + 8 > extra.size())
                        return std::nullopt;
                    local = at<quint64>(extra, field);
                    break;
                }
                e += 4 + fieldLength;
            }
        }
        const QByteArray header = readAt(file, qint64(std::min<quint64>(local, quint64(size))), 30);
        if (header.size() != 30 || !header.startsWith(QByteArrayLiteral("PK\x03\x04")))
            return std::nullopt;
        const QByteArray localName = readAt(file, qint64(local) + 30, at<quint16>(header, 26) + at<quint16>(header, 28));
        names.push_back({named(directory.mid(pos + kCentral, nameLength + extraLength), nameLength),
                         named(localName, at<quint16>(header, 26))});
        pos += kCentral + nameLength + extraLength + commentLength;
    }
    return names;
}

// ---- Writing ----

struct Packed
{
    QString name;
    QByteArray bytes;
    QDateTime modified;
};

// Where a pack is written. A failed write is remembered, not told to
// libarchive: told, it would leave an entry's compressor unfreed; the
// entry is finished into nothing instead, and no further one begun.
struct Sink
{
    QFileDevice &out;
    bool failed = false;
};

la_ssize_t writeTo(archive *, void *data, const void *buffer, size_t length)
{
    auto *sink = static_cast<Sink *>(data);
    if (!sink->failed)
        sink->failed = sink->out.write(static_cast<const char *>(buffer), qint64(length)) != qint64(length);
    return la_ssize_t(length);
}

bool add(archive *pack, const Packed &file)
{
    const Entry entry(archive_entry_new(), archive_entry_free);
    archive_entry_set_pathname_utf8(entry.get(), file.name.toUtf8().constData());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_size(entry.get(), file.bytes.size());
    archive_entry_set_mtime(entry.get(), file.modified.toSecsSinceEpoch(), 0);
    return archive_write_header(pack, entry.get()) == ARCHIVE_OK
        && archive_write_data(pack, file.bytes.constData(), size_t(file.bytes.size())) == file.bytes.size()
        && archive_write_finish_entry(pack) == ARCHIVE_OK;
}

// Writes the files as a ZIP into `out`; the error, empty when written.
QString writeZip(QFileDevice &out, const QList<Packed> &files)
{
    Sink sink{out};
    const Archive pack(archive_write_new(), archive_write_free);
    // Deflated; nothing after the ZIP's end (no padding to a block).
    if (archive_write_set_format_zip(pack.get()) != ARCHIVE_OK
        || archive_write_set_bytes_per_block(pack.get(), 0) != ARCHIVE_OK
        || archive_write_open2(pack.get(), &sink, nullptr, writeTo, nullptr, nullptr) != ARCHIVE_OK)
        return archiveError(pack.get());
    bool written = true;
    for (const Packed &file : files) {
        written = !sink.failed && add(pack.get(), file);
        if (!written)
            break;
    }
    written = archive_write_close(pack.get()) == ARCHIVE_OK && written;
    if (sink.failed)
        return out.errorString();
    return written ? QString() : archiveError(pack.get());
}

// ---- Reading ----

struct Unpacked
{
    int voice;
    QByteArray bytes;
};

class PackReader
{
public:
    explicit PackReader(const QString &file)
        : m_file(file)
    {
    }

    // Every voice of the pack, checked; no value, and `error()` saying
    // which entry and what is wrong, for a pack that cannot be kept.
    std::optional<QList<Unpacked>> read();
    const QString &error() const { return m_error; }

private:
    // `why` says what is wrong with the pack, or with one of its entries.
    std::nullopt_t refuse(const QString &why)
    {
        m_error = VoicePack::tr("%1: %2 Nothing changed.").arg(m_file, why);
        return std::nullopt;
    }
    std::nullopt_t damaged(archive *pack)
    {
        return refuse(VoicePack::tr("not a valid voice pack (%1).").arg(archiveError(pack)));
    }
    // The entry's bytes, never more than `most`; no value (and the error
    // said) past it or on a damaged entry.
    std::optional<QByteArray> readEntry(archive *pack, archive_entry *entry, const QString &name, qint64 most);
    // The manifest's format and sounds; no value when it is not one.
    std::optional<QStringList> readManifest(const QByteArray &bytes);

    QString m_file;
    QString m_error;
};

std::optional<QByteArray> PackReader::readEntry(archive *pack, archive_entry *entry, const QString &name, qint64 most)
{
    const bool declared = archive_entry_size_is_set(entry);
    const qint64 limit = declared ? std::min<qint64>(archive_entry_size(entry), most) : most;
    QByteArray bytes;
    char chunk[1 << 16];
    for (;;) {
        const la_ssize_t n = archive_read_data(pack, chunk, sizeof chunk);
        if (n < 0)
            return damaged(pack);
        if (n == 0)
            break;
        // Stopped as soon as the bound is passed: a bomb is never held.
        if (bytes.size() + n > limit) {
            if (declared)
                return refuse(VoicePack::tr("“%1” is longer than the pack says: the pack is damaged.").arg(name));
            if (name == kPackManifest)
                return refuse(VoicePack::tr("“%1” is larger than it can be: not a valid voice pack.").arg(name));
            if (most < kPackMostPerVoice)
                return refuse(VoicePack::tr("its voices are larger than %1 MB.").arg(megabytes(kPackMost)));
            return refuse(VoicePack::tr("“%1” is larger than %2 MB.").arg(name, megabytes(kPackMostPerVoice)));
        }
        bytes.append(chunk, int(n));
    }
    if (declared && bytes.size() != archive_entry_size(entry))
        return refuse(VoicePack::tr("“%1” is shorter than the pack says: the pack is damaged.").arg(name));
    return bytes;
}

std::optional<QStringList> PackReader::readManifest(const QByteArray &bytes)
{
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parsed);
    const QJsonValue format = document.object().value(QStringLiteral("format"));
    const double number = format.toDouble(-1);
    // A whole number in range before it is made an integer: 1e19 is
    // neither a format nor an integer this program holds.
    if (parsed.error != QJsonParseError::NoError || !document.isObject() || !format.isDouble()
        || !(number >= 1 && number <= kLatestFormatNumber) || number != std::floor(number))
        return refuse(VoicePack::tr("“%1” cannot be read: not a valid voice pack.").arg(kPackManifest));
    // First, before anything a newer format may have changed.
    if (number > kPackFormat)
        return refuse(VoicePack::tr("it was made by a newer version of the program (format %1): update the program, "
                                    "then import it.")
                          .arg(qint64(number)));
    const QJsonValue sounds = document.object().value(QStringLiteral("sounds"));
    QStringList listed;
    for (const QJsonValue &sound : sounds.toArray()) {
        if (!voiceOfFile(sound.toString()) || listed.contains(sound.toString()))
            return refuse(VoicePack::tr("“%1” cannot be read: not a valid voice pack.").arg(kPackManifest));
        listed << sound.toString();
    }
    if (!sounds.isArray())
        return refuse(VoicePack::tr("“%1” cannot be read: not a valid voice pack.").arg(kPackManifest));
    return listed;
}

std::optional<QList<Unpacked>> PackReader::read()
{
    // Said as what it is; a FIFO or a device is never read, as it may
    // never end.
    const QFileInfo info(m_file);
    if (!info.exists() && nameIsNotText(m_file))
        return refuse(VoicePack::tr("this file's name is not UTF-8 text, so the program cannot open it: rename it, "
                                    "then import it."));
    if (!info.exists())
        return refuse(VoicePack::tr("there is no file with this name."));
    if (info.isDir())
        return refuse(VoicePack::tr("this is a folder, not a voice pack."));
    if (!info.isFile())
        return refuse(VoicePack::tr("not an ordinary file (a pipe or a device), so no pack is read from it."));
    if (info.size() > kPackMost + kPackOverhead)
        return refuse(VoicePack::tr("larger than %1 MB, so not a voice pack.").arg(megabytes(kPackMost)));
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(VoicePack::tr("cannot be read (%1).").arg(file.errorString()));

    // A ZIP read from its central directory, the way every unzip reads it;
    // libarchive checks each entry's own header against it, but for its
    // name, which it takes from the entry's header: a pack whose two names
    // of an entry disagree would put a voice where no unzip shows it.
    const std::optional<QList<ZipName>> names = zipNames(file, kPackOverhead);
    if (!names)
        return refuse(VoicePack::tr("not a valid voice pack (%1).").arg(VoicePack::tr("its list of files cannot be read")));
    for (const ZipName &name : *names) {
        if (name.central != name.local)
            return refuse(VoicePack::tr("“%1” is named “%2” in its own header: the pack is damaged.")
                              .arg(QString::fromUtf8(QByteArray(name.central).replace('\0', ' ')),
                                   QString::fromUtf8(QByteArray(name.local).replace('\0', ' '))));
    }
    file.seek(0);
    const Archive pack(archive_read_new(), archive_read_free);
    if (archive_read_support_format_zip_seekable(pack.get()) != ARCHIVE_OK
        || archive_read_open_fd(pack.get(), file.handle(), 1 << 16) != ARCHIVE_OK)
        return damaged(pack.get());

    QList<Unpacked> voices;
    QSet<QString> seen;
    std::optional<QStringList> listed;
    qint64 total = 0;
    for (;;) {
        archive_entry *entry = nullptr;
        const int status = archive_read_next_header(pack.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status < ARCHIVE_WARN)
            return damaged(pack.get());
        const char *raw = archive_entry_pathname_utf8(entry);
        if (!raw)
            raw = archive_entry_pathname(entry);
        const QString name = raw ? QString::fromUtf8(raw) : QString();
        // What the entry is, before any of its bytes are read.
        if (name.isEmpty())
            return refuse(VoicePack::tr("it holds a file without a name."));
        if (leavesTheFolder(name))
            return refuse(VoicePack::tr("“%1” leads out of the voices folder.").arg(name));
        if (archive_entry_filetype(entry) == AE_IFLNK || archive_entry_symlink(entry) || archive_entry_hardlink(entry))
            return refuse(VoicePack::tr("“%1” is a link, not a sound file.").arg(name));
        if (archive_entry_filetype(entry) == AE_IFDIR)
            return refuse(VoicePack::tr("“%1” is a folder, not a sound file.").arg(name));
        if (archive_entry_filetype(entry) != AE_IFREG)
            return refuse(VoicePack::tr("“%1” is not an ordinary file.").arg(name));
        if (archive_entry_is_encrypted(entry))
            return refuse(VoicePack::tr("“%1” is encrypted.").arg(name));
        if (!listed && name != kPackManifest)
            return refuse(VoicePack::tr("not a voice pack: it does not start with %1.").arg(kPackManifest));
        const std::optional<int> voice = voiceOfFile(name);
        if (!voice && name != kPackManifest)
            return refuse(VoicePack::tr("“%1” is not one of the program's sounds.").arg(name));
        if (seen.contains(name))
            return refuse(VoicePack::tr("“%1” is in it twice.").arg(name));
        seen.insert(name);
        const qint64 most = voice ? std::min(kPackMostPerVoice, kPackMost - total) : kManifestMost;
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > most) {
            if (!voice)
                return refuse(VoicePack::tr("“%1” is larger than it can be: not a valid voice pack.").arg(name));
            if (archive_entry_size(entry) <= kPackMostPerVoice)
                return refuse(VoicePack::tr("its voices are larger than %1 MB.").arg(megabytes(kPackMost)));
            return refuse(VoicePack::tr("“%1” is larger than %2 MB.").arg(name, megabytes(kPackMostPerVoice)));
        }
        if (status == ARCHIVE_WARN)
            return damaged(pack.get());

        const std::optional<QByteArray> bytes = readEntry(pack.get(), entry, name, most);
        if (!bytes)
            return std::nullopt;
        if (!voice) {
            listed = readManifest(*bytes);
            if (!listed)
                return std::nullopt;
            continue;
        }
        if (const QString problem = waveProblem(*bytes); !problem.isEmpty())
            return refuse(VoicePack::tr("“%1” is not a WAVE file the program accepts (%2).").arg(name, problem));
        total += bytes->size();
        voices.push_back({*voice, *bytes});
    }

    if (!listed)
        return refuse(VoicePack::tr("not a voice pack: there is no %1 in it.").arg(kPackManifest));
    for (const QString &sound : *listed) {
        if (!seen.contains(sound))
            return refuse(
                VoicePack::tr("“%1” is in %2 but not in the pack: the pack is incomplete.").arg(sound, kPackManifest));
    }
    for (const Unpacked &unpacked : voices) {
        if (!listed->contains(voiceFile(unpacked.voice)))
            return refuse(VoicePack::tr("“%1” is in the pack but not in %2: the pack is damaged.")
                              .arg(voiceFile(unpacked.voice), kPackManifest));
    }
    if (voices.isEmpty())
        return refuse(VoicePack::tr("there is no sound in the pack."));
    return voices;
}

// The voice's own bytes now, when they are `bytes`.
bool alreadyIs(const VoiceFolder &folder, int voice, const QByteArray &bytes)
{
    if (!folder.hasOwn(voice))
        return false;
    QFile own(folder.filePath(voice));
    return own.open(QIODevice::ReadOnly) && own.size() == bytes.size() && own.read(bytes.size() + 1) == bytes;
}

} // namespace

Change exportPack(const VoiceFolder &folder, const QString &file)
{
    // Every voice read and checked as an import checks it, before the file
    // is touched: a pack that is made is a pack that imports.
    QList<Packed> files;
    QStringList sounds;
    qint64 total = 0;
    for (int voice = 0; voice < kVoiceCount; ++voice) {
        if (!folder.hasOwn(voice))
            continue;
        const QString path = folder.filePath(voice);
        QFile own(path);
        const QString unreadable = VoicePack::tr("%1: cannot be read (%2). Nothing was written.");
        if (!own.open(QIODevice::ReadOnly))
            return {{}, unreadable.arg(path, own.errorString())};
        const QByteArray bytes = own.read(kPackMostPerVoice + 1);
        if (own.error() != QFileDevice::NoError)
            return {{}, unreadable.arg(path, own.errorString())};
        if (bytes.size() > kPackMostPerVoice)
            return {{},
                    VoicePack::tr("%1: larger than %2 MB, so no pack can hold it. Nothing was written.")
                        .arg(path, megabytes(kPackMostPerVoice))};
        if (const QString problem = waveProblem(bytes); !problem.isEmpty())
            return {{},
                    VoicePack::tr("%1: not a WAVE file the program accepts (%2), so no pack can hold it: "
                                  "import it again. Nothing was written.")
                        .arg(path, problem)};
        total += bytes.size();
        if (total > kPackMost)
            return {{},
                    VoicePack::tr("Your voices are larger than %1 MB, so no pack can hold them. "
                                  "Nothing was written.")
                        .arg(megabytes(kPackMost))};
        files.push_back({voiceFile(voice), bytes, QFileInfo(path).lastModified()});
        sounds << voiceFile(voice);
    }
    if (files.isEmpty())
        return {{},
                VoicePack::tr("You have no voice of your own in %1 yet: record or import one first. "
                              "Nothing was written.")
                    .arg(folder.path())};
    const QDateTime newest = std::max_element(files.begin(), files.end(), [](const Packed &a, const Packed &b) {
                                 return a.modified < b.modified;
                             })->modified;
    const QJsonObject manifest{{QStringLiteral("format"), kPackFormat},
                               {QStringLiteral("sounds"), QJsonArray::fromStringList(sounds)}};
    files.prepend({kPackManifest, QJsonDocument(manifest).toJson(QJsonDocument::Compact) + '\n', newest});

    const auto cannotWrite = [&](const QString &why) {
        return Change{{}, VoicePack::tr("Cannot write %1 (%2). Nothing was written.").arg(file, why)};
    };
    const QFileInfo info(file);
    if (info.isDir())
        return {{},
                VoicePack::tr("%1: this is a folder; write a file name for the pack. Nothing was written.").arg(file)};
    // Written over, a voice would be lost for a pack of itself; written
    // where a voice would be, it would be played as one. Under any name: a
    // link, a hard link.
    for (int voice = 0; voice < kVoiceCount; ++voice) {
        const QFileInfo own(folder.filePath(voice));
        if (sameFile(file, own.filePath())
            || (!info.exists() && info.fileName() == own.fileName() && sameFile(info.absolutePath(), own.absolutePath())))
            return {{},
                    VoicePack::tr("%1 is the file of your own voice for %2: write the pack to another file. Nothing was written.")
                        .arg(file, voiceTitle(voice))};
    }
    if (info.exists() && !info.isFile()) {
        // A FIFO or a device (/dev/stdout): written into, never replaced.
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return cannotWrite(out.errorString());
        if (const QString why = writeZip(out, files); !why.isEmpty())
            return cannotWrite(why);
        if (!out.flush())
            return cannotWrite(out.errorString());
        return {file, {}};
    }
    QSaveFile out(file);
    // Written beside the file, never in its place: on failure an old pack
    // stays whole.
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return cannotWrite(out.errorString());
    if (const QString why = writeZip(out, files); !why.isEmpty()) {
        out.cancelWriting();
        return cannotWrite(why);
    }
    if (!out.commit())
        return cannotWrite(out.errorString());
    return {file, {}};
}

PackOutcome importPack(const VoiceFolder &folder, const QString &file)
{
    PackReader reader(file);
    const std::optional<QList<Unpacked>> voices = reader.read();
    if (!voices)
        return {{}, {}, reader.error()};
    PackOutcome outcome;
    QStringList kept;
    QStringList keptAsOld;
    const QString comma = VoicePack::tr(", ", "between the names of the files in a list");
    for (const Unpacked &voice : *voices) {
        if (alreadyIs(folder, voice.voice, voice.bytes)) {
            outcome.unchanged << folder.filePath(voice.voice);
            continue;
        }
        const bool hadOwn = folder.hasOwn(voice.voice);
        const Change change = folder.saveWave(voice.voice, voice.bytes);
        if (!change.ok()) {
            if (kept.isEmpty()) {
                outcome.error = change.error;
                return outcome;
            }
            // Said as it is: which voices are the pack's now, and which are
            // as they were.
            QStringList said{VoicePack::tr("Cannot write %1 in the folder %2 (%3).")
                                 .arg(voiceFile(voice.voice), QDir::toNativeSeparators(folder.path()),
                                      change.why.isEmpty() ? change.error : change.why),
                             VoicePack::tr("Taken from the pack before that: %1.").arg(kept.join(comma))};
            if (!keptAsOld.isEmpty())
                said << VoicePack::tr("Your own voices they replaced are kept as %1.").arg(keptAsOld.join(comma));
            said << VoicePack::tr("%1 and the voices after it in the pack were not taken: they are as they were.")
                        .arg(voiceFile(voice.voice));
            outcome.error = said.join(QLatin1Char(' '));
            return outcome;
        }
        outcome.replaced << change.path;
        kept << voiceFile(voice.voice);
        if (hadOwn)
            keptAsOld << voiceFile(voice.voice) + QStringLiteral(".old");
    }
    return outcome;
}

} // namespace voices
