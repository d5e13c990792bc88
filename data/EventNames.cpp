// Event, key, mouse and other-event names in both directions.
#include "data/EventNames.h"

#include "data/Event.h"

#include <cctype>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

using RNamed = std::pair<const char*, int32_t>;

const std::vector<RNamed>& KeyNames()
{
    static const std::vector<RNamed> names = [] {
        std::vector<RNamed> v = {
            {"vk_nokey", 0},      {"vk_anykey", 1},      {"vk_backspace", 8},  {"vk_tab", 9},
            {"vk_enter", 13},     {"vk_return", 13},     {"vk_shift", 16},     {"vk_control", 17},
            {"vk_alt", 18},       {"vk_pause", 19},      {"vk_escape", 27},    {"vk_space", 32},
            {"vk_pageup", 33},    {"vk_pagedown", 34},   {"vk_end", 35},       {"vk_home", 36},
            {"vk_left", 37},      {"vk_up", 38},         {"vk_right", 39},     {"vk_down", 40},
            {"vk_printscreen", 44}, {"vk_insert", 45},   {"vk_delete", 46},    {"vk_multiply", 106},
            {"vk_add", 107},      {"vk_subtract", 109},  {"vk_decimal", 110},  {"vk_divide", 111},
            {"vk_lshift", 160},   {"vk_rshift", 161},    {"vk_lcontrol", 162}, {"vk_rcontrol", 163},
            {"vk_lalt", 164},     {"vk_ralt", 165},
        };
        static const char* numpad[] = {"vk_numpad0", "vk_numpad1", "vk_numpad2", "vk_numpad3", "vk_numpad4",
                                       "vk_numpad5", "vk_numpad6", "vk_numpad7", "vk_numpad8", "vk_numpad9"};
        for (int k = 0; k < 10; ++k)
            v.emplace_back(numpad[k], 96 + k);
        static const char* functionKeys[] = {"vk_f1", "vk_f2", "vk_f3", "vk_f4",  "vk_f5",  "vk_f6",
                                             "vk_f7", "vk_f8", "vk_f9", "vk_f10", "vk_f11", "vk_f12"};
        for (int k = 0; k < 12; ++k)
            v.emplace_back(functionKeys[k], 112 + k);
        return v;
    }();
    return names;
}

const std::vector<RNamed>& MouseNames()
{
    static const std::vector<RNamed> names = [] {
        std::vector<RNamed> v = {
            {"left_button", 0},          {"right_button", 1},          {"middle_button", 2},
            {"no_button", 3},            {"left_press", 4},            {"right_press", 5},
            {"middle_press", 6},         {"left_release", 7},          {"right_release", 8},
            {"middle_release", 9},       {"mouse_enter", 10},          {"mouse_leave", 11},
            {"global_press", 12},        {"global_release", 13},       {"joystick1_left", 16},
            {"joystick1_right", 17},     {"joystick1_up", 18},         {"joystick1_down", 19},
            {"joystick2_left", 31},      {"joystick2_right", 32},      {"joystick2_up", 33},
            {"joystick2_down", 34},      {"global_left_button", 50},   {"global_right_button", 51},
            {"global_middle_button", 52}, {"global_left_press", 53},   {"global_right_press", 54},
            {"global_middle_press", 55}, {"global_left_release", 56},  {"global_right_release", 57},
            {"global_middle_release", 58}, {"mouse_wheel_up", 60},     {"mouse_wheel_down", 61},
        };
        static const char* j1[] = {"joystick1_button1", "joystick1_button2", "joystick1_button3", "joystick1_button4",
                                   "joystick1_button5", "joystick1_button6", "joystick1_button7", "joystick1_button8"};
        static const char* j2[] = {"joystick2_button1", "joystick2_button2", "joystick2_button3", "joystick2_button4",
                                   "joystick2_button5", "joystick2_button6", "joystick2_button7", "joystick2_button8"};
        for (int k = 0; k < 8; ++k) {
            v.emplace_back(j1[k], 21 + k);
            v.emplace_back(j2[k], 36 + k);
        }
        return v;
    }();
    return names;
}

const std::vector<RNamed>& OtherNames()
{
    static const std::vector<RNamed> names = [] {
        std::vector<RNamed> v = {
            {"outside", 0},       {"boundary", 1},      {"game_start", 2},    {"game_end", 3},
            {"room_start", 4},    {"room_end", 5},      {"no_more_lives", 6}, {"animation_end", 7},
            {"end_of_path", 8},   {"no_more_health", 9}, {"close_button", 30},
        };
        static const char* users[] = {"user0",  "user1",  "user2",  "user3",  "user4",  "user5",  "user6",  "user7",
                                      "user8",  "user9",  "user10", "user11", "user12", "user13", "user14", "user15"};
        for (int k = 0; k < 16; ++k)
            v.emplace_back(users[k], 10 + k);
        static const char* outside[] = {"outside_view0", "outside_view1", "outside_view2", "outside_view3",
                                        "outside_view4", "outside_view5", "outside_view6", "outside_view7"};
        static const char* boundary[] = {"boundary_view0", "boundary_view1", "boundary_view2", "boundary_view3",
                                         "boundary_view4", "boundary_view5", "boundary_view6", "boundary_view7"};
        for (int k = 0; k < 8; ++k) {
            v.emplace_back(outside[k], 40 + k);
            v.emplace_back(boundary[k], 50 + k);
        }
        return v;
    }();
    return names;
}

const std::vector<RNamed> kStepNames = {{"step", 0}, {"begin_step", 1}, {"end_step", 2}};

