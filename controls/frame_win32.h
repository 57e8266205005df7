// The frame control as a Windows child window of class "Zelkor.GFXFrameX".
// It draws into a persistent DIB of its own size and only shows that image
// when asked to paint. It is a container: child windows sit on it, relative
// to its top-left corner and above its drawing (it clips them), and it
// passes their notifications on to its own parent. A container announces a
// new background with kAmbientChanged (AmbientValue::BackColour); the frame
// redraws on every ambient change.
#pragma once

#include <windows.h>

#include <functional>

#include "controls/control_window_win32.h"
#include "controls/frame.h"

namespace orvelle {

class FrameWindow final : public ControlWindow<FrameWindow>, public FrameHost {
public:
    static constexpr const char* kClassName = "Zelkor.GFXFrameX";

    // A new instance: its defaults take the container's background.
    explicit FrameWindow(Colour ambientBackColour);

    // The window; the first size change draws it.
    bool create(HWND parent, int x, int y, int width, int height, int id);

    GFXFrameX& control() { return control_; }
    // Called with the name of every property a setter changes.
    std::function<void(const char*)> onPropertyChanged;

    void paint(const FrameProperties& properties) override;
    Colour ambientBackColour() override { return ambient_; }
    void propertyChanged(const char* name) override;

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Colour ambient_ = 0;
    GFXFrameX control_;
};

}  // namespace orvelle
