#include "rangelayout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

// ---------------------------------------------------------------- track bar

TTrackDrawAnswer TrackCustomDrawAnswer(unsigned long drawStage, unsigned long itemSpec)
{
    if (drawStage == TrackDraw::PrePaint)
        return {TTrackPart::None, TrackDraw::NotifyItemDraw};
    if (drawStage == TrackDraw::ItemPrePaint) {
        if (itemSpec == TrackDraw::Thumb)
            return {TTrackPart::Thumb, TrackDraw::SkipDefault};
        if (itemSpec == TrackDraw::Channel)
            return {TTrackPart::Channel, TrackDraw::SkipDefault};
    }
    return {};
}

TPixRect UprightChannelRect(const TPixRect& channel)
{
    if (channel.Width() > channel.Height())
        return PixRect(channel.Top, channel.Left, channel.Bottom, channel.Right);
    return channel;
}

TChannelLayout HorzChannelLayout(const TPixRect& channel, int pictureWidth, int pictureHeight, int leftWidth,
                                 int rightWidth)
{
    TChannelLayout l;
    if (pictureWidth <= 0 || pictureHeight <= 0 || channel.Empty())
        return l;
    const TMargins m = ClampMargins({leftWidth, 0, rightWidth, 0}, pictureWidth, pictureHeight);
    const int yo = pictureHeight < channel.Height() ? channel.Height() / 2 : 0;
    const int w = channel.Width();
    const int h = pictureHeight;
    l.Target = PixBounds(channel.Left, channel.Top + yo, w, h);
    l.Plan.Add(PixRect(0, 0, m.Left, h), PixRect(0, 0, m.Left, h));
    l.Plan.Add(PixRect(m.Left, 0, pictureWidth - m.Right, h), PixRect(m.Left, 0, w - m.Right, h));
    l.Plan.Add(PixRect(pictureWidth - m.Right, 0, pictureWidth, h), PixRect(w - m.Right, 0, w, h));
    return l;
}

TChannelLayout VertChannelLayout(const TPixRect& channel, int pictureWidth, int pictureHeight, int topHeight,
                                 int bottomHeight)
{
    TChannelLayout l;
    if (pictureWidth <= 0 || pictureHeight <= 0 || channel.Empty())
        return l;
    const TMargins m = ClampMargins({0, topHeight, 0, bottomHeight}, pictureWidth, pictureHeight);
    const int xo = pictureWidth < channel.Width() ? (channel.Width() - pictureWidth) / 2 : 0;
    const int w = pictureWidth;
    const int h = channel.Height();
    l.Target = PixBounds(channel.Left + xo, channel.Top, w, h);
    l.Plan.Add(PixRect(0, 0, w, m.Top), PixRect(0, 0, w, m.Top));
    l.Plan.Add(PixRect(0, m.Top, w, pictureHeight - m.Bottom), PixRect(0, m.Top, w, h - m.Bottom));
    l.Plan.Add(PixRect(0, pictureHeight - m.Bottom, w, pictureHeight), PixRect(0, h - m.Bottom, w, h));
    return l;
}

// ---------------------------------------------------------------- up-down

TUpDownLayout UpDownButtons(int width, int height, bool horizontal, int cursorX, int cursorY)
{
    TUpDownLayout l;
    if (horizontal) {
        const int half = width / 2;
        l.First = {PixRect(0, 0, half, height), udLeft, cursorX < half};
        l.Second = {PixRect(half, 0, width, height), udRight, cursorX >= half};
    } else {
        const int half = height / 2;
        l.First = {PixRect(0, 0, width, half), udUp, cursorY < half};
        l.Second = {PixRect(0, half, width, height), udDown, cursorY >= half};
    }
    return l;
}

int UpDownButtonState(bool enabled, bool active, bool pressed, bool hot)
{
    if (!enabled)
        return udsDisabled;
    if (!active)
        return udsNormal;
    if (pressed)
        return udsPressed;
    return hot ? udsHot : udsNormal;
}

int UpDownFrameIndex(int state, int direction)
{
    int index = state + 4 * direction;
    if (direction == udLeft || direction == udRight)
        index -= 8;
    return index;
}

TPixRect UpDownInEditRect(const TPixRect& r, const TPixRect& upDownWindow, const TPixRect& editWindow)
{
    constexpr int inset = 3;
    TPixRect a = r;
    if (const int top = upDownWindow.Top - editWindow.Top; top < inset)
        a.Top += inset - top;
    if (const int bottom = editWindow.Bottom - upDownWindow.Bottom; bottom < inset)
        a.Bottom -= inset - bottom;
    if (const int right = editWindow.Right - upDownWindow.Right; right < inset)
        a.Right -= inset - right;
    return a;
}

// ---------------------------------------------------------------- progress bar

int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t half = c / 2;
    const bool positive = (a < 0) == (b < 0);
    const int64_t result = (positive ? product + half : product - half) / c;
    if (result > std::numeric_limits<int>::max() || result < -std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(result);
}

TPixRect ProgressBarRect(int width, int height, bool vertical)
{
    return vertical ? PixRect(0, 0, height, width) : PixRect(0, 0, width, height);
}

TPixRect ProgressFillRect(const TPixRect& bar, int pos, int lo, int hi)
{
    if (hi <= 0 || pos <= 0)
        return {};
    TPixRect f = bar;
    f.Right = std::min(bar.Left + MulDivRound(bar.Width(), pos - lo, hi - lo), bar.Right);
    return f.Left < f.Right ? f : TPixRect{};
}

int ChunkFillWidth(int barWidth, int pos, int hi)
{
    if (hi <= 0 || pos <= 0)
        return 0;
    return std::clamp(MulDivRound(barWidth, pos, hi), 0, std::max(barWidth, 0));
}

int ChunkCopies(int fillWidth, int chunkWidth)
{
    if (chunkWidth <= 0 || fillWidth <= 0)
        return 0;
    return fillWidth / chunkWidth + 1;
}
