// The debug window of debug-mode runs, drawn with Dear ImGui in a window of
// its own beside the game: a menu and toolbar of actions, the watch grid, a
// status bar, and the views of variables, instances and messages. It shows
// what the runner gives it and hands back what the developer asked for;
// what the actions do is the runner's business.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct RDebugTextView {
    std::string caption; // Windows-1252, as all texts here
    std::string text;    // lines end with CR LF
    bool shown = false;
};

struct RDebugView {
    std::vector<std::pair<std::string, std::string>> watches; // expression, value; the empty row is added here
    std::string status[3];
    bool running = true;
    bool paused = false;
    std::vector<RDebugTextView> views;
    std::string lastCode; // offered again by Execute Code
    int32_t roomSpeed = 30;
};

enum class EDebugAction : int32_t {
    Run,
    Pause,
    Step,
    Restart,
    Stop,
    AddWatch,    // text: the expression
    ChangeWatch, // row, text
    DeleteWatch, // row
    ClearWatches,
    LoadWatches, // text: the file (host path)
    SaveWatches, // text: the file
    ExecuteCode, // text
    SetSpeed,    // text
    ShowView,    // row: the view
    HideView,    // row: the view (its close button)
    ShowLocals,  // text: an instance id or an object name
    Close,       // the window's close button
};

struct RDebugRequest {
    EDebugAction action = EDebugAction::Run;
    int32_t row = -1;
    std::string text;
};

class IDebugWindowUi {
public:
    virtual ~IDebugWindowUi() = default;
    // Draws one frame of the window from view, taking its events first.
    virtual void Show(const RDebugView& view) = 0;
    // Show, keeping a copy of the frame: w × h, blue, green, red, alpha,
    // rows from the top (tests look at it). False when nothing was drawn.
    virtual bool Capture(const RDebugView& view, std::vector<uint8_t>& pixels, int32_t& w, int32_t& h) = 0;
    // What the developer asked for since the last call, in order.
    virtual std::vector<RDebugRequest> TakeRequests() = 0;
};

// Placed at 10, 10 on the screen, staying on top; null without a display.
std::unique_ptr<IDebugWindowUi> Platform_OpenDebugWindow();
