// Tables keyed by name that are searched with a std::string_view: the
// compiler and start-up look names up by the thousand, and a lookup should
// not build a std::string first.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

struct RNameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

template <class T>
using CNameMap = std::unordered_map<std::string, T, RNameHash, std::equal_to<>>;
