// The audio device of headless runs and tests: nothing is heard, but every
// buffer, path and voice is kept with what it was told, and voices run on the
// time given to Advance, so a sound ends after its length as it would on a
// sound card.
#pragma once

#include "platform/AudioDevice.h"

#include <map>

class CNullAudioDevice : public IAudioDevice {
public:
    struct RBuffer {
        int32_t channels = 0;
        double seconds = 0;
    };
    struct RPath {
        bool spatial = false;
        int32_t volume = 0;
        int32_t pan = 0;
        REffectSettings effects;
        RSpatial placement;
    };
    struct RVoice {
        AudioPathId path = 0;
        AudioBufferId buffer = 0;
        bool loop = false;
        double position = 0; // seconds
    };

    std::string Name() const override { return "null"; }
    AudioBufferId CreateBuffer(const RPcm& pcm) override;
    void FreeBuffer(AudioBufferId buffer) override;
    AudioPathId CreatePath(bool spatial) override;
    void FreePath(AudioPathId path) override;
    void SetPathVolume(AudioPathId path, int32_t volume) override;
    void SetPathPan(AudioPathId path, int32_t pan) override;
    bool SetPathEffects(AudioPathId path, const REffectSettings& effects) override;
    void SetPathSpatial(AudioPathId path, const RSpatial& spatial) override;
    AudioVoiceId Play(AudioPathId path, AudioBufferId buffer, bool loop, double offset) override;
    void Stop(AudioVoiceId voice) override { n_voices.erase(voice); }
    bool IsPlaying(AudioVoiceId voice) override { return n_voices.count(voice) != 0; }
    double Position(AudioVoiceId voice) override;
    void SetMasterVolume(int32_t volume) override { n_master = volume; }
    void Advance(double seconds) override;

    // What the device was told, for tests.
    int32_t MasterVolume() const { return n_master; }
    const RPath* Path(AudioPathId path) const;
    const RBuffer* Buffer(AudioBufferId buffer) const;
    const std::map<AudioVoiceId, RVoice>& Voices() const { return n_voices; }
    size_t PathCount() const { return n_paths.size(); }
    size_t BufferCount() const { return n_buffers.size(); }
    // The voices playing on path.
    int32_t VoicesOn(AudioPathId path) const;

private:
    uint32_t n_next = 1;
    int32_t n_master = 0;
    std::map<AudioBufferId, RBuffer> n_buffers;
    std::map<AudioPathId, RPath> n_paths;
    std::map<AudioVoiceId, RVoice> n_voices;
};
