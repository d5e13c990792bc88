// Script functions of 3D mode: switching it, the depth, hidden surfaces,
// culling, shading, fog, the projections, the world transform and its
// stack, and the lights.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "graphics/DrawState.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Graphics.h"
#include "graphics/Matrix3D.h"
#include "graphics/Mode3D.h"

#include <cmath>
#include <numbers>

namespace {

// Games turn counter-clockwise in a y-down room with positive degrees, which
// in these matrices is the negative angle.
double Radians(const RValue& degrees)
{
    return degrees.val * -std::numbers::pi / 180.0;
}

void Result(RValue& result, bool ok)
{
    result.SetReal(ok ? 1.0 : 0.0);
}

BUILTIN(D3dStart) { Result(result, D3D_SetMode(true)); return true; }
BUILTIN(D3dEnd) { Result(result, D3D_SetMode(false)); return true; }
BUILTIN(D3dSetPerspective) { Mode3D.perspective = ArgBool(args[0]); return true; }
BUILTIN(D3dSetHidden) { D3D_SetHidden(ArgBool(args[0])); return true; }
BUILTIN(D3dSetDepth) { D3D_SetDepth(args[0].val); return true; }
BUILTIN(D3dSetLighting) { D3D_SetLighting(ArgBool(args[0])); return true; }
BUILTIN(D3dSetShading) { D3D_SetShading(ArgBool(args[0])); return true; }
BUILTIN(D3dSetCulling) { D3D_SetCulling(ArgBool(args[0])); return true; }
BUILTIN(D3dSetFog)
{
    D3D_SetFog(ArgBool(args[0]), ArgColor(args[1]), args[2].val, args[3].val);
    return true;
}

void SetView(const RValue* a)
{
    IRenderDevice* device = Display_Device();
    if (!device)
        return;
    const RMatrix4 view = Matrix_LookAt({a[0].val, a[1].val, a[2].val}, {a[3].val, a[4].val, a[5].val},
                                        {a[6].val, a[7].val, a[8].val});
    float matrix[16];
    Matrix_ToDevice(view, matrix);
    device->SetTransform(ETransform::View, matrix);
}

BUILTIN(D3dSetProjection) { SetView(args); return true; }
BUILTIN(D3dSetProjectionExt)
{
    SetView(args);
    if (IRenderDevice* device = Display_Device()) {
        const RMatrix4 projection =
            Matrix_PerspectiveFov(args[9].val * std::numbers::pi / 180.0, args[10].val, args[11].val, args[12].val);
        float matrix[16];
        Matrix_ToDevice(projection, matrix);
        device->SetTransform(ETransform::Projection, matrix);
    }
    return true;
}
BUILTIN(D3dSetProjectionOrtho)
{
    Draw_SetProjection2DForm(args[0].val, args[1].val, args[2].val, args[3].val, args[4].val, false);
    return true;
}
BUILTIN(D3dSetProjectionPerspective)
{
    Draw_SetProjection2DForm(args[0].val, args[1].val, args[2].val, args[3].val, args[4].val, true);
    return true;
}

BUILTIN(D3dTransformSetIdentity) { D3D_SetWorld(Matrix_Identity()); return true; }
BUILTIN(D3dTransformSetTranslation) { D3D_SetWorld(Matrix_Translation(args[0].val, args[1].val, args[2].val)); return true; }
BUILTIN(D3dTransformSetScaling) { D3D_SetWorld(Matrix_Scaling(args[0].val, args[1].val, args[2].val)); return true; }
BUILTIN(D3dTransformSetRotationX) { D3D_SetWorld(Matrix_RotationX(Radians(args[0]))); return true; }
BUILTIN(D3dTransformSetRotationY) { D3D_SetWorld(Matrix_RotationY(Radians(args[0]))); return true; }
BUILTIN(D3dTransformSetRotationZ) { D3D_SetWorld(Matrix_RotationZ(Radians(args[0]))); return true; }
BUILTIN(D3dTransformSetRotationAxis)
{
    D3D_SetWorld(Matrix_RotationAxis(args[0].val, args[1].val, args[2].val, Radians(args[3])));
    return true;
}
BUILTIN(D3dTransformAddTranslation) { D3D_AddToWorld(Matrix_Translation(args[0].val, args[1].val, args[2].val)); return true; }
BUILTIN(D3dTransformAddScaling) { D3D_AddToWorld(Matrix_Scaling(args[0].val, args[1].val, args[2].val)); return true; }
BUILTIN(D3dTransformAddRotationX) { D3D_AddToWorld(Matrix_RotationX(Radians(args[0]))); return true; }
BUILTIN(D3dTransformAddRotationY) { D3D_AddToWorld(Matrix_RotationY(Radians(args[0]))); return true; }
BUILTIN(D3dTransformAddRotationZ) { D3D_AddToWorld(Matrix_RotationZ(Radians(args[0]))); return true; }
BUILTIN(D3dTransformAddRotationAxis)
{
    D3D_AddToWorld(Matrix_RotationAxis(args[0].val, args[1].val, args[2].val, Radians(args[3])));
    return true;
}
BUILTIN(D3dTransformStackClear) { D3D_ClearWorldStack(); return true; }
BUILTIN(D3dTransformStackEmpty) { Result(result, Mode3D.stack.empty()); return true; }
BUILTIN(D3dTransformStackPush) { Result(result, D3D_PushWorld()); return true; }
BUILTIN(D3dTransformStackPop) { Result(result, D3D_PopWorld()); return true; }
BUILTIN(D3dTransformStackTop) { Result(result, D3D_TopWorld()); return true; }
BUILTIN(D3dTransformStackDiscard) { Result(result, D3D_DiscardWorld()); return true; }

// The diffuse colour of a light: each channel of a game colour ÷ 255.
void SetLightColor(RLight& light, const RValue& value)
{
    const int32_t color = ArgColor(value);
    light.r = static_cast<float>(color & 0xFF) / 255.0f;
    light.g = static_cast<float>((color >> 8) & 0xFF) / 255.0f;
    light.b = static_cast<float>((color >> 16) & 0xFF) / 255.0f;
}

BUILTIN(D3dLightDefineAmbient)
{
    // A real only, truncated; a colour past any integer means nothing.
    const double truncated = std::trunc(args[0].val);
    if (args[0].IsReal() && std::fabs(truncated) < 9.0e18)
        D3D_SetAmbient(static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(truncated))));
    return true;
}
BUILTIN(D3dLightDefineDirection)
{
    RLight light;
    light.point = false;
    light.x = static_cast<float>(args[1].val);
    light.y = static_cast<float>(args[2].val);
    light.z = static_cast<float>(args[3].val);
    SetLightColor(light, args[4]);
    D3D_DefineLight(ArgInt(args[0]), light);
    return true;
}
BUILTIN(D3dLightDefinePoint)
{
    RLight light;
    light.point = true;
    light.x = static_cast<float>(args[1].val);
    light.y = static_cast<float>(args[2].val);
    light.z = static_cast<float>(args[3].val);
    light.range = static_cast<float>(args[4].val);
    light.attenuation = args[4].val > 0 ? static_cast<float>(4.0 / args[4].val) : 0.0f;
    SetLightColor(light, args[5]);
    D3D_DefineLight(ArgInt(args[0]), light);
    return true;
}
BUILTIN(D3dLightEnable)
{
    if (!D3D_EnableLight(ArgInt(args[0]), ArgBool(args[1])))
        Error_ShowInEvent("At most " + std::to_string(RSceneState::kMaxLights) + " lights can be on at once.", false);
    return true;
}

} // namespace

