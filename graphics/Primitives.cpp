// Building and drawing script primitives.
#include "graphics/Primitives.h"

#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/Textures.h"

#include <vector>

namespace {

int32_t Kind = 0;
int32_t Texture = -1;
std::vector<RVertex> Vertices;

} // namespace

void Primitive_Begin(int32_t kind, int32_t texture)
{
    Kind = kind;
    Texture = texture;
    Vertices.clear();
}

void Primitive_AddVertex(double x, double y, uint32_t argb, double u, double v)
{
    if (Vertices.size() >= static_cast<size_t>(kPrimitiveMaxVertices))
        return;
    Vertices.push_back({static_cast<float>(x), static_cast<float>(y), static_cast<float>(DrawState.depth), argb,
                        static_cast<float>(u), static_cast<float>(v)});
}

void Primitive_End()
{
    IRenderDevice* device = Display_Device();
    if (!device || Kind < 1 || Kind > 6 || Vertices.empty())
        return;
    // A texture id that names nothing draws the primitive untextured, as an
    // unbound texture stage would.
    device->SetDrawSettings(Draw_Settings(false));
    device->Draw(static_cast<EPrimitive>(Kind), Texture_Handle(Texture), Vertices.data(),
                 static_cast<int32_t>(Vertices.size()));
}

int32_t Primitive_VertexCount()
{
    return static_cast<int32_t>(Vertices.size());
}
