#include "AdvancedPage.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "FileDialogEx.h"
#include "LabelKeys.h"
#include "resource.h"

namespace {

const ControlLabel kLabels[] = {
    {IDC_ADV_SAMPLE_RATE_LABEL, LabelKey::LADV_SAMPLE_RATE},
    {IDC_ADV_TOUCHDOWN_LABEL, LabelKey::LADV_TOUCHDOWN_FILTER},
    {IDC_ADV_DEGLITCH_LABEL, LabelKey::LADV_DEGLITCH},
    {IDC_ADV_SELECT_WAVE_LABEL, LabelKey::LADV_SELECT_WAVE_FILE},
    {IDC_ADV_BROWSE, LabelKey::LADV_BROWSE},
    {IDC_ADV_ENABLED, LabelKey::LADV_ENABLED},
    {IDC_ADV_SOUND_LABEL, LabelKey::LADV_SOUND},
    {IDC_ADV_SETTINGS_FOR, LabelKey::LADV_ADVANCED_SETTINGS_FOR},
    {IDC_ADV_DEFAULTS, LabelKey::LDEFAULTS},
};

// The sound list, in the order of the stored sound mode (0 none, 1 wave file, 2 beep). Every
// item has a built-in text, so a label file without one of the keys cannot shift the indices.
const ControlLabel kSoundItems[] = {
    {0, LabelKey::LADV_NOT_SOUND},
    {1, LabelKey::LADV_WAVE_SOUND},
    {2, LabelKey::LADV_BEEP_SOUND},
};
const wchar_t* const kSoundDefaults[] = {L"No sound", L"Wave file", L"Beep"};

}  // namespace

CAdvancedPage::CAdvancedPage()
    : CDevicePage(IDD_ADVANCED),
      sliders_({
          {{IDC_ADV_SAMPLE_RATE_SLIDER, IDC_ADV_SAMPLE_RATE_VALUE, 0, 100, false, 100}, &CDeviceSettings::dwSampleRate},
          {{IDC_ADV_TOUCHDOWN_SLIDER, IDC_ADV_TOUCHDOWN_VALUE, 0, 20, false, 0}, &CDeviceSettings::dwTouchdownFilter},
          {{IDC_ADV_DEGLITCH_SLIDER, IDC_ADV_DEGLITCH_VALUE, 0, 100, false, 0}, &CDeviceSettings::dwDeglitch},
      })
{
    Psp().dwFlags |= PSP_HASHELP;
}

void CAdvancedPage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    sliders_.Exchange(dx);
    DDX_Control(dx, IDC_ADV_ENABLED, enabledCheck_);
    DDX_Control(dx, IDC_ADV_DEVICE, deviceList_);
    DDX_Control(dx, IDC_ADV_DEFAULTS, defaultsButton_);
    DDX_Control(dx, IDC_ADV_WAVE_FILE, waveFileEdit_);
    DDX_Control(dx, IDC_ADV_SOUND, soundList_);
    DDX_Text(dx, IDC_ADV_WAVE_FILE, waveFile_);
}

std::wstring CAdvancedPage::DefaultWavePath() const { return Applet().installDir + L"\\wave\\default.wav"; }

bool CAdvancedPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetLabels();
    sliders_.SetRange();
    defaultWavePath_ = DefaultWavePath();
    return true;
}

void CAdvancedPage::SetLabels()
{
    const CAppletContext& ctx = Applet();
    ApplyControlLabels(m_hWnd, ctx.labelStore, kLabels);

    soundList_.ResetContent();
    for (const ControlLabel& item : kSoundItems)
        soundList_.AddString(ctx.labelStore.TextOr(item.key, kSoundDefaults[item.id]));
    if (ctx.currentDevice)
        soundList_.SetCurSel(static_cast<int>(ctx.currentDevice->dwSoundEnabled));
    UpdateData(false);
}

