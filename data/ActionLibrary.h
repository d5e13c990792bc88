// The standard action library: every action an author can name, with the
// library and action id it is filed under, its kind, how it executes, the
// function it calls and the kinds of its arguments. The builder fills named
// actions from it and --dump names the actions it finds in it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Argument kinds. Strings (1) and font texts (15) are taken literally; a
// string-or-expression (2) is an expression when it starts with a quote;
// every other kind is compiled as an expression.
enum EActionArgument : int32_t {
    kArgExpression = 0,
    kArgString = 1,
    kArgStringOrExpression = 2,
    kArgBoolean = 3,
    kArgMenu = 4,
    kArgSprite = 5,
    kArgSound = 6,
    kArgBackground = 7,
    kArgPath = 8,
    kArgScript = 9,
    kArgObject = 10,
    kArgRoom = 11,
    kArgFont = 12,
    kArgColor = 13,
    kArgTimeLine = 14,
    kArgFontText = 15,
};

struct RLibraryAction {
    const char* name;       // as authors write it: "set_motion"
    int32_t libid;
    int32_t id;
    int32_t kind;           // EActionKind
    int32_t exetype;        // EActionExecute
    std::string function;   // the action_ function called, or ""
    bool question;
    bool relative;          // offers the relative option
    bool appliesTo;         // offers the applies-to choice
    std::vector<int32_t> arguments; // one EActionArgument each
};

const std::vector<RLibraryAction>& ActionLibrary_All();
const RLibraryAction* ActionLibrary_Find(std::string_view name);
const RLibraryAction* ActionLibrary_Find(int32_t libid, int32_t id);
