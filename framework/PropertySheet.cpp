#include "PropertySheet.h"

#include <cstring>

#include "PropertyPage.h"

namespace {
// The sheet callback carries no user data; the sheet being created is known per thread.
thread_local CPropertySheet* sheetBeingCreated = nullptr;

// Takes WS_VISIBLE out of the sheet's dialog template, so the sheet is shown only after
// OnInitDialog has set its title and buttons.
void RemoveVisibleStyle(void* dialogTemplate)
{
    // DLGTEMPLATEEX starts with dlgVer 1 and signature 0xFFFF; its style is at byte 12.
    // A plain DLGTEMPLATE has its style first.
    auto* bytes = static_cast<unsigned char*>(dialogTemplate);
    WORD signature = 0;
    std::memcpy(&signature, bytes + 2, sizeof signature);
    unsigned char* stylePos = signature == 0xFFFF ? bytes + 12 : bytes;
    DWORD style = 0;
    std::memcpy(&style, stylePos, sizeof style);
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(stylePos, &style, sizeof style);
}
}  // namespace

CPropertySheet::CPropertySheet(const std::wstring& caption, HWND parent, UINT startPage) : caption_(caption)
{
    psh_.dwSize = sizeof psh_;
    psh_.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK;
    psh_.hwndParent = parent;
    psh_.nStartPage = startPage;
    psh_.pfnCallback = SheetCallback;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

void CPropertySheet::AddPage(CPropertyPage* page) { pages_.push_back(page); }

void CPropertySheet::InsertPage(size_t index, CPropertyPage* page)
{
    if (index > pages_.size())
        index = pages_.size();
    pages_.insert(pages_.begin() + static_cast<std::ptrdiff_t>(index), page);
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    HWND page = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    return static_cast<CPropertyPage*>(FromHandle(page));
}

INT_PTR CPropertySheet::DoModal()
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);

    built_.clear();
    for (CPropertyPage* page : pages_) {
        built_.push_back(page->Psp());
        if (page->Psp().dwFlags & PSP_HASHELP)
            psh_.dwFlags |= PSH_HASHELP;
    }
    psh_.nPages = static_cast<UINT>(built_.size());
    psh_.ppsp = built_.data();
    psh_.pszCaption = caption_.c_str();
    if (psh_.nStartPage >= psh_.nPages)
        psh_.nStartPage = 0;

    HWND parent = psh_.hwndParent;
    bool parentWasEnabled = parent && ::IsWindowEnabled(parent);
    if (parentWasEnabled)
        ::EnableWindow(parent, FALSE);

    sheetBeingCreated = this;
    HWND sheet = reinterpret_cast<HWND>(::PropertySheetW(&psh_));
    sheetBeingCreated = nullptr;
    INT_PTR result = -1;
    if (sheet && sheet != reinterpret_cast<HWND>(-1)) {
        OnInitDialog();
        ::ShowWindow(sheet, SW_SHOWNORMAL);
        RunModalLoop();
        result = ::SendMessageW(sheet, PSM_GETRESULT, 0, 0);
        if (parentWasEnabled)
            ::EnableWindow(parent, TRUE);   // before the sheet goes, so the parent gets the activation
        ::DestroyWindow(sheet);
    } else if (parentWasEnabled) {
        ::EnableWindow(parent, TRUE);
    }
    return result;
}

void CPropertySheet::RunModalLoop()
{
    MSG msg;
    while (m_hWnd && ::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0)) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));   // leave WM_QUIT for the outer loop
            break;
        }
        bool ours = msg.hwnd == m_hWnd || ::IsChild(m_hWnd, msg.hwnd);
        if (ours && PreTranslateMessage(&msg))
            continue;
        if (::SendMessageW(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&msg)))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool CPropertySheet::OnInitDialog() { return true; }
bool CPropertySheet::PreTranslateMessage(MSG*) { return false; }
bool CPropertySheet::OnCommand(int, int, HWND) { return false; }
bool CPropertySheet::OnNotify(NMHDR*, LRESULT&) { return false; }
bool CPropertySheet::OnHelpInfo(HELPINFO*) { return false; }

bool CPropertySheet::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lp), result);
    case WM_HELP:
        if (OnHelpInfo(reinterpret_cast<HELPINFO*>(lp))) {
            result = TRUE;
            return true;
        }
        return false;
    }
    return false;
}

LRESULT CPropertySheet::Default(UINT msg, WPARAM wp, LPARAM lp)
{
    return ::CallWindowProcW(sheetProc_, m_hWnd, msg, wp, lp);
}

int CALLBACK CPropertySheet::SheetCallback(HWND window, UINT msg, LPARAM lp)
{
    CPropertySheet* self = sheetBeingCreated;
    if (msg == PSCB_PRECREATE && lp) {
        RemoveVisibleStyle(reinterpret_cast<void*>(lp));
    } else if (msg == PSCB_INITIALIZED && self) {
        // Subclass the sheet here, while it initialises, so the notices of the first page's
        // activation and everything later pass through the object.
        self->Register(window);
        self->sheetProc_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    }
    return 0;
}

LRESULT CALLBACK CPropertySheet::SubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = static_cast<CPropertySheet*>(FromHandle(window));
    if (!self)
        return ::DefWindowProcW(window, msg, wp, lp);
    WNDPROC old = self->sheetProc_;
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        self->Unregister();
        return ::CallWindowProcW(old, window, msg, wp, lp);
    }
    LRESULT result = 0;
    if (self->OnMessage(msg, wp, lp, result))
        return result;
    return ::CallWindowProcW(old, window, msg, wp, lp);
}
