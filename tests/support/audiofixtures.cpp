#include "audiofixtures.h"

#include "voices/voicefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <numbers>
#include <vector>

QByteArray toneWav(double frequency, double seconds, int rate)
{
    const int frames = int(seconds * rate);
    voices::EvenTake tone{rate, {}};
    tone.samples.reserve(std::size_t(frames));
    for (int i = 0; i < frames; ++i) {
        const double fade = std::min({1.0, i / 100.0, (frames - i) / 100.0});
        const double s = 0.5 * fade * std::sin(2 * std::numbers::pi * frequency * i / rate);
        tone.samples.push_back(std::int16_t(std::lround(s * 32767)));
    }
    return voices::waveBytes(tone);
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

    // The frequency of each 10 ms window, 0 for a silent one.
    QList<double> frequencies;
    for (qsizetype w = 0; w + window <= frames; w += window) {
        int peak = 0;
        int crossings = 0;
        double first = -1, last = -1; // the first and last crossing, in samples
        for (int i = 0; i < window; ++i) {
            const int s = samples[2 * (w + i)];
            peak = std::max(peak, std::abs(s));
            if (i > 0) {
                const int prev = samples[2 * (w + i - 1)];
                if ((prev < 0) != (s < 0)) {
                    // Where the line between the two samples crosses zero.
                    const double at = i - 1 + double(prev) / double(prev - s);
                    if (first < 0)
                        first = at;
                    last = at;
                    ++crossings;
                }
            }
        }
        // Half periods between the first and the last crossing: exact to a
        // few hertz, where a count of crossings in the window is not.
        const bool clear = peak >= silence && crossings >= 3 && last > first;
        frequencies << (clear ? (crossings - 1) / 2.0 / ((last - first) / rate) : 0.0);
    }
    const auto near = [](double a, double b) { return a > 0 && b > 0 && std::abs(a - b) < 0.12 * b; };

    QList<Heard> heard;
    for (qsizetype k = 0; k < frequencies.size(); ++k) {
        const double frequency = frequencies[k];
        if (frequency == 0)
            continue;
        // A window that holds a cut from one sound to the next has the
        // frequency of neither: it belongs to no run.
        const double before = k > 0 ? frequencies[k - 1] : 0;
        const double after = k + 1 < frequencies.size() ? frequencies[k + 1] : 0;
        if (before > 0 && after > 0 && !near(frequency, before) && !near(frequency, after) && !near(before, after))
            continue;
        const double start = double(k * window) / rate;
        const double length = double(window) / rate;
        if (!heard.isEmpty()) {
            Heard &last = heard.last();
            const bool adjacent = start - (last.start + last.length) < 0.0305;
            if (adjacent && near(frequency, last.frequency)) {
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
