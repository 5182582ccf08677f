// The media player over real MCI: a small WAV file written here is opened, played to its end
// (reported through OnNotify), stopped and closed; bad files raise EMCIDeviceError.
#include <cstdio>
#include <cstring>
#include <vector>

#include "guitest.h"
#include "mplayer.h"

namespace {

String TempPath(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return String(dir) + name;
}

void Put32(std::vector<uint8_t>& v, uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

void Put16(std::vector<uint8_t>& v, uint16_t x)
{
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}

// A mono 8-bit PCM file of `ms` milliseconds at 8000 Hz (a square wave).
String WriteWav(const char* name, int ms)
{
    std::vector<uint8_t> samples(static_cast<size_t>(8 * ms));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = (i / 10) % 2 ? 160 : 96;
    std::vector<uint8_t> f;
    auto tag = [&f](const char* t) { f.insert(f.end(), t, t + 4); };
    tag("RIFF");
    Put32(f, static_cast<uint32_t>(36 + samples.size()));
    tag("WAVE");
    tag("fmt ");
    Put32(f, 16);
    Put16(f, 1);     // PCM
    Put16(f, 1);     // mono
    Put32(f, 8000);  // samples a second
    Put32(f, 8000);  // bytes a second
    Put16(f, 1);     // block
    Put16(f, 8);     // bits
    tag("data");
    Put32(f, static_cast<uint32_t>(samples.size()));
    f.insert(f.end(), samples.begin(), samples.end());
    String path = TempPath(name);
    FILE* out = std::fopen(path.c_str(), "wb");
    EXPECT_TRUE(out);
    if (out) {
        std::fwrite(f.data(), 1, f.size(), out);
        std::fclose(out);
    }
    return path;
}

class TNotifyLog : public TObject {
public:
    std::vector<TMPNotifyValues> Values;
    void Notified(TObject* s) { Values.push_back(static_cast<TMediaPlayer*>(s)->NotifyValue()); }
};

}  // namespace

using MediaPlayerTest = GuiTest;

TEST(MediaPlayerDevices, AutoSelectPicksByExtension)
{
    EXPECT_EQ(MCIDeviceName(dtAutoSelect, "C:\\a\\alarm.WAV"), "waveaudio");
    EXPECT_EQ(MCIDeviceName(dtAutoSelect, "song.mp3"), "mpegvideo");
    EXPECT_EQ(MCIDeviceName(dtAutoSelect, "tune.mid"), "sequencer");
    EXPECT_EQ(MCIDeviceName(dtAutoSelect, "noext"), "mpegvideo");
    EXPECT_EQ(MCIDeviceName(dtWaveAudio, "song.mp3"), "WaveAudio");
}

TEST_F(MediaPlayerTest, PlaysAWaveFileToItsEndAndCloses)
{
    String path = WriteWav("velmora_mp_test.wav", 300);
    auto* player = new TMediaPlayer(nullptr);
    TNotifyLog log;
    player->OnNotify = TNotifyEvent(&log, &TNotifyLog::Notified);
    player->SetFileName(path);
    EXPECT_EQ(player->Mode(), mpNotReady);
    EXPECT_THROW(player->Play(), EMCIDeviceError);  // nothing open yet

    player->Open();
    ASSERT_TRUE(player->IsOpen());
    MCIDEVICEID first = player->DeviceID();
    EXPECT_NEAR(player->Length(), 300, 2);
    EXPECT_EQ(player->Position(), 0);
    EXPECT_EQ(player->Mode(), mpStopped);

    // Play returns at once, the sound still playing; the end comes through OnNotify.
    player->SetNotify(true);
    player->Play();
    const bool device = waveOutGetNumDevs() > 0;
    if (device) {
        EXPECT_EQ(player->Mode(), mpPlaying) << "Play waited for the end";
    }
    ASSERT_TRUE(PumpUntil([&] { return !log.Values.empty(); }, 5000));
    if (device) {
        EXPECT_EQ(log.Values.front(), nvSuccessful);
        EXPECT_EQ(player->Position(), player->Length());
    } else {
        // No sound device on this machine: the device reports its failure the same way.
        EXPECT_EQ(log.Values.front(), nvFailure);
    }

    // Seeking and stopping.
    player->SetNotify(false);
    player->SetPosition(100);
    EXPECT_EQ(player->Position(), 100);
    player->Rewind();
    EXPECT_EQ(player->Position(), 0);
    player->Play();
    player->Stop();
    EXPECT_EQ(player->Mode(), mpStopped);

    // Opening again closes the device opened before; freeing closes the last one.
    player->Open();
    MCIDEVICEID second = player->DeviceID();
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    if (second != first) {
        EXPECT_NE(mciSendCommandA(first, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status)), 0u);
    }
    player->Free();
    EXPECT_NE(mciSendCommandA(second, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status)), 0u);
    DeleteFileA(path.c_str());
}

TEST_F(MediaPlayerTest, BadFilesRaiseWithTheSystemsText)
{
    TMediaPlayer player(nullptr);
    String good = WriteWav("velmora_mp_good.wav", 50);
    player.SetFileName(good);
    player.Open();

    String bad = TempPath("velmora_mp_bad.wav");
    FILE* f = std::fopen(bad.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fputs("this is no sound", f);
    std::fclose(f);
    player.SetFileName(bad);
    try {
        player.Open();
        FAIL() << "a damaged file opened";
    } catch (const EMCIDeviceError& e) {
        EXPECT_FALSE(e.Message().empty());
        EXPECT_NE(player.Error(), 0u);
        EXPECT_EQ(player.ErrorMessage(), e.Message());
    }
    EXPECT_FALSE(player.IsOpen());  // the good one was closed first

    player.SetFileName(TempPath("velmora_mp_missing.wav"));
    EXPECT_THROW(player.Open(), EMCIDeviceError);
    player.SetFileName("");
    EXPECT_THROW(player.Open(), EMCIDeviceError);
    DeleteFileA(bad.c_str());
    DeleteFileA(good.c_str());
}
