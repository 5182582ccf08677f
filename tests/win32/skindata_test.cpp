// The skin data component: its published defaults, loading the theme skins from files and
// from bytes stored in a form file, missing and damaged skins, the requests that Active and
// SkinFile hand to the skin manager, and the class filter and caption hint it offers.
#include <cstdlib>
#include <fstream>
#include <tuple>

#include "guitest.h"
#include "later.h"
#include "handles.h"
#include "pixeltest.h"
#include "skindraw.h"
#include "skinhelpers.h"
#include "themeskins.h"
#include "formfile.h"
#include "skindata.h"
#include "skinmanager.h"
#include "skinwriter.h"
#include "stdctrls.h"
#include "subclass.h"

namespace {


TBytes FileBytes(const String& path)
{
    TMemoryStream s;
    s.LoadFromFile(path);
    return s.Bytes();
}

String TempFile(const char* name, const TBytes& bytes)
{
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    String path = String(dir) + name;
    TMemoryStream s;
    s.LoadFromBytes(bytes.data(), bytes.size());
    s.SaveToFile(path);
    return path;
}

String Hex(const TBytes& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    String out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0)
            out += "\n      ";
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

TBytes Stored(const TBytes& skin)
{
    TBytes out(4 + skin.size());
    const auto size = static_cast<int32_t>(skin.size());
    std::memcpy(out.data(), &size, 4);
    std::copy(skin.begin(), skin.end(), out.begin() + 4);
    return out;
}

class SkinDataTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        DoneSkinManager();
        Host = new TForm(nullptr);
        Host->SetBounds(40, 40, 300, 200);
    }
    void TearDown() override
    {
        Host->Free();
        DoneSkinManager();
        GuiTest::TearDown();
    }

    // A component on the host form, loaded as a form file would load it.
    TSkinData* Loaded(TSkinFormType type = sfMainform)
    {
        auto* d = new TSkinData(Host);
        d->SetSkinFormtype(type);
        d->Loaded();
        return d;
    }

    // Streams a form file holding one TSkinData with the given lines into the host.
    TSkinData* Streamed(const String& lines)
    {
        const String text = "object SkinHost: TForm\n  object SkinData1: TSkinData\n" + lines + "\n  end\nend\n";
        ReadFormInto(Host, text, "skinhost.form");
        return As<TSkinData>(Host->FindComponent("SkinData1"));
    }

    TForm* Host = nullptr;
};

