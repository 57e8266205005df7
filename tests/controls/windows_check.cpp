// The Windows bindings, checked from inside a Windows program:
//   frames        the frame's images against the software canvas
//   interception  two owners on one window, detached in both orders
//   leaks         GDI objects over many redraws of both controls
//   buttons       a window with two buttons for the end-to-end test; prints
//                 each button's screen rectangle and every click it hears
//   preview       the preview's picture, decoded from the program's resource
//                 and painted at several sizes (a window placed into another
//                 process's pane shows nothing under Wine 8)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "controls/button_win32.h"
#include "controls/control_messages_win32.h"
#include "controls/frame_win32.h"
#include "controls/software_canvas.h"
#include "frontend/preview_win32.h"
#include "platform/picture_win32.h"
#include "tests/support/map_store.h"

namespace orvelle {
namespace {

constexpr Colour kGrey = rgb(224, 224, 224);

LRESULT CALLBACK hostProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND) {
        std::printf("command id=%d code=%d\n", LOWORD(wp), HIWORD(wp));
        std::fflush(stdout);
        return 0;
    }
    if (m == WM_USER + 1) return 1234;  // the interception test's answer
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(w, m, wp, lp);
}

HWND hostWindow(int width, int height, bool visible) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = hostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(0, 255, 0));  // a colour no control draws
    wc.lpszClassName = L"OrvelleControlsHost";
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"OrvelleControlsHost", L"Orvelle controls",
                           WS_POPUP | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0), 100, 100, width,
                           height, nullptr, nullptr, wc.hInstance, nullptr);
}

// Forwards to a software canvas and remembers where rounded corners are,
// which only the platform rasterises exactly.
class CornerMask final : public Canvas {
public:
    CornerMask(int w, int h) : soft(w, h), mask(static_cast<size_t>(w) * h, false) {}
    SoftwareCanvas soft;
    std::vector<bool> mask;
    void cover(int x0, int y0, int x1, int y1) {
        for (int y = std::max(0, y0); y <= std::min(height() - 1, y1); ++y) {
            for (int x = std::max(0, x0); x <= std::min(width() - 1, x1); ++x) {
                mask[static_cast<size_t>(y) * width() + x] = true;
            }
        }
    }
    int width() const override { return soft.width(); }
    int height() const override { return soft.height(); }
    void clear(Colour c) override { soft.clear(c); }
    void setPen(Colour c) override { soft.setPen(c); }
    void setSolidBrush(Colour c) override { soft.setSolidBrush(c); }
    void setHollowBrush() override { soft.setHollowBrush(); }
    void rectangle(int l, int t, int r, int b) override { soft.rectangle(l, t, r, b); }
    void roundRect(int l, int t, int r, int b, int ew, int eh) override {
        const int cx = std::abs(ew) / 2 + 1, cy = std::abs(eh) / 2 + 1;
        const int x0 = std::min(l, r), x1 = std::max(l, r) - 1;
        const int y0 = std::min(t, b), y1 = std::max(t, b) - 1;
        cover(x0, y0, x0 + cx, y0 + cy);
        cover(x1 - cx, y0, x1, y0 + cy);
        cover(x0, y1 - cy, x0 + cx, y1);
        cover(x1 - cx, y1 - cy, x1, y1);
        soft.roundRect(l, t, r, b, ew, eh);
    }
    Colour getPixel(int x, int y) override { return soft.getPixel(x, y); }
    void setPixelV(int x, int y, Colour c) override {
        cover(x - 1, y - 1, x + 1, y + 1);  // smoothing follows the corners
        soft.setPixelV(x, y, c);
    }
    void line(int x1, int y1, int x2, int y2, Colour c) override { soft.line(x1, y1, x2, y2, c); }
    void fillRect(const CanvasRect& r, Colour c) override { soft.fillRect(r, c); }
    void drawText(std::string_view t, const CanvasRect& r, Colour c) override {
        soft.drawText(t, r, c);
    }
    void drawFocusRect(const CanvasRect& r) override { soft.drawFocusRect(r); }
};

