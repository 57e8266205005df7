// The interception records and the dispatch rule.
#include "controls/interception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvelle {
namespace {

TEST(Interception, RecordsAreFoundFromTheTopReusedAndListedOnce) {
    InterceptionTable table;
    EXPECT_EQ(table.attach(10), 0);
    EXPECT_EQ(table.attach(20), 1);
    EXPECT_EQ(table.attach(10), 2) << "a second attach wraps the first";
    EXPECT_TRUE(table.addMessage(10, 0x2A3, kAfterDefault));
    EXPECT_TRUE(table.record(2).beforeList.empty());
    EXPECT_TRUE(table.addMessage(10, 0x2A3, kAfterDefault | kBeforeDefault));
    EXPECT_EQ(table.record(2).afterList, std::vector<uint32_t>{0x2A3});
    EXPECT_EQ(table.record(2).beforeList, std::vector<uint32_t>{0x2A3});
    EXPECT_TRUE(table.record(0).afterList.empty());
    EXPECT_EQ(table.detach(10), 2);
    EXPECT_EQ(table.detach(10), 0);
    EXPECT_EQ(table.detach(10), -1) << "a window without a record: nothing";
    EXPECT_FALSE(table.addMessage(10, 6, kAfterDefault));
    EXPECT_EQ(table.attach(30), 2) << "a free record is reused, the highest first";
    EXPECT_EQ(table.record(2).afterList.size(), 0u);
    EXPECT_EQ(table.size(), 3u);
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
