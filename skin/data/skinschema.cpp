// Reading a skin description into skin objects, in the schema's order.
#include "skinschema.h"

#include <algorithm>

#include "bmpreader.h"
#include "controls.h"
#include "imgutil.h"

// Reads one description into a fresh set of objects; the caller's set takes them only when
// the whole load succeeded.
class TSkinLoader {
public:
    TSkinLoader(TSkinObjects& Skin, const TQuickIni& Ini, const TSkinEntryReader& Entries)
        : S(Skin), FIni(Ini), FEntries(Entries), FSections(Ini.ReadSections())
    {
    }

    void Run();

private:
    String Str(const char* Section, const String& Key) const { return FIni.ReadString(Section, Key, ""); }
    int Int(const char* Section, const String& Key, int Default) const
    {
        return FIni.ReadInteger(Section, Key, Default);
    }
    TColor ColourText(const char* Section, const char* Key, TColor Default) const
    {
        return ReadColorValue(Str(Section, Key), Default);
    }

    void LoadImage(const String& Value, TBitmap& Target) const;
    // Counts a picture the skin will hold; raises once the skin's pictures pass their limits.
    void Charge(std::string_view Name, int Width, int Height) const;
    void ReadBasics(TDataSkinObject& O, const char* Section, bool WithFrame) const;
    void ReadColourKeys(TDataSkinObject& O, const char* Section) const;
    template <class T>
    std::unique_ptr<T> ReadObject(const char* Section, bool WithFrame = true) const;
    std::unique_ptr<TDataSkinBorder> ReadBorderObject(const char* Section, const char* SecondKey) const;
    std::unique_ptr<TDataSkinBorder> ReadProgress(const char* Section) const;
    std::unique_ptr<TDataSkinBoxLabel> ReadBoxLabel(const char* Section) const;
    std::unique_ptr<TDataSkinObject> ReadMenuBar(const char* Section) const;
    std::unique_ptr<TDataSkinObject> ReadTrack(const char* Section, const char* Resource) const;

    void ReadBorders();
    void ReadColours();
    void ReadSysButtons();
    bool KeepSysButton(const String& Section) const;
    std::unique_ptr<TDataSkinSysButton> ReadSysButton(const String& Section, TPoint& Remembered) const;
    void ReadMDIButtons(size_t First);
    void ReadButtons();
    void ReadTitle();

    TSkinObjects& S;
    const TQuickIni& FIni;
    const TSkinEntryReader& FEntries;
    const std::vector<std::string> FSections;
    mutable int64_t FPictureBytes = 0;
    mutable int FPictures = 0;
};

namespace {

constexpr const char* Personality = "Personality";
constexpr std::array<const char*, 4> BorderNames = {"Left", "Right", "Top", "Bottom"};

// The file-name part of an image value: what follows the last path or drive delimiter.
std::string_view FileNamePart(std::string_view value)
{
    const size_t slash = value.find_last_of("\\/:");
    return slash == std::string_view::npos ? value : value.substr(slash + 1);
}

bool HasBmpExtension(std::string_view name)
{
    const size_t dot = name.rfind('.');
    return dot != std::string_view::npos && name.substr(dot) == ".bmp";
}

}  // namespace

// Only a ".bmp" value (exactly that, in lower case) naming an entry that has bytes gives a
// picture; every other value clears the bitmap. The entry is untrusted: the BMP reader checks
// it against its size and refuses a damaged one.
void TSkinLoader::LoadImage(const String& Value, TBitmap& Target) const
{
    Target.Assign(nullptr);
    const std::string_view name = FileNamePart(Value);
    if (name.empty() || !HasBmpExtension(name))
        return;
    TBytes data;
    FEntries(name, data);
    if (data.empty())
        return;
    try {
        const TBmpReader header(data.data(), data.size(), true);
        Charge(name, header.Width(), header.Height());  // before a single pixel is decoded
        Target.LoadFromBMP(data.data(), data.size());
    } catch (const ESkinPicturesTooLarge&) {
        throw;
    } catch (const Exception& e) {
        throw EInvalidGraphic("Skin image \"" + String(name) + "\" is damaged: " + e.Message());
    }
}

