// The skin manager: the registered skin data, the skinned windows, the deferred actions and
// the window-creation hook.
#include "skinmanager.h"

#include <algorithm>
#include <utility>

#include "apphooks.h"
#include "skindata.h"
#include "skinform.h"
#include "skinhelpers.h"
#include "skinmessages.h"
#include "skinpopmenu.h"
#include "menulayout.h"
#include "repaintonce.h"
#include "winstyle.h"

namespace {

// One of each per module.
TSkinManage* gManager = nullptr;
THookHandle gHook;
DWORD gHookThread = 0;
bool gShutDown = false;  // the hook only passes calls on
int gHookInstalls = 0;
int gHookRemovals = 0;

void RemoveHook()
{
    if (!gHook)
        return;
    gHook.Reset();
    gHookThread = 0;
    ++gHookRemovals;
}

// At the module's end other modules' objects may be gone, so the manager is not freed here;
// only the hook goes, so no call can reach this module's code after it left.
struct TSkinManagerUnit {
    ~TSkinManagerUnit()
    {
        gShutDown = true;
        RemoveHook();
    }
} gSkinManagerUnit;

void OnCreateWindow(HWND wnd, const CBT_CREATEWNDA& create)
{
    const CREATESTRUCTA* cs = create.lpcs;
    if (!cs)
        return;
    // Size grips join their skinned window, popup menus get their own skin, MDI children are
    // skinned as they are made.
    const String cls = WindowClassName(wnd);
    if (cls == "ScrollBar" && (cs->style & SBS_SIZEGRIP))
        if (TSkinForm* form = gManager->FindSkinForm(cs->hwndParent))
            form->SkinChildWindow(wnd);
    if (!(cs->style & WS_CHILD) && cls == "#32768")
        gManager->SkinPopupWindow(wnd);
    if (cs->dwExStyle & WS_EX_MDICHILD)
        gManager->SkinWindow(wnd);
}

LRESULT CALLBACK SkinCBTProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (!gShutDown && code >= 0 && gManager) {
        try {
            auto wnd = reinterpret_cast<HWND>(wParam);
            switch (code) {
            case HCBT_CREATEWND:
                OnCreateWindow(wnd, *reinterpret_cast<const CBT_CREATEWNDA*>(lParam));
                break;
            case HCBT_DESTROYWND:
                gManager->ReleasePopupWindow(wnd);
                break;
            case HCBT_ACTIVATE:
                if (gManager->RunState() == TSkinManage::rsIdle)
                    gManager->SetRunState(TSkinManage::rsRunning);
                gManager->SkinWindow(wnd);
                break;
            default:
                break;
            }
        } catch (...) {
            // A window the engine fails on is left as it is, without a word.
        }
    }
    return CallNextHookEx(gHook.Get(), code, wParam, lParam);
}

bool Contains(const String& text, const char* part) { return text.find(part) != String::npos; }

}  // namespace

TSkinManage* SkinManager() { return gManager; }

TSkinManage& NeedSkinManager()
{
    if (!gManager) {
        gShutDown = false;
        gManager = new TSkinManage();
    }
    return *gManager;
}

void DoneSkinManager()
{
    if (!gManager)
        return;
    gManager->Free();  // the windows it detaches still find it (as going away) meanwhile
    gManager = nullptr;
}

HHOOK SkinHookHandle() { return gHook.Get(); }
int SkinHookInstalls() { return gHookInstalls; }
int SkinHookRemovals() { return gHookRemovals; }

TWinVersion SkinVersion() { return TWinVersion::FromGetVersion(SkinPlatform().Version); }

bool SkinIsWin9x() { return !SkinVersion().NT; }

bool SkinNotVersion6() { return SkinVersion().Major != 6; }

const TClassInfo& TSkinManage::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinManage>("TSkinManage", &TObject::StaticClass()).Build();
    return info;
}

TSkinManage::TSkinManage() : FTimer(new TTimer(nullptr))
{
    FTimer->SetEnabled(false);
    FTimer->SetInterval(100);
    FTimer->SetOnTimer(TNotifyEvent(this, &TSkinManage::DoAction));
}

