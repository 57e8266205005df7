// The processor backend's picture shown in the renderer's window: copied
// into a DIB section of its size (made anew when the size changes) and
// blitted onto the window's device context.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/win32_handles.h"
#include "renderer/cpu/view.h"

namespace orvelle {

class DibSection {
public:
    // The picture at the window's top-left; false where no section of its
    // size can be had (nothing is shown then).
    bool show(HDC window, const CpuPicture& picture);

private:
    bool make(HDC window, uint32_t width, uint32_t height);

    // Destroyed in the other order: the section put out of the memory DC,
    // then deleted, then the DC.
    win32::UniqueMemoryDC dc_;
    win32::UniqueBitmap bitmap_;
    std::unique_ptr<win32::SelectedObject> selected_;
    uint32_t* bits_ = nullptr;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
};

}  // namespace orvelle
