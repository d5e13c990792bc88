// Splitting a command line into arguments the way programs of the original
// platform read theirs, so execute_program's argument text reaches a program
// here as the game's author meant it.
#pragma once

#include <string>
#include <vector>

// Blanks separate arguments outside double quotes; a quote starts or ends a
// quoted part, and "" inside one gives a quote. Backslashes are literal
// except before a quote: 2n of them then give n and the quote acts, 2n + 1
// give n and a literal quote.
std::vector<std::string> SplitCommandLine(const std::string& line);
