// The settings dialog "■Orvelle■" on Windows: the window and its controls at
// their places (scaled by the display's DPI), bound to the portable model.
#include "settings/settings_dialog_win32.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <array>
#include <memory>
#include <vector>

#include "controls/button_win32.h"
#include "controls/control_messages_win32.h"
#include "controls/frame_win32.h"
#include "frontend/settings_file_win32.h"
#include "frontend/window_animation_win32.h"
#include "platform/names.h"
#include "platform/picture_win32.h"
#include "platform/text_win32.h"
#include "platform/version.h"
#include "platform/window_win32.h"
#include "settings/dialog_parts_win32.h"
#include "settings/resources.h"
#include "settings/settings_model.h"

namespace orvelle {
namespace {

constexpr COLORREF kDialogBack = RGB(224, 224, 224);
constexpr UINT_PTR kBannerTimer = 1;

// Control identifiers (none is IDOK or IDCANCEL, which the dialog keys send).
enum : int {
    kFrameId = 1000,
    kSetId,
    kCancelId,
    kFileId,
    kRepeatId,
    kFileLabelId,
    kRepeatLabelId,
    kCreditId,
    kOptionId = 1010,  // + kind
    kBannerId = 1020,  // + index
};

// Places at 96 DPI: left, top, width, height.
struct Box {
    int x, y, w, h;
};
constexpr Box kClient{0, 0, 522, 265};
constexpr Box kFrame{12, 12, 501, 173};
constexpr Box kSet{144, 192, 113, 33};
constexpr Box kCancel{260, 192, 113, 33};
constexpr Box kBanners[2] = {{12, 192, 123, 52}, {384, 192, 123, 52}};
constexpr Box kCredit{172, 232, 165, 13};
// On the frame, relative to it:
constexpr Box kFile{24, 112, 45, 25};
constexpr Box kRepeat{96, 48, 41, 20};
constexpr Box kRepeatLabel{140, 52, 66, 13};
constexpr Box kFileLabel{72, 112, 397, 33};
constexpr Box kTitleOutline{20, 16, 113, 21};
constexpr Box kTitle{20, 20, 111, 13};
// The options from top to bottom: audio CD, none, file; marks 13 x 13.
constexpr int kOptionKinds[3] = {1, 0, 2};
constexpr Box kMarks[3] = {{28, 52, 13, 13}, {28, 72, 13, 13}, {28, 92, 13, 13}};
constexpr Box kOptionLabels[3] = {{44, 52, 43, 13}, {44, 72, 22, 13}, {44, 92, 60, 13}};
// Each with an access key (the buttons have none, so nothing clashes).
const char* const kOptionTexts[3] = {"音楽&CD", "なし(&N)", "&MP3、WAV"};

class Win32PathEncoding final : public PathEncoding {
public:
    std::optional<std::string> toAnsi(const std::u16string& path) override {
        const std::wstring wide(path.begin(), path.end());
        BOOL lost = FALSE;
        const int n =
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(),
                                static_cast<int>(wide.size()), nullptr, 0, nullptr, &lost);
        if (n <= 0 || lost) return std::nullopt;
        std::string out(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(),
                            static_cast<int>(wide.size()), out.data(), n, nullptr, &lost);
        return out;
    }
    std::optional<std::u16string> shortForm(const std::u16string& path) override {
        const std::wstring wide(path.begin(), path.end());
        std::wstring shortPath(MAX_PATH, L'\0');
        const DWORD n = GetShortPathNameW(wide.c_str(), shortPath.data(), MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return std::nullopt;
        shortPath.resize(n);
        return std::u16string(shortPath.begin(), shortPath.end());
    }
};

class SettingsDialog final : public win32::WindowBase<SettingsDialog> {
public:
    static constexpr const char* kClassName = "Zelkor_P";

