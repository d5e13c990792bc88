// Stand-ins for what a browser page lacks. Its OpenAL has no effects (a
// path that asks for them is refused before these are reached); no MIDI
// synthesizer with a soundfont comes with the page; and a page cannot open
// the sockets network play needs, so every session function fails as
// documented; nor can it load native libraries, so external functions fail
// to be defined.
#include "platform/MidiRender.h"
#include "platform/NativeLibrary.h"
#include "platform/NetworkPlay.h"
#include "platform/OpenAlEffects.h"

ALint EffectType(uint32_t)
{
    return 0;
}

void ApplyEffectParameters(ALuint, uint32_t, const REffectSettings&)
{
}

REffectMix ToEffectMix(const REffectSettings&)
{
    return {};
}

bool Platform_HasMidiSynthesizer()
{
    return false;
}

bool Platform_RenderMidi(const uint8_t*, size_t, double, RPcm&, std::string& error)
{
    error = "MIDI music cannot be played in a browser";
    return false;
}

std::unique_ptr<INetworkPlay> Platform_CreateNetworkPlay(const RNetworkPlayOptions&)
{
    return Platform_CreateNullNetworkPlay();
}

void* Platform_OpenLibrary(const std::string&)
{
    return nullptr;
}

void* Platform_LibraryFunction(void*, const std::string&)
{
    return nullptr;
}

void Platform_CloseLibrary(void*)
{
}

struct CNativeSignature::RShape {};

CNativeSignature::CNativeSignature() : n_shape(std::make_unique<RShape>()) {}
CNativeSignature::~CNativeSignature() = default;

std::unique_ptr<CNativeSignature> CNativeSignature::Make(int, const bool*, bool)
{
    return nullptr;
}

RNativeValue CNativeSignature::Call(void*, const RNativeValue*) const
{
    RNativeValue none;
    none.real = 0;
    return none;
}
