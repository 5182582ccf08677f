// TWinControl: the window a control owns, the toolkit's window procedure, window classes,
// children, focus and tab order, alignment and the painting of windowless children.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "apphooks.h"
#include "controls.h"
#include "forms.h"
#include "winstyle.h"

namespace {

// The longest window name the system takes when it makes a window (a counted string with a
// 16-bit length under Wine: 32767 characters and more fail the creation).
constexpr size_t MaxCreationCaption = 32000;

// ---------------------------------------------------------------- module-wide window state

// The property atom "ControlOfs<instance><thread>": this module's controls only.
class TControlAtom {
public:
    TControlAtom()
    {
        char name[40];
        std::snprintf(name, sizeof name, "ControlOfs%.8lX%.8lX",
                      static_cast<unsigned long>(reinterpret_cast<uintptr_t>(ModuleInstance())),
                      static_cast<unsigned long>(GetCurrentThreadId()));
        FAtom = GlobalAddAtomA(name);
    }
    ~TControlAtom()
    {
        if (FAtom)
            GlobalDeleteAtom(FAtom);
    }
    ATOM Get() const { return FAtom; }

private:
    ATOM FAtom = 0;
};

// Window classes this module registered, unregistered when the module goes (a library must).
class TWindowClasses {
public:
    ~TWindowClasses()
    {
        for (const String& n : FNames)
            UnregisterClassA(n.c_str(), ModuleInstance());
    }
    void Ensure(const TCreateParams& p)
    {
        WNDCLASSA existing{};
        if (GetClassInfoA(ModuleInstance(), p.WinClassName.c_str(), &existing))
            return;
        WNDCLASSA wc{};
        wc.style = p.ClassStyle;
        wc.lpfnWndProc = &ToolkitWndProc;
        wc.cbWndExtra = sizeof(LONG_PTR);  // the window's control (ControlSlot)
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = p.WinClassName.c_str();
        if (!RegisterClassA(&wc))
            throw EOutOfResources("Cannot register window class " + p.WinClassName + ": error " +
                                  IntToStr(GetLastError()));
        FNames.push_back(p.WinClassName);
    }

private:
    std::vector<String> FNames;
};

TWindowClasses& WindowClasses()
{
    static TWindowClasses classes;
    return classes;
}

// The control whose own-class window is being created: messages that come before the window
// procedure can find the control through the property (WM_GETMINMAXINFO comes even before
// WM_NCCREATE) bind the window to it.
thread_local TWinControl* gCreatingControl = nullptr;

// Where a window of a class this module registered keeps its control. Reading a window's own
// bytes is answered in-process; a window property costs a round trip to the window server
// under Wine, and the window procedure looks its control up on every message.
constexpr int ControlSlot = 0;

// A window of one of this module's classes (another module's toolkit has its own procedure).
// Another instance of the same program has the procedure at the same address, so the window
// must also be this process's (a question answered in-process for our own windows).
bool OwnClassWindow(HWND wnd)
{
    DWORD process = 0;
    GetWindowThreadProcessId(wnd, &process);
    return process == GetCurrentProcessId() &&
           reinterpret_cast<WNDPROC>(GetClassLongPtrA(wnd, GCLP_WNDPROC)) == &ToolkitWndProc;
}

// Binds the window to its control, or lets go of it (null): in the window's own bytes for our
// classes, in the control property for a subclassed system window.
void BindControl(HWND wnd, TWinControl* c)
{
    if (OwnClassWindow(wnd))
        SetWindowLongPtrA(wnd, ControlSlot, reinterpret_cast<LONG_PTR>(c));
    else if (c)
        SetPropA(wnd, MAKEINTATOM(ControlAtom()), c);
    else
        RemovePropA(wnd, MAKEINTATOM(ControlAtom()));
}

unsigned NextControlId()
{
    static unsigned id = 100;
    if (++id > 0xFFFF)
        id = 101;
    return id;
}

}  // namespace