    SettingsDialog(FrontEndState& state, ProfileStore& store)
        : state_(state), store_(store), model_(state.music, state.lastResult, systemLeadBytes()) {}

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
    OptionRow::Layout optionLayout(int row) const;
    void loadPictures();
    void makeFont();
    bool createControls();
    void layout();
    void placeWindow(const RECT* suggested);
    void applyStates(const ControlStates& states);
    int focusRow() const;
    void stepOption(int id, int step);
    void applyColours();
    void chooseFile();
    void save();
    void openHomePage();
    void tick();
    void close();

    FrontEndState& state_;
    ProfileStore& store_;
    SettingsModel model_;
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
    std::array<OptionRow, 3> options_;
    TransparentText repeatLabel_, fileLabel_, credit_;
    std::array<Banner, 2> bannerWindows_;
};

OptionRow::Layout SettingsDialog::optionLayout(int row) const {
    const Box& mark = kMarks[row];
    Box label = kOptionLabels[row];
    // Wide enough for the label with its access key, at this DPI.
    if (HDC dc = GetDC(window())) {
        {
            win32::SelectedObject selected(dc, font_.get());
            RECT text{};
            const std::wstring wide = win32::widen(kOptionTexts[row]);
            DrawTextW(dc, wide.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
            label.w = std::max(label.w, MulDiv(text.right + 2, 96, static_cast<int>(dpi_)));
        }
        ReleaseDC(window(), dc);
    }
    const Box whole{mark.x, mark.y, label.x + label.w - mark.x, mark.h};
    return {rectOf(whole), relative(mark, whole), relative(label, whole)};
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
    // "ＭＳ Ｐゴシック", 9.75 points, normal weight, Shift-JIS, at this DPI.
    font_.reset(CreateFontW(-MulDiv(975, static_cast<int>(dpi_), 7200), 0, 0, 0, FW_NORMAL, FALSE,
                            FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH, L"ＭＳ Ｐゴシック"));
}

bool SettingsDialog::createControls() {
    HFONT font = static_cast<HFONT>(font_.get());
    const auto [fx, fy, fr, fb] = rectOf(kFrame);
    frame_ = std::make_unique<FrameWindow>(kDialogBack);
    if (!frame_->create(window(), fx, fy, fr - fx, fb - fy, kFrameId)) return false;
    HWND frame = frame_->window();

    title_.create(frame, rectOf(kTitleOutline), relative(kTitle, kTitleOutline), font);
    for (int row = 0; row < 3; ++row) {
        options_[row].create(frame, kOptionId + kOptionKinds[row], optionLayout(row),
                             kOptionTexts[row], font, static_cast<HBITMAP>(markEmpty_.get()),
                             static_cast<HBITMAP>(markChosen_.get()));
    }
    const RECT repeat = rectOf(kRepeat);
    repeat_ = CreateWindowExW(
        0, L"COMBOBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
        repeat.left, repeat.top, repeat.right - repeat.left, scaled(200), frame,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRepeatId)), GetModuleHandleW(nullptr),
        nullptr);
    repeatLabel_.create(frame, kRepeatLabelId, rectOf(kRepeatLabel), "曲目をﾘﾋﾟｰﾄ", font,
                        DT_LEFT | DT_TOP | DT_SINGLELINE);
    const RECT file = rectOf(kFile);
    file_.create(frame, file.left, file.top, file.right - file.left, file.bottom - file.top,
                 kFileId, "...", font);
    fileLabel_.create(frame, kFileLabelId, rectOf(kFileLabel), "", font,
                      DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);

