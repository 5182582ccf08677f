#include "controls.h"

#include <algorithm>

#include "forms.h"
#include "menus.h"

// ---------------------------------------------------------------- module and helpers

HINSTANCE ModuleInstance()
{
    static const HINSTANCE instance = [] {
        HMODULE m = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&ModuleInstance), &m);
        return static_cast<HINSTANCE>(m);
    }();
    return instance;
}

const TEnumInfo AlignInfo{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
const TEnumInfo AlignmentInfo{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
const TEnumInfo BiDiModeInfo{"TBiDiMode",
                             {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};

DWORD BiDiModeExStyle(TBiDiMode m)
{
    DWORD ex = 0;
    if (UseRightToLeftReading(m))
        ex |= WS_EX_RTLREADING;
    if (UseRightToLeftAlignment(m))
        ex |= WS_EX_RIGHT;
    if (UseRightToLeftScrollBar(m))
        ex |= WS_EX_LEFTSCROLLBAR;
    return ex;
}

TShiftState KeysToShiftState(WPARAM keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    if (keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData)
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (keyData & 0x20000000) s.Include(ssAlt);  // the context bit: Alt was down
    return s;
}

TShiftState GetShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    if (GetKeyState(VK_LBUTTON) < 0) s.Include(ssLeft);
    if (GetKeyState(VK_RBUTTON) < 0) s.Include(ssRight);
    if (GetKeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
    return s;
}

HCURSOR CursorHandle(TCursor c)
{
    LPCSTR id = IDC_ARROW;
    switch (c) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: case crHSplit: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: case crSQLWait: id = IDC_WAIT; break;
    case crNoDrop: case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
    }
    return LoadCursorA(nullptr, id);
}

bool IsAccel(unsigned key, const String& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {  // "&&" is a plain ampersand
            ++i;
            continue;
        }
        auto up = [](unsigned c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; };
        return up(static_cast<unsigned char>(caption[i + 1])) == up(key & 0xFF);
    }
    return false;
}

String GetShortHint(const String& hint)
{
    size_t bar = hint.find('|');
    return bar == String::npos ? hint : hint.substr(0, bar);
}

String GetLongHint(const String& hint)
{
    size_t bar = hint.find('|');
    return bar == String::npos ? hint : hint.substr(bar + 1);
}

TCustomForm* GetParentForm(const TControl* c)
{
    if (!c)
        return nullptr;
    while (c->Parent())
        c = c->Parent();
    return As<TCustomForm>(const_cast<TControl*>(c));
}

TControl* FindDragTarget(const TPoint& p, bool allowDisabled)
{
    TWinControl* w = FindControl(WindowFromPoint(p));
    if (!w)
        return nullptr;
    TControl* c = w->ControlAtPos(w->ScreenToClient(p), allowDisabled);
    return c ? c : w;
}

// ---------------------------------------------------------------- TControl

const TClassInfo& TControl::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TControl>("TControl", &TComponent::StaticClass())
            .Prop("Left", &TControl::Left, &TControl::SetLeft)
            .Prop("Top", &TControl::Top, &TControl::SetTop)
            .Prop("Width", &TControl::Width, &TControl::SetWidth)
            .Prop("Height", &TControl::Height, &TControl::SetHeight)
            .EnumProp<TAlign>("Align", AlignInfo, &TControl::Align, &TControl::SetAlign)
            .Prop("Visible", &TControl::Visible, &TControl::SetVisible)
            .Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .ColorProp("Color", &TControl::Color, &TControl::SetColor)
            .Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
            .ObjectProp<TFont>("Font", &TControl::Font, &TControl::SetFont)
            .Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
            .Prop("Cursor", &TControl::Cursor, &TControl::SetCursor)
            .Prop("Hint", &TControl::Hint, &TControl::SetHint)
            .Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
            .Prop("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
            .ComponentProp<TPopupMenu>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
            .EnumProp<TBiDiMode>("BiDiMode", BiDiModeInfo, &TControl::BiDiMode, &TControl::SetBiDiMode)
            .Prop("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode)
            .Event("OnClick", &TControl::OnClick)
            .Event("OnDblClick", &TControl::OnDblClick)
            .Event("OnResize", &TControl::OnResize)
            .Event("OnMouseDown", &TControl::OnMouseDown)
            .Event("OnMouseUp", &TControl::OnMouseUp)
            .Event("OnMouseMove", &TControl::OnMouseMove)
            .Event("OnMouseEnter", &TControl::OnMouseEnter)
            .Event("OnMouseLeave", &TControl::OnMouseLeave)
            .Build();
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>())
{
    WindowProc = TWndMethod(this, &TControl::WndProc);
    FFont->OnChange = TNotifyEvent(this, &TControl::FontChanged);
}

TControl::~TControl()
{
    // Deleted without Free: at least leave the parent and the application.
    if (!FControlDestroying) {
        FControlDestroying = true;
        if (Application)
            Application->ControlGone(this);
        if (FParent)
            FParent->RemoveControl(this);
    }
}

void TControl::BeforeDestruction()
{
    if (FControlDestroying)
        return;
    FControlDestroying = true;
    if (Application)
        Application->ControlGone(this);
    if (TCustomForm* form = GetParentForm(this); form && form != this)
        form->ControlGone(this);
    TComponent::BeforeDestruction();
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == FParent)
        return;
    for (TWinControl* p = parent; p; p = p->Parent())
        if (p == this)
            throw EInvalidOperation("Control '" + Name() + "' cannot be its own parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* w = As<TWinControl>(parent))
        SetParent(w);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::StoreBounds(int left, int top, int width, int height)
{
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    bool resized = width != FWidth || height != FHeight;
    InvalidateControl(FVisible, true);
    StoreBounds(left, top, width, height);
    InvalidateControl(FVisible);
    RequestAlign();
    if (resized && !Loading())
        Resize();
}

TRect TControl::ClientRect() const { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientSize(int w, int h) { SetBounds(FLeft, FTop, w, h); }

TPoint TControl::ClientOrigin() const
{
    if (!FParent)
        return TPoint(FLeft, FTop);
    TPoint p = FParent->ClientOrigin();
    return TPoint(p.x + FLeft, p.y + FTop);
}

TPoint TControl::ClientToScreen(const TPoint& p) const
{
    TPoint o = ClientOrigin();
    return TPoint(p.x + o.x, p.y + o.y);
}

TPoint TControl::ScreenToClient(const TPoint& p) const
{
    TPoint o = ClientOrigin();
    return TPoint(p.x - o.x, p.y - o.y);
}

void TControl::SetAutoSize(bool v)
{
    if (v == FAutoSize)
        return;
    FAutoSize = v;
    if (v)
        AdjustSize();
}

void TControl::AdjustSize()
{
    if (!FAutoSize || Loading())
        return;
    int w = FWidth, h = FHeight;
    if (CanAutoSize(w, h))
        SetBounds(FLeft, FTop, w, h);
}

void TControl::RequestAlign()
{
    if (FParent && !FParent->FAligning && (FAlign != alNone || FParent->AutoSize()))
        FParent->Realign();
}

void TControl::SetVisible(bool v)
{
    if (v == FVisible)
        return;
    bool was = FVisible;
    FVisible = v;
    InvalidateControl(was, !v);
    Perform(CM_VISIBLECHANGED, v);
    RequestAlign();
}

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible)
            return false;
    return true;
}

void TControl::SetEnabled(bool v)
{
    if (v == FEnabled)
        return;
    FEnabled = v;
    Perform(CM_ENABLEDCHANGED);
}

String TControl::GetText() const { return FText; }

void TControl::SetText(const String& v)
{
    if (GetText() == v)
        return;
    WriteText(v);
    Perform(CM_TEXTCHANGED);
}

void TControl::WriteText(const String& v) { FText = v; }

void TControl::SetColor(TColor v)
{
    OwnValueSet(FParentColor);
    if (v == FColor)
        return;
    FColor = v;
    Perform(CM_COLORCHANGED);
}

void TControl::SetFromParent(TFromParent& p, bool on, void (TControl::*apply)())
{
    p.On = on;
    if (on)
        (this->*apply)();
}

template <class F>
void TControl::TakeFromParent(TFromParent& p, F take)
{
    if (!p.On || !FParent)
        return;
    TScopedFlag taking(p.Taking);
    take();
}

void TControl::SetParentColor(bool v) { SetFromParent(FParentColor, v, &TControl::ApplyParentColor); }

void TControl::ApplyParentColor()
{
    TakeFromParent(FParentColor, [this] { SetColor(FParent->Color()); });
}

void TControl::SetParentFont(bool v) { SetFromParent(FParentFont, v, &TControl::ApplyParentFont); }

void TControl::ApplyParentFont()
{
    TakeFromParent(FParentFont, [this] { FFont->Assign(FParent->Font()); });
}

void TControl::FontChanged(TObject*)
{
    OwnValueSet(FParentFont);
    Perform(CM_FONTCHANGED);
}

void TControl::SetShowHint(bool v)
{
    OwnValueSet(FParentShowHint);
    if (v == FShowHint)
        return;
    FShowHint = v;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool v) { SetFromParent(FParentShowHint, v, &TControl::ApplyParentShowHint); }

void TControl::ApplyParentShowHint()
{
    TakeFromParent(FParentShowHint, [this] { SetShowHint(FParent->ShowHint()); });
}

void TControl::SetBiDiMode(TBiDiMode v)
{
    OwnValueSet(FParentBiDiMode);
    if (v == FBiDiMode)
        return;
    FBiDiMode = v;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool v) { SetFromParent(FParentBiDiMode, v, &TControl::ApplyParentBiDiMode); }

void TControl::ApplyParentBiDiMode()
{
    TakeFromParent(FParentBiDiMode, [this] { SetBiDiMode(FParent->BiDiMode()); });
}

void TControl::SetPopupMenu(TPopupMenu* v) { SetReference(FPopupMenu, v); }

void TControl::Notification(TComponent* c, TOperation op)
{
    TComponent::Notification(c, op);
    ReferenceGone(FPopupMenu, c, op);
}

void TControl::Loaded()
{
    TComponent::Loaded();
    AdjustSize();
    RequestAlign();
}

// ---------------------------------------------------------------- messages

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    TWndMethod proc = WindowProc;  // a copy: the handler may replace or free it
    proc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m)
{
    if (m.Msg == WM_MOUSEMOVE && Application)
        Application->MouseOver(this);
    Dispatch(m);
}

void TControl::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return HandleMouseDown(m, mbLeft);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        return HandleMouseDown(m, mbRight);
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return HandleMouseDown(m, mbMiddle);
    case WM_LBUTTONUP:
        return HandleMouseUp(m, mbLeft);
    case WM_RBUTTONUP:
        return HandleMouseUp(m, mbRight);
    case WM_MBUTTONUP:
        return HandleMouseUp(m, mbMiddle);
    case WM_MOUSEMOVE:
        DefaultHandler(m);
        MouseMove(KeysToShiftState(m.WParam), MsgX(m.LParam), MsgY(m.LParam));
        return;
    case WM_CANCELMODE:
    case CM_CANCELMODE:
        FControlState.Exclude(csClicked);
        FControlState.Exclude(csLButtonDown);
        if (MouseCapture())
            SetMouseCapture(false);
        if (m.Msg == WM_CANCELMODE)
            DefaultHandler(m);
        return;
    case CM_MOUSEENTER:
        Fire(OnMouseEnter, this);
        return;
    case CM_MOUSELEAVE:
        Fire(OnMouseLeave, this);
        return;
    case CM_PARENTFONTCHANGED:
        ApplyParentFont();
        return;
    case CM_PARENTCOLORCHANGED:
        ApplyParentColor();
        return;
    case CM_PARENTSHOWHINTCHANGED:
        ApplyParentShowHint();
        return;
    case CM_PARENTBIDIMODECHANGED:
        ApplyParentBiDiMode();
        return;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TextChanged();
        AdjustSize();
        Invalidate();
        return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_VISIBLECHANGED:
    case CM_BIDIMODECHANGED:
        Invalidate();
        return;
    case CM_HITTEST:
        m.Result = HTCLIENT;
        return;
    case WM_CONTEXTMENU:
        ContextMenu(m);
        return;
    default:
        DefaultHandler(m);
    }
}

