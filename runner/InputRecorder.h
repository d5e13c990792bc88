// Recording what the player does as an input script while the game is
// played (--record FILE): keys, typed characters, the mouse, the wheel, the
// joysticks, the close button and the answers given to dialogs, each due at
// the step before which it arrived (an answer: the step during which its
// dialog closed), with the run's seed, so that "--input FILE --seed N" plays
// the same run again step for step. Lines reach the file as they happen, so
// a run that crashes still leaves what led there.
#pragma once

#include "platform/GameWindow.h"
#include "runner/InputScript.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// What a window event means as scripted input due at step (nothing for
// events that are no input: painting, resizing, focus).
std::vector<RScriptedInput> Runner_InputsOfWindowEvent(const RWindowEvent& event, int64_t step);

class CInputRecorder {
public:
    CInputRecorder() = default;
    CInputRecorder(const CInputRecorder&) = delete;
    CInputRecorder& operator=(const CInputRecorder&) = delete;
    ~CInputRecorder() { Close(); }

    // Starts the file with how to replay it; false with error set when it
    // cannot be written.
    bool Open(const std::string& path, uint32_t seed, const std::string& game, std::string& error);
    bool IsOpen() const { return r_file != nullptr; }
    // Of the pointer's moves in a row only the last is written, when
    // anything else happens or the recording ends.
    void Record(const RScriptedInput& input);
    // The answer a dialog closed with, usable from step on.
    void RecordAnswer(int64_t step, const RDialogAnswer& answer);
    void Close();

private:
    void Write(const RScriptedInput& input);
    void WriteLine(const std::string& line);

    std::FILE* r_file = nullptr;
    bool r_hasMove = false;
    RScriptedInput r_move;
};
