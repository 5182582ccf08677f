// The skinned window's list of control skins.
#include <algorithm>

#include "skincontrol.h"
#include "skinform.h"

bool TSkinForm::AddSkinControl(TSkinControl* skin)
{
    if (!skin)
        return false;
    if (std::find(FSkinControls.begin(), FSkinControls.end(), skin) != FSkinControls.end())
        return true;
    FSkinControls.push_back(skin);
    return false;
}

void TSkinForm::RemoveSkinControl(TSkinControl* skin)
{
    auto at = std::find(FSkinControls.rbegin(), FSkinControls.rend(), skin);
    if (at != FSkinControls.rend())
        FSkinControls.erase(std::next(at).base());
}

void TSkinForm::FreeSkinControls()
{
    while (!FSkinControls.empty()) {
        TSkinControl* skin = FSkinControls.front();
        FSkinControls.erase(FSkinControls.begin());
        skin->Release(FLifeState != lsDestroying);
    }
}

void TSkinForm::PurgeSkinControls()
{
    std::vector<TSkinControl*> dead;
    for (TSkinControl* skin : FSkinControls)
        if (skin->State() == TSkinControl::stDestroyed)
            dead.push_back(skin);
    for (TSkinControl* skin : dead) {
        RemoveSkinControl(skin);
        skin->Release(false);
    }
}

TSkinControl* TSkinForm::FindSkinControl(HWND wnd) const
{
    if (!wnd)
        return nullptr;
    for (TSkinControl* skin : FSkinControls)
        if (skin->Handle() == wnd)
            return skin;
    return nullptr;
}

TSkinControl* TSkinForm::FindSkinControl(const TControl* control) const
{
    if (!control)
        return nullptr;
    for (TSkinControl* skin : FSkinControls)
        if (skin->Control() == control)
            return skin;
    return nullptr;
}

void TSkinForm::SkinControlsChanged()
{
    // A copy: a skin's repaint may reach code that changes the list.
    const std::vector<TSkinControl*> skins = FSkinControls;
    for (TSkinControl* skin : skins) {
        if (std::find(FSkinControls.begin(), FSkinControls.end(), skin) == FSkinControls.end())
            continue;
        try {
            skin->SkinChanged();
        } catch (...) {
        }
    }
}
