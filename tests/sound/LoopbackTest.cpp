// What is heard: sounds rendered through the loopback device (the real
// mixer, panning, effects and 3D of OpenAL Soft, without a sound card) and
// measured. Decoding of damaged files is checked here too.
#include "tests/sound/SoundFixture.h"

#include "platform/MidiRender.h"

#include <algorithm>

namespace {

// Levels of one stretch of rendered stereo, full scale 1.
struct RLevels {
    double rmsLeft = 0, rmsRight = 0, peak = 0;
};

class LoopbackTest : public SoundFixture {
protected:
    void SetUp() override
    {
        SoundFixture::SetUp();
        std::string error;
        auto device = Platform_OpenLoopbackAudio(
            44100, [this](const int16_t* frames, int64_t count) { rendered.insert(rendered.end(), frames, frames + 2 * count); },
            error);
        ASSERT_TRUE(device) << error;
        loop = device.get();
        SoundSystem.Start(std::move(device));
        null = nullptr;
    }

    // Renders seconds of sound and measures them.
    RLevels Render(double seconds)
    {
        rendered.clear();
        SoundSystem.Update(seconds);
        RLevels levels;
        size_t frames = rendered.size() / 2;
        for (size_t f = 0; f < frames; ++f) {
            double l = rendered[2 * f] / 32768.0, r = rendered[2 * f + 1] / 32768.0;
            levels.rmsLeft += l * l;
            levels.rmsRight += r * r;
            levels.peak = std::max({levels.peak, std::abs(l), std::abs(r)});
        }
        if (frames > 0) {
            levels.rmsLeft = std::sqrt(levels.rmsLeft / static_cast<double>(frames));
            levels.rmsRight = std::sqrt(levels.rmsRight / static_cast<double>(frames));
        }
        return levels;
    }

    // The mixer glides to new gains over its first thousand frames or so,
    // to avoid clicks; levels are measured once that is over.
    RLevels Settled(double seconds)
    {
        Render(0.05);
        return Render(seconds);
    }

