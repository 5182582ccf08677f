#include "classes.h"

#include <cstdio>
#include <algorithm>
#include <cstring>

#include "formfile.h"

// ---------------------------------------------------------------- TStrings

const TClassInfo& TStrings::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TStrings>("TStrings", &TPersistent::StaticClass()).Defined("Strings").Build();
    return info;
}

int TStrings::Add(const String& s)
{
    int i = Count();
    Insert(i, s);
    return i;
}

int TStrings::AddObject(const String& s, TObject* o)
{
    int i = Add(s);
    PutObject(i, o);
    return i;
}

int TStrings::IndexOf(std::string_view s) const
{
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), s))
            return i;
    return -1;
}

void TStrings::AddStrings(const TStrings& other)
{
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i)
        AddObject(other.Get(i), other.GetObject(i));
    EndUpdate();
}

String TStrings::Text() const
{
    String r;
    for (int i = 0; i < Count(); ++i) {
        r += Get(i);
        r += "\r\n";
    }
    return r;
}

void TStrings::SetText(std::string_view text)
{
    BeginUpdate();
    Clear();
    size_t pos = 0;
    while (pos < text.size()) {
        size_t e = text.find_first_of("\r\n", pos);
        if (e == std::string_view::npos) {
            Add(String(text.substr(pos)));
            break;
        }
        Add(String(text.substr(pos, e - pos)));
        pos = e + 1;
        if (text[e] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    EndUpdate();
}

void TStrings::BeginUpdate() { ++FUpdateCount; }

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TStrings::Assign(TPersistent* source)
{
    if (auto* s = As<TStrings>(source)) {
        BeginUpdate();
        Clear();
        AddStrings(*s);
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

bool TStrings::ReadDefinedProperty(const String& name, const TFormValue& value)
{
    if (!SameText(name, "Strings"))
        return false;
    if (value.Kind != TFormValue::List)
        throw EReadError("Strings expects a list of strings");
    BeginUpdate();
    Clear();
    for (const TFormValue& v : value.Items) {
        if (v.Kind != TFormValue::String_)
            throw EReadError("Strings expects a list of strings");
        Add(v.Text);
    }
    EndUpdate();
    return true;
}

// ---------------------------------------------------------------- TStringList

const TClassInfo& TStringList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStringList>("TStringList", &TStrings::StaticClass()).Build();
    return info;
}

void TStringList::Check(int i) const
{
    if (i < 0 || i >= Count())
        throw EListError("List index out of bounds (" + IntToStr(i) + ")");
}

String TStringList::Get(int i) const
{
    Check(i);
    return FItems[static_cast<size_t>(i)].S;
}

void TStringList::Put(int i, const String& s)
{
    Check(i);
    FItems[static_cast<size_t>(i)].S = s;
    if (!Updating())
        Changed();
}

TObject* TStringList::GetObject(int i) const
{
    Check(i);
    return FItems[static_cast<size_t>(i)].O;
}

void TStringList::PutObject(int i, TObject* o)
{
    Check(i);
    FItems[static_cast<size_t>(i)].O = o;
}

void TStringList::Insert(int i, const String& s)
{
    if (i < 0 || i > Count())
        throw EListError("List index out of bounds (" + IntToStr(i) + ")");
    FItems.insert(FItems.begin() + i, Item{s, nullptr});
    if (!Updating())
        Changed();
}

void TStringList::Delete(int i)
{
    Check(i);
    FItems.erase(FItems.begin() + i);
    if (!Updating())
        Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    if (!Updating())
        Changed();
}

void TStringList::Changed() { Fire(OnChange, this); }

// ---------------------------------------------------------------- streams

const TClassInfo& TStream::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStream>("TStream", &TObject::StaticClass()).Build();
    return info;
}

int64_t TStream::Size()
{
    int64_t pos = Seek(0, 1);
    int64_t size = Seek(0, 2);
    Seek(pos, 0);
    return size;
}

void TStream::ReadBuffer(void* buf, int64_t count)
{
    if (count != 0 && Read(buf, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buf, int64_t count)
{
    if (count != 0 && Write(buf, count) != count)
        throw EStreamError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    char buf[8192];
    int64_t left = count;
    while (left > 0) {
        int64_t n = left < static_cast<int64_t>(sizeof buf) ? left : static_cast<int64_t>(sizeof buf);
        source.ReadBuffer(buf, n);
        WriteBuffer(buf, n);
        left -= n;
    }
    return count;
}

const TClassInfo& TMemoryStream::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMemoryStream>("TMemoryStream", &TStream::StaticClass()).Build();
    return info;
}

int64_t TMemoryStream::Read(void* buf, int64_t count)
{
    if (count <= 0 || FPos >= static_cast<int64_t>(FData.size()))
        return 0;
    int64_t n = std::min<int64_t>(count, static_cast<int64_t>(FData.size()) - FPos);
    std::memcpy(buf, FData.data() + FPos, static_cast<size_t>(n));
    FPos += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buf, int64_t count)
{
    if (count <= 0)
        return 0;
    if (FPos + count > static_cast<int64_t>(FData.size()))
        FData.resize(static_cast<size_t>(FPos + count));
    std::memcpy(FData.data() + FPos, buf, static_cast<size_t>(count));
    FPos += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, int origin)
{
    int64_t base = origin == 0 ? 0 : origin == 1 ? FPos : static_cast<int64_t>(FData.size());
    int64_t p = base + offset;
    if (p < 0)
        p = 0;
    FPos = p;
    return FPos;
}

void TMemoryStream::SetSize(int64_t size)
{
    FData.resize(static_cast<size_t>(size < 0 ? 0 : size));
    if (FPos > size)
        FPos = size;
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPos = 0;
}

void TMemoryStream::LoadFromBytes(const void* data, size_t size)
{
    const auto* p = static_cast<const uint8_t*>(data);
    FData.assign(p, p + size);
    FPos = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName)
{
    FILE* f = std::fopen(fileName.c_str(), "rb");
    if (!f)
        throw EFOpenError("Cannot open file \"" + fileName + "\"");
    std::vector<uint8_t> data;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        data.insert(data.end(), buf, buf + n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        throw EReadError("Cannot read file \"" + fileName + "\"");
    FData = std::move(data);
    FPos = 0;
}

void TMemoryStream::SaveToFile(const String& fileName)
{
    FILE* f = std::fopen(fileName.c_str(), "wb");
    if (!f)
        throw EFOpenError("Cannot create file \"" + fileName + "\"");
    size_t n = FData.empty() ? 0 : std::fwrite(FData.data(), 1, FData.size(), f);
    bool failed = std::fclose(f) != 0 || n != FData.size();
    if (failed)
        throw EStreamError("Cannot write file \"" + fileName + "\"");
}

// ---------------------------------------------------------------- collections

const TClassInfo& TCollectionItem::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCollectionItem>("TCollectionItem", &TPersistent::StaticClass()).Build();
    return info;
}

TCollectionItem::TCollectionItem(TCollection* collection) : FCollection(collection)
{
    if (FCollection) {
        FCollection->FItems.push_back(this);
        FCollection->Changed(nullptr);
    }
}

TCollectionItem::~TCollectionItem()
{
    if (FCollection) {
        auto& v = FCollection->FItems;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        FCollection->Changed(nullptr);
    }
}

int TCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    auto& v = FCollection->FItems;
    return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TCollectionItem::Changed()
{
    if (FCollection)
        FCollection->Changed(this);
}

const TClassInfo& TCollection::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCollection>("TCollection", &TPersistent::StaticClass()).Build();
    return info;
}

TCollection::~TCollection()
{
    ++FUpdateCount;  // no change events while going away
    Clear();
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    while (!FItems.empty())
        delete FItems.back();
    EndUpdate();
}

void TCollection::Delete(int i)
{
    delete FItems.at(static_cast<size_t>(i));
}

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::Changed(TCollectionItem* item)
{
    if (FUpdateCount == 0)
        Update(item);
}
