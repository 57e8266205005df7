// Orvelle.scr on Windows: the start-up routine over the real platform, then
// the message loop for as long as the preview or the saver-run form lives.
#include <windows.h>

#include <memory>

#include "frontend/preview_win32.h"
#include "frontend/saver_run_win32.h"
#include "frontend/startup.h"
#include "frontend/window_animation_win32.h"
#include "platform/text_win32.h"
#include "platform/window_win32.h"

namespace orvelle {
namespace {

// Stands in for the settings dialog until it is built: a plain window with
// the dialog's caption, shown modally, that the user closes.
class SettingsPlaceholder final : public win32::WindowBase<SettingsPlaceholder> {
public:
    static constexpr const wchar_t* kClassName = L"Orvelle_Settings";

    void showModal(AnimPoint point) {
        point_ = point;
        const std::wstring caption = win32::widen(kSettingsDialogCaption);
        if (!createWindow(0, caption.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                          CW_USEDEFAULT, CW_USEDEFAULT, 360, 200, nullptr,
                          reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
            return;
        }
        AnimateOpen(window(), point_);
        MSG msg;
        while (!done_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) AnimateClose(window(), point_);
        return WindowBase::handle(message, wParam, lParam);
    }
    void destroyed() override { done_ = true; }

private:
    AnimPoint point_;
    bool done_ = false;
};

class Win32StartupPlatform final : public StartupPlatform {
public:
    std::string getString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, uint32_t bufferSize,
                          const std::string& file) override {
        std::string buffer(bufferSize, '\0');
        const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                 buffer.data(), bufferSize, file.c_str());
        buffer.resize(n);
        return buffer;
    }

    int32_t writeString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& file) override {
        // Section and key fields of 128 characters, as the callers pass them.
        return WritePrivateProfileStringA(section.substr(0, 127).c_str(),
                                          key.substr(0, 127).c_str(), value.c_str(), file.c_str());
    }

    bool canOpenForReading(const std::string& path) override {
        // A folder cannot be opened this way; nothing of the attempt remains.
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            SetLastError(0);
            return false;
        }
        CloseHandle(file);
        return true;
    }

    std::string programFolder() override { return programFolderAnsi(); }

    bool windowExists(const std::string& caption) override {
        return FindWindowW(nullptr, win32::widen(caption.c_str()).c_str()) != nullptr;
    }

    bool showPreview(uint32_t paneHandle, FrontEndState& state) override {
        preview_ = std::make_unique<PreviewWindow>(state.LastResult);
        HWND pane = reinterpret_cast<HWND>(static_cast<uintptr_t>(paneHandle));
        return preview_->place(pane);
    }

    void makeFolder(const std::string& path) override { CreateDirectoryA(path.c_str(), nullptr); }

    void showMissingRendererMessage() override {
        MessageBoxW(nullptr, win32::widen(kMissingRendererMessage).c_str(),
                    win32::widen(kApplicationTitle).c_str(), MB_OK);
    }

    void showSettingsDialog(FrontEndState& state) override {
        // Replaced by the settings dialog when it is built.
        SettingsPlaceholder dialog;
        dialog.showModal(state.animPoint);
    }

    void hideCursor() override { ShowCursor(FALSE); }
    int32_t screenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
    int32_t screenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }

    void loadSaverRun(FrontEndState& state) override {
        saverRun_ =
            std::make_unique<SaverRunWindow>(state.music, state.LastResult, state.commandLine);
        saverRun_->load();
    }

private:
    std::unique_ptr<PreviewWindow> preview_;
    std::unique_ptr<SaverRunWindow> saverRun_;
};

std::string commandArguments() {
    // The command line in the system code page, without the program name.
    return std::string(argumentsOf(GetCommandLineA()));
}

int run() {
    OleInitialize(nullptr);
    FrontEndState state;
    state.commandLine = parseCommandLine(commandArguments());
    Win32StartupPlatform platform;
    if (runStartup(platform, state) == StartupOutcome::EndNow) ExitProcess(0);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    OleUninitialize();
    return 0;
}

}  // namespace
}  // namespace orvelle

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return orvelle::run();
}
