// Room transitions: when a room change has a transition kind, the picture of
// the old room and the first picture of the new one are kept in two
// surfaces, and the change is shown as transition_steps + 1 presented
// frames, each drawn by one of 21 built-in effects or by a script the game
// defined for the kind. Headless runs have no pictures and no transitions:
// the room changes at once.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t kBuiltinTransitions = 21;
constexpr int32_t kMaxTransitionKind = 999999;

// The old room is being left: its picture is taken when kind is a
// transition (1..21 or defined). Without two surfaces there is no transition.
void Transition_Capture(int32_t kind);
// The new room's first picture is shown: drawn into the second surface and
// played through the transition, or simply presented when none was captured.
void Transition_PlayRoomStart();

// Records the function called name (a script, an extension function or a
// built-in function) for kind 1..999999; false when the name names nothing.
bool Transition_Define(int32_t kind, const std::string& name);
bool Transition_Exists(int32_t kind);
// Forgets the defined transitions (a new game's functions).
void Transition_ForgetDefined();

// One frame of built-in effect kind 1..21 at fraction t in [0, 1], into the
// current target: from the picture in surface from to the one in surface
// to, both w × h; steps is the frame count (the stripes need it).
void Transition_DrawBuiltin(int32_t kind, int32_t from, int32_t to, int32_t w, int32_t h, double t, int32_t steps);
