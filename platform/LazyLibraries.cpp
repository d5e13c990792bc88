// Opening the heavy shared libraries on first use: the stand-ins of their
// functions (written in assembly, one jump each), the resolver the first
// call of each goes through, and the table of libraries with their names
// as the build found them (BRINDLE_SONAME_...).
#include "platform/LazyLibraries.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <atomic>
#include <mutex>
#include <vector>

#ifndef __EMSCRIPTEN__

bool Platform_OpenLibraryTable(const char* soname, RLazySymbol* const* symbols, size_t count, std::string& error)
{
    // Lazy binding inside the library too: of its own imports, only those
    // it calls get looked up.
    void* handle = ::dlopen(soname, RTLD_LAZY | RTLD_LOCAL);
    if (!handle) {
        const char* reason = ::dlerror();
        error = std::string("the library ") + soname + " cannot be loaded" + (reason ? std::string(": ") + reason : "");
        return false;
    }
    std::vector<void*> found(count);
    for (size_t k = 0; k < count; ++k) {
        found[k] = ::dlsym(handle, symbols[k]->name);
        if (!found[k]) {
            error = std::string("the library ") + soname + " has no function " + symbols[k]->name;
            ::dlclose(handle);
            return false;
        }
    }
    // Another thread may be jumping through a slot while it is written:
    // each slot changes in one store, from the resolver to the function.
    for (size_t k = 0; k < count; ++k)
        __atomic_store_n(&symbols[k]->target, found[k], __ATOMIC_RELEASE);
    return true;
}

#endif

#ifdef BRINDLE_LAZY_LINK

#include "platform/LazySymbols.h"

// The resolver every stand-in jumps to until its library is open; written
// below in assembly. It must keep every register a call passes arguments in.
extern "C" void brindle_lazy_resolve();

#define BRINDLE_LAZY_RECORD(library, name)                                                                      \
    __attribute__((visibility("hidden"))) RLazySymbol brindle_lazy_##name = {                                   \
        reinterpret_cast<void*>(&brindle_lazy_resolve), #name, library};
#define BRINDLE_LAZY_ADDRESS(library, name) &brindle_lazy_##name,

extern "C" {
BRINDLE_LAZY_SYMBOLS(BRINDLE_LAZY_RECORD)
}

// Each stand-in: r11 (free at a call) gets its record, then the jump goes
// through the record's target, the real function once the library is open.
#define BRINDLE_LAZY_STUB(library, name)                                                                        \
    ".globl " #name "\n"                                                                                        \
    ".hidden " #name "\n"                                                                                       \
    ".type " #name ", @function\n"                                                                              \
    ".p2align 4\n" #name ":\n"                                                                                  \
    "\tleaq brindle_lazy_" #name "(%rip), %r11\n"                                                               \
    "\tjmp *(%r11)\n"                                                                                           \
    ".size " #name ", .-" #name "\n"

// The resolver saves the argument registers (rax counts the vector ones of
// a variadic call), asks brindle_lazy_bind for the function of the record
// in r11, puts everything back and jumps to it: the caller's stack is
// untouched, so arguments on the stack and the return address are as the
// caller left them.
asm(".text\n"
    ".globl brindle_lazy_resolve\n"
    ".hidden brindle_lazy_resolve\n"
    ".type brindle_lazy_resolve, @function\n"
    ".p2align 4\n"
    "brindle_lazy_resolve:\n"
    "\tpushq %rbp\n"
    "\tmovq %rsp, %rbp\n"
    "\tsubq $192, %rsp\n"
    "\tandq $-16, %rsp\n"
    "\tmovq %rdi, 0(%rsp)\n"
    "\tmovq %rsi, 8(%rsp)\n"
    "\tmovq %rdx, 16(%rsp)\n"
    "\tmovq %rcx, 24(%rsp)\n"
    "\tmovq %r8, 32(%rsp)\n"
    "\tmovq %r9, 40(%rsp)\n"
    "\tmovq %rax, 48(%rsp)\n"
    "\tmovaps %xmm0, 64(%rsp)\n"
    "\tmovaps %xmm1, 80(%rsp)\n"
    "\tmovaps %xmm2, 96(%rsp)\n"
    "\tmovaps %xmm3, 112(%rsp)\n"
    "\tmovaps %xmm4, 128(%rsp)\n"
    "\tmovaps %xmm5, 144(%rsp)\n"
    "\tmovaps %xmm6, 160(%rsp)\n"
    "\tmovaps %xmm7, 176(%rsp)\n"
    "\tmovq %r11, %rdi\n"
    "\tcall brindle_lazy_bind\n"
    "\tmovq %rax, %r11\n"
    "\tmovq 0(%rsp), %rdi\n"
    "\tmovq 8(%rsp), %rsi\n"
    "\tmovq 16(%rsp), %rdx\n"
    "\tmovq 24(%rsp), %rcx\n"
    "\tmovq 32(%rsp), %r8\n"
    "\tmovq 40(%rsp), %r9\n"
    "\tmovq 48(%rsp), %rax\n"
    "\tmovaps 64(%rsp), %xmm0\n"
    "\tmovaps 80(%rsp), %xmm1\n"
    "\tmovaps 96(%rsp), %xmm2\n"
    "\tmovaps 112(%rsp), %xmm3\n"
    "\tmovaps 128(%rsp), %xmm4\n"
    "\tmovaps 144(%rsp), %xmm5\n"
    "\tmovaps 160(%rsp), %xmm6\n"
    "\tmovaps 176(%rsp), %xmm7\n"
    "\tmovq %rbp, %rsp\n"
    "\tpopq %rbp\n"
    "\tjmp *%r11\n"
    ".size brindle_lazy_resolve, .-brindle_lazy_resolve\n" BRINDLE_LAZY_SYMBOLS(BRINDLE_LAZY_STUB));

