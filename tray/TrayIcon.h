#pragma once
// One icon in the notification area, with the hidden window that receives its callback
// messages. The base of the tray program's main icon (CTrayMenuWnd) and its mode-toggle icon
// (CModeToggleIcon); each icon has a window of its own, so each one's messages reach its object.
//
// The icon may be changed, shown and removed from any thread (the program's event threads do);
// one lock per icon keeps those operations apart. Its window belongs to the thread that created
// it. When the notification area starts again (a new taskbar announces itself with the
// registered message "TaskbarCreated"), an icon that is meant to be shown is added again.
#include <windows.h>
#include <shellapi.h>

#include <mutex>
#include <string>

#include "WindowImpl.h"

class CTrayIcon : public CWindowImpl {
public:
    // Characters of the tooltip field, the terminating NUL included.
    static constexpr UINT kTipCapacity = 128;
    // The callback message of both of the tray program's icons (0x800A).
    static constexpr UINT kCallbackMessage = WM_APP + 10;

    CTrayIcon();
    // Removes the icon, then destroys the window.
    ~CTrayIcon() override;

    // Creates the hidden window and adds the icon. The icon's messages go to the parent's window
    // when `parent` has one, else to the icon's own window. The tooltip is cut to 127 characters.
    // True when the icon was added.
    bool Create(CWnd* parent, UINT callbackMessage, const std::wstring& tooltip, HICON icon, UINT id);
    // Changes the image; before the icon has been added this changes nothing visible.
    bool SetIcon(HICON icon);
    // Adds the icon again with its current image and tooltip: removed first when it is present,
    // so it shows once.
    void ShowIcon();
    // True when the icon is now absent.
    bool RemoveIcon();

    // The window that owns the icon's popup menu and receives its notifications.
    int SetNotificationWnd(CWnd* window);
    CWnd* GetNotificationWnd() const;

    // Attributes
    UINT Id() const { return data_.uID; }
    HICON CurrentIcon() const;
    std::wstring Tooltip() const;

    // Overridables
    // The icon's callback message: wParam is the icon's id, the low word of lParam the mouse
    // message (WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK, ...).
    virtual LRESULT OnTrayNotification(WPARAM wp, LPARAM lp) = 0;
    WindowClass GetWindowClass() const override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    bool RemoveLocked();
    void AddLocked();

    mutable std::mutex lock_;
    NOTIFYICONDATAW data_;
    bool removed_ = true;    // known to be absent from the notification area
    bool wanted_ = false;    // to be shown: added by Create or ShowIcon, not removed since
    CWnd* notificationWnd_ = nullptr;
};
