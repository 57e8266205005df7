// The controls' Windows bindings, in-process under Wine: the frame's images
// against the software canvas, the interception layer on a real window, and
// GDI objects over many redraws.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "controls/button_win32.h"
#include "controls/control_messages_win32.h"
#include "controls/frame_win32.h"
#include "tests/support/gdi_objects_win32.h"
#include "tests/support/map_store.h"
#include "tests/support/software_canvas.h"

namespace orvelle {
namespace {

constexpr Colour kGrey = rgb(224, 224, 224);

LRESULT CALLBACK answer1234(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return m == WM_USER + 1 ? 1234 : DefWindowProcW(w, m, wp, lp);
}

HWND hostWindow(DWORD style, int width, int height) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = answer1234;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvelleTestHost";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | style, 100, 100, width, height,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

// Square frames pixel for pixel, round ones outside their corners; sizes
// down to nothing and stored values that no setter would let through.
TEST(FrameWindow, ImagesAreTheSoftwareCanvasAndAnAmbientChangeRedraws) {
    HWND host = hostWindow(0, 400, 300);
    for (int style : {1, 0})
        for (const auto& [w, h] : {std::pair{501, 173}, {60, 40}, {7, 5}, {1, 1}, {0, 0}})
            for (int depth : {5, 2, 40, 0, 80})
                for (int opacity : {50, 0, 100, -5})
                    for (int corner : style == 0 ? std::vector{0, 10, 50, 80} : std::vector{10}) {
                        FrameWindow frame(kGrey);
                        frame.create(host, 0, 0, w, h, 1);
                        testing::MapStore store;
                        store.values = {{"FrameStyle", style},
                                        {"ShadowDepth", depth},
                                        {"ShadowOpacity", opacity},
                                        {"CornerDepth", corner}};
                        frame.control().loadProperties(store);
                        testing::SoftwareCanvas expected(w, h);
                        drawFrame(expected, frame.control().properties(), kGrey);
                        int wrong = 0;
                        for (int i = 0; i < w * h; ++i) {
                            const uint32_t px = frame.picture().bits()[i];
                            wrong += rgb(px >> 16, px >> 8, px) != expected.pixels()[i] &&
                                     (style == 1 || !expected.inexact()[i]);
                        }
                        EXPECT_EQ(wrong, 0)
                            << "style " << style << " size " << w << "x" << h << " depth " << depth
                            << " opacity " << opacity << " corner " << corner;
                    }
    // The new background at once: the image's top-right pixel, 0x00RRGGBB.
    FrameWindow frame(kGrey);
    frame.create(host, 0, 0, 50, 40, 2);
    SendMessageW(frame.window(), kAmbientChanged, static_cast<WPARAM>(AmbientValue::BackColour),
                 static_cast<LPARAM>(rgb(10, 20, 30)));
    EXPECT_EQ(frame.picture().bits()[49] & 0xFFFFFF, 0x0a141eu);
    DestroyWindow(host);
}

// Adds one to every result after the window. (What a before-call does to
// the message is the portable dispatch's, tested natively.)
class Owner final : public InterceptionOwner {
public:
    void interceptedMessage(bool, bool&, intptr_t& result, WindowMessage&) override { ++result; }
};

TEST(WindowInterceptor, OwnersDetachInEitherOrderAndTheProcedureComesBack) {
    HWND w = hostWindow(0, 10, 10);
    const LONG_PTR original = GetWindowLongPtrW(w, GWLP_WNDPROC);
    auto answer = [&] { return SendMessageW(w, WM_USER + 1, 0, 0); };
    for (bool reverse : {false, true}) {
        Owner a, b;
        WindowInterceptor first(a), second(b);
        for (WindowInterceptor* i : {&first, &second}) {
            i->attachWindow(w);
            i->addMessage(w, WM_USER + 1, kAfterDefault);
        }
        EXPECT_EQ(answer(), 1236) << "both after-calls change the result";
        (reverse ? first : second).detachWindow(w);
        EXPECT_EQ(answer(), 1235);
        (reverse ? second : first).detachWindow(w);
        first.detachWindow(w);  // no record: nothing
        EXPECT_EQ(answer(), 1234) << "the window answers alone";
        EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), original);
    }
    DestroyWindow(w);
}

TEST(Controls, RedrawsLeaveNoGdiObjectBehind) {
    HWND host = hostWindow(WS_VISIBLE, 300, 200);
    FrameWindow frame(kGrey);
    frame.create(host, 0, 0, 200, 100, 1);
    frame.control().setFrameStyle(0);
    ButtonWindow button;
    button.create(host, 10, 120, 113, 33, 2, "&OK", buttonDesignFont());
    const long before = testing::gdiObjectsInUse();
    ASSERT_GT(before, -static_cast<long>(testing::kGdiCap))
        << "the count stops at the platform's limit";
    for (int i = 0; i < 10000; ++i) frame.control().refresh();
    for (int i = 0; i < 1000; ++i) button.paint(i % 2 ? VisualState::Hot : VisualState::Normal);
    EXPECT_EQ(testing::gdiObjectsInUse(), before);
}

}  // namespace
}  // namespace orvelle
