// Playing, stopping, volumes, fades, kinds and messages of the sound
// functions, checked on the null device: what each call passes to the
// device and how long sounds play in device time.
#include "tests/sound/SoundFixture.h"

#include "data/Sound.h"

namespace {

using PlaybackTest = SoundFixture;

TEST_F(PlaybackTest, VolumePanAndGlobalVolumeReachTheDeviceInItsUnits)
{
    int32_t snd = AddTone(kSoundNormal);
    Sound_PrepareAll();
    struct RCase {
        const char* function;
        double value;
        int32_t expected;
    };
    // Halves round to even: 0.25 × 9600 is exact, 1/3 × 9600 = 3200.
    const RCase cases[] = {
        {"sound_volume", 0, -9600},    {"sound_volume", 0.5, -4800},  {"sound_volume", 1, 0},
        {"sound_volume", 1.0 / 3, -6400}, {"sound_pan", -1, -10000},   {"sound_pan", 0.25, 2500},
        {"sound_pan", 1, 10000},
    };
    for (const RCase& c : cases) {
        Call(c.function, {snd, c.value});
        const auto* path = PathOf(snd);
        ASSERT_NE(path, nullptr);
        EXPECT_EQ(std::string(c.function) == "sound_volume" ? path->volume : path->pan, c.expected)
            << c.function << "(" << c.value << ")";
    }
    const std::pair<double, int32_t> global[] = {{1, 1000}, {0, -10000}, {0.5, -4500}, {5, 1000}, {-3, -10000}};
    for (auto [value, expected] : global) {
        Call("sound_global_volume", {value});
        EXPECT_EQ(null->MasterVolume(), expected) << "sound_global_volume(" << value << ")";
    }
    EXPECT_EQ(Reported(), "");
}

TEST_F(PlaybackTest, ResourceVolumeAndPanApplyWhenTheSoundIsRestored)
{
    int32_t snd = AddTone(kSoundNormal);
    Sounds.Get(snd)->s_volume = 0.5;
    Sounds.Get(snd)->s_pan = -0.5;
    Sound_PrepareAll();
    ASSERT_NE(PathOf(snd), nullptr);
    EXPECT_EQ(PathOf(snd)->volume, -4800);
    EXPECT_EQ(PathOf(snd)->pan, -5000);
}

TEST_F(PlaybackTest, TempoIsClampedToItsRange)
{
    const std::pair<double, double> cases[] = {{0, 0.01}, {-4, 0.01}, {2.5, 2.5}, {1000, 100}, {1, 1}};
    for (auto [factor, expected] : cases) {
        Call("sound_background_tempo", {factor});
        EXPECT_DOUBLE_EQ(SoundSystem.Tempo(), expected) << factor;
    }
}

TEST_F(PlaybackTest, ASoundPlaysForItsLengthLoopsUntilStoppedAndOverlapsItself)
{
    int32_t snd = AddTone(kSoundNormal, 0.5);
    Sound_PrepareAll();
    Call("sound_play", {snd});
    EXPECT_EQ(Real("sound_isplaying", {snd}), 1);
    SoundSystem.Update(0.4);
    EXPECT_EQ(Real("sound_isplaying", {snd}), 1);
    SoundSystem.Update(0.2);
    EXPECT_EQ(Real("sound_isplaying", {snd}), 0);

    Call("sound_loop", {snd});
    SoundSystem.Update(3);
    EXPECT_EQ(Real("sound_isplaying", {snd}), 1);
    Call("sound_play", {snd});
    EXPECT_EQ(VoicesOf(snd), 2) << "a normal sound played twice sounds twice";
    Call("sound_stop", {snd});
    EXPECT_EQ(Real("sound_isplaying", {snd}), 0);
    EXPECT_EQ(VoicesOf(snd), 0);
    EXPECT_EQ(Reported(), "");
}

TEST_F(PlaybackTest, BackgroundMusicReplacesTheMusicPlayingButNotOtherSounds)
{
    int32_t first = AddTone(kSoundMusic, 2);
    int32_t second = AddTone(kSoundMusic, 2);
    int32_t effect = AddTone(kSoundNormal, 2);
    Sound_PrepareAll();
    Call("sound_play", {effect});
    Call("sound_loop", {first});
    Call("sound_play", {first});
    EXPECT_EQ(VoicesOf(first), 1) << "music played again restarts instead of doubling";
    Call("sound_play", {second});
    EXPECT_EQ(Real("sound_isplaying", {first}), 0);
    EXPECT_EQ(Real("sound_isplaying", {second}), 1);
    EXPECT_EQ(Real("sound_isplaying", {effect}), 1);
    Call("sound_stop_all", {});
    EXPECT_TRUE(null->Voices().empty());
}

TEST_F(PlaybackTest, FadesFollowDeviceTimeAndAVolumeEndsThem)
{
    int32_t snd = AddTone(kSoundNormal, 5);
    Sound_PrepareAll();
    Call("sound_fade", {snd, 0.0, 1000.0});
    EXPECT_EQ(PathOf(snd)->volume, 0) << "a fade starts from the present volume";
    SoundSystem.Update(0.25);
    EXPECT_EQ(PathOf(snd)->volume, -2400);
    SoundSystem.Update(0.25);
    EXPECT_EQ(PathOf(snd)->volume, -4800);
    SoundSystem.Update(2);
    EXPECT_EQ(PathOf(snd)->volume, -9600);
    SoundSystem.Update(1);
    EXPECT_EQ(PathOf(snd)->volume, -9600);

    Call("sound_fade", {snd, 1.0, 2000.0});
    SoundSystem.Update(0.5);
    EXPECT_EQ(PathOf(snd)->volume, -7200);
    Call("sound_volume", {snd, 0.5});
    SoundSystem.Update(1);
    EXPECT_EQ(PathOf(snd)->volume, -4800) << "sound_volume cancels the fade";
    Call("sound_fade", {snd, 1.0, 0.0});
    EXPECT_EQ(PathOf(snd)->volume, 0) << "a fade over no time is immediate";
}

TEST_F(PlaybackTest, MissingSoundsAreReportedWhereTheFunctionsSaySo)
{
    AddTone(kSoundNormal);
    Sound_PrepareAll();
    struct RCase {
        const char* function;
        std::vector<RValue> args;
        const char* message;
    };
    const RCase cases[] = {
        {"sound_play", {7}, "Sound does not exist."},
        {"sound_loop", {-1}, "Sound does not exist."},
        {"sound_stop", {7}, "Sound does not exist."},
        {"sound_volume", {7, 1}, "Sound does not exist."},
        {"sound_fade", {7, 1, 100}, "Sound does not exist."},
        {"sound_pan", {7, 1}, "Sound does not exist."},
        {"sound_effect_set", {7, 2}, "Sound does not exist."},
        {"sound_effect_echo", {7, 50, 50, 100, 100, 0}, "Sound does not exist."},
        {"sound_3d_set_sound_position", {7, 1, 2, 3}, "Sound does not exist."},
        {"sound_3d_set_sound_cone", {7, 0, 0, 1, 90, 180, 0}, "Sound does not exist."},
        {"sound_isplaying", {7}, ""},
        {"action_sound", {7, 0}, "Trying to play non-existing sound."},
        {"action_end_sound", {7, 0}, "Trying to stop non-existing sound."},
        {"action_if_sound", {7}, ""},
        {"action_replace_sound", {7, "x.wav"}, "Trying to replace non-existing resource."},
        {"action_replace_sound", {0, "missing.wav"}, "File does not exist."},
        {"sound_replace", {7, "x.wav", 0, 1}, "Trying to replace non-existing sound."},
        {"sound_delete", {7}, "Trying to delete non-existing sound."},
    };
    for (const RCase& c : cases) {
        Error_Reset();
        RValue result = Call(c.function, c.args);
        EXPECT_EQ(Reported(), c.message) << c.function;
        EXPECT_EQ(result.val, 0) << c.function;
    }
    EXPECT_TRUE(null->Voices().empty());
}

TEST_F(PlaybackTest, ActionsPlayStopAndAskWithTheirOwnArguments)
{
    int32_t snd = AddTone(kSoundNormal, 1);
    Sound_PrepareAll();
    Call("action_sound", {snd, 1});
    SoundSystem.Update(3);
    EXPECT_EQ(Real("action_if_sound", {snd}), 1) << "loop >= 0.5 loops";
    Call("action_end_sound", {snd, 0});
    EXPECT_EQ(Real("action_if_sound", {snd}), 0);
    Call("action_sound", {snd, 0.4});
    SoundSystem.Update(1.5);
    EXPECT_EQ(Real("action_if_sound", {snd}), 0);
}

TEST_F(PlaybackTest, ASoundWithoutPreloadLoadsWhenFirstPlayedOrChanged)
{
    int32_t played = AddTone(kSoundNormal, 0.5, false);
    int32_t changed = AddTone(kSoundNormal, 0.5, false);
    Sound_PrepareAll();
    EXPECT_EQ(Sound_LoadedId(played), -1);
    EXPECT_EQ(Real("sound_isplaying", {played}), 0);
    Call("sound_stop", {played});
    EXPECT_EQ(Sound_LoadedId(played), -1) << "asking and stopping need no sound data";
    Call("sound_play", {played});
    EXPECT_EQ(Real("sound_isplaying", {played}), 1);
    Call("sound_volume", {changed, 0.5});
    ASSERT_NE(PathOf(changed), nullptr);
    EXPECT_EQ(PathOf(changed)->volume, -4800) << "the change outlasts the loading it caused";
}

TEST_F(PlaybackTest, DiscardFreesTheSoundAndRestoreBringsBackItsStoredSettings)
{
    int32_t snd = AddTone(kSoundNormal, 2);
    Sound_PrepareAll();
    Call("sound_loop", {snd});
    Call("sound_volume", {snd, 0});
    Call("sound_discard", {snd});
    EXPECT_EQ(Sound_LoadedId(snd), -1);
    EXPECT_TRUE(null->Voices().empty());
    EXPECT_EQ(null->BufferCount(), 0u);
    Call("sound_restore", {snd});
    ASSERT_NE(PathOf(snd), nullptr);
    EXPECT_EQ(PathOf(snd)->volume, 0);
    Call("sound_discard", {9});
    Call("sound_restore", {9});
    EXPECT_EQ(Reported(), "");
}

TEST_F(PlaybackTest, DataThatCannotBeDecodedBecomesMultimediaAndStaysQuiet)
{
    // A damaged file: a RIFF header with nothing behind it, and plain noise.
    std::vector<uint8_t> truncated = WavBytes(Sine(0.1, 1, 0.5));
    truncated.resize(30);
    std::vector<uint8_t> noise(500);
    for (size_t k = 0; k < noise.size(); ++k)
        noise[k] = static_cast<uint8_t>(k * 7919 % 251);
    std::vector<uint8_t> badMidi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 9, 0, 96, 'M', 'T', 'r', 'k', 0xFF, 0xFF, 0xFF, 0xFF};
    for (auto bytes : {truncated, noise, badMidi}) {
        int32_t snd = AddSound(kSoundNormal, bytes);
        Sound_Restore(snd);
        EXPECT_EQ(Real("sound_get_kind", {snd}), kSoundMultimedia);
        Call("sound_play", {snd});
        EXPECT_FALSE(SoundSystem.Player().IsPlaying(Sound_TemporaryFile(snd)));
    }
    EXPECT_EQ(Reported(), "");
}

