// Skin objects read from skin descriptions: every default of an empty description, the
// colour texts, the clamps and forced frame counts, the caption-button rules, image values,
// the built images, damaged input, and the two theme skins the program ships.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>

#include "skinschema.h"
#include "themeskins.h"

namespace {

TColor At(TBitmap& b, int x, int y) { return PixelToColor(b.PixelBuffer().At(x, y)); }

// A BMP file (24-bit unless asked) of the given size whose pixels come from `colour`.
TBytes Bmp(int w, int h, const std::function<TColor(int, int)>& colour, TPixelFormat format = pf24bit)
{
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.PixelBuffer().At(x, y) = ColorToPixel(colour(x, y));
    b.SetPixelFormat(format);
    TMemoryStream s;
    b.SaveToStream(s);
    return s.Bytes();
}

TBytes Solid(int w, int h, TColor c)
{
    return Bmp(w, h, [c](int, int) { return c; });
}

// States side by side, each of its own colour.
TBytes States(int stateWidth, int h, std::vector<TColor> colours)
{
    return Bmp(stateWidth * static_cast<int>(colours.size()), h,
               [=](int x, int) { return colours[static_cast<size_t>(x / stateWidth)]; });
}

// A description and the entries of its skin file.
struct TTestSkin {
    TTestSkin() = default;
    TTestSkin(String ini) : Ini(std::move(ini)) {}

    String Ini;
    std::map<String, TBytes> Entries;

    TTestSkin& Add(const String& name, TBytes data)
    {
        Entries[LowerCase(name)] = std::move(data);
        return *this;
    }
    void LoadInto(TSkinObjects& skin) const
    {
        TQuickIni ini;
        ini.LoadFromStream({reinterpret_cast<const uint8_t*>(Ini.data()), Ini.size()});
        skin.ReadSkinIni(ini, [this](std::string_view name, TBytes& data) {
            auto it = Entries.find(LowerCase(name));
            data = it == Entries.end() ? TBytes() : it->second;
        });
    }
};

TSkinObjects Loaded(const TTestSkin& t)
{
    TSkinObjects skin;
    t.LoadInto(skin);
    return skin;
}

const TDataSkinSysButton* FindSysButton(const TSkinObjects& s, const String& name)
{
    for (const auto& b : s.FSysButtons)
        if (b->Name == name)
            return b.get();
    return nullptr;
}

}  // namespace

TEST(SkinColourText, ParsesDigitRuns)
{
    EXPECT_EQ(ParseColorText(" 12 , 34 , 56 "), RGB(12, 34, 56));
    EXPECT_EQ(ParseColorText("300,0,0"), RGB(44, 0, 0));
    EXPECT_EQ(ParseColorText("12,34"), RGB(12, 0, 0));  // an open run is only ever the third
    EXPECT_EQ(ParseColorText("12,34 \t"), RGB(12, 0, 0));  // the blanks after it do not close it
    EXPECT_EQ(ParseColorText("12,34,56,"), RGB(12, 34, 56));
    EXPECT_EQ(ParseColorText("1,2,3,4,5,6,7"), RGB(1, 2, 3));  // further runs have nowhere to go
    EXPECT_EQ(ParseColorText("99999999999,7,8"), RGB(0, 7, 8));
    EXPECT_EQ(ParseColorText("r=10 g=20 b=30"), RGB(10, 20, 30));
    EXPECT_EQ(ParseColorText("abc"), 0);
    EXPECT_EQ(ParseColorText(""), 0);
    EXPECT_EQ(ReadColorValue("  ", clBtnFace), clBtnFace);
    EXPECT_EQ(ReadColorValue("1,2,3", clBtnFace), RGB(1, 2, 3));
}

