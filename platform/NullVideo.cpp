// The headless window and device.
#include "platform/NullVideo.h"

#include <algorithm>
#include <bit>

bool CNullGameWindow::GetDisplayMode(RDisplayMode& mode) const
{
    if (!n_modeReadable)
        return false;
    mode = n_mode;
    return true;
}

void CNullGameWindow::GetScreenMouse(int32_t& x, int32_t& y) const
{
    x = n_mouseX;
    y = n_mouseY;
}

void CNullGameWindow::SetScreenMouse(int32_t x, int32_t y)
{
    n_mouseX = x;
    n_mouseY = y;
}

void CNullGameWindow::SetFrame(const RWindowFrame& frame)
{
    n_frame = frame;
}

void CNullGameWindow::SetClientBounds(const RPixelRect& bounds)
{
    n_bounds = bounds;
    n_bounds.w = std::max(n_bounds.w, 1);
    n_bounds.h = std::max(n_bounds.h, 1);
}

RPixelRect CNullGameWindow::ClientBounds() const
{
    if (n_frame.fullScreen)
        return {0, 0, n_mode.width, n_mode.height};
    return n_bounds;
}

void CNullGameWindow::GetFrameSize(int32_t& w, int32_t& h) const
{
    // A typical decorated window: thin sides and a caption bar.
    bool framed = n_frame.border && !n_frame.fullScreen;
    w = framed ? 8 : 0;
    h = framed ? 32 : 0;
}

void CNullGameWindow::SetMinimumClientSize(int32_t w, int32_t h)
{
    n_minW = std::max(w, 0);
    n_minH = std::max(h, 0);
}

void CNullGameWindow::ResizeByPlayer(int32_t w, int32_t h)
{
    n_bounds.w = std::max({w, n_minW, 1});
    n_bounds.h = std::max({h, n_minH, 1});
    RWindowEvent event;
    event.kind = EWindowEvent::Resized;
    event.w = n_bounds.w;
    event.h = n_bounds.h;
    n_events.push_back(event);
}

void CNullGameWindow::PumpEvents(const WindowEventHandler& handler)
{
    // Events queued by a handler wait for the next pump, as real ones would.
    std::deque<RWindowEvent> events;
    events.swap(n_events);
    for (const RWindowEvent& event : events)
        if (handler)
            handler(event);
}

std::unique_ptr<IRenderDevice> CNullGameWindow::CreateRenderDevice(std::string& error)
{
    if (n_failDevice) {
        error = "the null window was told to fail";
        return nullptr;
    }
    return std::make_unique<CNullRenderDevice>(n_mode.width, n_mode.height);
}

CNullRenderDevice::CNullRenderDevice(int32_t screenW, int32_t screenH)
    : n_backW(std::max(screenW, 1)), n_backH(std::max(screenH, 1)), n_viewport{0, 0, n_backW, n_backH}
{
}

bool CNullRenderDevice::SetBackBufferSize(int32_t w, int32_t h)
{
    Flush();
    n_backW = std::max(n_backW, w);
    n_backH = std::max(n_backH, h);
    return true;
}

void CNullRenderDevice::GetBackBufferSize(int32_t& w, int32_t& h) const
{
    w = n_backW;
    h = n_backH;
}

bool CNullRenderDevice::SetRenderTarget(TextureHandle target)
{
    if (target != 0) {
        auto found = n_textures.find(target);
        if (found == n_textures.end() || !found->second.renderTarget)
            return false;
    }
    if (target != n_target) {
        Flush();
        n_target = target;
        ++n_stats.stateChanges;
    }
    return true;
}

void CNullRenderDevice::SetViewport(const RPixelRect& viewport)
{
    if (viewport == n_viewport)
        return;
    Flush();
    n_viewport = viewport;
    ++n_stats.stateChanges;
}

void CNullRenderDevice::SetTransform(ETransform, const float*)
{
    Flush();
    ++n_stats.stateChanges;
}

void CNullRenderDevice::SetDrawSettings(const RDrawSettings& settings)
{
    if (settings == n_settings)
        return;
    Flush();
    n_settings = settings;
    ++n_stats.stateChanges;
}

void CNullRenderDevice::Clear(uint32_t argb)
{
    Flush();
    if (n_target == 0)
        n_backClear = argb | 0xFF000000; // the back buffer has no alpha of its own
    else
        n_textures[n_target].clearColor = argb;
}

void CNullRenderDevice::Draw(EPrimitive kind, TextureHandle texture, const RVertex* vertices, int32_t count)
{
    n_batch.Queue(kind, texture, vertices, count, n_stats, [this] { Flush(); });
}

void CNullRenderDevice::Draw3D(EPrimitive kind, TextureHandle texture, const RVertex3D* vertices, int32_t count)
{
    n_batch3D.Queue(kind, texture, vertices, count, n_stats, [this] { Flush(); });
}

void CNullRenderDevice::Flush()
{
    if (!n_batch.IsEmpty()) {
        ++n_stats.drawCalls;
        if (n_keepSent)
            n_sent.insert(n_sent.end(), n_batch.Vertices().begin(), n_batch.Vertices().end());
        n_batch.Clear();
    }
    if (!n_batch3D.IsEmpty()) {
        ++n_stats.drawCalls;
        if (n_keepSent)
            n_sent3D.insert(n_sent3D.end(), n_batch3D.Vertices().begin(), n_batch3D.Vertices().end());
        n_batch3D.Clear();
    }
}

