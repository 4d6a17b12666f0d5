#include "timeofday.h"

#include <QTime>

float SystemTimeOfDay::secondsSinceMidnight()
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}
