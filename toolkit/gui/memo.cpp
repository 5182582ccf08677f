#include "memo.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "apphooks.h"

const TEnumInfo ScrollStyleInfo{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};

namespace {

// Every line break as CR LF, as the multi-line edit window shows them.
String AdjustLineBreaks(std::string_view s)
{
    String r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\r' || c == '\n') {
            r += "\r\n";
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
        } else {
            r += c;
        }
    }
    return r;
}

// riched20.dll stays loaded for the rest of the process: its window class must outlive every
// rich edit, and unloading it at the module's end would run under the loader lock.
void LoadRichEdit()
{
    static HMODULE module = nullptr;
    if (module)
        return;
    module = LoadLibraryA("riched20.dll");
    if (!module)
        throw EOutOfResources("Cannot load riched20.dll: error " + IntToStr(GetLastError()));
}

struct TStreamSource {
    const char* Data;
    size_t Left;
};

DWORD CALLBACK ReadStreamSource(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* got)
{
    try {
        auto* s = reinterpret_cast<TStreamSource*>(cookie);
        size_t n = std::min(s->Left, static_cast<size_t>(std::max<LONG>(cb, 0)));
        std::memcpy(buf, s->Data, n);
        s->Data += n;
        s->Left -= n;
        *got = static_cast<LONG>(n);
        return 0;
    } catch (...) {
        HandleCurrentException(nullptr);
        *got = 0;
        return 1;
    }
}

}  // namespace

// ---------------------------------------------------------------- TMemoStrings

const TClassInfo& TMemoStrings::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMemoStrings>("TMemoStrings", &TStrings::StaticClass()).Build();
    return info;
}

std::vector<String> TMemoStrings::Split(std::string_view text)
{
    std::vector<String> lines;
    size_t pos = 0;
    for (;;) {
        size_t e = text.find_first_of("\r\n", pos);
        if (e == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, e - pos));
        pos = e + 1;
        if (text[e] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    // What follows the last line break is a line only when it holds something.
    if (lines.back().empty())
        lines.pop_back();
    return lines;
}

String TMemoStrings::Join(const std::vector<String>& lines)
{
    String r;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            r += "\r\n";
        r += lines[i];
    }
    // A last empty line needs its own break to exist.
    if (!lines.empty() && lines.back().empty())
        r += "\r\n";
    return r;
}

void TMemoStrings::Check(int i, int count)
{
    if (i < 0 || i >= count)
        throw EListError("List index out of bounds (" + IntToStr(i) + ")");
}

std::vector<String> TMemoStrings::Current() const
{
    return FPending ? *FPending : Split(FMemo->GetText());
}

void TMemoStrings::Commit(std::vector<String> lines)
{
    if (Updating()) {
        FPending = std::move(lines);
        return;
    }
    FMemo->SetText(Join(lines));
}

void TMemoStrings::Changed()
{
    if (!FPending)
        return;
    std::vector<String> lines = std::move(*FPending);
    FPending.reset();
    FMemo->SetText(Join(lines));
}

int TMemoStrings::Count() const { return static_cast<int>(Current().size()); }

String TMemoStrings::Get(int i) const
{
    std::vector<String> lines = Current();
    Check(i, static_cast<int>(lines.size()));
    return lines[static_cast<size_t>(i)];
}

void TMemoStrings::Put(int i, const String& s)
{
    std::vector<String> lines = Current();
    Check(i, static_cast<int>(lines.size()));
    lines[static_cast<size_t>(i)] = s;
    Commit(std::move(lines));
}

void TMemoStrings::Insert(int i, const String& s)
{
    std::vector<String> lines = Current();
    Check(i, static_cast<int>(lines.size()) + 1);
    // A string with line breaks becomes several lines.
    std::vector<String> added = s.empty() ? std::vector<String>{String()} : Split(s);
    lines.insert(lines.begin() + i, added.begin(), added.end());
    Commit(std::move(lines));
}

void TMemoStrings::Delete(int i)
{
    std::vector<String> lines = Current();
    Check(i, static_cast<int>(lines.size()));
    lines.erase(lines.begin() + i);
    Commit(std::move(lines));
}

void TMemoStrings::Clear() { Commit({}); }

// ---------------------------------------------------------------- TCustomMemo

