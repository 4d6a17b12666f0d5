#pragma once

class QString;

// Plays the program's sounds by the names the program gives them, such as
// "\wa\1.wav" or "\yes": relative to the program's folder, each beginning with
// a backslash.
//
// play() returns at once. There is one channel: a new sound cuts off the one
// still playing. A sound that cannot be played gives the alert sound instead;
// the caller is never told.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &relativeName) = 0;
    // Cuts off the sound playing now, if any; returns at once. For a window
    // about to record, which must not record its own sound.
    virtual void silence() {}
};
