#pragma once
// Resource ids of Tunora, the one resource header of the applet.

// Strings: the applet's name and description for the Control Panel.
#define IDS_APPLET_NAME 1
#define IDS_APPLET_INFO 2

// The applet's only icon.
#define IDI_APPLET 1061

// Advanced page.
#define IDD_ADVANCED 1001
#define IDC_ADV_SOUND 1001
#define IDC_ADV_TOUCHDOWN_SLIDER 1013
#define IDC_ADV_DEGLITCH_SLIDER 1014
#define IDC_ADV_ENABLED 1015
#define IDC_ADV_SAMPLE_RATE_VALUE 1016
#define IDC_ADV_TOUCHDOWN_VALUE 1017
#define IDC_ADV_DEGLITCH_VALUE 1018
#define IDC_ADV_SAMPLE_RATE_SLIDER 1019
#define IDC_ADV_WAVE_FILE 1020
#define IDC_ADV_BROWSE 1022
#define IDC_ADV_DEVICE 1045
#define IDC_ADV_DEFAULTS 1057
#define IDC_ADV_SAMPLE_RATE_LABEL 1065
#define IDC_ADV_TOUCHDOWN_LABEL 1066
#define IDC_ADV_DEGLITCH_LABEL 1067
#define IDC_ADV_SELECT_WAVE_LABEL 1068
#define IDC_ADV_SETTINGS_FOR 1069
#define IDC_ADV_SOUND_LABEL 1143

// Sheet.
#define IDC_SHEET_CALIBRATE 1022
#define IDC_SHEET_APPLY 0x3021

// Devices and Status pages and the two new-device dialogs: templates and the status pictures.
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

// General page.
#define IDD_GENERAL 1011
#define IDC_GEN_SHOW_ICONS 1004
#define IDC_GEN_CHECK_CALIBRATION 1000
#define IDC_GEN_CALIBRATION_BEEPS 1024
#define IDC_GEN_COPY_OF_SETTINGS 1005
#define IDC_GEN_DUMP_SETTINGS 1020
#define IDC_GEN_HEADING 1082

// About page, its picture and the agreement-text dialog.
#define IDD_ABOUT 1012
#define IDB_ABOUT 1068
#define IDC_AB_DRIVER 1115
#define IDC_AB_COMPANY 1116
#define IDC_AB_COPYRIGHT 1117
#define IDC_AB_DRIVER_VERSION 1118
#define IDC_AB_BUILD 1119
#define IDC_AB_SUPPORT 1051
#define IDC_AB_LICENCE 1011
#define IDD_AGREEMENT_TEXT 1058
#define IDC_AGR_TEXT 1009
