// CTrigger: the stored record of one resource. (Fields and their reader come with the records.)
#pragma once

#include <string>

class CTrigger {
public:
    std::string i_name;
    std::string i_constname;
};
