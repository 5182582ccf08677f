// Push buttons, check boxes and radio buttons without windows: frame precedence, caption
// colours, the glyph and caption layouts, the drop-down arrow, glyph frames of the check and
// radio strips, and the disabled glyph's pixels.
#include <gtest/gtest.h>

#include <vector>

#include "buttonlayout.h"
#include "checkboxlayout.h"
#include "controllayout.h"

TEST(ButtonState, PrecedenceOfTheFrames)
{
    using namespace ButtonState;
    // disabled, pressed, hot, focused-or-default
    EXPECT_EQ(PushButtonState(false, false, false, false), Normal);
    EXPECT_EQ(PushButtonState(false, false, false, true), Focused);
    EXPECT_EQ(PushButtonState(false, false, true, true), Hot);       // a hot default button
    EXPECT_EQ(PushButtonState(false, true, true, true), Pressed);
    EXPECT_EQ(PushButtonState(true, true, true, true), Disabled);    // disabled even while pressed
    EXPECT_EQ(PushButtonState(true, false, false, false), Disabled);
    // The drop-down button shows the focus as hot and has no focused frame.
    EXPECT_EQ(MenuButtonState(false, false, false, true), Hot);
    EXPECT_EQ(MenuButtonState(false, true, false, true), Pressed);
    EXPECT_EQ(MenuButtonState(true, true, false, true), Disabled);
    EXPECT_EQ(MenuButtonState(false, false, false, false), Normal);

    EXPECT_EQ(BitButtonGlyphNumber(Pressed), 3);
    EXPECT_EQ(BitButtonGlyphNumber(Disabled), 2);
    for (int s : {Normal, Hot, Focused})
        EXPECT_EQ(BitButtonGlyphNumber(s), 1);
}

TEST(ButtonState, CaptionColours)
{
    TButtonColours skin;
    skin.Colour = {0x10, 0x20, 0x30};
    constexpr int32_t base = 0x99, grey = 0x77;
    // Without given colours the caption keeps its own.
    for (int s = 1; s <= 5; ++s)
        EXPECT_EQ(ButtonTextColor(s, base, skin, grey), s == ButtonState::Disabled ? grey : base) << s;
    skin.Given = {true, true, true};
    EXPECT_EQ(ButtonTextColor(ButtonState::Normal, base, skin, grey), 0x10);
    EXPECT_EQ(ButtonTextColor(ButtonState::Focused, base, skin, grey), 0x10);
    EXPECT_EQ(ButtonTextColor(ButtonState::Hot, base, skin, grey), 0x20);
    EXPECT_EQ(ButtonTextColor(ButtonState::Pressed, base, skin, grey), 0x30);
    EXPECT_EQ(ButtonTextColor(ButtonState::Disabled, base, skin, grey), grey);
    // The picture button and the tabs: the normal colour on the normal frame only.
    EXPECT_EQ(ButtonTextColor(ButtonState::Focused, base, skin, grey, true), base);
    EXPECT_EQ(ButtonTextColor(ButtonState::Normal, base, skin, grey, true), 0x10);
    skin.Given = {true, false, false};
    EXPECT_EQ(ButtonTextColor(ButtonState::Hot, base, skin, grey), 0x10);
    EXPECT_EQ(ButtonTextColor(ButtonState::Hot, base, skin, grey, true), base);
}

TEST(ButtonText, OnlyTheFirstBarPairBreaks)
{
    EXPECT_EQ(WideReplaceFirst(L"One||Two", L"||", L"\r\n"), L"One\r\nTwo");
    EXPECT_EQ(WideReplaceFirst(L"A||B||C", L"||", L"\r\n"), L"A\r\nB||C");
    EXPECT_EQ(WideReplaceFirst(L"plain", L"||", L"\r\n"), L"plain");
    EXPECT_EQ(WideReplaceFirst(L"", L"||", L"\r\n"), L"");
    EXPECT_EQ(WideReplaceFirst(L"abc", L"", L"x"), L"abc");
}

