// Reading actions: code actions, library actions by name, and any action
// given by library id, action id and its stored fields.
#include "tools/pack/ActionReader.h"

#include "data/ActionLibrary.h"

namespace {

// Each text's place goes into the code origins: arguments are code.
std::vector<std::string> GetStrings(CReaderContext& context, CManifestTable& table, const std::string& key)
{
    std::vector<std::string> values;
    const toml::node* node = table.GetNode(key);
    if (!node)
        return values;
    const toml::array* array = node->as_array();
    if (!array)
        table.Fail(key, "expected a list of texts");
    for (const toml::node& item : *array) {
        if (item.is_string()) {
            values.push_back(item.as_string()->get());
            context.NoteOrigin(values.back(), table, item);
        }
        else if (item.is_integer())
            values.push_back(std::to_string(item.as_integer()->get()));
        else
            table.Fail(key, "expected a list of texts");
    }
    return values;
}

std::vector<int32_t> GetIntegerList(CManifestTable& table, const std::string& key)
{
    std::vector<int32_t> values;
    const toml::node* node = table.GetNode(key);
    if (!node)
        return values;
    const toml::array* array = node->as_array();
    if (!array)
        table.Fail(key, "expected a list of whole numbers");
    for (const toml::node& item : *array) {
        if (!item.is_integer())
            table.Fail(key, "expected a list of whole numbers");
        values.push_back(static_cast<int32_t>(item.as_integer()->get()));
    }
    return values;
}

// Whom the action applies to: "self", "other" or an object's name.
int32_t ReadAppliesTo(CReaderContext& context, CManifestTable& table)
{
    std::string who = table.GetString("applies_to", "self");
    if (who == "self")
        return kApplySelf;
    if (who == "other")
        return kApplyOther;
    return context.GetReference(table, "applies_to", EResourceKind::Object);
}

void SetArguments(CAction& action, const std::vector<std::string>& arguments, const std::vector<int32_t>& types)
{
    action.act_argumentcount = static_cast<int32_t>(arguments.size());
    action.act_argtypecount = static_cast<int32_t>(types.size());
    action.act_argstringcount = static_cast<int32_t>(arguments.size());
    for (size_t k = 0; k < arguments.size(); ++k) {
        action.act_argstring[k] = arguments[k];
        action.act_argtype[k] = types[k];
    }
}

// An action of the standard library named as authors know it: everything
// but its arguments, options and target comes from the library's table.
CAction ReadNamedAction(CReaderContext& context, CManifestTable& table)
{
    const std::string name = table.GetString("action", std::string());
    const RLibraryAction* entry = ActionLibrary_Find(name);
    if (!entry)
        table.Fail("action", "there is no library action \"" + name + "\" (the README lists them)");
    CAction action;
    if (entry->kind == kActionCode) {
        bool given = false;
        action = CAction::MakeCode(context.GetCode(table, "code", &given));
        if (!given)
            table.FailHere("a code action needs code or code_file");
    } else {
        action.act_libid = entry->libid;
        action.act_id = entry->id;
        action.act_kind = entry->kind;
        action.act_exetype = entry->exetype;
        action.act_functionname = entry->function;
        action.act_isquestion = entry->question;
        action.act_userelative = entry->relative;
        action.act_useapplyto = entry->appliesTo;
        std::vector<std::string> arguments = GetStrings(context, table, "arguments");
        if (arguments.size() != entry->arguments.size())
            table.Fail("arguments", "\"" + name + "\" takes " + std::to_string(entry->arguments.size()) +
                                        " arguments, not " + std::to_string(arguments.size()));
        SetArguments(action, arguments, entry->arguments);
    }
    action.act_relative = table.GetBool("relative", false);
    if (action.act_relative && !entry->relative)
        table.Fail("relative", "\"" + name + "\" has no relative option");
    action.act_isnot = table.GetBool("not", false);
    if (action.act_isnot && !entry->question)
        table.Fail("not", "\"" + name + "\" is not a question");
    action.act_who = ReadAppliesTo(context, table);
    if (action.act_who != kApplySelf && !entry->appliesTo)
        table.Fail("applies_to", "\"" + name + "\" always applies to self");
    table.Finish();
    return action;
}

CAction ReadAction(CReaderContext& context, CManifestTable& table)
{
    if (table.Has("action"))
        return ReadNamedAction(context, table);
    // Without a library and an id, an action is a piece of code.
    if (!table.Has("library") && !table.Has("id")) {
        bool given = false;
        std::string code = context.GetCode(table, "code", &given);
        if (!given)
            table.FailHere("an action is code (code or code_file) or names its library and id");
        table.Finish();
        return CAction::MakeCode(code);
    }
    CAction action;
    action.act_libid = static_cast<int32_t>(table.GetInteger("library", 0));
    action.act_id = static_cast<int32_t>(table.GetInteger("id", 0));
    action.act_kind =
        table.GetChoice("kind", {"normal", "begin", "end", "else", "exit", "repeat", "variable", "code"}, 0);
    action.act_functionname = table.GetString("function", std::string());
    if (!action.act_functionname.empty())
        context.NoteOrigin(action.act_functionname, table, *table.GetNode("function"));
    bool hasCode = false;
    action.act_codestring = context.GetCode(table, "code", &hasCode);
    int fallback = !action.act_functionname.empty() ? kExecuteFunction : hasCode ? kExecuteCode : kExecuteNone;
    action.act_exetype = table.GetChoice("execute", {"none", "function", "code"}, fallback);
    action.act_isquestion = table.GetBool("question", false);
    action.act_isnot = table.GetBool("not", false);
    action.act_relative = table.GetBool("relative", false);
    action.act_userelative = table.GetBool("offers_relative", action.act_relative);
    action.act_useapplyto = table.GetBool("offers_applies_to", false);
    action.act_who = ReadAppliesTo(context, table);

    std::vector<std::string> arguments = GetStrings(context, table, "arguments");
    std::vector<int32_t> types = GetIntegerList(table, "argument_types");
    if (arguments.size() > CAction::kMaxArguments)
        table.Fail("arguments", "an action has at most 8 arguments");
    if (types.size() > CAction::kMaxArguments)
        table.Fail("argument_types", "an action has at most 8 arguments");
    if (table.Has("argument_types") && types.size() != arguments.size())
        table.Fail("argument_types", "give one type for each argument");
    types.resize(arguments.size(), 0); // expressions unless said otherwise
    SetArguments(action, arguments, types);
    table.Finish();
    return action;
}

} // namespace

void ReadActionList(CReaderContext& context, CManifestTable& table, CEvent& event)
{
    event.Clear();
    bool hasCode = false;
    std::string code = context.GetCode(table, "code", &hasCode);
    std::vector<CManifestTable> actions = table.GetTableArray("action");
    if (hasCode && !actions.empty())
        table.Fail("action", "give either code or a list of actions, not both");
    if (hasCode)
        event.e_actions.push_back(CAction::MakeCode(code));
    for (CManifestTable& action : actions)
        event.e_actions.push_back(ReadAction(context, action));
}
