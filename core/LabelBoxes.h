#pragma once
// Message boxes whose text and caption come from the label store, with built-in fallbacks for
// missing or empty labels. The owner may be null.
#include <windows.h>

class CLabelStore;

void LabelErrorBox(const CLabelStore& labels, HWND owner, const wchar_t* textKey, const wchar_t* captionKey,
                   const wchar_t* defaultText, const wchar_t* defaultCaption);
// Returns IDYES or IDNO.
int LabelQuestionBox(const CLabelStore& labels, HWND owner, const wchar_t* textKey, const wchar_t* captionKey,
                     const wchar_t* defaultText, const wchar_t* defaultCaption);
void LabelInfoBox(const CLabelStore& labels, HWND owner, const wchar_t* textKey, const wchar_t* captionKey,
                  const wchar_t* defaultText, const wchar_t* defaultCaption);
