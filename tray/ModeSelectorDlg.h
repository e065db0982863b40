#pragma once
// The mode selector's dialog: a picture of the suite-wide button-mode switch ("Gesturo") that
// flips it on a click, with "One Hit", four picture sizes, "Always on top" and About in its
// system menu. While the tray program runs the selector only writes the switch and tells the tray
// program ("TrayGesturo"), which drives the devices; otherwise it sends the requests itself.
// "DialogGesturo" tells it that the switch changed elsewhere: the tray program flipped it, or a
// driver ended a one-touch secondary mode the selector had asked for.
//
// Two threads: the dialog's and the "DialogGesturo" thread. The switch (and with it what the
// picture shows) is changed under one lock; the thread hands the redraw to the dialog's thread
// with a posted message, so it never waits for the window.
#include <windows.h>

#include <map>
#include <mutex>

#include "Dialog.h"
#include "EventThread.h"
#include "Handle.h"
#include "LabelStore.h"
#include "RegistryKey.h"
#include "ScopedAttach.h"
#include "Static.h"

class CModeSelectorDlg : public CDialog {
public:
    CModeSelectorDlg();
    ~CModeSelectorDlg() override;

    // Attributes
    DWORD Mode() const;
    DWORD IconType() const { return iconType_; }
    bool HitOne() const { return hitOne_; }
    bool AlwaysOnTop() const { return alwaysOnTop_; }
    const CLabelStore& Labels() const { return labels_; }

    // Operations
    void ToggleMode();        // a click: flip, store, then the tray program or the devices
    void UpdatePicture();
    void PlaceWindow();
    // A system-menu command; false leaves it to the default handling.
    bool OnSysCommand(UINT id);

    // Overridables
    bool OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    static constexpr UINT kModeChangedMessage = WM_APP + 1;   // the event thread asks for a redraw

    void AppendSystemMenu();
    void LoadPictures();
    void ReadModeLocked();
    void ApplyModeToDevices(DWORD mode);
    void StartEventThread();
    void OnModeEvent();
    void SetCheck(UINT id, bool checked);
    SIZE PictureSize(UINT id) const;
    bool OnPaintIconic();
    static void OnDialogEvent(void* self);

    mutable std::mutex switchLock_;
    DWORD mode_ = 0;
    bool oneTouchSent_ = false;   // a one-touch secondary request went out from here
    std::map<UINT, HBITMAP> pictures_;
    RECT startRect_{};
    CHandle stopEvent_;
    CEventThread dialogEvent_;    // "DialogGesturo"; the address of its handle goes to the drivers
    CStatic picture_;
    CRegistryKey productKey_;
    CScopedAttach productKeyHandle_;
    DWORD language_ = 0;
    DWORD iconType_ = 0;
    bool alwaysOnTop_ = false;
    bool hitOne_ = false;
    CLabelStore labels_;
    HICON icon_ = nullptr;
};
