// The effect and 3D script functions: each passes its arguments, in order,
// into the parameter record of its effect or into the sound's placement.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "sound/SoundRoutines.h"
#include "sound/SoundSystem.h"
#include "sound/SoundUnits.h"

namespace {

float Real(const RValue& value)
{
    return static_cast<float>(value.val);
}

// The effect settings of the sound in args[0] when it carries bit; reports
// a missing sound.
REffectSettings* EffectsOf(RValue* args, uint32_t bit, int32_t& id)
{
    id = SoundIdOrReport(args[0]);
    return id >= 0 ? SoundSystem.EffectsWith(id, bit) : nullptr;
}

bool EffectSet(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id = SoundIdOrReport(args[0]);
    if (id >= 0)
        SetEffectsOrReport(id, static_cast<uint32_t>(ArgInteger(args[1])));
    return true;
}

bool EffectChorus(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id;
    if (REffectSettings* e = EffectsOf(args, kEffectChorus, id)) {
        e->chorus = RChorusParams{Real(args[1]), Real(args[2]), Real(args[3]), Real(args[4]),
                                  ArgInteger(args[5]), Real(args[6]), ArgInteger(args[7])};
        SoundSystem.ApplyEffects(id);
    }
    return true;
}

bool EffectEcho(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id;
    if (REffectSettings* e = EffectsOf(args, kEffectEcho, id)) {
        e->echo = REchoParams{Real(args[1]), Real(args[2]), Real(args[3]), Real(args[4]), ArgInteger(args[5])};
        SoundSystem.ApplyEffects(id);
    }
    return true;
}

bool EffectFlanger(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id;
    if (REffectSettings* e = EffectsOf(args, kEffectFlanger, id)) {
        e->flanger = RFlangerParams{Real(args[1]), Real(args[2]), Real(args[3]), Real(args[4]),
                                    ArgInteger(args[5]), Real(args[6]), ArgInteger(args[7])};
        SoundSystem.ApplyEffects(id);
    }
    return true;
}

bool EffectGargle(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id;
    if (REffectSettings* e = EffectsOf(args, kEffectGargle, id)) {
        e->gargle = RGargleParams{ArgInteger(args[1]), ArgInteger(args[2])};
        SoundSystem.ApplyEffects(id);
    }
    return true;
}

bool EffectReverb(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id;
    if (REffectSettings* e = EffectsOf(args, kEffectReverb, id)) {
        e->reverb = RReverbParams{Real(args[1]), Real(args[2]), Real(args[3]), Real(args[4])};
        SoundSystem.ApplyEffects(id);
    }
    return true;
}

bool EffectCompressor(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id;
    if (REffectSettings* e = EffectsOf(args, kEffectCompressor, id)) {
        e->compressor = RCompressorParams{Real(args[1]), Real(args[2]), Real(args[3]),
                                          Real(args[4]), Real(args[5]), Real(args[6])};
        SoundSystem.ApplyEffects(id);
    }
    return true;
}

bool EffectEqualizer(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id;
    if (REffectSettings* e = EffectsOf(args, kEffectEqualizer, id)) {
        e->equalizer = REqualizerParams{Real(args[1]), Real(args[2]), Real(args[3])};
        SoundSystem.ApplyEffects(id);
    }
    return true;
}

// The placement of the 3D sound in args[0]; reports a missing sound.
RSpatial* PlacementOf(RValue* args, int32_t& id)
{
    id = SoundIdOrReport(args[0]);
    return id >= 0 ? SoundSystem.Placement(id) : nullptr;
}

bool SetPosition(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id;
    if (RSpatial* p = PlacementOf(args, id)) {
        p->x = Real(args[1]);
        p->y = Real(args[2]);
        p->z = Real(args[3]);
        SoundSystem.ApplySpatial(id);
    }
    return true;
}

bool SetVelocity(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id;
    if (RSpatial* p = PlacementOf(args, id)) {
        p->vx = Real(args[1]);
        p->vy = Real(args[2]);
        p->vz = Real(args[3]);
        SoundSystem.ApplySpatial(id);
    }
    return true;
}

bool SetDistance(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id;
    if (RSpatial* p = PlacementOf(args, id)) {
        p->minDistance = Real(args[1]);
        p->maxDistance = Real(args[2]);
        SoundSystem.ApplySpatial(id);
    }
    return true;
}

bool SetCone(CExecutionContext&, RValue&, int, RValue* args)
{
    int32_t id;
    if (RSpatial* p = PlacementOf(args, id)) {
        p->coneX = Real(args[1]);
        p->coneY = Real(args[2]);
        p->coneZ = Real(args[3]);
        p->insideAngle = ArgInteger(args[4]);
        p->outsideAngle = ArgInteger(args[5]);
        p->outsideVolume = OutsideVolume(args[6].val);
        SoundSystem.ApplySpatial(id);
    }
    return true;
}

} // namespace

void SetEffectsOrReport(int32_t id, uint32_t flags)
{
    if (!SoundSystem.SetEffects(id, flags) && SoundSystem.FirstNotice("effects"))
        Error_ShowInEvent("Sound effects are not available on this sound device; sounds play without them.", false);
}

void Sound_ImplementEffectFunctions()
{
    Function_Implement("sound_effect_set", &EffectSet);
    Function_Implement("sound_effect_chorus", &EffectChorus);
    Function_Implement("sound_effect_echo", &EffectEcho);
    Function_Implement("sound_effect_flanger", &EffectFlanger);
    Function_Implement("sound_effect_gargle", &EffectGargle);
    Function_Implement("sound_effect_reverb", &EffectReverb);
    Function_Implement("sound_effect_compressor", &EffectCompressor);
    Function_Implement("sound_effect_equalizer", &EffectEqualizer);
    Function_Implement("sound_3d_set_sound_position", &SetPosition);
    Function_Implement("sound_3d_set_sound_velocity", &SetVelocity);
    Function_Implement("sound_3d_set_sound_distance", &SetDistance);
    Function_Implement("sound_3d_set_sound_cone", &SetCone);
}