int frames() {
    HWND host = hostWindow(400, 300, false);
    int failures = 0;
    struct Case {
        int w, h, depth, opacity, style, corner;
    };
    std::vector<Case> cases;
    for (int style : {1, 0}) {
        for (const auto& [w, h] : {std::pair{501, 173}, std::pair{60, 40}, std::pair{7, 5},
                                   std::pair{1, 1}, std::pair{0, 0}}) {
            for (int depth : {5, 2, 40, 0, 80}) {
                for (int opacity : {50, 0, 100, -5}) {
                    for (int corner :
                         style == 0 ? std::vector<int>{0, 10, 50, 80} : std::vector<int>{10}) {
                        cases.push_back({w, h, depth, opacity, style, corner});
                    }
                }
            }
        }
    }
    for (const Case& c : cases) {
        FrameWindow frame(kGrey);
        frame.create(host, 0, 0, c.w, c.h, 1);
        // Stored values, as a loaded dialog gives them: no setter limits.
        testing::MapStore store;
        store.values = {{"FrameStyle", c.style},
                        {"ShadowDepth", c.depth},
                        {"ShadowOpacity", c.opacity},
                        {"CornerDepth", c.corner}};
        frame.control().loadProperties(store);
        const FrameProperties& p = frame.control().properties();
        CornerMask expected(c.w, c.h);
        drawFrame(expected, p, kGrey);
        const uint32_t* bits = frame.picture().bits();
        int mismatches = 0;
        for (int i = 0; i < c.w * c.h; ++i) {
            const uint32_t px = bits[i];
            const Colour got = rgb((px >> 16) & 255, (px >> 8) & 255, px & 255);
            if (got != expected.soft.pixels()[i] && (c.style == 1 || !expected.mask[i]))
                ++mismatches;
        }
        if (mismatches != 0) {
            ++failures;
            std::printf("mismatch style=%d size=%dx%d depth=%d opacity=%d corner=%d pixels=%d\n",
                        c.style, c.w, c.h, c.depth, c.opacity, c.corner, mismatches);
        }
    }
    std::printf("frames=%zu failures=%d\n", cases.size(), failures);

    // An ambient change redraws at once, in the new colour.
    FrameWindow frame(kGrey);
    frame.create(host, 0, 0, 50, 40, 2);
    SendMessageW(frame.window(), kAmbientChanged, static_cast<WPARAM>(AmbientValue::BackColour),
                 static_cast<LPARAM>(rgb(10, 20, 30)));
    std::printf("ambient corner=%06x\n", frame.picture().bits()[49] & 0xFFFFFF);
    DestroyWindow(host);
    return failures == 0 ? 0 : 1;
}

class Owner final : public InterceptionOwner {
public:
    explicit Owner(bool handles) : handles_(handles) {}
    int calls = 0;
    void interceptedMessage(bool before, bool& handled, intptr_t& result, WindowMessage&) override {
        ++calls;
        if (before && handles_) {
            handled = true;
            result = 77;
        }
        if (!before) result += 1;
    }

private:
    bool handles_;
};

int interception() {
    HWND w = hostWindow(10, 10, false);
    const LONG_PTR original = GetWindowLongPtrW(w, GWLP_WNDPROC);
    int failures = 0;
    auto check = [&](bool ok, const char* what) {
        std::printf("%s %s\n", ok ? "ok" : "FAILED", what);
        failures += ok ? 0 : 1;
    };
    for (bool reverse : {false, true}) {
        Owner a(false), b(false);
        WindowInterceptor first(a), second(b);
        first.attachWindow(w);
        first.addMessage(w, WM_USER + 1, kAfterDefault);
        second.attachWindow(w);
        second.addMessage(w, WM_USER + 1, kAfterDefault);
        check(SendMessageW(w, WM_USER + 1, 0, 0) == 1236, "both after-calls change the result");
        if (reverse) {
            first.detachWindow(w);
            check(SendMessageW(w, WM_USER + 1, 0, 0) == 1235, "the second owner alone");
            second.detachWindow(w);
        } else {
            second.detachWindow(w);
            check(SendMessageW(w, WM_USER + 1, 0, 0) == 1235, "the first owner alone");
            first.detachWindow(w);
        }
        check(SendMessageW(w, WM_USER + 1, 0, 0) == 1234, "the window answers alone");
        check(GetWindowLongPtrW(w, GWLP_WNDPROC) == original, "its procedure is back");
    }
    Owner handler(true);
    WindowInterceptor interceptor(handler);
    interceptor.attachWindow(w);
    interceptor.addMessage(w, WM_USER + 1, kBeforeDefault);
    check(SendMessageW(w, WM_USER + 1, 0, 0) == 77,
          "a handled before-call keeps it from the window");
    interceptor.detachWindow(w);
    interceptor.detachWindow(w);  // no record: nothing
    check(SendMessageW(w, WM_USER + 1, 0, 0) == 1234, "detached");
    DestroyWindow(w);
    return failures == 0 ? 0 : 1;
}

