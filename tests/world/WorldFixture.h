// A small world for tests: objects with code events, a live room, the real
// registration of functions and variables, and a log that show_debug_message
// writes to.
#pragma once

#include "code/Code.h"
#include "code/ErrorReport.h"
#include "code/Variables.h"
#include "code/Executor.h"
#include "data/Event.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Room.h"
#include "data/GameSettings.h"
#include "library/DebugOutput.h"
#include "runner/Registration.h"
#include "world/Actions.h"
#include "world/EventDispatch.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class WorldFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings.Reset();
        ClearResources();
        std::string problem;
        ASSERT_TRUE(Runner_RegisterTables(problem)) << problem;
        Debug_SetMessageSink([this](const std::string& text) { w_log.push_back(text); });
        PendingRoomChange = kNoChange;
    }
    void TearDown() override
    {
        Debug_SetMessageSink(nullptr);
        if (CurrentRoom)
            Game_End();
        ClearResources();
        Settings.Reset();
    }

    // Adds an object at index with optional parent.
    CObject& AddObject(int index, const std::string& name, int parent = -1)
    {
        auto object = std::make_unique<CObject>();
        object->o_parent = parent;
        CObject& ref = *object;
        Objects.Set(index, std::move(object), name);
        return ref;
    }

    // Gives an object an event running code (compiled at once).
    void AddEvent(CObject& object, int etype, int enumb, const std::string& code)
    {
        CEvent* event = object.CreateEvent(etype, enumb);
        event->e_actions.push_back(CAction::MakeCode(code));
        ASSERT_TRUE(Event_Compile(*event)) << code << ": " << Error_Last;
    }

    // A one-room game whose room holds instances of the given objects, started.
    void StartRoom(const std::vector<int>& objects)
    {
        auto room = std::make_unique<CRoom>();
        int id = 100001;
        for (int object : objects)
            room->r_instance.push_back(RRoomInstance{0, 0, object, id++, std::string(), nullptr});
        Rooms.Set(0, std::move(room), "rm_test");
        GameResources.RoomOrder = {0};
        LastInstanceId = 200000;
        ASSERT_TRUE(Game_Start());
    }

    // Runs code as a program for an instance; the executor's message on failure.
    std::string Run(CInstance* self, const std::string& text)
    {
        CCode code(text, false);
        if (!code.Compile())
            return "compile: " + code.ErrorMessage();
        RValue result;
        return Code_Execute(self, self, code, result) ? "ok" : Code_PendingError();
    }

    CInstance* At(int position) { return CurrentRoom->InstanceAt(position); }

    std::string Log()
    {
        std::string text;
        for (const std::string& line : w_log)
            text += line + "\n";
        w_log.clear();
        return text;
    }

    std::vector<std::string> w_log;
};