const TClassInfo& TCustomMemo::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomMemo>("TCustomMemo", &TCustomEdit::StaticClass())
            .ObjectProp<TStrings>("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines)
            .EnumProp<TScrollStyle>("ScrollBars", ScrollStyleInfo, &TCustomMemo::ScrollBars,
                                    &TCustomMemo::SetScrollBars)
            .Prop("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)
            .EnumProp<TAlignment>("Alignment", AlignmentInfo, &TCustomMemo::Alignment, &TCustomMemo::SetAlignment)
            .Prop("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns)
            .Prop("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs)
            .Build();
    return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), FLines(std::make_unique<TMemoStrings>(this))
{
    StoreBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& p)
{
    TCustomEdit::CreateParams(p);
    p.Caption.clear();  // InitializeWnd puts the text in, as the class wants it
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    switch (FAlignment) {
    case taRightJustify: p.Style |= ES_RIGHT; break;
    case taCenter: p.Style |= ES_CENTER; break;
    default: p.Style |= ES_LEFT; break;
    }
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        p.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        p.Style |= WS_HSCROLL;
    // Without automatic horizontal scrolling the edit window wraps at its right edge.
    if (!FWordWrap || FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        p.Style |= ES_AUTOHSCROLL;
}

void TCustomMemo::InitializeWnd()
{
    TCustomEdit::InitializeWnd();
    PutWindowTextSilently(FText);
}

void TCustomMemo::WriteText(const String& v) { TCustomEdit::WriteText(AdjustLineBreaks(v)); }

void TCustomMemo::SetScrollBars(TScrollStyle v)
{
    if (v == FScrollBars)
        return;
    FScrollBars = v;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool v)
{
    if (v == FWordWrap)
        return;
    FWordWrap = v;
    RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment v)
{
    if (v == FAlignment)
        return;
    FAlignment = v;
    RecreateWnd();
}

void TCustomMemo::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        DefaultHandler(m);
        if (FWantTabs)
            m.Result |= DLGC_WANTTAB;
        else
            m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
        if (!FWantReturns)
            m.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        return;
    default:
        break;
    }
    TCustomEdit::Dispatch(m);
}

// ---------------------------------------------------------------- TCustomRichEdit

const TClassInfo& TCustomRichEdit::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomRichEdit>("TCustomRichEdit", &TCustomMemo::StaticClass())
            .Prop("PlainText", &TCustomRichEdit::PlainText, &TCustomRichEdit::SetPlainText)
            .Build();
    return info;
}

const TClassInfo& TRichEdit::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TRichEdit>("TRichEdit", &TCustomRichEdit::StaticClass()).Creatable().Build();
    return info;
}

const TClassInfo& TMemo::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMemo>("TMemo", &TCustomMemo::StaticClass()).Creatable().Build();
    return info;
}

TCustomRichEdit::TCustomRichEdit(TComponent* owner) : TCustomMemo(owner) {}

void TCustomRichEdit::CreateParams(TCreateParams& p)
{
    TCustomMemo::CreateParams(p);
    p.SysClassName = RICHEDIT_CLASSA;
}

// The library comes with the first window, not with the first look at the frame's size.
void TCustomRichEdit::CreateWnd()
{
    LoadRichEdit();
    TCustomMemo::CreateWnd();
}

void TCustomRichEdit::InitializeWnd()
{
    HWND h = WindowHandle();
    SendMessageA(h, EM_SETEVENTMASK, 0, ENM_CHANGE);
    // Target device null: wrap at the window's edge (0) or not at all (1).
    SendMessageA(h, EM_SETTARGETDEVICE, 0, WordWrap() ? 0 : 1);
    TCustomMemo::InitializeWnd();
    ApplyColors();
}

void TCustomRichEdit::ApplyMaxLength()
{
    // 0 means no limit here; the rich edit's own default would be 32 K.
    LPARAM limit = MaxLength() > 0 ? MaxLength() : 0x7FFFFFFE;
    SendMessageA(WindowHandle(), EM_EXLIMITTEXT, 0, limit);
}

void TCustomRichEdit::ApplyColors()
{
    HWND h = WindowHandle();
    if (!h)
        return;
    SendMessageA(h, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = ColorToRGB(Font()->Color());
    SendMessageA(h, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    SendMessageA(h, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

void TCustomRichEdit::PutWindowText(const String& v)
{
    HWND h = WindowHandle();
    if (!FPlainText) {
        SetWindowTextA(h, v.c_str());
        return;
    }
    // Streamed in as text, so that a text that looks like rich text stays as written.
    TStreamSource source{v.data(), v.size()};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    es.pfnCallback = &ReadStreamSource;
    SendMessageA(h, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&es));
}

String TCustomRichEdit::GetText() const
{
    HWND h = WindowHandle();
    if (!h)
        return FText;
    GETTEXTLENGTHEX len{GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES, CP_ACP};
    LRESULT n = SendMessageA(h, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
    if (n <= 0)
        return String();
    String s(static_cast<size_t>(n) + 1, '\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(s.size());
    get.flags = GT_USECRLF;
    get.codepage = CP_ACP;
    LRESULT got = SendMessageA(h, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, n)));
    return s;
}

void TCustomRichEdit::Dispatch(TMessage& m)
{
    TCustomMemo::Dispatch(m);
    if (m.Msg == CM_COLORCHANGED || m.Msg == CM_FONTCHANGED)
        ApplyColors();
}
