#pragma once
// What the applet makes of a touch controller's sensitivity replies: the value field of a
// serial reply, the acceptance of a step, the checks of the data block a serial controller
// returns after storing its data, and the number the dialogs show. Plain functions of their
// inputs, with no port or window behind them.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace applet {

// Raw sensitivity values a controller may report; a lower value is a more sensitive panel.
constexpr int kLowestRawValue = 50;
constexpr int kHighestRawValue = 1000;
// The dialogs show 1000 - raw.
constexpr int kShownBase = 1000;
// Characters of a value field: a blank and four digits.
constexpr size_t kValueFieldChars = 5;

// The text a serial controller sends in reply to a value command, as it arrives a few bytes at
// a time. It keeps the newest kCapacity bytes: the value field is the first blank with the four
// characters after it, and a blank is found as soon as four characters follow it, so any blank
// that could still start a field is among the last few bytes. Bytes are kept by count, so a NUL
// in a reply is a character like any other.
class CReplyText {
public:
    static constexpr size_t kCapacity = 100;

    void Clear() { length_ = 0; }
    void Append(const char* bytes, size_t count);
    size_t Length() const { return length_; }
    // The blank and the four characters after the first blank, once all four have arrived.
    bool FindValueField(char (&field)[kValueFieldChars]) const;

private:
    char text_[kCapacity] = {};
    size_t length_ = 0;
};

enum class ValueVerdict {
    Valid,
    NotDigits,     // one of the four characters is not a digit
    OutOfRange,    // digits, but not from 50 to 1000
};

struct ValueReading {
    ValueVerdict verdict = ValueVerdict::NotDigits;
    int raw = 0;   // the four digits' number when they are digits
};

// Reads a value field (the blank, then four characters).
ValueReading ParseValueField(const char (&field)[kValueFieldChars]);

// The two step commands: "SD" one step more sensitive, "SU" one step duller.
enum class StepDirection { Sharper, Duller };

// A step reply is believed only inside a window around the value shown before (prev): a more
// sensitive step may lower the value by up to a fifth, a duller one raise it by up to a fifth
// (bounds included, fractions cut off).
bool StepAccepts(StepDirection direction, int previousRaw, int raw);

// The number the sensitivity dialogs show, with at least three digits: 5 -> "005", 50 -> "050".
std::wstring SensitivityNumberText(int shown);
// The same after a successful automatic adjustment: "  Finished  " and the number.
std::wstring FinishedNumberText(int shown);

// The data block a serial controller reports after "MR", checked in this order.
constexpr size_t kDataBlockBytes = 250;
enum class DataBlockVerdict {
    Finished,          // all three checks pass
    StatusMissing,     // no '0' in bytes 1-4: "Write Error!! [0]"
    WriteFlagMissing,  // no 'A' in bytes 6-9: "Write Error!! [A]"
    Failed,            // bytes 52-137 differ from bytes 155-240, or too little arrived to tell
};
// `received` is the number of bytes that arrived; bytes beyond it are never looked at.
DataBlockVerdict CheckDataBlock(const uint8_t* block, size_t received);

}  // namespace applet
