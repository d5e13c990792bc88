// The debug window's contents and actions.
#include "dialogs/DebugModel.h"

#include "code/Code.h"
#include "code/EventContext.h"
#include "code/ExecutionContext.h"
#include "code/CodeError.h"
#include "code/Executor.h"
#include "code/Variables.h"
#include "data/Resources.h"
#include "dialogs/Dialogs.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "world/Input.h"
#include "world/Instance.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

constexpr const char* kNoInstance = "NO SUCH INSTANCE EXISTS";
constexpr const char* kNoObjectName = "##########";
const char* const kLine = "\r\n";

bool NearWhole(double x)
{
    return std::isfinite(x) && std::fabs(x - std::round(x)) < 1e-12;
}

// A value read through a built-in variable's getter.
RValue Builtin(CInstance* instance, const char* name)
{
    RValue value;
    const int32_t index = Variable_FindBuiltin(name);
    const RBuiltinVariable* variable = Variable_Builtin(index);
    if (variable && variable->getter)
        variable->getter(instance, 0, value);
    return value;
}

void AddBuiltins(std::string& text, CInstance* instance, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        text += Debug_VariableLine(name, Debug_ValueText(Builtin(instance, name))) + kLine;
}

void AddList(std::string& text, const CVariableList& list)
{
    for (int32_t k = 0; k < list.Count(); ++k) {
        const RVariable& variable = list.At(k);
        text += Debug_VariableLine(Code_Variable_Name(variable.ind), Debug_ValueText(variable.simplevalue)) + kLine;
    }
}

std::string Separator()
{
    return std::string(kDebugSeparator) + kLine;
}

// The last unmarked instance whose precise mask holds the mouse.
std::string MouseId()
{
    CLiveRoom* room = CurrentRoom;
    if (!room || !InputHooks.instanceCovers || !InputHooks.mouseInRoom)
        return "";
    int32_t x = 0, y = 0;
    InputHooks.mouseInRoom(x, y);
    std::string id;
    for (int32_t k = 0; k < room->InstanceCount(); ++k) {
        const CInstance* instance = room->InstanceAt(k);
        if (instance && !instance->i_marked && InputHooks.instanceCovers(*instance, x, y))
            id = std::to_string(instance->i_id);
    }
    return id;
}

} // namespace

std::string Debug_ValueText(const RValue& value)
{
    if (value.IsString())
        return value.str.Text();
    const double x = value.val;
    char text[512];
    if (NearWhole(x)) {
        std::snprintf(text, sizeof text, "%.0f", std::round(x) == 0 ? 0.0 : std::round(x));
        return text;
    }
    int decimals = 10;
    for (int d = 2; d <= 8; d += 2)
        if (NearWhole(x * std::pow(10.0, d))) {
            decimals = d;
            break;
        }
    std::snprintf(text, sizeof text, "%.*f", decimals, x);
    return text;
}

std::string Debug_VariableLine(const std::string& name, const std::string& value)
{
    std::string line = name + ":";
    if (line.size() < 20)
        line.resize(20, ' ');
    line += value;
    line.erase(std::remove(line.begin(), line.end(), '\0'), line.end());
    return line;
}

CDebugModel::CDebugModel()
{
    d_view.views.resize(kFirstLocals);
    d_view.views[kGlobals].caption = "Global Variables";
    d_view.views[kInstances].caption = "All Instances";
    d_view.views[kMessages].caption = "Messages";
}

void CDebugModel::Refresh()
{
    d_view.running = StepLoop.running;
    d_view.paused = StepLoop.paused;
    CLiveRoom* room = CurrentRoom;
    d_view.status[0] = std::to_string(StepLoop.fps) + " fps";
    d_view.status[1] = std::to_string(room ? room->InstanceCount() : 0) + " inst";
    d_view.status[2] = "mouse id: " + MouseId();
    d_view.roomSpeed = room ? room->r_speed : 30;

    d_view.watches.clear();
    for (const std::string& text : d_watches) {
        CCode code(text, true);
        std::string shown = "COMPILE ERROR";
        if (code.Compile()) {
            CInstance temporary;
            temporary.Create(0, 0, 0, 0);
            RValue value;
            Code_Evaluate(&temporary, &temporary, code, value);
            shown = Debug_ValueText(value);
        }
        Code_Context().ClearError();
        d_view.watches.emplace_back(text, shown);
    }
    if (d_view.views[kGlobals].shown)
        RefreshGlobals();
    if (d_view.views[kInstances].shown)
        RefreshInstances();
    for (size_t k = kFirstLocals; k < d_view.views.size(); ++k)
        if (d_view.views[k].shown)
            RefreshLocals(k);
}

