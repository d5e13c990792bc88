// Which module supplies what, in one place.
#include "runner/Registration.h"

#include "code/ArgumentVariables.h"
#include "code/BuiltinConstants.h"
#include "code/Constants.h"
#include "code/FunctionCatalogue.h"
#include "code/RuntimeCodeFunctions.h"
#include "code/VariableCatalogue.h"
#include "dialogs/Dialogs.h"
#include "graphics/Graphics.h"
#include "library/DataStructures.h"
#include "library/DebugOutput.h"
#include "library/MathFunctions.h"
#include "library/MiscFunctions.h"
#include "motion/Motion.h"
#include "multiplayer/Multiplayer.h"
#include "particles/Particles.h"
#include "runner/IncludedFiles.h"
#include "sound/Sound.h"
#include "system/ExternalFunctions.h"
#include "system/FileFunctions.h"
#include "world/ActionFunctions.h"
#include "world/GameVariables.h"
#include "world/Input.h"
#include "world/InstanceLife.h"
#include "world/InstanceVariables.h"
#include "world/ResourceFunctions.h"
#include "world/RoomFunctions.h"
#include "world/SaveGame.h"

bool Runner_RegisterTables(std::string& problem)
{
    Code_ImplementArgumentVariables();
    Code_ImplementRuntimeCodeFunctions();
    World_ImplementInstanceVariables();
    World_ImplementGameVariables();
    World_ImplementInstanceFunctions();
    World_ImplementRoomFunctions();
    World_ImplementResourceFunctions();
    World_ImplementSaveFunctions();
    World_ImplementInputFunctions();
    World_ImplementActionFunctions();
    World_ImplementForwardingActionFunctions();
    Runner_ImplementIncludedFileFunctions();
    System_ImplementFileFunctions();
    System_ImplementExternalFunctions();
    Graphics_RegisterFunctions();
    Sound_RegisterFunctions();
    Motion_RegisterFunctions();
    Library_RegisterMath();
    Library_ImplementDebugOutput();
    Library_RegisterDataStructures();
    Library_RegisterMiscFunctions();
    Multiplayer_ImplementFunctions();
    Dialogs_RegisterFunctions();
    Particles_RegisterFunctions();

    std::string missing;
    if (!Function_RegisterAll(&missing)) {
        problem = "functions outside the catalogue: " + missing;
        return false;
    }
    // Every built-in a game can call is there: none is left to fail at its
    // first call in the middle of a game.
    const std::string unsupplied = Function_Unsupplied();
    if (!unsupplied.empty()) {
        problem = "functions without a routine: " + unsupplied;
        return false;
    }
    if (!Variable_RegisterAll(&missing)) {
        problem = "variables outside the catalogue: " + missing;
        return false;
    }
    Constant_Clear();
    Constant_AddBuiltins();
    return true;
}

std::string Runner_ListFunctions()
{
    std::string out;
    for (int32_t k = 0; k < Function_Count(); ++k) {
        const RFunction* function = Function_Get(k);
        out += std::string(function->f_name) + "\t" + std::to_string(function->f_argnumb) + "\t" +
               (function->f_routine ? "implemented" : "not implemented") + "\n";
    }
    return out;
}
