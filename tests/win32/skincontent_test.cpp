// Skin files whose container is sound but whose content is damaged: pictures and description
// values a random damage reaches only rarely through the container. They are made from the two
// theme skins and the test skin with our own packer, each with one damage of a kind from the
// table below, loaded through the skin data component and applied to a real window with
// controls. Each loads (what is absent draws nothing) or fails with the skin data component's
// error naming the file; never a crash, a hang, or an error from the window side.
//
// A new damage is a row of DamageKinds; the painting of the engine is exercised by Apply as it
// grows.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <random>

#include "comctrls.h"
#include "combobox.h"
#include "guitest.h"
#include "memo.h"
#include "pagecontrol.h"
#include "skindata.h"
#include "skincontent.h"
#include "skinmanager.h"
#include "statusbar.h"
#include "stdctrls.h"
#include "groupbox.h"
#include "themeskins.h"
#include "trackbar.h"

namespace {

using TRandom = std::mt19937;

TSkinContent FromFolder(const String& folder)
{
    TSkinContent skin{folder, {}, {}, {}};
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &d);
    if (h == INVALID_HANDLE_VALUE)
        throw Exception("no skin folder " + folder);
    do {
        if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        TMemoryStream file;
        file.LoadFromFile(folder + "\\" + d.cFileName);
        const String name = LowerCase(d.cFileName);
        if (ExtractFileExt(name) == ".ini") {
            skin.IniName = name;
            skin.Ini.assign(file.Bytes().begin(), file.Bytes().end());
        } else {
            skin.Pictures.emplace_back(name, file.Bytes());
        }
    } while (FindNextFileA(h, &d));
    FindClose(h);
    return skin;
}

// ---- the description as lines, for damage to its values

size_t Pick(TRandom& random, size_t n) { return n ? static_cast<size_t>(random() % n) : 0; }

template <class T>
const T& PickOf(TRandom& random, const std::vector<T>& v)
{
    return v[Pick(random, v.size())];
}

std::vector<String> Lines(const String& text)
{
    std::vector<String> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == String::npos)
            end = text.size();
        String line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

String Joined(const std::vector<String>& lines)
{
    String text;
    for (const String& l : lines)
        text += l + "\r\n";
    return text;
}

String KeyOf(const String& line)
{
    size_t eq = line.find('=');
    return eq == String::npos || line.empty() || line[0] == '[' || line[0] == ';' ? String() : Trim(line.substr(0, eq));
}

bool IsSection(const String& line) { return !line.empty() && line[0] == '['; }

bool KeyMatches(const String& key, const std::vector<const char*>& parts)
{
    const String lower = LowerCase(key);
    return std::any_of(parts.begin(), parts.end(), [&](const char* p) { return lower.find(p) != String::npos; });
}

// Gives a key whose name holds one of `parts` the value; when the description has none, the key
// `fallback` is added to a section picked at random.
void DamageValues(String& ini, TRandom& random, const std::vector<const char*>& parts, const char* fallback,
                  const std::vector<String>& values)
{
    std::vector<String> lines = Lines(ini);
    std::vector<size_t> keys, sections;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsSection(lines[i]))
            sections.push_back(i);
        else if (KeyMatches(KeyOf(lines[i]), parts))
            keys.push_back(i);
    }
    const String value = PickOf(random, values);
    if (!keys.empty()) {
        // Several at once, as a careless edit of the description does.
        for (int n = 1 + static_cast<int>(Pick(random, 3)); n > 0; --n) {
            size_t i = PickOf(random, keys);
            lines[i] = KeyOf(lines[i]) + "=" + value;
        }
    } else if (!sections.empty()) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(PickOf(random, sections) + 1),
                     String(fallback) + "=" + value);
    }
    ini = Joined(lines);
}

// ---- damage to a picture: the fields of a BMP file

void Put32(TBytes& b, size_t at, uint32_t v)
{
    if (at + 4 <= b.size())
        std::memcpy(b.data() + at, &v, 4);
}

