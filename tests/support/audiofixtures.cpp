#include "audiofixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

} // namespace

QByteArray toneWav(double frequency, double seconds, int rate)
{
    const int frames = int(seconds * rate);
    QByteArray data;
    data.reserve(frames * 2);
    for (int i = 0; i < frames; ++i) {
        const double fade = std::min({1.0, i / 100.0, (frames - i) / 100.0});
        const double s = 0.5 * fade * std::sin(2 * std::numbers::pi * frequency * i / rate);
        put16(data, quint16(qint16(std::lround(s * 32767))));
    }
    QByteArray wav("RIFF");
    put32(wav, quint32(36 + data.size()));
    wav.append("WAVEfmt ");
    put32(wav, 16);
    put16(wav, 1);            // PCM
    put16(wav, 1);            // mono
    put32(wav, quint32(rate));
    put32(wav, quint32(rate * 2));
    put16(wav, 2);
    put16(wav, 16);
    wav.append("data");
    put32(wav, quint32(data.size()));
    wav.append(data);
    return wav;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

void writeTone(const QString &path, double frequency, double seconds, int rate)
{
    writeBytes(path, toneWav(frequency, seconds, rate));
}

QList<Heard> readDiskOutput(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray raw = file.readAll();
    const auto *samples = reinterpret_cast<const qint16 *>(raw.constData());
    const qsizetype frames = raw.size() / 4;

    constexpr int rate = 44100;
    constexpr int window = rate / 100; // 10 ms
    constexpr int silence = 600;       // below about -35 dBFS counts as silence

    QList<Heard> heard;
    for (qsizetype w = 0; w + window <= frames; w += window) {
        int peak = 0;
        int crossings = 0;
        for (int i = 0; i < window; ++i) {
            const int s = samples[2 * (w + i)];
            peak = std::max(peak, std::abs(s));
            if (i > 0) {
                const int prev = samples[2 * (w + i - 1)];
                crossings += (prev < 0) != (s < 0);
            }
        }
        if (peak < silence)
            continue;
        const double frequency = crossings / 2.0 / (double(window) / rate);
        const double start = double(w) / rate;
        const double length = double(window) / rate;
        if (!heard.isEmpty()) {
            Heard &last = heard.last();
            const bool adjacent = start - (last.start + last.length) < 0.0305;
            if (adjacent && std::abs(frequency - last.frequency) < 0.12 * last.frequency) {
                const double n = last.length / length;
                last.frequency = (last.frequency * n + frequency) / (n + 1);
                last.length = start + length - last.start;
                continue;
            }
        }
        heard.append({frequency, start, length});
    }
    // Drop the odd window at a fade or a cut, which has no clear frequency.
    QList<Heard> runs;
    for (const Heard &h : heard) {
        if (h.length > 0.025)
            runs.append(h);
    }
    return runs;
}

QList<Heard> runsAt(const QList<Heard> &heard, double frequency)
{
    QList<Heard> out;
    for (const Heard &h : heard) {
        if (std::abs(h.frequency - frequency) < 0.08 * frequency)
            out.append(h);
    }
    return out;
}

QString describe(const QList<Heard> &heard)
{
    QStringList parts;
    for (const Heard &h : heard)
        parts << QStringLiteral("%1 Hz at %2 s for %3 s").arg(h.frequency, 0, 'f', 0).arg(h.start, 0, 'f', 3).arg(h.length, 0, 'f', 3);
    return parts.isEmpty() ? QStringLiteral("silence") : parts.join(QStringLiteral("; "));
}
