#include "DeviceControlUnitPropertySheet.h"

#include "AppletGlobals.h"
#include "DeviceKeys.h"
#include "HtmlHelp.h"
#include "LabelBoxes.h"
#include "LabelKeys.h"
#include "ProcessLauncher.h"
#include "ProductSchema.h"
#include "ScopedAttach.h"
#include "XmlLabelLoader.h"
#include "resource.h"

namespace {
constexpr size_t kCaptionChars = 259;    // tab captions are formatted into 260 characters

struct PageEntry {
    CPropertyPage* page;
    const wchar_t* captionKey;
};
}  // namespace

CDeviceControlUnitPropertySheet::CDeviceControlUnitPropertySheet(const std::wstring& caption, HWND parent,
                                                                 UINT startPage)
    : CHelpPrSheet(caption, parent, startPage)
{
    ReadProductKey();
    LoadLabels();
    AddPages();
}

CDeviceControlUnitPropertySheet::~CDeviceControlUnitPropertySheet()
{
    if (calibrateButton_.IsWindow())
        calibrateButton_.DestroyWindow();
}

void CDeviceControlUnitPropertySheet::ReadProductKey()
{
    CAppletContext& ctx = Applet();
    // The product key is opened again and attached to serviceKey for this opening; the key the
    // previous opening (or the collection) attached is closed.
    ctx.deviceKey.SetRootKey(HKEY_LOCAL_MACHINE);
    ctx.productKey = CScopedAttach(ctx.serviceKey, kProductKeyPath);

    ctx.LoadSerialPorts();
    ctx.currentDeviceName.clear();
    ReadProductText(ctx.serviceKey, ProductValueId::CurrentDevice, ctx.currentDeviceName);
    ctx.calibrationAppPath.clear();
    ReadProductText(ctx.serviceKey, ProductValueId::CalibrationProgram, ctx.calibrationAppPath);
    helpFilePath_.clear();
    ReadProductText(ctx.serviceKey, ProductValueId::HelpFile, helpFilePath_);
}

void CDeviceControlUnitPropertySheet::LoadLabels()
{
    CAppletContext& ctx = Applet();
    std::wstring labelFile;
    ReadProductText(ctx.serviceKey, ProductValueId::AppletLabels, labelFile);
    if (labelFile.empty()) {
        LabelInfoBox(ctx.labelStore, nullptr, MessageKey::LERR_XML_FILE_NOT_FOUND,
                     MessageKey::LPOINTER_DEVICE_PROPERTIES, L"XML file path not found in the registry",
                     kPropertiesCaption);
    } else {
        CXmlLabelLoader loader;
        if (loader.Load(labelFile.c_str()))
            loader.FillStore(ctx.labelStore);
    }
    LoadSegmentNames(ctx.SegmentNames, ctx.labelStore);
    LoadButtonModeNames(ctx.ButtonModeNames, ctx.labelStore);
    LoadControllerNames(ctx.ControllerTypeNames, ctx.labelStore);
}

void CDeviceControlUnitPropertySheet::AddPages()
{
    // Tab order: Devices, Advanced, Settings, Windows, General, Events, Calibration, Hardware,
    // Status, About. A new page takes its place in this table.
    const PageEntry pages[] = {
        {&devicesPage_, LabelKey::LDEVICE_PAGE},
        {&advancedPage_, LabelKey::LADVANCED_PAGE},
        {&settingsPage_, LabelKey::LSETTINGS_PAGE},
        {&windowsPage_, LabelKey::LWINDOWS_PAGE},
        {&generalPage_, LabelKey::LGENERAL_PAGE},
        {&eventsPage_, LabelKey::LEVENTS_PAGE},
        {&calibrationPage_, LabelKey::LCALIBRATION_PAGE},
        {&hardwarePage_, LabelKey::LHARDWARE_PAGE},
        {&statusPage_, LabelKey::LSTATUS_PAGE},
        {&aboutPage_, LabelKey::LABOUT_PAGE},
    };
    size_t count = sizeof pages / sizeof pages[0];
#ifdef TIVEN_SHEET_PAGES
    // The benchmark's build with only the first pages.
    count = count < TIVEN_SHEET_PAGES ? count : TIVEN_SHEET_PAGES;
#endif
    const CLabelStore& labels = Applet().labelStore;
    for (size_t i = 0; i < count; ++i) {
        const PageEntry& entry = pages[i];
        std::wstring caption = labels.Lookup(entry.captionKey).substr(0, kCaptionChars);
        if (!caption.empty())
            entry.page->SetCaption(caption);
        AddPage(entry.page);
    }
}