void Put16(TBytes& b, size_t at, uint16_t v)
{
    if (at + 2 <= b.size())
        std::memcpy(b.data() + at, &v, 2);
}

TBytes& PickPicture(TSkinContent& skin, TRandom& random) { return skin.Pictures[Pick(random, skin.Pictures.size())].second; }

// A BMP file's header offsets.
constexpr size_t OffBits = 10, HeaderSize = 14, WidthAt = 18, HeightAt = 22, BitCountAt = 28,
                 CompressionAt = 30, ClrUsedAt = 46;

struct TDamageKind {
    const char* Name;
    std::function<void(TSkinContent&, TRandom&)> Apply;
};

const std::vector<TDamageKind>& DamageKinds()
{
    static const std::vector<TDamageKind> kinds = {
        {"random picture",
         [](TSkinContent& s, TRandom& r) {
             TBytes& b = PickPicture(s, r);
             const bool keepMark = r() % 2;
             for (size_t i = keepMark ? 2 : 0; i < b.size(); ++i)
                 b[i] = static_cast<uint8_t>(r());
         }},
        {"truncated picture",
         [](TSkinContent& s, TRandom& r) {
             TBytes& b = PickPicture(s, r);
             b.resize(r() % 2 ? Pick(r, 80) : Pick(r, b.size()));
         }},
        {"absurd width or height",
         [](TSkinContent& s, TRandom& r) {
             TBytes& b = PickPicture(s, r);
             static const std::vector<uint32_t> v = {0, 1, 0xFFFFFFFF, 0x80000000, 0x7FFFFFFF, 70000, 16385, 3};
             Put32(b, r() % 2 ? WidthAt : HeightAt, PickOf(r, v));
             if (r() % 3 == 0)
                 Put32(b, WidthAt, PickOf(r, v));
         }},
        {"bit depth that does not fit",
         [](TSkinContent& s, TRandom& r) {
             static const std::vector<uint16_t> v = {0, 1, 2, 3, 4, 7, 8, 12, 16, 32, 64, 0xFFFF};
             Put16(PickPicture(s, r), BitCountAt, PickOf(r, v));
         }},
        {"palette that does not fit",
         [](TSkinContent& s, TRandom& r) {
             TBytes& b = PickPicture(s, r);
             static const std::vector<uint32_t> used = {2, 255, 256, 257, 4096, 0xFFFFFFFF};
             if (r() % 2)
                 Put16(b, BitCountAt, r() % 2 ? 8 : 4);
             Put32(b, ClrUsedAt, PickOf(r, used));
         }},
        {"compression and headers that lie",
         [](TSkinContent& s, TRandom& r) {
             TBytes& b = PickPicture(s, r);
             static const std::vector<uint32_t> v = {0, 1, 2, 3, 4, 5, 6, 12, 40, 124, 0xFFFFFFF0};
             static const std::vector<size_t> at = {OffBits, HeaderSize, CompressionAt, 2};
             Put32(b, PickOf(r, at), PickOf(r, v));
         }},
        {"frame count 0 or negative",
         [](TSkinContent& s, TRandom& r) {
             DamageValues(s.Ini, r, {"frame"}, "Frame", {"0", "-1", "-7", "-2147483648", "2147483647", "100000"});
         }},
        {"margins wider than the picture",
         [](TSkinContent& s, TRandom& r) {
             DamageValues(s.Ini, r, {"width", "height", "shift", "coord", "clip"}, "LeftWidth",
                          {"10000", "-50", "2147483647", "-2147483648", "65536", "999"});
         }},
        {"colour out of range",
         [](TSkinContent& s, TRandom& r) {
             DamageValues(s.Ini, r, {"colour", "color", "text", "face", "light", "shadow", "menu", "bar"},
                          "NormalColour",
                          {"999,999,999", "-1,-2,-3", "4294967295", "-2147483648", "$FFFFFFFF", "1,2", ",,,",
                           "256,256,256,256,256", "99999999999999999999", "0x1FFFFFFF"});
         }},
        {"missing section",
         [](TSkinContent& s, TRandom& r) {
             std::vector<String> lines = Lines(s.Ini), kept;
             std::vector<size_t> sections;
             for (size_t i = 0; i < lines.size(); ++i)
                 if (IsSection(lines[i]))
                     sections.push_back(i);
             for (int n = 1 + static_cast<int>(Pick(r, 4)); n > 0 && !sections.empty(); --n) {
                 size_t first = PickOf(r, sections);
                 size_t end = first + 1;
                 while (end < lines.size() && !IsSection(lines[end]))
                     ++end;
                 for (size_t i = first; i < end; ++i)
                     lines[i].clear();
             }
             s.Ini = Joined(lines);
         }},
        {"picture naming no entry",
         [](TSkinContent& s, TRandom& r) {
             DamageValues(s.Ini, r, {"image", "bitmap", "left", "right", "top", "bottom", "back", "button"}, "Image",
                          {"nothere.bmp", "..\\x.bmp", "A.BMP", ".bmp", "x.jpg", "", "\\\\server\\share\\y.bmp"});
         }},
        {"number that is no number",
         [](TSkinContent& s, TRandom& r) {
             DamageValues(s.Ini, r, {"a", "e", "i", "o"}, "Style",
                          {"abc", "0x", "--5", "1e10", "99999999999999999999", " ", "$", "-"});
         }},
    };
    return kinds;
}

