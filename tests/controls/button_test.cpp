// The push button: what a user does, as scenarios over the state machine,
// and the five looks against their colour table; and the interception
// records and dispatch rule through which it watches its windows.
#include "controls/button.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "controls/interception.h"
#include "platform/virtual_keys.h"
#include "tests/support/button_host.h"
#include "tests/support/joined.h"
#include "tests/support/map_store.h"
#include "tests/support/software_canvas.h"

namespace orvelle {
namespace {

using testing::SoftwareCanvas;

using TestButtonHost = testing::RecordingButtonHost;

// Runs a scenario of space-separated steps on a fresh, enabled, active
// button ("new" first: one whose Enabled is not yet set) and returns what the
// host heard after the start. "default": the container makes it its default
// button; "ambient": the container says so again.
std::string scenario(const std::string& steps) {
    TestButtonHost host;
    ButtonCore core(host);
    core.setSize(100, 30);
    core.setFormActive(true);
    if (steps.rfind("new ", 0) != 0) core.setEnabled(true);
    host.log.clear();
    // clang-format off
    const std::map<std::string, std::function<void()>> actions = {
        {"in", [&] { core.mouseMove(0, 0, 50, 15); }},  {"out", [&] { core.mouseMove(0, 0, -5, 15); }},
        {"edge", [&] { core.mouseMove(0, 0, 0, 15); }}, {"down", [&] { core.mouseDown(kLeftButton); }},
        {"up", [&] { core.mouseUp(kLeftButton); }},     {"rdown", [&] { core.mouseDown(kRightButton); }},
        {"rup", [&] { core.mouseUp(kRightButton); }},   {"dbl", [&] { core.doubleClick(); }},
        {"enter", [&] { core.keyDown(keys::kReturn); }},    {"space", [&] { core.keyDown(keys::kSpace); }},
        {"spaceup", [&] { core.keyUp(keys::kSpace); }},    {"left", [&] { core.keyDown(keys::kLeft); }},
        {"down-arrow", [&] { core.keyDown(keys::kDown); }},      {"access", [&] { core.accessKey(); }},
        {"focus", [&] { core.gotFocus(); }},            {"blur", [&] { core.lostFocus(); }},
        {"leave", [&] { core.mouseLeft(); }},           {"deactivate", [&] { core.formActivated(false); }},
        {"activate", [&] { core.formActivated(true); }}, {"disable", [&] { core.setEnabled(false); }},
        {"new", [] {}},                                  {"enable", [&] { core.setEnabled(true); }},
        {"ambient", [&] { core.ambientChanged("DisplayAsDefault"); }},
        {"default", [&] { host.isDefault = true; core.ambientChanged("DisplayAsDefault"); }},
        {"backcolor", [&] { core.ambientChanged("BackColor"); }},
    };
    // clang-format on
    std::istringstream in(steps);
    for (std::string step; in >> step;) actions.at(step)();
    return testing::joined(host.log);
}

TEST(ButtonStateMachine, WhatAUserDoes) {
    // States: 0 Disabled, 1 Normal, 2 Focused, 3 Hot, 4 Pressed. Each group
    // reaches one reaction through the combinations of hot, armed, Space
    // held, focused, default and an inactive form that change its outcome;
    // a case that begins another is left to the longer one.
    const std::pair<const char*, const char*> cases[] = {
        // Presses and releases.
        {"in down out in out up",
         "draw 3, MouseMove, draw 4, draw 2, MouseMove, draw 4, MouseMove, "
         "draw 2, MouseMove, draw 2"},
        {"in down blur up", "draw 3, MouseMove, draw 4, draw 3"},
        {"in down deactivate up", "draw 3, MouseMove, draw 4, draw 1, FormActivate 0"},
        {"in down deactivate activate up",
         "draw 3, MouseMove, draw 4, draw 1, FormActivate 0, draw 3, FormActivate 1"},
        {"in down up dbl up", "draw 3, MouseMove, draw 4, draw 3, Click, draw 4, DblClick, draw 3"},
        {"in rdown rup dbl rup", "draw 3, MouseMove"},
        {"edge", "draw 3, MouseMove"},
        {"deactivate in out", "FormActivate 0"},
        // Keys: Enter, Space held and released, Space with the mouse held.
        {"focus enter", "draw 2, Click"},
        {"focus space space spaceup", "draw 2, draw 4, draw 2, Click"},
        {"in down space spaceup up", "draw 3, MouseMove, draw 4, draw 3, Click"},
        {"focus space in", "draw 2, draw 4"},
        {"in down space out", "draw 3, MouseMove, draw 4, draw 2, MouseMove"},
        {"focus space blur spaceup", "draw 2, draw 4, draw 1, draw 2"},
        {"focus space deactivate spaceup", "draw 2, draw 4, draw 1, FormActivate 0, draw 2"},
        {"focus left down-arrow", "draw 2, previous, next"},
        // The access key (and the platform's press, which is the same):
        // a click, or the end of a Space press without one; a disabled
        // button hears neither it, the pointer leaving nor the default.
        {"access", "Click"},
        {"focus space access spaceup", "draw 2, draw 4, draw 2, draw 2"},
        {"in focus space access", "draw 3, MouseMove, draw 4, draw 3"},
        {"disable access leave default", "draw 0, Enabled changed"},
        // The focus gained: never over Hot or Pressed, never while armed.
        {"in down focus", "draw 3, MouseMove, draw 4"},
        {"in down out focus", "draw 3, MouseMove, draw 4, draw 2, MouseMove"},
        // The focus lost.
        {"focus blur", "draw 2, draw 1"},
        {"focus in blur", "draw 2, draw 3, MouseMove"},
        {"focus deactivate blur", "draw 2, draw 1, FormActivate 0"},
        {"default focus blur", "draw 2, draw 2, draw 2"},
        // The pointer leaving.
        {"in leave", "draw 3, MouseMove, draw 1"},
        {"focus space leave", "draw 2, draw 4"},
        {"focus in leave", "draw 2, draw 3, MouseMove, draw 2"},
        {"focus in deactivate leave", "draw 2, draw 3, MouseMove, draw 1, FormActivate 0"},
        {"in down leave", "draw 3, MouseMove, draw 4, draw 2"},
        {"in down up dbl leave",
         "draw 3, MouseMove, draw 4, draw 3, Click, draw 4, DblClick, draw 1"},
        {"default in leave backcolor", "draw 2, draw 3, MouseMove, draw 2"},
        // The form's activation.
        {"in deactivate activate",
         "draw 3, MouseMove, draw 1, FormActivate 0, draw 3, FormActivate 1"},
        {"deactivate activate", "FormActivate 0, FormActivate 1"},
        // The container's default button: Focused, but not while hot.
        {"default blur", "draw 2, draw 2"},
        {"in default", "draw 3, MouseMove"},
        {"focus ambient", "draw 2, draw 1"},
        // Enabled: drawing waits for it; hot wins over the default.
        {"new down enable", "draw 1, Enabled changed"},
        {"in disable enable",
         "draw 3, MouseMove, draw 0, Enabled changed, draw 3, Enabled changed"},
    };
    for (const auto& [steps, heard] : cases) EXPECT_EQ(scenario(steps), heard) << steps;
}

TEST(Button, PersistedFormRoundTripAndDefaults) {
    TestButtonHost host;
    ButtonCore button(host);
    testing::MapStore fresh;
    button.saveProperties(fresh);
    EXPECT_TRUE(fresh.writes.empty()) << "a new button's values are its defaults";

    // Loading: each key through its setter in its order, as stored (no
    // limits), a missing font keeping the current one.
    const FontSpec gothic{"ＭＳ Ｐゴシック", 9.75f, 700, true, false, false, 128};
    button.setFont(gothic);
    host.log.clear();
    testing::MapStore stored;
    stored.texts["Caption"] = "設定(&S)";
    stored.values = {{"ForeColor", -1}, {"Enabled", 0}};
    button.loadProperties(stored);
    EXPECT_EQ(testing::joined(stored.reads), "Caption, ForeColor, Font, FocusRect, Enabled");
    EXPECT_EQ(testing::joined(host.log),
              "Caption changed, ForeColor changed, font ＭＳ Ｐゴシック, Font changed, "
              "FocusRect changed, Enabled changed");
    EXPECT_EQ(button.properties().foreColour, 0xFFFFFFFFu);
    // FocusRect redraws only a focused button.
    host.log.clear();
    button.setFocusRect(false);
    button.gotFocus();
    button.setFocusRect(false);
    EXPECT_EQ(testing::joined(host.log), "FocusRect changed, draw 2, draw 2, FocusRect changed");
    testing::MapStore saved;
    button.saveProperties(saved);
    EXPECT_EQ(testing::joined(saved.writes), "Caption, Enabled, ForeColor, Font, FocusRect");
    TestButtonHost otherHost;
    ButtonCore copy(otherHost);
    copy.loadProperties(saved);
    EXPECT_EQ(copy.properties(), button.properties());  // the font too
}

TEST(Button, AccessKeysAndCaptionsForNewButtons) {
    const std::pair<const char*, const char*> keys[] = {
        {"&OK", "o"}, {"A&&B&C", "c"}, {"A&&B", ""},      {"AB&", ""},     {"", ""},
        {"&A", "a"},  {"&&&A", "a"},   {"設定(&S)", "s"}, {"&設定", "設"}, {"ｷｬﾝｾﾙ", ""},
    };
    for (const auto& [caption, key] : keys) EXPECT_EQ(accessKeyOf(caption), key) << caption;
    for (const auto& [caption, reads] :
         {std::pair{"A&&B&C", "A&BC"}, {"&OK", "OK"}, {"AB&", "AB"}}) {
        EXPECT_EQ(withoutAccessKeyMarks(caption), reads) << caption;
    }
    std::vector<std::string> captions;
    for (const char* name : {"ccXPButton1", "ccXPButton2", "ccXPButton3", "ccXPButton4"})
        captions.push_back(captionForNewButton(captions, name));
    EXPECT_EQ(captions, (std::vector<std::string>{"&OK", "&Cancel", "&Apply", "ccXPButton4"}));
}

TEST(ButtonLooks, TheFiveLooksAndHighContrastByDigest) {
    // Regression guard: the digest of each look drawn on 113 x 33, and in high
    // contrast on 40 x 20 with system colour i drawn as (i, i, 100). Worked
    // numbers below: the border, the hot look's line at y = H - 2 and the
    // high-contrast hot face, the highlight (13). The rim rows are the next
    // test's.
    const int W = 113, H = 33;
    const std::tuple<VisualState, uint64_t, uint64_t> looks[] = {
        {VisualState::Disabled, 0xa0a6bb4b74f32283u, 0x903aae184d86541cu},
        {VisualState::Normal, 0x0ffc2b1a6e4f5cfau, 0x7b4f11ebe7b5f70du},
        {VisualState::Focused, 0x4930162d26eacf4bu, 0x7b4f11ebe7b5f70du},
        {VisualState::Hot, 0x439696161dcc622eu, 0xaae5c316d2eb3e99u},
        {VisualState::Pressed, 0x5f75393477e5667au, 0xaae5c316d2eb3e99u},
    };
    for (const auto& [s, plainDigest, contrastDigest] : looks) {
        SCOPED_TRACE(static_cast<int>(s));
        const bool enabled = s != VisualState::Disabled;
        SoftwareCanvas plain(W, H);
        drawButton(plain, s, {"&OK", enabled, false, true, 0});
        EXPECT_EQ(plain.digest(), plainDigest);
        SoftwareCanvas contrast(40, 20, [](int index) { return rgb(index, index, 100); });
        drawButton(contrast, s, {"&OK", enabled, false, true, 0, true});
        EXPECT_EQ(contrast.digest(), contrastDigest);
        // The focus rectangle: only with the focus, FocusRect, and states 2 to 4.
        for (bool focusRect : {false, true}) {
            SoftwareCanvas focused(W, H);
            drawButton(focused, s, {"&OK", true, true, focusRect, 0});
            const bool shown = focused.pixels() != plain.pixels();
            EXPECT_EQ(shown, focusRect && s >= VisualState::Focused);
        }
    }
    SoftwareCanvas hot(W, H);
    drawButton(hot, VisualState::Hot, {"&OK", true, false, true, 0});
    EXPECT_EQ(hot.getPixel(3, 0), rgb(0, 60, 116));
    EXPECT_EQ(hot.getPixel(50, H - 2), rgb(230, 150, 0));
    SoftwareCanvas contrast(40, 20, [](int index) { return rgb(index, index, 100); });
    drawButton(contrast, VisualState::Hot, {"&OK", true, false, true, 0, true});
    EXPECT_EQ(contrast.getPixel(10, 10), rgb(13, 13, 100));
}

// Exact arithmetic, not the painter's: from bottom towards top over n rows,
// row i of each channel rounded to the nearest whole number, a half to the
// even one.
Colour gradientRow(Colour bottom, Colour top, int i, int n) {
    Colour row = 0;
    for (int shift : {0, 8, 16}) {
        const int b = (bottom >> shift) & 255, t = (top >> shift) & 255;
        const int scaled = b * n + i * (t - b);  // the value times n
        const int whole = scaled / n, twice = 2 * (scaled - whole * n);
        row |= Colour(twice > n || (twice == n && whole % 2 != 0) ? whole + 1 : whole) << shift;
    }
    return row;
}

TEST(ButtonLooks, EveryRowOfTheRimAndTheInnerFaceAndHalvesToEven) {
    // A half exactly: (10.5, 11.5) between (10, 11) and (11, 12) gives (10, 12).
    SoftwareCanvas halves(1, 3);
    gradientFill(halves, {0, 0, 1, 2}, rgb(11, 12, 0), rgb(10, 11, 0));
    EXPECT_EQ(halves.getPixel(0, 1), rgb(10, 12, 0));
    EXPECT_EQ(halves.getPixel(0, 2), rgb(10, 11, 0));
    // The state's gradient shows at x = 1 and 2 from row 3 down to H - 4;
    // the inner one fills the face. Colours as the look's table gives them:
    // the state, the top and the bottom.
    const int W = 113, H = 33;
    const std::tuple<VisualState, Colour, Colour> rims[] = {
        {VisualState::Normal, rgb(252, 252, 251), rgb(236, 235, 230)},
        {VisualState::Focused, rgb(189, 211, 247), rgb(140, 174, 231)},
        {VisualState::Hot, rgb(225, 223, 156), rgb(255, 182, 48)},
    };
    const Colour innerTop = rgb(252, 252, 251), innerBottom = rgb(236, 235, 230);
    for (const auto& [s, top, bottom] : rims) {
        SoftwareCanvas c(W, H);
        drawButton(c, s, {"", true, false, true, 0});
        for (int y = 3; y <= H - 4; ++y) {
            const Colour rim = gradientRow(bottom, top, H - 2 - y, H - 5);
            for (int x : {1, 2, W - 3, W - 2}) EXPECT_EQ(c.getPixel(x, y), rim) << x << "," << y;
            EXPECT_EQ(c.getPixel(50, y), gradientRow(innerBottom, innerTop, H - 3 - y, H - 6)) << y;
        }
    }
}

TEST(Interception, RecordsAreFoundFromTheTopReusedAndListedOnce) {
    InterceptionTable t;
    auto lists = [&](int i) {
        return int(t.record(i).afterList.size() * 10 + t.record(i).beforeList.size());
    };
    // In order: a second attach of window 10 wraps the first; a message added
    // twice is listed once in each list its flags select; detaching frees
    // from the top, and a window without a record is left alone; a free
    // record is reused, the highest first.
    // clang-format off
    const std::vector<int> results = {
        t.attach(10), t.attach(20), t.attach(10),
        t.addMessage(10, 0x2A3, kAfterDefault), lists(2),
        t.addMessage(10, 0x2A3, kAfterDefault | kBeforeDefault), lists(2), lists(0),
        t.detach(10), t.detach(10), t.detach(10), t.addMessage(10, 6, kAfterDefault),
        t.attach(30), lists(2), int(t.size()),
    };
    // clang-format on
    EXPECT_EQ(results, (std::vector<int>{0, 1, 2, 1, 10, 1, 11, 0, 2, 0, -1, 0, 2, 0, 3}));
}

// The owner's calls around the window's own handling, which answers 40: a
// before-call changes the parameter and answers 7 (handling the message
// alone when handle is set), an after-call adds one to the result.
class LoggingOwner final : public InterceptionOwner {
public:
    std::vector<std::string> log;
    bool handle = false;
    void interceptedMessage(bool before, bool& handled, intptr_t& result,
                            WindowMessage& message) override {
        log.push_back((before ? "before " : "after ") + std::to_string(message.message));
        if (before) message.wParam = 99;  // what the window will see
        handled = before && handle;
        result = before ? 7 : result + 1;
    }
    intptr_t send(const InterceptionRecord& record, uint32_t message) {
        return dispatchIntercepted(record, *this, {5, message, 1, 2}, [&](const WindowMessage& m) {
            log.push_back("window " + std::to_string(m.message) + " " + std::to_string(m.wParam));
            return intptr_t{40};
        });
    }
};

TEST(Interception, BeforeAndAfterCallsAroundThePreviousHandling) {
    InterceptionTable table;
    table.attach(5);
    table.addMessage(5, 6, kAfterDefault | kBeforeDefault);
    table.addMessage(5, 0x86, kAfterDefault);
    LoggingOwner owner;
    EXPECT_EQ(owner.send(table.record(0), 0x10006), 40) << "32 bits must match";
    EXPECT_EQ(owner.send(table.record(0), 6), 41) << "the window's result after the calls";
    EXPECT_EQ(owner.send(table.record(0), 0x86), 41) << "an after-call's result reaches the sender";
    owner.handle = true;
    EXPECT_EQ(owner.send(table.record(0), 6), 7) << "handled before: the window never sees it";
    EXPECT_EQ(owner.log,
              (std::vector<std::string>{"window 65542 1", "before 6", "window 6 99", "after 6",
                                        "window 134 1", "after 134", "before 6"}));
}

}  // namespace
}  // namespace orvelle