TSkinManage::~TSkinManage()
{
    FState = rsDestroying;
    FActive = false;
    FTimer.Reset();
    if (!FForms.empty())
        DetachAll();
    while (!FPopups.empty())
        FreePopup(FPopups.size() - 1);
    FSkinData.clear();
    FPendingData = nullptr;
    FDefaultData = nullptr;
    RemoveHook();
    gShutDown = true;
}

// One hook per module and thread: every sfMainform component asks, the first one installs it.
void TSkinManage::InstallHook()
{
    const DWORD thread = GetCurrentThreadId();
    if (gHook && gHookThread == thread)
        return;
    RemoveHook();
    gHook.Reset(SetWindowsHookExA(WH_CBT, &SkinCBTProc, nullptr, thread));
    if (!gHook)
        return;  // without the hook windows are skinned only by explicit activation
    gHookThread = thread;
    ++gHookInstalls;
}

void TSkinManage::AddSkinData(TSkinData* data)
{
    if (!data || HasSkinData(data))
        return;
    FSkinData.push_back(data);
    if (!FDefaultData && data->SkinFormtype() == sfMainform)
        FDefaultData = data;
}

bool TSkinManage::HasSkinData(const TSkinData* data) const
{
    return std::find(FSkinData.begin(), FSkinData.end(), data) != FSkinData.end();
}

void TSkinManage::RemoveSkinData(TSkinData* data)
{
    FSkinData.erase(std::remove(FSkinData.begin(), FSkinData.end(), data), FSkinData.end());
    if (FPendingData == data)
        FPendingData = nullptr;
    if (FDefaultData == data) {
        FDefaultData = nullptr;
        for (TSkinData* d : FSkinData)
            if (d->SkinFormtype() == sfMainform) {
                FDefaultData = d;
                break;
            }
    }
    // No window may keep reading a skin that is going away.
    for (size_t i = FPopups.size(); i-- > 0;)
        if (FPopups[i]->SkinData() == data)
            FreePopup(i);
    for (size_t i = FForms.size(); i-- > 0;)
        if (i < FForms.size() && FForms[i]->SkinData() == data)
            ReleaseForm(TakeForm(i), true);
}

bool TSkinManage::IsPlainChild(HWND h) const
{
    if (!(StyleOf(h) & WS_CHILD) || (ExStyleOf(h) & WS_EX_MDICHILD))
        return false;
    return LowerCase(WindowClassName(GetParent(h))) != "mdiclient";
}

bool TSkinManage::SkinWindow(HWND h)
{
    if (!FActive)
        return false;
    PurgeForms();
    if (SendMessageA(h, SKM_ISSKINNED, 0, 0) == 1)
        return false;  // this engine or the other module's has it
    if (FindSkinForm(h))
        return false;
    TWinControl* control = FindForm(h);
    if (!FActivating && IsPlainChild(h))
        return false;
    const String cls = WindowClassName(h);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(h, GWLP_HINSTANCE));
    if (!control && instance != ModuleInstance() && cls != "#32770")
        return false;
    RECT r{};
    GetWindowRect(h, &r);
    if ((r.right - r.left) * (r.bottom - r.top) == 0 && !(ExStyleOf(h) & WS_EX_MDICHILD))
        return false;
    if (control && control->Tag() == 99)  // the literal, whatever DisableTag says
        return false;
    if (Contains(cls, "TcxPopupEditPopupWindow") || Contains(cls, "TTERenderWindow") || cls == "TApplication")
        return false;
    if (!QualifyClass(h, cls))
        return false;
    TSkinData* data = SelectSkinData(h);
    if (!data || data->FSkinEmpty)
        return false;

    TOwnedObject<TSkinForm> form(new TSkinForm(control));
    form->Window = h;
    form->WindowClass = cls;
    if (control)
        form->AttachForm(data, control);
    else
        form->AttachWindow(data);
    FForms.push_back(std::move(form));
    PostMessageA(h, SKM_SKINNOW, 0, 1000);
    return true;
}

