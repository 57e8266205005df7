// The settings dialog's parts as windows, in-process under Wine: a
// transparent part over the frame's picture, a picture drawn from the
// program's resources at its place, and many paints that leave no GDI
// object behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "controls/frame_win32.h"
#include "settings/dialog_parts_win32.h"
#include "tests/support/gdi_objects_win32.h"

namespace orvelle {
namespace {

HWND plainWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// The title box at (20, 16) on a frame: its black and white outlines, and
// elsewhere the frame's own pixels (the title's text aside).
TEST(DialogPartWindows, ATransparentPartShowsTheFrameUnderIt) {
    HWND host = plainWindow();
    FrameWindow frame(rgb(224, 224, 224));
    frame.create(host, 0, 0, 200, 100, 1);
    TitleBoxWindow title;
    title.create(frame.window(), "BGM");
    const CanvasRect text{30, 4, 80, 17};
    title.place({20, 16, 133, 37}, {text.left, text.top, text.right, text.bottom}, nullptr);
    title.render();
    ASSERT_EQ(title.picture().width(), 114);
    int wrong = 0;
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 114; ++x) {
            const bool white = (x >= 1 && (y == 1 || y == 21)) || (y >= 1 && (x == 1 || x == 113));
            const bool black =
                (x <= 112 && (y == 0 || y == 20)) || (y <= 20 && (x == 0 || x == 112));
            if (!white && !black && x >= text.left && x < text.right && y >= text.top &&
                y < text.bottom)
                continue;
            const uint32_t under = frame.picture().bits()[(16 + y) * 200 + 20 + x];
            const uint32_t expected = white ? 0xFFFFFF : black ? 0 : under;
            wrong += (title.picture().bits()[y * 114 + x] & 0xFFFFFF) != expected;
        }
    }
    EXPECT_EQ(wrong, 0);
    DestroyWindow(host);
}

// The preview's picture (152 x 112, stored with this program) at (10, 20):
// its own pixels there, the image's colour around it.
TEST(DialogPartWindows, APictureAtItsPlaceAtItsOwnSize) {
    constexpr int kPreview = 101;
    win32::PictureStore pictures;
    HBITMAP bitmap = pictures.bitmap(kPreview);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(pictures.bitmap(kPreview), bitmap) << "decoded once";
    std::vector<uint32_t> own(152 * 112);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 152, -112, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DibImage reference;
    reference.resize(1, 1);
    ASSERT_EQ(GetDIBits(reference.dc(), bitmap, 0, 112, own.data(), &info, DIB_RGB_COLORS), 112);
    DibImage image;
    image.resize(200, 150);
    image.usePictures(&pictures);
    image.clear(rgb(1, 2, 3));
    image.drawPicture({kPreview, 152, 112}, 10, 20);
    int wrong = 0;
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool inside = x >= 10 && x < 162 && y >= 20 && y < 132;
            const uint32_t expected = inside ? own[(y - 20) * 152 + x - 10] : 0x010203;
            wrong += ((image.bits()[y * 200 + x] ^ expected) & 0xFFFFFF) != 0;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(DialogPartWindows, PaintsLeaveNoGdiObjectBehind) {
    HWND host = plainWindow();
    win32::PictureStore pictures;
    TextWindow text;
    text.create(host, 1, "C:\\Music\\a long path that is wrapped.mp3",
                textFormat::kWrap | textFormat::kNoPrefix);
    OptionRowWindow option;
    option.create(host, 2, "音楽&CD", pictures);
    option.place({{0, 40, 60, 53}, {0, 0, 13, 13}, {16, 0, 59, 13}}, nullptr);
    MoveWindow(text.window(), 0, 0, 100, 33, FALSE);
    text.render();
    option.render();
    const long before = testing::gdiObjectsInUse();
    for (int i = 0; i < 1000; ++i) {
        option.setChosen(i % 2 != 0);
        text.render();
        option.render();
    }
    EXPECT_EQ(testing::gdiObjectsInUse(), before);
    DestroyWindow(host);
}

}  // namespace
}  // namespace orvelle
