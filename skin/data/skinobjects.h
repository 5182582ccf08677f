#pragma once
// Skin objects: the in-memory form of one skinned part (a window border, the caption, the
// button faces, a caption button, a scroll bar, ...), filled from the skin description by
// TSkinObjects::ReadSkinIni and read by the drawing code.
//
// An image holds Frame equal states side by side (state width = Width div Frame) unless its
// user stacks them; the margins are the edges of one state that are never stretched.
#include <array>

#include "graphics.h"

// "Not given" for the caption text colours.
constexpr TColor clSkinNoColor = static_cast<TColor>(0x1FFFFFFF);

class TDataSkinObject : public TObject {
    TK_CLASS(TDataSkinObject, TObject)
public:
    explicit TDataSkinObject(const String& name) : Name(name) {}

    // The margins as a rectangle Left, Top, Right, Bottom, as the drawing primitives take them.
    TRect Margins() const { return TRect(LeftWidth, TopHeight, RightWidth, BottomHeight); }
    void SetMargins(int left, int top, int right, int bottom);
    // Width of one state: Width div Frame, 0 without an image or a usable frame count.
    int FrameWidth() const;

    int LeftWidth = 0;
    int TopHeight = 0;
    int RightWidth = 0;
    int BottomHeight = 0;
    TBitmap Bitmap;
    int Trans = 0;  // 1: magenta pixels are transparent
    int Tile = 0;   // middle repeated (1) or stretched (0); borders keep their stretch flag here
    String Name;
    int Frame = 0;
    int Style = 0;
    TColor NormalColour = 0, MouseOverColour = 0, PressedColour = 0;
    TColor NormalColour2 = 0, MouseOverColour2 = 0, PressedColour2 = 0;
};

class TDataSkinBorder : public TDataSkinObject {
    TK_CLASS(TDataSkinBorder, TDataSkinObject)
public:
    using TDataSkinObject::TDataSkinObject;

    TBitmap Bitmap2;  // second image: tab pane border, up-down glyphs, mirrored combo button
};

class TDataSkinTitle : public TDataSkinObject {
    TK_CLASS(TDataSkinTitle, TDataSkinObject)
public:
    using TDataSkinObject::TDataSkinObject;

    int TextAlignment = 0;
    int Textbackground = 0;
    int FontHeight = 0;
    int TXTBackleft = 0;
    int TXTBackRight = 0;
    TColor ActiveTextColor = 0;
    TColor InActiveTextColor = 0;
};

class TDataSkinButton : public TDataSkinObject {
    TK_CLASS(TDataSkinButton, TDataSkinObject)
public:
    using TDataSkinObject::TDataSkinObject;

    TBitmap CheckBitmap;
    TBitmap RadioBitmap;
    int RadioButtonFrame = 0;
    int CheckButtonFrame = 0;
    // Whether the description gave NormalColour2, MouseOverColour2, PressedColour2.
    std::array<bool, 3> ColourGiven{};
};

class TDataSkinSysButton : public TDataSkinObject {
    TK_CLASS(TDataSkinSysButton, TDataSkinObject)
public:
    using TDataSkinObject::TDataSkinObject;

    int Action = 0;
    int Align = 0;
    int Xcoord = 0;
    int Ycoord = 0;
    int CombineOp = 0;
    int Visibility = 0;
    int Visibility1 = 0;
};

class TDataSkinBoxLabel : public TDataSkinObject {
    TK_CLASS(TDataSkinBoxLabel, TDataSkinObject)
public:
    using TDataSkinObject::TDataSkinObject;

    int BackgroundLeftShift = 0;
    int BackgroundRightShift = 0;
    int BackgroundAlignment = 0;
};
