#include "PropertySheet.h"

#include <cstring>

#include "MessageLoop.h"
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
        CMessageLoop::RunUntil([this] { return !m_hWnd || !SendMessage(PSM_GETCURRENTPAGEHWND); });
        result = ::SendMessageW(sheet, PSM_GETRESULT, 0, 0);
        if (parentWasEnabled)
            ::EnableWindow(parent, TRUE);   // before the sheet goes, so the parent gets the activation
        ::DestroyWindow(sheet);
    } else if (parentWasEnabled) {
        ::EnableWindow(parent, TRUE);
    }
    return result;
}

bool CPropertySheet::OnInitDialog() { return true; }
bool CPropertySheet::PreTranslateMessage(MSG* msg)
{
    return SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(msg)) != FALSE;
}
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

int CALLBACK CPropertySheet::SheetCallback(HWND window, UINT msg, LPARAM lp)
{
    CPropertySheet* self = sheetBeingCreated;
    if (msg == PSCB_PRECREATE && lp) {
        RemoveVisibleStyle(reinterpret_cast<void*>(lp));
    } else if (msg == PSCB_INITIALIZED && self) {
        // Hook the sheet here, while it initialises, so the notices of the first page's
        // activation and everything later pass through the object.
        self->SubclassWindow(window);
    }
    return 0;
}
