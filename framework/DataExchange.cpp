#include "DataExchange.h"

#include "Dialog.h"

void DDX_Control(CDataExchange& dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    control.Attach(dx.Dialog()->GetDlgItem(id));
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