bool CDeviceControlUnitPropertySheet::OnInitDialog()
{
    CHelpPrSheet::OnInitDialog();
    ModifyStyleEx(0, WS_EX_CONTEXTHELP | WS_EX_APPWINDOW);

    RECT rect = GetWindowRect();
    ScreenToClient(rect);
    const LONG bottom = rect.bottom;

    const CAppletContext& ctx = Applet();
    const CLabelStore& labels = ctx.labelStore;
    std::wstring properties = labels.TextOr(MessageKey::LPOINTER_DEVICE_PROPERTIES, kPropertiesCaption);
    std::wstring kind;
    switch (ctx.controllerKind) {
    case 1:
        kind = labels.Lookup(MessageKey::LCONTROLLER_4_8_WIRE);
        break;
    case 2:
        kind = labels.Lookup(MessageKey::LCONTROLLER_5_WIRE);
        break;
    case 3:
        kind = labels.Lookup(MessageKey::LCONTROLLER_1SHEET);
        break;
    }
    // With no kind text the title starts with the blank; it is kept exactly so, because the
    // second opening looks the window up by this text.
    title_ = kind + L" " + properties;
    SetWindowText(title_);

    CRegistryKey product;
    product.SetRootKey(HKEY_LOCAL_MACHINE);
    if (CScopedAttach key{product, kProductKeyPath})
        WriteProductText(product, ProductValueId::SheetTitle, title_);

    RECT buttonRect{5, bottom - 31, 94, bottom - 8};
    calibrateButton_.Attach(CreateChild(L"BUTTON", labels.TextOr(LabelKey::LCALIBRATE, L"&Calibrate"),
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, buttonRect,
                                        IDC_SHEET_CALIBRATE));
    calibrateButton_.SetFont(GetFont(), true);

    SetDlgItemText(IDOK, labels.TextOr(LabelKey::LOK, L"&OK"));
    SetDlgItemText(IDCANCEL, labels.TextOr(LabelKey::LCANCEL, L"&Cancel"));
    SetDlgItemText(IDC_SHEET_APPLY, labels.TextOr(LabelKey::LAPPLY, L"&Apply"));
    SetDlgItemText(IDHELP, labels.TextOr(LabelKey::LHELP, L"&Help"));
    return true;
}

void CDeviceControlUnitPropertySheet::OnCalibrate()
{
    const CAppletContext& ctx = Applet();
    if (ctx.currentDeviceName.empty())
        return;
    DWORD error = 0;
    CProcessLauncher().Run(ProgramCommandLine(ctx.calibrationAppPath, ctx.currentDeviceName), &error);
}

bool CDeviceControlUnitPropertySheet::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->code == static_cast<UINT>(TCN_SELCHANGING) && header->hwndFrom == GetTabControl()) {
        noControllerLeft_ = Applet().NoControllerLeft();
        if (noControllerLeft_) {
            LabelInfoBox(Applet().labelStore, m_hWnd, MessageKey::LERR_CONTROLLER_MUST_BE_DEFINED,
                         MessageKey::LPOINTER_DEVICE_PROPERTIES, L"One or more controllers must be defined",
                         kPropertiesCaption);
            PostMessage(PSM_SETCURSEL, 0, 0);
        }
    }
    // While no controller is left every notice is consumed, so the tab's selection change
    // does not switch pages and the posted request brings the first page back.
    if (noControllerLeft_) {
        result = 0;
        return true;
    }
    return CHelpPrSheet::OnNotify(header, result);
}

bool CDeviceControlUnitPropertySheet::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_SHEET_CALIBRATE && code == BN_CLICKED && control == calibrateButton_.m_hWnd) {
        OnCalibrate();
        return true;
    }
    if (id == kHelpCommandId) {
        OnHelp();
        return true;
    }
    return CHelpPrSheet::OnCommand(id, code, control);
}

void CDeviceControlUnitPropertySheet::OnHelp() { SendCommandHelpToActivePage(); }

void CDeviceControlUnitPropertySheet::WinHelp(DWORD_PTR, UINT)
{
    CHtmlHelp::DisplayTopic(nullptr, helpFilePath_);
}
