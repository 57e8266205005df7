// The preview's pixels, checked in-process (a window placed into another
// process's pane shows nothing under Wine 8): the still picture is decoded
// from the program's resource by the platform's picture loader and painted
// the way the image control paints itself, into memory, at several sizes.
#include <windows.h>

#include <cstdio>

#include "frontend/preview_win32.h"
#include "platform/picture_win32.h"

namespace {

struct Dib {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    const unsigned char* bits = nullptr;
    int width = 0;
    int height = 0;
    Dib(int w, int h) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* p = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<const unsigned char*>(p);
        old = SelectObject(dc, bitmap);
    }
    ~Dib() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF at(int x, int y) const {
        const unsigned char* p = bits + (static_cast<size_t>(y) * width + x) * 4;
        return RGB(p[2], p[1], p[0]);
    }
};

}  // namespace

int main() {
    auto picture = orvelle::win32::loadJpegResource(orvelle::kPreviewPictureResource);
    if (!picture) {
        std::printf("picture=none\n");
        return 1;
    }
    BITMAP info{};
    GetObjectW(picture.get(), sizeof info, &info);
    std::printf("picture=%ldx%ld\n", info.bmWidth, info.bmHeight);

    // The picture as decoded, for comparison.
    Dib reference(152, 112);
    orvelle::paintPreview(reference.dc, reference.width, reference.height,
                          static_cast<HBITMAP>(picture.get()));
    long dark = 0;
    for (int y = 0; y < reference.height; ++y) {
        for (int x = 0; x < reference.width; ++x) {
            const COLORREF c = reference.at(x, y);
            if (GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64) ++dark;
        }
    }
    std::printf("dark_percent=%ld\n", dark * 100 / (reference.width * reference.height));

    for (const auto& size : {SIZE{152, 112}, SIZE{200, 150}, SIZE{100, 80}}) {
        Dib pane(size.cx, size.cy);
        orvelle::paintPreview(pane.dc, pane.width, pane.height,
                              static_cast<HBITMAP>(picture.get()));
        long pictureMismatch = 0, notWhite = 0;
        for (int y = 0; y < pane.height; ++y) {
            for (int x = 0; x < pane.width; ++x) {
                if (x < reference.width && y < reference.height) {
                    pictureMismatch += pane.at(x, y) != reference.at(x, y);
                } else {
                    notWhite += pane.at(x, y) != RGB(255, 255, 255);
                }
            }
        }
        std::printf("size=%ldx%ld picture_mismatch=%ld outside_not_white=%ld\n", size.cx, size.cy,
                    pictureMismatch, notWhite);
    }
    return 0;
}
