#pragma once
#define IDD_PROOF        100
#define IDC_PROOF_TEXT   1001
#define IDC_PROOF_EDIT   1002
