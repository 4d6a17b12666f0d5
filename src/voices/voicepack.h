#pragma once

#include "voices/voicefiles.h"

#include <QString>
#include <QStringList>

// A voice pack: a grown-up's own voices in one file, for another computer
// (a class's, a new one). A ZIP archive any unzip reads: first a manifest,
// huroof-voices.json ({"format": 1, "sounds": ["wa/2.wav", "yes.wav"]}),
// then the voices' WAVE files under their names in the voices folder.
namespace voices {

// The manifest's name, and the format this program writes and reads.
inline const QString kPackManifest = QStringLiteral("huroof-voices.json");
inline constexpr int kPackFormat = 1;

// The most a pack may hold: each voice, and all of it. Far above any take
// (a minute of CD sound is 10 MB), far below what a computer cannot hold.
inline constexpr qint64 kPackMostPerVoice = 16 << 20;
inline constexpr qint64 kPackMost = 200 << 20;

// Writes the folder's own voices (the sounds a grown-up has, never the
// program's) as a pack to `file`. A regular file (or a new one) is replaced
// in one step, so a failure leaves the old one whole; a FIFO or a device
// that exists is written into. `path` is the file written; `error` says why
// nothing was: no own voice yet, a voice no pack can hold (not a WAVE the
// player accepts, or too large), a file that is one of the folder's voices
// or would be (under any name), or a file that cannot be written.
Change exportPack(const VoiceFolder &folder, const QString &file);

// What importing a pack did.
struct PackOutcome
{
    QStringList replaced;  // the voices' files in the folder now the pack's
    QStringList unchanged; // the voices already the pack's, byte for byte
    QString error;         // why the pack, or what follows `replaced`, was not kept
    bool ok() const { return error.isEmpty(); }
};

// Reads the pack at `file` whole and checks every entry of it before
// anything changes: the manifest first, with a format this program knows;
// then only voices' names, each once, each a regular file, each a WAVE the
// sound player accepts, none larger than kPackMostPerVoice and all together
// no larger than kPackMost (an entry is never read past its bound). A pack
// that fails any of these changes nothing, and `error` says which entry and
// what is wrong. A good one is kept voice by voice through
// VoiceFolder::saveWave(), each in one step, the own voice it replaces kept
// as "N.wav.old"; a voice that is already the pack's is left alone. Only a
// failure to write (a full disk) can leave a pack half kept: `replaced`
// then says how far it got.
PackOutcome importPack(const VoiceFolder &folder, const QString &file);

} // namespace voices
