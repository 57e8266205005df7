// The dialog's own widgets: the options under the mouse and the keys, where
// the focus goes when controls are disabled or the dialog comes back, and
// the banner link.
#include "settings/dialog_behaviour.h"

#include <gtest/gtest.h>

namespace orvelle {
namespace {

using enum DialogControl;
using Kind = MusicKind;

TEST(DialogBehaviour, OptionsFromTopToBottomAreCdNoneFile) {
    const struct {
        Kind row;
        OptionInput input;
        OptionAction action;
    } cases[] = {
        // A press or the access key chooses the option and focuses it; Space
        // and a screen reader choose it where the focus is.
        {Kind::File, OptionInput::Press, {Kind::File, OptionFile}},
        {Kind::None, OptionInput::AccessKey, {Kind::None, OptionNone}},
        {Kind::None, OptionInput::Space, {Kind::None, None}},
        {Kind::Cd, OptionInput::DefaultAction, {Kind::Cd, None}},
        // The arrows go round the group and choose where they land.
        {Kind::Cd, OptionInput::Next, {Kind::None, OptionNone}},
        {Kind::None, OptionInput::Next, {Kind::File, OptionFile}},
        {Kind::File, OptionInput::Next, {Kind::Cd, OptionCd}},
        {Kind::Cd, OptionInput::Previous, {Kind::File, OptionFile}},
        {Kind::File, OptionInput::Previous, {Kind::None, OptionNone}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(optionInput(c.row, c.input), c.action) << int(c.row) << " " << int(c.input);
    }
}

TEST(DialogBehaviour, TheFocusNeverStaysOnADisabledControl) {
    const ControlStates cd = controlStatesFor(1), none = controlStatesFor(0),
                        file = controlStatesFor(2), stored5 = controlStatesFor(5);
    const struct {
        DialogControl focused;
        ControlStates states;
        DialogControl after;
    } cases[] = {
        // The repeat box loses the focus with the CD, the file button with the file.
        {Repeat, file, OptionFile},
        {Repeat, none, OptionNone},
        {Repeat, cd, Repeat},
        {FileButton, cd, OptionCd},
        {FileButton, file, FileButton},
        // Nothing focused, or no option marked: the group's top option.
        {None, none, OptionNone},
        {FileButton, stored5, OptionCd},
        {Set, stored5, Set},
        {RightBanner, none, RightBanner},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(focusAfter(c.focused, c.states), c.after) << int(c.focused);
    }

    // Away and back: the control that had the focus gets it again, unless
    // it was disabled meanwhile; a second deactivation finds nothing and
    // forgets nothing. The file chooser gives it back to its button.
    FocusKeeper keeper;
    EXPECT_EQ(keeper.activated(cd), OptionCd) << "the first activation";
    keeper.deactivated(Repeat);
    keeper.deactivated(None);
    EXPECT_EQ(keeper.activated(cd), Repeat);
    EXPECT_EQ(keeper.activated(file), OptionFile);
    keeper.chooserClosed();
    EXPECT_EQ(keeper.activated(file), FileButton);
}

TEST(DialogBehaviour, ABannerOpensOnARealClickOrItsKeys) {
    // Steps: p press, c cancel (capture lost); then the release over the
    // banner (true) or beside it.
    const struct {
        const char* before;
        bool over;
        bool opens;
    } cases[] = {
        {"p", true, true},   {"p", false, false}, {"", true, false},
        {"pc", true, false}, {"pp", true, true},
    };
    for (const auto& c : cases) {
        BannerLink link;
        for (const char* s = c.before; *s; ++s) *s == 'p' ? link.press() : link.cancel();
        EXPECT_EQ(link.release(c.over), c.opens) << c.before << c.over;
        EXPECT_FALSE(link.release(true)) << "a release ends the press";
    }
    EXPECT_TRUE(BannerLink::keyOpens(0x0D) && BannerLink::keyOpens(0x20));
    EXPECT_FALSE(BannerLink::keyOpens(0x41) || BannerLink::keyOpens(0x1B));
}

}  // namespace
}  // namespace orvelle
