#include "mplayer.h"

#include <algorithm>

#include "lateproc.h"

const TEnumInfo MPBtnTypeInfo{"TMPBtnType",
                              {"btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord",
                               "btEject"}};
const TEnumInfo MPDeviceTypesInfo{"TMPDeviceTypes",
                                  {"dtAutoSelect", "dtAVIVideo", "dtCDAudio", "dtDAT", "dtDigitalVideo", "dtMMMovie",
                                   "dtOther", "dtOverlay", "dtScanner", "dtSequencer", "dtVCR", "dtVideodisc",
                                   "dtWaveAudio"}};

namespace {

constexpr int kButtonCount = 9;

const char* const kDeviceNames[] = {
    "", "AVIVideo", "CDAudio", "DAT", "DigitalVideo", "MMMovie", "Other", "Overlay", "Scanner",
    "Sequencer", "VCR", "Videodisc", "WaveAudio",
};

// The media control interface, loaded when a player first opens a device.
MCIERROR SendCommand(MCIDEVICEID device, UINT msg, DWORD_PTR flags, DWORD_PTR params)
{
    static const auto send = LateProc<decltype(&mciSendCommandA)>("winmm.dll", "mciSendCommandA");
    return send(device, msg, flags, params);
}

BOOL ErrorString(MCIERROR e, char* text, UINT size)
{
    static const auto get = LateProc<decltype(&mciGetErrorStringA)>("winmm.dll", "mciGetErrorStringA");
    return get(e, text, size);
}

String MCIErrorText(MCIERROR e)
{
    char text[256] = {};
    if (!ErrorString(e, text, sizeof text) || !text[0])
        return "MCI error " + IntToStr(static_cast<int64_t>(e));
    return text;
}

// Draws the symbol of a player button centred in r.
void DrawButtonGlyph(HDC dc, TMPBtnType b, const RECT& r, COLORREF color)
{
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    int s = std::max(2, static_cast<int>(std::min(r.right - r.left, r.bottom - r.top) / 4));
    TGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    HGDIOBJ oldBrush = SelectObject(dc, brush.Get());
    HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    auto tri = [dc](POINT a, POINT b2, POINT c) {
        POINT p[3] = {a, b2, c};
        Polygon(dc, p, 3);
    };
    auto bar = [dc](int l, int t, int rr, int bb) { Rectangle(dc, l, t, rr, bb); };
    switch (b) {
    case btPlay: tri({cx - s, cy - s}, {cx + s, cy}, {cx - s, cy + s}); break;
    case btPause:
        bar(cx - s, cy - s, cx - s / 3, cy + s + 1);
        bar(cx + s / 3, cy - s, cx + s, cy + s + 1);
        break;
    case btStop: bar(cx - s, cy - s, cx + s, cy + s); break;
    case btNext:
        tri({cx - s, cy - s}, {cx + s / 2, cy}, {cx - s, cy + s});
        bar(cx + s / 2, cy - s, cx + s, cy + s + 1);
        break;
    case btPrev:
        bar(cx - s, cy - s, cx - s / 2, cy + s + 1);
        tri({cx + s, cy - s}, {cx - s / 2, cy}, {cx + s, cy + s});
        break;
    case btStep:
        bar(cx - s, cy - s, cx - s / 2, cy + s + 1);
        tri({cx - s / 3, cy - s}, {cx + s, cy}, {cx - s / 3, cy + s});
        break;
    case btBack:
        tri({cx + s / 3, cy - s}, {cx - s, cy}, {cx + s / 3, cy + s});
        bar(cx + s / 2, cy - s, cx + s, cy + s + 1);
        break;
    case btRecord: Ellipse(dc, cx - s, cy - s, cx + s, cy + s); break;
    case btEject:
        tri({cx - s, cy + s / 3}, {cx, cy - s}, {cx + s, cy + s / 3});
        bar(cx - s, cy + s / 2 + 1, cx + s + 1, cy + s + 1);
        break;
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

COLORREF ButtonColor(TMPBtnType b, bool enabled, bool colored)
{
    if (!enabled)
        return ColorToRGB(clGray);
    if (!colored)
        return ColorToRGB(clBlack);
    switch (b) {
    case btPlay: return RGB(0, 128, 0);
    case btRecord: return RGB(192, 0, 0);
    case btPause: case btStop: return RGB(0, 0, 160);
    default: return RGB(0, 96, 128);
    }
}

}  // namespace

String MCIDeviceName(TMPDeviceTypes type, const String& fileName)
{
    if (type != dtAutoSelect)
        return kDeviceNames[type];
    String ext = LowerCase(ExtractFileExt(fileName));
    if (ext == ".wav")
        return "waveaudio";
    if (ext == ".mid" || ext == ".midi" || ext == ".rmi")
        return "sequencer";
    return "mpegvideo";
}

const TClassInfo& TMediaPlayer::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMediaPlayer>("TMediaPlayer", &TCustomControl::StaticClass())
            .Creatable()
            .Prop("FileName", &TMediaPlayer::FileName, &TMediaPlayer::SetFileName)
            .EnumProp<TMPDeviceTypes>("DeviceType", MPDeviceTypesInfo, &TMediaPlayer::DeviceType,
                                      &TMediaPlayer::SetDeviceType)
            .Prop("AutoOpen", &TMediaPlayer::AutoOpen, &TMediaPlayer::SetAutoOpen)
            .Prop("AutoRewind", &TMediaPlayer::AutoRewind, &TMediaPlayer::SetAutoRewind)
            .Prop("Wait", &TMediaPlayer::Wait, &TMediaPlayer::SetWait)
            .Prop("Notify", &TMediaPlayer::Notify, &TMediaPlayer::SetNotify)
            .Prop("Shareable", &TMediaPlayer::Shareable, &TMediaPlayer::SetShareable)
            .SetProp<TMPBtnType>("VisibleButtons", MPBtnTypeInfo, &TMediaPlayer::VisibleButtons,
                                 &TMediaPlayer::SetVisibleButtons)
            .SetProp<TMPBtnType>("EnabledButtons", MPBtnTypeInfo, &TMediaPlayer::EnabledButtons,
                                 &TMediaPlayer::SetEnabledButtons)
            .SetProp<TMPBtnType>("ColoredButtons", MPBtnTypeInfo, &TMediaPlayer::ColoredButtons,
                                 &TMediaPlayer::SetColoredButtons)
            .Event("OnNotify", &TMediaPlayer::OnNotify)
            .Build();
    return info;
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TCustomControl(owner)
{
    StoreBounds(0, 0, 253, 30);
    SetColor(clBtnFace);
}

TMediaPlayer::~TMediaPlayer()
{
    // No error may leave a destructor; the device is given back whatever it says.
    if (FDeviceID)
        SendCommand(FDeviceID, MCI_CLOSE, MCI_WAIT, 0);
    FDeviceID = 0;
}

void TMediaPlayer::Loaded()
{
    TCustomControl::Loaded();
    if (FAutoOpen && !FFileName.empty())
        Open();
}

void TMediaPlayer::Check(MCIERROR e)
{
    FError = e;
    if (e)
        throw EMCIDeviceError(MCIErrorText(e));
}

String TMediaPlayer::ErrorMessage() const { return FError ? MCIErrorText(FError) : String(); }

void TMediaPlayer::CheckOpen() const
{
    if (!FDeviceID)
        throw EMCIDeviceError("No MCI device is open");
}

DWORD TMediaPlayer::WaitNotifyFlags(DWORD_PTR& callback)
{
    DWORD flags = 0;
    if (FWait)
        flags |= MCI_WAIT;
    if (FNotify) {
        if (!FNotifyWindow)
            FNotifyWindow = TUtilWindow(TWndMethod(this, &TMediaPlayer::NotifyWndProc));
        callback = reinterpret_cast<DWORD_PTR>(FNotifyWindow.Handle());
        flags |= MCI_NOTIFY;
    }
    return flags;
}

void TMediaPlayer::Command(UINT msg, DWORD flags, DWORD_PTR params)
{
    CheckOpen();
    // Every MCI parameter block starts with the callback window.
    DWORD_PTR callback = 0;
    flags |= WaitNotifyFlags(callback);
    if (params)
        reinterpret_cast<MCI_GENERIC_PARMS*>(params)->dwCallback = callback;
    Check(SendCommand(FDeviceID, msg, flags, params));
}

void TMediaPlayer::Open()
{
    Close();
    if (FFileName.empty() && FDeviceType == dtAutoSelect)
        throw EMCIDeviceError("No file name to open");
    String device = MCIDeviceName(FDeviceType, FFileName);
    MCI_OPEN_PARMSA p{};
    p.lpstrDeviceType = device.c_str();
    DWORD flags = MCI_OPEN_TYPE | MCI_WAIT;
    if (!FFileName.empty()) {
        p.lpstrElementName = FFileName.c_str();
        flags |= MCI_OPEN_ELEMENT;
    }
    if (FShareable)
        flags |= MCI_OPEN_SHAREABLE;
    Check(SendCommand(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&p)));
    FDeviceID = p.wDeviceID;
    // Positions in milliseconds; a device that has no time format keeps its own.
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    SendCommand(FDeviceID, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&set));
    Invalidate();
}

