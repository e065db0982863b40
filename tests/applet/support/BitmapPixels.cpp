#include "BitmapPixels.h"

namespace applettest {

std::vector<uint8_t> BitmapBits(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info))
        return {};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> bits(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight) * 4);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), bits.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != info.bmHeight)
        return {};
    return bits;
}

std::vector<uint8_t> AppletBitmapBits(int id)
{
    HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(L"Tunora.cpl"), MAKEINTRESOURCEW(id));
    std::vector<uint8_t> bits = BitmapBits(bitmap);
    if (bitmap)
        DeleteObject(bitmap);
    return bits;
}

}  // namespace applettest
