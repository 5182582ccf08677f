#include "subclass.h"

#include <memory>
#include <utility>

#include "apphooks.h"
#include "busycount.h"
#include "objinstance.h"
#include "object.h"

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

// What the thunk calls. While owned it calls the owner's method; once the owner let go it
// either forwards to the old procedure (somebody else is in front of us) or is no longer
// reachable. It frees itself when nothing can call it any more, never while one of its calls
// is still running.
class TSubclassLink : public TObject {
public:
    TSubclassLink(HWND wnd, TWndMethod method, bool unicode) : FWnd(wnd), FUnicode(unicode), FMethod(method) {}

    void WndProc(TMessage& m)
    {
        if (m.Msg == WM_NCDESTROY)
            FDying = true;
        {
            TBusyCount::TCall call(FBusy);
            if (FState == lsOwned) {
                TWndMethod method = FMethod;
                try {
                    method(m);
                } catch (...) {
                    HandleCurrentException(method.Data());
                }
            } else {
                TakeBackWhenInFront();
                m.Result = CallWindowProcAW(Old, FWnd, m, FUnicode);
            }
        }
        FreeWhenDone();
    }

    // The owner lets go; `forward`: the window still reaches the thunk through somebody else.
    void Release(bool forward)
    {
        FState = forward ? lsForwarding : lsUnreachable;
        FreeWhenDone();
    }

    TObjectInstance Instance;
    WNDPROC Old = nullptr;

private:
    enum TLinkState { lsOwned, lsForwarding, lsUnreachable };

    // A forwarder whose later subclasser has let go is in front again: the old procedure goes
    // back in its place, and the window is as it was before anybody subclassed it.
    void TakeBackWhenInFront()
    {
        if (FState != lsForwarding || !IsWindow(FWnd) || GetProc(FWnd, FUnicode) != Instance.Proc())
            return;
        SetProc(FWnd, reinterpret_cast<LONG_PTR>(Old), FUnicode);
        FState = lsUnreachable;
    }

    void FreeWhenDone()
    {
        if (FBusy.Busy())
            return;
        if (FState == lsUnreachable || (FState == lsForwarding && FDying))
            delete this;
    }

    HWND FWnd;
    bool FUnicode;
    TWndMethod FMethod;
    TLinkState FState = lsOwned;
    TBusyCount FBusy;
    bool FDying = false;
};


LRESULT CallWindowProcAW(WNDPROC proc, HWND wnd, const TMessage& m, bool unicode)
{
    if (!proc)
        return 0;
    return unicode ? CallWindowProcW(proc, wnd, m.Msg, m.WParam, m.LParam)
                   : CallWindowProcA(proc, wnd, m.Msg, m.WParam, m.LParam);
}

void TWindowSubclass::Install(HWND wnd, TWndMethod method, bool unicode)
{
    if (FLink)
        throw EInvalidOperation("The window procedure is already replaced");
    if (!wnd || !IsWindow(wnd))
        throw EInvalidOperation("Cannot replace the procedure of an invalid window");
    auto link = std::make_unique<TSubclassLink>(wnd, method, unicode);
    link->Instance = TObjectInstance(TWndMethod(link.get(), &TSubclassLink::WndProc));
    SetLastError(0);
    LONG_PTR old = SetProc(wnd, reinterpret_cast<LONG_PTR>(link->Instance.Proc()), unicode);
    if (!old && GetLastError() != 0)
        throw EInvalidOperation("Cannot replace the window procedure");
    link->Old = reinterpret_cast<WNDPROC>(old);
    FWnd = wnd;
    FOldProc = link->Old;
    FUnicode = unicode;
    FLink = link.release();
}

void TWindowSubclass::Restore() noexcept
{
    if (!FLink)
        return;
    TSubclassLink* link = std::exchange(FLink, nullptr);
    HWND wnd = std::exchange(FWnd, nullptr);
    WNDPROC old = std::exchange(FOldProc, nullptr);
    bool forward = false;
    if (IsWindow(wnd)) {
        if (GetProc(wnd, FUnicode) == link->Instance.Proc())
            SetProc(wnd, reinterpret_cast<LONG_PTR>(old), FUnicode);
        else
            forward = true;  // lives on in the other chain until the window goes
    }
    link->Release(forward);
}

void TWindowSubclass::Abandon() noexcept
{
    if (!FLink)
        return;
    FWnd = nullptr;
    FOldProc = nullptr;
    std::exchange(FLink, nullptr)->Release(false);
}

WNDPROC TWindowSubclass::Proc() const { return FLink ? FLink->Instance.Proc() : nullptr; }

LRESULT TWindowSubclass::CallOld(const TMessage& m) const
{
    if (!FLink)
        return 0;
    return CallWindowProcAW(FOldProc, FWnd, m, FUnicode);
}
