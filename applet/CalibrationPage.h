#pragma once
// The Calibration page: how the calibration program will run for the current device - the
// number of targets (4, 9 or 25, with a picture of the pattern), the time-out in seconds and
// the touch point (the outer targets' margin). Edits go into the record (calibration group);
// OK or Apply writes the whole collection, which stores them for the calibration program and
// tells the driver nothing.
#include "Bitmap.h"
#include "ComboBox.h"
#include "DevicePage.h"
#include "Edit.h"
#include "SpinButtonCtrl.h"
#include "Static.h"

class CCalibrationPage : public CDevicePage {
public:
    CCalibrationPage();

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnSetActive() override { return ActivateWithDeviceList(deviceList_); }
    void OnOK() override { ApplyDeviceChanges(); }
    bool OnCommand(int id, int code, HWND control) override;
    bool OnHScroll(int code, int position, HWND scrollBar) override;

protected:
    void LoadDeviceValues() override;

private:
    void SetLabels();
    // Shows 4, 9 or 25 points: the number in the points field and the pattern's picture.
    void ShowPoints(DWORD points);
    // True when the device may only be calibrated with 4 points: a 4/8-wire controller on a
    // part of a monitor.
    static bool OnlyFourPoints(const CDeviceSettings* device);

    CStatic patternPicture_;
    CBitmap pattern9_;
    CBitmap pattern4_;
    CBitmap pattern25_;
    CEdit timeoutField_;
    CEdit pointsField_;
    CEdit touchPointField_;
    CComboBox deviceList_;
    CSpinButtonCtrl timeoutSpin_;
    CSpinButtonCtrl touchPointSpin_;
    CSpinButtonCtrl pointsSpin_;
    DWORD points_ = 4;   // the number of points shown
};

// The number of points a step of the points spin chooses. The spin stands on the number shown
// (4, 9 or 25) and steps one up or down, so 5 and 10 go up to 9 and 25, 24 and 8 go down to 9
// and 4; anything else is 4 for a 4/8-wire controller (kind 1), else 9.
DWORD CalibrationPointsAt(int position, DWORD controllerKind);