void TSkinLoader::Charge(std::string_view Name, int Width, int Height) const
{
    const String refused = "Skin image \"" + String(Name) + "\" is refused: ";
    if (++FPictures > MaxSkinPictures)
        throw ESkinPicturesTooLarge(refused + "the skin holds more than " + IntToStr(MaxSkinPictures) + " pictures");
    FPictureBytes += int64_t(4) * Width * Height;
    if (FPictureBytes > MaxSkinPictureBytes)
        throw ESkinPicturesTooLarge(refused + "the skin's pictures would take more than " +
                                    IntToStr(MaxSkinPictureBytes >> 20) + " MB");
}

void TSkinLoader::ReadBasics(TDataSkinObject& O, const char* Section, bool WithFrame) const
{
    O.Style = Int(Section, "Style", 0);
    O.LeftWidth = Int(Section, "LeftWidth", 0);
    O.RightWidth = Int(Section, "RightWidth", 0);
    O.TopHeight = Int(Section, "TopHeight", 0);
    O.BottomHeight = Int(Section, "BottomHeight", 0);
    if (WithFrame)
        O.Frame = Int(Section, "Frame", 0);
    O.Trans = Int(Section, "Trans", 0);
    O.Tile = Int(Section, "Tile", 0);
}

void TSkinLoader::ReadColourKeys(TDataSkinObject& O, const char* Section) const
{
    O.NormalColour = Int(Section, "NormalColour", -1);
    O.MouseOverColour = Int(Section, "MouseOverColour", -1);
    O.PressedColour = Int(Section, "PressedColour", -1);
    const TColor text = S.FColors[scButtonText];
    O.NormalColour2 = ColourText(Section, "NormalColour2", text);
    O.MouseOverColour2 = ColourText(Section, "MouseOverColour2", text);
    O.PressedColour2 = ColourText(Section, "PressedColour2", text);
}

// The generic object: none without an Image value.
template <class T>
std::unique_ptr<T> TSkinLoader::ReadObject(const char* Section, bool WithFrame) const
{
    const String image = Str(Section, "Image");
    if (image.empty())
        return nullptr;
    auto o = std::make_unique<T>(Section);
    LoadImage(image, o->Bitmap);
    ReadBasics(*o, Section, WithFrame);
    ReadColourKeys(*o, Section);
    if (o->Tile > 1)
        o->Tile = 0;
    return o;
}

std::unique_ptr<TDataSkinBorder> TSkinLoader::ReadBorderObject(const char* Section, const char* SecondKey) const
{
    const String image = Str(Section, "Image");
    if (image.empty())
        return nullptr;
    auto o = std::make_unique<TDataSkinBorder>(Section);
    LoadImage(image, o->Bitmap);
    const String second = Str(Section, SecondKey);
    if (!second.empty())
        LoadImage(second, o->Bitmap2);
    ReadBasics(*o, Section, false);
    ReadColourKeys(*o, Section);
    if (o->Tile > 1)
        o->Tile = 0;
    return o;
}

std::unique_ptr<TDataSkinBorder> TSkinLoader::ReadProgress(const char* Section) const
{
    const String image = Str(Section, "Bitmap");
    if (image.empty())
        return nullptr;
    auto o = std::make_unique<TDataSkinBorder>(Section);
    LoadImage(image, o->Bitmap);
    ReadBasics(*o, Section, false);
    if (o->Tile > 1)
        o->Tile = 1;
    return o;
}

std::unique_ptr<TDataSkinBoxLabel> TSkinLoader::ReadBoxLabel(const char* Section) const
{
    auto o = ReadObject<TDataSkinBoxLabel>(Section, false);
    if (o) {
        o->BackgroundAlignment = Int(Section, "BackgroundAlignment", 0);
        o->BackgroundLeftShift = Int(Section, "BackgroundLeftShift", 0);
        o->BackgroundRightShift = Int(Section, "BackgroundRightShift", 0);
    }
    return o;
}

