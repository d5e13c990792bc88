// The command line splitter.
#include "system/CommandLine.h"

std::vector<std::string> SplitCommandLine(const std::string& line)
{
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false, quoted = false;
    size_t k = 0;
    while (k < line.size()) {
        char c = line[k];
        if (!quoted && (c == ' ' || c == '\t')) {
            if (inArgument)
                arguments.push_back(current);
            current.clear();
            inArgument = false;
            ++k;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            size_t count = 0;
            while (k < line.size() && line[k] == '\\') {
                ++count;
                ++k;
            }
            if (k < line.size() && line[k] == '"') {
                current.append(count / 2, '\\');
                if (count % 2 == 1) {
                    current += '"';
                    ++k;
                }
            } else {
                current.append(count, '\\');
            }
        } else if (c == '"') {
            if (quoted && k + 1 < line.size() && line[k + 1] == '"') {
                current += '"';
                k += 2;
            } else {
                quoted = !quoted;
                ++k;
            }
        } else {
            current += c;
            ++k;
        }
    }
    if (inArgument)
        arguments.push_back(current);
    return arguments;
}