TEST(BitButtonLayout, TheFourLayouts)
{
    EXPECT_EQ(GlyphLayoutOf("blglyphright"), TGlyphLayout::Right);
    EXPECT_EQ(GlyphLayoutOf("blglyphbottom"), TGlyphLayout::Bottom);
    EXPECT_EQ(GlyphLayoutOf("blglyphleft"), TGlyphLayout::Left);
    EXPECT_EQ(GlyphLayoutOf("blglyphtop"), TGlyphLayout::Top);
    EXPECT_EQ(GlyphLayoutOf(""), TGlyphLayout::Left);

    const TPixSize client{100, 30}, glyph{16, 16}, text{40, 13};
    // Margin and spacing worked out: a third of the free room each.
    TBitButtonLayout l = LayoutBitButton(client, glyph, text, -1, -1, TGlyphLayout::Left, false);
    EXPECT_EQ(l.Margin, 14);
    EXPECT_EQ(l.Spacing, 14);
    EXPECT_EQ(l.GlyphX, 14);
    EXPECT_EQ(l.Text.Left, 44);
    EXPECT_EQ(l.GlyphY, 7);     // (30 - 16 + 1) div 2
    EXPECT_EQ(l.Text.Top, 9);   // (30 - 13 + 1) div 2
    EXPECT_EQ(l.Text.Width(), 40);
    EXPECT_EQ(l.TextFlags, TextFlag::WordBreak);
    EXPECT_EQ(LayoutBitButton({100, 31}, glyph, text, -1, -1, TGlyphLayout::Left, false).GlyphY, 8);  // rounded up

    l = LayoutBitButton(client, glyph, text, -1, -1, TGlyphLayout::Right, false);
    EXPECT_EQ(l.GlyphX, 100 - 14 - 16);
    EXPECT_EQ(l.Text.Left, 70 - 14 - 40);
    EXPECT_EQ(l.TextFlags, TextFlag::WordBreak | TextFlag::Right);

    const TPixSize tall{60, 80};
    l = LayoutBitButton(tall, glyph, text, 4, 2, TGlyphLayout::Top, false);
    EXPECT_EQ(l.GlyphY, 4);
    EXPECT_EQ(l.Text.Top, 4 + 16 + 2);
    EXPECT_EQ(l.GlyphX, (60 - 16 + 1) / 2);
    EXPECT_EQ(l.Text.Left, (60 - 40 + 1) / 2);
    EXPECT_EQ(l.TextFlags, TextFlag::WordBreak | TextFlag::Center);

    l = LayoutBitButton(tall, glyph, text, 4, 2, TGlyphLayout::Bottom, false);
    EXPECT_EQ(l.GlyphY, 80 - 4 - 16);
    EXPECT_EQ(l.Text.Top, 60 - 2 - 13);
}

TEST(BitButtonLayout, MarginAndSpacing)
{
    const TPixSize client{100, 30}, glyph{16, 16}, text{40, 13};
    // A given margin with spacing worked out centres the caption in what is left.
    TBitButtonLayout l = LayoutBitButton(client, glyph, text, 5, -1, TGlyphLayout::Left, false);
    EXPECT_EQ(l.Spacing, ((100 - (5 + 16)) - 40) / 2);
    EXPECT_EQ(l.GlyphX, 5);
    // A given spacing with the margin worked out centres both; so does taCenter.
    l = LayoutBitButton(client, glyph, text, -1, 6, TGlyphLayout::Left, false);
    EXPECT_EQ(l.Margin, (100 - (16 + 6 + 40)) / 2);
    l = LayoutBitButton(client, glyph, text, 5, 6, TGlyphLayout::Left, true);
    EXPECT_EQ(l.Margin, (100 - (16 + 6 + 40)) / 2);
    // No caption or no glyph: no spacing.
    l = LayoutBitButton(client, glyph, {0, 0}, 5, 6, TGlyphLayout::Left, false);
    EXPECT_EQ(l.Spacing, 0);
    l = LayoutBitButton(client, {0, 0}, text, -1, -1, TGlyphLayout::Left, false);
    EXPECT_EQ(l.Spacing, 0);
    EXPECT_EQ(l.Margin, (100 - 40) / 2);
    EXPECT_EQ(l.Text.Left, l.Margin);
    // Too little room: negative values truncate toward zero.
    l = LayoutBitButton({20, 20}, glyph, text, -1, -1, TGlyphLayout::Left, false);
    EXPECT_EQ(l.Margin, (20 - 56) / 3);

    EXPECT_EQ(BitButtonTextBox(PixRect(0, 0, 100, 30), glyph, TGlyphLayout::Left), PixRect(2, 2, 80, 28));
    EXPECT_EQ(BitButtonTextBox(PixRect(0, 0, 100, 30), glyph, TGlyphLayout::Bottom), PixRect(2, 2, 98, 10));
}

TEST(MenuButtonLayout, TheArrowStaysOnTheButton)
{
    const TPixSize client{120, 24}, glyph{16, 16}, text{40, 13};
    TMenuButtonLayout l = LayoutMenuButton(client, glyph, text, -1, -1);
    EXPECT_EQ(l.Margin, (120 - (16 + 40 + 8)) / 4);
    EXPECT_EQ(l.Spacing, l.Margin);
    EXPECT_EQ(l.GlyphX, l.Margin);
    EXPECT_EQ(l.GlyphY, 4);
    EXPECT_EQ(l.Text.Left, l.Margin + 16 + l.Spacing);
    EXPECT_EQ(l.ArrowX, l.Text.Left + 2 * l.Spacing + 40);
    EXPECT_EQ(l.ArrowX, 120 - 8);
    EXPECT_EQ(l.ArrowY, 10);

    l = LayoutMenuButton(client, glyph, text, -1, 3);
    EXPECT_EQ(l.Margin, (120 - (16 + 40 + 6 + 8)) / 2);

    // Only the spacing worked out: the arrow ends inside the button, at the same distance from
    // the right edge as above.
    for (int margin : {0, 4, 10}) {
        l = LayoutMenuButton(client, glyph, text, margin, -1);
        EXPECT_LE(l.ArrowX + 3, client.X) << margin;
        EXPECT_GE(l.ArrowX - 3, l.Text.Right) << margin;
    }
    l = LayoutMenuButton(client, {0, 0}, text, 4, -1);
    EXPECT_EQ(l.ArrowX, 120 - 8 - ((120 - 8 - 4 - 40) % 3));

    EXPECT_EQ(MenuButtonTextBox(client, glyph), PixRect(2, 2, 120 - 16 - 8 - 2, 22));
}

