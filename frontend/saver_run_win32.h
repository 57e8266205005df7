// A saver run on Windows: the hidden window "Zelkor_Main" with its three
// timers, the renderer's process, the display, and the winmm music.
#pragma once

#include <windows.h>

#include <string>

#include "frontend/saver_run.h"
#include "music/mci_win32.h"
#include "platform/win32_handles.h"
#include "platform/window_win32.h"

namespace orvelle {

// The renderer's program file, beside the front end's.
std::wstring rendererPath();

class SaverRunWindow final : public win32::WindowBase<SaverRunWindow>, public SaverRunPlatform {
public:
    static constexpr const char* kClassName = "Zelkor_S";

    SaverRunWindow(const MusicSettings& music, const CommandLine& line);
    // Creates the hidden window and runs its load handler; false when the
    // window cannot be created.
    bool load();

    std::optional<uint32_t> startRenderer() override;
    std::vector<uint32_t> rendererWindowProcesses() override;
    bool rendererProcessRunning() override;
    void endRenderer() override;
    uint64_t nowMs() override;
    bool readDisplayModes(DisplayMode& current, DisplayMode& registry) override;
    void restoreDisplay() override;
    void setTimer(SaverTimer timer, uint32_t intervalMs, bool on) override;
    void showCursor() override;
    void endNow() override;

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    WinmmMediaCommands media_;
    SaverRun run_;
    win32::UniqueKernelHandle renderer_;
};

}  // namespace orvelle
