#pragma once
// The calibration run of Aimwell: one full-screen window on the device's desktop segment that
// shows the targets one after the other, a touch thread that reads the raw point of each touch
// from the driver, a time-out thread, and the stores that compute the correction and hand it
// to the registry and the driver.
//
// Threads: the window thread owns the targets, painting, keys and stores. The touch thread
// takes a touch only for the target that is waiting for one (awaitingIndex_), so every target
// gets exactly one touch; it hands the point over by posting WM_CALIBRATION_NEXT. The time-out
// thread counts seconds without a touch. Both workers end on stopEvent_.
#include <windows.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>

#include "CalibrationMath.h"
#include "DeviceFinder.h"
#include "DeviceRecord.h"
#include "TargetLayout.h"

class CLabelStore;

constexpr UINT WM_CALIBRATION_NEXT = WM_USER + 2;
constexpr wchar_t kCalibrateWindowClass[] = L"FerrinCalibrate";
constexpr wchar_t kCalibrationEventName[] = L"CALIB_APPLICATION";

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

class CCalibrator {
public:
    CCalibrator();
    virtual ~CCalibrator();
    CCalibrator(const CCalibrator&) = delete;
    CCalibrator& operator=(const CCalibrator&) = delete;

    static CCalibrator* Instance();

    void Start(HINSTANCE instance, const std::wstring& name);
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
    bool TimedOut() const { return calibrationDone_; }

    // Stores and the end of a run.
    bool ConfirmStore();
    void Store4Point();
    void Store9Point(bool bow);
    void Store25Point(bool bow);
    void WriteMonitorValues(int32_t& secMouX, int32_t& secMouY);
    void Restore();

    // Window procedure helpers.
    void OnEscape();
    void OnBackspace();
    void OnDisplayChange();
    void OnClose();

    HWND Window() const { return hWnd_; }
    HANDLE StopEvent() const { return stopEvent_; }
    HANDLE TouchEvent() const { return hTouchEvent_; }
    std::atomic<bool>& CalibrationDone() { return calibrationDone_; }

private:
    calib::CalibrationGeometry Geometry() const;
    void WriteValues(const calib::DwordValues& values);
    void SendToDriver(DWORD code, const void* record, DWORD size);
    void FailDegenerate();
    void StopTouchThread();
    void EndAfterError(const wchar_t* key, const wchar_t* defaultText);

    HANDLE hTouchEvent_ = nullptr;
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
    HINSTANCE hInstance_ = nullptr;
    HWND hWnd_ = nullptr;
    HBITMAP hTargetBitmap_ = nullptr;
    HANDLE hTimeoutThread_ = nullptr;
    HANDLE hTouchThread_ = nullptr;
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

    std::atomic<bool> calibrationDone_{false};   // ends the time-out thread
    std::atomic<int> awaitingIndex_{-1};         // the target waiting for its touch, or -1
    bool finished_ = false;                      // the last target was touched and stored
    HANDLE stopEvent_ = nullptr;                 // set by the restore: the touch thread ends
};

DWORD WINAPI TouchThreadProc(LPVOID calibrator);
DWORD WINAPI TimeoutThreadProc(LPVOID calibrator);
LRESULT CALLBACK CalibrateWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
