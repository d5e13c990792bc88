// All OpenGL calls of the runner. The device keeps a shadow of the GL state it
// sets (bindings, blend factors, viewport, masks) so that repeated requests
// cost nothing, and it applies the state of a batch only when the batch is
// sent. The back buffer is a framebuffer object stored upside down compared
// with GL's habit: row 0 is the top row, so read-back rows, uploaded textures
// and render targets all run from the top like TBitmap32. Presenting flips it
// into the window.
#include "platform/LeakCheck.h"
#include "platform/GlDevice.h"

#include "platform/DrawBatcher.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aTexCoord;
uniform mat4 uTransform;
out vec4 vColor;
out vec2 vTexCoord;
void main()
{
    gl_Position = uTransform * vec4(aPosition, 1.0);
    vColor = aColor;
    vTexCoord = aTexCoord;
}
)";

// uMode 0: vertex colour alone (no texture); 1: texture × colour; 2: texture.
constexpr const char* kFragmentShader = R"(#version 330 core
in vec4 vColor;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform int uMode;
out vec4 fragColor;
void main()
{
    if (uMode == 0) {
        fragColor = vColor;
    } else {
        vec4 texel = texture(uTexture, vTexCoord);
        fragColor = uMode == 1 ? texel * vColor : texel;
    }
}
)";

GLenum BlendFactor(int32_t factor)
{
    switch (factor) {
    case kBlendZero:
        return GL_ZERO;
    case kBlendOne:
        return GL_ONE;
    case kBlendSrcColor:
        return GL_SRC_COLOR;
    case kBlendInvSrcColor:
        return GL_ONE_MINUS_SRC_COLOR;
    case kBlendSrcAlpha:
        return GL_SRC_ALPHA;
    case kBlendInvSrcAlpha:
        return GL_ONE_MINUS_SRC_ALPHA;
    case kBlendDestAlpha:
        return GL_DST_ALPHA;
    case kBlendInvDestAlpha:
        return GL_ONE_MINUS_DST_ALPHA;
    case kBlendDestColor:
        return GL_DST_COLOR;
    case kBlendInvDestColor:
        return GL_ONE_MINUS_DST_COLOR;
    case kBlendSrcAlphaSat:
        return GL_SRC_ALPHA_SATURATE;
    default:
        return GL_ONE;
    }
}

GLenum ListMode(EListKind kind)
{
    switch (kind) {
    case EListKind::Points:
        return GL_POINTS;
    case EListKind::Lines:
        return GL_LINES;
    default:
        return GL_TRIANGLES;
    }
}

using RMatrix = std::array<float, 16>;

constexpr RMatrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

RMatrix Multiply(const RMatrix& a, const RMatrix& b)
{
    RMatrix out{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + r] * b[c * 4 + k];
            out[c * 4 + r] = sum;
        }
    return out;
}

