#pragma once
// The calibration run of Aimwell: one full-screen window on the device's desktop segment that
// shows the targets one after the other, a touch thread that reads the raw point of each touch
// from the driver, a time-out thread, and the stores that compute the correction and hand it
// to the registry and the driver.
//
// Threads: the window thread owns the targets, painting, keys and stores. The touch thread
// takes a touch only for the target that is waiting for one (awaitingIndex_), so every target
// gets exactly one touch; it hands the point over by posting WM_CALIBRATION_NEXT; it ends on
// stopEvent_. The time-out thread counts seconds without a touch until the run has ended or it is
// stopped.
//
// The end of a run: the last touch, Escape, the time-out, a display change and a close of the
// window each end the run, and they may come at once from two threads. Each first claims the
// end (ClaimEnd); exactly one gets it and ends the run (store, restore, quit), every later one
// does nothing.
#include <windows.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>

#include "Bitmap.h"
#include "CalibrationMath.h"
#include "DeviceFinder.h"
#include "DeviceRecord.h"
#include "TargetLayout.h"
#include "EventThread.h"
#include "Handle.h"
#include "StoppableThread.h"
#include "WindowImpl.h"

class CLabelStore;

constexpr UINT WM_CALIBRATION_NEXT = WM_USER + 2;

// The program's one label store.
CLabelStore& ProgramLabels();

// Display state shared by start-up, the window procedure and the restore.
struct DisplayState {
    int savedOrientation = 0;
    int lastSeenOrientation = -1;
    DWORD rotationSetting = 0;
    std::atomic<bool> restored{false};   // the orientation is put back once per run
};
DisplayState& ProgramDisplay();
// Puts the display orientation back (the product key's "Rotation" wins over the saved one);
// only the first call does anything.
void RestoreDisplayOnce();

class CCalibrator : public CWindowImpl {
public:
    CCalibrator();
    ~CCalibrator() override;

    // False when the run could not start (the segment does not exist, the window could not be
    // created); an error box has then been shown where one is due and nothing runs. A device
    // that is not found ends the process after its error box.
    bool Start(HINSTANCE instance, const std::wstring& name);
    void ReadSettings();

    // Targets and drawing.
    void LoadTargetBitmap();
    bool GetSegmentRect(int index);
    void LayoutTargets(LONG left, LONG top, LONG right, LONG bottom);
    void NextPoint(int touchedIndex);
    void OnPaint();
    void DrawScreen(HDC dc);

    // Touches and time-out.
    void OnTouch();
    void OnTimerTick();
    // True once one way has ended the run (the time-out thread stops ticking).
    bool RunEnded() const { return end_ != RunEnd::None; }

    // Stores and the end of a run.
    bool ConfirmStore();
    void Store4Point();
    void Store9Point(bool bow);
    void Store25Point(bool bow);
    void WriteMonitorValues(int32_t& secMouX, int32_t& secMouY);
    void Restore();

    // The calibration window ("FerrinCalibrate").
    WindowClass GetWindowClass() const override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnEscape();
    void OnBackspace();
    void OnDisplayChange();
    void OnClose();

private:
    enum class RunEnd { None, Finished, Escaped, TimedOut, DisplayChanged, Closed };
    // True for the one caller that ends the run.
    bool ClaimEnd(RunEnd how);
    // Ends the window thread's message loop (from any thread; the window may be gone).
    void QuitRun(WPARAM code);
    calib::CalibrationGeometry Geometry() const;
    void WriteValues(const calib::DwordValues& values);
    void SendToDriver(DWORD code, const void* record, DWORD size);
    void FailDegenerate();
    void EndAfterError(const wchar_t* key, const wchar_t* defaultText);
    static void TouchArrived(void* calibrator);
    static DWORD WINAPI TimeoutThreadProc(LPVOID calibrator);

    CEventThread touch_;   // owns the touch event "CALIB_APPLICATION"
    int currentIndex_ = -1;
    calib::TargetLayout layout_;
    std::array<calib::IntPoint, 25> rawPoints_{};
    RECT desktopRect_{};
    int targetHeight_ = 0;
    int targetWidth_ = 0;
    int segmentWidth_ = 0;
    int segmentHeight_ = 0;
    int segmentLeft_ = 0;
    int segmentTop_ = 0;
    HINSTANCE instance_ = nullptr;
    HWND window_ = nullptr;    // the window as created; the workers use it (m_hWnd goes with the window)
    DWORD windowThread_ = 0;   // the thread that runs the window and its message loop
    CBitmap targetBitmap_;
    CStoppableThread timeout_;
    CDeviceFinder finder_;
    bool beeps_ = false;
    bool checkCalibration_ = false;
    int timeoutSeconds_ = 0;
    calib::IntPoint currentTarget_;
    std::wstring deviceName_;
    int calibPoint_ = 1;
    int calFlag_ = 9;
    int controller_ = 0;
    std::atomic<int> secondsWithoutTouch_{0};
    int segmentIndex_ = 0;
    std::unique_ptr<CDeviceRecord> device_;
    std::wstring currentDeviceName_;
    std::wstring labelFilePath_;
    bool instructionsHidden_ = false;
    bool onSecondaryMonitor_ = false;
    bool showCentrePicture_ = false;
    int language_ = 0;
    bool storeAccepted_ = false;
    int stepBack_ = 0;
    bool movedBack_ = false;   // the target shown now was reached by a step back

    std::atomic<RunEnd> end_{RunEnd::None};   // how the run ended; ends the time-out thread
    std::atomic<int> awaitingIndex_{-1};        // the target waiting for its touch, or -1
    bool restoreOnClose_ = false;               // the last touch's WM_CLOSE does its restore
    CHandle stopEvent_;                         // set by the restore: the touch thread ends
};
