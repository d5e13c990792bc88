// The action functions whose work another module does: messages and
// questions, splash screens and the game information, highscores, saving,
// resource replacement, web pages, the window, and particles. They add the
// action's own rules (relative positions, the messages only actions give,
// the full input clear after a dialog) and call the function that does the
// work through the function table.
#include "world/ActionFunctions.h"

#include "code/ArgumentVariables.h"
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Background.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "platform/Files.h"
#include "platform/Programs.h"
#include "world/ActionForward.h"
#include "world/GameState.h"
#include "world/Input.h"
#include "world/Instance.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

RValue Text(const RValue& value)
{
    return value.kind == VALUE_STRING ? value : RValue(RString(std::string()));
}

bool FileExists(const RValue& name)
{
    return name.kind == VALUE_STRING && Platform_FileExists(ToHostPath(name.str.Text()));
}

bool EndsWithIgnoringCase(const std::string& text, const char* ending)
{
    const std::string tail(ending);
    if (text.size() < tail.size())
        return false;
    for (size_t k = 0; k < tail.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + k])) != tail[k])
            return false;
    return true;
}

// ---- dialogs, splash screens and the game information ----

BUILTIN(F_Message)
{
    static CActionForward showMessage("show_message");
    const bool ok = showMessage.Call(context, {Text(args[0])});
    Input_ClearAll();
    return ok;
}

BUILTIN(F_IfQuestion)
{
    static CActionForward showQuestion("show_question");
    return showQuestion.Call(context, result, {Text(args[0])});
}

BUILTIN(F_ShowInfo)
{
    static CActionForward showInfo("show_info");
    const bool ok = showInfo.Call(context, {});
    Input_ClearAll();
    return ok;
}

// A splash file that does not exist gives the action's own message.
bool ShowSplash(CExecutionContext& context, CActionForward& forward, std::initializer_list<RValue> arguments,
                const RValue& file, const char* missing)
{
    if (!FileExists(file)) {
        Error_ShowInEvent(missing, false);
        return true;
    }
    const bool ok = forward.Call(context, arguments);
    Input_ClearAll();
    return ok;
}

BUILTIN(F_ShowVideo)
{
    static CActionForward showVideo("show_video");
    return ShowSplash(context, showVideo, {args[0], RValue(RoundToInteger(args[1].val) != 0 ? 1.0 : 0.0), args[2]},
                      args[0], "Video file not found (or name too long).");
}

BUILTIN(F_SplashVideo)
{
    static CActionForward splashVideo("splash_show_video");
    return ShowSplash(context, splashVideo, {args[0], args[1]}, args[0], "Video file not found (or name too long).");
}

BUILTIN(F_SplashText)
{
    static CActionForward splashText("splash_show_text");
    return ShowSplash(context, splashText, {args[0], RValue(0.0)}, args[0], "Text file not found.");
}

BUILTIN(F_SplashImage)
{
    static CActionForward splashImage("splash_show_image");
    return ShowSplash(context, splashImage, {args[0], RValue(0.0)}, args[0], "Image file not found.");
}

bool OpenWebPage(const RValue& url)
{
    if (GameState.secureMode) {
        Error_ShowInEvent("In secure mode you cannot open webpages.", false);
        return true;
    }
    if (url.kind != VALUE_STRING || !Platform_OpenDocument(url.str.Text()))
        Error_ShowInEvent("Failed to open the webpage.", false);
    return true;
}

BUILTIN(F_WebPage)
{
    return OpenWebPage(args[0]);
}

BUILTIN(F_SplashWeb)
{
    if (args[1].val >= 0.5)
        return OpenWebPage(args[0]);
    static CActionForward splashWeb("splash_show_web");
    RValue shown;
    const bool ok = splashWeb.Call(context, shown, {Text(args[0]), RValue(0.0)});
    Input_ClearAll();
    return ok;
}

BUILTIN(F_SplashSettings)
{
    static CActionForward caption("splash_set_caption"), fullscreen("splash_set_fullscreen"),
        inside("splash_set_main"), closeButton("splash_set_close_button"), stopKey("splash_set_stop_key"),
        stopMouse("splash_set_stop_mouse");
    const int64_t where = RoundToInteger(args[1].val);
    auto flag = [](bool on) { return RValue(on ? 1.0 : 0.0); };
    return caption.Call(context, {Text(args[0])}) && fullscreen.Call(context, {flag(where == 2)}) &&
           inside.Call(context, {flag(where == 0)}) &&
           closeButton.Call(context, {flag(RoundToInteger(args[2].val) == 0)}) &&
           stopKey.Call(context, {flag(RoundToInteger(args[3].val) == 0)}) &&
           stopMouse.Call(context, {flag(RoundToInteger(args[4].val) == 0)});
}

// ---- highscores ----

