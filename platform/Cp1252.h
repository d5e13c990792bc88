// Game text is Windows-1252, one byte per character; the platform speaks
// UTF-8. This turns platform text into game text.
#pragma once

#include <string>

// Each character becomes its Windows-1252 byte; characters that code page
// lacks become '?', and broken UTF-8 sequences are skipped.
std::string Platform_Utf8ToCp1252(const std::string& text);
