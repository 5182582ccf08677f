#include "menudrawhandlers.h"

const TClassInfo& TMenuDrawHandlers::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMenuDrawHandlers>("TMenuDrawHandlers", &TComponent::StaticClass()).Build();
    return info;
}

TMenuDrawHandlers::~TMenuDrawHandlers() { GiveBackAll(); }

void TMenuDrawHandlers::BeforeDestruction()
{
    GiveBackAll();
    TComponent::BeforeDestruction();
}

void TMenuDrawHandlers::Watch(TComponent* c) { c->FreeNotification(this); }

void TMenuDrawHandlers::TakeMenu(TMenu* menu, bool ownerDraw)
{
    if (!menu)
        return;
    if (FMenus.emplace(menu, menu->OwnerDraw()).second)
        Watch(menu);
    menu->SetOwnerDraw(ownerDraw);
}

void TMenuDrawHandlers::TakeItem(TMenuItem* item, const TMenuDrawItemEvent& draw, const TMenuMeasureItemEvent& measure)
{
    if (!item)
        return;
    auto found = FItems.find(item);
    if (found == FItems.end()) {
        TSaved saved;
        saved.OwnDraw = item->OnDrawItem;
        saved.OwnMeasure = item->OnMeasureItem;
        found = FItems.emplace(item, saved).first;
        Watch(item);
    }
    item->OnDrawItem = draw;
    found->second.OurDraw = draw;
    if (measure) {
        item->OnMeasureItem = measure;
        found->second.OurMeasure = measure;
    }
}

void TMenuDrawHandlers::GiveBackItem(TMenuItem* item)
{
    auto found = FItems.find(item);
    if (found == FItems.end())
        return;
    const TSaved saved = found->second;
    FItems.erase(found);
    RemoveFreeNotification(item);
    // A handler the application set meanwhile stays.
    if (saved.OurDraw && item->OnDrawItem == saved.OurDraw)
        item->OnDrawItem = saved.OwnDraw;
    if (saved.OurMeasure && item->OnMeasureItem == saved.OurMeasure)
        item->OnMeasureItem = saved.OwnMeasure;
}

void TMenuDrawHandlers::GiveBackMenu(TMenu* menu)
{
    auto found = FMenus.find(menu);
    if (found == FMenus.end())
        return;
    const bool ownerDraw = found->second;
    FMenus.erase(found);
    RemoveFreeNotification(menu);
    menu->SetOwnerDraw(ownerDraw);
}

void TMenuDrawHandlers::GiveBackAllOf(TMenu* menu)
{
    std::vector<TMenuItem*> todo{menu->Items()};
    while (!todo.empty()) {
        TMenuItem* item = todo.back();
        todo.pop_back();
        GiveBackItem(item);
        for (int i = 0; i < item->Count(); ++i)
            todo.push_back(item->Items(i));
    }
    GiveBackMenu(menu);
}

void TMenuDrawHandlers::GiveBackAll()
{
    while (!FItems.empty())
        GiveBackItem(FItems.begin()->first);
    while (!FMenus.empty())
        GiveBackMenu(FMenus.begin()->first);
}

void TMenuDrawHandlers::Notification(TComponent* c, TOperation op)
{
    if (op == opRemove) {
        if (auto* item = As<TMenuItem>(c))
            FItems.erase(item);
        if (auto* menu = As<TMenu>(c))
            FMenus.erase(menu);
    }
    TComponent::Notification(c, op);
}
