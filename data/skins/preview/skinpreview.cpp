// skinpreview: draws a window and the controls of the program from a skin file into a BMP, the
// way the skin engine cuts, slices and keys the pictures, so a skin can be looked at as a person
// sees it.  usage: skinpreview SKIN OUT.bmp
#include <cstdio>
#include <memory>

#include "skindraw.h"
#include "skinschema.h"

namespace {

constexpr TColor Desktop = 0x806040;

TColor SkinColour(const TSkinObjects& s, int index) { return static_cast<TColor>(ColorToRGB(s.FColors[index])); }

void Text(TCanvas& c, const TRect& r, const String& text, TColor colour, UINT format = DT_CENTER)
{
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(colour);
    RECT box = r;
    DrawTextA(c.Handle(), text.c_str(), -1, &box, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    c.Brush()->SetStyle(bsSolid);
}

void Fill(TCanvas& c, const TRect& r, TColor colour)
{
    c.Brush()->SetColor(colour);
    c.FillRect(r);
}

void Part(TCanvas& c, const TRect& r, const TDataSkinObject* o, int state, bool stacked = false)
{
    if (o)
        DrawSkinBitmapSliced(c.Handle(), r, const_cast<TBitmap*>(&o->Bitmap), o->Margins(), state, o->Frame,
                             o->Trans == 1, o->Tile == 1, stacked);
}

void State(TCanvas& c, const TRect& r, const TBitmap& b, int state, int count)
{
    DrawSkinBitmapState(c.Handle(), r, const_cast<TBitmap*>(&b), state, count, true);
}

class TPreview {
public:
    TPreview(TSkinObjects& skin, TCanvas& canvas) : S(skin), C(canvas) {}

    void Window(const TRect& at, const String& caption, bool active, bool withControls);
    void PopupMenu(int x, int y);

private:
    void Frame(TBitmap& w, bool active);
    void Caption(TBitmap& w, const String& caption, bool active);
    void Controls(TCanvas& c, const TRect& client);
    void Buttons(TCanvas& c, int x, int y);
    void Glyphs(TCanvas& c, int x, int y);
    void Tabs(TCanvas& c, const TRect& r);
    void Combo(TCanvas& c, int x, int y);
    void ScrollBars(TCanvas& c, int x, int y);
    void TrackAndProgress(TCanvas& c, int x, int y);
    void StatusBar(TCanvas& c, const TRect& r);

    int Left() const { return S.Border(1).Bitmap.Width() / S.Border(1).Frame; }
    int Right() const { return S.Border(2).Bitmap.Width() / S.Border(2).Frame; }
    int CaptionHeight() const { return S.Border(3).Bitmap.Height() / S.Border(3).Frame; }
    int Bottom() const { return S.Border(4).Bitmap.Height() / S.Border(4).Frame; }

    TSkinObjects& S;
    TCanvas& C;
};

void TPreview::Window(const TRect& at, const String& caption, bool active, bool withControls)
{
    TBitmap w(at.Width(), at.Height());
    Fill(*w.Canvas(), TRect(0, 0, w.Width(), w.Height()), SkinColour(S, scButtonFace));
    Frame(w, active);
    Caption(w, caption, active);
    const int menu = GetSystemMetrics(SM_CYMENU);
    const TRect bar(Left(), CaptionHeight(), w.Width() - Right(), CaptionHeight() + menu);
    Part(*w.Canvas(), bar, S.FMenuBar.get(), active ? 1 : 2, true);
    int x = bar.left + (S.FMenuBar ? S.FMenuBar->LeftWidth + 4 : 6);
    for (const char* item : {"File", "Settings", "Help"}) {
        Text(*w.Canvas(), TRect(x, bar.top, x + 60, bar.bottom - 1), item, SkinColour(S, scMenuBarText), DT_LEFT);
        x += 60;
    }
    if (withControls)
        Controls(*w.Canvas(), TRect(Left(), bar.bottom, w.Width() - Right(), w.Height() - Bottom()));
    // Magenta is cut away by the window region: the desktop shows there.
    w.SetTransparent(true);
    w.SetTransparentColor(clFuchsia);
    C.Draw(at.left, at.top, &w);
}

void TPreview::Frame(TBitmap& w, bool active)
{
    const int W = w.Width(), H = w.Height();
    const TRect areas[] = {TRect(0, 0, Left(), H), TRect(W - Right(), 0, W, H),
                            TRect(Left(), 0, W - Right(), CaptionHeight()),
                            TRect(Left(), H - Bottom(), W - Right(), H)};
    for (int i = 1; i <= 4; ++i) {
        TDataSkinBorder& b = S.Border(i);
        const int state = active || b.Frame == 1 ? 1 : 2;
        auto picture = StretchSkinBitmap(areas[i - 1], &b.Bitmap, b.Margins(), state, b.Frame, b.Tile != 1, i >= 3);
        BitBlt(w.Canvas()->Handle(), areas[i - 1].left, areas[i - 1].top, areas[i - 1].Width(),
               areas[i - 1].Height(), picture->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
}

void TPreview::Caption(TBitmap& w, const String& caption, bool active)
{
    TCanvas& c = *w.Canvas();
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    c.Font()->SetHandle(CreateFontIndirectA(&metrics.lfCaptionFont));
    const TDataSkinTitle& t = *S.FTitle;
    const String text = "  " + caption + " ";
    const TRect r(Left(), 0, w.Width() - Right(), CaptionHeight());
    const SIZE size = c.TextExtent(text);
    const int width = size.cx + t.TXTBackleft + t.TXTBackRight;
    const int dx = t.TextAlignment == 1 ? (r.Width() - width) / 2 : t.LeftWidth;
    const TRect m(r.left + dx, 0, r.left + dx + width, r.bottom);
    DrawSkinBitmapSlicedToCanvas(&c, m, const_cast<TBitmap*>(&t.Bitmap), TRect(t.TXTBackleft, 0, t.TXTBackRight, 0),
                                 active ? 1 : 2, 2, true, true);
    Text(c, TRect(m.left + t.TXTBackleft, t.TopHeight / 2, m.right - t.TXTBackRight, r.bottom + t.TopHeight / 2), text,
         SkinColour(S, active ? scTitleTextActive : scTitleTextNoActive), DT_LEFT);
    for (const auto& b : S.FSysButtons) {
        // A normal window with both boxes: what shows while not maximised.
        if (b->Visibility == 1 || b->Visibility == 10 || b->Visibility == 100)
            continue;
        if (b->Action == 3) {
            DrawIconEx(c.Handle(), b->Xcoord, b->Ycoord, LoadIcon(nullptr, IDI_APPLICATION), 16, 16, 0, nullptr,
                       DI_NORMAL);
            continue;
        }
        const int bw = b->Bitmap.Width() / b->Frame, bh = b->Bitmap.Height();
        const int x = b->Align == 1 ? w.Width() - b->Xcoord : b->Xcoord;
        const int state = !active ? 4 : b->Action == 0 ? 3 : 1;  // the close button under the mouse
        State(c, TRect(x, b->Ycoord, x + bw, b->Ycoord + bh), b->Bitmap, state, b->Frame);
    }
    c.Font()->SetHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

void TPreview::Controls(TCanvas& c, const TRect& client)
{
    c.Font()->SetHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    const TRect status(client.left, client.bottom - 22, client.right, client.bottom);
    StatusBar(c, status);
    Tabs(c, TRect(client.left + 8, client.top + 8, client.right - 8, status.top - 8));
    const int x = client.left + 20, y = client.top + 40;
    Buttons(c, x, y);
    Glyphs(c, x, y + 40);
    Combo(c, x, y + 100);
    ScrollBars(c, x + 250, y + 100);
    TrackAndProgress(c, x, y + 165);
}

void TPreview::Buttons(TCanvas& c, int x, int y)
{
    const TDataSkinButton& b = *S.FButtons;
    const char* labels[] = {"Normal", "Pressed", "Disabled", "Hot", "Focused"};
    const TColor colours[] = {b.NormalColour2, b.PressedColour2, clBtnShadow, b.MouseOverColour2, b.NormalColour2};
    for (int state = 1; state <= 5; ++state) {
        const TRect r(x, y, x + 75, y + 25);
        Part(c, r, &b, state);
        Text(c, r, labels[state - 1], static_cast<TColor>(ColorToRGB(colours[state - 1])));
        x += 85;
    }
}

void TPreview::Glyphs(TCanvas& c, int x, int y)
{
    const TDataSkinButton& b = *S.FButtons;
    const char* labels[] = {"Sound", "Launch", "Off", "Dimmed"};
    for (int state = 1; state <= 4; ++state) {
        const TRect box(x, y + 2, x + 13, y + 15);
        State(c, box, b.CheckBitmap, state, b.CheckButtonFrame);
        const TColor ink = SkinColour(S, state >= 3 ? scButtonShadow : scButtonText);
        Text(c, TRect(x + 18, y, x + 100, y + 17), labels[state - 1], ink, DT_LEFT);
        const TRect radio(x, y + 24, x + 13, y + 37);
        State(c, radio, b.RadioBitmap, state, b.RadioButtonFrame);
        Text(c, TRect(x + 18, y + 22, x + 100, y + 39), state == 2 ? "ShutDown" : "Restart", ink, DT_LEFT);
        x += 105;
    }
}

void TPreview::Tabs(TCanvas& c, const TRect& r)
{
    const TRect pane(r.left, r.top + 22, r.right, r.bottom);
    Part(c, pane, S.FTabPane.get(), 1);
    int x = r.left + 2;
    int state = 2;
    for (const char* title : {"Alarm", "Setting", "About"}) {
        const TRect tab(x, r.top, x + 64, r.top + 22 + (state == 2 ? 1 : 0));
        Part(c, tab, S.FTabs.get(), state);
        const TColor ink = state == 2 ? S.FTabs->MouseOverColour2 : S.FTabs->NormalColour2;
        Text(c, tab, title, static_cast<TColor>(ColorToRGB(ink)));
        x += 64;
        state = 1;
    }
}

void TPreview::Combo(TCanvas& c, int x, int y)
{
    const TRect box(x, y, x + 150, y + 21);
    Fill(c, box, clWhite);
    Part(c, box, S.FComboButton.get(), 1);
    Text(c, TRect(x + 4, y, x + 120, y + 21), "Standar", SkinColour(S, scWindowText), DT_LEFT);
    const TRect hot(x, y + 28, x + 150, y + 49);
    Fill(c, hot, clWhite);
    Part(c, hot, S.FComboButton.get(), 4);
    Text(c, TRect(x + 4, y + 28, x + 120, y + 49), "12:30:00", SkinColour(S, scWindowText), DT_LEFT);
    // An edit with its up-down.
    const TRect edit(x + 160, y, x + 220, y + 21);
    Fill(c, edit, SkinColour(S, scButtonShadow));
    Fill(c, TRect(edit.left + 1, edit.top + 1, edit.right - 1, edit.bottom - 1), clWhite);
    Text(c, TRect(edit.left + 4, edit.top, edit.right, edit.bottom), "255", SkinColour(S, scWindowText), DT_LEFT);
    if (const TDataSkinBorder* ud = S.FUpDownVert.get()) {
        const TRect up(edit.right, edit.top, edit.right + 16, edit.top + 11);
        const TRect down(edit.right, edit.top + 11, edit.right + 16, edit.bottom);
        for (auto [r, state] : {std::pair{up, 1}, std::pair{down, 5}}) {
            State(c, r, ud->Bitmap, state, ud->Frame);
            DrawSkinBitmapCentered(c.Handle(), r, const_cast<TBitmap*>(&ud->Bitmap2), state, ud->Frame, true);
        }
    }
}

void TPreview::ScrollBars(TCanvas& c, int x, int y)
{
    const TDataSkinObject& strip = *S.FScrollbar;
    const int t = strip.Bitmap.Height();
    // Horizontal: arrows, track, thumb and its grip.
    const TRect h(x, y, x + 160, y + t);
    Part(c, TRect(h.left + t, h.top, h.right - t, h.bottom), S.FHorzScroll.get(), 1);
    State(c, TRect(h.left, h.top, h.left + t, h.bottom), strip.Bitmap, 1, 23);
    State(c, TRect(h.right - t, h.top, h.right, h.bottom), strip.Bitmap, 8, 23);
    const TRect thumb(h.left + t + 30, h.top, h.left + t + 80, h.bottom);
    Part(c, thumb, S.FHorzScrollThumb.get(), 1);
    const int gx = thumb.left + (thumb.Width() - t) / 2;
    State(c, TRect(gx, h.top, gx + t, h.bottom), strip.Bitmap, 17, 23);
    // Vertical, its thumb hot.
    const TRect v(x + 170, y - 90, x + 170 + t, y + t);
    Part(c, TRect(v.left, v.top + t, v.right, v.bottom - t), S.FVertScroll.get(), 1);
    State(c, TRect(v.left, v.top, v.right, v.top + t), strip.Bitmap, 9, 23);
    State(c, TRect(v.left, v.bottom - t, v.right, v.bottom), strip.Bitmap, 13, 23);
    const TRect vthumb(v.left, v.top + t + 10, v.right, v.top + t + 60);
    Part(c, vthumb, S.FVertScrollThumb.get(), 3);
    const int gy = vthumb.top + (vthumb.Height() - t) / 2;
    State(c, TRect(v.left, gy, v.right, gy + t), strip.Bitmap, 22, 23);
}

void TPreview::TrackAndProgress(TCanvas& c, int x, int y)
{
    const TDataSkinObject& track = *S.FTrack;
    const TRect channel(x, y + 8, x + 200, y + 8 + track.Bitmap.Height());
    DrawSkinBitmapSliced(c.Handle(), channel, const_cast<TBitmap*>(&track.Bitmap),
                         TRect(track.LeftWidth, 0, track.RightWidth, 0), 1, 1, false, false, false);
    if (const TDataSkinObject* thumb = S.FThumbHorz.get())
        State(c, TRect(x + 120, y, x + 131, y + 21), thumb->Bitmap, 2, thumb->Frame);
    for (int i = 0; i <= 10; ++i)
        Fill(c, TRect(x + 5 + i * 19, y + 24, x + 6 + i * 19, y + 28), SkinColour(S, scButtonDkShadow));
    const TRect bar(x + 230, y + 4, x + 400, y + 22);
    Part(c, bar, S.FProgress.get(), 1);
    Part(c, TRect(bar.left, bar.top, bar.left + bar.Width() * 6 / 10, bar.bottom), S.FProgress.get(), 2);
}

void TPreview::StatusBar(TCanvas& c, const TRect& r)
{
    Fill(c, r, SkinColour(S, scButtonFace));
    const TRect panels[] = {TRect(r.left + 2, r.top + 2, r.left + 150, r.bottom - 1),
                            TRect(r.left + 152, r.top + 2, r.right - 20, r.bottom - 1)};
    const char* texts[] = {"Alarm at 07:30:00", "Velmora"};
    for (int i = 0; i < 2; ++i) {
        Part(c, panels[i], S.FStatusBarEdges.get(), 1);
        Text(c, TRect(panels[i].left + 4, panels[i].top, panels[i].right, panels[i].bottom), texts[i],
             static_cast<TColor>(ColorToRGB(S.FStatusBarEdges->NormalColour2)), DT_LEFT);
    }
    if (const TDataSkinObject* extra = S.FExtraImages.get()) {
        const int w = extra->Bitmap.Width() / extra->Frame, h = extra->Bitmap.Height();
        State(c, TRect(r.right - 1 - w, r.bottom - 1 - h, r.right - 1, r.bottom - 1), extra->Bitmap, 5, extra->Frame);
    }
}

void TPreview::PopupMenu(int x, int y)
{
    const char* items[] = {"ShowMainForm", "Clock", "-", "Settings", "Exit"};
    const int itemHeight = 20, width = 170;
    const TRect r(x, y, x + width, y + 6 + 4 * itemHeight + 9);
    auto back = StretchSkinBitmap(r, &S.FMenuBackground->Bitmap, S.FMenuBackground->Margins(), 1, 1,
                                  S.FMenuBackground->Tile == 1, false);
    C.Draw(r.left, r.top, back.get());
    C.Font()->SetHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    int top = r.top + 3;
    for (int i = 0; i < 5; ++i) {
        const bool separator = items[i][0] == '-';
        const int h = separator ? 9 : itemHeight;
        const TRect item(r.left + 3, top, r.right - 3, top + h);
        const TDataSkinObject& mi = *S.FMenuItem;
        if (separator) {
            const int fw = mi.Bitmap.Width() / 5;
            TBitmap sep(item.Width(), h);
            Fill(*sep.Canvas(), TRect(0, 0, sep.Width(), h), clFuchsia);
            StretchBlt(sep.Canvas()->Handle(), 0, 0, sep.Width(), h, const_cast<TBitmap&>(mi.Bitmap).Canvas()->Handle(),
                       fw, mi.Bitmap.Height() - h, fw, h, SRCCOPY);
            sep.SetTransparent(true);
            sep.SetTransparentColor(clFuchsia);
            C.Draw(item.left, item.top, &sep);
        } else {
            const bool selected = i == 1;
            Part(C, item, &mi, selected ? 4 : 1);
            Text(C, TRect(item.left + mi.LeftWidth + 22, item.top, item.right, item.bottom), items[i],
                 SkinColour(S, selected ? scHilightText : i == 3 ? scButtonShadow : scMenuText), DT_LEFT);
        }
        top += h;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinpreview SKIN OUT.bmp\n");
        return 2;
    }
    try {
        TMemoryStream stored;
        stored.LoadFromFile(argv[1]);
        TSkinReader reader;
        if (!reader.LoadSkinStream(stored.Bytes()))
            throw Exception("not a skin file: " + String(argv[1]));
        TBytes description;
        String name;
        reader.FindEntry(".ini", description, name);
        TQuickIni ini;
        ini.LoadFromStream(description);
        TSkinObjects skin;
        skin.ReadSkinIni(ini, reader);

        TBitmap out(1000, 460);
        TCanvas& c = *out.Canvas();
        Fill(c, TRect(0, 0, out.Width(), out.Height()), Desktop);
        TPreview preview(skin, c);
        preview.Window(TRect(20, 20, 620, 440), "Velmora", true, true);
        preview.Window(TRect(650, 20, 980, 160), "Warning", false, false);
        preview.PopupMenu(650, 190);
        out.SetPixelFormat(pf24bit);
        out.SaveToFile(argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinpreview: %s\n", e.what());
        return 1;
    }
    return 0;
}
