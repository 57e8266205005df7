#include "settings/dialog_parts.h"

#include <algorithm>

#include "platform/virtual_keys.h"
#include "settings/settings_model.h"

namespace orvelle {
namespace {

int widthOf(const CanvasRect& r) {
    return r.right - r.left;
}
int heightOf(const CanvasRect& r) {
    return r.bottom - r.top;
}

// A picture centred in a box (rounded towards the top-left corner).
void drawCentred(Canvas& canvas, const Picture& picture, const CanvasRect& box) {
    canvas.drawPicture(picture, box.left + (widthOf(box) - picture.width) / 2,
                       box.top + (heightOf(box) - picture.height) / 2);
}

}  // namespace

Colour textColour(bool highContrast) {
    return highContrast ? systemColour(systemColours::kButtonText) : 0;
}

void drawDialogBackground(Canvas& canvas, bool highContrast) {
    canvas.clear(highContrast ? systemColour(systemColours::kButtonFace) : kDialogBack);
}

void drawTextPart(Canvas& canvas, const TextLook& look) {
    canvas.drawText(look.text, {0, 0, canvas.width(), canvas.height()},
                    textColour(look.highContrast), look.format);
}

void drawTitleBox(Canvas& canvas, const TitleBoxLook& look) {
    const Colour dark = textColour(look.highContrast);
    const CanvasRect& o = look.outline;
    canvas.setHollowBrush();
    canvas.setPen(dark);
    canvas.rectangle(o.left, o.top, o.right, o.bottom);
    canvas.setPen(look.highContrast ? dark : kWhite);
    canvas.rectangle(o.left + 1, o.top + 1, o.right + 1, o.bottom + 1);
    canvas.drawText(look.text, look.title, dark, textFormat::kCentre);
}

void drawOptionRow(Canvas& canvas, const OptionRowLook& look) {
    drawCentred(canvas, look.chosen ? kMarkChosen : kMarkEmpty, look.mark);
    const Colour grey = look.highContrast ? systemColour(systemColours::kGrayText) : kDisabledLabel;
    canvas.drawText(look.label, look.text, look.enabled ? textColour(look.highContrast) : grey, 0);
    if (!look.focused) return;
    // Round the label's text, not its whole box.
    const CanvasRect& box = look.text;
    const CanvasRect ring{box.left, box.top,
                          std::min(box.right, box.left + canvas.textWidth(look.label) + 1),
                          box.bottom};
    if (ring.left < ring.right && ring.top < ring.bottom) canvas.drawFocusRect(ring);
}

template <typename T>
void OptionRowCore::set(T& field, const T& value) {
    if (field == value) return;
    field = value;
    host_.paint();
}

void OptionRowCore::setLabel(std::string_view label) {
    set(look_.label, std::string(label));
}
void OptionRowCore::place(const CanvasRect& mark, const CanvasRect& text) {
    set(look_.mark, mark);
    set(look_.text, text);
}
void OptionRowCore::setChosen(bool chosen) {
    set(look_.chosen, chosen);
}
void OptionRowCore::setFocused(bool focused) {
    set(look_.focused, focused);
}
void OptionRowCore::setEnabled(bool enabled) {
    set(look_.enabled, enabled);
}
void OptionRowCore::setHighContrast(bool on) {
    set(look_.highContrast, on);
}

void OptionRowCore::report(OptionInput input) {
    if (look_.enabled) host_.report(input);
}

void OptionRowCore::mouseDown(int x, int y) {
    auto inside = [&](const CanvasRect& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    };
    if (inside(look_.mark) || inside(look_.text)) report(OptionInput::Press);
}

void OptionRowCore::keyDown(int key) {
    switch (key) {
        case keys::kSpace:
            report(OptionInput::Space);
            break;
        case keys::kUp:
        case keys::kLeft:
            report(OptionInput::Previous);
            break;
        case keys::kDown:
        case keys::kRight:
            report(OptionInput::Next);
            break;
        default:
            break;
    }
}

void OptionRowCore::accessKey() {
    report(OptionInput::AccessKey);
}

void OptionRowCore::defaultAction() {
    report(OptionInput::DefaultAction);
}

Picture bannerFrame(int frame) {
    if (frame < 1 || frame > kBannerFrames) return {};
    return {ORVELLE_BANNER + frame, 120, 50};
}

void drawBanner(Canvas& canvas, const BannerLook& look) {
    const CanvasRect all{0, 0, canvas.width(), canvas.height()};
    canvas.clear(0);
    const Picture picture = bannerFrame(look.frame);
    if (picture.id != 0) drawCentred(canvas, picture, all);
    if (look.focused) canvas.drawFocusRect({1, 1, all.right - 1, all.bottom - 1});
}

void BannerCore::show(int frame) {
    if (look_.frame == frame) return;
    look_.frame = frame;
    host_.paint();
}

void BannerCore::setFocused(bool focused) {
    if (look_.focused == focused) return;
    look_.focused = focused;
    host_.paint();
}

void BannerCore::release(bool over) {
    const bool opens = pressed_ && over;
    pressed_ = false;
    if (opens) host_.open();
}

void BannerCore::keyDown(int key) {
    if (key == keys::kReturn || key == keys::kSpace) host_.open();
}

}  // namespace orvelle
