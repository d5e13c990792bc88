// Sanitizer settings and keeping system libraries loaded.
#include "platform/LeakCheck.h"

#if defined(__SANITIZE_ADDRESS__)
#define BRINDLE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRINDLE_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef BRINDLE_ADDRESS_SANITIZER
#include <dlfcn.h>
#include <link.h>

void Platform_KeepLoadedLibraries()
{
    // A library opened again with RTLD_NODELETE is never unloaded: the
    // driver's own dlclose at the end leaves its code and data in place.
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name && info->dlpi_name[0])
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

// The sanitizer runtimes ask for these by name (the build makes every
// program link them in).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n"
           "leak:libfontconfig.so\n";
}

// Standard error stays the game's: a clean run prints nothing of its own.
extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}

extern "C" const char* __ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}
#else
void Platform_KeepLoadedLibraries() {}
#endif
