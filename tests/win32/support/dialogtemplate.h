#pragma once
// Dialog boxes of class "#32770" made from a template built in memory: the header, then items,
// each DWORD-aligned.
#include <windows.h>

#include <vector>

class TDialogTemplate {
public:
    TDialogTemplate(DWORD style, short cx, short cy)
    {
        DLGTEMPLATE t{};
        t.style = style;
        t.cx = cx;
        t.cy = cy;
        Append(&t, sizeof t);
        Word(0);  // no menu
        Word(0);  // the dialog class
        Word(0);  // no title
    }
    void Item(WORD cls, DWORD style, short x, short y, short cx, short cy, WORD id, const wchar_t* text)
    {
        Align();
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Append(&item, sizeof item);
        Word(0xFFFF);
        Word(cls);
        for (const wchar_t* p = text; *p; ++p)
            Word(static_cast<WORD>(*p));
        Word(0);
        Word(0);  // no creation data
        ++Header().cdit;
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(FBytes.data()); }
    // A modeless dialog of this template (the dialog procedure answers nothing by default).
    HWND Create(DLGPROC proc = nullptr, HWND parent = nullptr, HINSTANCE module = nullptr) const
    {
        return CreateDialogIndirectParamA(module ? module : GetModuleHandleA(nullptr), Get(), parent,
                                          proc ? proc : NoAnswer, 0);
    }

private:
    static INT_PTR CALLBACK NoAnswer(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
    DLGTEMPLATE& Header() { return *reinterpret_cast<DLGTEMPLATE*>(FBytes.data()); }
    void Append(const void* p, size_t n)
    {
        const auto* b = static_cast<const unsigned char*>(p);
        FBytes.insert(FBytes.end(), b, b + n);
    }
    void Word(WORD w) { Append(&w, sizeof w); }
    void Align()
    {
        while (FBytes.size() % 4)
            FBytes.push_back(0);
    }
    std::vector<unsigned char> FBytes;
};

inline constexpr WORD ButtonClass = 0x80, EditClass = 0x81, StaticClass = 0x82, ScrollBarClass = 0x84,
                      ComboClass = 0x85;
