// The preview's picture painted in-process under Wine, where a window placed
// into another process's pane shows nothing.
#include "frontend/preview_win32.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls/gdi_canvas_win32.h"
#include "platform/picture_win32.h"

namespace orvelle {
namespace {

// The picture at its own size from the top-left corner, white beyond, cut
// off in a smaller pane: against the decoded picture's own pixels.
TEST(Preview, ThePictureAtItsOwnSizeOnWhite) {
    const auto picture = win32::loadJpegResource(kPreviewPictureResource);
    const auto bitmap = static_cast<HBITMAP>(picture.get());
    const SIZE size = win32::bitmapSize(bitmap);
    ASSERT_EQ(std::pair(size.cx, size.cy), std::pair(152L, 112L));
    std::vector<uint32_t> own(static_cast<size_t>(size.cx * size.cy));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(screen, bitmap, 0, size.cy, own.data(), &info, DIB_RGB_COLORS), size.cy);
    ReleaseDC(nullptr, screen);
    long dark = 0;
    for (uint32_t pixel : own) dark += (pixel & 0xC0C0C0) == 0;
    EXPECT_GT(dark * 2, size.cx * size.cy) << "a near-black ground";
    for (const SIZE pane : {SIZE{152, 112}, SIZE{200, 150}, SIZE{100, 80}}) {
        DibImage image;
        image.resize(pane.cx, pane.cy);
        paintPreview(image.dc(), pane.cx, pane.cy, bitmap);
        int wrong = 0;
        for (int y = 0; y < pane.cy; ++y)
            for (int x = 0; x < pane.cx; ++x)
                wrong += ((image.bits()[y * pane.cx + x] ^
                           (x < size.cx && y < size.cy ? own[y * size.cx + x] : ~0u)) &
                          0xFFFFFF) != 0;
        EXPECT_EQ(wrong, 0) << pane.cx << "x" << pane.cy;
    }
}

}  // namespace
}  // namespace orvelle
