#include "TrayRun.h"

#include <shellapi.h>

#include <string>

#include "DeviceKeyFixture.h"
#include "DeviceKeys.h"
#include "Equipment.h"
#include "NamedEvents.h"
#include "NamedObjects.h"
#include "TestPaths.h"
#include "TestWindows.h"

using namespace testsupport;

namespace traytest {

const TestDevice kDevices[3] = {
    {standin::Driver::Rilo, 1, L"Front Panel", 1, 5},
    {standin::Driver::Rilo, 2, L"Side Panel", 0, 3},
    {standin::Driver::Meka, 1, L"Desk Pad", 1, 1},
};

namespace {
std::string Utf8(const std::wstring& text)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], bytes, nullptr, nullptr);
    return out;
}

struct WindowsOf {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectIconWindow(HWND window, LPARAM lp)
{
    auto* args = reinterpret_cast<WindowsOf*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == args->pid && ClassNameOf(window) == kTrayIconWindowClass)
        args->found.push_back(window);
    return TRUE;
}

// Sent to wait until the program has handled it; not SMTO_ABORTIFHUNG, which drops the message
// when the program's thread has not read its queue for five seconds.
bool SendAndWait(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, kDefaultDeadlineMs, &result) != 0;
}
}  // namespace

std::wstring WriteLabelFile(const Labels& labels)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<labels>\n<group>\n";
    for (const auto& label : labels)
        xml += "<entry><key>" + Utf8(label.first) + "</key><text>" + Utf8(label.second) + "</text></entry>\n";
    xml += "</group>\n</labels>\n";
    const std::wstring path = MakeTempDir(L"tray-labels") + L"\\labels.xml";
    EXPECT_TRUE(WriteFileBytes(path, xml.data(), xml.size()));
    return path;
}

bool IconPresent(HWND window, UINT id)
{
    if (!window)
        return false;
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

std::vector<HWND> IconWindows(DWORD pid)
{
    WindowsOf args{pid, {}};
    EnumWindows(CollectIconWindow, reinterpret_cast<LPARAM>(&args));
    return args.found;
}

void TrayTest::SetUp()
{
    ASSERT_EQUIPMENT(standin::Running() && standin::Reset(), "the stand-in drivers");
    reg.Own(kProductKeyPath);
    reg.Own(kSerialParametersPath);
    reg.Own(kUsbParametersPath);
    for (const TestDevice& d : kDevices) {
        DeviceRow row = d.driver == standin::Driver::Rilo ? Serial(d.instance, d.name) : Usb(d.instance, d.name);
        row.controllerEnabled = d.enabled;
        row.primaryMode = d.primaryMode;
        AddDevice(reg, row);
    }
    SetProduct(L"System Tray Icons", 1);
    SetProduct(L"Gesturo", 0);
    SetProduct(L"HitOne", 0);
    SetProduct(L"Device Name", std::wstring(L"Side Panel"));
    const std::wstring labels = WriteLabelFile({{L"SYS_TRAY_TOOLTIP", L"Tiven MAVO Settings"}});
    labelDir = labels.substr(0, labels.find_last_of(L'\\'));
    SetProduct(L"Beaconet XML File Path", labels);
    SetProduct(L"GXLabelsPath", labels);
}

void TrayTest::TearDown()
{
    if (gesturo.Running()) {
        EXPECT_TRUE(CloseGesturo()) << "Gesturo did not close";
    }
    if (beaconet.Running()) {
        EXPECT_TRUE(QuitBeaconet()) << "Beaconet did not quit";
    }
}

void TrayTest::SetProduct(const wchar_t* name, DWORD value) { reg.SetDword(kProductKeyPath, name, value); }

void TrayTest::SetProduct(const wchar_t* name, const std::wstring& text) { reg.SetString(kProductKeyPath, name, text); }

DWORD TrayTest::ProductDword(const wchar_t* name) const { return reg.Read(kProductKeyPath, name).AsDword(); }

bool TrayTest::StartBeaconet() { return beaconet.Start(L"\"" + BinPath(L"Beaconet.exe") + L"\""); }

bool TrayTest::WaitBeaconetReady()
{
    return WaitUntil([&] {
        mainIcon_ = modeIcon_ = nullptr;
        for (HWND window : IconWindows(beaconet.Pid())) {
            if (IconPresent(window, kMainIconId))
                mainIcon_ = window;
            else if (IconPresent(window, kModeIconId))
                modeIcon_ = window;
        }
        // The listener of "TivenTrayIcons" starts after both icons.
        return mainIcon_ && modeIcon_ && NamedEventExists(kTrayIconsEvent);
    });
}

bool TrayTest::NotifyIcon(HWND window, UINT id, UINT mouseMessage)
{
    return SendAndWait(window, kCallbackMessage, id, mouseMessage);
}

HWND TrayTest::OpenMenu()
{
    PostMessageW(mainIcon_, kCallbackMessage, kMainIconId, WM_RBUTTONUP);
    return WaitForWindow(L"#32768", L"", kDefaultDeadlineMs, beaconet.Pid());
}

bool TrayTest::ChooseMenuItem(int fromBottom, int subItem)
{
    HWND menu = WaitForWindow(L"#32768", L"", kDefaultDeadlineMs, beaconet.Pid());
    if (!menu)
        return false;
    // Keys go to the menu in order; the menu loop reads them from its thread's queue.
    auto key = [&](WORD vk) { PostMessageW(menu, WM_KEYDOWN, vk, 0); };
    for (int i = 0; i < fromBottom; ++i)
        key(VK_UP);
    if (subItem >= 0) {
        key(VK_RIGHT);
        for (int i = 0; i < subItem; ++i)
            key(VK_DOWN);
    }
    key(VK_RETURN);
    return WaitWindowGone(menu);
}

void TrayTest::SignalTrayIcons()
{
    EXPECT_TRUE(SignalNamedEvent(kTrayIconsEvent)) << "no \"TivenTrayIcons\"";
}

void TrayTest::RemoveBothIcons() const
{
    for (auto icon : {std::make_pair(mainIcon_, kMainIconId), std::make_pair(modeIcon_, kModeIconId)}) {
        NOTIFYICONDATAW data{};
        data.cbSize = NOTIFYICONDATAW_V2_SIZE;
        data.hWnd = icon.first;
        data.uID = icon.second;
        EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data)) << "icon " << icon.second;
    }
}