TSkinData* TSkinManage::SelectSkinData(HWND h) const
{
    // Every step scans the whole list: the last match wins.
    auto last = [this](auto match) {
        TSkinData* found = nullptr;
        for (TSkinData* d : FSkinData)
            if (match(d))
                found = d;
        return found;
    };
    if (TSkinData* d = last([h](TSkinData* d) {
            auto* owner = As<TWinControl>(d->Owner());
            return d->SkinFormtype() == sfOnlyThisForm && owner && owner->WindowHandle() == h;
        }))
        return d;
    const String cls = LowerCase(WindowClassName(h));
    if (cls == "tmessageform" || cls == "#32770")
        if (TSkinData* d = last([](TSkinData* d) { return d->SkinFormtype() == sfDialog; }))
            return d;
    if (TSkinData* d = last([](TSkinData* d) { return d->SkinFormtype() == sfMainform; }))
        return d;
    return FSkinData.empty() ? nullptr : FSkinData.front();
}

bool TSkinManage::QualifyClass(HWND h, const String& className) const
{
    bool result = true;
    if (!FDefaultData)
        return result;
    const String lower = LowerCase(className);
    if (!FDefaultData->Options().Contains(xoPreview) && Contains(lower, "preview"))
        result = false;
    if (className == "#32770" && (StyleOf(h) & DS_SETFOREGROUND))
        result = false;
    if (lower == "tpopupdbtreeview")
        result = false;
    FDefaultData->DoFormSkin(h, className, result);
    return result;
}

void TSkinManage::ActivateForm(TCustomForm* form)
{
    HWND h = form->Handle();
    if (!form->Visible() || (StyleOf(h) & WS_CHILD))
        return;
    SkinWindow(h);
}

TWinControl* TSkinManage::FindForm(HWND h) const
{
    for (int i = 0; Screen && i < Screen->FormCount(); ++i)
        if (Screen->Forms(i)->WindowHandle() == h)
            return Screen->Forms(i);
    return FindControl(h);
}

TSkinForm* TSkinManage::FindSkinForm(HWND h) const
{
    for (const auto& f : FForms)
        if (f->Window == h)
            return f.Get();
    return nullptr;
}

void TSkinManage::RemoveForm(TSkinForm* form)
{
    if (FState == rsDestroying)
        return;
    TakeForm(form).Release();  // it is being freed already
}

TOwnedObject<TSkinForm> TSkinManage::TakeForm(size_t index)
{
    TOwnedObject<TSkinForm> form = std::move(FForms.at(index));
    FForms.erase(FForms.begin() + static_cast<std::ptrdiff_t>(index));
    return form;
}

TOwnedObject<TSkinForm> TSkinManage::TakeForm(TSkinForm* form)
{
    auto it = std::find_if(FForms.begin(), FForms.end(), [form](const auto& f) { return f.Get() == form; });
    if (it == FForms.end())
        return {};
    return TakeForm(static_cast<size_t>(it - FForms.begin()));
}

std::vector<TSkinForm*> TSkinManage::FormsNow() const
{
    std::vector<TSkinForm*> forms;
    for (const auto& f : FForms)
        forms.push_back(f.Get());
    return forms;
}

void TSkinManage::PurgeForms()
{
    if (FState == rsDestroying)
        return;
    for (size_t i = FForms.size(); i-- > 0;) {
        if (i >= FForms.size())
            continue;
        TSkinForm* form = FForms[i].Get();
        const bool gone = !IsWindow(form->Window);
        if (form->LifeState() != TSkinForm::lsDead && !gone)
            continue;
        ReleaseForm(TakeForm(i), false);
    }
}

void TSkinManage::DetachAll()
{
    FActive = false;
    while (!FForms.empty())
        ReleaseForm(TakeForm(FForms.size() - 1), false);
}

void TSkinManage::RequestAction(int action, int interval)
{
    FAction = action;
    FTimer->SetInterval(interval);
    if (FState == rsIdle) {
        // No window was activated yet: the hook offers each one as it comes.
        if (action == saActivate)
            FActive = true;
        else if (action == saDeactivate)
            FActive = false;
        return;
    }
    FTimer->SetEnabled(true);
}

