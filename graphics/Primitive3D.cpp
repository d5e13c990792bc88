// Immediate 3D drawing: script primitives and shapes.
#include "graphics/Primitive3D.h"

#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/Models3D.h"
#include "graphics/Textures.h"

#include <vector>

namespace {

int32_t Kind = 0;
int32_t Texture = -1;
std::vector<RVertex3D> Vertices;
RMesh Scratch; // reused so that drawing a shape allocates nothing once warm

} // namespace

void Primitive3D_Begin(int32_t kind, int32_t texture)
{
    Kind = kind;
    Texture = texture;
    Vertices.clear();
}

void Primitive3D_AddVertex(const RVertex3D& vertex)
{
    if (Vertices.size() < static_cast<size_t>(kPrimitive3DMaxVertices))
        Vertices.push_back(vertex);
}

void Primitive3D_End()
{
    IRenderDevice* device = Display_Device();
    if (!device || Kind < 1 || Kind > 6 || Vertices.empty())
        return;
    device->SetDrawSettings(Draw_Settings(false));
    device->Draw3D(static_cast<EPrimitive>(Kind), Texture_Handle(Texture), Vertices.data(),
                   static_cast<int32_t>(Vertices.size()));
}

int32_t Primitive3D_VertexCount()
{
    return static_cast<int32_t>(Vertices.size());
}

void Shape3D_Write(CShapeWriter& out, const RShape3D& s)
{
    switch (s.kind) {
    case EShape3D::Block:
        Shape3D_Block(out, s.box, s.hrepeat, s.vrepeat);
        break;
    case EShape3D::Cylinder:
        Shape3D_Cylinder(out, s.box, s.hrepeat, s.vrepeat, s.closed, s.steps);
        break;
    case EShape3D::Cone:
        Shape3D_Cone(out, s.box, s.hrepeat, s.vrepeat, s.closed, s.steps);
        break;
    case EShape3D::Ellipsoid:
        Shape3D_Ellipsoid(out, s.box, s.hrepeat, s.vrepeat, s.steps);
        break;
    case EShape3D::Wall:
        Shape3D_Wall(out, s.box, s.hrepeat, s.vrepeat);
        break;
    case EShape3D::Floor:
        Shape3D_Floor(out, s.box, s.hrepeat, s.vrepeat);
        break;
    }
}

void Shape3D_Draw(const RShape3D& shape, int32_t tex)
{
    IRenderDevice* device = Display_Device();
    if (!device)
        return;
    Scratch.vertices.clear();
    Scratch.drawColor.clear();
    Scratch.parts.clear();
    CShapeWriter writer(Scratch, Draw_DeviceColor(), false);
    Shape3D_Write(writer, shape);
    if (Scratch.parts.empty())
        return;
    // Texture coordinates wrap while the shape is drawn; the repeat flag
    // itself is left as it was.
    RDrawSettings settings = Draw_Settings(false);
    settings.repeat = true;
    device->SetDrawSettings(settings);
    const TextureHandle handle = Texture_Handle(tex);
    for (const RMeshPart& part : Scratch.parts)
        device->Draw3D(part.kind, handle, Scratch.vertices.data() + part.first, part.count);
}
