#pragma once
// Resource ids of Purgent, the one resource header of the uninstaller.

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_PURGENT 102
#define IDI_PURGENT 128
#define IDI_FRAME 129

// The system-menu command of the About box.
#define IDM_ABOUTBOX 0x0010

// Progress dialog.
#define IDC_PROGRESS 1000
#define IDC_STATUS 1001