// How many more GDI objects this process can have: GetGuiResources where
// the platform counts them (Wine reports 0), otherwise the headroom left.
long gdiObjectsInUse() {
    if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<long>(n);
    std::vector<HGDIOBJ> made;
    while (made.size() < 100000) {
        HGDIOBJ pen = CreatePen(PS_SOLID, 1, 0);
        if (pen == nullptr) break;
        made.push_back(pen);
    }
    for (HGDIOBJ o : made) DeleteObject(o);
    return -static_cast<long>(made.size());
}

int leaks() {
    HWND host = hostWindow(300, 200, true);
    FrameWindow frame(kGrey);
    frame.create(host, 0, 0, 200, 100, 1);
    frame.control().setFrameStyle(0);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    ButtonWindow button;
    button.create(host, 10, 120, 113, 33, 2, "&OK", font);
    const long before = gdiObjectsInUse();
    for (int i = 0; i < 10000; ++i) frame.control().refresh();
    for (int i = 0; i < 1000; ++i) button.paint(i % 2 ? VisualState::Hot : VisualState::Normal);
    const long after = gdiObjectsInUse();
    std::printf("gdi before=%ld after=%ld\n", before, after);
    DestroyWindow(host);
    return before == after ? 0 : 1;
}

int buttons() {
    HWND host = hostWindow(300, 120, true);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    ButtonWindow first, second;
    first.create(host, 20, 20, 113, 33, 101, "&Alpha", font);
    second.create(host, 160, 20, 113, 33, 102, "Beta", font);
    second.setEnabled(false);
    SetForegroundWindow(host);
    for (const ButtonWindow* b : {&first, &second}) {
        RECT r{};
        GetWindowRect(b->window(), &r);
        std::printf("button id=%d x=%ld y=%ld width=%ld height=%ld\n", GetDlgCtrlID(b->window()),
                    r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    std::fflush(stdout);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_SYSCHAR && routeAccessKey(host, static_cast<wchar_t>(msg.wParam))) {
            continue;
        }
        if (IsDialogMessageW(host, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

// The picture at its own size from the top-left corner, white beyond, cut
// off in a smaller pane: the count of pixels that differ from that.
int preview() {
    const auto picture = win32::loadJpegResource(kPreviewPictureResource);
    const SIZE size = win32::bitmapSize(static_cast<HBITMAP>(picture.get()));
    std::printf("picture=%ldx%ld\n", size.cx, size.cy);
    DibImage reference;
    reference.resize(size.cx, size.cy);
    paintPreview(reference.dc(), size.cx, size.cy, static_cast<HBITMAP>(picture.get()));
    long dark = 0;
    for (long i = 0; i < size.cx * size.cy; ++i) dark += (reference.bits()[i] & 0xC0C0C0) == 0;
    std::printf("dark_percent=%ld\n", dark * 100 / std::max(1L, size.cx * size.cy));
    for (const SIZE pane : {SIZE{152, 112}, SIZE{200, 150}, SIZE{100, 80}}) {
        DibImage image;
        image.resize(pane.cx, pane.cy);
        paintPreview(image.dc(), pane.cx, pane.cy, static_cast<HBITMAP>(picture.get()));
        int wrong = 0;
        for (int y = 0; y < pane.cy; ++y) {
            for (int x = 0; x < pane.cx; ++x) {
                const uint32_t want =
                    x < size.cx && y < size.cy ? reference.bits()[y * size.cx + x] : 0xFFFFFFu;
                wrong += (image.bits()[y * pane.cx + x] & 0xFFFFFF) != (want & 0xFFFFFF);
            }
        }
        std::printf("size=%ldx%ld wrong=%d\n", pane.cx, pane.cy, wrong);
    }
    return 0;
}

}  // namespace
}  // namespace orvelle

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "frames") return orvelle::frames();
    if (command == "interception") return orvelle::interception();
    if (command == "leaks") return orvelle::leaks();
    if (command == "buttons") return orvelle::buttons();
    if (command == "preview") return orvelle::preview();
    std::fprintf(stderr, "windows_check frames|interception|leaks|buttons|preview\n");
    return 2;
}
