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


// What the device did, for tests and benchmarks.
struct RDeviceStats {
    int64_t drawCalls = 0;     // batches sent
    int64_t primitives = 0;    // Draw calls received
    int64_t vertices = 0;
    int64_t stateChanges = 0;  // device state actually changed (skipped repeats not counted)
    int64_t readBacks = 0;
    int64_t uploads = 0;
    int64_t presents = 0;
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
};
