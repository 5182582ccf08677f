#pragma once
// The object model: classes that know their name and parent, published properties read and
// written by name, and a registry of the classes that form files may name.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "method.h"
#include "owner.h"
#include "sysutils.h"

class TObject;
class TPersistent;
class TComponent;
class TStrings;
class TCollection;
struct TClassInfo;

using TColor = int32_t;  // 0x00BBGGRR; top byte 0xFF (negative) names a system colour

// A Delphi-style set over an enumeration with at most 32 values.
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> l)
    {
        for (E e : l)
            FBits |= Bit(e);
    }
    static constexpr TSet FromMask(uint32_t m)
    {
        TSet s;
        s.FBits = m;
        return s;
    }
    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr TSet& Include(E e) { FBits |= Bit(e); return *this; }
    constexpr TSet& Exclude(E e) { FBits &= ~Bit(e); return *this; }
    constexpr uint32_t Mask() const { return FBits; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr bool operator==(const TSet&) const = default;
    constexpr TSet operator+(TSet o) const { return FromMask(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromMask(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromMask(FBits & o.FBits); }

private:
    static constexpr uint32_t Bit(E e) { return 1u << static_cast<unsigned>(e); }
    uint32_t FBits = 0;
};

// The value names of an enumeration (in ordinal order), for enum and set properties.
struct TEnumInfo {
    const char* TypeName;
    std::vector<const char*> Names;
    int Find(std::string_view name) const;  // ignoring case; -1 when unknown
};

enum class TPropKind {
    Unknown, Integer, Boolean, String, Float, Color, Enum, Set, Object, Component, Event,
};

// One property value travelling by name.
struct TValue {
    TPropKind Kind = TPropKind::Unknown;
    int64_t Int = 0;   // Integer, Boolean, Color, Enum ordinal, Set mask
    double Float = 0;
    String Str;
    TObject* Obj = nullptr;
    TAnyMethod Method;
    const TEnumInfo* Enum = nullptr;  // for Enum and Set values read from an object

    static TValue OfInt(int64_t v) { TValue r; r.Kind = TPropKind::Integer; r.Int = v; return r; }
    static TValue OfBool(bool v) { TValue r; r.Kind = TPropKind::Boolean; r.Int = v; return r; }
    static TValue OfString(String v) { TValue r; r.Kind = TPropKind::String; r.Str = std::move(v); return r; }
    static TValue OfFloat(double v) { TValue r; r.Kind = TPropKind::Float; r.Float = v; return r; }
    static TValue OfObject(TObject* v) { TValue r; r.Kind = TPropKind::Object; r.Obj = v; return r; }
    static TValue OfMethod(const TAnyMethod& m) { TValue r; r.Kind = TPropKind::Event; r.Method = m; return r; }

    // Enumerations and Booleans as lower-case names, sets as "[a,b]", numbers in decimal.
    String AsText() const;
};

struct TPropInfo {
    String Name;
    TPropKind Kind = TPropKind::Unknown;
    const TEnumInfo* Enum = nullptr;       // Enum and Set
    // Object and Component: the class the value must have. A function, so a class can
    // refer to itself (a component property of its own type) while its table is being built.
    const TClassInfo& (*ClassOf)() = nullptr;
    const TClassInfo* Class() const { return ClassOf ? &ClassOf() : nullptr; }
    std::function<TValue(TObject*)> Get;
    std::function<void(TObject*, const TValue&)> Set;  // empty for read-only object properties
};

// A published handler of a form class, bound to the form when a form file names it.
struct THandlerInfo {
    String Name;
    TAnyMethod Unbound;
};

// A component field of a form class: the form file's component of that name goes into it.
struct TFieldInfo {
    String Name;
    const TClassInfo& (*ClassOf)() = nullptr;  // the class the component must have
    std::function<void(TObject* form, TComponent* component)> Store;
};

struct TClassInfo {
    const char* Name = "";
    const TClassInfo* Parent = nullptr;
    TComponent* (*Create)(TComponent* owner) = nullptr;  // set for components a form file can create
    std::vector<TPropInfo> Props;
    std::vector<THandlerInfo> Handlers;
    std::vector<TFieldInfo> Fields;
    std::vector<String> Defined;  // stored names that are not published properties (item lists, data)

    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(std::string_view className) const;  // by name, ignoring case
    const TPropInfo* FindProp(std::string_view name) const;        // through the chain, ignoring case
    const THandlerInfo* FindHandler(std::string_view name) const;  // through the chain, ignoring case
    bool HasDefined(std::string_view name) const;
};

// A published property whose setter only stores a new value and then reacts to the change
// (repaints, recreates the window, ...): Name() and SetName() over the field FName.
//   TK_PROPERTY(bool, Center, Invalidate());
//   TK_PROPERTY(bool, WordWrap, AdjustBounds(), Invalidate());  // reactions in their order
// Numbers, enumerations and Booleans go by value, texts and sets by reference.
template <class V>
using TPropertyArg = std::conditional_t<std::is_scalar_v<V>, V, const V&>;
#define TK_PROPERTY(Type, Name, ...)                    \
    TPropertyArg<Type> Name() const { return F##Name; } \
    void Set##Name(TPropertyArg<Type> v)                \
    {                                                   \
        if (v == F##Name)                               \
            return;                                     \
        F##Name = v;                                    \
        __VA_ARGS__;                                    \
    }

template <class T>
class TClassBuilder;
template <int Line>
struct TPublishedAt {};
// How far below TK_CLASS a class body may declare published fields and handlers.
inline constexpr int MaxPublishedLine = 256;

// Declares a class's type information inside its body, and (privately) what TK_COMPONENT and
// TK_HANDLER need: the line they count from, and a TkPublish that hides the base class's entries.
#define TK_CLASS(T, Base)                                                     \
public:                                                                       \
    using inherited = Base;                                                   \
    static const TClassInfo& StaticClass();                                   \
    const TClassInfo& ClassType() const override { return T::StaticClass(); } \
                                                                              \
private:                                                                      \
    template <class>                                                          \
    friend class TClassBuilder;                                               \
    using TkSelf = T;                                                         \
    enum { TkFirstLine = __LINE__ };                                          \
    static void TkPublish() = delete;                                         \
                                                                              \
public:

// A form class's components and handlers, each named once, in the class body:
//   TK_COMPONENT(TButton, Button1);             // TButton* Button1, set when the form file loads
//   TK_HANDLER(Button1Click, TObject* Sender);  // void Button1Click(TObject* Sender), bound by name
// A handler may take its body in place of the semicolon. Each entry leaves a registration
// tagged with its line below TK_CLASS (the same in every source that includes the class); the
// class builder gathers them, so the component classes need to be complete only there.
#define TK_PUBLISH_ENTRY(Registration)                                                  \
    static_assert(__LINE__ - TkFirstLine < MaxPublishedLine, "too far below TK_CLASS"); \
    template <class TkBuilder>                                                          \
    static void TkPublish(TPublishedAt<__LINE__ - TkFirstLine>, TkBuilder& b)           \
    {                                                                                   \
        b.Registration;                                                                 \
    }
#define TK_COMPONENT(Type, Name)                      \
    TK_PUBLISH_ENTRY(Component(#Name, &TkSelf::Name)) \
    Type* Name = nullptr
#define TK_HANDLER(Name, ...)                       \
    TK_PUBLISH_ENTRY(Handler(#Name, &TkSelf::Name)) \
    void Name(__VA_ARGS__)

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    String ClassName() const { return ClassType().Name; }
    bool InheritsFrom(const TClassInfo& c) const { return ClassType().InheritsFrom(c); }
    template <class T>
    bool Is() const { return InheritsFrom(T::StaticClass()); }

    // Runs BeforeDestruction while the object is still whole, then deletes it.
    void Free();
    virtual void BeforeDestruction() {}
};

template <class T>
T* As(TObject* o) { return o && o->Is<T>() ? static_cast<T*>(o) : nullptr; }

// Frees an object as its owner would (BeforeDestruction first).
struct TFreeObject {
    void operator()(TObject* o) const { o->Free(); }
};
// An object this code made and frees, not a component with an owner.
template <class T>
using TOwnedObject = TOwnedHandle<T*, TFreeObject>;

// Frees an object; a null pointer is fine.
inline void FreeAndNil(auto*& p)
{
    auto* o = p;
    p = nullptr;
    if (o)
        o->Free();
}

// Builds a class's type information once, in the class's .cpp:
//   const TClassInfo& TButton::StaticClass() {
//       static const TClassInfo info = TClassBuilder<TButton>("TButton", &TWinControl::StaticClass())
//           .Creatable().Prop("Caption", &TButton::GetCaption, &TButton::SetCaption).Build();
//       return info; }
template <class T>
class TClassBuilder {
public:
    TClassBuilder(const char* name, const TClassInfo* parent)
    {
        FInfo.Name = name;
        FInfo.Parent = parent;
    }

    TClassBuilder& Creatable()
    {
        if constexpr (std::is_constructible_v<T, TComponent*>)
            FInfo.Create = [](TComponent* owner) -> TComponent* { return new T(owner); };
        return *this;
    }

    // Integer, Boolean, String and Float properties, by getter and setter or by field.
    template <class V, class G, class S>
    TClassBuilder& Prop(const char* name, G get, S set)
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = KindOf<V>();
        p.Get = [get](TObject* o) { return Wrap<V>(Invoke(static_cast<T*>(o), get)); };
        p.Set = [set](TObject* o, const TValue& v) { Store(static_cast<T*>(o), set, Unwrap<V>(v)); };
        FInfo.Props.push_back(std::move(p));
        return *this;
    }
    TClassBuilder& Prop(const char* name, int T::*f) { return Prop<int>(name, f, f); }
    TClassBuilder& Prop(const char* name, bool T::*f) { return Prop<bool>(name, f, f); }
    TClassBuilder& Prop(const char* name, String T::*f) { return Prop<String>(name, f, f); }
    TClassBuilder& Prop(const char* name, int (T::*g)() const, void (T::*s)(int)) { return Prop<int>(name, g, s); }
    TClassBuilder& Prop(const char* name, bool (T::*g)() const, void (T::*s)(bool)) { return Prop<bool>(name, g, s); }
    TClassBuilder& Prop(const char* name, String (T::*g)() const, void (T::*s)(const String&)) { return Prop<String>(name, g, s); }
    TClassBuilder& Prop(const char* name, const String& (T::*g)() const, void (T::*s)(const String&)) { return Prop<String>(name, g, s); }
    TClassBuilder& Prop(const char* name, double (T::*g)() const, void (T::*s)(double)) { return Prop<double>(name, g, s); }

    template <class G, class S>
    TClassBuilder& ColorProp(const char* name, G get, S set)
    {
        Prop<int>(name, get, set);
        FInfo.Props.back().Kind = TPropKind::Color;
        return *this;
    }

    template <class E, class G, class S>
    TClassBuilder& EnumProp(const char* name, const TEnumInfo& info, G get, S set)
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Enum;
        p.Enum = &info;
        p.Get = [get, &info](TObject* o) {
            TValue v;
            v.Kind = TPropKind::Enum;
            v.Enum = &info;
            v.Int = static_cast<int64_t>(Invoke(static_cast<T*>(o), get));
            return v;
        };
        p.Set = [set](TObject* o, const TValue& v) { Store(static_cast<T*>(o), set, static_cast<E>(v.Int)); };
        FInfo.Props.push_back(std::move(p));
        return *this;
    }
    template <class E>
    TClassBuilder& EnumProp(const char* name, const TEnumInfo& info, E T::*f) { return EnumProp<E>(name, info, f, f); }

    template <class E, class G, class S>
    TClassBuilder& SetProp(const char* name, const TEnumInfo& info, G get, S set)
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Set;
        p.Enum = &info;
        p.Get = [get, &info](TObject* o) {
            TValue v;
            v.Kind = TPropKind::Set;
            v.Enum = &info;
            v.Int = Invoke(static_cast<T*>(o), get).Mask();
            return v;
        };
        p.Set = [set](TObject* o, const TValue& v) {
            Store(static_cast<T*>(o), set, TSet<E>::FromMask(static_cast<uint32_t>(v.Int)));
        };
        FInfo.Props.push_back(std::move(p));
        return *this;
    }
    template <class E>
    TClassBuilder& SetProp(const char* name, const TEnumInfo& info, TSet<E> T::*f) { return SetProp<E>(name, info, f, f); }

    // An owned sub-object (Font, Items, Picture): read through the getter, assigned through the setter.
    template <class O>
    TClassBuilder& ObjectProp(const char* name, O* (T::*get)() const, void (T::*set)(O*) = nullptr)
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Object;
        p.ClassOf = &O::StaticClass;
        p.Get = [get](TObject* o) { return TValue::OfObject((static_cast<T*>(o)->*get)()); };
        if (set)
            p.Set = [set](TObject* o, const TValue& v) { (static_cast<T*>(o)->*set)(As<O>(v.Obj)); };
        FInfo.Props.push_back(std::move(p));
        return *this;
    }

    // A reference to another component (PopupMenu, IconList), possibly on another form.
    template <class O>
    TClassBuilder& ComponentProp(const char* name, O* (T::*get)() const, void (T::*set)(O*))
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Component;
        p.ClassOf = &O::StaticClass;
        p.Get = [get](TObject* o) {
            TValue v = TValue::OfObject((static_cast<T*>(o)->*get)());
            v.Kind = TPropKind::Component;
            return v;
        };
        p.Set = [set](TObject* o, const TValue& v) {
            O* target = As<O>(v.Obj);
            if (v.Obj && !target)
                throw EPropertyError(String("Invalid property value: ") + v.Obj->ClassName() + " is not a " +
                                     O::StaticClass().Name);
            (static_cast<T*>(o)->*set)(target);
        };
        FInfo.Props.push_back(std::move(p));
        return *this;
    }

    // An event stored in a field.
    template <class Sig>
    TClassBuilder& Event(const char* name, TMethod<Sig> T::*f)
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Event;
        p.Get = [f](TObject* o) { return TValue::OfMethod((static_cast<T*>(o)->*f).ToAny()); };
        p.Set = [f, n = String(name)](TObject* o, const TValue& v) {
            if (!(static_cast<T*>(o)->*f).FromAny(v.Method))
                throw EPropertyError("Handler does not fit event " + n);
        };
        FInfo.Props.push_back(std::move(p));
        return *this;
    }

    // An event read and written through methods (a setter that starts or stops something).
    template <class Sig>
    TClassBuilder& Event(const char* name, const TMethod<Sig>& (T::*get)() const, void (T::*set)(const TMethod<Sig>&))
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Event;
        p.Get = [get](TObject* o) { return TValue::OfMethod((static_cast<T*>(o)->*get)().ToAny()); };
        p.Set = [set, n = String(name)](TObject* o, const TValue& v) {
            TMethod<Sig> m;
            if (!m.FromAny(v.Method))
                throw EPropertyError("Handler does not fit event " + n);
            (static_cast<T*>(o)->*set)(m);
        };
        FInfo.Props.push_back(std::move(p));
        return *this;
    }

    // A published handler of a form class (TK_HANDLER).
    template <class C, class R, class... A>
    TClassBuilder& Handler(const char* name, R (C::*m)(A...))
    {
        FInfo.Handlers.push_back({name, TMethod<R(A...)>::template Unbound<C>(m)});
        return *this;
    }

    // A component field of a form class (TK_COMPONENT).
    template <class O>
    TClassBuilder& Component(const char* name, O* T::*field)
    {
        auto store = [field](TObject* o, TComponent* c) { static_cast<T*>(o)->*field = static_cast<O*>(c); };
        FInfo.Fields.push_back({name, &O::StaticClass, store});
        return *this;
    }

    // A stored name the class reads itself (TPersistent::ReadDefinedProperty).
    TClassBuilder& Defined(const char* name)
    {
        FInfo.Defined.push_back(name);
        return *this;
    }

    // Also gathers the class's TK_COMPONENT and TK_HANDLER entries.
    TClassInfo Build()
    {
        Gather(std::make_integer_sequence<int, MaxPublishedLine>());
        return std::move(FInfo);
    }

private:
    template <int... Line>
    void Gather(std::integer_sequence<int, Line...>)
    {
        (GatherAt<Line>(), ...);
    }
    template <int Line>
    void GatherAt()
    {
        if constexpr (requires(TClassBuilder& b) { T::TkPublish(TPublishedAt<Line>{}, b); })
            T::TkPublish(TPublishedAt<Line>{}, *this);
    }

    template <class V>
    static constexpr TPropKind KindOf()
    {
        if constexpr (std::is_same_v<V, bool>) return TPropKind::Boolean;
        else if constexpr (std::is_same_v<V, String>) return TPropKind::String;
        else if constexpr (std::is_floating_point_v<V>) return TPropKind::Float;
        else return TPropKind::Integer;
    }
    template <class V>
    static TValue Wrap(const V& v)
    {
        if constexpr (std::is_same_v<V, bool>) return TValue::OfBool(v);
        else if constexpr (std::is_same_v<V, String>) return TValue::OfString(v);
        else if constexpr (std::is_floating_point_v<V>) return TValue::OfFloat(v);
        else return TValue::OfInt(v);
    }
    template <class V>
    static V Unwrap(const TValue& v)
    {
        if constexpr (std::is_same_v<V, bool>) return v.Int != 0;
        else if constexpr (std::is_same_v<V, String>) return v.Str;
        else if constexpr (std::is_floating_point_v<V>)
            return v.Kind == TPropKind::Float ? static_cast<V>(v.Float) : static_cast<V>(v.Int);
        else return static_cast<V>(v.Int);
    }
    template <class G>
    static decltype(auto) Invoke(T* o, G get)
    {
        if constexpr (std::is_member_function_pointer_v<G>) return (o->*get)();
        else return (o->*get);
    }
    template <class S, class V>
    static void Store(T* o, S set, V&& v)
    {
        if constexpr (std::is_member_function_pointer_v<S>) (o->*set)(std::forward<V>(v));
        else (o->*set) = std::forward<V>(v);
    }

    TClassInfo FInfo;
};

// Properties by name, through the class chain; names ignore case. Unknown names raise EPropertyError.
TValue GetPropValue(TObject* o, std::string_view name);
void SetPropValue(TObject* o, std::string_view name, const TValue& v);
// Text forms: enumerations by value name, Booleans "true"/"false", sets "[a,b]", numbers in decimal.
String GetPropText(TObject* o, std::string_view name);
void SetPropText(TObject* o, std::string_view name, std::string_view text);
bool HasProp(TObject* o, std::string_view name);
// Converts a text to a property's value (enum and set names, numbers, Booleans); raises on misfit.
TValue ValueFromText(const TPropInfo& p, std::string_view text);

// The classes a form file may name. (One function for one or many: windows.h defines a
// macro named like the single-class form.)
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
const TClassInfo* FindClassInfo(std::string_view name);  // ignoring case; null when unknown
