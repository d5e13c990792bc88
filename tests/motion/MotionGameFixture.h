// A running game with the motion stages installed, and manifest pieces for
// objects whose events show what happened.
#pragma once

#include "tests/world/RunningGameFixture.h"

#include <string>
#include <tuple>
#include <utility>
#include <vector>

class MotionGameFixture : public RunningGameFixture {
protected:
    void SetUp() override;

    // An 8 × 8 opaque square for the named objects; call after LoadGame.
    int AddSquare(const std::vector<std::string>& objects);
    double Real(const std::string& expression) { return Evaluate(expression).val; }
};

// "[[object]]" with a name, optional extra keys and events given as (on, code).
std::string ObjectToml(const std::string& name, const std::string& keys,
                       const std::vector<std::pair<std::string, std::string>>& events);
// A 640 × 480 room holding (object, x, y) instances in order.
std::string RoomToml(const std::vector<std::tuple<std::string, int, int>>& instances);

using Lines = std::vector<std::string>;
