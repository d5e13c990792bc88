// What the debug window shows and does: watched expressions evaluated each
// step, the status line, the views of global variables, all instances,
// messages and the local variables of chosen instances, and the actions
// that run, pause, step, restart and stop the game. The window itself
// (platform/DebugWindowUi.h) only draws this and passes requests back.
#pragma once

#include "code/Value.h"
#include "platform/DebugWindowUi.h"

#include <string>
#include <vector>

// The value text of the debug window: a string as it is; a real as an
// integer when within 1e-12 of one, else with 2, 4, 6, 8 or 10 decimals,
// the fewest that hold it to within 1e-12.
std::string Debug_ValueText(const RValue& value);
// "name:" padded with spaces to 20 characters, then the value text;
// characters 0 are dropped.
std::string Debug_VariableLine(const std::string& name, const std::string& value);

constexpr int32_t kMostLocalViews = 100;
constexpr const char* kDebugSeparator = "________________________________";

class CDebugModel {
public:
    CDebugModel();

    // The view the window draws (refreshed by Refresh).
    const RDebugView& View() const { return d_view; }
    // Recomputes the status, the watches and every view that is shown.
    void Refresh();
    // Carries out one request of the window; the window is refreshed after
    // the watch and view actions.
    void Handle(const RDebugRequest& request);

    // Watches.
    void AddWatch(const std::string& expression);
    void ChangeWatch(int32_t row, const std::string& expression);
    void DeleteWatch(int32_t row);
    void ClearWatches();
    bool LoadWatches(const std::string& hostPath);
    bool SaveWatches(const std::string& hostPath) const;
    // Local-variables views: false (nothing opened) when all 100 are shown.
    bool OpenLocals(const std::string& typed);
    // show_debug_message: a line in the messages view, shown or not.
    void AppendMessage(const std::string& text);
    // Runs code with a temporary instance; "COMPILE ERROR" when it does not compile.
    std::string ExecuteCode(const std::string& code);
    // Sets the room speed when text is an integer.
    bool SetSpeed(const std::string& text);

    // Indices of the fixed views.
    static constexpr int32_t kGlobals = 0, kInstances = 1, kMessages = 2, kFirstLocals = 3;

private:
    struct RLocals {
        int32_t id = -1;
        std::string objectName;
    };
    void RefreshGlobals();
    void RefreshInstances();
    void RefreshLocals(size_t view);

    RDebugView d_view;
    std::vector<std::string> d_watches;
    std::vector<RLocals> d_locals; // per view from kFirstLocals on
    std::string d_messages;
};
