// A small Windows program that the end-to-end tests run under Wine to look at
// the system from the inside: windows by caption, processes and their exit
// codes, the screen, the settings file through the profile API, message
// boxes, and a host pane for previews. Prints one result line per command.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <oleacc.h>
#include <shellapi.h>

namespace {

std::wstring wide(const char* utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n - 1 : 0), L'\0');
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out.data(), n);
    return out;
}

std::string utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

HWND waitWindow(const std::wstring& caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND w = FindWindowW(nullptr, caption.c_str())) return w;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(20);
    }
}

void describe(HWND w) {
    char className[256] = {};
    GetClassNameA(w, className, sizeof className);
    RECT r{};
    GetWindowRect(w, &r);
    RECT client{};
    GetClientRect(w, &client);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    std::printf(
        "class=%s x=%ld y=%ld width=%ld height=%ld client=%ldx%ld client_x=%ld client_y=%ld "
        "style=%08lX visible=%d parent=%llu pid=%lu\n",
        className, r.left, r.top, r.right - r.left, r.bottom - r.top, client.right, client.bottom,
        origin.x, origin.y, static_cast<unsigned long>(style), IsWindowVisible(w) ? 1 : 0,
        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetParent(w))), pid);
}

// Class and text of the visible controls of a dialog window (a message box
// creates all its possible buttons and hides those it does not use).
BOOL CALLBACK collectText(HWND child, LPARAM param) {
    if (!IsWindowVisible(child)) return TRUE;
    auto* out = reinterpret_cast<std::wstring*>(param);
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    out->append(L"[").append(className).append(L":").append(text).append(L"]");
    return TRUE;
}

// Each visible control of a window, relative to its top-level client area:
// class, id, place, enabled, focused and text.
struct ControlList {
    HWND top;
    HWND focus;
};
BOOL CALLBACK listControl(HWND child, LPARAM param) {
    const auto* list = reinterpret_cast<const ControlList*>(param);
    if (!IsWindowVisible(child)) return TRUE;
    wchar_t className[64] = {}, text[512] = {};
    GetClassNameW(child, className, 64);
    GetWindowTextW(child, text, 512);
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, list->top, reinterpret_cast<POINT*>(&r), 2);
    std::printf(
        "control class=%s id=%d x=%ld y=%ld width=%ld height=%ld enabled=%d focus=%d "
        "text=%s\n",
        utf8(className).c_str(), GetDlgCtrlID(child), r.left, r.top, r.right - r.left,
        r.bottom - r.top, IsWindowEnabled(child) ? 1 : 0, child == list->focus ? 1 : 0,
        utf8(text).c_str());
    return TRUE;
}

// What a screen reader hears of each visible control of a window.
BOOL CALLBACK describeAccessible(HWND child, LPARAM) {
    if (!IsWindowVisible(child)) return TRUE;
    IAccessible* object = nullptr;
    const HRESULT got = AccessibleObjectFromWindow(child, OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&object));
    if (FAILED(got)) {
        std::printf("acc id=%d failed=%08lx\n", GetDlgCtrlID(child),
                    static_cast<unsigned long>(got));
        return TRUE;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{}, state{};
    BSTR name = nullptr;
    object->get_accRole(self, &role);
    object->get_accState(self, &state);
    object->get_accName(self, &name);
    std::printf("acc id=%d role=%ld state=%ld name=%s\n", GetDlgCtrlID(child), role.lVal,
                state.lVal, name != nullptr ? utf8(name).c_str() : "");
    SysFreeString(name);
    object->Release();
    return TRUE;
}

LRESULT CALLBACK plainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(w, m, wp, lp);
}

HWND createPlainWindow(const wchar_t* caption, DWORD style, int width, int height) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = plainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"OrvelleProbePane";
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"OrvelleProbePane", caption, style, 10, 10, width, height, nullptr,
                           nullptr, wc.hInstance, nullptr);
}

void pump(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

HANDLE startProcess(std::string line) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        return nullptr;
    }
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

int usage() {
    std::fprintf(stderr, "probe: unknown command\n");
    return 2;
}

}  // namespace

