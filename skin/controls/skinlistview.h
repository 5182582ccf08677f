#pragma once
// The list-view skin: the scroll-bar skin of a list view, with its column header skinned too.
#include "skinscrollbar.h"

class TSkinHeader;

class TSkinListView : public TSkinScrollbar {
    TK_CLASS(TSkinListView, TSkinScrollbar)
public:
    explicit TSkinListView(TComponent* AOwner);
    ~TSkinListView() override;

    void InitScrollbars(TWinControl* Control, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas) override;
    // The header's skin (owned by this skin's owner), or null.
    TSkinHeader* HeaderSkin() const { return FHeaderSkin; }

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    TSkinHeader* FHeaderSkin = nullptr;
};
