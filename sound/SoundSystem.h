// The sound table: every playable sound of the run has a sound id, an entry
// holding its decoded buffer on the audio device, the path that carries its
// volume, pan, effects and 3D placement, and the voices now playing it.
// Background music (kind 1) replaces the music playing; normal and 3D sounds
// overlap freely, even with themselves. Multimedia sounds (kind 3) are files
// played one at a time by the media player.
#pragma once

#include "platform/AudioDevice.h"
#include "sound/MciDevices.h"
#include "sound/MediaPlayer.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

// Volume changing over time: linear in hundredths of a decibel.
struct RFade {
    bool active = false;
    double from = 0, to = 0;
    double elapsed = 0, duration = 0; // milliseconds
};

struct RSoundVoice {
    AudioVoiceId id = 0;
    bool loop = false;
};

struct RSoundSample {
    bool used = false;
    int32_t kind = 0;
    AudioPathId path = 0;
    AudioBufferId buffer = 0;
    std::vector<RSoundVoice> voices;
    std::vector<uint8_t> midi; // a MIDI sound's file, rendered again at another tempo
    double tempo = 1;          // the tempo its buffer was rendered at
    std::string file;          // multimedia: the host path the player plays
    int32_t volume = 0;        // hundredths of a decibel
    int32_t pan = 0;           // -10000..10000
    REffectSettings effects;
    RSpatial placement;
    RFade fade;
};

class CSoundSystem {
public:
    // Takes the device the sounds play on; the table starts empty.
    void Start(std::unique_ptr<IAudioDevice> device);
    // Frees every id, stops the player and closes the device.
    void Shutdown();
    bool IsStarted() const { return s_device != nullptr; }
    IAudioDevice* Device() const { return s_device.get(); }

    // A new id for a sound of kind 0..2 decoded from data; -1 when the data
    // cannot be decoded (the sound is then for the media player).
    int32_t LoadFromMemory(int32_t kind, const std::vector<uint8_t>& data);
    // A new multimedia id for a file; -1 when the file does not exist.
    int32_t LoadMultimedia(const std::string& hostPath);
    void Free(int32_t id);
    const RSoundSample* Sample(int32_t id) const;

    void Play(int32_t id, bool loop);
    void Stop(int32_t id);
    void StopAll();
    bool IsPlaying(int32_t id);

    // Volume, pan, effects and 3D do nothing for multimedia sounds, and 3D
    // nothing unless the sound is a 3D one.
    void SetVolume(int32_t id, int32_t volume);
    void Fade(int32_t id, int32_t volume, double milliseconds);
    void SetPan(int32_t id, int32_t pan);
    // Refused (ignored) while the sound plays, as the game's platform does.
    // False when the device has no effects to give (a browser's audio).
    bool SetEffects(int32_t id, uint32_t flags);
    // The effect settings of id when it has effect bit, to change and then
    // hand to ApplyEffects; null otherwise.
    REffectSettings* EffectsWith(int32_t id, uint32_t bit);
    void ApplyEffects(int32_t id);
    // The 3D placement of a 3D sound, to change and then hand to ApplySpatial.
    RSpatial* Placement(int32_t id);
    void ApplySpatial(int32_t id);

    // Tempo of every MIDI sound, factor clamped to 0.01..100; music playing
    // goes on from the same point in the piece.
    void SetTempo(double factor);
    double Tempo() const { return s_tempo; }
    void SetGlobalVolume(int32_t volume);
    int32_t GlobalVolume() const { return s_globalVolume; }
    void SetSearchDirectory(const std::string& directory) { s_searchDirectory = directory; }
    const std::string& SearchDirectory() const { return s_searchDirectory; }

    // Moves fades on and lets the device render or move its voices.
    void Update(double seconds);

    CMediaPlayer& Player() { return s_player; }
    CMciDevices& Mci() { return s_mci; }

    // True the first time a notice is given since the device started, so
    // that what this device lacks is reported once, not at every use.
    bool FirstNotice(const std::string& notice) { return s_notices.insert(notice).second; }

private:
    RSoundSample* Find(int32_t id);
    RSoundSample* FindPlayable(int32_t id); // used, not multimedia, with a path
    int32_t Allocate();
    bool RenderAgain(RSoundSample& sample);
    void DropEndedVoices(RSoundSample& sample);

    std::unique_ptr<IAudioDevice> s_device;
    std::vector<RSoundSample> s_table;
    CMediaPlayer s_player;
    CMciDevices s_mci;
    double s_tempo = 1;
    int32_t s_globalVolume = 0;
    std::string s_searchDirectory;
    std::set<std::string> s_notices;
};

extern CSoundSystem SoundSystem;
