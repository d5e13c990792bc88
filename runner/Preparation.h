// Preparing a loaded game: included files, extension packages, constants,
// triggers, scripts, time line and object actions, sounds and graphics,
// each announced in the loading window; the first failure stops start-up.
#pragma once

class ILoadObserver;

// headless: the display is the null one, without a window.
bool Runner_PrepareGame(ILoadObserver& progress, bool headless);
