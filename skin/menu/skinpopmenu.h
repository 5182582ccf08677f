#pragma once
// The skin of one popup-menu window (class "#32768": a context menu, a menu-bar drop-down or a
// system menu). The manager's window-creation hook makes one for every such window while a skin
// is on; it paints the window's frame from the skin's MenuBackground picture and keeps that
// picture, from which the owner-drawn items take what lies behind them. The hook frees it when
// the window goes.
//
// Where the system's menu windows have no frame of their own (their client area fills the
// window, as under Wine), the frame lies in the client area: it is painted again over what the
// menu painted there.
#include <windows.h>

#include "busycount.h"
#include "graphics.h"
#include "subclass.h"

class TSkinData;

class TSkinPopMenu : public TObject {
    TK_CLASS(TSkinPopMenu, TObject)
public:
    TSkinPopMenu() = default;
    ~TSkinPopMenu() override;

    // Puts WndProc in front of the window's procedure (the A forms, as for every menu window).
    void Hook(HWND window, TSkinData* data, HMENU menu);
    // Gives the procedure back and forgets the picture.
    void Unhook();
    // Unhooks and frees this object: at once, or when the outermost of the window's messages
    // running now returns. The caller has taken it out of its list.
    void Release();
    bool Hooked() const { return FProc.Installed(); }
    void WndProc(TMessage& m);
    LRESULT CallDefault(const TMessage& m) const { return FProc.CallOld(m); }

    HWND Window() const { return FWindow; }
    TSkinData* SkinData() const { return FSkinData; }
    // The last picture of the whole window (window-sized; empty before the first paint).
    TBitmap& Background() { return FBackground; }
    // Where the client area (and so every item) lies in the window.
    TPoint ClientOffset() const;
    // The menu the window shows, once an owner-drawn item told (0 until then).
    HMENU BoundMenu = nullptr;
    // Set for drop-downs of the skinned menu bar and when items are owner-drawn.
    bool OwnerDrawMark = false;

private:
    // The skin has a loaded MenuBackground picture.
    bool SkinUsable() const;
    // Builds the window-sized picture into the cache; false when the window has no size.
    bool BuildBackground();
    void EraseBackground(TMessage& m);
    void NCPaint(TMessage& m);
    void Print(TMessage& m);
    void Paint(TMessage& m);
    void Dispatch(TMessage& m);

    HWND FWindow = nullptr;
    TSkinData* FSkinData = nullptr;
    TBitmap FBackground;
    TWindowSubclass FProc;
    TBusyCount FBusy;
};
