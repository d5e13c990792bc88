#include "data/TempDirectory.h"

std::string TempDir;
