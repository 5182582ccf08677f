#pragma once
// Windowless picture and bevel controls.
#include <memory>

#include "controls.h"

// Shows a picture: at its own size, stretched, scaled keeping its proportions, or centred.
class TImage : public TGraphicControl {
    TK_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    // Loading or changing the picture repaints the image (and resizes it with AutoSize).
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* v) { FPicture->Assign(v); }
    TK_PROPERTY(bool, Stretch, UpdateOpaque(), Invalidate());
    TK_PROPERTY(bool, Center, Invalidate());
    // Scales the picture to fit, keeping its aspect (with Stretch also up, else only down).
    TK_PROPERTY(bool, Proportional, UpdateOpaque(), Invalidate());
    // The picture's transparent colour lets the parent show through.
    TK_PROPERTY(bool, Transparent, PictureChanged(nullptr));

    // Where the picture goes in the client area.
    TRect DestRect() const;

protected:
    void Paint() override;
    bool CanAutoSize(int& width, int& height) override;

private:
    void PictureChanged(TObject*);
    void UpdateOpaque();

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
};

// Value names in form files: bsBox, bsFrame, bsTopLine, ... and bsLowered, bsRaised. They are
// enum classes here because a form's border style and a brush style use bs names too.
enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };
extern const TEnumInfo BevelShapeInfo;
extern const TEnumInfo BevelStyleInfo;

// A 3-D box, frame or line.
class TBevel : public TGraphicControl {
    TK_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* owner);

    TK_PROPERTY(TBevelShape, Shape, Invalidate());
    TK_PROPERTY(TBevelStyle, Style, Invalidate());

protected:
    void Paint() override;

private:
    TBevelShape FShape = TBevelShape::bsBox;
    TBevelStyle FStyle = TBevelStyle::bsLowered;
};

// Registers the classes of menus, image lists, images, bevels, the media player and the open
// dialog for form files (RegisterStandardClasses calls it).
void RegisterExtControlClasses();
