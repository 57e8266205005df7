#include "frontend/saver_run_win32.h"

#include "frontend/startup.h"

namespace orvelle {

std::string programFolderAnsi() {
    char path[MAX_PATH * 2] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    const size_t slash = folder.find_last_of('\\');
    if (slash == std::string::npos) return {};
    folder.resize(slash);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

SaverRunWindow::SaverRunWindow(const MusicSettings& music, int32_t& lastResult,
                               const CommandLine& line)
    : form_(*this, media_, music, lastResult, line) {}

bool SaverRunWindow::load() {
    // Never shown: a top-level window that only carries the caption and timers.
    if (!createWindow(0, L"Zelkor_Main", WS_POPUP, 0, 0, 0, 0, nullptr)) return false;
    form_.onLoad();
    return true;
}

bool SaverRunWindow::startRenderer(const std::string& path) {
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    renderer_.reset(process.hProcess);
    return true;
}

bool SaverRunWindow::rendererWindowExists() {
    return FindWindowA(nullptr, kRendererCaption) != nullptr;
}

bool SaverRunWindow::rendererProcessRunning() {
    return renderer_ && WaitForSingleObject(renderer_.get(), 0) == WAIT_TIMEOUT;
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

std::string SaverRunWindow::programFolder() {
    return programFolderAnsi();
}

void SaverRunWindow::endNow() {
    ExitProcess(0);
}

LRESULT SaverRunWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam >= 1 && wParam <= 3) form_.onTimer(static_cast<SaverTimer>(wParam));
            return 0;
        case WM_CLOSE:
        case WM_QUERYENDSESSION:
            // Anything that asks the form to unload ends the run.
            form_.onQueryUnload();
            return message == WM_QUERYENDSESSION ? TRUE : 0;
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

}  // namespace orvelle