// A font text: name, size, colour, then the flags bold, italic, underline
// and strike-out, each set when its item is exactly "1".
struct RFontText {
    std::string name;
    double size = 0;
    bool bold = false, italic = false;
};

RFontText ParseFontText(const std::string& text)
{
    std::vector<std::string> items(1);
    for (char c : text) {
        if (c == ',')
            items.emplace_back();
        else
            items.back() += c;
    }
    RFontText font;
    font.name = items[0];
    if (items.size() > 1)
        font.size = std::atof(items[1].c_str());
    font.bold = items.size() > 3 && items[3] == "1";
    font.italic = items.size() > 4 && items[4] == "1";
    return font;
}

BUILTIN(F_HighscoreShow)
{
    static CActionForward setFont("highscore_set_font"), showExt("highscore_show_ext");
    const RFontText font = ParseFontText(args[4].kind == VALUE_STRING ? args[4].str.Text() : std::string());
    const double style = (font.bold ? 1 : 0) + (font.italic ? 2 : 0);
    const RValue name(RString(font.name)), size(font.size);
    bool ok = setFont.Call(context, {name, size, RValue(style)}) &&
              showExt.Call(context, {RValue(static_cast<double>(GameState.score)), args[0],
                                     RValue(RoundToInteger(args[1].val) == 1 ? 1.0 : 0.0), args[2], args[3], name,
                                     size});
    Input_ClearAll();
    return ok;
}

BUILTIN(F_HighscoreClear)
{
    static CActionForward clear("highscore_clear");
    return clear.Call(context, {});
}

// ---- saving, resources, the window ----

BUILTIN(F_SaveGame)
{
    static CActionForward save("game_save");
    return save.Call(context, {Text(args[0])});
}

BUILTIN(F_ReplaceSprite)
{
    const int32_t index = RoundToInt32(args[0].val);
    const CSprite* sprite = Sprites.Get(index);
    if (!sprite) {
        Error_ShowInEvent("Trying to replace non-existing resource.", false);
        return true;
    }
    if (!FileExists(args[1])) {
        Error_ShowInEvent("File does not exist.", false);
        return true;
    }
    if (EndsWithIgnoringCase(args[1].str.Text(), ".brspr")) {
        static CActionForward fromSpriteFile("sprite_replace_sprite");
        return fromSpriteFile.Call(context, {args[0], args[1]});
    }
    static CActionForward fromImage("sprite_replace");
    const double xorig = sprite->i_xorig, yorig = sprite->i_yorig;
    return fromImage.Call(context, {args[0], args[1], args[2], RValue(1.0), RValue(0.0), RValue(xorig), RValue(yorig)});
}

BUILTIN(F_ReplaceBackground)
{
    if (!Backgrounds.Exists(RoundToInt32(args[0].val))) {
        Error_ShowInEvent("Trying to replace non-existing resource.", false);
        return true;
    }
    if (!FileExists(args[1])) {
        Error_ShowInEvent("File does not exist.", false);
        return true;
    }
    if (EndsWithIgnoringCase(args[1].str.Text(), ".brbck")) {
        static CActionForward fromBackgroundFile("background_replace_background");
        return fromBackgroundFile.Call(context, {args[0], args[1]});
    }
    static CActionForward fromImage("background_replace");
    return fromImage.Call(context, {args[0], args[1], RValue(0.0), RValue(0.0)});
}

BUILTIN(F_Fullscreen)
{
    static CActionForward get("window_get_fullscreen"), set("window_set_fullscreen");
    const int64_t mode = RoundToInteger(args[0].val);
    bool full;
    if (mode == 1 || mode == 2) {
        full = mode == 2;
    } else {
        RValue now;
        if (!get.Call(context, now, {}))
            return false;
        full = now.val < 0.5;
    }
    return set.Call(context, {RValue(full ? 1.0 : 0.0)});
}

BUILTIN(F_Snapshot)
{
    static CActionForward save("screen_save");
    return save.Call(context, {Text(args[0])});
}

BUILTIN(F_SetCursor)
{
    static CActionForward setCursor("window_set_cursor");
    constexpr double kDefaultCursor = 0, kNoCursor = -1;
    GameState.cursorSprite = RoundToInt32(args[0].val);
    return setCursor.Call(context, {RValue(args[1].val >= 0.5 ? kDefaultCursor : kNoCursor)});
}

// ---- particles ----

// The actions' own particle system, and the types and emitters they name
// by a number 0..15; each is made on first use.
constexpr int kActionParticleSlots = 16;
struct RActionParticles {
    double system = -1;
    std::array<double, kActionParticleSlots> types;
    std::array<double, kActionParticleSlots> emitters;
    RActionParticles()
    {
        types.fill(-1);
        emitters.fill(-1);
    }
};
RActionParticles ActionParticles;

