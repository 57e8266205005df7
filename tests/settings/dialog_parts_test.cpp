// The settings dialog's parts on the software canvas, pixel for pixel, with
// every expectation worked from the dialog's colours and sizes: its
// background, text, the engraved title box, the options and the banners in
// their looks; and what the options and the banners do with a user's input.
#include "settings/dialog_parts.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/virtual_keys.h"
#include "tests/support/joined.h"
#include "tests/support/software_canvas.h"

namespace orvelle {
namespace {

using testing::SoftwareCanvas;

// System colour i drawn as (i, i, 100): 13 highlight, 15 button face, 17
// grey text, 18 button text.
Colour systemAsRgb(int index) {
    return rgb(index, index, 100);
}
constexpr Colour kUnder = rgb(10, 200, 30);  // what lies under a transparent part
constexpr Colour kBlack = 0, kSystemText = rgb(18, 18, 100), kSystemGrey = rgb(17, 17, 100);

SoftwareCanvas canvasOver(int w, int h) {
    SoftwareCanvas c(w, h, systemAsRgb);
    c.clear(kUnder);
    return c;
}

// The rows whose pixels differ from expected(x, y), as "row y: x, x, ...",
// so a failure says where.
std::string wrongPixels(SoftwareCanvas& c, const std::function<Colour(int, int)>& expected) {
    std::ostringstream out;
    for (int y = 0; y < c.height(); ++y) {
        std::string xs;
        for (int x = 0; x < c.width(); ++x)
            if (c.getPixel(x, y) != expected(x, y)) xs += " " + std::to_string(x);
        if (!xs.empty()) out << "row " << y << ":" << xs << "; ";
    }
    return out.str();
}

bool on(int x, int y, const CanvasRect& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
// On the one-pixel outline of r.
bool onOutline(int x, int y, const CanvasRect& r) {
    return on(x, y, r) && (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
}
// The dotted focus rectangle: every other pixel of its outline inverted.
Colour focusDotted(int x, int y, const CanvasRect& r, Colour under) {
    return onOutline(x, y, r) && (x + y) % 2 == 0 ? under ^ 0xFFFFFF : under;
}

TEST(DialogParts, BackgroundAndTextTakeTheDialogsOrTheSystemsColours) {
    for (bool contrast : {false, true}) {
        SoftwareCanvas c(30, 20, systemAsRgb);
        drawDialogBackground(c, contrast);
        const Colour back = contrast ? rgb(15, 15, 100) : rgb(224, 224, 224);
        EXPECT_EQ(wrongPixels(c, [&](int, int) { return back; }), "") << contrast;
    }
    // Text draws nothing but its text, in the whole box, as formatted.
    const struct {
        TextLook look;
        Colour colour;
    } texts[] = {
        {{"曲目をﾘﾋﾟｰﾄ", 0, false}, kBlack},
        {{"C:\\a&b.mp3", textFormat::kWrap | textFormat::kNoPrefix, false}, kBlack},
        {{"Orvelle", textFormat::kNoPrefix, true}, kSystemText},
    };
    for (const auto& [look, colour] : texts) {
        SoftwareCanvas c = canvasOver(397, 33);
        drawTextPart(c, look);
        EXPECT_EQ(wrongPixels(c, [](int, int) { return kUnder; }), "") << look.text;
        EXPECT_EQ(
            c.texts,
            (std::vector<SoftwareCanvas::Text>{{look.text, {0, 0, 397, 33}, colour, look.format}}));
    }
}

TEST(DialogParts, TheTitleBoxIsEngravedBlackUnderWhite) {
    // The title box at 96 DPI: a black outline of 113 x 21, a white one a
    // pixel right and below, drawn over it; the part is a pixel larger.
    for (bool contrast : {false, true}) {
        SoftwareCanvas c = canvasOver(114, 22);
        const CanvasRect black{0, 0, 113, 21}, white{1, 1, 114, 22}, title{0, 4, 111, 17};
        drawTitleBox(c, {black, title, "BGM", contrast});
        const Colour dark = contrast ? kSystemText : kBlack,
                     light = contrast ? kSystemText : rgb(255, 255, 255);
        EXPECT_EQ(wrongPixels(c,
                              [&](int x, int y) {
                                  return onOutline(x, y, white)   ? light
                                         : onOutline(x, y, black) ? dark
                                                                  : kUnder;
                              }),
                  "")
            << contrast;
        EXPECT_EQ(c.texts,
                  (std::vector<SoftwareCanvas::Text>{{"BGM", title, dark, textFormat::kCentre}}));
    }
}

TEST(DialogParts, AnOptionsLooks) {
    // An option at 96 DPI: the 13 x 13 mark's box at the left, the label's
    // box 16 pixels in; 12 x 12 marks sit at the box's top-left pixel (the
    // spare pixel goes right and below). The software canvas measures a
    // character as 7 pixels.
    const CanvasRect mark{0, 0, 13, 13}, label{16, 0, 59, 13};
    const int cw = SoftwareCanvas::kCharWidth;
    const struct {
        const char* name;
        OptionRowLook look;
        Picture shown;
        Colour text;
        CanvasRect ring;  // the focus rectangle; empty: none
    } cases[] = {
        {"normal", {"音楽&CD", mark, label}, kMarkEmpty, kBlack, {}},
        {"chosen", {"音楽&CD", mark, label, true}, kMarkChosen, kBlack, {}},
        // Round the four characters as they read and a pixel beyond.
        {"focused",
         {"音楽&CD", mark, label, true, true},
         kMarkChosen,
         kBlack,
         {16, 0, 16 + 4 * cw + 1, 13}},
        // A label wider than its box: the rectangle stops at the box.
        {"focused, long",
         {"なし(&N)なし(&N)", mark, label, false, true},
         kMarkEmpty,
         kBlack,
         label},
        {"disabled",
         {"なし(&N)", mark, label, false, false, false},
         kMarkEmpty,
         rgb(161, 161, 146),
         {}},
        {"high contrast",
         {"なし(&N)", mark, label, true, false, true, true},
         kMarkChosen,
         kSystemText,
         {}},
        {"high contrast, disabled",
         {"なし(&N)", mark, label, false, false, false, true},
         kMarkEmpty,
         kSystemGrey,
         {}},
    };
    for (const auto& [name, look, shown, text, ring] : cases) {
        SoftwareCanvas c = canvasOver(59, 13);
        drawOptionRow(c, look);
        const Colour picture = SoftwareCanvas::pictureColour(shown.id);
        EXPECT_EQ(
            wrongPixels(
                c,
                [&](int x, int y) {
                    return focusDotted(x, y, ring, on(x, y, {0, 0, 12, 12}) ? picture : kUnder);
                }),
            "")
            << name;
        EXPECT_EQ(c.texts, (std::vector<SoftwareCanvas::Text>{{look.label, label, text, 0}}))
            << name;
    }
}

TEST(DialogParts, ABannersLooks) {
    // 123 x 52, black; a frame is 120 x 50, centred: from (1, 1).
    const CanvasRect picture{1, 1, 121, 51}, ring{1, 1, 122, 51};
    const struct {
        BannerLook look;
        int resource;  // 0: no picture
    } cases[] = {
        {{0, false}, 0},
        {{1, false}, ORVELLE_BANNER + 1},
        {{kBannerFrames, true}, ORVELLE_BANNER + kBannerFrames},
        {{kBannerFrames + 1, false}, 0},
        {{-1, true}, 0},
    };
    for (const auto& [look, resource] : cases) {
        SoftwareCanvas c = canvasOver(123, 52);
        drawBanner(c, look);
        const CanvasRect focus = look.focused ? ring : CanvasRect{};
        EXPECT_EQ(wrongPixels(c,
                              [&](int x, int y) {
                                  const bool shown = resource != 0 && on(x, y, picture);
                                  return focusDotted(
                                      x, y, focus,
                                      shown ? SoftwareCanvas::pictureColour(resource) : kBlack);
                              }),
                  "")
            << look.frame << " " << look.focused;
    }
}

// Hosts that log what a part asks of them.
class Log final : public OptionRowHost, public BannerHost {
public:
    std::vector<std::string> lines;
    void paint() override { lines.push_back("paint"); }
    void report(OptionInput input) override {
        lines.push_back("report " + std::to_string(static_cast<int>(input)));
    }
    void open() override { lines.push_back("open"); }
};

TEST(DialogParts, WhatAnOptionReports) {
    // Reports: 0 press, 1 Space, 2 access key, 3 previous, 4 next, 5 default
    // action. The row of the table above: mark 0-12, label 16-58.
    const std::pair<const char*, const char*> cases[] = {
        {"mark label gap below beyond", "report 0, report 0"},
        {"space up left down right enter escape",
         "report 1, report 3, report 3, report 4, report 4"},
        {"access action", "report 2, report 5"},
        {"disable mark space access action enable mark", "paint, paint, report 0"},
        {"chosen chosen focus focus blur", "paint, paint, paint"},
    };
    for (const auto& [steps, heard] : cases) {
        Log log;
        OptionRowCore row(log);
        row.place({0, 0, 13, 13}, {16, 0, 59, 13});
        log.lines.clear();
        const std::vector<std::pair<std::string, std::function<void()>>> actions = {
            {"mark", [&] { row.mouseDown(12, 12); }},
            {"label", [&] { row.mouseDown(16, 0); }},
            {"gap", [&] { row.mouseDown(14, 5); }},
            {"below", [&] { row.mouseDown(20, 13); }},
            {"beyond", [&] { row.mouseDown(59, 5); }},
            {"space", [&] { row.keyDown(keys::kSpace); }},
            {"up", [&] { row.keyDown(keys::kUp); }},
            {"left", [&] { row.keyDown(keys::kLeft); }},
            {"down", [&] { row.keyDown(keys::kDown); }},
            {"right", [&] { row.keyDown(keys::kRight); }},
            {"enter", [&] { row.keyDown(keys::kReturn); }},
            {"escape", [&] { row.keyDown(keys::kEscape); }},
            {"access", [&] { row.accessKey(); }},
            {"action", [&] { row.defaultAction(); }},
            {"disable", [&] { row.setEnabled(false); }},
            {"enable", [&] { row.setEnabled(true); }},
            {"chosen", [&] { row.setChosen(true); }},
            {"focus", [&] { row.setFocused(true); }},
            {"blur", [&] { row.setFocused(false); }},
        };
        std::istringstream in(steps);
        for (std::string step; in >> step;) {
            for (const auto& [name, act] : actions)
                if (name == step) act();
        }
        EXPECT_EQ(testing::joined(log.lines), heard) << steps;
    }
}

TEST(DialogParts, ABannerOpensOnARealClickOrItsKeys) {
    // p press, c capture lost, r / o release over the banner or beside it,
    // e Enter, s Space, x Escape, a a screen reader's action, 3 and 3 again
    // show frame 3 (one paint), f focus.
    const std::pair<const char*, const char*> cases[] = {
        {"pr", "open"},        {"po", ""},      {"r", ""},
        {"pcr", ""},           {"ppr", "open"}, {"prr", "open"},
        {"esx", "open, open"}, {"a", "open"},   {"33f", "paint, paint"},
    };
    for (const auto& [steps, heard] : cases) {
        Log log;
        BannerCore banner(log);
        for (const char* s = steps; *s; ++s) {
            switch (*s) {
                case 'p':
                    banner.press();
                    break;
                case 'c':
                    banner.cancel();
                    break;
                case 'r':
                    banner.release(true);
                    break;
                case 'o':
                    banner.release(false);
                    break;
                case 'e':
                    banner.keyDown(keys::kReturn);
                    break;
                case 's':
                    banner.keyDown(keys::kSpace);
                    break;
                case 'x':
                    banner.keyDown(keys::kEscape);
                    break;
                case 'a':
                    banner.defaultAction();
                    break;
                case '3':
                    banner.show(3);
                    break;
                default:
                    banner.setFocused(true);
                    break;
            }
        }
        EXPECT_EQ(testing::joined(log.lines), heard) << steps;
        EXPECT_FALSE(banner.pressed()) << steps;
    }
}

}  // namespace
}  // namespace orvelle
