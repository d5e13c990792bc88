// Bindings of sound resources to sound ids.
#include "sound/SoundResources.h"

#include "code/ErrorReport.h"
#include "data/Resources.h"
#include "data/Sound.h"
#include "data/TempDirectory.h"
#include "platform/Files.h"
#include "platform/RunFolder.h"
#include "platform/SoundFiles.h"
#include "sound/SoundRoutines.h"
#include "sound/SoundSystem.h"
#include "sound/SoundUnits.h"

#include <filesystem>
#include <vector>

namespace {

struct RBinding {
    const CSound* source = nullptr; // the resource the id was made from
    int32_t id = -1;
    std::string file; // a multimedia sound's temporary file
};

std::vector<RBinding> Bindings;

// Temporary names come from a generator of their own, so loading a sound
// never moves the game's random sequence.
uint32_t NameState = 12345;

int32_t NextNameNumber()
{
    NameState = NameState * 1103515245u + 12345u;
    return static_cast<int32_t>((NameState >> 8) % 100000);
}

// The binding of an existing resource, cleared when the resource is no
// longer the one it was made from.
RBinding* BindingOf(int32_t index)
{
    CSound* sound = Sounds.Get(index);
    if (!sound)
        return nullptr;
    if (index >= static_cast<int32_t>(Bindings.size()))
        Bindings.resize(static_cast<size_t>(index) + 1);
    RBinding& binding = Bindings[static_cast<size_t>(index)];
    if (binding.source != sound) {
        SoundSystem.Free(binding.id);
        binding = RBinding();
        binding.source = sound;
    }
    return &binding;
}

// Writes the sound's data to a new temporary file and frees the memory copy.
std::string WriteTemporaryFile(CSound& sound)
{
    if (TempDir.empty() || sound.s_sound.empty())
        return std::string();
    std::string extension = SafeFileName(sound.s_extension);
    std::string name;
    do {
        name = TempDir + "/a" + std::to_string(NextNameNumber()) + extension;
    } while (Platform_FileExists(name));
    if (!Platform_WritePrivateFile(name, sound.s_sound.data(), sound.s_sound.size()))
        return std::string();
    sound.s_sound.clear();
    sound.s_sound.shrink_to_fit();
    sound.s_hasSound = false;
    return name;
}

} // namespace

int32_t Sound_LoadedId(int32_t index)
{
    RBinding* binding = BindingOf(index);
    return binding && SoundSystem.Sample(binding->id) ? binding->id : -1;
}

int32_t Sound_GetSoundId(int32_t index)
{
    int32_t id = Sound_LoadedId(index);
    if (id < 0) {
        Sound_Restore(index);
        id = Sound_LoadedId(index);
    }
    return id;
}

void Sound_Discard(int32_t index)
{
    if (RBinding* binding = BindingOf(index)) {
        SoundSystem.Free(binding->id);
        binding->id = -1;
    }
}

void Sound_Forget(int32_t index)
{
    if (RBinding* binding = BindingOf(index)) {
        SoundSystem.Free(binding->id);
        *binding = RBinding();
    }
}

void Sound_Restore(int32_t index)
{
    RBinding* binding = BindingOf(index);
    if (!binding || !SoundSystem.IsStarted())
        return;
    CSound& sound = *Sounds.Get(index);
    SoundSystem.Free(binding->id);
    binding->id = -1;
    if (sound.s_hasSound && !sound.s_sound.empty()) {
        // A kind of sound this build cannot decode at all would stay silent
        // unseen: it is reported, once a run for each kind.
        const std::string missing = Platform_MissingSoundCodec(sound.s_sound.data(), sound.s_sound.size());
        if (!missing.empty() && SoundSystem.FirstNotice(missing))
            Error_ShowInEvent("Sound " + Sounds.Name(index) + " stays silent: " + missing + ".", false);
    }
    if (sound.s_kind >= kSoundNormal && sound.s_kind <= kSound3D) {
        if (!sound.s_hasSound || sound.s_sound.empty())
            return;
        binding->id = SoundSystem.LoadFromMemory(sound.s_kind, sound.s_sound);
        if (binding->id < 0)
            sound.s_kind = kSoundMultimedia;
    }
    if (sound.s_kind == kSoundMultimedia) {
        if (binding->file.empty() || !Platform_FileExists(binding->file))
            binding->file = WriteTemporaryFile(sound);
        if (!binding->file.empty())
            binding->id = SoundSystem.LoadMultimedia(binding->file);
    }
    if (binding->id < 0)
        return;
    if (sound.s_effects > 0)
        SetEffectsOrReport(binding->id, static_cast<uint32_t>(sound.s_effects));
    SoundSystem.SetVolume(binding->id, PathVolume(sound.s_volume));
    SoundSystem.SetPan(binding->id, PathPan(sound.s_pan));
}

const std::string& Sound_TemporaryFile(int32_t index)
{
    static const std::string none;
    RBinding* binding = BindingOf(index);
    return binding ? binding->file : none;
}

bool Sound_PrepareAll()
{
    for (int32_t index = 0; index < Sounds.Count(); ++index) {
        const CSound* sound = Sounds.Get(index);
        if (sound && sound->s_preload)
            Sound_Restore(index);
    }
    return true;
}

void Sound_ForgetAll()
{
    Bindings.clear();
}

bool Sound_LoadFromFile(CSound& sound, const std::string& gamePath, int32_t kind, bool preload)
{
    std::string host = ToHostPath(gamePath);
    std::vector<uint8_t> bytes;
    if (!Platform_FileExists(host) || !Platform_ReadWholeFile(host, bytes))
        return false;
    sound.Clear();
    sound.s_kind = kind;
    sound.s_extension = std::filesystem::path(host).extension().string();
    sound.s_origname = std::filesystem::path(host).filename().string();
    sound.s_hasSound = true;
    sound.s_sound = std::move(bytes);
    sound.s_preload = preload;
    return true;
}
