// Game text is Windows-1252, one byte per character; the platform speaks
// UTF-8. This turns platform text into game text.
#pragma once

#include <cstdint>
#include <string>

// Each character becomes its Windows-1252 byte; characters that code page
// lacks become '?', and broken UTF-8 sequences are skipped.
std::string Platform_Utf8ToCp1252(const std::string& text);

// Single characters both ways, for text that travels as UTF-16. The five
// bytes the code page leaves undefined stand for the control characters of
// the same number, so every byte goes there and back unchanged.
uint16_t Platform_Cp1252ToUnicode(unsigned char byte);
// '?' for a character the code page lacks.
char Platform_UnicodeToCp1252(uint32_t code);