TEST_F(SkinDataTest, NewComponentHasThePublishedDefaults)
{
    auto* d = new TSkinData(Host);
    EXPECT_EQ(GetPropText(d, "Active"), "false");
    EXPECT_EQ(GetPropText(d, "DisableTag"), "99");
    EXPECT_EQ(d->SkinControls().Mask(), 0x1FFFFBu);
    EXPECT_FALSE(d->SkinControls().Contains(xcMenuItem));
    EXPECT_FALSE(d->SkinControls().Contains(xcFastReport));
    EXPECT_EQ(d->Options().Mask(), 0x448u);
    EXPECT_EQ(LowerCase(GetPropText(d, "Options")), "[xopreview,xotoolbarbk,xocaptionbuttonhint]");
    EXPECT_EQ(GetPropText(d, "SkinFile"), "");
    EXPECT_EQ(GetPropText(d, "SkinStore"), "(none)");
    EXPECT_EQ(LowerCase(GetPropText(d, "SkinFormtype")), "sfmainform");
    EXPECT_EQ(GetPropText(d, "MenuUpdate"), "true");
    EXPECT_EQ(GetPropText(d, "MenuMerge"), "false");
    SetPropText(d, "Version", "1.0");
    SetPropText(d, "SkinStore", "(Good)");
    EXPECT_EQ(GetPropText(d, "Version"), "5.40.07.15");
    EXPECT_EQ(GetPropText(d, "SkinStore"), "(none)");

    EXPECT_TRUE(d->FSkinEmpty);
    EXPECT_TRUE(d->FFramePaint);
    EXPECT_EQ(d->FHoverTime, 0);
    EXPECT_EQ(d->FMaxWidth, GetSystemMetrics(SM_CXMAXIMIZED));
    EXPECT_EQ(d->Border(TSkinObjects::bdTop).Name, "Top");
    EXPECT_EQ(d->FButtons->Name, "Buttons");
    EXPECT_EQ(d->FTitle->Name, "Title");
    EXPECT_EQ(d->FMenuImages->Count(), 4);  // the module's system menu glyphs
    // Their white is the transparent colour: a glyph drawn on lime keeps the lime around its ink.
    for (int i = 0; i < 4; ++i) {
        auto glyph = Filled(16, 16, clLime);
        d->FMenuImages->Draw(*glyph->Canvas(), 0, 0, i);
        EXPECT_EQ(CountOf(*glyph, TRect(0, 0, 16, 16), clWhite), 0) << i;
        EXPECT_GT(CountOf(*glyph, TRect(0, 0, 16, 16), clLime), 16 * 16 / 3) << i;
        EXPECT_LT(CountOf(*glyph, TRect(0, 0, 16, 16), clLime), 16 * 16) << i;
    }

    // The class map: 118 lines in its order, duplicates kept, kinds spelled as stored.
    TStrings* map = d->Skin3rd();
    ASSERT_EQ(map->Count(), 118);
    EXPECT_EQ(map->Get(0), "TCategoryButtons=scrollbar");
    EXPECT_EQ(map->Get(117), "TLMDCalculatorEdit=edit");
    int twice = 0;
    for (int i = 0; i < map->Count(); ++i)
        twice += map->Get(i) == "TLMDFontSizeCombobox=combobox";
    EXPECT_EQ(twice, 2);
    EXPECT_GE(map->IndexOf("TDBLookupCombobox=Combobox"), 0);
    TStringList other;
    other.Add("TMyGrid=scrollbar");
    d->SetSkin3rd(&other);
    EXPECT_EQ(map->Text(), "TMyGrid=scrollbar\r\n");
}

// The message of the error a skin file raises ("" when none).
String SkinFileError(TSkinData* d, const String& file)
{
    try {
        d->SetSkinFile(file);
    } catch (const ESkinFileDamaged& e) {
        return e.Message();
    }
    return {};
}

TEST_F(SkinDataTest, LoadsTheThemeSkinsFromFilesAndKeepsTheLastOnAMissingFile)
{
    TSkinData* d = Loaded();
    d->SetSkinFile(ThemeSkinPath("default.skn"));
    ASSERT_FALSE(d->FSkinEmpty) << "build the native build first: " << ThemeSkinPath("default.skn");
    const String standar = d->FSkinName;
    EXPECT_FALSE(standar.empty());
    EXPECT_GT(d->Border(TSkinObjects::bdTop).Bitmap.Height(), 0);
    EXPECT_EQ(d->FSkinStream.Bytes(), FileBytes(ThemeSkinPath("default.skn")));

    d->SetSkinFile(ThemeSkinPath("macos.skn"));
    ASSERT_FALSE(d->FSkinEmpty);
    EXPECT_NE(d->FSkinName, standar);
    const String macos = d->FSkinName;

    // Missing, a folder in its place, locked by another: the error of a damaged file, saying
    // what is wrong; the skin is marked empty and the objects stay.
    const String missing = ThemeSkinPath("nothere.skn");
    EXPECT_EQ(SkinFileError(d, missing), "The skin file \"" + missing + "\" was not found");
    EXPECT_TRUE(d->FSkinEmpty);
    EXPECT_EQ(d->SkinFile(), missing);
    EXPECT_EQ(d->FSkinName, macos);

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const String folder = String(temp) + "velmora-folder.skn";
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_EQ(SkinFileError(d, folder), "The skin file \"" + folder + "\" is not a file: a folder has its name");
    RemoveDirectoryA(folder.c_str());

    const String locked = TempFile("velmora-locked.skn", FileBytes(ThemeSkinPath("macos.skn")));
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const String text = SkinFileError(d, locked);
    CloseHandle(lock);
    EXPECT_EQ(text.rfind("The skin file \"" + locked + "\" cannot be read: ", 0), 0u) << text;
    EXPECT_GT(text.size(), locked.size() + 34) << "the system's reason follows";
    EXPECT_TRUE(d->FSkinEmpty);
    EXPECT_EQ(d->FSkinName, macos);
    DeleteFileA(locked.c_str());

    // No name only empties the skin.
    d->SetSkinFile("");
    EXPECT_TRUE(d->FSkinEmpty);
}

