// GFXFrameX: a passive panel, a square or round-cornered box with a coloured
// interior, a one-pixel outline and a soft drop shadow that fades in rings
// from a darkened background into the background. The control decides when
// to redraw, only on the occasions below, and asks its host to paint; the
// host draws the picture with drawFrame into a persistent image of the
// control's size, which the window system shows.
#pragma once

#include <cstdint>

#include "controls/canvas.h"
#include "controls/property_store.h"

namespace orvelle {

// The upper limit of the ShadowDepth setter.
inline constexpr int16_t kMaxShadowDepth = 40;

// A 16-bit Boolean: true is all bits set; only that value counts as true.
inline constexpr int16_t kTrue16 = -1;

struct FrameProperties {
    // 0 round corners, 1 square; any other value draws no box at all.
    int32_t frameStyle = 1;
    Colour backColour = 0;
    // 0: the background follows the container's; otherwise it is backColour.
    int32_t backColourIs = 0;
    Colour fillColour = 0;
    Colour borderColour = 0;
    int16_t cornerDepth = 10;
    int16_t showShadow = kTrue16;
    int16_t shadowOpacity = 50;
    int16_t shadowDepth = 5;
};

// The channels of a colour value taken as a signed 32-bit integer, with
// integer division truncating toward zero: a system-colour reference such as
// 0x8000000F splits into (15, 1, 1).
struct Channels {
    int32_t red;
    int32_t green;
    int32_t blue;
};
Channels splitColour(Colour c);

// Per channel a - (d div p) * q with d = a - b: q/p of the way from a to b in
// whole steps of d div p. p must not be 0.
Colour blendColour(Colour a, Colour b, int16_t p, int16_t q);

// The whole redraw onto an image of the control's size, with ambient the
// container's background colour.
void drawFrame(Canvas& canvas, const FrameProperties& properties, Colour ambient);

// Fills the single pixels that nested rounded rings leave in the background
// colour bg (compared as stored) with the rounded mean of their neighbours.
void smoothShadowCorners(Canvas& canvas, Colour bg, int16_t shadowDepth, int16_t cornerDepth);

// The colour of a neighbour of (x, y): 0 above, 1 right, 2 below, 3 left;
// any other direction gives 0.
Colour neighbourColour(Canvas& canvas, int x, int y, int direction);

// What the frame needs of its window.
class FrameHost {
public:
    virtual ~FrameHost() = default;
    // The whole redraw with these properties (drawFrame over the
    // container's background), shown at once.
    virtual void paint(const FrameProperties& properties) = 0;
    // The container's background colour (an ambient value).
    virtual Colour ambientBackColour() = 0;
    // The container saves the named property with its dialog.
    virtual void propertyChanged(const char* name) = 0;
};

class GFXFrameX {
public:
    // A new instance: the defaults, with the container's background for the
    // fill and the background, and no drawing until the first size change.
    explicit GFXFrameX(FrameHost& host);

    const FrameProperties& properties() const { return properties_; }

    // Each setter stores the (limited) value, tells the container, redraws.
    void setFrameStyle(int32_t value);
    void setShadowOpacity(int16_t value);
    void setShowShadow(int16_t value);
    void setShadowDepth(int16_t value);
    void setFillColour(Colour value);
    void setBackColour(Colour value);
    void setBackColourIs(int32_t value);
    void setBorderColour(Colour value);
    void setCornerDepth(int16_t value);
    void refresh();

    // The other occasions to redraw.
    void sizeChanged() { refresh(); }
    void ambientChanged() { refresh(); }

    // The nine keys in their order, values as stored (no limits), then one
    // redraw; saving writes only the values that differ from their defaults.
    void loadProperties(PropertyStore& store);
    void saveProperties(PropertyStore& store) const;

private:
    template <typename T>
    void set(T& field, T value, const char* name);

    FrameHost& host_;
    FrameProperties properties_;
};

}  // namespace orvelle