// The type words in the order of the event types.
const char* const kTypeWords[kEventTypeCount] = {"create", "destroy",  "alarm", "step",     "collision",  "keyboard",
                                                 "mouse",  "other",    "draw",  "keypress", "keyrelease", "trigger"};

bool ParseNumber(const std::string& text, int32_t& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    value = static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
    return true;
}

int32_t FindNamed(const std::vector<RNamed>& names, const std::string& text)
{
    for (const RNamed& n : names)
        if (text == n.first)
            return n.second;
    return -1;
}

const char* NameOf(const std::vector<RNamed>& names, int32_t value)
{
    for (const RNamed& n : names)
        if (n.second == value)
            return n.first;
    return nullptr;
}

} // namespace

int32_t ParseKeyName(const std::string& text)
{
    int32_t value = FindNamed(KeyNames(), text);
    if (value >= 0)
        return value;
    if (text.size() == 1) {
        unsigned char c = static_cast<unsigned char>(text[0]);
        if (std::isdigit(c) || std::isupper(c))
            return c;
        if (std::islower(c))
            return std::toupper(c);
    }
    if (ParseNumber(text, value) && value <= 255)
        return value;
    return -1;
}

std::string FormatKeyName(int32_t key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (const char* name = NameOf(KeyNames(), key))
        return name;
    return std::to_string(key);
}

bool ParseEventName(const std::string& text, const EventTargetLookup& lookup, int32_t& etype, int32_t& enumb,
                    std::string& error)
{
    std::string word = text, inner;
    bool bracketed = false;
    size_t open = text.find('[');
    if (open != std::string::npos) {
        if (text.back() != ']') {
            error = "an event name ends with ']' after its argument, as in \"alarm[0]\"";
            return false;
        }
        word = text.substr(0, open);
        inner = text.substr(open + 1, text.size() - open - 2);
        bracketed = true;
    }
    int32_t step = FindNamed(kStepNames, word);
    if (step >= 0 && !bracketed) {
        etype = kEventStep;
        enumb = step;
        return true;
    }
    etype = -1;
    for (int32_t t = 0; t < kEventTypeCount; ++t)
        if (word == kTypeWords[t])
            etype = t;
    if (etype < 0) {
        error = "unknown event \"" + word +
                "\" (events: create, destroy, alarm[N], step, begin_step, end_step, collision[OBJECT], "
                "keyboard[KEY], keypress[KEY], keyrelease[KEY], mouse[NAME], other[NAME], draw, trigger[TRIGGER])";
        return false;
    }
    bool wantsArgument = etype != kEventCreate && etype != kEventDestroy && etype != kEventDraw;
    if (!wantsArgument) {
        enumb = 0;
        if (bracketed && inner != "0") {
            error = "\"" + word + "\" takes no argument";
            return false;
        }
        return true;
    }
    if (!bracketed) {
        if (etype == kEventStep) {
            enumb = 0;
            return true;
        }
        error = "\"" + word + "\" needs an argument in brackets, as in \"" + word + "[...]\"";
        return false;
    }
    switch (etype) {
    case kEventAlarm:
        if (!ParseNumber(inner, enumb) || enumb > 11) {
            error = "alarms are numbered 0 to 11";
            return false;
        }
        return true;
    case kEventKeyboard:
    case kEventKeyPress:
    case kEventKeyRelease:
        enumb = ParseKeyName(inner);
        if (enumb < 0) {
            error = "unknown key \"" + inner + "\" (a vk_ name, a letter, a digit or a key code 0 to 255)";
            return false;
        }
        return true;
    case kEventMouse:
    case kEventOther: {
        enumb = FindNamed(etype == kEventMouse ? MouseNames() : OtherNames(), inner);
        if (enumb >= 0 || ParseNumber(inner, enumb))
            return true;
        error = "unknown " + word + " event \"" + inner + "\"";
        return false;
    }
    case kEventStep:
        enumb = FindNamed(kStepNames, inner);
        if (enumb >= 0 || ParseNumber(inner, enumb))
            return true;
        error = "unknown step event \"" + inner + "\"";
        return false;
    default: // collision and trigger name a resource
        if (ParseNumber(inner, enumb))
            return true;
        enumb = lookup ? lookup(etype, inner) : -1;
        if (enumb >= 0)
            return true;
        error = std::string(etype == kEventCollision ? "no object" : "no trigger") + " named \"" + inner + "\"";
        return false;
    }
}

std::string FormatEventName(int32_t etype, int32_t enumb, const EventTargetName& name)
{
    if (etype < 0 || etype >= kEventTypeCount)
        return "event" + std::to_string(etype) + "[" + std::to_string(enumb) + "]";
    std::string word = kTypeWords[etype];
    const char* known = nullptr;
    switch (etype) {
    case kEventCreate:
    case kEventDestroy:
    case kEventDraw:
        return enumb == 0 ? word : word + "[" + std::to_string(enumb) + "]";
    case kEventStep:
        if ((known = NameOf(kStepNames, enumb)))
            return known;
        break;
    case kEventKeyboard:
    case kEventKeyPress:
    case kEventKeyRelease:
        return word + "[" + FormatKeyName(enumb) + "]";
    case kEventMouse:
        known = NameOf(MouseNames(), enumb);
        break;
    case kEventOther:
        known = NameOf(OtherNames(), enumb);
        break;
    case kEventCollision:
    case kEventTrigger: {
        std::string target = name ? name(etype, enumb) : std::string();
        if (!target.empty())
            return word + "[" + target + "]";
        break;
    }
    default:
        break;
    }
    return word + "[" + (known ? std::string(known) : std::to_string(enumb)) + "]";
}
