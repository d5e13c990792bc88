// MIDI rendering with FluidSynth and the General MIDI soundfont that Debian's
// timgm6mb-soundfont package installs.
#include "platform/MidiRender.h"

#include "platform/SoundFiles.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

const char* const kSoundfonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

// A synthesizer with the soundfont loaded. Each piece gets a fresh one: a
// synthesizer that played before carries effect tails and a running clock
// that would make the same file come out differently. The library keeps
// the soundfont's samples cached between synthesizers, so this is cheap.
class CSynth {
public:
    CSynth()
    {
        // The library reports through stderr by default; its complaints about
        // a game's file are not the player's business.
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
        s_settings = new_fluid_settings();
        if (!s_settings)
            return;
        fluid_settings_setnum(s_settings, "synth.sample-rate", kMidiRate);
        fluid_settings_setstr(s_settings, "player.timing-source", "sample");
        fluid_settings_setint(s_settings, "synth.lock-memory", 0);
        fluid_settings_setint(s_settings, "synth.threadsafe-api", 0);
        s_synth = new_fluid_synth(s_settings);
        if (!s_synth)
            return;
        for (const char* path : kSoundfonts) {
            std::error_code ignored;
            if (std::filesystem::exists(path, ignored) && fluid_synth_sfload(s_synth, path, 1) != FLUID_FAILED) {
                s_loaded = true;
                break;
            }
        }
    }
    ~CSynth()
    {
        if (s_synth)
            delete_fluid_synth(s_synth);
        if (s_settings)
            delete_fluid_settings(s_settings);
    }
    bool Ready() const { return s_loaded; }
    fluid_synth_t* Get() const { return s_synth; }

private:
    fluid_settings_t* s_settings = nullptr;
    fluid_synth_t* s_synth = nullptr;
    bool s_loaded = false;
};

constexpr int kBlock = 1024;        // frames rendered at a time
constexpr double kLongestTail = 3;  // seconds of release after the last event
constexpr float kSilence = 1.0f / 4096; // a block this quiet ends the tail

} // namespace

bool Platform_HasMidiSynthesizer()
{
    return true;
}

bool Platform_RenderMidi(const uint8_t* data, size_t size, double tempo, RPcm& pcm, std::string& error)
{
    CSynth synth;
    if (!synth.Ready()) {
        error = "no General MIDI soundfont is installed";
        return false;
    }
    if (!(tempo >= 0.001 && tempo <= 1000))
        tempo = 1;
    fluid_synth_t* s = synth.Get();
    fluid_player_t* player = new_fluid_player(s);
    if (!player) {
        error = "the synthesizer cannot make a player";
        return false;
    }
    pcm = RPcm();
    pcm.rate = kMidiRate;
    pcm.channels = 2;
    bool ok = fluid_player_add_mem(player, data, size) == FLUID_OK &&
              fluid_player_set_tempo(player, FLUID_PLAYER_TEMPO_INTERNAL, tempo) == FLUID_OK &&
              fluid_player_play(player) == FLUID_OK;
    const int64_t longest = static_cast<int64_t>(kLongestDecodedSound * kMidiRate);
    float block[2 * kBlock];
    int64_t tail = -1; // frames rendered after the player finished
    while (ok && pcm.Frames() < longest) {
        int status = fluid_player_get_status(player);
        bool playing = status == FLUID_PLAYER_READY || status == FLUID_PLAYER_PLAYING;
        if (!playing && tail < 0)
            tail = 0;
        // Floats, converted here: the library's own 16-bit output is
        // dithered with random noise, and the same file must always give
        // the same samples.
        if (fluid_synth_write_float(s, kBlock, block, 0, 2, block, 1, 2) != FLUID_OK)
            break;
        float peak = 0;
        for (float v : block) {
            peak = std::max(peak, std::fabs(v));
            pcm.samples.push_back(static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767)));
        }
        if (tail >= 0) {
            tail += kBlock;
            if (peak < kSilence || tail >= kLongestTail * kMidiRate)
                break;
        }
    }
    fluid_player_stop(player);
    delete_fluid_player(player);
    // A file the player could not read ends at once with nothing heard.
    bool heard = std::any_of(pcm.samples.begin(), pcm.samples.end(), [](int16_t v) { return std::abs(v) > 8; });
    if (!ok || !heard) {
        pcm = RPcm();
        error = "not a playable MIDI file";
        return false;
    }
    return true;
}
