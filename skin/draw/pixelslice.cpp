// State cutting, slice plans and the software renderer.
#include "pixelslice.h"

#include <algorithm>
#include <cstring>

TPixRect StateRect(int width, int height, int state, int count, bool vertical)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    count = std::max(count, 1);  // a skin's Frame of 0 or less would divide by zero
    state = std::clamp(state, 1, count);
    if (vertical) {
        const int h = height / count;
        return PixBounds(0, (state - 1) * h, width, h);
    }
    const int w = width / count;
    return PixBounds((state - 1) * w, 0, w, height);
}

TMargins ClampMargins(const TMargins& m, int width, int height)
{
    TMargins r;
    r.Left = std::clamp(m.Left, 0, std::max(width, 0));
    r.Right = std::clamp(m.Right, 0, std::max(width, 0) - r.Left);
    r.Top = std::clamp(m.Top, 0, std::max(height, 0));
    r.Bottom = std::clamp(m.Bottom, 0, std::max(height, 0) - r.Top);
    return r;
}

void TSlicePlan::Add(const TPixRect& src, const TPixRect& dst, TPieceMode mode)
{
    if (src.Empty() || dst.Empty() || FCount == MaxPieces)
        return;
    FPieces[static_cast<size_t>(FCount++)] = {src, dst, mode};
}

namespace {

// A rectangle given relative to the state, moved to where the state lies in the picture.
struct TStateParts {
    TPixRect State;
    TPixRect operator()(int l, int t, int r, int b) const
    {
        return PixRect(State.Left + l, State.Top + t, State.Left + r, State.Top + b);
    }
};

}  // namespace

TSlicePlan PlanNineSlice(int width, int height, const TPixRect& state, const TMargins& margins, bool tile)
{
    TSlicePlan plan;
    const int W = width, H = height, fw = state.Width(), fh = state.Height();
    if (W <= 0 || H <= 0 || fw <= 0 || fh <= 0)
        return plan;
    TMargins m = ClampMargins(margins, fw, fh);
    if (W < m.Left + m.Right)
        m.Left = m.Right = 0;
    if (H < m.Top + m.Bottom)
        m.Top = m.Bottom = 0;
    const int L = m.Left, T = m.Top, R = m.Right, B = m.Bottom;
    const TStateParts src{state};
    plan.Add(src(0, 0, L, T), PixRect(0, 0, L, T));                          // top-left
    plan.Add(src(0, fh - B, L, fh), PixRect(0, H - B, L, H));                // bottom-left
    plan.Add(src(fw - R, 0, fw, T), PixRect(W - R, 0, W, T));                // top-right
    plan.Add(src(0, T, L, fh - B), PixRect(0, T, L, H - B));                 // left edge
    plan.Add(src(L, 0, fw - R, T), PixRect(L, 0, W - R, T));                 // top edge
    plan.Add(src(L, T, fw - R, fh - B), PixRect(L, T, W - R, H - B),         // middle
             tile ? TPieceMode::Tile : TPieceMode::Stretch);
    plan.Add(src(fw - R, fh - B, fw, fh), PixRect(W - R, H - B, W, H));      // bottom-right
    plan.Add(src(fw - R, T, fw, fh - B), PixRect(W - R, T, W, H - B));       // right edge
    plan.Add(src(L, fh - B, fw - R, fh), PixRect(L, H - B, W - R, H));       // bottom edge
    return plan;
}

TSlicePlan PlanThreeSlice(int width, int height, const TPixRect& state, const TMargins& margins)
{
    TSlicePlan plan;
    const int W = width, H = height, fw = state.Width(), fh = state.Height();
    if (W <= 0 || H <= 0 || fw <= 0 || fh <= 0)
        return plan;
    const TMargins m = ClampMargins({margins.Left, 0, margins.Right, 0}, fw, fh);
    const int L = m.Left, R = m.Right;
    const TStateParts src{state};
    plan.Add(src(0, 0, L, fh), PixRect(0, 0, L, H));
    if (fw - L - R > 0)
        plan.Add(src(L, 0, fw - R, fh), PixRect(L, 0, W - R, H), TPieceMode::RepeatX);
    else
        plan.Add(src(0, 0, fw, fh), PixRect(L, 0, W - R, H));  // no middle to repeat
    plan.Add(src(fw - R, 0, fw, fh), PixRect(W - R, 0, W, H));
    return plan;
}

