// Sound tests run the script functions against the null audio device (or a
// loopback device that renders into memory), with sound files the tests
// write themselves: sines as WAV and a one-note MIDI file.
#pragma once

#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/FunctionCatalogue.h"
#include "data/GameSettings.h"
#include "data/Resources.h"
#include "data/Sound.h"
#include "data/TempDirectory.h"
#include "platform/Files.h"
#include "platform/NullAudio.h"
#include "platform/SoundFiles.h"
#include "sound/CdAudio.h"
#include "sound/Sound.h"
#include "sound/SoundResources.h"
#include "sound/SoundSystem.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

// A sine of frequency hz and amplitude (0..1 of full scale) in every channel;
// with leftOnly the right channel of a stereo sound stays silent.
inline RPcm Sine(double seconds, int32_t channels, double amplitude, double hz = 440, bool leftOnly = false,
                 int32_t rate = 44100)
{
    RPcm pcm;
    pcm.rate = rate;
    pcm.channels = channels;
    int64_t frames = static_cast<int64_t>(seconds * rate);
    for (int64_t f = 0; f < frames; ++f) {
        auto v = static_cast<int16_t>(std::lround(amplitude * 32767 * std::sin(2 * M_PI * hz * f / rate)));
        for (int32_t c = 0; c < channels; ++c)
            pcm.samples.push_back(leftOnly && c == 1 ? 0 : v);
    }
    return pcm;
}

// A standard MIDI file with one piano note lasting `beats` beats at 120
// beats a minute (half a second each).
inline std::vector<uint8_t> OneNoteMidi(int beats = 2)
{
    const uint32_t ticks = 96u * static_cast<uint32_t>(beats); // 96 ticks a beat
    std::vector<uint8_t> track = {0x00, 0xC0, 0x00, 0x00, 0x90, 60, 100};
    // The note-off's delta as a variable-length number.
    std::vector<uint8_t> delta;
    uint32_t v = ticks;
    delta.insert(delta.begin(), static_cast<uint8_t>(v & 0x7F));
    while (v >>= 7)
        delta.insert(delta.begin(), static_cast<uint8_t>((v & 0x7F) | 0x80));
    track.insert(track.end(), delta.begin(), delta.end());
    track.insert(track.end(), {0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
    uint32_t length = static_cast<uint32_t>(track.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        file.push_back(static_cast<uint8_t>(length >> shift));
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

class SoundFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Sound_RegisterFunctions();
        std::string strays;
        ASSERT_TRUE(Function_RegisterAll(&strays)) << strays;
    }

    void SetUp() override
    {
        Settings.Reset();
        Settings.ShowErrorMessages = false;
        CurrentEvent = RCurrentEvent{};
        Error_Reset();
        ClearResources();
        Sound_ForgetAll();
        Sound_SetMciSender(nullptr);
        TempDir = scratch.Path();
        auto device = std::make_unique<CNullAudioDevice>();
        null = device.get();
        SoundSystem.Start(std::move(device));
    }

    void TearDown() override
    {
        Sound_Shutdown();
        ClearResources();
        Sound_SetMciSender(nullptr);
        TempDir.clear();
        Settings.Reset();
        Error_Reset();
    }

    // The bytes of a WAV file holding pcm.
    std::vector<uint8_t> WavBytes(const RPcm& pcm)
    {
        std::string file = scratch.File("made" + std::to_string(made++) + ".wav");
        EXPECT_TRUE(Platform_WriteWav(file, pcm));
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(Platform_ReadWholeFile(file, bytes));
        return bytes;
    }

    // A sound resource as the game data would hold it; returns its index.
    int32_t AddSound(int32_t kind, std::vector<uint8_t> bytes, bool preload = true, const std::string& extension = ".wav")
    {
        auto sound = std::make_unique<CSound>();
        sound->s_kind = kind;
        sound->s_extension = extension;
        sound->s_hasSound = !bytes.empty();
        sound->s_sound = std::move(bytes);
        sound->s_preload = preload;
        int32_t index = Sounds.Count();
        Sounds.Add(std::move(sound), "snd" + std::to_string(index));
        return index;
    }
    int32_t AddTone(int32_t kind, double seconds = 0.5, bool preload = true)
    {
        return AddSound(kind, WavBytes(Sine(seconds, 1, 0.5)), preload);
    }

    static RValue Call(const std::string& name, const std::vector<RValue>& arguments)
    {
        return Test_CallFunction(name, arguments);
    }
    static double Real(const std::string& name, const std::vector<RValue>& arguments)
    {
        return Call(name, arguments).val;
    }

    // The last error's message without its heading; empty when none.
    static std::string Reported()
    {
        if (!Error_Occurred)
            return "";
        const std::string heading = Error_EventHeading(false);
        return Error_Last.compare(0, heading.size(), heading) == 0 ? Error_Last.substr(heading.size()) : Error_Last;
    }

    // The null device's path of a loaded sound resource.
    const CNullAudioDevice::RPath* PathOf(int32_t index)
    {
        const RSoundSample* sample = SoundSystem.Sample(Sound_LoadedId(index));
        return sample ? null->Path(sample->path) : nullptr;
    }
    int32_t VoicesOf(int32_t index)
    {
        const RSoundSample* sample = SoundSystem.Sample(Sound_LoadedId(index));
        return sample ? null->VoicesOn(sample->path) : 0;
    }

    CScratchFolder scratch;
    CNullAudioDevice* null = nullptr;
    int made = 0;
};
