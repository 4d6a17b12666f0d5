#include "sdlaudiolock.h"

std::mutex &sdlAudioLock()
{
    static std::mutex lock;
    return lock;
}