TEST_F(SkinDataTest, DamagedSkinFileRaisesAndLeavesTheComponentEmpty)
{
    TSkinData* d = Loaded();
    d->SetSkinFile(ThemeSkinPath("default.skn"));
    ASSERT_FALSE(d->FSkinEmpty);
    const String name = d->FSkinName;

    TBytes cut = FileBytes(ThemeSkinPath("default.skn"));
    cut.resize(cut.size() / 3);
    const String cutFile = TempFile("velmora-cut.skn", cut);
    try {
        d->SetSkinFile(cutFile);
        ADD_FAILURE() << "a damaged skin loaded";
    } catch (const ESkinFileDamaged& e) {
        // Which file, that it is damaged, then the reader's reason.
        EXPECT_EQ(e.Message().rfind("The skin file \"" + cutFile + "\" is damaged: LZH : ", 0), 0u) << e.Message();
    }
    EXPECT_TRUE(d->FSkinEmpty);
    EXPECT_EQ(d->FSkinName, name);

    TBytes noise(5000);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<uint8_t>(i * 131 + 7);
    EXPECT_ANY_THROW(d->SetSkinFile(TempFile("velmora-noise.skn", noise)));
    EXPECT_TRUE(d->FSkinEmpty);
    // Active cannot start skinning while empty.
    SkinManager()->SetPendingData(nullptr);
    d->SetActive(true);
    EXPECT_EQ(SkinManager()->PendingData(), nullptr);
}

// A crafted description: 20,000 caption-button sections, then one section of 20,000 lines whose
// name 20,000 more headers repeat, so every one of them reads its keys again. Each look-up finds
// its section and key through the reader's index: the load takes a fraction of a second, where
// scanning headers or lines for each look-up took minutes. The bound is loose on purpose.
TEST_F(SkinDataTest, ManySectionsLoadInLinearTime)
{
    constexpr int n = 20000;
    std::string ini;
    for (int i = 0; i < n; ++i)
        ini += "[Button" + std::to_string(i) + "]\r\nAction=1\r\n";
    ini += "[ButtonA]\r\n";
    for (int i = 0; i < n; ++i)
        ini += "Key" + std::to_string(i) + "=1\r\n";
    ini += "Action=2\r\n";
    for (int i = 0; i < n; ++i)
        ini += "[ButtonA]\r\n";
    TSkinWriter writer;
    writer.AddEntry("skin.ini", TBytes(ini.begin(), ini.end()));
    const String file = TempFile("velmora-sections.skn", writer.SkinFile());

    TSkinData* d = Loaded();
    const DWORD start = GetTickCount();
    d->SetSkinFile(file);
    const DWORD took = GetTickCount() - start;
    DeleteFileA(file.c_str());
    ASSERT_FALSE(d->FSkinEmpty);
    ASSERT_EQ(d->FSysButtons.size(), 2u * n + 1 + 3);
    EXPECT_EQ(d->FSysButtons[n + 1]->Action, 2) << "every repeated header reads the first section";
    EXPECT_LT(took, 8000u) << "loading " << 3 * n << " sections took " << took << " ms";
}

