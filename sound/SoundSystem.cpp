// The sound table and playback.
#include "sound/SoundSystem.h"

#include "data/Sound.h"
#include "platform/Files.h"
#include "platform/SoundFiles.h"

#include <algorithm>
#include <cmath>
#include <utility>

CSoundSystem SoundSystem;

namespace {

// A stereo sound placed in 3D is heard as its mono mix; the device does the
// mixing, but a buffer that is mono from the start costs half the memory.
void MixToMono(RPcm& pcm)
{
    if (pcm.channels != 2)
        return;
    const int64_t frames = pcm.Frames();
    for (int64_t f = 0; f < frames; ++f) {
        int32_t sum = pcm.samples[static_cast<size_t>(2 * f)] + pcm.samples[static_cast<size_t>(2 * f + 1)];
        pcm.samples[static_cast<size_t>(f)] = static_cast<int16_t>(sum / 2);
    }
    pcm.samples.resize(static_cast<size_t>(frames));
    pcm.channels = 1;
}

} // namespace

void CSoundSystem::Start(std::unique_ptr<IAudioDevice> device)
{
    Shutdown();
    s_device = std::move(device);
    s_player.Attach(s_device.get());
    s_mci.Attach(s_device.get());
    s_tempo = 1;
    s_globalVolume = 0;
    s_searchDirectory.clear();
    s_notices.clear();
}

void CSoundSystem::Shutdown()
{
    for (int32_t id = 0; id < static_cast<int32_t>(s_table.size()); ++id)
        Free(id);
    s_table.clear();
    s_player.Detach();
    s_mci.Detach();
    s_device.reset();
}

RSoundSample* CSoundSystem::Find(int32_t id)
{
    if (!s_device || id < 0 || id >= static_cast<int32_t>(s_table.size()) || !s_table[static_cast<size_t>(id)].used)
        return nullptr;
    return &s_table[static_cast<size_t>(id)];
}

RSoundSample* CSoundSystem::FindPlayable(int32_t id)
{
    RSoundSample* sample = Find(id);
    return sample && sample->kind != kSoundMultimedia && sample->path ? sample : nullptr;
}

const RSoundSample* CSoundSystem::Sample(int32_t id) const
{
    return const_cast<CSoundSystem*>(this)->Find(id);
}

int32_t CSoundSystem::Allocate()
{
    for (size_t k = 0; k < s_table.size(); ++k) {
        if (!s_table[k].used) {
            s_table[k] = RSoundSample();
            s_table[k].used = true;
            return static_cast<int32_t>(k);
        }
    }
    s_table.emplace_back().used = true;
    return static_cast<int32_t>(s_table.size() - 1);
}

int32_t CSoundSystem::LoadFromMemory(int32_t kind, const std::vector<uint8_t>& data)
{
    if (!s_device || kind < kSoundNormal || kind > kSound3D)
        return -1;
    RPcm pcm;
    std::string error;
    if (!Platform_DecodeSound(data.data(), data.size(), s_tempo, pcm, error))
        return -1;
    if (kind == kSound3D)
        MixToMono(pcm);
    AudioBufferId buffer = s_device->CreateBuffer(pcm);
    if (!buffer)
        return -1;
    AudioPathId path = s_device->CreatePath(kind == kSound3D);
    if (!path) {
        s_device->FreeBuffer(buffer);
        return -1;
    }
    int32_t id = Allocate();
    RSoundSample& sample = s_table[static_cast<size_t>(id)];
    sample.kind = kind;
    sample.buffer = buffer;
    sample.path = path;
    sample.tempo = s_tempo;
    if (Platform_IsMidi(data.data(), data.size()))
        sample.midi = data;
    return id;
}

int32_t CSoundSystem::LoadMultimedia(const std::string& hostPath)
{
    if (!s_device || !Platform_FileExists(hostPath))
        return -1;
    int32_t id = Allocate();
    RSoundSample& sample = s_table[static_cast<size_t>(id)];
    sample.kind = kSoundMultimedia;
    sample.file = hostPath;
    return id;
}

void CSoundSystem::Free(int32_t id)
{
    RSoundSample* sample = Find(id);
    if (!sample)
        return;
    if (sample->kind == kSoundMultimedia)
        s_player.Stop(sample->file);
    if (sample->path)
        s_device->FreePath(sample->path);
    if (sample->buffer)
        s_device->FreeBuffer(sample->buffer);
    *sample = RSoundSample();
}

void CSoundSystem::DropEndedVoices(RSoundSample& sample)
{
    std::erase_if(sample.voices, [this](const RSoundVoice& voice) { return !s_device->IsPlaying(voice.id); });
}

void CSoundSystem::Play(int32_t id, bool loop)
{
    RSoundSample* sample = Find(id);
    if (!sample)
        return;
    if (sample->kind == kSoundMultimedia) {
        s_player.Play(sample->file, loop);
        return;
    }
    // Background music is the one primary piece: a new one ends the last.
    if (sample->kind == kSoundMusic)
        for (RSoundSample& other : s_table)
            if (other.used && other.kind == kSoundMusic)
                for (const RSoundVoice& voice : std::exchange(other.voices, {}))
                    s_device->Stop(voice.id);
    if (!sample->midi.empty() && sample->tempo != s_tempo)
        RenderAgain(*sample);
    DropEndedVoices(*sample);
    if (AudioVoiceId voice = s_device->Play(sample->path, sample->buffer, loop, 0))
        sample->voices.push_back(RSoundVoice{voice, loop});
}

