// All OpenGL calls of the runner. The device keeps a shadow of the GL state it
// sets (bindings, blend factors, viewport, masks) so that repeated requests
// cost nothing, and it applies the state of a batch only when the batch is
// sent. The back buffer is a framebuffer object stored upside down compared
// with GL's habit: row 0 is the top row, so read-back rows, uploaded textures
// and render targets all run from the top like TBitmap32. Presenting flips it
// into the window.
//
// 3D drawing adds a depth buffer to the targets while it is asked for, and a
// second program (platform/GlScene) that lights, fogs and flat-shades; 2D
// drawing that needs none of that keeps the plain program. Models live in
// vertex buffers of their own, each with its vertex array.
#include "platform/GlDevice.h"

#include "platform/DrawBatcher.h"
#include "platform/GlScene.h"
#include "platform/LeakCheck.h"

#include "platform/GlApi.h"
#ifndef __EMSCRIPTEN__
#include "platform/GlFunctions.h"
#endif

#include <SDL.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace {

constexpr const char* kVertexShader = R"(
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aTexCoord;
uniform mat4 uTransform;
out vec4 vColor;
out vec2 vTexCoord;
void main()
{
    gl_Position = uTransform * vec4(aPosition, 1.0);
    gl_PointSize = 1.0;
    vColor = aColor.bgra;
    vTexCoord = aTexCoord;
}
)";

// One fragment program per way of colouring, not one with a branch on a
// uniform that every fragment would evaluate. The textured ones sample with
// textureLod at level 0: every texture has one level and one filter for
// both directions, so this is exactly texture(), and it keeps Mesa's
// software rasteriser on its float path. A plain texture() times colour
// qualifies for its 8-bit path instead, which rounds coordinates and
// blending differently (neighbouring texels at texel edges, drift where
// particles overlap) for a few per cent of speed.
enum EColoring : int32_t { kColorOnly, kTextureTimesColor, kTextureOnly, kColoringCount };

constexpr const char* kFragmentShaders[kColoringCount] = {
    R"(
in vec4 vColor;
out vec4 fragColor;
void main()
{
    fragColor = vColor;
}
)",
    R"(
in vec4 vColor;
in vec2 vTexCoord;
uniform sampler2D uTexture;
out vec4 fragColor;
void main()
{
    fragColor = textureLod(uTexture, vTexCoord, 0.0) * vColor;
}
)",
    R"(
in vec2 vTexCoord;
uniform sampler2D uTexture;
out vec4 fragColor;
void main()
{
    fragColor = textureLod(uTexture, vTexCoord, 0.0);
}
)"};

// Batches of quads alone are drawn through one fixed index buffer of this
// many quads, a draw call for each run of them. Mesa's software rasteriser
// turns a pair of triangles into a screen-aligned rectangle, which it fills
// far faster than two triangles, only when a draw call's indices come in
// 16-bit form, number at most 4096 and end before the end of their buffer;
// longer draws are cut into pieces of 1023 indices, which split the pairs.
constexpr int32_t kQuadsPerDraw = 682;
constexpr int32_t kQuadIndexCount = kQuadsPerDraw * 6 + 6; // one spare quad: see above

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

