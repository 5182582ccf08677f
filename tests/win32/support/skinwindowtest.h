#pragma once
// Fixture for tests of skinned windows: the module's skin manager starts afresh, and the forms
// and windows a test made go, then the manager, when it ends.
#include "guitest.h"
#include "skinmanager.h"

class SkinWindowTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        DoneSkinManager();
    }
    void TearDown() override
    {
        for (HWND w : Windows)
            if (IsWindow(w))
                DestroyWindow(w);
        for (size_t i = Forms.size(); i-- > 0;)
            Forms[i]->Free();
        DoneSkinManager();
        GuiTest::TearDown();
    }
    HWND Track(HWND w)
    {
        Windows.push_back(w);
        return w;
    }

    std::vector<TForm*> Forms;   // freed last to first
    std::vector<HWND> Windows;  // destroyed
};