void CDebugModel::RefreshGlobals()
{
    CInstance temporary;
    temporary.Create(0, 0, 0, 0);
    std::string text;
    AddBuiltins(text, &temporary,
                {"mouse_x", "mouse_y", "mouse_button", "mouse_lastbutton", "keyboard_key", "keyboard_lastkey",
                 "keyboard_lastchar", "keyboard_string"});
    text += Separator();
    AddBuiltins(text, &temporary,
                {"score", "lives", "health", "room", "room_width", "room_height", "room_speed", "room_persistent",
                 "cursor_sprite"});
    text += Separator();
    AddBuiltins(text, &temporary,
                {"working_directory", "temp_directory", "program_directory", "secure_mode", "error_occurred",
                 "error_last"});
    text += Separator();
    AddList(text, GlobalVars);
    d_view.views[kGlobals].text = text;
}

void CDebugModel::RefreshInstances()
{
    std::string text = std::string("   Id     Object Name    Sprite Name") + kLine + std::string(36, '_') + kLine;
    if (CLiveRoom* room = CurrentRoom)
        for (int32_t k = 0; k < room->InstanceCount(); ++k) {
            const CInstance* instance = room->InstanceAt(k);
            if (!instance || instance->i_marked)
                continue;
            char line[256];
            std::snprintf(line, sizeof line, "%6d %14s %14s", instance->i_id,
                          Objects.Name(instance->i_objectindex).c_str(), Sprites.Name(instance->i_spriteindex).c_str());
            text += std::string(line) + kLine;
        }
    d_view.views[kInstances].text = text;
}

void CDebugModel::RefreshLocals(size_t view)
{
    const RLocals& wanted = d_locals[view - kFirstLocals];
    CInstance* found = nullptr;
    if (CLiveRoom* room = CurrentRoom)
        for (int32_t k = 0; k < room->InstanceCount() && !found; ++k) {
            CInstance* instance = room->InstanceAt(k);
            if (instance && !instance->i_marked &&
                (instance->i_id == wanted.id || Objects.Name(instance->i_objectindex) == wanted.objectName))
                found = instance;
        }
    if (!found) {
        d_view.views[view].text = kNoInstance;
        return;
    }
    std::string text;
    AddBuiltins(text, found,
                {"x", "y", "direction", "speed", "hspeed", "vspeed", "friction", "gravity", "gravity_direction"});
    text += Separator();
    AddBuiltins(text, found,
                {"id", "object_index", "sprite_index", "image_index", "image_single", "image_speed", "image_xscale",
                 "image_yscale", "mask_index", "solid", "visible", "persistent", "depth"});
    text += Separator();
    AddBuiltins(text, found, {"path_index", "path_position", "path_orientation", "path_scale"});
    text += Separator();
    AddList(text, found->i_vars);
    d_view.views[view].text = text;
}

void CDebugModel::AddWatch(const std::string& expression)
{
    if (!expression.empty())
        d_watches.push_back(expression);
}

void CDebugModel::ChangeWatch(int32_t row, const std::string& expression)
{
    if (row >= 0 && row < static_cast<int32_t>(d_watches.size()))
        d_watches[static_cast<size_t>(row)] = expression;
    else
        AddWatch(expression);
}

void CDebugModel::DeleteWatch(int32_t row)
{
    if (row >= 0 && row < static_cast<int32_t>(d_watches.size()))
        d_watches.erase(d_watches.begin() + row);
}

void CDebugModel::ClearWatches()
{
    d_watches.clear();
}

bool CDebugModel::LoadWatches(const std::string& hostPath)
{
    std::vector<uint8_t> bytes;
    if (!Platform_ReadWholeFile(hostPath, bytes))
        return false;
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        d_watches.push_back(line);
    }
    return true;
}