// Points the attributes of the shaders (0 position, 1 colour, 2 texture
// coordinates, 3 the normal of 3D vertices) into the bound array buffer.
template <typename TVertex>
void PointVertexAttributes()
{
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(TVertex), reinterpret_cast<void*>(offsetof(TVertex, x)));
    // 0xAARRGGBB lies in memory as blue, green, red, alpha; the shaders
    // turn it round (ES cannot read BGRA attributes).
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(TVertex),
                          reinterpret_cast<void*>(offsetof(TVertex, color)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(TVertex), reinterpret_cast<void*>(offsetof(TVertex, u)));
    if constexpr (std::is_same_v<TVertex, RVertex3D>) {
        glEnableVertexAttribArray(3);
        glVertexAttribPointer(3, 3, GL_FLOAT, GL_FALSE, sizeof(TVertex), reinterpret_cast<void*>(offsetof(TVertex, nx)));
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

struct RGlTexture {
    GLuint texture = 0;
    GLuint framebuffer = 0; // render targets only
    GLuint depth = 0;       // a render target's depth buffer, made when first needed
    int32_t w = 0;
    int32_t h = 0;
};

// A model's buffers. Its indices are grouped so that each group is one draw
// call: one list kind with one texture addressing.
struct RGlMesh {
    GLuint vao = 0;
    GLuint vbo = 0;
    GLuint ibo = 0;
    struct RGroup {
        EListKind kind;
        bool repeat;
        size_t firstIndex;
        GLsizei count;
    };
    std::vector<RGroup> groups;
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
    bool PresentWith(const RPresentation& presentation, const std::function<void()>& drawOver) override;
    bool ReadPresentation(const RPresentation& presentation, uint8_t* pixels) override;
    void SetSynchronization(bool on) override;
    RDeviceStats Stats() const override { return g_stats; }
    bool SetDepthBuffer(bool on) override;
    void ClearDepth() override;
    void SetSceneState(const RSceneState& state) override;
    void Draw3D(EPrimitive kind, TextureHandle texture, const RVertex3D* vertices, int32_t count) override;
    MeshHandle CreateMesh(const RMesh& mesh) override;
    void DrawMesh(MeshHandle mesh, TextureHandle texture, uint32_t drawColor, const float offset[3]) override;
    void FreeMesh(MeshHandle mesh) override;

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
    // Makes the plain program of a colouring current.
    void UseColoring(EColoring coloring);
    void BindVertexArray(GLuint vao);
    void SetDepthTest(bool on);
    void SetCulling(bool on);
    // Targets, in the device's own terms.
    GLuint TargetFramebuffer(TextureHandle target) const;
    bool TargetSize(TextureHandle target, int32_t& w, int32_t& h) const;
    void BindCurrentTarget();
    bool TargetHasDepth() const;
    // Gives the current render target its depth buffer when targets need one.
    void EnsureTargetDepth();
    GLuint MakeDepthBuffer(int32_t w, int32_t h);
    // For the current program; plain: which plain program that is, when it
    // is not the scene's. guarded: the plain program draws with the guard
    // band (see ApplyViewport), and its transform is halved in x and y.
    void UploadTransform(EColoring plain, bool guarded);
    // The viewport of a draw. With guarded, the GL viewport is the
    // game's viewport grown by half its size on every side, and the scissor
    // keeps drawing inside the game's viewport; false when that cannot be.
    bool ApplyViewport(bool guarded);
    // Makes the program that a batch needs current, with its uniforms, and
    // sets texture, sampler, blend, depth and culling; false when the
    // texture has gone.
    // triangles: the batch is of triangles, which may use the guard band.
    bool PrepareDraw(bool vertices3D, TextureHandle texture, bool forceRepeat, bool triangles);
    void Flush2D();
    void Flush3D();
    // The batch's indices as this GL must get them for flat shading.
    const std::vector<uint32_t>& FlatReady(const std::vector<uint32_t>& indices, EListKind kind);
    bool CreateBackBuffer(int32_t w, int32_t h);
    GLuint MakeBackColor(int32_t w, int32_t h);
    void AttachBackColor(GLuint color);
    void DeleteBackColor(GLuint color);
    // Paints the window's hidden buffer with the presentation.
    void ComposePresentation(const RPresentation& presentation);
    void DrawOverlay(const RPresentation& presentation);

    SDL_Window* g_window;
    SDL_GLContext g_context;

    GLuint g_programs[kColoringCount] = {};
    GLuint g_vao = 0;
    GLuint g_vbo = 0;
    GLuint g_ibo = 0;
    GLuint g_vaoQuads = 0; // g_vbo's vertices with the fixed quad indices
    GLuint g_iboQuads = 0;
    GLint g_maxViewport[2] = {0, 0};
    GLuint g_samplers[4] = {};
    GLint g_uTransforms[kColoringCount] = {-1, -1, -1};
    GLint g_maxTextureSize = 0;
    CGlSceneProgram g_scene;
    GLuint g_vao3D = 0;
    GLuint g_vbo3D = 0;
    GLuint g_ibo3D = 0;

    GLuint g_backFramebuffer = 0;
    GLuint g_backColor = 0;
    GLuint g_backDepth = 0;
    bool g_depthOn = false;
    int32_t g_backW = 0;
    int32_t g_backH = 0;

    std::unordered_map<TextureHandle, RGlTexture> g_textures;
    TextureHandle g_nextHandle = 1;
    std::vector<uint8_t> g_zeros;
    std::vector<uint8_t> g_swapped; // uploads turned to RGBA where GL has no BGRA
    std::vector<uint32_t> g_turned; // flat triangles turned round where the last corner provokes

    TextureHandle g_target = 0;
    RPixelRect g_viewport;
    RDrawSettings g_settings;
    RMatrix g_world = kIdentity, g_view = kIdentity, g_projection = kIdentity;
    RMatrix g_full = kIdentity;
    // Each change of a transform or the viewport makes a new version; each
    // program remembers the version it last received.
    uint64_t g_transformVersion = 1;
    uint64_t g_fullVersion = 0;
    uint64_t g_plainTransformVersions[kColoringCount] = {};
    bool g_plainTransformGuarded[kColoringCount] = {};
    uint64_t g_sceneTransformVersion = 0;
    RSceneState g_sceneState;
    bool g_sceneDirty = true;
    CDrawBatcher g_batch;
    CDrawBatcher3D g_batch3D;
    std::unordered_map<MeshHandle, RGlMesh> g_meshes;
    MeshHandle g_nextMesh = 1;
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
        GLuint vao = 0;
        bool depthTest = false;
        bool culling = false;
    } g_shadow;
};

CGlRenderDevice::~CGlRenderDevice()
{
    SDL_GL_MakeCurrent(g_window, g_context);
    for (auto& [handle, texture] : g_textures) {
        if (texture.framebuffer)
            glDeleteFramebuffers(1, &texture.framebuffer);
        if (texture.depth)
            glDeleteRenderbuffers(1, &texture.depth);
        glDeleteTextures(1, &texture.texture);
    }
    for (auto& [handle, mesh] : g_meshes) {
        glDeleteVertexArrays(1, &mesh.vao);
        glDeleteBuffers(1, &mesh.vbo);
        glDeleteBuffers(1, &mesh.ibo);
    }
    if (g_backFramebuffer)
        glDeleteFramebuffers(1, &g_backFramebuffer);
    if (g_backColor)
        DeleteBackColor(g_backColor);
    if (g_backDepth)
        glDeleteRenderbuffers(1, &g_backDepth);
    glDeleteSamplers(4, g_samplers);
    glDeleteBuffers(1, &g_vbo);
    glDeleteBuffers(1, &g_ibo);
    glDeleteVertexArrays(1, &g_vao);
    glDeleteBuffers(1, &g_iboQuads);
    glDeleteVertexArrays(1, &g_vaoQuads);
    glDeleteBuffers(1, &g_vbo3D);
    glDeleteBuffers(1, &g_ibo3D);
    glDeleteVertexArrays(1, &g_vao3D);
    for (GLuint program : g_programs)
        glDeleteProgram(program);
    g_scene.Release();
    SDL_GL_DeleteContext(g_context);
}

