#pragma once

#include "voices/take.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Where a grown-up's own voices live, what they are called, and how a take
// is kept there without ever losing the voice that played before.
namespace voices {

// The 30 sounds a grown-up may replace: the 28 letters (voice 0 to 27, in
// alphabetical order), then the right answer's (28) and the wrong answer's
// (29).
inline constexpr int kVoiceCount = 30;
inline constexpr int kRightVoice = 28;
inline constexpr int kWrongVoice = 29;

// The lowest rate a voice is taken at, from a file or in a pack: under it
// (the telephone's) no voice can be understood.
inline constexpr int kLowestVoiceRate = 8000;

// The file of a voice inside a sounds folder: "wa/1.wav" ... "wa/28.wav",
// "yes.wav", "no.wav".
QString voiceFile(int voice);
// The name the sound player is given for it ("\wa\1.wav", "\yes.wav").
QString voiceSoundName(int voice);
// What a grown-up calls it, as said inside a sentence ("Listen to %1"): the
// letter, or the answer it marks ("the right answer"), in the grown-ups'
// language.
QString voiceTitle(int voice);

// A voice as a person names it on the command line: "1" ... "28", the
// letter itself ("ب"), "yes" or "no". No value for anything else.
std::optional<int> voiceNamed(const QString &name);

// The name voiceNamed() takes for a voice: "1" … "28", "yes", "no".
QString voiceArgument(int voice);

// Said when a take holds nothing but silence or noise, in the grown-ups'
// language.
QString noVoice();

// Whether `path`, which names no file, came from a name that is not UTF-8
// text: its folder holds a file whose name reads as this one once its
// bytes are read as text, which no program can open by that reading.
bool nameIsNotText(const QString &path);

// The user's voices folder: huroof/voices in the platform's data folder
// (see userDataFolder()).
QString userVoicesFolder();

// A take as a 16-bit mono WAVE file.
QByteArray waveBytes(const EvenTake &take);

// The outcome of a change to the folder: the file written, or a message for
// the grown-up saying why nothing changed.
struct Change
{
    QString path;
    QString error;
    QString why = {}; // the reason alone, where a write failed ("the disk is full")
    bool ok() const { return error.isEmpty(); }
};

// A voices folder. Every change either happens whole or not at all.
class VoiceFolder
{
public:
    explicit VoiceFolder(QString path);

    const QString &path() const { return m_path; }
    QString filePath(int voice) const;

    // Whether the grown-up's own voice plays for it.
    bool hasOwn(int voice) const;

    // Keeps the take as the voice: written to a temporary file in the same
    // folder, flushed to the disk, then renamed over the old file, so that a
    // crash or a full disk leaves the old voice playing. The voice set
    // aside by an earlier revert() is dropped once the new one is kept.
    Change save(int voice, const EvenTake &take) const;

    // Keeps `wave`, a WAVE file's bytes, as the voice as they are (a voice
    // from a pack), in one step as save() does. An own voice it replaces is
    // kept as "N.wav.old" (in place of one kept there before); with none,
    // an "N.wav.old" is left as it is.
    Change saveWave(int voice, const QByteArray &wave) const;

    // Back to the program's voice: the own voice is moved aside to
    // "N.wav.old", not deleted.
    Change revert(int voice) const;

private:
    enum class KeepOld { No, Yes };
    Change keep(int voice, const QByteArray &bytes, KeepOld keepOld) const;

    QString m_path;
};

} // namespace voices
