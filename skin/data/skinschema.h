#pragma once
// One loaded skin: every skin object and colour that a skin description defines, read from
// the description by the fixed schema (sections, keys, defaults, clamps, reading order),
// with the frame counts forced afterwards and the images built from others.
//
// Optional objects are null when the skin lacks them; every user tests for that. After a
// load the borders, the title, the buttons, Track, TrackVert, ComboArrow and Toolbar always
// exist. A load replaces every object, so nothing may keep a pointer to one across a load.
#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "skincolors.h"
#include "skinini.h"
#include "skinobjects.h"
#include "skinreader.h"

// Hands out an entry of the skin file by name: Data receives its bytes, or is left empty
// when there is no such entry.
using TSkinEntryReader = std::function<void(std::string_view Name, TBytes& Data)>;

// The module's own bitmap resources that stand in for a skin without track pictures.
inline constexpr const char* SkinTrackResource = "TRACK";
inline constexpr const char* SkinTrackVertResource = "TRACKVERT";

// Size of one cell of the built combo-box strip.
constexpr int ComboCellWidth = 50;
constexpr int ComboCellHeight = 21;
// Side of one square of the built combo arrow.
constexpr int ComboArrowSize = 17;

// What the pictures of one skin may hold together: one picture as large as a bitmap may be
// (at 32 bits a pixel), and a number of pictures far beyond any real skin. A small, crafted
// file can otherwise name one large, well-compressed picture from thousands of sections, each
// of which holds its own copy.
constexpr int64_t MaxSkinPictureBytes = int64_t(128) << 20;
constexpr int MaxSkinPictures = 2048;
// A skin whose pictures pass those limits; the message names the picture that went past.
TK_EXCEPTION(ESkinPicturesTooLarge, EInvalidGraphic)

class TSkinObjects {
public:
    enum : int { bdLeft = 1, bdRight = 2, bdTop = 3, bdBottom = 4 };

    // The fixed objects (borders, title, buttons) with nothing read into them yet.
    TSkinObjects();
    TSkinObjects(TSkinObjects&&) noexcept;
    TSkinObjects& operator=(TSkinObjects&&) noexcept;
    ~TSkinObjects();

    // Replaces every object and colour with the skin that the description names; its images
    // come from Entries. Missing sections, keys and images give their defaults and never
    // raise. A damaged bitmap entry raises EInvalidGraphic naming the entry, and the skin
    // read before stays as it was; so does a picture past the limits above.
    void ReadSkinIni(const TQuickIni& Ini, const TSkinEntryReader& Entries);
    void ReadSkinIni(const TQuickIni& Ini, const TSkinReader& Reader);

    // ButtonFace, or, when the top border has a picture, its pixel a third of the way into
    // its first state (Width div 3, (Height div Frame) div 3).
    TColor GetBorderColor() const;
    // A border by the frame painting's numbering: bdLeft .. bdBottom.
    TDataSkinBorder& Border(int index) const;

    String FSkinName;

    TSkinColors FColors{};
    std::array<bool, SkinColorCount> FColorDefined{};
    std::vector<TColor> FExtraColors;  // one per COLOUR* section, in file order
    std::array<TColor, SkinCustomColorCount> FCustomColors{};
    TGdiObject<HBRUSH> FFaceBrush;     // solid, of ButtonFace

    std::array<std::unique_ptr<TDataSkinBorder>, 4> FBorders;  // Left, Right, Top, Bottom
    std::unique_ptr<TDataSkinTitle> FTitle;
    std::unique_ptr<TDataSkinButton> FButtons;
    // The caption buttons in file order, then the three MDI child buttons (Action 7, 8, 9).
    std::vector<std::unique_ptr<TDataSkinSysButton>> FSysButtons;

    std::unique_ptr<TDataSkinBorder> FProgress;
    std::unique_ptr<TDataSkinObject> FProgressChunk;
    std::unique_ptr<TDataSkinObject> FMenuBar;
    std::unique_ptr<TDataSkinObject> FGroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> FGroupBox;
    std::unique_ptr<TDataSkinBorder> FTabs;
    std::unique_ptr<TDataSkinObject> FStatusBarEdges;
    std::unique_ptr<TDataSkinObject> FTabPane;
    std::unique_ptr<TDataSkinObject> FToolBars;
    std::unique_ptr<TDataSkinBorder> FComboButton;
    std::unique_ptr<TDataSkinObject> FSunkEdge;
    std::unique_ptr<TDataSkinObject> FExtraImages;
    std::unique_ptr<TDataSkinObject> FHeaderbar;
    std::unique_ptr<TDataSkinObject> FMenuItem;
    std::unique_ptr<TDataSkinObject> FMenuBackground;
    std::unique_ptr<TDataSkinObject> FScrollbar;
    std::unique_ptr<TDataSkinObject> FHorzScroll, FVertScroll;
    std::unique_ptr<TDataSkinObject> FHorzScrollThumb, FVertScrollThumb;
    std::unique_ptr<TDataSkinObject> FThumbHorz, FThumbVert, FThumbLeft, FThumbRight, FThumbUp, FThumbDown;
    std::unique_ptr<TDataSkinBorder> FUpDownHorz, FUpDownVert;
    std::unique_ptr<TDataSkinObject> FTrack, FTrackVert;
    std::unique_ptr<TDataSkinObject> FComboArrow;  // built, named "ComboxArrow"
    std::unique_ptr<TDataSkinObject> FToolbar;     // built gradient, named "Toolbar"

private:
    friend class TSkinLoader;

    void SetFrameCounts(const TQuickIni& Ini);
    void MakeComboButton();
    void MakeComboArrow();
    void MakeToolbarImage();
    void MakeFaceBrush();
};
