// Answers to the runner's dialogs that come from outside the player's hands:
// an input script gives them in automated runs, a recording writes them
// down. An automated run never waits for the player: a dialog that gets no
// answer takes its default at once and says so on standard error.
#pragma once

#include "world/HookSlot.h"

#include <cstdint>
#include <string>

enum class EDialogAnswer : int32_t {
    Button, // number: 1 left, 2 middle, 3 right
    Text,   // text: typed into the field (names, numbers, files, folders), then confirmed
    Menu,   // number: the entry, counted from 0
    Color,  // number: the colour chosen, 0xBBGGRR
    Cancel, // closed as Escape (or a cancel button) closes it
};

struct RDialogAnswer {
    EDialogAnswer kind = EDialogAnswer::Cancel;
    int32_t number = 0;
    std::string text; // Windows-1252
    bool operator==(const RDialogAnswer&) const = default;
};

struct RDialogHooks {
    // The next answer available by now (an input script's, in order); false
    // when none is (by default: never, nobody scripts the run).
    THook<bool(RDialogAnswer& answer)> takeAnswer{"takeAnswer", [](RDialogAnswer&) { return false; }};
    // Every dialog that closed, with the answer it closed with, for a
    // recording of the play (by default nobody records).
    THook<void(const RDialogAnswer& answer)> answered{"answered", [](const RDialogAnswer&) {}};
};
extern RDialogHooks DialogHooks;

// An automated run (headless, a fixed number of steps, an input script, a
// screenshot) has nobody at the screen.
void Dialogs_SetAutomated(bool automated);
bool Dialogs_IsAutomated();
