#include "ChimerWindow.h"

#include <dbt.h>

#include "DriverProtocol.h"
#include "SoundManager.h"

static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_A) == 32, "the device-interface filter is 32 bytes");

namespace chimer {

HDEVNOTIFY RegisterDeviceArrival(const GUID& interfaceClass, HWND window)
{
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = interfaceClass;
    return ::RegisterDeviceNotificationA(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

}  // namespace chimer

bool CChimerWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_CREATE:
        arrivalNotice_ = chimer::RegisterDeviceArrival(MEKA_DEVICE_INTERFACE_GUID, m_hWnd);
        result = 0;
        return true;
    case WM_DEVICECHANGE:
        // Whatever device arrived: the USB controllers' key may be new, and a replugged
        // controller has forgotten its touch event.
        if (wp == DBT_DEVICEARRIVAL)
            manager_.OnDeviceArrival();
        result = 0;
        return true;
    case WM_DESTROY:
        if (arrivalNotice_)
            ::UnregisterDeviceNotification(arrivalNotice_);
        arrivalNotice_ = nullptr;
        return CHiddenWindow::OnMessage(msg, wp, lp, result);
    default:
        return CHiddenWindow::OnMessage(msg, wp, lp, result);
    }
}
