// The small windows the settings dialog is made of besides the two custom
// controls: text and marks drawn over whatever their parent shows (the
// frame's picture shows through them), the engraved title box and the music
// options. Each paints off screen and shows the result in one copy; the
// options take their behaviour from the portable dialog behaviour and only
// report to the dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/window_win32.h"
#include "settings/dialog_behaviour.h"

namespace orvelle {

// The notification code (HIWORD of WM_COMMAND) of an option's input:
// kOptionInput plus the OptionInput.
inline constexpr WORD kOptionInput = 0x0100;

// Text over the parent's picture; to a screen reader, static text. A text
// that is too long for its box on one line (a long path) is drawn with its
// middle left out.
class TransparentText final : public win32::WindowBase<TransparentText> {
public:
    static constexpr const char* kClassName = "Orvelle_Label";
    bool create(HWND parent, int id, const RECT& box, const std::string& text, HFONT font,
                UINT format);
    void setText(const std::string& text);
    void setFont(HFONT font);
    void setColour(COLORREF colour);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::wstring text_;
    HFONT font_ = nullptr;
    UINT format_ = 0;
    COLORREF colour_ = 0;
};

// The black and the white outline that engrave the title "BGM".
class TitleBox final : public win32::WindowBase<TitleBox> {
public:
    static constexpr const char* kClassName = "Orvelle_TitleBox";
    // box: the black outline's rectangle; the white one lies a pixel right
    // and below, the title centred in titleBox (relative to box).
    bool create(HWND parent, const RECT& box, const RECT& titleBox, HFONT font);
    void place(const RECT& box, const RECT& titleBox, HFONT font);
    void setColours(COLORREF dark, COLORREF light, COLORREF text);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    RECT outline_{};
    RECT title_{};
    HFONT font_ = nullptr;
    COLORREF dark_ = 0;
    COLORREF light_ = RGB(255, 255, 255);
    COLORREF text_ = 0;
};

// One music option: its mark (a picture) and its label, whose "&" marks an
// access key. It reports each OptionInput to the parent (kOptionInput) and
// lets the dialog decide; with the focus it shows the dotted rectangle
// around its label; to a screen reader it is a radio button.
class OptionRow final : public win32::WindowBase<OptionRow> {
public:
    static constexpr const char* kClassName = "Orvelle_Option";
    struct Layout {
        RECT box;    // the whole row, in the parent
        RECT mark;   // relative to the row
        RECT label;  // relative to the row
    };
    bool create(HWND parent, int id, const Layout& layout, const std::string& label, HFONT font,
                HBITMAP empty, HBITMAP chosen);
    void place(const Layout& layout, HFONT font);
    void setChosen(bool chosen);
    void setTextColour(COLORREF colour);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void report(OptionInput input);

    Layout layout_{};
    std::string label_;
    HFONT font_ = nullptr;
    HBITMAP emptyMark_ = nullptr;
    HBITMAP chosenMark_ = nullptr;
    bool chosen_ = false;
    COLORREF textColour_ = 0;
};

// Gives a combo box (the repeat box) the name of its label for screen readers.
void nameComboForScreenReaders(HWND combo, const std::wstring& name);

// Draws a bitmap at its own size, centred in box.
void drawCentred(HDC dc, HBITMAP bitmap, const RECT& box);

// The usual paint of a part: the content drawn off screen (over the
// parent's picture, or over black), then shown in one copy.
void paintBuffered(HWND window, bool overParent, const std::function<void(HDC, RECT)>& draw);

// What a screen reader is told of a part.
LRESULT describeAs(LPARAM description, LONG role, const std::wstring& name, LONG state = 0);

// The width of a text on one line in a font, in pixels ("&" marks taken
// as the platform draws them).
int textWidth(HWND window, HFONT font, const std::wstring& text);

}  // namespace orvelle
