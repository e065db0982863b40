#pragma once
// Resources of the two hidden logon programs, Segmenta and Chimer. Both carry the same set under
// the same ids (HiddenWindow.rc2), each with its own texts and icons.
#define IDS_APP_TITLE 103   // window title
#define IDD_ABOUTBOX 103    // "About" dialog
#define IDM_ABOUT 104       // menu and accelerator command: the About box
#define IDM_EXIT 105        // menu command: end the program
#define IDS_HELLO 106       // text painted in the client area
#define IDI_PROGRAM 107     // large icon
#define IDI_SMALL 108       // small icon
#define IDC_PROGRAM 109     // window class name (string), class menu and accelerator table
#define IDC_ABOUT_TEXT 1000 // the About box's version line
