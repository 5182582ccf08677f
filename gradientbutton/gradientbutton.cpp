#include "gradientbutton.h"

#include <mmsystem.h>

#include <algorithm>
#include <cmath>

#include "lateproc.h"

const TEnumInfo SoundSchemeInfo{"TSoundScheme", {"ssPistol", "ssGame", "ssFire", "ssHealth"}};

namespace {

// The module this code is linked into (the program or the library): its resources hold the
// sounds, and each module plays its own.
HINSTANCE ButtonModule()
{
    static const HINSTANCE instance = [] {
        HMODULE m = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&ButtonModule), &m);
        return static_cast<HINSTANCE>(m);
    }();
    return instance;
}

void CheckColorIndex(int index)
{
    if (index < 0 || index >= GradientColorCount)
        throw EInvalidOperation("Gradient button colour index " + IntToStr(index) + " is outside 0.." +
                                IntToStr(GradientColorCount - 1));
}

// "ColorFace", "OverColorGrad", ..., "DisabledColorText", "ColorFocusRect".
String ColorPropName(int index)
{
    static const char* const sets[] = {"", "Over", "Down", "Disabled"};
    static const char* const roles[] = {"Face", "Grad", "Dark", "Light", "Border", "Text"};
    if (index == FocusRectColorIndex)
        return "ColorFocusRect";
    return String(sets[index / 6]) + "Color" + roles[index % 6];
}

TPropInfo ColorPropInfo(int index)
{
    TPropInfo p;
    p.Name = ColorPropName(index);
    p.Kind = TPropKind::Color;
    p.Get = [index](TObject* o) {
        TValue v = TValue::OfInt(static_cast<TGradientButton*>(o)->Colors(index));
        v.Kind = TPropKind::Color;
        return v;
    };
    p.Set = [index](TObject* o, const TValue& v) {
        static_cast<TGradientButton*>(o)->SetColor(index, static_cast<TColor>(v.Int));
    };
    return p;
}

BYTE Channel(double v) { return static_cast<BYTE>(std::clamp(std::nearbyint(v), 0.0, 255.0)); }

bool NoShiftKeys()
{
    TShiftState s = GetShiftState();
    return !s.Contains(ssShift) && !s.Contains(ssCtrl) && !s.Contains(ssAlt);
}

}  // namespace

// ---------------------------------------------------------------- layout

TGlyphPlacement PlaceGlyphAndCaption(int w, int h, SIZE text, SIZE glyph, TButtonLayout layout, int spacing,
                                     bool down)
{
    const int tw = text.cx, th = text.cy, gw = glyph.cx, gh = glyph.cy, sp = spacing;
    const bool caption = tw > 0 || th > 0;
    int tx = (w - tw) / 2, ty = (h - th) / 2;
    int gx = 0, gy = 0;
    if (gw > 0 && gh > 0) {
        // The left layout does not take gw mod 2 off, so an odd glyph sits one pixel closer.
        switch (layout) {
        case blGlyphLeft:
            gx = tx - gw / 2;
            gy = (h - gh) / 2;
            tx += gw / 2;
            if (caption) {
                gx -= sp / 2 + sp % 2;
                tx += sp / 2;
            }
            break;
        case blGlyphRight:
            gx = tx + tw - gw / 2;
            gy = (h - gh) / 2;
            tx += (-gw) / 2;
            if (caption) {
                gx += sp / 2 + sp % 2;
                tx += (-sp) / 2;
            }
            break;
        case blGlyphTop:
            gx = (w - gw) / 2;
            gy = ty - gh / 2 - gh % 2;
            ty += gh / 2;
            if (caption) {
                gy -= sp / 2 + sp % 2;
                ty += sp / 2;
            }
            break;
        case blGlyphBottom:
            gx = (w - gw) / 2;
            gy = ty + th - gh / 2;
            ty += (-gh) / 2;
            if (caption) {
                gy += sp / 2 + sp % 2;
                ty += (-sp) / 2;
            }
            break;
        }
        if (down) {
            ++gx;
            ++gy;
        }
    }
    if (down) {
        ++tx;
        ++ty;
    }
    return {TPoint(gx, gy), TRect(tx, ty, tx + tw, ty + th)};
}

