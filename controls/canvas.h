// The drawing surface the controls and the dialog's parts paint on: an image
// with a pen, a brush, pixel access, text and pictures, with the platform's
// semantics. Rectangle and RoundRect draw their outline inside the box from
// (left, top) to (right - 1, bottom - 1) and fill the interior with the
// brush; lines exclude their end point; a filled rectangle covers left to
// right - 1 and top to bottom - 1; a pixel outside the image reads as
// kInvalidColour and writing it does nothing.
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
    bool operator==(const CanvasRect&) const = default;
};

// How drawText lays a text out in its rectangle: by default on one line from
// the top-left corner, "&" underlining the next character ("&&" shows one).
using TextFormat = uint32_t;
namespace textFormat {
inline constexpr TextFormat kCentre = 1;    // centred across
inline constexpr TextFormat kMiddle = 2;    // centred up and down
inline constexpr TextFormat kWrap = 4;      // broken into lines between words; a text
                                            // that still does not fit shows on one
                                            // line with the middle of its path left out
inline constexpr TextFormat kNoPrefix = 8;  // "&" shown as it is
}  // namespace textFormat

// A picture stored with the program: its number there and its size.
struct Picture {
    int id = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Picture&) const = default;
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
    // Text in the canvas's font, laid out in rect, without a background.
    virtual void drawText(std::string_view utf8, const CanvasRect& rect, Colour colour,
                          TextFormat format) = 0;
    // The width of a text on one line in the canvas's font, "&" marks taken
    // as drawText takes them.
    virtual int textWidth(std::string_view utf8) = 0;
    // A picture at its own size with its top-left corner at (x, y).
    virtual void drawPicture(const Picture& picture, int x, int y) = 0;
    // The platform's dotted focus rectangle (an inversion).
    virtual void drawFocusRect(const CanvasRect& rect) = 0;
};

}  // namespace orvelle
