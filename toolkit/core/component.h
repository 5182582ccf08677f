#pragma once
// Persistent objects and components: ownership, names, free notification and loading.
#include <type_traits>
#include <vector>

#include "object.h"

struct TFormValue;

class TPersistent : public TObject {
    TK_CLASS(TPersistent, TObject)
public:
    // Copies another object's state; raises EConvertError when the classes don't fit.
    virtual void Assign(TPersistent* source);
    // Properties that are stored in a form file but are not published (item lists, picture
    // data, stored skins). Returns false when the name is not one of them.
    virtual bool ReadDefinedProperty(const String& name, const TFormValue& value);

protected:
    virtual void AssignTo(TPersistent* dest);
};

enum class TComponentStateItem { csLoading, csReading, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateItem>;
enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    TK_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    void BeforeDestruction() override;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int i) const { return FComponents.at(static_cast<size_t>(i)); }
    TComponent* FindComponent(std::string_view name) const;  // ignoring case
    int ComponentIndex() const;

    const String& Name() const { return FName; }
    virtual void SetName(const String& name);
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    TComponentState ComponentState() const { return FComponentState; }
    bool Loading() const { return FComponentState.Contains(TComponentStateItem::csLoading); }
    bool Destroying() const { return FComponentState.Contains(TComponentStateItem::csDestroying); }
    bool Designing() const { return FComponentState.Contains(TComponentStateItem::csDesigning); }

    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);
    void DestroyComponents();

    // Asks to be told (Notification opRemove) when c is freed, also across owners.
    void FreeNotification(TComponent* c);
    void RemoveFreeNotification(TComponent* c);

    // Called after the form file set every property of the component.
    virtual void Loaded();
    // A nested object of a form file becomes a child of the object it is nested in.
    virtual void SetParentComponent(TComponent* parent);
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }

    // The reader marks components it is streaming; EndLoading clears the marks without
    // Loaded, for a stream that failed.
    void SetLoadingState(bool on);
    void EndLoading();

protected:
    virtual void Notification(TComponent* c, TOperation op);
    // A reference to a component elsewhere, cleared when that one goes. Points `field` at
    // `target`, asking to be told when it is freed and letting the previous one off; false
    // when it pointed there already. The field's type decides: a null or a derived target fits.
    template <class T>
    bool SetReference(T*& field, std::type_identity_t<T>* target)
    {
        if (field == target)
            return false;
        if (field)
            field->RemoveFreeNotification(this);
        field = target;
        if (target)
            target->FreeNotification(this);
        return true;
    }
    // For Notification: clears `field` when the component it points at is going; true then.
    template <class T>
    static bool ReferenceGone(T*& field, TComponent* c, TOperation op)
    {
        if (op != opRemove || !c || c != field)
            return false;
        field = nullptr;
        return true;
    }
    void SetDesigning(bool on);

private:
    void Remove(TComponent* c);
    void Insert(TComponent* c);
    void MarkDestroying();

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    String FName;
    int FTag = 0;
    TComponentState FComponentState;
    bool FTornDown = false;
};
