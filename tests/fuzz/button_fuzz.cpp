// The push button's state machine under any sequence of notifications: its
// state is always one of the five, and a Click comes only from a release of
// a press begun on it, Enter, the release of an armed Space, or its access key.
#include <cstddef>
#include <cstdint>

#include "controls/button.h"

namespace {

class Host final : public orvelle::ButtonHost {
public:
    int clicks = 0;
    void paint(orvelle::VisualState s) override {
        if (static_cast<int>(s) < 0 || static_cast<int>(s) > 4) __builtin_trap();
    }
    void trackMouseLeave() override {}
    void moveFocus(bool) override {}
    void processPendingEvents() override {}
    void setHostEnabled(bool) override {}
    bool displayAsDefault() override { return defaultButton; }
    void click() override { ++clicks; }
    void doubleClick() override {}
    void mouseMoved(int16_t, int16_t, float, float) override {}
    void formActivated(int32_t) override {}
    bool defaultButton = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using orvelle::kKeyEnter;
    using orvelle::kKeySpace;
    Host host;
    orvelle::ButtonCore core(host);
    core.setSize(100, 30);
    // A press in progress: the left button or Space went down on the button.
    bool leftDown = false, spaceDown = false;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        const bool flag = (b & 32) != 0;
        const int before = host.clicks;
        bool mayClick = false;
        switch (b % 18) {
            case 0:
                core.mouseMove(1, 0, static_cast<float>(b), 10.0f);
                break;
            case 1:
                core.mouseMove(0, 0, -5.0f, 10.0f);
                break;
            case 2:
                core.mouseDown(orvelle::kLeftButton);
                leftDown = true;
                break;
            case 3:
                mayClick = leftDown || spaceDown;
                core.mouseUp(orvelle::kLeftButton);
                leftDown = false;
                break;
            case 4:
                core.mouseDown(orvelle::kRightButton);
                break;
            case 5:
                core.mouseUp(orvelle::kRightButton);
                break;
            case 6:
                core.doubleClick();
                break;
            case 7:
                mayClick = true;
                core.keyDown(kKeyEnter);
                break;
            case 8:
                core.keyDown(kKeySpace);
                spaceDown = true;
                break;
            case 9:
                mayClick = leftDown || spaceDown;
                core.keyUp(kKeySpace);
                spaceDown = false;
                break;
            case 10:
                core.keyDown(37 + b % 4);
                break;
            case 11:
                mayClick = true;
                core.accessKey();
                break;
            case 12:
                core.gotFocus();
                break;
            case 13:
                core.lostFocus();
                break;
            case 14:
                core.mouseLeft();
                break;
            case 15:
                core.formActivated(flag);
                break;
            case 16:
                core.setEnabled(flag);
                break;
            default:
                host.defaultButton = flag;
                core.ambientChanged("DisplayAsDefault");
                break;
        }
        if (host.clicks > before + 1 || (host.clicks > before && !mayClick)) __builtin_trap();
        const int state = static_cast<int>(core.visualState());
        if (state < 0 || state > 4) __builtin_trap();
    }
    return 0;
}
