// The input stages of a step, in their order: keyboard events (held, pressed,
// released), joystick events, then mouse events. Each stops as soon as a
// room change is pending.
#pragma once

void InputEvents_Keyboard();
void InputEvents_Joysticks();
void InputEvents_Mouse();
// All three, as the step loop runs them.
void InputEvents_Run();