void CAdvancedPage::LoadDeviceValues()
{
    CAppletContext& ctx = Applet();
    CDeviceSettings* device = ctx.currentDevice;
    if (!device)
        return;
    bool corrected = sliders_.Load(*device);

    if (device->dwControllerEnabled != 0 && device->dwControllerEnabled != 1) {
        device->dwControllerEnabled = 1;
        corrected = true;
    }
    enabledCheck_.SetCheck(device->dwControllerEnabled == 1 ? BST_CHECKED : BST_UNCHECKED);

    if (device->dwSoundEnabled > 2) {
        device->dwSoundEnabled = 0;
        corrected = true;
    }
    soundList_.SetCurSel(static_cast<int>(device->dwSoundEnabled));

    if (device->Str_WaveFile.empty()) {
        device->Str_WaveFile = DefaultWavePath();
        corrected = true;
    }
    waveFile_ = device->Str_WaveFile;

    if (corrected || device->bAdvancedChanged)
        MarkAdvancedChanged();
    UpdateDefaultsButton();
    UpdateData(false);
}

void CAdvancedPage::MarkAdvancedChanged()
{
    MarkChanged(&CDeviceSettings::bAdvancedChanged);
    UpdateDefaultsButton();
}

void CAdvancedPage::UpdateDefaultsButton()
{
    const CDeviceSettings* device = Applet().currentDevice;
    const bool atDefaults = device && sliders_.AtDefaults(*device) && device->dwControllerEnabled == 1 &&
                            device->dwSoundEnabled == 0 && device->Str_WaveFile == defaultWavePath_;
    defaultsButton_.EnableWindow(!atDefaults);
}

bool CAdvancedPage::OnCommand(int id, int code, HWND control)
{
    if (code == CBN_SELCHANGE) {
        switch (id) {
        case IDC_ADV_DEVICE:
            OnSelchangeDevice(deviceList_);
            return true;
        case IDC_ADV_SOUND:
            OnSelchangeSound();
            return true;
        }
    }
    return CDevicePage::OnCommand(id, code, control);
}

bool CAdvancedPage::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_ADV_BROWSE:
        OnBrowse();
        return true;
    case IDC_ADV_DEFAULTS:
        OnDefaults();
        return true;
    case IDC_ADV_ENABLED:
        OnEnabled();
        return true;
    }
    return CDevicePage::OnButtonClicked(id);
}

bool CAdvancedPage::OnHScroll(int, int, HWND scrollBar)
{
    // The value is read back from the slider; the message's position is only valid for some
    // scroll codes.
    CDeviceSettings* device = Applet().currentDevice;
    if (sliders_.TakeScroll(scrollBar, *this, device) && device)
        MarkAdvancedChanged();
    return false;
}

void CAdvancedPage::OnEnabled()
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device)
        return;
    device->dwControllerEnabled = enabledCheck_.GetCheck() == BST_CHECKED ? 1 : 0;
    device->bEnableChanged = true;
    MarkAdvancedChanged();
}

void CAdvancedPage::OnSelchangeSound()
{
    CDeviceSettings* device = Applet().currentDevice;
    int selected = soundList_.GetCurSel();
    if (!device || selected < 0)
        return;
    device->dwSoundEnabled = static_cast<DWORD>(selected);
    MarkAdvancedChanged();
    device->bSoundChanged = true;
}

void CAdvancedPage::OnBrowse()
{
    CFileDialogEx dialog(true, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY,
                         L"Wave Files (*.wav)|*.wav||", this);
    if (dialog.DoModal() != IDOK)
        return;
    CDeviceSettings* device = Applet().currentDevice;
    waveFile_ = dialog.GetPathName();
    if (!device) {
        UpdateData(false);
        return;
    }
    device->Str_WaveFile = waveFile_;
    UpdateData(false);
    device->bSoundChanged = true;
    MarkAdvancedChanged();
}

void CAdvancedPage::OnDefaults()
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device)
        return;
    sliders_.SetDefaults(*device);
    device->dwControllerEnabled = 1;
    device->dwSoundEnabled = 0;
    device->Str_WaveFile = DefaultWavePath();

    enabledCheck_.SetCheck(BST_CHECKED);
    waveFile_ = DefaultWavePath();
    soundList_.SetCurSel(0);

    MarkAdvancedChanged();
    device->bSoundChanged = true;
    device->bEnableChanged = true;
    UpdateDefaultsButton();
    UpdateData(false);
}
