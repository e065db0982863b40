#pragma once
// Screenshots taken by a script while a test shows its views (take-shots.sh of a test area):
// the script names a folder in TIVEN_SHOT_DIR; for each view the test creates "<name>.ready"
// there and goes on when the script has created "<name>.done".
#include <windows.h>

#include <initializer_list>
#include <string>

namespace testsupport {

// The folder named by TIVEN_SHOT_DIR, or empty when no script takes pictures.
std::wstring ShotDir();
// Repaints the windows, tells the script that view `name` is on screen and waits (up to a
// minute) until it has been captured. False when the script did not answer. With `keep`, the
// ready file names the part of the screen to keep, as WxH+X+Y.
bool Shoot(const std::wstring& name, std::initializer_list<HWND> windows, const RECT* keep = nullptr);

}  // namespace testsupport
