#pragma once

#include "voices/take.h"
#include "voices/voicefiles.h"

#include <QString>

#include <optional>

namespace voices {

// The longest file taken as a voice.
inline constexpr double kLongestImport = 60.0; // seconds

// Reads a sound file of a format the sound player plays (WAVE of every
// kind, judged as the player judges it; FLAC, Ogg Vorbis, Opus, MP3 and
// AIFF) as a take at its own rate and channels. For AIFF it opens SDL_mixer
// on its silent "dummy" output, so it belongs in a process of its own (the
// command-line import), never beside a running sound player. No value, and
// a message for the grown-up in `error`, when the file is not such a sound,
// is recorded under kLowestVoiceRate, or holds more than kLongestImport
// (counted as it is decoded, whatever its header says) or more than can be
// held.
std::optional<Take> readSoundFile(const QString &path, QString *error);

// Reads the file, makes it even and keeps it as the voice: what both the
// voices window and the command line do with a file.
Change importVoice(const VoiceFolder &folder, int voice, const QString &path, const Loudness &loudness);

} // namespace voices
