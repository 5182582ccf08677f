#pragma once
// Cutting one state out of a multi-state skin picture and laying it out over a target: the plans
// of nine-slice, three-slice and stretched three-part pictures, and a software renderer that
// carries a plan out on pixel views. A skin's numbers are untrusted: a state count below 1
// counts as 1, states are clamped to the strip, margins to the state, and no plan reads outside
// its source or loops without end.
#include <array>
#include <cstdint>
#include <vector>

#include "pixelview.h"

// Widths of the fixed left and right edges and heights of the fixed top and bottom edges.
struct TMargins {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr bool operator==(const TMargins&) const = default;
};

// State `state` (from 1) of `count` equal states side by side, or stacked when `vertical`;
// leftover pixels at the right or bottom belong to no state.
TPixRect StateRect(int width, int height, int state, int count, bool vertical);
// Margins made non-negative and fitted into a state: Left + Right <= width, Top + Bottom <= height.
TMargins ClampMargins(const TMargins& m, int width, int height);

enum class TPieceMode : uint8_t {
    Stretch,  // the source scaled to the target
    Tile,     // the source repeated unscaled from the target's top-left, the last row and column
              // running past the target's right and bottom
    RepeatX,  // the source repeated at its width from the target's left, each copy scaled to
              // the target's height, the last one running past the target's right
};

// One copy of a part of the state: Src in the source picture, Dst relative to the target's
// top-left corner.
struct TSlicePiece {
    TPixRect Src;
    TPixRect Dst;
    TPieceMode Mode = TPieceMode::Stretch;
};

// The pieces of one picture in drawing order; later pieces cover what earlier ones overran.
class TSlicePlan {
public:
    static constexpr int MaxPieces = 9;
    // Pieces with an empty source or target draw nothing and are left out.
    void Add(const TPixRect& src, const TPixRect& dst, TPieceMode mode = TPieceMode::Stretch);
    int Count() const { return FCount; }
    const TSlicePiece& operator[](int i) const { return FPieces[static_cast<size_t>(i)]; }
    const TSlicePiece* begin() const { return FPieces.data(); }
    const TSlicePiece* end() const { return FPieces.data() + FCount; }

private:
    std::array<TSlicePiece, MaxPieces> FPieces{};
    int FCount = 0;
};

// Nine-slice into a width x height target: corners unscaled, edges stretched along, the middle
// stretched or tiled. A target narrower than Left + Right drops both side margins, one lower
// than Top + Bottom both top and bottom margins.
TSlicePlan PlanNineSlice(int width, int height, const TPixRect& state, const TMargins& margins, bool tile);
// Horizontal three-slice at the target's full height: left edge, the middle repeated at its
// width, right edge. A state with no middle has the whole state stretched between the edges.
TSlicePlan PlanThreeSlice(int width, int height, const TPixRect& state, const TMargins& margins);
// Three-part stretch at full height: a target narrower than the state gets the whole state;
// otherwise left edge, stretched middle, right edge.
TSlicePlan PlanStretchPart(int width, int height, const TPixRect& state, const TMargins& margins);

// Calls copy(dst, src) for every single copy a piece stands for (one for a stretch, one per
// repetition otherwise), dst relative to the target's top-left.
template <class F>
void ForEachCopy(const TSlicePiece& piece, F&& copy)
{
    const TPixRect& s = piece.Src;
    const TPixRect& d = piece.Dst;
    if (s.Empty() || d.Empty())
        return;
    switch (piece.Mode) {
    case TPieceMode::Stretch:
        copy(d, s);
        break;
    case TPieceMode::Tile:
        for (int y = d.Top; y < d.Bottom; y += s.Height())
            for (int x = d.Left; x < d.Right; x += s.Width())
                copy(PixBounds(x, y, s.Width(), s.Height()), s);
        break;
    case TPieceMode::RepeatX:
        for (int x = d.Left; x < d.Right; x += s.Width())
            copy(PixRect(x, d.Top, x + s.Width(), d.Bottom), s);
        break;
    }
}

// Nearest-pixel scaling of src's part into dst's rectangle (as a colour-on-colour stretch
// does), clipped to dst; a source part outside src is cut to it.
void StretchPixels(const TPixelView& dst, const TPixRect& dstRect, const TPixelView& src, const TPixRect& srcRect);
// src's part repeated unscaled from dstRect's top-left over dstRect, the last copies whole.
void TilePixels(const TPixelView& dst, const TPixRect& dstRect, const TPixelView& src, const TPixRect& srcRect);
// Carries a plan out with the target's top-left at (x, y) of dst.
void RenderPlan(const TPixelView& dst, int x, int y, const TPixelView& src, const TSlicePlan& plan);
// Copies all of src to (x, y) of dst, leaving dst as it is under pixels of colour `key`.
void KeyedCopy(const TPixelView& dst, int x, int y, const TPixelView& src, uint32_t key = KeyColor);