String WindowText(HWND wnd)
{
    int n = GetWindowTextLengthA(wnd);
    if (n <= 0)
        return String();
    String s(static_cast<size_t>(n) + 1, '\0');
    int got = GetWindowTextA(wnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(std::clamp(got, 0, n)));
    return s;
}

ATOM ControlAtom()
{
    static TControlAtom atom;
    return atom.Get();
}

TWinControl* FindControl(HWND wnd)
{
    if (!wnd)
        return nullptr;
    if (OwnClassWindow(wnd))
        return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(wnd, ControlSlot));
    return static_cast<TWinControl*>(GetPropA(wnd, MAKEINTATOM(ControlAtom())));
}

LRESULT CALLBACK ToolkitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWinControl* c = FindControl(wnd);
    if (!c) {
        c = gCreatingControl;
        if (!c)
            return DefWindowProcA(wnd, msg, wParam, lParam);
        gCreatingControl = nullptr;
        c->AttachHandle(wnd);
    }
    TMessage m{msg, wParam, lParam, 0};
    c->RunWindowProc(wnd, m);
    return m.Result;
}

// ---------------------------------------------------------------- TWinControl

const TClassInfo& TWinControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWinControl>("TWinControl", &TControl::StaticClass())
                                       .Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
                                       .Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
                                       .Event("OnEnter", &TWinControl::OnEnter)
                                       .Event("OnExit", &TWinControl::OnExit)
                                       .Event("OnKeyDown", &TWinControl::OnKeyDown)
                                       .Event("OnKeyUp", &TWinControl::OnKeyUp)
                                       .Event("OnKeyPress", &TWinControl::OnKeyPress)
                                       .Build();
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FBrush(std::make_unique<TBrush>())
{
    FBrush->SetColor(Color());
}

TWinControl::~TWinControl()
{
    // Deleted without Free (a constructor that threw): the window must not call this object again.
    if (FHandle) {
        HWND h = FHandle;
        BindControl(h, nullptr);
        FDefProc.Restore();
        FHandle = nullptr;
        DestroyWindow(h);
    }
    for (TControl* c : FControls)
        c->FParent = nullptr;
    FControls.clear();
    FTabList.clear();
}

void TWinControl::BeforeDestruction()
{
    if (FControlDestroying)
        return;
    DestroyHandle();
    TControl::BeforeDestruction();
    // Children that nobody owns go with their parent.
    while (!FControls.empty())
        FControls.back()->Free();
}

// ---------------------------------------------------------------- the window

HWND TWinControl::Handle()
{
    if (!FHandle)
        CreateHandle();
    return FHandle;
}

void TWinControl::CreateParams(TCreateParams& p)
{
    p.Caption = FText;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible())
        p.Style |= WS_VISIBLE;
    if (!Enabled())
        p.Style |= WS_DISABLED;
    if (FTabStop)
        p.Style |= WS_TABSTOP;
    if (FControlStyle.Contains(csAcceptsControls))
        p.Style |= WS_CLIPCHILDREN;
    p.ExStyle |= BiDiModeExStyle(BiDiMode());
    p.X = Left();
    p.Y = Top();
    p.Width = Width();
    p.Height = Height();
    p.WinClassName = ClassName();
}

