#include "registry.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

// ---- helpers ----

namespace {

String Quoted(const String& name) { return "'" + name + "'"; }

[[noreturn]] void InvalidType(const String& name)
{
    throw ERegistryException("Invalid data type for " + Quoted(name));
}

// Names of the subkeys or values of a key; the buffer grows until every name fits.
std::vector<String> EnumNames(HKEY key, bool values)
{
    std::vector<String> names;
    std::vector<char> buf(256);
    for (DWORD index = 0;;) {
        DWORD len = static_cast<DWORD>(buf.size());
        LONG rc = values ? RegEnumValueA(key, index, buf.data(), &len, nullptr, nullptr, nullptr, nullptr)
                         : RegEnumKeyExA(key, index, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA && buf.size() < 65536) {
            buf.resize(buf.size() * 2);
            continue;
        }
        if (rc != ERROR_SUCCESS)
            break;
        names.emplace_back(buf.data(), std::min<size_t>(len, buf.size()));
        ++index;
    }
    return names;
}

bool DeleteTree(HKEY base, const String& sub)
{
    HKEY h = nullptr;
    if (RegOpenKeyExA(base, sub.c_str(), 0, KEY_READ | DELETE, &h) == ERROR_SUCCESS) {
        TRegKey key(h);
        for (const String& child : EnumNames(h, false))
            DeleteTree(h, child);
    }
    return RegDeleteKeyA(base, sub.c_str()) == ERROR_SUCCESS;
}

TRegCreateKeyFunc gCreateKey = nullptr;

LONG CreateSubKey(HKEY base, const String& sub, REGSAM access, HKEY& out)
{
    const DWORD options = REG_OPTION_NON_VOLATILE;
    TRegCreateKeyFunc create = gCreateKey ? gCreateKey : &RegCreateKeyExA;
    return create(base, sub.c_str(), 0, nullptr, options, access, nullptr, &out, nullptr);
}

String StripSeparators(String s, bool& absolute)
{
    absolute = !s.empty() && s.front() == '\\';
    if (absolute)
        s.erase(0, 1);
    while (!s.empty() && s.back() == '\\')
        s.pop_back();
    return s;
}

}  // namespace

TRegCreateKeyFunc SetRegCreateKeyFunc(TRegCreateKeyFunc f) { return std::exchange(gCreateKey, f); }

// ---- TRegistry ----

const TClassInfo& TRegistry::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TRegistry>("TRegistry", &TObject::StaticClass()).Build();
    return info;
}

TRegistry::TRegistry() = default;

TRegistry::TRegistry(REGSAM access) : FAccess(access) {}

void TRegistry::SetRootKey(HKEY root)
{
    CloseKey();
    FRootKey = root;
}

TRegistry::TTarget TRegistry::Resolve(const String& key) const
{
    bool absolute = false;
    String sub = StripSeparators(key, absolute);
    if (absolute || !CurrentKey())
        return {FRootKey, sub, sub};
    String path = FCurrentPath.empty() ? sub : sub.empty() ? FCurrentPath : FCurrentPath + "\\" + sub;
    return {CurrentKey(), sub, path};
}

bool TRegistry::OpenKey(const String& key, bool canCreate)
{
    TTarget t = Resolve(key);
    HKEY h = nullptr;
    LONG rc = canCreate ? CreateSubKey(t.Base, t.SubKey, FAccess, h)
                        : RegOpenKeyExA(t.Base, t.SubKey.c_str(), 0, FAccess, &h);
    if (rc != ERROR_SUCCESS)
        return false;
    FCurrentKey.Reset(h);  // the new key may hang below the old one; it stays valid
    FCurrentPath = t.Path;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key)
{
    const REGSAM saved = FAccess;
    const REGSAM masks[] = {KEY_READ, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                            KEY_QUERY_VALUE};
    for (REGSAM mask : masks) {
        FAccess = mask;
        if (OpenKey(key, false))
            return true;
    }
    FAccess = saved;
    return false;
}

void TRegistry::CloseKey()
{
    FCurrentKey.Reset();
    FCurrentPath.clear();
}

