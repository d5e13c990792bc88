// Models, their list, and turning their entries into a device mesh.
#include "graphics/Models3D.h"

#include "code/Value.h"
#include "graphics/Colors.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/Shapes3D.h"
#include "graphics/Textures.h"
#include "platform/Files.h"

#include <algorithm>
#include <memory>

namespace {

std::vector<std::unique_ptr<C3D_Model>> Models;

int32_t GameColor(double value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(RoundToInteger(value)));
}

// The primitive being replayed, as d3d_primitive_begin and the vertex
// functions keep it.
struct RReplay {
    int32_t kind = 0;
    std::vector<RVertex3D> vertices;
    std::vector<uint8_t> drawColor;

    void Add(const REntry& e, double nx, double ny, double nz, double u, double v, bool colored, double col,
             double alpha)
    {
        if (vertices.size() >= static_cast<size_t>(kPrimitive3DMaxVertices))
            return;
        vertices.push_back({float(e.arg0), float(e.arg1), float(e.arg2), float(nx), float(ny), float(nz),
                            colored ? Color_ToDevice(GameColor(col), alpha) : 0xFFFFFFFFu, float(u), float(v)});
        drawColor.push_back(colored ? 0 : 1);
    }
};

RShapeBox Box(const REntry& e)
{
    return {e.arg0, e.arg1, e.arg2, e.arg3, e.arg4, e.arg5};
}

} // namespace

void Model_BuildMesh(const std::vector<REntry>& entries, int32_t count, RMesh& mesh)
{
    mesh = RMesh();
    RReplay p;
    CShapeWriter shapes(mesh, 0xFFFFFFFFu, true);
    for (int32_t k = 0; k < count && static_cast<size_t>(k) < entries.size(); ++k) {
        const REntry& e = entries[static_cast<size_t>(k)];
        switch (e.kind) {
        case kModelPrimitiveBegin:
            p.kind = static_cast<int32_t>(std::clamp<int64_t>(RoundToInteger(e.arg0), INT32_MIN, INT32_MAX));
            p.vertices.clear();
            p.drawColor.clear();
            break;
        case kModelPrimitiveEnd:
            // As the immediate primitive: nothing unless the kind is 1..6,
            // and ending twice draws it twice.
            if (p.kind >= 1 && p.kind <= 6 && !p.vertices.empty()) {
                mesh.parts.push_back({static_cast<EPrimitive>(p.kind), static_cast<int32_t>(mesh.vertices.size()),
                                      static_cast<int32_t>(p.vertices.size()), false});
                mesh.vertices.insert(mesh.vertices.end(), p.vertices.begin(), p.vertices.end());
                mesh.drawColor.insert(mesh.drawColor.end(), p.drawColor.begin(), p.drawColor.end());
            }
            break;
        case kModelVertex:
            p.Add(e, 0, 0, 0, 0, 0, false, 0, 0);
            break;
        case kModelVertexColor:
            p.Add(e, 0, 0, 0, 0, 0, true, e.arg3, e.arg4);
            break;
        case kModelVertexTexture:
            p.Add(e, 0, 0, 0, e.arg3, e.arg4, false, 0, 0);
            break;
        case kModelVertexTextureColor:
            p.Add(e, 0, 0, 0, e.arg3, e.arg4, true, e.arg5, e.arg6);
            break;
        case kModelVertexNormal:
            p.Add(e, e.arg3, e.arg4, e.arg5, 0, 0, false, 0, 0);
            break;
        case kModelVertexNormalColor:
            p.Add(e, e.arg3, e.arg4, e.arg5, 0, 0, true, e.arg6, e.arg7);
            break;
        case kModelVertexNormalTexture:
            p.Add(e, e.arg3, e.arg4, e.arg5, e.arg6, e.arg7, false, 0, 0);
            break;
        case kModelVertexNormalTextureColor:
            p.Add(e, e.arg3, e.arg4, e.arg5, e.arg6, e.arg7, true, e.arg8, e.arg9);
            break;
        case kModelBlock:
            Shape3D_Block(shapes, Box(e), e.arg6, e.arg7);
            break;
        case kModelCylinder:
            Shape3D_Cylinder(shapes, Box(e), e.arg6, e.arg7, IsTrue(e.arg8), e.arg9);
            break;
        case kModelCone:
            Shape3D_Cone(shapes, Box(e), e.arg6, e.arg7, IsTrue(e.arg8), e.arg9);
            break;
        case kModelEllipsoid:
            Shape3D_Ellipsoid(shapes, Box(e), e.arg6, e.arg7, e.arg8);
            break;
        case kModelWall:
            Shape3D_Wall(shapes, Box(e), e.arg6, e.arg7);
            break;
        case kModelFloor:
            Shape3D_Floor(shapes, Box(e), e.arg6, e.arg7);
            break;
        default:
            break; // a kind no drawing step has (from a file): nothing
        }
    }
}