GLuint CompileShader(GLenum kind, const char* source, std::string& error)
{
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        error = std::string("shader: ") + log;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

struct RGlTexture {
    GLuint texture = 0;
    GLuint framebuffer = 0; // render targets only
    int32_t w = 0;
    int32_t h = 0;
};

class CGlRenderDevice : public IRenderDevice {
public:
    CGlRenderDevice(SDL_Window* window, SDL_GLContext context) : g_window(window), g_context(context) {}
    ~CGlRenderDevice() override;

    bool Initialize(std::string& error);

    bool IsHeadless() const override { return false; }
    bool SetBackBufferSize(int32_t w, int32_t h) override;
    void GetBackBufferSize(int32_t& w, int32_t& h) const override
    {
        w = g_backW;
        h = g_backH;
    }
    bool SetRenderTarget(TextureHandle target) override;
    TextureHandle RenderTarget() const override { return g_target; }
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
    bool ReadPresentation(const RPresentation& presentation, uint8_t* pixels) override;
    void SetSynchronization(bool on) override;
    RDeviceStats Stats() const override { return g_stats; }

private:
    // The shadowed GL state; each setter touches GL only on a change.
    void UseProgram(GLuint program);
    void BindDrawFramebuffer(GLuint framebuffer);
    void BindReadFramebuffer(GLuint framebuffer);
    void BindTexture(GLuint texture);
    void BindSampler(GLuint sampler);
    void SetBlend(int32_t source, int32_t dest);
    void SetGlViewport(const RPixelRect& viewport);
    void SetScissor(bool on, const RPixelRect& rect);
    void SetAlphaWrite(bool on);
    void SetMode(GLint mode);
    // Targets, in the device's own terms.
    GLuint TargetFramebuffer(TextureHandle target) const;
    bool TargetSize(TextureHandle target, int32_t& w, int32_t& h) const;
    void BindCurrentTarget();
    void UploadTransform();
    bool CreateBackBuffer(int32_t w, int32_t h);
    // Paints the window's hidden buffer with the presentation.
    void ComposePresentation(const RPresentation& presentation);

    SDL_Window* g_window;
    SDL_GLContext g_context;

    GLuint g_program = 0;
    GLuint g_vao = 0;
    GLuint g_vbo = 0;
    GLuint g_ibo = 0;
    GLuint g_samplers[4] = {};
    GLint g_uTransform = -1;
    GLint g_uMode = -1;
    GLint g_maxTextureSize = 0;

    GLuint g_backFramebuffer = 0;
    GLuint g_backColor = 0;
    int32_t g_backW = 0;
    int32_t g_backH = 0;

    std::unordered_map<TextureHandle, RGlTexture> g_textures;
    TextureHandle g_nextHandle = 1;
    std::vector<uint8_t> g_zeros;

    TextureHandle g_target = 0;
    RPixelRect g_viewport;
    RDrawSettings g_settings;
    RMatrix g_world = kIdentity, g_view = kIdentity, g_projection = kIdentity;
    bool g_transformDirty = true;
    CDrawBatcher g_batch;
    RDeviceStats g_stats;

    struct RShadow {
        GLuint program = 0;
        GLuint drawFramebuffer = 0;
        GLuint readFramebuffer = 0;
        GLuint texture = 0;
        GLuint sampler = 0;
        int32_t blendSource = 0;
        int32_t blendDest = 0;
        RPixelRect viewport{-1, -1, -1, -1};
        bool scissor = false;
        RPixelRect scissorRect{-1, -1, -1, -1};
        bool alphaWrite = true;
        GLint mode = -1;
    } g_shadow;
};

CGlRenderDevice::~CGlRenderDevice()
{
    SDL_GL_MakeCurrent(g_window, g_context);
    for (auto& [handle, texture] : g_textures) {
        if (texture.framebuffer)
            glDeleteFramebuffers(1, &texture.framebuffer);
        glDeleteTextures(1, &texture.texture);
    }
    if (g_backFramebuffer)
        glDeleteFramebuffers(1, &g_backFramebuffer);
    if (g_backColor)
        glDeleteRenderbuffers(1, &g_backColor);
    glDeleteSamplers(4, g_samplers);
    glDeleteBuffers(1, &g_vbo);
    glDeleteBuffers(1, &g_ibo);
    glDeleteVertexArrays(1, &g_vao);
    glDeleteProgram(g_program);
    SDL_GL_DeleteContext(g_context);
}

bool CGlRenderDevice::Initialize(std::string& error)
{
    if (epoxy_gl_version() < 33) {
        error = "OpenGL 3.3 is not available";
        return false;
    }
    GLuint vertex = CompileShader(GL_VERTEX_SHADER, kVertexShader, error);
    GLuint fragment = vertex ? CompileShader(GL_FRAGMENT_SHADER, kFragmentShader, error) : 0;
    if (!vertex || !fragment)
        return false;
    g_program = glCreateProgram();
    glAttachShader(g_program, vertex);
    glAttachShader(g_program, fragment);
    glLinkProgram(g_program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = 0;
    glGetProgramiv(g_program, GL_LINK_STATUS, &linked);
    if (!linked) {
        error = "shader program does not link";
        return false;
    }
    g_uTransform = glGetUniformLocation(g_program, "uTransform");
    g_uMode = glGetUniformLocation(g_program, "uMode");
    UseProgram(g_program);
    glUniform1i(glGetUniformLocation(g_program, "uTexture"), 0);

    glGenVertexArrays(1, &g_vao);
    glBindVertexArray(g_vao);
    glGenBuffers(1, &g_vbo);
    glGenBuffers(1, &g_ibo);
    glBindBuffer(GL_ARRAY_BUFFER, g_vbo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, g_ibo);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(RVertex), reinterpret_cast<void*>(offsetof(RVertex, x)));
    // 0xAARRGGBB lies in memory as blue, green, red, alpha: GL_BGRA reads it so.
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(RVertex),
                          reinterpret_cast<void*>(offsetof(RVertex, color)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(RVertex), reinterpret_cast<void*>(offsetof(RVertex, u)));

    glGenSamplers(4, g_samplers);
    for (int k = 0; k < 4; ++k) {
        GLint filter = (k & 1) ? GL_LINEAR : GL_NEAREST;
        GLint wrap = (k & 2) ? GL_REPEAT : GL_CLAMP_TO_EDGE;
        glSamplerParameteri(g_samplers[k], GL_TEXTURE_MIN_FILTER, filter);
        glSamplerParameteri(g_samplers[k], GL_TEXTURE_MAG_FILTER, filter);
        glSamplerParameteri(g_samplers[k], GL_TEXTURE_WRAP_S, wrap);
        glSamplerParameteri(g_samplers[k], GL_TEXTURE_WRAP_T, wrap);
    }
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &g_maxTextureSize);
    glEnable(GL_BLEND);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    // The first vertex of a triangle gives the colour of flat shading.
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);

    SDL_DisplayMode mode;
    int32_t w = 640, h = 480;
    if (SDL_GetCurrentDisplayMode(std::max(SDL_GetWindowDisplayIndex(g_window), 0), &mode) == 0) {
        w = mode.w;
        h = mode.h;
    }
    if (!CreateBackBuffer(std::max(w, 1), std::max(h, 1))) {
        error = "the back buffer cannot be made";
        return false;
    }
    g_viewport = {0, 0, g_backW, g_backH};
    BindCurrentTarget();
    Clear(0xFF000000);
    return true;
}

