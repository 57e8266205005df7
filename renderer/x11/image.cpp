#include "renderer/x11/image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <atomic>
#include <cstring>
#include <new>

namespace orvelle {
namespace {

// X reports a refused attachment asynchronously, through the one
// process-wide handler: this one stands in while the attachment is tried.
std::atomic<bool> attachRefused{false};

int refuseAttach(Display*, XErrorEvent*) {
    attachRefused = true;
    return 0;
}

bool littleEndian() {
    const uint32_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

}  // namespace

X11Image::~X11Image() {
    drop();
    if (gc_ != nullptr) XFreeGC(display_, gc_);
}

bool X11Image::create(Display* display, Window window, std::string& error) {
    display_ = display;
    window_ = window;
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.visual == nullptr) {
        error = "the window is gone";
        return false;
    }
    visual_ = attributes.visual;
    depth_ = attributes.depth;
    int formats = 0, bits = 0;
    if (XPixmapFormatValues* list = XListPixmapFormats(display, &formats)) {
        for (int i = 0; i < formats; ++i) {
            if (list[i].depth == depth_) bits = list[i].bits_per_pixel;
        }
        XFree(list);
    }
    if (visual_->c_class != TrueColor || depth_ < 24 || bits != 32 ||
        visual_->red_mask != 0xFF0000 || visual_->green_mask != 0xFF00 ||
        visual_->blue_mask != 0xFF) {
        error = "the window's visual cannot show 24-bit colour as 32-bit pixels";
        return false;
    }
    gc_ = XCreateGC(display, window, 0, nullptr);
    XSetForeground(display, gc_, WhitePixel(display, DefaultScreen(display)));
    // Shared memory holds the pixels in the server's byte order; where
    // that is not ours, Xlib converts a plain image on its way.
    const bool serverOrderIsOurs = (ImageByteOrder(display) == LSBFirst) == littleEndian();
    sharedMemory_ = serverOrderIsOurs && XShmQueryExtension(display);
    return true;
}

void X11Image::drop() {
    if (image_ != nullptr) {
        if (segment_.shmid >= 0) {
            XShmDetach(display_, &segment_);
            XSync(display_, False);
        }
        image_->data = nullptr;  // ours (the segment, or plain_), not Xlib's
        XDestroyImage(image_);
        image_ = nullptr;
    }
    if (segment_.shmaddr != nullptr) shmdt(segment_.shmaddr);
    segment_ = {0, -1, nullptr, False};
    plain_ = {};
}

bool X11Image::makeShared(uint32_t width, uint32_t height) {
    image_ = XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr,
                             &segment_, width, height);
    if (image_ == nullptr) return false;
    const size_t bytes = static_cast<size_t>(image_->bytes_per_line) * height;
    segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment_.shmid >= 0) {
        void* at = shmat(segment_.shmid, nullptr, 0);
        // Gone from the system once both sides have let go of it.
        shmctl(segment_.shmid, IPC_RMID, nullptr);
        if (at != reinterpret_cast<void*>(-1)) {
            segment_.shmaddr = image_->data = static_cast<char*>(at);
            segment_.readOnly = False;
            attachRefused = false;
            XErrorHandler before = XSetErrorHandler(refuseAttach);
            const Status asked = XShmAttach(display_, &segment_);
            XSync(display_, False);
            XSetErrorHandler(before);
            if (asked && !attachRefused) return true;
            // A server elsewhere cannot see our memory: plain images from now on.
            shmdt(at);
            segment_.shmaddr = nullptr;
        }
    }
    segment_.shmid = -1;
    image_->data = nullptr;
    XDestroyImage(image_);
    image_ = nullptr;
    sharedMemory_ = false;
    return false;
}

bool X11Image::resize(uint32_t width, uint32_t height) {
    if (image_ != nullptr && static_cast<uint32_t>(image_->width) == width &&
        static_cast<uint32_t>(image_->height) == height) {
        return true;
    }
    drop();
    if (sharedMemory_ && makeShared(width, height)) return true;
    image_ = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                          width, height, 32, 0);
    if (image_ == nullptr) return false;
    try {
        plain_.resize(static_cast<size_t>(image_->bytes_per_line) * height);
    } catch (const std::bad_alloc&) {
        XDestroyImage(image_);
        image_ = nullptr;
        return false;
    }
    image_->data = plain_.data();
    image_->byte_order = littleEndian() ? LSBFirst : MSBFirst;
    return true;
}

void X11Image::put(const CpuPicture& picture, std::string_view text) {
    if (picture.pixels == nullptr || picture.width == 0 || picture.height == 0) return;
    if (!resize(picture.width, picture.height)) return;
    for (uint32_t y = 0; y < picture.height; ++y) {
        std::memcpy(image_->data + static_cast<size_t>(y) * image_->bytes_per_line,
                    picture.pixels + static_cast<size_t>(y) * picture.stride,
                    static_cast<size_t>(picture.width) * sizeof(uint32_t));
    }
    if (segment_.shmid >= 0) {
        XShmPutImage(display_, window_, gc_, image_, 0, 0, 0, 0, picture.width, picture.height,
                     False);
    } else {
        XPutImage(display_, window_, gc_, image_, 0, 0, 0, 0, picture.width, picture.height);
    }
    if (!text.empty()) {
        XDrawString(display_, window_, gc_, 8, static_cast<int>(picture.height) - 8, text.data(),
                    static_cast<int>(text.size()));
    }
    // The server has read the picture (and its memory is ours again).
    XSync(display_, False);
}

}  // namespace orvelle
