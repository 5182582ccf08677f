// Button-style tabs and pages on real tab controls: reading the tabs leaves the memory around
// the item record alone even when the control keeps extra bytes per tab, and a page paints with
// the face colour and erases with it unless it keeps its own background.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "controlskintest.h"
#include "skinfill.h"

namespace {

// Stands outermost in a (Unicode) tab control's procedure chain: every tab the skin reads is
// read by the control into a copy of the caller's record followed by guard bytes, which must
// stay as they were.
struct TGuardedItems {
    static inline WNDPROC Old = nullptr;
    static inline int Reads = 0;
    static inline int Overruns = 0;
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
    {
        if (m != TCM_GETITEMA && m != TCM_GETITEMW)
            return CallWindowProcW(Old, w, m, wp, lp);
        static_assert(sizeof(TCITEMA) == sizeof(TCITEMW));
        struct {
            TCITEMA Item;
            unsigned char Guard[256];
        } copy;
        std::memcpy(&copy.Item, reinterpret_cast<TCITEMA*>(lp), sizeof copy.Item);
        std::memset(copy.Guard, 0xA5, sizeof copy.Guard);
        const LRESULT r = CallWindowProcW(Old, w, m, wp, reinterpret_cast<LPARAM>(&copy.Item));
        ++Reads;
        for (unsigned char g : copy.Guard)
            if (g != 0xA5) {
                ++Overruns;
                break;
            }
        std::memcpy(reinterpret_cast<TCITEMA*>(lp), &copy.Item, sizeof copy.Item);
        return r;
    }
};

class SkinFillTest : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        UseStripSkin();
    }
};

}  // namespace

TEST_F(SkinFillTest, ButtonTabsWithExtraItemBytesAreReadWithoutWritingPastTheItem)
{
    HWND tabs = RawChild(WC_TABCONTROLA, TCS_BUTTONS, 10, 10, 300, 120);
    // Extra bytes per tab take the place of the item's parameter, however many there are.
    ASSERT_TRUE(SendMessageA(tabs, TCM_SETITEMEXTRA, 64, 0));
    for (const char* caption : {"First", "Second"}) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(caption);
        SendMessageA(tabs, TCM_INSERTITEMA, 9, reinterpret_cast<LPARAM>(&item));
    }
    SkinWindow<TSkinTabBtn>(TSkinKind::TabBtn, tabs);
    TGuardedItems::Reads = TGuardedItems::Overruns = 0;
    ASSERT_TRUE(IsWindowUnicode(tabs));
    TGuardedItems::Old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tabs, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TGuardedItems::Proc)));
    SendMessageA(tabs, TCM_SETCURFOCUS, 1, 0);
    RedrawWindow(tabs, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SetWindowLongPtrW(tabs, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TGuardedItems::Old));
    EXPECT_EQ(TGuardedItems::Reads, 2) << "the skin did not paint the tabs";
    EXPECT_EQ(TGuardedItems::Overruns, 0) << "a tab's read wrote past the item record";
    // Painted all the same: the focused tab pressed, the other normal, one pixel down.
    RECT r[2]{};
    for (int i = 0; i < 2; ++i)
        SendMessageA(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r[i]));
    EXPECT_EQ(WindowPixel(tabs, r[0].left + 2, r[0].bottom), StripButton[0]);
    EXPECT_EQ(WindowPixel(tabs, r[1].left + 2, r[1].bottom), StripButton[1]);
    EXPECT_EQ(WindowPixel(tabs, r[1].left + 2, r[1].top), StripFace);
    // Without the button picture the paint is still consumed, and nothing is drawn.
    Data->FButtons->Bitmap.SetSize(0, 0);
    auto bare = Painted(tabs, clLime);
    EXPECT_EQ(CountOf(*bare, TRect(0, 0, bare->Width(), bare->Height()), clLime), bare->Width() * bare->Height());
    DestroyWindow(tabs);
}

TEST_F(SkinFillTest, APageErasesWithTheFaceUnlessItKeepsItsOwnBackground)
{
    for (int mode : {0, 1}) {
        // A window that neither erases nor paints anything of its own.
        HWND page = MakeTestWindow("VelmoraBarePage", DefWindowProcA, GetModuleHandleA(nullptr), WS_CHILD | WS_VISIBLE,
                                   100, Form->Handle());
        auto* skin = static_cast<TSkinTabSheet*>(NewControlSkin(TSkinKind::TabSheet, SkinForm));
        skin->InitHandle(page, Data, SkinForm, SkinForm->WorkCanvas());
        skin->SetMode(mode);  // 1: its ParentBackground was off when it was skinned
        auto erased = Filled(100, 60, clLime);
        SendMessageA(page, WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased->Canvas()->Handle()), 0);
        EXPECT_EQ(At(*erased, 50, 30) == StripFace, mode == 0) << mode;
        if (mode == 0) {
            EXPECT_EQ(At(*Painted(page, clLime), 50, 30), StripFace);
        }
        DestroyWindow(page);
    }
}