void TWinControl::UpdateBiDiStyles()
{
    if (!FHandle)
        return;
    TCreateParams p;
    CreateParams(p);
    const DWORD mask = BiDiStyles();
    const DWORD style = StyleOf(FHandle), ex = ExStyleOf(FHandle);
    const DWORD newStyle = (style & ~mask) | (p.Style & mask);
    const DWORD newEx = (ex & ~BiDiExStyles) | (p.ExStyle & BiDiExStyles);
    if (newStyle == style && newEx == ex)
        return;
    if (newStyle != style)
        SetWindowLongA(FHandle, GWL_STYLE, static_cast<LONG>(newStyle));
    if (newEx != ex)
        SetWindowLongA(FHandle, GWL_EXSTYLE, static_cast<LONG>(newEx));
    // The frame (a scroll bar changing sides) and the client area are drawn again.
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::CreateHandle()
{
    if (FHandle)
        return;
    if (FControlDestroying)
        throw EInvalidOperation("Control '" + Name() + "' is being destroyed");
    CreateWnd();
    if (!FHandle)
        return;
    InitializeWnd();
    CreateChildHandles();
    UpdateBounds();
    if (FWantClientWidth >= 0) {
        int w = FWantClientWidth, h = FWantClientHeight;
        FWantClientWidth = FWantClientHeight = -1;
        SetClientSize(w, h);
    }
    Realign();
}

void TWinControl::CreateWnd()
{
    TCreateParams p;
    CreateParams(p);
    if (p.Style & WS_CHILD) {
        if (Parent())
            p.WndParent = Parent()->Handle();
        else if (FParentWindow && IsWindow(FParentWindow))
            p.WndParent = FParentWindow;
        else
            throw EInvalidOperation("Control '" + Name() + "' has no parent window");
        if (FHandle)  // the parent's creation made this one too
            return;
    }
    bool system = !p.SysClassName.empty();
    if (!system)
        WindowClasses().Ensure(p);
    const String& cls = system ? p.SysClassName : p.WinClassName;
    HMENU id = nullptr;
    if (p.Style & WS_CHILD) {
        FCtlId = NextControlId();
        id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(FCtlId));
    }
    // A longer caption is cut: the window always comes.
    if (p.Caption.size() > MaxCreationCaption)
        p.Caption.resize(MaxCreationCaption);
    HWND h;
    {
        TScopedValue<TWinControl*> creating(gCreatingControl, system ? nullptr : this);
        h = CreateWindowExA(p.ExStyle, cls.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                            p.WndParent, id, ModuleInstance(), p.Param);
    }
    if (!h)
        throw EOutOfResources("Error creating window of class " + cls + " for '" + Name() + "': error " +
                              IntToStr(GetLastError()));
    if (!FHandle)
        AttachHandle(h);
    if (system)
        FDefProc.Install(h, TWndMethod(this, &TWinControl::SystemWndProc), false);
}

// A subclassed system-class window's messages.
void TWinControl::SystemWndProc(TMessage& m) { RunWindowProc(FHandle, m); }

// A message of the control's window `wnd`: the WindowProc chain, then the end of the window.
void TWinControl::RunWindowProc(HWND wnd, TMessage& m)
{
    const UINT msg = m.Msg;        // what the window got, whatever a handler does to the record
    TWndMethod proc = WindowProc;  // a copy: the handler may free the control
    try {
        proc(m);
    } catch (...) {
        HandleCurrentException(this);
    }
    if (msg == WM_NCDESTROY && FindControl(wnd) == this)
        HandleDestroyed();
}

void TWinControl::InitializeWnd()
{
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
}

// A hidden child gets its window when it is first shown (UpdateShowing) or asked for its
// handle: pages not shown yet cost nothing at start-up.
void TWinControl::CreateChildHandles()
{
    std::vector<TControl*> children = FControls;
    for (TControl* c : children)
        if (auto* w = As<TWinControl>(c); w && !w->FHandle && !w->Loading() && w->Visible())
            w->CreateHandle();
}

void TWinControl::AttachHandle(HWND wnd)
{
    FHandle = wnd;
    BindControl(wnd, this);
}

void TWinControl::HandleDestroyed()
{
    if (FHandle)
        BindControl(FHandle, nullptr);
    FHandle = nullptr;
    FDefProc.Restore();
}

void TWinControl::DestroyWnd()
{
    HWND h = FHandle;
    FText = WindowText(h);
    DestroyWindow(h);
    if (FHandle == h)  // somebody in front swallowed WM_NCDESTROY
        HandleDestroyed();
}

void TWinControl::DestroyHandle()
{
    if (!FHandle)
        return;
    FControlState.Include(csDestroyingHandle);
    try {
        DestroyWnd();
    } catch (...) {
        FControlState.Exclude(csDestroyingHandle);
        throw;
    }
    FControlState.Exclude(csDestroyingHandle);
}

