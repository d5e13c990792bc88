// The script queries of a running game: existence, name and code text.
// (script_execute runs with the code at run time.)
#include "world/ResourceFunctions.h"

#include "code/FunctionCatalogue.h"
#include "data/Resources.h"
#include "data/Script.h"
#include "world/ResourceRoutines.h"

namespace {

BUILTIN(GetText)
{
    const CScript* script = Scripts.Get(RoundToInt32(args[0].val));
    result = RValue(script ? script->s_text : std::string());
    return true;
}

} // namespace

void World_ImplementScriptResourceFunctions()
{
    Resource_ImplementCommon<CScript, &CGameResources::Scripts>("script");
    Function_Implement("script_get_text", &GetText);
}
