#include "HardwarePage.h"

#include <cwchar>

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "LabelKeys.h"
#include "resource.h"

namespace {
constexpr DWORD kLargestFifo = 14;
constexpr wchar_t kSerialPortName[] = L"COM2";
constexpr wchar_t kNoPort[] = L"No COM2";
// A label without a place of its own in the product's tables; when a label file has it, it
// stands where a USB device has no port settings.
constexpr wchar_t kNoSettingsRequired[] = L"NO_SETTINGS_REQUIRED";

const wchar_t* const kFifoValues[] = {L"0", L"1", L"4", L"8", L"14"};

const ControlLabel kLabels[] = {
    {IDC_HW_SETTINGS_FOR, LabelKey::LHW_HARDWARE_SETTINGS_FOR},
    {IDC_HW_PORT_SETTINGS, LabelKey::LHW_PORT_SETTINGS},
    {IDC_HW_PORT_LABEL, LabelKey::LHW_PORT},
    {IDC_HW_ADDRESS_LABEL, LabelKey::LHW_ADDRESS},
    {IDC_HW_IRQ_LABEL, LabelKey::LHW_IRQ},
    {IDC_HW_BAUD_RATE_LABEL, LabelKey::LHW_BAUD_RATE},
    {IDC_HW_PARITY_LABEL, LabelKey::LHW_PARITY},
    {IDC_HW_DATA_BITS_LABEL, LabelKey::LHW_DATA_BITS},
    {IDC_HW_STOP_BITS_LABEL, LabelKey::LHW_STOP_BITS},
    {IDC_HW_ADVANCED, LabelKey::LHW_ADVANCED},
    {IDC_HW_HARDWARE_SETTINGS, LabelKey::LHW_HARDWARE_SETTINGS},
    {IDC_HW_FIFO_LABEL, LabelKey::LHW_FIFO},
    {IDC_HW_SENSITIVE, LabelKey::LHW_SENSITIVE},
    {IDC_HW_WRITE, LabelKey::LHW_DEFAULT_WRITE},
    {IDC_HW_READ, LabelKey::LHW_DEFAULT_READ},
    {IDC_HW_DATA_LABEL, LabelKey::LHW_EEPROM_LABEL},
    {IDC_HW_NO_SETTINGS, kNoSettingsRequired},
};

// The port settings of a serial controller; control 1124 stands in their place otherwise.
const int kSerialControls[] = {
    IDC_HW_FIFO, IDC_HW_PORT, IDC_HW_BAUD_RATE, IDC_HW_PARITY, IDC_HW_DATA_BITS, IDC_HW_STOP_BITS,
    IDC_HW_PORT_SETTINGS, IDC_HW_PORT_LABEL, IDC_HW_BAUD_RATE_LABEL, IDC_HW_PARITY_LABEL, IDC_HW_DATA_BITS_LABEL,
    IDC_HW_STOP_BITS_LABEL, IDC_HW_FIFO_LABEL, IDC_HW_HARDWARE_SETTINGS, IDC_HW_PORT_LINE, IDC_HW_HARDWARE_LINE,
    IDC_HW_ADVANCED,
};

const wchar_t* ParityText(DWORD parity)
{
    return parity == 2 ? L"Even" : parity == 1 ? L"Odd" : L"None";
}

DWORD ParityValue(const std::wstring& text)
{
    return text == L"Even" ? 2 : text == L"Odd" ? 1 : 0;
}

DWORD Decimal(const std::wstring& text) { return static_cast<DWORD>(wcstoul(text.c_str(), nullptr, 10)); }

std::wstring Formatted(const wchar_t* format, DWORD value)
{
    wchar_t text[16];
    wsprintfW(text, format, value);
    return text;
}

// Selects the entry that equals the text exactly; none when no entry does, so the list never
// goes on showing another device's value.
void SelectExact(CComboBox& list, const std::wstring& text) { list.SetCurSel(list.FindExactText(text)); }
}  // namespace

CHardwarePage::CHardwarePage() : CDevicePage(IDD_HARDWARE)
{
    Psp().dwFlags |= PSP_HASHELP;
}

