#pragma once
// Resource ids of Provisa, the one resource header of the setup.

#define IDI_SETUP 1

// Wizard pages.
#define IDD_WELCOME 130
#define IDD_SELECT_FOLDER 131
#define IDD_STATUS 135
#define IDD_LICENCE 136
#define IDD_SELECT_CONTROLLER 137
#define IDD_SELECT_CLONE 138
#define IDD_LANGUAGE 142

// Language page.
#define IDC_LANGUAGE_LIST 1025

// Controller page.
#define IDC_CONTROLLER_HEAD 1018
#define IDC_CONTROLLER_LIST 1023
#define IDC_CONTROLLER_EXPLANATION 1026

// Clone page.
#define IDC_CLONE_USB_FILE 1003
#define IDC_CLONE_SERIAL_FILE 1004
#define IDC_CLONE_USB_FOLDER 1021
#define IDC_CLONE_USB_BROWSE 1022
#define IDC_CLONE_SERIAL_BROWSE 1023
#define IDC_CLONE_SERIAL_FOLDER 1024
#define IDC_CLONE_USB_CHECK 1027
#define IDC_CLONE_SERIAL_CHECK 1028

// Licence page.
#define IDC_LICENCE_TEXT 1009

// Folder page.
#define IDC_FOLDER_PATH 1003
#define IDC_FOLDER_BROWSE 1004
#define IDC_FOLDER_HEAD 1005

// Status page.
#define IDC_STATUS_PROGRESS 1006
#define IDC_STATUS_TEXT 1007

// Buttons of the wizard sheet itself (the common controls' ids).
#define IDC_SHEET_HELP 9
#define IDC_SHEET_BACK 0x3023
#define IDC_SHEET_NEXT 0x3024
#define IDC_SHEET_FINISH 0x3025