void CGlRenderDevice::UseProgram(GLuint program)
{
    if (g_shadow.program != program) {
        glUseProgram(program);
        g_shadow.program = program;
        ++g_stats.stateChanges;
    }
}

void CGlRenderDevice::BindDrawFramebuffer(GLuint framebuffer)
{
    if (g_shadow.drawFramebuffer != framebuffer) {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
        g_shadow.drawFramebuffer = framebuffer;
        ++g_stats.stateChanges;
    }
}

void CGlRenderDevice::BindReadFramebuffer(GLuint framebuffer)
{
    if (g_shadow.readFramebuffer != framebuffer) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
        g_shadow.readFramebuffer = framebuffer;
    }
}

void CGlRenderDevice::BindTexture(GLuint texture)
{
    if (g_shadow.texture != texture) {
        glBindTexture(GL_TEXTURE_2D, texture);
        g_shadow.texture = texture;
        ++g_stats.stateChanges;
    }
}

void CGlRenderDevice::BindSampler(GLuint sampler)
{
    if (g_shadow.sampler != sampler) {
        glBindSampler(0, sampler);
        g_shadow.sampler = sampler;
        ++g_stats.stateChanges;
    }
}

void CGlRenderDevice::SetBlend(int32_t source, int32_t dest)
{
    if (g_shadow.blendSource != source || g_shadow.blendDest != dest) {
        glBlendFunc(BlendFactor(source), BlendFactor(dest));
        g_shadow.blendSource = source;
        g_shadow.blendDest = dest;
        ++g_stats.stateChanges;
    }
}

