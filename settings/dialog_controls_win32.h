// The settings dialog's controls as one object: made on the dialog's window
// at the places of the layout table scaled to a DPI, showing the control
// states, and telling which control a window is.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "controls/button_win32.h"
#include "controls/frame_win32.h"
#include "platform/picture_win32.h"
#include "platform/win32_handles.h"
#include "settings/dialog_behaviour.h"
#include "settings/dialog_layout.h"
#include "settings/dialog_parts_win32.h"

namespace orvelle {

// The layout's face and size, normal weight, Shift-JIS: labels and buttons.
FontSpec dialogFont();

class DialogControls {
public:
    // pictures: the marks' and the banners' (kept by the dialog).
    explicit DialogControls(win32::PictureStore& pictures) : pictures_(pictures) {}

    bool create(HWND dialog, UINT dpi, HCURSOR hand);
    // Every place, size and the font again at this DPI.
    void layout(UINT dpi);
    void applyStates(const ControlStates& states);
    void applyColours(bool highContrast);

    DialogControl controlOf(HWND window) const;
    HWND windowOf(DialogControl control) const;

    HWND repeat() const { return repeat_; }
    TextWindow& fileLabel() { return fileLabel_; }
    BannerWindow& banner(int index) { return banners_[index]; }

private:
    int scaled(int value) const;
    RECT rectOf(const dialog::Box& b) const;
    RECT relative(const dialog::Box& b, const dialog::Box& to) const;
    dialog::Box fitted(dialog::Box box, const char* text, int limit) const;
    OptionRowWindow::Layout optionLayout(size_t row) const;

    win32::PictureStore& pictures_;
    HWND dialog_ = nullptr;
    UINT dpi_ = 96;
    win32::UniqueFont font_;
    std::unique_ptr<FrameWindow> frame_;
    ButtonWindow set_, cancel_, file_;
    HWND repeat_ = nullptr;
    TitleBoxWindow title_;
    std::array<OptionRowWindow, dialog::kOptions.size()> options_;
    TextWindow repeatLabel_, fileLabel_, credit_;
    std::array<BannerWindow, 2> banners_;
};

}  // namespace orvelle
