// How the X11 program shows its frames: the window's monitors for the host
// core, and the frame put on the screen, by the OpenGL context's swap or as
// an image of the processor's picture, with the frames-per-second figure
// over it when asked.
#pragma once

#include <X11/Xlib.h>

#include <GL/gl.h>

#include <string>

#include "renderer/cpu/view.h"
#include "renderer/scene/host_core.h"
#include "renderer/x11/gl_context.h"
#include "renderer/x11/image.h"
#include "renderer/x11/window.h"

namespace orvelle {

// The frames per second: each new figure on the standard output, and
// the line shown with the frames.
class FpsFigure {
public:
    // True when the figure changed.
    bool update(const FrameRate& rate);
    const char* text() const { return text_; }

private:
    char text_[32] = "FPS: -";
};

// The window's monitors, and the frame shown in it: by the OpenGL
// context's swap, or as an image of the processor's picture.
class Presentation : public HostWindow {
public:
    explicit Presentation(X11Window& window) : window_(window) {}
    void layout(Layout& layout) override {
        layout.window = {0, 0, window_.width(), window_.height()};
        window_.monitors(layout.monitors);
    }
    // The line shown over the frames from now on; none when empty.
    std::string overlay;

private:
    X11Window& window_;
};

// The figure in the bottom-left corner of the last monitor drawn, in X's
// "fixed" font, before each swap.
class GlPresentation final : public Presentation {
public:
    GlPresentation(X11Window& window, GlxContext& context, bool overlaid);
    void present() override;

private:
    GlxContext& context_;
    GLuint lists_ = 0;
};

// The picture put into the window, the figure over its bottom-left corner.
class ImagePresentation final : public Presentation {
public:
    ImagePresentation(X11Window& window, X11Image& image, CpuFrameView& view)
        : Presentation(window), image_(image), view_(view) {}
    void present() override { image_.put(view_.picture(), overlay); }

private:
    X11Image& image_;
    CpuFrameView& view_;
};

}  // namespace orvelle