void TWinControl::SetParentWindow(HWND wnd)
{
    FParentWindow = wnd;
    if (FHandle && !Parent() && wnd)
        ::SetParent(FHandle, wnd);
}

void TWinControl::RecreateWnd()
{
    if (FHandle)
        Perform(CM_RECREATEWND);
}

void TWinControl::UpdateShowing()
{
    if (!FHandle) {
        if (Parent() && Parent()->HandleAllocated() && !Loading())
            CreateHandle();
        return;
    }
    UINT show = Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | show);
}

void TWinControl::UpdateBounds()
{
    if (!FHandle || IsIconic(FHandle))
        return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (StyleOf(FHandle) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
    StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

String TWinControl::GetText() const { return FHandle ? WindowText(FHandle) : FText; }

void TWinControl::WriteText(const String& v)
{
    FText = v;
    if (FHandle)
        SetWindowTextA(FHandle, v.c_str());
}

// ---------------------------------------------------------------- geometry

TRect TWinControl::ClientRect() const
{
    if (FHandle && !IsIconic(FHandle)) {
        RECT r;
        GetClientRect(FHandle, &r);
        return r;
    }
    SIZE frame = FrameSize();
    return TRect(0, 0, std::max(0, Width() - static_cast<int>(frame.cx)), std::max(0, Height() - static_cast<int>(frame.cy)));
}

SIZE TWinControl::FrameSize() const
{
    if (FHandle && !IsIconic(FHandle)) {
        RECT w, c;
        GetWindowRect(FHandle, &w);
        GetClientRect(FHandle, &c);
        return SIZE{(w.right - w.left) - c.right, (w.bottom - w.top) - c.bottom};
    }
    TCreateParams p;
    const_cast<TWinControl*>(this)->CreateParams(p);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

TPoint TWinControl::ClientOrigin() const
{
    if (!FHandle)
        return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return p;
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    if (FBoundsUpdate > 0 && FHandle) {
        StoreBounds(left, top, width, height);
        FBoundsPending = true;
        return;
    }
    bool resized = width != Width() || height != Height();
    if (FHandle && !IsIconic(FHandle)) {
        // WM_SIZE then re-aligns the children and fires OnResize.
        SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateBounds();
    } else {
        StoreBounds(left, top, width, height);
        if (resized) {
            Realign();
            if (!Loading())
                Resize();
        }
    }
    RequestAlign();
}

void TWinControl::EndBoundsUpdate()
{
    if (FBoundsUpdate == 0 || --FBoundsUpdate > 0 || !std::exchange(FBoundsPending, false))
        return;
    const TRect wanted = BoundsRect();
    UpdateBounds();  // what the window has
    if (wanted == BoundsRect()) {
        // A move that ends where it began is not made; the layout is done again all the same.
        Realign();
        return;
    }
    SetBounds(wanted.left, wanted.top, wanted.Width(), wanted.Height());
}

void TWinControl::SetClientSize(int w, int h)
{
    SIZE frame = FrameSize();
    if (!FHandle) {
        // The frame is known for sure only once the window exists: apply it again then.
        FWantClientWidth = w;
        FWantClientHeight = h;
    }
    SetBounds(Left(), Top(), w + frame.cx, h + frame.cy);
}

// ---------------------------------------------------------------- children

bool TWinControl::ContainsControl(const TControl* c) const
{
    for (; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& p, bool allowDisabled, bool allowWinControls) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!allowWinControls && As<TWinControl>(c))
            continue;
        if (!c->Visible() || (!c->Enabled() && !allowDisabled))
            continue;
        if (c->BoundsRect().Contains(p))
            return c;
    }
    return nullptr;
}

void TWinControl::InsertControl(TControl* c)
{
    c->FParent = this;
    FControls.push_back(c);
    auto* w = As<TWinControl>(c);
    if (w)
        FTabList.push_back(w);
    c->ApplyParentFont();
    c->ApplyParentColor();
    c->ApplyParentShowHint();
    c->ApplyParentBiDiMode();
    if (w) {
        if (FHandle && !w->FHandle && !w->Loading() && w->Visible())
            w->CreateHandle();
    } else {
        c->InvalidateControl(c->Visible());
    }
    if (c->Align() != alNone || AutoSize())
        Realign();
}

void TWinControl::RemoveControl(TControl* c)
{
    // The form must forget a focused control that leaves it, with all inside it.
    if (TCustomForm* form = GetParentForm(this))
        form->ControlGone(c);
    auto* w = As<TWinControl>(c);
    if (w && w->FHandle && !w->FControlDestroying)
        w->DestroyHandle();  // a child window can't live without this parent
    if (!w)
        c->InvalidateControl(c->Visible(), true);
    FControls.erase(std::remove(FControls.begin(), FControls.end(), c), FControls.end());
    FTabList.erase(std::remove_if(FTabList.begin(), FTabList.end(),
                                  [c](TWinControl* t) { return static_cast<TControl*>(t) == c; }),
                   FTabList.end());
    c->FParent = nullptr;
    if (!FControlDestroying && (c->Align() != alNone || AutoSize()))
        Realign();
}

void TWinControl::Broadcast(TMessage& m)
{
    std::vector<TControl*> children = FControls;
    for (TControl* c : children) {
        if (std::find(FControls.begin(), FControls.end(), c) == FControls.end())
            continue;  // freed by an earlier child's handler
        TWndMethod proc = c->WindowProc;
        proc(m);
        if (m.Result)
            return;
    }
}

// ---------------------------------------------------------------- focus and tab order

int TWinControl::TabOrder() const
{
    if (!Parent())
        return FDesiredTabOrder;
    auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int v)
{
    if (Loading() || !Parent()) {
        FDesiredTabOrder = v;  // sorted when the form file is read
        return;
    }
    auto& list = Parent()->FTabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    int at = std::clamp(v, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + at, this);
}

void TWinControl::SortTabList()
{
    std::vector<std::pair<long, TWinControl*>> keyed;
    for (size_t i = 0; i < FTabList.size(); ++i) {
        TWinControl* w = FTabList[i];
        long key = w->FDesiredTabOrder >= 0 ? w->FDesiredTabOrder : 100000L + static_cast<long>(i);
        keyed.emplace_back(key, w);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i) {
        FTabList[i] = keyed[i].second;
        keyed[i].second->FDesiredTabOrder = -1;
    }
}

void TWinControl::SetTabStop(bool v)
{
    if (v == FTabStop)
        return;
    FTabStop = v;
    if (FHandle) {
        const DWORD style = StyleOf(FHandle);
        SetWindowLongA(FHandle, GWL_STYLE, static_cast<LONG>(v ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP)));
    }
    Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        form->FocusControl(this);
        return;
    }
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* w : FTabList) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    int n = static_cast<int>(list.size());
    if (n == 0)
        return nullptr;
    auto at = std::find(list.begin(), list.end(), current);
    int i = at == list.end() ? -1 : static_cast<int>(at - list.begin());
    if (i < 0 && !forward)
        i = n;
    for (int k = 0; k < n; ++k) {
        i = forward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current)
            break;
        if (!c->CanFocus() || (checkTabStop && !c->TabStop()) || (checkParent && c->Parent() != this))
            continue;
        return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop)
{
    if (TWinControl* c = FindNextControl(current, forward, checkTabStop, false))
        c->SetFocus();
}

