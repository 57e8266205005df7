#include "controls/interception.h"

#include <algorithm>

namespace orvelle {

int InterceptionTable::findRecord(WindowHandle window, bool wantFree) const {
    for (int i = static_cast<int>(records_.size()) - 1; i >= 0; --i) {
        const WindowHandle w = records_[static_cast<size_t>(i)].window;
        if (wantFree ? w == 0 : w == window) return i;
    }
    return -1;
}

int InterceptionTable::attach(WindowHandle window) {
    int index = findRecord(window, true);
    if (index < 0) {
        records_.emplace_back();
        index = static_cast<int>(records_.size()) - 1;
    }
    records_[static_cast<size_t>(index)].window = window;
    return index;
}

bool InterceptionTable::addMessage(WindowHandle window, uint32_t message, uint32_t when) {
    const int index = findRecord(window, false);
    if (index < 0 || window == 0) return false;
    InterceptionRecord& record = records_[static_cast<size_t>(index)];
    auto add = [message](std::vector<uint32_t>& list) {
        if (std::find(list.begin(), list.end(), message) == list.end()) list.push_back(message);
    };
    if (when & kBeforeDefault) add(record.beforeList);
    if (when & kAfterDefault) add(record.afterList);
    return true;
}

int InterceptionTable::detach(WindowHandle window) {
    const int index = findRecord(window, false);
    if (index < 0 || window == 0) return -1;
    records_[static_cast<size_t>(index)] = InterceptionRecord{};
    return index;
}

}  // namespace orvelle
