// The tab skins: the strip of tabs and the pane of tab and page controls, close boxes, and the
// tab set. Where things go is worked out in tablayout.cpp.
#include "skintab.h"

#include <algorithm>

#include "bitmapview.h"
#include "controldraw.h"
#include "imgutil.h"
#include "objinstance.h"
#include "pagecontrol.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmessages.h"
#include "skinrange.h"
#include "tablayout.h"
#include "winstyle.h"

namespace {

constexpr int TabTextLength = 80;

TDataSkinBorder* TabsObject(TSkinData* data)
{
    TDataSkinBorder* tabs = data ? data->FTabs.get() : nullptr;
    return tabs && !tabs->Bitmap.Empty() ? tabs : nullptr;
}

// A fresh copy of a skin picture, 24 bits a pixel; empty without one.
void TakeCopy(TBitmap* source, TBitmap& copy)
{
    if (source && !source->Empty()) {
        CopySkinBitmap(source, &copy);
    } else {
        copy.SetSize(0, 0);
    }
    copy.SetPixelFormat(pf24bit);
}

// The canvas gets a font of the window's font's attributes (its own handle, so nothing of the
// window's stays selected in our bitmap).
void TakeWindowFont(TCanvas* canvas, HFONT font)
{
    if (!font)
        return;
    TFont windowFont;
    try {
        windowFont.BorrowHandle(font);
    } catch (...) {
        return;  // a handle that is not a font: the canvas keeps its own
    }
    canvas->Font()->Assign(&windowFont);
}

// Frees the pages whose close boxes were clicked, once the click has been handled. It belongs
// to the page control, not to the skin: the skin may be switched off or freed before the
// message comes, and the page still goes.
class TTabPageCloser : public TComponent {
    TK_CLASS(TTabPageCloser, TComponent)
public:
    explicit TTabPageCloser(TPageControl* AOwner) : TComponent(AOwner) {}
    ~TTabPageCloser() override
    {
        for (TTabSheet* page : FPages)
            page->RemoveFreeNotification(this);
    }

    // The page goes after the message being handled; the page control's closer is made once.
    static void Close(TPageControl* Pages, TTabSheet* Page)
    {
        TTabPageCloser* closer = nullptr;
        for (int i = 0; i < Pages->ComponentCount() && !closer; ++i)
            closer = As<TTabPageCloser>(Pages->Components(i));
        if (!closer)
            closer = new TTabPageCloser(Pages);
        closer->Add(Page);
    }

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (op == opRemove)
            std::erase(FPages, c);
    }

private:
    void Add(TTabSheet* Page)
    {
        if (std::find(FPages.begin(), FPages.end(), Page) != FPages.end())
            return;
        if (!FWindow)
            FWindow = TUtilWindow(TWndMethod(this, &TTabPageCloser::WndProc));
        FPages.push_back(Page);
        Page->FreeNotification(this);
        PostMessageA(FWindow.Handle(), WM_APP, 0, 0);
    }
    void WndProc(TMessage& m)
    {
        if (m.Msg != WM_APP) {
            m.Result = DefWindowProcA(FWindow.Handle(), m.Msg, m.WParam, m.LParam);
            return;
        }
        while (!FPages.empty()) {
            TTabSheet* page = FPages.back();
            FPages.pop_back();
            page->RemoveFreeNotification(this);
            page->Free();
        }
    }

    TUtilWindow FWindow;
    std::vector<TTabSheet*> FPages;
};

const TClassInfo& TTabPageCloser::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TTabPageCloser>("TTabPageCloser", &TComponent::StaticClass()).Build();
    return info;
}

}  // namespace

// ---------------------------------------------------------------- TSkinTab

const TClassInfo& TSkinTab::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinTab>("TSkinTab", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinTab::TSkinTab(TComponent* AOwner) : TSkinControl(AOwner) { FStripBitmap.SetPixelFormat(pf24bit); }

TSkinTab::~TSkinTab() { SetReference(FScrollSkin, nullptr); }

void TSkinTab::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    ReferenceGone(FScrollSkin, c, op);
}

void TSkinTab::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    if (FAttached)
        return;
    TSkinControl::InitControl(Form, Data, Canvas, SetColor);
    if (!FAttached)
        return;
    FEnabled = (GetWindowLongAW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    auto* pages = As<TPageControl>(Owner());
    FCloseButtons = pages && pages->Tag() == TabCloseBoxTag && pages->TabPosition() == tpTop;
    PrepareBitmaps();
    AttachScrollUpDown();
    FActive = true;
}

