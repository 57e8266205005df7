// A canvas in memory for the controls' and the dialog parts' tests: their
// pictures without a window system. Exact for everything but the rounded
// corners of RoundRect, whose rasterisation only the platform defines (it
// marks them, and the pixels set around them, as inexact, and draws them
// square); text, which it records instead of drawing (and measures at
// kCharWidth pixels a character as it reads); and pictures, which it draws
// as their box in pictureColour(id).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/access_key.h"
#include "controls/canvas.h"
#include "tests/support/digest.h"

namespace orvelle::testing {

class SoftwareCanvas final : public Canvas {
public:
    // system(index) is what a system-colour reference draws as.
    SoftwareCanvas(int width, int height, Colour (*system)(int index) = nullptr)
        : width_(std::max(0, width)),
          height_(std::max(0, height)),
          system_(system),
          pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0),
          inexact_(pixels_.size(), false) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void clear(Colour colour) override {
        std::fill(pixels_.begin(), pixels_.end(), resolve(colour));
    }
    void setPen(Colour colour) override { pen_ = resolve(colour); }
    void setSolidBrush(Colour colour) override {
        brush_ = resolve(colour);
        hollow_ = false;
    }
    void setHollowBrush() override { hollow_ = true; }
    void rectangle(int left, int top, int right, int bottom) override {
        // The box is ordered first; an empty one draws nothing.
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
        if (left == right || top == bottom) return;
        const int r = right - 1, b = bottom - 1;
        // The outline as a closed path of four lines, each without its end point:
        // a path of one point draws nothing.
        line(left, top, r, top, pen_);
        line(r, top, r, b, pen_);
        line(r, b, left, b, pen_);
        line(left, b, left, top, pen_);
        if (!hollow_) fillRect({left + 1, top + 1, r, b}, brush_);
    }
    void roundRect(int left, int top, int right, int bottom, int ellipseWidth,
                   int ellipseHeight) override {
        // Drawn as the square box; the corners' ellipse quarters (and a
        // pixel more) are the platform's, marked inexact.
        const int bx = std::abs(ellipseWidth) / 2 + 1, by = std::abs(ellipseHeight) / 2 + 1;
        const int x0 = std::min(left, right), x1 = std::max(left, right) - 1;
        const int y0 = std::min(top, bottom), y1 = std::max(top, bottom) - 1;
        for (const auto& [x, y] :
             {std::pair{x0, y0}, {x1 - bx, y0}, {x0, y1 - by}, {x1 - bx, y1 - by}})
            markInexact(x, y, x + bx, y + by);
        rectangle(left, top, right, bottom);
    }
    Colour getPixel(int x, int y) override {
        return inside(x, y) ? pixels_[at(x, y)] : kInvalidColour;
    }
    void setPixelV(int x, int y, Colour colour) override {
        markInexact(x - 1, y - 1, x + 1, y + 1);  // smoothing, after round corners
        plot(x, y, resolve(colour));
    }
    void line(int x1, int y1, int x2, int y2, Colour colour) override {
        // Without the end point. The controls draw only horizontal and vertical lines.
        const int dx = (x2 > x1) - (x2 < x1), dy = (y2 > y1) - (y2 < y1);
        if (dx != 0 && dy != 0) std::abort();
        for (const Colour c = resolve(colour); x1 != x2 || y1 != y2; x1 += dx, y1 += dy)
            plot(x1, y1, c);
    }
    void fillRect(const CanvasRect& rect, Colour colour) override {
        const Colour c = resolve(colour);
        for (int y = std::max(0, rect.top); y < std::min(height_, rect.bottom); ++y) {
            for (int x = std::max(0, rect.left); x < std::min(width_, rect.right); ++x)
                plot(x, y, c);
        }
    }
    void drawText(std::string_view utf8, const CanvasRect& rect, Colour colour,
                  TextFormat format) override {
        textColours.push_back(resolve(colour));
        texts.push_back({std::string(utf8), rect, resolve(colour), format});
    }
    int textWidth(std::string_view utf8) override {
        int characters = 0;
        for (char c : withoutAccessKeyMarks(utf8)) characters += (c & 0xC0) != 0x80;
        return characters * kCharWidth;
    }
    void drawPicture(const Picture& picture, int x, int y) override {
        fillRect({x, y, x + picture.width, y + picture.height}, pictureColour(picture.id));
    }
    static constexpr int kCharWidth = 7;
    static constexpr Colour pictureColour(int id) { return rgb(id, id >> 8, 0xA5); }
    void drawFocusRect(const CanvasRect& rect) override {
        // Every other pixel of the border, inverted.
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                const bool border =
                    x == rect.left || x == rect.right - 1 || y == rect.top || y == rect.bottom - 1;
                if (border && (x + y) % 2 == 0) plot(x, y, getPixel(x, y) ^ 0xFFFFFF);
            }
        }
    }

    const std::vector<Colour>& pixels() const { return pixels_; }
    const std::vector<bool>& inexact() const { return inexact_; }
    // The pixels and the text colours, each colour mixed in whole: a
    // picture's regression guard.
    uint64_t digest() const {
        Digest digest;
        for (const auto* list : {&pixels_, &textColours})
            for (Colour c : *list) digest.mix(c);
        return digest.value();
    }

    struct Text {
        std::string text;
        CanvasRect rect;
        Colour colour;
        TextFormat format;
        bool operator==(const Text&) const = default;
    };
    std::vector<Colour> textColours;  // of each drawText, in order
    std::vector<Text> texts;          // each drawText, in order

private:
    Colour resolve(Colour c) const {
        if (!isSystemColour(c)) return c & 0xFFFFFF;
        return system_ != nullptr ? system_(static_cast<int>(c & 0xFF)) : 0;
    }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    size_t at(int x, int y) const { return static_cast<size_t>(y * width_ + x); }
    void plot(int x, int y, Colour c) {
        if (inside(x, y)) pixels_[at(x, y)] = c;
    }
    void markInexact(int x0, int y0, int x1, int y1) {
        for (int y = std::max(0, y0); y <= std::min(height_ - 1, y1); ++y)
            for (int x = std::max(0, x0); x <= std::min(width_ - 1, x1); ++x)
                inexact_[at(x, y)] = true;
    }

    int width_;
    int height_;
    Colour (*system_)(int);
    std::vector<Colour> pixels_;
    std::vector<bool> inexact_;
    Colour pen_ = 0;
    Colour brush_ = 0xFFFFFF;
    bool hollow_ = false;
};

}  // namespace orvelle::testing
