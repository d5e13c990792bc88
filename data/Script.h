// CScript: a script resource as stored: its code text. The script's name is
// its list entry's name; the compiled code is attached once the compiler exists.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class CStream;
class CCode;

class CScript {
public:
    static constexpr int32_t kVersion = 800;

    std::string s_text;
    std::shared_ptr<CCode> s_code; // set by the compile pass at start-up

    void Clear() { *this = CScript(); }
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const CScript& other) const { return s_text == other.s_text; }
};