bool TrayTest::QuitBeaconet(DWORD* exitCode)
{
    SetProduct(L"System Tray Icons", 0);
    SignalTrayIcons();
    DWORD code = 1234;
    const bool ended = beaconet.WaitExit(code);
    if (exitCode)
        *exitCode = code;
    return ended;
}

namespace {
// Who else runs Gesturo in this prefix: one that holds its single-instance mutex makes a new one
// end at once.
std::string OtherGesturos(DWORD self)
{
    std::string found;
    for (DWORD id : ProcessIdsNamed(L"Gesturo.exe"))
        if (id != self)
            found += " " + std::to_string(id);
    return std::string("its mutex ") + (NamedMutexExists(kSelectorMutex) ? "is held" : "is free") +
           "; other Gesturo processes:" + (found.empty() ? " none" : found);
}

// How long an ended process ran and how much processor time it took: one that could not make its
// window ends within a few milliseconds of work, one killed from outside at any point.
std::string Lifetime(HANDLE process)
{
    FILETIME created{}, ended{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user))
        return "its times unknown";
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return "after " + std::to_string((ticks(ended) - ticks(created)) / 10000) + " ms with " +
           std::to_string((ticks(kernel) + ticks(user)) / 10000) + " ms of processor time";
}
}  // namespace

bool TrayTest::StartGesturo()
{
    if (!gesturo.Start(L"\"" + BinPath(L"Gesturo.exe") + L"\""))
        return false;
    gesturoWindow_ = WaitForWindow(L"#32770", L"", kDefaultDeadlineMs, gesturo.Pid());
    if (!gesturoWindow_) {
        // Ended at once (code 0: another one holds the single-instance mutex; code 1: its dialog
        // could not be made) or never showed its dialog.
        DWORD code = 0;
        if (gesturo.WaitExit(code, 0))
            ADD_FAILURE() << "Gesturo ended with exit code " << code << " before its dialog was found, "
                          << Lifetime(gesturo.Handle()) << "; " << OtherGesturos(gesturo.Pid());
        else
            ADD_FAILURE() << "Gesturo runs, but its dialog was not found";
        return false;
    }
    // The event thread starts last.
    return WaitUntil([] { return NamedEventExists(kDialogModeEvent); });
}

bool TrayTest::ClickPicture()
{
    HWND picture = GetDlgItem(gesturoWindow_, 1000);
    RECT r{};
    GetWindowRect(picture, &r);
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(gesturoWindow_, &centre);
    return SendAndWait(gesturoWindow_, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
}

bool TrayTest::SysCommand(UINT id) { return SendAndWait(gesturoWindow_, WM_SYSCOMMAND, id, 0); }

SIZE TrayTest::PictureSize() const
{
    RECT r{};
    GetWindowRect(GetDlgItem(gesturoWindow_, 1000), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

SIZE TrayTest::GesturoSize() const
{
    RECT r{};
    GetWindowRect(gesturoWindow_, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

bool TrayTest::CloseGesturo()
{
    PostMessageW(gesturoWindow_, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    return gesturo.WaitExit(code) && code == 0;
}

std::vector<standin::LoggedRequest> TrayTest::Requests(const TestDevice& device, DWORD code)
{
    return standin::Select(standin::ReadLog(), device.driver, device.instance, code);
}

bool TrayTest::WaitEveryDevice(DWORD code, size_t count, DWORD deadlineMs)
{
    return WaitUntil(
        [&] {
            const auto log = standin::ReadLog();
            for (const TestDevice& d : kDevices)
                if (standin::Select(log, d.driver, d.instance, code).size() < count)
                    return false;
            return true;
        },
        deadlineMs);
}

std::string TrayTest::Log() { return standin::Describe(standin::ReadLog()); }

void TrayTest::ExpectOnePrimaryEach()
{
    const auto log = standin::ReadLog();
    ASSERT_EQ(log.size(), 3u) << standin::Describe(log);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(log[i].driver, kDevices[i].driver) << standin::Describe(log);
        EXPECT_EQ(log[i].instance, kDevices[i].instance) << standin::Describe(log);
        EXPECT_EQ(log[i].code, kUsePrimary);
        EXPECT_EQ(log[i].input, std::vector<uint8_t>{0});
    }
}

}  // namespace traytest
