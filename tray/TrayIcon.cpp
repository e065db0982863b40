#include "TrayIcon.h"

#include <cstddef>

#include "NamedObjects.h"
#include "WinApp.h"

namespace {
// The record in the layout with the balloon fields and without the GUID: 936 bytes on 32-bit
// Windows, understood by every notification area.
constexpr DWORD kNotifyDataSize = NOTIFYICONDATAW_V2_SIZE;
#ifndef _WIN64
static_assert(NOTIFYICONDATAW_V2_SIZE == 936, "the notify record's layout with balloon fields");
#endif
static_assert(sizeof(NOTIFYICONDATAW::szTip) / sizeof(wchar_t) == CTrayIcon::kTipCapacity, "tooltip field");

UINT TaskbarCreatedMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}
}  // namespace

CTrayIcon::CTrayIcon() : data_{} {}

CTrayIcon::~CTrayIcon()
{
    RemoveIcon();
    DestroyWindow();
}

CWindowImpl::WindowClass CTrayIcon::GetWindowClass() const
{
    WindowClass c;
    c.name = kTrayIconWindowClass;
    return c;
}

bool CTrayIcon::Create(CWnd* parent, UINT callbackMessage, const std::wstring& tooltip, HICON icon, UINT id)
{
    // Registered before any icon exists, so its broadcast is never missed.
    TaskbarCreatedMessage();
    if (!m_hWnd && !CWindowImpl::Create(nullptr, RECT{0, 0, 0, 0}, L"", WS_POPUP))
        return false;
    std::lock_guard<std::mutex> hold(lock_);
    data_.cbSize = kNotifyDataSize;
    data_.hWnd = parent && parent->GetSafeHwnd() ? parent->GetSafeHwnd() : m_hWnd;
    data_.uID = id;
    data_.hIcon = icon;
    data_.uCallbackMessage = callbackMessage;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    ::lstrcpynW(data_.szTip, tooltip.c_str(), kTipCapacity);
    wanted_ = true;
    removed_ = ::Shell_NotifyIconW(NIM_ADD, &data_) == FALSE;
    return !removed_;
}

bool CTrayIcon::SetIcon(HICON icon)
{
    std::lock_guard<std::mutex> hold(lock_);
    data_.hIcon = icon;
    if (!data_.hWnd)
        return false;
    data_.uFlags = NIF_ICON;
    return ::Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE;
}

void CTrayIcon::ShowIcon()
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!removed_)
        RemoveLocked();
    AddLocked();
}

bool CTrayIcon::RemoveIcon()
{
    std::lock_guard<std::mutex> hold(lock_);
    wanted_ = false;
    return RemoveLocked();
}

bool CTrayIcon::RemoveLocked()
{
    if (!data_.hWnd)
        return removed_;
    data_.uFlags = 0;
    if (::Shell_NotifyIconW(NIM_DELETE, &data_))
        removed_ = true;
    return removed_;
}

void CTrayIcon::AddLocked()
{
    if (!data_.hWnd)
        return;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    wanted_ = true;
    removed_ = ::Shell_NotifyIconW(NIM_ADD, &data_) == FALSE;
}

int CTrayIcon::SetNotificationWnd(CWnd* window)
{
    notificationWnd_ = window;
    return 1;
}

CWnd* CTrayIcon::GetNotificationWnd() const
{
    if (notificationWnd_)
        return notificationWnd_;
    CWinApp* app = CWinApp::Current();
    return app ? app->MainWindow() : nullptr;
}

HICON CTrayIcon::CurrentIcon() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return data_.hIcon;
}

std::wstring CTrayIcon::Tooltip() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return data_.szTip;
}

bool CTrayIcon::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == data_.uCallbackMessage && msg != 0) {
        result = OnTrayNotification(wp, lp);
        return true;
    }
    if (msg == TaskbarCreatedMessage()) {
        // The new notification area knows no icon: add it without deleting first.
        std::lock_guard<std::mutex> hold(lock_);
        if (wanted_)
            AddLocked();
        return true;
    }
    return CWindowImpl::OnMessage(msg, wp, lp, result);
}
