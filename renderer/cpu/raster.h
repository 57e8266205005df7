// The arithmetic by which the OpenGL picture is made, done on the
// processor: the projection and viewport of a record's points, triangles
// with their edges in fixed point and their colours and texture
// coordinates as planes, the atlas's mipmap levels and the level a puff's
// pixels sample. Everything here is worked per triangle; the per-pixel
// work is the kernels' (renderer/cpu/kernels.h).
//
// The rules are those of the OpenGL that ships with Linux and Wine (Mesa's
// llvmpipe), as measured against it: rows counted from the top, pixel
// centres at half-integers, vertices snapped to 1/256 pixel, a pixel on an
// edge belonging to the triangle right and above it on the screen, planes
// that start from the first vertex, and single-precision floats in the
// order the pipeline computes them. A picture drawn by these rules matches
// the OpenGL one to the bit on all but a few pixels in ten thousand (float
// rounding of a texture coordinate that falls on a half texel step).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "renderer/scene/monitor_layout.h"
#include "renderer/scene/puff_texture.h"

namespace orvelle::cpu {

// Pixels of the picture, from (left, top) to (right, bottom) inclusive;
// rows count from the top. Empty when right < left or bottom < top.
struct PixelBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = -1;
    int32_t bottom = -1;

    bool empty() const { return right < left || bottom < top; }
};

// One viewport of a picture of pictureWidth x pictureHeight: the pixel
// projection of its size (one unit a little less than a pixel: the
// projection spans the size plus one), the viewport itself turned to rows
// from the top, and its pixels, which nothing drawn in it leaves.
struct ViewTransform {
    float projectX = 0, shiftX = 0, projectY = 0, shiftY = 0;
    float scaleX = 0, offsetX = 0, scaleY = 0, offsetY = 0;
    PixelBox clip;
};
// area as OpenGL takes it: x and y from the picture's bottom-left.
ViewTransform viewTransform(uint32_t pictureWidth, uint32_t pictureHeight, const ScreenRect& area);

// The rows of a modelview that a flat record uses, in the pipeline's
// single precision: x' = xx x + xy y + x0, y' = yx x + yy y + y0.
struct Flat2d {
    float xx = 1, xy = 0, x0 = 0;
    float yx = 0, yy = 1, y0 = 0;
};

struct PicturePoint {
    float x;
    float y;
};
PicturePoint toPicture(const ViewTransform& view, const Flat2d& modelview, float x, float y);

// The modelview of a star: translated to its centre and scaled, then
// turned by each ray's angle in turn, as the pipeline's matrix stack
// multiplies them.
Flat2d translatedScaled(float x, float y, float scale);
void turn(Flat2d& m, float degrees);

// The modelview of a puff: translate, rotate and scale made in one,
// exactly as the OpenGL backend loads it.
Flat2d puffModelview(float centerX, float centerY, float angleDegrees, float length, float size);

// value at pixel (x, y) = a0 + dadx x + dady y, x and y the pixel's
// column and row (its centre's offset of a half is in a0).
struct Plane {
    float a0 = 0;
    float dadx = 0;
    float dady = 0;
};

// An edge in fixed point (1/256 pixel): a pixel is on the triangle's side
// of it where c + dcdy 256 y - dcdx 256 x > 0.
struct Edge {
    int64_t c = 0;
    int64_t dcdx = 0;
    int64_t dcdy = 0;
};

inline constexpr size_t kMaxPlanes = 4;

struct Triangle {
    std::array<Edge, 3> edges;
    PixelBox box;  // the pixels it may cover, within the clip
    std::array<Plane, kMaxPlanes> planes;
};

struct Vertex {
    PicturePoint at;
    std::array<float, kMaxPlanes> values;
};

// The triangle's edges, bounds and the planes of its first `planes`
// values; false when it covers no pixel of the clip (no area, outside, or
// points too far out to snap).
bool setUpTriangle(const PixelBox& clip, const Vertex& a, const Vertex& b, const Vertex& c,
                   size_t planes, Triangle& out);

// The pixels of row y inside the triangle: first to last; false when none.
bool rowSpan(const Triangle& triangle, int32_t y, int32_t& first, int32_t& last);

// The atlas with its mipmap levels (each texel the mean of four, rounded,
// as the mipmaps are made for OpenGL) for bilinear sampling: entry
// (row, column) of a level holds the four texels a sample there blends,
// (row, column), (row, column + 1), (row + 1, column), (row + 1, column +
// 1), one per byte from the lowest, the texture repeating at the edges.
class AtlasLevels {
public:
    static constexpr int kLevels = 9;  // 256 x 256 down to 1 x 1

    explicit AtlasLevels(const PuffAtlas& atlas);

    // Level 0 is the full size; a level's side is 256 >> level.
    const uint32_t* quads(int level) const { return quads_.data() + offset_[level]; }
    // One grey level of a level, for tests.
    uint8_t texel(int level, int row, int column) const;

private:
    std::vector<uint32_t> quads_;
    std::array<size_t, kLevels> offset_{};
};

// The level of detail of the atlas that a puff triangle's pixels sample,
// chosen per 2 x 2 pixels from the texture coordinates' steps there:
// where every such block of the triangle gets the same level, that level;
// kLevelPerBlock where float rounding may tip some blocks to the next.
inline constexpr int kLevelPerBlock = -1;
int uniformLevel(const Triangle& triangle);

// The level for one block from its steps of s and t to the right and
// down, as the pipeline computes it (their lengths squared, in texels of
// the full size, the larger of the two, rounded to the nearest level).
int blockLevel(float dsdx, float dtdx, float dsdy, float dtdy);

// Byte arithmetic of the pipeline: a x b / 255 rounded, and a float
// colour channel from 0 to 1 to a byte.
inline int32_t mulByte(int32_t a, int32_t b) {
    int32_t ab = a * b;
    ab = ab + (ab >> 8) + 128;
    return ab >> 8;
}

}  // namespace orvelle::cpu
