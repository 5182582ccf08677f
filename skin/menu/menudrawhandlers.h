#pragma once
// The handlers a skinned window gave the items of an application's menus so the skin draws
// them, with what the items and menus had before: turning the skin's drawing off (or the
// window going) gives each item its own OnDrawItem and OnMeasureItem back, and each menu its
// OwnerDraw. Items and menus freed meanwhile are forgotten.
#include <map>

#include "menus.h"

class TMenuDrawHandlers : public TComponent {
    TK_CLASS(TMenuDrawHandlers, TComponent)
public:
    explicit TMenuDrawHandlers(TComponent* owner) : TComponent(owner) {}
    ~TMenuDrawHandlers() override;
    void BeforeDestruction() override;

    // Sets the menu's OwnerDraw, remembering the value it had the first time.
    void TakeMenu(TMenu* menu, bool ownerDraw);
    // The item draws with `draw` and, unless `measure` is empty, measures with it; what it had
    // the first time is remembered.
    void TakeItem(TMenuItem* item, const TMenuDrawItemEvent& draw, const TMenuMeasureItemEvent& measure);
    // The handlers it had before, for those the item still has from us.
    void GiveBackItem(TMenuItem* item);
    void GiveBackMenu(TMenu* menu);
    // The menu and every item in it, at every depth.
    void GiveBackAllOf(TMenu* menu);
    // Everything still taken, given back.
    void GiveBackAll();
    bool Holds(const TMenuItem* item) const { return FItems.count(const_cast<TMenuItem*>(item)) != 0; }

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    struct TSaved {
        TMenuDrawItemEvent OwnDraw, OurDraw;
        TMenuMeasureItemEvent OwnMeasure, OurMeasure;
    };
    void Watch(TComponent* c);

    std::map<TMenuItem*, TSaved> FItems;
    std::map<TMenu*, bool> FMenus;
};
