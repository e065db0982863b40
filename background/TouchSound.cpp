#include "TouchSound.h"

#include <mmsystem.h>

#include <cstdio>

namespace chimer {

std::string BeepEventName(size_t position)
{
    char name[32];
    std::snprintf(name, sizeof name, "BeepEvent %d ", static_cast<int>(position));
    return name;
}

void PlayTouchSound(const char* waveFile, DWORD soundMode)
{
    if (soundMode == kSoundWaveFile)
        ::sndPlaySoundA(waveFile, SND_ASYNC);
    else if (soundMode == kSoundBeep)
        ::Beep(500, 50);
}

DWORD WINAPI TouchSoundThreadProc(void* parameter)
{
    const SoundDevice& device = *static_cast<SoundDevice*>(parameter);
    // The stop event comes first, so a stream of touches cannot hold the thread off its end.
    const HANDLE waits[2] = {device.stopEvent.Get(), device.touchEvent.Get()};
    for (;;) {
        if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            return 0;
        if (device.soundMode != kSoundOff)
            PlayTouchSound(device.waveFile.c_str(), device.soundMode);
        if (!::ResetEvent(device.touchEvent.Get()))
            return 0;
    }
}

}  // namespace chimer
