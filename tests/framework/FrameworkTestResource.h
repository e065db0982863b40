#pragma once
// Dialog templates and a bitmap of the framework tests.
#define IDD_WIZARD_FIRST 101
#define IDD_WIZARD_SECOND 102
#define IDD_WIZARD_THIRD 103
#define IDD_MODELESS 110
#define IDC_FIRST_EDIT 1001
#define IDC_SECOND_EDIT 1002
#define IDB_TWO_IMAGES 120