TEST_F(PlaybackTest, MultimediaSoundsPlayOneAtATimeFromTheirTemporaryFiles)
{
    int32_t first = AddSound(kSoundMultimedia, WavBytes(Sine(1, 2, 0.5)));
    int32_t second = AddSound(kSoundMultimedia, WavBytes(Sine(1, 1, 0.5)));
    Sound_PrepareAll();
    const std::string file = Sound_TemporaryFile(first);
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(file.rfind(TempDir + "/a", 0), 0u) << file;
    EXPECT_EQ(file.substr(file.size() - 4), ".wav");
    EXPECT_TRUE(Platform_FileExists(file));
    EXPECT_TRUE(Sounds.Get(first)->s_sound.empty()) << "the memory copy is freed once written";

    Call("sound_play", {first});
    EXPECT_EQ(Real("sound_isplaying", {first}), 1);
    Call("sound_stop", {second});
    EXPECT_EQ(Real("sound_isplaying", {first}), 1) << "stopping another multimedia sound does nothing";
    Call("sound_play", {second});
    EXPECT_EQ(Real("sound_isplaying", {first}), 0);
    EXPECT_EQ(Real("sound_isplaying", {second}), 1);
    EXPECT_EQ(null->Voices().size(), 1u);

    // Volume, pan, effects and 3D leave multimedia sounds alone.
    Call("sound_volume", {second, 0});
    Call("sound_effect_set", {second, 2});
    EXPECT_EQ(null->Voices().size(), 1u);
    SoundSystem.Update(1.1);
    EXPECT_EQ(Real("sound_isplaying", {second}), 0);

    // Discarding and restoring plays the same file again.
    Call("sound_discard", {first});
    Call("sound_restore", {first});
    EXPECT_EQ(Sound_TemporaryFile(first), file);
    Call("sound_loop", {first});
    SoundSystem.Update(5);
    EXPECT_EQ(Real("sound_isplaying", {first}), 1);
}

