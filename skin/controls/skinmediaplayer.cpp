// The media-player skin: a skinned button panel over the player.
#include "skinmediaplayer.h"

#include "mediaplayerpanel.h"

const TClassInfo& TSkinMP::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinMP>("TSkinMP", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinMP::TSkinMP(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinMP::~TSkinMP() { FreePlayer(); }

void TSkinMP::BeforeDestruction()
{
    // First: once this component starts going, the panel no longer tells it when it goes.
    FreePlayer();
    TSkinControl::BeforeDestruction();
}

void TSkinMP::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    if (Attached())
        return;
    TSkinControl::InitControl(Form, Data, Canvas, SetColor);
    if (!Attached() || !FControl)
        return;
    // Owned by this skin, so it goes with it; its parent may free it first, and tells us.
    SetReference(FPlayer, new TWMediaPlayer(this));
    FPlayer->AttachPlayer(this, FControl);
    ShowPlayer();
}

void TSkinMP::Unskin()
{
    TSkinControl::Unskin();
    if (FState != stDestroyed)
        FreePlayer();
}

void TSkinMP::AfterProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED:
        if (FPlayer)
            FPlayer->PlaceOverPlayer(FControl);
        break;
    case CM_VISIBLECHANGED:
        ShowPlayer();
        break;
    default:
        TSkinControl::AfterProc(Message);
        break;
    }
}

void TSkinMP::ShowPlayer()
{
    if (!FPlayer || !FControl)
        return;
    FPlayer->SetVisible(FControl->Visible());
    // A child window made later lies below its older siblings; the panel must lie above.
    FPlayer->BringToFront();
}

void TSkinMP::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    ReferenceGone(FPlayer, c, op);
}

void TSkinMP::FreePlayer()
{
    if (TWMediaPlayer* player = FPlayer) {
        FPlayer = nullptr;
        player->Free();
    }
}