int main(int, char**) {
    // Arguments as UTF-8, whatever the code page: captions may be Japanese.
    int argc = 0;
    wchar_t** wideArgs = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(utf8(wideArgs[i]));
    std::vector<char*> argvStorage;
    for (auto& a : args) argvStorage.push_back(a.data());
    argvStorage.push_back(nullptr);
    char** argv = argvStorage.data();
    // -o FILE: results into a file (a program started inside a Wine virtual
    // desktop does not write to its starter's output), which appears under
    // its name only once complete.
    static std::string outFile;
    if (argc >= 3 && std::string(argv[1]) == "-o") {
        outFile = argv[2];
        if (std::freopen((outFile + ".part").c_str(), "w", stdout) == nullptr) return 3;
        std::atexit([] {
            std::fclose(stdout);
            MoveFileExA((outFile + ".part").c_str(), outFile.c_str(), MOVEFILE_REPLACE_EXISTING);
        });
        argc -= 2;
        argv += 2;
    }
    if (argc < 2) return usage();
    const std::string command = argv[1];

    // window CAPTION [TIMEOUT_MS]: describe the top-level window, or "none".
    if (command == "window" && argc >= 3) {
        HWND w = waitWindow(wide(argv[2]), argc >= 4 ? std::strtoul(argv[3], nullptr, 10) : 0);
        if (w == nullptr) {
            std::printf("none\n");
            return 1;
        }
        describe(w);
        return 0;
    }
    // gone CAPTION TIMEOUT_MS: waits until no such window exists.
    if (command == "gone" && argc >= 4) {
        const DWORD start = GetTickCount();
        const DWORD timeout = std::strtoul(argv[3], nullptr, 10);
        while (FindWindowW(nullptr, wide(argv[2]).c_str()) != nullptr) {
            if (GetTickCount() - start >= timeout) {
                std::printf("present\n");
                return 1;
            }
            Sleep(20);
        }
        std::printf("gone after %lu ms\n", GetTickCount() - start);
        return 0;
    }
    // dialog CAPTION TIMEOUT_MS: the caption's window and its controls' texts (UTF-8).
    if (command == "dialog" && argc >= 4) {
        HWND w = waitWindow(wide(argv[2]), std::strtoul(argv[3], nullptr, 10));
        if (w == nullptr) {
            std::printf("none\n");
            return 1;
        }
        wchar_t caption[256] = {};
        GetWindowTextW(w, caption, 256);
        std::wstring texts;
        EnumChildWindows(w, collectText, reinterpret_cast<LPARAM>(&texts));
        std::printf("caption=%s controls=%s\n", utf8(caption).c_str(), utf8(texts).c_str());
        return 0;
    }
    // controls CAPTION: the window's visible controls.
    if (command == "controls" && argc >= 3) {
        HWND w = waitWindow(wide(argv[2]), 10000);
        if (w == nullptr) return 1;
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info);
        ControlList list{w, info.hwndFocus};
        EnumChildWindows(w, listControl, reinterpret_cast<LPARAM>(&list));
        return 0;
    }
    // acc CAPTION: role, state and name of each control, as a screen reader hears them.
    if (command == "acc" && argc >= 3) {
        HWND w = waitWindow(wide(argv[2]), 10000);
        if (w == nullptr) return 1;
        CoInitialize(nullptr);
        EnumChildWindows(w, describeAccessible, 0);
        CoUninitialize();
        return 0;
    }
    // record-url URL: what the shell was asked to open, into C:\url.txt.
    if (command == "record-url" && argc >= 3) {
        FILE* f = std::fopen("C:\\url.txt", "w");
        if (f == nullptr) return 1;
        std::fprintf(f, "%s\n", argv[2]);
        return std::fclose(f) == 0 ? 0 : 1;
    }
    // choose CAPTION PATH: types PATH into a file chooser's focused name box and confirms.
    if (command == "choose" && argc >= 4) {
        HWND w = waitWindow(wide(argv[2]), 10000);
        if (w == nullptr) return 1;
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info);
        if (info.hwndFocus == nullptr) return 1;
        SendMessageW(info.hwndFocus, WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(wide(argv[3]).c_str()));
        PostMessageW(w, WM_COMMAND, IDOK, 0);
        return 0;
    }
    // close CAPTION: posts WM_CLOSE to the window.
    if (command == "close" && argc >= 3) {
        HWND w = FindWindowW(nullptr, wide(argv[2]).c_str());
        if (w == nullptr) return 1;
        PostMessageW(w, WM_CLOSE, 0, 0);
        return 0;
    }
    // sleep MS: keeps a Wine virtual desktop alive for that long.
    if (command == "sleep" && argc >= 3) {
        Sleep(std::strtoul(argv[2], nullptr, 10));
        return 0;
    }
    // register-mode W H: makes W x H the display's registry mode, as a user's
    // display settings are on Windows.
    if (command == "register-mode" && argc >= 4) {
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = std::strtoul(argv[2], nullptr, 10);
        mode.dmPelsHeight = std::strtoul(argv[3], nullptr, 10);
        mode.dmBitsPerPel = 32;
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
        std::printf("result=%ld\n", ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY));
        return 0;
    }
    // hold CAPTION MS: a hidden top-level window with that caption, for MS.
    if (command == "hold" && argc >= 4) {
        HWND w = createPlainWindow(wide(argv[2]).c_str(), WS_POPUP, 10, 10);
        std::printf("holding=%d\n", w != nullptr ? 1 : 0);
        std::fflush(stdout);
        pump(std::strtoul(argv[3], nullptr, 10));
        return 0;
    }
    // pane W H destroy|exit PROGRAM: a host pane of W x H into which PROGRAM
    // /p HWND puts its preview; describes the child, then destroys the pane
    // and waits for the program to end, or just exits.
    if (command == "pane" && argc >= 6) {
        const int width = std::atoi(argv[2]), height = std::atoi(argv[3]);
        const std::string mode = argv[4];
        HWND pane = createPlainWindow(L"Orvelle test pane", WS_POPUP | WS_VISIBLE, width, height);
        char line[512];
        std::snprintf(line, sizeof line, "\"%s\" /p %llu", argv[5],
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pane)));
        HANDLE process = startProcess(line);
        if (process == nullptr) {
            std::printf("start-failed\n");
            return 1;
        }
        HWND child = nullptr;
        const DWORD start = GetTickCount();
        while (child == nullptr && GetTickCount() - start < 15000) {
            pump(20);
            child = FindWindowExW(pane, nullptr, nullptr, L"Preview Window");
        }
        if (child == nullptr) {
            std::printf("no-child\n");
            return 1;
        }
        pump(300);
        RECT r{};
        GetWindowRect(child, &r);
        POINT origin{r.left, r.top};
        ScreenToClient(pane, &origin);
        HWND image = GetWindow(child, GW_CHILD);
        RECT ir{};
        GetWindowRect(image, &ir);
        POINT imageOrigin{ir.left, ir.top};
        ScreenToClient(child, &imageOrigin);
        std::printf(
            "child style=%08lX parent_is_pane=%d x=%ld y=%ld width=%ld height=%ld "
            "visible=%d image=%d image_x=%ld image_y=%ld image_width=%ld image_height=%ld "
            "pid=%lu\n",
            static_cast<unsigned long>(GetWindowLongW(child, GWL_STYLE)),
            GetParent(child) == pane ? 1 : 0, origin.x, origin.y, r.right - r.left,
            r.bottom - r.top, IsWindowVisible(child) ? 1 : 0, image != nullptr ? 1 : 0,
            imageOrigin.x, imageOrigin.y, ir.right - ir.left, ir.bottom - ir.top,
            GetProcessId(process));
        std::fflush(stdout);
        if (mode == "exit") return 0;  // the pane goes with this process
        DestroyWindow(pane);
        const DWORD destroyed = GetTickCount();
        const DWORD waited = WaitForSingleObject(process, 10000);
        std::printf("ended=%d after=%lu\n", waited == WAIT_OBJECT_0 ? 1 : 0,
                    GetTickCount() - destroyed);
        return 0;
    }
    // wait-pid PID MS: waits for a process to end.
    if (command == "wait-pid" && argc >= 4) {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, std::strtoul(argv[2], nullptr, 10));
        if (process == nullptr) {
            std::printf("ended=1 after=0\n");
            return 0;
        }
        const DWORD start = GetTickCount();
        const DWORD waited = WaitForSingleObject(process, std::strtoul(argv[3], nullptr, 10));
        std::printf("ended=%d after=%lu\n", waited == WAIT_OBJECT_0 ? 1 : 0,
                    GetTickCount() - start);
        return 0;
    }
    // screen: the primary screen's size and the current display mode.
    if (command == "screen") {
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
        DEVMODEA registry{};
        registry.dmSize = sizeof registry;
        EnumDisplaySettingsA(nullptr, ENUM_REGISTRY_SETTINGS, &registry);
        std::printf("screen=%dx%d mode=%lux%lu registry=%lux%lu\n", GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN), mode.dmPelsWidth, mode.dmPelsHeight,
                    registry.dmPelsWidth, registry.dmPelsHeight);
        return 0;
    }
    // run-wait TIMEOUT_MS PROGRAM [ARGS]: starts the program, waits, prints its exit code.
    if (command == "run-wait" && argc >= 4) {
        std::string line = std::string("\"") + argv[3] + "\"";
        for (int i = 4; i < argc; ++i) line += std::string(" ") + argv[i];
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &pi)) {
            std::printf("start-failed error=%lu\n", GetLastError());
            return 1;
        }
        CloseHandle(pi.hThread);
        const DWORD waited = WaitForSingleObject(pi.hProcess, std::strtoul(argv[2], nullptr, 10));
        if (waited != WAIT_OBJECT_0) {
            std::printf("timeout\n");
            CloseHandle(pi.hProcess);
            return 1;
        }
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        std::printf("exit=%lu\n", code);
        return 0;
    }
    return usage();
}
