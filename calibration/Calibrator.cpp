// Start-up of a calibration run: settings, the device, the segment and the window.
#include "Calibrator.h"

#include "CalibrationMessages.h"

#include "DeviceAccess.h"
#include "DeviceKeys.h"
#include "DisplayMode.h"
#include "LabelBoxes.h"
#include "LabelStore.h"
#include "MonitorRect.h"
#include "NamedObjects.h"
#include "ProductSchema.h"
#include "RunSettings.h"
#include "ScopedAttach.h"
#include "XmlLabelLoader.h"
#include "resource.h"

CLabelStore& ProgramLabels()
{
    static CLabelStore labels;
    return labels;
}

DisplayState& ProgramDisplay()
{
    static DisplayState state;
    return state;
}

void RestoreDisplayOnce()
{
    DisplayState& d = ProgramDisplay();
    if (d.restored.exchange(true))
        return;
    const int orientation = calib::OrientationToRestore(d.rotationSetting, d.savedOrientation);
    d.savedOrientation = orientation;
    DEVMODEW mode;
    calib::ReadCurrentDisplayMode(mode);
    calib::PrepareRestoredOrientation(mode, orientation);
    ChangeDisplaySettingsW(&mode, 0);
}

CCalibrator::CCalibrator() : stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CCalibrator::~CCalibrator()
{
    // Both workers are joined before the members they use go.
    touch_.Stop();
    timeout_.Stop();
}

CWindowImpl::WindowClass CCalibrator::GetWindowClass() const
{
    WindowClass c;
    c.name = kCalibrationWindowClass;
    c.style = CS_HREDRAW | CS_VREDRAW;
    c.icon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_AIMWELL));
    c.smallIcon = c.icon;
    c.cursor = nullptr;   // the pointer stays hidden over the targets
    c.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return c;
}

bool CCalibrator::ClaimEnd(RunEnd how)
{
    RunEnd running = RunEnd::None;
    return end_.compare_exchange_strong(running, how);
}

void CCalibrator::QuitRun(WPARAM code) { PostThreadMessageW(windowThread_, WM_QUIT, code, 0); }

void CCalibrator::ReadSettings()
{
    CRegistryKey& key = finder_.Key();
    CScopedAttach product(key, kProductKeyPath);

    beeps_ = ReadProductNumber(key, ProductValueId::CalibrationBeeps) != 0;
    checkCalibration_ = ReadProductNumber(key, ProductValueId::CheckCalibration) != 0;
    language_ = static_cast<int>(ReadProductNumber(key, ProductValueId::Language));
    timeoutSeconds_ = 0;

    if (ReadProductText(key, ProductValueId::CalibrationLabels, labelFilePath_) && !labelFilePath_.empty()) {
        CXmlLabelLoader loader;
        if (loader.Load(labelFilePath_.c_str()))
            loader.FillStore(ProgramLabels());
    }
    ReadProductText(key, ProductValueId::CurrentDevice, currentDeviceName_);
    ProgramDisplay().rotationSetting = ReadProductNumber(key, ProductValueId::Rotation);
}

void CCalibrator::EndAfterError(const wchar_t* textKey, const wchar_t* defaultText)
{
    LabelErrorBox(ProgramLabels(), nullptr, textKey, calib::kTitle.key, defaultText, calib::kTitle.text);
    // The orientation turned at start goes back on this way out too.
    RestoreDisplayOnce();
    ExitProcess(0);
}

