// A small Windows program that the end-to-end tests run under Wine to look at
// the system from the inside: a window and its controls by caption, and what
// a screen reader hears of them. It also registers a display mode, holds a
// window with a caption (or as a pane for a preview, or a white one at a
// place), and hosts two push buttons that report every click. Prints its
// results as key=value lines.
#include <windows.h>

#include <oleacc.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/button_win32.h"
#include "platform/text_win32.h"

namespace orvelle {
namespace {

using win32::narrow;
using win32::widen;

DWORD number(const char* text) {
    return std::strtoul(text, nullptr, 10);
}

HWND waitWindow(const char* caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND w = FindWindowW(nullptr, widen(caption).c_str())) return w;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(20);
    }
}

void pump(DWORD ms) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(10)) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK hostProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND) std::printf("command id=%d code=%d\n", LOWORD(wp), HIWORD(wp));
    if (m == WM_COMMAND) return std::fflush(stdout), 0;
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(w, m, wp, lp);
}

// A top-level window in a colour that no control draws (green), or in white.
HWND plainWindow(const char* caption, DWORD style, int width, int height, int x = 100, int y = 100,
                 COLORREF colour = RGB(0, 255, 0)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = hostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(colour);
    wc.lpszClassName = L"OrvelleProbe";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, widen(caption).c_str(), style, x, y, width, height,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

// A window's rectangle in another window's client coordinates (0: the screen's).
RECT rectIn(HWND w, HWND other) {
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, other, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct Listing {
    HWND top;
    HWND focus;
    HWND capture;
};

// One line for each visible control of a window (a message box creates all
// its possible buttons and hides those it does not use): its class, id,
// place in the window's client area, state, style and parent, what a screen
// reader hears of it through the platform's accessibility library (role,
// state and name), and its text.
BOOL CALLBACK listControl(HWND child, LPARAM param) {
    const auto& list = *reinterpret_cast<const Listing*>(param);
    if (!IsWindowVisible(child)) return TRUE;
    wchar_t className[64] = {}, text[512] = {};
    GetClassNameW(child, className, 64);
    GetWindowTextW(child, text, 512);
    VARIANT self{}, role{}, state{};
    self.vt = VT_I4;
    BSTR name = nullptr;
    IAccessible* object = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(child, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object)))) {
        object->get_accRole(self, &role);
        object->get_accState(self, &state);
        object->get_accName(self, &name);
        object->Release();
    }
    const RECT r = rectIn(child, list.top);
    // The width of its text on one line in its own font, as the platform measures it.
    RECT measured{};
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0))) {
        HDC dc = GetDC(child);
        HGDIOBJ previous = SelectObject(dc, font);
        DrawTextW(dc, text, -1, &measured, DT_SINGLELINE | DT_CALCRECT);
        SelectObject(dc, previous);
        ReleaseDC(child, dc);
    }
    std::printf(
        "control class=%s id=%d x=%ld y=%ld width=%ld height=%ld text_width=%ld enabled=%d "
        "focus=%d capture=%d style=%08lX parent=%llu role=%ld state=%ld name=%s text=%s\n",
        narrow(className).c_str(), GetDlgCtrlID(child), r.left, r.top, r.right - r.left,
        r.bottom - r.top, measured.right, IsWindowEnabled(child) ? 1 : 0,
        child == list.focus ? 1 : 0, child == list.capture ? 1 : 0,
        static_cast<unsigned long>(GetWindowLongW(child, GWL_STYLE)),
        static_cast<unsigned long long>(uintptr_t(GetParent(child))), role.lVal, state.lVal,
        name != nullptr ? narrow(name).c_str() : "", narrow(text).c_str());
    SysFreeString(name);
    return TRUE;
}

