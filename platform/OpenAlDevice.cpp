// The audio device on OpenAL Soft, for the sound card or as a loopback that
// renders on demand. A voice is two sources started together: the sound's
// left and right channels (a mono sound on both), placed hard left and hard
// right so that pan is a plain gain per side, the way the game's platform
// pans. On a 3D path both sources stand at the sound's place at half gain,
// which mixes a stereo sound down to mono.
#include "platform/AudioDevice.h"

#include "platform/OpenAlEffects.h"
#include "platform/OpenAlExtensions.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <cmath>
#include <map>
#include <vector>

namespace {

// A voice's two sources start and stop together (each with the one-source
// call, both with the list call). The browser's OpenAL mistakes the sources
// given to the list calls (and throws), so there they go one by one in the
// same turn, where the page's audio clock starts them together anyway.
void Together(const ALuint (&sources)[2], void (*each)(ALuint), void (*both)(ALsizei, const ALuint*))
{
#ifdef __EMSCRIPTEN__
    (void)both;
    each(sources[0]);
    each(sources[1]);
#else
    (void)each;
    both(2, sources);
#endif
}

constexpr ALCint kWantedSends = 10;

float Gain(int32_t hundredthsDb)
{
    return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

struct RAlBuffer {
    ALuint channel[2] = {0, 0}; // left and right; a mono sound has only [0]
    int32_t channels = 0;
};

struct RAlEffect {
    ALuint slot = 0;
    ALuint effect = 0;
};

struct RAlPath {
    bool spatial = false;
    int32_t volume = 0;
    int32_t pan = 0;
    RSpatial placement;
    REffectSettings effects;
    REffectMix mix;
    std::map<uint32_t, RAlEffect> slots; // by effect bit
    ALuint dryFilter = 0;
    ALuint sendFilter[kEffectOrder.size()] = {};
};

struct RAlVoice {
    AudioPathId path = 0;
    AudioBufferId buffer = 0;
    ALuint source[2] = {0, 0};
};

class COpenAlDevice : public IAudioDevice {
public:
    COpenAlDevice(ALCdevice* device, ALCcontext* context, bool loopback, int32_t rate, AudioSink sink)
        : o_device(device), o_context(context), o_loopback(loopback), o_rate(rate), o_sink(std::move(sink))
    {
        Use();
        o_efx = alcIsExtensionPresent(device, "ALC_EXT_EFX") == ALC_TRUE;
        if (o_efx) {
            ALCint sends = 0;
            alcGetIntegerv(device, ALC_MAX_AUXILIARY_SENDS, 1, &sends);
            o_sends = std::clamp<ALCint>(sends, 0, static_cast<ALCint>(kEffectOrder.size()));
        }
        alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    }

    ~COpenAlDevice() override
    {
        Use();
        for (auto& [id, voice] : o_voices)
            DeleteSources(voice);
        o_voices.clear();
        for (auto& [id, path] : o_paths)
            DeletePathObjects(path);
        for (auto& [id, buffer] : o_buffers)
            alDeleteBuffers(buffer.channels, buffer.channel);
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(o_context);
        alcCloseDevice(o_device);
    }

    std::string Name() const override { return o_loopback ? "loopback" : "openal"; }

    AudioBufferId CreateBuffer(const RPcm& pcm) override
    {
        if (pcm.channels < 1 || pcm.channels > 2 || pcm.rate <= 0 || pcm.Frames() == 0)
            return 0;
        Use();
        RAlBuffer buffer;
        buffer.channels = pcm.channels;
        alGetError();
        alGenBuffers(pcm.channels, buffer.channel);
        if (alGetError() != AL_NO_ERROR)
            return 0;
        const int64_t frames = pcm.Frames();
        const ALsizei bytes = static_cast<ALsizei>(frames * 2);
        if (pcm.channels == 1) {
            alBufferData(buffer.channel[0], AL_FORMAT_MONO16, pcm.samples.data(), bytes, pcm.rate);
        } else {
            std::vector<int16_t> side(static_cast<size_t>(frames));
            for (int c = 0; c < 2; ++c) {
                for (int64_t f = 0; f < frames; ++f)
                    side[static_cast<size_t>(f)] = pcm.samples[static_cast<size_t>(f * 2 + c)];
                alBufferData(buffer.channel[c], AL_FORMAT_MONO16, side.data(), bytes, pcm.rate);
            }
        }
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(buffer.channels, buffer.channel);
            return 0;
        }
        AudioBufferId id = o_next++;
        o_buffers[id] = buffer;
        return id;
    }

    void FreeBuffer(AudioBufferId id) override
    {
        auto found = o_buffers.find(id);
        if (found == o_buffers.end())
            return;
        Use();
        StopVoicesIf([id](const RAlVoice& voice) { return voice.buffer == id; });
        alDeleteBuffers(found->second.channels, found->second.channel);
        o_buffers.erase(found);
    }

    AudioPathId CreatePath(bool spatial) override
    {
        Use();
        RAlPath path;
        path.spatial = spatial;
        if (o_efx) {
            alGenFilters(1, &path.dryFilter);
            alFilteri(path.dryFilter, AL_FILTER_TYPE, AL_FILTER_LOWPASS);
            alFilterf(path.dryFilter, AL_LOWPASS_GAINHF, 1);
            alFilterf(path.dryFilter, AL_LOWPASS_GAIN, 1);
        }
        AudioPathId id = o_next++;
        o_paths[id] = path;
        return id;
    }

    void FreePath(AudioPathId id) override
    {
        auto found = o_paths.find(id);
        if (found == o_paths.end())
            return;
        Use();
        StopVoicesIf([id](const RAlVoice& voice) { return voice.path == id; });
        DeletePathObjects(found->second);
        o_paths.erase(found);
    }

    void SetPathVolume(AudioPathId id, int32_t volume) override
    {
        if (RAlPath* path = FindPath(id)) {
            path->volume = volume;
            UpdateVoices(id);
        }
    }

    void SetPathPan(AudioPathId id, int32_t pan) override
    {
        RAlPath* path = FindPath(id);
        if (path && !path->spatial) {
            path->pan = std::clamp(pan, -10000, 10000);
            UpdateVoices(id);
        }
    }

    bool SetPathEffects(AudioPathId id, const REffectSettings& effects) override
    {
        RAlPath* path = FindPath(id);
        if (!path || (!o_efx && effects.flags != 0))
            return false;
        Use();
        for (size_t k = 0; k < kEffectOrder.size(); ++k) {
            uint32_t bit = kEffectOrder[k];
            bool wanted = (effects.flags & bit) && static_cast<ALCint>(k) < o_sends;
            auto slot = path->slots.find(bit);
            if (!wanted) {
                if (slot != path->slots.end()) {
                    DetachSend(id, static_cast<ALint>(k));
                    alDeleteAuxiliaryEffectSlots(1, &slot->second.slot);
                    alDeleteEffects(1, &slot->second.effect);
                    path->slots.erase(slot);
                }
                continue;
            }
            if (slot == path->slots.end()) {
                RAlEffect made;
                alGetError();
                alGenAuxiliaryEffectSlots(1, &made.slot);
                if (alGetError() != AL_NO_ERROR)
                    continue; // the device has no slot left: the sound goes without
                alGenEffects(1, &made.effect);
                alEffecti(made.effect, AL_EFFECT_TYPE, EffectType(bit));
                slot = path->slots.emplace(bit, made).first;
            }
            if (!path->sendFilter[k]) {
                alGenFilters(1, &path->sendFilter[k]);
                alFilteri(path->sendFilter[k], AL_FILTER_TYPE, AL_FILTER_LOWPASS);
                alFilterf(path->sendFilter[k], AL_LOWPASS_GAINHF, 1);
            }
            ApplyEffectParameters(slot->second.effect, bit, effects);
            alAuxiliaryEffectSloti(slot->second.slot, AL_EFFECTSLOT_EFFECT, static_cast<ALint>(slot->second.effect));
        }
        path->effects = effects;
        path->mix = ToEffectMix(effects);
        UpdateVoices(id);
        return true;
    }

    void SetPathSpatial(AudioPathId id, const RSpatial& spatial) override
    {
        RAlPath* path = FindPath(id);
        if (path && path->spatial) {
            path->placement = spatial;
            UpdateVoices(id);
        }
    }

    AudioVoiceId Play(AudioPathId pathId, AudioBufferId bufferId, bool loop, double offset) override
    {
        auto path = o_paths.find(pathId);
        auto buffer = o_buffers.find(bufferId);
        if (path == o_paths.end() || buffer == o_buffers.end())
            return 0;
        Use();
        Reclaim();
        RAlVoice voice;
        voice.path = pathId;
        voice.buffer = bufferId;
        alGetError();
        alGenSources(2, voice.source);
        if (alGetError() != AL_NO_ERROR)
            return 0;
        for (int c = 0; c < 2; ++c) {
            ALuint source = voice.source[c];
            alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer->second.channel[buffer->second.channels == 2 ? c : 0]));
            alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
            if (offset > 0 && std::isfinite(offset))
                alSourcef(source, AL_SEC_OFFSET, static_cast<float>(offset));
        }
        AudioVoiceId id = o_next++;
        o_voices[id] = voice;
        Configure(o_voices[id], path->second);
        Together(voice.source, alSourcePlay, alSourcePlayv);
        return id;
    }

    void Stop(AudioVoiceId id) override
    {
        auto found = o_voices.find(id);
        if (found == o_voices.end())
            return;
        Use();
        DeleteSources(found->second);
        o_voices.erase(found);
    }

    bool IsPlaying(AudioVoiceId id) override
    {
        auto found = o_voices.find(id);
        if (found == o_voices.end())
            return false;
        Use();
        return SourcePlaying(found->second.source[0]);
    }

    double Position(AudioVoiceId id) override
    {
        auto found = o_voices.find(id);
        if (found == o_voices.end())
            return 0;
        Use();
        ALfloat seconds = 0;
        alGetSourcef(found->second.source[0], AL_SEC_OFFSET, &seconds);
        return seconds;
    }

    void SetMasterVolume(int32_t volume) override
    {
        Use();
        alListenerf(AL_GAIN, Gain(volume));
    }

    void Advance(double seconds) override
    {
        if (!o_loopback || !(seconds > 0))
            return;
        Use();
        o_owed += seconds * o_rate;
        // The small allowance keeps 44100 / 30 from coming out one short.
        int64_t frames = static_cast<int64_t>(std::floor(o_owed + 1e-6));
        o_owed -= static_cast<double>(frames);
        int16_t block[2 * 1024];
        while (frames > 0) {
            ALCsizei n = static_cast<ALCsizei>(std::min<int64_t>(frames, 1024));
            alcRenderSamplesSOFT(o_device, block, n);
            if (o_sink)
                o_sink(block, n);
            frames -= n;
        }
        Reclaim();
    }

