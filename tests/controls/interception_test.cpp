// The interception records and the dispatch rule.
#include "controls/interception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvelle {
namespace {

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

// The owner's calls around the window's own handling, which answers 40.
class LoggingOwner final : public InterceptionOwner {
public:
    std::vector<std::string> log;
    bool handle = false;
    intptr_t replaceResult = 0;
    void interceptedMessage(bool before, bool& handled, intptr_t& result,
                            WindowMessage& message) override {
        log.push_back((before ? "before " : "after ") + std::to_string(message.message));
        if (before) {
            message.wParam = 99;  // what the window will see
            handled = handle;
            result = 7;
        } else if (replaceResult != 0) {
            result = replaceResult;
        }
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
    EXPECT_EQ(owner.send(table.record(0), 6), 40) << "the before-call changed the parameter";
    owner.replaceResult = 41;
    EXPECT_EQ(owner.send(table.record(0), 0x86), 41) << "an after-call's result reaches the sender";
    owner.handle = true;
    EXPECT_EQ(owner.send(table.record(0), 6), 7) << "handled before: the window never sees it";
    EXPECT_EQ(owner.log,
              (std::vector<std::string>{"window 65542 1", "before 6", "window 6 99", "after 6",
                                        "window 134 1", "after 134", "before 6"}));
}

}  // namespace
}  // namespace orvelle