void CGlRenderDevice::SetGlViewport(const RPixelRect& viewport)
{
    if (!(g_shadow.viewport == viewport)) {
        glViewport(viewport.x, viewport.y, viewport.w, viewport.h);
        g_shadow.viewport = viewport;
        ++g_stats.stateChanges;
    }
}

void CGlRenderDevice::SetScissor(bool on, const RPixelRect& rect)
{
    if (g_shadow.scissor != on) {
        if (on)
            glEnable(GL_SCISSOR_TEST);
        else
            glDisable(GL_SCISSOR_TEST);
        g_shadow.scissor = on;
    }
    if (on && !(g_shadow.scissorRect == rect)) {
        glScissor(rect.x, rect.y, rect.w, rect.h);
        g_shadow.scissorRect = rect;
    }
}

void CGlRenderDevice::SetAlphaWrite(bool on)
{
    if (g_shadow.alphaWrite != on) {
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, on ? GL_TRUE : GL_FALSE);
        g_shadow.alphaWrite = on;
    }
}

void CGlRenderDevice::SetMode(GLint mode)
{
    if (g_shadow.mode != mode) {
        glUniform1i(g_uMode, mode);
        g_shadow.mode = mode;
    }
}

GLuint CGlRenderDevice::TargetFramebuffer(TextureHandle target) const
{
    if (target == 0)
        return g_backFramebuffer;
    auto found = g_textures.find(target);
    return found == g_textures.end() ? 0 : found->second.framebuffer;
}

bool CGlRenderDevice::TargetSize(TextureHandle target, int32_t& w, int32_t& h) const
{
    if (target == 0) {
        w = g_backW;
        h = g_backH;
        return true;
    }
    auto found = g_textures.find(target);
    if (found == g_textures.end() || !found->second.framebuffer)
        return false;
    w = found->second.w;
    h = found->second.h;
    return true;
}

void CGlRenderDevice::BindCurrentTarget()
{
    BindDrawFramebuffer(TargetFramebuffer(g_target));
    SetGlViewport(g_viewport);
    // The back buffer keeps an opaque alpha, as a screen does: blending that
    // reads the destination's alpha always finds 1 there.
    SetAlphaWrite(g_target != 0);
}

bool CGlRenderDevice::CreateBackBuffer(int32_t w, int32_t h)
{
    GLuint color = 0, framebuffer = 0;
    glGenRenderbuffers(1, &color);
    glBindRenderbuffer(GL_RENDERBUFFER, color);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color);
    bool complete = glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    g_shadow.drawFramebuffer = framebuffer;
    if (!complete) {
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(1, &color);
        return false;
    }
    SetScissor(false, {});
    SetAlphaWrite(true);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    if (g_backFramebuffer) {
        // Keep what was drawn so far.
        BindReadFramebuffer(g_backFramebuffer);
        int32_t cw = std::min(w, g_backW), ch = std::min(h, g_backH);
        glBlitFramebuffer(0, 0, cw, ch, 0, 0, cw, ch, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        BindReadFramebuffer(0);
        glDeleteFramebuffers(1, &g_backFramebuffer);
        glDeleteRenderbuffers(1, &g_backColor);
    }
    g_backFramebuffer = framebuffer;
    g_backColor = color;
    g_backW = w;
    g_backH = h;
    return true;
}

bool CGlRenderDevice::SetBackBufferSize(int32_t w, int32_t h)
{
    if (w <= g_backW && h <= g_backH)
        return true;
    if (w > g_maxTextureSize || h > g_maxTextureSize)
        return false;
    Flush();
    bool ok = CreateBackBuffer(std::max(w, g_backW), std::max(h, g_backH));
    BindCurrentTarget();
    return ok;
}

bool CGlRenderDevice::SetRenderTarget(TextureHandle target)
{
    int32_t w, h;
    if (!TargetSize(target, w, h))
        return false;
    if (target != g_target) {
        Flush();
        g_target = target;
        BindCurrentTarget();
    }
    return true;
}