void TMediaPlayer::Close()
{
    if (!FDeviceID)
        return;
    MCIDEVICEID id = FDeviceID;
    FDeviceID = 0;
    MCI_GENERIC_PARMS p{};
    Check(SendCommand(id, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p)));
    Invalidate();
}

void TMediaPlayer::Play()
{
    CheckOpen();
    // A device that can't tell its length or position (some streams) just plays on.
    DWORD_PTR length = 0, position = 0;
    if (FAutoRewind && TryStatus(MCI_STATUS_LENGTH, length) && TryStatus(MCI_STATUS_POSITION, position) &&
        length > 0 && position >= length)
        Rewind();
    MCI_PLAY_PARMS p{};
    Command(MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&p));
}

void TMediaPlayer::Pause()
{
    MCI_GENERIC_PARMS p{};
    Command(MCI_PAUSE, 0, reinterpret_cast<DWORD_PTR>(&p));
}

void TMediaPlayer::Resume()
{
    MCI_GENERIC_PARMS p{};
    Command(MCI_RESUME, 0, reinterpret_cast<DWORD_PTR>(&p));
}

void TMediaPlayer::Stop()
{
    MCI_GENERIC_PARMS p{};
    Command(MCI_STOP, 0, reinterpret_cast<DWORD_PTR>(&p));
}