std::vector<RVertex3D> CNullRenderDevice::TakeSentVertices3D()
{
    Flush();
    std::vector<RVertex3D> sent;
    sent.swap(n_sent3D);
    return sent;
}

bool CNullRenderDevice::SetDepthBuffer(bool on)
{
    Flush();
    n_depthOn = on && !n_failDepth;
    return n_depthOn == on;
}

void CNullRenderDevice::ClearDepth()
{
    Flush();
    if (n_depthOn)
        ++n_depthClears;
}

void CNullRenderDevice::SetSceneState(const RSceneState& state)
{
    if (state == n_scene)
        return;
    Flush();
    n_scene = state;
    ++n_stats.stateChanges;
}

MeshHandle CNullRenderDevice::CreateMesh(const RMesh& mesh)
{
    if (mesh.vertices.empty() || mesh.drawColor.size() != mesh.vertices.size())
        return 0;
    ++n_stats.meshUploads;
    const MeshHandle handle = n_nextMesh++;
    n_meshes[handle] = mesh;
    return handle;
}

void CNullRenderDevice::DrawMesh(MeshHandle mesh, TextureHandle, uint32_t, const float offset[3])
{
    auto found = n_meshes.find(mesh);
    if (found == n_meshes.end())
        return;
    Flush();
    // One call per list kind and addressing, as a real device groups them.
    bool seen[3][2] = {};
    for (const RMeshPart& part : found->second.parts) {
        bool& group = seen[static_cast<int>(CListIndices::ListKindOf(part.kind))][part.repeat ? 1 : 0];
        if (!group && CListIndices::IndexCount(part.kind, part.count) > 0) {
            group = true;
            ++n_stats.drawCalls;
        }
    }
    ++n_stats.primitives;
    n_lastMesh = mesh;
    std::copy(offset, offset + 3, n_lastOffset);
}

void CNullRenderDevice::FreeMesh(MeshHandle mesh)
{
    n_meshes.erase(mesh);
}

const RMesh* CNullRenderDevice::Mesh(MeshHandle mesh) const
{
    auto found = n_meshes.find(mesh);
    return found == n_meshes.end() ? nullptr : &found->second;
}

std::vector<RVertex> CNullRenderDevice::TakeSentVertices()
{
    Flush();
    std::vector<RVertex> sent;
    sent.swap(n_sent);
    return sent;
}

TextureHandle CNullRenderDevice::CreateTexture(int32_t w, int32_t h, bool renderTarget, int32_t& allocatedW,
                                               int32_t& allocatedH)
{
    if (w <= 0 || h <= 0 || w > 8192 || h > 8192)
        return 0;
    allocatedW = static_cast<int32_t>(std::bit_ceil(static_cast<uint32_t>(w)));
    allocatedH = static_cast<int32_t>(std::bit_ceil(static_cast<uint32_t>(h)));
    TextureHandle handle = n_nextHandle++;
    n_textures[handle] = RNullTexture{allocatedW, allocatedH, renderTarget, 0};
    return handle;
}

bool CNullRenderDevice::UploadTexture(TextureHandle texture, const RPixelRect& area, const uint8_t* pixels)
{
    auto found = n_textures.find(texture);
    if (found == n_textures.end() || !pixels || area.x < 0 || area.y < 0 || area.w <= 0 || area.h <= 0 ||
        area.x + area.w > found->second.w || area.y + area.h > found->second.h)
        return false;
    ++n_stats.uploads;
    return true;
}

void CNullRenderDevice::FreeTexture(TextureHandle texture)
{
    if (texture == 0)
        return;
    Flush();
    if (n_target == texture)
        n_target = 0;
    n_textures.erase(texture);
}

bool CNullRenderDevice::ReadPixels(TextureHandle target, const RPixelRect& area, uint8_t* pixels)
{
    uint32_t color = n_backClear;
    int32_t w = n_backW, h = n_backH;
    if (target != 0) {
        auto found = n_textures.find(target);
        if (found == n_textures.end() || !found->second.renderTarget)
            return false;
        color = found->second.clearColor;
        w = found->second.w;
        h = found->second.h;
    }
    if (area.x < 0 || area.y < 0 || area.w <= 0 || area.h <= 0 || area.x + area.w > w || area.y + area.h > h)
        return false;
    Flush();
    ++n_stats.readBacks;
    for (int64_t k = 0; k < int64_t(area.w) * area.h; ++k) {
        pixels[k * 4 + 0] = static_cast<uint8_t>(color);
        pixels[k * 4 + 1] = static_cast<uint8_t>(color >> 8);
        pixels[k * 4 + 2] = static_cast<uint8_t>(color >> 16);
        pixels[k * 4 + 3] = static_cast<uint8_t>(color >> 24);
    }
    return true;
}

bool CNullRenderDevice::CopyRectangle(TextureHandle source, const RPixelRect& area, TextureHandle dest, int32_t,
                                      int32_t)
{
    bool sourceOk = source == 0 || (n_textures.count(source) && n_textures[source].renderTarget);
    bool destOk = dest == 0 || (n_textures.count(dest) && n_textures[dest].renderTarget);
    Flush();
    return sourceOk && destOk && area.w > 0 && area.h > 0;
}

bool CNullRenderDevice::Present(const RPresentation& presentation)
{
    Flush();
    n_lastPresentation = presentation;
    ++n_stats.presents;
    return true;
}
