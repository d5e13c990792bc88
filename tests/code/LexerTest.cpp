// Tokens, their texts and positions, and number literal values.
#include "code/Binder.h"
#include "code/CodeError.h"
#include "code/Lexer.h"
#include "tests/code/CodeFixture.h"

namespace {

// "symbol:text@position" per token, the end token included.
std::string Lex(const std::string& text)
{
    CCode code(text, false);
    std::vector<RToken1> tokens;
    CCompileErrors errors(code);
    if (!Tokenize(code, tokens, errors))
        return "error: " + errors.Message();
    std::string out;
    for (const RToken1& t : tokens)
        out += (out.empty() ? "" : " ") + std::to_string(t.symbol) + ":" + t.str + "@" + std::to_string(t.position);
    return out;
}

} // namespace

TEST_F(CodeFixture, LexerTokens)
{
    struct Case {
        const char* code;
        const char* tokens;
    } cases[] = {
        {"", "-2:@4"},
        {"  // note\n /* block */ ", "-2:@27"},
        {"a=b==c", "0:a@1 101:=@2 0:b@3 206:==@4 0:c@6 -2:@10"},
        {"x<>y", "0:x@1 207:<>@2 0:y@4 -2:@8"},
        {"begin }", "11:begin@1 12:}@7 -2:@11"},
        {"{ Begin", "11:{@1 0:Begin@3 -2:@11"},
        {"$FF $1g", "1:$FF@1 1:$1@5 0:g@7 -2:@11"},
        {"5. .5 a.b x.5", "1:5.@1 1:.5@4 0:a@7 112:.@8 0:b@9 0:x@11 1:.5@12 -2:@17"},
        {"1.2.3 1e5", "1:1.2.3@1 1:1@7 0:e5@8 -2:@13"},
        {"/* never closed", "-2:@19"},
        {"/*/ a", "0:a@5 -2:@9"},
        {"'it\"s' \"say 'hi'\"", "2:it\"s@1 2:say 'hi'@8 -2:@21"},
        {"'open", "2:open   @1 -2:@9"},
        {"a:=1 b+=2 c^^d !e ~f", "0:a@1 101::=@2 1:1@4 0:b@6 102:+=@7 1:2@9 0:c@11 216:^^@12 0:d@14 203:!@16 0:e@17 "
                                 "220:~@19 0:f@20 -2:@24"},
        {"a and b or not c xor d div e mod f", "0:a@1 201:and@3 0:b@7 202:or@9 203:not@12 0:c@16 216:xor@18 "
                                               "0:d@22 214:div@24 0:e@28 215:mod@30 0:f@34 -2:@38"},
        {"x << 2 >> 1 |= &= ^=", "0:x@1 221:<<@3 1:2@6 222:>>@8 1:1@11 114:|=@13 115:&=@16 116:^=@19 -2:@24"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Lex(c.code), c.tokens) << c.code;
    }
}

TEST_F(CodeFixture, UnexpectedCharactersAreTheOnlyLexicalError)
{
    for (const char* text : {"a # b", "x = 5 % 2", "?", "a\\b", "x = \xE9"}) {
        CCode code(text, false);
        std::vector<RToken1> tokens;
        CCompileErrors errors(code);
        EXPECT_FALSE(Tokenize(code, tokens, errors)) << text;
        EXPECT_NE(errors.Message().find("Unexpected symbol."), std::string::npos) << text;
    }
    // Inside strings and comments any character is fine.
    CCode fine("s = '#%?\xE9' // #%?", false);
    std::vector<RToken1> tokens;
    CCompileErrors errors(fine);
    EXPECT_TRUE(Tokenize(fine, tokens, errors));
}

TEST(NumberLiterals, Values)
{
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"$FF", 255}, {"$", 0}, {"$aB", 171}, {"5.", 5}, {".5", 0.5}, {"1.2.3", 1.23},
                 {"0", 0},     {"007", 7}, {"3.14159", 3.14159}, {"12..5", 12.5}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(NumberLiteralValue(c.text), c.value) << c.text;
}
