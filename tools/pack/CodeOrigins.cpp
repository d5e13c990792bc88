// Places of code in a project.
#include "tools/pack/CodeOrigins.h"

#include <algorithm>

void CCodeOrigins::Add(const std::string& text, const RCodeOrigin& origin)
{
    std::vector<RCodeOrigin>& places = c_origins[text];
    bool known = std::any_of(places.begin(), places.end(), [&](const RCodeOrigin& place) {
        return place.file == origin.file && place.line == origin.line && place.column == origin.column;
    });
    if (!known)
        places.push_back(origin);
}

std::vector<const RCodeOrigin*> CCodeOrigins::Find(const std::string& text) const
{
    std::vector<const RCodeOrigin*> found;
    auto entry = c_origins.find(text);
    if (entry != c_origins.end())
        for (const RCodeOrigin& origin : entry->second)
            found.push_back(&origin);
    return found;
}

RProjectPlace CCodeOrigins::Locate(const RCodeOrigin& origin, int32_t line, int32_t column)
{
    RProjectPlace place{origin.file, origin.line, origin.column};
    line = std::max(line, 1);
    column = std::max(column, 1);
    if (!origin.linesFollowFile) {
        if (line == 1)
            place.column = origin.column + column - 1;
        return place;
    }
    place.line = origin.line + line - 1;
    place.column = line == 1 ? origin.column + column - 1 : column;
    return place;
}
