// Drawing particles through the textured quad, which hands them to the
// device's batcher: particles of one texture and blend state in a row make
// one draw call.
#include "particles/ParticleDraw.h"

#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/ResourceTextures.h"
#include "graphics/SpriteDraw.h"
#include "graphics/TextureDraw.h"
#include "platform/DrawBatcher.h"
#include "particles/ParticleShapes.h"
#include "particles/ParticleTypes.h"
#include "particles/ParticleWiggle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kRadians = std::numbers::pi / 180.0;
constexpr double kDepthGroup = 0.01; // systems this close in depth are drawn together

// What a type draws with, looked up once per type and frame.
struct RTypeLook {
    const RTexturePicture* shape = nullptr; // the built-in shape, when no sprite
    int32_t sprite = -1;                    // a sprite with images
    int32_t images = 0;
    double xorig = 0, yorig = 0;
};

std::vector<RTypeLook> Looks; // reused between frames

void LookUpTypes()
{
    Looks.assign(ParticleTypes.size(), RTypeLook());
    for (size_t k = 0; k < ParticleTypes.size(); ++k) {
        const RParticleType& t = ParticleTypes[k];
        RTypeLook& look = Looks[k];
        if (const CSprite* sprite = Sprites.Get(t.sprite)) {
            look.sprite = sprite->Count() > 0 ? t.sprite : -1; // a sprite without images draws nothing
            look.images = sprite->Count();
            look.xorig = sprite->i_xorig;
            look.yorig = sprite->i_yorig;
        } else {
            look.shape = ParticleShapes_Picture(t.shape); // null outside 0..13: nothing
            look.xorig = look.yorig = kShapeOrigin;
        }
    }
}

// Quads of one texture and blend state, waiting to go to the device
// together; kept between frames so drawing allocates nothing once warm.
std::vector<RVertex> Quads;
TextureHandle QuadTexture = 0;

void SendQuads()
{
    IRenderDevice* device = Display_Device();
    const int32_t count = static_cast<int32_t>(Quads.size());
    if (device && count > 0) {
        device->SetDrawSettings(Draw_Settings(true));
        for (int32_t first = 0; first < count; first += CDrawBatcher::kVertexCapacity)
            device->Draw(EPrimitive::QuadList, QuadTexture, Quads.data() + first,
                         std::min(count - first, CDrawBatcher::kVertexCapacity));
    }
    Quads.clear();
}

// The picture a particle shows now, or null for none.
const RTexturePicture* PictureOf(const RParticle& p, const RParticleType& t, const RTypeLook& look)
{
    if (p.lifetime <= 0)
        return nullptr;
    if (look.sprite < 0)
        return look.shape;
    int64_t image = p.spritestart;
    if (t.spriteanim)
        image += t.spritestretch ? static_cast<int64_t>(std::floor(static_cast<double>(look.images) * p.age / p.lifetime))
                                 : p.age;
    return Sprite_Picture(look.sprite, Sprite_ImageIndex(image, look.images));
}

void AddQuad(const RParticle& p, const RParticleType& t, const RTypeLook& look, const RTexturePicture& picture,
             double xdraw, double ydraw)
{
    const int64_t age = p.age, ran = p.ran;
    double angle = p.ang + (t.angdir ? p.dir : 0);
    if (t.angrand != 0)
        angle += t.angrand * Particle_Wiggle(age + 2 * ran, 16, 4);
    double size = p.size;
    if (t.sizerand != 0)
        size += t.sizerand * Particle_Wiggle(age + ran, 16, 4);
    const size_t at = Quads.size();
    Quads.resize(at + 4);
    Draw_TextureExtVertices(picture, p.color, p.alpha, angle * kRadians, t.xscale * size, t.yscale * size,
                            p.x + xdraw, p.y + ydraw, look.xorig, look.yorig, &Quads[at]);
}

} // namespace

void ParticleSystem_Draw(const RParticleSystem& s)
{
    IRenderDevice* device = Display_Device();
    if (!device || device->IsHeadless() || s.particles.empty())
        return;
    LookUpTypes();
    const bool interpolate = DrawState.interpolate;
    DrawState.interpolate = true;
    // An additive particle is drawn additively; the blend mode is normal
    // after it, for the particles that follow and after the system.
    bool additive = false;
    Quads.clear();
    const size_t count = s.particles.size();
    for (size_t n = 0; n < count; ++n) {
        const RParticle& p = s.particles[s.oldtonew ? n : count - 1 - n];
        const size_t type = static_cast<size_t>(p.parttype);
        const RParticleType& t = ParticleTypes[type];
        const RTexturePicture* picture = PictureOf(p, t, Looks[type]);
        if (!picture || picture->handle == 0)
            continue;
        if (t.additiveblend != additive || picture->handle != QuadTexture) {
            SendQuads();
            QuadTexture = picture->handle;
            if (t.additiveblend != additive) {
                Draw_SetBlendMode(t.additiveblend ? 1 : 0);
                additive = t.additiveblend;
            }
        }
        AddQuad(p, t, Looks[type], *picture, s.xdraw, s.ydraw);
    }
    SendQuads();
    DrawState.interpolate = interpolate;
    if (additive)
        Draw_SetBlendMode(0);
}

double ParticleSystems_DepthBelow(double below)
{
    const double limit = std::isinf(below) ? below : below - kDepthGroup;
    double best = -1e9; // none
    bool found = false;
    for (const RParticleSystem& s : ParticleSystems) {
        if (s.created && s.automaticdraw && s.depth < limit && (!found || s.depth > best)) {
            best = s.depth;
            found = true;
        }
    }
    return found ? best : -1e9;
}

void ParticleSystems_DrawAtDepth(double depth)
{
    for (const RParticleSystem& s : ParticleSystems)
        if (s.created && s.automaticdraw && s.depth <= depth && s.depth >= depth - kDepthGroup)
            ParticleSystem_Draw(s);
}
