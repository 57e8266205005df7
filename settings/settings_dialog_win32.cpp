// The settings dialog "■Orvelle■" on Windows: the controls at the places of
// the layout table (scaled by the display's DPI), bound to the portable
// model and behaviour, and its modal loop.
#include "settings/settings_dialog_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <memory>

#include "config/settings_file_win32.h"
#include "controls/button_win32.h"
#include "controls/control_messages_win32.h"
#include "controls/frame_win32.h"
#include "platform/names.h"
#include "platform/picture_win32.h"
#include "platform/text_win32.h"
#include "platform/window_win32.h"
#include "settings/dialog_behaviour.h"
#include "settings/dialog_layout.h"
#include "settings/dialog_parts_win32.h"
#include "settings/file_chooser_win32.h"
#include "settings/resources.h"
#include "settings/window_animation_win32.h"

namespace orvelle {
namespace {

using namespace dialog;

constexpr COLORREF kDialogBack = RGB(224, 224, 224);
constexpr UINT_PTR kBannerTimer = 1;
constexpr UINT kBannerIntervalMs = 100;

// "ＭＳ Ｐゴシック", 9.75 points, normal weight, Shift-JIS: labels and buttons.
FontSpec dialogFont() {
    return {"ＭＳ Ｐゴシック", 9.75f, FW_NORMAL, false, false, false, SHIFTJIS_CHARSET};
}

class SettingsDialog final : public win32::WindowBase<SettingsDialog> {
public:
    static constexpr const char* kClassName = "Zelkor_P";

    explicit SettingsDialog(const DialogContext& context)
        : context_(context), model_(context.music, context.lastResult, systemLeadBytes()) {}

    void showModal();

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void destroyed() override { done_ = true; }

private:
    int scaled(int value) const { return MulDiv(value, static_cast<int>(dpi_), 96); }
    RECT rectOf(const Box& b) const {
        return {scaled(b.x), scaled(b.y), scaled(b.x) + scaled(b.w), scaled(b.y) + scaled(b.h)};
    }
    RECT relative(const Box& b, const Box& to) const {
        return rectOf({b.x - to.x, b.y - to.y, b.w, b.h});
    }
    Box fitted(Box box, const char* text, int limit) const;
    OptionRow::Layout optionLayout(size_t row) const;
    HFONT font() const { return static_cast<HFONT>(font_.get()); }
    void loadPictures();
    void makeFont();
    bool createControls();
    void layout();
    void placeWindow(const RECT* suggested);
    void applyStates(const ControlStates& states);
    void optionInput(int id, OptionInput input);
    DialogControl controlOf(HWND window) const;
    HWND windowOf(DialogControl control) const;
    void applyColours();
    void chooseFile();
    void save();
    void openHomePage();
    void tick();
    void close();

    DialogContext context_;
    SettingsModel model_;
    FocusKeeper focus_;
    UINT dpi_ = 96;
    int16_t bannerTick_ = 0;
    bool done_ = false;
    bool closing_ = false;
    bool highContrast_ = false;

    win32::UniqueGdiObject font_;
    win32::UniqueGdiObject markEmpty_, markChosen_;
    std::array<win32::UniqueGdiObject, 24> banners_;
    HCURSOR hand_ = nullptr;
    HICON icon_ = nullptr;

