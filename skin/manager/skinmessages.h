#pragma once
// The skin engine's private window messages: plain numbers (not registered), the same in both
// modules, so each module's engine can ask a window whether the other one skinned it already.
#include <windows.h>

// What handshake messages carry in LParam and answer with.
constexpr LPARAM SKM_MAGIC = 0x41A2;

// Re-applies the skin colours to a skinned form and its skinned controls (for applications).
constexpr UINT SKM_RECOLOR = 0x3401;
// Repaints the skinned frame into the window DC.
constexpr UINT SKM_PAINTFRAME = 0x3502;
// Posted right after attaching (WParam 0, LParam 1000): the window finishes its skinning.
constexpr UINT SKM_SKINNOW = 0x3503;
// To a skinned control: WParam > 0 switches its skin on, 0 off.
constexpr UINT SKM_ENABLE = 0x3506;
// To the form: a tab's close box was clicked (WParam the tab control, LParam the tab index);
// a result of 0 lets the skin free the page.
constexpr UINT SKM_TABCLOSE = 0x3507;
// Posted for a caption button without a built-in action (WParam its action type).
constexpr UINT SKM_CAPTIONBUTTON = 0x3514;
// Asks the window whether a caption button shows (WParam its visibility, LParam its action).
constexpr UINT SKM_BUTTONVISIBLE = 0x3515;
// Posted to the MDI client of a skinned frame: redraw the whole frame.
constexpr UINT SKM_MDIREDRAW = 0x3516;
// Posted to the form by a control skin whose control re-created its window (WParam the control).
constexpr UINT SKM_RESKIN = 0x3517;
// Opens the menu-bar button under the screen point in LParam.
constexpr UINT SKM_MENUBARPOPUP = 0x3518;
// Answered with 1 by every skinned window, control and popup menu of either module.
constexpr UINT SKM_ISSKINNED = 0x3523;
// Paints a skinned control into the DC in WParam (LParam SKM_MAGIC); answers SKM_MAGIC.
constexpr UINT SKM_PAINTTODC = 0xBC4A;
// Paints the skinned frame or border into the DC in WParam (LParam SKM_MAGIC).
constexpr UINT SKM_DRAWBORDER = 0xBC4B;
// Answers SKM_MAGIC when LParam is SKM_MAGIC, else 1.
constexpr UINT SKM_PROBE = 0xBC4D;
// Sent by a window to itself once skinned (LParam SKM_MAGIC). The number is the toolkit's
// CN_NOTIFY, whose handlers check LParam before they read it.
constexpr UINT SKM_SKINNED = 0xBC4E;
