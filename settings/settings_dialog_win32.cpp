// The settings dialog "■Orvelle■" on Windows: a window of the dialog's
// controls, bound to the portable model and behaviour, and its modal loop.
#include "settings/settings_dialog_win32.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>
#include "config/settings_file_win32.h"

#include "controls/control_messages_win32.h"
#include "controls/gdi_canvas_win32.h"
#include "platform/names.h"
#include "platform/picture_win32.h"
#include "platform/text_win32.h"
#include "platform/window_win32.h"
#include "settings/dialog_behaviour.h"
#include "settings/dialog_controls_win32.h"
#include "settings/dialog_layout.h"
#include "settings/dialog_parts.h"
#include "settings/dialog_placement.h"
#include "settings/file_chooser_win32.h"
#include "settings/resources.h"
#include "settings/window_animation_win32.h"

namespace orvelle {
namespace {

using namespace dialog;

constexpr UINT_PTR kBannerTimer = 1;
constexpr UINT kBannerIntervalMs = 100;

class SettingsDialog final : public win32::WindowBase<SettingsDialog> {
public:
    static constexpr const char* kClassName = "Zelkor_P";

    explicit SettingsDialog(const DialogContext& context)
        : context_(context), model_(context.music, systemLeadBytes()), controls_(pictures_) {}

    void showModal();

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void destroyed() override { done_ = true; }

private:
    void placeWindow(const RECT* suggested);
    void applyStates(const ControlStates& states) { controls_.applyStates(states); }
    void optionInput(int id, OptionInput input);
    void focus(DialogControl control) { SetFocus(controls_.windowOf(control)); }
    void applyColours();
    void chooseFile();
    void save();
    void openHomePage();
    void tick();
    void close();