void TControl::ContextMenu(TMessage& m)
{
    bool fromKeyboard = m.LParam == -1;
    TPoint pos(MsgX(m.LParam), MsgY(m.LParam));
    auto* self = As<TWinControl>(this);
    if (self && !fromKeyboard) {
        TPoint p = ScreenToClient(pos);
        // A click on the frame or the caption: the system menu, not ours.
        if (!ClientRect().Contains(p)) {
            DefaultHandler(m);
            return;
        }
        TControl* child = self->ControlAtPos(p, false);
        if (child && child->FPopupMenu && child->FPopupMenu->AutoPopup()) {
            child->FPopupMenu->SetPopupComponent(child);
            child->FPopupMenu->Popup(pos.x, pos.y);
            m.Result = 1;
            return;
        }
    }
    if (FPopupMenu && FPopupMenu->AutoPopup()) {
        if (fromKeyboard)
            pos = ClientToScreen(TPoint(Width() / 2, Height() / 2));
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(pos.x, pos.y);
        m.Result = 1;
        return;
    }
    if (!self && FParent) {
        m.Result = FParent->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
        return;
    }
    DefaultHandler(m);  // the system passes it on to the parent window
}

void TControl::DefaultHandler(TMessage& m)
{
    // A windowless control answers the text messages from its own text.
    switch (m.Msg) {
    case WM_GETTEXTLENGTH:
        m.Result = static_cast<LRESULT>(FText.size());
        return;
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<char*>(m.LParam);
        size_t cap = m.WParam;
        if (!buf || cap == 0) {
            m.Result = 0;
            return;
        }
        size_t n = std::min(cap - 1, FText.size());
        std::copy_n(FText.data(), n, buf);
        buf[n] = '\0';
        m.Result = static_cast<LRESULT>(n);
        return;
    }
    case WM_SETTEXT:
        FText = m.LParam ? reinterpret_cast<const char*>(m.LParam) : "";
        m.Result = TRUE;
        Perform(CM_TEXTCHANGED);
        return;
    default:
        m.Result = 0;
    }
}

