#include "HardwareAdvanced.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "LabelKeys.h"
#include "resource.h"

namespace {
const wchar_t* const kBaudRates[] = {L"1200", L"2400", L"4800", L"9600", L"19200"};
const wchar_t* const kParities[] = {L"None", L"Odd", L"Even"};
const wchar_t* const kDataBits[] = {L"7", L"8"};
const wchar_t* const kStopBits[] = {L"1", L"2"};

const ControlLabel kLabels[] = {
    {IDC_HWA_BAUD_RATE_LABEL, LabelKey::LHW_BAUD_RATE},
    {IDC_HWA_PARITY_LABEL, LabelKey::LHW_PARITY},
    {IDC_HWA_DATA_BITS_LABEL, LabelKey::LHW_DATA_BITS},
    {IDC_HWA_STOP_BITS_LABEL, LabelKey::LHW_STOP_BITS},
    {IDOK, LabelKey::LOK},
    {IDCANCEL, LabelKey::LCANCEL},
};

// Fills the list and selects the entry that equals the text exactly; none when there is none.
template <size_t N>
void FillList(CComboBox& list, const wchar_t* const (&entries)[N], const std::wstring& text)
{
    list.ResetContent();
    for (const wchar_t* entry : entries)
        list.AddString(entry);
    list.SetCurSel(list.FindExactText(text));
}

void Keep(std::wstring& member, const std::wstring& text)
{
    if (!text.empty())
        member = text;
}
}  // namespace

CHardwareAdvanced::CHardwareAdvanced(HWND parent) : CDialog(IDD_HARDWARE_ADVANCED, parent) {}

void CHardwareAdvanced::SetBaudRate(const std::wstring& text) { Keep(baudRate_, text); }
void CHardwareAdvanced::SetParity(const std::wstring& text) { Keep(parity_, text); }
void CHardwareAdvanced::SetDataBits(const std::wstring& text) { Keep(dataBits_, text); }
void CHardwareAdvanced::SetStopBits(const std::wstring& text) { Keep(stopBits_, text); }

void CHardwareAdvanced::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_HWA_STOP_BITS, stopBitsList_);
    DDX_Control(dx, IDC_HWA_PARITY, parityList_);
    DDX_Control(dx, IDC_HWA_DATA_BITS, dataBitsList_);
    DDX_Control(dx, IDC_HWA_BAUD_RATE, baudRateList_);
}

bool CHardwareAdvanced::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CLabelStore& labels = Applet().labelStore;
    std::wstring caption = labels.Lookup(LabelKey::LHW_ADVANCED_SETTINGS);
    if (!caption.empty())
        SetWindowText(caption);
    ApplyControlLabels(m_hWnd, labels, kLabels);
    FillList(baudRateList_, kBaudRates, baudRate_);
    FillList(parityList_, kParities, parity_);
    FillList(dataBitsList_, kDataBits, dataBits_);
    FillList(stopBitsList_, kStopBits, stopBits_);
    return true;
}

bool CHardwareAdvanced::OnCommand(int id, int code, HWND control)
{
    if (code == CBN_SELCHANGE) {
        CComboBox* list = nullptr;
        std::wstring* member = nullptr;
        switch (id) {
        case IDC_HWA_BAUD_RATE:
            list = &baudRateList_, member = &baudRate_;
            break;
        case IDC_HWA_DATA_BITS:
            list = &dataBitsList_, member = &dataBits_;
            break;
        case IDC_HWA_PARITY:
            list = &parityList_, member = &parity_;
            break;
        case IDC_HWA_STOP_BITS:
            list = &stopBitsList_, member = &stopBits_;
            break;
        }
        if (list) {
            int selected = list->GetCurSel();
            if (selected >= 0)
                Keep(*member, list->GetLBText(selected));
            return true;
        }
    }
    return CDialog::OnCommand(id, code, control);
}
