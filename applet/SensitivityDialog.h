#pragma once
// What the serial and the USB sensitivity dialogs share: the number box and the slider that
// show the sensitivity (1000 - the controller's raw value), the four buttons, and the two timers
// that give disabled buttons back. The slider only displays; its position is the number shown.
#include <windows.h>

#include "Button.h"
#include "Dialog.h"
#include "Edit.h"
#include "SliderCtrl.h"

class CSensitivityDialog : public CDialog {
public:
    static constexpr int kSliderMin = 1;
    static constexpr int kSliderMax = 950;

protected:
    explicit CSensitivityDialog(UINT templateId);

    void DoDataExchange(CDataExchange& dx) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // IDT_SENS_AUTO_ADJUST gives Auto Adjust back, IDT_SENS_BUTTONS the three value buttons;
    // each timer runs once.
    virtual void OnTimer(UINT_PTR id);

    // The slider's range 1..950 with a tick every 50.
    void SetUpSlider();
    int SliderPos() const { return slider_.GetPos(); }
    // The number (at least three digits) in the box, and the slider at it (clamped to its range).
    void ShowNumber(int shown);
    // The same after a successful automatic adjustment: "  Finished  " before the number.
    void ShowFinishedNumber(int shown);
    // Sensitive, Dull and Display Sensitivity.
    void EnableValueButtons(bool enable);
    // A message box of the dialog (owned by it, so it stays on top of it).
    int ShowMessage(const wchar_t* text, const wchar_t* caption, UINT type) const;

    CButton displayButton_;
    CButton autoAdjustButton_;
    CButton dullButton_;
    CButton sensitiveButton_;
    CEdit numberBox_;
    CSliderCtrl slider_;
};