std::unique_ptr<TDataSkinObject> TSkinLoader::ReadMenuBar(const char* Section) const
{
    const String image = Str(Section, "menuBar");
    if (image.empty())
        return nullptr;
    auto o = std::make_unique<TDataSkinObject>(Section);
    LoadImage(image, o->Bitmap);
    o->Tile = Int(Section, "TileMenu", 1);
    o->LeftWidth = Int(Section, "TileLeftMenu", 1);
    o->RightWidth = Int(Section, "TileRightMenu", 1);
    if (o->Tile > 1)
        o->Tile = 1;
    return o;
}

// A skin without the section gets the module's own picture, three pixels kept at each end.
std::unique_ptr<TDataSkinObject> TSkinLoader::ReadTrack(const char* Section, const char* Resource) const
{
    if (auto o = ReadObject<TDataSkinObject>(Section))
        return o;
    auto o = std::make_unique<TDataSkinObject>(Section);
    const HINSTANCE module = ModuleInstance();
    if (FindResourceA(module, Resource, MAKEINTRESOURCEA(2)))  // RT_BITMAP
        o->Bitmap.LoadFromResourceName(module, Resource);
    o->SetMargins(3, 3, 3, 3);
    o->Frame = 1;
    return o;
}

void TSkinLoader::ReadBorders()
{
    for (size_t i = 0; i < BorderNames.size(); ++i) {
        TDataSkinBorder& b = *S.FBorders[i];
        const String n = BorderNames[i];
        const int first = Int(Personality, n + "TopHeight", 0);
        const int second = Int(Personality, n + "BotHeight", 0);
        if (i < 2)
            b.SetMargins(0, first, 0, second);
        else
            b.SetMargins(first, 0, second, 0);
        // A frame count below 1 would divide by zero wherever a state is cut out.
        b.Frame = std::max(1, Int(Personality, n + "Frame", 1));
        b.Tile = Int(Personality, n + "Stretch", 1);
        b.Trans = Int(Personality, n + "Trans", 1);
        LoadImage(Str(Personality, n), b.Bitmap);
        if (b.Tile > 1)
            b.Tile = 1;
    }
}

void TSkinLoader::ReadColours()
{
    constexpr const char* Colours = "Colours";
    for (const TSkinColorKey& k : SkinColorKeys) {
        const String text = Str(Colours, k.Key);
        S.FColorDefined[k.Index] = !text.empty();
        const TColor def = k.Index == scMenubar ? S.FColors[scButtonFace] : k.Default;
        S.FColors[k.Index] = ReadColorValue(text, def);
    }
    for (const std::string& name : FSections) {
        const String upper = UpperCase(name);
        if (upper.starts_with("COLOUR") && upper != "COLOURS")
            S.FExtraColors.push_back(ReadColorValue(FIni.ReadString(name, "color", ""), SkinExtraColorDefault));
    }
    for (int i = 0; i < SkinCustomColorCount; ++i)
        S.FCustomColors[i] = ColourText("Customcolors", ("Color" + IntToStr(i)).c_str(), SkinCustomColorDefault);
}

