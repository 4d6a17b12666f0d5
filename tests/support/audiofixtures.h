#pragma once

#include <QList>
#include <QString>

// Small generated test tones, and a reader for what SDL's "disk" audio
// driver wrote, so that a test can tell which sound came out and for how long.

// Writes a mono 16-bit PCM WAV sine tone.
void writeTone(const QString &path, double frequency, double seconds, int rate = 22050);

// Writes the given bytes to path, creating its folder.
void writeBytes(const QString &path, const QByteArray &bytes);

// A WAV tone as bytes, for an alert sound given to the player.
QByteArray toneWav(double frequency, double seconds, int rate = 22050);

struct Heard {
    double frequency; // Hz, estimated from zero crossings
    double start;     // seconds from the start of the output
    double length;    // seconds
};

// Reads the raw output of the disk driver (signed 16-bit, stereo, 44.1 kHz)
// and splits its non-silent stretches into runs of one frequency.
QList<Heard> readDiskOutput(const QString &path);

// The runs whose frequency lies within 8 % of the given one.
QList<Heard> runsAt(const QList<Heard> &heard, double frequency);

// For failure messages.
QString describe(const QList<Heard> &heard);
