// The settings dialog's own parts besides the frame and the push buttons,
// each as portable state and a painter onto a Canvas: text over whatever lies
// under it, the engraved title box, the music options and the banners; and
// the dialog's background. As with the push button, a part's core decides
// and asks its host to paint; the host draws the look with the part's
// painter and shows it. The painters of the transparent parts draw only
// their own pixels: the canvas already holds what lies under them.
#pragma once

#include <string>

#include "controls/canvas.h"
#include "settings/dialog_behaviour.h"
#include "settings/resources.h"

namespace orvelle {

inline constexpr Colour kDialogBack = rgb(224, 224, 224);
inline constexpr Colour kWhite = rgb(255, 255, 255);
// A disabled label, as the push button's disabled caption.
inline constexpr Colour kDisabledLabel = rgb(161, 161, 146);

// The dialog's text: black, or with the system's high-contrast setting on,
// the system's button text.
Colour textColour(bool highContrast);

// The whole background: the dialog's grey, or the system's button face.
void drawDialogBackground(Canvas& canvas, bool highContrast);

// Text in the canvas's box.
struct TextLook {
    std::string text;  // UTF-8
    TextFormat format = 0;
    bool highContrast = false;
    bool operator==(const TextLook&) const = default;
};
void drawTextPart(Canvas& canvas, const TextLook& look);

// The engraved box around the section's title: a black outline, a white one
// a pixel right of and below it and drawn over it, and the title centred at
// the top of its box. With high contrast both outlines take the text colour.
struct TitleBoxLook {
    CanvasRect outline;  // the black one
    CanvasRect title;
    std::string text;
    bool highContrast = false;
    bool operator==(const TitleBoxLook&) const = default;
};
void drawTitleBox(Canvas& canvas, const TitleBoxLook& look);

// The option marks: pictures of 12 x 12, empty (a white square with a grey
// border) and chosen (a blue square).
inline constexpr Picture kMarkEmpty{ORVELLE_MARK_EMPTY, 12, 12};
inline constexpr Picture kMarkChosen{ORVELLE_MARK_CHOSEN, 12, 12};

// A music option: its mark centred in the mark's box and its label from the
// top-left corner of the label's box ("&" marks its access key); with the
// focus, the dotted rectangle round the label's text and a pixel beyond it,
// within the label's box. A disabled option's label is grey.
struct OptionRowLook {
    std::string label;
    CanvasRect mark;
    CanvasRect text;
    bool chosen = false;
    bool focused = false;
    bool enabled = true;
    bool highContrast = false;
    bool operator==(const OptionRowLook&) const = default;
};
void drawOptionRow(Canvas& canvas, const OptionRowLook& look);

// What an option asks of its window.
class OptionRowHost {
public:
    virtual ~OptionRowHost() = default;
    // Draw the look again (the core has changed it).
    virtual void paint() = 0;
    // The user did this on the option: the dialog decides what follows.
    virtual void report(OptionInput input) = 0;
};

class OptionRowCore {
public:
    explicit OptionRowCore(OptionRowHost& host) : host_(host) {}
    const OptionRowLook& look() const { return look_; }

    // Each setter asks for a paint when the look changes.
    void setLabel(std::string_view label);
    void place(const CanvasRect& mark, const CanvasRect& text);
    void setChosen(bool chosen);
    void setFocused(bool focused);
    void setEnabled(bool enabled);
    void setHighContrast(bool on);

    // The inputs, reported while the option is enabled: any mouse button
    // down on the mark or the label (x, y relative to the option); Space,
    // the arrows; the access key; a screen reader's default action.
    void mouseDown(int x, int y);
    void keyDown(int key);
    void accessKey();
    void defaultAction();

private:
    template <typename T>
    void set(T& field, const T& value);
    void report(OptionInput input);

    OptionRowHost& host_;
    OptionRowLook look_;
};

// The banner frames: pictures of 120 x 50, frame 1 to kBannerFrames; any
// other number is no picture.
Picture bannerFrame(int frame);

// A banner: black, the frame it shows centred (none before its first
// turn); with the focus, the dotted rectangle a pixel inside its edge.
struct BannerLook {
    int frame = 0;
    bool focused = false;
    bool operator==(const BannerLook&) const = default;
};
void drawBanner(Canvas& canvas, const BannerLook& look);

// What a banner asks of its window.
class BannerHost {
public:
    virtual ~BannerHost() = default;
    virtual void paint() = 0;
    // Open the home page.
    virtual void open() = 0;
};

// A banner is a link: a press of the left button on it and a release over
// it open the home page, and so do Enter and Space when it has the focus and
// a screen reader's default action. A release elsewhere, or a lost capture,
// opens nothing.
class BannerCore {
public:
    explicit BannerCore(BannerHost& host) : host_(host) {}
    const BannerLook& look() const { return look_; }
    bool pressed() const { return pressed_; }

    void show(int frame);
    void setFocused(bool focused);

    void press() { pressed_ = true; }
    void release(bool over);
    void cancel() { pressed_ = false; }
    void keyDown(int key);
    void defaultAction() { host_.open(); }

private:
    BannerHost& host_;
    BannerLook look_;
    bool pressed_ = false;
};

}  // namespace orvelle
