// The table of the ten best scores, kept between runs in the registry under
// a key made from the game's id ("\Software\Brindle\Scores\<id>", values
// "Rank1".."Rank10"), each entry scrambled with the id so that two games
// never read each other's table.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int32_t kHighscorePlaces = 10;

struct RHighscoreEntry {
    std::string name; // Windows-1252
    int32_t score = 0;
    bool operator==(const RHighscoreEntry&) const = default;
};

// How the table is shown, for the rest of the run.
struct RHighscoreStyle {
    int32_t background = -1; // a background's index, -1 none
    bool border = true;
    int32_t backColor = 0xF0FBFF;
    int32_t newColor = 0x0000FF;
    int32_t otherColor = 0x000000;
    std::string fontName = "Times New Roman";
    int32_t fontSize = 12;
    bool bold = false;
    bool italic = false;
    std::string caption = "Top Ten Players";
    std::string nobody = "<nobody>";
    std::string escape = "press <Escape> to close";
};
extern RHighscoreStyle HighscoreStyle;

// The registry text of an entry for game gameId, and back. Decoding text
// that is too short or has an odd length fails.
std::string Highscore_Encode(const RHighscoreEntry& entry, int32_t gameId);
bool Highscore_Decode(const std::string& text, int32_t gameId, RHighscoreEntry& entry);

// Places 1..10; an entry never written (or unreadable) is the nobody text
// with score 0, and so is any place outside 1..10.
RHighscoreEntry Highscore_Read(int32_t place);
std::array<RHighscoreEntry, kHighscorePlaces> Highscore_ReadAll();
void Highscore_Write(int32_t place, const RHighscoreEntry& entry);
// Every place becomes (nobody text, 0).
void Highscore_Clear();
// Puts the entry at the first place whose score is less than its own,
// moving the later ones down (the tenth is lost); the place, or 0 when the
// score beats none.
int32_t Highscore_Insert(const RHighscoreEntry& entry);
