// Sound resources and the sound table: which sound id each resource has, and
// making resources playable (restore) or letting their ids go (discard).
// A resource that another module replaced or deleted behind our back is
// noticed by its address and loaded anew.
#pragma once

#include <cstdint>
#include <string>

class CSound;

// The sound id of resource index, restoring it first when it has none; -1
// when the resource does not exist or cannot be played.
int32_t Sound_GetSoundId(int32_t index);
// The id, or -1 when not loaded (no restoring).
int32_t Sound_LoadedId(int32_t index);
// Makes the resource playable anew: decodes its data (a sound that cannot be
// decoded becomes multimedia), or writes a multimedia sound to a temporary
// file; then applies its effects, volume and pan.
void Sound_Restore(int32_t index);
void Sound_Discard(int32_t index);
// Discards and forgets everything about the resource (before its contents
// are replaced or it is deleted).
void Sound_Forget(int32_t index);
// The temporary file of a multimedia resource ("" when none).
const std::string& Sound_TemporaryFile(int32_t index);
// Restores every sound whose preload flag is set.
bool Sound_PrepareAll();
// Forgets every binding (after the sound system was shut down).
void Sound_ForgetAll();

// Reads a sound file into sound as a resource of kind with preload; false
// when the file does not exist or cannot be read. The file's type is
// checked when it is played, as for sounds in the game data.
bool Sound_LoadFromFile(CSound& sound, const std::string& gamePath, int32_t kind, bool preload);
