#pragma once
// Dialog templates (sheet and wizard pages, a modeless dialog) and a bitmap of the framework tests.
#define IDD_PAGE_FIRST 101
#define IDD_PAGE_SECOND 102
#define IDD_PAGE_THIRD 103
#define IDD_MODELESS 110
#define IDC_FIRST_EDIT 1001
#define IDC_SECOND_EDIT 1002
#define IDB_TWO_IMAGES 120
