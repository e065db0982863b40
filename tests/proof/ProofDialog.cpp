#include <windows.h>
#include "ProofDialog.h"

static INT_PTR CALLBACK ProofProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemTextW(dlg, IDC_PROOF_EDIT, L"edit text");
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dlg, LOWORD(wParam) == IDOK ? 1 : 2);
            return TRUE;
        }
        break;
    case WM_CLOSE:
        EndDialog(dlg, 0);
        return TRUE;
    }
    return FALSE;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    INT_PTR rc = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_PROOF), nullptr, ProofProc, 0);
    return rc < 0 ? 3 : static_cast<int>(rc);
}