// A BMP of w x h pixels in 60 bytes: run-length coded, its one code ends the picture at once.
TBytes RunLengthPicture(int w, int h)
{
    TBytes b(60, 0);
    const auto put = [&b](size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    // File header ("BM", size, pixels at 58), info header (40 bytes, w x h, one plane, 8 bits,
    // RLE, 2 bytes of pixels, one palette colour), the palette, then the code 0 1.
    for (auto [at, v, bytes] : {std::tuple{0, 0x4D42u, 2}, {2, 60u, 4}, {10, 58u, 4}, {14, 40u, 4}, {18, unsigned(w), 4},
                                {22, unsigned(h), 4}, {26, 1u, 2}, {28, 8u, 2}, {30, 1u, 4}, {34, 2u, 4}, {46, 1u, 4},
                                {58, 0x0100u, 2}})
        put(static_cast<size_t>(at), v, bytes);
    return b;
}

// A small crafted file can name one large, well-compressed picture from many sections; each
// holds its own copy. Past what one skin's pictures may take, the load is refused before the
// picture is decoded again, names the file and the limit, and keeps the skin loaded before.
TEST_F(SkinDataTest, SkinWhosePicturesWouldTakeTooMuchMemoryIsRefused)
{
    const auto sections = [](int n, const char* picture) {
        std::string ini = "[TitlebarSkin]\nSkinName=Crafted\n";
        for (int i = 0; i < n; ++i)
            ini += "[Button" + std::to_string(i) + "]\nButtonImage=" + picture + "\n";
        return ini;
    };
    const String tooLarge = "Skin image \"big.bmp\" is refused: the skin's pictures would take more than 128 MB";
    const std::pair<std::string, String> cases[] = {
        {sections(1, "big.bmp"), ""},  // one picture as large as a bitmap may be still loads
        {sections(2, "big.bmp"), tooLarge},
        {"[MDICONTROLS]\nImage=big.bmp\n", tooLarge},  // the three buttons' copies count
        {"[ComboButton]\nImage=big.bmp\n", tooLarge},  // and so does its mirrored copy
        {sections(MaxSkinPictures, "dot.bmp"), ""},
        {sections(MaxSkinPictures + 1, "dot.bmp"),
         "Skin image \"dot.bmp\" is refused: the skin holds more than 2048 pictures"},
    };
    TSkinData* d = Loaded();
    for (const auto& [ini, refusal] : cases) {
        TSkinWriter writer;
        writer.AddEntry("skin.ini", TBytes(ini.begin(), ini.end()));
        writer.AddEntry("big.bmp", RunLengthPicture(MaxGraphicSide, static_cast<int>(MaxGraphicPixels / MaxGraphicSide)));
        writer.AddEntry("dot.bmp", RunLengthPicture(1, 1));
        const TBytes packed = writer.SkinFile();
        ASSERT_LT(packed.size(), 10000u);
        const String file = TempFile("velmora-crafted.skn", packed);
        d->SetSkinFile(ThemeSkinPath("macos.skn"));
        const String macos = d->FSkinName;
        const String error = SkinFileError(d, file);
        DeleteFileA(file.c_str());
        if (refusal.empty()) {
            EXPECT_EQ(error, "");
            EXPECT_EQ(d->FSkinName, "Crafted");
            continue;
        }
        EXPECT_EQ(error, "The skin file \"" + file + "\" is damaged: " + refusal);
        EXPECT_TRUE(d->FSkinEmpty);
        EXPECT_EQ(d->FSkinName, macos);
    }
}

TEST_F(SkinDataTest, StoredSkinStreamsThroughAFormFile)
{
    const TBytes skin = FileBytes(ThemeSkinPath("macos.skn"));
    TSkinData* d = Streamed("    Active = True\n    SkinStream = {" + Hex(Stored(skin)) + "}");
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->FSkinEmpty);
    EXPECT_EQ(d->FSkinStream.Bytes(), skin);
    EXPECT_EQ(d->SkinStore(), "(none)");  // at run time even with a stored skin
    // Active with a skin: activation is requested for it after Loaded.
    EXPECT_TRUE(d->Active());
    EXPECT_EQ(SkinManager()->PendingData(), d);
    EXPECT_EQ(SkinManager()->Action(), TSkinManage::saActivate);

    // Written back as read: size, then the bytes.
    TMemoryStream out;
    d->WriteSkinStream(out);
    EXPECT_EQ(out.Bytes(), Stored(skin));
    auto* copy = new TSkinData(Host);
    out.SetPosition(0);
    copy->ReadSkinStream(out);
    EXPECT_FALSE(copy->FSkinEmpty);
    EXPECT_EQ(copy->FSkinName, d->FSkinName);
}

