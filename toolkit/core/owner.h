#pragma once
// What the code would otherwise give back by hand: one owner for system handles and toolkit
// objects alike, and a flag that holds for the life of a scope.
#include <utility>

// Owns one handle (or object pointer) and gives it back with `Free` when it goes.
template <class H, class Free>
class TOwnedHandle {
public:
    TOwnedHandle() = default;
    explicit TOwnedHandle(H h) : FHandle(h) {}
    TOwnedHandle(TOwnedHandle&& o) noexcept : FHandle(o.Release()) {}
    TOwnedHandle& operator=(TOwnedHandle&& o) noexcept
    {
        if (this != &o)
            Reset(o.Release());
        return *this;
    }
    ~TOwnedHandle() { Reset(); }
    H Get() const { return FHandle; }
    H operator->() const { return FHandle; }
    H Release() noexcept { return std::exchange(FHandle, nullptr); }
    // Takes `h`, then frees the old one: while it goes, the owner no longer hands it out.
    void Reset(H h = nullptr) noexcept(noexcept(Free()(h)))
    {
        H old = std::exchange(FHandle, h);
        if (old && old != h)
            Free()(old);
    }
    explicit operator bool() const { return FHandle != nullptr; }

private:
    H FHandle = nullptr;
};

// Gives a variable a value for the life of a scope, also when an exception passes, and then
// puts back the value it had.
template <class T>
class TScopedValue {
public:
    TScopedValue(T& variable, T value) : FVariable(variable), FOld(std::exchange(variable, value)) {}
    ~TScopedValue() { FVariable = FOld; }
    TScopedValue(const TScopedValue&) = delete;
    TScopedValue& operator=(const TScopedValue&) = delete;

private:
    T& FVariable;
    T FOld;
};

// A flag set for the life of a scope.
class TScopedFlag : public TScopedValue<bool> {
public:
    explicit TScopedFlag(bool& flag, bool value = true) : TScopedValue(flag, value) {}
};
