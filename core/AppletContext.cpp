#include "AppletContext.h"

#include "ProductSchema.h"

CAppletContext::CAppletContext()
    : deviceCollection(DeviceEnvironment{serviceKey, productKey, deviceKey, controllerKind, installDir,
                                         calibrationAppPath, labelStore, currentDeviceName, currentDevice}),
      SegmentNames(MakeSegmentNames()),
      ButtonModeNames(MakeButtonModeNames()),
      ControllerTypeNames(MakeControllerTypeNames())
{
}

bool CAppletContext::NoControllerLeft() const
{
    return deviceCollection.AllRemoved();
}

void CAppletContext::WriteCurrentDeviceName()
{
    WriteProductText(serviceKey, ProductValueId::CurrentDevice, currentDeviceName);
}

bool CAppletContext::FillDeviceCombo(HWND combo)
{
    std::vector<std::wstring> names;
    deviceCollection.GetDeviceNames(names);
    if (names.empty())
        return false;

    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& name : names)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));

    // CB_FINDSTRINGEXACT ignores case; the current name must match exactly.
    LRESULT selected = CB_ERR;
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    if (currentDeviceName.empty()) {
        selected = count > 0 ? 0 : CB_ERR;
    } else {
        for (LRESULT i = 0; i < count && selected == CB_ERR; ++i) {
            LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
            if (length == CB_ERR)
                continue;
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
            text.resize(static_cast<size_t>(length));
            if (text == currentDeviceName)
                selected = i;
        }
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    if (selected != CB_ERR) {
        LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length > 0 ? length : 0));
        currentDeviceName = text;
        currentDevice = deviceCollection.FindActiveByName(currentDeviceName);
        WriteCurrentDeviceName();
    }
    return true;
}

bool CAppletContext::SelectDevice(const std::wstring& name)
{
    currentDeviceName = name;
    currentDevice = deviceCollection.FindActiveByName(name);
    if (!currentDevice)
        return false;
    if (!name.empty())
        WriteCurrentDeviceName();
    return true;
}

void CAppletContext::LoadSerialPorts()
{
    serialPorts.clear();
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return;
    CKeyHandle map(opened);
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[1000];
        DWORD nameChars = 1000;
        wchar_t data[500 + 1] = {};   // 1000 bytes of data, and room to end the text
        DWORD dataBytes = 1000;
        LONG rc = RegEnumValueW(map.Get(), index, valueName, &nameChars, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                                &dataBytes);
        if (rc == ERROR_MORE_DATA)
            continue;   // a name or port text that does not fit is left out
        if (rc != ERROR_SUCCESS)
            break;
        serialPorts.emplace_back(data);
    }
}

void CAppletContext::CancelChanges()
{
    deviceCollection.DiscardAddedDevices();
    deviceCollection.Reload();
    if (currentDevice)
        WriteCurrentDeviceName();
}
