// Reading actions: code actions, and any action given by library id,
// action id and its stored fields.
#include "tools/pack/ActionReader.h"

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

CAction ReadAction(CReaderContext& context, CManifestTable& table)
{
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
    std::string who = table.GetString("applies_to", "self");
    if (who == "self")
        action.act_who = kApplySelf;
    else if (who == "other")
        action.act_who = kApplyOther;
    else
        action.act_who = context.GetReference(table, "applies_to", EResourceKind::Object);

    std::vector<std::string> arguments = GetStrings(context, table, "arguments");
    std::vector<int32_t> types = GetIntegerList(table, "argument_types");
    if (arguments.size() > CAction::kMaxArguments)
        table.Fail("arguments", "an action has at most 8 arguments");
    if (types.size() > CAction::kMaxArguments)
        table.Fail("argument_types", "an action has at most 8 arguments");
    if (table.Has("argument_types") && types.size() != arguments.size())
        table.Fail("argument_types", "give one type for each argument");
    types.resize(arguments.size(), 0); // expressions unless said otherwise
    action.act_argumentcount = static_cast<int32_t>(arguments.size());
    action.act_argtypecount = static_cast<int32_t>(types.size());
    action.act_argstringcount = static_cast<int32_t>(arguments.size());
    for (size_t k = 0; k < arguments.size(); ++k) {
        action.act_argstring[k] = arguments[k];
        action.act_argtype[k] = types[k];
    }
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
