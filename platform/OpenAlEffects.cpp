// The mapping of each game effect onto its nearest EFX effect, parameter by
// parameter, with each value clamped to the range EFX accepts.
#include "platform/OpenAlEffects.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/efx.h>

#include <algorithm>
#include <cmath>

namespace {

float Decibels(float db)
{
    return std::pow(10.0f, db / 20.0f);
}

// Phase numbers 0..4 stand for -180, -90, 0, 90 and 180 degrees.
ALint Phase(int32_t phase)
{
    return std::clamp(phase, 0, 4) * 90 - 180;
}

// Triangle is 0 in the game and 1 in EFX; sine the other way round.
ALint Waveform(int32_t waveform)
{
    return waveform == 0 ? AL_CHORUS_WAVEFORM_TRIANGLE : AL_CHORUS_WAVEFORM_SINUSOID;
}

void Set(ALuint effect, ALenum parameter, float value, float low, float high)
{
    alEffectf(effect, parameter, std::isfinite(value) ? std::clamp(value, low, high) : low);
}

void ApplyEqualizer(ALuint effect, const REqualizerParams& p)
{
    // EFX has four fixed bands; the game's one parametric band goes into
    // the band whose range holds its centre, the others stay flat.
    float gain = std::clamp(Decibels(p.gain), 0.126f, 7.943f);
    float octaves = std::clamp(p.bandwidth / 12.0f, 0.01f, 1.0f);
    for (ALenum flat : {AL_EQUALIZER_LOW_GAIN, AL_EQUALIZER_MID1_GAIN, AL_EQUALIZER_MID2_GAIN, AL_EQUALIZER_HIGH_GAIN})
        alEffectf(effect, flat, 1.0f);
    float centre = std::isfinite(p.center) ? p.center : 8000;
    if (centre < 200) {
        Set(effect, AL_EQUALIZER_LOW_CUTOFF, centre, 50, 800);
        alEffectf(effect, AL_EQUALIZER_LOW_GAIN, gain);
    } else if (centre < 1000) {
        Set(effect, AL_EQUALIZER_MID1_CENTER, centre, 200, 3000);
        alEffectf(effect, AL_EQUALIZER_MID1_WIDTH, octaves);
        alEffectf(effect, AL_EQUALIZER_MID1_GAIN, gain);
    } else if (centre <= 8000) {
        Set(effect, AL_EQUALIZER_MID2_CENTER, centre, 1000, 8000);
        alEffectf(effect, AL_EQUALIZER_MID2_WIDTH, octaves);
        alEffectf(effect, AL_EQUALIZER_MID2_GAIN, gain);
    } else {
        Set(effect, AL_EQUALIZER_HIGH_CUTOFF, centre, 4000, 16000);
        alEffectf(effect, AL_EQUALIZER_HIGH_GAIN, gain);
    }
}

} // namespace

ALint EffectType(uint32_t bit)
{
    switch (bit) {
    case kEffectChorus: return AL_EFFECT_CHORUS;
    case kEffectEcho: return AL_EFFECT_ECHO;
    case kEffectFlanger: return AL_EFFECT_FLANGER;
    case kEffectGargle: return AL_EFFECT_RING_MODULATOR;
    case kEffectReverb: return AL_EFFECT_REVERB;
    case kEffectCompressor: return AL_EFFECT_COMPRESSOR;
    case kEffectEqualizer: return AL_EFFECT_EQUALIZER;
    case kEffectDistortion: return AL_EFFECT_DISTORTION;
    case kEffectEnvironment: return AL_EFFECT_EAXREVERB;
    default: return AL_EFFECT_NULL;
    }
}

