// Game and extension constants defined from their value texts.
#pragma once

#include <string>
#include <utility>
#include <vector>

// Checks the name, evaluates the value and adds the constant; false after a message box.
bool Constant_Define(const std::string& name, const std::string& valueText);
bool Constant_DefineAll(const std::vector<std::pair<std::string, std::string>>& constants);
