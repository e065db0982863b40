// Touch capture, the time-out and the messages of the calibration window.
#include "Calibrator.h"

#include "CalibrationMessages.h"
#include "DeviceAccess.h"
#include "DisplayMode.h"
#include "LabelBoxes.h"
#include "LabelStore.h"

namespace {
constexpr WPARAM kQuitInterrupted = 4;
}

void CCalibrator::TouchArrived(void* calibrator) { static_cast<CCalibrator*>(calibrator)->OnTouch(); }

DWORD WINAPI CCalibrator::TimeoutThreadProc(LPVOID parameter)
{
    auto* calibrator = static_cast<CCalibrator*>(parameter);
    // One tick per second until the run is over or the thread is stopped.
    while (!calibrator->timeout_.WaitForStop(1000) && !calibrator->RunEnded())
        calibrator->OnTimerTick();
    return 0;
}

void CCalibrator::OnTouch()
{
    secondsWithoutTouch_ = 0;
    if (beeps_)
        MessageBeep(0);
    RawPointReply point{0, 0};
    if (IsValidDeviceHandle(GetDeviceHandle(device_.get())))
        DeviceIoctl(device_.get(), IOCTL_GET_CALIBRATION_POINT, nullptr, 0, &point, sizeof point);
    ResetEvent(touch_.WatchedEvent());
    // Only the target on the screen takes a touch, and only one: the slot is claimed here and
    // opened again by the window thread when it shows the next target.
    const int index = awaitingIndex_.exchange(-1);
    if (index < 0)
        return;
    rawPoints_[index] = {point.x, point.y};
    ::PostMessageW(window_, WM_CALIBRATION_NEXT, static_cast<WPARAM>(index) + 1, 0);
}

void CCalibrator::OnTimerTick()
{
    if (++secondsWithoutTouch_ < timeoutSeconds_)
        return;
    // The run may have ended on the window thread since this tick began.
    if (!ClaimEnd(RunEnd::TimedOut))
        return;
    SetForegroundWindow(window_);
    ::ShowWindow(window_, SW_HIDE);
    Restore();
    LabelErrorBox(ProgramLabels(), nullptr, L"XML_CALIBRATION_TIME_OUT", calib::kTitle.key,
                  L"Calibration time out", calib::kTitle.text);
    QuitRun(kQuitInterrupted);
}

void CCalibrator::OnEscape()
{
    if (!ClaimEnd(RunEnd::Escaped))
        return;
    Restore();
    QuitRun(0);
}

void CCalibrator::OnBackspace()
{
    stepBack_ = 1;
    NextPoint(-1);
}

void CCalibrator::OnClose()
{
    // The last touch closes the window itself after it has claimed the end, and its restore
    // comes here. A close from anywhere else ends the run, unless another ending came first.
    const bool closing = ClaimEnd(RunEnd::Closed);
    const bool finishing = restoreOnClose_;
    restoreOnClose_ = false;
    if (closing || finishing)
        Restore();
    ::DestroyWindow(window_);
    ShowCursor(TRUE);
    BlockInput(FALSE);
    if (closing)
        QuitRun(0);
}

void CCalibrator::OnDisplayChange()
{
    DEVMODEW mode;
    calib::ReadCurrentDisplayMode(mode);
    const int orientation = static_cast<int>(mode.dmDisplayOrientation);
    DisplayState& d = ProgramDisplay();
    if (orientation == d.savedOrientation || orientation == d.lastSeenOrientation)
        return;
    if (!ClaimEnd(RunEnd::DisplayChanged))
        return;
    d.lastSeenOrientation = orientation;
    SetForegroundWindow(window_);
    ::ShowWindow(window_, SW_HIDE);
    Restore();
    LabelErrorBox(ProgramLabels(), nullptr, L"XML_INTERRUPTED", calib::kTitle.key,
                  L"Screen rotation cannot be carried out during calibration starting. The calibration was "
                  L"interrupted.",
                  calib::kTitle.text);
    QuitRun(kQuitInterrupted);
}

bool CCalibrator::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_DISPLAYCHANGE:
        OnDisplayChange();
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            OnEscape();
            result = 0;
            return true;
        }
        if (wParam == VK_BACK) {
            OnBackspace();
            result = 0;
            return true;
        }
        break;
    case WM_CALIBRATION_NEXT:
        NextPoint(static_cast<int>(wParam) - 1);
        break;
    default:
        break;
    }
    // The window's default processing follows, as for every message not answered above.
    return false;
}
