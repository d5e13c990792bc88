// Objects and events: inheritance, dispatch order, destruction during a
// walk, deactivation, instance functions and the coupled motion variables.
#include "data/EventTexts.h"
#include "tests/world/WorldFixture.h"

TEST_F(WorldFixture, EventsComeThroughTheParentChain)
{
    CObject& a = AddObject(0, "obj_a");
    CObject& b = AddObject(1, "obj_b", 0);
    CObject& c = AddObject(2, "obj_c", 1);
    AddObject(3, "obj_x");
    AddEvent(a, kEventStep, 0, "show_debug_message('a step ' + string(object_index));");
    AddEvent(a, kEventOther, 10, "show_debug_message('a user0');");
    AddEvent(c, kEventOther, 10, "show_debug_message('c user0'); event_inherited();");
    // An event with no actions counts as absent: b's step falls through to a.
    b.CreateEvent(kEventStep, 0);
    (void)c;
    int32_t owner = -1;
    EXPECT_NE(Object_FindEvent(2, kEventStep, 0, &owner), nullptr);
    EXPECT_EQ(owner, 0);
    EXPECT_TRUE(Object_HasEventRecursive(2, kEventOther));
    EXPECT_FALSE(Object_HasEventRecursive(3, kEventStep));
    EXPECT_TRUE(Object_IsDescendentOf(2, 0));
    EXPECT_FALSE(Object_IsDescendentOf(0, 0));

    StartRoom({2});
    // event_inherited through three generations: c has user 0, b has none, a has it.
    EXPECT_EQ(Run(At(0), "event_user(0);"), "ok");
    EXPECT_EQ(Log(), "c user0\na user0\n");
}

TEST_F(WorldFixture, CollisionEventsAnswerForDescendantsNearestFirst)
{
    AddObject(0, "obj_a");
    AddObject(1, "obj_b", 0);
    AddObject(2, "obj_c", 1);
    CObject& x = AddObject(3, "obj_x");
    AddEvent(x, kEventCollision, 0, "n = 1;");
    int32_t owner = -1;
    const CEvent* withA = Object_FindEvent(3, kEventCollision, 0);
    EXPECT_EQ(Object_FindEvent(3, kEventCollision, 2, &owner), withA);
    AddEvent(x, kEventCollision, 1, "n = 2;");
    const CEvent* withB = Object_FindEvent(3, kEventCollision, 1);
    EXPECT_EQ(Object_FindEvent(3, kEventCollision, 2), withB); // the nearer ancestor wins
    EventLists_Rebuild();
    const auto& pairs = EventLists_CollisionPairs();
    ASSERT_EQ(pairs.size(), 3u); // (0,3), (1,3), (2,3)
    EXPECT_EQ(pairs[0].obj1, 0);
    EXPECT_EQ(pairs[2].obj1, 2);
    EXPECT_EQ(pairs[2].obj2, 3);
}

TEST_F(WorldFixture, DispatchGoesByObjectThenListOrder)
{
    for (int k = 0; k < 8; ++k)
        AddObject(k, "obj" + std::to_string(k));
    for (int k : {1, 2, 3, 5, 7})
        AddEvent(*Objects.Get(k), kEventStep, 0, "show_debug_message('step ' + string(object_index));");
    // Object 5 creates instances of 2 and 7 during its step: only 7, later
    // in the walk, runs in the same step.
    AddEvent(*Objects.Get(5), kEventStep, 0,
             "show_debug_message('step 5'); if (!made) { made = true; instance_create(0, 0, 2); instance_create(0, 0, 7); }");
    AddEvent(*Objects.Get(5), kEventCreate, 0, "made = false;");
    StartRoom({3, 3, 1, 5});
    Log();
    DispatchEvent(kEventStep, 0);
    EXPECT_EQ(Log(), "step 1\nstep 3\nstep 3\nstep 5\nstep 7\n");
}

