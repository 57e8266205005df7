// The drawing surface the two controls paint on: a persistent image with a
// pen, a brush and pixel access, with the platform's semantics. Rectangle
// and RoundRect draw their outline inside the box from (left, top) to
// (right - 1, bottom - 1) and fill the interior with the brush; lines
// exclude their end point; a filled rectangle covers left to right - 1 and
// top to bottom - 1; a pixel outside the image reads as kInvalidColour and
// writing it does nothing.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvelle {

// 0x00BBGGRR; a value with the top bit set names a system colour.
using Colour = uint32_t;

inline constexpr Colour kInvalidColour = 0xFFFFFFFFu;

constexpr Colour rgb(int red, int green, int blue) {
    return static_cast<Colour>(red & 255) | static_cast<Colour>(green & 255) << 8 |
           static_cast<Colour>(blue & 255) << 16;
}

constexpr bool isSystemColour(Colour c) {
    return (c & 0x80000000u) != 0;
}

// A reference to a system colour by the platform's index (COLOR_BTNFACE and
// the others; the Windows canvas checks that these agree).
constexpr Colour systemColour(int index) {
    return 0x80000000u | static_cast<Colour>(index);
}
namespace systemColours {
inline constexpr int kHighlight = 13;
inline constexpr int kHighlightText = 14;
inline constexpr int kButtonFace = 15;
inline constexpr int kGrayText = 17;
inline constexpr int kButtonText = 18;
}  // namespace systemColours

struct CanvasRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    // Every drawing colour may be a system-colour reference; the canvas
    // draws the colour it names. Pixels read back are ordinary colours.
    virtual void clear(Colour colour) = 0;
    virtual void setPen(Colour colour) = 0;
    virtual void setSolidBrush(Colour colour) = 0;
    virtual void setHollowBrush() = 0;
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void roundRect(int left, int top, int right, int bottom, int ellipseWidth,
                           int ellipseHeight) = 0;
    virtual Colour getPixel(int x, int y) = 0;
    virtual void setPixelV(int x, int y, Colour colour) = 0;

    // A one-pixel line in its own pen, from (x1, y1) up to, not including, (x2, y2).
    virtual void line(int x1, int y1, int x2, int y2, Colour colour) = 0;
    virtual void fillRect(const CanvasRect& rect, Colour colour) = 0;
    // Text in the canvas's font, centred on one line in rect, without a
    // background; "&" underlines the next character, "&&" shows one "&".
    virtual void drawText(std::string_view utf8, const CanvasRect& rect, Colour colour) = 0;
    // The platform's dotted focus rectangle (an inversion).
    virtual void drawFocusRect(const CanvasRect& rect) = 0;
};

}  // namespace orvelle