void TWinControl::SelectFirst()
{
    if (TWinControl* c = FindNextControl(nullptr, true, true, false))
        c->SetFocus();
}

// ---------------------------------------------------------------- alignment

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::Realign()
{
    if (Loading() || FAlignLevel > 0 || FControlDestroying || FAligning) {
        FControlState.Include(csAlignmentNeeded);
        return;
    }
    FControlState.Exclude(csAlignmentNeeded);
    TRect r = ClientRect();
    AdjustClientRect(r);
    {
        TScopedFlag aligning(FAligning);
        AlignControls(nullptr, r);
    }
    if (AutoSize())
        FitToChildren();
}

void TWinControl::AlignControls(TControl*, TRect& r)
{
    static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign a : order) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->Visible() && c->Align() == a)
                list.push_back(c);
        auto key = [a](TControl* c) -> long {
            switch (a) {
            case alTop: return c->Top();
            case alBottom: return -(c->Top() + c->Height());
            case alLeft: return c->Left();
            case alRight: return -(c->Left() + c->Width());
            default: return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(), [&](TControl* x, TControl* y) { return key(x) < key(y); });
        for (TControl* c : list) {
            switch (a) {
            case alTop:
                c->SetBounds(r.left, r.top, r.Width(), c->Height());
                r.top += c->Height();
                break;
            case alBottom:
                c->SetBounds(r.left, r.bottom - c->Height(), r.Width(), c->Height());
                r.bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(r.left, r.top, c->Width(), r.Height());
                r.left += c->Width();
                break;
            case alRight:
                c->SetBounds(r.right - c->Width(), r.top, c->Width(), r.Height());
                r.right -= c->Width();
                break;
            default:
                c->SetBounds(r.left, r.top, r.Width(), r.Height());
                break;
            }
            if (r.bottom < r.top)
                r.bottom = r.top;
            if (r.right < r.left)
                r.right = r.left;
        }
    }
}