TEST(SkinSchema, EmptyDescriptionGivesEveryDefault)
{
    const TSkinObjects s = Loaded({});
    EXPECT_EQ(s.FSkinName, "");
    // System colours by index: window text, caption texts, face, button text, highlights,
    // shadows, two unused, selection, menu bar (the face), menu texts, menu, border, scroll bar.
    const uint32_t defaults[SkinColorCount] = {
        0xFF000008, 0xFF000009, 0xFF000013, 0xFF00000F, 0xFF000012, 0xFF000014, 0xFF000014,
        0xFF000010, 0xFF000015, 0,          0,          0xFF00000E, 0xFF00000D, 0xFF00000F,
        0xFF000007, 0xFF000007, 0xFF000004, 0xFF00000F, 0xFF000000};
    for (int i = 0; i < SkinColorCount; ++i) {
        EXPECT_EQ(static_cast<uint32_t>(s.FColors[i]), defaults[i]) << i;
        EXPECT_FALSE(s.FColorDefined[i]) << i;
    }
    EXPECT_TRUE(s.FExtraColors.empty());
    for (TColor c : s.FCustomColors)
        EXPECT_EQ(c, clWhite);
    LOGBRUSH brush{};
    ASSERT_TRUE(GetObjectA(s.FFaceBrush.Get(), sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, ColorToRGB(clBtnFace));

    for (int i = TSkinObjects::bdLeft; i <= TSkinObjects::bdBottom; ++i) {
        const TDataSkinBorder& b = s.Border(i);
        EXPECT_EQ(b.Frame, 1);
        EXPECT_EQ(b.Tile, 1);
        EXPECT_EQ(b.Trans, 1);
        EXPECT_EQ(b.Margins(), TRect(0, 0, 0, 0));
        EXPECT_TRUE(b.Bitmap.Empty());
    }
    EXPECT_EQ(s.Border(TSkinObjects::bdTop).Name, "Top");

    const TDataSkinTitle& t = *s.FTitle;
    EXPECT_EQ(t.FontHeight, 14);
    EXPECT_EQ(t.Frame, 2);
    EXPECT_EQ(t.ActiveTextColor, clSkinNoColor);
    EXPECT_EQ(t.InActiveTextColor, clSkinNoColor);

    const TDataSkinButton& b = *s.FButtons;
    EXPECT_EQ(b.Frame, 5);
    EXPECT_EQ(b.RadioButtonFrame, 4);
    EXPECT_EQ(b.CheckButtonFrame, 4);
    EXPECT_EQ(b.NormalColour, -1);
    EXPECT_EQ(b.PressedColour, -1);
    EXPECT_EQ(b.NormalColour2, clBtnText);
    EXPECT_EQ(b.ColourGiven, (std::array<bool, 3>{false, false, false}));

    // Only the three MDI child buttons, without pictures.
    ASSERT_EQ(s.FSysButtons.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        const TDataSkinSysButton& m = *s.FSysButtons[k];
        EXPECT_EQ(m.Action, 7 + k);
        EXPECT_EQ(m.Align, 100);
        EXPECT_EQ(m.Visibility, 100);
        EXPECT_EQ(m.Visibility1, 100);
        EXPECT_EQ(m.Frame, 4);
        EXPECT_EQ(m.Xcoord, 0);
        EXPECT_TRUE(m.Bitmap.Empty());
    }

    for (const auto* o : {s.FProgress.get(), s.FTabs.get(), s.FComboButton.get(), s.FUpDownHorz.get()})
        EXPECT_EQ(o, nullptr);
    for (const auto* o : {s.FProgressChunk.get(), s.FMenuBar.get(), s.FGroupBoxEdge.get(), s.FStatusBarEdges.get(),
                          s.FTabPane.get(), s.FToolBars.get(), s.FSunkEdge.get(), s.FExtraImages.get(),
                          s.FHeaderbar.get(), s.FMenuItem.get(), s.FMenuBackground.get(), s.FScrollbar.get(),
                          s.FHorzScroll.get(), s.FVertScrollThumb.get(), s.FThumbHorz.get(), s.FThumbDown.get()})
        EXPECT_EQ(o, nullptr);
    EXPECT_EQ(s.FGroupBox, nullptr);

    // The module's own track pictures stand in.
    ASSERT_TRUE(s.FTrack && s.FTrackVert);
    EXPECT_EQ(s.FTrack->Bitmap.Width(), 16);
    EXPECT_EQ(s.FTrack->Bitmap.Height(), 4);
    EXPECT_EQ(s.FTrackVert->Bitmap.Width(), 4);
    EXPECT_EQ(s.FTrackVert->Bitmap.Height(), 16);
    EXPECT_EQ(s.FTrack->Margins(), TRect(3, 3, 3, 3));
    EXPECT_EQ(s.FTrack->Frame, 1);
    EXPECT_EQ(s.FTrack->Tile, 0);
    EXPECT_EQ(At(s.FTrack->Bitmap, 8, 0), RGB(128, 128, 128));

    // Built objects exist; the arrow has nothing to be built from.
    ASSERT_TRUE(s.FComboArrow && s.FToolbar);
    EXPECT_EQ(s.FComboArrow->Name, "ComboxArrow");
    EXPECT_TRUE(s.FComboArrow->Bitmap.Empty());
    EXPECT_EQ(s.FComboArrow->Frame, 1);
    EXPECT_EQ(s.FToolbar->Bitmap.Width(), 10);
    EXPECT_EQ(s.FToolbar->Bitmap.Height(), 40);
}

TEST(SkinSchema, ReadsColoursExtraAndCustomColours)
{
    const TSkinObjects s = Loaded({"[Colours]\nButtonFace= 1, 2, 3\nMenuText=300,20,30\nHilight=\n"
                                   "[Colour.Two]\ncolor=10,20,30\n[COLOURS]\nWindowText=9,9,9\n"
                                   "[colourless]\n[Customcolors]\nColor3=5,6,7\nColor10=1,1,1\n"});
    EXPECT_EQ(s.FColors[scButtonFace], RGB(1, 2, 3));
    EXPECT_TRUE(s.FColorDefined[scButtonFace]);
    EXPECT_EQ(s.FColors[scMenubar], RGB(1, 2, 3));  // an absent Menubar follows ButtonFace
    EXPECT_FALSE(s.FColorDefined[scMenubar]);
    EXPECT_EQ(s.FColors[scMenuText], RGB(44, 20, 30));
    EXPECT_FALSE(s.FColorDefined[scHilight]);  // an empty value counts as absent
    EXPECT_EQ(s.FColors[scHilight], clHighlight);
    EXPECT_EQ(s.FColors[scWindowText], clWindowText);  // a second [COLOURS] is never found
    // Colour sections in file order, [COLOURS] not among them.
    EXPECT_EQ(s.FExtraColors, (std::vector<TColor>{RGB(10, 20, 30), clWindowText}));
    EXPECT_EQ(s.FCustomColors[3], RGB(5, 6, 7));
    EXPECT_EQ(s.FCustomColors[9], clWhite);
    LOGBRUSH brush{};
    ASSERT_TRUE(GetObjectA(s.FFaceBrush.Get(), sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, RGB(1, 2, 3));
}

TEST(SkinSchema, ReadsObjectsWithTheirClampsAndForcedFrameCounts)
{
    TTestSkin t{"[Colours]\nButtonText=7,8,9\n"
                "[Personality]\nLeft=l.bmp\nLeftTopHeight=20\nLeftBotHeight=5\nLeftFrame=0\nLeftStretch=3\n"
                "RightTopHeight=9\nBottomBotHeight=8\n"
                "Top=t.bmp\nTopTopHeight=6\nTopBotHeight=7\nTopFrame=-2\nTopTrans=0\n"
                "TextShift=11\nTextShiftVert=4\nTextRightClip=30\nTextAlignment=2\nTXTBackleft=3\nTXTBackRight=8\nTextbackground=1\n"
                "ActiveTextR=255\nActiveTextG=0\nActiveTextB=300\nInActiveTextR=1\nInActiveTextG=2\n"
                "menuBar=m.bmp\nTileMenu=4\n"
                "[Fonts]\nFontHeight=0x10\n"
                "[Progress.Chunk]\nImage=a.bmp\nStyle=3\nLeftWidth=1\nTopHeight=2\nRightWidth=3\nBottomHeight=4\n"
                "Frame=6\nTrans=1\nTile=2\nNormalColour=$FF\nNormalColour2=1,2,3\n"
                "[Progress]\nBitmap=a.bmp\nStyle=1\nTile=5\nFrame=9\n"
                "[Tab.Pane]\nImage=a.bmp\nLeftWidth=6\nTopHeight=6\nRightWidth=3\nBottomHeight=6\n"
                "[Tabs]\nImage=a.bmp\nBorder=b.bmp\nFrame=2\nTile=2\n"
                "[GroupBox]\nImage=a.bmp\nFrame=7\nBackgroundAlignment=2\nBackgroundLeftShift=5\nBackgroundRightShift=6\n"
                "[Headerbar]\nImage=a.bmp\nFrame=7\n[MenuItem]\nImage=a.bmp\nFrame=1\n"
                "[HorzScrollThumb]\nImage=a.bmp\nFrame=9\nFrameCount=4\n[VertScrollThumb]\nImage=a.bmp\n"
                "[UpDown.Vert]\nImage=a.bmp\nGlyphImage=b.bmp\n[Scrollbar]\nImage=a.bmp\n"
                "[Trackbar.ThumbUp]\nImage=a.bmp\n[Buttons]\nRadioButton=r.bmp\nCheckButton=c.bmp\n"
                "CheckButtonFrame=3\nTile=2\nNormalColour2=4,5,6\nPressedColour2=\n"
                "LeftWidth=1\nTopHeight=2\nRightWidth=3\nBottomHeight=4\n"};
    // Sections whose state count is fixed whatever their Frame key says.
    for (const char* name : {"GroupBoxEdge", "ToolBars", "StatusBarEdges", "SunkEdge", "ComboButton", "ExtraImages",
                             "MenuBackground", "HorzScroll", "VertScroll", "UpDown.Horz", "Trackbar.ThumbHorz",
                             "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbDown"})
        t.Ini += "[" + String(name) + "]\nImage=a.bmp\nFrame=9\n";
    t.Add("a.bmp", Solid(20, 10, clRed)).Add("b.bmp", Solid(6, 6, clBlue)).Add("l.bmp", Solid(8, 40, clLime));
    t.Add("t.bmp", Solid(30, 40, clGreen)).Add("m.bmp", Solid(10, 10, clGray));
    t.Add("r.bmp", Solid(96, 16, clNavy)).Add("c.bmp", Solid(52, 13, clNavy));
    TSkinObjects s = Loaded(t);

    const TDataSkinBorder& left = s.Border(TSkinObjects::bdLeft);
    EXPECT_EQ(left.Margins(), TRect(0, 20, 0, 5));
    EXPECT_EQ(left.Tile, 1);
    const TDataSkinBorder& top = s.Border(TSkinObjects::bdTop);
    EXPECT_EQ(top.Margins(), TRect(6, 0, 7, 0));
    EXPECT_EQ(top.Trans, 0);
    EXPECT_EQ(s.Border(TSkinObjects::bdRight).Margins(), TRect(0, 9, 0, 0));
    EXPECT_EQ(s.Border(TSkinObjects::bdBottom).Margins(), TRect(0, 0, 8, 0));
    // The border colour comes from the top picture.
    EXPECT_EQ(s.FColors[scBorder], clGreen);

    const TDataSkinTitle& title = *s.FTitle;
    EXPECT_EQ(title.Margins(), TRect(11, 4, 30, 0));
    EXPECT_EQ(title.TextAlignment, 2);
    EXPECT_EQ(title.TXTBackleft, 3);
    EXPECT_EQ(title.Textbackground, 1);
    EXPECT_EQ(title.TXTBackRight, 8);
    EXPECT_EQ(title.FontHeight, 16);
    EXPECT_EQ(title.ActiveTextColor, RGB(255, 0, 44));
    EXPECT_EQ(title.InActiveTextColor, clSkinNoColor);  // blue is missing

    ASSERT_TRUE(s.FMenuBar);
    EXPECT_EQ(s.FMenuBar->Name, "Personality");
    EXPECT_EQ(s.FMenuBar->Tile, 1);
    EXPECT_EQ(s.FMenuBar->Margins(), TRect(1, 0, 1, 0));

    const TDataSkinObject& chunk = *s.FProgressChunk;
    EXPECT_EQ(chunk.Name, "Progress.Chunk");
    EXPECT_EQ(chunk.Style, 3);
    EXPECT_EQ(chunk.Margins(), TRect(1, 2, 3, 4));
    EXPECT_EQ(chunk.Trans, 1);
    EXPECT_EQ(chunk.Tile, 0);
    EXPECT_EQ(chunk.NormalColour, 255);
    EXPECT_EQ(chunk.MouseOverColour, -1);
    EXPECT_EQ(chunk.NormalColour2, RGB(1, 2, 3));
    EXPECT_EQ(chunk.PressedColour2, RGB(7, 8, 9));  // the skin's ButtonText
    EXPECT_EQ(At(s.FProgressChunk->Bitmap, 0, 0), clRed);

    EXPECT_EQ(s.FProgress->Tile, 1);
    EXPECT_EQ(s.FTabPane->Margins(), TRect(4, 4, 3, 4));
    EXPECT_EQ(s.FTabs->Bitmap2.Width(), 6);
    EXPECT_EQ(s.FTabs->Tile, 0);
    EXPECT_EQ(s.FTabs->Trans, 0);
    EXPECT_EQ(s.FGroupBox->BackgroundAlignment, 2);
    EXPECT_EQ(s.FGroupBox->BackgroundLeftShift, 5);
    EXPECT_EQ(s.FGroupBox->BackgroundRightShift, 6);
    EXPECT_EQ(s.FUpDownVert->Bitmap2.Width(), 6);
    // The state counts: forced, read from another key, or kept as read (Progress.Chunk 6,
    // Headerbar 7; a border's 0 becomes 1, as nothing may divide by it).
    const std::pair<const TDataSkinObject*, int> frames[] = {
        {&left, 1},                 {&top, 1},                 {s.FTitle.get(), 2},         {s.FButtons.get(), 5},
        {s.FProgress.get(), 1},     {s.FProgressChunk.get(), 6}, {s.FMenuBar.get(), 2},     {s.FGroupBoxEdge.get(), 2},
        {s.FGroupBox.get(), 1},     {s.FTabs.get(), 5},        {s.FStatusBarEdges.get(), 3}, {s.FTabPane.get(), 1},
        {s.FToolBars.get(), 5},     {s.FComboButton.get(), 4}, {s.FSunkEdge.get(), 4},      {s.FExtraImages.get(), 5},
        {s.FHeaderbar.get(), 7},    {s.FMenuItem.get(), 5},    {s.FMenuBackground.get(), 1}, {s.FScrollbar.get(), 23},
        {s.FHorzScroll.get(), 4},   {s.FVertScroll.get(), 4},  {s.FHorzScrollThumb.get(), 4}, {s.FVertScrollThumb.get(), 3},
        {s.FUpDownHorz.get(), 8},   {s.FUpDownVert.get(), 8},  {s.FThumbHorz.get(), 5},     {s.FThumbVert.get(), 5},
        {s.FThumbLeft.get(), 5},    {s.FThumbRight.get(), 5},  {s.FThumbUp.get(), 5},       {s.FThumbDown.get(), 5}};
    for (const auto& [object, frame] : frames) {
        ASSERT_NE(object, nullptr) << frame;
        EXPECT_EQ(object->Frame, frame) << object->Name;
    }
    // The section's picture replaces the module's track only when given.
    EXPECT_EQ(s.FTrack->Bitmap.Width(), 16);

    const TDataSkinButton& b = *s.FButtons;
    EXPECT_EQ(b.Margins(), TRect(1, 2, 3, 4));
    EXPECT_EQ(b.RadioButtonFrame, 6);  // 96 wide, 16 high: states of 16
    EXPECT_EQ(b.CheckButtonFrame, 3);
    EXPECT_EQ(b.CheckBitmap.Width(), 52);
    EXPECT_EQ(b.RadioBitmap.Width(), 96);
    EXPECT_EQ(b.Trans, 0);  // no Trans key
    EXPECT_EQ(b.Tile, 0);
    EXPECT_EQ(b.ColourGiven, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(b.NormalColour2, RGB(4, 5, 6));
    EXPECT_EQ(b.PressedColour2, RGB(7, 8, 9));
}

TEST(SkinSchema, CaptionButtonsFollowTheirRules)
{
    TTestSkin t{"[Button]\nButtonImage=w.bmp\n[Buttons]\n[Button.Radio]\n[BUTTON.CHECKBOX]\n"
                "[Button.Gone]\nAction=-1\nButtonImage=w.bmp\n"
                "[Button.Early]\nAction=4\nXcoord=77\n"
                "[Button.Kept]\nAction=-1\nVisibility=0\nButtonImage=n.bmp\n"
                "[ButtonNarrow]\nAction=1\nVisibility=2\nXcoord=40\nYcoord=3\nButtonImage=n.bmp\n"
                "[button.wide]\nAction=2\nButtonImage=w.bmp\nCombineOp=5\n"
                "[Button.Two]\nAction=0\nAlign=1\nframe=2\nButtonImage=n.bmp\n"
                "[Button.Bad]\nAction=0\nframe=-3\nButtonImage=n.bmp\n"
                "[Button.Icon]\nAction=3\nButtonImage=n.bmp\n[Button.Icon2]\nAction=11\nframe=1\nButtonImage=n.bmp\n"
                "[Button.Icon3]\nAction=11\nButtonImage=n.bmp\n"
                "[Button.Help]\nAction=4\n"
                "[MDICONTROLS]\nImage=mdi.bmp\n"};
    t.Add("n.bmp", Solid(76, 20, clRed)).Add("w.bmp", Solid(120, 20, clRed));
    t.Add("mdi.bmp", Bmp(126, 10, [](int x, int) { return static_cast<TColor>(RGB(x, 0, 0)); }));
    const TSkinObjects s = Loaded(t);

    std::vector<String> names;
    for (const auto& b : s.FSysButtons)
        names.push_back(b->Name);
    EXPECT_EQ(names, (std::vector<String>{"BUTTON.EARLY", "BUTTON.KEPT", "BUTTONNARROW", "BUTTON.WIDE", "BUTTON.TWO",
                                          "BUTTON.BAD", "BUTTON.ICON", "BUTTON.ICON2", "BUTTON.ICON3", "BUTTON.HELP", "MDICONTROLS",
                                          "MDICONTROLS", "MDICONTROLS"}));

    const auto* early = FindSysButton(s, "BUTTON.EARLY");
    EXPECT_EQ(TPoint(early->Xcoord, early->Ycoord), TPoint(0, 0));  // nothing to take a place from yet
    const auto* kept = FindSysButton(s, "BUTTON.KEPT");
    EXPECT_EQ(kept->Visibility1, -1);
    EXPECT_EQ(kept->Frame, 6);  // a narrow picture, but a negative Action
    EXPECT_EQ(FindSysButton(s, "BUTTONNARROW")->Frame, 3);  // 76 x 20: three states up to 3.8 : 1
    EXPECT_EQ(FindSysButton(s, "BUTTONNARROW")->Visibility1, 0);
    EXPECT_EQ(FindSysButton(s, "BUTTON.WIDE")->Frame, 6);  // 120 x 20
    EXPECT_EQ(FindSysButton(s, "BUTTON.WIDE")->CombineOp, 5);
    EXPECT_EQ(FindSysButton(s, "BUTTON.TWO")->Frame, 2);
    EXPECT_EQ(FindSysButton(s, "BUTTON.TWO")->CombineOp, -1);
    EXPECT_EQ(FindSysButton(s, "BUTTON.TWO")->Align, 1);
    EXPECT_EQ(FindSysButton(s, "BUTTON.TWO")->Visibility, 0);  // no Visibility key
    EXPECT_EQ(FindSysButton(s, "BUTTON.BAD")->Frame, 1);
    EXPECT_TRUE(FindSysButton(s, "BUTTON.ICON")->Bitmap.Empty());  // the window icon is drawn instead
    EXPECT_FALSE(FindSysButton(s, "BUTTON.ICON2")->Bitmap.Empty());  // a frame key skips that rule
    EXPECT_TRUE(FindSysButton(s, "BUTTON.ICON3")->Bitmap.Empty());
    const auto* help = FindSysButton(s, "BUTTON.HELP");
    EXPECT_EQ(TPoint(help->Xcoord, help->Ycoord), TPoint(40, 3));

    // The MDI buttons: four states of w = 126 div 12 columns each.
    for (int k = 0; k < 3; ++k) {
        TDataSkinSysButton& m = *s.FSysButtons[10 + k];
        EXPECT_EQ(m.Action, 7 + k);
        ASSERT_EQ(m.Bitmap.Width(), 40);
        EXPECT_EQ(m.Bitmap.Height(), 10);
        EXPECT_EQ(At(m.Bitmap, 0, 0), RGB(40 * k, 0, 0));
        EXPECT_EQ(At(m.Bitmap, 39, 9), RGB(40 * k + 39, 0, 0));
        EXPECT_EQ(m.Xcoord, 14 * (3 - k));
    }
}

TEST(SkinSchema, ImageValuesNameBmpEntriesOnly)
{
    TTestSkin t{"[Personality]\nLeft=C:\\skins\\sub\\a.bmp\nRight=a.BMP\nTop=a.bmp.old\nBottom=missing.bmp\nmenuBar=a.bmp\n"
                "TileLeftMenu=2\nTileRightMenu=3\n"
                "[Buttons]\nBitmap=empty.bmp\n[ExtraImages]\nImage=\n[Headerbar]\nImage=none.bmp\n"
                "[Track]\nImage=a.bmp\nFrame=3\n"};
    t.Add("a.bmp", Solid(4, 4, clRed)).Add("a.BMP.old", Solid(4, 4, clRed)).Add("empty.bmp", {});
    const TSkinObjects s = Loaded(t);
    EXPECT_EQ(s.Border(TSkinObjects::bdLeft).Bitmap.Width(), 4);
    EXPECT_TRUE(s.Border(TSkinObjects::bdRight).Bitmap.Empty());
    EXPECT_TRUE(s.Border(TSkinObjects::bdTop).Bitmap.Empty());
    EXPECT_TRUE(s.Border(TSkinObjects::bdBottom).Bitmap.Empty());
    EXPECT_TRUE(s.FButtons->Bitmap.Empty());
    EXPECT_EQ(s.FExtraImages, nullptr);  // an empty Image value: no object
    ASSERT_TRUE(s.FHeaderbar);           // a value naming nothing: an object without a picture
    EXPECT_TRUE(s.FHeaderbar->Bitmap.Empty());
    EXPECT_EQ(s.FHeaderbar->Frame, 5);  // no Frame key
    EXPECT_EQ(s.FMenuBar->Tile, 1);     // no TileMenu key
    EXPECT_EQ(s.FMenuBar->Margins(), TRect(2, 0, 3, 0));
    EXPECT_EQ(s.FTrack->Bitmap.Width(), 4);  // the section's own track, its state count as read
    EXPECT_EQ(s.FTrack->Frame, 3);
}

TEST(SkinSchema, DamagedBitmapEntryRaisesAndKeepsTheSkinBefore)
{
    TSkinObjects s;
    TTestSkin{"[TitlebarSkin]\nSkinName=Before\n[Colours]\nButtonFace=1,2,3\n"}.LoadInto(s);

    TBytes cut = Solid(30, 30, clRed);
    cut.resize(cut.size() / 2);
    TBytes lying = Solid(4, 4, clRed);
    lying[18] = 0xFF;  // width far beyond the data
    lying[19] = 0x7F;
    for (const TBytes& damaged : {cut, lying, TBytes{'B', 'M', 1, 2, 3}}) {
        TTestSkin t{"[TitlebarSkin]\nSkinName=After\n[Colours]\nButtonFace=9,9,9\n[MenuItem]\nImage=bad.bmp\n"};
        t.Add("bad.bmp", damaged);
        try {
            t.LoadInto(s);
            ADD_FAILURE() << "a damaged entry was accepted";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(String(e.what()).find("\"bad.bmp\""), String::npos) << e.what();
        }
        EXPECT_EQ(s.FSkinName, "Before");
        EXPECT_EQ(s.FColors[scButtonFace], RGB(1, 2, 3));
        EXPECT_EQ(s.FMenuItem, nullptr);
    }
}

TEST(SkinSchema, BuildsTheComboStripArrowToolbarAndBorderColour)
{
    const TColor sunk[] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0)};
    const TColor button[] = {RGB(0, 10, 0), RGB(0, 20, 0), RGB(0, 30, 0), RGB(0, 40, 0)};
    const TColor glyph[] = {RGB(0, 0, 10), RGB(0, 0, 20), RGB(0, 0, 30), RGB(0, 0, 40), RGB(0, 0, 50)};
    TTestSkin t{"[Colours]\nButtonFace=100,100,100\n"
                "[SunkEdge]\nImage=sunk.bmp\nLeftWidth=2\nTopHeight=2\nRightWidth=2\nBottomHeight=3\n"
                "[ComboButton]\nImage=button.bmp\n[ExtraImages]\nImage=glyph.bmp\n"
                "[Personality]\nTop=top.bmp\nTopFrame=2\n"};
    t.Add("sunk.bmp", States(10, 21, {sunk[0], sunk[1], sunk[2], sunk[3]}));
    t.Add("button.bmp", Bmp(40, 21, [&](int x, int y) { return x % 10 == 0 && y == 0 ? clFuchsia : button[x / 10]; }));
    t.Add("glyph.bmp", States(4, 4, {glyph[0], glyph[1], glyph[2], glyph[3], glyph[4]}));
    // Frame 2 stacked: the pixel a third into the first state is at (10, 3).
    t.Add("top.bmp", Bmp(30, 20, [](int x, int y) { return x == 10 && y == 3 ? clBlue : clWhite; }));
    TSkinObjects s = Loaded(t);

    const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
    TDataSkinBorder& combo = *s.FComboButton;
    EXPECT_EQ(combo.Style, 2);
    EXPECT_EQ(combo.Frame, 4);
    EXPECT_EQ(combo.Margins(), TRect(2, 2, b + 2, 3));
    ASSERT_EQ(combo.Bitmap.Width(), 200);
    ASSERT_EQ(combo.Bitmap.Height(), 21);
    for (int st = 0; st < 4; ++st) {
        const int x0 = st * 50;
        EXPECT_EQ(At(combo.Bitmap, x0, 0), sunk[st]);
        EXPECT_EQ(At(combo.Bitmap, x0 + 1, 10), sunk[st]);
        EXPECT_EQ(At(combo.Bitmap, x0 + 10, 10), clFuchsia);  // the edit shows through
        EXPECT_EQ(At(combo.Bitmap, x0 + 48 - b, 17), clFuchsia);
        EXPECT_EQ(At(combo.Bitmap, x0 + 10, 18), sunk[st]);
        EXPECT_EQ(At(combo.Bitmap, x0 + 49 - b, 10), sunk[st]);
        EXPECT_EQ(At(combo.Bitmap, x0 + 50 - b, 1), button[st]);
        EXPECT_EQ(At(combo.Bitmap, x0 + 50 - b, 0), sunk[st]) << "the button is drawn keyed";
        EXPECT_EQ(At(combo.Bitmap, x0 + 50 - b + (b - 4) / 2 + 1, 9), glyph[st]);
    }
    // The original button, mirrored, for right-to-left boxes.
    EXPECT_EQ(combo.Bitmap2.Width(), 40);
    EXPECT_EQ(At(combo.Bitmap2, 0, 0), button[3]);

    TDataSkinObject& edge = *s.FSunkEdge;
    EXPECT_EQ(edge.Margins(), TRect(b + 2, 2, 2, 3));
    ASSERT_EQ(edge.Bitmap.Width(), 200);
    for (int x : {0, 31, 60, 199})
        EXPECT_EQ(At(edge.Bitmap, 199 - x, 5), At(combo.Bitmap, x, 5));

    // The arrow squares come from the button part of each cell.
    TDataSkinObject& arrow = *s.FComboArrow;
    EXPECT_EQ(arrow.Frame, 4);
    ASSERT_EQ(arrow.Bitmap.Width(), 68);
    ASSERT_EQ(arrow.Bitmap.Height(), 17);
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 17; ++x)
                ASSERT_EQ(At(arrow.Bitmap, i * 17 + x, y), At(combo.Bitmap, (i + 1) * 50 - 19 + x, 2 + y)) << i;

    EXPECT_EQ(s.FColors[scBorder], clBlue);
    // Blue is saturated: the gradient ends in blue lightened with white.
    EXPECT_EQ(At(s.FToolbar->Bitmap, 5, 0), RGB(232, 232, 232));
    EXPECT_EQ(At(s.FToolbar->Bitmap, 5, 39), RGB(140, 140, 255));
}

