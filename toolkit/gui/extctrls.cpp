#include "extctrls.h"

#include <algorithm>

#include "buttons.h"
#include "dialogs.h"
#include "menus.h"
#include "mplayer.h"

const TEnumInfo BevelShapeInfo{"TBevelShape",
                               {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"}};
const TEnumInfo BevelStyleInfo{"TBevelStyle", {"bsLowered", "bsRaised"}};

void RegisterExtControlClasses()
{
    RegisterClasses({&TImage::StaticClass(), &TBevel::StaticClass(), &TMainMenu::StaticClass(),
                     &TPopupMenu::StaticClass(), &TMenuItem::StaticClass(), &TImageList::StaticClass(),
                     &TMediaPlayer::StaticClass(), &TOpenDialog::StaticClass(), &TSpeedButton::StaticClass()});
}

// ---------------------------------------------------------------- TImage

const TClassInfo& TImage::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TImage>("TImage", &TGraphicControl::StaticClass())
                                       .Creatable()
                                       .ObjectProp<TPicture>("Picture", &TImage::Picture, &TImage::SetPicture)
                                       .Prop("Stretch", &TImage::Stretch, &TImage::SetStretch)
                                       .Prop("Center", &TImage::Center, &TImage::SetCenter)
                                       .Prop("Proportional", &TImage::Proportional, &TImage::SetProportional)
                                       .Prop("Transparent", &TImage::Transparent, &TImage::SetTransparent)
                                       .Prop("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize)
                                       .Build();
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>())
{
    StoreBounds(0, 0, 105, 105);
    FPicture->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

bool TImage::CanAutoSize(int& width, int& height)
{
    TGraphic* g = FPicture->Graphic();
    if (!g || g->Empty())
        return false;
    width = g->Width();
    height = g->Height();
    return true;
}

void TImage::PictureChanged(TObject*)
{
    TGraphic* g = FPicture->Graphic();
    if (g && !g->Empty() && g->Transparent() != FTransparent)
        g->SetTransparent(FTransparent);  // comes back here through the picture's OnChange
    AdjustSize();
    UpdateOpaque();
    Invalidate();
}

void TImage::UpdateOpaque()
{
    // A picture that covers the whole image paints every pixel: the parent needn't erase first.
    TGraphic* g = FPicture->Graphic();
    bool covers = g && !g->Empty() && !FTransparent && FStretch && !FProportional;
    if (covers)
        FControlStyle.Include(csOpaque);
    else
        FControlStyle.Exclude(csOpaque);
}

TRect TImage::DestRect() const
{
    TGraphic* g = FPicture->Graphic();
    int cw = Width(), ch = Height();
    int w = g ? g->Width() : 0, h = g ? g->Height() : 0;
    if (w <= 0 || h <= 0)
        return TRect(0, 0, 0, 0);
    bool fit = FProportional && (FStretch || w > cw || h > ch);
    if (fit) {
        // The larger of the two ratios decides; 64-bit so large pictures don't overflow.
        if (static_cast<int64_t>(w) * ch > static_cast<int64_t>(h) * cw) {
            h = static_cast<int>(static_cast<int64_t>(h) * cw / w);
            w = cw;
        } else {
            w = static_cast<int>(static_cast<int64_t>(w) * ch / h);
            h = ch;
        }
    } else if (FStretch) {
        w = cw;
        h = ch;
    }
    int x = 0, y = 0;
    if (FCenter) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return Bounds(x, y, w, h);
}

void TImage::Paint()
{
    TGraphic* g = FPicture->Graphic();
    if (!g || g->Empty())
        return;
    TRect r = DestRect();
    if (!r.Empty())
        Canvas()->StretchDraw(r, g);
}

// ---------------------------------------------------------------- TBevel

const TClassInfo& TBevel::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TBevel>("TBevel", &TGraphicControl::StaticClass())
            .Creatable()
            .EnumProp<TBevelShape>("Shape", BevelShapeInfo, &TBevel::Shape, &TBevel::SetShape)
            .EnumProp<TBevelStyle>("Style", BevelStyleInfo, &TBevel::Style, &TBevel::SetStyle)
            .Build();
    return info;
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner)
{
    StoreBounds(0, 0, 50, 50);
    FControlStyle.Exclude(csCaptureMouse);
    FControlStyle.Exclude(csClickEvents);
}

void TBevel::Paint()
{
    // Lowered: shadow on the top and left, light on the bottom and right; raised the reverse.
    TColor first = FStyle == TBevelStyle::bsLowered ? clBtnShadow : clBtnHighlight;
    TColor second = FStyle == TBevelStyle::bsLowered ? clBtnHighlight : clBtnShadow;
    TCanvas* c = Canvas();
    int w = Width(), h = Height();
    auto line = [c](TColor color, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(color);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    // The top-left sides in one colour, the bottom-right sides in the other.
    auto box = [&](TColor tl, TColor br, int l, int t, int r, int b) {
        line(tl, l, b - 1, l, t);
        line(tl, l, t, r - 1, t);
        line(br, r - 1, t, r - 1, b - 1);
        line(br, r - 1, b - 1, l - 1, b - 1);
    };
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    switch (FShape) {
    case TBevelShape::bsBox:
        box(first, second, 0, 0, w, h);
        break;
    case TBevelShape::bsFrame:
        // Two boxes a pixel apart give the etched (or embossed) frame.
        box(first, first, 0, 0, w - 1, h - 1);
        box(second, second, 1, 1, w, h);
        break;
    case TBevelShape::bsTopLine:
        line(first, 0, 0, w, 0);
        line(second, 0, 1, w, 1);
        break;
    case TBevelShape::bsBottomLine:
        line(first, 0, h - 2, w, h - 2);
        line(second, 0, h - 1, w, h - 1);
        break;
    case TBevelShape::bsLeftLine:
        line(first, 0, 0, 0, h);
        line(second, 1, 0, 1, h);
        break;
    case TBevelShape::bsRightLine:
        line(first, w - 2, 0, w - 2, h);
        line(second, w - 1, 0, w - 1, h);
        break;
    case TBevelShape::bsSpacer:
        break;
    }
}