void C3D_Model::Create()
{
    Destroy();
    i_numb = 0;
    i_val.clear();
}

void C3D_Model::Clear()
{
    i_numb = 0;
    i_val.clear();
    i_meshBuilt = false;
}

bool C3D_Model::LoadFromFile(const std::string& fname)
{
    std::vector<uint8_t> bytes;
    std::vector<REntry> read;
    if (!Platform_ReadWholeFile(ToHostPath(fname), bytes) ||
        !ModelFile_Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), read))
        return false;
    Clear();
    i_numb = static_cast<int32_t>(read.size());
    i_val = std::move(read);
    return true;
}

bool C3D_Model::SaveToFile(const std::string& fname) const
{
    const std::string text = ModelFile_Write(i_val, i_numb);
    return Platform_WriteWholeFile(ToHostPath(fname), text.data(), text.size());
}

void C3D_Model::AddEntry(int32_t kind, double arg0, double arg1, double arg2, double arg3, double arg4, double arg5,
                         double arg6, double arg7, double arg8, double arg9)
{
    if (static_cast<size_t>(i_numb) >= i_val.size())
        i_val.resize(static_cast<size_t>(i_numb) + 32);
    i_val[static_cast<size_t>(i_numb++)] = {kind, arg0, arg1, arg2, arg3, arg4, arg5, arg6, arg7, arg8, arg9};
    i_meshBuilt = false;
}

void C3D_Model::Draw(double x, double y, double z, int32_t tex)
{
    IRenderDevice* device = Display_Device();
    if (!device)
        return;
    if (!i_meshBuilt) {
        if (i_mesh)
            device->FreeMesh(i_mesh);
        RMesh mesh;
        Model_BuildMesh(i_val, i_numb, mesh);
        i_mesh = mesh.parts.empty() ? 0 : device->CreateMesh(mesh);
        i_meshBuilt = true;
    }
    if (!i_mesh)
        return;
    device->SetDrawSettings(Draw_Settings(false));
    const float offset[3] = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
    device->DrawMesh(i_mesh, Texture_Handle(tex), Draw_DeviceColor(), offset);
}

void C3D_Model::Destroy()
{
    if (i_mesh)
        if (IRenderDevice* device = Display_Device())
            device->FreeMesh(i_mesh);
    ForgetMesh();
}

void C3D_Model::ForgetMesh()
{
    i_mesh = 0;
    i_meshBuilt = false;
}

int32_t Model_Create()
{
    for (size_t k = 0; k < Models.size(); ++k)
        if (!Models[k]) {
            Models[k] = std::make_unique<C3D_Model>();
            return static_cast<int32_t>(k);
        }
    const size_t index = Models.size();
    Models.resize(index + 16);
    Models[index] = std::make_unique<C3D_Model>();
    return static_cast<int32_t>(index);
}

C3D_Model* Model_Get(int32_t index)
{
    if (index < 0 || static_cast<size_t>(index) >= Models.size())
        return nullptr;
    return Models[static_cast<size_t>(index)].get();
}

void Model_Destroy(int32_t index)
{
    if (Model_Get(index))
        Models[static_cast<size_t>(index)].reset();
}

void Model_DestroyAll()
{
    Models.clear();
}

void Model_ForgetMeshes()
{
    for (auto& model : Models)
        if (model)
            model->ForgetMesh();
}
