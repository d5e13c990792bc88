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

void SoundPlay(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    int32_t id = SoundIdOrReport(args[0]);
    if (id >= 0)
        SoundSystem.Play(id, false);
}

void SoundLoop(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    int32_t id = SoundIdOrReport(args[0]);
    if (id >= 0)
        SoundSystem.Play(id, true);
}

void SoundStop(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    int32_t resource = ArgInteger(args[0]);
    if (!Sounds.Exists(resource)) {
        Error_ShowInEvent("Sound does not exist.", false);
        return;
    }
    // A sound that was never loaded is not playing: no need to load it.
    SoundSystem.Stop(Sound_LoadedId(resource));
}

void SoundStopAll(CInstance*, CInstance*, int, RValue&, RValue*)
{
    SoundSystem.StopAll();
}

void SoundIsPlaying(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    int32_t resource = ArgInteger(args[0]);
    result = RValue(Sounds.Exists(resource) && SoundSystem.IsPlaying(Sound_LoadedId(resource)) ? 1.0 : 0.0);
}

void SoundVolume(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    int32_t id = SoundIdOrReport(args[0]);
    if (id >= 0)
        SoundSystem.SetVolume(id, PathVolume(args[1].val));
}

void SoundFade(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    int32_t id = SoundIdOrReport(args[0]);
    if (id >= 0)
        SoundSystem.Fade(id, PathVolume(args[1].val), args[2].val);
}

void SoundPan(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    int32_t id = SoundIdOrReport(args[0]);
    if (id >= 0)
        SoundSystem.SetPan(id, PathPan(args[1].val));
}

void SoundBackgroundTempo(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    SoundSystem.SetTempo(args[0].val);
}

void SoundGlobalVolume(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    SoundSystem.SetGlobalVolume(MasterVolume(args[0].val));
}

void SoundSetSearchDirectory(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    SoundSystem.SetSearchDirectory(args[0].str.Text());
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
