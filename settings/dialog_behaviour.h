// The settings dialog's behaviour across its controls, apart from their
// windows: what an input on a music option does, and where the keyboard
// focus goes. The window binding turns platform messages into these inputs
// and carries out what they answer.
#pragma once

#include <optional>

#include "config/music_settings.h"
#include "settings/settings_model.h"

namespace orvelle {

// The dialog's controls that can hold the focus, in tab order.
enum class DialogControl {
    OptionCd,
    OptionNone,
    OptionFile,
    Repeat,
    FileButton,
    Set,
    Cancel,
    LeftBanner,
    RightBanner,
    None,
};

DialogControl optionControl(MusicKind kind);
// The option's kind, or nothing for any other control.
std::optional<MusicKind> optionKind(DialogControl control);

// Whether a control takes input in these states (the options, the two
// buttons at the bottom and the banners always do).
bool enabledIn(DialogControl control, const ControlStates& states);

// The option group's one tab stop: the chosen option, or the top one
// (audio CD) when a stored kind marks none.
DialogControl optionTabStop(const ControlStates& states);

// What a user does on an option row.
enum class OptionInput {
    Press,          // any mouse button down on its mark or its label
    Space,          // Space with the focus
    AccessKey,      // Alt and the label's key
    Previous,       // Up or Left
    Next,           // Down or Right
    DefaultAction,  // a screen reader's "check"
};

// What the dialog does about it: choose an option, move the focus.
struct OptionAction {
    MusicKind choose;
    DialogControl focus;  // None: the focus stays where it is
    bool operator==(const OptionAction&) const = default;
};
OptionAction optionInput(MusicKind row, OptionInput input);

// Where the focus must be once the controls show these states: where it
// is, unless that control is now disabled; then the option group's tab
// stop. Nothing focused also goes to the tab stop.
DialogControl focusAfter(DialogControl focused, const ControlStates& states);

// The focus across a deactivation: the control that had it is remembered
// and gets it back when the dialog is active again, unless it has been
// disabled meanwhile. The file chooser, a window of its own, returns the
// focus to the button that opened it.
class FocusKeeper {
public:
    void deactivated(DialogControl focused);
    void chooserClosed() { remembered_ = DialogControl::FileButton; }
    DialogControl activated(const ControlStates& states) const;

private:
    DialogControl remembered_ = DialogControl::None;
};

}  // namespace orvelle