void CHardwarePage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_HW_FIFO, fifoList_);
    DDX_Control(dx, IDC_HW_DEVICE, deviceList_);
    DDX_Control(dx, IDC_HW_PORT, portList_);
    DDX_Control(dx, IDC_HW_GET_LOW, getLowEdit_);
    DDX_Control(dx, IDC_HW_GET_HIGH, getHighEdit_);
    DDX_Text(dx, IDC_HW_ADDRESS, address_);
    DDX_Text(dx, IDC_HW_IRQ, irq_);
    DDX_Text(dx, IDC_HW_BAUD_RATE, baudRate_);
    DDX_Text(dx, IDC_HW_PARITY, parity_);
    DDX_Text(dx, IDC_HW_DATA_BITS, dataBits_);
    DDX_Text(dx, IDC_HW_STOP_BITS, stopBits_);
}

bool CHardwarePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetLabels();
    advanced_ = std::make_unique<CHardwareAdvanced>(m_hWnd);
    for (const wchar_t* value : kFifoValues)
        fifoList_.AddString(value);
    UpdateData(false);
    readButton_.Attach(GetDlgItem(IDC_HW_READ));
    writeButton_.Attach(GetDlgItem(IDC_HW_WRITE));
    sensitiveButton_.Attach(GetDlgItem(IDC_HW_SENSITIVE));
    advancedButton_.Attach(GetDlgItem(IDC_HW_ADVANCED));
    dataLabel_.Attach(GetDlgItem(IDC_HW_DATA_LABEL));
    return true;
}

void CHardwarePage::SetLabels()
{
    const CLabelStore& labels = Applet().labelStore;
    ApplyControlLabels(m_hWnd, labels, kLabels);
    writeConfirmation_ = labels.TextOr(LabelKey::LHW_DWMESSAGE, L"Click on [Yes] to Write Data");
    readConfirmation_ = labels.TextOr(LabelKey::LHW_DRMESSAGE, L"Click on [Yes] to Read Data");
}

bool CHardwarePage::OnSetActive()
{
    if (RedirectWhenNoControllerLeft())
        return false;
    CAppletContext& ctx = Applet();
    FillDeviceCombo(deviceList_);
    ctx.LoadSerialPorts();
    portList_.ResetContent();
    std::wstring port = kNoPort;
    for (const std::wstring& name : ctx.serialPorts) {
        if (_wcsicmp(name.c_str(), kSerialPortName) == 0) {
            port = name;
            break;
        }
    }
    portList_.AddString(port);
    ShowDeviceControls();
    return CPropertyPage::OnSetActive();
}

void CHardwarePage::ShowDeviceControls()
{
    const CAppletContext& ctx = Applet();
    const CDeviceSettings* device = ctx.currentDevice;
    if (!device) {
        // Nothing of a device to show: neither port settings nor tools.
        ShowSerialControls(false);
        ShowSensitivityTools(false);
        return;
    }
    ShowSerialControls(device->IsSerial());
    ShowSensitivityTools(ctx.controllerKind == 3);
    if (device->IsSerial())
        ShowPortSettings();
}

void CHardwarePage::ShowSerialControls(bool show)
{
    ::ShowWindow(GetDlgItem(IDC_HW_NO_SETTINGS), show ? SW_HIDE : SW_SHOW);
    for (int id : kSerialControls)
        ::ShowWindow(GetDlgItem(id), show ? SW_SHOW : SW_HIDE);
}

void CHardwarePage::ShowSensitivityTools(bool show)
{
    const int showCommand = show ? SW_SHOW : SW_HIDE;
    sensitiveButton_.ShowWindow(showCommand);
    writeButton_.ShowWindow(showCommand);
    readButton_.ShowWindow(showCommand);
    dataLabel_.ShowWindow(showCommand);
}

