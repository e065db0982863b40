#pragma once
// Resource ids of the Devices and Status pages and of the two new-device dialogs.

// Templates and the status pictures.
#define IDD_DEVICES 201
#define IDD_STATUS 202
#define IDD_NEW_DEVICE_TYPE 203
#define IDD_NEW_DEVICE_NAME 204
#define IDB_STATUS_STATES 205

// Devices page.
#define IDC_DEV_HEADING 1077
#define IDC_DEV_ADD 1006
#define IDC_DEV_MODIFY 1007
#define IDC_DEV_REMOVE 1059
#define IDC_DEV_LIST 1025

// Status page.
#define IDC_ST_HEADING 1100
#define IDC_ST_LIST_LABEL 1101
#define IDC_ST_LIST 1026
#define IDC_ST_REINITIALIZE 1049

// New device, step 1: controller type and port.
#define IDC_NDT_TYPE_LABEL 1112
#define IDC_NDT_TYPE_LIST 1014
#define IDC_NDT_PORT_LABEL 1121
#define IDC_NDT_PORT_LIST 1120
#define IDC_NDT_NEXT 1060

// New device, step 2: name and desktop segment.
#define IDC_NDN_NAME_LABEL 1113
#define IDC_NDN_NAME 1009
#define IDC_NDN_SEGMENT_LABEL 1114
#define IDC_NDN_SEGMENT 1001
