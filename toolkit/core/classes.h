#pragma once
// Lists of strings, streams and collections.
#include <cstdint>
#include <memory>
#include <vector>

#include "component.h"

class TStrings : public TPersistent {
    TK_CLASS(TStrings, TPersistent)
public:
    virtual int Count() const = 0;
    virtual String Get(int i) const = 0;
    virtual void Put(int i, const String& s) = 0;
    virtual TObject* GetObject(int i) const = 0;
    virtual void PutObject(int i, TObject* o) = 0;
    virtual void Insert(int i, const String& s) = 0;
    virtual void Delete(int i) = 0;
    virtual void Clear() = 0;

    String operator[](int i) const { return Get(i); }
    int Add(const String& s);
    int AddObject(const String& s, TObject* o);
    int IndexOf(std::string_view s) const;  // ignoring case
    void AddStrings(const TStrings& other);
    // Lines joined with CR LF after every line; assigning splits on CR LF, LF or CR.
    String Text() const;
    void SetText(std::string_view text);
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    void Assign(TPersistent* source) override;
    bool ReadDefinedProperty(const String& name, const TFormValue& value) override;

protected:
    // Called once a change is complete (after the outermost EndUpdate).
    virtual void Changed() {}

private:
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
    TK_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    int Count() const override { return static_cast<int>(FItems.size()); }
    String Get(int i) const override;
    void Put(int i, const String& s) override;
    TObject* GetObject(int i) const override;
    void PutObject(int i, TObject* o) override;
    void Insert(int i, const String& s) override;
    void Delete(int i) override;
    void Clear() override;

    TNotifyEvent OnChange;

protected:
    void Changed() override;

private:
    void Check(int i) const;
    struct Item {
        String S;
        TObject* O = nullptr;
    };
    std::vector<Item> FItems;
};

class TStream : public TObject {
    TK_CLASS(TStream, TObject)
public:
    virtual int64_t Read(void* buf, int64_t count) = 0;
    virtual int64_t Write(const void* buf, int64_t count) = 0;
    virtual int64_t Seek(int64_t offset, int origin) = 0;  // origin 0 begin, 1 current, 2 end
    int64_t Position() { return Seek(0, 1); }
    void SetPosition(int64_t p) { Seek(p, 0); }
    int64_t Size();
    void ReadBuffer(void* buf, int64_t count);  // raises EReadError when short
    void WriteBuffer(const void* buf, int64_t count);
    int64_t CopyFrom(TStream& source, int64_t count);  // count 0 copies the whole source
};

class TMemoryStream : public TStream {
    TK_CLASS(TMemoryStream, TStream)
public:
    int64_t Read(void* buf, int64_t count) override;
    int64_t Write(const void* buf, int64_t count) override;
    int64_t Seek(int64_t offset, int origin) override;
    void SetSize(int64_t size);
    void Clear();
    const uint8_t* Memory() const { return FData.data(); }
    uint8_t* Memory() { return FData.data(); }
    const std::vector<uint8_t>& Bytes() const { return FData; }
    void LoadFromFile(const String& fileName);  // raises EFOpenError
    void SaveToFile(const String& fileName);
    void LoadFromBytes(const void* data, size_t size);

private:
    std::vector<uint8_t> FData;
    int64_t FPos = 0;
};

class TCollection;

class TCollectionItem : public TPersistent {
    TK_CLASS(TCollectionItem, TPersistent)
public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    TCollection* Collection() const { return FCollection; }
    int Index() const;

protected:
    void Changed();

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
};

// Owns its items; the item class decides what a form file's "item ... end" creates.
class TCollection : public TPersistent {
    TK_CLASS(TCollection, TPersistent)
public:
    using TItemFactory = TCollectionItem* (*)(TCollection*);
    explicit TCollection(TItemFactory factory) : FFactory(factory) {}
    ~TCollection() override;
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int i) const { return FItems.at(static_cast<size_t>(i)); }
    TCollectionItem* Add() { return FFactory(this); }
    void Clear();
    void Delete(int i);
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    TNotifyEvent OnChange;

protected:
    virtual void Update(TCollectionItem*) { Fire(OnChange, this); }

private:
    friend class TCollectionItem;
    void Changed(TCollectionItem* item);
    std::vector<TCollectionItem*> FItems;
    TItemFactory FFactory;
    int FUpdateCount = 0;
};