void TSkinTab::InitHandle(HWND Wnd, TSkinData* Data, TSkinForm* Form, TCanvas* Canvas)
{
    TSkinControl::InitHandle(Wnd, Data, Form, Canvas);
    if (!FAttached)
        return;
    FFocused = GetFocus() == FHandle;
    FEnabled = (GetWindowLongAW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    FText = GetWindowTextWide(FHandle);
    PrepareBitmaps();
    AttachScrollUpDown();
    FActive = true;
}

void TSkinTab::SkinChanged()
{
    // The new pictures first, so the repaint shows them.
    PrepareBitmaps();
    TSkinControl::SkinChanged();
}

void TSkinTab::ReadTabPosition()
{
    FTabPosition = TabPositionOfStyle(static_cast<unsigned>(GetWindowLongAW(FHandle, GWL_STYLE)));
}

void TSkinTab::PrepareBitmaps()
{
    ReadTabPosition();
    TDataSkinBorder* tabs = TabsObject(FSkinData);
    TakeCopy(tabs ? &tabs->Bitmap : nullptr, FTabBitmap);
    TBitmap* pane = nullptr;
    if (FSkinData && FSkinData->FTabs) {
        if (FSkinData->FTabs->Style == 0)
            pane = &FSkinData->FTabs->Bitmap2;
        else if (FSkinData->FTabs->Style == 1 && FSkinData->FTabPane)
            pane = &FSkinData->FTabPane->Bitmap;
    }
    TakeCopy(pane, FPaneBitmap);
    switch (FTabPosition) {
    case tbBottom:
        FlipBitmap(&FTabBitmap);
        FlipBitmap(&FPaneBitmap);
        break;
    case tbLeft: RotateBitmapLeft(&FPaneBitmap); break;
    case tbRight: RotateBitmapRight(&FPaneBitmap); break;
    default: break;
    }
}

bool TSkinTab::AttachScrollUpDown()
{
    HWND w = FindWindowExA(FHandle, nullptr, UPDOWN_CLASSA, nullptr);
    if (!w)
        return false;
    if (!FScrollSkin) {
        SetReference(FScrollSkin, new TSkinUpDown(Owner()));
        FScrollSkin->InitHandle(w, FSkinData, FSkinForm, FCanvas);
    }
    return (StyleOf(w) & WS_VISIBLE) != 0;
}

bool TSkinTab::BeforeProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        PaintFromMessage(Message);
        return false;
    case WM_LBUTTONDOWN:
        if (FCloseButtons && ClickCloseButton(Message)) {
            Message.Result = 0;
            return false;
        }
        return true;
    default:
        return TSkinControl::BeforeProc(Message);
    }
}

void TSkinTab::ReadTab(int Index, std::wstring& Text, int& Image) const
{
    constexpr UINT mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    Image = -1;
    if (FUnicode) {
        wchar_t buffer[TabTextLength + 1] = {};
        TCITEMW item{};
        item.mask = mask;
        item.pszText = buffer;
        item.cchTextMax = TabTextLength;
        if (SendMessageW(FHandle, TCM_GETITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item))) {
            Text = WideCopy(buffer, TabTextLength);
            Image = item.iImage;
        }
        return;
    }
    char buffer[TabTextLength + 1] = {};
    TCITEMA item{};
    item.mask = mask;
    item.pszText = buffer;
    item.cchTextMax = TabTextLength;
    if (SendMessageA(FHandle, TCM_GETITEMA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item))) {
        Text = StrToWide(String(buffer, strnlen(buffer, TabTextLength)));
        Image = item.iImage;
    }
}

