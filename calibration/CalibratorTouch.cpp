// Touch capture, the time-out and the window procedure of the calibration window.
#include "Calibrator.h"

#include "CalibrationMessages.h"
#include "DeviceAccess.h"
#include "DisplayMode.h"
#include "LabelBoxes.h"
#include "LabelStore.h"

namespace {
constexpr WPARAM kQuitInterrupted = 4;
}

DWORD WINAPI TouchThreadProc(LPVOID parameter)
{
    auto* calibrator = static_cast<CCalibrator*>(parameter);
    const HANDLE waits[2] = {calibrator->StopEvent(), calibrator->TouchEvent()};
    for (;;) {
        // The stop event comes first, so a stop wins over a touch that arrives with it.
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            return 0;
        calibrator->OnTouch();
        if (!ResetEvent(waits[1]))
            return 0;
    }
}

DWORD WINAPI TimeoutThreadProc(LPVOID parameter)
{
    auto* calibrator = static_cast<CCalibrator*>(parameter);
    const HANDLE stop = calibrator->StopEvent();
    // One tick per second until the run is over.
    while (WaitForSingleObject(stop, 1000) == WAIT_TIMEOUT && !calibrator->CalibrationDone())
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
    ResetEvent(hTouchEvent_);
    // Only the target on the screen takes a touch, and only one: the slot is claimed here and
    // opened again by the window thread when it shows the next target.
    const int index = awaitingIndex_.exchange(-1);
    if (index < 0)
        return;
    rawPoints_[index] = {point.x, point.y};
    PostMessageW(hWnd_, WM_CALIBRATION_NEXT, static_cast<WPARAM>(index) + 1, 0);
}

void CCalibrator::OnTimerTick()
{
    if (++secondsWithoutTouch_ < timeoutSeconds_)
        return;
    // The run may have ended on the window thread since this tick began.
    if (calibrationDone_.exchange(true))
        return;
    SetForegroundWindow(hWnd_);
    ShowWindow(hWnd_, SW_HIDE);
    Restore();
    LabelErrorBox(ProgramLabels(), nullptr, L"XML_CALIBRATION_TIME_OUT", calib::kTitle.key,
                  L"Calibration time out", calib::kTitle.text);
    PostMessageW(hWnd_, WM_QUIT, kQuitInterrupted, 0);
}

void CCalibrator::OnEscape()
{
    Restore();
    PostMessageW(hWnd_, WM_QUIT, 0, 0);
}

void CCalibrator::OnBackspace()
{
    stepBack_ = 1;
    NextPoint(-1);
}

void CCalibrator::OnClose()
{
    Restore();
    DestroyWindow(hWnd_);
    ShowCursor(TRUE);
    BlockInput(FALSE);
}

void CCalibrator::OnDisplayChange()
{
    DEVMODEW mode;
    calib::ReadCurrentDisplayMode(mode);
    const int orientation = static_cast<int>(mode.dmDisplayOrientation);
    DisplayState& d = ProgramDisplay();
    if (orientation == d.savedOrientation || orientation == d.lastSeenOrientation)
        return;
    calibrationDone_ = true;
    d.lastSeenOrientation = orientation;
    SetForegroundWindow(hWnd_);
    ShowWindow(hWnd_, SW_HIDE);
    Restore();
    LabelErrorBox(ProgramLabels(), nullptr, L"XML_INTERRUPTED", calib::kTitle.key,
                  L"Screen rotation cannot be carried out during calibration starting. The calibration was "
                  L"interrupted.",
                  calib::kTitle.text);
    PostMessageW(hWnd_, WM_QUIT, kQuitInterrupted, 0);
}

LRESULT CALLBACK CalibrateWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CCalibrator* c = CCalibrator::Instance();
    if (!c || !c->Window() || c->Window() != window)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        c->OnPaint();
        return 0;
    case WM_CLOSE:
        c->OnClose();
        break;
    case WM_DISPLAYCHANGE:
        c->OnDisplayChange();
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            c->OnEscape();
            return 0;
        }
        if (wParam == VK_BACK) {
            c->OnBackspace();
            return 0;
        }
        break;
    case WM_CALIBRATION_NEXT:
        c->NextPoint(static_cast<int>(wParam) - 1);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
