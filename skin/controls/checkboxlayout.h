#pragma once
// Check boxes and radio buttons without a window: which frame of the skin's glyph strip shows,
// and where glyph and caption go. Divisions truncate toward zero.
#include <optional>
#include <string>

#include "pixelview.h"

// What a check box's frame depends on.
struct TCheckFacts {
    int Frames = 4;              // frames of the strip (12 has its own numbering)
    bool Checked = false;        // the window's state has BST_CHECKED
    bool Indeterminate = false;  // ... BST_INDETERMINATE
    bool Disabled = false;       // the window has WS_DISABLED
    // The toolkit control's properties, lower-case, where it has them.
    std::optional<std::string> State;    // "State": ..."uncheck"..., ..."check"..., ..."gray"...
    std::optional<std::string> Checked2; // "Checked"
    bool DataField = false;      // it has a "DataField" property
    bool DataBinding = false;    // it has a "DataBinding" property
    int CheckState = 0;          // the last BM_SETCHECK's WParam + 1, 0 before any
};
// Strip of any count but 12: 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked disabled or
// indeterminate. Strip of 12: 1, 4 disabled; 5 checked, 8 disabled; 9 indeterminate, 12 disabled.
int CheckBoxGlyphState(const TCheckFacts& f);
// Strip of any count but 8: 1 unchecked, 2 checked, 3 and 4 the same disabled. Strip of 8: 1, 4
// disabled; 5 checked, 8 disabled. `checkedProp`: the control's "Checked" is "true".
int RadioGlyphState(int frames, bool checked, std::optional<bool> checkedProp, bool disabled);

struct TCheckLayout {
    TPixRect Glyph;        // frame width x strip height, centred vertically
    TPixRect Text;         // what is left beside it
    unsigned Flags = 0;    // DT_RTLREADING and DT_RIGHT as the control reads
};
// Within R (the window at the origin): the glyph left, or right with BS_RIGHTBUTTON.
TCheckLayout LayoutCheckBox(const TPixRect& r, int frameWidth, int frameHeight, bool rightButton, bool rightToLeft,
                            bool radio);
// The text box moved down so a caption of `textHeight` sits in its middle.
TPixRect CentreCheckText(const TPixRect& text, int textHeight);