void CGlRenderDevice::SetViewport(const RPixelRect& viewport)
{
    if (viewport == g_viewport)
        return;
    Flush();
    g_viewport = viewport;
    g_transformDirty = true; // the half-pixel shift depends on the viewport's size
}

void CGlRenderDevice::SetTransform(ETransform which, const float matrix[16])
{
    Flush();
    RMatrix& slot = which == ETransform::World ? g_world : which == ETransform::View ? g_view : g_projection;
    std::memcpy(slot.data(), matrix, sizeof(float) * 16);
    g_transformDirty = true;
}

void CGlRenderDevice::UploadTransform()
{
    if (!g_transformDirty)
        return;
    // Callers put pixel centres at whole numbers and depth in 0..1, with y
    // growing downwards on the screen. GL puts centres at halves, depth in
    // -1..1, and we store rows top first: shift by half a pixel, flip y and
    // stretch depth, all in clip space so perspective keeps working.
    float vw = static_cast<float>(std::max(g_viewport.w, 1));
    float vh = static_cast<float>(std::max(g_viewport.h, 1));
    RMatrix adjust = {1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 2, 0, 1.0f / vw, 1.0f / vh, -1, 1};
    RMatrix full = Multiply(adjust, Multiply(g_projection, Multiply(g_view, g_world)));
    glUniformMatrix4fv(g_uTransform, 1, GL_FALSE, full.data());
    g_transformDirty = false;
}

void CGlRenderDevice::SetDrawSettings(const RDrawSettings& settings)
{
    if (settings == g_settings)
        return;
    Flush();
    g_settings = settings;
}

void CGlRenderDevice::Clear(uint32_t argb)
{
    Flush();
    BindCurrentTarget();
    SetScissor(true, g_viewport);
    SetAlphaWrite(true);
    float a = g_target == 0 ? 1.0f : static_cast<float>((argb >> 24) & 0xFF) / 255.0f;
    glClearColor(static_cast<float>((argb >> 16) & 0xFF) / 255.0f, static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(argb & 0xFF) / 255.0f, a);
    glClear(GL_COLOR_BUFFER_BIT);
    SetScissor(false, {});
    SetAlphaWrite(g_target != 0);
}

void CGlRenderDevice::Draw(EPrimitive kind, TextureHandle texture, const RVertex* vertices, int32_t count)
{
    if (CDrawBatcher::IndexCount(kind, count) == 0 || !vertices)
        return;
    if (count > CDrawBatcher::kVertexCapacity)
        count = CDrawBatcher::kVertexCapacity;
    ++g_stats.primitives;
    g_stats.vertices += count;
    EListKind list = CDrawBatcher::ListKindOf(kind);
    if (!g_batch.Accepts(list, texture, count)) {
        Flush();
        g_batch.Begin(list, texture);
    }
    g_batch.Append(kind, vertices, count);
}

void CGlRenderDevice::Flush()
{
    if (g_batch.IsEmpty())
        return;
    BindCurrentTarget();
    UseProgram(g_program);
    UploadTransform();
    GLuint texture = 0;
    if (g_batch.Texture() != 0) {
        auto found = g_textures.find(g_batch.Texture());
        if (found == g_textures.end()) {
            g_batch.Clear(); // freed texture: nothing sensible to draw
            return;
        }
        texture = found->second.texture;
    }
    if (texture) {
        BindTexture(texture);
        BindSampler(g_samplers[(g_settings.linearFilter ? 1 : 0) | (g_settings.repeat ? 2 : 0)]);
        SetMode(g_settings.modulate ? 1 : 2);
    } else {
        SetMode(0);
    }
    SetBlend(g_settings.blendSource, g_settings.blendDest);

    const std::vector<RVertex>& vertices = g_batch.Vertices();
    const std::vector<uint32_t>& indices = g_batch.Indices();
    size_t vertexBytes = vertices.size() * sizeof(RVertex);
    size_t indexBytes = indices.size() * sizeof(uint32_t);
    // Fresh storage for every batch, so the driver never waits for the GPU
    // to finish with the previous one.
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertexBytes), vertices.data(), GL_STREAM_DRAW);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indexBytes), indices.data(), GL_STREAM_DRAW);
    glDrawElements(ListMode(g_batch.Kind()), static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, nullptr);
    ++g_stats.drawCalls;
    g_batch.Clear();
}

