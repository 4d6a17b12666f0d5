#pragma once

// The time of day as the shuffle's seed: seconds since midnight, local time.
class TimeOfDay
{
public:
    virtual ~TimeOfDay() = default;
    virtual float secondsSinceMidnight() = 0;
};

class SystemTimeOfDay final : public TimeOfDay
{
public:
    float secondsSinceMidnight() override;
};
