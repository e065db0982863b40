#pragma once
// The sound program's devices: one SoundDevice per device key, each armed with its own touch
// event that its driver sets on every touch and a thread that plays the device's sound, and a
// watcher that rebuilds the list when the applet sets "BEEP_EVENT" after a sound setting changed.
//
// One manager per process (CreateSoundManager). The list is shared by the window thread
// (device arrival) and the watcher thread (rebuild); each of those sequences holds the lock as a
// whole. Touch threads read only their own device, which is re-armed or destroyed only after its
// thread has been stopped and joined.
#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "EventThread.h"
#include "Handle.h"
#include "RegistryKey.h"
#include "SingleInstance.h"
#include "TouchSound.h"

class CSoundManager {
public:
    // Takes over the program's single-instance guard; loads and arms the devices, creates
    // "BEEP_EVENT" and starts the watcher.
    explicit CSoundManager(std::unique_ptr<CSingleInstance> guard);
    // Stops and joins the watcher and every touch thread, closes the events and driver handles,
    // and lets go of the single-instance guard last.
    virtual ~CSoundManager();
    CSoundManager(const CSoundManager&) = delete;
    CSoundManager& operator=(const CSoundManager&) = delete;

    // A device arrived: adds the device keys not listed yet and arms every USB device again
    // (new event, handle and thread); serial devices keep theirs.
    void OnDeviceArrival();
    // Sound settings changed: stops every device, reads the device keys again and arms them,
    // numbering the events from 0 again.
    void Reload();

private:
    // The parts of the two sequences above; the caller holds the lock.
    void LoadDevices();
    void ArmAllDevices();
    void RearmUsbDevices();
    void ClearDevices();
    void Arm(chimer::SoundDevice& device, size_t position);
    static void Disarm(chimer::SoundDevice& device);
    bool Lists(bool usb, const std::string& subkey) const;

    static void OnReloadEvent(void* manager);

    CRegistryKey registry_;
    std::vector<std::unique_ptr<chimer::SoundDevice>> devices_;
    std::mutex devicesLock_;
    CHandle watcherStop_;
    CEventThread reloadWatcher_;   // owns "BEEP_EVENT"; goes before its stop event
    std::unique_ptr<CSingleInstance> guard_;
};

namespace chimer {

// The process's one manager, guarded by the mutex "Chimer": none when another sound program
// holds the mutex or this process has a manager already.
CSoundManager* CreateSoundManager();
// Ends the manager cooperatively (see ~CSoundManager); nothing when there is none.
void DestroySoundManager();

}  // namespace chimer
