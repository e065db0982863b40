#pragma once
// The pixels of bitmaps, to tell which of the applet's pictures a control shows.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace applettest {

// The pixels of a bitmap (32 bits each), or none when it cannot be read.
std::vector<uint8_t> BitmapBits(HBITMAP bitmap);
// The pixels of one of the applet's bitmap resources (Tunora.cpl loaded in this process).
std::vector<uint8_t> AppletBitmapBits(int id);

}  // namespace applettest
