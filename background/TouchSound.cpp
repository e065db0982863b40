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

namespace {
void PlayDeviceSound(void* parameter)
{
    const SoundDevice& device = *static_cast<const SoundDevice*>(parameter);
    if (device.soundMode != kSoundOff)
        PlayTouchSound(device.waveFile.c_str(), device.soundMode);
}
}  // namespace

bool StartTouchSound(SoundDevice& device)
{
    return device.touch.Start(device.stopEvent.Get(), PlayDeviceSound, &device, CEventThread::Reset::AfterHandler);
}

}  // namespace chimer
