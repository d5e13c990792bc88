// The text form of 3D models: the line "100", the line with the number of
// entries, then one line per entry: its kind as an integer and its ten
// arguments, each after one space, in fixed notation with 4 decimals.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One recorded drawing step of a model (kinds in Models3D.h).
struct REntry {
    int32_t kind = 0;
    double arg0 = 0, arg1 = 0, arg2 = 0, arg3 = 0, arg4 = 0, arg5 = 0, arg6 = 0, arg7 = 0, arg8 = 0, arg9 = 0;

    double Arg(int k) const { return this->*kArgs[k]; }
    double& Arg(int k) { return this->*kArgs[k]; }
    bool operator==(const REntry&) const = default;

private:
    static constexpr double REntry::*kArgs[10] = {&REntry::arg0, &REntry::arg1, &REntry::arg2, &REntry::arg3,
                                                  &REntry::arg4, &REntry::arg5, &REntry::arg6, &REntry::arg7,
                                                  &REntry::arg8, &REntry::arg9};
};

constexpr int32_t kModelFileVersion = 100;

// Lines end with CR LF, as text files the runner writes do.
std::string ModelFile_Write(const std::vector<REntry>& entries, int32_t count);
// False, with entries untouched, unless the text starts with the number 100
// and holds every entry it announces. Lines end with CR LF, LF or CR; what
// follows the eleventh number of an entry on its line is skipped.
bool ModelFile_Parse(std::string_view text, std::vector<REntry>& entries);
