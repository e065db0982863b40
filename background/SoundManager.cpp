#include "SoundManager.h"

#include "DeviceKeys.h"
#include "DriverProtocol.h"
#include "KeyHandle.h"
#include "NamedObjects.h"

using chimer::SoundDevice;

namespace {
constexpr DWORD kTextBytes = 1000;
constexpr DWORD kWaveFileChars = MAX_PATH;

std::unique_ptr<CSoundManager> theManager;

// "Wave File" is read through MAX_PATH characters, as the applet reads it: in a multi-byte
// code page that takes up to MaxCharSize bytes a character.
DWORD WaveFileBufferBytes()
{
    CPINFO info{};
    const UINT bytesPerChar = ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1 ? info.MaxCharSize : 1;
    return kWaveFileChars * bytesPerChar;
}
}  // namespace

CSoundManager::CSoundManager(std::unique_ptr<CSingleInstance> guard) : guard_(std::move(guard))
{
    {
        std::lock_guard<std::mutex> hold(devicesLock_);
        LoadDevices();
        ArmAllDevices();
    }
    reloadWatcher_.SetWatchedEvent(::CreateEventA(nullptr, TRUE, FALSE, kBeepEventA.data()));
    watcherStop_.Reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    // Reset only after the rebuild: a second setting during the rebuild is absorbed.
    reloadWatcher_.Start(watcherStop_.Get(), OnReloadEvent, this, CEventThread::Reset::AfterHandler);
}

CSoundManager::~CSoundManager()
{
    reloadWatcher_.Stop();
    std::lock_guard<std::mutex> hold(devicesLock_);
    ClearDevices();
}

void CSoundManager::OnDeviceArrival()
{
    std::lock_guard<std::mutex> hold(devicesLock_);
    LoadDevices();
    RearmUsbDevices();
}

void CSoundManager::Reload()
{
    std::lock_guard<std::mutex> hold(devicesLock_);
    ClearDevices();
    LoadDevices();
    ArmAllDevices();
}

void CSoundManager::LoadDevices()
{
    ForEachDeviceKey(registry_, [&](DeviceFamily family, const std::string& subkey, CKeyHandle& key) {
        const bool usb = family == DeviceFamily::Usb;
        if (Lists(usb, subkey))
            return false;
        auto device = std::make_unique<SoundDevice>();
        device->subkey = subkey;
        device->usb = usb;
        registry_.Attach(key.Get());
        registry_.ReadString("Device Name", device->deviceName, kTextBytes);
        registry_.ReadString("Controller Type", device->controllerType, kTextBytes);
        registry_.ReadString("Wave File", device->waveFile, WaveFileBufferBytes());
        registry_.ReadDword("Sound Enabled", &device->soundMode);
        registry_.Attach(nullptr);
        devices_.push_back(std::move(device));
        return false;   // the walk closes the device key
    });
}

bool CSoundManager::Lists(bool usb, const std::string& subkey) const
{
    for (const auto& device : devices_)
        if (device->usb == usb && device->subkey == subkey)
            return true;
    return false;
}

void CSoundManager::ArmAllDevices()
{
    for (size_t i = 0; i < devices_.size(); ++i)
        Arm(*devices_[i], i);
}

void CSoundManager::RearmUsbDevices()
{
    for (size_t i = 0; i < devices_.size(); ++i) {
        if (!devices_[i]->usb)
            continue;
        Disarm(*devices_[i]);
        Arm(*devices_[i], i);
    }
}

void CSoundManager::ClearDevices()
{
    for (auto& device : devices_)
        Disarm(*device);
    devices_.clear();
}

void CSoundManager::Arm(SoundDevice& device, size_t position)
{
    device.touch.SetWatchedEvent(::CreateEventA(nullptr, TRUE, FALSE, chimer::BeepEventName(position).c_str()));
    device.stopEvent.Reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!device.touch.WatchedEvent() || !device.stopEvent)
        return;
    const BeepEventRequest request = MakeBeepEventRequest(device.touch.WatchedEvent());
    // A device that is absent or refuses the event gets no thread; no message is shown.
    if (DeviceIoctl(device.Endpoint(), IOCTL_BEEP_EVENT, &request, sizeof request, nullptr, 0))
        chimer::StartTouchSound(device);
}

void CSoundManager::Disarm(SoundDevice& device)
{
    // The thread ends between two sounds: a sound it has started is not cut off. Its touch event
    // is closed with it.
    device.touch.Stop();
    device.stopEvent.Reset();
    CloseDeviceHandle(device.Endpoint());
    device.deviceHandle = INVALID_HANDLE_VALUE;
}

void CSoundManager::OnReloadEvent(void* manager) { static_cast<CSoundManager*>(manager)->Reload(); }

namespace chimer {

CSoundManager* CreateSoundManager()
{
    if (theManager)
        return nullptr;
    auto guard = std::make_unique<CSingleInstance>(kSoundMutex);
    if (guard->AlreadyRunning())
        return nullptr;
    theManager = std::make_unique<CSoundManager>(std::move(guard));
    return theManager.get();
}

void DestroySoundManager()
{
    theManager.reset();
}

}  // namespace chimer
