#pragma once
// Label keys of the applet's page texts and of its messages. The pages look their texts up in
// the label store by these keys and keep their built-in English text when a label is missing.

#include <cstddef>

namespace LabelKey {
inline constexpr wchar_t LOK[] = L"LOK";
inline constexpr wchar_t LCANCEL[] = L"LCANCEL";
inline constexpr wchar_t LCALIBRATE[] = L"LCALIBRATE";
inline constexpr wchar_t LAPPLY[] = L"LAPPLY";
inline constexpr wchar_t LHELP[] = L"LHELP";
inline constexpr wchar_t LDEFAULT[] = L"LDEFAULT";
inline constexpr wchar_t LDEFAULTS[] = L"LDEFAULTS";
inline constexpr wchar_t LCLOSE[] = L"LCLOSE";
inline constexpr wchar_t LNEXT[] = L"LNEXT";
inline constexpr wchar_t LADVANCED_PAGE[] = L"LADVANCED_PAGE";
inline constexpr wchar_t LADV_SAMPLE_RATE[] = L"LADV_SAMPLE_RATE";
inline constexpr wchar_t LADV_TOUCHDOWN_FILTER[] = L"LADV_TOUCHDOWN_FILTER";
inline constexpr wchar_t LADV_DEGLITCH[] = L"LADV_DEGLITCH";
inline constexpr wchar_t LADV_SOUND[] = L"LADV_SOUND";
inline constexpr wchar_t LADV_ENABLED[] = L"LADV_ENABLED";
inline constexpr wchar_t LADV_ADVANCED_SETTINGS_FOR[] = L"LADV_ADVANCED_SETTINGS_FOR";
inline constexpr wchar_t LADV_BROWSE[] = L"LADV_BROWSE";
inline constexpr wchar_t LADV_SELECT_WAVE_FILE[] = L"LADV_SELECT_WAVE_FILE";
inline constexpr wchar_t LADV_NOT_SOUND[] = L"LADV_NOT_SOUND";
inline constexpr wchar_t LADV_WAVE_SOUND[] = L"LADV_WAVE_SOUND";
inline constexpr wchar_t LADV_BEEP_SOUND[] = L"LADV_BEEP_SOUND";
inline constexpr wchar_t LSETTINGS_PAGE[] = L"LSETTINGS_PAGE";
inline constexpr wchar_t LSET_SETTINGS_FOR[] = L"LSET_SETTINGS_FOR";
inline constexpr wchar_t LSET_CLICK_TIME[] = L"LSET_CLICK_TIME";
inline constexpr wchar_t LSET_TAP_TIME[] = L"LSET_TAP_TIME";
inline constexpr wchar_t LSET_LIFT_OFF_TIME[] = L"LSET_LIFT_OFF_TIME";
inline constexpr wchar_t LSET_STABILIZATION[] = L"LSET_STABILIZATION";
inline constexpr wchar_t LSET_AVERAGING[] = L"LSET_AVERAGING";
inline constexpr wchar_t LWINDOWS_PAGE[] = L"LWINDOWS_PAGE";
inline constexpr wchar_t LWND_WINDOWS_SETTINGS[] = L"LWND_WINDOWS_SETTINGS";
inline constexpr wchar_t LWND_DOUBLE_CLICK_SETTINGS[] = L"LWND_DOUBLE_CLICK_SETTINGS";
inline constexpr wchar_t LWND_TIME[] = L"LWND_TIME";
inline constexpr wchar_t LWND_HEIGHT[] = L"LWND_HEIGHT";
inline constexpr wchar_t LWND_WIDTH[] = L"LWND_WIDTH";
inline constexpr wchar_t LWND_MOUSE_CLICK_TEST[] = L"LWND_MOUSE_CLICK_TEST";
inline constexpr wchar_t LWND_SINGLE_CLICK_TEST[] = L"LWND_SINGLE_CLICK_TEST";
inline constexpr wchar_t LWND_DOUBLE_CLICK_TEST[] = L"LWND_DOUBLE_CLICK_TEST";
inline constexpr wchar_t LDEV_DEVICE_HEADING[] = L"LDEV_DEVICE_HEADING";
inline constexpr wchar_t LDEV_DEVICE[] = L"LDEV_DEVICE";
inline constexpr wchar_t LDEV_SL_NO[] = L"LDEV_SL_NO";
inline constexpr wchar_t LDEV_SEGMENT[] = L"LDEV_SEGMENT";
inline constexpr wchar_t LDEV_CONTROLLER[] = L"LDEV_CONTROLLER";
inline constexpr wchar_t LDEVICE_PAGE[] = L"LDEVICE_PAGE";
inline constexpr wchar_t LDEV_ADD[] = L"LDEV_ADD";
inline constexpr wchar_t LDEV_MODIFY[] = L"LDEV_MODIFY";
inline constexpr wchar_t LDEV_REMOVE[] = L"LDEV_REMOVE";
inline constexpr wchar_t LDEV_ENTER_DEVICE_NAME[] = L"LDEV_ENTER_DEVICE_NAME";
inline constexpr wchar_t LDEV_NEW_POINTER_DEVICE[] = L"LDEV_NEW_POINTER_DEVICE";
inline constexpr wchar_t LDEV_ENTER_DESKTOP[] = L"LDEV_ENTER_DESKTOP";
inline constexpr wchar_t LDEV_SELECT_COM_PORT[] = L"LDEV_SELECT_COM_PORT";
inline constexpr wchar_t LGENERAL_PAGE[] = L"LGENERAL_PAGE";
inline constexpr wchar_t LGEN_SHOW_ICONS[] = L"LGEN_SHOW_ICONS";
inline constexpr wchar_t LGEN_CHECK_CALIBRATION[] = L"LGEN_CHECK_CALIBRATION";
inline constexpr wchar_t LGEN_CALIBRATION_BEEPS[] = L"LGEN_CALIBRATION_BEEPS";
inline constexpr wchar_t LGEN_CLONE[] = L"LGEN_CLONE";
inline constexpr wchar_t LGEN_DUMP[] = L"LGEN_DUMP";
inline constexpr wchar_t LGEN_GENERAL_SETTINS[] = L"LGEN_GENERAL_SETTINS";
inline constexpr wchar_t LGEN_CLONE_SETTINGS[] = L"LGEN_CLONE_SETTINGS";
inline constexpr wchar_t LGEN_DUMP_SETTINGS[] = L"LGEN_DUMP_SETTINGS";
inline constexpr wchar_t LEVENTS_PAGE[] = L"LEVENTS_PAGE";
inline constexpr wchar_t LEV_PRIMARY[] = L"LEV_PRIMARY";
inline constexpr wchar_t LEV_SECONDARY[] = L"LEV_SECONDARY";
inline constexpr wchar_t LEV_EVENTS_FOR[] = L"LEV_EVENTS_FOR";
inline constexpr wchar_t LCALIBRATION_PAGE[] = L"LCALIBRATION_PAGE";
inline constexpr wchar_t LCAL_CALIBRATION_SETTINGS_FOR[] = L"LCAL_CALIBRATION_SETTINGS_FOR";
inline constexpr wchar_t LCAL_CALIBRATION_POINTS[] = L"LCAL_CALIBRATION_POINTS";
inline constexpr wchar_t LCAL_CALIBRATION_POSITION[] = L"LCAL_CALIBRATION_POSITION";
inline constexpr wchar_t LCAL_CALIBRATION_PATTERN[] = L"LCAL_CALIBRATION_PATTERN";
inline constexpr wchar_t LCAL_TIMEOUT[] = L"LCAL_TIMEOUT";
inline constexpr wchar_t LHARDWARE_PAGE[] = L"LHARDWARE_PAGE";
inline constexpr wchar_t LHW_HARDWARE_SETTINGS_FOR[] = L"LHW_HARDWARE_SETTINGS_FOR";
inline constexpr wchar_t LHW_PORT[] = L"LHW_PORT";
inline constexpr wchar_t LHW_ADDRESS[] = L"LHW_ADDRESS";
inline constexpr wchar_t LHW_IRQ[] = L"LHW_IRQ";
inline constexpr wchar_t LHW_BAUD_RATE[] = L"LHW_BAUD_RATE";
inline constexpr wchar_t LHW_PARITY[] = L"LHW_PARITY";
inline constexpr wchar_t LHW_DATA_BITS[] = L"LHW_DATA_BITS";
inline constexpr wchar_t LHW_STOP_BITS[] = L"LHW_STOP_BITS";
inline constexpr wchar_t LHW_FIFO[] = L"LHW_FIFO";
inline constexpr wchar_t LHW_HARDWARE_SETTINGS[] = L"LHW_HARDWARE_SETTINGS";
inline constexpr wchar_t LHW_PORT_SETTINGS[] = L"LHW_PORT_SETTINGS";
inline constexpr wchar_t LHW_ADVANCED_SETTINGS[] = L"LHW_ADVANCED_SETTINGS";
inline constexpr wchar_t LHW_ADVANCED[] = L"LHW_ADVANCED";
inline constexpr wchar_t LHW_SENSE[] = L"LHW_SENSE";
inline constexpr wchar_t LHW_SENSITIVE[] = L"LHW_SENSITIVE";
inline constexpr wchar_t LHW_DEFAULT_WRITE[] = L"LHW_DEFAULT_WRITE";
inline constexpr wchar_t LHW_DEFAULT_READ[] = L"LHW_DEFAULT_READ";
inline constexpr wchar_t LHW_EEPROM_LABEL[] = L"LHW_EEPROM_LABEL";
inline constexpr wchar_t LHW_DWMESSAGE[] = L"LHW_DWMESSAGE";
inline constexpr wchar_t LHW_DRMESSAGE[] = L"LHW_DRMESSAGE";
inline constexpr wchar_t LHW_DURING_DWMESSAGE[] = L"LHW_DURING_DWMESSAGE";
inline constexpr wchar_t LSENS_DIALOG_TITLE[] = L"LSENS_DIALOG_TITLE";
inline constexpr wchar_t LSENS_SENSITIVITY_FRAME[] = L"LSENS_SENSITIVITY_FRAME";
inline constexpr wchar_t LSENS_DISPLAY_SENSITIVITY[] = L"LSENS_DISPLAY_SENSITIVITY";
inline constexpr wchar_t LSENS_AUTO_ADJUST[] = L"LSENS_AUTO_ADJUST";
inline constexpr wchar_t LSENS_DOWN[] = L"LSENS_DOWN";
inline constexpr wchar_t LSENS_UP[] = L"LSENS_UP";
inline constexpr wchar_t LSENU_DIALOG_TITLE[] = L"LSENU_DIALOG_TITLE";
inline constexpr wchar_t LSENU_SENSITIVITY_FRAME[] = L"LSENU_SENSITIVITY_FRAME";
inline constexpr wchar_t LSENU_DISPLAY_SENSITIVITY[] = L"LSENU_DISPLAY_SENSITIVITY";
inline constexpr wchar_t LSENU_AUTO_ADJUST[] = L"LSENU_AUTO_ADJUST";
inline constexpr wchar_t LSENU_DOWN[] = L"LSENU_DOWN";
inline constexpr wchar_t LSENU_UP[] = L"LSENU_UP";
inline constexpr wchar_t LTMD_TOUCH_MESSAGE[] = L"LTMD_TOUCH_MESSAGE";
inline constexpr wchar_t LTMDM_TOUCH_MESSAGE[] = L"LTMDM_TOUCH_MESSAGE";
inline constexpr wchar_t LSTATUS_PAGE[] = L"LSTATUS_PAGE";
inline constexpr wchar_t LST_STATUS_HEADING[] = L"LST_STATUS_HEADING";
inline constexpr wchar_t LST_COMM_ERRORS[] = L"LST_COMM_ERRORS";
inline constexpr wchar_t LST_SYNC_ERRORS[] = L"LST_SYNC_ERRORS";
inline constexpr wchar_t LST_REINITIALIZE[] = L"LST_REINITIALIZE";
inline constexpr wchar_t LABOUT_PAGE[] = L"LABOUT_PAGE";
inline constexpr wchar_t LAB_TOUCHSCREEN_DRIVER[] = L"LAB_TOUCHSCREEN_DRIVER";
inline constexpr wchar_t LAB_COMPANY[] = L"LAB_COMPANY";
inline constexpr wchar_t LAB_COPYRIGHT[] = L"LAB_COPYRIGHT";
inline constexpr wchar_t LAB_DRIVER_VERSION[] = L"LAB_DRIVER_VERSION";
inline constexpr wchar_t LAB_BUILD[] = L"LAB_BUILD";
inline constexpr wchar_t LAB_SUPPORT[] = L"LAB_SUPPORT";
inline constexpr wchar_t LAB_SUPPORT_INFO[] = L"LAB_SUPPORT_INFO";
inline constexpr wchar_t LAB_LICENSE[] = L"LAB_LICENSE";
inline constexpr wchar_t LAB_LICENSE_INFO[] = L"LAB_LICENSE_INFO";
inline constexpr wchar_t LAB_SUPPORT_TEXT[] = L"LAB_SUPPORT_TEXT";
inline constexpr wchar_t LAB_LICENSE_TEXT[] = L"LAB_LICENSE_TEXT";
inline constexpr wchar_t LDEV_SELECT_CONTROLLER_FROM_LIST[] = L"LDEV_SELECT_CONTROLLER_FROM_LIST";
}  // namespace LabelKey