bool CGlRenderDevice::Initialize(std::string& error)
{
#ifndef __EMSCRIPTEN__
    if (Platform_GlVersion() < 33) {
        error = "OpenGL 3.3 is not available";
        return false;
    }
#endif
    for (int k = 0; k < kColoringCount; ++k) {
        g_programs[k] = Gl_BuildProgram(kVertexShader, kFragmentShaders[k], error);
        if (!g_programs[k])
            return false;
        g_uTransforms[k] = glGetUniformLocation(g_programs[k], "uTransform");
        UseProgram(g_programs[k]);
        if (k != kColorOnly)
            glUniform1i(glGetUniformLocation(g_programs[k], "uTexture"), 0);
    }
    if (!g_scene.Build(error))
        return false;

    glGenVertexArrays(1, &g_vao);
    glBindVertexArray(g_vao);
    glGenBuffers(1, &g_vbo);
    glGenBuffers(1, &g_ibo);
    glBindBuffer(GL_ARRAY_BUFFER, g_vbo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, g_ibo);
    PointVertexAttributes<RVertex>();

    // 3D batches: the same attributes with a normal; the draw-colour mark
    // of models (attribute 4) stays off and reads 0. 2D vertices read the
    // normal (0, 0, 0), which the ambient light alone lights.
    glGenVertexArrays(1, &g_vao3D);
    glBindVertexArray(g_vao3D);
    glGenBuffers(1, &g_vbo3D);
    glGenBuffers(1, &g_ibo3D);
    glBindBuffer(GL_ARRAY_BUFFER, g_vbo3D);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, g_ibo3D);
    PointVertexAttributes<RVertex3D>();
    glVertexAttrib4f(3, 0, 0, 0, 1);
    glVertexAttrib4f(4, 0, 0, 0, 1);
    // The batcher's own quad pattern, in 16 bits.
    std::vector<uint32_t> quadPattern;
    CListIndices::Append(quadPattern, EPrimitive::QuadList, 0, kQuadIndexCount / 6 * 4);
    const std::vector<uint16_t> quadIndices(quadPattern.begin(), quadPattern.end());
    glGenVertexArrays(1, &g_vaoQuads);
    glBindVertexArray(g_vaoQuads);
    glGenBuffers(1, &g_iboQuads);
    glBindBuffer(GL_ARRAY_BUFFER, g_vbo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, g_iboQuads);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(quadIndices.size() * sizeof(uint16_t)),
                 quadIndices.data(), GL_STATIC_DRAW);
    PointVertexAttributes<RVertex>();
    glBindVertexArray(g_vao);
    g_shadow.vao = g_vao;

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
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, g_maxViewport);
    glEnable(GL_BLEND);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    // The first vertex of a triangle gives the colour of flat shading.
    Gl_FirstVertexProvokes();
    // Nearer or equal depths draw: what is drawn twice at one depth shows
    // the second time, as 2D drawing in 3D mode expects.
    glDepthFunc(GL_LEQUAL);
    // Rows are stored top first, which mirrors the picture: a triangle that
    // turns counter-clockwise on the screen turns clockwise for GL, and
    // those are the ones culling removes.
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);

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

void CGlRenderDevice::UseColoring(EColoring coloring)
{
    UseProgram(g_programs[coloring]);
}

void CGlRenderDevice::BindVertexArray(GLuint vao)
{
    if (g_shadow.vao != vao) {
        glBindVertexArray(vao);
        g_shadow.vao = vao;
    }
}

void CGlRenderDevice::SetDepthTest(bool on)
{
    if (g_shadow.depthTest != on) {
        // Depth is written exactly where it is tested: a target without the
        // test keeps its depth as it was.
        if (on)
            glEnable(GL_DEPTH_TEST);
        else
            glDisable(GL_DEPTH_TEST);
        glDepthMask(on ? GL_TRUE : GL_FALSE);
        g_shadow.depthTest = on;
        ++g_stats.stateChanges;
    }
}

void CGlRenderDevice::SetCulling(bool on)
{
    if (g_shadow.culling != on) {
        if (on)
            glEnable(GL_CULL_FACE);
        else
            glDisable(GL_CULL_FACE);
        g_shadow.culling = on;
        ++g_stats.stateChanges;
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
    EnsureTargetDepth();
    BindDrawFramebuffer(TargetFramebuffer(g_target));
    SetGlViewport(g_viewport);
    // The back buffer keeps an opaque alpha, as a screen does: blending that
    // reads the destination's alpha always finds 1 there.
    SetAlphaWrite(g_target != 0);
}

bool CGlRenderDevice::TargetHasDepth() const
{
    if (g_target == 0)
        return g_backDepth != 0;
    auto found = g_textures.find(g_target);
    return found != g_textures.end() && found->second.depth != 0;
}

GLuint CGlRenderDevice::MakeDepthBuffer(int32_t w, int32_t h)
{
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint depth = 0;
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, w, h);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteRenderbuffers(1, &depth);
        return 0;
    }
    return depth;
}