private:
    void Use() { alcMakeContextCurrent(o_context); }

    RAlPath* FindPath(AudioPathId id)
    {
        auto found = o_paths.find(id);
        if (found == o_paths.end())
            return nullptr;
        Use();
        return &found->second;
    }

    static bool SourcePlaying(ALuint source)
    {
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        return state == AL_PLAYING || state == AL_INITIAL;
    }

    static void DeleteSources(RAlVoice& voice)
    {
        Together(voice.source, alSourceStop, alSourceStopv);
        alDeleteSources(2, voice.source);
    }

    // Sources of voices that have ended go back to the device, which has
    // only a few hundred.
    void Reclaim()
    {
        for (auto it = o_voices.begin(); it != o_voices.end();) {
            if (!SourcePlaying(it->second.source[0])) {
                DeleteSources(it->second);
                it = o_voices.erase(it);
            } else {
                ++it;
            }
        }
    }

    template <typename Test>
    void StopVoicesIf(Test test)
    {
        for (auto it = o_voices.begin(); it != o_voices.end();) {
            if (test(it->second)) {
                DeleteSources(it->second);
                it = o_voices.erase(it);
            } else {
                ++it;
            }
        }
    }

    void DetachSend(AudioPathId id, ALint send)
    {
        for (auto& [voiceId, voice] : o_voices)
            if (voice.path == id)
                for (ALuint source : voice.source)
                    alSource3i(source, AL_AUXILIARY_SEND_FILTER, AL_EFFECTSLOT_NULL, send, AL_FILTER_NULL);
    }

    void DeletePathObjects(RAlPath& path)
    {
        for (auto& [bit, made] : path.slots) {
            alDeleteAuxiliaryEffectSlots(1, &made.slot);
            alDeleteEffects(1, &made.effect);
        }
        path.slots.clear();
        if (path.dryFilter)
            alDeleteFilters(1, &path.dryFilter);
        for (ALuint& filter : path.sendFilter)
            if (filter)
                alDeleteFilters(1, &filter);
    }

    void UpdateVoices(AudioPathId id)
    {
        const RAlPath& path = o_paths[id];
        for (auto& [voiceId, voice] : o_voices)
            if (voice.path == id)
                Configure(voice, path);
    }

    // Gains, placement and effect sends of a voice's two sources from its path.
    void Configure(RAlVoice& voice, const RAlPath& path)
    {
        float gain = Gain(path.volume);
        for (int c = 0; c < 2; ++c) {
            ALuint source = voice.source[c];
            if (path.spatial) {
                const RSpatial& p = path.placement;
                // The game's space is left-handed; OpenAL's is right-handed.
                alSourcei(source, AL_SOURCE_RELATIVE, AL_FALSE);
                alSource3f(source, AL_POSITION, p.x, p.y, -p.z);
                alSource3f(source, AL_VELOCITY, p.vx, p.vy, -p.vz);
                alSource3f(source, AL_DIRECTION, p.coneX, p.coneY, -p.coneZ);
                alSourcef(source, AL_REFERENCE_DISTANCE, std::max(p.minDistance, 1e-6f));
                alSourcef(source, AL_MAX_DISTANCE, std::max(p.maxDistance, std::max(p.minDistance, 1e-6f)));
                alSourcef(source, AL_ROLLOFF_FACTOR, 1);
                alSourcef(source, AL_CONE_INNER_ANGLE, static_cast<float>(std::clamp(p.insideAngle, 0, 360)));
                alSourcef(source, AL_CONE_OUTER_ANGLE, static_cast<float>(std::clamp(p.outsideAngle, 0, 360)));
                alSourcef(source, AL_CONE_OUTER_GAIN, std::clamp(Gain(p.outsideVolume), 0.0f, 1.0f));
                alSourcef(source, AL_GAIN, gain * 0.5f);
            } else {
                // Pan attenuates one side only, by as many hundredths of a
                // decibel as its size.
                int32_t attenuation = c == 0 ? std::min(0, -path.pan) : std::min(0, path.pan);
                alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
                alSource3f(source, AL_POSITION, c == 0 ? -1.0f : 1.0f, 0, 0);
                alSourcef(source, AL_ROLLOFF_FACTOR, 0);
                alSourcef(source, AL_GAIN, gain * Gain(attenuation));
            }
            if (!o_efx)
                continue;
            alFilterf(path.dryFilter, AL_LOWPASS_GAIN, path.mix.dry);
            alSourcei(source, AL_DIRECT_FILTER, static_cast<ALint>(path.dryFilter));
            for (size_t k = 0; k < kEffectOrder.size() && static_cast<ALCint>(k) < o_sends; ++k) {
                auto slot = path.slots.find(kEffectOrder[k]);
                if (slot == path.slots.end() || !path.sendFilter[k])
                    continue;
                alFilterf(path.sendFilter[k], AL_LOWPASS_GAIN, path.mix.sends[k]);
                alSource3i(source, AL_AUXILIARY_SEND_FILTER, static_cast<ALint>(slot->second.slot),
                           static_cast<ALint>(k), static_cast<ALint>(path.sendFilter[k]));
            }
        }
    }

    ALCdevice* o_device;
    ALCcontext* o_context;
    bool o_loopback;
    int32_t o_rate;
    AudioSink o_sink;
    bool o_efx = false;
    ALCint o_sends = 0;
    double o_owed = 0; // loopback frames owed but not yet rendered
    uint32_t o_next = 1;
    std::map<AudioBufferId, RAlBuffer> o_buffers;
    std::map<AudioPathId, RAlPath> o_paths;
    std::map<AudioVoiceId, RAlVoice> o_voices;
};