TEST(SkinSchema, ComboArrowWithoutSunkenEdgeAndToolbarOfAPaleBorder)
{
    TTestSkin t{"[Colours]\nButtonFace=100,110,120\n[ComboButton]\nImage=button.bmp\n"
                "[Personality]\nTop=top.bmp\n"};
    t.Add("button.bmp", Bmp(8, 5, [](int x, int) { return x < 4 ? clFuchsia : clRed; }, pf32bit));
    t.Add("top.bmp", Solid(9, 9, RGB(200, 200, 200)));
    TSkinObjects s = Loaded(t);
    EXPECT_EQ(s.FComboButton->Style, 0);
    EXPECT_EQ(s.FComboButton->Bitmap2.PixelFormat(), pf24bit);  // the mirror, whatever the picture's depth
    EXPECT_EQ(At(s.FComboButton->Bitmap2, 0, 0), clRed);
    TDataSkinObject& arrow = *s.FComboArrow;
    EXPECT_EQ(arrow.Frame, 4);
    EXPECT_EQ(At(arrow.Bitmap, 0, 0), RGB(100, 110, 120));  // magenta became the skin's face
    EXPECT_EQ(At(arrow.Bitmap, 6, 0), clRed);
    // A grey border: the gradient ends in the border mixed into mid grey.
    EXPECT_EQ(At(s.FToolbar->Bitmap, 0, 39), RGB(189, 189, 189));

    // A system colour as face is resolved before it paints the arrow's background.
    TTestSkin system{"[Colours]\nButtonFace=\n[ComboButton]\nImage=button.bmp\n"};
    system.Entries = t.Entries;
    TSkinObjects s2 = Loaded(system);
    EXPECT_EQ(At(s2.FComboArrow->Bitmap, 0, 0), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
}

// Descriptions of random keys, values and entries (pictures of any size, damaged ones, noise)
// load or raise EInvalidGraphic; nothing else happens, and what loads is safe to divide by.
TEST(SkinSchema, RandomDescriptionsNeverCrash)
{
    const std::vector<std::pair<String, std::vector<String>>> schema = {
        {"Personality", {"Left", "Right", "Top", "Bottom", "LeftFrame", "TopFrame", "TopTopHeight", "LeftStretch",
                         "TextBack", "menuBar", "TileMenu", "TextShift"}},
        {"Buttons", {"Bitmap", "CheckButton", "RadioButton", "CheckButtonFrame", "RadioButtonFrame", "Tile"}},
        {"Button.X", {"Action", "Visibility", "frame", "ButtonImage", "Xcoord"}},
        {"Button.Y", {"Action", "Visibility", "frame", "ButtonImage"}},
        {"MDICONTROLS", {"Image"}},
        {"SunkEdge", {"Image", "LeftWidth", "RightWidth", "TopHeight", "BottomHeight", "Trans", "Tile"}},
        {"ComboButton", {"Image", "LeftWidth", "****", "Trans"}},
        {"ExtraImages", {"Image", "Frame"}},
        {"Tab.Pane", {"Image", "LeftWidth", "BottomHeight"}},
        {"Progress", {"Bitmap", "Style", "Tile"}},
        {"HorzScrollThumb", {"Image", "FrameCount"}},
        {"Headerbar", {"Image", "Frame"}},
        {"Track", {"Image", "Frame"}},
        {"Colours", {"ButtonFace", "Menubar", "ButtonText"}},
        {"ColourA", {"color"}},
    };
    const std::vector<String> values = {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "0", "1", "-1", "2", "7", "100",
                                        "-2147483648", "2147483647", "0x", "$FF", "1,2,3,4", "x", ""};
    std::mt19937 random(20240611);
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    TBytes good = Solid(13, 7, clRed);
    TBytes cut = Solid(40, 40, clBlue);
    cut.resize(100);
    TBytes noise(200);
    for (auto& byte : noise)
        byte = static_cast<uint8_t>(random());
    const std::vector<TBytes> entries = {good, Solid(1, 1, clFuchsia), Solid(300, 2, clLime), cut, noise, {}};

    int loaded = 0;
    for (int round = 0; round < 150; ++round) {
        TTestSkin t;
        for (int line = 0; line < 40; ++line) {
            const auto& [section, keys] = schema[pick(schema.size())];
            t.Ini += "[" + section + "]\n" + keys[pick(keys.size())] + "=" + values[pick(values.size())] + "\n";
        }
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp"})
            t.Add(name, entries[pick(entries.size())]);
        TSkinObjects s;
        try {
            t.LoadInto(s);
        } catch (const EInvalidGraphic&) {
            continue;
        }
        ++loaded;
        for (int i = TSkinObjects::bdLeft; i <= TSkinObjects::bdBottom; ++i)
            EXPECT_GE(s.Border(i).Frame, 1);
        for (const auto& b : s.FSysButtons)
            EXPECT_GE(b->Frame, 1);
        EXPECT_GE(s.FButtons->RadioButtonFrame, 1);
        EXPECT_GE(s.FButtons->CheckButtonFrame, 1);
        EXPECT_GE(s.FComboArrow->Frame, 1);
        if (s.FHorzScrollThumb) {
            EXPECT_GE(s.FHorzScrollThumb->Frame, 1);
        }
        if (s.FHeaderbar) {
            EXPECT_GE(s.FHeaderbar->Frame, 1);
        }
    }
    EXPECT_GT(loaded, 20);
}

namespace {


void LoadThemeSkin(const char* file, TSkinObjects& skin)
{
    const String path = ThemeSkinPath(file);
    TMemoryStream stored;
    ASSERT_NO_THROW(stored.LoadFromFile(path)) << "no " << path << ": build the native build first";
    TSkinReader reader;
    reader.OnMessage = [](std::string_view text) { ADD_FAILURE() << text; };
    ASSERT_TRUE(reader.LoadSkinStream(stored.Bytes()));
    TBytes description;
    String name;
    reader.FindEntry(".ini", description, name);
    ASSERT_FALSE(description.empty());
    TQuickIni ini;
    ini.LoadFromStream(description);
    skin.ReadSkinIni(ini, reader);
}

// A state cut from the picture must hold the margins the description gives it.
void ExpectFitsItsStates(const TDataSkinObject& o, bool stacked = false)
{
    ASSERT_FALSE(o.Bitmap.Empty()) << o.Name;
    ASSERT_GE(o.Frame, 1) << o.Name;
    const int w = stacked ? o.Bitmap.Width() : o.Bitmap.Width() / o.Frame;
    const int h = stacked ? o.Bitmap.Height() / o.Frame : o.Bitmap.Height();
    EXPECT_EQ((stacked ? o.Bitmap.Height() : o.Bitmap.Width()) % o.Frame, 0) << o.Name << ": uneven states";
    EXPECT_LE(o.LeftWidth + o.RightWidth, w) << o.Name;
    EXPECT_LE(o.TopHeight + o.BottomHeight, h) << o.Name;
}

struct TThemeSkin {
    const char* File;
    const char* Name;
};

void PrintTo(const TThemeSkin& skin, std::ostream* os) { *os << skin.File; }

class ThemeSkins : public testing::TestWithParam<TThemeSkin> {};

}  // namespace

TEST_P(ThemeSkins, LoadWithEveryObjectTheProgramUses)
{
    TSkinObjects s;
    LoadThemeSkin(GetParam().File, s);
    if (HasFatalFailure())
        return;
    EXPECT_EQ(s.FSkinName, GetParam().Name);
    for (const TSkinColorKey& k : SkinColorKeys)
        EXPECT_TRUE(s.FColorDefined[k.Index]) << k.Key;

    // Frame: the caption is the top picture's state; the side borders keep it unstretched.
    const TDataSkinBorder& left = s.Border(TSkinObjects::bdLeft);
    const TDataSkinBorder& top = s.Border(TSkinObjects::bdTop);
    const int caption = top.Bitmap.Height() / top.Frame;
    EXPECT_GE(caption, 18);
    for (int i = TSkinObjects::bdLeft; i <= TSkinObjects::bdBottom; ++i) {
        const TDataSkinBorder& b = s.Border(i);
        EXPECT_EQ(b.Frame, 2);
        ExpectFitsItsStates(b, i == TSkinObjects::bdTop || i == TSkinObjects::bdBottom);
        if (i == TSkinObjects::bdLeft || i == TSkinObjects::bdRight) {
            EXPECT_EQ(b.TopHeight, caption);
        }
    }
    EXPECT_GT(left.Bitmap.Height(), caption + left.BottomHeight);
    EXPECT_EQ(s.FTitle->Bitmap.Height(), 2 * caption);  // the text back: active and inactive

    // Caption buttons: close, maximise and restore, minimise, help, each in the caption.
    std::vector<std::pair<int, int>> shown;
    for (const auto& b : s.FSysButtons) {
        if (b->Visibility == 100)
            continue;
        shown.emplace_back(b->Action, b->Visibility);
        if (b->Action == 3)
            continue;  // the window icon
        ASSERT_FALSE(b->Bitmap.Empty()) << b->Name;
        EXPECT_EQ(b->Frame, 4) << b->Name;
        EXPECT_EQ(b->Bitmap.Width() % 4, 0) << b->Name;
        EXPECT_LE(b->Ycoord + b->Bitmap.Height(), caption) << b->Name;
    }
    for (std::pair<int, int> wanted : {std::pair{0, 0}, {1, 2}, {1, 1}, {2, 6}, {4, 10}})
        EXPECT_NE(std::find(shown.begin(), shown.end(), wanted), shown.end()) << wanted.first;

    const TDataSkinButton& buttons = *s.FButtons;
    ExpectFitsItsStates(buttons);
    EXPECT_EQ(buttons.CheckBitmap.Width(), 13 * buttons.CheckButtonFrame);
    EXPECT_EQ(buttons.RadioBitmap.Width(), 13 * buttons.RadioButtonFrame);
    EXPECT_EQ(buttons.ColourGiven, (std::array<bool, 3>{true, true, true}));

    const std::vector<const TDataSkinObject*> needed = {
        s.FMenuBar.get(), s.FMenuItem.get(), s.FMenuBackground.get(), s.FTabs.get(), s.FTabPane.get(),
        s.FComboButton.get(), s.FSunkEdge.get(), s.FExtraImages.get(), s.FGroupBoxEdge.get(), s.FGroupBox.get(),
        s.FStatusBarEdges.get(), s.FProgress.get(), s.FScrollbar.get(), s.FHorzScroll.get(), s.FVertScroll.get(),
        s.FHorzScrollThumb.get(), s.FVertScrollThumb.get(), s.FTrack.get(), s.FTrackVert.get(),
        s.FThumbHorz.get(), s.FThumbVert.get(), s.FUpDownHorz.get(), s.FUpDownVert.get(), s.FHeaderbar.get(),
        s.FComboArrow.get(), s.FToolbar.get()};
    for (size_t i = 0; i < needed.size(); ++i) {
        ASSERT_NE(needed[i], nullptr) << "object " << i;
        ExpectFitsItsStates(*needed[i], needed[i] == s.FMenuBar.get());
    }
    EXPECT_EQ(s.FTabs->Style, 1);  // the pane is Tab.Pane
    EXPECT_EQ(s.FComboButton->Style, 2);  // the box was built whole
    EXPECT_EQ(s.FComboArrow->Bitmap.Width(), 4 * ComboArrowSize);
    EXPECT_EQ(s.FScrollbar->Bitmap.Height(), GetSystemMetrics(SM_CYHSCROLL));
    for (const TDataSkinBorder* updown : {s.FUpDownHorz.get(), s.FUpDownVert.get()})
        EXPECT_EQ(updown->Bitmap2.Width() % 8, 0);
    EXPECT_FALSE(s.FProgress->Style);  // two states: empty and full
    EXPECT_EQ(s.FProgress->Frame, 2);

    // Pictures the engine copies opaque must not show the transparent colour.
    for (TDataSkinObject* opaque : {static_cast<TDataSkinObject*>(s.FTabPane.get()), s.FStatusBarEdges.get(),
                                    s.FMenuBackground.get(), s.FMenuBar.get(), s.FHeaderbar.get(), s.FTrack.get(),
                                    s.FTrackVert.get(), s.FHorzScroll.get(), s.FVertScroll.get()}) {
        const TPixelBuffer px = opaque->Bitmap.PixelBuffer();
        int keyed = 0;
        for (int y = 0; y < px.Height; ++y)
            for (int x = 0; x < px.Width; ++x)
                keyed += PixelToColor(px.At(x, y)) == clFuchsia;
        EXPECT_EQ(keyed, 0) << opaque->Name;
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, ThemeSkins,
                         testing::Values(TThemeSkin{"default.skn", "Standar"}, TThemeSkin{"macos.skn", "MacOS"}),
                         [](const testing::TestParamInfo<TThemeSkin>& info) { return String(info.param.Name); });
