#include "gui/base_object.h"

#include <gtest/gtest.h>

namespace VSTGUI {
namespace {

// Counts its own destruction, to see which forget deletes it.
class Probe : public CBaseObject {
public:
    explicit Probe(int& destroyed) : destroyed(destroyed) {}
    ~Probe() override { ++destroyed; }

private:
    int& destroyed;
};

TEST(BaseObjectTests, CreatorsSingleForgetDestroys)
{
    int destroyed = 0;
    auto* probe = new Probe(destroyed);
    EXPECT_EQ(probe->getNbReference(), 1);
    probe->forget();
    EXPECT_EQ(destroyed, 1);
}

TEST(BaseObjectTests, EachRememberNeedsItsOwnForget)
{
    int destroyed = 0;
    auto* probe = new Probe(destroyed);
    probe->remember();
    probe->remember();
    EXPECT_EQ(probe->getNbReference(), 3);
    probe->forget();
    probe->forget();
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(probe->getNbReference(), 1);
    probe->forget();
    EXPECT_EQ(destroyed, 1);
}

TEST(BaseObjectTests, CopyStartsWithItsOwnSingleReference)
{
    int destroyed = 0;
    auto* original = new Probe(destroyed);
    original->remember();
    auto* copy = new Probe(*original);
    EXPECT_EQ(copy->getNbReference(), 1);
    copy->forget();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(original->getNbReference(), 2);
    original->forget();
    original->forget();
    EXPECT_EQ(destroyed, 2);
}

TEST(BaseObjectTests, LiveCountFollowsConstructionCopyAndDestruction)
{
    const int32_t before = CBaseObject::getLiveObjectCount();
    int destroyed = 0;
    auto* original = new Probe(destroyed);
    auto* copy = new Probe(*original);
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), before + 2);
    original->forget();
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), before + 1);
    copy->forget();
    EXPECT_EQ(CBaseObject::getLiveObjectCount(), before);
}

TEST(BaseObjectTests, NotifyAnswersUnknownByDefault)
{
    int destroyed = 0;
    Probe receiver(destroyed);
    Probe sender(destroyed);
    EXPECT_EQ(receiver.notify(&sender, kMsgCheckIfViewContainer), kMessageUnknown);
    EXPECT_EQ(receiver.notify(nullptr, kMsgNewFocusView), kMessageUnknown);
    EXPECT_EQ(receiver.notify(nullptr, "anything"), kMessageUnknown);
}

TEST(BaseObjectTests, MessagesAreTheirOwnNames)
{
    EXPECT_STREQ(kMsgCheckIfViewContainer, "kMsgCheckIfViewContainer");
    EXPECT_STREQ(kMsgNewFocusView, "kMsgNewFocusView");
    EXPECT_STREQ(kMsgOldFocusView, "kMsgOldFocusView");
}

} // namespace
} // namespace VSTGUI
