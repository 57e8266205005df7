#include "renderer/cpu/raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvelle::cpu {

ViewTransform viewTransform(uint32_t pictureWidth, uint32_t pictureHeight, const ScreenRect& area) {
    ViewTransform t;
    // gluOrtho2D(-0.5, w + 0.5, -0.5, h + 0.5), made in single precision
    // from the double arguments.
    const float left = -0.5f, right = static_cast<float>(area.width + 0.5);
    const float bottom = -0.5f, top = static_cast<float>(area.height + 0.5);
    t.projectX = 2.0f / (right - left);
    t.shiftX = -(right + left) / (right - left);
    t.projectY = 2.0f / (top - bottom);
    t.shiftY = -(top + bottom) / (top - bottom);
    // The viewport, one pixel high where the area has none, turned upside
    // down: the pipeline counts rows from the top.
    const int32_t height = area.height == 0 ? 1 : area.height;
    const float halfWidth = 0.5f * static_cast<float>(area.width);
    const float halfHeight = 0.5f * static_cast<float>(height);
    t.scaleX = halfWidth;
    t.offsetX = halfWidth + static_cast<float>(area.left);
    t.scaleY = -halfHeight;
    t.offsetY = static_cast<float>(pictureHeight) - (halfHeight + static_cast<float>(area.top));
    const int64_t w = pictureWidth, h = pictureHeight;
    const int64_t rowsFromTop = h - (int64_t{area.top} + height);
    t.clip.left = static_cast<int32_t>(std::clamp<int64_t>(area.left, 0, w));
    t.clip.right =
        static_cast<int32_t>(std::clamp<int64_t>(int64_t{area.left} + area.width, 0, w)) - 1;
    t.clip.top = static_cast<int32_t>(std::clamp<int64_t>(rowsFromTop, 0, h));
    t.clip.bottom = static_cast<int32_t>(std::clamp<int64_t>(rowsFromTop + height, 0, h)) - 1;
    return t;
}

PicturePoint toPicture(const ViewTransform& v, const Flat2d& m, float x, float y) {
    // The projection times the modelview, as the pipeline multiplies them
    // (the products with the projection's zeros change nothing), then the
    // point through it term by term, then the viewport.
    const float xx = v.projectX * m.xx, xy = v.projectX * m.xy, x0 = v.projectX * m.x0 + v.shiftX;
    const float yx = v.projectY * m.yx, yy = v.projectY * m.yy, y0 = v.projectY * m.y0 + v.shiftY;
    float clipX = x * xx;
    clipX = clipX + y * xy;
    clipX = clipX + x0;
    float clipY = x * yx;
    clipY = clipY + y * yy;
    clipY = clipY + y0;
    return {clipX * v.scaleX + v.offsetX, clipY * v.scaleY + v.offsetY};
}

Flat2d translatedScaled(float x, float y, float scale) {
    Flat2d m;
    m.x0 = x;
    m.y0 = y;
    m.xx = m.yy = scale;
    m.xy = m.yx = 0.0f;
    return m;
}

void turn(Flat2d& m, float degrees) {
    // The rotation's sine and cosine in double precision, kept in single;
    // the product keeps the stack's order of terms.
    const float s = static_cast<float>(std::sin(degrees * 3.14159265358979323846 / 180.0));
    const float c = static_cast<float>(std::cos(degrees * 3.14159265358979323846 / 180.0));
    const float xx = m.xx * c + m.xy * s, xy = m.xx * -s + m.xy * c;
    const float yx = m.yx * c + m.yy * s, yy = m.yx * -s + m.yy * c;
    m.xx = xx;
    m.xy = xy;
    m.yx = yx;
    m.yy = yy;
}

Flat2d puffModelview(float centerX, float centerY, float angle, float length, float size) {
    // As the OpenGL backend computes the matrix it loads.
    const float s = std::sin(static_cast<float>(angle * 3.14159265358979323846 / 180.0));
    const float c = std::cos(static_cast<float>(angle * 3.14159265358979323846 / 180.0));
    Flat2d m;
    m.xx = c * length;
    m.yx = s * length;
    m.xy = -s * size;
    m.yy = c * size;
    m.x0 = centerX;
    m.y0 = centerY;
    return m;
}

