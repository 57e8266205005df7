// A small Windows program that the end-to-end tests run under Wine to look at
// the system from the inside: a window and its controls by caption, and what
// a screen reader hears of them (and its action on one), the foreground
// window, the desktop window, how many processes run a program. It also
// holds a window of its own (a window elsewhere, a white one under a saver,
// one with a pane for a preview, or one with two push buttons that report
// every click), holds a file open as another program may, and ends the
// process of a window as the task manager does. Prints its results as
// key=value lines.
#include <windows.h>

#include <oleacc.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controls/button_win32.h"
#include "platform/text_win32.h"
#include "platform/win32_handles.h"

namespace orvelle {
namespace {

using win32::narrow;
using win32::widen;

// Whether done() came true within timeoutMs, asking every 20 ms.
template <typename Done>
bool waitFor(Done done, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); !done(); Sleep(20))
        if (GetTickCount() - start >= timeoutMs) return false;
    return true;
}

HWND waitWindow(const std::string& caption, DWORD timeoutMs) {
    HWND w = nullptr;
    waitFor([&] { return (w = FindWindowW(nullptr, widen(caption).c_str())) != nullptr; },
            timeoutMs);
    return w;
}

// The thread of a window: its focus and its capture.
GUITHREADINFO guiThread(HWND w) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info);
    return info;
}

struct ReleaseObject {
    void operator()(IUnknown* object) const { object->Release(); }
};

// What a screen reader reaches of a control, through the platform's
// accessibility library (null if nothing).
std::unique_ptr<IAccessible, ReleaseObject> accessible(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        object = nullptr;
    return std::unique_ptr<IAccessible, ReleaseObject>(object);
}

LRESULT CALLBACK hostProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND) std::printf("command id=%d code=%d\n", LOWORD(wp), HIWORD(wp));
    if (m == WM_COMMAND) return std::fflush(stdout), 0;
    return DefWindowProcW(w, m, wp, lp);
}

// A colour that no control draws.
constexpr COLORREF kGreen = RGB(0, 255, 0);

// Calls visit(control) for every control of a window, its controls' own included.
template <typename Visit>
void forEachControl(HWND parent, Visit visit) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        visit(child);
        forEachControl(child, visit);
    }
}

// One line of a window, its fields apart by tabs (a text may hold blanks): its class, id, place (a
// top-level window's on the screen, a control's in its window's client area), client area, the
// width of its text on one line as the platform measures it in the font given (0 without one),
// its state, style, parent and process, what a screen reader hears of it (role, state and name),
// and its text.
void describeWindow(const char* kind, HWND w, HWND top, HFONT font) {
    wchar_t className[256] = {}, text[512] = {};
    GetClassNameW(w, className, 256);
    GetWindowTextW(w, text, 512);
    VARIANT self{}, role{}, state{};
    self.vt = VT_I4;
    BSTR name = nullptr;
    if (const auto object = accessible(w)) {
        object->get_accRole(self, &role);
        object->get_accState(self, &state);
        object->get_accName(self, &name);
    }
    RECT r{}, client{}, measured{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, w == top ? nullptr : top, reinterpret_cast<POINT*>(&r), 2);
    GetClientRect(w, &client);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    if (font != nullptr) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, font);
        DrawTextW(dc, text, -1, &measured, DT_SINGLELINE | DT_CALCRECT);
        SelectObject(dc, previous);
        ReleaseDC(nullptr, dc);
    }
    const GUITHREADINFO thread = guiThread(top);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    std::printf(
        "%s\tclass=%s\tid=%d\tx=%ld\ty=%ld\twidth=%ld\theight=%ld\tclient=%ldx%ld\tclient_x=%ld"
        "\tclient_y=%ld\ttext_width=%ld\tenabled=%d\tvisible=%d\tfocus=%d\tcapture=%d\tstyle=%08lX"
        "\tparent=%llu\tpid=%lu\trole=%ld\tstate=%ld\tname=%s\ttext=%s\n",
        kind, narrow(className).c_str(), GetDlgCtrlID(w), r.left, r.top, r.right - r.left,
        r.bottom - r.top, client.right, client.bottom, origin.x, origin.y, measured.right,
        IsWindowEnabled(w) ? 1 : 0, IsWindowVisible(w) ? 1 : 0, w == thread.hwndFocus ? 1 : 0,
        w == thread.hwndCapture ? 1 : 0, static_cast<unsigned long>(GetWindowLongW(w, GWL_STYLE)),
        static_cast<unsigned long long>(uintptr_t(GetParent(w))), pid, role.lVal, state.lVal,
        name != nullptr ? narrow(name).c_str() : "", narrow(text).c_str());
    SysFreeString(name);
}

