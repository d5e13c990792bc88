// CTrigger: a trigger resource as stored: a named condition, when in the
// step it is tested, and the constant that names its event number in code.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class CStream;
class CCode;

// When in the step a trigger's condition is tested.
enum ETriggerMoment : int32_t {
    kTriggerStep = 0,
    kTriggerBeginStep = 1,
    kTriggerEndStep = 2,
};

class CTrigger {
public:
    static constexpr int32_t kVersion = 800;

    std::string i_name;
    std::string i_condition;       // an expression in the script language
    std::shared_ptr<CCode> i_code; // the compiled condition, set at start-up
    std::string i_constname;       // empty for none
    int32_t i_moment = kTriggerBeginStep;

    void Clear() { *this = CTrigger(); }
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const CTrigger& other) const
    {
        return i_name == other.i_name && i_condition == other.i_condition && i_constname == other.i_constname &&
               i_moment == other.i_moment;
    }
};
