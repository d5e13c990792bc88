// The runner's own dialogs and how one runs: drawn over the last frame in
// the game window (or in a window of its own), fed the player's keys and
// clicks while the game waits, or answered from outside at once in an
// automated run. Afterwards all keyboard and mouse state is cleared, so the
// key or click that closed the dialog raises no event in the game.
#pragma once

#include "dialogs/Canvas.h"
#include "dialogs/DialogAnswers.h"

#include <cstdint>
#include <string>

class IModalDialog {
public:
    virtual ~IModalDialog() = default;

    // The function that opened it and what it asks, for standard error:
    // show_question("Continue?").
    virtual std::string Describe() const = 0;
    // An answer given from outside; false (and nothing changes) when it does
    // not fit this dialog.
    virtual bool Apply(const RDialogAnswer& answer) = 0;
    // Closes as nobody answered (Escape, as a rule); the words for what it
    // took: "No (0)".
    virtual std::string TakeDefault() = 0;
    // What it closed with, as an answer would have been given.
    virtual RDialogAnswer Answer() const = 0;
    virtual bool IsClosed() const = 0;
    // Dialogs that close by themselves after a time (a splash screen's
    // delay): that time in microseconds, else -1.
    virtual int64_t ClosesAfter() const { return -1; }
    virtual void CloseByTime() {}

    // The player, while it is open: game key codes; positions in pixels of
    // the picture the dialog paints.
    virtual void KeyDown(int32_t /*key*/, bool /*ctrl*/) {}
    virtual void KeyUp(int32_t /*key*/) {}
    virtual void Character(int32_t /*code*/) {}
    virtual void MouseMove(int32_t /*x*/, int32_t /*y*/) {}
    virtual void MouseDown(int32_t /*button*/, int32_t /*x*/, int32_t /*y*/) {}
    virtual void MouseUp(int32_t /*button*/, int32_t /*x*/, int32_t /*y*/) {}
    // The close button of the window it is in.
    virtual void CloseButton() { TakeDefault(); }

    // Paints itself onto the host's picture (w × h of the host, transparent
    // where the dialog is not).
    virtual void Paint(CCanvas& canvas) = 0;
    // The opacity of the whole dialog, 0..1.
    virtual double Opacity() const { return 1.0; }
};

// Shows the dialog over the game window until it closes, then clears the
// input. Its size is the game window's client area.
void Dialog_Run(IModalDialog& dialog);
// The client area the dialogs lay themselves out in: the game window's, or
// the window state's remembered one when nothing is shown.
void Dialog_HostSize(int32_t& w, int32_t& h);
