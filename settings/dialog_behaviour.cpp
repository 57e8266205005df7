#include "settings/dialog_behaviour.h"

#include "settings/dialog_layout.h"

namespace orvelle {

DialogControl optionControl(MusicKind kind) {
    switch (kind) {
        case MusicKind::Cd:
            return DialogControl::OptionCd;
        case MusicKind::None:
            return DialogControl::OptionNone;
        case MusicKind::File:
            return DialogControl::OptionFile;
    }
    return DialogControl::None;
}

std::optional<MusicKind> optionKind(DialogControl control) {
    switch (control) {
        case DialogControl::OptionCd:
            return MusicKind::Cd;
        case DialogControl::OptionNone:
            return MusicKind::None;
        case DialogControl::OptionFile:
            return MusicKind::File;
        default:
            return std::nullopt;
    }
}

bool enabledIn(DialogControl control, const ControlStates& states) {
    if (control == DialogControl::Repeat) return states.repeatEnabled;
    if (control == DialogControl::FileButton) return states.fileEnabled;
    return control != DialogControl::None;
}

DialogControl optionTabStop(const ControlStates& states) {
    return optionControl(states.chosen.value_or(dialog::kOptions.front().kind));
}

OptionAction optionInput(MusicKind row, OptionInput input) {
    size_t index = 0;
    while (dialog::kOptions[index].kind != row) ++index;
    const size_t count = dialog::kOptions.size();
    switch (input) {
        case OptionInput::Previous:
        case OptionInput::Next: {
            // The arrows go round the group, and the option they reach is chosen.
            const size_t step = input == OptionInput::Next ? 1 : count - 1;
            const MusicKind next = dialog::kOptions[(index + step) % count].kind;
            return {next, optionControl(next)};
        }
        case OptionInput::Press:
        case OptionInput::AccessKey:
            // As the platform's own option buttons: the chosen one takes the focus.
            return {row, optionControl(row)};
        case OptionInput::Space:
        case OptionInput::DefaultAction:
            break;
    }
    return {row, DialogControl::None};
}

DialogControl focusAfter(DialogControl focused, const ControlStates& states) {
    return enabledIn(focused, states) ? focused : optionTabStop(states);
}

void FocusKeeper::deactivated(DialogControl focused) {
    // A deactivation that finds nothing focused (a second one, say) keeps
    // what the first remembered.
    if (focused != DialogControl::None) remembered_ = focused;
}

DialogControl FocusKeeper::activated(const ControlStates& states) const {
    return focusAfter(remembered_, states);
}

}  // namespace orvelle