void CGlRenderDevice::EnsureTargetDepth()
{
    if (!g_depthOn || g_target == 0)
        return;
    auto found = g_textures.find(g_target);
    if (found == g_textures.end() || !found->second.framebuffer || found->second.depth)
        return;
    RGlTexture& texture = found->second;
    texture.depth = MakeDepthBuffer(texture.w, texture.h);
    if (!texture.depth)
        return; // drawn into without hidden surfaces, as without 3D
    BindDrawFramebuffer(texture.framebuffer);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, texture.depth);
    if (glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
        glDeleteRenderbuffers(1, &texture.depth);
        texture.depth = 0;
        return;
    }
    // A new depth buffer starts at the far end.
    SetScissor(false, {});
    glDepthMask(GL_TRUE);
    Gl_ClearDepth(1.0f);
    glClear(GL_DEPTH_BUFFER_BIT);
    glDepthMask(g_shadow.depthTest ? GL_TRUE : GL_FALSE);
}

// The back buffer's colour store. On the desktop it is a texture of unsized
// format filled as blue-green-red-alpha, which lets the driver keep the pixels
// in the window's own layout: presenting an unscaled frame is then a plain
// copy, where GL_RGBA8 made a software driver convert every pixel through a
// shader, at more than the cost of drawing an empty room. The browser's GL has
// no such layout, so there it stays a plain RGBA renderbuffer.
GLuint CGlRenderDevice::MakeBackColor(int32_t w, int32_t h)
{
    GLuint color = 0;
#ifndef __EMSCRIPTEN__
    glGenTextures(1, &color);
    BindTexture(color);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, kGlTextureFormat, w, h, 0, kGlPixelFormat, kGlPixelType, nullptr);
    BindTexture(0);
#else
    glGenRenderbuffers(1, &color);
    glBindRenderbuffer(GL_RENDERBUFFER, color);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
#endif
    return color;
}

void CGlRenderDevice::AttachBackColor(GLuint color)
{
#ifndef __EMSCRIPTEN__
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color, 0);
#else
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color);
#endif
}

void CGlRenderDevice::DeleteBackColor(GLuint color)
{
#ifndef __EMSCRIPTEN__
    glDeleteTextures(1, &color);
#else
    glDeleteRenderbuffers(1, &color);
#endif
}

bool CGlRenderDevice::CreateBackBuffer(int32_t w, int32_t h)
{
    GLuint framebuffer = 0, depth = 0;
    GLuint color = MakeBackColor(w, h);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    AttachBackColor(color);
    if (g_depthOn && (depth = MakeDepthBuffer(w, h)) != 0)
        glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    bool complete = glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    g_shadow.drawFramebuffer = framebuffer;
    if (!complete) {
        glDeleteFramebuffers(1, &framebuffer);
        DeleteBackColor(color);
        if (depth)
            glDeleteRenderbuffers(1, &depth);
        return false;
    }
    if (depth) {
        glDepthMask(GL_TRUE);
        Gl_ClearDepth(1.0f);
        glClear(GL_DEPTH_BUFFER_BIT);
        glDepthMask(g_shadow.depthTest ? GL_TRUE : GL_FALSE);
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
        DeleteBackColor(g_backColor);
        if (g_backDepth)
            glDeleteRenderbuffers(1, &g_backDepth);
    }
    g_backFramebuffer = framebuffer;
    g_backColor = color;
    g_backDepth = depth;
    g_backW = w;
    g_backH = h;
    return true;
}

bool CGlRenderDevice::SetBackBufferSize(int32_t w, int32_t h)
{
    // Exactly the region, not merely at least it: a clear of the whole
    // region is then a clear of the whole buffer, which drivers do without
    // the scissor test (with it, a software driver draws a rectangle instead).
    w = std::max(w, 1);
    h = std::max(h, 1);
    if (w == g_backW && h == g_backH)
        return true;
    if (w > g_maxTextureSize || h > g_maxTextureSize)
        return false;
    Flush();
    bool ok = CreateBackBuffer(w, h);
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
    ++g_transformVersion; // the half-pixel shift depends on the viewport's size
}

void CGlRenderDevice::SetTransform(ETransform which, const float matrix[16])
{
    RMatrix& slot = which == ETransform::World ? g_world : which == ETransform::View ? g_view : g_projection;
    if (std::memcmp(slot.data(), matrix, sizeof(float) * 16) == 0)
        return; // the same again (every view sets its projection each frame)
    Flush();
    std::memcpy(slot.data(), matrix, sizeof(float) * 16);
    ++g_transformVersion;
}