// ---------------------------------------------------------------- TGradientButton

const TClassInfo& TGradientButton::StaticClass()
{
    static const TClassInfo info = [] {
        using B = TGradientButton;
        TClassInfo c =
            TClassBuilder<B>("TGradientButton", &TCustomControl::StaticClass())
                .Creatable()
                .Prop("Caption", &B::GetText, &B::SetText)
                .EnumProp<TColorScheme>("ColorScheme", ColorSchemeInfo, &B::ColorScheme, &B::SetColorScheme)
                .Prop("Gradient", &B::Gradient, &B::SetGradient)
                .Prop("Ctl3D", &B::Ctl3D, &B::SetCtl3D)
                .EnumProp<TButtonLayout>("Layout", ButtonLayoutInfo, &B::Layout, &B::SetLayout)
                .ObjectProp<TBitmap>("Glyph", &B::Glyph, &B::SetGlyph)
                .Prop("Spacing", &B::Spacing, &B::SetSpacing)
                .Prop("TransparentGlyph", &B::TransparentGlyph, &B::SetTransparentGlyph)
                .Prop("HotTrack", &B::HotTrack, &B::SetHotTrack)
                .Prop("Cancel", &B::Cancel, &B::SetCancel)
                .Prop("Default", &B::Default, &B::SetDefault)
                .Prop("UseSound", &B::UseSound, &B::SetUseSound)
                .EnumProp<TSoundScheme>("Sound", SoundSchemeInfo, &B::Sound, &B::SetSound)
                .Prop("ModalResult", &B::ModalResult, &B::SetModalResult)
                .Build();
        for (int i = 0; i < GradientColorCount; ++i)
            c.Props.push_back(ColorPropInfo(i));
        return c;
    }();
    return info;
}

TGradientButton::TGradientButton(TComponent* owner)
    : TCustomControl(owner), FGlyph(std::make_unique<TBitmap>())
{
    FControlStyle.Include(csOpaque);  // every paint covers every pixel: nothing to erase first
    StoreBounds(Left(), Top(), 75, 25);
    SetTabStop(true);
    SetColorScheme(csNeoDesert);
    // A new button's hot and down gradients end in white until a scheme is assigned again.
    FColors[ButtonColorIndex(bcsOver, bcrGrad)] = clWhite;
    FColors[ButtonColorIndex(bcsDown, bcrGrad)] = clWhite;
    FColors[ButtonColorIndex(bcsDisabled, bcrGrad)] = clWhite;
}

TGradientButton::~TGradientButton() = default;

void TGradientButton::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.ClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;  // a new size changes the whole face
}

// ---------------------------------------------------------------- properties

TColor TGradientButton::Colors(int index) const
{
    CheckColorIndex(index);
    return FColors[index];
}

void TGradientButton::SetColor(int index, TColor value)
{
    CheckColorIndex(index);
    FColors[index] = value;
    SetColorScheme(csCustom);  // invalidates
}

void TGradientButton::SetColorScheme(TColorScheme v)
{
    if (v < csNeoDesert || v > csCustom)
        throw EInvalidOperation("Invalid ColorScheme value " + IntToStr(v));
    // Form files store the colours before the scheme, so a built-in scheme wins over them.
    if (v != csCustom) {
        const TColor* colors = SchemeColors(v);
        for (int i = 0; i < GradientColorCount; ++i)
            if (colors[i] != KeepColor)
                FColors[i] = colors[i];
        FGradient = SchemeHasGradient(v);
    }
    FColorScheme = v;
    Invalidate();
}

void TGradientButton::SetLayout(TButtonLayout v)
{
    if (v < blGlyphLeft || v > blGlyphBottom)
        throw EInvalidOperation("Invalid Layout value " + IntToStr(v));
    FLayout = v;
    Invalidate();
}

void TGradientButton::SetGlyph(TBitmap* v)
{
    FGlyph->Assign(v);
    Invalidate();
}

