#include "platform/MessagesStandIn.h"

#include "platform/Box.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using MessagesStandIn = CoreTest;

// Keeps each box's text and answers No without showing it; `passOn` hands it to the one replaced.
class Recorder : public platform::MessagesStandIn {
public:
    explicit Recorder(bool passOn) : passOn_(passOn) {}
    MsgAnswer show(const std::string& text, const std::string& caption, MsgIcon icon,
                   MsgButtons buttons) override {
        seen.push_back(text);
        return passOn_ ? replaced().show(text, caption, icon, buttons) : MsgAnswer::No;
    }
    std::vector<std::string> seen;

private:
    bool passOn_;
};

TEST_F(MessagesStandIn, BoxesGoToTheStandInWhileItLivesAndToTheInstalledServiceAfter) {
    {
        Recorder held(false);
        EXPECT_EQ(&platform::messages(), &held);
        EXPECT_FALSE(platform::askYesNo({"Kept?", "Replace", MsgIcon::Question}));
        EXPECT_EQ(held.seen, std::vector<std::string>{"Kept?"});
        EXPECT_TRUE(fakes.messages.shown.empty());  // kept from the user
    }
    EXPECT_EQ(&platform::messages(), &fakes.messages);
    platform::say({"Shown", "Edit", MsgIcon::Warning});
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Shown");
}

TEST_F(MessagesStandIn, AStandInPassesBoxesOnToTheOneItReplacedAndNestedOnesUnwindInOrder) {
    {
        Recorder outer(true);
        {
            Recorder inner(true);
            platform::say({"Deep", "Edit", MsgIcon::Error});
            EXPECT_EQ(inner.seen, std::vector<std::string>{"Deep"});
        }
        EXPECT_EQ(&platform::messages(), &outer);
        platform::say({"Outer", "Edit", MsgIcon::Error});
        EXPECT_EQ(outer.seen, (std::vector<std::string>{"Deep", "Outer"}));
    }
    EXPECT_EQ(&platform::messages(), &fakes.messages);
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Deep");
    EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Error);
    EXPECT_EQ(fakes.messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(&platform::statusBar(), &fakes.statusBar);  // the other services stay as installed
}

}  // namespace
}  // namespace kestrion::test