void TSkinTab::DrawControl(HDC DC, const TRect& R)
{
    ReadTabPosition();
    FEnabled = (GetWindowLongAW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    RECT display = R;
    SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const TRect pane = ToRect(TabPaneRect(ToPixRect(display), FTabPosition));
    const int count = std::max(0, static_cast<int>(SendMessageA(FHandle, TCM_GETITEMCOUNT, 0, 0)));
    FCloseRects.assign(static_cast<size_t>(count), TRect());
    if (TabsObject(FSkinData) && !FTabBitmap.Empty())
        DrawStrip(DC, R, pane);
    if (!FPaneBitmap.Empty())
        DrawPane(DC, pane);
    auto* control = As<TWinControl>(FControl);
    if (control && FMode == 2)
        control->PaintControls(DC, nullptr);
}

void TSkinTab::DrawStrip(HDC DC, const TRect& R, const TRect& Pane)
{
    TDataSkinBorder* tabs = TabsObject(FSkinData);
    const TPixRect window = ToPixRect(R);
    const TPixRect pane = ToPixRect(Pane);
    const TPixRect strip = TabStripRect(window, pane, FTabPosition);
    const TTabStripSize size = TabStripSize(strip, FTabPosition);
    if (size.Length <= 0 || size.Depth <= 0)
        return;
    FStripBitmap.SetSize(size.Length, size.Depth);
    FStripBitmap.SetPixelFormat(pf24bit);
    TCanvas* canvas = FStripBitmap.Canvas();
    FillParentColor(canvas->Handle(), Rect(0, 0, size.Length, size.Depth));
    const auto font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
    TakeWindowFont(canvas, font);

    const int current = static_cast<int>(SendMessageA(FHandle, TCM_GETCURFOCUS, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(FHandle, TCM_GETIMAGELIST, 0, 0));
    for (int i = 0; i < static_cast<int>(FCloseRects.size()); ++i) {
        std::wstring text;
        int image = -1;
        ReadTab(i, text, image);
        RECT t{};
        if (!SendMessageA(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t)))
            continue;
        const TRect tab = ToRect(TabInStrip(ToPixRect(t), FTabPosition, size.Length, pane, window));
        const int state = i == current ? 2 : 1;
        DrawTabFrame(canvas->Handle(), tab, state);
        if (FCloseButtons)
            DrawCloseButton(tab, i);
        // The text drawing leaves the font without its style: each tab of a top or bottom
        // strip is measured in the window's font again.
        if (FTabPosition == tbTop || FTabPosition == tbBottom)
            TakeWindowFont(canvas, font);
        canvas->Font()->SetColor(ColorToRGB(state == 2 ? tabs->MouseOverColour2 : tabs->NormalColour2));
        DrawGlyphAndText(canvas, tab, images, image, text, 1);
    }
    if (FTabPosition == tbRight)
        RotateBitmapRight(&FStripBitmap);
    else if (FTabPosition == tbLeft)
        RotateBitmapLeft(&FStripBitmap);
    if (AttachScrollUpDown())
        CopyStripClipped(DC, ToRect(strip));
    else
        BitBlt(DC, strip.Left, strip.Top, FStripBitmap.Width(), FStripBitmap.Height(), canvas->Handle(), 0, 0,
               SRCCOPY);
}

void TSkinTab::DrawPane(HDC DC, const TRect& Pane)
{
    TDataSkinBorder* tabs = FSkinData ? FSkinData->FTabs.get() : nullptr;
    if (!tabs)
        return;
    TRect margins(4, 5, 4, 4);
    if (tabs->Style != 0) {
        if (!FSkinData->FTabPane)
            return;
        margins = FSkinData->FTabPane->Margins();
    }
    try {
        DrawSkinBitmapSliced(DC, Pane, &FPaneBitmap, margins, 1, 1, false, false, false);
    } catch (...) {
        // The strip is drawn; a pane that fails leaves the control's own.
    }
}

void TSkinTab::DrawTabFrame(HDC DC, const TRect& Rect, int State)
{
    TDataSkinBorder* tabs = TabsObject(FSkinData);
    if (!tabs)
        return;
    DrawSkinBitmapSliced(DC, Rect, &FTabBitmap, tabs->Margins(), State, std::max(tabs->Frame, 1), tabs->Trans == 1,
                         tabs->Tile == 1, false);
}

void TSkinTab::DrawCloseButton(const TRect& Rect, int Index)
{
    DrawLayoutLines(FStripBitmap.Canvas(), TabCloseBoxLines(ToPixRect(Rect)));
    if (Index >= 0 && Index < static_cast<int>(FCloseRects.size()))
        FCloseRects[static_cast<size_t>(Index)] = ToRect(TabCloseBox(ToPixRect(Rect)));
}

void TSkinTab::CopyStripClipped(HDC DC, const TRect& Strip)
{
    HWND upDown = FindWindowExA(FHandle, nullptr, UPDOWN_CLASSA, nullptr);
    RECT self{}, scroller{};
    if (!upDown || !GetWindowRect(FHandle, &self) || !GetWindowRect(upDown, &scroller))
        return;
    OffsetRect(&scroller, -self.left, -self.top);
    TSavedDC saved(DC);
    IntersectClipRect(DC, 0, 0, self.right - self.left, self.bottom - self.top);
    ExcludeClipRect(DC, scroller.left, scroller.top, scroller.right, scroller.bottom);
    BitBlt(DC, Strip.left, Strip.top, FStripBitmap.Width(), FStripBitmap.Height(), FStripBitmap.Canvas()->Handle(), 0,
           0, SRCCOPY);
}

bool TSkinTab::ClickCloseButton(TMessage& Message)
{
    std::vector<TPixRect> boxes;
    boxes.reserve(FCloseRects.size());
    for (const TRect& r : FCloseRects)
        boxes.push_back(ToPixRect(r));
    const int index = TabCloseBoxAt(boxes, MsgX(Message.LParam), MsgY(Message.LParam));
    if (index < 0)
        return false;
    // The form may refuse (a non-zero answer); without a skinned window nobody does.
    HWND form = FSkinForm ? FSkinForm->Window : nullptr;
    const LRESULT answer = form ? SendMessageA(form, SKM_TABCLOSE, reinterpret_cast<WPARAM>(FHandle), index) : 0;
    if (answer == 0)
        ScheduleClose(index);
    return true;
}

void TSkinTab::ScheduleClose(int TabIndex)
{
    auto* pages = As<TPageControl>(FControl);
    if (!pages)
        return;
    // The page whose tab it is: with hidden pages that is not the page at the tab's index.
    for (int i = 0; i < pages->PageCount(); ++i) {
        TTabSheet* page = pages->Pages(i);
        if (page->TabIndex() == TabIndex) {
            TTabPageCloser::Close(pages, page);
            return;
        }
    }
}

// ---------------------------------------------------------------- TSkinTab31

// The tab set is read by name: "Tabs" (the texts), "TabIndex" (the selected tab), "FirstIndex"
// (the first tab it shows), "StartMargin" and "EndMargin", and its Font; its scroll buttons are
// a child window that shows when the tabs do not fit.

const TClassInfo& TSkinTab31::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinTab31>("TSkinTab31", &TSkinControl::StaticClass()).Build();
    return info;
}