bool CGlRenderDevice::ApplyViewport(bool guarded)
{
    const RPixelRect& v = g_viewport;
    // Halving clip coordinates and doubling the viewport about the same
    // centre puts every vertex at the very same window position, bit for
    // bit, as long as the half sizes are whole numbers.
    guarded = guarded && v.w > 0 && v.h > 0 && v.w % 2 == 0 && v.h % 2 == 0 && 2 * v.w <= g_maxViewport[0] &&
              2 * v.h <= g_maxViewport[1];
    if (!guarded) {
        SetGlViewport(v);
        SetScissor(false, {});
        return false;
    }
    SetGlViewport({v.x - v.w / 2, v.y - v.h / 2, 2 * v.w, 2 * v.h});
    int32_t w = 0, h = 0;
    TargetSize(g_target, w, h);
    const bool whole = v.x <= 0 && v.y <= 0 && v.x + v.w >= w && v.y + v.h >= h;
    SetScissor(!whole, v);
    return true;
}

void CGlRenderDevice::UploadTransform(EColoring plain, bool guarded)
{
    const bool scene = g_shadow.program == g_scene.Program();
    uint64_t& sent = scene ? g_sceneTransformVersion : g_plainTransformVersions[plain];
    if (sent == g_transformVersion && (scene || g_plainTransformGuarded[plain] == guarded))
        return;
    sent = g_transformVersion;
    if (!scene)
        g_plainTransformGuarded[plain] = guarded;
    if (g_fullVersion != g_transformVersion) {
        // Callers put pixel centres at whole numbers and depth in 0..1, with
        // y growing downwards on the screen. GL puts centres at halves, depth
        // in -1..1, and we store rows top first: shift by half a pixel, flip y
        // and stretch depth, all in clip space so perspective keeps working.
        float vw = static_cast<float>(std::max(g_viewport.w, 1));
        float vh = static_cast<float>(std::max(g_viewport.h, 1));
        RMatrix adjust = {1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 2, 0, 1.0f / vw, 1.0f / vh, -1, 1};
        g_full = Multiply(adjust, Multiply(g_projection, Multiply(g_view, g_world)));
        g_fullVersion = g_transformVersion;
    }
    if (scene) {
        g_scene.SetTransforms(g_full.data(), g_world.data(), g_view.data());
    } else if (guarded) {
        RMatrix halved = g_full;
        for (int c = 0; c < 4; ++c) {
            halved[c * 4] *= 0.5f; // exact: a power of two
            halved[c * 4 + 1] *= 0.5f;
        }
        glUniformMatrix4fv(g_uTransforms[plain], 1, GL_FALSE, halved.data());
    } else {
        glUniformMatrix4fv(g_uTransforms[plain], 1, GL_FALSE, g_full.data());
    }
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
    int32_t w = 0, h = 0;
    TargetSize(g_target, w, h);
    const bool whole = g_viewport.x <= 0 && g_viewport.y <= 0 && g_viewport.x + g_viewport.w >= w &&
                       g_viewport.y + g_viewport.h >= h;
    SetScissor(!whole, g_viewport);
    SetAlphaWrite(true);
    float a = g_target == 0 ? 1.0f : static_cast<float>((argb >> 24) & 0xFF) / 255.0f;
    glClearColor(static_cast<float>((argb >> 16) & 0xFF) / 255.0f, static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(argb & 0xFF) / 255.0f, a);
    glClear(GL_COLOR_BUFFER_BIT);
#ifdef __EMSCRIPTEN__
    // The browser's WebGL keeps a clear pending until something is drawn
    // into the target, and a copy out of it (the frame's present) does not
    // see a pending clear: a room that only shows its colour would show
    // black. Reading one pixel makes the clear land.
    uint8_t landed[4];
    BindReadFramebuffer(TargetFramebuffer(g_target));
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, landed);
#endif
    SetScissor(false, {});
    SetAlphaWrite(g_target != 0);
}

void CGlRenderDevice::Draw(EPrimitive kind, TextureHandle texture, const RVertex* vertices, int32_t count)
{
    g_batch.Queue(kind, texture, vertices, count, g_stats, [this] { Flush(); });
}

void CGlRenderDevice::Draw3D(EPrimitive kind, TextureHandle texture, const RVertex3D* vertices, int32_t count)
{
    g_batch3D.Queue(kind, texture, vertices, count, g_stats, [this] { Flush(); });
}

void CGlRenderDevice::Flush()
{
    // At most one of the two is open: each kind of draw sends the other first.
    Flush2D();
    Flush3D();
}

bool CGlRenderDevice::PrepareDraw(bool vertices3D, TextureHandle handle, bool forceRepeat, bool triangles)
{
    GLuint texture = 0;
    if (handle != 0) {
        auto found = g_textures.find(handle);
        if (found == g_textures.end())
            return false; // freed texture: nothing sensible to draw
        texture = found->second.texture;
    }
    BindCurrentTarget();
    const RSceneState& s = g_sceneState;
    const bool scene = vertices3D || s.lighting || s.fog || s.hidden || s.flat;
    EColoring coloring = kColorOnly;
    if (texture) {
        BindTexture(texture);
        const bool repeat = g_settings.repeat || forceRepeat;
        BindSampler(g_samplers[(g_settings.linearFilter ? 1 : 0) | (repeat ? 2 : 0)]);
        coloring = g_settings.modulate ? kTextureTimesColor : kTextureOnly;
    } else {
        // Untextured drawing keeps no texture bound: the last one may be
        // the target's own, which WebGL refuses to draw beside even when
        // nothing samples it.
        BindTexture(0);
    }
    if (scene) {
        UseProgram(g_scene.Program());
        g_scene.SetMode(coloring); // the scene program numbers its modes the same way
    } else {
        UseColoring(coloring);
    }
    // The plain program's triangles are drawn with a guard band around the
    // viewport: Mesa's software rasteriser sends a whole draw call through
    // its slow per-triangle path (and splits the rectangles it would find)
    // when any vertex lies outside the viewport, as sprites and particles
    // at the edge of a view do. A target with depth never takes its fast
    // path, so it keeps the exact clipping it had.
    const bool guarded = ApplyViewport(!scene && triangles && !TargetHasDepth());
    UploadTransform(coloring, guarded);
    if (scene && g_sceneDirty) {
        g_scene.SetScene(s);
        g_sceneDirty = false;
    }
    SetBlend(g_settings.blendSource, g_settings.blendDest);
    SetDepthTest(s.hidden && TargetHasDepth());
    SetCulling(s.cull);
    return true;
}