// Runs the manager's pending action now instead of in 250 ms: thousands of skins must fit in a
// minute or two.
void RunPendingAction()
{
    TSkinManage* manager = SkinManager();
    if (manager && manager->ActionTimer().Enabled())
        manager->ActionTimer().OnTimer()(nullptr);
}

class SkinContentTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        DoneSkinManager();
        Host = new TForm(nullptr);
        Host->SetBounds(40, 40, 420, 320);
        Host->SetCaption("Damaged skins");
        auto* pages = Add<TPageControl>(Host, Host, "Pages", 8, 8, 260, 200);
        for (const char* name : {"First", "Second"}) {
            auto* sheet = new TTabSheet(Host);
            sheet->SetName(name);
            sheet->SetCaption(name);
            sheet->SetPageControl(pages);
        }
        auto* first = As<TWinControl>(Host->FindComponent("First"));
        auto* box = Add<TGroupBox>(Host, first, "Box", 4, 4, 240, 150);
        Add<TButton>(Host, box, "Button", 8, 20, 80, 24)->SetCaption("Button");
        Add<TCheckBox>(Host, box, "Check", 8, 50, 100, 20)->SetCaption("Check");
        Add<TEdit>(Host, box, "Edit", 8, 76, 100, 22);
        Add<TComboBox>(Host, box, "Combo", 120, 20, 100, 22);
        Add<TTrackBar>(Host, box, "Track", 120, 50, 110, 30);
        auto* memo = Add<TMemo>(Host, Host, "Memo", 280, 8, 120, 120);
        memo->SetScrollBars(ssBoth);
        Add<TStatusBar>(Host, Host, "Status", 0, 0, 100, 19);
        Data = new TSkinData(Host);
        Data->SetSkinFormtype(sfOnlyThisForm);
        Data->Loaded();
        Host->Show();
        File = TempSkinFile("damaged");
    }
    void TearDown() override
    {
        Host->Free();
        DoneSkinManager();
        DeleteFileA(File.c_str());
        GuiTest::TearDown();
    }

    // Loads the skin file; true when it loaded, false when it failed as a damaged skin must.
    bool Load(const TBytes& packed, const String& what)
    {
        TMemoryStream s;
        s.LoadFromBytes(packed.data(), packed.size());
        s.SaveToFile(File);
        try {
            Data->SetSkinFile(File);
        } catch (const ESkinFileDamaged& e) {
            EXPECT_EQ(e.Message().rfind("The skin file \"" + File + "\" is damaged: ", 0), 0u) << what << e.Message();
            EXPECT_TRUE(Data->FSkinEmpty) << what;
            return false;
        } catch (const std::exception& e) {
            ADD_FAILURE() << what << ": not the skin data component's error: " << e.what();
            return false;
        }
        EXPECT_FALSE(Data->FSkinEmpty) << what;
        return true;
    }

    // Applies the loaded skin to the window: attached afresh, or refreshed on the window that
    // has the skin before; then everything is painted.
    void Apply(bool afresh)
    {
        if (afresh && Data->Active()) {
            Data->SetActive(false);
            RunPendingAction();
        }
        Data->SetActive(true);
        RunPendingAction();
        // One pass of painting: the skin's own requests and ours come together.
        RedrawWindow(Host->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        Application->ProcessMessages();
    }

    TForm* Host = nullptr;
    TSkinData* Data = nullptr;
    String File;
};

}  // namespace

