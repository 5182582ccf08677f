// The skinned media-player panel: its buttons drawn from the skin, the presses handed on.
#include "mediaplayerpanel.h"

#include "bitmapview.h"
#include "controldraw.h"
#include "skincontrol.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinmediaplayer.h"

namespace {

// The player's set property as its flags.
TMPButtonSet ReadSet(TControl* player, std::string_view name)
{
    String text;
    TSkinControl::GetEnumPropText(player, name, text);
    return MPButtonsFromSetText(text);
}

}  // namespace

const TClassInfo& TWMediaPlayer::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TWMediaPlayer>("TWMediaPlayer", &TCustomControl::StaticClass()).Build();
    return info;
}

TWMediaPlayer::TWMediaPlayer(TComponent* AOwner) : TCustomControl(AOwner)
{
    // The panel covers all of itself: nothing is erased before it paints.
    FControlStyle.Include(csOpaque);
    LoadButtonBitmaps();
}

TWMediaPlayer::~TWMediaPlayer() = default;

void TWMediaPlayer::LoadButtonBitmaps()
{
    for (int b = 0; b < MPButtonCount; ++b)
        for (int k = 0; k < 3; ++k) {
            auto bitmap = std::make_unique<TBitmap>();
            const String name = String(MPGlyphKindNames[static_cast<size_t>(k)]) + "_" +
                                MPGlyphResources[static_cast<size_t>(b)];
            // Read from the module's resource as it is, with no bitmap of the display made for it.
            try {
                bitmap->LoadFromResourceName(ModuleInstance(), name);
            } catch (const EInvalidGraphic&) {
                // An absent glyph draws nothing.
            }
            FButtons[static_cast<size_t>(b)].Glyphs[static_cast<size_t>(k)] = std::move(bitmap);
        }
}

TBitmap* TWMediaPlayer::Glyph(int Index, int Kind) const
{
    if (Index < 0 || Index >= MPButtonCount || Kind < 0 || Kind > 2)
        return nullptr;
    return FButtons[static_cast<size_t>(Index)].Glyphs[static_cast<size_t>(Kind)].get();
}

// ---------------------------------------------------------------- the player

void TWMediaPlayer::AttachPlayer(TSkinMP* Skin, TControl* Control)
{
    FMediaPlayer = Control;
    FSkinData = Skin ? Skin->SkinData() : nullptr;
    if (FSkinData)
        SetTag(FSkinData->DisableTag());
    PlaceOverPlayer(Control);
    if (Control)
        SetParent(Control->Parent());
}

void TWMediaPlayer::PlaceOverPlayer(TControl* Control)
{
    if (Control)
        SetBounds(Control->Left(), Control->Top(), Control->Width(), Control->Height());
}

// ---------------------------------------------------------------- painting

void TWMediaPlayer::ReadButtons()
{
    FVisible = ReadSet(FMediaPlayer, "VisibleButtons");
    const TMPButtonSet enabled = ReadSet(FMediaPlayer, "EnabledButtons");
    const TMPButtonSet colored = ReadSet(FMediaPlayer, "ColoredButtons");
    for (int i = 0; i < MPButtonCount; ++i) {
        TButtonState& b = FButtons[static_cast<size_t>(i)];
        b.Enabled = MPHas(enabled, i);
        b.Colored = MPHas(colored, i);
    }
}

void TWMediaPlayer::Paint()
{
    ReadButtons();
    const TRect all(0, 0, Width(), Height());
    const TColor face = FSkinData ? FSkinData->FColors[scButtonFace] : clBtnFace;
    TCanvas* target = Canvas();
    if (FVisible == 0) {
        FillSolidRect(target->Handle(), all, face);
        return;
    }
    FButtonWidth = MPButtonWidth(Width(), FVisible);

    TBitmap picture(all.Width(), all.Height());
    TCanvas* canvas = picture.Canvas();
    canvas->Brush()->SetColor(face);
    canvas->FillRect(all);
    for (const TMPCell& cell : MPCells(Width(), Height(), FVisible))
        DrawPlayerButton(canvas, cell.Index, ToRect(cell.Rect));
    BitBlt(target->Handle(), 0, 0, all.Width(), all.Height(), canvas->Handle(), 0, 0, SRCCOPY);
}

