// ccXPButton: an owner-drawn push button with a three-dimensional gradient
// look in five visual states, its own state machine and its events. The
// state machine and the painter are here; a window binding forwards the
// platform's notifications and shows the picture.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/access_key.h"
#include "controls/canvas.h"
#include "controls/property_store.h"

namespace orvelle {

enum class VisualState : int32_t { Disabled = 0, Normal = 1, Focused = 2, Hot = 3, Pressed = 4 };

// Mouse buttons as the notifications give them.
inline constexpr int16_t kLeftButton = 1;
inline constexpr int16_t kRightButton = 2;

// What the painter needs besides the state.
struct ButtonLook {
    std::string caption;  // UTF-8; "&" marks the access key
    bool enabled = true;
    bool hasFocus = false;
    bool focusRect = true;
    Colour foreColour = 0;
    // The system's high-contrast setting: draw in the system's colours.
    bool highContrast = false;
};

// The whole button in state s on an image of its size: border, face,
// highlight lines, corner pixels, caption and, when focused in states 2 to
// 4, the focus rectangle. The window region is the binding's.
void drawButton(Canvas& canvas, VisualState s, const ButtonLook& look);

// Rows t to b of rect from the top colour to the bottom one, in
// single-precision steps rounded half to even; nothing when t equals b.
void gradientFill(Canvas& canvas, const CanvasRect& rect, Colour top, Colour bottom);

// The caption of a button newly placed on a window that already holds
// buttons with these captions: "&OK", "&Cancel", "&Apply", then ownName.
std::string captionForNewButton(const std::vector<std::string>& existing, std::string_view ownName);

// The button's design font: Verdana, 8.25 points, regular.
inline FontSpec buttonDesignFont() {
    return {"Verdana", 8.25f};
}

// The button's public properties, with the values of a new instance.
struct ButtonProperties {
    std::string caption = "&OK";
    bool enabled = true;
    Colour foreColour = 0;
    FontSpec font = buttonDesignFont();
    bool focusRect = true;
    bool operator==(const ButtonProperties&) const = default;
};

// What the state machine asks of its window.
class ButtonHost {
public:
    virtual ~ButtonHost() = default;
    // Draw the button in state s (the core has recorded it).
    virtual void paint(VisualState s) = 0;
    // The container saves the named property with its dialog.
    virtual void propertyChanged(const char* name) = 0;
    // The caption's font is now this one.
    virtual void fontChanged(const FontSpec& font) = 0;
    virtual void trackMouseLeave() = 0;
    // Move the focus to the next (or the previous) tab stop.
    virtual void moveFocus(bool backwards) = 0;
    virtual void processPendingEvents() = 0;
    virtual void setHostEnabled(bool enabled) = 0;
    // The container's display-as-default value.
    virtual bool displayAsDefault() = 0;
    virtual void click() = 0;
    virtual void doubleClick() = 0;
    // The events a container may listen to; by default none does.
    virtual void mouseMoved(int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}
    virtual void formActivated(int32_t /*state*/) {}
};

class ButtonCore {
public:
    // Drawing stays suspended until Enabled is first set or loading ends.
    explicit ButtonCore(ButtonHost& host) : host_(host) {}

    VisualState visualState() const { return visualState_; }
    const ButtonProperties& properties() const { return properties_; }
    bool enabled() const { return properties_.enabled; }
    bool hasFocus() const { return hasFocus_; }
    bool busy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }
    // The drawing area's size, for the pointer's hit test.
    void setSize(int width, int height) {
        width_ = width;
        height_ = height;
    }

    // Draws in state s unless drawing is suspended.
    void drawButton(VisualState s);
    void drawIfNot(VisualState s) {
        if (visualState_ != s) drawButton(s);
    }

    void mouseMove(int16_t button, int16_t shift, float x, float y);
    void mouseDown(int16_t button);
    void mouseUp(int16_t button);
    void doubleClick();
    void keyDown(int key);
    void keyUp(int key);
    void gotFocus();
    void lostFocus();
    void accessKey();
    void ambientChanged(std::string_view name);
    void mouseLeft();
    void formActivated(bool active);
    // The setters store the value, redraw in the current state (FocusRect
    // only while focused) and tell the container. Enabled also ends the
    // suspension of drawing of a new button.
    void setEnabled(bool value);
    void setCaption(std::string_view value);
    void setForeColour(Colour value);
    void setFont(const FontSpec& value);
    void setFocusRect(bool value);

    // The persisted form: loading reads Caption, ForeColor, Font, FocusRect
    // and Enabled, in that order, through the setters and without limits (a
    // missing key gives the default; a missing font keeps the current one);
    // saving writes only the values that differ from a new instance's.
    void loadProperties(PropertyStore& store);
    void saveProperties(PropertyStore& store) const;
    // The parent form is the active window when the button starts.
    void setFormActive(bool active) { formIsActive_ = active; }

private:
    ButtonHost& host_;
    VisualState visualState_ = VisualState::Disabled;
    ButtonProperties properties_;
    bool busy_ = true;
    bool isArmed_ = false;
    bool hasFocus_ = false;
    bool isHot_ = false;
    bool formIsActive_ = false;
    bool spaceIsDown_ = false;
    bool mouseIsDown_ = false;
    bool isDefault_ = false;
    int16_t lastButton_ = 0;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace orvelle
