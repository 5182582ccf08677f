#pragma once
// A media player over MCI (mciSendCommandA): opens a sound or video file on the device its
// extension suggests, plays it without waiting, reports the end through OnNotify, and draws a
// row of player buttons when it is visible.
#include <windows.h>

#include <mmsystem.h>

#include "controls.h"
#include "objinstance.h"

enum TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
using TButtonSet = TSet<TMPBtnType>;
extern const TEnumInfo MPBtnTypeInfo;

enum TMPDeviceTypes {
    dtAutoSelect, dtAVIVideo, dtCDAudio, dtDAT, dtDigitalVideo, dtMMMovie, dtOther, dtOverlay, dtScanner,
    dtSequencer, dtVCR, dtVideodisc, dtWaveAudio,
};
extern const TEnumInfo MPDeviceTypesInfo;

enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };
enum TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };

// The MCI device name a file opens on when the type is dtAutoSelect: "waveaudio" for .wav,
// "sequencer" for MIDI files, "mpegvideo" for .mp3 and everything else.
String MCIDeviceName(TMPDeviceTypes type, const String& fileName);

class TMediaPlayer : public TCustomControl {
    TK_CLASS(TMediaPlayer, TCustomControl)
public:
    explicit TMediaPlayer(TComponent* owner);
    ~TMediaPlayer() override;

    const String& FileName() const { return FFileName; }
    void SetFileName(const String& v) { FFileName = v; }
    TMPDeviceTypes DeviceType() const { return FDeviceType; }
    void SetDeviceType(TMPDeviceTypes v) { FDeviceType = v; }
    // Opens the device when the form file has been read.
    bool AutoOpen() const { return FAutoOpen; }
    void SetAutoOpen(bool v) { FAutoOpen = v; }
    // Commands return only when the device has finished (Play waits for the end).
    bool Wait() const { return FWait; }
    void SetWait(bool v) { FWait = v; }
    // Commands report their end through OnNotify.
    bool Notify() const { return FNotify; }
    void SetNotify(bool v) { FNotify = v; }
    bool Shareable() const { return FShareable; }
    void SetShareable(bool v) { FShareable = v; }
    // Play at the end of the medium starts again from the beginning.
    bool AutoRewind() const { return FAutoRewind; }
    void SetAutoRewind(bool v) { FAutoRewind = v; }
    TK_PROPERTY(TButtonSet, VisibleButtons, Invalidate());
    TK_PROPERTY(TButtonSet, EnabledButtons, Invalidate());
    TK_PROPERTY(TButtonSet, ColoredButtons, Invalidate());

    // Closes the device opened before, then opens FileName. A failure raises EMCIDeviceError
    // with the system's text for the error.
    void Open();
    // Closes the device; nothing happens when none is open.
    void Close();
    // The commands below raise EMCIDeviceError when no device is open or MCI refuses them.
    void Play();
    void Pause();
    void Resume();
    void Stop();
    void Rewind();
    void Next();
    void Step(int frames);

    bool IsOpen() const { return FDeviceID != 0; }
    MCIDEVICEID DeviceID() const { return FDeviceID; }
    // mpNotReady while no device is open.
    TMPModes Mode() const;
    // Milliseconds (for the devices that know time).
    int Position() const;
    void SetPosition(int v);
    int Length() const;
    // The last command's MCI error code (0 for success) and its text.
    DWORD Error() const { return FError; }
    String ErrorMessage() const;
    TMPNotifyValues NotifyValue() const { return FNotifyValue; }

    TNotifyEvent OnNotify;

protected:
    void Loaded() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // The action of a player button (a click on it).
    virtual void ButtonClick(TMPBtnType button);

private:
    // Sends one command to the open device, with the wait and notify flags; raises on error.
    void Command(UINT msg, DWORD flags, DWORD_PTR params);
    DWORD_PTR StatusItem(DWORD item) const;
    MCIERROR QueryStatus(DWORD item, DWORD_PTR& value) const;
    bool TryStatus(DWORD item, DWORD_PTR& value) const;
    void CheckOpen() const;
    void Check(MCIERROR e);
    DWORD WaitNotifyFlags(DWORD_PTR& callback);
    void NotifyWndProc(TMessage& m);
    int ButtonAt(int x) const;

    String FFileName;
    TMPDeviceTypes FDeviceType = dtAutoSelect;
    bool FAutoOpen = false;
    bool FWait = false;
    bool FNotify = false;
    bool FShareable = false;
    bool FAutoRewind = true;
    TButtonSet FVisibleButtons{btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject};
    TButtonSet FEnabledButtons{btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject};
    TButtonSet FColoredButtons{btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject};
    MCIDEVICEID FDeviceID = 0;
    DWORD FError = 0;
    TMPNotifyValues FNotifyValue = nvSuccessful;
    int FPressed = -1;
    TUtilWindow FNotifyWindow;
};