void TWinControl::SetAutoSize(bool v)
{
    TControl::SetAutoSize(v);
    if (v)
        Realign();
}

void TWinControl::FitToChildren()
{
    int w = 0, h = 0;
    bool any = false;
    for (TControl* c : FControls) {
        if (!c->Visible() || c->Align() != alNone)
            continue;
        any = true;
        w = std::max(w, c->Left() + c->Width());
        h = std::max(h, c->Top() + c->Height());
    }
    if (any && (w != ClientWidth() || h != ClientHeight()))
        SetClientSize(w, h);
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    SortTabList();
    if (!FHandle && Visible() && Parent() && Parent()->HandleAllocated())
        CreateHandle();
    Realign();
}

// ---------------------------------------------------------------- painting

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc, TControl* first)
{
    RECT clip{};
    if (dc && GetClipBox(dc, &clip) != ERROR)
        PaintControls(dc, clip, first);
}

void TWinControl::PaintControls(HDC dc, const RECT& clip, TControl* first)
{
    std::vector<TControl*> children = FControls;
    if (first)
        children.erase(children.begin(), std::find(children.begin(), children.end(), first));
    for (TControl* c : children) {
        if (As<TWinControl>(c) || !c->Visible())
            continue;
        RECT r = c->BoundsRect(), both;
        if (!IntersectRect(&both, &r, &clip))
            continue;
        int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::PaintHandler(TMessage& m)
{
    struct TPaint {
        HWND Wnd;
        PAINTSTRUCT Ps{};
        HDC Dc;
        TPaint(HWND w, HDC given) : Wnd(w), Dc(given)
        {
            if (!Dc)
                Dc = BeginPaint(Wnd, &Ps);
            else
                GetClipBox(Dc, &Ps.rcPaint);
        }
        ~TPaint()
        {
            if (Ps.hdc)
                EndPaint(Wnd, &Ps);
        }
    } paint(FHandle, reinterpret_cast<HDC>(m.WParam));
    if (!paint.Dc)
        return;
    PaintWindow(paint.Dc);
    PaintControls(paint.Dc, paint.Ps.rcPaint);
}

void TWinControl::Update()
{
    if (FHandle)
        UpdateWindow(FHandle);
}

void TWinControl::Repaint()
{
    if (!FHandle)
        return;
    InvalidateRect(FHandle, nullptr, TRUE);
    UpdateWindow(FHandle);
}
