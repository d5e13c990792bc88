// The drawing device: a back buffer as large as the drawing region, textures,
// render targets, read-back, and batched drawing of coloured and textured
// primitives. Coordinates given to the device put pixel centres at whole
// numbers and depth in 0..1; the device converts to its own conventions.
// Colours are 0xAARRGGBB. Pixel blocks are blue, green, red, alpha bytes with
// rows from the top, as TBitmap32 keeps them.
#pragma once

#include "platform/GameWindow.h"

#include <cstdint>
#include <functional>
#include <vector>

struct RVertex {
    float x = 0, y = 0, z = 0;
    uint32_t color = 0xFFFFFFFF;
    float u = 0, v = 0;
};
static_assert(sizeof(RVertex) == 24, "vertices go to the device as they are");

// The primitive kinds as games number them.
enum class EPrimitive : int32_t {
    PointList = 1,
    LineList = 2,
    LineStrip = 3,
    TriangleList = 4,
    TriangleStrip = 5,
    TriangleFan = 6,
    // Not one of the games' kinds: quads of four vertices each (top-left,
    // top-right, bottom-right, bottom-left), two triangles apiece, so that
    // many pictures reach the device in one call.
    QuadList = 100,
};

// Blend factors as games number them.
enum EBlendFactor : int32_t {
    kBlendZero = 1,
    kBlendOne = 2,
    kBlendSrcColor = 3,
    kBlendInvSrcColor = 4,
    kBlendSrcAlpha = 5,
    kBlendInvSrcAlpha = 6,
    kBlendDestAlpha = 7,
    kBlendInvDestAlpha = 8,
    kBlendDestColor = 9,
    kBlendInvDestColor = 10,
    kBlendSrcAlphaSat = 11,
};

// The state every draw carries; a change ends the current batch.
struct RDrawSettings {
    int32_t blendSource = kBlendSrcAlpha;
    int32_t blendDest = kBlendInvSrcAlpha;
    bool linearFilter = false; // bilinear, else nearest texel
    bool repeat = false;       // wrap texture coordinates, else clamp
    bool modulate = true;      // texture × vertex colour, else the texture alone
    bool operator==(const RDrawSettings&) const = default;
};

enum class ETransform : int32_t { World, View, Projection };

// A vertex of 3D drawing: position, normal (0, 0, 0 where it has none),
// colour and texture coordinates.
struct RVertex3D {
    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 0, nz = 0;
    uint32_t color = 0xFFFFFFFF;
    float u = 0, v = 0;
};
static_assert(sizeof(RVertex3D) == 36, "vertices go to the device as they are");

// A light of the scene, in world coordinates. Its colour lights surfaces in
// proportion to how squarely they face it; a point light reaches range units
// and weakens as 1 / (1 + attenuation × distance).
struct RLight {
    bool point = false;            // else directional
    float x = 0, y = 0, z = 1;     // direction the light shines, or its position
    float r = 1, g = 1, b = 1;     // 0..1
    float range = 0;
    float attenuation = 0;
    bool operator==(const RLight&) const = default;
};

// How 3D drawing is shaded, beside the draw settings. All off is plain 2D.
struct RSceneState {
    static constexpr int32_t kMaxLights = 8;

    // Depth test and depth writes where the target has a depth buffer, and
    // texels of no alpha neither drawn nor written.
    bool hidden = false;
    bool cull = false;   // faces that turn counter-clockwise on the screen are not drawn
    bool lighting = false;
    bool flat = false;   // each triangle takes the colour of its first vertex
    bool fog = false;
    uint32_t fogColor = 0xFF000000; // 0xAARRGGBB
    float fogStart = 0, fogEnd = 0; // distances along the eye's view
    float ambient[3] = {0, 0, 0};
    int32_t lightCount = 0;
    RLight lights[kMaxLights];
    bool operator==(const RSceneState&) const = default;
};

// A model kept in the device: its vertices are sent once, then drawn as a
// whole as often as asked. Parts are primitives over consecutive vertices;
// a part with repeat wraps texture coordinates whatever the draw settings say.
// Vertices marked in drawColor take the colour given to each draw instead of
// their own.
struct RMeshPart {
    EPrimitive kind = EPrimitive::TriangleList;
    int32_t first = 0;
    int32_t count = 0;
    bool repeat = false;
};
struct RMesh {
    std::vector<RVertex3D> vertices;
    std::vector<uint8_t> drawColor; // one per vertex, 1: take the draw's colour
    std::vector<RMeshPart> parts;
};
using MeshHandle = uint32_t;

// What the device did, for tests and benchmarks.
struct RDeviceStats {
    int64_t drawCalls = 0;     // batches sent
    int64_t primitives = 0;    // Draw calls received
    int64_t vertices = 0;
    int64_t stateChanges = 0;  // device state actually changed (skipped repeats not counted)
    int64_t readBacks = 0;
    int64_t uploads = 0;
    int64_t presents = 0;
    int64_t meshUploads = 0;
};

// Handles of textures; 0 is none (and the back buffer as a render target).
using TextureHandle = uint32_t;

