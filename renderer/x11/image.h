// The X11 program's seam for the processor backend: the picture shown in
// the window as an image, through shared memory where the server has
// MIT-SHM and can reach ours (a local server), through the connection
// otherwise. Each put waits for the server to have read the picture, so
// the next frame never draws over one being shown.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "renderer/cpu/view.h"

namespace orvelle {

class X11Image {
public:
    X11Image() = default;
    ~X11Image();
    X11Image(const X11Image&) = delete;
    X11Image& operator=(const X11Image&) = delete;

    // False, with why in error, where the window's visual cannot show
    // 32-bit 0x00RRGGBB pixels (a TrueColor visual of 24 bits).
    bool create(Display* display, Window window, std::string& error);

    // The picture at the window's top-left, with one line of text over
    // its bottom-left corner where text is not empty.
    void put(const CpuPicture& picture, std::string_view text);

    // Whether the last put went through shared memory.
    bool shared() const { return segment_.shmid >= 0; }

private:
    // An image of that size, shared where it can be; false with no memory.
    bool resize(uint32_t width, uint32_t height);
    bool makeShared(uint32_t width, uint32_t height);
    void drop();

    Display* display_ = nullptr;
    Window window_ = 0;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    GC gc_ = nullptr;
    bool sharedMemory_ = false;  // the server offers it; off after a refusal
    XImage* image_ = nullptr;
    XShmSegmentInfo segment_{0, -1, nullptr, False};
    std::vector<char> plain_;  // an unshared image's pixels
};

}  // namespace orvelle
