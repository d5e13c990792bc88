// The window and device of headless runs and tests: nothing is shown, no
// pixel exists, but every request is remembered so that the logic above can
// be checked. The device batches like the real one and counts what it would
// send; reading pixels gives the colour the target was last cleared to.
#pragma once

#include "platform/DrawBatcher.h"
#include "platform/GameWindow.h"
#include "platform/RenderDevice.h"

#include <deque>
#include <map>

class CNullGameWindow : public IGameWindow {
public:
    explicit CNullGameWindow(const RDisplayMode& mode = {1024, 768, 32, 60}) : n_mode(mode) {}

    bool IsHeadless() const override { return true; }
    bool GetDisplayMode(RDisplayMode& mode) const override;
    void GetScreenMouse(int32_t& x, int32_t& y) const override;
    void SetScreenMouse(int32_t x, int32_t y) override;
    void WaitVerticalBlank() override {}
    void SetVisible(bool visible) override { n_visible = visible; }
    bool IsVisible() const override { return n_visible; }
    void SetCaption(const std::string& caption) override { n_caption = caption; }
    void SetFrame(const RWindowFrame& frame) override;
    void SetStayOnTop(bool onTop) override { n_stayOnTop = onTop; }
    void SetClientBounds(const RPixelRect& bounds) override;
    RPixelRect ClientBounds() const override;
    void GetFrameSize(int32_t& w, int32_t& h) const override;
    void SetMinimumClientSize(int32_t w, int32_t h) override;
    void SetCursor(int32_t cursor) override { n_cursor = cursor; }
    void SetScreenSaverAllowed(bool allowed) override { n_screenSaverAllowed = allowed; }
    void PumpEvents(const WindowEventHandler& handler) override;
    std::unique_ptr<IRenderDevice> CreateRenderDevice(std::string& error) override;

    // For tests: what the window was told, and events and moves to replay.
    void SetDisplayMode(const RDisplayMode& mode) { n_mode = mode; }
    void SetDisplayModeReadable(bool readable) { n_modeReadable = readable; }
    void FailDeviceCreation(bool fail) { n_failDevice = fail; }
    void QueueEvent(const RWindowEvent& event) { n_events.push_back(event); }
    // What the player's resizing does: the client size changes (within the
    // minimum) and a resize event follows.
    void ResizeByPlayer(int32_t w, int32_t h);
    const std::string& Caption() const { return n_caption; }
    const RWindowFrame& Frame() const { return n_frame; }
    bool StayOnTop() const { return n_stayOnTop; }
    int32_t Cursor() const { return n_cursor; }
    bool ScreenSaverAllowed() const { return n_screenSaverAllowed; }
    void GetMinimumClientSize(int32_t& w, int32_t& h) const
    {
        w = n_minW;
        h = n_minH;
    }

private:
    RDisplayMode n_mode;
    bool n_modeReadable = true;
    bool n_failDevice = false;
    bool n_visible = false;
    bool n_stayOnTop = false;
    bool n_screenSaverAllowed = false;
    int32_t n_cursor = 0;
    int32_t n_mouseX = 0;
    int32_t n_mouseY = 0;
    int32_t n_minW = 0;
    int32_t n_minH = 0;
    std::string n_caption;
    RWindowFrame n_frame;
    RPixelRect n_bounds{100, 100, 640, 480};
    std::deque<RWindowEvent> n_events;
};

class CNullRenderDevice : public IRenderDevice {
public:
    CNullRenderDevice(int32_t screenW, int32_t screenH);