namespace {

// Tells whether a component was freed while a call that runs its handlers was still on the stack.
class TFreeWatch : public TComponent {
public:
    explicit TFreeWatch(TComponent* watched) : TComponent(nullptr), FWatched(watched) { watched->FreeNotification(this); }
    ~TFreeWatch() override
    {
        if (FWatched)
            FWatched->RemoveFreeNotification(this);
    }
    bool Gone() const { return !FWatched; }

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        ReferenceGone(FWatched, c, op);
    }

private:
    TComponent* FWatched;
};

}  // namespace

void TControl::HandleMouseDown(TMessage& m, TMouseButton button)
{
    bool dbl = m.Msg == WM_LBUTTONDBLCLK || m.Msg == WM_RBUTTONDBLCLK || m.Msg == WM_MBUTTONDBLCLK;
    int x = MsgX(m.LParam), y = MsgY(m.LParam);
    TShiftState shift = KeysToShiftState(m.WParam);
    if (dbl)
        shift.Include(ssDouble);
    if (button == mbLeft) {
        if (FControlStyle.Contains(csCaptureMouse))
            SetMouseCapture(true);
        if (FControlStyle.Contains(csClickEvents))
            FControlState.Include(csClicked);
        FControlState.Include(csLButtonDown);
    }
    DefaultHandler(m);
    if (dbl && button == mbLeft && FControlStyle.Contains(csDoubleClicks))
        DblClick();
    MouseDown(button, shift, x, y);
}