// Where a frame goes in the window: the back buffer's (0, 0, w, h) is
// scaled into target inside a client area of clientW × clientH; the rest of
// the client area is filled with windowColor.
struct RPresentation {
    int32_t sourceW = 0;
    int32_t sourceH = 0;
    RPixelRect target;
    int32_t clientW = 0;
    int32_t clientH = 0;
    uint32_t windowColor = 0xFFFFFFFF;
    // A picture of the runner's own (a dialog) over the whole client area:
    // overlayW × overlayH pixels of the texture at the client's top-left,
    // one to one, blended by its alpha times the alpha byte of overlayTint.
    TextureHandle overlay = 0;
    int32_t overlayW = 0;
    int32_t overlayH = 0;
    uint32_t overlayTint = 0xFFFFFFFF;
};

class IRenderDevice {
public:
    virtual ~IRenderDevice() = default;

    virtual bool IsHeadless() const = 0;

    // The back buffer holds at least w × h pixels from now on; its content
    // in that rectangle is kept.
    virtual bool SetBackBufferSize(int32_t w, int32_t h) = 0;
    virtual void GetBackBufferSize(int32_t& w, int32_t& h) const = 0;
    // Drawing goes to the render target texture, or to the back buffer for 0.
    virtual bool SetRenderTarget(TextureHandle target) = 0;
    virtual TextureHandle RenderTarget() const = 0;
    // In pixels of the current target, rows from the top.
    virtual void SetViewport(const RPixelRect& viewport) = 0;
    // Column-major 4 × 4 matrices for column vectors: clip = P · V · W · p.
    virtual void SetTransform(ETransform which, const float matrix[16]) = 0;
    virtual void SetDrawSettings(const RDrawSettings& settings) = 0;
    // Fills the viewport of the current target.
    virtual void Clear(uint32_t argb) = 0;
    // Queues a primitive; consecutive primitives with the same texture and
    // state are drawn together. Vertices past a whole primitive are ignored.
    virtual void Draw(EPrimitive kind, TextureHandle texture, const RVertex* vertices, int32_t count) = 0;
    // Sends what is queued.
    virtual void Flush() = 0;

    // A texture of at least w × h pixels (the allocated size comes back),
    // or 0 when it cannot be made. Its content starts transparent black.
    virtual TextureHandle CreateTexture(int32_t w, int32_t h, bool renderTarget, int32_t& allocatedW,
                                        int32_t& allocatedH) = 0;
    virtual bool UploadTexture(TextureHandle texture, const RPixelRect& area, const uint8_t* pixels) = 0;
    virtual void FreeTexture(TextureHandle texture) = 0;
    // Copies the area of a render target (0: the back buffer) into pixels.
    virtual bool ReadPixels(TextureHandle target, const RPixelRect& area, uint8_t* pixels) = 0;
    // Copies pixels exactly (alpha too) between render targets (0: the back buffer).
    virtual bool CopyRectangle(TextureHandle source, const RPixelRect& area, TextureHandle dest, int32_t x,
                               int32_t y) = 0;

    // Shows the back buffer in the window.
    virtual bool Present(const RPresentation& presentation) = 0;
    // The same with drawOver run over the composed window picture before
    // it is shown (widgets of the platform's own, drawing straight into
    // the window); the device's state is as it was afterwards. False, with
    // drawOver not run, where nothing is shown.
    virtual bool PresentWith(const RPresentation& presentation, const std::function<void()>& drawOver)
    {
        (void)presentation;
        (void)drawOver;
        return false;
    }
    // Composes the window's picture as Present would show it, without
    // showing it, and reads it back: clientW × clientH pixels, BGRA, rows
    // from the top. False where the device has no picture to give.
    virtual bool ReadPresentation(const RPresentation& presentation, uint8_t* pixels) = 0;
    // Wait for the display's refresh before showing a frame.
    virtual void SetSynchronization(bool on) = 0;

    virtual RDeviceStats Stats() const = 0;

    // 3D drawing.
    // Every target gets a 16-bit depth buffer from now on (the back buffer at
    // once, render targets when they become the target), or none. False when
    // it cannot be made; the targets then have none.
    virtual bool SetDepthBuffer(bool on) = 0;
    // Sets the depth buffer of the current target's viewport to 1 (the far end).
    virtual void ClearDepth() = 0;
    virtual void SetSceneState(const RSceneState& state) = 0;
    // As Draw, with normals; batched with its own kind the same way.
    virtual void Draw3D(EPrimitive kind, TextureHandle texture, const RVertex3D* vertices, int32_t count) = 0;
    // 0 when the mesh cannot be kept (no vertices, or no memory for them).
    virtual MeshHandle CreateMesh(const RMesh& mesh) = 0;
    // Draws the whole mesh, each vertex moved by offset (x, y, z) before the
    // transforms; drawColor is 0xAARRGGBB.
    virtual void DrawMesh(MeshHandle mesh, TextureHandle texture, uint32_t drawColor, const float offset[3]) = 0;
    virtual void FreeMesh(MeshHandle mesh) = 0;
};