// BUTTON* sections are caption buttons, except the push-button and glyph sections and a
// button with Action -1 whose Visibility is not 0.
bool TSkinLoader::KeepSysButton(const String& Section) const
{
    const String upper = UpperCase(Section);
    if (!upper.starts_with("BUTTON"))
        return false;
    if (upper == "BUTTON" || upper == "BUTTONS" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX")
        return false;
    return !(FIni.ReadInteger(Section, "Action", 0) == -1 && FIni.ReadInteger(Section, "Visibility", -1) != 0);
}

std::unique_ptr<TDataSkinSysButton> TSkinLoader::ReadSysButton(const String& Section, TPoint& Remembered) const
{
    auto b = std::make_unique<TDataSkinSysButton>(UpperCase(Section));
    auto integer = [&](const char* key, int def) { return FIni.ReadInteger(Section, key, def); };
    b->Action = integer("Action", 0);
    b->Align = integer("Align", 0);
    b->Xcoord = integer("Xcoord", 0);
    b->Ycoord = integer("Ycoord", 0);
    b->Visibility = integer("Visibility", 0);
    b->Visibility1 = integer("Visibility1", b->Action == -1 ? -1 : 0);
    if (b->Action == 1 && b->Visibility == 2)
        Remembered = TPoint(b->Xcoord, b->Ycoord);
    if (b->Action == 4) {
        b->Xcoord = Remembered.x;
        b->Ycoord = Remembered.y;
    }
    b->CombineOp = integer("CombineOp", -1);
    b->Frame = integer("frame", 0);
    LoadImage(FIni.ReadString(Section, "ButtonImage", ""), b->Bitmap);
    if (b->Frame == 0) {
        // No frame key: guess from the picture's shape (three states are about square each).
        // Width / Height <= 3.8 is compared as 5 Width <= 19 Height: a division in the x87's
        // extended precision puts exactly 3.8 above the double 3.8.
        b->Frame = 6;
        if (!b->Bitmap.Empty())
            b->Frame = 5LL * b->Bitmap.Width() <= 19LL * b->Bitmap.Height() ? 3 : 6;
        if (b->Action < 0)
            b->Frame = 6;
        if (b->Action == 3 || b->Action == 11)
            b->Bitmap.Assign(nullptr);  // the window icon stands in for it
    }
    b->Frame = std::max(1, b->Frame);
    return b;
}

void TSkinLoader::ReadSysButtons()
{
    std::vector<String> kept;
    for (const std::string& name : FSections)
        if (KeepSysButton(name))
            kept.push_back(name);
    // Action 4 takes the position of the maximise button shown while not maximised; before
    // any such button the position is (0, 0).
    TPoint remembered(0, 0);
    for (const String& name : kept)
        S.FSysButtons.push_back(ReadSysButton(name, remembered));
    ReadMDIButtons(S.FSysButtons.size());
}

// The minimise, restore and close buttons of a maximised MDI child, cut from one picture of
// twelve states: four states a button.
void TSkinLoader::ReadMDIButtons(size_t First)
{
    constexpr std::array<int, 3> actions = {7, 8, 9};
    for (int action : actions) {
        auto b = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
        b->Action = action;
        b->Align = b->Visibility = b->Visibility1 = 100;
        b->Frame = 4;
        S.FSysButtons.push_back(std::move(b));
    }
    TBitmap image;
    const String value = Str("MDICONTROLS", "Image");
    LoadImage(value, image);
    if (image.Empty())
        return;
    const int w = image.Width() / 12, h = image.Height();
    const TPixelBuffer src = image.PixelBuffer();
    for (int k = 0; k < 3; ++k) {
        TDataSkinSysButton& b = *S.FSysButtons[First + k];
        Charge(FileNamePart(value), 4 * w, h);  // the three copies are held besides
        b.Bitmap.SetSize(4 * w, h);
        b.Bitmap.SetPixelFormat(image.PixelFormat());
        const TPixelBuffer dst = b.Bitmap.PixelBuffer();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < 4 * w; ++x)
                dst.At(x, y) = src.At(4 * k * w + x, y);
        b.Xcoord = (w + 4) * (3 - k);
    }
}

