#pragma once
// The one shape of the suite's handle owners (CHandle, CKeyHandle, the GDI object, DC and icon
// owners): holds one value of a handle type, closes it through Traits::Close when it goes or is
// replaced, and is movable but not copyable. Traits give the type, the empty value and what
// counts as holding something.
template <typename Traits>
class COwner {
public:
    using Type = typename Traits::Type;

    COwner() = default;
    explicit COwner(Type value) : value_(value) {}
    ~COwner() { Reset(); }
    COwner(COwner&& other) noexcept : value_(other.Release()) {}
    COwner& operator=(COwner&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    COwner(const COwner&) = delete;
    COwner& operator=(const COwner&) = delete;

    Type Get() const { return value_; }
    // Where the value is kept, for callers that hand its address on; valid while the owner lives.
    const Type* Slot() const { return &value_; }
    bool IsValid() const { return Traits::IsValid(value_); }
    explicit operator bool() const { return IsValid(); }

    // For out parameters: closes what is held and hands out the slot.
    Type* Receive()
    {
        Reset();
        return &value_;
    }
    // Closes what is held and takes the new value.
    void Reset(Type value = Traits::Empty())
    {
        if (IsValid())
            Traits::Close(value_);
        value_ = value;
    }
    // Gives the value up without closing it.
    Type Release()
    {
        Type value = value_;
        value_ = Traits::Empty();
        return value;
    }

private:
    Type value_ = Traits::Empty();
};

// Traits of the handle types whose only "nothing" is null; a type adds its Close.
template <typename T>
struct NullHandleTraits {
    using Type = T;
    static T Empty() { return nullptr; }
    static bool IsValid(T value) { return value != nullptr; }
};