const std::vector<uint32_t>& CGlRenderDevice::FlatReady(const std::vector<uint32_t>& indices, EListKind kind)
{
    if (kGlFirstVertexProvokes || !g_sceneState.flat || kind != EListKind::Triangles)
        return indices;
    g_turned = indices;
    Gl_MoveFirstCornersLast(g_turned.data(), g_turned.size());
    return g_turned;
}

void CGlRenderDevice::Flush3D()
{
    if (g_batch3D.IsEmpty())
        return;
    if (!PrepareDraw(true, g_batch3D.Texture(), false, false)) {
        g_batch3D.Clear();
        return;
    }
    BindVertexArray(g_vao3D);
    glBindBuffer(GL_ARRAY_BUFFER, g_vbo3D);
    const std::vector<RVertex3D>& vertices = g_batch3D.Vertices();
    const std::vector<uint32_t>& indices = FlatReady(g_batch3D.Indices(), g_batch3D.Kind());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(RVertex3D)), vertices.data(),
                 GL_STREAM_DRAW);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint32_t)), indices.data(),
                 GL_STREAM_DRAW);
    glDrawElements(ListMode(g_batch3D.Kind()), static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, nullptr);
    ++g_stats.drawCalls;
    g_batch3D.Clear();
}

void CGlRenderDevice::Flush2D()
{
    if (g_batch.IsEmpty())
        return;
    if (!PrepareDraw(false, g_batch.Texture(), false, g_batch.Kind() == EListKind::Triangles)) {
        g_batch.Clear();
        return;
    }
    const std::vector<RVertex>& vertices = g_batch.Vertices();
    size_t vertexBytes = vertices.size() * sizeof(RVertex);
#ifndef __EMSCRIPTEN__
    // Quads alone use the fixed indices, offset to each run of quads (the
    // browser's GL cannot offset indices, so it takes the general way).
    if (g_batch.IsQuadsOnly() && kGlFirstVertexProvokes) {
        BindVertexArray(g_vaoQuads);
        glBindBuffer(GL_ARRAY_BUFFER, g_vbo);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertexBytes), vertices.data(), GL_STREAM_DRAW);
        const int32_t quads = static_cast<int32_t>(vertices.size() / 4);
        for (int32_t first = 0; first < quads; first += kQuadsPerDraw) {
            const int32_t count = std::min(kQuadsPerDraw, quads - first);
            glDrawRangeElementsBaseVertex(GL_TRIANGLES, 0, static_cast<GLuint>(count * 4 - 1), count * 6,
                                          GL_UNSIGNED_SHORT, nullptr, first * 4);
        }
        ++g_stats.drawCalls;
        g_batch.Clear();
        return;
    }