void TSkinManage::DoAction(TObject*)
{
    FTimer->SetEnabled(false);
    // Cleared first: a request made while the action runs or in OnSkinChanged is kept.
    TSkinData* data = std::exchange(FPendingData, nullptr);
    if (!data)
        return;
    {
        // The windows the action changes keep their old look on screen until each is finished
        // and repainted once.
        TRepaintOnce repaint;
        HoldWindowsOf(data, repaint);
        switch (FAction) {
        case saActivate:
            Activate(data);
            FinishSkinning(repaint);
            break;
        case saDeactivate:
            Deactivate(data);
            break;
        case saRefresh:
            Refresh(data);
            break;
        default:
            break;
        }
    }
    if (HasSkinData(data))  // an event handler may have freed it
        data->DoSkinChanged();
}

void TSkinManage::HoldWindowsOf(TSkinData* data, TRepaintOnce& repaint) const
{
    if (FAction == saActivate) {
        for (int i = 0; Screen && i < Screen->FormCount(); ++i) {
            TCustomForm* form = Screen->Forms(i);
            if (data->SkinFormtype() != sfOnlyThisForm || form == data->Owner())
                if (HWND h = form->WindowHandle(); h && !(StyleOf(h) & WS_CHILD))
                    repaint.Hold(h);
        }
        return;
    }
    // Switching off a form-wide skin gives back every window; otherwise the data's own change.
    const bool all = FAction == saDeactivate && data->SkinFormtype() != sfOnlyThisForm;
    for (const auto& f : FForms)
        if (all || f->SkinData() == data)
            repaint.Hold(f->Window);
}

// A window attached by the activation finishes its skinning now, while its drawing is held,
// instead of showing its old picture in the new frame until the posted request comes.
void TSkinManage::FinishSkinning(const TRepaintOnce& repaint)
{
    MSG msg;
    for (HWND h : repaint.Held())
        while (IsWindow(h) && PeekMessageA(&msg, h, SKM_SKINNOW, SKM_SKINNOW, PM_REMOVE))
            DispatchMessageA(&msg);
}

void TSkinManage::Activate(TSkinData* data)
{
    FActive = true;
    std::vector<TCustomForm*> forms;
    for (int i = 0; Screen && i < Screen->FormCount(); ++i)
        forms.push_back(Screen->Forms(i));
    TScopedFlag pass(FActivating);
    if (data->SkinFormtype() == sfOnlyThisForm) {
        for (size_t i = forms.size(); i-- > 0;)
            if (forms[i] == data->Owner()) {
                ActivateForm(forms[i]);
                break;
            }
        return;
    }
    PurgeForms();
    for (size_t i = forms.size(); i-- > 0;)
        ActivateForm(forms[i]);
}

void TSkinManage::ReleaseForm(TOwnedObject<TSkinForm> form, bool unskin)
{
    if (form)
        form.Release()->Release(unskin);
}

void TSkinManage::Deactivate(TSkinData* data)
{
    FActive = false;
    PurgeForms();
    if (data->SkinFormtype() == sfOnlyThisForm) {
        for (size_t i = FForms.size(); i-- > 0;)
            if (FForms[i]->SkinData() == data) {
                ReleaseForm(TakeForm(i), true);
                break;
            }
        return;
    }
    while (!FForms.empty())
        ReleaseForm(TakeForm(size_t{0}), true);
}

void TSkinManage::Refresh(TSkinData* data)
{
    PurgeForms();
    const std::vector<TSkinForm*> forms = FormsNow();
    if (data->SkinFormtype() == sfOnlyThisForm) {
        for (TSkinForm* f : forms)
            if (f->SkinData() == data) {
                f->ClearButtons();
                f->UpdateFrameMetrics();
                f->ApplySkinColors();
                break;
            }
        return;
    }
    for (TSkinForm* f : forms)
        if (f->SkinData() == data) {
            f->ClearButtons();
            f->UpdateFrameMetrics();
        }
    for (TSkinForm* f : forms)
        if (f->SkinData() == data)
            f->ApplySkinColors();
}

