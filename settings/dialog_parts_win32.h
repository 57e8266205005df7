// The settings dialog's parts as Windows child windows: each holds its
// portable state, forwards the platform's messages to it and shows what the
// part's painter draws. Text, the title box and the options are drawn over
// what their parent shows under them (the frame's picture shows through
// them); the banners are opaque.
#pragma once

#include <windows.h>

#include <string>

#include "controls/control_window_win32.h"
#include "platform/picture_win32.h"
#include "settings/dialog_parts.h"

namespace orvelle {

// The notification code (HIWORD of WM_COMMAND) of an option's input:
// kOptionInput plus the OptionInput.
inline constexpr WORD kOptionInput = 0x0100;

// Text; to a screen reader, static text.
class TextWindow final : public PartWindow<TextWindow> {
public:
    static constexpr const char* kClassName = "Orvelle_Label";
    TextWindow() : PartWindow(true) {}
    bool create(HWND parent, int id, const std::string& text, TextFormat format);
    void setText(const std::string& text);
    void setFont(HFONT font);
    void setHighContrast(bool on);
    const TextLook& look() const { return look_; }

protected:
    void draw(Canvas& canvas) override { drawTextPart(canvas, look_); }
    bool describe(AccessibleDescription& description) override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void change(const TextLook& look);

    TextLook look_;
};

// The engraved box around the title "BGM".
class TitleBoxWindow final : public PartWindow<TitleBoxWindow> {
public:
    static constexpr const char* kClassName = "Orvelle_TitleBox";
    TitleBoxWindow() : PartWindow(true) {}
    bool create(HWND parent, const std::string& title);
    // outline: the black outline's rectangle in the parent; the white one
    // lies a pixel right and below; title relative to outline.
    void place(const RECT& outline, const RECT& title, HFONT font);
    void setHighContrast(bool on);

protected:
    void draw(Canvas& canvas) override { drawTitleBox(canvas, look_); }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TitleBoxLook look_;
};

// One music option. It reports each OptionInput to the parent
// (kOptionInput) and lets the dialog decide; to a screen reader it is a
// radio button.
class OptionRowWindow final : public PartWindow<OptionRowWindow>, public OptionRowHost {
public:
    static constexpr const char* kClassName = "Orvelle_Option";
    struct Layout {
        RECT box;    // the whole row, in the parent
        RECT mark;   // relative to the row
        RECT label;  // relative to the row
    };
    OptionRowWindow() : PartWindow(true), core_(*this) {}
    bool create(HWND parent, int id, const std::string& label, win32::PictureStore& pictures);
    void place(const Layout& layout, HFONT font);
    void setChosen(bool chosen);
    void setHighContrast(bool on) { core_.setHighContrast(on); }
    const OptionRowCore& core() const { return core_; }

    // OptionRowHost
    void paint() override { invalidate(); }
    void report(OptionInput input) override;

protected:
    void draw(Canvas& canvas) override { drawOptionRow(canvas, core_.look()); }
    void focusChanged(bool gained) override { core_.setFocused(gained); }
    bool describe(AccessibleDescription& description) override;
    void defaultAction() override { core_.defaultAction(); }
    std::string accessKeyText() const override { return core_.look().label; }
    void accessKeyPressed() override { core_.accessKey(); }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    OptionRowCore core_;
};

// A banner: a link to the home page (BN_CLICKED to the parent when it
// opens), with a pointing hand over it; to a screen reader, a link with a
// name and the address it opens.
class BannerWindow final : public PartWindow<BannerWindow>, public BannerHost {
public:
    static constexpr const char* kClassName = "Orvelle_Banner";
    BannerWindow() : PartWindow(false), core_(*this) {}
    bool create(HWND parent, int id, HCURSOR hand, const std::wstring& name,
                const std::wstring& address, win32::PictureStore& pictures);
    BannerCore& core() { return core_; }

    // BannerHost
    void paint() override { invalidate(); }
    void open() override;

protected:
    void draw(Canvas& canvas) override { drawBanner(canvas, core_.look()); }
    void focusChanged(bool gained) override { core_.setFocused(gained); }
    bool describe(AccessibleDescription& description) override;
    void defaultAction() override { core_.defaultAction(); }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    BannerCore core_;
    HCURSOR hand_ = nullptr;
    std::wstring name_;
    std::wstring address_;
};

// Gives a combo box (the repeat box) the name of its label for screen readers.
void nameComboForScreenReaders(HWND combo, const std::wstring& name);

}  // namespace orvelle