TEST_F(PlaybackTest, AMultimediaSoundKeepsItsDataWhenItCannotBeWrittenOut)
{
    TempDir = scratch.File("not there");
    int32_t snd = AddSound(kSoundMultimedia, WavBytes(Sine(0.5, 1, 0.5)));
    Sound_PrepareAll();
    EXPECT_EQ(Sound_TemporaryFile(snd), "");
    EXPECT_FALSE(Sounds.Get(snd)->s_sound.empty()) << "the only copy of the sound is not thrown away";
    Call("sound_play", {snd});
    EXPECT_TRUE(null->Voices().empty());
    TempDir = scratch.Path();
    Call("sound_play", {snd});
    EXPECT_EQ(Real("sound_isplaying", {snd}), 1);
}

TEST_F(PlaybackTest, AMultimediaFileNameThePlayerCannotTakeIsReported)
{
    std::string deep = scratch.Path() + "/" + std::string(60, 'd') + "/" + std::string(60, 'e');
    ASSERT_TRUE(Platform_CreateDirectories(deep));
    TempDir = deep;
    int32_t snd = AddSound(kSoundMultimedia, WavBytes(Sine(0.5, 1, 0.5)));
    Sound_PrepareAll();
    ASSERT_GE(Sound_TemporaryFile(snd).size(), 127u);
    Call("sound_play", {snd});
    EXPECT_EQ(Reported(), "Music file name too long for player.");
    EXPECT_TRUE(null->Voices().empty());
}

