// Window-message interception: an owner (one button) watches chosen messages
// of a window, before or after the window's own handling. Each owner keeps
// its records in one list; the platform binding installs one subclass per
// record, so owners that watch the same window in any order, and detach in
// any order, keep its messages flowing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvelle {

using WindowHandle = uintptr_t;

// When-flags of addMessage; both bits may be set.
inline constexpr uint32_t kAfterDefault = 1;
inline constexpr uint32_t kBeforeDefault = 2;

struct InterceptionRecord {
    WindowHandle window = 0;  // 0 marks a free record
    std::vector<uint32_t> afterList;
    std::vector<uint32_t> beforeList;
};

// A message as it reaches a watched window; a before-call may change it.
struct WindowMessage {
    WindowHandle window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

class InterceptionOwner {
public:
    virtual ~InterceptionOwner() = default;
    // before: called ahead of the window's handling (it may set handled and
    // result, and change the message); otherwise after it (it may change
    // the result).
    virtual void interceptedMessage(bool before, bool& handled, intptr_t& result,
                                    WindowMessage& message) = 0;
};

class InterceptionTable {
public:
    // From the highest index down: the window's record, or with wantFree the
    // first free one; -1 when there is none.
    int findRecord(WindowHandle window, bool wantFree) const;
    // Takes a free record or a new one for the window; its index.
    int attach(WindowHandle window);
    // Registers the message in the lists the flags select, once. False when
    // the window has no record.
    bool addMessage(WindowHandle window, uint32_t message, uint32_t when);
    // Frees the window's record; its index, or -1 when it had none.
    int detach(WindowHandle window);

    const InterceptionRecord& record(int index) const {
        return records_[static_cast<size_t>(index)];
    }
    size_t size() const { return records_.size(); }

private:
    std::vector<InterceptionRecord> records_;
};

// The dispatch rule for one message reaching a record's window: the
// owner's before-call for a message in the before-list (which may handle it
// alone), the previous handling, then the after-call for a message in the
// after-list. Message numbers match on all 32 bits.
template <typename Previous>
intptr_t dispatchIntercepted(const InterceptionRecord& record, InterceptionOwner& owner,
                             WindowMessage message, Previous&& previous) {
    auto listed = [](const std::vector<uint32_t>& list, uint32_t m) {
        for (uint32_t entry : list) {
            if (entry == m) return true;
        }
        return false;
    };
    intptr_t result = 0;
    bool handled = false;
    if (listed(record.beforeList, message.message)) {
        owner.interceptedMessage(true, handled, result, message);
        if (handled) return result;
    }
    const uint32_t number = message.message;
    result = previous(message);
    if (listed(record.afterList, number)) {
        owner.interceptedMessage(false, handled, result, message);
    }
    return result;
}

}  // namespace orvelle