void TMediaPlayer::Rewind()
{
    MCI_SEEK_PARMS p{};
    Command(MCI_SEEK, MCI_SEEK_TO_START, reinterpret_cast<DWORD_PTR>(&p));
}

void TMediaPlayer::Next()
{
    MCI_SEEK_PARMS p{};
    Command(MCI_SEEK, MCI_SEEK_TO_END, reinterpret_cast<DWORD_PTR>(&p));
}

void TMediaPlayer::Step(int frames)
{
    // The frame-stepping devices (animation, digital video) share these flag values.
    MCI_ANIM_STEP_PARMS p{};
    p.dwFrames = static_cast<DWORD>(std::abs(frames));
    Command(MCI_STEP, MCI_ANIM_STEP_FRAMES | (frames < 0 ? MCI_ANIM_STEP_REVERSE : 0), reinterpret_cast<DWORD_PTR>(&p));
}

MCIERROR TMediaPlayer::QueryStatus(DWORD item, DWORD_PTR& value) const
{
    MCI_STATUS_PARMS p{};
    p.dwItem = item;
    MCIERROR e = SendCommand(FDeviceID, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p));
    value = p.dwReturn;
    return e;
}

bool TMediaPlayer::TryStatus(DWORD item, DWORD_PTR& value) const { return FDeviceID && !QueryStatus(item, value); }

DWORD_PTR TMediaPlayer::StatusItem(DWORD item) const
{
    CheckOpen();
    DWORD_PTR value = 0;
    if (MCIERROR e = QueryStatus(item, value))
        throw EMCIDeviceError(MCIErrorText(e));
    return value;
}

TMPModes TMediaPlayer::Mode() const
{
    if (!FDeviceID)
        return mpNotReady;
    switch (StatusItem(MCI_STATUS_MODE)) {
    case MCI_MODE_STOP: return mpStopped;
    case MCI_MODE_PLAY: return mpPlaying;
    case MCI_MODE_RECORD: return mpRecording;
    case MCI_MODE_SEEK: return mpSeeking;
    case MCI_MODE_PAUSE: return mpPaused;
    case MCI_MODE_OPEN: return mpOpen;
    default: return mpNotReady;
    }
}