void TWMediaPlayer::DrawPlayerButton(TCanvas* Canvas, int Index, const TRect& Cell)
{
    if (!Canvas || Index < 0 || Index >= MPButtonCount)
        return;
    const TButtonState& b = FButtons[static_cast<size_t>(Index)];
    const TMPGlyphKind kind = MPGlyphKind(b.Enabled, b.Colored);
    const int state = MPFrameState(FMouseDown, Index == FPressedIndex, kind);
    if (TDataSkinObject* buttons = FSkinData ? FSkinData->FButtons.get() : nullptr)
        DrawSkinBitmapSliced(Canvas->Handle(), Cell, &buttons->Bitmap, buttons->Margins(), state, buttons->Frame,
                             buttons->Trans == 1, buttons->Tile == 1, false);
    TBitmap* glyph = b.Glyphs[static_cast<size_t>(kind)].get();
    if (!glyph || glyph->Empty())
        return;
    const TMPGlyphPos at = MPGlyphPosition(ToPixRect(Cell), glyph->Width(),
                                           glyph->Height(), state);
    Canvas->BrushCopy(Bounds(at.X, at.Y, glyph->Width(), glyph->Height()), glyph,
                      Rect(0, 0, glyph->Width(), glyph->Height()), clOlive);
}

// ---------------------------------------------------------------- the mouse

void TWMediaPlayer::ButtonAt(int X)
{
    FHitIndex = MPButtonAt(X, FButtonWidth, FVisible);
}

void TWMediaPlayer::Dispatch(TMessage& m)
{
    // A press handed to the player runs its handlers inside: the skin that owns the panel waits.
    TSkinControl::TMessageCall call(As<TSkinControl>(Owner()));
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        WMLButtonDown(m, call);
        return;
    case WM_LBUTTONUP:
        WMLButtonUp(m, call);
        return;
    case WM_CAPTURECHANGED:
        // Somebody else took the mouse: the press is over, and the player gets no release.
        if (FMouseDown && !FForwarding && reinterpret_cast<HWND>(m.LParam) != WindowHandle())
            EndPress();
        TCustomControl::Dispatch(m);
        return;
    default:
        TCustomControl::Dispatch(m);
    }
}

void TWMediaPlayer::WMLButtonDown(TMessage& m, const TSkinControl::TMessageCall& call)
{
    FMouseDown = true;
    TCustomControl::Dispatch(m);
    if (FMediaPlayer) {
        FForwarding = true;
        try {
            FMediaPlayer->Perform(m.Msg, m.WParam, m.LParam);
        } catch (...) {
            if (!call.SkinGone())
                FForwarding = false;
            throw;
        }
        // The player's handlers may have freed it, and with it its skin and this panel.
        if (call.SkinGone())
            return;
        FForwarding = false;
    }
    // The player took the capture for itself; the release is to come back here.
    if (HandleAllocated() && FMouseDown)
        SetCapture(WindowHandle());
    ButtonAt(LOWORD(m.LParam));
    FPressedIndex = FHitIndex;
    Invalidate();
}

void TWMediaPlayer::WMLButtonUp(TMessage& m, const TSkinControl::TMessageCall& call)
{
    const bool wasDown = FMouseDown;
    FMouseDown = false;
    TCustomControl::Dispatch(m);
    if (GetCapture() == WindowHandle())
        ReleaseCapture();
    ButtonAt(LOWORD(m.LParam));
    if (wasDown && FHitIndex == FPressedIndex && FMediaPlayer)
        FMediaPlayer->Perform(m.Msg, m.WParam, m.LParam);
    if (call.SkinGone())
        return;
    FPressedIndex = FHitIndex;
    Invalidate();
}

void TWMediaPlayer::EndPress()
{
    FMouseDown = false;
    FPressedIndex = MPNoButton;
    Invalidate();
}
