// The saver-run form on Windows: the hidden window "Zelkor_Main" with its
// three timers, the renderer's process, and the winmm music.
#pragma once

#include <windows.h>

#include <memory>

#include "frontend/saver_run.h"
#include "music/mci_win32.h"
#include "platform/win32_handles.h"
#include "platform/window_win32.h"

namespace orvelle {

class SaverRunWindow final : public win32::WindowBase<SaverRunWindow>, public SaverRunPlatform {
public:
    static constexpr const wchar_t* kClassName = L"Zelkor_S";

    SaverRunWindow(const MusicSettings& music, int32_t& lastResult, const CommandLine& line);
    // Creates the hidden window and runs the form's load handler.
    bool load();

    bool startRenderer(const std::string& path) override;
    bool rendererWindowExists() override;
    bool rendererProcessRunning() override;
    void setTimer(SaverTimer timer, uint32_t intervalMs, bool on) override;
    void showCursor() override;
    std::string programFolder() override;
    void endNow() override;

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    WinmmMediaCommands media_;
    SaverRunForm form_;
    win32::UniqueKernelHandle renderer_;
};

// The folder of the running program, in the system code page: no trailing
// backslash except at the root of a drive.
std::string programFolderAnsi();

}  // namespace orvelle
