// The audio device: decoded sounds in buffers, paths that carry the volume,
// pan, effects and 3D placement shared by every play of one sound, and voices
// (single plays of a buffer on a path). Volumes are hundredths of a decibel
// and pan runs from -10000 (right silent) to 10000 (left silent), the numbers
// games pass; the device turns them into its own gains. The real device mixes
// in its own thread; the loopback and null devices only move when Advance is
// called, so runs that use them repeat exactly.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A decoded sound: interleaved 16-bit samples, one or two channels.
struct RPcm {
    int32_t rate = 44100;
    int32_t channels = 0;
    std::vector<int16_t> samples;

    int64_t Frames() const { return channels > 0 ? static_cast<int64_t>(samples.size()) / channels : 0; }
    double Seconds() const { return rate > 0 ? static_cast<double>(Frames()) / rate : 0; }
};

// Effect bits as games number them, with the parameter records the game
// passes for each (units as the game gives them: percent, milliseconds,
// hertz, decibels).
enum EAudioEffect : uint32_t {
    kEffectChorus = 1,
    kEffectEcho = 2,
    kEffectFlanger = 4,
    kEffectGargle = 8,
    kEffectReverb = 16,
    kEffectCompressor = 32,
    kEffectEqualizer = 64,
    kEffectDistortion = 128,
    kEffectEnvironment = 256,
    kEffectAll = 511,
};

struct RChorusParams {
    float wetDryMix = 50, depth = 10, feedback = 25, frequency = 1.1f;
    int32_t waveform = 1; // 0 triangle, 1 sine
    float delay = 16;     // milliseconds
    int32_t phase = 3;    // 0..4: -180, -90, 0, 90, 180 degrees
    bool operator==(const RChorusParams&) const = default;
};
struct REchoParams {
    float wetDryMix = 50, feedback = 50, leftDelay = 500, rightDelay = 500;
    int32_t panDelay = 0; // 1: the echoes swap sides
    bool operator==(const REchoParams&) const = default;
};
struct RFlangerParams {
    float wetDryMix = 50, depth = 100, feedback = -50, frequency = 0.25f;
    int32_t waveform = 1;
    float delay = 2;
    int32_t phase = 2;
    bool operator==(const RFlangerParams&) const = default;
};
struct RGargleParams {
    int32_t rate = 20;      // hertz
    int32_t waveShape = 0;  // 0 triangle, 1 square
    bool operator==(const RGargleParams&) const = default;
};
struct RReverbParams {
    float inGain = 0, reverbMix = 0; // decibels
    float reverbTime = 1000;         // milliseconds
    float highFreqRtRatio = 0.001f;
    bool operator==(const RReverbParams&) const = default;
};
struct RCompressorParams {
    float gain = 0, attack = 10, release = 200, threshold = -20, ratio = 3, predelay = 4;
    bool operator==(const RCompressorParams&) const = default;
};
struct REqualizerParams {
    float center = 8000, bandwidth = 12, gain = 0; // hertz, semitones, decibels
    bool operator==(const REqualizerParams&) const = default;
};

// Every effect a path carries (bits of EAudioEffect) with its parameters.
struct REffectSettings {
    uint32_t flags = 0;
    RChorusParams chorus;
    REchoParams echo;
    RFlangerParams flanger;
    RGargleParams gargle;
    RReverbParams reverb;
    RCompressorParams compressor;
    REqualizerParams equalizer;
    bool operator==(const REffectSettings&) const = default;
};

// Placement of a 3D path in the game's left-handed coordinates (x right,
// y up, z away from the listener, who sits at the origin).
struct RSpatial {
    float x = 0, y = 0, z = 0;
    float vx = 0, vy = 0, vz = 0;
    float minDistance = 1, maxDistance = 1e9f;
    float coneX = 0, coneY = 0, coneZ = 1;
    int32_t insideAngle = 360, outsideAngle = 360; // degrees
    int32_t outsideVolume = 0;                     // hundredths of a decibel
    bool operator==(const RSpatial&) const = default;
};

// Handles; 0 is none.
using AudioBufferId = uint32_t;
using AudioPathId = uint32_t;
using AudioVoiceId = uint32_t;

class IAudioDevice {
public:
    virtual ~IAudioDevice() = default;

    // "openal", "loopback" or "null".
    virtual std::string Name() const = 0;

    virtual AudioBufferId CreateBuffer(const RPcm& pcm) = 0; // 0 when it cannot be made
    virtual void FreeBuffer(AudioBufferId buffer) = 0;       // stops the voices that play it

    // A spatial path places its voices in 3D (a mono mix of the sound) and
    // ignores pan.
    virtual AudioPathId CreatePath(bool spatial) = 0;
    virtual void FreePath(AudioPathId path) = 0; // stops its voices
    virtual void SetPathVolume(AudioPathId path, int32_t volume) = 0;
    virtual void SetPathPan(AudioPathId path, int32_t pan) = 0;
    // False when the device cannot give the path these effects; the path
    // then keeps the ones it had.
    virtual bool SetPathEffects(AudioPathId path, const REffectSettings& effects) = 0;
    virtual void SetPathSpatial(AudioPathId path, const RSpatial& spatial) = 0;

    // Starts buffer on path at offset seconds; 0 when it cannot. A voice
    // that has ended stays unknown to the device: it is simply not playing.
    virtual AudioVoiceId Play(AudioPathId path, AudioBufferId buffer, bool loop, double offset) = 0;
    virtual void Stop(AudioVoiceId voice) = 0;
    virtual bool IsPlaying(AudioVoiceId voice) = 0;
    virtual double Position(AudioVoiceId voice) = 0; // seconds into its buffer

    virtual void SetMasterVolume(int32_t volume) = 0;

    // The loopback device renders this much sound, the null device moves its
    // voices on; the real device runs by itself and ignores it.
    virtual void Advance(double seconds) = 0;
};

// The sound card through OpenAL Soft; null with error set when there is none.
std::unique_ptr<IAudioDevice> Platform_OpenAudioDevice(std::string& error);

// Renders on demand into sink (interleaved stereo 16-bit frames at rate),
// with the same mixing, panning, effects and 3D as the real device.
using AudioSink = std::function<void(const int16_t* frames, int64_t count)>;
std::unique_ptr<IAudioDevice> Platform_OpenLoopbackAudio(int32_t rate, AudioSink sink, std::string& error);
