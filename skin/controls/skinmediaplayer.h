#pragma once
// The media-player skin: the player is not repainted in place; a panel of the skin's own
// (TWMediaPlayer, mediaplayerpanel.h) lies exactly over it, follows its bounds and visibility,
// draws the visible buttons from the skin and hands the presses on to the player.
//
// The panel belongs to the skin: unskinning (unless the player's window is already gone) or
// freeing the skin frees it, so a player freed at run time leaves no panel behind. A skin
// switched on again afterwards has no panel, and the player shows its own buttons.
#include "skincontrol.h"

class TWMediaPlayer;

class TSkinMP : public TSkinControl {
    TK_CLASS(TSkinMP, TSkinControl)
public:
    explicit TSkinMP(TComponent* AOwner);
    ~TSkinMP() override;
    void BeforeDestruction() override;

    void InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor) override;
    void Unskin() override;
    void AfterProc(TMessage& Message) override;

    TWMediaPlayer* Player() const { return FPlayer; }

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    // The panel shown as the player is, above it.
    void ShowPlayer();
    void FreePlayer();

    TWMediaPlayer* FPlayer = nullptr;
};
