// Where each piece of a project's code was written: its file, and the line
// and column of its first character there. A place inside the code (a line
// and column of its text, as compile and run errors give them) then becomes
// a place in the project. The same text may be written in several places;
// each is kept.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct RCodeOrigin {
    std::string file; // as the project's mistakes name files (the folder as given)
    int32_t line = 1;
    int32_t column = 1;
    // False for a one-line string of the manifest: the whole text sits on
    // that line, whatever line breaks its escapes make.
    bool linesFollowFile = true;
};

struct RProjectPlace {
    std::string file;
    int32_t line = 0;
    int32_t column = 0;
    std::string ToString() const { return file + ":" + std::to_string(line) + ":" + std::to_string(column); }
};

class CCodeOrigins {
public:
    void Add(const std::string& text, const RCodeOrigin& origin);
    // Every place this exact text was written, in the order they were read.
    std::vector<const RCodeOrigin*> Find(const std::string& text) const;
    bool IsEmpty() const { return c_origins.empty(); }

    // line from 1 and column from 0 within the text, as code errors count.
    static RProjectPlace Locate(const RCodeOrigin& origin, int32_t line, int32_t column);

private:
    std::unordered_map<std::string, std::vector<RCodeOrigin>> c_origins;
};