// A window (waiting for it up to MS): its class, place, size, client area,
// style, visibility and process; then a line for each of its controls.
int describe(const char* caption, DWORD waitMs) {
    HWND top = waitWindow(caption, waitMs);
    if (top == nullptr) return std::printf("none\n"), 1;
    wchar_t className[256] = {};
    GetClassNameW(top, className, 256);
    const RECT r = rectIn(top, nullptr);
    RECT client{};
    GetClientRect(top, &client);
    POINT origin{0, 0};
    ClientToScreen(top, &origin);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD pid = 0;
    GetGUIThreadInfo(GetWindowThreadProcessId(top, &pid), &info);
    std::printf(
        "window class=%s x=%ld y=%ld width=%ld height=%ld client=%ldx%ld client_x=%ld "
        "client_y=%ld style=%08lX visible=%d pid=%lu\n",
        narrow(className).c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top, client.right,
        client.bottom, origin.x, origin.y,
        static_cast<unsigned long>(GetWindowLongW(top, GWL_STYLE)), IsWindowVisible(top) ? 1 : 0,
        pid);
    Listing list{top, info.hwndFocus, info.hwndCapture};
    CoInitialize(nullptr);
    EnumChildWindows(top, listControl, reinterpret_cast<LPARAM>(&list));
    return 0;
}

// As a user's display settings make it on Windows: a mode in the registry.
int registerMode(DWORD width, DWORD height) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = 32;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    return ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY) == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

int buttons() {
    HWND host = plainWindow("Orvelle check", WS_POPUP | WS_VISIBLE, 300, 120);
    ButtonWindow first, second;
    first.create(host, 20, 20, 113, 33, 101, "&Alpha", buttonDesignFont());
    second.create(host, 160, 20, 113, 33, 102, "Beta", buttonDesignFont());
    second.core().setEnabled(false);
    SetForegroundWindow(host);
    for (MSG msg; GetMessageW(&msg, nullptr, 0, 0) > 0;) {
        if (!IsDialogMessageW(host, &msg)) DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace
}  // namespace orvelle

int main() {
    using namespace orvelle;
    // Arguments as UTF-8, whatever the code page: captions may be Japanese.
    int argc = 0;
    wchar_t** wideArgs = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(narrow(wideArgs[i]));
    args.resize(std::max<size_t>(args.size(), 6));
    const std::string& command = args[1];
    const char* a2 = args[2].c_str();
    const char* a3 = args[3].c_str();
    if (command == "buttons") return buttons();
    if (command == "describe") return describe(a2, number(a3));
    if (command == "register-mode") return registerMode(number(a2), number(a3));
    if (command == "close") {  // WM_CLOSE, as the close box sends it (waiting for the window)
        HWND w = waitWindow(a2, 10000);
        return w != nullptr && PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == "act") {  // a screen reader's default action on control ID of CAPTION
        std::pair<int, HWND> found{std::atoi(a3), nullptr};
        EnumChildWindows(
            waitWindow(a2, 10000),
            [](HWND child, LPARAM p) {
                auto* f = reinterpret_cast<std::pair<int, HWND>*>(p);
                if (GetDlgCtrlID(child) != f->first) return TRUE;
                f->second = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        HWND control = found.second;
        IAccessible* object = nullptr;
        CoInitialize(nullptr);
        if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&object)))) {
            return 1;
        }
        VARIANT self{};
        self.vt = VT_I4;
        const HRESULT done = object->accDoDefaultAction(self);
        object->Release();
        return SUCCEEDED(done) ? 0 : 1;
    }
    if (command == "choose") {  // PATH into a file chooser's focused name box, confirmed
        HWND w = waitWindow(a2, 10000);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (w == nullptr || !GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info))
            return 1;
        SendMessageW(info.hwndFocus, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(a3).c_str()));
        return PostMessageW(w, WM_COMMAND, IDOK, 0) ? 0 : 1;
    }
    if (command == "hold") {  // CAPTION MS [W H]: a window for MS, hidden unless sized
        const int w = std::atoi(args[4].c_str()), h = std::atoi(args[5].c_str());
        HWND window = plainWindow(a2, WS_POPUP | (w > 0 ? WS_VISIBLE : 0), w, h);
        std::printf("window=%llu\n", static_cast<unsigned long long>(uintptr_t(window)));
        std::fflush(stdout);
        pump(number(a3));
        return 0;
    }
    if (command == "white") {  // X Y W H: a white window there, for ten minutes
        const int x = std::atoi(a2), y = std::atoi(a3);
        plainWindow("Orvelle white", WS_POPUP | WS_VISIBLE, std::atoi(args[4].c_str()),
                    std::atoi(args[5].c_str()), x, y, RGB(255, 255, 255));
        pump(600000);
        return 0;
    }
    std::fprintf(stderr, "probe: unknown command\n");
    return 2;
}