namespace MessageKey {
inline constexpr wchar_t LERR_SELECT_ONE_CONTROLLER[] = L"LERR_SELECT_ONE_CONTROLLER";
inline constexpr wchar_t LERR_DEVICE_NAME_SHOULD_NOT_BE_BLANK[] = L"LERR_DEVICE_NAME_SHOULD_NOT_BE_BLANK";
inline constexpr wchar_t LERR_DESKTOP_SHOULD_BE_SELECTED[] = L"LERR_DESKTOP_SHOULD_BE_SELECTED";
inline constexpr wchar_t LERR_CONTROLLER_MUST_BE_DEFINED[] = L"LERR_CONTROLLER_MUST_BE_DEFINED";
inline constexpr wchar_t LERR_XML_FILE_NOT_FOUND[] = L"LERR_XML_FILE_NOT_FOUND";
inline constexpr wchar_t LERR_DEVICE_EXISTS[] = L"LERR_DEVICE_EXISTS";
inline constexpr wchar_t LMSG_DELETE_CONFIRMATION[] = L"LMSG_DELETE_CONFIRMATION";
inline constexpr wchar_t RECALIBRATE_NOW[] = L"RECALIBRATE_NOW";
inline constexpr wchar_t LPOINTER_DEVICE_PROPERTIES[] = L"LPOINTER_DEVICE_PROPERTIES";
inline constexpr wchar_t LCONTROLLER_4_8_WIRE[] = L"LCONTROLLER_4_8_WIRE";
inline constexpr wchar_t LCONTROLLER_5_WIRE[] = L"LCONTROLLER_5_WIRE";
inline constexpr wchar_t LCONTROLLER_1SHEET[] = L"LCONTROLLER_1SHEET";
}  // namespace MessageKey

