// What the files of script functions share: argument reading, the check for
// a sound resource, and each file's registration.
#pragma once

#include "code/Value.h"

#include <cstdint>
#include <string>

class CInstance;

inline int32_t ArgInteger(const RValue& value)
{
    return RoundToInt32(value.val);
}

// The sound id of the existing resource index; otherwise reports "Sound does
// not exist." and gives -1. A resource that cannot be played also gives -1,
// without a message.
int32_t SoundIdOrReport(const RValue& index);

// Sets the effects of sound id; where the sound device has none (a browser's
// audio) that is reported, once a run, and the sound plays without them.
void SetEffectsOrReport(int32_t id, uint32_t flags);

void Sound_ImplementPlaybackFunctions();
void Sound_ImplementEffectFunctions();
void Sound_ImplementCdFunctions();
void Sound_ImplementResourceFunctions();
void Sound_ImplementActions();
