// The standard dialogs of the message functions: get_color,
// get_open_filename, get_save_filename, get_directory and
// get_directory_alt. The player gets the platform's choosers over the game
// window; an automated run takes the input script's answer (a colour, or a
// text naming the file or folder) or cancels.
#pragma once

#include "dialogs/ModalDialog.h"

enum class EChooser { Color, OpenFile, SaveFile, Folder };

class CChooser : public IModalDialog {
public:
    CChooser(EChooser kind, std::string describe);

    bool IsCancelled() const { return c_cancelled; }
    int32_t Color() const { return c_color; }
    const std::string& Text() const { return c_text; }

    std::string Describe() const override { return c_describe; }
    bool Apply(const RDialogAnswer& answer) override;
    std::string TakeDefault() override;
    RDialogAnswer Answer() const override;
    bool IsClosed() const override { return c_closed; }
    void Paint(CCanvas&) override {}

    // Asks the player through the platform's chooser (or an automated run's
    // answer); false when cancelled.
    // Paths are the game's.
    bool Run(const std::string& filter, const std::string& start, const std::string& root, int32_t startColor,
             const std::string& caption = "");

private:
    EChooser c_kind;
    std::string c_describe;
    bool c_cancelled = false;
    bool c_closed = false;
    int32_t c_color = -1;
    std::string c_text;
};