TextureHandle CGlRenderDevice::CreateTexture(int32_t w, int32_t h, bool renderTarget, int32_t& allocatedW,
                                             int32_t& allocatedH)
{
    if (w <= 0 || h <= 0 || w > g_maxTextureSize || h > g_maxTextureSize)
        return 0;
    int32_t tw = static_cast<int32_t>(std::bit_ceil(static_cast<uint32_t>(w)));
    int32_t th = static_cast<int32_t>(std::bit_ceil(static_cast<uint32_t>(h)));
    while (glGetError() != GL_NO_ERROR) {
    }
    RGlTexture texture;
    texture.w = tw;
    texture.h = th;
    glGenTextures(1, &texture.texture);
    BindTexture(texture.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    // Render targets are cleared through their framebuffer: a block of zeros
    // as large as the biggest one would stay allocated for the whole run.
    if (!renderTarget)
        g_zeros.resize(std::max(g_zeros.size(), static_cast<size_t>(tw) * static_cast<size_t>(th) * 4));
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tw, th, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 renderTarget ? nullptr : g_zeros.data());
    bool ok = glGetError() == GL_NO_ERROR;
    if (ok && renderTarget) {
        Flush(); // the queued batch belongs to the current target
        glGenFramebuffers(1, &texture.framebuffer);
        BindDrawFramebuffer(texture.framebuffer);
        glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture.texture, 0);
        ok = glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        if (ok) {
            SetScissor(false, {});
            SetAlphaWrite(true);
            glClearColor(0, 0, 0, 0);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        BindCurrentTarget();
    }
    if (!ok) {
        if (texture.framebuffer)
            glDeleteFramebuffers(1, &texture.framebuffer);
        BindTexture(0);
        glDeleteTextures(1, &texture.texture);
        return 0;
    }
    TextureHandle handle = g_nextHandle++;
    g_textures[handle] = texture;
    allocatedW = tw;
    allocatedH = th;
    return handle;
}