    std::unique_ptr<FrameWindow> frame_;
    ButtonWindow set_, cancel_, file_;
    HWND repeat_ = nullptr;
    TitleBox title_;
    std::array<OptionRow, kOptions.size()> options_;
    TransparentText repeatLabel_, fileLabel_, credit_;
    std::array<Banner, 2> bannerWindows_;
};

Box SettingsDialog::fitted(Box box, const char* text, int limit) const {
    // Wide enough for the text in the face the platform gives, and a pixel
    // for the focus rectangle on each side, as far as the limit allows.
    const int needed =
        MulDiv(textWidth(window(), font(), win32::widen(text)) + 2, 96, static_cast<int>(dpi_)) + 1;
    box.w = std::clamp(needed, box.w, std::max(box.w, limit - box.x));
    return box;
}

OptionRow::Layout SettingsDialog::optionLayout(size_t row) const {
    const OptionPlace& place = kOptions[row];
    const Box label = fitted(place.label, place.text, kFrameTextLimit);
    const Box whole{place.mark.x, place.mark.y, label.x + label.w - place.mark.x, place.mark.h};
    return {rectOf(whole), relative(place.mark, whole), relative(label, whole)};
}

void SettingsDialog::loadPictures() {
    markEmpty_ = win32::loadJpegResource(ORVELLE_MARK_EMPTY);
    markChosen_ = win32::loadJpegResource(ORVELLE_MARK_CHOSEN);
    for (int i = 0; i < 24; ++i) banners_[i] = win32::loadJpegResource(ORVELLE_BANNER + 1 + i);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    hand_ = static_cast<HCURSOR>(LoadImageW(instance, MAKEINTRESOURCEW(ORVELLE_HAND_CURSOR),
                                            IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    icon_ = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(ORVELLE_ICON), IMAGE_ICON, 32, 32, LR_SHARED));
}

void SettingsDialog::makeFont() {
    const FontSpec f = dialogFont();
    font_.reset(CreateFontW(-MulDiv(static_cast<int>(f.points * 100), static_cast<int>(dpi_), 7200),
                            0, 0, 0, f.weight, FALSE, FALSE, FALSE, static_cast<BYTE>(f.charset),
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                            win32::widen(f.face).c_str()));
}

bool SettingsDialog::createControls() {
    makeFont();
    const auto [fx, fy, fr, fb] = rectOf(kFrame);
    frame_ = std::make_unique<FrameWindow>(kDialogBack);
    if (!frame_->create(window(), fx, fy, fr - fx, fb - fy, kFrameId)) return false;
    HWND frame = frame_->window();
    HINSTANCE instance = GetModuleHandleW(nullptr);

    title_.create(frame, rectOf(kTitleOutline), relative(kTitle, kTitleOutline), font());
    for (size_t row = 0; row < kOptions.size(); ++row) {
        options_[row].create(frame, kOptionId + static_cast<int>(kOptions[row].kind),
                             optionLayout(row), kOptions[row].text, font(),
                             static_cast<HBITMAP>(markEmpty_.get()),
                             static_cast<HBITMAP>(markChosen_.get()));
    }
    repeat_ = CreateWindowExW(
        0, WC_COMBOBOXW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0, 0,
        0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRepeatId)), instance, nullptr);
    repeatLabel_.create(frame, kRepeatLabelId, {}, kRepeatText, font(),
                        DT_LEFT | DT_TOP | DT_SINGLELINE);
    file_.create(frame, 0, 0, 0, 0, kFileId, kFileButtonText, dialogFont());
    fileLabel_.create(frame, kFileLabelId, {}, "", font(),
                      DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    set_.create(window(), 0, 0, 0, 0, kSetId, kSetText, dialogFont());
    cancel_.create(window(), 0, 0, 0, 0, kCancelId, kCancelText, dialogFont());
    for (int i = 0; i < 2; ++i) {
        bannerWindows_[i].create(window(), kBannerId + i, {}, hand_, win32::widen(kBannerName),
                                 win32::widen(kHomePage));
    }
    credit_.create(window(), kCreditId, {}, kCreditText, font(),
                   DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    nameComboForScreenReaders(repeat_, win32::widen(kRepeatText));
    // The options are one group; the repeat box starts the next.
    for (HWND w : {options_[0].window(), repeat_}) {
        SetWindowLongW(w, GWL_STYLE, GetWindowLongW(w, GWL_STYLE) | WS_GROUP);
    }
    layout();
    return true;
}

void SettingsDialog::layout() {
    // Every place and size at this DPI, with the font made for it.
    auto move = [](HWND w, const RECT& r) {
        MoveWindow(w, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    };
    move(frame_->window(), rectOf(kFrame));
    title_.place(rectOf(kTitleOutline), relative(kTitle, kTitleOutline), font());
    for (size_t row = 0; row < kOptions.size(); ++row)
        options_[row].place(optionLayout(row), font());
    SendMessageW(repeat_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    move(repeat_, rectOf({kRepeat.x, kRepeat.y, kRepeat.w, kRepeatListHeight}));
    move(repeatLabel_.window(), rectOf(fitted(kRepeatLabel, kRepeatText, kFrameTextLimit)));
    move(file_.window(), rectOf(kFile));
    move(fileLabel_.window(), rectOf(kFileLabel));
    move(set_.window(), rectOf(kSet));
    move(cancel_.window(), rectOf(kCancel));
    for (int i = 0; i < 2; ++i) move(bannerWindows_[i].window(), rectOf(kBanners[i]));
    move(credit_.window(), rectOf(kCredit));
    for (ButtonWindow* b : {&set_, &cancel_, &file_}) b->refreshFont();
    for (TransparentText* t : {&repeatLabel_, &fileLabel_, &credit_}) t->setFont(font());
}

void SettingsDialog::placeWindow(const RECT* suggested) {
    const auto style = static_cast<DWORD>(GetWindowLongW(window(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(window(), GWL_EXSTYLE));
    RECT outer = rectOf(kClient);
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32"), "AdjustWindowRectExForDpi")));
    if (adjustForDpi != nullptr) {
        adjustForDpi(&outer, style, FALSE, exStyle, dpi_);
    } else {
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    // Centred horizontally, at a third of the free height; after a change of
    // DPI where the system suggests.
    const int left = suggested ? suggested->left : (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = suggested ? suggested->top : (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
    SetWindowPos(window(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

DialogControl SettingsDialog::controlOf(HWND w) const {
    if (w == nullptr) return DialogControl::None;
    for (size_t row = 0; row < kOptions.size(); ++row) {
        if (options_[row].window() == w) return optionControl(kOptions[row].kind);
    }
    if (w == repeat_ || IsChild(repeat_, w)) return DialogControl::Repeat;
    if (w == file_.window()) return DialogControl::FileButton;
    if (w == set_.window()) return DialogControl::Set;
    if (w == cancel_.window()) return DialogControl::Cancel;
    if (w == bannerWindows_[0].window()) return DialogControl::LeftBanner;
    if (w == bannerWindows_[1].window()) return DialogControl::RightBanner;
    return DialogControl::None;
}

HWND SettingsDialog::windowOf(DialogControl control) const {
    if (const auto kind = optionKind(control)) {
        for (size_t row = 0; row < kOptions.size(); ++row) {
            if (kOptions[row].kind == *kind) return options_[row].window();
        }
    }
    switch (control) {
        case DialogControl::Repeat:
            return repeat_;
        case DialogControl::FileButton:
            return file_.window();
        case DialogControl::Set:
            return set_.window();
        case DialogControl::Cancel:
            return cancel_.window();
        case DialogControl::LeftBanner:
            return bannerWindows_[0].window();
        case DialogControl::RightBanner:
            return bannerWindows_[1].window();
        default:
            return nullptr;
    }
}

void SettingsDialog::applyStates(const ControlStates& states) {
    // A control about to be disabled gives the focus up first: a disabled
    // control with the focus strands the keyboard.
    const DialogControl focused = controlOf(GetFocus());
    const DialogControl target = focusAfter(focused, states);
    if (focused != DialogControl::None && target != focused) SetFocus(windowOf(target));
    const HWND tabStop = windowOf(optionTabStop(states));
    for (size_t row = 0; row < kOptions.size(); ++row) {
        options_[row].setChosen(states.chosen == kOptions[row].kind);
        // The group's one tab stop.
        HWND w = options_[row].window();
        const LONG style = GetWindowLongW(w, GWL_STYLE);
        SetWindowLongW(w, GWL_STYLE, w == tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
    EnableWindow(repeat_, states.repeatEnabled);
    file_.core().setEnabled(states.fileEnabled);
}

void SettingsDialog::optionInput(int id, OptionInput input) {
    const OptionAction action = orvelle::optionInput(static_cast<MusicKind>(id - kOptionId), input);
    applyStates(model_.chooseKind(action.choose));
    if (action.focus != DialogControl::None) SetFocus(windowOf(action.focus));
}

void SettingsDialog::applyColours() {
    // With the system's high-contrast setting on, everything takes the
    // system's colours; with it off, the dialog's own.
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    highContrast_ = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                    (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    const COLORREF text = highContrast_ ? GetSysColor(COLOR_BTNTEXT) : RGB(0, 0, 0);
    constexpr Colour kSystemFace = 0x80000000u | COLOR_BTNFACE;
    constexpr Colour kSystemText = 0x80000000u | COLOR_BTNTEXT;
    announceAmbientChange(window(), AmbientValue::BackColour,
                          static_cast<LPARAM>(highContrast_ ? kSystemFace : Colour{kDialogBack}));
    frame_->control().setBorderColour(highContrast_ ? kSystemText : 0);
    for (ButtonWindow* b : {&set_, &cancel_, &file_}) b->setHighContrast(highContrast_);
    for (TransparentText* t : {&repeatLabel_, &fileLabel_, &credit_}) t->setColour(text);
    for (OptionRow& option : options_) option.setTextColour(text);
    title_.setColours(text, highContrast_ ? text : RGB(255, 255, 255), text);
    InvalidateRect(window(), nullptr, TRUE);
}

void SettingsDialog::showModal() {
    const std::wstring caption = win32::widen(names::kSettingsDialogCaption);
    loadPictures();
    win32::WindowClassOptions options{};
    options.background = CreateSolidBrush(kDialogBack);  // the class keeps it for the process
    options.icon = icon_;
    if (!createWindow(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, caption.c_str(),
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr,
                      options)) {
        return;
    }
    dpi_ = dpiOfWindow(window());
    SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    if (!createControls()) return;

    // Loading: place, states, the repeat box, the file's caption, the point
    // the opening grows from.
    placeWindow(nullptr);
    applyStates(model_.states());
    applyColours();
    const MusicSettings& music = context_.music;
    SetWindowTextW(repeat_, win32::widen(formatRepeat(music.bgmRepeat)).c_str());
    for (const std::string& item : repeatItems()) {
        SendMessageW(repeat_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::widen(item).c_str()));
    }
    fileLabel_.setText(win32::narrow(win32::widen(music.bgmFile, CP_ACP)));
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
    SetFocus(windowOf(focus_.activated(model_.states())));
    if (!chosen) return;
    Win32PathEncoding encoding;
    if (!model_.fileChosen(std::u16string(chosen->begin(), chosen->end()), encoding)) {
        // The settings file could not hold this path whole.
        MessageBoxW(window(), (win32::widen(kUnusableFileMessage) + L"\n\n" + *chosen).c_str(),
                    win32::widen(names::kSettingsDialogCaption).c_str(), MB_OK | MB_ICONWARNING);
        return;
    }
    fileLabel_.setText(win32::narrow(win32::widen(music.bgmFile, CP_ACP)));
}

void SettingsDialog::save() {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(repeat_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(repeat_, text.data(), static_cast<int>(text.size()))));
    model_.save(context_.store, win32::narrow(text));
    close();
}

void SettingsDialog::openHomePage() {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShellExecuteW(window(), L"open", win32::widen(kHomePage).c_str(), L"", L"", SW_SHOWNORMAL);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void SettingsDialog::tick() {
    const BannerStep step = advanceBanner(bannerTick_);
    if (step.banner >= 0) {
        bannerWindows_[step.banner].show(static_cast<HBITMAP>(banners_[step.frame - 1].get()));
    }
}

void SettingsDialog::close() {
    if (closing_) return;
    closing_ = true;
    KillTimer(window(), kBannerTimer);
    animateClose(window(), context_.animPoint);
    DestroyWindow(window());
}

LRESULT SettingsDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
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
                focus_.deactivated(controlOf(GetFocus()));
            } else if (HIWORD(wParam) == 0) {
                SetFocus(windowOf(focus_.activated(model_.states())));
            }
            return 0;
        case WM_TIMER:
            if (wParam == kBannerTimer) tick();
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(window(), &client);
            win32::UniqueGdiObject brush(
                CreateSolidBrush(highContrast_ ? GetSysColor(COLOR_BTNFACE) : kDialogBack));
            FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(brush.get()));
            return 1;
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            applyColours();
            return 0;
        case WM_DPICHANGED:
            dpi_ = HIWORD(wParam);
            makeFont();
            layout();
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
