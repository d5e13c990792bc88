// The highscore table: the scrambled registry text, the insertion rule, the
// stored table, its window and draw_highscore.
#include "dialogs/HighscoreTable.h"
#include "dialogs/HighscoreWindow.h"
#include "tests/dialogs/DialogFixture.h"
#include "world/GameState.h"

namespace {

using HighscoreTest = DialogFixture;

std::string Names()
{
    std::string names;
    for (int32_t place = 1; place <= kHighscorePlaces; ++place)
        names += Highscore_Read(place).name + "=" + std::to_string(Highscore_Read(place).score) + " ";
    return names;
}

TEST(HighscoreCodec, RoundTripsAndDependsOnTheGame)
{
    std::string everyByte;
    for (int c = 0; c < 256; ++c)
        everyByte += static_cast<char>(c);
    const RHighscoreEntry entries[] = {{"", 0},           {"a", 5},           {"Ann", 2147483647},
                                       {"neg", -1},       {"min", INT32_MIN}, {everyByte, 123456},
                                       {"<nobody>", 300}};
    for (int32_t id : {0, 4321, -77, INT32_MAX}) {
        for (const RHighscoreEntry& entry : entries) {
            const std::string text = Highscore_Encode(entry, id);
            EXPECT_EQ(text.size(), 2 * (16 + entry.name.size()));
            RHighscoreEntry back;
            ASSERT_TRUE(Highscore_Decode(text, id, back));
            EXPECT_EQ(back, entry) << "game " << id << " score " << entry.score;
            RHighscoreEntry other;
            ASSERT_TRUE(Highscore_Decode(text, id ^ 1, other)); // another game
            EXPECT_NE(other, entry);
        }
    }
    // A positive score is its four bytes and twelve zeros, shifted by place
    // and game: rank text of the original form reads back.
    EXPECT_EQ(Highscore_Encode({"", 0}, 0), "ABACADAEAFAGAHAIAJAKALAMANAOAPBA");
    RHighscoreEntry entry;
    EXPECT_FALSE(Highscore_Decode("ABC", 0, entry));            // odd
    EXPECT_FALSE(Highscore_Decode("ABACADAEAFAGAH", 0, entry)); // too short for a score
}

TEST_F(HighscoreTest, InsertionAndTheStoredTable)
{
    EXPECT_EQ(Highscore_Read(1), (RHighscoreEntry{"<nobody>", 0})); // nothing written yet
    Call("highscore_add", {RValue("a"), RValue(5.0)});
    EXPECT_EQ(Names(), "a=5 <nobody>=0 <nobody>=0 <nobody>=0 <nobody>=0 <nobody>=0 <nobody>=0 <nobody>=0 "
                       "<nobody>=0 <nobody>=0 ");
    Call("highscore_add", {RValue("b"), RValue(5.0)}); // equal: below
    Call("highscore_add", {RValue("c"), RValue(-3.0)}); // never enters: the rest are 0
    Call("highscore_add", {RValue("d"), RValue(7.0)});
    EXPECT_EQ(Call("highscore_name", {RValue(1.0)}).str.Text(), "d");
    EXPECT_EQ(Call("highscore_name", {RValue(3.0)}).str.Text(), "b");
    EXPECT_EQ(Call("highscore_value", {RValue(4.0)}).val, 0);
    EXPECT_EQ(Call("highscore_name", {RValue(11.0)}).str.Text(), "<nobody>");
    EXPECT_EQ(Call("highscore_value", {RValue(0.0)}).val, 0);
    for (int k = 0; k < 12; ++k)
        Call("highscore_add", {RValue("z"), RValue(100.0 + k)});
    EXPECT_EQ(Call("highscore_value", {RValue(10.0)}).val, 102); // the tenth falls out

    // Another game keeps a table of its own in the same store.
    GameId = 99;
    EXPECT_EQ(Highscore_Read(1).name, "<nobody>");
    GameId = 4321;
    Call("highscore_set_strings", {RValue("Best"), RValue("-"), RValue("Esc")});
    Call("highscore_clear");
    EXPECT_EQ(Highscore_Read(10), (RHighscoreEntry{"-", 0}));
}

TEST_F(HighscoreTest, ShowingTheTableTakesTheTypedName)
{
    Call("highscore_add", {RValue("Ann"), RValue(300.0)});
    Answer(EDialogAnswer::Text, 0, "Dee");
    Call("highscore_show", {RValue(250.4)});
    EXPECT_EQ(Highscore_Read(2), (RHighscoreEntry{"Dee", 250}));
    // Without an answer the name stays as typed: empty.
    Call("highscore_show", {RValue(260.0)});
    EXPECT_EQ(Highscore_Read(2), (RHighscoreEntry{"", 260}));
    EXPECT_EQ(Said(), "brindle-run: highscore_show(260): no answer, the name at place 2 is \"\"\n");
    // No place reached: the window only shows the table.
    Answer(EDialogAnswer::Text, 0, "x");
    Call("highscore_show_ext", {RValue(-5.0), RValue(-1.0), RValue(0.0), RValue(255.0), RValue(0.0), RValue("Arial"),
                                RValue(10.0)});
    EXPECT_FALSE(HighscoreStyle.border);
    EXPECT_EQ(HighscoreStyle.fontSize, 10);
    EXPECT_NE(Said().find("does not fit"), std::string::npos);

    // The window: typing, backspace, Enter.
    CHighscoreWindow window(500, 1);
    window.Character('A');
    window.Character('l');
    window.Character('x');
    window.KeyDown(8, false);
    window.KeyDown(13, false);
    EXPECT_TRUE(window.IsClosed());
    EXPECT_EQ(window.Typed(), "Al");
    HighscoreStyle = RHighscoreStyle();
}

TEST_F(HighscoreTest, AddingTheCurrentScoreAsksForAName)
{
    for (int k = 1; k <= 10; ++k)
        Call("highscore_add", {RValue("p"), RValue(10.0 * k)});
    GameState.score = 5; // below rank 10: nothing asked
    Call("highscore_add_current");
    EXPECT_EQ(Said(), "");
    GameState.score = 10; // equal to rank 10: asked, but it does not enter
    Answer(EDialogAnswer::Text, 0, "Tie");
    Call("highscore_add_current");
    EXPECT_EQ(Highscore_Read(10), (RHighscoreEntry{"p", 10}));
    GameState.score = 55; // unanswered: "player"
    Call("highscore_add_current");
    EXPECT_EQ(Highscore_Read(6), (RHighscoreEntry{"player", 55}));
    const std::string said = Said();
    EXPECT_EQ(said.rfind("brindle-run: highscore_add_current(\"You reached a place in the highscore table.#", 0), 0u);
    EXPECT_NE(said.find("no answer, takes \"player\""), std::string::npos) << said;
    GameState.score = 0;
}

} // namespace