int TMediaPlayer::Position() const { return static_cast<int>(StatusItem(MCI_STATUS_POSITION)); }

void TMediaPlayer::SetPosition(int v)
{
    MCI_SEEK_PARMS p{};
    p.dwTo = static_cast<DWORD>(std::max(v, 0));
    Command(MCI_SEEK, MCI_TO, reinterpret_cast<DWORD_PTR>(&p));
}

int TMediaPlayer::Length() const { return static_cast<int>(StatusItem(MCI_STATUS_LENGTH)); }

void TMediaPlayer::NotifyWndProc(TMessage& m)
{
    if (m.Msg != MM_MCINOTIFY) {
        m.Result = DefWindowProcA(FNotifyWindow.Handle(), m.Msg, m.WParam, m.LParam);
        return;
    }
    switch (m.WParam) {
    case MCI_NOTIFY_SUCCESSFUL: FNotifyValue = nvSuccessful; break;
    case MCI_NOTIFY_SUPERSEDED: FNotifyValue = nvSuperseded; break;
    case MCI_NOTIFY_ABORTED: FNotifyValue = nvAborted; break;
    default: FNotifyValue = nvFailure; break;
    }
    m.Result = 0;
    Fire(OnNotify, this);
}

// ---------------------------------------------------------------- the buttons

int TMediaPlayer::ButtonAt(int x) const
{
    int count = 0;
    for (int i = 0; i < kButtonCount; ++i)
        count += FVisibleButtons.Contains(static_cast<TMPBtnType>(i));
    if (count == 0 || x < 0)
        return -1;
    int w = std::max(1, Width() / count);
    int cell = x / w;
    for (int i = 0; i < kButtonCount; ++i) {
        if (!FVisibleButtons.Contains(static_cast<TMPBtnType>(i)))
            continue;
        if (cell-- == 0)
            return i;
    }
    return -1;
}

void TMediaPlayer::Paint()
{
    TCanvas* c = Canvas();
    TRect all = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(all);
    int count = 0;
    for (int i = 0; i < kButtonCount; ++i)
        count += FVisibleButtons.Contains(static_cast<TMPBtnType>(i));
    if (count == 0)
        return;
    HDC dc = c->Handle();
    int w = std::max<int>(1, all.Width() / count), x = 0;
    for (int i = 0; i < kButtonCount; ++i) {
        auto b = static_cast<TMPBtnType>(i);
        if (!FVisibleButtons.Contains(b))
            continue;
        RECT cell{x, 0, x + w, all.Height()};
        bool enabled = Enabled() && FEnabledButtons.Contains(b);
        DrawFrameControl(dc, &cell, DFC_BUTTON, DFCS_BUTTONPUSH | (i == FPressed ? DFCS_PUSHED : 0));
        if (i == FPressed)
            OffsetRect(&cell, 1, 1);
        DrawButtonGlyph(dc, b, cell, ButtonColor(b, enabled, FColoredButtons.Contains(b)));
        x += w;
    }
}

void TMediaPlayer::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        FPressed = ButtonAt(x);
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TMediaPlayer::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    int pressed = FPressed;
    if (button == mbLeft) {
        FPressed = -1;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && pressed >= 0 && pressed == ButtonAt(x) && y >= 0 && y < Height()) {
        auto b = static_cast<TMPBtnType>(pressed);
        if (Enabled() && FEnabledButtons.Contains(b))
            ButtonClick(b);
    }
}

void TMediaPlayer::ButtonClick(TMPBtnType button)
{
    switch (button) {
    case btPlay: Play(); break;
    case btPause:
        if (Mode() == mpPaused)
            Resume();
        else
            Pause();
        break;
    case btStop: Stop(); break;
    case btNext: Next(); break;
    case btPrev: Rewind(); break;
    case btStep: Step(1); break;
    case btBack: Step(-1); break;
    case btRecord: {
        MCI_RECORD_PARMS p{};
        Command(MCI_RECORD, 0, reinterpret_cast<DWORD_PTR>(&p));
        break;
    }
    case btEject: {
        MCI_SET_PARMS p{};
        Command(MCI_SET, MCI_SET_DOOR_OPEN, reinterpret_cast<DWORD_PTR>(&p));
        break;
    }
    }
}
