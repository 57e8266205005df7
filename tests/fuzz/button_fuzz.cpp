// The push button's state machine under any sequence of notifications: its
// state is always one of the five, and a click comes only from the release
// of a press (the left button or Space), Enter, or its access key.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "controls/button.h"
#include "platform/virtual_keys.h"
#include "tests/support/button_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvelle;
    testing::RecordingButtonHost host;
    ButtonCore core(host);
    core.setSize(100, 30);
    bool leftDown = false, spaceDown = false;  // a press in progress
    bool flag = false, mayClick = false;
    // clang-format off
    const std::function<void()> actions[] = {
        [&] { core.mouseMove(1, 0, flag ? 50.0f : -5.0f, 10.0f); },
        [&] { core.mouseDown(kLeftButton); leftDown = true; },
        [&] { mayClick = leftDown || spaceDown; core.mouseUp(kLeftButton); leftDown = false; },
        [&] { core.mouseDown(kRightButton); },
        [&] { core.mouseUp(kRightButton); },
        [&] { core.doubleClick(); },
        [&] { mayClick = true; core.keyDown(keys::kReturn); },
        [&] { core.keyDown(keys::kSpace); spaceDown = true; },
        [&] { mayClick = leftDown || spaceDown; core.keyUp(keys::kSpace); spaceDown = false; },
        [&] { core.keyDown(flag ? keys::kLeft : keys::kDown); },
        [&] { mayClick = true; core.accessKey(); },
        [&] { core.gotFocus(); },
        [&] { core.lostFocus(); },
        [&] { core.mouseLeft(); },
        [&] { core.formActivated(flag); },
        [&] { core.setEnabled(flag); },
        [&] { host.isDefault = flag; core.ambientChanged("DisplayAsDefault"); },
    };
    // clang-format on
    // The first twelve actions are input (the mouse, the keys, the focus
    // gained), which the platform delivers to an enabled button only.
    constexpr size_t kInput = 12;
    for (size_t i = 0; i < size; ++i) {
        host.log.clear();
        flag = (data[i] & 0x80) != 0;
        mayClick = false;
        const size_t action = data[i] % std::size(actions);
        if (!core.enabled() && action < kInput) continue;
        actions[action]();
        const auto clicks = std::count(host.log.begin(), host.log.end(), "Click");
        if (clicks > 1 || (clicks == 1 && !mayClick)) __builtin_trap();
        // A disabled button shows nothing but its disabled look.
        for (const std::string& heard : host.log) {
            if (!core.enabled() && heard.rfind("draw ", 0) == 0 && heard != "draw 0")
                __builtin_trap();
        }
    }
    return 0;
}
