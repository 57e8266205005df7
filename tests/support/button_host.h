// A push button's host that logs what the button asks of it and raises.
#pragma once

#include <string>
#include <vector>

#include "controls/button.h"

namespace orvelle::testing {

class RecordingButtonHost final : public ButtonHost {
public:
    std::vector<std::string> log;
    bool isDefault = false;
    void paint(VisualState s) override { log.push_back("draw " + std::to_string(int(s))); }
    void propertyChanged(const char* name) override {
        log.push_back(std::string(name) + " changed");
    }
    void fontChanged(const FontSpec& font) override { log.push_back("font " + font.face); }
    void trackMouseLeave() override {}
    void moveFocus(bool backwards) override { log.push_back(backwards ? "previous" : "next"); }
    void processPendingEvents() override {}
    void setHostEnabled(bool) override {}
    bool displayAsDefault() override { return isDefault; }
    void click() override { log.push_back("Click"); }
    void doubleClick() override { log.push_back("DblClick"); }
    void mouseMoved(int16_t, int16_t, float, float) override { log.push_back("MouseMove"); }
    void formActivated(int32_t state) override {
        log.push_back("FormActivate " + std::to_string(state));
    }
};

}  // namespace orvelle::testing
