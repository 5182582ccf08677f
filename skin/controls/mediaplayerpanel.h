#pragma once
// The panel the media-player skin lays exactly over a media player: it draws the player's
// visible buttons from the skin's button strip with the module's media-player glyphs
// (EN_MPPLAY .. CL_MPEJECT, olive as background), and hands the presses on to the player
// underneath, which performs its own button actions. Carrying the skin data's DisableTag, the
// panel is never skinned itself.
//
// A press forwarded to the player takes the capture back, so the release reaches the panel
// wherever it happens: a release outside the panel (or the capture going elsewhere) ends the
// press without a release for the player.
#include <array>
#include <memory>

#include "controls.h"
#include "mediaplayerlayout.h"
#include "skincontrol.h"

class TSkinData;
class TSkinMP;

class TWMediaPlayer : public TCustomControl {
    TK_CLASS(TWMediaPlayer, TCustomControl)
public:
    explicit TWMediaPlayer(TComponent* AOwner);
    ~TWMediaPlayer() override;

    // The player to cover, and the skin whose data draws the panel.
    void AttachPlayer(TSkinMP* Skin, TControl* Control);
    // The player's bounds.
    void PlaceOverPlayer(TControl* Control);
    // The visible button under X (MPNoButton for none) into FHitIndex.
    void ButtonAt(int X);
    void DrawPlayerButton(TCanvas* Canvas, int Index, const TRect& Cell);

    TControl* MediaPlayer() const { return FMediaPlayer; }
    bool IsMouseDown() const { return FMouseDown; }
    int PressedIndex() const { return FPressedIndex; }
    int HitIndex() const { return FHitIndex; }
    int ButtonWidth() const { return FButtonWidth; }
    int VisibleCount() const { return MPButtonCountIn(FVisible); }
    // The glyph of a button (kind: 0 "EN", 1 "DI", 2 "CL"); empty when its resource is missing.
    TBitmap* Glyph(int Index, int Kind) const;

protected:
    void Dispatch(TMessage& m) override;
    void Paint() override;

private:
    struct TButtonState {
        bool Enabled = false, Colored = false;
        std::array<std::unique_ptr<TBitmap>, 3> Glyphs;  // EN, DI, CL
    };

    void LoadButtonBitmaps();
    // The button flags and the visible set read again from the player's sets.
    void ReadButtons();
    void WMLButtonDown(TMessage& m, const TSkinControl::TMessageCall& call);
    void WMLButtonUp(TMessage& m, const TSkinControl::TMessageCall& call);
    void EndPress();

    std::array<TButtonState, MPButtonCount> FButtons;
    TMPButtonSet FVisible = 0;  // as of the last paint
    TSkinData* FSkinData = nullptr;
    bool FMouseDown = false;
    int FPressedIndex = MPNoButton;
    int FHitIndex = MPNoButton;
    int FButtonWidth = 0;
    TControl* FMediaPlayer = nullptr;
    bool FForwarding = false;  // the press is being handed to the player
};
