#include "AdvancedPage.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "FileDialogEx.h"
#include "LabelKeys.h"
#include "resource.h"

namespace {
constexpr DWORD kMaxSampleRate = 100;
constexpr DWORD kMaxTouchdownFilter = 20;
constexpr DWORD kMaxDeglitch = 100;

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

std::wstring Number(DWORD value) { return std::to_wstring(value); }
}  // namespace

CAdvancedPage::CAdvancedPage() : CDevicePage(IDD_ADVANCED)
{
    Psp().dwFlags |= PSP_HASHELP;
}

void CAdvancedPage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_ADV_SAMPLE_RATE_SLIDER, sampleRateSlider_);
    DDX_Control(dx, IDC_ADV_TOUCHDOWN_SLIDER, touchdownSlider_);
    DDX_Control(dx, IDC_ADV_DEGLITCH_SLIDER, deglitchSlider_);
    DDX_Control(dx, IDC_ADV_ENABLED, enabledCheck_);
    DDX_Control(dx, IDC_ADV_DEVICE, deviceList_);
    DDX_Control(dx, IDC_ADV_DEFAULTS, defaultsButton_);
    DDX_Control(dx, IDC_ADV_WAVE_FILE, waveFileEdit_);
    DDX_Control(dx, IDC_ADV_SOUND, soundList_);
    DDX_Text(dx, IDC_ADV_WAVE_FILE, waveFile_);
    DDX_Text(dx, IDC_ADV_SAMPLE_RATE_VALUE, sampleRateText_);
    DDX_Text(dx, IDC_ADV_TOUCHDOWN_VALUE, touchdownText_);
    DDX_Text(dx, IDC_ADV_DEGLITCH_VALUE, deglitchText_);
}

std::wstring CAdvancedPage::DefaultWavePath() const { return Applet().installDir + L"\\wave\\default.wav"; }

bool CAdvancedPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetLabels();
    sampleRateSlider_.SetRange(0, static_cast<int>(kMaxSampleRate), false);
    touchdownSlider_.SetRange(0, static_cast<int>(kMaxTouchdownFilter), false);
    deglitchSlider_.SetRange(0, static_cast<int>(kMaxDeglitch), false);
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

bool CAdvancedPage::OnSetActive()
{
    if (RedirectWhenNoControllerLeft())
        return false;
    FillDeviceCombo(deviceList_);
    LoadDeviceValues();
    return CPropertyPage::OnSetActive();
}

void CAdvancedPage::LoadDeviceValues()
{
    CAppletContext& ctx = Applet();
    CDeviceSettings* device = ctx.currentDevice;
    if (!device)
        return;
    bool corrected = false;

    struct SliderValue {
        DWORD& value;
        DWORD limit;
        std::wstring& text;
        CSliderCtrl& slider;
    };
    SliderValue sliders[] = {
        {device->dwSampleRate, kMaxSampleRate, sampleRateText_, sampleRateSlider_},
        {device->dwTouchdownFilter, kMaxTouchdownFilter, touchdownText_, touchdownSlider_},
        {device->dwDeglitch, kMaxDeglitch, deglitchText_, deglitchSlider_},
    };
    for (SliderValue& s : sliders) {
        if (s.value > s.limit) {
            s.value = s.limit;
            corrected = true;
        }
        s.text = Number(s.value);
        s.slider.SetPos(static_cast<int>(s.value));
    }

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
    bool atDefaults = device && device->dwSampleRate == kMaxSampleRate && device->dwTouchdownFilter == 0 &&
                      device->dwDeglitch == 0 && device->dwControllerEnabled == 1 && device->dwSoundEnabled == 0 &&
                      device->Str_WaveFile == defaultWavePath_;
    defaultsButton_.EnableWindow(!atDefaults);
}

void CAdvancedPage::OnOK()
{
    Applet().deviceCollection.ApplyChanges();
    CPropertyPage::OnOK();
}

bool CAdvancedPage::OnCommand(int id, int code, HWND control)
{
    switch (id) {
    case IDC_ADV_BROWSE:
        if (code != BN_CLICKED)
            break;
        OnBrowse();
        return true;
    case IDC_ADV_DEFAULTS:
        if (code != BN_CLICKED)
            break;
        OnDefaults();
        return true;
    case IDC_ADV_ENABLED:
        if (code != BN_CLICKED)
            break;
        OnEnabled();
        return true;
    case IDC_ADV_DEVICE:
        if (code != CBN_SELCHANGE)
            break;
        OnSelchangeDevice();
        return true;
    case IDC_ADV_SOUND:
        if (code != CBN_SELCHANGE)
            break;
        OnSelchangeSound();
        return true;
    }
    return CPropertyPage::OnCommand(id, code, control);
}

bool CAdvancedPage::OnHScroll(int, int, HWND scrollBar)
{
    CDeviceSettings* device = Applet().currentDevice;
    DWORD* field = nullptr;
    int textId = 0;
    CSliderCtrl* slider = nullptr;
    switch (GetDlgCtrlID(scrollBar)) {
    case IDC_ADV_SAMPLE_RATE_SLIDER:
        slider = &sampleRateSlider_;
        textId = IDC_ADV_SAMPLE_RATE_VALUE;
        field = device ? &device->dwSampleRate : nullptr;
        break;
    case IDC_ADV_TOUCHDOWN_SLIDER:
        slider = &touchdownSlider_;
        textId = IDC_ADV_TOUCHDOWN_VALUE;
        field = device ? &device->dwTouchdownFilter : nullptr;
        break;
    case IDC_ADV_DEGLITCH_SLIDER:
        slider = &deglitchSlider_;
        textId = IDC_ADV_DEGLITCH_VALUE;
        field = device ? &device->dwDeglitch : nullptr;
        break;
    default:
        return false;
    }
    // The position is read back from the slider; the message's position is only valid for
    // some scroll codes.
    int position = slider->GetPos();
    SetDlgItemText(textId, std::to_wstring(position));
    if (field) {
        *field = static_cast<DWORD>(position);
        MarkAdvancedChanged();
    }
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
    sampleRateSlider_.SetPos(static_cast<int>(kMaxSampleRate));
    touchdownSlider_.SetPos(0);
    deglitchSlider_.SetPos(0);
    device->dwSampleRate = kMaxSampleRate;
    device->dwTouchdownFilter = 0;
    device->dwDeglitch = 0;
    device->dwControllerEnabled = 1;
    device->dwSoundEnabled = 0;
    device->Str_WaveFile = DefaultWavePath();

    sampleRateText_ = Number(kMaxSampleRate);
    touchdownText_ = L"0";
    deglitchText_ = L"0";
    enabledCheck_.SetCheck(BST_CHECKED);
    waveFile_ = DefaultWavePath();
    soundList_.SetCurSel(0);

    MarkAdvancedChanged();
    device->bSoundChanged = true;
    device->bEnableChanged = true;
    UpdateDefaultsButton();
    UpdateData(false);
}

void CAdvancedPage::OnSelchangeDevice()
{
    if (SelectDeviceFromCombo(deviceList_))
        LoadDeviceValues();
}
