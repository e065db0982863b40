#pragma once
// The Windows page: the system-wide double-click settings (time, and height and width of the
// rectangle a second click must fall in), which govern touch double clicks as much as mouse
// ones, with a click test area. It edits no device: the values are read from the system when
// the page is first shown and handed back to it at OK or Apply. Once changed, every later OK or
// Apply of the same sheet sends them again.
#include "Bitmap.h"
#include "Button.h"
#include "DevicePage.h"
#include "ValueSlider.h"

class CWindowsPage : public CDevicePage {
public:
    CWindowsPage();

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnSetActive() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnButtonClicked(int id) override;
    bool OnHScroll(int code, int position, HWND scrollBar) override;

private:
    void SetLabels();
    void ReadSystemValues();
    void ApplySystemValues() const;
    void MarkSystemChanged();
    void UpdateDefaultsButton();
    void OnDefaults();
    // A test button recognised its click: it shows the other picture.
    void ToggleTestPicture(CButton& button, bool& showA);

    CBitmap pictureA_;
    CBitmap pictureB_;
    CButton doubleClickButton_;
    CButton singleClickButton_;
    CButton defaultsButton_;
    CValueSlider heightSlider_;
    CValueSlider widthSlider_;
    CValueSlider timeSlider_;
    DWORD height_ = 0;   // pixels
    DWORD time_ = 0;     // milliseconds
    DWORD width_ = 0;    // pixels
    bool changed_ = false;
};
