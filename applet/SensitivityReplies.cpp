#include "SensitivityReplies.h"

#include <cstring>

namespace applet {

namespace {
constexpr size_t kStatusFirst = 1, kStatusLast = 4;
constexpr size_t kWriteFlagFirst = 6, kWriteFlagLast = 9;
constexpr size_t kDataFirst = 52, kDataLast = 137;
constexpr size_t kCopyOffset = 103;   // the stored copy of bytes 52-137 starts at 155
// The last byte the checks read, and so the shortest reply that can pass them.
constexpr size_t kBytesChecked = kDataLast + kCopyOffset + 1;
static_assert(kBytesChecked <= kDataBlockBytes, "the checked bytes lie inside the block");

bool AnyByteIs(const uint8_t* block, size_t first, size_t last, uint8_t wanted)
{
    for (size_t i = first; i <= last; ++i)
        if (block[i] == wanted)
            return true;
    return false;
}
}  // namespace

void CReplyText::Append(const char* bytes, size_t count)
{
    if (count >= kCapacity) {
        std::memcpy(text_, bytes + (count - kCapacity), kCapacity);
        length_ = kCapacity;
        return;
    }
    if (length_ + count > kCapacity) {
        size_t drop = length_ + count - kCapacity;
        std::memmove(text_, text_ + drop, length_ - drop);
        length_ -= drop;
    }
    std::memcpy(text_ + length_, bytes, count);
    length_ += count;
}

bool CReplyText::FindValueField(char (&field)[kValueFieldChars]) const
{
    const void* found = std::memchr(text_, ' ', length_);
    if (!found)
        return false;
    size_t blank = static_cast<size_t>(static_cast<const char*>(found) - text_);
    if (length_ - blank < kValueFieldChars)
        return false;
    std::memcpy(field, text_ + blank, kValueFieldChars);
    return true;
}

ValueReading ParseValueField(const char (&field)[kValueFieldChars])
{
    ValueReading reading;
    int raw = 0;
    for (size_t i = 1; i < kValueFieldChars; ++i) {
        if (field[i] < '0' || field[i] > '9')
            return reading;
        raw = raw * 10 + (field[i] - '0');
    }
    reading.raw = raw;
    reading.verdict = raw < kLowestRawValue || raw > kHighestRawValue ? ValueVerdict::OutOfRange : ValueVerdict::Valid;
    return reading;
}

bool StepAccepts(StepDirection direction, int previousRaw, int raw)
{
    if (direction == StepDirection::Sharper)
        return raw >= previousRaw * 8 / 10 && raw <= previousRaw;
    return raw >= previousRaw && raw <= previousRaw * 12 / 10;
}

std::wstring SensitivityNumberText(int shown)
{
    wchar_t text[16];
    wsprintfW(text, shown < 10 ? L"00%d" : shown < 100 ? L"0%d" : L"%d", shown);
    return text;
}

std::wstring FinishedNumberText(int shown) { return L"  Finished  " + SensitivityNumberText(shown); }

DataBlockVerdict CheckDataBlock(const uint8_t* block, size_t received)
{
    if (received < kBytesChecked)
        return DataBlockVerdict::Failed;
    if (!AnyByteIs(block, kStatusFirst, kStatusLast, '0'))
        return DataBlockVerdict::StatusMissing;
    if (!AnyByteIs(block, kWriteFlagFirst, kWriteFlagLast, 'A'))
        return DataBlockVerdict::WriteFlagMissing;
    for (size_t i = kDataFirst; i <= kDataLast; ++i)
        if (block[i] != block[i + kCopyOffset])
            return DataBlockVerdict::Failed;
    return DataBlockVerdict::Finished;
}

}  // namespace applet