bool CCalibrator::Start(HINSTANCE instance, const std::wstring& requestedName)
{
    instance_ = instance;
    windowThread_ = GetCurrentThreadId();
    finder_.Key().SetRootKey(HKEY_LOCAL_MACHINE);
    ReadSettings();

    std::wstring name = requestedName.empty() ? currentDeviceName_ : requestedName;
    if (name.empty())
        EndAfterError(calib::kDeviceNotFound.key, calib::kDeviceNotFound.text);
    device_ = finder_.FindDevice(name.c_str());
    deviceName_ = name;
    if (!device_)
        EndAfterError(calib::kDeviceNotFound.key, calib::kDeviceNotFound.text);
    timeoutSeconds_ = calib::TimeoutOrDefault(device_->dwCalibrationTimeout);

    CRegistryKey& key = finder_.Key();
    DWORD value = 0;
    key.ReadDword(L"Logical Desktop Segment", &value);
    segmentIndex_ = static_cast<int>(value);
    value = calib::kDefaultCalibPoint;
    key.ReadDword(L"CalibPoint", &value);
    calibPoint_ = calib::CalibPointOrDefault(value);
    value = calib::kDefaultCalFlag;
    key.ReadDword(L"Calflag", &value);
    calFlag_ = calib::CalFlagOrDefault(value);
    value = 0;
    key.ReadDword(L"Controller", &value);
    controller_ = static_cast<int>(value);

    SetCursor(nullptr);
    ::GetWindowRect(GetDesktopWindow(), &desktopRect_);
    currentIndex_ = -1;
    LoadTargetBitmap();

    touch_.SetWatchedEvent(CreateEventW(nullptr, TRUE, FALSE, kCalibrationEvent));

    if (!GetSegmentRect(segmentIndex_)) {
        LabelErrorBox(ProgramLabels(), nullptr, L"XML_SEGMENT_NOT_FOUND", calib::kTitle.key,
                      L"Logical desktop segment not found", calib::kTitle.text);
        return false;
    }

    const RECT window = {segmentLeft_, segmentTop_, segmentLeft_ + segmentWidth_, segmentTop_ + segmentHeight_};
    if (!Create(GetDesktopWindow(), window, kCalibrationWindowClass, WS_CHILD | WS_TABSTOP))
        return false;   // nothing to show and nobody to time out: the program ends
    window_ = m_hWnd;
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window_);
    SetFocus(window_);

    const HANDLE touchEvent = touch_.WatchedEvent();
    timeout_.Start(TimeoutThreadProc, this);
    touch_.Start(stopEvent_.Get(), TouchArrived, this);
    instructionsHidden_ = false;
    showCentrePicture_ = true;

    if (IsValidDeviceHandle(GetDeviceHandle(device_.get()))) {
        // The driver reads the event handle as a 32-bit value.
        const uint32_t eventValue = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(touchEvent));
        DeviceIoctl(device_.get(), IOCTL_SET_CALIBRATION_EVENT, &eventValue, sizeof eventValue);
    }
    stepBack_ = 0;
    ::PostMessageW(window_, WM_CALIBRATION_NEXT, 0, 0);
    return true;
}

void CCalibrator::LoadTargetBitmap()
{
    BITMAP info{};
    if (targetBitmap_.LoadBitmap(instance_, IDB_TARGET) && GetObjectW(targetBitmap_.Get(), sizeof info, &info)) {
        targetWidth_ = info.bmWidth;
        targetHeight_ = info.bmHeight;
    }
}

bool CCalibrator::GetSegmentRect(int index)
{
    RECT segment{};
    if (index == calib::kPrimaryMonitorSegment || index == calib::kSecondaryMonitorSegment) {
        const bool primary = index == calib::kPrimaryMonitorSegment;
        if (!FindMonitorRect(primary ? kPrimaryMonitor : kSecondaryMonitor, &segment))
            EndAfterError(primary ? L"XML_PRIMARY_MONITOR_NOT_FOUND" : L"XML_SECONDARY_MONITOR_NOT_FOUND",
                          primary ? L"Primary monitor not found" : L"Secondary monitor not found");
        desktopRect_ = segment;
        onSecondaryMonitor_ = !primary;
    } else if (!calib::DesktopSegmentRect(index, desktopRect_, segment)) {
        return false;
    }
    LayoutTargets(segment.left, segment.top, segment.right, segment.bottom);
    targetBitmap_.Reset();   // every paint loads the picture again
    return true;
}

void CCalibrator::LayoutTargets(LONG left, LONG top, LONG right, LONG bottom)
{
    const RECT segment = {left, top, right, bottom};
    layout_ = calib::LayoutTargets(segment, targetWidth_, targetHeight_, calibPoint_, calFlag_);
    segmentWidth_ = layout_.segmentWidth;
    segmentHeight_ = layout_.segmentHeight;
    segmentLeft_ = layout_.segmentLeft;
    segmentTop_ = layout_.segmentTop;
}

calib::CalibrationGeometry CCalibrator::Geometry() const
{
    calib::CalibrationGeometry g;
    g.desktopRect = desktopRect_;
    g.layout = layout_;
    g.layout.segmentLeft = segmentLeft_;
    g.layout.segmentTop = segmentTop_;
    g.targetWidth = targetWidth_;
    g.targetHeight = targetHeight_;
    g.segmentIndex = segmentIndex_;
    g.calibPoint = calibPoint_;
    return g;
}
