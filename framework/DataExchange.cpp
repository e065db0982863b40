#include "DataExchange.h"

#include "Dialog.h"

void DDX_Control(CDataExchange& dx, int id, CWnd& control)
{
    // A control bound during an earlier run of the same dialog object holds a window that has
    // been destroyed since; bind again whenever the handle is not this dialog's control.
    HWND item = dx.Dialog()->GetDlgItem(id);
    if (control.m_hWnd && control.m_hWnd == item)
        return;
    control.Attach(item);
    if (!control.m_hWnd)
        dx.Fail();
}

void DDX_Text(CDataExchange& dx, int id, std::wstring& text)
{
    if (dx.Saving())
        text = dx.Dialog()->GetDlgItemText(id);
    else
        dx.Dialog()->SetDlgItemText(id, text);
}