// The built-in caption of the applet's message boxes (key LPOINTER_DEVICE_PROPERTIES) and the
// title of its sheet.
inline constexpr wchar_t kPropertiesCaption[] = L"Touch Panel Device Properties";

// Every key of each table, in table order.
inline constexpr const wchar_t* kLabelKeyTable[] = {
    LabelKey::LOK, LabelKey::LCANCEL, LabelKey::LCALIBRATE, LabelKey::LAPPLY,
    LabelKey::LHELP, LabelKey::LDEFAULT, LabelKey::LDEFAULTS, LabelKey::LCLOSE,
    LabelKey::LNEXT, LabelKey::LADVANCED_PAGE, LabelKey::LADV_SAMPLE_RATE, LabelKey::LADV_TOUCHDOWN_FILTER,
    LabelKey::LADV_DEGLITCH, LabelKey::LADV_SOUND, LabelKey::LADV_ENABLED, LabelKey::LADV_ADVANCED_SETTINGS_FOR,
    LabelKey::LADV_BROWSE, LabelKey::LADV_SELECT_WAVE_FILE, LabelKey::LADV_NOT_SOUND, LabelKey::LADV_WAVE_SOUND,
    LabelKey::LADV_BEEP_SOUND, LabelKey::LSETTINGS_PAGE, LabelKey::LSET_SETTINGS_FOR, LabelKey::LSET_CLICK_TIME,
    LabelKey::LSET_TAP_TIME, LabelKey::LSET_LIFT_OFF_TIME, LabelKey::LSET_STABILIZATION, LabelKey::LSET_AVERAGING,
    LabelKey::LWINDOWS_PAGE, LabelKey::LWND_WINDOWS_SETTINGS, LabelKey::LWND_DOUBLE_CLICK_SETTINGS, LabelKey::LWND_TIME,
    LabelKey::LWND_HEIGHT, LabelKey::LWND_WIDTH, LabelKey::LWND_MOUSE_CLICK_TEST, LabelKey::LWND_SINGLE_CLICK_TEST,
    LabelKey::LWND_DOUBLE_CLICK_TEST, LabelKey::LDEV_DEVICE_HEADING, LabelKey::LDEV_DEVICE, LabelKey::LDEV_SL_NO,
    LabelKey::LDEV_SEGMENT, LabelKey::LDEV_CONTROLLER, LabelKey::LDEVICE_PAGE, LabelKey::LDEV_ADD,
    LabelKey::LDEV_MODIFY, LabelKey::LDEV_REMOVE, LabelKey::LDEV_ENTER_DEVICE_NAME, LabelKey::LDEV_NEW_POINTER_DEVICE,
    LabelKey::LDEV_ENTER_DESKTOP, LabelKey::LDEV_SELECT_COM_PORT, LabelKey::LGENERAL_PAGE, LabelKey::LGEN_SHOW_ICONS,
    LabelKey::LGEN_CHECK_CALIBRATION, LabelKey::LGEN_CALIBRATION_BEEPS, LabelKey::LGEN_CLONE, LabelKey::LGEN_DUMP,
    LabelKey::LGEN_GENERAL_SETTINS, LabelKey::LGEN_CLONE_SETTINGS, LabelKey::LGEN_DUMP_SETTINGS, LabelKey::LEVENTS_PAGE,
    LabelKey::LEV_PRIMARY, LabelKey::LEV_SECONDARY, LabelKey::LEV_EVENTS_FOR, LabelKey::LCALIBRATION_PAGE,
    LabelKey::LCAL_CALIBRATION_SETTINGS_FOR, LabelKey::LCAL_CALIBRATION_POINTS, LabelKey::LCAL_CALIBRATION_POSITION, LabelKey::LCAL_CALIBRATION_PATTERN,
    LabelKey::LCAL_TIMEOUT, LabelKey::LHARDWARE_PAGE, LabelKey::LHW_HARDWARE_SETTINGS_FOR, LabelKey::LHW_PORT,
    LabelKey::LHW_ADDRESS, LabelKey::LHW_IRQ, LabelKey::LHW_BAUD_RATE, LabelKey::LHW_PARITY,
    LabelKey::LHW_DATA_BITS, LabelKey::LHW_STOP_BITS, LabelKey::LHW_FIFO, LabelKey::LHW_HARDWARE_SETTINGS,
    LabelKey::LHW_PORT_SETTINGS, LabelKey::LHW_ADVANCED_SETTINGS, LabelKey::LHW_ADVANCED, LabelKey::LHW_SENSE,
    LabelKey::LHW_SENSITIVE, LabelKey::LHW_DEFAULT_WRITE, LabelKey::LHW_DEFAULT_READ, LabelKey::LHW_EEPROM_LABEL,
    LabelKey::LHW_DWMESSAGE, LabelKey::LHW_DRMESSAGE, LabelKey::LHW_DURING_DWMESSAGE, LabelKey::LSENS_DIALOG_TITLE,
    LabelKey::LSENS_SENSITIVITY_FRAME, LabelKey::LSENS_DISPLAY_SENSITIVITY, LabelKey::LSENS_AUTO_ADJUST, LabelKey::LSENS_DOWN,
    LabelKey::LSENS_UP, LabelKey::LSENU_DIALOG_TITLE, LabelKey::LSENU_SENSITIVITY_FRAME, LabelKey::LSENU_DISPLAY_SENSITIVITY,
    LabelKey::LSENU_AUTO_ADJUST, LabelKey::LSENU_DOWN, LabelKey::LSENU_UP, LabelKey::LTMD_TOUCH_MESSAGE,
    LabelKey::LTMDM_TOUCH_MESSAGE, LabelKey::LSTATUS_PAGE, LabelKey::LST_STATUS_HEADING, LabelKey::LST_COMM_ERRORS,
    LabelKey::LST_SYNC_ERRORS, LabelKey::LST_REINITIALIZE, LabelKey::LABOUT_PAGE, LabelKey::LAB_TOUCHSCREEN_DRIVER,
    LabelKey::LAB_COMPANY, LabelKey::LAB_COPYRIGHT, LabelKey::LAB_DRIVER_VERSION, LabelKey::LAB_BUILD,
    LabelKey::LAB_SUPPORT, LabelKey::LAB_SUPPORT_INFO, LabelKey::LAB_LICENSE, LabelKey::LAB_LICENSE_INFO,
    LabelKey::LAB_SUPPORT_TEXT, LabelKey::LAB_LICENSE_TEXT, LabelKey::LDEV_SELECT_CONTROLLER_FROM_LIST,
};
inline constexpr const wchar_t* kMessageKeyTable[] = {
    MessageKey::LERR_SELECT_ONE_CONTROLLER, MessageKey::LERR_DEVICE_NAME_SHOULD_NOT_BE_BLANK, MessageKey::LERR_DESKTOP_SHOULD_BE_SELECTED,
    MessageKey::LERR_CONTROLLER_MUST_BE_DEFINED, MessageKey::LERR_XML_FILE_NOT_FOUND, MessageKey::LERR_DEVICE_EXISTS,
    MessageKey::LMSG_DELETE_CONFIRMATION, MessageKey::RECALIBRATE_NOW, MessageKey::LPOINTER_DEVICE_PROPERTIES,
    MessageKey::LCONTROLLER_4_8_WIRE, MessageKey::LCONTROLLER_5_WIRE, MessageKey::LCONTROLLER_1SHEET,
};
static_assert(sizeof(kLabelKeyTable) / sizeof(kLabelKeyTable[0]) == 123, "one entry per label key");
static_assert(sizeof(kMessageKeyTable) / sizeof(kMessageKeyTable[0]) == 12, "one entry per message key");