void ApplyEffectParameters(ALuint effect, uint32_t bit, const REffectSettings& s)
{
    switch (bit) {
    case kEffectChorus:
        alEffecti(effect, AL_CHORUS_WAVEFORM, Waveform(s.chorus.waveform));
        alEffecti(effect, AL_CHORUS_PHASE, Phase(s.chorus.phase));
        Set(effect, AL_CHORUS_RATE, s.chorus.frequency, 0, 10);
        Set(effect, AL_CHORUS_DEPTH, s.chorus.depth / 100, 0, 1);
        Set(effect, AL_CHORUS_FEEDBACK, s.chorus.feedback / 100, -1, 1);
        Set(effect, AL_CHORUS_DELAY, s.chorus.delay / 1000, 0, 0.016f);
        break;
    case kEffectFlanger:
        alEffecti(effect, AL_FLANGER_WAVEFORM, Waveform(s.flanger.waveform));
        alEffecti(effect, AL_FLANGER_PHASE, Phase(s.flanger.phase));
        Set(effect, AL_FLANGER_RATE, s.flanger.frequency, 0, 10);
        Set(effect, AL_FLANGER_DEPTH, s.flanger.depth / 100, 0, 1);
        Set(effect, AL_FLANGER_FEEDBACK, s.flanger.feedback / 100, -1, 1);
        Set(effect, AL_FLANGER_DELAY, s.flanger.delay / 1000, 0, 0.004f);
        break;
    case kEffectEcho: {
        // EFX echoes twice per round: after DELAY and after DELAY + LRDELAY,
        // on opposite sides.
        float first = std::min(s.echo.leftDelay, s.echo.rightDelay) / 1000;
        float second = std::fabs(s.echo.rightDelay - s.echo.leftDelay) / 1000;
        Set(effect, AL_ECHO_DELAY, first, 0, 0.207f);
        Set(effect, AL_ECHO_LRDELAY, second, 0, 0.404f);
        Set(effect, AL_ECHO_FEEDBACK, s.echo.feedback / 100, 0, 0.99f);
        Set(effect, AL_ECHO_DAMPING, 0, 0, 0.99f);
        Set(effect, AL_ECHO_SPREAD, s.echo.panDelay != 0 ? -1.0f : 0.0f, -1, 1);
        break;
    }
    case kEffectGargle:
        // Gargle swells the amplitude between 0 and full rate times a second.
        // The ring modulator multiplies by a wave that swings through -1..1,
        // so a sine at half the rate swells as often; its square wave would
        // only flip the sign, which is not heard as gargling, so both game
        // waveforms use the sine. Its high-pass would take the bass away.
        Set(effect, AL_RING_MODULATOR_FREQUENCY, static_cast<float>(s.gargle.rate) / 2, 0, 8000);
        Set(effect, AL_RING_MODULATOR_HIGHPASS_CUTOFF, 0, 0, 24000);
        alEffecti(effect, AL_RING_MODULATOR_WAVEFORM, AL_RING_MODULATOR_SINUSOID);
        break;
    case kEffectReverb:
        Set(effect, AL_REVERB_DECAY_TIME, s.reverb.reverbTime / 1000, 0.1f, 20);
        Set(effect, AL_REVERB_DECAY_HFRATIO, s.reverb.highFreqRtRatio, 0.1f, 2);
        break;
    case kEffectCompressor:
        alEffecti(effect, AL_COMPRESSOR_ONOFF, AL_TRUE);
        break;
    case kEffectEqualizer:
        ApplyEqualizer(effect, s.equalizer);
        break;
    case kEffectDistortion:
        // The game sets no distortion parameters; these are its defaults.
        Set(effect, AL_DISTORTION_GAIN, Decibels(-18), 0.01f, 1);
        Set(effect, AL_DISTORTION_EDGE, 0.15f, 0, 1);
        Set(effect, AL_DISTORTION_LOWPASS_CUTOFF, 8000, 80, 24000);
        Set(effect, AL_DISTORTION_EQCENTER, 2400, 80, 24000);
        Set(effect, AL_DISTORTION_EQBANDWIDTH, 2400, 80, 24000);
        break;
    default:
        break;
    }
}

REffectMix ToEffectMix(const REffectSettings& s)
{
    // Chorus, echo and flanger blend their wet part with the dry sound;
    // gargle, compressor, equalizer and distortion replace the sound (their
    // sends share it when several are on); the reverbs add to it.
    REffectMix mix;
    int replacing = 0;
    for (uint32_t bit : {kEffectGargle, kEffectCompressor, kEffectEqualizer, kEffectDistortion})
        replacing += (s.flags & bit) != 0;
    for (size_t k = 0; k < kEffectOrder.size(); ++k) {
        uint32_t bit = kEffectOrder[k];
        if (!(s.flags & bit))
            continue;
        float wet = 1;
        switch (bit) {
        case kEffectChorus: wet = s.chorus.wetDryMix / 100; break;
        case kEffectEcho: wet = s.echo.wetDryMix / 100; break;
        case kEffectFlanger: wet = s.flanger.wetDryMix / 100; break;
        case kEffectReverb: wet = Decibels(s.reverb.inGain + s.reverb.reverbMix); break;
        case kEffectEnvironment: wet = 1; break;
        default: wet = 1.0f / static_cast<float>(replacing); break;
        }
        wet = std::isfinite(wet) ? std::clamp(wet, 0.0f, 1.0f) : 0.0f;
        mix.sends[k] = wet;
        if (bit == kEffectChorus || bit == kEffectEcho || bit == kEffectFlanger)
            mix.dry *= 1 - wet;
    }
    if (replacing > 0)
        mix.dry = 0;
    return mix;
}
