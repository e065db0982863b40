#include "HiddenWindow.h"

#include "Dialog.h"
#include "WinApp.h"
#include "resource.h"

bool CHiddenWindow::Create()
{
    HINSTANCE instance = CWinApp::ResourceInstance();
    ::LoadStringW(instance, IDS_APP_TITLE, title_, 100);
    ::LoadStringW(instance, IDC_PROGRAM, className_, 100);
    accelerators_ = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_PROGRAM));
    return CWindowImpl::Create(nullptr, DefaultRect(), title_, WS_OVERLAPPEDWINDOW);
}

CWindowImpl::WindowClass CHiddenWindow::GetWindowClass() const
{
    HINSTANCE instance = CWinApp::ResourceInstance();
    WindowClass c;
    c.name = className_;
    c.style = CS_HREDRAW | CS_VREDRAW;
    c.icon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    c.smallIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_SMALL), IMAGE_ICON,
                                                  ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                                  LR_DEFAULTCOLOR | LR_SHARED));
    c.cursor = ::LoadCursorW(nullptr, IDC_ARROW);
    c.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    c.menu = MAKEINTRESOURCEW(IDC_PROGRAM);
    return c;
}

bool CHiddenWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDM_ABOUT: {
            CDialog about(IDD_ABOUTBOX, m_hWnd);
            about.DoModal();
            result = 0;
            return true;
        }
        case IDM_EXIT:
            DestroyWindow();
            result = 0;
            return true;
        default:
            return false;
        }
    case WM_PAINT:
        Paint();
        result = 0;
        return true;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        result = 0;
        return true;
    default:
        return CWindowImpl::OnMessage(msg, wp, lp, result);
    }
}

bool CHiddenWindow::PreTranslateMessage(MSG* msg)
{
    return accelerators_ && ::TranslateAcceleratorW(m_hWnd, accelerators_, msg) != 0;
}

void CHiddenWindow::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    wchar_t hello[100] = {};
    ::LoadStringW(CWinApp::ResourceInstance(), IDS_HELLO, hello, 100);
    RECT client = GetClientRect();
    ::DrawTextW(dc, hello, -1, &client, DT_CENTER | DT_TOP | DT_SINGLELINE);
    ::EndPaint(m_hWnd, &paint);
}
