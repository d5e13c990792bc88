// The sound resource functions (sound_add, sound_replace, sound_delete and
// the getters) and the sound actions.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Resources.h"
#include "data/Sound.h"
#include "platform/Files.h"
#include "sound/SoundResources.h"
#include "sound/SoundRoutines.h"
#include "sound/SoundSystem.h"

#include <memory>

namespace {

bool Exists(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = RValue(Sounds.Exists(ArgInteger(args[0])) ? 1.0 : 0.0);
    return true;
}

bool Name(CExecutionContext&, RValue& result, int, RValue* args)
{
    int32_t index = ArgInteger(args[0]);
    result = RValue(Sounds.Exists(index) ? Sounds.Name(index) : std::string("<undefined>"));
    return true;
}

bool Kind(CExecutionContext&, RValue& result, int, RValue* args)
{
    const CSound* sound = Sounds.Get(ArgInteger(args[0]));
    result = RValue(sound ? sound->s_kind : -1);
    return true;
}

bool Preload(CExecutionContext&, RValue& result, int, RValue* args)
{
    const CSound* sound = Sounds.Get(ArgInteger(args[0]));
    result = RValue(sound ? (sound->s_preload ? 1 : 0) : -1);
    return true;
}

bool Discard(CExecutionContext&, RValue&, int, RValue* args)
{
    Sound_Discard(ArgInteger(args[0]));
    return true;
}

bool Restore(CExecutionContext&, RValue&, int, RValue* args)
{
    Sound_Restore(ArgInteger(args[0]));
    return true;
}

// Loads the file into the existing resource index and prepares it.
bool ReplaceFromFile(int32_t index, const std::string& file, int32_t kind, bool preload)
{
    auto sound = std::make_unique<CSound>();
    if (!Sound_LoadFromFile(*sound, file, kind, preload))
        return false;
    Sound_Forget(index);
    *Sounds.Get(index) = std::move(*sound);
    if (preload)
        Sound_Restore(index);
    return true;
}

bool Add(CExecutionContext&, RValue& result, int, RValue* args)
{
    auto sound = std::make_unique<CSound>();
    bool preload = IsTrue(args[2].val);
    if (!Sound_LoadFromFile(*sound, args[0].str.Text(), ArgInteger(args[1]), preload)) {
        result = RValue(-1);
        return true;
    }
    int32_t index = Sounds.Count();
    Sounds.Add(std::move(sound), "__newsound" + std::to_string(index));
    if (preload)
        Sound_Restore(index);
    result = RValue(index);
    return true;
}

bool Replace(CExecutionContext&, RValue& result, int, RValue* args)
{
    int32_t index = ArgInteger(args[0]);
    if (!Sounds.Exists(index)) {
        Error_ShowInEvent("Trying to replace non-existing sound.", false);
        return true;
    }
    result = RValue(ReplaceFromFile(index, args[1].str.Text(), ArgInteger(args[2]), IsTrue(args[3].val)) ? 1 : 0);
    return true;
}

bool Delete(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t index = ArgInteger(args[0]);
    if (!Sounds.Exists(index)) {
        Error_ShowInEvent("Trying to delete non-existing sound.", false);
        return true;
    }
    Sound_Forget(index);
    Sounds.Delete(index);
    return true;
}

bool ActionSound(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t index = ArgInteger(args[0]);
    if (!Sounds.Exists(index)) {
        Error_ShowInEvent("Trying to play non-existing sound.", false);
        return true;
    }
    int32_t id = Sound_GetSoundId(index);
    if (id >= 0)
        SoundSystem.Play(id, IsTrue(args[1].val));
    return true;
}

bool ActionEndSound(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t index = ArgInteger(args[0]);
    if (!Sounds.Exists(index)) {
        Error_ShowInEvent("Trying to stop non-existing sound.", false);
        return true;
    }
    SoundSystem.Stop(Sound_LoadedId(index));
    return true;
}

bool ActionIfSound(CExecutionContext&, RValue& result, int, RValue* args)
{
    int32_t index = ArgInteger(args[0]);
    result = RValue(Sounds.Exists(index) && SoundSystem.IsPlaying(Sound_LoadedId(index)) ? 1 : 0);
    return true;
}

bool ActionReplaceSound(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t index = ArgInteger(args[0]);
    if (!Sounds.Exists(index)) {
        Error_ShowInEvent("Trying to replace non-existing resource.", false);
        return true;
    }
    const std::string& file = args[1].str.Text();
    if (!Platform_FileExists(ToHostPath(file))) {
        Error_ShowInEvent("File does not exist.", false);
        return true;
    }
    const CSound& sound = *Sounds.Get(index);
    ReplaceFromFile(index, file, sound.s_kind, sound.s_preload);
    return true;
}

} // namespace

void Sound_ImplementResourceFunctions()
{
    Function_Implement("sound_exists", &Exists);
    Function_Implement("sound_get_name", &Name);
    Function_Implement("sound_name", &Name);
    Function_Implement("sound_get_kind", &Kind);
    Function_Implement("sound_get_preload", &Preload);
    Function_Implement("sound_discard", &Discard);
    Function_Implement("sound_restore", &Restore);
    Function_Implement("sound_add", &Add);
    Function_Implement("sound_replace", &Replace);
    Function_Implement("sound_delete", &Delete);
}

void Sound_ImplementActions()
{
    Function_Implement("action_sound", &ActionSound);
    Function_Implement("action_end_sound", &ActionEndSound);
    Function_Implement("action_if_sound", &ActionIfSound);
    Function_Implement("action_replace_sound", &ActionReplaceSound);
}
