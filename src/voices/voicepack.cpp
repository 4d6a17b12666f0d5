#include "voicepack.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <SDL.h>
#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace voices {

namespace {

const QString kNothingChanged = QStringLiteral("لم يتغير شيء.");

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
// they are one. SDL reads WAVE files without its audio started.
QString waveProblem(const QByteArray &bytes)
{
    SDL_RWops *rw = SDL_RWFromConstMem(bytes.constData(), int(bytes.size()));
    if (!rw)
        return QString::fromUtf8(SDL_GetError());
    SDL_AudioSpec spec;
    Uint8 *buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(rw, 1, &spec, &buffer, &length))
        return QString::fromUtf8(SDL_GetError());
    SDL_FreeWAV(buffer);
    if (spec.channels != 1 && spec.channels != 2)
        return QStringLiteral("%1 قنوات").arg(spec.channels);
    if (spec.freq < 8000 || spec.freq > 192000)
        return QStringLiteral("%1 هرتز").arg(spec.freq);
    if (length == 0)
        return QStringLiteral("لا صوت فيه");
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
    std::nullopt_t refuse(const QString &why)
    {
        m_error = QStringLiteral("%1: %2 %3").arg(m_file, why, kNothingChanged);
        return std::nullopt;
    }
    std::nullopt_t refuseEntry(const QString &name, const QString &what)
    {
        return refuse(QStringLiteral("«%1» %2").arg(name, what));
    }
    std::nullopt_t damaged(archive *pack)
    {
        return refuse(QStringLiteral("ليس حزمة أصوات سليمة (%1).").arg(archiveError(pack)));
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
                return refuseEntry(name, QStringLiteral("أطول مما تقول الحزمة عنه: الحزمة تالفة."));
            if (name == kPackManifest)
                return refuseEntry(name, QStringLiteral("أكبر مما يكون: ليس حزمة أصوات سليمة."));
            if (most < kPackMostPerVoice)
                return refuse(QStringLiteral("أصواتها أكبر من %1 ميغابايت.").arg(megabytes(kPackMost)));
            return refuseEntry(name, QStringLiteral("أكبر من %1 ميغابايت.").arg(megabytes(kPackMostPerVoice)));
        }
        bytes.append(chunk, int(n));
    }
    if (declared && bytes.size() != archive_entry_size(entry))
        return refuseEntry(name, QStringLiteral("أقصر مما تقول الحزمة عنه: الحزمة تالفة."));
    return bytes;
}

std::optional<QStringList> PackReader::readManifest(const QByteArray &bytes)
{
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parsed);
    const QJsonValue format = document.object().value(QStringLiteral("format"));
    const double number = format.toDouble(-1);
    if (parsed.error != QJsonParseError::NoError || !document.isObject() || !format.isDouble() || number < 1
        || number != double(qint64(number)))
        return refuseEntry(kPackManifest, QStringLiteral("لا يُقرأ: ليس حزمة أصوات سليمة."));
    // First, before anything a newer format may have changed.
    if (number > kPackFormat)
        return refuse(QStringLiteral("صنعها إصدار أحدث من البرنامج (الصيغة %1)، فحدّث البرنامج ثم استوردها.")
                          .arg(qint64(number)));
    const QJsonValue sounds = document.object().value(QStringLiteral("sounds"));
    QStringList listed;
    for (const QJsonValue &sound : sounds.toArray()) {
        if (!voiceOfFile(sound.toString()) || listed.contains(sound.toString()))
            return refuseEntry(kPackManifest, QStringLiteral("لا يُقرأ: ليس حزمة أصوات سليمة."));
        listed << sound.toString();
    }
    if (!sounds.isArray())
        return refuseEntry(kPackManifest, QStringLiteral("لا يُقرأ: ليس حزمة أصوات سليمة."));
    return listed;
}