TEST_F(SkinDataTest, AComponentForItsOwnFormSkinsThatFormAsItLoads)
{
    const TBytes skin = FileBytes(ThemeSkinPath("macos.skn"));
    TSkinData* d = Streamed("    Active = True\n    SkinFormtype = sfOnlyThisForm\n    SkinStream = {" +
                            Hex(Stored(skin)) + "}");
    ASSERT_NE(d, nullptr);
    EXPECT_NE(SkinManager()->FindSkinForm(Host->Handle()), nullptr) << "the form was not skinned as it loaded";
}

TEST_F(SkinDataTest, AStoredSkinOfAnOlderVersionIsToldAndNotLoaded)
{
    TSkinData* d = Loaded();
    const uint8_t older[] = {0, 0, 0, 0};
    d->FSkinStream.LoadFromBytes(older, sizeof older);
    String told;
    TLater ok([&] {
        TCustomForm* box = NewestForm();
        auto* text = box && box->Showing() ? Part<TLabel>(box, "Message") : nullptr;
        if (!text)
            return false;
        told = text->Caption();
        Part<TButton>(box, "OK")->Click();
        return true;
    });
    EXPECT_FALSE(d->LoadSkinStore());
    EXPECT_NE(told.find("This is Older Skin File"), String::npos) << "no message told of the older skin";
    EXPECT_TRUE(d->FSkinEmpty);
}

TEST_F(SkinDataTest, StoredSkinOfSizeZeroOrCutShort)
{
    // No stored skin: Active from the form file falls back to False.
    TSkinData* d = Streamed("    Active = True\n    SkinStream = {00000000}");
    EXPECT_TRUE(d->FSkinEmpty);
    EXPECT_FALSE(d->Active());
    d->Free();

    TBytes cut = Stored(FileBytes(ThemeSkinPath("default.skn")));
    cut.resize(cut.size() - 10);
    try {
        Streamed("    SkinStream = {" + Hex(cut) + "}");
        FAIL() << "a stored skin shorter than its size must not load";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("skinhost.form(3)"), String::npos) << e.Message();
        EXPECT_NE(e.Message().find("cut short"), String::npos) << e.Message();
    }
}

TEST_F(SkinDataTest, ActiveAndSkinFileRequestActionsFromTheManager)
{
    TSkinData* d = Loaded();
    TSkinManage& m = *SkinManager();
    m.SetRunState(TSkinManage::rsRunning);

    d->SetActive(true);  // empty: nothing
    EXPECT_EQ(m.PendingData(), nullptr);
    EXPECT_FALSE(m.ActionTimer().Enabled());

    // The skin arrives while Active is already on: activation, not only a refresh.
    d->SetSkinFile(ThemeSkinPath("macos.skn"));
    EXPECT_EQ(m.PendingData(), d);
    EXPECT_EQ(m.Action(), TSkinManage::saActivate);
    EXPECT_EQ(m.ActionTimer().Interval(), 250);
    EXPECT_TRUE(m.ActionTimer().Enabled());

    d->SetActive(false);
    EXPECT_EQ(m.Action(), TSkinManage::saDeactivate);
    m.SetRunState(TSkinManage::rsIdle);
    d->SetActive(true);  // the main form's component sets the manager running
    EXPECT_EQ(m.Action(), TSkinManage::saActivate);
    EXPECT_EQ(m.RunState(), TSkinManage::rsRunning);

    // Nothing is skinned yet (no window shown), so a new skin asks for a refresh.
    d->SetActive(false);
    d->SetSkinFile(ThemeSkinPath("default.skn"));
    EXPECT_EQ(m.Action(), TSkinManage::saRefresh);

    // A dialog's component leaves the switching to its dialog.
    TSkinData* dialog = Loaded(sfDialog);
    dialog->SetSkinFile(ThemeSkinPath("macos.skn"));
    m.SetPendingData(nullptr);
    dialog->SetActive(true);
    EXPECT_EQ(m.PendingData(), nullptr);

    // One made in code and never loaded registers itself when asked to update.
    auto* late = new TSkinData(Host);
    late->UpdateSkin();
    EXPECT_TRUE(m.HasSkinData(late));
}

