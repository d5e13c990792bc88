// (Placeholder until the script record lands.)
#pragma once

#include <string>

class CScript {
public:
    std::string s_text;
};
