// The highscore window: the table in the table's font and colours, 360 × 400
// pixels, with the new entry's name typed in place while the player has
// reached a place. Escape or Enter closes it.
#pragma once

#include "dialogs/HighscoreTable.h"
#include "dialogs/ModalDialog.h"

class CHighscoreWindow : public IModalDialog {
public:
    static constexpr int32_t kWidth = 360, kHeight = 400;

    // newPlace: the rank whose name is typed (1..10), 0 for none.
    CHighscoreWindow(int32_t score, int32_t newPlace);

    const std::string& Typed() const { return h_typed; }
    const RCanvasRect& Window() const { return h_window; }

    std::string Describe() const override;
    bool Apply(const RDialogAnswer& answer) override;
    std::string TakeDefault() override;
    RDialogAnswer Answer() const override;
    bool IsClosed() const override { return h_closed; }
    void KeyDown(int32_t key, bool ctrl) override;
    void Character(int32_t code) override;
    void Paint(CCanvas& canvas) override;

private:
    int32_t h_score;
    int32_t h_newPlace;
    std::array<RHighscoreEntry, kHighscorePlaces> h_table;
    std::string h_typed;
    RCanvasRect h_window;
    bool h_closed = false;
};