TEST_F(SkinDataTest, LoadedTrimsTheControlKindsOfAMainformComponent)
{
    TSkinData* main = Loaded();
    EXPECT_TRUE(main->SkinControls().Contains(xcMainMenu));
    EXPECT_FALSE(main->SkinControls().Contains(xcMenuItem));
    EXPECT_TRUE(main->SkinControls().Contains(xcSystemMenu));

    auto* noMenu = new TSkinData(Host);
    noMenu->SetSkinControls(TSkinControlTypes{xcButton, xcMenuItem, xcSystemMenu});
    noMenu->Loaded();
    EXPECT_EQ(noMenu->SkinControls(), (TSkinControlTypes{xcButton, xcMenuItem}));

    // A component for its own form only keeps both, and switches the manager on at once.
    auto* own = new TSkinData(Host);
    own->SetSkinFormtype(sfOnlyThisForm);
    own->SetSkinControls(TSkinControlTypes{xcMainMenu, xcMenuItem, xcSystemMenu});
    own->Loaded();
    EXPECT_EQ(own->SkinControls(), (TSkinControlTypes{xcMainMenu, xcMenuItem, xcSystemMenu}));
    EXPECT_TRUE(SkinManager()->Active());
    EXPECT_EQ(SkinManager()->RunState(), TSkinManage::rsRunning);
    EXPECT_EQ(SkinManager()->SkinDataCount(), 3);
    EXPECT_EQ(SkinManager()->DefaultData(), main);

    // Scroll bars are skinned only where user32 can tell their parts.
    EXPECT_TRUE(main->SkinControls().Contains(xcScrollbar));
    const TSkinUser32Entries entries = SkinUser32Entries();
    SkinUser32Entries().GetScrollBarInfo = nullptr;
    TSkinData* older = Loaded();
    SkinUser32Entries() = entries;
    EXPECT_FALSE(older->SkinControls().Contains(xcScrollbar));
}

// An icon of the small size whose left half is transparent and right half red.
TIconHandle HalfRedIcon(int cx, int cy)
{
    HDC screen = GetDC(nullptr);
    TGdiObject<HBITMAP> colour(CreateCompatibleBitmap(screen, cx, cy));
    ReleaseDC(nullptr, screen);
    TGdiObject<HBITMAP> mask(CreateBitmap(cx, cy, 1, 1, nullptr));
    {
        TMemoryDC c(colour.Get()), m(mask.Get());
        PatBlt(c.Get(), 0, 0, cx, cy, BLACKNESS);
        PatBlt(m.Get(), 0, 0, cx, cy, BLACKNESS);
        PatBlt(m.Get(), 0, 0, cx / 2, cy, WHITENESS);
        TGdiObject<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));
        const RECT right{cx / 2, 0, cx, cy};
        FillRect(c.Get(), &right, red.Get());
    }
    ICONINFO info{TRUE, 0, 0, mask.Get(), colour.Get()};
    return TIconHandle(CreateIconIndirect(&info));
}

// The application window answering for its big icon only.
class TBigIconOnly : public TObject {
public:
    explicit TBigIconOnly(HICON icon) : FIcon(icon)
    {
        FSub.Install(Application->Handle(), TWndMethod(this, &TBigIconOnly::WndProc), false);
    }

private:
    void WndProc(TMessage& m)
    {
        if (m.Msg == WM_GETICON)
            m.Result = m.WParam == ICON_BIG ? reinterpret_cast<LRESULT>(FIcon) : 0;
        else
            m.Result = FSub.CallOld(m);
    }
    HICON FIcon;
    TWindowSubclass FSub;
};