// A window (waiting for it up to MS), then each of its visible controls (a
// message box creates all its possible buttons and hides those it does not use).
// With a face and a size in points, each text's width is measured in that font at the screen's
// DPI (another program's font handle cannot be selected here); without them it reads 0.
int describe(const std::string& caption, DWORD waitMs, const std::string& face, double points) {
    HWND top = waitWindow(caption, waitMs);
    if (top == nullptr) return std::printf("none\n"), 1;
    HDC screen = GetDC(nullptr);
    const int height = -static_cast<int>(points * GetDeviceCaps(screen, LOGPIXELSY) / 72.0 + 0.5);
    ReleaseDC(nullptr, screen);
    HFONT font = face.empty() ? nullptr
                              : CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                            DEFAULT_CHARSET, 0, 0, 0, 0, widen(face).c_str());
    describeWindow("window", top, top, font);
    forEachControl(top, [top, font](HWND child) {
        if (IsWindowVisible(child)) describeWindow("control", child, top, font);
    });
    if (font != nullptr) DeleteObject(font);
    return 0;
}

// A screen reader's default action on the control of that id.
int act(const std::string& caption, int id) {
    HWND control = nullptr;
    forEachControl(waitWindow(caption, 10000), [&control, id](HWND child) {
        if (control == nullptr && GetDlgCtrlID(child) == id) control = child;
    });
    const auto object = accessible(control);
    VARIANT self{};
    self.vt = VT_I4;
    return object && SUCCEEDED(object->accDoDefaultAction(self)) ? 0 : 1;
}

// A file chooser's focused name box given PATH, and confirmed. The chooser shows before it
// puts the focus in its name box: wait for an edit box to hold it, then for the chooser to
// close on the confirmation.
int choose(const std::string& caption, const std::string& path) {
    HWND w = waitWindow(caption, 10000), name = nullptr;
    const auto nameBoxFocused = [&] {
        wchar_t kind[16] = L"";
        name = guiThread(w).hwndFocus;
        return name != nullptr && GetClassNameW(name, kind, 16) && lstrcmpiW(kind, L"Edit") == 0;
    };
    if (w == nullptr || !waitFor(nameBoxFocused, 10000)) return 1;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(path).c_str()));
    PostMessageW(w, WM_COMMAND, IDOK, 0);
    return waitFor([w] { return !IsWindow(w); }, 10000) ? 0 : 1;
}

// CAPTION MS X Y W H [white|buttons|pane]: a window there for MS; with buttons, two push buttons
// in it (the second disabled) whose clicks it prints; with pane, a child window that fills it, a
// host's preview pane. Prints the handle of the window, or of the pane.
int hold(const std::string& caption, DWORD ms, int x, int y, int width, int height,
         const std::string& extra) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = hostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(extra == "white" ? RGB(255, 255, 255) : kGreen);
    wc.lpszClassName = L"OrvelleProbe";
    RegisterClassW(&wc);
    HWND window =
        CreateWindowExW(0, wc.lpszClassName, widen(caption).c_str(), WS_POPUP | WS_VISIBLE, x, y,
                        width, height, nullptr, nullptr, wc.hInstance, nullptr);
    HWND pane = extra == "pane"
                    ? CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, width,
                                      height, window, nullptr, wc.hInstance, nullptr)
                    : window;
    std::printf("window=%llu\n", static_cast<unsigned long long>(uintptr_t(pane)));
    std::fflush(stdout);
    ButtonWindow first, second;
    const bool buttons = extra == "buttons";
    if (buttons) {
        first.create(window, 20, 20, 113, 33, 101, "&Alpha", buttonDesignFont());
        second.create(window, 160, 20, 113, 33, 102, "Beta", buttonDesignFont());
        second.core().setEnabled(false);
        SetForegroundWindow(window);
    }
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(10))
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
            if (!buttons || !IsDialogMessageW(window, &msg)) DispatchMessageW(&msg);
    return 0;
}

