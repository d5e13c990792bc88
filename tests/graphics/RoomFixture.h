// A running room on the null display: a few one-colour sprites and
// backgrounds with their pictures built, objects that show them, and a live
// room made current. Drawn quads are told apart by the colour they carry.
#pragma once

#include "data/Background.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/ResourceTextures.h"
#include "tests/graphics/GraphicsFixture.h"
#include "world/GameState.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"
#include "world/World.h"

class RoomFixture : public GraphicsFixture {
protected:
    void SetUp() override
    {
        GraphicsFixture::SetUp();
        ClearResources();
        GameState = RGameState();
        AddSprite("spr_one", 1, 10, 10, 5, 5);
        AddSprite("spr_three", 3, 4, 4, 0, 0);
        AddBackground("bg_tiles", 32, 16);
        AddBackground("bg_layer", 50, 40);
        AddObject("obj_one", 0);  // shows spr_one
        AddObject("obj_three", 1); // shows spr_three
        ResourceTextures_BuildAll();
        EventLists_Rebuild();
        g_room = std::make_unique<CLiveRoom>();
        g_room->r_width = 200;
        g_room->r_height = 100;
        g_room->r_showcolor = false;
        CurrentRoom = g_room.get();
        Room_SetInstances(g_room.get());
        g_device->TakeSentVertices();
    }
    void TearDown() override
    {
        CurrentRoom = nullptr;
        Room_SetInstances(nullptr);
        g_room.reset();
        GraphicsFixture::TearDown();
        ClearResources();
        GameState = RGameState();
    }

    static void AddSprite(const char* name, int images, int w, int h, int xorig, int yorig)
    {
        auto sprite = std::make_unique<CSprite>();
        for (int k = 0; k < images; ++k) {
            TBitmap32 image(w, h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    image.SetPixel(x, y, 0xFF000000u | uint32_t(k * 40));
            sprite->i_bitmap.push_back(image);
        }
        sprite->i_xorig = xorig;
        sprite->i_yorig = yorig;
        Sprites.Add(std::move(sprite), name);
    }
    static void AddBackground(const char* name, int w, int h)
    {
        auto background = std::make_unique<CBackground>();
        background->i_bitmap = TBitmap32(w, h);
        Backgrounds.Add(std::move(background), name);
    }
    static void AddObject(const char* name, int32_t sprite)
    {
        auto object = std::make_unique<CObject>();
        object->o_spriteindex = sprite;
        Objects.Add(std::move(object), name);
    }

    // An instance drawn with its own colour, so its quad can be found.
    CInstance* Place(int32_t object, double x, double y, double depth, int32_t blend)
    {
        CInstance* instance = g_room->AddInstance(x, y, object, ++g_lastId);
        instance->i_depth = depth;
        instance->i_imageblend = static_cast<uint32_t>(blend);
        return instance;
    }
    int32_t Tile(double x, double y, double depth, int32_t blend, int32_t w = 16, int32_t h = 16)
    {
        RTile tile;
        tile.index = 0;
        tile.x = x;
        tile.y = y;
        tile.w = w;
        tile.h = h;
        tile.depth = depth;
        tile.blend = blend;
        tile.id = ++g_lastTile;
        g_room->r_tile.push_back(tile);
        return tile.id;
    }

    // The game colour of every quad sent since the last call, in order.
    std::vector<int32_t> DrawnColours()
    {
        std::vector<int32_t> colours;
        std::vector<RVertex> v = g_device->TakeSentVertices();
        for (size_t k = 0; k + 3 < v.size(); k += 4)
            colours.push_back(static_cast<int32_t>(((v[k].color & 0xFF) << 16) | (v[k].color & 0xFF00) |
                                                   ((v[k].color >> 16) & 0xFF)));
        return colours;
    }

    std::unique_ptr<CLiveRoom> g_room;
    int32_t g_lastId = 100000;
    int32_t g_lastTile = 10000000;
};