void TSkinTab31::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    auto* control = As<TWinControl>(Owner());
    if (FAttached || !control)
        return;
    FControl = control;
    TSkinControl::InitHandle(control->Handle(), Data, Form, Canvas);
    PrepareBitmap();
}

void TSkinTab31::PrepareBitmap()
{
    TDataSkinBorder* tabs = TabsObject(FSkinData);
    TakeCopy(tabs ? &tabs->Bitmap : nullptr, FTabBitmap);
    FlipBitmap(&FTabBitmap);
}

void TSkinTab31::SkinChanged()
{
    PrepareBitmap();
    TSkinControl::SkinChanged();
}

bool TSkinTab31::BeforeProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        // The control paints itself after this, and the skin once more over it.
        PaintFromMessage(Message);
        return true;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeProc(Message);
    }
}

bool TSkinTab31::ScrollButtonsShown() const
{
    for (HWND w = GetWindow(FHandle, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowVisible(w))
            return true;
    return false;
}

void TSkinTab31::DrawControl(HDC DC, const TRect& R)
{
    TDataSkinBorder* tabs = TabsObject(FSkinData);
    if (!tabs || FTabBitmap.Empty() || R.Empty())
        return;
    TBitmap composed(R.Width(), R.Height());
    TCanvas* canvas = composed.Canvas();
    FillFace(canvas->Handle(), Rect(0, 0, R.Width(), R.Height()));
    if (FControl)
        canvas->Font()->Assign(FControl->Font());

    auto* texts = static_cast<TStrings*>(GetObjectPropByName(FControl, "Tabs", &TStrings::StaticClass()));
    const int count = texts ? texts->Count() : 0;
    std::vector<int> widths(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        widths[static_cast<size_t>(i)] = canvas->TextWidth(texts->Get(i));
    const int selected = GetIntPropByName(FControl, "TabIndex");
    const int limit = R.Width() - std::max(0, GetIntPropByName(FControl, "EndMargin"));
    const std::vector<TTabSetTab> laid =
        TabSetLayout(widths, GetIntPropByName(FControl, "FirstIndex"),
                     std::max(0, GetIntPropByName(FControl, "StartMargin")), limit, R.Height(), ScrollButtonsShown());
    for (const TTabSetTab& tab : laid) {
        const int state = tab.Index == selected ? 2 : 1;
        const TRect q = ToRect(tab.Rect);
        DrawSkinBitmapSliced(canvas->Handle(), q, &FTabBitmap, tabs->Margins(), state, std::max(tabs->Frame, 1),
                             tabs->Trans == 1, tabs->Tile == 1, false);
        canvas->Font()->SetColor(ColorToRGB(state == 2 ? tabs->MouseOverColour2 : tabs->NormalColour2));
        DrawCaptionText(canvas, q, StrToWide(texts->Get(tab.Index)), true, DT_CENTER);
    }
    BitBlt(DC, R.left, R.top, R.Width(), R.Height(), canvas->Handle(), 0, 0, SRCCOPY);
}