void TSkinLoader::ReadButtons()
{
    constexpr const char* Buttons = "Buttons";
    TDataSkinButton& b = *S.FButtons;
    b.LeftWidth = Int(Buttons, "LeftWidth", 0);
    b.RightWidth = Int(Buttons, "RightWidth", 0);
    b.TopHeight = Int(Buttons, "TopHeight", 0);
    b.BottomHeight = Int(Buttons, "BottomHeight", 0);
    b.Trans = Int(Buttons, "Trans", 0);
    LoadImage(Str(Buttons, "Bitmap"), b.Bitmap);
    b.Tile = Int(Buttons, "Tile", 0);
    LoadImage(Str(Buttons, "CheckButton"), b.CheckBitmap);
    LoadImage(Str(Buttons, "RadioButton"), b.RadioBitmap);
    b.NormalColour = Int(Buttons, "NormalColour", -1);
    b.MouseOverColour = Int(Buttons, "MouseOverColour", -1);
    b.PressedColour = Int(Buttons, "PressedColour", -1);
    b.RadioButtonFrame = Int(Buttons, "RadioButtonFrame", 0);
    b.CheckButtonFrame = Int(Buttons, "CheckButtonFrame", 0);
    if (b.Tile > 1)
        b.Tile = 0;
    constexpr std::array<const char*, 3> keys = {"NormalColour2", "MouseOverColour2", "PressedColour2"};
    std::array<TColor*, 3> colours = {&b.NormalColour2, &b.MouseOverColour2, &b.PressedColour2};
    for (size_t i = 0; i < keys.size(); ++i) {
        b.ColourGiven[i] = !Str(Buttons, keys[i]).empty();
        *colours[i] = ColourText(Buttons, keys[i], S.FColors[scButtonText]);
    }
}

void TSkinLoader::ReadTitle()
{
    TDataSkinTitle& t = *S.FTitle;
    LoadImage(Str(Personality, "TextBack"), t.Bitmap);
    t.SetMargins(Int(Personality, "TextShift", 0), Int(Personality, "TextShiftVert", 0),
                 Int(Personality, "TextRightClip", 0), 0);
    t.TextAlignment = Int(Personality, "TextAlignment", 0);
    t.Textbackground = Int(Personality, "Textbackground", 0);
    t.FontHeight = Int("Fonts", "FontHeight", 14);
    t.TXTBackleft = Int(Personality, "TXTBackleft", 0);
    t.TXTBackRight = Int(Personality, "TXTBackRight", 0);
    // A colour counts only when all three of its parts are given and not negative.
    auto rgb = [&](const String& key) {
        const int r = Int(Personality, key + "R", -1), g = Int(Personality, key + "G", -1),
                  b = Int(Personality, key + "B", -1);
        return r >= 0 && g >= 0 && b >= 0 ? static_cast<TColor>(RGB(r & 0xFF, g & 0xFF, b & 0xFF)) : clSkinNoColor;
    };
    t.ActiveTextColor = rgb("ActiveText");
    t.InActiveTextColor = rgb("InActiveText");
}

