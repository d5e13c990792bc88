// Script functions that draw in 3D: primitives with normals, the shapes,
// and models (made, filled, drawn, saved and loaded).
#include "code/FunctionCatalogue.h"
#include "graphics/Colors.h"
#include "graphics/DrawState.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Graphics.h"
#include "graphics/Models3D.h"
#include "graphics/Primitive3D.h"
#include "world/SecureMode.h"

namespace {

// A vertex from (x, y, z) with normal, texture coordinates and colour taken
// from the given argument positions (-1: none).
RVertex3D Vertex(const RValue* a, int normal, int texture, int color)
{
    RVertex3D v;
    v.x = static_cast<float>(a[0].val);
    v.y = static_cast<float>(a[1].val);
    v.z = static_cast<float>(a[2].val);
    if (normal >= 0) {
        v.nx = static_cast<float>(a[normal].val);
        v.ny = static_cast<float>(a[normal + 1].val);
        v.nz = static_cast<float>(a[normal + 2].val);
    }
    if (texture >= 0) {
        v.u = static_cast<float>(a[texture].val);
        v.v = static_cast<float>(a[texture + 1].val);
    }
    v.color = color >= 0 ? Color_ToDevice(ArgColor(a[color]), a[color + 1].val) : Draw_DeviceColor();
    return v;
}

BUILTIN(D3dPrimitiveBegin) { Primitive3D_Begin(ArgInt(args[0]), -1); return true; }
BUILTIN(D3dPrimitiveBeginTexture) { Primitive3D_Begin(ArgInt(args[0]), ArgInt(args[1])); return true; }
BUILTIN(D3dPrimitiveEnd) { Primitive3D_End(); return true; }
BUILTIN(D3dVertex) { Primitive3D_AddVertex(Vertex(args, -1, -1, -1)); return true; }
BUILTIN(D3dVertexColor) { Primitive3D_AddVertex(Vertex(args, -1, -1, 3)); return true; }
BUILTIN(D3dVertexTexture) { Primitive3D_AddVertex(Vertex(args, -1, 3, -1)); return true; }
BUILTIN(D3dVertexTextureColor) { Primitive3D_AddVertex(Vertex(args, -1, 3, 5)); return true; }
BUILTIN(D3dVertexNormal) { Primitive3D_AddVertex(Vertex(args, 3, -1, -1)); return true; }
BUILTIN(D3dVertexNormalColor) { Primitive3D_AddVertex(Vertex(args, 3, -1, 6)); return true; }
BUILTIN(D3dVertexNormalTexture) { Primitive3D_AddVertex(Vertex(args, 3, 6, -1)); return true; }
BUILTIN(D3dVertexNormalTextureColor) { Primitive3D_AddVertex(Vertex(args, 3, 6, 8)); return true; }

// The shape arguments: x1, y1, z1, x2, y2, z2, then (after the texture when
// drawn at once) hrepeat, vrepeat and closed and steps where the shape has them.
RShape3D Shape(EShape3D kind, const RValue* a, int repeats)
{
    RShape3D s;
    s.kind = kind;
    s.box = {a[0].val, a[1].val, a[2].val, a[3].val, a[4].val, a[5].val};
    s.hrepeat = a[repeats].val;
    s.vrepeat = a[repeats + 1].val;
    if (kind == EShape3D::Cylinder || kind == EShape3D::Cone) {
        s.closed = ArgBool(a[repeats + 2]);
        s.steps = a[repeats + 3].val;
    } else if (kind == EShape3D::Ellipsoid) {
        s.steps = a[repeats + 2].val;
    }
    return s;
}

void DrawShape(EShape3D kind, const RValue* args)
{
    Shape3D_Draw(Shape(kind, args, 7), ArgInt(args[6]));
}

BUILTIN(D3dDrawBlock) { DrawShape(EShape3D::Block, args); return true; }
BUILTIN(D3dDrawCylinder) { DrawShape(EShape3D::Cylinder, args); return true; }
BUILTIN(D3dDrawCone) { DrawShape(EShape3D::Cone, args); return true; }
BUILTIN(D3dDrawEllipsoid) { DrawShape(EShape3D::Ellipsoid, args); return true; }
BUILTIN(D3dDrawWall) { DrawShape(EShape3D::Wall, args); return true; }
BUILTIN(D3dDrawFloor) { DrawShape(EShape3D::Floor, args); return true; }

BUILTIN(D3dModelCreate) { result.SetReal(Model_Create()); return true; }
BUILTIN(D3dModelDestroy) { Model_Destroy(ArgInt(args[0])); return true; }
BUILTIN(D3dModelClear)
{
    if (C3D_Model* model = Model_Get(ArgInt(args[0])))
        model->Clear();
    return true;
}
BUILTIN(D3dModelLoad)
{
    C3D_Model* model = Model_Get(ArgInt(args[0]));
    result.SetReal(model && model->LoadFromFile(args[1].str.Text()) ? 1.0 : 0.0);
    return true;
}
BUILTIN(D3dModelSave)
{
    C3D_Model* model = Model_Get(ArgInt(args[0]));
    const std::string& name = args[1].str.Text();
    result.SetReal(model && SecureMode_MayWrite(name) && model->SaveToFile(name) ? 1.0 : 0.0);
    return true;
}
BUILTIN(D3dModelDraw)
{
    if (C3D_Model* model = Model_Get(ArgInt(args[0])))
        model->Draw(args[1].val, args[2].val, args[3].val, ArgInt(args[4]));
    return true;
}

// Appends an entry of kind whose arguments are the call's after the model
// index (count of them; the rest 0).
void Append(const RValue* args, int32_t kind, int count)
{
    C3D_Model* model = Model_Get(ArgInt(args[0]));
    if (!model)
        return;
    double a[10] = {};
    for (int k = 0; k < count && k < 10; ++k)
        a[k] = args[k + 1].val;
    model->AddEntry(kind, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
}

BUILTIN(D3dModelPrimitiveBegin) { Append(args, kModelPrimitiveBegin, 1); return true; }
BUILTIN(D3dModelPrimitiveEnd) { Append(args, kModelPrimitiveEnd, 0); return true; }
BUILTIN(D3dModelVertex) { Append(args, kModelVertex, 3); return true; }
BUILTIN(D3dModelVertexColor) { Append(args, kModelVertexColor, 5); return true; }
BUILTIN(D3dModelVertexTexture) { Append(args, kModelVertexTexture, 5); return true; }
BUILTIN(D3dModelVertexTextureColor) { Append(args, kModelVertexTextureColor, 7); return true; }
BUILTIN(D3dModelVertexNormal) { Append(args, kModelVertexNormal, 6); return true; }
BUILTIN(D3dModelVertexNormalColor) { Append(args, kModelVertexNormalColor, 8); return true; }
BUILTIN(D3dModelVertexNormalTexture) { Append(args, kModelVertexNormalTexture, 8); return true; }
BUILTIN(D3dModelVertexNormalTextureColor) { Append(args, kModelVertexNormalTextureColor, 10); return true; }
BUILTIN(D3dModelBlock) { Append(args, kModelBlock, 8); return true; }
BUILTIN(D3dModelCylinder) { Append(args, kModelCylinder, 10); return true; }
BUILTIN(D3dModelCone) { Append(args, kModelCone, 10); return true; }
BUILTIN(D3dModelEllipsoid) { Append(args, kModelEllipsoid, 9); return true; }
BUILTIN(D3dModelWall) { Append(args, kModelWall, 8); return true; }
BUILTIN(D3dModelFloor) { Append(args, kModelFloor, 8); return true; }

} // namespace

void Graphics_RegisterD3DModelFunctions()
{
    Function_Implement("d3d_primitive_begin", &D3dPrimitiveBegin);
    Function_Implement("d3d_primitive_begin_texture", &D3dPrimitiveBeginTexture);
    Function_Implement("d3d_primitive_end", &D3dPrimitiveEnd);
    Function_Implement("d3d_vertex", &D3dVertex);
    Function_Implement("d3d_vertex_color", &D3dVertexColor);
    Function_Implement("d3d_vertex_texture", &D3dVertexTexture);
    Function_Implement("d3d_vertex_texture_color", &D3dVertexTextureColor);
    Function_Implement("d3d_vertex_normal", &D3dVertexNormal);
    Function_Implement("d3d_vertex_normal_color", &D3dVertexNormalColor);
    Function_Implement("d3d_vertex_normal_texture", &D3dVertexNormalTexture);
    Function_Implement("d3d_vertex_normal_texture_color", &D3dVertexNormalTextureColor);
    Function_Implement("d3d_draw_block", &D3dDrawBlock);
    Function_Implement("d3d_draw_cylinder", &D3dDrawCylinder);
    Function_Implement("d3d_draw_cone", &D3dDrawCone);
    Function_Implement("d3d_draw_ellipsoid", &D3dDrawEllipsoid);
    Function_Implement("d3d_draw_wall", &D3dDrawWall);
    Function_Implement("d3d_draw_floor", &D3dDrawFloor);
    Function_Implement("d3d_model_create", &D3dModelCreate);
    Function_Implement("d3d_model_destroy", &D3dModelDestroy);
    Function_Implement("d3d_model_clear", &D3dModelClear);
    Function_Implement("d3d_model_load", &D3dModelLoad);
    Function_Implement("d3d_model_save", &D3dModelSave);
    Function_Implement("d3d_model_draw", &D3dModelDraw);
    Function_Implement("d3d_model_primitive_begin", &D3dModelPrimitiveBegin);
    Function_Implement("d3d_model_primitive_end", &D3dModelPrimitiveEnd);
    Function_Implement("d3d_model_vertex", &D3dModelVertex);
    Function_Implement("d3d_model_vertex_color", &D3dModelVertexColor);
    Function_Implement("d3d_model_vertex_texture", &D3dModelVertexTexture);
    Function_Implement("d3d_model_vertex_texture_color", &D3dModelVertexTextureColor);
    Function_Implement("d3d_model_vertex_normal", &D3dModelVertexNormal);
    Function_Implement("d3d_model_vertex_normal_color", &D3dModelVertexNormalColor);
    Function_Implement("d3d_model_vertex_normal_texture", &D3dModelVertexNormalTexture);
    Function_Implement("d3d_model_vertex_normal_texture_color", &D3dModelVertexNormalTextureColor);
    Function_Implement("d3d_model_block", &D3dModelBlock);
    Function_Implement("d3d_model_cylinder", &D3dModelCylinder);
    Function_Implement("d3d_model_cone", &D3dModelCone);
    Function_Implement("d3d_model_ellipsoid", &D3dModelEllipsoid);
    Function_Implement("d3d_model_wall", &D3dModelWall);
    Function_Implement("d3d_model_floor", &D3dModelFloor);
}
