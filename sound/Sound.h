// What sound/ offers the rest of the runner: the script functions, starting
// the sound system and preparing every sound, the per-step update and the
// shut-down.
#pragma once

#include <string>

// Supplies the routines of the sound, CD and sound resource functions and of
// the sound actions to the function catalogue.
void Sound_RegisterFunctions();

struct RSoundOptions {
    bool headless = false;   // no sound card: the silent device
    std::string captureFile; // render everything played into this WAV file
};
// Set before the preparation step runs.
void Sound_SetOptions(const RSoundOptions& options);
// True when a capture was asked for and could not be opened or written: the
// run then failed, as one whose screenshot cannot be written does.
bool Sound_CaptureFailed();

// Starts the sound system and prepares every preloaded sound. Without a
// sound card the player is told once and the game goes on in silence.
bool Sound_Prepare();
// Moves fades on and renders the capture, seconds after the last update.
void Sound_Update(double seconds);
// The sound of a video shown by a splash screen: it takes the media
// player, as multimedia sounds do; stopping ends it only while it plays.
struct RPcm;
void Sound_PlayVideoSound(const std::string& name, const RPcm& pcm, bool loop);
void Sound_StopVideoSound(const std::string& name);

// Frees every sound and closes the device (and the capture file).
void Sound_Shutdown();
