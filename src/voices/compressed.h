#pragma once

#include "voices/take.h"

#include <QByteArray>

// Compressed sound files (FLAC, Ogg Vorbis, Opus, MP3), decoded with the
// libraries the sound player's SDL_mixer plays them with, in a stream: what
// is decoded is counted as it comes, whatever the file's header says of its
// length, and decoding stops at the bound.
namespace voices {

enum class Decoded {
    Sound,
    NotKnown, // none of these formats, or damaged before any sound
    TooLong,  // more than the bound in seconds
    TooLarge, // more samples than the bound, at a high rate in many channels
    TooSlow,  // a rate no voice is recorded at
};

// Decodes `bytes` into `take` (interleaved, at the file's own rate and
// channels). Stops as soon as it holds more than `longest` seconds, or more
// than `mostSamples` samples in all, or learns that the rate is under
// `lowestRate`.
Decoded decodeCompressed(const QByteArray &bytes, double longest, std::size_t mostSamples, int lowestRate,
                         Take &take);

} // namespace voices
