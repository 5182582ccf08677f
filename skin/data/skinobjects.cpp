#include "skinobjects.h"

void TDataSkinObject::SetMargins(int left, int top, int right, int bottom)
{
    LeftWidth = left;
    TopHeight = top;
    RightWidth = right;
    BottomHeight = bottom;
}

int TDataSkinObject::FrameWidth() const { return Frame > 0 ? Bitmap.Width() / Frame : 0; }

const TClassInfo& TDataSkinObject::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDataSkinObject>("TDataSkinObject", &TObject::StaticClass()).Build();
    return info;
}

const TClassInfo& TDataSkinBorder::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDataSkinBorder>("TDataSkinBorder", &TDataSkinObject::StaticClass()).Build();
    return info;
}

const TClassInfo& TDataSkinTitle::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDataSkinTitle>("TDataSkinTitle", &TDataSkinObject::StaticClass()).Build();
    return info;
}

const TClassInfo& TDataSkinButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDataSkinButton>("TDataSkinButton", &TDataSkinObject::StaticClass()).Build();
    return info;
}

const TClassInfo& TDataSkinSysButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDataSkinSysButton>("TDataSkinSysButton", &TDataSkinObject::StaticClass()).Build();
    return info;
}

const TClassInfo& TDataSkinBoxLabel::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDataSkinBoxLabel>("TDataSkinBoxLabel", &TDataSkinObject::StaticClass()).Build();
    return info;
}
