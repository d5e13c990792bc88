// MIDI to samples, offline: the synthesizer is driven by the samples it
// renders rather than by a clock, so the same file always gives the same
// sound, as fast as the machine allows.
#pragma once

#include "platform/AudioDevice.h"

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int32_t kMidiRate = 44100;

// Renders a standard MIDI file with its tempo multiplied by tempo, plus the
// notes' release tail; false when the file holds no playable music or no
// soundfont is installed.
bool Platform_RenderMidi(const uint8_t* data, size_t size, double tempo, RPcm& pcm, std::string& error);

// Whether this build has a synthesizer at all (a browser page has none).
bool Platform_HasMidiSynthesizer();