TSlicePlan PlanStretchPart(int width, int height, const TPixRect& state, const TMargins& margins)
{
    TSlicePlan plan;
    const int W = width, H = height, fw = state.Width(), fh = state.Height();
    if (W <= 0 || H <= 0 || fw <= 0 || fh <= 0)
        return plan;
    const TStateParts src{state};
    if (W < fw) {
        plan.Add(src(0, 0, fw, fh), PixRect(0, 0, W, H));
        return plan;
    }
    const TMargins m = ClampMargins({margins.Left, 0, margins.Right, 0}, fw, fh);
    const int L = m.Left, R = m.Right;
    plan.Add(src(0, 0, L, fh), PixRect(0, 0, L, H));
    plan.Add(src(L, 0, fw - R, fh), PixRect(L, 0, W - R, H));
    plan.Add(src(fw - R, 0, fw, fh), PixRect(W - R, 0, W, H));
    return plan;
}

void StretchPixels(const TPixelView& dst, const TPixRect& dstRect, const TPixelView& src, const TPixRect& srcRect)
{
    if (dst.Empty() || src.Empty())
        return;
    const TPixRect s = Intersect(srcRect, src.Bounds());
    const TPixRect visible = Intersect(dstRect, dst.Bounds());
    if (s.Empty() || visible.Empty())
        return;
    const int64_t dw = dstRect.Width(), dh = dstRect.Height(), sw = s.Width(), sh = s.Height();
    const int count = visible.Width();
    // Source column of each visible target column.
    std::vector<int> columns(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        columns[static_cast<size_t>(i)] = s.Left + static_cast<int>((visible.Left - dstRect.Left + i) * sw / dw);
    int lastRow = -1;
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        uint32_t* out = dst.Row(y) + visible.Left;
        const int sy = s.Top + static_cast<int>((y - dstRect.Top) * sh / dh);
        if (sy == lastRow) {  // enlarging: the row above is the same
            std::memcpy(out, out - dst.Stride, static_cast<size_t>(count) * 4);
            continue;
        }
        const uint32_t* in = src.Row(sy);
        if (sw == dw)
            std::memcpy(out, in + columns[0], static_cast<size_t>(count) * 4);
        else
            for (int i = 0; i < count; ++i)
                out[i] = in[columns[static_cast<size_t>(i)]];
        lastRow = sy;
    }
}

void TilePixels(const TPixelView& dst, const TPixRect& dstRect, const TPixelView& src, const TPixRect& srcRect)
{
    if (dst.Empty() || src.Empty() || srcRect.Empty() || dstRect.Empty())
        return;
    const TPixRect s = Intersect(srcRect, src.Bounds());
    if (s != srcRect)
        return;  // a part outside the picture has nothing to repeat
    const int w = s.Width(), h = s.Height();
    // Whole copies: the covered area ends at the next multiple of the part's size.
    const int64_t across = (static_cast<int64_t>(dstRect.Width()) + w - 1) / w;
    const int64_t down = (static_cast<int64_t>(dstRect.Height()) + h - 1) / h;
    const TPixRect covered{dstRect.Left, dstRect.Top,
                           static_cast<int>(std::min<int64_t>(dstRect.Left + across * w, dst.Width)),
                           static_cast<int>(std::min<int64_t>(dstRect.Top + down * h, dst.Height))};
    const TPixRect visible = Intersect(covered, dst.Bounds());
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        const uint32_t* in = src.Row(s.Top + (y - dstRect.Top) % h) + s.Left;
        uint32_t* out = dst.Row(y);
        int x = visible.Left;
        int offset = (x - dstRect.Left) % w;
        while (x < visible.Right) {
            const int n = std::min(w - offset, visible.Right - x);
            std::memcpy(out + x, in + offset, static_cast<size_t>(n) * 4);
            x += n;
            offset = 0;
        }
    }
}

void RenderPlan(const TPixelView& dst, int x, int y, const TPixelView& src, const TSlicePlan& plan)
{
    const auto moved = [x, y](const TPixRect& r) { return PixRect(r.Left + x, r.Top + y, r.Right + x, r.Bottom + y); };
    for (const TSlicePiece& piece : plan) {
        if (piece.Mode == TPieceMode::Tile)
            TilePixels(dst, moved(piece.Dst), src, piece.Src);
        else
            ForEachCopy(piece, [&](const TPixRect& d, const TPixRect& s) { StretchPixels(dst, moved(d), src, s); });
    }
}

void KeyedCopy(const TPixelView& dst, int x, int y, const TPixelView& src, uint32_t key)
{
    if (dst.Empty() || src.Empty())
        return;
    const TPixRect visible = Intersect(PixBounds(x, y, src.Width, src.Height), dst.Bounds());
    key &= RgbMask;
    for (int row = visible.Top; row < visible.Bottom; ++row) {
        const uint32_t* in = src.Row(row - y) + (visible.Left - x);
        uint32_t* out = dst.Row(row) + visible.Left;
        for (int i = 0; i < visible.Width(); ++i)
            if ((in[i] & RgbMask) != key)
                out[i] = in[i];
    }
}
