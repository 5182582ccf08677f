// Glyph strips for check boxes and radio buttons that take their pictures through properties.
#include "skinobjimage.h"

#include <algorithm>
#include <memory>

#include "objimagelayout.h"
#include "skindata.h"
#include "skindraw.h"
#include "skinform.h"

namespace {

// The strip of a kind from a source picture of `frames` frames side by side; null when the
// picture is empty or narrower than its frames.
std::unique_ptr<TBitmap> BuildStrip(int kind, TBitmap& source, int frames)
{
    frames = std::max(1, frames);
    const int w = source.Width() / frames, h = source.Height();
    const std::vector<int> slots = ObjImageSlots(kind, frames);
    if (source.Empty() || w < 1 || slots.empty())
        return nullptr;
    auto strip = std::make_unique<TBitmap>(w * static_cast<int>(slots.size()), h);
    TCanvas* canvas = strip->Canvas();
    // Empty slots are black on purpose, not by chance.
    canvas->Brush()->SetColor(clBlack);
    canvas->FillRect(Rect(0, 0, strip->Width(), h));
    for (size_t i = 0; i < slots.size(); ++i) {
        const int from = slots[i];
        if (from < 1)
            continue;
        const int x = w * static_cast<int>(i);
        canvas->CopyRect(Rect(x, 0, x + w, h), source.Canvas(), Rect(w * (from - 1), 0, w * from, h));
    }
    return strip;
}

// The "Glyph" bitmap of the control's "Properties" object.
TBitmap* PropertiesGlyph(TControl* control)
{
    TObject* properties = TSkinControl::GetObjectPropByName(control, "Properties", nullptr);
    return As<TBitmap>(TSkinControl::GetObjectPropByName(properties, "Glyph", nullptr));
}

}  // namespace

const TClassInfo& TSkinObjImage::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinObjImage>("TSkinObjImage", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinObjImage::TSkinObjImage(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinObjImage::InitControl(TSkinForm* Form, TSkinData* Data, TCanvas* Canvas, bool SetColor)
{
    if (FAttached)
        return;
    FSetColor = SetColor;
    FControl = As<TControl>(Owner());
    if (auto* windowed = As<TWinControl>(FControl))
        FHandle = windowed->Handle();
    JoinSkinForm(Form, Data, Canvas);
    ApplyGlyphs();
    SetAttached();
}

void TSkinObjImage::Unskin()
{
    if (FKind == okCheckGlyphs || FKind == okRadioGlyphs)
        SetPropText(FControl, "UseCustomGlyphs", "false");
    else if (FKind == okPropertiesGlyph)
        if (TBitmap* glyph = PropertiesGlyph(FControl))
            glyph->Assign(nullptr);
}

void TSkinObjImage::SkinChanged() { ApplyGlyphs(); }

void TSkinObjImage::ApplyGlyphs()
{
    TDataSkinButton* buttons = FSkinData ? FSkinData->FButtons.get() : nullptr;
    if (!buttons || !FControl)
        return;
    const bool radio = FKind == okRadioGlyphs;
    std::unique_ptr<TBitmap> strip = BuildStrip(FKind, radio ? buttons->RadioBitmap : buttons->CheckBitmap,
                                                radio ? buttons->RadioButtonFrame : buttons->CheckButtonFrame);
    if (!strip)
        return;
    if (FKind == okPropertiesGlyph) {
        if (TBitmap* glyph = PropertiesGlyph(FControl)) {
            glyph->Assign(strip.get());
            glyph->SetTransparentColor(SkinKeyColor);
            glyph->SetTransparent(false);
        }
        return;
    }
    if (auto* glyphs = As<TBitmap>(GetObjectPropByName(FControl, "CustomGlyphs", nullptr)))
        glyphs->Assign(strip.get());
    SetPropText(FControl, "transparentcolor", IntToStr(static_cast<int>(SkinKeyColor)));
    // Off and on again: the control takes the new pictures only when the switch changes.
    SetPropText(FControl, "UseCustomGlyphs", "false");
    SetPropText(FControl, "UseCustomGlyphs", "true");
}