    DialogContext context_;
    SettingsModel model_;
    win32::PictureStore pictures_;
    DialogControls controls_;
    DibImage background_;
    FocusKeeper focus_;
    UINT dpi_ = 96;
    int16_t bannerTick_ = 0;
    bool done_ = false;
    bool closing_ = false;
    bool highContrast_ = false;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, RECT*, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        auto box = [](const RECT& r) {
            return Box{r.left, r.top, r.right - r.left, r.bottom - r.top};
        };
        reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
            {box(info.rcMonitor), box(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

void SettingsDialog::placeWindow(const RECT* suggested) {
    const auto style = static_cast<DWORD>(GetWindowLongW(window(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(window(), GWL_EXSTYLE));
    const int dpi = static_cast<int>(dpi_);
    RECT outer{0, 0, scaled(kClient.w, dpi), scaled(kClient.h, dpi)};
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32"), "AdjustWindowRectExForDpi")));
    if (adjustForDpi != nullptr) {
        adjustForDpi(&outer, style, FALSE, exStyle, dpi_);
    } else {
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    POINT pointer{};
    GetCursorPos(&pointer);
    Box place = placeDialog(monitors, pointer.x, pointer.y, dpi,
                            outer.right - outer.left - scaled(kClient.w, dpi),
                            outer.bottom - outer.top - scaled(kClient.h, dpi));
    // After a change of DPI where the system suggests.
    if (suggested != nullptr) place = {suggested->left, suggested->top, place.w, place.h};
    SetWindowPos(window(), nullptr, place.x, place.y, place.w, place.h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialog::optionInput(int id, OptionInput input) {
    const OptionAction action = orvelle::optionInput(static_cast<MusicKind>(id - kOptionId), input);
    applyStates(model_.chooseKind(action.choose));
    if (action.focus != DialogControl::None) focus(action.focus);
}

void SettingsDialog::applyColours() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    highContrast_ = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                    (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    drawDialogBackground(background_, highContrast_);
    controls_.applyColours(highContrast_);
    InvalidateRect(window(), nullptr, TRUE);
}

void SettingsDialog::showModal() {
    const std::wstring caption = win32::widen(names::kSettingsDialogCaption);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(ORVELLE_ICON), IMAGE_ICON, 32, 32, LR_SHARED));
    HCURSOR hand = static_cast<HCURSOR>(LoadImageW(instance, MAKEINTRESOURCEW(ORVELLE_HAND_CURSOR),
                                                   IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    win32::WindowClassOptions options{};
    options.icon = icon;
    if (!createWindow(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, caption.c_str(),
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr,
                      options)) {
        return;
    }
    dpi_ = dpiOfWindow(window());
    SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (!controls_.create(window(), dpi_, hand)) return;

    // Loading: place, states, the repeat box, the file's caption, the point
    // the opening grows from.
    placeWindow(nullptr);
    applyStates(model_.states());
    applyColours();
    const MusicSettings& music = context_.music;
    SetWindowTextW(controls_.repeat(), win32::widen(formatRepeat(music.bgmRepeat)).c_str());
    controls_.fileLabel().setText(win32::narrow(win32::widen(music.bgmFile, CP_ACP)));
    POINT cursor{};
    context_.lastResult = GetCursorPos(&cursor);
    context_.animPoint = context_.lastResult != 0 ? AnimPoint{static_cast<int16_t>(cursor.x),
                                                              static_cast<int16_t>(cursor.y)}
                                                  : AnimPoint{};
    animateOpen(window(), context_.animPoint);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SetTimer(window(), kBannerTimer, kBannerIntervalMs, nullptr);
    // Shown and activated: the activation gives the focus to the chosen option.
    ShowWindow(window(), SW_SHOW);
    SetForegroundWindow(window());

    MSG msg;
    while (!done_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_SYSCHAR &&
            routeAccessKey(window(), static_cast<wchar_t>(msg.wParam))) {
            continue;
        }
        if (IsDialogMessageW(window(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void SettingsDialog::chooseFile() {
    const MusicSettings& music = context_.music;
    const std::wstring folder =
        music.bgmFolder.empty() ? programFolderWide() : win32::widen(music.bgmFolder, CP_ACP);
    const auto chosen = chooseMusicFile(window(), folder, context_.lastResult);
    // The chooser gives the focus back to the button that opened it.
    focus_.chooserClosed();
    focus(focus_.activated(model_.states()));
    if (!chosen) return;
    Win32PathEncoding encoding;
    if (!model_.fileChosen(std::u16string(chosen->begin(), chosen->end()), encoding)) {
        // The settings file could not hold this path whole.
        MessageBoxW(window(), (win32::widen(kUnusableFileMessage) + L"\n\n" + *chosen).c_str(),
                    win32::widen(names::kSettingsDialogCaption).c_str(), MB_OK | MB_ICONWARNING);
        return;
    }
    controls_.fileLabel().setText(win32::narrow(win32::widen(music.bgmFile, CP_ACP)));
}

void SettingsDialog::save() {
    HWND repeat = controls_.repeat();
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(repeat)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(repeat, text.data(), static_cast<int>(text.size()))));
    model_.save(context_.store, win32::narrow(text), context_.lastResult);
    close();
}

void SettingsDialog::openHomePage() {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShellExecuteW(window(), L"open", win32::widen(kHomePage).c_str(), L"", L"", SW_SHOWNORMAL);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void SettingsDialog::tick() {
    const BannerStep step = advanceBanner(bannerTick_);
    if (step.banner >= 0) controls_.banner(step.banner).core().show(step.frame);
}

void SettingsDialog::close() {
    if (closing_) return;
    closing_ = true;
    KillTimer(window(), kBannerTimer);
    animateClose(window(), context_.animPoint);
    DestroyWindow(window());
}

LRESULT SettingsDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answered = background_.answerPaint(window(), message, wParam)) return *answered;
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const WORD code = HIWORD(wParam);
            if (id >= kOptionId && id < kOptionId + static_cast<int>(kOptions.size()) &&
                code >= kOptionInput) {
                optionInput(id, static_cast<OptionInput>(code - kOptionInput));
            } else if (id == IDCANCEL || (id == kCancelId && code == BN_CLICKED)) {
                close();
            } else if (id == kSetId && code == BN_CLICKED) {
                save();
            } else if (id == kFileId && code == BN_CLICKED) {
                chooseFile();
            } else if ((id == kBannerId || id == kBannerId + 1) && code == BN_CLICKED) {
                openHomePage();
            }
            return 0;
        }
        case WM_ACTIVATE:
            // The focus leaves with the dialog and comes back to where it was.
            if (LOWORD(wParam) == WA_INACTIVE) {
                focus_.deactivated(controls_.controlOf(GetFocus()));
            } else if (HIWORD(wParam) == 0) {
                focus(focus_.activated(model_.states()));
            }
            return 0;
        case WM_TIMER:
            if (wParam == kBannerTimer) tick();
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        case WM_SIZE:
            background_.resize(LOWORD(lParam), HIWORD(lParam));
            drawDialogBackground(background_, highContrast_);
            return 0;
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            applyColours();
            return 0;
        case WM_DPICHANGED:
            dpi_ = HIWORD(wParam);
            controls_.layout(dpi_);
            placeWindow(reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

}  // namespace

void showSettingsDialogModal(const DialogContext& context) {
    SettingsDialog dialog(context);
    dialog.showModal();
}

}  // namespace orvelle
