// What one frame asks of the picture, as plain records: the fade of the
// picture already there, the lights as stars of rays and the particles as
// textured puffs. The scene makes the records; a target draws them (OpenGL
// in the hosts, a recorder or a digest in tests).
#pragma once

#include <array>
#include <cstdint>

#include "puff_texture.h"
#include "vec.h"

namespace orvelle {

// One ray of a star: the turn from the previous ray's orientation (degrees
// about z) and its length, in star units.
struct StarRay {
    float angleDegrees;
    float length;
};

// A light drawn as a star of twelve rays: translate to the centre, scale by
// scale, then each ray turns on from the one before and is two quads six
// units wide, bright only at the centre in the light's colour.
struct StarRecord {
    float centerX;
    float centerY;
    float scale;
    std::array<StarRay, 12> rays;
    Color4 color;
};

// One puff: translate to the centre, rotate by the angle (degrees, about z),
// scale the unit quad by length and size, sample the 1/8 x 1/8 tile at
// (u, v) and modulate by the colour. The angle is computed in double
// precision and kept in the single precision that the pipeline rotates by;
// that also absorbs the last-bit differences of atan2 between the C
// runtimes of Linux and Windows.
struct PuffQuad {
    float centerX;
    float centerY;
    float angleDegrees;
    float length;
    float size;
    float u;
    float v;
    Color4 color;
};

class FrameTarget {
public:
    virtual ~FrameTarget() = default;
    // Keeps three quarters of the picture of the view's size, then switches
    // to adding light.
    virtual void fade(uint32_t viewWidth, uint32_t viewHeight) = 0;
    virtual void star(const StarRecord& star) = 0;
    // The atlas is ready; called once, on the first particle draw.
    virtual void uploadPuffAtlas(const PuffAtlas& atlas) = 0;
    virtual void beginPuffs() = 0;
    virtual void puff(const PuffQuad& quad) = 0;
    virtual void endPuffs() = 0;
};

}  // namespace orvelle
