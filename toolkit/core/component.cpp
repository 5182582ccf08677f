#include "component.h"

#include <algorithm>

#include "formfile.h"

const TClassInfo& TPersistent::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent", &TObject::StaticClass()).Build();
    return info;
}

void TPersistent::Assign(TPersistent* source)
{
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError(String("Cannot assign a nil to a ") + ClassName());
}

void TPersistent::AssignTo(TPersistent* dest)
{
    throw EConvertError(String("Cannot assign a ") + ClassName() + " to a " + dest->ClassName());
}

bool TPersistent::ReadDefinedProperty(const String&, const TFormValue&) { return false; }

const TClassInfo& TComponent::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TComponent>("TComponent", &TPersistent::StaticClass())
                                       .Prop("Name", &TComponent::Name, &TComponent::SetName)
                                       .Prop("Tag", &TComponent::Tag, &TComponent::SetTag)
                                       .Build();
    return info;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    // Freed through delete without Free: still tell everybody and free what we own.
    if (!FTornDown)
        TComponent::BeforeDestruction();
}

void TComponent::BeforeDestruction()
{
    if (FTornDown)
        return;
    FTornDown = true;
    MarkDestroying();
    RemoveFixupReferences(this);
    // Tell everybody who asked, then leave the owner; owned components go last.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& back = c->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        c->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::MarkDestroying()
{
    if (Destroying())
        return;
    FComponentState.Include(TComponentStateItem::csDestroying);
    for (TComponent* c : FComponents)
        c->MarkDestroying();
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name))
            return c;
    return nullptr;
}

int TComponent::ComponentIndex() const
{
    if (!FOwner)
        return -1;
    auto& v = FOwner->FComponents;
    return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

namespace {
bool IsIdent(const String& s)
{
    if (s.empty())
        return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(s[0]))
        return false;
    for (char c : s)
        if (!alpha(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}
}  // namespace

void TComponent::SetName(const String& name)
{
    if (name == FName)
        return;
    if (!name.empty() && !IsIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (FOwner && !name.empty()) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this)
            throw EComponentError("A component named " + name + " already exists");
    }
    FName = name;
}

void TComponent::InsertComponent(TComponent* c)
{
    if (c->FOwner)
        c->FOwner->RemoveComponent(c);
    Insert(c);
    Notification(c, opInsert);
}

void TComponent::RemoveComponent(TComponent* c)
{
    Notification(c, opRemove);
    Remove(c);
}

void TComponent::Insert(TComponent* c)
{
    FComponents.push_back(c);
    c->FOwner = this;
}

void TComponent::Remove(TComponent* c)
{
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), c), FComponents.end());
    c->FOwner = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        Remove(c);
        c->Free();
    }
}

void TComponent::FreeNotification(TComponent* c)
{
    if (!c || c == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), c) == FFreeNotifies.end())
        FFreeNotifies.push_back(c);
    if (std::find(c->FFreeNotifies.begin(), c->FFreeNotifies.end(), this) == c->FFreeNotifies.end())
        c->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* c)
{
    if (!c)
        return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), c), FFreeNotifies.end());
    c->FFreeNotifies.erase(std::remove(c->FFreeNotifies.begin(), c->FFreeNotifies.end(), this),
                           c->FFreeNotifies.end());
}

void TComponent::Notification(TComponent* c, TOperation op)
{
    if (op == opRemove && c)
        RemoveFreeNotification(c);
    // Siblings hear of each other through the owner. A copy: a handler may free components.
    std::vector<TComponent*> owned = FComponents;
    for (TComponent* o : owned)
        if (o != c && std::find(FComponents.begin(), FComponents.end(), o) != FComponents.end())
            o->Notification(c, op);
}

void TComponent::Loaded() { FComponentState.Exclude(TComponentStateItem::csLoading); }

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::SetLoadingState(bool on)
{
    if (on) {
        FComponentState.Include(TComponentStateItem::csLoading);
        FComponentState.Include(TComponentStateItem::csReading);
    } else {
        FComponentState.Exclude(TComponentStateItem::csReading);
    }
}

void TComponent::EndLoading()
{
    FComponentState.Exclude(TComponentStateItem::csReading);
    FComponentState.Exclude(TComponentStateItem::csLoading);
}

void TComponent::SetDesigning(bool on)
{
    if (on)
        FComponentState.Include(TComponentStateItem::csDesigning);
    else
        FComponentState.Exclude(TComponentStateItem::csDesigning);
}
