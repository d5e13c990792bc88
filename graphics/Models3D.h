// 3D models: lists of recorded drawing steps (primitives, vertices and
// shapes) that can be drawn as a whole, saved and loaded. A model goes to
// the device as one vertex buffer the first time it is drawn after a change
// and is drawn from there with a call or two, however many steps it holds.
#pragma once

#include "graphics/ModelFile.h"
#include "platform/RenderDevice.h"

#include <cstdint>
#include <string>
#include <vector>

// Entry kinds and their arguments (arg0 onwards).
enum EModelEntry : int32_t {
    kModelPrimitiveBegin = 0, // primitive kind
    kModelPrimitiveEnd = 1,
    kModelVertex = 2,                     // x, y, z
    kModelVertexColor = 3,                // x, y, z, col, alpha
    kModelVertexTexture = 4,              // x, y, z, xtex, ytex
    kModelVertexTextureColor = 5,         // x, y, z, xtex, ytex, col, alpha
    kModelVertexNormal = 6,               // x, y, z, nx, ny, nz
    kModelVertexNormalColor = 7,          // x, y, z, nx, ny, nz, col, alpha
    kModelVertexNormalTexture = 8,        // x, y, z, nx, ny, nz, xtex, ytex
    kModelVertexNormalTextureColor = 9,   // x, y, z, nx, ny, nz, xtex, ytex, col, alpha
    kModelBlock = 10,                     // x1, y1, z1, x2, y2, z2, hrepeat, vrepeat
    kModelCylinder = 11,                  // ... hrepeat, vrepeat, closed, steps
    kModelCone = 12,                      // as the cylinder
    kModelEllipsoid = 13,                 // ... hrepeat, vrepeat, steps
    kModelWall = 14,                      // x1, y1, z1, x2, y2, z2, hrepeat, vrepeat
    kModelFloor = 15,                     // x1, y1, z1, x2, y2, z2, hrepeat, vrepeat
};

// The most vertices one primitive takes; later ones are ignored.
constexpr int32_t kPrimitive3DMaxVertices = 32001;

class C3D_Model {
public:
    C3D_Model() { Create(); }
    ~C3D_Model() { Destroy(); }
    C3D_Model(const C3D_Model&) = delete;
    C3D_Model& operator=(const C3D_Model&) = delete;

    void Create();
    void Clear();
    // The entries of the file replace the model's; on failure it keeps what
    // it had.
    bool LoadFromFile(const std::string& fname);
    bool SaveToFile(const std::string& fname) const;
    void AddEntry(int32_t kind, double arg0 = 0, double arg1 = 0, double arg2 = 0, double arg3 = 0, double arg4 = 0,
                  double arg5 = 0, double arg6 = 0, double arg7 = 0, double arg8 = 0, double arg9 = 0);
    // Every vertex position and shape corner moved by (x, y, z); texture tex
    // (-1 or an unused id: none).
    void Draw(double x, double y, double z, int32_t tex);
    // Lets go of the device's copy.
    void Destroy();
    // The device went away with every mesh it held.
    void ForgetMesh();

    int32_t i_numb = 0;
    std::vector<REntry> i_val; // grows in blocks of 32; the first i_numb are used

private:
    MeshHandle i_mesh = 0;
    bool i_meshBuilt = false;
};

// Replays the entries into a mesh: what drawing them one by one would draw.
// Vertices without a colour, and all shape vertices, take the colour of each draw.
void Model_BuildMesh(const std::vector<REntry>& entries, int32_t count, RMesh& mesh);

// The model list: a new model takes the first free slot (the list grows 16
// slots at a time); an index that names no model gives null.
int32_t Model_Create();
C3D_Model* Model_Get(int32_t index);
void Model_Destroy(int32_t index);
void Model_DestroyAll();
void Model_ForgetMeshes();
