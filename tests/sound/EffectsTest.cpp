// Effects and 3D placement as the functions hand them to the device, the CD
// functions against a disc the test plays, and the media command subset.
#include "tests/sound/SoundFixture.h"

#include <algorithm>

namespace {

using EffectsTest = SoundFixture;

TEST_F(EffectsTest, EffectFlagsAndParametersReachThePath)
{
    int32_t snd = AddTone(kSoundNormal, 2);
    Sounds.Get(snd)->s_effects = kEffectEcho | kEffectGargle;
    Sound_PrepareAll();
    ASSERT_NE(PathOf(snd), nullptr);
    EXPECT_EQ(PathOf(snd)->effects.flags, kEffectEcho | kEffectGargle) << "the stored flags apply at restore";

    Call("sound_effect_echo", {snd, 30, 40, 120.4, 80, 0.6});
    Call("sound_effect_gargle", {snd, 99.5, 1.2});
    Call("sound_effect_chorus", {snd, 10, 20, 30, 2, 0, 5, 1}); // no chorus on this sound
    const REffectSettings& e = PathOf(snd)->effects;
    EXPECT_EQ(e.echo, (REchoParams{30, 40, 120.4f, 80, 1}));
    EXPECT_EQ(e.gargle, (RGargleParams{100, 1})) << "gargle takes integers, halves to even";
    EXPECT_EQ(e.chorus, RChorusParams()) << "a missing effect is left alone";

    Call("sound_effect_set", {snd, 1 | 4 | 16 | 32 | 64 | 128 | 256});
    const REffectSettings& all = PathOf(snd)->effects;
    EXPECT_EQ(all.flags, 0x1F5u);
    Call("sound_effect_chorus", {snd, 10, 20, 30, 2, 0, 5, 1});
    Call("sound_effect_flanger", {snd, 11, 21, 31, 3, 1, 1.5, 4});
    Call("sound_effect_reverb", {snd, -3, -6, 2500, 0.5});
    Call("sound_effect_compressor", {snd, 1, 2, 3, 4, 5, 6});
    Call("sound_effect_equalizer", {snd, 440, 6, -9});
    EXPECT_EQ(all.chorus, (RChorusParams{10, 20, 30, 2, 0, 5, 1}));
    EXPECT_EQ(all.flanger, (RFlangerParams{11, 21, 31, 3, 1, 1.5f, 4}));
    EXPECT_EQ(all.reverb, (RReverbParams{-3, -6, 2500, 0.5f}));
    EXPECT_EQ(all.compressor, (RCompressorParams{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(all.equalizer, (REqualizerParams{440, 6, -9}));

    Call("sound_effect_set", {snd, 0});
    EXPECT_EQ(PathOf(snd)->effects.flags, 0u);
    EXPECT_EQ(Reported(), "");
}

TEST_F(EffectsTest, EffectsCannotChangeWhileTheSoundPlays)
{
    int32_t snd = AddTone(kSoundNormal, 1);
    Sound_PrepareAll();
    Call("sound_play", {snd});
    Call("sound_effect_set", {snd, 2});
    EXPECT_EQ(PathOf(snd)->effects.flags, 0u);
    SoundSystem.Update(1.5);
    Call("sound_effect_set", {snd, 2});
    EXPECT_EQ(PathOf(snd)->effects.flags, kEffectEcho);
}

// A device without effects, as a browser's audio is.
class CNoEffectsDevice : public CNullAudioDevice {
public:
    bool SetPathEffects(AudioPathId path, const REffectSettings& effects) override
    {
        return effects.flags == 0 && CNullAudioDevice::SetPathEffects(path, effects);
    }
};

TEST_F(EffectsTest, EffectsADeviceLacksAreReportedOnceAndTheSoundStillPlays)
{
    auto device = std::make_unique<CNoEffectsDevice>();
    null = device.get();
    SoundSystem.Start(std::move(device));
    int32_t stored = AddTone(kSoundNormal, 1);
    Sounds.Get(stored)->s_effects = kEffectEcho;
    int32_t plain = AddTone(kSoundNormal, 1);
    Sound_PrepareAll();
    EXPECT_EQ(Reported(), "Sound effects are not available on this sound device; sounds play without them.")
        << "a sound stored with effects";
    Error_Reset();
    Call("sound_effect_set", {plain, 2});
    EXPECT_EQ(Reported(), "") << "reported once a run";
    EXPECT_EQ(PathOf(plain)->effects.flags, 0u);
    Call("sound_play", {stored});
    EXPECT_EQ(VoicesOf(stored), 1);

    SoundSystem.Start(std::make_unique<CNoEffectsDevice>()); // a new run
    null = nullptr;
    Call("sound_effect_set", {plain, 0});
    EXPECT_EQ(Reported(), "") << "no effects asked for";
    Call("sound_effect_set", {plain, 2});
    EXPECT_NE(Reported(), "");
}

TEST_F(EffectsTest, ThreeDFunctionsPlaceOnlyThreeDSounds)
{
    int32_t flat = AddTone(kSoundNormal);
    int32_t placed = AddSound(kSound3D, WavBytes(Sine(0.5, 2, 0.5)));
    Sound_PrepareAll();
    for (int32_t snd : {flat, placed}) {
        Call("sound_3d_set_sound_position", {snd, 1, 2, 3});
        Call("sound_3d_set_sound_velocity", {snd, -1, -2, -3});
        Call("sound_3d_set_sound_distance", {snd, 5, 500});
        Call("sound_3d_set_sound_cone", {snd, 0, 0, -1, 89.5, 180.5, 0.25});
        Call("sound_pan", {snd, -1});
    }
    EXPECT_EQ(PathOf(flat)->placement, RSpatial());
    EXPECT_EQ(PathOf(flat)->pan, -10000);
    const RSpatial& p = PathOf(placed)->placement;
    EXPECT_EQ(p, (RSpatial{1, 2, 3, -1, -2, -3, 5, 500, 0, 0, -1, 90, 180, -7500}));
    EXPECT_EQ(PathOf(placed)->pan, 0) << "a 3D sound has no pan";
    EXPECT_EQ(null->Buffer(SoundSystem.Sample(Sound_LoadedId(placed))->buffer)->channels, 1)
        << "3D sounds are mixed down to mono";
    EXPECT_EQ(Reported(), "");
}

// A drive with a disc of ten tracks of one minute each, playing track 3 at
// 1:05; it records every command it is sent.
struct RDisc {
    std::vector<std::string> sent;
    bool present = true;
    std::string mode = "playing";
    std::string format = "tmsf";

    std::string Reply(const std::string& command)
    {
        sent.push_back(command);
        if (command.rfind("set cdaudio time format ", 0) == 0)
            format = command.substr(24, command.find(" wait") == std::string::npos ? std::string::npos
                                                                                   : command.find(" wait") - 24);
        if (command == "status cdaudio media present")
            return present ? "true" : "false";
        if (command == "status cdaudio number of tracks")
            return "10";
        if (command == "status cdaudio mode")
            return mode;
        if (command == "status cdaudio position")
            return format == "tmsf" ? "03:01:05:00" : "185000";
        if (command == "status cdaudio length wait")
            return "600000";
        if (command.rfind("status cdaudio length track ", 0) == 0)
            return "60000";
        return "";
    }
    bool Sent(const std::string& command) const
    {
        return std::find(sent.begin(), sent.end(), command) != sent.end();
    }
    int Plays() const
    {
        return static_cast<int>(std::count_if(sent.begin(), sent.end(),
                                              [](const std::string& c) { return c.rfind("play cdaudio", 0) == 0; }));
    }
};

TEST_F(EffectsTest, WithoutADiscTheCdFunctionsGiveZeroAndDoNothing)
{
    const char* queries[] = {"cd_present", "cd_number", "cd_playing", "cd_paused", "cd_track",
                             "cd_length", "cd_position", "cd_track_position", "action_cd_present",
                             "action_cd_playing"};
    for (const char* query : queries)
        EXPECT_EQ(Real(query, {}), 0) << query;
    EXPECT_EQ(Real("cd_track_length", {1}), 0);
    for (const char* command : {"cd_init", "cd_stop", "cd_pause", "cd_resume", "cd_open_door", "cd_close_door"})
        Call(command, {});
    Call("cd_play", {1, 5});
    Call("cd_set_position", {1000});
    EXPECT_EQ(Call("MCI_command", {"status cdaudio media present"}).str.Text(), "");
    EXPECT_EQ(Reported(), "");
}

TEST_F(EffectsTest, CdFunctionsSendTheirCommandsAndReadTheReplies)
{
    RDisc disc;
    Sound_SetMciSender([&disc](const std::string& command) { return disc.Reply(command); });
    EXPECT_EQ(Real("cd_present", {}), 1);
    EXPECT_EQ(Real("cd_number", {}), 10);
    EXPECT_EQ(Real("cd_playing", {}), 1);
    EXPECT_EQ(Real("cd_paused", {}), 0);
    EXPECT_EQ(Real("cd_track", {}), 3);
    EXPECT_EQ(Real("cd_length", {}), 600000);
    EXPECT_EQ(Real("cd_track_length", {4}), 60000);
    EXPECT_EQ(Real("cd_track_length", {11}), 0);
    EXPECT_EQ(Real("cd_position", {}), 185000);
    EXPECT_EQ(Real("cd_track_position", {}), 65000);
    EXPECT_EQ(disc.format, "tmsf") << "every function leaves the drive in track format";

    disc.sent.clear();
    Call("cd_play", {3, 2});
    EXPECT_EQ(disc.Plays(), 0) << "a last track before the first plays nothing";
    Call("cd_play", {0, 99});
    EXPECT_TRUE(disc.Sent("play cdaudio from 1"));
    Call("action_cd_play", {2, 5});
    EXPECT_TRUE(disc.Sent("play cdaudio from 2 to 6"));

    disc.sent.clear();
    Call("cd_set_position", {90000});
    EXPECT_TRUE(disc.Sent("play cdaudio from 90000"));
    Call("cd_set_track_position", {125000});
    EXPECT_TRUE(disc.Sent("play cdaudio from 3:2:5"));
    disc.mode = "stopped";
    EXPECT_EQ(Real("cd_paused", {}), 1);
    Call("cd_set_position", {1000});
    EXPECT_TRUE(disc.Sent("seek cdaudio to 1000"));

    disc.present = false;
    disc.sent.clear();
    Call("cd_play", {1, 2});
    Call("cd_set_track_position", {1000});
    EXPECT_EQ(disc.Plays(), 0);
    EXPECT_EQ(Real("cd_number", {}), 0);
}

TEST_F(EffectsTest, MediaCommandsOpenPlayAndCloseSoundFiles)
{
    std::string file = scratch.File("tune one.wav");
    ASSERT_TRUE(Platform_WriteWav(file, Sine(2, 2, 0.5)));
    auto mci = [](const std::string& command) { return Call("MCI_command", {command}).str.Text(); };
    EXPECT_EQ(mci("open \"" + file + "\" type waveaudio alias Tune"), "");
    EXPECT_EQ(mci("status tune length"), "2000");
    EXPECT_EQ(mci("status tune mode"), "stopped");
    mci("play tune from 500");
    EXPECT_EQ(mci("status TUNE mode"), "playing");
    SoundSystem.Update(1);
    EXPECT_EQ(mci("status tune position"), "1500");
    mci("pause tune");
    EXPECT_EQ(mci("status tune mode"), "paused");
    SoundSystem.Update(5);
    mci("resume tune");
    SoundSystem.Update(0.25);
    EXPECT_EQ(mci("status tune position"), "1750");
    SoundSystem.Update(1);
    EXPECT_EQ(mci("status tune mode"), "stopped") << "it played to its end";
    mci("seek tune to 250");
    EXPECT_EQ(mci("status tune position"), "250");
    mci("play tune repeat");
    SoundSystem.Update(10);
    EXPECT_EQ(mci("status tune mode"), "playing");
    mci("close all");
    EXPECT_EQ(mci("status tune mode"), "");
    EXPECT_TRUE(null->Voices().empty());

    const char* others[] = {"", "open", "open missing.wav alias m", "status m mode", "sysinfo all quantity",
                            "play cdaudio", "break tune on 27"};
    for (const char* command : others)
        EXPECT_EQ(mci(command), "") << command;
    EXPECT_EQ(Reported(), "");
}

} // namespace
