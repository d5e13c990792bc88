#include "system/Parameters.h"

std::vector<std::string> GameParameters;