std::unique_ptr<IAudioDevice> MakeDevice(ALCdevice* device, bool loopback, int32_t rate, AudioSink sink,
                                         std::string& error)
{
    std::vector<ALCint> attributes = {ALC_HRTF_SOFT, ALC_FALSE};
    if (alcIsExtensionPresent(device, "ALC_EXT_EFX") == ALC_TRUE)
        attributes.insert(attributes.end(), {ALC_MAX_AUXILIARY_SENDS, kWantedSends});
    if (loopback)
        attributes.insert(attributes.end(), {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
                                             ALC_SHORT_SOFT, ALC_FREQUENCY, rate});
    attributes.push_back(0);
    ALCcontext* context = alcCreateContext(device, attributes.data());
    if (!context) {
        error = "the sound device refused a mixing context";
        alcCloseDevice(device);
        return nullptr;
    }
    alcMakeContextCurrent(context);
    return std::make_unique<COpenAlDevice>(device, context, loopback, rate, std::move(sink));
}

} // namespace

// Whether a sound server or a sound card can be there at all. Opening the
// default device on a machine with neither (servers, CI) fails anyway, after
// the sound libraries have printed pages of complaints.
static bool MaySoundBeAvailable()
{
#ifdef __EMSCRIPTEN__
    return true; // the browser's own audio
#endif
    if (std::getenv("ALSOFT_DRIVERS") || std::getenv("PULSE_SERVER"))
        return true;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        std::error_code ignored;
        std::string base(runtime);
        if (std::filesystem::exists(base + "/pulse/native", ignored) || std::filesystem::exists(base + "/pipewire-0", ignored))
            return true;
    }
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/snd", ignored))
        if (entry.path().filename().string().rfind("pcmC", 0) == 0)
            return true;
    return false;
}

std::unique_ptr<IAudioDevice> Platform_OpenAudioDevice(std::string& error)
{
    if (!MaySoundBeAvailable()) {
        error = "no sound device";
        return nullptr;
    }
    // Our own message tells the player; the library's log would only repeat it.
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) {
        error = "no sound device";
        return nullptr;
    }
    return MakeDevice(device, false, 0, nullptr, error);
}

std::unique_ptr<IAudioDevice> Platform_OpenLoopbackAudio(int32_t rate, AudioSink sink, std::string& error)
{
    if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") != ALC_TRUE) {
        error = "the OpenAL library cannot render without a sound card";
        return nullptr;
    }
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (!device) {
        error = "no loopback device";
        return nullptr;
    }
    if (rate < 8000 || rate > 192000 ||
        alcIsRenderFormatSupportedSOFT(device, rate, ALC_STEREO_SOFT, ALC_SHORT_SOFT) != ALC_TRUE) {
        error = "the loopback device cannot render this format";
        alcCloseDevice(device);
        return nullptr;
    }
    return MakeDevice(device, true, rate, std::move(sink), error);
}
