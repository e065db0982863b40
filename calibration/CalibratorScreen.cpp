// The targets on the screen: moving from one to the next (or back) and painting them with the
// instruction texts.
#include "Calibrator.h"

#include <cwchar>
#include <string>

#include "DeviceContext.h"
#include "GdiObject.h"
#include "LabelStore.h"
#include "resource.h"

namespace {

void CopyBitmap(HDC target, HDC memory, HBITMAP bitmap, int x, int y)
{
    if (!bitmap)
        return;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(target, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
}

// Draws the lines centred one below the other from y; each entry says whether the next line
// starts two line heights lower.
struct TextLine {
    std::wstring text;
    bool doubleStep;
};

void DrawLines(HDC dc, int clientWidth, int y, const TextLine* lines, size_t count, bool visible)
{
    for (size_t i = 0; i < count; ++i) {
        const std::wstring& t = lines[i].text;
        SIZE size{};
        GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &size);
        if (visible)
            TextOutW(dc, clientWidth / 2 - size.cx / 2, y, t.c_str(), static_cast<int>(t.size()));
        y += lines[i].doubleStep ? 2 * size.cy : size.cy;
    }
}

std::wstring Format(const wchar_t* format, const std::wstring& a, int n, const std::wstring& b)
{
    wchar_t buffer[512];
    swprintf(buffer, 512, format, a.c_str(), n, b.c_str());
    return buffer;
}

}  // namespace

void CCalibrator::NextPoint(int touchedIndex)
{
    // Once one way has ended the run, touches and Backspace move nothing.
    if (RunEnded())
        return;
    // A touch posted for a target that is no longer shown (Backspace came first) moves nothing.
    if (touchedIndex >= 0 && touchedIndex != currentIndex_)
        return;
    const int n = calib::PointCount(calFlag_);
    if (currentIndex_ < n - 1 || stepBack_ == 1) {
        if (stepBack_ == 1) {
            if (currentIndex_ >= 1)
                --currentIndex_;
        } else {
            ++currentIndex_;
        }
    } else {
        // The last target has been touched: this ends the run, unless another ending came first.
        if (!ClaimEnd(RunEnd::Finished))
            return;
        awaitingIndex_ = -1;
        restoreOnClose_ = true;
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
        if (calFlag_ == 25)
            Store25Point(controller_ == 2 || controller_ == 3);
        else if (calFlag_ == 9)
            Store9Point(controller_ == 2 || controller_ == 3);
        else
            Store4Point();
        PostQuitMessage(0);
        SetCursor(nullptr);
        return;
    }
    // The step is used up here, so a touch that follows before the paint cannot count as a step back.
    movedBack_ = stepBack_ == 1;
    stepBack_ = 0;
    if (currentIndex_ < 0)   // Backspace before the first target was shown
        return;
    if (currentIndex_ >= 1)
        instructionsHidden_ = true;
    currentTarget_ = layout_.targets[currentIndex_];
    awaitingIndex_ = currentIndex_;
    InvalidateRect(window_, &desktopRect_, TRUE);
    ::PostMessageW(window_, WM_PAINT, 0, 0);
}

void CCalibrator::OnPaint()
{
    // BeginPaint erases the previous target with the class background and validates the
    // window, so no further WM_PAINT follows for what is drawn here.
    PAINTSTRUCT ps;
    BeginPaint(window_, &ps);
    {
        const CWindowDC dc(window_, GetWindowDC(window_));
        SetBkColor(dc.Dc(), GetSysColor(COLOR_WINDOW));
        targetBitmap_.LoadBitmap(instance_, IDB_TARGET);
        DrawScreen(dc.Dc());
        targetBitmap_.Reset();
    }
    EndPaint(window_, &ps);
}

void CCalibrator::DrawScreen(HDC dc)
{
    const CMemoryDC memory(CreateCompatibleDC(dc));
    if (currentIndex_ >= 0)
        CopyBitmap(dc, memory.Get(), targetBitmap_.Get(), currentTarget_.x, currentTarget_.y);

    // Selected into the window's DC while the texts are drawn, and out again before it goes.
    CFont font;
    HGDIOBJ oldFont = nullptr;
    if (!instructionsHidden_) {
        if (language_ == 0 || language_ == 1) {
            font.Reset(CreateFontW(13, 6, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                   L"\xFF2D\xFF33 \x660E\x671D"));   // "ＭＳ 明朝"
            oldFont = SelectObject(dc, font.Get());
        }
        RECT client{};
        ::GetClientRect(window_, &client);
        SetBkMode(dc, TRANSPARENT);

        const CLabelStore& labels = ProgramLabels();
        auto L = [&labels](const wchar_t* key) { return labels.Lookup(key); };
        const std::wstring name = L"(" + (currentDeviceName_.empty() ? deviceName_ : currentDeviceName_) + L")";
        SIZE first{};
        GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &first);
        const int y = client.bottom / 2 - 4 * first.cy;
        const bool visible = ProgramDisplay().savedOrientation == 0;

        if (segmentIndex_ != 10 && segmentIndex_ != 11) {
            const TextLine lines[] = {
                {name, true},
                {L(L"XML_TOUCH_AT_CENTER_OF_X"), true},
                {L(L"XML_TERMINATE2"), false},
                {Format(language_ == 0 ? L"%ls %d %ls" : L"%ls%d%ls", L(L"XML_TERMINATE1"), timeoutSeconds_,
                        L(L"XML_SECONDS")),
                 false},
                {L(L"XML_ESC"), false},
                {L(L"XML_BS1"), false},
                {L(L"XML_BS2"), false},
            };
            DrawLines(dc, client.right, y, lines, sizeof lines / sizeof lines[0], visible);
        } else {
            wchar_t count[64];
            swprintf(count, 64, language_ == 1 ? L"%d%ls" : L"%d %ls ", timeoutSeconds_, L(L"XML_SECONDS").c_str());
            const TextLine lines[] = {
                {name, true},
                {L(L"XML_TOUCH_AT_CENTER_OF_X1"), false},
                {L(L"XML_TOUCH_AT_CENTER_OF_X2"), true},
                {L(L"XML_TERMINATE1"), false},
                {count, true},
                {L(L"XML_ESC1"), false},
                {L(L"XML_ESC2"), false},
            };
            DrawLines(dc, client.right, y, lines, sizeof lines / sizeof lines[0], visible);
        }
    }

    if (onSecondaryMonitor_) {
        CBitmap cover;
        cover.LoadBitmap(instance_, IDB_COVER);
        if (!movedBack_ && currentIndex_ >= 1)
            CopyBitmap(dc, memory.Get(), cover.Get(), layout_.targets[currentIndex_ - 1].x,
                       layout_.targets[currentIndex_ - 1].y);
        else if (movedBack_ && currentIndex_ >= 0 && currentIndex_ + 1 < 25)
            CopyBitmap(dc, memory.Get(), cover.Get(), layout_.targets[currentIndex_ + 1].x,
                       layout_.targets[currentIndex_ + 1].y);
    }
    if (currentIndex_ == 1 && showCentrePicture_) {
        CBitmap centre;
        BITMAP info{};
        if (centre.LoadBitmap(instance_, IDB_CENTRE) && GetObjectW(centre.Get(), sizeof info, &info))
            CopyBitmap(dc, memory.Get(), centre.Get(), segmentWidth_ / 2 - info.bmWidth / 2,
                       segmentHeight_ / 2 - info.bmHeight / 2);
        showCentrePicture_ = false;
    }

    if (font)
        SelectObject(dc, oldFont);
}
