#pragma once

#include <mutex>

// SDL starts and stops its audio, and opens and closes audio devices,
// safely from one thread at a time only. The sound player and the recorder
// each work on a thread of their own; whoever does one of those things holds
// this lock meanwhile. Never held while a device plays or records.
std::mutex &sdlAudioLock();
