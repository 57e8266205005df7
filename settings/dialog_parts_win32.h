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

// Notification codes (HIWORD of WM_COMMAND) of the dialog's parts.
inline constexpr WORD kOptionChosen = 0x0100;

// Text over the parent's picture.
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

// One music option: its mark (a picture) and its label. A press of any
// mouse button on the mark or the label tells the parent (kOptionChosen).
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
    Layout layout_{};
    std::wstring label_;
    HFONT font_ = nullptr;
    HBITMAP emptyMark_ = nullptr;
    HBITMAP chosenMark_ = nullptr;
    bool chosen_ = false;
    COLORREF textColour_ = 0;
    bool pressed_ = false;
};

// A banner: black, showing one picture centred, a pointing hand over it; a
// click tells the parent (BN_CLICKED).
class Banner final : public win32::WindowBase<Banner> {
public:
    static constexpr const char* kClassName = "Orvelle_Banner";
    bool create(HWND parent, int id, const RECT& box, HCURSOR hand);
    void show(HBITMAP picture);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HBITMAP picture_ = nullptr;
    HCURSOR hand_ = nullptr;
    bool pressed_ = false;
};

// Paints what the parent shows under child into dc.
void paintParentBackground(HWND child, HDC dc);

// Draws a bitmap at its own size, centred in box.
void drawCentred(HDC dc, HBITMAP bitmap, const RECT& box);

}  // namespace orvelle