bool SlotOf(const RValue& value, size_t& slot)
{
    const int64_t k = RoundToInteger(value.val);
    if (k < 0 || k >= kActionParticleSlots)
        return false;
    slot = static_cast<size_t>(k);
    return true;
}

bool MadeSystem(CExecutionContext& context)
{
    static CActionForward exists("part_system_exists"), create("part_system_create");
    RValue answer;
    if (ActionParticles.system >= 0 && exists.Call(context, answer, {RValue(ActionParticles.system)}) &&
        answer.val >= 0.5)
        return true;
    if (!create.Call(context, answer, {}))
        return false;
    ActionParticles.system = answer.val;
    ActionParticles.emitters.fill(-1);
    return true;
}

// The type in slot, made when it does not exist yet; -1 for a bad slot.
double TypeOf(CExecutionContext& context, const RValue& value)
{
    static CActionForward exists("part_type_exists"), create("part_type_create");
    size_t slot;
    if (!SlotOf(value, slot))
        return -1;
    double& type = ActionParticles.types[slot];
    RValue answer;
    if (type >= 0 && exists.Call(context, answer, {RValue(type)}) && answer.val >= 0.5)
        return type;
    create.Call(context, answer, {});
    type = answer.val;
    return type;
}

BUILTIN(F_PartSystemCreate)
{
    static CActionForward depth("part_system_depth");
    return MadeSystem(context) && depth.Call(context, {RValue(ActionParticles.system), args[0]});
}

BUILTIN(F_PartSystemDestroy)
{
    static CActionForward destroy("part_system_destroy");
    if (ActionParticles.system < 0)
        return true;
    const bool ok = destroy.Call(context, {RValue(ActionParticles.system)});
    ActionParticles.system = -1;
    ActionParticles.emitters.fill(-1);
    return ok;
}

BUILTIN(F_PartSystemClear)
{
    static CActionForward clear("part_particles_clear");
    return ActionParticles.system < 0 || clear.Call(context, {RValue(ActionParticles.system)});
}

BUILTIN(F_PartTypeCreate)
{
    static CActionForward shape("part_type_shape"), sprite("part_type_sprite"), size("part_type_size");
    const double type = TypeOf(context, args[0]);
    if (type < 0)
        return true;
    const RValue t(type);
    bool ok = shape.Call(context, {t, args[1]});
    if (ok && args[2].val >= 0)
        ok = sprite.Call(context, {t, args[2], RValue(1.0), RValue(0.0), RValue(0.0)});
    return ok && size.Call(context, {t, args[3], args[4], args[5], RValue(0.0)});
}

BUILTIN(F_PartTypeCreateOld)
{
    static CActionForward shape("part_type_shape"), size("part_type_size"), color("part_type_color2");
    const double type = TypeOf(context, args[0]);
    if (type < 0)
        return true;
    const RValue t(type);
    return shape.Call(context, {t, args[1]}) && size.Call(context, {t, args[2], args[3], RValue(0.0), RValue(0.0)}) &&
           color.Call(context, {t, args[4], args[5]});
}

BUILTIN(F_PartTypeColor)
{
    static CActionForward mix("part_type_color_mix"), changing("part_type_color2"), alpha("part_type_alpha2");
    const double type = TypeOf(context, args[0]);
    if (type < 0)
        return true;
    const RValue t(type);
    CActionForward& color = RoundToInteger(args[1].val) == 0 ? mix : changing;
    return color.Call(context, {t, args[2], args[3]}) && alpha.Call(context, {t, args[4], args[5]});
}

BUILTIN(F_PartTypeLife)
{
    static CActionForward life("part_type_life");
    const double type = TypeOf(context, args[0]);
    return type < 0 || life.Call(context, {RValue(type), args[1], args[2]});
}

BUILTIN(F_PartTypeSpeed)
{
    static CActionForward speed("part_type_speed"), direction("part_type_direction");
    const double type = TypeOf(context, args[0]);
    if (type < 0)
        return true;
    const RValue t(type);
    return speed.Call(context, {t, args[1], args[2], RValue(-args[5].val), RValue(0.0)}) &&
           direction.Call(context, {t, args[3], args[4], RValue(0.0), RValue(0.0)});
}

BUILTIN(F_PartTypeGravity)
{
    static CActionForward gravity("part_type_gravity");
    const double type = TypeOf(context, args[0]);
    return type < 0 || gravity.Call(context, {RValue(type), args[1], args[2]});
}

BUILTIN(F_PartTypeSecondary)
{
    static CActionForward step("part_type_step"), death("part_type_death");
    const double type = TypeOf(context, args[0]);
    if (type < 0)
        return true;
    const double stepType = TypeOf(context, args[1]), deathType = TypeOf(context, args[3]);
    return step.Call(context, {RValue(type), args[2], RValue(stepType)}) &&
           death.Call(context, {RValue(type), args[4], RValue(deathType)});
}

