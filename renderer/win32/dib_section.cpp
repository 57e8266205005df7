#include "renderer/win32/dib_section.h"

#include <cstring>

namespace orvelle {

bool DibSection::make(HDC window, uint32_t width, uint32_t height) {
    selected_.reset();
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    if (!dc_) dc_.reset(CreateCompatibleDC(window));
    if (!dc_) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // rows from the top, as the picture's
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        return false;
    }
    bitmap_.reset(bitmap);
    selected_ = std::make_unique<win32::SelectedObject>(dc_.get(), bitmap);
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

bool DibSection::show(HDC window, const CpuPicture& picture) {
    if (picture.pixels == nullptr || picture.width == 0 || picture.height == 0) return false;
    if ((picture.width != width_ || picture.height != height_) &&
        !make(window, picture.width, picture.height)) {
        return false;
    }
    GdiFlush();  // GDI is done with the section's memory before it is written
    for (uint32_t y = 0; y < picture.height; ++y) {
        std::memcpy(bits_ + static_cast<size_t>(y) * picture.width,
                    picture.pixels + static_cast<size_t>(y) * picture.stride,
                    static_cast<size_t>(picture.width) * sizeof(uint32_t));
    }
    return BitBlt(window, 0, 0, static_cast<int>(picture.width), static_cast<int>(picture.height),
                  dc_.get(), 0, 0, SRCCOPY) != 0;
}

}  // namespace orvelle
