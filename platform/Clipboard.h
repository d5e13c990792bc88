// The system clipboard's text, as games see it: bytes in the game's own
// encoding (Windows-1252). A window backend converts to and from the
// display's clipboard; without a display the text stays inside the process.
#pragma once

#include <string>

class CClipboard {
public:
    virtual ~CClipboard() = default;
    virtual bool HasText() = 0;
    // "" when there is no text.
    virtual std::string GetText() = 0;
    virtual void SetText(const std::string& text) = 0;
};

// Installs the clipboard of the display; nullptr goes back to the
// in-process one. The caller keeps the clipboard alive while installed.
void Platform_SetClipboard(CClipboard* clipboard);
CClipboard& Platform_Clipboard();
