// The small windows the settings dialog is made of besides the two custom
// controls: text and marks drawn over whatever their parent shows (the
// frame's picture shows through them), the engraved title box, and the
// banners. Each is a child window that paints its parent's background
// first (WM_PRINTCLIENT) and its own content on top.
#pragma once

#include <windows.h>

#include <string>

#include "controls/canvas.h"
#include "platform/window_win32.h"

namespace orvelle {

// Notification codes (HIWORD of WM_COMMAND) of the dialog's parts: an
// option chosen (mouse, Space or its access key), or the arrow keys asking
// for the previous or the next option.
inline constexpr WORD kOptionChosen = 0x0100;
inline constexpr WORD kOptionPrevious = 0x0101;
inline constexpr WORD kOptionNext = 0x0102;

// Text over the parent's picture; to a screen reader, static text.
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
// access key. A press of any mouse button on the mark or the label, Space,
// or Alt and the access key tell the parent (kOptionChosen); the arrow keys
// ask it for a neighbour. With the focus it shows the dotted rectangle
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
    bool chosen() const { return chosen_; }
    void setTextColour(COLORREF colour);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void notify(WORD code);

    Layout layout_{};
    std::wstring label_;
    HFONT font_ = nullptr;
    HBITMAP emptyMark_ = nullptr;
    HBITMAP chosenMark_ = nullptr;
    bool chosen_ = false;
    COLORREF textColour_ = 0;
};

// A banner: black, showing one picture centred, a pointing hand over it; a
// click, Enter or Space tells the parent (BN_CLICKED). To a screen reader, a
// link with a name and the address it opens.
class Banner final : public win32::WindowBase<Banner> {
public:
    static constexpr const char* kClassName = "Orvelle_Banner";
    bool create(HWND parent, int id, const RECT& box, HCURSOR hand, const std::wstring& name,
                const std::wstring& address);
    void show(HBITMAP picture);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void click();

    HBITMAP picture_ = nullptr;
    HCURSOR hand_ = nullptr;
    bool pressed_ = false;
    std::wstring name_;
    std::wstring address_;
};

// Gives a combo box (the repeat box) the name of its label for screen readers.
void nameComboForScreenReaders(HWND combo, const std::wstring& name);

// Paints what the parent shows under child into dc.
void paintParentBackground(HWND child, HDC dc);

// Draws a bitmap at its own size, centred in box.
void drawCentred(HDC dc, HBITMAP bitmap, const RECT& box);

}  // namespace orvelle
