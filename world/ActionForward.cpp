// Forwarding an action to the built-in function that does its work.
#include "world/ActionForward.h"

#include "code/ArgumentVariables.h"
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "world/Instance.h"

#include <string>
#include <string_view>

bool CActionForward::Call(CExecutionContext& context, RValue& result, std::initializer_list<RValue> arguments)
{
    // The table is filled at start-up; the number found on the first call is
    // kept while it still names this function (tests refill the table).
    const RFunction* function = Function_Get(f_number);
    if (!function || std::string_view(function->f_name) != f_name) {
        if (!Function_FindBuiltin(f_name, f_number))
            f_number = -1;
        function = Function_Get(f_number);
    }
    result = RValue();
    if (!function || !function->f_routine) {
        Error_ShowInEvent(Function_MissingRoutineMessage(f_name), false);
        return true;
    }
    RValue args[kMaxCallArguments];
    int count = 0;
    for (const RValue& value : arguments)
        args[count++] = value;
    return function->f_routine(context, result, count, args);
}

double Action_Relative(double value, double current)
{
    return ArgumentRelative ? current + value : value;
}

double Action_X(CExecutionContext& context, const RValue& x)
{
    return ArgumentRelative ? x.val + context.Self()->i_x : x.val;
}

double Action_Y(CExecutionContext& context, const RValue& y)
{
    return ArgumentRelative ? y.val + context.Self()->i_y : y.val;
}
