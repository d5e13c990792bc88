// The heavy shared libraries (window system, sound, MIDI, video, network
// play, glyph outlines) are opened the first time something needs them,
// not when the runner starts: together they pull in well over a hundred
// shared objects, and most games, and every headless run, use few or none.
//
// The runner is linked against small stand-ins for each function it calls
// in these libraries (platform/LazySymbols.h lists them). A stand-in jumps
// through its own slot; the first call opens the library, fills every slot
// of it and goes on to the real function, so calling code is written as if
// the library were linked. The places that start using a library (opening
// a window, a video or the sound device, rendering MIDI, starting network
// play, making a font) open it first through Platform_LoadLibraries, so a
// missing library is reported through their normal failure path.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

enum ELazyLibrary {
    kLazySdl,
    kLazyOpenAl,
    kLazySoundFiles,
    kLazyMidi,
    kLazyNetwork,
    kLazyVideoFormat,
    kLazyVideoCodec,
    kLazyVideoScale,
    kLazyVideoResample,
    kLazyVideoUtil,
    kLazyFontFiles,
    kLazyFontMatch,
    kLazyLibraryCount,
};

// Opens each library not open yet. False with error naming the library and
// the reason when one cannot be opened or lacks a function the runner
// calls; the libraries opened before it stay open.
bool Platform_LoadLibraries(std::initializer_list<ELazyLibrary> libraries, std::string& error);
// Every library FFmpeg's video decoding uses.
bool Platform_LoadVideoLibraries(std::string& error);
// Whether the library is open (for tests and measurements).
bool Platform_IsLibraryLoaded(ELazyLibrary library);

// One function of a library opened on first use. The stand-in of the
// function jumps to target, which starts as the common resolver.
struct RLazySymbol {
    void* target;
    const char* name;
    int library;
};

// Opens the shared library soname and finds every function of symbols in
// it; fills their targets only when all were found. False with error
// otherwise. The handle is kept open for good.
bool Platform_OpenLibraryTable(const char* soname, RLazySymbol* const* symbols, size_t count, std::string& error);