#endif
    BindVertexArray(g_vao);
    glBindBuffer(GL_ARRAY_BUFFER, g_vbo); // not part of the vertex array's state
    const std::vector<uint32_t>& indices = FlatReady(g_batch.Indices(), g_batch.Kind());
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
    glTexImage2D(GL_TEXTURE_2D, 0, kGlTextureFormat, tw, th, 0, kGlPixelFormat, kGlPixelType,
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
    if constexpr (!kGlHasBgraTransfers) {
        const size_t count = static_cast<size_t>(area.w) * static_cast<size_t>(area.h);
        g_swapped.resize(count * 4);
        Gl_SwapRedBlue(pixels, g_swapped.data(), count);
        pixels = g_swapped.data();
    }
    glTexSubImage2D(GL_TEXTURE_2D, 0, area.x, area.y, area.w, area.h, kGlPixelFormat, kGlPixelType, pixels);
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
    if (found->second.depth)
        glDeleteRenderbuffers(1, &found->second.depth);
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
    glReadPixels(area.x, area.y, area.w, area.h, kGlPixelFormat, kGlPixelType, pixels);
    if constexpr (!kGlHasBgraTransfers)
        Gl_SwapRedBlue(pixels, pixels, static_cast<size_t>(area.w) * static_cast<size_t>(area.h));
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
    // whole window first paints them with one call. A picture that fills the
    // window leaves no strips, and then the window is not cleared at all.
    int32_t dw = 0, dh = 0;
    SDL_GL_GetDrawableSize(g_window, &dw, &dh);
    const bool picture = sw > 0 && sh > 0 && p.target.w > 0 && p.target.h > 0;
    const bool fills = picture && p.target.x <= 0 && p.target.y <= 0 &&
                       p.target.x + p.target.w >= std::max(p.clientW, dw) &&
                       p.target.y + p.target.h >= std::max(p.clientH, dh);
    if (!fills) {
        uint32_t c = p.windowColor;
        glClearColor(static_cast<float>((c >> 16) & 0xFF) / 255.0f, static_cast<float>((c >> 8) & 0xFF) / 255.0f,
                     static_cast<float>(c & 0xFF) / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    if (picture) {
        // Whole multiples stay sharp; other scales are smoothed.
        bool exact = p.target.w % sw == 0 && p.target.h % sh == 0;
        int32_t top = p.clientH - p.target.y;
        glBlitFramebuffer(0, 0, sw, sh, p.target.x, top, p.target.x + p.target.w, top - p.target.h,
                          GL_COLOR_BUFFER_BIT, exact ? GL_NEAREST : GL_LINEAR);
    }
    if (p.overlay)
        DrawOverlay(p);
}

void CGlRenderDevice::DrawOverlay(const RPresentation& p)
{
    auto found = g_textures.find(p.overlay);
    if (found == g_textures.end() || p.overlayW <= 0 || p.overlayH <= 0 || p.clientW <= 0 || p.clientH <= 0)
        return;
    UseColoring(kTextureTimesColor);
    SetGlViewport({0, 0, p.clientW, p.clientH});
    SetDepthTest(false);
    SetCulling(false);
    // Client pixels straight to clip space; the window's rows run from the
    // bottom, the texture's from the top.
    const float w = static_cast<float>(p.clientW), h = static_cast<float>(p.clientH);
    const RMatrix toClip = {2 / w, 0, 0, 0, 0, -2 / h, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1};
    glUniformMatrix4fv(g_uTransforms[kTextureTimesColor], 1, GL_FALSE, toClip.data());
    g_plainTransformVersions[kTextureTimesColor] = 0; // the game's transform goes up again with its next draw
    BindVertexArray(g_vao);
    glBindBuffer(GL_ARRAY_BUFFER, g_vbo);
    BindTexture(found->second.texture);
    BindSampler(g_samplers[0]);
    SetBlend(kBlendSrcAlpha, kBlendInvSrcAlpha);
    const float ow = static_cast<float>(std::min(p.overlayW, found->second.w));
    const float oh = static_cast<float>(std::min(p.overlayH, found->second.h));
    const float u = ow / static_cast<float>(found->second.w), v = oh / static_cast<float>(found->second.h);
    const uint32_t tint = p.overlayTint;
    const RVertex quad[6] = {{0, 0, 0, tint, 0, 0},   {ow, 0, 0, tint, u, 0},  {ow, oh, 0, tint, u, v},
                             {0, 0, 0, tint, 0, 0},   {ow, oh, 0, tint, u, v}, {0, oh, 0, tint, 0, v}};
    glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    ++g_stats.drawCalls;
}

bool CGlRenderDevice::Present(const RPresentation& p)
{
    ComposePresentation(p);
    SDL_GL_SwapWindow(g_window);
    ++g_stats.presents;
    BindCurrentTarget();
    return true;
}

bool CGlRenderDevice::PresentWith(const RPresentation& p, const std::function<void()>& drawOver)
{
    ComposePresentation(p);
    SetGlViewport({0, 0, p.clientW, p.clientH});
    if (drawOver)
        drawOver(); // puts back every piece of GL state it touches
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
    glReadPixels(0, 0, w, h, kGlPixelFormat, kGlPixelType, pixels);
    if constexpr (!kGlHasBgraTransfers)
        Gl_SwapRedBlue(pixels, pixels, static_cast<size_t>(w) * static_cast<size_t>(h));
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

bool CGlRenderDevice::SetDepthBuffer(bool on)
{
    if (on == g_depthOn)
        return !on || g_backDepth != 0;
    Flush();
    g_depthOn = on;
    if (!on) {
        // Back to 2D: no target keeps a depth buffer.
        for (auto& [handle, texture] : g_textures) {
            if (!texture.depth)
                continue;
            BindDrawFramebuffer(texture.framebuffer);
            glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
            glDeleteRenderbuffers(1, &texture.depth);
            texture.depth = 0;
        }
        if (g_backDepth) {
            BindDrawFramebuffer(g_backFramebuffer);
            glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
            glDeleteRenderbuffers(1, &g_backDepth);
            g_backDepth = 0;
        }
        BindCurrentTarget();
        return true;
    }
    g_backDepth = MakeDepthBuffer(g_backW, g_backH);
    if (g_backDepth) {
        BindDrawFramebuffer(g_backFramebuffer);
        glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, g_backDepth);
        if (glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
            glDeleteRenderbuffers(1, &g_backDepth);
            g_backDepth = 0;
        }
    }
    if (!g_backDepth) {
        g_depthOn = false;
        BindCurrentTarget();
        return false;
    }
    SetScissor(false, {});
    glDepthMask(GL_TRUE);
    Gl_ClearDepth(1.0f);
    glClear(GL_DEPTH_BUFFER_BIT);
    glDepthMask(g_shadow.depthTest ? GL_TRUE : GL_FALSE);
    BindCurrentTarget();
    return true;
}

void CGlRenderDevice::ClearDepth()
{
    Flush();
    BindCurrentTarget();
    if (!TargetHasDepth())
        return;
    SetScissor(true, g_viewport);
    glDepthMask(GL_TRUE);
    Gl_ClearDepth(1.0f);
    glClear(GL_DEPTH_BUFFER_BIT);
    glDepthMask(g_shadow.depthTest ? GL_TRUE : GL_FALSE);
    SetScissor(false, {});
}

void CGlRenderDevice::SetSceneState(const RSceneState& state)
{
    if (state == g_sceneState)
        return;
    Flush();
    g_sceneState = state;
    g_sceneDirty = true;
}

MeshHandle CGlRenderDevice::CreateMesh(const RMesh& mesh)
{
    const size_t count = mesh.vertices.size();
    if (count == 0 || count > UINT32_MAX / 2 || mesh.drawColor.size() != count)
        return 0;
    // Parts of one list kind and addressing share a group; each group is
    // one draw call however many primitives it holds.
    struct RKey {
        EListKind kind;
        bool repeat;
    };
    const RKey keys[] = {{EListKind::Triangles, false}, {EListKind::Triangles, true}, {EListKind::Lines, false},
                         {EListKind::Lines, true},      {EListKind::Points, false},   {EListKind::Points, true}};
    RGlMesh made;
    std::vector<uint32_t> indices;
    for (const RKey& key : keys) {
        const size_t first = indices.size();
        for (const RMeshPart& part : mesh.parts) {
            if (CListIndices::ListKindOf(part.kind) != key.kind || part.repeat != key.repeat || part.first < 0 ||
                part.count <= 0 || static_cast<size_t>(part.first) + static_cast<size_t>(part.count) > count)
                continue;
            CListIndices::Append(indices, part.kind, static_cast<uint32_t>(part.first), part.count);
        }
        if (indices.size() > first)
            made.groups.push_back({key.kind, key.repeat, first, static_cast<GLsizei>(indices.size() - first)});
        if (!kGlFirstVertexProvokes && key.kind == EListKind::Triangles)
            Gl_MoveFirstCornersLast(indices.data() + first, indices.size() - first);
    }
    if (made.groups.empty())
        return 0;
    Flush();
    while (glGetError() != GL_NO_ERROR) {
    }
    glGenVertexArrays(1, &made.vao);
    glGenBuffers(1, &made.vbo);
    glGenBuffers(1, &made.ibo);
    BindVertexArray(made.vao);
    glBindBuffer(GL_ARRAY_BUFFER, made.vbo);
    // The vertices, then one byte per vertex: whether it takes the draw's colour.
    const size_t vertexBytes = count * sizeof(RVertex3D);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertexBytes + count), nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(vertexBytes), mesh.vertices.data());
    glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(vertexBytes), static_cast<GLsizeiptr>(count),
                    mesh.drawColor.data());
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, made.ibo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint32_t)), indices.data(),
                 GL_STATIC_DRAW);
    PointVertexAttributes<RVertex3D>();
    glEnableVertexAttribArray(4);
    glVertexAttribPointer(4, 1, GL_UNSIGNED_BYTE, GL_FALSE, 1, reinterpret_cast<void*>(vertexBytes));
    BindVertexArray(g_vao);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteVertexArrays(1, &made.vao);
        glDeleteBuffers(1, &made.vbo);
        glDeleteBuffers(1, &made.ibo);
        return 0;
    }
    ++g_stats.meshUploads;
    const MeshHandle handle = g_nextMesh++;
    g_meshes[handle] = std::move(made);
    return handle;
}

