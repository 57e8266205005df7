// A canvas in memory for the controls' tests: their pictures without a
// window system. Exact for everything but the rounded corners of RoundRect,
// whose rasterisation only the platform defines (it marks them, and the
// pixels set around them, as inexact), and text, which it records instead of
// drawing.
#pragma once

#include <string>
#include <vector>

#include "controls/canvas.h"

namespace orvelle::testing {

class SoftwareCanvas final : public Canvas {
public:
    // system(index) is what a system-colour reference draws as.
    SoftwareCanvas(int width, int height, Colour (*system)(int index) = nullptr);

    int width() const override { return width_; }
    int height() const override { return height_; }
    void clear(Colour colour) override;
    void setPen(Colour colour) override { pen_ = resolve(colour); }
    void setSolidBrush(Colour colour) override {
        brush_ = resolve(colour);
        hollow_ = false;
    }
    void setHollowBrush() override { hollow_ = true; }
    void rectangle(int left, int top, int right, int bottom) override;
    void roundRect(int left, int top, int right, int bottom, int ellipseWidth,
                   int ellipseHeight) override;
    Colour getPixel(int x, int y) override;
    void setPixelV(int x, int y, Colour colour) override;
    void line(int x1, int y1, int x2, int y2, Colour colour) override;
    void fillRect(const CanvasRect& rect, Colour colour) override;
    void drawText(std::string_view utf8, const CanvasRect& rect, Colour colour) override;
    void drawFocusRect(const CanvasRect& rect) override;

    const std::vector<Colour>& pixels() const { return pixels_; }
    const std::vector<bool>& inexact() const { return inexact_; }

    struct TextCall {
        std::string text;
        CanvasRect rect;
        Colour colour;
    };
    std::vector<TextCall> texts;

private:
    Colour resolve(Colour c) const;
    void plot(int x, int y, Colour c);
    void markInexact(int x0, int y0, int x1, int y1);

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