namespace {

// Points further out than this are not drawn: their fixed-point edges
// would overflow (no record of a scene comes near).
constexpr float kFarthest = 4194304.0f;  // 2^22 pixels

int32_t snap(float v) {
    return static_cast<int32_t>(std::lrint((v - 0.5f) * 256.0f));
}

int64_t floorDiv(int64_t n, int64_t d) {  // d > 0
    const int64_t q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

}  // namespace

bool setUpTriangle(const PixelBox& clip, const Vertex& a, const Vertex& b, const Vertex& c,
                   size_t planes, Triangle& out) {
    const Vertex* v[3] = {&a, &b, &c};
    for (const Vertex* p : v) {
        if (!(std::fabs(p->at.x) < kFarthest && std::fabs(p->at.y) < kFarthest)) return false;
    }
    int64_t x[3], y[3];
    for (int i = 0; i < 3; ++i) {
        x[i] = snap(v[i]->at.x);
        y[i] = snap(v[i]->at.y);
    }
    const int64_t area = (x[0] - x[1]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[0] - y[1]);
    if (area == 0) return false;
    if (area < 0) {  // the other winding: the first two swap places
        std::swap(v[0], v[1]);
        std::swap(x[0], x[1]);
        std::swap(y[0], y[1]);
    }
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3;
        Edge& e = out.edges[static_cast<size_t>(i)];
        e.dcdy = x[i] - x[j];
        e.dcdx = y[i] - y[j];
        e.c = e.dcdx * x[i] - e.dcdy * y[i];
        // A pixel on the edge belongs to the triangle on its left edges and
        // its edges along a row that it lies above on the screen.
        if (e.dcdx < 0 || (e.dcdx == 0 && e.dcdy < 0)) ++e.c;
    }
    PixelBox& box = out.box;
    box.left = std::max(clip.left, static_cast<int32_t>(std::min({x[0], x[1], x[2]}) >> 8));
    box.right = std::min(clip.right, static_cast<int32_t>((std::max({x[0], x[1], x[2]}) - 1) >> 8));
    box.top = std::max(clip.top, static_cast<int32_t>((std::min({y[0], y[1], y[2]}) + 1) >> 8));
    box.bottom = std::min(clip.bottom, static_cast<int32_t>(std::max({y[0], y[1], y[2]}) >> 8));
    if (box.empty()) return false;

    // The planes, from the first vertex's pixel-centred place.
    const PicturePoint p0 = v[0]->at, p1 = v[1]->at, p2 = v[2]->at;
    const float x0 = p0.x - 0.5f, y0 = p0.y - 0.5f;
    const float dx01 = p0.x - p1.x, dy01 = p0.y - p1.y;
    const float dx20 = p2.x - p0.x, dy20 = p2.y - p0.y;
    const float e = dx01 * dy20, f = dy01 * dx20;
    const float oneOverArea = 1.0f / (e - f);
    const float dx20a = dx20 * oneOverArea, dy20a = dy20 * oneOverArea;
    const float dx01a = dx01 * oneOverArea, dy01a = dy01 * oneOverArea;
    for (size_t k = 0; k < planes; ++k) {
        const float a0 = v[0]->values[k];
        const float da01 = a0 - v[1]->values[k], da20 = v[2]->values[k] - a0;
        Plane& plane = out.planes[k];
        plane.dadx = da01 * dy20a - da20 * dy01a;
        plane.dady = da20 * dx01a - da01 * dx20a;
        plane.a0 = a0 - (plane.dadx * x0 + plane.dady * y0);
    }
    return true;
}

bool rowSpan(const Triangle& t, int32_t y, int32_t& first, int32_t& last) {
    int64_t from = t.box.left, to = t.box.right;
    for (const Edge& e : t.edges) {
        const int64_t n = e.c + e.dcdy * 256 * y;
        const int64_t d = e.dcdx * 256;
        if (d > 0) {
            to = std::min(to, floorDiv(n - 1, d));  // n - d x > 0
        } else if (d < 0) {
            from = std::max(from, floorDiv(-n, -d) + 1);  // n + |d| x > 0
        } else if (n <= 0) {
            return false;
        }
    }
    if (from > to) return false;
    first = static_cast<int32_t>(from);
    last = static_cast<int32_t>(to);
    return true;
}

