// sound_play and the other script functions that play, stop and set the
// volume, pan and tempo of sounds.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Resources.h"
#include "sound/SoundResources.h"
#include "sound/SoundRoutines.h"
#include "sound/SoundSystem.h"
#include "sound/SoundUnits.h"

int32_t SoundIdOrReport(const RValue& index)
{
    int32_t resource = ArgInteger(index);
    if (!Sounds.Exists(resource)) {
        Error_ShowInEvent("Sound does not exist.", false);
        return -1;
    }
    return Sound_GetSoundId(resource);
}

namespace {

bool SoundPlay(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id = SoundIdOrReport(args[0]);
    if (id >= 0)
        SoundSystem.Play(id, false);
    return true;
}

bool SoundLoop(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id = SoundIdOrReport(args[0]);
    if (id >= 0)
        SoundSystem.Play(id, true);
    return true;
}

bool SoundStop(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t resource = ArgInteger(args[0]);
    if (!Sounds.Exists(resource)) {
        Error_ShowInEvent("Sound does not exist.", false);
        return true;
    }
    // A sound that was never loaded is not playing: no need to load it.
    SoundSystem.Stop(Sound_LoadedId(resource));
    return true;
}

bool SoundStopAll(CExecutionContext&, RValue&, int, RValue*)
{
    SoundSystem.StopAll();
    return true;
}

bool SoundIsPlaying(CExecutionContext&, RValue& result, int, RValue* args)
{
    int32_t resource = ArgInteger(args[0]);
    result = RValue(Sounds.Exists(resource) && SoundSystem.IsPlaying(Sound_LoadedId(resource)) ? 1.0 : 0.0);
    return true;
}

bool SoundVolume(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id = SoundIdOrReport(args[0]);
    if (id >= 0)
        SoundSystem.SetVolume(id, PathVolume(args[1].val));
    return true;
}

bool SoundFade(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id = SoundIdOrReport(args[0]);
    if (id >= 0)
        SoundSystem.Fade(id, PathVolume(args[1].val), args[2].val);
    return true;
}

bool SoundPan(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id = SoundIdOrReport(args[0]);
    if (id >= 0)
        SoundSystem.SetPan(id, PathPan(args[1].val));
    return true;
}

bool SoundBackgroundTempo(CExecutionContext&, RValue&, int, RValue* args)
{
    SoundSystem.SetTempo(args[0].val);
    return true;
}

bool SoundGlobalVolume(CExecutionContext&, RValue&, int, RValue* args)
{
    SoundSystem.SetGlobalVolume(MasterVolume(args[0].val));
    return true;
}

bool SoundSetSearchDirectory(CExecutionContext&, RValue&, int, RValue* args)
{
    SoundSystem.SetSearchDirectory(args[0].str.Text());
    return true;
}

} // namespace

void Sound_ImplementPlaybackFunctions()
{
    Function_Implement("sound_play", &SoundPlay);
    Function_Implement("sound_loop", &SoundLoop);
    Function_Implement("sound_stop", &SoundStop);
    Function_Implement("sound_stop_all", &SoundStopAll);
    Function_Implement("sound_isplaying", &SoundIsPlaying);
    Function_Implement("sound_volume", &SoundVolume);
    Function_Implement("sound_fade", &SoundFade);
    Function_Implement("sound_pan", &SoundPan);
    Function_Implement("sound_background_tempo", &SoundBackgroundTempo);
    Function_Implement("sound_global_volume", &SoundGlobalVolume);
    Function_Implement("sound_set_search_directory", &SoundSetSearchDirectory);
}
