#pragma once
// The names by which the suite's programs, the drivers and the tests find one another's events,
// mutexes and windows. A name that more than one program (or a driver, or a test) uses belongs
// here; a name only one program ever opens stays in that program.
#include "CharText.h"

// Events. Each is a manual-reset event made by the program that waits on it; the others open it
// by name and set it (SignalNamedEvent), and find it missing when that program does not run.

// Made by the tray program; set by whoever changed "System Tray Icons" (the applet's General
// page, the uninstaller): the tray program reads the value again and shows its icons or quits.
inline constexpr wchar_t kTrayIconsEvent[] = L"TivenTrayIcons";
// Made by the touch-sound program; set by the applet after a sound setting changed.
inline constexpr wchar_t kBeepEvent[] = L"BEEP_EVENT";
// Made by the calibration program; set by the driver at each touch of a calibration run.
inline constexpr wchar_t kCalibrationEvent[] = L"CALIB_APPLICATION";
// The button-mode switch. Made by the tray program: "TrayGesturo", set by the mode selector
// after it changed the switch or HitOne (that it can be opened tells the selector that the tray
// program runs), and "TRAY_GESTURO", set by a driver when a one-touch secondary mode the tray
// program asked for ends. Made by the selector: "DialogGesturo", set by the tray program after
// each change of the switch, and by a driver when a one-touch secondary mode the selector asked
// for ends.
inline constexpr wchar_t kTrayModeEvent[] = L"TrayGesturo";
inline constexpr wchar_t kDriverModeEvent[] = L"TRAY_GESTURO";
inline constexpr wchar_t kDialogModeEvent[] = L"DialogGesturo";

// Mutexes that keep a program to one copy on the machine.
inline constexpr wchar_t kAppletMutex[] = L"TouchScreenControlPanelApp";   // held while the sheet is open
inline constexpr wchar_t kTrayMutex[] = L"System Tray Application";
inline constexpr wchar_t kSoundMutex[] = L"Chimer";
inline constexpr wchar_t kSelectorMutex[] = L"Gesturo Application";

// Window classes. The two logon programs take theirs from their resources ("SEGMENTA",
// "CHIMER"); the uninstaller finds them by these names, compared without regard to case.
inline constexpr wchar_t kSegmentWindowClass[] = L"Segmenta";
inline constexpr wchar_t kSoundWindowClass[] = L"Chimer";
// The calibration program's full-screen window (its title is the same text).
inline constexpr wchar_t kCalibrationWindowClass[] = L"FerrinCalibrate";
// The hidden windows that own the tray program's two notification icons.
inline constexpr wchar_t kTrayIconWindowClass[] = L"BeaconetIconWindow";

// The same names for the narrow (system code page) build of the background programs.
inline constexpr auto kBeepEventA = NarrowText(kBeepEvent);