    IAudioDevice* loop = nullptr;
    std::vector<int16_t> rendered;
};

// A sine of amplitude a has the RMS a / √2.
constexpr double kToneRms = 0.5 / 1.41421356;

TEST_F(LoopbackTest, RendersOneBlockOfFramesPerStep)
{
    for (int step = 0; step < 3; ++step) {
        Render(1.0 / 30);
        EXPECT_EQ(rendered.size(), 2u * 1470) << "step " << step;
    }
    Render(1.0 / 7);
    EXPECT_EQ(rendered.size(), 2u * 6300);
}

TEST_F(LoopbackTest, MonoPlaysOnBothSidesAndPanTakesOneSideAway)
{
    int32_t snd = AddTone(kSoundNormal, 5);
    Sound_PrepareAll();
    Call("sound_loop", {snd});
    RLevels centre = Render(0.2);
    EXPECT_NEAR(centre.rmsLeft, kToneRms, 0.01);
    EXPECT_NEAR(centre.rmsRight, kToneRms, 0.01);
    EXPECT_NEAR(centre.peak, 0.5, 0.02);

    struct RCase {
        double pan;
        double left, right; // expected gains
    };
    const RCase cases[] = {{-1, 1, 0.0001}, {1, 0.0001, 1}, {-0.3, 1, 0.0316}, {0.5, 0.00316, 1}};
    for (const RCase& c : cases) {
        Call("sound_pan", {snd, c.pan});
        RLevels panned = Settled(0.2);
        EXPECT_NEAR(panned.rmsLeft, kToneRms * c.left, 0.003) << "pan " << c.pan;
        EXPECT_NEAR(panned.rmsRight, kToneRms * c.right, 0.003) << "pan " << c.pan;
    }
}

TEST_F(LoopbackTest, VolumesScaleTheLevel)
{
    int32_t snd = AddTone(kSoundNormal, 5);
    Sound_PrepareAll();
    Call("sound_loop", {snd});
    Call("sound_volume", {snd, 0.875}); // -1200: gain 10^(-0.6)
    RLevels quieter = Settled(0.2);
    EXPECT_NEAR(quieter.rmsLeft / kToneRms, 0.2512, 0.01);
    Call("sound_volume", {snd, 1});
    Call("sound_global_volume", {9000.0 / 11000}); // -1000: gain 10^(-0.5)
    RLevels global = Settled(0.2);
    EXPECT_NEAR(global.rmsRight / kToneRms, 0.3162, 0.01);
    Call("sound_global_volume", {10000.0 / 11000});

    // A fade over half a second: the second quarter is quieter than the first.
    Call("sound_fade", {snd, 0, 500});
    RLevels first = Render(0.125);
    RLevels second = Render(0.125);
    EXPECT_LT(second.rmsLeft, first.rmsLeft * 0.7);
    Render(0.3);
    EXPECT_LT(Render(0.1).rmsLeft, 0.0001);
}

TEST_F(LoopbackTest, StereoKeepsItsSidesAndEndsOnTime)
{
    int32_t snd = AddSound(kSoundNormal, WavBytes(Sine(0.25, 2, 0.5, 440, true)));
    Sound_PrepareAll();
    Call("sound_play", {snd});
    RLevels during = Render(0.2);
    EXPECT_NEAR(during.rmsLeft, kToneRms, 0.01);
    EXPECT_LT(during.rmsRight, 0.0001);
    RLevels after = Render(0.2);
    EXPECT_NEAR(after.rmsLeft, kToneRms / 2, 0.01) << "a quarter of the second block is sound";
    EXPECT_LT(Render(0.1).peak, 0.0001);
    EXPECT_EQ(Real("sound_isplaying", {snd}), 0);
}

TEST_F(LoopbackTest, ThreeDSoundsFallOffWithDistanceAndFollowTheirCone)
{
    int32_t snd = AddSound(kSound3D, WavBytes(Sine(5, 2, 0.5)));
    Sound_PrepareAll();
    Call("sound_loop", {snd});
    Call("sound_3d_set_sound_position", {snd, 0, 0, 1});
    RLevels near = Settled(0.2);
    Call("sound_3d_set_sound_position", {snd, 0, 0, 4});
    RLevels far = Settled(0.2);
    EXPECT_NEAR(far.rmsLeft / near.rmsLeft, 0.25, 0.02) << "inverse distance from a minimum of 1";
    EXPECT_NEAR(near.rmsLeft, near.rmsRight, 0.002);

    Call("sound_3d_set_sound_position", {snd, 5, 0, 0});
    RLevels right = Settled(0.2);
    EXPECT_GT(right.rmsRight, 10 * right.rmsLeft);

    // In front of the listener, facing away: only the outside volume is heard.
    Call("sound_3d_set_sound_position", {snd, 0, 0, 2});
    Call("sound_3d_set_sound_cone", {snd, 0, 0, -1, 60, 120, 0.5});
    RLevels facing = Settled(0.2);
    Call("sound_3d_set_sound_cone", {snd, 0, 0, 1, 60, 120, 0.5});
    RLevels away = Settled(0.2);
    EXPECT_NEAR(facing.rmsLeft, near.rmsLeft / 2, 0.01);
    EXPECT_NEAR(away.rmsLeft / facing.rmsLeft, std::pow(10.0, -5000 / 2000.0), 0.001);
}

TEST_F(LoopbackTest, EchoRepeatsTheSoundAfterItEnds)
{
    int32_t dry = AddTone(kSoundNormal, 0.05);
    int32_t wet = AddTone(kSoundNormal, 0.05);
    Sounds.Get(wet)->s_effects = kEffectEcho;
    Sound_PrepareAll();
    Call("sound_effect_echo", {wet, 50, 0, 150, 150, 0});
    Call("sound_play", {dry});
    Render(0.1);
    RLevels silence = Render(0.2);
    Call("sound_play", {wet});
    RLevels first = Render(0.1);
    RLevels echo = Render(0.2);
    EXPECT_LT(silence.peak, 0.0001);
    EXPECT_GT(first.peak, 0.2);
    EXPECT_GT(echo.peak, 0.1) << "the echo sounds 150 ms later";
}

TEST_F(LoopbackTest, GargleModulatesASteadyTone)
{
    int32_t snd = AddTone(kSoundNormal, 5);
    Sounds.Get(snd)->s_effects = kEffectGargle;
    Sound_PrepareAll();
    Call("sound_effect_gargle", {snd, 5, 0});
    Call("sound_loop", {snd});
    double quietest = 1, loudest = 0;
    for (int k = 0; k < 20; ++k) {
        double rms = Render(0.02).rmsLeft;
        quietest = std::min(quietest, rms);
        loudest = std::max(loudest, rms);
    }
    EXPECT_GT(loudest, 0.1);
    EXPECT_LT(quietest, loudest * 0.5) << "the tone swells five times a second";
}

TEST_F(LoopbackTest, MidiIsRenderedThroughTheSoundfont)
{
    int32_t snd = AddSound(kSoundNormal, OneNoteMidi(1), true, ".mid");
    Sound_PrepareAll();
    ASSERT_EQ(Real("sound_get_kind", {snd}), kSoundNormal) << "MIDI needs the General MIDI soundfont";
    Call("sound_play", {snd});
    RLevels note = Render(0.3);
    EXPECT_GT(note.rmsLeft, 0.005);
    EXPECT_GT(note.rmsRight, 0.005);
}

TEST(SoundFileTest, DamagedFilesAreRefusedWithAReason)
{
    CScratchFolder scratch;
    ASSERT_TRUE(Platform_WriteWav(scratch.File("t.wav"), Sine(0.1, 2, 0.5)));
    std::vector<uint8_t> good;
    ASSERT_TRUE(Platform_ReadWholeFile(scratch.File("t.wav"), good));
    RPcm pcm;
    std::string error;
    ASSERT_TRUE(Platform_DecodeSound(good.data(), good.size(), 1, pcm, error)) << error;
    EXPECT_EQ(pcm.channels, 2);
    EXPECT_EQ(pcm.Frames(), 4410);
    EXPECT_EQ(pcm.samples, Sine(0.1, 2, 0.5).samples);

    std::vector<std::vector<uint8_t>> damaged;
    damaged.push_back({});
    damaged.emplace_back(good.begin(), good.begin() + 44); // a header and no samples
    damaged.emplace_back(good.begin(), good.begin() + 20);
    std::vector<uint8_t> bigRate = good;
    bigRate[24] = 0xFF, bigRate[25] = 0xFF, bigRate[26] = 0xFF, bigRate[27] = 0x7F; // sample rate
    damaged.push_back(bigRate);
    std::vector<uint8_t> channels = good;
    channels[22] = 0; // no channels
    damaged.push_back(channels);
    damaged.push_back({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 40, 0, 0x90});
    damaged.push_back({'R', 'I', 'F', 'F', 12, 0, 0, 0, 'R', 'M', 'I', 'D', 'd', 'a', 't', 'a', 0, 0, 0, 0});
    for (size_t k = 0; k < damaged.size(); ++k) {
        error.clear();
        EXPECT_FALSE(Platform_DecodeSound(damaged[k].data(), damaged[k].size(), 1, pcm, error)) << "case " << k;
        EXPECT_FALSE(error.empty()) << "case " << k;
        EXPECT_EQ(pcm.Frames(), 0) << "case " << k;
    }
    EXPECT_FALSE(Platform_DecodeSoundFile(scratch.File("none.wav"), 1, pcm, error));
}

TEST(SoundFileTest, MutatedFilesDecodeOrFailButNeverCrash)
{
    CScratchFolder scratch;
    ASSERT_TRUE(Platform_WriteWav(scratch.File("t.wav"), Sine(0.05, 2, 0.5)));
    std::vector<uint8_t> wav;
    ASSERT_TRUE(Platform_ReadWholeFile(scratch.File("t.wav"), wav));
    std::vector<uint8_t> midi = OneNoteMidi(1);
    uint32_t state = 2024;
    auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    int decoded = 0;
    for (int round = 0; round < 300; ++round) {
        // Mostly WAV (cheap), now and then MIDI (a synthesizer each time).
        std::vector<uint8_t> bytes = round % 30 == 0 ? midi : wav;
        for (int flips = 1 + next() % 4; flips > 0; --flips)
            bytes[next() % std::min<size_t>(bytes.size(), 64)] ^= static_cast<uint8_t>(1u << (next() % 8));
        if (next() % 3 == 0)
            bytes.resize(next() % bytes.size());
        RPcm pcm;
        std::string error;
        if (Platform_DecodeSound(bytes.data(), bytes.size(), 1, pcm, error)) {
            ++decoded;
            EXPECT_TRUE(pcm.channels == 1 || pcm.channels == 2);
            EXPECT_EQ(pcm.samples.size() % static_cast<size_t>(pcm.channels), 0u);
        } else {
            EXPECT_FALSE(error.empty());
            EXPECT_EQ(pcm.Frames(), 0);
        }
    }
    EXPECT_GT(decoded, 0) << "some flips land in the samples and leave a readable file";
}

TEST(SoundFileTest, MidiTempoScalesTheRenderedLength)
{
    std::vector<uint8_t> midi = OneNoteMidi(4); // two seconds of note
    RPcm normal, slow;
    std::string error;
    ASSERT_TRUE(Platform_RenderMidi(midi.data(), midi.size(), 1, normal, error)) << error;
    ASSERT_TRUE(Platform_RenderMidi(midi.data(), midi.size(), 0.5, slow, error)) << error;
    EXPECT_EQ(normal.rate, kMidiRate);
    EXPECT_GT(normal.Seconds(), 2.0);
    EXPECT_LT(normal.Seconds(), 2.0 + 3.1);
    EXPECT_NEAR(slow.Seconds() - normal.Seconds(), 2.0, 0.3);
    RPcm again;
    ASSERT_TRUE(Platform_RenderMidi(midi.data(), midi.size(), 1, again, error));
    EXPECT_EQ(again.samples, normal.samples) << "rendering repeats exactly";
}

} // namespace