// How many processes run the program file NAME.
int countProcesses(const std::string& name) {
    const win32::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry))
        count += lstrcmpiW(entry.szExeFile, widen(name).c_str()) == 0;
    return std::printf("count=%d\n", count), 0;
}

// Ends the process of a window (waiting for it) at once, as the task manager does.
int killProcessOf(const std::string& caption) {
    DWORD pid = 0;
    GetWindowThreadProcessId(waitWindow(caption, 10000), &pid);
    const win32::UniqueKernelHandle process(
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    const bool ended = process && TerminateProcess(process.get(), 1) &&
                       WaitForSingleObject(process.get(), 10000) == WAIT_OBJECT_0;
    return ended ? 0 : 1;
}

// Starts COUNT copies of PROGRAM with ARGUMENT as close together as can be: each made suspended,
// then all let go at once.
int startCopies(const std::string& program, const std::string& argument, int count) {
    std::vector<win32::UniqueKernelHandle> threads;
    for (int i = 0; i < count; ++i) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::wstring line = L"\"" + widen(program) + L"\" " + widen(argument);
        if (!CreateProcessW(widen(program).c_str(), line.data(), nullptr, nullptr, FALSE,
                            CREATE_SUSPENDED, nullptr, nullptr, &startup, &process))
            return 1;
        CloseHandle(process.hProcess);
        threads.emplace_back(process.hThread);
    }
    for (const win32::UniqueKernelHandle& thread : threads) ResumeThread(thread.get());
    return 0;
}

// A file held open for MS for reading, shared for reading only: nobody may write it meanwhile.
int lock(const std::string& path, DWORD ms) {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    const win32::UniqueKernelHandle held(file == INVALID_HANDLE_VALUE ? nullptr : file);
    std::printf("locked=%d\n", held ? 1 : 0);
    std::fflush(stdout);
    Sleep(ms);
    return 0;
}

}  // namespace
}  // namespace orvelle

int main() {
    using namespace orvelle;
    CoInitialize(nullptr);  // for the accessibility library
    // Arguments as UTF-8, whatever the code page: captions may be Japanese.
    int argc = 0;
    wchar_t** wideArgs = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(narrow(wideArgs[i]));
    args.resize(std::max<size_t>(args.size(), 9));
    const std::string &command = args[1], &caption = args[2];
    const auto number = [&](int i) { return std::atoi(args[i].c_str()); };
    if (command == "describe")  // CAPTION MS [FACE POINTS]
        return describe(caption, number(3), args[4], std::atof(args[5].c_str()));
    if (command == "act") return act(caption, number(3));
    if (command == "close") {  // WM_CLOSE, as the close box sends it (waiting for the window)
        HWND w = waitWindow(caption, 10000);
        return w != nullptr && PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == "choose") return choose(caption, args[3]);
    if (command == "foreground") {  // the foreground window's description
        HWND w = GetForegroundWindow();
        if (w == nullptr) return 1;
        describeWindow("window", w, w, nullptr);
        return 0;
    }
    if (command == "desktop") {
        std::printf("window=%llu\n",
                    static_cast<unsigned long long>(uintptr_t(GetDesktopWindow())));
        return 0;
    }
    if (command == "processes") return countProcesses(caption);  // NAME
    if (command == "kill") return killProcessOf(caption);
    if (command == "start") return startCopies(caption, args[3], number(4));  // PROGRAM ARG COUNT
    if (command == "lock") return lock(caption, number(3));                   // PATH MS
    if (command == "hold")
        return hold(caption, number(3), number(4), number(5), number(6), number(7), args[8]);
    std::fprintf(stderr, "probe: unknown command\n");
    return 2;
}
