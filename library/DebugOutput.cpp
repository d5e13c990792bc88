// show_debug_message: how games report what they are doing. The line goes to
// standard output (and to the debug window's list, when there is one).
#include "library/DebugOutput.h"

#include "code/FunctionCatalogue.h"
#include "library/RealText.h"

#include <cstdio>

namespace {

DebugMessageSink Sink;

bool F_ShowDebugMessage(CExecutionContext&, RValue&, int, RValue* args)
{
    std::string text = args[0].kind == VALUE_STRING ? args[0].str.Text() : FormatRealForString(args[0].val);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    if (Sink)
        Sink(text);
    return true;
}

} // namespace

void Debug_SetMessageSink(DebugMessageSink sink)
{
    Sink = std::move(sink);
}

void Library_ImplementDebugOutput()
{
    Function_Implement("show_debug_message", &F_ShowDebugMessage);
}
