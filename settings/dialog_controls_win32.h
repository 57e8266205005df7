// The settings dialog's controls as one object: made on the dialog's window
// at the places of the layout table scaled to a DPI, showing the control
// states, and telling which control a window is.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "controls/button_win32.h"
#include "controls/frame_win32.h"
#include "platform/win32_handles.h"
#include "settings/banner_win32.h"
#include "settings/dialog_behaviour.h"
#include "settings/dialog_layout.h"
#include "settings/dialog_parts_win32.h"
#include "settings/settings_model.h"

namespace orvelle {

// The pictures stored with the program that the dialog shows.
struct DialogPictures {
    DialogPictures();
    win32::UniqueBitmap markEmpty, markChosen;
    std::array<win32::UniqueBitmap, kBannerFrames> banners;
    HCURSOR hand = nullptr;
    HICON icon = nullptr;
};

// "ＭＳ Ｐゴシック", 9.75 points, normal weight, Shift-JIS: labels and buttons.
FontSpec dialogFont();

class DialogControls {
public:
    DialogControls(const DialogPictures& pictures, COLORREF back)
        : pictures_(pictures), back_(back) {}

    bool create(HWND dialog, UINT dpi);
    // Every place, size and the font again at this DPI.
    void layout(UINT dpi);
    void applyStates(const ControlStates& states);
    void applyColours(bool highContrast);

    DialogControl controlOf(HWND window) const;
    HWND windowOf(DialogControl control) const;

    HWND repeat() const { return repeat_; }
    TransparentText& fileLabel() { return fileLabel_; }
    Banner& banner(int index) { return banners_[index]; }

private:
    int scaled(int value) const;
    RECT rectOf(const dialog::Box& b) const;
    RECT relative(const dialog::Box& b, const dialog::Box& to) const;
    dialog::Box fitted(dialog::Box box, const char* text, int limit) const;
    OptionRow::Layout optionLayout(size_t row) const;
    HFONT font() const { return font_.get(); }

    const DialogPictures& pictures_;
    COLORREF back_;
    HWND dialog_ = nullptr;
    UINT dpi_ = 96;
    win32::UniqueFont font_;
    std::unique_ptr<FrameWindow> frame_;
    ButtonWindow set_, cancel_, file_;
    HWND repeat_ = nullptr;
    TitleBox title_;
    std::array<OptionRow, dialog::kOptions.size()> options_;
    TransparentText repeatLabel_, fileLabel_, credit_;
    std::array<Banner, 2> banners_;
};

}  // namespace orvelle
