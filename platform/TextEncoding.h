// Game text is Windows-1252; this system's names and text are UTF-8. The
// conversions here sit wherever a game string meets the host: paths, the
// registry store, program arguments, and names handed back to games.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Every byte has a character: the five bytes the code page leaves undefined
// become the control characters of the same number, so the way back is exact.
std::string Cp1252ToUtf8(std::string_view text);
// Characters the code page lacks become "?"; exact tells whether none did.
std::string Utf8ToCp1252(std::string_view text, bool* exact = nullptr);
// Single characters both ways, for text that travels as UTF-16. The five
// bytes the code page leaves undefined stand for the control characters of
// the same number, so every byte goes there and back unchanged; a character
// the code page lacks becomes '?'.
uint16_t Cp1252ToUnicode(unsigned char byte);
char UnicodeToCp1252(uint32_t code);

bool IsValidUtf8(std::string_view text);

// A game string on its way to the host. Text that is valid UTF-8 with
// characters beyond ASCII came from the host in the first place (a runner
// made folder name such as working_directory) and stays; anything else is
// the game's own code page.
std::string GameTextToHost(std::string_view text);
// A host string on its way to a game: the code page when it can hold every
// character, else unchanged, so the text still finds its file again.
std::string HostTextToGame(std::string_view text);

// Upper and lower case letters of the code page fold together, accented
// ones and the few in the 0x80..0x9F row included.
unsigned char Cp1252FoldCase(unsigned char c);
bool EqualsIgnoringCaseCp1252(std::string_view a, std::string_view b);
// Ordering for sorted listings: folded bytes first, exact bytes to break ties.
bool LessIgnoringCaseCp1252(std::string_view a, std::string_view b);