TEST_F(SkinContentTest, DamagedPicturesAndValuesLoadOrFailClearlyAndNeverHurtTheWindow)
{
    std::vector<TSkinContent> sources;
    for (const char* theme : {"default.skn", "macos.skn"}) {
        ASSERT_NO_THROW(sources.push_back(FromSkinFile(ThemeSkinPath(theme))))
            << "no " << ThemeSkinPath(theme) << ": build the native build first";
    }
    sources.push_back(FromFolder(TreePath("tests/native/skins/basic")));
    // The small test skin makes most cases: it loads fastest.
    const std::vector<size_t> weights = {1, 1, 6};

    const auto& kinds = DamageKinds();
    // Up to 2000 rounds in a fixed order; a slow machine stops after five minutes, having made
    // every kind many times over, so the run keeps within its time limit.
    const int rounds = 2000;
    const DWORD budget = 300000;
    const DWORD started = GetTickCount();
    TRandom random(20250611);
    std::map<String, std::pair<int, int>> outcome;  // by kind: loaded, refused
    for (int round = 0; round < rounds; ++round) {
        size_t pick = Pick(random, 8);
        const TSkinContent& source = sources[pick < weights[0] ? 0 : pick < weights[0] + weights[1] ? 1 : 2];
        const TDamageKind& kind = kinds[static_cast<size_t>(round) % kinds.size()];
        TSkinContent damaged = source;
        kind.Apply(damaged, random);
        if (random() % 4 == 0)  // now and then two damages at once
            PickOf(random, kinds).Apply(damaged, random);
        const int32_t version = TSkinReader::Versions[Pick(random, TSkinReader::Versions.size())];
        const String what = "round " + IntToStr(round) + ", " + kind.Name + " in " + source.Origin;

        const bool loaded = Load(damaged.Packed(version), what);
        (loaded ? outcome[kind.Name].first : outcome[kind.Name].second)++;
        if (loaded) {
            Apply(round % 3 == 0);
            ASSERT_NE(SkinManager()->FindSkinForm(Host->WindowHandle()), nullptr) << what << ": not applied";
        }
        std::vector<String> reported = TakeReportedExceptions();
        ASSERT_TRUE(reported.empty()) << what << ": the window reported " << reported.front();
        ASSERT_TRUE(IsWindow(Host->WindowHandle())) << what;
        if (HasFailure())
            break;
        if (round >= 20 * static_cast<int>(kinds.size()) && GetTickCount() - started > budget) {
            std::printf("stopped after %d rounds: the time budget is spent\n", round + 1);
            break;
        }
    }
    // Every kind was made and met both ways where it can: the table does what it says.
    for (const TDamageKind& kind : kinds)
        EXPECT_GT(outcome[kind.Name].first + outcome[kind.Name].second, 0) << kind.Name;
    EXPECT_GT(outcome["frame count 0 or negative"].first, 0);
    EXPECT_GT(outcome["truncated picture"].second, 0);
    for (const auto& [name, counts] : outcome)
        std::printf("%-34s loaded %4d  refused %4d\n", name.c_str(), counts.first, counts.second);
}
