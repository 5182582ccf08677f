// Wide text and the optional user32 entries.
#include "skinhelpers.h"

namespace {

// user32, loaded once more so the entries stay valid for the module's life.
class TUser32Binding {
public:
    TUser32Binding() : FModule(LoadLibraryA("user32.dll"))
    {
        if (!FModule)
            return;
        Entries.GetScrollBarInfo = Entry<TGetScrollBarInfoProc>("GetScrollBarInfo");
        Entries.TrackMouseEvent = Entry<TTrackMouseEventProc>("TrackMouseEvent");
        Entries.GetComboBoxInfo = Entry<TGetComboBoxInfoProc>("GetComboBoxInfo");
    }

    TSkinUser32Entries Entries;

private:
    template <class P>
    P Entry(const char* name) const
    {
        return reinterpret_cast<P>(GetProcAddress(FModule.Get(), name));
    }
    TModuleHandle FModule;
};

}  // namespace

TSkinPlatform& SkinPlatform()
{
    static TSkinPlatform platform = [] {
        TSkinPlatform p;
        p.Version = GetVersion();
        p.WideText = p.NTPlatform = (p.Version & 0x80000000u) == 0;
        return p;
    }();
    return platform;
}

std::wstring StrToWide(const String& text)
{
    if (text.empty())
        return {};
    const UINT cp = SkinPlatform().CodePage;
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(cp, 0, text.data(), size, nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    const int done = MultiByteToWideChar(cp, 0, text.data(), size, wide.data(), n);
    wide.resize(static_cast<size_t>(done > 0 ? done : 0));
    return wide;
}

std::wstring WideCopy(const wchar_t* source, int count)
{
    if (!source || count < -1)
        return {};
    size_t length = 0;
    // Never past the terminator, however large the count.
    while ((count == -1 || length < static_cast<size_t>(count)) && source[length])
        ++length;
    return std::wstring(source, length);
}

namespace {

String WideToAnsi(const std::wstring& text)
{
    if (text.empty())
        return {};
    const UINT cp = SkinPlatform().CodePage;
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(cp, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return {};
    String ansi(static_cast<size_t>(n), '\0');
    const int done = WideCharToMultiByte(cp, 0, text.data(), size, ansi.data(), n, nullptr, nullptr);
    ansi.resize(static_cast<size_t>(done > 0 ? done : 0));
    return ansi;
}

}  // namespace

int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format)
{
    format &= ~static_cast<UINT>(DT_MODIFYSTRING);
    if (SkinPlatform().WideText)
        return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    const String ansi = WideToAnsi(text);
    return DrawTextA(dc, ansi.c_str(), -1, &rect, format);
}

TSkinUser32Entries& SkinUser32Entries()
{
    static TUser32Binding binding;
    return binding.Entries;
}

bool SkinGetScrollBarInfo(HWND handle, LONG objectId, SCROLLBARINFO& info)
{
    const TGetScrollBarInfoProc entry = SkinUser32Entries().GetScrollBarInfo;
    return entry && entry(handle, objectId, &info) != 0;
}

bool SkinGetComboBoxInfo(HWND handle, COMBOBOXINFO& info)
{
    const TGetComboBoxInfoProc entry = SkinUser32Entries().GetComboBoxInfo;
    return entry && entry(handle, &info) != 0;
}

void SkinTrackMouseLeave(HWND handle)
{
    const TTrackMouseEventProc entry = SkinUser32Entries().TrackMouseEvent;
    if (!entry)
        return;
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;  // 16 on 32-bit Windows
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = handle;
    entry(&tme);
}
