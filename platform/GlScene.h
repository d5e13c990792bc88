// The shader program of 3D drawing on the OpenGL device: vertices with
// normals lit by an ambient colour and up to eight lights, flat or smooth
// shading, fog along the eye's view, texels without alpha left out, and
// models moved by an offset with their uncoloured vertices in the draw's
// colour. 2D drawing that meets none of this keeps the device's plain
// program. Internal to platform/.
#pragma once

#include "platform/RenderDevice.h"

#include "platform/GlApi.h"

#include <string>

// Compiles and links a program from two sources (without their version
// line); 0 and the reason on failure.
GLuint Gl_BuildProgram(const char* vertexSource, const char* fragmentSource, std::string& error);

class CGlSceneProgram {
public:
    bool Build(std::string& error);
    void Release();
    GLuint Program() const { return s_program; }

    // The calls below need the program in use. Matrices are column-major for
    // column vectors, as the device keeps them.
    // full: everything from model to clip space; world: model to world space;
    // view: world to eye space (only its depth row is used, for fog).
    void SetTransforms(const float full[16], const float world[16], const float view[16]);
    void SetScene(const RSceneState& scene);
    // 0: the vertex colour alone; 1: texture × colour; 2: the texture alone.
    void SetMode(GLint mode);
    // A model's offset and the colour of its uncoloured vertices; batches
    // have neither.
    void SetMesh(const float offset[3], uint32_t drawColor);
    void ClearMesh();

private:
    GLuint s_program = 0;
    GLint s_transform = -1, s_world = -1, s_normalMatrix = -1, s_eyeDepth = -1;
    GLint s_offset = -1, s_drawColor = -1;
    GLint s_lighting = -1, s_ambient = -1, s_lightCount = -1, s_lightPlace = -1, s_lightColor = -1,
          s_lightReach = -1;
    GLint s_mode = -1, s_flat = -1, s_alphaTest = -1, s_fog = -1, s_fogColor = -1, s_fogLine = -1;
    GLint s_modeNow = -1;
    bool s_meshSet = true; // forces the first ClearMesh through
};