    bool IsHeadless() const override { return true; }
    bool SetBackBufferSize(int32_t w, int32_t h) override;
    void GetBackBufferSize(int32_t& w, int32_t& h) const override;
    bool SetRenderTarget(TextureHandle target) override;
    TextureHandle RenderTarget() const override { return n_target; }
    void SetViewport(const RPixelRect& viewport) override;
    void SetTransform(ETransform which, const float matrix[16]) override;
    void SetDrawSettings(const RDrawSettings& settings) override;
    void Clear(uint32_t argb) override;
    void Draw(EPrimitive kind, TextureHandle texture, const RVertex* vertices, int32_t count) override;
    void Flush() override;
    TextureHandle CreateTexture(int32_t w, int32_t h, bool renderTarget, int32_t& allocatedW,
                                int32_t& allocatedH) override;
    bool UploadTexture(TextureHandle texture, const RPixelRect& area, const uint8_t* pixels) override;
    void FreeTexture(TextureHandle texture) override;
    bool ReadPixels(TextureHandle target, const RPixelRect& area, uint8_t* pixels) override;
    bool CopyRectangle(TextureHandle source, const RPixelRect& area, TextureHandle dest, int32_t x,
                       int32_t y) override;
    bool Present(const RPresentation& presentation) override;
    bool ReadPresentation(const RPresentation&, uint8_t*) override { return false; }
    void SetSynchronization(bool on) override { n_sync = on; }
    RDeviceStats Stats() const override { return n_stats; }
    bool SetDepthBuffer(bool on) override;
    void ClearDepth() override;
    void SetSceneState(const RSceneState& state) override;
    void Draw3D(EPrimitive kind, TextureHandle texture, const RVertex3D* vertices, int32_t count) override;
    MeshHandle CreateMesh(const RMesh& mesh) override;
    void DrawMesh(MeshHandle mesh, TextureHandle texture, uint32_t drawColor, const float offset[3]) override;
    void FreeMesh(MeshHandle mesh) override;

    bool Synchronization() const { return n_sync; }
    const RPresentation& LastPresentation() const { return n_lastPresentation; }
    const RDrawSettings& DrawSettings() const { return n_settings; }
    const RPixelRect& Viewport() const { return n_viewport; }
    // Tests can keep the vertices of every batch sent; TakeSentVertices
    // hands them over. Off by default so long headless runs keep nothing.
    void KeepSentVertices(bool keep) { n_keepSent = keep; }
    std::vector<RVertex> TakeSentVertices();
    std::vector<RVertex3D> TakeSentVertices3D();
    // What 3D drawing left in the device.
    bool HasDepthBuffer() const { return n_depthOn; }
    int64_t DepthClears() const { return n_depthClears; }
    const RSceneState& SceneState() const { return n_scene; }
    // The meshes kept now, and the last one drawn with its offset.
    size_t MeshCount() const { return n_meshes.size(); }
    const RMesh* Mesh(MeshHandle mesh) const;
    MeshHandle LastMeshDrawn() const { return n_lastMesh; }
    const float* LastMeshOffset() const { return n_lastOffset; }
    // Makes the next depth buffer fail, as a device without memory would.
    void FailDepthBuffer(bool fail) { n_failDepth = fail; }

private:
    struct RNullTexture {
        int32_t w = 0, h = 0;
        bool renderTarget = false;
        uint32_t clearColor = 0;
    };

    int32_t n_backW, n_backH;
    uint32_t n_backClear = 0xFF000000;
    TextureHandle n_target = 0;
    TextureHandle n_nextHandle = 1;
    bool n_sync = false;
    bool n_keepSent = false;
    RPixelRect n_viewport;
    RDrawSettings n_settings;
    CDrawBatcher n_batch;
    CDrawBatcher3D n_batch3D;
    bool n_depthOn = false;
    bool n_failDepth = false;
    int64_t n_depthClears = 0;
    RSceneState n_scene;
    std::map<MeshHandle, RMesh> n_meshes;
    MeshHandle n_nextMesh = 1;
    MeshHandle n_lastMesh = 0;
    float n_lastOffset[3] = {0, 0, 0};
    std::vector<RVertex3D> n_sent3D;
    RPresentation n_lastPresentation;
    RDeviceStats n_stats;
    std::map<TextureHandle, RNullTexture> n_textures;
    std::vector<RVertex> n_sent;
};
