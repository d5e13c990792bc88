// The entries that are mostly code: [[script]], [[trigger]], [[constant]]
// and [[library_init]].
#include "data/Script.h"
#include "data/Trigger.h"
#include "platform/Files.h"
#include "tools/pack/ReaderContext.h"

#include <charconv>

void ReadScripts(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    context.ReadEntries(context.Resources().Scripts, entries, [&](CManifestTable& table, const std::string& name, int) {
        auto script = std::make_unique<CScript>();
        bool given = false;
        script->s_text = context.GetCode(table, "code", &given);
        if (!given) {
            // The conventional place of a script's code.
            std::string relative = "scripts/" + name + ".brs";
            std::vector<uint8_t> bytes;
            if (!Platform_ReadWholeFile(context.HostPath(relative), bytes))
                table.FailHere("script \"" + name + "\" has no code: give code, code_file, or write " + relative);
            script->s_text.assign(bytes.begin(), bytes.end());
            context.Project().CodeOrigins.Add(script->s_text,
                                              RCodeOrigin{context.Project().ShownFolder + "/" + relative, 1, 1, true});
        }
        table.Finish();
        return script;
    });
}

void ReadTriggers(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    context.ReadEntries(context.Resources().Triggers, entries, [&](CManifestTable& table, const std::string& name, int) {
        auto trigger = std::make_unique<CTrigger>();
        trigger->i_name = name;
        trigger->i_condition = context.GetCode(table, "condition");
        trigger->i_moment = table.GetChoice("moment", {"step", "begin_step", "end_step"}, kTriggerStep);
        trigger->i_constname = table.GetString("constant", std::string());
        table.Finish();
        return trigger;
    });
}

void ReadConstants(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    for (CManifestTable& table : entries) {
        RConstant constant;
        constant.name = table.GetString("name", std::string());
        if (constant.name.empty())
            table.FailHere("a constant needs a name");
        context.NoteOrigin(constant.name, table, *table.GetNode("name"));
        const toml::node* value = table.GetNode("value");
        if (!value)
            table.FailHere("constant \"" + constant.name + "\" needs a value");
        if (value->is_string()) {
            constant.value = value->as_string()->get();
            context.NoteOrigin(constant.value, table, *value);
        } else if (value->is_integer())
            constant.value = std::to_string(value->as_integer()->get());
        else if (value->is_floating_point()) {
            char text[32];
            auto end = std::to_chars(text, text + sizeof text, value->as_floating_point()->get()).ptr;
            constant.value.assign(text, end);
        } else if (value->is_boolean())
            constant.value = value->as_boolean()->get() ? "1" : "0";
        else
            table.Fail("value", "expected an expression text, a number or true/false");
        table.Finish();
        context.Resources().Constants.push_back(std::move(constant));
    }
}

void ReadLibraryInitCode(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    for (CManifestTable& table : entries) {
        context.Resources().LibraryInitCode.push_back(context.GetCode(table, "code"));
        table.Finish();
    }
}
