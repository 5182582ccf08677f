#pragma once
// Reading and writing the registry through one open key at a time.
#include <windows.h>

#include "classes.h"
#include "handles.h"

// Creating or opening a key for writing goes through RegCreateKeyExA, unless a test has put a
// function of its own in its place (a test machine's registry grants every right, so a refusal
// can only be simulated here). Returns the one in place before; null puts the real call back.
using TRegCreateKeyFunc = decltype(&RegCreateKeyExA);
TRegCreateKeyFunc SetRegCreateKeyFunc(TRegCreateKeyFunc f);

// Key names: a leading backslash starts from RootKey, anything else from the current key (or
// from RootKey when none is open). Value functions work on the current key; with none open a
// value counts as missing.
class TRegistry : public TObject {
    TK_CLASS(TRegistry, TObject)
public:
    TRegistry();                           // HKEY_CURRENT_USER, KEY_ALL_ACCESS
    explicit TRegistry(REGSAM access);

    HKEY RootKey() const { return FRootKey; }
    void SetRootKey(HKEY root);            // closes the current key
    REGSAM Access() const { return FAccess; }
    void SetAccess(REGSAM access) { FAccess = access; }
    HKEY CurrentKey() const { return FCurrentKey.Get(); }
    const String& CurrentPath() const { return FCurrentPath; }

    // Makes the key current; false when it doesn't exist (and canCreate is false) or can't be opened.
    bool OpenKey(const String& key, bool canCreate);
    // Opens for reading only (KEY_READ), which also works where writing is not allowed;
    // on success Access becomes KEY_READ.
    bool OpenKeyReadOnly(const String& key);
    void CloseKey();
    // Creates a key without making it current; raises ERegistryException when it can't.
    bool CreateKey(const String& key);
    // Deletes a key with everything under it; false when it could not be deleted.
    bool DeleteKey(const String& key);
    bool KeyExists(const String& key);

    bool ValueExists(const String& name) const;
    // REG_SZ or REG_EXPAND_SZ (unexpanded); a missing value reads as empty text.
    String ReadString(const String& name) const;
    // REG_DWORD only; a missing value raises too.
    int ReadInteger(const String& name) const;
    bool ReadBool(const String& name) const { return ReadInteger(name) != 0; }
    void WriteString(const String& name, const String& value);
    void WriteInteger(const String& name, int value);
    void WriteBool(const String& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    bool DeleteValue(const String& name);
    // Replaces the list's lines with the names of the current key's values.
    void GetValueNames(TStrings& list) const;

private:
    struct TTarget {
        HKEY Base;
        String SubKey;
        String Path;  // from the root, without a leading backslash
    };
    TTarget Resolve(const String& key) const;
    bool QueryInfo(const String& name, DWORD& type, DWORD& size) const;
    String QueryData(const String& name, DWORD expectedType1, DWORD expectedType2) const;
    void SetData(const String& name, DWORD type, const void* data, DWORD size);

    HKEY FRootKey = HKEY_CURRENT_USER;
    REGSAM FAccess = KEY_ALL_ACCESS;
    TRegKey FCurrentKey;
    String FCurrentPath;
};
