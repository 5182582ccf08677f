#pragma once
// The gradient button's built-in colour schemes: for each, the 25 button colours in property
// order (index 6 x set + role, then the focus rectangle).
#include "object.h"

enum TColorScheme {
    csNeoDesert, csNeoSky, csNeoGrass, csNeoSilver, csNeoRose, csNeoSun,
    csDesert, csGrass, csSky, csSun, csRose, csSilver, csCustom,
};
extern const TEnumInfo ColorSchemeInfo;

// The colour sets and the roles inside a set.
enum TButtonColorSet { bcsNormal, bcsOver, bcsDown, bcsDisabled };
enum TButtonColorRole { bcrFace, bcrGrad, bcrDark, bcrLight, bcrBorder, bcrText };
constexpr int GradientColorCount = 25;
constexpr int FocusRectColorIndex = 24;
constexpr int ButtonColorIndex(TButtonColorSet set, TButtonColorRole role) { return 6 * set + role; }

// A scheme's entry for a colour it leaves as it is (the gradient ends of the plain schemes).
// Not a colour anybody can mean: the top byte marks a system colour and 0xFF is none.
constexpr TColor KeepColor = -1;

// The colours of a built-in scheme (csNeoDesert .. csSilver); KeepColor where it sets none.
// Raises EInvalidOperation for csCustom or a value outside the enumeration.
const TColor* SchemeColors(TColorScheme scheme);
// The six Neo schemes switch the gradient on, the six plain ones switch it off.
bool SchemeHasGradient(TColorScheme scheme);
