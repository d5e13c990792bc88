// The null audio device: bookkeeping only.
#include "platform/NullAudio.h"

#include <cmath>

AudioBufferId CNullAudioDevice::CreateBuffer(const RPcm& pcm)
{
    if (pcm.channels < 1 || pcm.channels > 2 || pcm.rate <= 0)
        return 0;
    AudioBufferId id = n_next++;
    n_buffers[id] = RBuffer{pcm.channels, pcm.Seconds()};
    return id;
}

void CNullAudioDevice::FreeBuffer(AudioBufferId buffer)
{
    n_buffers.erase(buffer);
    std::erase_if(n_voices, [buffer](const auto& voice) { return voice.second.buffer == buffer; });
}

AudioPathId CNullAudioDevice::CreatePath(bool spatial)
{
    AudioPathId id = n_next++;
    n_paths[id].spatial = spatial;
    return id;
}

void CNullAudioDevice::FreePath(AudioPathId path)
{
    n_paths.erase(path);
    std::erase_if(n_voices, [path](const auto& voice) { return voice.second.path == path; });
}

void CNullAudioDevice::SetPathVolume(AudioPathId path, int32_t volume)
{
    auto found = n_paths.find(path);
    if (found != n_paths.end())
        found->second.volume = volume;
}

void CNullAudioDevice::SetPathPan(AudioPathId path, int32_t pan)
{
    auto found = n_paths.find(path);
    if (found != n_paths.end() && !found->second.spatial)
        found->second.pan = pan;
}

bool CNullAudioDevice::SetPathEffects(AudioPathId path, const REffectSettings& effects)
{
    auto found = n_paths.find(path);
    if (found == n_paths.end())
        return false;
    found->second.effects = effects;
    return true;
}

void CNullAudioDevice::SetPathSpatial(AudioPathId path, const RSpatial& spatial)
{
    auto found = n_paths.find(path);
    if (found != n_paths.end() && found->second.spatial)
        found->second.placement = spatial;
}

AudioVoiceId CNullAudioDevice::Play(AudioPathId path, AudioBufferId buffer, bool loop, double offset)
{
    auto sound = n_buffers.find(buffer);
    if (!n_paths.count(path) || sound == n_buffers.end())
        return 0;
    if (!(offset >= 0 && offset < sound->second.seconds))
        offset = 0;
    AudioVoiceId id = n_next++;
    n_voices[id] = RVoice{path, buffer, loop, offset};
    return id;
}

double CNullAudioDevice::Position(AudioVoiceId voice)
{
    auto found = n_voices.find(voice);
    return found == n_voices.end() ? 0 : found->second.position;
}

void CNullAudioDevice::Advance(double seconds)
{
    for (auto it = n_voices.begin(); it != n_voices.end();) {
        RVoice& voice = it->second;
        double length = n_buffers[voice.buffer].seconds;
        voice.position += seconds;
        if (voice.position >= length) {
            if (!voice.loop || length <= 0) {
                it = n_voices.erase(it);
                continue;
            }
            voice.position = std::fmod(voice.position, length);
        }
        ++it;
    }
}

const CNullAudioDevice::RPath* CNullAudioDevice::Path(AudioPathId path) const
{
    auto found = n_paths.find(path);
    return found == n_paths.end() ? nullptr : &found->second;
}

const CNullAudioDevice::RBuffer* CNullAudioDevice::Buffer(AudioBufferId buffer) const
{
    auto found = n_buffers.find(buffer);
    return found == n_buffers.end() ? nullptr : &found->second;
}

int32_t CNullAudioDevice::VoicesOn(AudioPathId path) const
{
    int32_t count = 0;
    for (const auto& [id, voice] : n_voices)
        count += voice.path == path;
    return count;
}
