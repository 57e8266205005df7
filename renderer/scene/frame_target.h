// What one frame asks of the picture, as plain records: the fade of the
// picture already there, the lights as stars of rays and the particles as
// textured puffs. The scene makes the records; a target draws them (OpenGL
// 1.1 in the programs, WebGL 2 in the page, a recorder or a digest in
// tests). A view is the window that one or several scenes' targets draw
// into, with its whole life: started, resized, divided into viewports,
// cleared, read back and released.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "renderer/scene/monitor_layout.h"
#include "renderer/scene/puff_texture.h"
#include "renderer/scene/vec.h"

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

// The records of one scene. A target may hold objects of the view's
// context (the atlas's texture): release() gives them back while the
// context is still current.
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
    virtual void release() {}
};

// The window the targets draw into; its calls need the view's context
// current. Sizes and areas are in pixels, areas from the window's
// bottom-left corner.
class FrameView {
public:
    virtual ~FrameView() = default;
    // The initial state for a window of that size; false when the view
    // cannot draw (a shader that does not build, a buffer not to be had).
    virtual bool start(uint32_t width, uint32_t height) = 0;
    // The window's new size.
    virtual void resize(uint32_t width, uint32_t height) = 0;
    // Records drawn from now on land in this part of the window, one unit
    // per pixel of it, the origin at its bottom-left; nothing outside it
    // changes. An area of no height is drawn one pixel high.
    virtual void viewport(const ScreenRect& area) = 0;
    // The whole window black, in the buffer drawn next.
    virtual void clear() = 0;
    // A target for one scene's records, drawing into this view.
    virtual std::unique_ptr<FrameTarget> newTarget() = 0;
    // The window's colours as RGBA bytes, rows from the bottom up, of the
    // buffer drawn last; false where they cannot be read.
    virtual bool readPixels(std::vector<uint8_t>& rgba) = 0;
    // Everything the view made, given back.
    virtual void release() = 0;
};

}  // namespace orvelle