void CHardwarePage::ShowPortSettings()
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device)
        return;
    bool corrected = false;
    if (device->dwFIFO > kLargestFifo) {
        device->dwFIFO = kLargestFifo;
        corrected = true;
    }
    fifo_ = Formatted(L"%d", device->dwFIFO);
    SelectExact(fifoList_, fifo_);

    if (device->Str_Port.empty()) {
        device->Str_Port = kNoPort;
        corrected = true;
    }
    SelectExact(portList_, device->Str_Port);

    address_ = Formatted(L"%x", device->dwAddress);
    baudRate_ = Formatted(L"%d", device->BaudRate);
    irq_ = Formatted(L"%d", device->dwIRQ);
    dataBits_ = Formatted(L"%d", device->DataBits);
    stopBits_ = Formatted(L"%d", device->dwStopBits);
    if (device->dwParity > 2) {
        device->dwParity = 0;
        corrected = true;
    }
    parity_ = ParityText(device->dwParity);

    if (corrected || device->bHardwareChanged)
        MarkHardwareChanged();
    UpdateData(false);
}

void CHardwarePage::MarkHardwareChanged() { MarkChanged(&CDeviceSettings::bHardwareChanged); }

void CHardwarePage::OnOK()
{
    Applet().deviceCollection.ApplyChanges();
    CPropertyPage::OnOK();
}

bool CHardwarePage::OnCommand(int id, int code, HWND control)
{
    if (code == CBN_SELCHANGE) {
        switch (id) {
        case IDC_HW_DEVICE:
            OnDeviceChanged();
            return true;
        case IDC_HW_FIFO:
            OnFifoChanged();
            return true;
        case IDC_HW_PORT:
            OnPortChanged();
            return true;
        }
    }
    return CPropertyPage::OnCommand(id, code, control);
}

bool CHardwarePage::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_HW_ADVANCED:
        OnAdvanced();
        return true;
    case IDC_HW_SENSITIVE:
        OnSensitive();
        return true;
    case IDC_HW_CONT:
        OnCont();
        return true;
    case IDC_HW_WRITE:
        OnWrite();
        return true;
    case IDC_HW_READ:
        OnRead();
        return true;
    case IDC_HW_GET:
        OnGet();
        return true;
    }
    return CPropertyPage::OnButtonClicked(id);
}

void CHardwarePage::OnDeviceChanged()
{
    const int selected = deviceList_.GetCurSel();
    if (selected < 0 || !Applet().currentDevice)
        return;
    // The lookup leaves the device's key open on the shared device key: close it again.
    CRegistryKey& deviceKey = Applet().deviceKey;
    if (deviceKey.FindDevice(deviceList_.GetLBText(selected).c_str())) {
        HKEY found = deviceKey.AttachedKey();
        deviceKey.Attach(nullptr);
        deviceKey.Close(found);
    }
    SelectDeviceFromCombo(deviceList_);
    ShowDeviceControls();
}

void CHardwarePage::OnFifoChanged()
{
    CDeviceSettings* device = Applet().currentDevice;
    const int selected = fifoList_.GetCurSel();
    if (selected < 0 || !device)
        return;
    fifo_ = fifoList_.GetLBText(selected);
    device->dwFIFO = Decimal(fifo_);
    MarkHardwareChanged();
}

void CHardwarePage::OnPortChanged()
{
    CDeviceSettings* device = Applet().currentDevice;
    const int selected = portList_.GetCurSel();
    if (selected < 0 || !device)
        return;
    device->Str_Port = portList_.GetLBText(selected);
    MarkHardwareChanged();
}

void CHardwarePage::OnAdvanced()
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device)
        return;
    advanced_->SetBaudRate(baudRate_);
    advanced_->SetParity(parity_);
    advanced_->SetDataBits(dataBits_);
    advanced_->SetStopBits(stopBits_);
    if (advanced_->DoModal() != IDOK)
        return;
    std::wstring text = advanced_->GetBaudRate();
    if (!text.empty()) {
        baudRate_ = text;
        device->BaudRate = Decimal(text);
    }
    if (!(text = advanced_->GetStopBits()).empty()) {
        stopBits_ = text;
        device->dwStopBits = Decimal(text);
    }
    if (!(text = advanced_->GetDataBits()).empty()) {
        dataBits_ = text;
        device->DataBits = Decimal(text);
    }
    if (!(text = advanced_->GetParity()).empty()) {
        parity_ = text;
        device->dwParity = ParityValue(text);
    }
    MarkHardwareChanged();
    UpdateData(false);
}

int CHardwarePage::ShowMessage(const wchar_t* text, const wchar_t* caption, UINT type) const
{
    return ::MessageBoxW(m_hWnd, text, caption, type);
}
