#include "settings/dialog_controls_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "controls/control_messages_win32.h"
#include "platform/text_win32.h"
#include "settings/dialog_placement.h"
#include "settings/settings_model.h"

namespace orvelle {

using namespace dialog;

FontSpec dialogFont() {
    return {kFontFace, kFontPoints, FW_NORMAL, false, false, false, SHIFTJIS_CHARSET};
}

int DialogControls::scaled(int value) const {
    return dialog::scaled(value, static_cast<int>(dpi_));
}

RECT DialogControls::rectOf(const Box& b) const {
    return {scaled(b.x), scaled(b.y), scaled(b.x) + scaled(b.w), scaled(b.y) + scaled(b.h)};
}

RECT DialogControls::relative(const Box& b, const Box& to) const {
    return rectOf({b.x - to.x, b.y - to.y, b.w, b.h});
}

Box DialogControls::fitted(Box box, const char* text, int limit) const {
    // Wide enough for the text in the face the platform gives, and a pixel
    // for the focus rectangle on each side, as far as the limit allows.
    const int width = textWidthIn(font_.get(), text);
    const int needed = MulDiv(width + 2, 96, static_cast<int>(dpi_)) + 1;
    box.w = std::clamp(needed, box.w, std::max(box.w, limit - box.x));
    return box;
}

OptionRowWindow::Layout DialogControls::optionLayout(size_t row) const {
    const OptionPlace& place = kOptions[row];
    const Box label = fitted(place.label, place.text, kFrameTextLimit);
    const Box whole{place.mark.x, place.mark.y, label.x + label.w - place.mark.x, place.mark.h};
    return {rectOf(whole), relative(place.mark, whole), relative(label, whole)};
}

bool DialogControls::create(HWND dialog, UINT dpi, HCURSOR hand) {
    dialog_ = dialog;
    frame_ = std::make_unique<FrameWindow>(kDialogBack);
    if (!frame_->create(dialog, 0, 0, 0, 0, kFrameId)) return false;
    HWND frame = frame_->window();
    title_.create(frame, kTitleText);
    for (size_t row = 0; row < kOptions.size(); ++row) {
        options_[row].create(frame, kOptionId + static_cast<int>(kOptions[row].kind),
                             kOptions[row].text, pictures_);
    }
    repeat_ = CreateWindowExW(
        0, WC_COMBOBOXW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0, 0,
        0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRepeatId)),
        GetModuleHandleW(nullptr), nullptr);
    repeatLabel_.create(frame, kRepeatLabelId, kRepeatText, 0);
    file_.create(frame, 0, 0, 0, 0, kFileId, kFileButtonText, dialogFont());
    // A path: wrapped between words, "&" as it is.
    fileLabel_.create(frame, kFileLabelId, "", textFormat::kWrap | textFormat::kNoPrefix);
    set_.create(dialog, 0, 0, 0, 0, kSetId, kSetText, dialogFont());
    cancel_.create(dialog, 0, 0, 0, 0, kCancelId, kCancelText, dialogFont());
    for (int i = 0; i < 2; ++i) {
        banners_[i].create(dialog, kBannerId + i, hand, win32::widen(kBannerName),
                           win32::widen(kHomePage), pictures_);
    }
    credit_.create(dialog, kCreditId, kCreditText, textFormat::kNoPrefix);
    nameComboForScreenReaders(repeat_, win32::widen(kRepeatText));
    for (const std::string& item : repeatItems()) {
        SendMessageW(repeat_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::widen(item).c_str()));
    }
    // The options are one group; the repeat box starts the next.
    for (HWND w : {options_[0].window(), repeat_}) {
        SetWindowLongW(w, GWL_STYLE, GetWindowLongW(w, GWL_STYLE) | WS_GROUP);
    }
    layout(dpi);
    return true;
}

void DialogControls::layout(UINT dpi) {
    dpi_ = dpi;
    font_ = createFont(dialogFont(), dpi);
    auto move = [](HWND w, const RECT& r) {
        MoveWindow(w, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    };
    move(frame_->window(), rectOf(kFrame));
    title_.place(rectOf(kTitleOutline), relative(kTitle, kTitleOutline), font_.get());
    for (size_t row = 0; row < kOptions.size(); ++row)
        options_[row].place(optionLayout(row), font_.get());
    SendMessageW(repeat_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    move(repeat_, rectOf({kRepeat.x, kRepeat.y, kRepeat.w, kRepeatListHeight}));
    move(repeatLabel_.window(), rectOf(fitted(kRepeatLabel, kRepeatText, kFrameTextLimit)));
    move(file_.window(), rectOf(kFile));
    move(fileLabel_.window(), rectOf(kFileLabel));
    move(set_.window(), rectOf(kSet));
    move(cancel_.window(), rectOf(kCancel));
    for (int i = 0; i < 2; ++i) move(banners_[i].window(), rectOf(kBanners[i]));
    move(credit_.window(), rectOf(kCredit));
    for (ButtonWindow* b : {&set_, &cancel_, &file_}) b->refreshFont();
    for (TextWindow* t : {&repeatLabel_, &fileLabel_, &credit_}) t->setFont(font_.get());
}

DialogControl DialogControls::controlOf(HWND w) const {
    if (w == nullptr) return DialogControl::None;
    for (size_t row = 0; row < kOptions.size(); ++row) {
        if (options_[row].window() == w) return optionControl(kOptions[row].kind);
    }
    const std::pair<HWND, DialogControl> others[] = {
        {file_.window(), DialogControl::FileButton},
        {set_.window(), DialogControl::Set},
        {cancel_.window(), DialogControl::Cancel},
        {banners_[0].window(), DialogControl::LeftBanner},
        {banners_[1].window(), DialogControl::RightBanner},
    };
    for (const auto& [window, control] : others) {
        if (window == w) return control;
    }
    return w == repeat_ || IsChild(repeat_, w) ? DialogControl::Repeat : DialogControl::None;
}

HWND DialogControls::windowOf(DialogControl control) const {
    for (size_t row = 0; row < kOptions.size(); ++row) {
        if (optionKind(control) == kOptions[row].kind) return options_[row].window();
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
            return banners_[0].window();
        case DialogControl::RightBanner:
            return banners_[1].window();
        default:
            return nullptr;
    }
}

void DialogControls::applyStates(const ControlStates& states) {
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

void DialogControls::applyColours(bool highContrast) {
    // With the system's high-contrast setting on, everything takes the
    // system's colours; with it off, the dialog's own.
    announceAmbientChange(
        dialog_, AmbientValue::BackColour,
        static_cast<LPARAM>(highContrast ? systemColour(systemColours::kButtonFace) : kDialogBack));
    frame_->control().setBorderColour(textColour(highContrast));
    for (ButtonWindow* b : {&set_, &cancel_, &file_}) b->setHighContrast(highContrast);
    for (TextWindow* t : {&repeatLabel_, &fileLabel_, &credit_}) t->setHighContrast(highContrast);
    for (OptionRowWindow& option : options_) option.setHighContrast(highContrast);
    title_.setHighContrast(highContrast);
}

}  // namespace orvelle