TEST_F(PlaybackTest, ResourceFunctionsAddReplaceAndDeleteSounds)
{
    AddTone(kSoundNormal);
    Sound_PrepareAll();
    std::string file = scratch.File("Added.WAV");
    ASSERT_TRUE(Platform_WriteWav(file, Sine(0.25, 1, 0.5)));

    EXPECT_EQ(Real("sound_add", {scratch.File("missing.wav"), 0, 1}), -1);
    EXPECT_EQ(Sounds.Count(), 1);
    double added = Real("sound_add", {file, kSound3D, 1});
    ASSERT_EQ(added, 1);
    EXPECT_EQ(Call("sound_get_name", {1}).str.Text(), "__newsound1");
    EXPECT_EQ(Real("sound_get_kind", {1}), kSound3D);
    EXPECT_EQ(Real("sound_get_preload", {1}), 1);
    EXPECT_EQ(Sounds.Get(1)->s_extension, ".WAV");
    ASSERT_NE(PathOf(1), nullptr) << "a preloaded sound is playable at once";
    EXPECT_TRUE(PathOf(1)->spatial);

    Call("sound_loop", {1});
    EXPECT_EQ(Real("sound_replace", {1, file, kSoundNormal, 0}), 1);
    EXPECT_TRUE(null->Voices().empty()) << "replacing stops the old sound";
    EXPECT_EQ(Real("sound_get_kind", {1}), kSoundNormal);
    EXPECT_EQ(Real("sound_get_preload", {1}), 0);
    EXPECT_EQ(Call("sound_get_name", {1}).str.Text(), "__newsound1");

    Call("action_replace_sound", {1, file});
    EXPECT_EQ(Real("sound_get_preload", {1}), 0) << "the action keeps kind and preload";
    Call("sound_play", {1});
    EXPECT_EQ(Real("sound_isplaying", {1}), 1);

    Call("sound_delete", {1});
    EXPECT_EQ(Real("sound_exists", {1}), 0);
    EXPECT_EQ(Call("sound_get_name", {1}).str.Text(), "<undefined>");
    EXPECT_EQ(Real("sound_get_kind", {1}), -1);
    EXPECT_TRUE(null->Voices().empty());
    EXPECT_EQ(null->BufferCount(), 1u) << "the deleted sound's buffer is freed";
    EXPECT_EQ(Reported(), "");
}

TEST_F(PlaybackTest, AResourceReplacedBehindTheSoundModulesBackIsLoadedAnew)
{
    int32_t snd = AddTone(kSoundNormal, 2);
    Sound_PrepareAll();
    Call("sound_loop", {snd});
    auto other = std::make_unique<CSound>();
    other->s_kind = kSoundNormal;
    other->s_hasSound = true;
    other->s_sound = WavBytes(Sine(0.5, 2, 0.5));
    Sounds.Set(snd, std::move(other), "snd0");
    Call("sound_play", {snd});
    EXPECT_EQ(null->Voices().size(), 1u) << "the old sound was freed, the new one plays";
    EXPECT_EQ(null->BufferCount(), 1u);
}

TEST_F(PlaybackTest, TempoRendersMidiMusicAgainAndKeepsItsPlace)
{
    int32_t music = AddSound(kSoundMusic, OneNoteMidi(4), true, ".mid");
    Sound_PrepareAll();
    const RSoundSample* sample = SoundSystem.Sample(Sound_LoadedId(music));
    ASSERT_NE(sample, nullptr) << "MIDI music needs the General MIDI soundfont";
    double normal = null->Buffer(sample->buffer)->seconds;
    EXPECT_GT(normal, 2.0);
    Call("sound_loop", {music});
    SoundSystem.Update(1);
    Call("sound_background_tempo", {2});
    sample = SoundSystem.Sample(Sound_LoadedId(music));
    double faster = null->Buffer(sample->buffer)->seconds;
    EXPECT_NEAR(normal - faster, 1.0, 0.3) << "two seconds of notes take one; the release tail stays";
    ASSERT_EQ(null->Voices().size(), 1u);
    EXPECT_NEAR(null->Voices().begin()->second.position, 0.5, 0.01) << "one second in is half a second in";
    EXPECT_TRUE(null->Voices().begin()->second.loop);
}

} // namespace