bool TRegistry::CreateKey(const String& key)
{
    TTarget t = Resolve(key);
    HKEY h = nullptr;
    if (t.SubKey.empty() || CreateSubKey(t.Base, t.SubKey, FAccess, h) != ERROR_SUCCESS)
        throw ERegistryException("Failed to create key " + Quoted(key));
    RegCloseKey(h);
    return true;
}

bool TRegistry::DeleteKey(const String& key)
{
    TTarget t = Resolve(key);
    if (t.SubKey.empty())
        return false;  // never the base key itself
    return DeleteTree(t.Base, t.SubKey);
}

bool TRegistry::KeyExists(const String& key)
{
    TTarget t = Resolve(key);
    HKEY h = nullptr;
    if (RegOpenKeyExA(t.Base, t.SubKey.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS)
        return false;
    RegCloseKey(h);
    return true;
}

bool TRegistry::QueryInfo(const String& name, DWORD& type, DWORD& size) const
{
    if (!CurrentKey())
        return false;
    return RegQueryValueExA(CurrentKey(), name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const String& name) const
{
    DWORD type = 0, size = 0;
    return QueryInfo(name, type, size);
}

// The value's bytes when its type is one of the two; raises for a missing value or another type.
// The size is asked again whenever the value grew between the calls.
String TRegistry::QueryData(const String& name, DWORD expectedType1, DWORD expectedType2) const
{
    DWORD type = 0, size = 0;
    if (!QueryInfo(name, type, size))
        throw ERegistryException("Failed to get data for " + Quoted(name));
    for (int tries = 0; tries < 8; ++tries) {
        if (type != expectedType1 && type != expectedType2)
            InvalidType(name);
        String data(static_cast<size_t>(size) + 1, '\0');
        DWORD got = size + 1;
        LONG rc = RegQueryValueExA(CurrentKey(), name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(data.data()), &got);
        if (rc == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (rc != ERROR_SUCCESS)
            break;
        if (type != expectedType1 && type != expectedType2)
            InvalidType(name);
        data.resize(std::min<size_t>(got, data.size()));
        return data;
    }
    throw ERegistryException("Failed to get data for " + Quoted(name));
}

String TRegistry::ReadString(const String& name) const
{
    if (!ValueExists(name))
        return String();
    String data = QueryData(name, REG_SZ, REG_EXPAND_SZ);
    // Stored with or without its terminator; the text ends at the first zero.
    size_t end = data.find('\0');
    if (end != String::npos)
        data.resize(end);
    return data;
}

int TRegistry::ReadInteger(const String& name) const
{
    String data = QueryData(name, REG_DWORD, REG_DWORD);
    if (data.size() != sizeof(DWORD))
        InvalidType(name);
    DWORD v = 0;
    std::memcpy(&v, data.data(), sizeof v);
    return static_cast<int>(v);
}

void TRegistry::SetData(const String& name, DWORD type, const void* data, DWORD size)
{
    auto bytes = static_cast<const BYTE*>(data);
    if (!CurrentKey() || RegSetValueExA(CurrentKey(), name.c_str(), 0, type, bytes, size) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for " + Quoted(name));
}

void TRegistry::WriteString(const String& name, const String& value)
{
    if (value.size() >= std::numeric_limits<DWORD>::max())
        throw ERegistryException("Failed to set data for " + Quoted(name));
    SetData(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteInteger(const String& name, int value)
{
    DWORD v = static_cast<DWORD>(value);
    SetData(name, REG_DWORD, &v, sizeof v);
}

bool TRegistry::DeleteValue(const String& name)
{
    return CurrentKey() && RegDeleteValueA(CurrentKey(), name.c_str()) == ERROR_SUCCESS;
}

void TRegistry::GetValueNames(TStrings& list) const
{
    list.BeginUpdate();
    try {
        list.Clear();
        if (CurrentKey())
            for (const String& n : EnumNames(CurrentKey(), true))
                list.Add(n);
    } catch (...) {
        list.EndUpdate();
        throw;
    }
    list.EndUpdate();
}
