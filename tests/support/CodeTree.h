// A compact text form of code trees for tests: "(+ 1 x@-6)", "block(...)".
#pragma once

#include "code/Tokens.h"

#include <string>

std::string DescribeTree(const RToken& node);