void TSkinLoader::Run()
{
    S.FSkinName = Str("TitlebarSkin", "SkinName");
    ReadBorders();
    ReadColours();
    ReadSysButtons();
    ReadButtons();
    ReadTitle();
    S.FProgress = ReadProgress("Progress");
    S.FProgressChunk = ReadObject<TDataSkinObject>("Progress.Chunk");
    S.FMenuBar = ReadMenuBar(Personality);
    S.FGroupBoxEdge = ReadObject<TDataSkinObject>("GroupBoxEdge");
    S.FGroupBox = ReadBoxLabel("GroupBox");
    S.FTabs = ReadBorderObject("Tabs", "Border");
    S.FStatusBarEdges = ReadObject<TDataSkinObject>("StatusBarEdges");
    S.FTabPane = ReadObject<TDataSkinObject>("Tab.Pane");
    if (S.FTabPane) {
        TDataSkinObject& p = *S.FTabPane;
        p.SetMargins(std::min(p.LeftWidth, 4), std::min(p.TopHeight, 4), std::min(p.RightWidth, 4),
                     std::min(p.BottomHeight, 4));
    }
    S.FToolBars = ReadObject<TDataSkinObject>("ToolBars");
    S.FComboButton = ReadBorderObject("ComboButton", "****");
    S.FSunkEdge = ReadObject<TDataSkinObject>("SunkEdge");
    if (S.FComboButton && !S.FComboButton->Bitmap.Empty()) {
        TBitmap& mirror = S.FComboButton->Bitmap2;
        Charge(FileNamePart(Str("ComboButton", "Image")), S.FComboButton->Bitmap.Width(),
               S.FComboButton->Bitmap.Height());
        mirror.Assign(&S.FComboButton->Bitmap);
        mirror.SetPixelFormat(pf24bit);
        MirrorBitmap(&mirror);
    }
    S.FExtraImages = ReadObject<TDataSkinObject>("ExtraImages");
    S.FHeaderbar = ReadObject<TDataSkinObject>("Headerbar");
    S.FMenuItem = ReadObject<TDataSkinObject>("MenuItem");
    S.FMenuBackground = ReadObject<TDataSkinObject>("MenuBackground");
    S.FScrollbar = ReadObject<TDataSkinObject>("Scrollbar");
    S.FHorzScroll = ReadObject<TDataSkinObject>("HorzScroll");
    S.FVertScroll = ReadObject<TDataSkinObject>("VertScroll");
    S.FHorzScrollThumb = ReadObject<TDataSkinObject>("HorzScrollThumb");
    S.FVertScrollThumb = ReadObject<TDataSkinObject>("VertScrollThumb");
    S.FThumbHorz = ReadObject<TDataSkinObject>("Trackbar.ThumbHorz");
    S.FThumbVert = ReadObject<TDataSkinObject>("Trackbar.ThumbVert");
    S.FThumbLeft = ReadObject<TDataSkinObject>("Trackbar.ThumbLeft");
    S.FThumbRight = ReadObject<TDataSkinObject>("Trackbar.ThumbRight");
    S.FThumbUp = ReadObject<TDataSkinObject>("Trackbar.ThumbUp");
    S.FThumbDown = ReadObject<TDataSkinObject>("Trackbar.ThumbDown");
    S.FUpDownHorz = ReadBorderObject("UpDown.Horz", "GlyphImage");
    S.FUpDownVert = ReadBorderObject("UpDown.Vert", "GlyphImage");
    S.FTrack = ReadTrack("Track", SkinTrackResource);
    S.FTrackVert = ReadTrack("TRACKVERT", SkinTrackVertResource);
    S.SetFrameCounts(FIni);
    S.MakeComboButton();
    S.MakeComboArrow();
    S.MakeToolbarImage();
    S.FColors[scBorder] = S.GetBorderColor();
    S.MakeFaceBrush();
}

// ---------------------------------------------------------------------------------------------

TSkinObjects::TSkinObjects()
{
    for (size_t i = 0; i < FBorders.size(); ++i)
        FBorders[i] = std::make_unique<TDataSkinBorder>(BorderNames[i]);
    FTitle = std::make_unique<TDataSkinTitle>("Title");
    FButtons = std::make_unique<TDataSkinButton>("Buttons");
}

TSkinObjects::TSkinObjects(TSkinObjects&&) noexcept = default;
TSkinObjects& TSkinObjects::operator=(TSkinObjects&&) noexcept = default;
TSkinObjects::~TSkinObjects() = default;

void TSkinObjects::ReadSkinIni(const TQuickIni& Ini, const TSkinEntryReader& Entries)
{
    TSkinObjects fresh;
    TSkinLoader(fresh, Ini, Entries).Run();
    *this = std::move(fresh);
}

void TSkinObjects::ReadSkinIni(const TQuickIni& Ini, const TSkinReader& Reader)
{
    ReadSkinIni(Ini, [&Reader](std::string_view name, TBytes& data) { Reader.GetEntry(name, data); });
}

TDataSkinBorder& TSkinObjects::Border(int index) const
{
    if (index < bdLeft || index > bdBottom)
        throw EInvalidOperation("Border index " + IntToStr(index) + " out of range");
    return *FBorders[static_cast<size_t>(index - bdLeft)];
}
