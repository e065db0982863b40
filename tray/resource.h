#pragma once
// Resources of the tray program (Beaconet.rc) and of the mode selector (Gesturo.rc). Each program
// links its own file; ids of one program do not mean anything in the other.

// Beaconet
#define IDD_TRAY_ABOUT 100
#define IDI_MODE_PRIMARY 140      // mode-toggle icon: primary button mode in use
#define IDI_MODE_SECONDARY 141    // mode-toggle icon: secondary button mode in use
#define IDI_TRAY 145              // main icon, also shown in the About box
#define IDC_TRAY_ABOUT_VERSION 1002
#define IDC_TRAY_ABOUT_NOTICE 1003

// Gesturo
#define IDD_SELECTOR_ABOUT 100
#define IDD_SELECTOR 102
#define IDB_LARGE_PRIMARY 130
#define IDB_LARGE_SECONDARY 131
#define IDI_SELECTOR 134
#define IDB_SMALL_PRIMARY 137
#define IDB_MEDIUM_PRIMARY 138
#define IDB_MEDIUM_SECONDARY 140
#define IDB_SMALL_SECONDARY 141
#define IDB_TEXT_SECONDARY 142
#define IDB_TEXT_PRIMARY 144
#define IDB_NUMBERED_PRIMARY 145
#define IDB_NUMBERED_SECONDARY 146
#define IDC_PICTURE 1000
#define IDC_SELECTOR_ABOUT_VERSION 1004
#define IDC_SELECTOR_ABOUT_NOTICE 1005
// System-menu commands of the selector. The picture sizes are 1010..1013 in this order.
#define IDM_SELECTOR_ABOUT 16
#define IDM_ONE_HIT 1008
#define IDM_SMALL_ICONS 1010
#define IDM_MEDIUM_ICONS 1011
#define IDM_LARGE_ICONS 1012
#define IDM_TEXT_MODE 1013
#define IDM_ALWAYS_ON_TOP 1014