void TGradientButton::SetDefault(bool v)
{
    FDefault = v;
    // The form tells its buttons where Return goes now.
    if (!HandleAllocated())
        return;
    if (TCustomForm* form = GetParentForm(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

// ---------------------------------------------------------------- actions

void TGradientButton::Click()
{
    if (Parent())
        if (TCustomForm* form = GetParentForm(this))
            form->SetModalResult(FModalResult);
    FState = dsNormal;
    Paint();
    TCustomControl::Click();  // last: OnClick may free the button
}

void TGradientButton::PlaySchemeSound(TSoundScheme sound)
{
    if (sound < ssPistol || sound > ssHealth)
        return;
    // A failure (no sound device) is nothing to report for a hover effect. The sound library
    // is loaded at the first hover sound, not at every start.
    static const auto play = FindLateProc<decltype(&PlaySoundA)>("winmm.dll", "PlaySoundA");
    if (play)
        play(MAKEINTRESOURCEA(sound + 1), ButtonModule(), SND_RESOURCE | SND_ASYNC);
}

// ---------------------------------------------------------------- painting

void TGradientButton::Paint()
{
    // The state handlers paint at once; without a window there is nothing to paint on.
    if (HandleAllocated())
        PaintTo(Canvas());
}

const TColor* TGradientButton::CurrentColors() const
{
    TButtonColorSet set = bcsNormal;
    if (!Enabled())
        set = bcsDisabled;
    else if (FState == dsHot)
        set = bcsOver;
    else if (FState == dsDown)
        set = bcsDown;
    return FColors + ButtonColorIndex(set, bcrFace);
}

void TGradientButton::PaintTo(TCanvas* canvas)
{
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0)
        return;
    const TColor* set = CurrentColors();
    TBitmap bitmap(w, h);
    TCanvas* c = bitmap.Canvas();
    c->Pen()->SetColor(set[bcrFace]);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(set[bcrFace]);
    c->Rectangle(0, 0, w, h);
    if (FGradient)
        GradientFill(c, TRect(0, 0, w, h), set[bcrFace], set[bcrGrad]);
    DrawCaptionAndGlyph(c, set);
    DrawFrame(c, set);
    canvas->Draw(0, 0, &bitmap);
}

void TGradientButton::DrawCaptionAndGlyph(TCanvas* c, const TColor* set)
{
    c->Font()->Assign(Font());
    c->Font()->SetColor(set[bcrText]);
    const String caption = Caption();
    SIZE text{0, 0};
    if (!caption.empty())
        text = c->TextExtent(caption);
    SIZE glyph{0, 0};
    if (!FGlyph->Empty())
        glyph = SIZE{FGlyph->Width(), FGlyph->Height()};
    TGlyphPlacement at = PlaceGlyphAndCaption(Width(), Height(), text, glyph, FLayout, FSpacing, FState == dsDown);
    if (!FGlyph->Empty()) {
        FGlyph->SetTransparentColor(PixelToColor(FGlyph->PixelBuffer().At(0, 0)));
        FGlyph->SetTransparent(FTransparentGlyph);
        c->Draw(at.Glyph.x, at.Glyph.y, FGlyph.get());
    }
    if (caption.empty())
        return;
    c->Brush()->SetStyle(bsClear);
    RECT r = at.Text;
    DrawTextA(c->Handle(), caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

void TGradientButton::DrawFrame(TCanvas* c, const TColor* set)
{
    const int w = Width(), h = Height();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(set[bcrBorder]);
    c->Brush()->SetColor(set[bcrFace]);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(0, 0, w, h);
    if (FCtl3D) {
        c->Pen()->SetColor(set[bcrLight]);
        c->MoveTo(1, h - 2);
        c->LineTo(1, 1);
        c->LineTo(w - 1, 1);
        c->Pen()->SetColor(set[bcrDark]);
        c->MoveTo(w - 2, 1);
        c->LineTo(w - 2, h - 2);
        c->LineTo(1, h - 2);
    }
    if (FFocused) {
        c->Pen()->SetColor(FColors[FocusRectColorIndex]);
        c->Rectangle(3, 3, w - 3, h - 3);
    }
}

void TGradientButton::GradientFill(TCanvas* canvas, const TRect& rect, TColor from, TColor to)
{
    const int n = rect.bottom - rect.top;
    if (n <= 0)
        return;  // no rows to spread the colours over
    // System colours (top byte set) become RGB before their channels are stepped.
    const COLORREF a = ColorToRGB(from), b = ColorToRGB(to);
    double r = GetRValue(a), g = GetGValue(a), bl = GetBValue(a);
    const double dr = (GetRValue(b) - r) / n, dg = (GetGValue(b) - g) / n, db = (GetBValue(b) - bl) / n;
    for (int y = 0; y <= n; ++y) {
        canvas->Pen()->SetColor(static_cast<TColor>(RGB(Channel(r), Channel(g), Channel(bl))));
        canvas->MoveTo(rect.left, rect.top + y);
        canvas->LineTo(rect.left + rect.right, rect.top + y);
        r += dr;
        g += dg;
        bl += db;
    }
}

// ---------------------------------------------------------------- mouse

void TGradientButton::MouseEntered()
{
    if (Designing() || !FHotTrack)
        return;
    FState = FHeld ? dsDown : dsHot;
    if (FUseSound)
        PlaySchemeSound(FSound);
    Paint();
}

void TGradientButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    FHeld = true;
    FState = dsDown;
    if (TabStop() && CanFocus())
        SetFocus();
    Paint();
}

void TGradientButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    FHeld = false;
    // Strictly inside: a release on the left or top edge leaves the look as it was.
    if (x > 0 && x < Width() && y > 0 && y < Height())
        FState = FHotTrack ? dsHot : dsNormal;
    Paint();
}

// ---------------------------------------------------------------- keyboard

void TGradientButton::KeyPressed(WORD key)
{
    if (key == VK_RETURN) {
        Click();  // paints; nothing of the button is touched after OnClick
        return;
    }
    if (key == VK_SPACE)
        FState = dsDown;
    Paint();
}

void TGradientButton::KeyReleased(WORD key)
{
    if (key != VK_SPACE)
        return;
    FState = dsNormal;
    Paint();
    Click();
}

void TGradientButton::DialogKey(TMessage& m)
{
    const WORD key = static_cast<WORD>(m.WParam);
    const bool own = (key == VK_RETURN && FFocused) || (key == VK_ESCAPE && FCancel);
    // A default button takes Return only: Escape belongs to the cancel button, and a disabled
    // or hidden default button must not close its form.
    const bool asDefault = FDefault && key == VK_RETURN;
    if (CanFocus() && ((own && NoShiftKeys()) || asDefault)) {
        m.Result = 1;
        Click();
        return;
    }
    TCustomControl::Dispatch(m);
}

void TGradientButton::DialogChar(TMessage& m)
{
    if (CanFocus() && IsAccel(static_cast<unsigned>(m.WParam), Caption())) {
        m.Result = 1;
        Click();
    }
}

// ---------------------------------------------------------------- messages

void TGradientButton::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case CM_MOUSEENTER:
        MouseEntered();
        return;
    case CM_MOUSELEAVE:
        TCustomControl::Dispatch(m);
        FState = dsNormal;  // a held button stays held: coming back shows it down again
        Paint();
        return;
    case WM_SETFOCUS:
        FFocused = true;
        Paint();
        return;
    case WM_KILLFOCUS:
        FFocused = false;
        FState = dsNormal;
        Paint();
        return;
    case CN_KEYDOWN:
        // The button keeps its keys to itself and raises no key events. Dialog keys still go
        // the form's way first (the focused button answers Return there); the rest come back
        // as WM_KEYDOWN.
        m.Result = RouteDialogKey(static_cast<WORD>(m.WParam), m.LParam) ? 1 : 0;
        return;
    case WM_KEYDOWN:
        KeyPressed(static_cast<WORD>(m.WParam));
        return;
    case WM_KEYUP:
        KeyReleased(static_cast<WORD>(m.WParam));
        m.Result = 0;
        return;
    case CM_DIALOGKEY:
        DialogKey(m);
        return;
    case CM_DIALOGCHAR:
        DialogChar(m);
        return;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        TCustomControl::Dispatch(m);
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(m);
}

// ---------------------------------------------------------------- registration

void RegisterGradientButton() { RegisterClasses({&TGradientButton::StaticClass()}); }

namespace {
// The unit's start-up: a module that links the button can stream it from its form files.
[[maybe_unused]] const bool gGradientButtonRegistered = (RegisterGradientButton(), true);
}  // namespace
