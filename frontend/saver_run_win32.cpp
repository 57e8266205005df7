#include "frontend/saver_run_win32.h"

#include <string>

#include "config/settings_file_win32.h"
#include "platform/names.h"
#include "platform/text_win32.h"

namespace orvelle {

std::wstring rendererPath() {
    std::wstring folder = programFolderWide();
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder + win32::widen(names::kRendererFile);
}

SaverRunWindow::SaverRunWindow(const MusicSettings& music, const CommandLine& line)
    : run_(*this, media_, music, line) {}

bool SaverRunWindow::load() {
    // Never shown: a top-level window that only carries the caption and timers.
    const std::wstring caption = win32::widen(names::kSaverRunCaption);
    if (!createWindow(0, caption.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr)) return false;
    run_.onLoad();
    return true;
}

std::optional<uint32_t> SaverRunWindow::startRenderer() {
    const std::wstring path = rendererPath();
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // No handles inherited: the busy guard must end with this program.
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return std::nullopt;
    }
    CloseHandle(process.hThread);
    renderer_.reset(process.hProcess);
    return static_cast<uint32_t>(process.dwProcessId);
}

std::vector<uint32_t> SaverRunWindow::rendererWindowProcesses() {
    const std::wstring caption = win32::widen(names::kRendererCaption);
    std::vector<uint32_t> processes;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, caption.c_str())) != nullptr;) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        processes.push_back(static_cast<uint32_t>(process));
    }
    return processes;
}

bool SaverRunWindow::rendererProcessRunning() {
    return renderer_ && WaitForSingleObject(renderer_.get(), 0) == WAIT_TIMEOUT;
}

void SaverRunWindow::endRenderer() {
    if (!renderer_) return;
    TerminateProcess(renderer_.get(), 1);
    // A process ended so is gone within moments; it sends nothing to wait for.
    WaitForSingleObject(renderer_.get(), 2000);
}

uint64_t SaverRunWindow::nowMs() {
    return GetTickCount64();
}

bool SaverRunWindow::readDisplayModes(DisplayMode& current, DisplayMode& registry) {
    // Read only here, at the run's end: Wine answers a program without a
    // window on the screen with the current mode it first read, whatever
    // changed since (measured), so an earlier read would make this one stale.
    const auto read = [](DWORD which, DisplayMode& mode) {
        DEVMODEW settings{};
        settings.dmSize = sizeof settings;
        if (!EnumDisplaySettingsW(nullptr, which, &settings)) return false;
        mode = {settings.dmPelsWidth, settings.dmPelsHeight, settings.dmBitsPerPel};
        return true;
    };
    return read(ENUM_CURRENT_SETTINGS, current) && read(ENUM_REGISTRY_SETTINGS, registry);
}

void SaverRunWindow::restoreDisplay() {
    ChangeDisplaySettingsW(nullptr, 0);
}

void SaverRunWindow::setTimer(SaverTimer timer, uint32_t intervalMs, bool on) {
    const auto id = static_cast<UINT_PTR>(timer);
    if (on) {
        SetTimer(window(), id, intervalMs, nullptr);
    } else {
        KillTimer(window(), id);
    }
}

void SaverRunWindow::showCursor() {
    ShowCursor(TRUE);
}

void SaverRunWindow::endNow() {
    // The program's loop ends, and with it the program; nothing of the run
    // is handled after this (SaverRun ignores what is still queued).
    PostQuitMessage(0);
}

LRESULT SaverRunWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam >= 1 && wParam <= 3) run_.onTimer(static_cast<SaverTimer>(wParam));
            return 0;
        case WM_CLOSE:
        case WM_QUERYENDSESSION:
            // Anything that asks the window to go ends the run.
            run_.onQueryUnload();
            return message == WM_QUERYENDSESSION ? TRUE : 0;
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

}  // namespace orvelle