TEST(CheckGlyph, CheckBoxFrames)
{
    struct Row {
        int Frames;
        bool Checked, Indeterminate, Disabled;
        int State;
    };
    const Row rows[] = {
        {4, false, false, false, 1}, {4, true, false, false, 2},  {4, false, false, true, 3},
        {4, true, false, true, 4},   {4, false, true, false, 4},  {4, false, true, true, 4},
        {12, false, false, false, 1}, {12, true, false, false, 5}, {12, false, false, true, 4},
        {12, true, false, true, 8},  {12, false, true, false, 9}, {12, false, true, true, 12},
    };
    for (const Row& r : rows) {
        TCheckFacts f;
        f.Frames = r.Frames;
        f.Checked = r.Checked;
        f.Indeterminate = r.Indeterminate;
        f.Disabled = r.Disabled;
        EXPECT_EQ(CheckBoxGlyphState(f), r.State) << r.Frames << r.Checked << r.Indeterminate << r.Disabled;
    }
}

TEST(CheckGlyph, ControlPropertiesOverTheWindow)
{
    // A grayed State without BST_INDETERMINATE.
    TCheckFacts f;
    f.State = "cbgrayed";
    EXPECT_EQ(CheckBoxGlyphState(f), 4);
    f.Frames = 12;
    EXPECT_EQ(CheckBoxGlyphState(f), 8);
    TCheckFacts s;
    s.Checked = true;
    s.State = "cbunchecked";
    EXPECT_EQ(CheckBoxGlyphState(s), 1);
    TCheckFacts c;
    c.Checked = true;
    c.Checked2 = "false";
    EXPECT_EQ(CheckBoxGlyphState(c), 1);
    // A data-aware box follows the last BM_SETCHECK: 2 (indeterminate) shows frame 4.
    TCheckFacts data;
    data.State = "cbchecked";
    data.DataField = true;
    data.CheckState = 3;
    EXPECT_EQ(CheckBoxGlyphState(data), 4);
    // A bound control always starts unchecked.
    TCheckFacts bound;
    bound.Checked = true;
    bound.DataBinding = true;
    bound.Disabled = true;
    EXPECT_EQ(CheckBoxGlyphState(bound), 3);
}

TEST(CheckGlyph, RadioFrames)
{
    EXPECT_EQ(RadioGlyphState(4, true, std::nullopt, false), 2);
    EXPECT_EQ(RadioGlyphState(4, false, std::nullopt, true), 3);
    EXPECT_EQ(RadioGlyphState(4, true, std::nullopt, true), 4);
    EXPECT_EQ(RadioGlyphState(4, true, false, false), 1);
    EXPECT_EQ(RadioGlyphState(4, false, true, false), 2);
    EXPECT_EQ(RadioGlyphState(8, true, std::nullopt, false), 5);
    EXPECT_EQ(RadioGlyphState(8, false, std::nullopt, true), 4);
    EXPECT_EQ(RadioGlyphState(8, true, std::nullopt, true), 8);
}

TEST(CheckLayout, GlyphBesideTheCaption)
{
    const TPixRect r = PixRect(0, 0, 100, 21);
    TCheckLayout l = LayoutCheckBox(r, 13, 13, false, false, false);
    EXPECT_EQ(l.Glyph, PixRect(0, 4, 13, 17));
    EXPECT_EQ(l.Text, PixRect(15, 0, 100, 21));
    EXPECT_EQ(l.Flags, 0u);
    l = LayoutCheckBox(r, 13, 13, false, true, false);
    EXPECT_EQ(l.Flags, TextFlag::RtlReading);
    // A right button: the check box at the edge, the radio button one pixel in.
    l = LayoutCheckBox(r, 13, 13, true, true, false);
    EXPECT_EQ(l.Glyph, PixRect(87, 4, 100, 17));
    EXPECT_EQ(l.Text, PixRect(0, 0, 85, 21));
    EXPECT_EQ(l.Flags, TextFlag::RtlReading | TextFlag::Right);
    l = LayoutCheckBox(r, 13, 13, true, false, true);
    EXPECT_EQ(l.Glyph, PixRect(86, 4, 99, 17));
    EXPECT_EQ(l.Text, PixRect(0, 0, 84, 21));
    EXPECT_EQ(l.Flags, 0u);

    EXPECT_EQ(CentreCheckText(PixRect(15, 0, 100, 21), 13), PixRect(15, 4, 100, 25));
}