    const RECT set = rectOf(kSet), cancel = rectOf(kCancel);
    set_.create(window(), set.left, set.top, set.right - set.left, set.bottom - set.top, kSetId,
                "設定", font);
    cancel_.create(window(), cancel.left, cancel.top, cancel.right - cancel.left,
                   cancel.bottom - cancel.top, kCancelId, "ｷｬﾝｾﾙ", font);
    for (int i = 0; i < 2; ++i) {
        bannerWindows_[i].create(window(), kBannerId + i, rectOf(kBanners[i]), hand_,
                                 L"Orvelle のホームページ", win32::widen(kHomePage));
    }
    credit_.create(window(), kCreditId, rectOf(kCredit),
                   std::string("Orvelle Ver ") + ORVELLE_VERSION + "  " + ORVELLE_COPYRIGHT, font,
                   DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SendMessageW(repeat_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    nameComboForScreenReaders(repeat_, L"曲目をﾘﾋﾟｰﾄ");
    // The options are one group; the repeat box starts the next.
    SetWindowLongW(options_[0].window(), GWL_STYLE,
                   GetWindowLongW(options_[0].window(), GWL_STYLE) | WS_GROUP);
    SetWindowLongW(repeat_, GWL_STYLE, GetWindowLongW(repeat_, GWL_STYLE) | WS_GROUP);
    return true;
}

void SettingsDialog::layout() {
    // After a change of DPI: every place, size and the font again.
    makeFont();
    HFONT font = static_cast<HFONT>(font_.get());
    auto move = [](HWND w, const RECT& r) {
        MoveWindow(w, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    };
    move(frame_->window(), rectOf(kFrame));
    title_.place(rectOf(kTitleOutline), relative(kTitle, kTitleOutline), font);
    for (int row = 0; row < 3; ++row) options_[row].place(optionLayout(row), font);
    RECT repeat = rectOf(kRepeat);
    repeat.bottom = repeat.top + scaled(200);
    SendMessageW(repeat_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    move(repeat_, repeat);
    move(repeatLabel_.window(), rectOf(kRepeatLabel));
    move(file_.window(), rectOf(kFile));
    move(fileLabel_.window(), rectOf(kFileLabel));
    move(set_.window(), rectOf(kSet));
    move(cancel_.window(), rectOf(kCancel));
    for (int i = 0; i < 2; ++i) move(bannerWindows_[i].window(), rectOf(kBanners[i]));
    move(credit_.window(), rectOf(kCredit));
    for (ButtonWindow* b : {&set_, &cancel_, &file_}) b->setFont(font);
    for (TransparentText* t : {&repeatLabel_, &fileLabel_, &credit_}) t->setFont(font);
}

void SettingsDialog::placeWindow(const RECT* suggested) {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(window(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(window(), GWL_EXSTYLE));
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
    if (suggested != nullptr) {
        SetWindowPos(window(), nullptr, suggested->left, suggested->top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    // Centred horizontally, at a third of the free height.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
    SetWindowPos(window(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialog::applyStates(const ControlStates& states) {
    for (int row = 0; row < 3; ++row) options_[row].setChosen(kOptionKinds[row] == states.mark);
    EnableWindow(repeat_, states.repeatEnabled);
    file_.setEnabled(states.fileEnabled);
    // The group's one tab stop: the chosen option, or the top one.
    const int focus = focusRow();
    for (int row = 0; row < 3; ++row) {
        HWND w = options_[row].window();
        const LONG style = GetWindowLongW(w, GWL_STYLE);
        SetWindowLongW(w, GWL_STYLE, row == focus ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

int SettingsDialog::focusRow() const {
    for (int row = 0; row < 3; ++row) {
        if (options_[row].chosen()) return row;
    }
    return 0;
}

void SettingsDialog::stepOption(int id, int step) {
    int row = 0;
    while (row < 3 && kOptionId + kOptionKinds[row] != id) ++row;
    const int next = (row + step + 3) % 3;
    applyStates(model_.chooseKind(static_cast<int16_t>(kOptionKinds[next])));
    SetFocus(options_[next].window());
}

void SettingsDialog::applyColours() {
    // With the system's high-contrast setting on, everything takes the
    // system's colours; with it off, the dialog's own.
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    highContrast_ = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                    (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    const COLORREF text = highContrast_ ? GetSysColor(COLOR_BTNTEXT) : RGB(0, 0, 0);
    announceAmbientChange(
        window(), AmbientValue::BackColour,
        static_cast<LPARAM>(highContrast_ ? Colour{0x8000000F} : Colour{kDialogBack}));
    frame_->control().setBorderColour(highContrast_ ? 0x80000012 : 0);
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
    makeFont();
    SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    if (!createControls()) return;

    // Loading: place, states, the repeat box, the file's caption, the point
    // the opening grows from.
    placeWindow(nullptr);
    const ControlStates states = model_.states();
    applyStates(states);
    applyColours();
    SetWindowTextW(repeat_, win32::widen(formatRepeat(state_.music.bgmRepeat)).c_str());
    for (const std::string& item : repeatItems()) {
        SendMessageW(repeat_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::widen(item).c_str()));
    }
    fileLabel_.setText(win32::narrow(win32::widen(state_.music.bgmFile, CP_ACP)));
    POINT cursor{};
    state_.lastResult = GetCursorPos(&cursor);
    state_.animPoint = state_.lastResult != 0 ? AnimPoint{static_cast<int16_t>(cursor.x),
                                                          static_cast<int16_t>(cursor.y)}
                                              : AnimPoint{};
    animateOpen(window(), state_.animPoint);
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // IDC_ARROW
    SetTimer(window(), kBannerTimer, 100, nullptr);
    ShowWindow(window(), SW_SHOW);
    SetForegroundWindow(window());
    SetFocus(options_[focusRow()].window());

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
    std::wstring file(255, L'\0'), title(255, L'\0');
    const std::wstring filter =
        win32::widen(kFileFilterName) + L'\0' + win32::widen(kFileFilterPattern) + L'\0' + L'\0';
    const std::wstring folder = state_.music.bgmFolder.empty()
                                    ? programFolderWide()
                                    : win32::widen(state_.music.bgmFolder, CP_ACP);
    const std::wstring heading = win32::widen(kFileChooserTitle);
    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = window();
    chooser.hInstance = GetModuleHandleW(nullptr);
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = file.data();
    chooser.nMaxFile = 255;
    chooser.lpstrFileTitle = title.data();
    chooser.nMaxFileTitle = 255;
    chooser.lpstrInitialDir = folder.c_str();
    chooser.lpstrTitle = heading.c_str();
    state_.lastResult = GetOpenFileNameW(&chooser);
    if (state_.lastResult <= 0) return;
    const std::wstring chosen(file.c_str());
    Win32PathEncoding encoding;
    if (!model_.fileChosen(std::u16string(chosen.begin(), chosen.end()), encoding)) {
        // The settings file could only hold question marks for this name.
        MessageBoxW(window(), (win32::widen(kUnusableFileMessage) + L"\n\n" + chosen).c_str(),
                    win32::widen(names::kSettingsDialogCaption).c_str(), MB_OK | MB_ICONWARNING);
        return;
    }
    fileLabel_.setText(win32::narrow(win32::widen(state_.music.bgmFile, CP_ACP)));
}

void SettingsDialog::save() {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(repeat_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(repeat_, text.data(), static_cast<int>(text.size()))));
    model_.save(store_, win32::narrow(text));
    close();
}

void SettingsDialog::openHomePage() {
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
    ShellExecuteW(window(), L"open", win32::widen(kHomePage).c_str(), L"", L"", SW_SHOWNORMAL);
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
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
    animateClose(window(), state_.animPoint);
    DestroyWindow(window());
}

LRESULT SettingsDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const WORD code = HIWORD(wParam);
            if (code == kOptionChosen && id >= kOptionId && id <= kOptionId + 2) {
                applyStates(model_.chooseKind(static_cast<int16_t>(id - kOptionId)));
            } else if (code == kOptionPrevious || code == kOptionNext) {
                stepOption(id, code == kOptionNext ? 1 : -1);
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
            layout();
            placeWindow(reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            return WindowBase::handle(message, wParam, lParam);
    }
}

}  // namespace

void showSettingsDialogModal(FrontEndState& state, ProfileStore& store) {
    SettingsDialog dialog(state, store);
    dialog.showModal();
}

}  // namespace orvelle
