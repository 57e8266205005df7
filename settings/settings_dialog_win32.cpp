#include "settings/settings_dialog_win32.h"

#include <windows.h>

#include "frontend/window_animation_win32.h"
#include "platform/names.h"
#include "platform/text_win32.h"
#include "platform/window_win32.h"

namespace orvelle {
namespace {

class SettingsPlaceholder final : public win32::WindowBase<SettingsPlaceholder> {
public:
    static constexpr const char* kClassName = "Zelkor_P";

    void showModal(AnimPoint point) {
        point_ = point;
        const std::wstring caption = win32::widen(names::kSettingsDialogCaption);
        if (!createWindow(0, caption.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                          CW_USEDEFAULT, CW_USEDEFAULT, 360, 200, nullptr)) {
            return;
        }
        animateOpen(window(), point_);
        MSG msg;
        while (!done_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) animateClose(window(), point_);
        return WindowBase::handle(message, wParam, lParam);
    }
    void destroyed() override { done_ = true; }

private:
    AnimPoint point_;
    bool done_ = false;
};

}  // namespace

void showSettingsDialogModal(FrontEndState& state, ProfileStore&) {
    SettingsPlaceholder dialog;
    dialog.showModal(state.animPoint);
}

}  // namespace orvelle