void Graphics_RegisterD3DFunctions()
{
    Function_Implement("d3d_start", &D3dStart);
    Function_Implement("d3d_end", &D3dEnd);
    Function_Implement("d3d_set_perspective", &D3dSetPerspective);
    Function_Implement("d3d_set_hidden", &D3dSetHidden);
    Function_Implement("d3d_set_depth", &D3dSetDepth);
    Function_Implement("d3d_set_lighting", &D3dSetLighting);
    Function_Implement("d3d_set_shading", &D3dSetShading);
    Function_Implement("d3d_set_culling", &D3dSetCulling);
    Function_Implement("d3d_set_fog", &D3dSetFog);
    Function_Implement("d3d_set_projection", &D3dSetProjection);
    Function_Implement("d3d_set_projection_ext", &D3dSetProjectionExt);
    Function_Implement("d3d_set_projection_ortho", &D3dSetProjectionOrtho);
    Function_Implement("d3d_set_projection_perspective", &D3dSetProjectionPerspective);
    Function_Implement("d3d_transform_set_identity", &D3dTransformSetIdentity);
    Function_Implement("d3d_transform_set_translation", &D3dTransformSetTranslation);
    Function_Implement("d3d_transform_set_scaling", &D3dTransformSetScaling);
    Function_Implement("d3d_transform_set_rotation_x", &D3dTransformSetRotationX);
    Function_Implement("d3d_transform_set_rotation_y", &D3dTransformSetRotationY);
    Function_Implement("d3d_transform_set_rotation_z", &D3dTransformSetRotationZ);
    Function_Implement("d3d_transform_set_rotation_axis", &D3dTransformSetRotationAxis);
    Function_Implement("d3d_transform_add_translation", &D3dTransformAddTranslation);
    Function_Implement("d3d_transform_add_scaling", &D3dTransformAddScaling);
    Function_Implement("d3d_transform_add_rotation_x", &D3dTransformAddRotationX);
    Function_Implement("d3d_transform_add_rotation_y", &D3dTransformAddRotationY);
    Function_Implement("d3d_transform_add_rotation_z", &D3dTransformAddRotationZ);
    Function_Implement("d3d_transform_add_rotation_axis", &D3dTransformAddRotationAxis);
    Function_Implement("d3d_transform_stack_clear", &D3dTransformStackClear);
    Function_Implement("d3d_transform_stack_empty", &D3dTransformStackEmpty);
    Function_Implement("d3d_transform_stack_push", &D3dTransformStackPush);
    Function_Implement("d3d_transform_stack_pop", &D3dTransformStackPop);
    Function_Implement("d3d_transform_stack_top", &D3dTransformStackTop);
    Function_Implement("d3d_transform_stack_discard", &D3dTransformStackDiscard);
    Function_Implement("d3d_light_define_ambient", &D3dLightDefineAmbient);
    Function_Implement("d3d_light_define_direction", &D3dLightDefineDirection);
    Function_Implement("d3d_light_define_point", &D3dLightDefinePoint);
    Function_Implement("d3d_light_enable", &D3dLightEnable);
}
