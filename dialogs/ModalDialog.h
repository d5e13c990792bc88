// The runner's own dialogs and how one runs: drawn over the last frame in
// the game window (or in a window of its own), fed the player's keys and
// clicks while the game waits, or answered from outside at once in an
// automated run. Afterwards all keyboard and mouse state is cleared, so the
// key or click that closed the dialog raises no event in the game.
#pragma once

#include "dialogs/Canvas.h"
#include "dialogs/DialogAnswers.h"
#include "platform/GameWindow.h"

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
    virtual void Wheel(int32_t /*direction*/) {}
    // The close button of the window it is in.
    virtual void CloseButton() { TakeDefault(); }

    // Paints itself onto the host's picture (w × h of the host, transparent
    // where the dialog is not).
    virtual void Paint(CCanvas& canvas) = 0;
    // The opacity of the whole dialog, 0..1.
    virtual double Opacity() const { return 1.0; }
};

// Where a dialog shows: over the game window, or in a window of its own.
class IDialogHost {
public:
    virtual ~IDialogHost() = default;
    // The picture's size; false when nothing can be shown (headless).
    virtual bool GetSize(int32_t& w, int32_t& h) = 0;
    virtual void Present(const TBitmap32& picture, double opacity) = 0;
    // Hands the dialog's events to handler.
    virtual void Pump(const WindowEventHandler& handler) = 0;
    // The dialog has closed.
    virtual void Release() {}
};
// The game window's client area, over the last frame.
IDialogHost& Dialog_GameWindowHost();

// Shows the dialog until it closes (answered from outside at once in an
// automated run), then clears the input.
void Dialog_Run(IModalDialog& dialog, IDialogHost& host = Dialog_GameWindowHost());
// A dialog (a splash screen, the information page) is showing inside the
// game window: the game takes no input and does not step meanwhile.
bool Dialog_IsShowingInGameWindow();
// The game window's close button was pressed while it shows one.
void Dialog_CloseInGameWindow();
// Paints the dialog once onto a picture of the host's size and shows it.
void Dialog_Show(IModalDialog& dialog, IDialogHost& host);
// Feeds one window event to the dialog (keys become game key codes).
void Dialog_Feed(IModalDialog& dialog, const RWindowEvent& event, bool& ctrl);
// The client area the dialogs lay themselves out in: the game window's, or
// the window state's remembered one when nothing is shown.
void Dialog_HostSize(int32_t& w, int32_t& h);
