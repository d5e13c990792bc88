// A small running game for world tests: a project manifest read as
// brindle-pack reads it, every event compiled, the first room entered, and
// steps run one at a time. Messages from show_debug_message are collected.
#pragma once

#include "code/Value.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class RunningGameFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Reads the manifest; the game starts with StartGame.
    void LoadGame(const std::string& manifest);
    // A square sprite of size pixels whose pixel (x, y) is opaque where
    // opaque(x, y) holds; the given objects take it. Returns its index.
    int AddSprite(int size, const std::function<bool(int, int)>& opaque, const std::vector<std::string>& objects);
    void StartGame();
    void Step(int count = 1);

    // Runs code as the room's first instance; the value of an expression.
    RValue Evaluate(const std::string& expression);
    void Run(const std::string& code);
    // The lines shown since the last call.
    std::vector<std::string> TakeMessages();

    CScratchFolder w_folder;
    std::vector<std::string> w_messages;
};
