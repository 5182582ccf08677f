#include "skinprochook.h"

#include <memory>
#include <utility>

#include "objinstance.h"
#include "object.h"

// What the thunk calls: the owner's method while it is hooked, a forwarder to the old
// procedure once it was orphaned by a restore that could not put the old procedure back.
class TSkinProcLink : public TObject {
public:
    TSkinProcLink(HWND wnd, TWndMethod method) : FWnd(wnd), FMethod(method) {}

    void WndProc(TMessage& m)
    {
        if (FMethod) {
            FMethod(m);
            return;
        }
        m.Result = CallWindowProcA(FOld, FWnd, m.Msg, m.WParam, m.LParam);
        if (m.Msg == WM_NCDESTROY)
            delete this;  // the thunk goes with us; its caller has copied what it needs
    }

    void SetOld(WNDPROC old) { FOld = old; }
    void Orphan() { FMethod = TWndMethod(); }

    TObjectInstance Instance;

private:
    HWND FWnd;
    WNDPROC FOld = nullptr;
    TWndMethod FMethod;
};

namespace {

LONG_PTR SetProc(HWND wnd, LONG_PTR proc, bool unicode)
{
    return unicode ? SetWindowLongPtrW(wnd, GWLP_WNDPROC, proc) : SetWindowLongPtrA(wnd, GWLP_WNDPROC, proc);
}

WNDPROC GetProc(HWND wnd, bool unicode)
{
    return reinterpret_cast<WNDPROC>(unicode ? GetWindowLongPtrW(wnd, GWLP_WNDPROC)
                                             : GetWindowLongPtrA(wnd, GWLP_WNDPROC));
}

}  // namespace

void TSkinProcHook::Install(HWND wnd, TWndMethod method, bool unicode)
{
    if (FLink)
        throw EInvalidOperation("The window procedure is already replaced");
    if (!wnd || !IsWindow(wnd))
        throw EInvalidOperation("Cannot replace the procedure of an invalid window");
    auto link = std::make_unique<TSkinProcLink>(wnd, method);
    link->Instance = TObjectInstance(TWndMethod(link.get(), &TSkinProcLink::WndProc));
    SetLastError(0);
    LONG_PTR old = SetProc(wnd, reinterpret_cast<LONG_PTR>(link->Instance.Proc()), unicode);
    if (!old && GetLastError() != 0)
        throw EInvalidOperation("Cannot replace the window procedure");
    link->SetOld(reinterpret_cast<WNDPROC>(old));
    FWnd = wnd;
    FOldProc = reinterpret_cast<WNDPROC>(old);
    FUnicode = unicode;
    FLink = link.release();
}

void TSkinProcHook::Restore() noexcept
{
    if (!FLink)
        return;
    TSkinProcLink* link = std::exchange(FLink, nullptr);
    HWND wnd = std::exchange(FWnd, nullptr);
    WNDPROC old = std::exchange(FOldProc, nullptr);
    if (IsWindow(wnd) && GetProc(wnd, FUnicode) != link->Instance.Proc()) {
        link->Orphan();  // lives on in the other chain until the window goes
        return;
    }
    if (IsWindow(wnd))
        SetProc(wnd, reinterpret_cast<LONG_PTR>(old), FUnicode);
    delete link;
}

WNDPROC TSkinProcHook::Proc() const { return FLink ? FLink->Instance.Proc() : nullptr; }

LRESULT TSkinProcHook::CallOld(const TMessage& m) const
{
    if (!FLink || !FOldProc)
        return 0;
    return CallWindowProcA(FOldProc, FWnd, m.Msg, m.WParam, m.LParam);
}
