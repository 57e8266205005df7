#include "controls/button.h"

#include "platform/virtual_keys.h"

#include <array>
#include <cmath>

namespace orvelle {
namespace {

struct StateColours {
    Colour border;
    Colour faceTop;
    Colour faceBottom;  // the flat face of Disabled and Pressed
    Colour line1, line2, lineH3, lineH2;
    Colour cornerA, cornerB, cornerC;
};

// RGB(red, green, blue) per state, in the order of VisualState.
constexpr StateColours kColours[5] = {
    {rgb(201, 199, 186), 0, rgb(245, 244, 234), 0, 0, 0, 0, rgb(206, 199, 189), rgb(196, 177, 140),
     rgb(196, 177, 140)},
    {rgb(0, 60, 116), rgb(252, 252, 251), rgb(236, 235, 230), rgb(255, 255, 255),
     rgb(254, 254, 254), rgb(226, 223, 214), rgb(214, 208, 197), rgb(123, 150, 173),
     rgb(33, 85, 132), rgb(82, 125, 165)},
    {rgb(0, 60, 116), rgb(189, 211, 247), rgb(140, 174, 231), rgb(206, 231, 255),
     rgb(189, 215, 247), rgb(140, 174, 231), rgb(107, 130, 239), rgb(123, 150, 173),
     rgb(33, 85, 132), rgb(82, 125, 165)},
    {rgb(0, 60, 116), rgb(225, 223, 156), rgb(255, 182, 48), rgb(255, 243, 206), rgb(255, 219, 140),
     rgb(255, 178, 49), rgb(230, 150, 0), rgb(123, 150, 173), rgb(33, 85, 132), rgb(82, 125, 165)},
    {rgb(0, 60, 116), 0, rgb(231, 227, 222), 0, 0, 0, 0, rgb(123, 150, 173), rgb(33, 85, 132),
     rgb(82, 125, 165)},
};

constexpr Colour kInnerTop = rgb(252, 252, 251);
constexpr Colour kInnerBottom = rgb(236, 235, 230);
constexpr Colour kDisabledText = rgb(161, 161, 146);
// The caption: centred on one line, "&" marking the access key.
constexpr TextFormat kCaptionFormat = textFormat::kCentre | textFormat::kMiddle;

}  // namespace

void gradientFill(Canvas& canvas, const CanvasRect& rect, Colour top, Colour bottom) {
    const int n = rect.bottom - rect.top;
    if (n == 0) return;
    auto channels = [](Colour c) {
        return std::array<float, 3>{static_cast<float>(c & 255), static_cast<float>((c >> 8) & 255),
                                    static_cast<float>((c & 0xFF0000) / 65536)};
    };
    const auto t = channels(top), b = channels(bottom);
    float step[3];
    for (int k = 0; k < 3; ++k) step[k] = (t[k] - b[k]) / static_cast<float>(n);
    for (int i = 0; i <= n; ++i) {
        int v[3];
        for (int k = 0; k < 3; ++k) {
            v[k] = static_cast<int>(std::nearbyint(b[k] + static_cast<float>(i) * step[k]));
        }
        canvas.line(rect.left, rect.bottom - i, rect.right, rect.bottom - i, rgb(v[0], v[1], v[2]));
    }
}

namespace {

// With high contrast on, only the system's colours: the button face and
// text, outlined in the button text's colour, highlighted while hot or
// pressed, grey text when disabled.
void drawHighContrastButton(Canvas& canvas, VisualState s, const ButtonLook& look) {
    using namespace systemColours;
    constexpr Colour kFace = systemColour(kButtonFace), kText = systemColour(kButtonText),
                     kGrey = systemColour(kGrayText), kLit = systemColour(kHighlight),
                     kLitText = systemColour(kHighlightText);
    const int w = canvas.width(), h = canvas.height();
    const bool lit = s == VisualState::Hot || s == VisualState::Pressed;
    canvas.clear(kFace);
    canvas.fillRect({1, 1, w - 1, h - 1}, lit ? kLit : kFace);
    const Colour outline = s == VisualState::Disabled ? kGrey : kText;
    canvas.line(1, 0, w - 1, 0, outline);
    canvas.line(0, 1, 0, h - 1, outline);
    canvas.line(1, h - 1, w - 1, h - 1, outline);
    canvas.line(w - 1, 1, w - 1, h - 1, outline);
    const CanvasRect text{3, 3, w - 3, h - 3};
    canvas.drawText(look.caption, text,
                    s == VisualState::Disabled ? kGrey
                    : lit                      ? kLitText
                                               : kText,
                    kCaptionFormat);
    if (look.hasFocus && look.focusRect && s >= VisualState::Focused) canvas.drawFocusRect(text);
}

}  // namespace

void drawButton(Canvas& canvas, VisualState s, const ButtonLook& look) {
    if (look.highContrast) {
        drawHighContrastButton(canvas, s, look);
        return;
    }
    const StateColours& c = kColours[static_cast<int>(s)];
    const int w = canvas.width(), h = canvas.height();
    canvas.clear(systemColour(systemColours::kButtonFace));  // the control's background
    canvas.line(3, 0, w - 3, 0, c.border);
    canvas.line(0, 3, 0, h - 3, c.border);
    canvas.line(3, h - 1, w - 3, h - 1, c.border);
    canvas.line(w - 1, 3, w - 1, h - 3, c.border);
    if (s == VisualState::Disabled || s == VisualState::Pressed) {
        canvas.fillRect({1, 1, w - 1, h - 1}, c.faceBottom);
    } else {
        gradientFill(canvas, {1, 3, w - 1, h - 2}, c.faceTop, c.faceBottom);
        gradientFill(canvas, {3, 3, w - 3, h - 3}, kInnerTop, kInnerBottom);
        canvas.line(1, 1, w, 1, c.line1);
        canvas.line(1, 2, w, 2, c.line2);
        canvas.line(1, h - 3, w, h - 3, c.lineH3);
        canvas.line(2, h - 2, w - 1, h - 2, c.lineH2);
    }
    const struct {
        int x, y;
        Colour colour;
    } corners[] = {
        {0, 1, c.cornerA},         {0, 2, c.cornerB},         {1, 0, c.cornerA},
        {1, 1, c.cornerC},         {2, 0, c.cornerB},         {w - 1, 1, c.cornerA},
        {w - 1, 2, c.cornerB},     {w - 2, 0, c.cornerA},     {w - 2, 1, c.cornerC},
        {w - 3, 0, c.cornerB},     {0, h - 2, c.cornerA},     {0, h - 3, c.cornerB},
        {1, h - 1, c.cornerA},     {1, h - 2, c.cornerC},     {2, h - 1, c.cornerB},
        {w - 1, h - 2, c.cornerA}, {w - 1, h - 3, c.cornerB}, {w - 2, h - 1, c.cornerA},
        {w - 2, h - 2, c.cornerC}, {w - 3, h - 1, c.cornerB},
    };
    for (const auto& corner : corners) canvas.setPixelV(corner.x, corner.y, corner.colour);
    const CanvasRect text{3, 3, w - 3, h - 3};
    canvas.drawText(look.caption, text, look.enabled ? look.foreColour : kDisabledText,
                    kCaptionFormat);
    if (look.hasFocus && look.focusRect && s >= VisualState::Focused) canvas.drawFocusRect(text);
}

std::string captionForNewButton(const std::vector<std::string>& existing,
                                std::string_view ownName) {
    std::string list = "|";
    for (const std::string& caption : existing) list += caption + "|";
    for (const char* candidate : {"&OK", "&Cancel", "&Apply"}) {
        if (list.find(std::string("|") + candidate + "|") == std::string::npos) return candidate;
    }
    return std::string(ownName);
}

void ButtonCore::drawButton(VisualState s) {
    if (busy_) return;
    visualState_ = s;
    host_.paint(s);
}

void ButtonCore::mouseMove(int16_t button, int16_t shift, float x, float y) {
    isHot_ =
        x >= 0 && x <= static_cast<float>(width_) && y >= 0 && y <= static_cast<float>(height_);
    if (isHot_) host_.trackMouseLeave();
    if (!formIsActive_ || spaceIsDown_) return;
    if (isHot_ && isArmed_) {
        drawIfNot(VisualState::Pressed);
    } else if (isHot_) {
        drawIfNot(VisualState::Hot);
    } else if (hasFocus_) {
        drawIfNot(VisualState::Focused);
    } else {
        drawIfNot(VisualState::Normal);
    }
    host_.mouseMoved(button, shift, x, y);
}

void ButtonCore::mouseDown(int16_t button) {
    lastButton_ = button;
    if (button != kLeftButton) return;
    hasFocus_ = isArmed_ = mouseIsDown_ = true;
    drawIfNot(VisualState::Pressed);
}

void ButtonCore::mouseUp(int16_t button) {
    if (button != kLeftButton) return;
    if (formIsActive_) {
        if (isHot_) {
            drawIfNot(VisualState::Hot);
        } else if (hasFocus_) {
            drawButton(VisualState::Focused);
        }
        if (isHot_ && hasFocus_ && isArmed_) host_.click();
    }
    isArmed_ = mouseIsDown_ = false;
}

void ButtonCore::doubleClick() {
    if (lastButton_ != kLeftButton) return;
    drawButton(VisualState::Pressed);
    host_.doubleClick();
}

void ButtonCore::keyDown(int key) {
    switch (key) {
        case keys::kReturn:
            host_.click();
            break;
        case keys::kSpace:
            if (mouseIsDown_) break;
            spaceIsDown_ = isArmed_ = true;
            drawIfNot(VisualState::Pressed);
            break;
        case keys::kLeft:
        case keys::kUp:
            host_.moveFocus(true);
            break;
        case keys::kRight:
        case keys::kDown:
            host_.moveFocus(false);
            break;
        default:
            break;
    }
}

void ButtonCore::keyUp(int key) {
    if (key != keys::kSpace || mouseIsDown_) return;
    if (!isHot_) {
        drawButton(VisualState::Focused);
    } else {
        drawIfNot(VisualState::Hot);
    }
    if (isArmed_) host_.click();
    spaceIsDown_ = isArmed_ = false;
}

void ButtonCore::gotFocus() {
    hasFocus_ = true;
    if (isHot_) {
        if (visualState_ != VisualState::Hot && visualState_ != VisualState::Pressed) {
            drawButton(VisualState::Hot);
        }
    } else if (!isArmed_) {
        drawButton(VisualState::Focused);
    }
}

void ButtonCore::lostFocus() {
    hasFocus_ = isArmed_ = spaceIsDown_ = false;
    if (!enabled()) return;
    if (!formIsActive_) {
        drawIfNot(VisualState::Normal);
    } else if (isHot_) {
        drawIfNot(VisualState::Hot);
    } else if (isDefault_) {
        drawButton(VisualState::Focused);
    } else {
        drawIfNot(VisualState::Normal);
    }
}

void ButtonCore::accessKey() {
    if (!enabled()) return;
    if (spaceIsDown_) {
        // The key cancels the Space press, without a click.
        spaceIsDown_ = isArmed_ = false;
        if (isHot_) {
            drawIfNot(VisualState::Hot);
        } else {
            drawButton(VisualState::Focused);
        }
        return;
    }
    host_.processPendingEvents();
    host_.click();
}

void ButtonCore::ambientChanged(std::string_view name) {
    isDefault_ = host_.displayAsDefault();
    if (!enabled() || isHot_ || name != "DisplayAsDefault") return;
    if (isDefault_) {
        drawButton(VisualState::Focused);
    } else {
        drawIfNot(VisualState::Normal);
    }
}

void ButtonCore::mouseLeft() {
    isHot_ = false;
    if (spaceIsDown_ || visualState_ == VisualState::Disabled) return;
    if (!hasFocus_ && !isDefault_) {
        drawIfNot(VisualState::Normal);
    } else if (visualState_ == VisualState::Pressed) {
        drawButton(isArmed_ ? VisualState::Focused : VisualState::Normal);
    } else if (visualState_ != VisualState::Focused && formIsActive_) {
        drawButton(VisualState::Focused);
    }
}

void ButtonCore::formActivated(bool active) {
    if (active) {
        formIsActive_ = true;
        if (enabled()) {
            if (isHot_) {
                drawIfNot(VisualState::Hot);
            } else if (hasFocus_ || isDefault_) {
                drawButton(VisualState::Focused);
            }
        }
        host_.formActivated(1);
        return;
    }
    formIsActive_ = isArmed_ = mouseIsDown_ = spaceIsDown_ = false;
    if (enabled()) drawIfNot(VisualState::Normal);
    host_.formActivated(0);
}

void ButtonCore::setEnabled(bool value) {
    properties_.enabled = value;
    host_.setHostEnabled(value);
    busy_ = false;
    if (isHot_ && value) {
        drawButton(VisualState::Hot);
    } else if (isDefault_ && value) {
        drawButton(VisualState::Focused);
    } else {
        drawIfNot(value ? VisualState::Normal : VisualState::Disabled);
    }
    host_.propertyChanged("Enabled");
}

void ButtonCore::setCaption(std::string_view value) {
    properties_.caption = value;
    drawButton(visualState_);
    host_.propertyChanged("Caption");
}

void ButtonCore::setForeColour(Colour value) {
    properties_.foreColour = value;
    drawButton(visualState_);
    host_.propertyChanged("ForeColor");
}

void ButtonCore::setFont(const FontSpec& value) {
    properties_.font = value;
    host_.fontChanged(value);
    drawButton(visualState_);
    host_.propertyChanged("Font");
}

void ButtonCore::setFocusRect(bool value) {
    properties_.focusRect = value;
    if (hasFocus_) drawButton(visualState_);
    host_.propertyChanged("FocusRect");
}

void ButtonCore::loadProperties(PropertyStore& store) {
    const ButtonProperties fresh;
    setCaption(store.readText("Caption").value_or(fresh.caption));
    setForeColour(static_cast<Colour>(
        store.readInt32("ForeColor").value_or(static_cast<int32_t>(fresh.foreColour))));
    setFont(store.readFont("Font").value_or(properties_.font));
    setFocusRect(store.readBoolean("FocusRect").value_or(fresh.focusRect));
    setEnabled(store.readBoolean("Enabled").value_or(fresh.enabled));
}

void ButtonCore::saveProperties(PropertyStore& store) const {
    const ButtonProperties fresh;
    const ButtonProperties& p = properties_;
    if (p.caption != fresh.caption) store.writeText("Caption", p.caption);
    if (p.enabled != fresh.enabled) store.writeBoolean("Enabled", p.enabled);
    if (p.foreColour != fresh.foreColour) {
        store.writeInt32("ForeColor", static_cast<int32_t>(p.foreColour));
    }
    if (p.font != fresh.font) store.writeFont("Font", p.font);
    if (p.focusRect != fresh.focusRect) store.writeBoolean("FocusRect", p.focusRect);
}

}  // namespace orvelle