TEST_F(SkinDataTest, AppIconOnMagentaAndTheSystemCaptionFont)
{
    // The application window answers with the application's icon.
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    TIconHandle before(Application->Icon()->ReleaseHandle());
    Application->Icon()->SetHandle(HalfRedIcon(cx, cy).Release());
    TSkinData* d = Loaded();
    TIconHandle ours(Application->Icon()->ReleaseHandle());
    Application->Icon()->SetHandle(before.Release());
    ASSERT_EQ(d->FIconBitmap.Width(), cx);
    EXPECT_EQ(At(d->FIconBitmap, 1, cy / 2), clFuchsia);
    EXPECT_EQ(At(d->FIconBitmap, cx - 2, cy / 2), clRed);
    EXPECT_TRUE(d->FIconBitmap.Transparent());
    EXPECT_EQ(d->FIconBitmap.TransparentColor(), clFuchsia);

    // An application window with a big icon only: that one, made small.
    TBigIconOnly bigOnly(ours.Get());
    TSkinData* fromBig = Loaded();
    ASSERT_EQ(fromBig->FIconBitmap.Width(), cx);
    EXPECT_EQ(At(fromBig->FIconBitmap, cx - 2, cy / 2), clRed);

    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    LOGFONTA font{};
    ASSERT_TRUE(GetObjectA(d->FCaptionFont->Handle(), sizeof font, &font));
    EXPECT_STREQ(font.lfFaceName, metrics.lfCaptionFont.lfFaceName);
    EXPECT_EQ(font.lfHeight, metrics.lfCaptionFont.lfHeight);
    EXPECT_EQ(font.lfWeight, metrics.lfCaptionFont.lfWeight);
}

class TFormSkinVeto : public TObject {
public:
    void FormSkin(TObject*, const String& name, bool& doSkin)
    {
        Seen = name;
        doSkin = name == "SysMonthCal32";
    }
    String Seen;
};

TEST_F(SkinDataTest, ClassFilterAndItsEvent)
{
    auto* d = new TSkinData(Host);
    auto ask = [d](const char* cls, bool start = true) {
        bool doSkin = start;
        d->DoFormSkin(nullptr, cls, doSkin);
        return doSkin;
    };
    EXPECT_FALSE(ask("SysMonthCal32"));
    EXPECT_TRUE(ask("sysmonthcal32"));  // exact
    EXPECT_TRUE(ask("TfrDesigner"));
    EXPECT_FALSE(ask("TEdit", false));  // the caller's answer stands
    d->SetSkinControls(d->SkinControls() + TSkinControlTypes{xcFastReport});
    EXPECT_FALSE(ask("TfrDesigner"));
    EXPECT_TRUE(ask("TFRDesigner"));

    TFormSkinVeto veto;
    d->OnFormSkin = TOnFormSkin(&veto, &TFormSkinVeto::FormSkin);
    EXPECT_TRUE(ask("SysMonthCal32"));  // the event has the last word
    EXPECT_FALSE(ask("TForm1"));
    EXPECT_EQ(veto.Seen, "TForm1");
}

TEST_F(SkinDataTest, CaptionHintShowsOnceUntilHidden)
{
    auto* d = new TSkinData(Host);
    d->ShowCaptionHint(TRect(100, 120, 120, 140), "Close");
    ASSERT_TRUE(d->FHintShown);
    HWND hint = d->HintWindow()->WindowHandle();
    ASSERT_TRUE(IsWindowVisible(hint));
    RECT first{};
    GetWindowRect(hint, &first);
    EXPECT_EQ(first.left, 100);
    EXPECT_EQ(first.top, 120);

    d->ShowCaptionHint(TRect(300, 300, 320, 320), "Minimize");  // one is showing: nothing
    RECT second{};
    GetWindowRect(hint, &second);
    EXPECT_EQ(second.left, 100);

    d->HideCaptionHint();
    EXPECT_FALSE(d->FHintShown);
    EXPECT_FALSE(IsWindowVisible(hint));

    // A longer hint stays on one line.
    const String longer = "Restore the window to the size it had before";
    d->ShowCaptionHint(TRect(100, 120, 120, 140), longer);
    RECT wide{};
    GetWindowRect(hint, &wide);
    EXPECT_GT(wide.right - wide.left, 150);
    EXPECT_LT(wide.bottom - wide.top, 40);
    d->HideCaptionHint();

    d->SetOptions(TSkinOptions{xoPreview});
    d->ShowCaptionHint(TRect(100, 120, 120, 140), "Close");
    EXPECT_FALSE(d->FHintShown);

    // Freed, the component is no longer the manager's.
    TSkinData* gone = Loaded();
    ASSERT_TRUE(SkinManager()->HasSkinData(gone));
    gone->Free();
    EXPECT_FALSE(SkinManager()->HasSkinData(gone));
}

}  // namespace