bool CDebugModel::SaveWatches(const std::string& hostPath) const
{
    std::string text;
    for (const std::string& watch : d_watches)
        text += watch + kLine;
    return Platform_WriteWholeFile(hostPath, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

bool CDebugModel::OpenLocals(const std::string& typed)
{
    size_t view = d_view.views.size();
    for (size_t k = kFirstLocals; k < d_view.views.size(); ++k)
        if (!d_view.views[k].shown) {
            view = k;
            break;
        }
    if (view == d_view.views.size()) {
        if (d_locals.size() >= kMostLocalViews)
            return false;
        d_view.views.emplace_back();
        d_locals.emplace_back();
    }
    RLocals& locals = d_locals[view - kFirstLocals];
    int32_t id = 0;
    if (Dialog_ParseInteger(typed, id)) {
        locals.id = id;
        locals.objectName = kNoObjectName;
    } else {
        locals.id = -1;
        locals.objectName = typed;
    }
    d_view.views[view].caption = "Local Variables for " + typed;
    d_view.views[view].shown = true;
    return true;
}

void CDebugModel::AppendMessage(const std::string& text)
{
    std::string& all = d_view.views[kMessages].text;
    all += text + kLine;
}

std::string CDebugModel::ExecuteCode(const std::string& text)
{
    d_view.lastCode = text;
    CCode code(text, false);
    if (!code.Compile()) {
        Code_Context().ClearError();
        return "COMPILE ERROR";
    }
    CInstance temporary;
    temporary.Create(0, 0, 0, 0);
    RValue result;
    // Its errors name where the code came from, not the event run last.
    static const std::string place = "code executed from the debug window";
    CCodePlace running(place);
    Code_Run(&temporary, &temporary, code, result);
    return "";
}

bool CDebugModel::SetSpeed(const std::string& text)
{
    int32_t speed = 0;
    if (!Dialog_ParseInteger(text, speed) || !CurrentRoom)
        return false;
    CurrentRoom->r_speed = speed;
    return true;
}

void CDebugModel::Handle(const RDebugRequest& request)
{
    switch (request.action) {
    case EDebugAction::Run:
        if (StepLoop.running && StepLoop.paused)
            StepLoop.paused = false;
        return;
    case EDebugAction::Pause:
        if (StepLoop.running && !StepLoop.paused)
            StepLoop.paused = true;
        return;
    case EDebugAction::Step:
        StepLoop_SingleStep();
        break;
    case EDebugAction::Restart:
        if (StepLoop.running) {
            Game_RequestRestart();
            StepLoop.paused = false;
        }
        return;
    case EDebugAction::Stop:
    case EDebugAction::Close:
        // Closing the window stops the game only while it is paused.
        if (StepLoop.running && (request.action == EDebugAction::Stop || StepLoop.paused)) {
            Game_RequestEnd();
            StepLoop.paused = false;
        }
        return;
    case EDebugAction::AddWatch:
        AddWatch(request.text);
        break;
    case EDebugAction::ChangeWatch:
        ChangeWatch(request.row, request.text);
        break;
    case EDebugAction::DeleteWatch:
        DeleteWatch(request.row);
        break;
    case EDebugAction::ClearWatches:
        ClearWatches();
        break;
    case EDebugAction::LoadWatches:
        LoadWatches(ToHostPath(request.text));
        break;
    case EDebugAction::SaveWatches:
        SaveWatches(ToHostPath(request.text));
        break;
    case EDebugAction::ExecuteCode:
        if (ExecuteCode(request.text) == "COMPILE ERROR")
            Platform_ShowMessage("COMPILE ERROR");
        break;
    case EDebugAction::SetSpeed:
        SetSpeed(request.text);
        break;
    case EDebugAction::ShowView:
        if (request.row >= 0 && request.row < static_cast<int32_t>(d_view.views.size()))
            d_view.views[static_cast<size_t>(request.row)].shown = true;
        break;
    case EDebugAction::HideView:
        if (request.row >= 0 && request.row < static_cast<int32_t>(d_view.views.size()))
            d_view.views[static_cast<size_t>(request.row)].shown = false;
        break;
    case EDebugAction::ShowLocals:
        OpenLocals(request.text);
        break;
    }
    Refresh();
}
