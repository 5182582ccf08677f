#include "object.h"

#include <cstdio>
#include <map>

const TClassInfo& TObject::StaticClass()
{
    static const TClassInfo info = [] {
        TClassInfo c;
        c.Name = "TObject";
        return c;
    }();
    return info;
}

void TObject::Free()
{
    BeforeDestruction();
    delete this;
}

int TEnumInfo::Find(std::string_view name) const
{
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], name))
            return static_cast<int>(i);
    return -1;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other)
            return true;
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (SameText(c->Name, className))
            return true;
    return false;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Props)
            if (SameText(p.Name, name))
                return &p;
    return nullptr;
}

const THandlerInfo* TClassInfo::FindHandler(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const THandlerInfo& h : c->Handlers)
            if (SameText(h.Name, name))
                return &h;
    return nullptr;
}

bool TClassInfo::HasDefined(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const String& d : c->Defined)
            if (SameText(d, name))
                return true;
    return false;
}

String TValue::AsText() const
{
    switch (Kind) {
    case TPropKind::Boolean:
        return Int ? "true" : "false";
    case TPropKind::String:
        return Str;
    case TPropKind::Float: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.17g", Float);
        return buf;
    }
    case TPropKind::Enum:
        if (Enum && Int >= 0 && Int < static_cast<int64_t>(Enum->Names.size()))
            return LowerCase(Enum->Names[static_cast<size_t>(Int)]);
        return IntToStr(Int);
    case TPropKind::Set: {
        String r = "[";
        for (size_t i = 0; Enum && i < Enum->Names.size() && i < 32; ++i)
            if (Int & (int64_t(1) << i)) {
                if (r.size() > 1)
                    r += ',';
                r += LowerCase(Enum->Names[i]);
            }
        return r + "]";
    }
    case TPropKind::Object:
    case TPropKind::Component:
        return Obj ? Obj->ClassName() : String();
    default:
        return IntToStr(Int);
    }
}

namespace {
const TPropInfo& Need(TObject* o, std::string_view name)
{
    if (!o)
        throw EPropertyError("Property " + String(name) + " of a nil object");
    const TPropInfo* p = o->ClassType().FindProp(name);
    if (!p)
        throw EPropertyError("Property " + String(name) + " does not exist in " + o->ClassName());
    return *p;
}

uint32_t ParseSet(const TPropInfo& p, std::string_view text)
{
    String t = Trim(text);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']')
        throw EPropertyError("Invalid set value '" + String(text) + "' for " + p.Name);
    uint32_t mask = 0;
    std::string_view body(t.data() + 1, t.size() - 2);
    while (!body.empty()) {
        size_t comma = body.find(',');
        String item = Trim(body.substr(0, comma));
        if (!item.empty()) {
            int ord = p.Enum->Find(item);
            if (ord < 0 || ord >= 32)
                throw EPropertyError("Invalid set element '" + item + "' for " + p.Name);
            mask |= 1u << ord;
        }
        if (comma == std::string_view::npos)
            break;
        body.remove_prefix(comma + 1);
    }
    return mask;
}
}  // namespace

TValue ValueFromText(const TPropInfo& p, std::string_view text)
{
    TValue v;
    v.Kind = p.Kind;
    v.Enum = p.Enum;
    switch (p.Kind) {
    case TPropKind::String:
        v.Str = String(text);
        break;
    case TPropKind::Boolean:
        if (SameText(text, "true"))
            v.Int = 1;
        else if (SameText(text, "false"))
            v.Int = 0;
        else
            throw EPropertyError("Invalid Boolean value '" + String(text) + "' for " + p.Name);
        break;
    case TPropKind::Enum: {
        int ord = p.Enum->Find(Trim(text));
        if (ord < 0)
            throw EPropertyError("Invalid value '" + String(text) + "' for " + p.Name);
        v.Int = ord;
        break;
    }
    case TPropKind::Set:
        v.Int = ParseSet(p, text);
        break;
    case TPropKind::Float:
        try {
            v.Float = std::stod(String(text));
        } catch (const std::exception&) {
            throw EPropertyError("Invalid number '" + String(text) + "' for " + p.Name);
        }
        break;
    case TPropKind::Integer:
    case TPropKind::Color: {
        int i = 0;
        if (!TryStrToInt(text, i))
            throw EPropertyError("Invalid number '" + String(text) + "' for " + p.Name);
        v.Int = i;
        break;
    }
    default:
        throw EPropertyError("Property " + p.Name + " cannot be set from text");
    }
    return v;
}

TValue GetPropValue(TObject* o, std::string_view name)
{
    const TPropInfo& p = Need(o, name);
    return p.Get(o);
}

void SetPropValue(TObject* o, std::string_view name, const TValue& v)
{
    const TPropInfo& p = Need(o, name);
    if (!p.Set)
        throw EPropertyError("Property " + p.Name + " is read-only");
    if (v.Kind == TPropKind::String && p.Kind != TPropKind::String) {
        p.Set(o, ValueFromText(p, v.Str));
        return;
    }
    p.Set(o, v);
}

String GetPropText(TObject* o, std::string_view name) { return GetPropValue(o, name).AsText(); }

void SetPropText(TObject* o, std::string_view name, std::string_view text)
{
    const TPropInfo& p = Need(o, name);
    if (!p.Set)
        throw EPropertyError("Property " + p.Name + " is read-only");
    p.Set(o, ValueFromText(p, text));
}

bool HasProp(TObject* o, std::string_view name) { return o && o->ClassType().FindProp(name); }

namespace {
std::map<String, const TClassInfo*>& Registry()
{
    static std::map<String, const TClassInfo*> r;
    return r;
}
}  // namespace

void RegisterClasses(std::initializer_list<const TClassInfo*> classes)
{
    for (const TClassInfo* c : classes)
        Registry()[UpperCase(c->Name)] = c;
}

const TClassInfo* FindClassInfo(std::string_view name)
{
    auto it = Registry().find(UpperCase(name));
    return it == Registry().end() ? nullptr : it->second;
}