void TControl::HandleMouseUp(TMessage& m, TMouseButton button)
{
    int x = MsgX(m.LParam), y = MsgY(m.LParam);
    bool click = false;
    if (button == mbLeft) {
        // Decided before the capture goes: losing it cancels a click.
        click = FControlState.Contains(csClicked) && ClientRect().Contains(TPoint(x, y));
        FControlState.Exclude(csClicked);
        FControlState.Exclude(csLButtonDown);
        if (FControlStyle.Contains(csCaptureMouse) && MouseCapture())
            SetMouseCapture(false);
    }
    DefaultHandler(m);
    // A release inside raises Click before MouseUp; the click handler may free this control.
    if (click) {
        TFreeWatch watch(this);
        Click();
        if (watch.Gone())
            return;
    }
    MouseUp(button, KeysToShiftState(m.WParam), x, y);
    if (button == mbRight && !As<TWinControl>(this) && FParent) {
        // The system makes WM_CONTEXTMENU from a window's right click; a windowless control
        // gets the click from its parent and makes its own.
        TPoint p = ClientToScreen(TPoint(x, y));
        Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FParent->WindowHandle()), MakeMsgPoint(p.x, p.y));
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    Fire(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    Fire(OnMouseUp, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) { Fire(OnMouseMove, this, shift, x, y); }

void TControl::Resize() { Fire(OnResize, this); }

void TControl::Click() { Fire(OnClick, this); }

void TControl::DblClick() { Fire(OnDblClick, this); }

bool TControl::MouseCapture() const
{
    if (auto* w = As<TWinControl>(const_cast<TControl*>(this)))
        return w->HandleAllocated() && GetCapture() == w->WindowHandle();
    return Application && Application->CaptureControl() == this;
}

void TControl::SetMouseCapture(bool v)
{
    if (v == MouseCapture())
        return;
    if (auto* w = As<TWinControl>(this)) {
        if (v)
            SetCapture(w->Handle());
        else
            ReleaseCapture();
        return;
    }
    if (Application)
        Application->SetCaptureControl(v ? this : nullptr);
}

HWND TControl::PaintWindowHandle() const
{
    return FParent && FParent->HandleAllocated() ? FParent->WindowHandle() : nullptr;
}

// A window that does not show (hidden, or its drawing held) has nothing to repaint.
void TControl::InvalidateControl(bool wasVisible, bool leaving)
{
    if (!wasVisible || !FParent || !FParent->HandleAllocated() || As<TWinControl>(this) ||
        !IsWindowVisible(FParent->WindowHandle()))
        return;
    RECT r = BoundsRect();
    InvalidateRect(FParent->WindowHandle(), &r, leaving || !FControlStyle.Contains(csOpaque));
}

void TControl::Invalidate()
{
    if (auto* w = As<TWinControl>(this)) {
        if (w->HandleAllocated() && IsWindowVisible(w->WindowHandle()))
            InvalidateRect(w->WindowHandle(), nullptr, !FControlStyle.Contains(csOpaque));
        return;
    }
    InvalidateControl(FVisible);
}

void TControl::Update()
{
    if (FParent)
        FParent->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (FParent) {
        auto& v = FParent->FControls;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        v.push_back(this);
    }
    if (auto* w = As<TWinControl>(this)) {
        if (w->HandleAllocated())
            SetWindowPos(w->WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    Invalidate();
}

void TControl::SendToBack()
{
    if (FParent) {
        auto& v = FParent->FControls;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        v.insert(v.begin(), this);
    }
    if (auto* w = As<TWinControl>(this)) {
        if (w->HandleAllocated())
            SetWindowPos(w->WindowHandle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    Invalidate();
}

// ---------------------------------------------------------------- TControlCanvas

namespace {
std::vector<TControlCanvas*>& CanvasesWithDC()
{
    static std::vector<TControlCanvas*> v;
    return v;
}
}  // namespace

const TClassInfo& TControlCanvas::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TControlCanvas>("TControlCanvas", &TCanvas::StaticClass()).Build();
    return info;
}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle()
{
    // Outside painting: the control's window, the parent's for a windowless control, or the
    // screen when there is no window yet (measuring text before a form shows).
    FWindow = FControl->PaintWindowHandle();
    FDC = FWindow ? GetDCEx(FWindow, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS) : GetDC(nullptr);
    if (!FDC)
        throw EOutOfResources("Out of system resources: no device context");
    if (FWindow && !As<TWinControl>(FControl)) {
        SetViewportOrgEx(FDC, FControl->Left(), FControl->Top(), nullptr);
        IntersectClipRect(FDC, 0, 0, FControl->Width(), FControl->Height());
    }
    SetHandle(FDC);
    CanvasesWithDC().push_back(this);
}

void TControlCanvas::FreeHandle()
{
    if (!FDC)
        return;
    HDC dc = FDC;
    FDC = nullptr;
    SetHandle(nullptr);
    ReleaseDC(FWindow, dc);
    FWindow = nullptr;
    auto& v = CanvasesWithDC();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

void TControlCanvas::FreeDeviceContexts()
{
    auto v = CanvasesWithDC();
    for (TControlCanvas* c : v)
        c->FreeHandle();
}

TCanvasPaintScope::TCanvasPaintScope(TControlCanvas* canvas, TControl* control, HDC dc) : FCanvas(canvas)
{
    FCanvas->FreeHandle();
    FCanvas->SetHandle(dc);
    FCanvas->Font()->Assign(control->Font());
    FCanvas->Brush()->SetColor(control->Color());
    FCanvas->Brush()->SetStyle(bsSolid);
}

TCanvasPaintScope::~TCanvasPaintScope() { FCanvas->SetHandle(nullptr); }

// ---------------------------------------------------------------- TGraphicControl

const TClassInfo& TGraphicControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClass()).Build();
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FCanvas(std::make_unique<TControlCanvas>(this))
{
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& m)
{
    if (m.Msg == WM_PAINT && m.WParam) {
        TCanvasPaintScope scope(FCanvas.get(), this, reinterpret_cast<HDC>(m.WParam));
        Paint();
        return;
    }
    TControl::Dispatch(m);
}

// ---------------------------------------------------------------- TCustomControl

const TClassInfo& TCustomControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomControl>("TCustomControl", &TWinControl::StaticClass()).Build();
    return info;
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this))
{
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc)
{
    TCanvasPaintScope scope(FCanvas.get(), this, dc);
    Paint();
}
