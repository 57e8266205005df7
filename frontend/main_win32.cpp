// Orvelle.scr on Windows: the start-up routine over the real platform, then
// the message loop for as long as the preview or the saver-run window lives.
// Every end returns through here, so every object is destroyed in order.
#include <windows.h>

#include <memory>
#include <string>
#include <utility>

#include "config/settings_file_win32.h"
#include "frontend/preview_win32.h"
#include "frontend/saver_run_win32.h"
#include "frontend/startup.h"
#include "platform/names.h"
#include "platform/text_win32.h"
#include "settings/settings_dialog_win32.h"

namespace orvelle {
namespace {

class Win32StartupPlatform final : public StartupPlatform, public Win32SettingsPlatform {
public:
    bool windowExists(const std::string& caption) override {
        return FindWindowW(nullptr, win32::widen(caption).c_str()) != nullptr;
    }

    bool takeBusyGuard() override {
        // Its existence is the sign, so nobody needs to own it. It goes with
        // this program's end (the renderer inherits no handle).
        const std::wstring name = win32::widen(names::kBusyGuard);
        win32::UniqueKernelHandle guard(CreateMutexW(nullptr, FALSE, name.c_str()));
        if (guard && GetLastError() == ERROR_ALREADY_EXISTS) return false;
        busyGuard_ = std::move(guard);
        return true;
    }

    bool busyGuardHeld() override {
        const win32::UniqueKernelHandle guard(
            OpenMutexW(SYNCHRONIZE, FALSE, win32::widen(names::kBusyGuard).c_str()));
        return static_cast<bool>(guard);
    }

    PaneFacts paneFacts(uint32_t paneHandle) override {
        HWND pane = reinterpret_cast<HWND>(static_cast<uintptr_t>(paneHandle));
        PaneFacts facts;
        facts.exists = IsWindow(pane) != FALSE;
        if (!facts.exists) return facts;
        HWND desktop = GetDesktopWindow();
        HWND shell = GetShellWindow();
        facts.child = (GetWindowLongW(pane, GWL_STYLE) & WS_CHILD) != 0 &&
                      GetAncestor(pane, GA_PARENT) != desktop;
        facts.desktop = pane == desktop;
        facts.inShell = shell != nullptr && GetAncestor(pane, GA_ROOT) == shell;
        return facts;
    }

    bool showPreview(uint32_t paneHandle) override {
        preview_ = std::make_unique<PreviewWindow>();
        HWND pane = reinterpret_cast<HWND>(static_cast<uintptr_t>(paneHandle));
        return preview_->place(pane);
    }

    void makeFolder(const std::string& path) override { CreateDirectoryA(path.c_str(), nullptr); }

    bool rendererExists() override { return orvelle::canOpenForReading(rendererPath()); }

    void showMissingRendererMessage() override {
        MessageBoxW(nullptr, win32::widen(kMissingRendererMessage).c_str(),
                    win32::widen(kApplicationTitle).c_str(), MB_OK);
    }

    void showSettingsDialog(FrontEndState& state) override {
        showSettingsDialogModal({state.music, state.lastResult, state.animPoint, *this});
    }

    void hideCursor() override { ShowCursor(FALSE); }
    void showCursor() override { ShowCursor(TRUE); }
    int32_t screenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
    int32_t screenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }

    bool loadSaverRun(FrontEndState& state) override {
        saverRun_ = std::make_unique<SaverRunWindow>(state.music, state.commandLine);
        return saverRun_->load();
    }

private:
    win32::UniqueKernelHandle busyGuard_;
    std::unique_ptr<PreviewWindow> preview_;
    std::unique_ptr<SaverRunWindow> saverRun_;
};

// OLE for the picture loader and the accessible objects, for the program's life.
class OleSession {
public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool ok_;
};

int run() {
    // A music file on an empty drive or a share out of reach fails like a
    // missing file, without the system's box asking for a disk.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    OleSession ole;
    FrontEndState state;
    // The command line in the system code page, without the program name.
    state.commandLine = parseCommandLine(argumentsOf(GetCommandLineA()));
    Win32StartupPlatform platform;
    if (runStartup(platform, state) == StartupOutcome::EndNow) return 0;

    // Until the window that carries the program posts WM_QUIT.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace
}  // namespace orvelle

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return orvelle::run();
}