AtlasLevels::AtlasLevels(const PuffAtlas& atlas) {
    std::vector<uint8_t> level(static_cast<size_t>(kAtlasSize) * kAtlasSize);
    for (size_t i = 0; i < level.size(); ++i) level[i] = atlas[i * 2];
    size_t total = 0;
    for (int k = 0; k < kLevels; ++k) {
        offset_[static_cast<size_t>(k)] = total;
        const size_t side = static_cast<size_t>(kAtlasSize) >> k;
        total += side * side;
    }
    quads_.resize(total);
    for (int k = 0; k < kLevels; ++k) {
        const size_t side = static_cast<size_t>(kAtlasSize) >> k, mask = side - 1;
        uint32_t* out = quads_.data() + offset_[static_cast<size_t>(k)];
        for (size_t r = 0; r < side; ++r) {
            for (size_t c = 0; c < side; ++c) {
                const auto at = [&](size_t row, size_t column) -> uint32_t {
                    return level[(row & mask) * side + (column & mask)];
                };
                out[r * side + c] =
                    at(r, c) | at(r, c + 1) << 8 | at(r + 1, c) << 16 | at(r + 1, c + 1) << 24;
            }
        }
        if (side == 1) break;
        // The next level: each texel the mean of four, rounded.
        const size_t half = side / 2;
        std::vector<uint8_t> next(half * half);
        for (size_t r = 0; r < half; ++r) {
            for (size_t c = 0; c < half; ++c) {
                const size_t i = 2 * r * side + 2 * c;
                next[r * half + c] = static_cast<uint8_t>(
                    (level[i] + level[i + 1] + level[i + side] + level[i + side + 1] + 2) / 4);
            }
        }
        level = std::move(next);
    }
}

uint8_t AtlasLevels::texel(int level, int row, int column) const {
    const int side = kAtlasSize >> level;
    return static_cast<uint8_t>(quads(level)[row * side + column] & 0xFF);
}

int blockLevel(float dsdx, float dtdx, float dsdy, float dtdy) {
    const float sx = dsdx * 256.0f, tx = dtdx * 256.0f, sy = dsdy * 256.0f, ty = dtdy * 256.0f;
    const float squared = std::max(sx * sx + tx * tx, sy * sy + ty * ty);
    // Half of floor(log2(squared)) + 1, by the float's exponent.
    if (!(squared >= std::numeric_limits<float>::min())) return 0;  // zero, tiny or not a number
    int exponent = 0;
    std::frexp(squared, &exponent);
    return std::clamp(exponent >> 1, 0, AtlasLevels::kLevels - 1);
}

int uniformLevel(const Triangle& t) {
    // The steps as the planes give them; a block's are differences of two
    // evaluated values, off by the rounding of values as large as the
    // planes reach over the triangle.
    const Plane& s = t.planes[0];
    const Plane& u = t.planes[1];
    const double sx = s.dadx * 256.0, tx = u.dadx * 256.0, sy = s.dady * 256.0, ty = u.dady * 256.0;
    const double squared = std::max(sx * sx + tx * tx, sy * sy + ty * ty);
    if (!std::isfinite(squared)) return kLevelPerBlock;
    const auto reach = [&](const Plane& p) {
        return std::fabs(p.a0) + std::fabs(p.dadx) * (t.box.right + 2.0) +
               std::fabs(p.dady) * (t.box.bottom + 2.0);
    };
    // Each step's error: a few units in the last place of the values,
    // in texels; relative to the steps' length, twice that for the square.
    const double slack = 8.0 * 256.0 * std::max(reach(s), reach(u)) * 0x1p-24;
    const double relative = 0.01 + 2.0 * slack / std::sqrt(std::max(squared, 1e-30));
    // The levels change where the square passes 2, 8, 32, ... 2^15.
    for (int k = 0; k < AtlasLevels::kLevels - 1; ++k) {
        const double edge = std::ldexp(2.0, 2 * k);
        if (std::fabs(squared - edge) <= relative * edge) return kLevelPerBlock;
        if (squared < edge) return k;
    }
    return AtlasLevels::kLevels - 1;
}

}  // namespace orvelle::cpu