namespace {

struct RLazyLibrary {
    const char* soname = nullptr;
    std::vector<RLazySymbol*> symbols;
    std::atomic<bool> opened{false};
    std::string failure; // why it could not be opened, once tried
};

// In the order of ELazyLibrary.
const char* const kSonames[kLazyLibraryCount] = {
    BRINDLE_SONAME_SDL,      BRINDLE_SONAME_OPENAL,  BRINDLE_SONAME_SNDFILE,    BRINDLE_SONAME_FLUIDSYNTH,
    BRINDLE_SONAME_ENET,     BRINDLE_SONAME_AVFORMAT, BRINDLE_SONAME_AVCODEC,   BRINDLE_SONAME_SWSCALE,
    BRINDLE_SONAME_SWRESAMPLE, BRINDLE_SONAME_AVUTIL, BRINDLE_SONAME_FREETYPE,  BRINDLE_SONAME_FONTCONFIG,
};

RLazyLibrary* Libraries()
{
    static RLazyLibrary libraries[kLazyLibraryCount];
    static const bool filled = [] {
        for (int k = 0; k < kLazyLibraryCount; ++k)
            libraries[k].soname = kSonames[k];
        for (RLazySymbol* symbol : {BRINDLE_LAZY_SYMBOLS(BRINDLE_LAZY_ADDRESS)})
            libraries[symbol->library].symbols.push_back(symbol);
        return true;
    }();
    (void)filled;
    return libraries;
}

std::mutex& OpeningLock()
{
    static std::mutex lock;
    return lock;
}

bool Open(ELazyLibrary which, std::string& error)
{
    std::lock_guard<std::mutex> hold(OpeningLock());
    RLazyLibrary& library = Libraries()[which];
    if (library.opened.load(std::memory_order_relaxed))
        return true;
    if (!library.failure.empty()) {
        error = library.failure;
        return false;
    }
    const bool opened = Platform_OpenLibraryTable(library.soname, library.symbols.data(), library.symbols.size(),
                                                  library.failure);
    library.opened.store(opened, std::memory_order_release);
    error = library.failure;
    return opened;
}

} // namespace

// A function was called whose library nobody opened first. The caller
// cannot be told, so a library missing here ends the run with the reason.
extern "C" __attribute__((visibility("hidden"))) void* brindle_lazy_bind(RLazySymbol* symbol)
{
    std::string error;
    if (!Open(static_cast<ELazyLibrary>(symbol->library), error)) {
        std::fprintf(stderr, "brindle: %s\n", error.c_str());
        std::fflush(stderr);
        ::_exit(1);
    }
    return __atomic_load_n(&symbol->target, __ATOMIC_ACQUIRE);
}

bool Platform_LoadLibraries(std::initializer_list<ELazyLibrary> libraries, std::string& error)
{
    for (ELazyLibrary library : libraries)
        if (!Open(library, error))
            return false;
    return true;
}

bool Platform_IsLibraryLoaded(ELazyLibrary library)
{
    return Libraries()[library].opened.load(std::memory_order_acquire);
}

#else

// Linked the usual way: every library is there from the start.
bool Platform_LoadLibraries(std::initializer_list<ELazyLibrary>, std::string&)
{
    return true;
}

bool Platform_IsLibraryLoaded(ELazyLibrary)
{
    return true;
}

#endif

bool Platform_LoadVideoLibraries(std::string& error)
{
    return Platform_LoadLibraries(
        {kLazyVideoUtil, kLazyVideoCodec, kLazyVideoFormat, kLazyVideoScale, kLazyVideoResample}, error);
}