void CGlRenderDevice::DrawMesh(MeshHandle handle, TextureHandle texture, uint32_t drawColor, const float offset[3])
{
    auto found = g_meshes.find(handle);
    if (found == g_meshes.end())
        return;
    Flush();
    const RGlMesh& mesh = found->second;
    for (const RGlMesh::RGroup& group : mesh.groups) {
        if (!PrepareDraw(true, texture, group.repeat, false))
            return;
        g_scene.SetMesh(offset, drawColor);
        BindVertexArray(mesh.vao);
        glDrawElements(ListMode(group.kind), group.count, GL_UNSIGNED_INT,
                       reinterpret_cast<void*>(group.firstIndex * sizeof(uint32_t)));
        ++g_stats.drawCalls;
    }
    ++g_stats.primitives;
    g_scene.ClearMesh();
    BindVertexArray(g_vao);
}

void CGlRenderDevice::FreeMesh(MeshHandle handle)
{
    auto found = g_meshes.find(handle);
    if (found == g_meshes.end())
        return;
    if (g_shadow.vao == found->second.vao)
        BindVertexArray(g_vao);
    glDeleteVertexArrays(1, &found->second.vao);
    glDeleteBuffers(1, &found->second.vbo);
    glDeleteBuffers(1, &found->second.ibo);
    g_meshes.erase(found);
}

void CGlRenderDevice::SetSynchronization(bool on)
{
    // Not every video driver can wait for the refresh; then frames just go out.
    // A page shows what was drawn at the browser's own refresh anyway.
#ifndef __EMSCRIPTEN__
    SDL_GL_SetSwapInterval(on ? 1 : 0);
#else
    (void)on;
#endif
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
#ifndef __EMSCRIPTEN__
    if (!Platform_LoadGlFunctions(error)) {
        SDL_GL_DeleteContext(context);
        return nullptr;
    }
#endif
    Platform_KeepLoadedLibraries();
    auto device = std::make_unique<CGlRenderDevice>(window, context);
    if (!device->Initialize(error))
        return nullptr;
    return device;
}
