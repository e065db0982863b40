#include "LabelBoxes.h"

#include "LabelStore.h"

namespace {
int ShowLabelBox(const CLabelStore& labels, HWND owner, const wchar_t* textKey, const wchar_t* captionKey,
                 const wchar_t* defaultText, const wchar_t* defaultCaption, UINT style)
{
    std::wstring text = labels.TextOr(textKey, defaultText);
    std::wstring caption = labels.TextOr(captionKey, defaultCaption);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}
}  // namespace

void LabelErrorBox(const CLabelStore& labels, HWND owner, const wchar_t* textKey, const wchar_t* captionKey,
                   const wchar_t* defaultText, const wchar_t* defaultCaption)
{
    ShowLabelBox(labels, owner, textKey, captionKey, defaultText, defaultCaption, MB_ICONERROR);
}

int LabelQuestionBox(const CLabelStore& labels, HWND owner, const wchar_t* textKey, const wchar_t* captionKey,
                     const wchar_t* defaultText, const wchar_t* defaultCaption)
{
    return ShowLabelBox(labels, owner, textKey, captionKey, defaultText, defaultCaption, MB_YESNO | MB_ICONQUESTION);
}

void LabelInfoBox(const CLabelStore& labels, HWND owner, const wchar_t* textKey, const wchar_t* captionKey,
                  const wchar_t* defaultText, const wchar_t* defaultCaption)
{
    ShowLabelBox(labels, owner, textKey, captionKey, defaultText, defaultCaption, MB_ICONINFORMATION);
}
