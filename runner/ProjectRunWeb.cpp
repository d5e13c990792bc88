// The browser build has no builder in it (a page gets its game packed by
// brindle-pack --web), so a project folder given to the page's runner is
// refused with the way to run it instead.
#include "runner/ProjectRun.h"

#include <cstdio>

bool Runner_PackProject(const std::string& folder, std::vector<uint8_t>&)
{
    std::fprintf(stderr, "brindle-run: %s is a project folder, which a browser cannot run: pack it with brindle-pack --web\n",
                 folder.c_str());
    return false;
}

void Runner_TellErrorPlace()
{
}