std::optional<QList<Unpacked>> PackReader::read()
{
    // Said as what it is; a FIFO or a device is never read, as it may
    // never end.
    const QFileInfo info(m_file);
    if (!info.exists())
        return refuse(QStringLiteral("لا يوجد ملف بهذا الاسم."));
    if (info.isDir())
        return refuse(QStringLiteral("هذا مجلد، لا حزمة أصوات."));
    if (!info.isFile())
        return refuse(QStringLiteral("ليس ملفًا عاديًا (أنبوب أو جهاز)، فلا تُقرأ منه حزمة."));
    if (info.size() > kPackMost + kPackOverhead)
        return refuse(QStringLiteral("أكبر من %1 ميغابايت، فليس حزمة أصوات.").arg(megabytes(kPackMost)));
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("لا يمكن قراءته (%1).").arg(file.errorString()));

    // A ZIP read from its central directory, the way every unzip reads it;
    // libarchive checks each entry's own header against it.
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
            return refuse(QStringLiteral("فيها ملف بلا اسم."));
        if (leavesTheFolder(name))
            return refuseEntry(name, QStringLiteral("يخرج من مجلد الأصوات."));
        if (archive_entry_filetype(entry) == AE_IFLNK || archive_entry_symlink(entry) || archive_entry_hardlink(entry))
            return refuseEntry(name, QStringLiteral("رابط، لا ملف صوت."));
        if (archive_entry_filetype(entry) == AE_IFDIR)
            return refuseEntry(name, QStringLiteral("مجلد، لا ملف صوت."));
        if (archive_entry_filetype(entry) != AE_IFREG)
            return refuseEntry(name, QStringLiteral("ليس ملفًا عاديًا."));
        if (archive_entry_is_encrypted(entry))
            return refuseEntry(name, QStringLiteral("مشفَّر."));
        if (!listed && name != kPackManifest)
            return refuse(QStringLiteral("ليس حزمة أصوات: لا يبدأ بـ %1.").arg(kPackManifest));
        const std::optional<int> voice = voiceOfFile(name);
        if (!voice && name != kPackManifest)
            return refuseEntry(name, QStringLiteral("ليس من أصوات البرنامج."));
        if (seen.contains(name))
            return refuseEntry(name, QStringLiteral("فيها مرتين."));
        seen.insert(name);
        const qint64 most = voice ? std::min(kPackMostPerVoice, kPackMost - total) : kManifestMost;
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > most) {
            if (!voice)
                return refuseEntry(name, QStringLiteral("أكبر مما يكون: ليس حزمة أصوات سليمة."));
            if (archive_entry_size(entry) <= kPackMostPerVoice)
                return refuse(QStringLiteral("أصواتها أكبر من %1 ميغابايت.").arg(megabytes(kPackMost)));
            return refuseEntry(name, QStringLiteral("أكبر من %1 ميغابايت.").arg(megabytes(kPackMostPerVoice)));
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
            return refuseEntry(name, QStringLiteral("ليس ملف WAVE يقبله البرنامج (%1).").arg(problem));
        total += bytes->size();
        voices.push_back({*voice, *bytes});
    }

    if (!listed)
        return refuse(QStringLiteral("ليس حزمة أصوات: لا %1 فيه.").arg(kPackManifest));
    for (const QString &sound : *listed) {
        if (!seen.contains(sound))
            return refuseEntry(sound, QStringLiteral("في %1 وليس في الحزمة: الحزمة ناقصة.").arg(kPackManifest));
    }
    for (const Unpacked &unpacked : voices) {
        if (!listed->contains(voiceFile(unpacked.voice)))
            return refuseEntry(voiceFile(unpacked.voice), QStringLiteral("في الحزمة وليس في %1: الحزمة تالفة.").arg(kPackManifest));
    }
    if (voices.isEmpty())
        return refuse(QStringLiteral("لا صوت في الحزمة."));
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
    const QString nothingWritten = QStringLiteral("لم يُكتب شيء.");
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
        if (!own.open(QIODevice::ReadOnly))
            return {{}, QStringLiteral("%1: لا يمكن قراءته (%2). %3").arg(path, own.errorString(), nothingWritten)};
        const QByteArray bytes = own.read(kPackMostPerVoice + 1);
        if (own.error() != QFileDevice::NoError)
            return {{}, QStringLiteral("%1: لا يمكن قراءته (%2). %3").arg(path, own.errorString(), nothingWritten)};
        if (bytes.size() > kPackMostPerVoice)
            return {{}, QStringLiteral("%1: أكبر من %2 ميغابايت، فلا تحمله حزمة. %3")
                            .arg(path, megabytes(kPackMostPerVoice), nothingWritten)};
        if (const QString problem = waveProblem(bytes); !problem.isEmpty())
            return {{}, QStringLiteral("%1: ليس ملف WAVE يقبله البرنامج (%2)، فلا تحمله حزمة: استورده من جديد. %3")
                            .arg(path, problem, nothingWritten)};
        total += bytes.size();
        if (total > kPackMost)
            return {{}, QStringLiteral("أصواتك أكبر من %1 ميغابايت، فلا تحملها حزمة. %2")
                            .arg(megabytes(kPackMost), nothingWritten)};
        files.push_back({voiceFile(voice), bytes, QFileInfo(path).lastModified()});
        sounds << voiceFile(voice);
    }
    if (files.isEmpty())
        return {{}, QStringLiteral("لا صوت لك بعد في %1: سجّل صوتًا أو استورده أولًا. %2")
                        .arg(folder.path(), nothingWritten)};
    const QDateTime newest = std::max_element(files.begin(), files.end(), [](const Packed &a, const Packed &b) {
                                 return a.modified < b.modified;
                             })->modified;
    const QJsonObject manifest{{QStringLiteral("format"), kPackFormat},
                               {QStringLiteral("sounds"), QJsonArray::fromStringList(sounds)}};
    files.prepend({kPackManifest, QJsonDocument(manifest).toJson(QJsonDocument::Compact) + '\n', newest});

    const auto cannotWrite = [&](const QString &why) {
        return Change{{}, QStringLiteral("لا يمكن كتابة %1 (%2). %3").arg(file, why, nothingWritten)};
    };
    const QFileInfo info(file);
    if (info.isDir())
        return {{}, QStringLiteral("%1: هذا مجلد، فاكتب اسم ملف للحزمة. %2").arg(file, nothingWritten)};
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
    for (const Unpacked &voice : *voices) {
        if (alreadyIs(folder, voice.voice, voice.bytes)) {
            outcome.unchanged << folder.filePath(voice.voice);
            continue;
        }
        const Change change = folder.saveWave(voice.voice, voice.bytes);
        if (!change.ok()) {
            outcome.error = kept.isEmpty()
                ? change.error
                : QStringLiteral("%1 وقد حُفظ قبله من الحزمة: %2.").arg(change.error, kept.join(QStringLiteral("، ")));
            return outcome;
        }
        outcome.replaced << change.path;
        kept << voiceFile(voice.voice);
    }
    return outcome;
}

} // namespace voices
