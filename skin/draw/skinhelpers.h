#pragma once
// Helpers the whole skin engine shares: wide text (captions are kept as wide strings and drawn
// on both Windows families) and the user32 entries that older systems lack, bound by name so a
// missing one only switches a feature off.
#include <windows.h>

#include <string>

#include "controls.h"

// Module-wide values, set once before any window is skinned; tests may change them to take the
// other platform's path.
struct TSkinPlatform {
    // GetVersion() as read once for the whole engine: the low byte the major version, the next
    // the minor one, the top bit set on the Windows 9x family.
    DWORD Version = 0;
    UINT CodePage = CP_ACP;   // of every ANSI <-> wide conversion
    bool WideText = true;     // NT: text is drawn with DrawTextW
    bool NTPlatform = true;   // NT: keyed transfers use MaskBlt
};
TSkinPlatform& SkinPlatform();

std::wstring StrToWide(const String& text);
// The first `count` characters of a zero-terminated text, all of it for -1 or for a count past
// its end; a null text or another negative count gives an empty one.
std::wstring WideCopy(const wchar_t* source, int count);
// DrawTextW with the wide flag, else DrawTextA of the text in the code page; returns what it
// returns. DT_MODIFYSTRING is ignored: the text is not written to.
int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format);

using TGetScrollBarInfoProc = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using TTrackMouseEventProc = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
using TGetComboBoxInfoProc = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);

// The optional user32 entries, null where user32 does not export them. Bound on first use;
// a test may empty them (and put them back) to exercise the missing-entry paths.
struct TSkinUser32Entries {
    TGetScrollBarInfoProc GetScrollBarInfo = nullptr;
    TTrackMouseEventProc TrackMouseEvent = nullptr;
    TGetComboBoxInfoProc GetComboBoxInfo = nullptr;
};
TSkinUser32Entries& SkinUser32Entries();

// True only when the entry exists and succeeds; Info is untouched without the entry.
bool SkinGetScrollBarInfo(HWND handle, LONG objectId, SCROLLBARINFO& info);
bool SkinGetComboBoxInfo(HWND handle, COMBOBOXINFO& info);
// Asks for a WM_MOUSELEAVE for the window; nothing without TrackMouseEvent.
void SkinTrackMouseLeave(HWND handle);
