// The interception records and the dispatch rule.
#include "controls/interception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvelle {
namespace {

class TestOwner final : public InterceptionOwner {
public:
    std::vector<std::string> calls;
    bool handle = false;
    intptr_t replaceResult = 0;
    void interceptedMessage(bool before, bool& handled, intptr_t& result,
                            WindowMessage& message) override {
        calls.push_back((before ? "before " : "after ") + std::to_string(message.message));
        if (before) {
            message.wParam = 99;  // what the window will see
            handled = handle;
            result = 7;
        } else if (replaceResult != 0) {
            result = replaceResult;
        }
    }
};

TEST(Interception, RecordsAreFoundFromTheTopReusedAndListedOnce) {
    InterceptionTable table;
    EXPECT_EQ(table.attach(10), 0);
    EXPECT_EQ(table.attach(20), 1);
    EXPECT_EQ(table.attach(10), 2) << "a second attach wraps the first";
    EXPECT_EQ(table.findRecord(10, false), 2);
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

TEST(Interception, BeforeAndAfterCallsAroundThePreviousHandling) {
    InterceptionTable table;
    table.attach(5);
    table.addMessage(5, 6, kAfterDefault | kBeforeDefault);
    table.addMessage(5, 0x86, kAfterDefault);
    TestOwner owner;
    std::vector<std::string> previous;
    auto call = [&](uint32_t message) {
        return dispatchIntercepted(table.record(0), owner, {5, message, 1, 2},
                                   [&](const WindowMessage& m) -> intptr_t {
                                       previous.push_back(std::to_string(m.message) + " wParam " +
                                                          std::to_string(m.wParam));
                                       return 40;
                                   });
    };
    EXPECT_EQ(call(0x10006), 40) << "32 bits must match";
    EXPECT_TRUE(owner.calls.empty());
    EXPECT_EQ(call(6), 40);
    EXPECT_EQ(previous.back(), "6 wParam 99") << "the before-call changed the parameter";
    owner.replaceResult = 41;
    EXPECT_EQ(call(0x86), 41) << "an after-call's result reaches the sender";
    owner.handle = true;
    previous.clear();
    EXPECT_EQ(call(6), 7) << "handled before: the window never sees it";
    EXPECT_TRUE(previous.empty());
    EXPECT_EQ(owner.calls.back(), "before 6");
}

}  // namespace
}  // namespace orvelle
