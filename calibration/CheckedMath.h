#pragma once
// 64-bit integer steps that report overflow instead of wrapping. The calibration products
// (u v C and the like) stay far inside 64 bits for any real controller; a raw input that would
// overflow even there is a failed calibration, never a wrapped value.
#include <cstdint>

namespace calib {

class CheckedInt {
public:
    CheckedInt(int64_t v = 0) : value_(v) {}   // NOLINT: plain integers convert implicitly

    int64_t Value() const { return value_; }
    bool Ok() const { return ok_; }

    CheckedInt operator+(const CheckedInt& o) const
    {
        int64_t r = 0;
        const bool overflow = __builtin_add_overflow(value_, o.value_, &r);
        return Combine(o, overflow, r);
    }
    CheckedInt operator-(const CheckedInt& o) const
    {
        int64_t r = 0;
        const bool overflow = __builtin_sub_overflow(value_, o.value_, &r);
        return Combine(o, overflow, r);
    }
    CheckedInt operator*(const CheckedInt& o) const
    {
        int64_t r = 0;
        const bool overflow = __builtin_mul_overflow(value_, o.value_, &r);
        return Combine(o, overflow, r);
    }
    // Division truncating toward zero; a zero divisor (or INT64_MIN / -1) fails.
    CheckedInt operator/(const CheckedInt& o) const
    {
        const bool bad = o.value_ == 0 || (value_ == INT64_MIN && o.value_ == -1);
        return Combine(o, bad, bad ? 0 : value_ / o.value_);
    }

    // True with the value when the result is valid and fits 32 bits.
    bool ToInt32(int32_t& out) const
    {
        if (!ok_ || value_ < INT32_MIN || value_ > INT32_MAX)
            return false;
        out = static_cast<int32_t>(value_);
        return true;
    }

private:
    CheckedInt Combine(const CheckedInt& o, bool overflow, int64_t result) const
    {
        CheckedInt r(result);
        r.ok_ = ok_ && o.ok_ && !overflow;
        return r;
    }

    int64_t value_;
    bool ok_ = true;
};

}  // namespace calib
