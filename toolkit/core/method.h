#pragma once
// Bound methods: an object and one of its member functions, as events and window-procedure
// chains need them. Two bound methods are equal when object and function are the same, so a
// component can tell whether the method in place is still its own.
#include <cstring>
#include <type_traits>
#include <typeindex>
#include <utility>

class TObject;

// Storage wide enough for any member-function pointer of a single-inheritance class.
struct TMethodCode {
    alignas(void*) unsigned char Bytes[2 * sizeof(void*)] = {};
    bool operator==(const TMethodCode& o) const { return std::memcmp(Bytes, o.Bytes, sizeof Bytes) == 0; }
};

// A bound method with its signature erased, as property tables and the form reader carry it.
struct TAnyMethod {
    TObject* Data = nullptr;
    TMethodCode Code;
    void* Invoke = nullptr;                       // R (*)(TObject*, const TMethodCode&, A...)
    std::type_index Signature = typeid(void);
    explicit operator bool() const { return Data != nullptr && Invoke != nullptr; }
};

template <class Sig>
class TMethod;

template <class R, class... A>
class TMethod<R(A...)> {
public:
    using Invoker = R (*)(TObject*, const TMethodCode&, A...);

    TMethod() = default;
    TMethod(std::nullptr_t) {}

    template <class C>
    TMethod(C* obj, R (C::*m)(A...))
    {
        static_assert(sizeof(m) <= sizeof(TMethodCode::Bytes), "member pointer too wide");
        FData = obj;
        std::memcpy(FCode.Bytes, &m, sizeof m);
        FInvoke = &Call<C>;
    }

    R operator()(A... a) const { return FInvoke(FData, FCode, std::forward<A>(a)...); }
    explicit operator bool() const { return FInvoke != nullptr && FData != nullptr; }
    bool operator==(const TMethod& o) const
    {
        return FData == o.FData && FInvoke == o.FInvoke && FCode == o.FCode;
    }
    TObject* Data() const { return FData; }

    TAnyMethod ToAny() const
    {
        TAnyMethod m;
        m.Data = FData;
        m.Code = FCode;
        m.Invoke = reinterpret_cast<void*>(FInvoke);
        m.Signature = typeid(R(A...));
        return m;
    }
    // False when the signature differs; an empty method clears this one.
    bool FromAny(const TAnyMethod& m)
    {
        if (!m) {
            *this = TMethod();
            return true;
        }
        if (m.Signature != typeid(R(A...)))
            return false;
        FData = m.Data;
        FCode = m.Code;
        FInvoke = reinterpret_cast<Invoker>(m.Invoke);
        return true;
    }

    // A method with no object yet: the form reader fills in the form when it binds a handler.
    template <class C>
    static TAnyMethod Unbound(R (C::*m)(A...))
    {
        TMethod t;
        std::memcpy(t.FCode.Bytes, &m, sizeof m);
        t.FInvoke = &Call<C>;
        return t.ToAny();
    }

private:
    template <class C>
    static R Call(TObject* data, const TMethodCode& code, A... a)
    {
        R (C::*m)(A...);
        std::memcpy(&m, code.Bytes, sizeof m);
        return (static_cast<C*>(data)->*m)(std::forward<A>(a)...);
    }

    TObject* FData = nullptr;
    TMethodCode FCode;
    Invoker FInvoke = nullptr;
};

using TNotifyEvent = TMethod<void(TObject* Sender)>;

// Fires an event when it is assigned.
template <class M, class... A>
inline void Fire(const M& event, A&&... a)
{
    if (event)
        event(std::forward<A>(a)...);
}