void TSkinManage::ClearFormButtons()
{
    for (const auto& f : FForms)
        if (f->SkinData() == FPendingData)
            f->ClearButtons();
}

void TSkinManage::SetMDIMaximized(bool maximized)
{
    if (maximized == MDIChildMaximized)
        return;
    MDIChildMaximized = maximized;
    if (FDefaultData && FDefaultData->Options().Contains(xoMDIChildBorder))
        return;
    for (const auto& f : FForms) {
        if (f->MDIRole() != TSkinForm::mdiChild)
            continue;
        if (maximized) {
            if (f->RegionSet())
                f->RemoveRegion();
            continue;
        }
        if (f->SizeState() == TSkinForm::ssMinimized)
            continue;
        f->SetSizeState(TSkinForm::ssNormal);
        f->UpdateRegion();
        if (!f->RegionSet())
            f->FrameChanged();
    }
}

void TSkinManage::ForgetMDIClient(HWND client)
{
    if (!client || MDIClient != client)
        return;
    MDIClient = nullptr;
    MDIFrame = nullptr;
}

// ---------------------------------------------------------------- popup-menu windows

void TSkinManage::SkinPopupWindow(HWND h)
{
    if (!FActive || SendMessageA(h, SKM_ISSKINNED, 0, 0) == 1 || IsPopupSkinned(h))
        return;
    TSkinData* data = SelectSkinData(h);
    if (!data || data->FSkinEmpty)
        return;
    const TSkinControlTypes controls = data->SkinControls();
    TMenuKindGates gates;
    gates.PopupMenu = controls.Contains(xcPopupMenu);
    gates.MainMenu = controls.Contains(xcMainMenu);
    gates.MenuItem = controls.Contains(xcMenuItem);
    gates.SystemMenu = controls.Contains(xcSystemMenu);
    if (!PopupKindAllowed(MenuKind, gates))
        return;
    TOwnedObject<TSkinPopMenu> popup(new TSkinPopMenu());
    try {
        popup->Hook(h, data, nullptr);
    } catch (...) {
        return;  // a window that refuses keeps its own look
    }
    if (BarMenuOpen)
        popup->OwnerDrawMark = true;
    FPopups.push_back(std::move(popup));
}

void TSkinManage::FreePopup(size_t index)
{
    TOwnedObject<TSkinPopMenu> popup = std::move(FPopups.at(index));
    FPopups.erase(FPopups.begin() + static_cast<std::ptrdiff_t>(index));
    popup.Release()->Release();
}

bool TSkinManage::ReleasePopupWindow(HWND h)
{
    bool found = false;
    for (size_t i = 0; i < FPopups.size(); ++i)
        if (FPopups[i]->Window() == h) {
            FreePopup(i);
            found = true;
            break;
        }
    if (FPopups.empty()) {
        BarMenuOpen = false;
        MenuKind = mkPopup;
    }
    return found;
}

bool TSkinManage::IsPopupSkinned(HWND h) const
{
    return std::any_of(FPopups.begin(), FPopups.end(), [h](const auto& p) { return p->Window() == h; });
}

void TSkinManage::MarkPopupsOwnerDraw()
{
    for (const auto& p : FPopups)
        p->OwnerDrawMark = true;
}

void TSkinManage::BindPopupMenu(HMENU menu)
{
    // A menu shown already keeps its window: a later window (its submenu's) is not its own.
    if (!menu || FindPopupOfMenu(menu))
        return;
    for (size_t i = FPopups.size(); i-- > 0;)
        if (!FPopups[i]->BoundMenu) {
            FPopups[i]->BoundMenu = menu;
            return;
        }
}

TSkinPopMenu* TSkinManage::FindPopupOfMenu(HMENU menu) const
{
    if (!menu)
        return nullptr;
    for (const auto& p : FPopups)
        if (p->BoundMenu == menu)
            return p.Get();
    return nullptr;
}

TBitmap* TSkinManage::GetPopupBitmap(HMENU menu) const
{
    TSkinPopMenu* popup = FindPopupOfMenu(menu);
    return popup ? &popup->Background() : nullptr;
}
