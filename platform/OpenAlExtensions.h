// The OpenAL extensions the audio device uses: effects (EFX), loopback
// rendering and the HRTF switch. The browser's OpenAL has none of the first
// two; there the names below stand in, the device finds neither extension
// present and never calls them, so effects are off and there is no capture.
// Internal to platform/.
#pragma once

#ifndef __EMSCRIPTEN__
#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <AL/efx.h>
#else
#include <AL/al.h>
#include <AL/alc.h>

// The browser's OpenAL reads this attribute under its usual number.
constexpr ALCint ALC_HRTF_SOFT = 0x1992;

enum : ALCint {
    ALC_MAX_AUXILIARY_SENDS = 0x7F000001,
    ALC_FORMAT_CHANNELS_SOFT,
    ALC_FORMAT_TYPE_SOFT,
    ALC_STEREO_SOFT,
    ALC_SHORT_SOFT,
};
enum : ALenum {
    AL_AUXILIARY_SEND_FILTER = 0x7F000001,
    AL_DIRECT_FILTER,
    AL_EFFECTSLOT_EFFECT,
    AL_EFFECT_TYPE,
    AL_FILTER_TYPE,
    AL_FILTER_LOWPASS,
    AL_LOWPASS_GAIN,
    AL_LOWPASS_GAINHF,
};
constexpr ALint AL_EFFECTSLOT_NULL = 0;
constexpr ALint AL_FILTER_NULL = 0;

inline void alGenAuxiliaryEffectSlots(ALsizei, ALuint*) {}
inline void alDeleteAuxiliaryEffectSlots(ALsizei, const ALuint*) {}
inline void alAuxiliaryEffectSloti(ALuint, ALenum, ALint) {}
inline void alGenEffects(ALsizei, ALuint*) {}
inline void alDeleteEffects(ALsizei, const ALuint*) {}
inline void alEffecti(ALuint, ALenum, ALint) {}
inline void alGenFilters(ALsizei, ALuint*) {}
inline void alDeleteFilters(ALsizei, const ALuint*) {}
inline void alFilteri(ALuint, ALenum, ALint) {}
inline void alFilterf(ALuint, ALenum, ALfloat) {}
inline ALCdevice* alcLoopbackOpenDeviceSOFT(const ALCchar*) { return nullptr; }
inline ALCboolean alcIsRenderFormatSupportedSOFT(ALCdevice*, ALCsizei, ALCenum, ALCenum) { return ALC_FALSE; }
inline void alcRenderSamplesSOFT(ALCdevice*, ALCvoid*, ALCsizei) {}
#endif
