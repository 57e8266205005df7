// The push button as a Windows child window of class "Zelkor.ccXPButton".
// It draws into a persistent DIB and only shows it on paint; its shape is
// the rounded window region of each drawing. A click reaches the parent as
// WM_COMMAND with BN_CLICKED and the control's id, a double click as
// BN_DOUBLECLICKED; so does BM_CLICK, the platform's own way of pressing a
// button (its dialog manager sends it for an access key). It watches its own
// mouse-leave and its top-level window's activation through the
// interception layer. Every setter may be called before the window exists.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls/button.h"
#include "controls/control_window_win32.h"
#include "controls/interception_win32.h"
#include "platform/win32_handles.h"

namespace orvelle {

class ButtonWindow final : public ControlWindow<ButtonWindow>,
                           public ButtonHost,
                           public InterceptionOwner {
public:
    static constexpr const char* kClassName = "Zelkor.ccXPButton";

    ButtonWindow();
    ~ButtonWindow() override;

    // Creates the button with its caption (UTF-8) and font, loads it and,
    // enabled, draws it.
    bool create(HWND parent, int x, int y, int width, int height, int id,
                const std::string& caption, const FontSpec& font);

    ButtonCore& core() { return core_; }
    const ButtonCore& core() const { return core_; }
    // The font again at the window's current DPI.
    void refreshFont() { fontChanged(core_.properties().font); }
    void setHighContrast(bool on);
    // Moves the pointer to the button's centre.
    void snapMouseTo();
    // Called with the name of every property a setter changes.
    std::function<void(const char*)> onPropertyChanged;

    // ButtonHost
    void paint(VisualState s) override;
    void propertyChanged(const char* name) override;
    void fontChanged(const FontSpec& font) override;
    void trackMouseLeave() override;
    void moveFocus(bool backwards) override;
    void processPendingEvents() override;
    void setHostEnabled(bool enabled) override;
    bool displayAsDefault() override;
    void click() override;
    void doubleClick() override;

    // InterceptionOwner
    void interceptedMessage(bool before, bool& handled, intptr_t& result,
                            WindowMessage& message) override;

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void focusChanged(bool gained) override;
    bool describe(AccessibleDescription& description) override;
    void defaultAction() override;
    std::string accessKeyText() const override { return core_.properties().caption; }
    void accessKeyPressed() override { core_.accessKey(); }

private:
    void sizeChanged(int width, int height);

    ButtonCore core_;
    bool highContrast_ = false;
    win32::UniqueFont font_;
    WindowInterceptor interceptor_;
    HWND form_ = nullptr;
    UINT activationMessage_ = WM_ACTIVATE;
    bool correcting_ = false;
};

}  // namespace orvelle