void CSoundSystem::Stop(int32_t id)
{
    RSoundSample* sample = Find(id);
    if (!sample)
        return;
    if (sample->kind == kSoundMultimedia) {
        s_player.Stop(sample->file);
        return;
    }
    for (const RSoundVoice& voice : std::exchange(sample->voices, {}))
        s_device->Stop(voice.id);
}

void CSoundSystem::StopAll()
{
    for (int32_t id = 0; id < static_cast<int32_t>(s_table.size()); ++id)
        Stop(id);
    if (s_device)
        s_player.StopAny();
}

bool CSoundSystem::IsPlaying(int32_t id)
{
    RSoundSample* sample = Find(id);
    if (!sample)
        return false;
    if (sample->kind == kSoundMultimedia)
        return s_player.IsPlaying(sample->file);
    DropEndedVoices(*sample);
    return !sample->voices.empty();
}

void CSoundSystem::SetVolume(int32_t id, int32_t volume)
{
    if (RSoundSample* sample = FindPlayable(id)) {
        sample->fade.active = false;
        sample->volume = volume;
        s_device->SetPathVolume(sample->path, volume);
    }
}

void CSoundSystem::Fade(int32_t id, int32_t volume, double milliseconds)
{
    RSoundSample* sample = FindPlayable(id);
    if (!sample)
        return;
    if (!(milliseconds > 0)) {
        SetVolume(id, volume);
        return;
    }
    sample->fade = RFade{true, static_cast<double>(sample->volume), static_cast<double>(volume), 0, milliseconds};
}

void CSoundSystem::SetPan(int32_t id, int32_t pan)
{
    if (RSoundSample* sample = FindPlayable(id)) {
        sample->pan = pan;
        s_device->SetPathPan(sample->path, pan);
    }
}

bool CSoundSystem::SetEffects(int32_t id, uint32_t flags)
{
    RSoundSample* sample = FindPlayable(id);
    if (!sample)
        return true;
    DropEndedVoices(*sample);
    if (!sample->voices.empty())
        return true;
    REffectSettings effects = sample->effects;
    effects.flags = flags & kEffectAll;
    if (!s_device->SetPathEffects(sample->path, effects))
        return effects.flags == 0;
    sample->effects = effects;
    return true;
}

REffectSettings* CSoundSystem::EffectsWith(int32_t id, uint32_t bit)
{
    RSoundSample* sample = FindPlayable(id);
    return sample && (sample->effects.flags & bit) ? &sample->effects : nullptr;
}

void CSoundSystem::ApplyEffects(int32_t id)
{
    if (RSoundSample* sample = FindPlayable(id))
        s_device->SetPathEffects(sample->path, sample->effects);
}

RSpatial* CSoundSystem::Placement(int32_t id)
{
    RSoundSample* sample = FindPlayable(id);
    return sample && sample->kind == kSound3D ? &sample->placement : nullptr;
}

void CSoundSystem::ApplySpatial(int32_t id)
{
    if (RSpatial* placement = Placement(id))
        s_device->SetPathSpatial(Find(id)->path, *placement);
}

bool CSoundSystem::RenderAgain(RSoundSample& sample)
{
    RPcm pcm;
    std::string error;
    if (!Platform_DecodeSound(sample.midi.data(), sample.midi.size(), s_tempo, pcm, error))
        return false;
    if (sample.kind == kSound3D)
        MixToMono(pcm);
    AudioBufferId buffer = s_device->CreateBuffer(pcm);
    if (!buffer)
        return false;
    // Voices playing go on at the same point of the piece, which now comes
    // sooner or later in seconds.
    DropEndedVoices(sample);
    double scale = sample.tempo / s_tempo;
    std::vector<RSoundVoice> voices;
    for (const RSoundVoice& voice : sample.voices) {
        double at = s_device->Position(voice.id) * scale;
        s_device->Stop(voice.id);
        if (AudioVoiceId again = s_device->Play(sample.path, buffer, voice.loop, at))
            voices.push_back(RSoundVoice{again, voice.loop});
    }
    s_device->FreeBuffer(sample.buffer);
    sample.buffer = buffer;
    sample.voices = std::move(voices);
    sample.tempo = s_tempo;
    return true;
}

void CSoundSystem::SetTempo(double factor)
{
    if (!std::isfinite(factor))
        factor = 1;
    factor = std::clamp(factor, 0.01, 100.0);
    if (factor == s_tempo)
        return;
    s_tempo = factor;
    if (!s_device)
        return;
    // Rendering takes time: only what is heard now is rendered at once; the
    // rest when next played.
    for (RSoundSample& sample : s_table) {
        if (!sample.used || sample.midi.empty())
            continue;
        DropEndedVoices(sample);
        if (!sample.voices.empty())
            RenderAgain(sample);
    }
}

void CSoundSystem::SetGlobalVolume(int32_t volume)
{
    s_globalVolume = volume;
    if (s_device)
        s_device->SetMasterVolume(volume);
}

void CSoundSystem::Update(double seconds)
{
    if (!s_device || !(seconds >= 0))
        return;
    for (RSoundSample& sample : s_table) {
        if (!sample.used || !sample.fade.active)
            continue;
        RFade& fade = sample.fade;
        fade.elapsed += seconds * 1000;
        double part = std::min(1.0, fade.elapsed / fade.duration);
        sample.volume = static_cast<int32_t>(std::lround(fade.from + (fade.to - fade.from) * part));
        s_device->SetPathVolume(sample.path, sample.volume);
        fade.active = part < 1;
    }
    s_device->Advance(seconds);
}