BUILTIN(F_PartEmitterCreate)
{
    static CActionForward create("part_emitter_create"), exists("part_emitter_exists"),
        region("part_emitter_region");
    size_t slot;
    if (!SlotOf(args[0], slot) || !MadeSystem(context))
        return true;
    const RValue system(ActionParticles.system);
    double& emitter = ActionParticles.emitters[slot];
    RValue answer;
    if (emitter < 0 || !exists.Call(context, answer, {system, RValue(emitter)}) || answer.val < 0.5) {
        if (!create.Call(context, answer, {system}))
            return false;
        emitter = answer.val;
    }
    return region.Call(context, {system, RValue(emitter), RValue(Action_X(context, args[2])),
                                 RValue(Action_X(context, args[3])), RValue(Action_Y(context, args[4])),
                                 RValue(Action_Y(context, args[5])), args[1], RValue(0.0)});
}

BUILTIN(F_PartEmitterDestroy)
{
    static CActionForward destroy("part_emitter_destroy");
    size_t slot;
    if (!SlotOf(args[0], slot) || ActionParticles.system < 0 || ActionParticles.emitters[slot] < 0)
        return true;
    const bool ok = destroy.Call(context, {RValue(ActionParticles.system), RValue(ActionParticles.emitters[slot])});
    ActionParticles.emitters[slot] = -1;
    return ok;
}

template <bool Stream>
bool F_PartEmit(CExecutionContext& context, RValue&, int, RValue* args)
{
    static CActionForward burst("part_emitter_burst"), stream("part_emitter_stream");
    size_t slot;
    if (!SlotOf(args[0], slot))
        return true;
    if (ActionParticles.system < 0 || ActionParticles.emitters[slot] < 0) {
        Error_ShowInEvent("The particle emitter must first be created.", false);
        return true;
    }
    const double type = TypeOf(context, args[1]);
    return (Stream ? stream : burst)
        .Call(context, {RValue(ActionParticles.system), RValue(ActionParticles.emitters[slot]), RValue(type), args[2]});
}

BUILTIN(F_Effect)
{
    static CActionForward below("effect_create_below"), above("effect_create_above");
    const RValue x(Action_X(context, args[1])), y(Action_Y(context, args[2]));
    return (args[5].val < 0.5 ? below : above).Call(context, {args[0], x, y, args[3], args[4]});
}

} // namespace

void World_ImplementForwardingActionFunctions()
{
    Function_Implement("action_message", &F_Message);
    Function_Implement("action_if_question", &F_IfQuestion);
    Function_Implement("action_show_info", &F_ShowInfo);
    Function_Implement("action_show_video", &F_ShowVideo);
    Function_Implement("action_splash_video", &F_SplashVideo);
    Function_Implement("action_splash_text", &F_SplashText);
    Function_Implement("action_splash_image", &F_SplashImage);
    Function_Implement("action_splash_web", &F_SplashWeb);
    Function_Implement("action_splash_settings", &F_SplashSettings);
    Function_Implement("action_webpage", &F_WebPage);
    Function_Implement("action_highscore_show", &F_HighscoreShow);
    Function_Implement("action_highscore_clear", &F_HighscoreClear);
    Function_Implement("action_save_game", &F_SaveGame);
    Function_Implement("action_replace_sprite", &F_ReplaceSprite);
    Function_Implement("action_replace_background", &F_ReplaceBackground);
    Function_Implement("action_fullscreen", &F_Fullscreen);
    Function_Implement("action_snapshot", &F_Snapshot);
    Function_Implement("action_set_cursor", &F_SetCursor);
    Function_Implement("action_partsyst_create", &F_PartSystemCreate);
    Function_Implement("action_partsyst_destroy", &F_PartSystemDestroy);
    Function_Implement("action_partsyst_clear", &F_PartSystemClear);
    Function_Implement("action_parttype_create", &F_PartTypeCreate);
    Function_Implement("action_parttype_create_old", &F_PartTypeCreateOld);
    Function_Implement("action_parttype_color", &F_PartTypeColor);
    Function_Implement("action_parttype_life", &F_PartTypeLife);
    Function_Implement("action_parttype_speed", &F_PartTypeSpeed);
    Function_Implement("action_parttype_gravity", &F_PartTypeGravity);
    Function_Implement("action_parttype_secondary", &F_PartTypeSecondary);
    Function_Implement("action_partemit_create", &F_PartEmitterCreate);
    Function_Implement("action_partemit_destroy", &F_PartEmitterDestroy);
    Function_Implement("action_partemit_burst", &F_PartEmit<false>);
    Function_Implement("action_partemit_stream", &F_PartEmit<true>);
    Function_Implement("action_effect", &F_Effect);
}
