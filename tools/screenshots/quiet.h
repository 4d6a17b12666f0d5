#pragma once

// What the screenshot programs put around the real windows: no sound, no
// browser, and always ten in the morning.
#include "platform/soundplayer.h"
#include "platform/timeofday.h"
#include "platform/webopener.h"

class Silence final : public SoundPlayer
{
public:
    void play(const QString &) override {}
};

class NoBrowser final : public WebOpener
{
public:
    void open(const QUrl &) override {}
};

class FixedTime final : public TimeOfDay
{
public:
    float secondsSinceMidnight() override { return 36000.0f; }
};
