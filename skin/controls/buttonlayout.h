#pragma once
// Push buttons without a window: which frame of the skin's button strip shows, which glyph cell
// of a bit button, the text colour, and where glyph, caption and drop-down arrow go. The caller
// measures the caption (DrawText with DT_CALCRECT) and does the drawing. Divisions truncate
// toward zero.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "pixelview.h"

// Frames of the button strip.
namespace ButtonState {
constexpr int Normal = 1;
constexpr int Pressed = 2;
constexpr int Disabled = 3;
constexpr int Hot = 4;
constexpr int Focused = 5;  // focused or default
}  // namespace ButtonState

// Disabled wins over everything, then pressed, then hot, then focused (or default).
int PushButtonState(bool disabled, bool pressed, bool hot, bool focusedOrDefault);
// The drop-down button has no focused frame: the focus shows as hot.
int MenuButtonState(bool disabled, bool pressed, bool hot, bool focused);
// The cell of a bit button's glyph strip: 3 pressed, 2 disabled, 1 otherwise.
int BitButtonGlyphNumber(int state);

// The caption colour for a frame. The skin's colours (normal, hot, pressed) count only where
// given; `normalInFrame1Only`: the normal colour only on the normal frame, the caption's own
// colour elsewhere. Disabled captions take `disabled`.
struct TButtonColours {
    std::array<int32_t, 3> Colour{};  // normal, hot, pressed
    std::array<bool, 3> Given{};
};
int32_t ButtonTextColor(int state, int32_t base, const TButtonColours& skin, int32_t disabled,
                        bool normalInFrame1Only = false);

// S with its first Old replaced by New; S unchanged when Old does not occur.
std::wstring WideReplaceFirst(const std::wstring& s, const std::wstring& oldText, const std::wstring& newText);

// Glyph beside caption: 0 glyph left, 1 glyph right, 2 glyph top, 3 glyph bottom.
enum class TGlyphLayout { Left = 0, Right = 1, Top = 2, Bottom = 3 };
// A button's Layout property, its value in lower case: "blglyphright", "blglyphtop",
// "blglyphbottom"; anything else is a glyph at the left.
TGlyphLayout GlyphLayoutOf(std::string_view layout);

struct TPixSize {
    int X = 0, Y = 0;
    constexpr bool operator==(const TPixSize&) const = default;
};

// The box a bit button's caption is measured in: the button less 2 on every side and less the
// glyph (and 2) along the layout axis.
TPixRect BitButtonTextBox(const TPixRect& button, TPixSize glyph, TGlyphLayout layout);

struct TBitButtonLayout {
    int GlyphX = 0, GlyphY = 0;
    TPixRect Text;          // where the caption is drawn (its measured size)
    unsigned TextFlags = 0; // DT_WORDBREAK, with DT_RIGHT or DT_CENTER as the layout wants
    int Margin = 0, Spacing = 0;
};
// Glyph and caption of a bit button of client size C. Margin and Spacing -1 mean "work it
// out"; `centred` (Alignment taCenter) works the margin out as for -1.
TBitButtonLayout LayoutBitButton(TPixSize client, TPixSize glyph, TPixSize text, int margin, int spacing,
                                 TGlyphLayout layout, bool centred);

// The drop-down button: glyph, caption and the arrow at the right, horizontally only.
constexpr int MenuArrowWidth = 8;
// The box its caption is measured in.
TPixRect MenuButtonTextBox(TPixSize client, TPixSize glyph);
struct TMenuButtonLayout {
    int GlyphX = 0, GlyphY = 0;
    TPixRect Text;
    int ArrowX = 0, ArrowY = 0;  // the arrow's centre: a triangle pointing down below it
    int Margin = 0, Spacing = 0;
};
TMenuButtonLayout LayoutMenuButton(TPixSize client, TPixSize glyph, TPixSize text, int margin, int spacing);
