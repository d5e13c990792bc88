// The motion game fixture.
#include "tests/motion/MotionGameFixture.h"

#include "motion/Motion.h"

#include <tuple>

void MotionGameFixture::SetUp()
{
    RunningGameFixture::SetUp();
    Motion_InstallStepHooks();
}

int MotionGameFixture::AddSquare(const std::vector<std::string>& objects)
{
    return AddSprite(8, [](int, int) { return true; }, objects);
}

std::string ObjectToml(const std::string& name, const std::string& keys,
                       const std::vector<std::pair<std::string, std::string>>& events)
{
    std::string toml = "[[object]]\nname = \"" + name + "\"\n" + keys + "\n";
    for (const auto& [on, code] : events)
        toml += "[[object.event]]\non = \"" + on + "\"\ncode = \"\"\"\n" + code + "\n\"\"\"\n";
    return toml;
}

std::string RoomToml(const std::vector<std::tuple<std::string, int, int>>& instances)
{
    std::string toml = "[[room]]\nname = \"rm_test\"\nwidth = 640\nheight = 480\n";
    for (const auto& [object, x, y] : instances)
        toml += "[[room.instance]]\nobject = \"" + object + "\"\nx = " + std::to_string(x) +
                "\ny = " + std::to_string(y) + "\n";
    return toml;
}