bool CGlRenderDevice::UploadTexture(TextureHandle handle, const RPixelRect& area, const uint8_t* pixels)
{
    auto found = g_textures.find(handle);
    if (found == g_textures.end() || !pixels || area.x < 0 || area.y < 0 || area.w <= 0 || area.h <= 0 ||
        area.x + area.w > found->second.w || area.y + area.h > found->second.h)
        return false;
    Flush(); // a queued batch may still use the old content
    BindTexture(found->second.texture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, area.x, area.y, area.w, area.h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    ++g_stats.uploads;
    return true;
}

void CGlRenderDevice::FreeTexture(TextureHandle handle)
{
    auto found = g_textures.find(handle);
    if (found == g_textures.end())
        return;
    Flush();
    if (g_target == handle) {
        g_target = 0;
        BindCurrentTarget();
    }
    if (found->second.framebuffer) {
        if (g_shadow.drawFramebuffer == found->second.framebuffer)
            BindDrawFramebuffer(g_backFramebuffer);
        if (g_shadow.readFramebuffer == found->second.framebuffer)
            BindReadFramebuffer(0);
        glDeleteFramebuffers(1, &found->second.framebuffer);
    }
    if (g_shadow.texture == found->second.texture)
        BindTexture(0);
    glDeleteTextures(1, &found->second.texture);
    g_textures.erase(found);
}

bool CGlRenderDevice::ReadPixels(TextureHandle target, const RPixelRect& area, uint8_t* pixels)
{
    int32_t w, h;
    if (!pixels || !TargetSize(target, w, h) || area.x < 0 || area.y < 0 || area.w <= 0 || area.h <= 0 ||
        area.x + area.w > w || area.y + area.h > h)
        return false;
    Flush();
    BindReadFramebuffer(TargetFramebuffer(target));
    glReadPixels(area.x, area.y, area.w, area.h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    ++g_stats.readBacks;
    return true;
}

bool CGlRenderDevice::CopyRectangle(TextureHandle source, const RPixelRect& area, TextureHandle dest, int32_t x,
                                    int32_t y)
{
    int32_t sw, sh, dw, dh;
    if (!TargetSize(source, sw, sh) || !TargetSize(dest, dw, dh) || area.x < 0 || area.y < 0 || area.w <= 0 ||
        area.h <= 0 || area.x + area.w > sw || area.y + area.h > sh || x < 0 || y < 0 || x + area.w > dw ||
        y + area.h > dh)
        return false;
    Flush();
    BindReadFramebuffer(TargetFramebuffer(source));
    BindDrawFramebuffer(TargetFramebuffer(dest));
    SetScissor(false, {});
    glBlitFramebuffer(area.x, area.y, area.x + area.w, area.y + area.h, x, y, x + area.w, y + area.h,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    BindCurrentTarget();
    return true;
}

void CGlRenderDevice::ComposePresentation(const RPresentation& p)
{
    Flush();
    int32_t sw = std::min(p.sourceW, g_backW), sh = std::min(p.sourceH, g_backH);
    BindDrawFramebuffer(0);
    BindReadFramebuffer(g_backFramebuffer);
    SetScissor(false, {});
    SetAlphaWrite(true);
    // The strips around the picture take the window colour; clearing the
    // whole window first paints them with one call.
    uint32_t c = p.windowColor;
    glClearColor(static_cast<float>((c >> 16) & 0xFF) / 255.0f, static_cast<float>((c >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(c & 0xFF) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (sw > 0 && sh > 0 && p.target.w > 0 && p.target.h > 0) {
        // Whole multiples stay sharp; other scales are smoothed.
        bool exact = p.target.w % sw == 0 && p.target.h % sh == 0;
        int32_t top = p.clientH - p.target.y;
        glBlitFramebuffer(0, 0, sw, sh, p.target.x, top, p.target.x + p.target.w, top - p.target.h,
                          GL_COLOR_BUFFER_BIT, exact ? GL_NEAREST : GL_LINEAR);
    }
}

bool CGlRenderDevice::Present(const RPresentation& p)
{
    ComposePresentation(p);
    SDL_GL_SwapWindow(g_window);
    ++g_stats.presents;
    BindCurrentTarget();
    return true;
}

bool CGlRenderDevice::ReadPresentation(const RPresentation& p, uint8_t* pixels)
{
    int32_t w = 0, h = 0;
    SDL_GL_GetDrawableSize(g_window, &w, &h);
    if (!pixels || p.clientW <= 0 || p.clientH <= 0 || p.clientW != w || p.clientH != h)
        return false;
    ComposePresentation(p);
    BindReadFramebuffer(0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    ++g_stats.readBacks;
    // The window's rows run from the bottom.
    size_t stride = static_cast<size_t>(w) * 4;
    std::vector<uint8_t> swap(stride);
    for (int32_t y = 0; y < h / 2; ++y) {
        uint8_t* a = pixels + static_cast<size_t>(y) * stride;
        uint8_t* b = pixels + static_cast<size_t>(h - 1 - y) * stride;
        std::memcpy(swap.data(), a, stride);
        std::memcpy(a, b, stride);
        std::memcpy(b, swap.data(), stride);
    }
    BindCurrentTarget();
    return true;
}

void CGlRenderDevice::SetSynchronization(bool on)
{
    // Not every video driver can wait for the refresh; then frames just go out.
    SDL_GL_SetSwapInterval(on ? 1 : 0);
}

} // namespace

std::unique_ptr<IRenderDevice> Platform_CreateGlDevice(SDL_Window* window, std::string& error)
{
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_GL_MakeCurrent(window, context);
    Platform_KeepLoadedLibraries();
    auto device = std::make_unique<CGlRenderDevice>(window, context);
    if (!device->Initialize(error))
        return nullptr;
    return device;
}