TEST_F(WorldFixture, DestroyedInstancesAreSkippedAndRemovedAtTheEndOfTheStep)
{
    CObject& a = AddObject(0, "obj_a");
    AddEvent(a, kEventStep, 0,
             "show_debug_message('step ' + string(id)); if (id == 100001) with (100002) instance_destroy();");
    AddEvent(a, kEventDestroy, 0, "show_debug_message('destroy ' + string(id));");
    StartRoom({0, 0, 0});
    Log();
    DispatchEvent(kEventStep, 0);
    EXPECT_EQ(Log(), "step 100001\ndestroy 100002\nstep 100003\n");
    EXPECT_EQ(CurrentRoom->InstanceCount(), 3); // still listed until removal
    EXPECT_EQ(Run(At(0), "show_debug_message(string(instance_number(all)) + ' ' + string(instance_exists(100002)));"), "ok");
    EXPECT_EQ(Log(), "2 0\n");
    EXPECT_TRUE(CurrentRoom->RemoveMarked());
    EXPECT_EQ(CurrentRoom->InstanceCount(), 2);
    EXPECT_EQ(CurrentRoom->FindById(100002), nullptr);
}

TEST_F(WorldFixture, InstanceFunctions)
{
    CObject& a = AddObject(0, "obj_a");
    AddObject(1, "obj_b", 0);
    AddEvent(a, kEventCreate, 0, "show_debug_message('create ' + string(object_index));");
    StartRoom({0, 1});
    Log();
    CInstance* self = At(0);
    struct Case {
        const char* code;
        const char* log;
    } cases[] = {
        {"show_debug_message(instance_number(obj_a))", "2\n"}, // descendants count
        {"show_debug_message(instance_number(obj_b))", "1\n"},
        {"show_debug_message(instance_find(obj_a, 1))", "100002\n"},
        {"show_debug_message(instance_find(obj_a, 2))", "-4\n"},
        {"show_debug_message(instance_find(100002, 0))", "100002\n"},
        {"show_debug_message(instance_exists(100009))", "0\n"},
        {"i = instance_create(5, 6, obj_b); show_debug_message(i);", "create 1\n200001\n"},
        {"show_debug_message(instance_create(0, 0, 77));", "-4\n"},
        {"x = 10; y = 0; show_debug_message(instance_nearest(0, 0, obj_a))", "100002\n"},
        {"show_debug_message(instance_furthest(0, 0, obj_a))", "100001\n"},
        {"event_perform(ev_create, 0)", "create 0\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(self, c.code), "ok") << c.code;
        EXPECT_EQ(Log(), c.log) << c.code;
    }
    // Changing keeps the id, copying gives a new one; both use up an id.
    CInstance* b = CurrentRoom->FindById(100002);
    EXPECT_EQ(Run(b, "instance_change(obj_a, true)"), "ok");
    EXPECT_EQ(Log(), "create 0\n");
    EXPECT_TRUE(b->i_marked);
    CInstance* changed = CurrentRoom->FindById(100002);
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(changed->i_objectindex, 0);
    EXPECT_EQ(LastInstanceId, 200002);
    EXPECT_EQ(Run(changed, "show_debug_message(instance_copy(false))"), "ok");
    EXPECT_EQ(Log(), "200003\n");
    EXPECT_EQ(Run(self, "show_debug_message(instance_create(0, 0, obj_a) > 0)"), "ok");
    EXPECT_EQ(Log(), "create 0\n1\n");
}

TEST_F(WorldFixture, DeactivationByRegionAndBack)
{
    AddObject(0, "obj_a");
    StartRoom({0, 0, 0, 0});
    At(0)->SetPosition(10, 10);
    At(1)->SetPosition(100, 100);
    At(2)->SetPosition(200, 200);
    At(3)->SetPosition(150, 150);
    // Inside true: deactivates those in the region (positions, no sprites).
    EXPECT_EQ(Run(At(0), "instance_deactivate_region(90, 90, 70, 70, true, true)"), "ok");
    ASSERT_EQ(CurrentRoom->InstanceCount(), 2);
    EXPECT_EQ(CurrentRoom->InstanceAt(1)->i_id, 100003);
    EXPECT_EQ(CurrentRoom->DeactivatedCount(), 2);
    EXPECT_EQ(Run(CurrentRoom->InstanceAt(0), "show_debug_message(instance_number(obj_a))"), "ok");
    EXPECT_EQ(Log(), "2\n");
    // Activated ones come back at the end of the room list, in their order.
    EXPECT_EQ(Run(CurrentRoom->InstanceAt(0), "instance_activate_region(0, 0, 1000, 1000, true)"), "ok");
    ASSERT_EQ(CurrentRoom->InstanceCount(), 4);
    EXPECT_EQ(CurrentRoom->InstanceAt(2)->i_id, 100002);
    EXPECT_EQ(CurrentRoom->InstanceAt(3)->i_id, 100004);
    // All but the caller.
    CInstance* caller = CurrentRoom->InstanceAt(1);
    EXPECT_EQ(Run(caller, "instance_deactivate_all(true)"), "ok");
    ASSERT_EQ(CurrentRoom->InstanceCount(), 1);
    EXPECT_EQ(CurrentRoom->InstanceAt(0), caller);
    EXPECT_EQ(Run(caller, "instance_activate_object(obj_a)"), "ok");
    EXPECT_EQ(CurrentRoom->InstanceCount(), 4);
}

TEST_F(WorldFixture, MotionVariablesFollowEachOther)
{
    AddObject(0, "obj_a");
    StartRoom({0});
    CInstance* i = At(0);
    struct Case {
        const char* code;
        double hspeed, vspeed, speed, direction;
    } cases[] = {
        {"hspeed = 3; vspeed = -4;", 3, -4, 5, 53.13010235415598},
        {"speed = 2; direction = 90;", 0, -2, 2, 90},
        {"direction = -90; speed = 1", 0, 1, 1, 270},
        {"direction = 720; speed = 1", 1, 0, 1, 0},
        {"direction = 0; speed = -3;", -3, 0, -3, 0},
        {"direction = 0; speed = -3; hspeed = -4;", -4, 0, 4, 180},
        {"speed = 0; friction = 1; speed = 0.5; x = 0;", 0.5, 0, 0.5, 0},
    };
    for (const Case& c : cases) {
        i->SetSpeed(0);
        i->SetDirection(0);
        i->SetHspeed(0);
        i->i_friction = 0;
        EXPECT_EQ(Run(i, c.code), "ok") << c.code;
        EXPECT_NEAR(i->i_hspeed, c.hspeed, 1e-12) << c.code;
        EXPECT_NEAR(i->i_vspeed, c.vspeed, 1e-12) << c.code;
        EXPECT_NEAR(i->i_speed, c.speed, 1e-12) << c.code;
        EXPECT_NEAR(i->i_direction, c.direction, 1e-12) << c.code;
    }
    // Friction stops rather than reversing.
    i->Adapt_Speed();
    EXPECT_EQ(i->i_speed, 0);
    EXPECT_EQ(Run(i, "visible = 0.5; a = visible; visible = 0.6; b = visible; x = 'abc';"), "ok");
    RValue value;
    ASSERT_TRUE(i->i_vars.GetVar(Code_Variable_Find("a"), 0, value));
    EXPECT_EQ(value.val, 0);
    ASSERT_TRUE(i->i_vars.GetVar(Code_Variable_Find("b"), 0, value));
    EXPECT_EQ(value.val, 1);
    EXPECT_EQ(i->i_x, 0);
    EXPECT_EQ(Run(i, "alarm[12] = 5; v = alarm[0];"), "ok");
    EXPECT_EQ(i->Alarm(0), 5);
    EXPECT_NE(Run(i, "object_index = 3").find("Cannot assign to the variable"), std::string::npos);
}

TEST(EventTexts, NamesInMessages)
{
    struct Case {
        int type, number;
        const char* text;
    } cases[] = {
        {0, 0, "Create Event"},
        {3, 0, " Step Event"},
        {3, 1, "Begin Step Event"},
        {2, 4, "Alarm Event for alarm 4"},
        {5, 65, "Keyboard Event for A-key Key"},
        {9, 112, "Key Press Event for F1 Key"},
        {10, 108, "Key Release Event for <unknown> Key"},
        {5, 37, "Keyboard Event for <Left> Key"},
        {6, 53, "Mouse Event for Glob Left Pressed"},
        {6, 12, "Mouse Event for <unknown>"},
        {7, 13, "Other Event: User Defined 3"},
        {7, 44, "Other Event: Outside View 4"},
        {11, 3, "Trigger Event: <Deleted>"},
        {4, 9, "Collision Event with object <undefined>"},
        {12, 0, "<Unknown Event>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Event_Name(c.type, c.number), c.text);
}

#include "data/Sprite.h"

TEST_F(WorldFixture, PointsMeetTheMaskNotJustTheBox)
{
    // A 4 × 4 sprite whose left half is opaque, with its origin in the middle.
    auto sprite = std::make_unique<CSprite>();
    TBitmap32 image(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 2; ++x)
            image.SetPixel(x, y, 0xFF000000);
    sprite->i_bitmap.push_back(image);
    sprite->i_xorig = 2;
    sprite->i_yorig = 2;
    sprite->ComputeMask(false, kBoxFullImage, RBox{}, kMaskPrecise, 0);
    Sprites.Set(0, std::move(sprite), "spr_half");
    CObject& a = AddObject(0, "obj_a");
    a.o_spriteindex = 0;
    StartRoom({0});
    CInstance* i = At(0);
    i->SetPosition(10, 10);
    EXPECT_EQ(i->i_bbox, (RBox{8, 8, 11, 11}));
    struct Case {
        const char* code;
        const char* log;
    } cases[] = {
        {"show_debug_message(instance_position(8, 9, obj_a))", "100001\n"},
        {"show_debug_message(instance_position(11, 9, obj_a))", "-4\n"}, // in the box, outside the mask
        {"show_debug_message(position_empty(7, 9))", "1\n"},
        {"show_debug_message(position_meeting(9, 11, -1))", "1\n"},
        {"image_xscale = -1; show_debug_message(position_meeting(11, 9, obj_a))", "1\n"}, // mirrored
        {"position_destroy(11, 9); show_debug_message(instance_number(obj_a))", "0\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(i, c.code), "ok") << c.code;
        EXPECT_EQ(Log(), c.log) << c.code;
    }
}

// Room code and code built at run time go through the same compiler: a long
// flat expression gives its value instead of ending the runner.
TEST_F(WorldFixture, LongFlatExpressionsRunInRoomCodeAndExecuteString)
{
    std::string ones;
    for (int k = 0; k < 100000; ++k)
        ones += "+1";
    AddObject(0, "obj_a");
    auto room = std::make_unique<CRoom>();
    room->r_instance.push_back(RRoomInstance{0, 0, 0, 100001, std::string(), nullptr});
    room->r_code = "var v; v = 1; global.from_room = v" + ones + ";";
    Rooms.Set(0, std::move(room), "rm_long");
    GameResources.RoomOrder = {0};
    LastInstanceId = 200000;
    ASSERT_TRUE(Game_Start());
    EXPECT_EQ(Run(At(0), "n = execute_string('return 1' + string_repeat('+1', 100000) + ';'); m = global.from_room;"), "ok");
    RValue value;
    ASSERT_TRUE(At(0)->i_vars.GetVar(Code_Variable_Find("n"), 0, value));
    EXPECT_EQ(value.val, 100001);
    ASSERT_TRUE(At(0)->i_vars.GetVar(Code_Variable_Find("m"), 0, value));
    EXPECT_EQ(value.val, 100001);
}
