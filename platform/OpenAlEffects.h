// Game effect parameters as OpenAL EFX effects. EFX runs each effect on its
// own auxiliary send beside the dry sound, where the game's platform chained
// them; ToEffectMix says how loud the dry path and each send are so that the
// result stays close to a chain.
#pragma once

#include "platform/AudioDevice.h"

#include <AL/al.h>

#include <array>

// The order in which a path's effects take the sends.
constexpr std::array<uint32_t, 9> kEffectOrder = {kEffectChorus,     kEffectEcho,      kEffectFlanger,
                                                  kEffectGargle,     kEffectEqualizer, kEffectReverb,
                                                  kEffectCompressor, kEffectDistortion, kEffectEnvironment};

// The EFX effect type that stands for one effect bit.
ALint EffectType(uint32_t bit);
// Sets the parameters of effect (already of EffectType(bit)) from settings.
void ApplyEffectParameters(ALuint effect, uint32_t bit, const REffectSettings& settings);

struct REffectMix {
    float dry = 1;
    std::array<float, kEffectOrder.size()> sends{}; // by position in kEffectOrder
};
REffectMix ToEffectMix(const REffectSettings& settings);
