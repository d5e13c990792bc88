// Game and extension constants defined from their value texts.
#pragma once

#include <string>
#include <utility>
#include <vector>

// A constant's name as given, without the blanks around it, and whether
// that is a valid name (a letter or '_', then letters, digits and '_').
std::string Constant_TrimmedName(const std::string& name);
bool Constant_IsValidName(const std::string& name);
// Checks the name, evaluates the value and adds the constant; false after a message box.
bool Constant_Define(const std::string& name, const std::string& valueText);
bool Constant_DefineAll(const std::vector<std::pair<std::string, std::string>>& constants);
