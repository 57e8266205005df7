// The push button as a Windows child window of class "Zelkor.ccXPButton".
// It draws into a persistent DIB and only shows it on paint; its shape is
// the rounded window region of each drawing. A click reaches the parent as
// WM_COMMAND with BN_CLICKED and the control's id, a double click as
// BN_DOUBLECLICKED; the other events go to a ButtonListener. It watches its
// own mouse-leave and its top-level window's activation through the
// interception layer.
#pragma once

#include <windows.h>

#include <string>

#include "controls/button.h"
#include "controls/gdi_canvas_win32.h"
#include "controls/interception_win32.h"
#include "platform/window_win32.h"

namespace orvelle {

class ButtonListener {
public:
    virtual ~ButtonListener() = default;
    virtual void buttonMouseMove(int /*id*/, int16_t /*button*/, int16_t /*shift*/, float /*x*/,
                                 float /*y*/) {}
    virtual void buttonFormActivate(int /*id*/, int32_t /*state*/) {}
};

class ButtonWindow final : public win32::WindowBase<ButtonWindow>,
                           public ButtonHost,
                           public InterceptionOwner {
public:
    static constexpr const char* kClassName = "Zelkor.ccXPButton";

    ButtonWindow();
    ~ButtonWindow() override;

    // Creates the button with its caption (UTF-8) and font (not owned),
    // loads it and, enabled, draws it.
    bool create(HWND parent, int x, int y, int width, int height, int id,
                const std::string& caption, HFONT font);

    void setCaption(const std::string& caption);
    void setEnabled(bool enabled) { core_.setEnabled(enabled); }
    void setForeColour(Colour colour);
    void setFocusRect(bool focusRect);
    void setFont(HFONT font);
    void setHighContrast(bool on);
    // Moves the pointer to the button's centre.
    void snapMouseTo();

    const ButtonCore& core() const { return core_; }
    const DibImage& picture() const { return image_; }
    ButtonListener* listener = nullptr;

    // ButtonHost
    void paint(VisualState s) override;
    void trackMouseLeave() override;
    void moveFocus(bool backwards) override;
    void processPendingEvents() override;
    void setHostEnabled(bool enabled) override;
    bool displayAsDefault() override;
    void click() override;
    void doubleClick() override;
    void mouseMoved(int16_t button, int16_t shift, float x, float y) override;
    void formActivated(int32_t state) override;

    // InterceptionOwner
    void interceptedMessage(bool before, bool& handled, intptr_t& result,
                            WindowMessage& message) override;

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void notifyParent(WORD code);
    void sizeChanged(int width, int height);

    ButtonCore core_;
    ButtonLook look_;
    DibImage image_;
    WindowInterceptor interceptor_;
    HWND form_ = nullptr;
    UINT activationMessage_ = WM_ACTIVATE;
    bool correcting_ = false;
};

}  // namespace orvelle
