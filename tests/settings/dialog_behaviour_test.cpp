// The dialog's own widgets: the options under the mouse and the keys, where
// the focus goes when controls are disabled or the dialog comes back, and
// the banner link.
#include "settings/dialog_behaviour.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orvelle {
namespace {

using enum DialogControl;
using Kind = MusicKind;

TEST(DialogBehaviour, OptionsFromTopToBottomAreCdNoneFile) {
    const std::tuple<Kind, OptionInput, OptionAction> cases[] = {
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
    for (const auto& [row, input, action] : cases)
        EXPECT_EQ(optionInput(row, input), action) << int(row) << " " << int(input);
}

TEST(DialogBehaviour, TheFocusNeverStaysOnADisabledControl) {
    const ControlStates cd = controlStatesFor(1), none = controlStatesFor(0),
                        file = controlStatesFor(2), stored5 = controlStatesFor(5);
    const std::tuple<DialogControl, ControlStates, DialogControl> cases[] = {
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
    for (const auto& [focused, states, after] : cases)
        EXPECT_EQ(focusAfter(focused, states), after) << int(focused);

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
    const std::tuple<const char*, bool, bool> cases[] = {
        {"p", true, true},   {"p", false, false}, {"", true, false},
        {"pc", true, false}, {"pp", true, true},
    };
    for (const auto& [before, over, opens] : cases) {
        BannerLink link;
        for (const char* s = before; *s; ++s) *s == 'p' ? link.press() : link.cancel();
        EXPECT_EQ(link.release(over), opens) << before << over;
        EXPECT_FALSE(link.release(true)) << "a release ends the press";
    }
    EXPECT_TRUE(BannerLink::keyOpens(0x0D) && BannerLink::keyOpens(0x20));
    EXPECT_FALSE(BannerLink::keyOpens(0x41) || BannerLink::keyOpens(0x1B));
}

}  // namespace
}  // namespace orvelle
